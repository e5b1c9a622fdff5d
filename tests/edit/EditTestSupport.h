// Shared helpers of the editing tests: an owned record, small pictures written and read as
// strings of memory dots ('#' lit) straight from the banks, and the seeds of random tests.
#pragma once

#include "core/Core.h"
#include "support/TestSeeds.h"

#include <memory>
#include <string>
#include <vector>

struct Picture {
    std::unique_ptr<ORVEL_GlobalsRec> rec = std::make_unique<ORVEL_GlobalsRec>();
    explicit Picture(bool dhgr = true, bool mode560 = true) {
        InitGlobalsRec(globalsP = rec.get()), SetFullBand();
        rec->isDHGR = dhgr, rec->is560Mode = mode560;
    }
    ~Picture() { ReleaseGlobalsRec(rec.get()), globalsP = nullptr; }
    ORVEL_GlobalsRec* operator->() { return rec.get(); }

    // Double hi-res: memory dot d; hi-res: the pixel d / 2.
    std::uint8_t& byteOf(int line, int d) {
        std::uint8_t* bank = rec->isDHGR && d / 7 % 2 == 0 ? rec->auxMem : rec->mainMem;
        return bank[g_rowoffsets[line] + d / 14];
    }
    int bitOf(int d) const { return rec->isDHGR ? d % 7 : d / 2 % 7; }
    // Rows of dots split by '|', from dot 0 of line 0: `set` lights the '#' dots, `get` reads
    // back as many lines and dots as its argument has.
    template <class Visit>
    void walk(const std::string& rows, Visit visit) {
        for (std::size_t i = 0, y = 0, d = 0; i < rows.size(); ++i)
            rows[i] == '|' ? static_cast<void>(++y, d = 0) : visit(int(y), int(d++), i);
    }
    void set(const std::string& rows) {
        walk(rows, [&](int y, int d, std::size_t i) {
            if (rows[i] == '#') byteOf(y, d) |= 1 << bitOf(d);
        });
    }
    std::string get(std::string rows) {
        walk(rows, [&](int y, int d, std::size_t i) {
            rows[i] = (byteOf(y, d) >> bitOf(d)) & 1 ? '#' : '.';
        });
        return rows;
    }
};

inline Point At(int v, int h) {
    return Point{static_cast<std::int16_t>(v), static_cast<std::int16_t>(h)};
}

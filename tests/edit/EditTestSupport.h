// Shared helpers of the editing tests: an owned record, and small pictures written and read as
// strings of memory dots ('#' lit), read straight from the banks.
#pragma once

#include "core/Core.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

struct Picture {
    std::unique_ptr<ORVEL_GlobalsRec> rec = std::make_unique<ORVEL_GlobalsRec>();
    explicit Picture(bool dhgr = true, bool mode560 = true) {
        InitGlobalsRec(globalsP = rec.get());
        SetFullBand();
        rec->isDHGR = dhgr;
        rec->is560Mode = mode560;
    }
    ~Picture() { ReleaseGlobalsRec(rec.get()), globalsP = nullptr; }
    ORVEL_GlobalsRec* operator->() { return rec.get(); }

    // Double hi-res: memory dot d; hi-res: the pixel d / 2.
    std::uint8_t& byteOf(int line, int d) {
        std::uint8_t* bank = rec->isDHGR && d / 7 % 2 == 0 ? rec->auxMem : rec->mainMem;
        return bank[g_rowoffsets[line] + d / 14];
    }
    int bitOf(int d) const { return rec->isDHGR ? d % 7 : d / 2 % 7; }
    void set(const std::vector<std::string>& rows) {
        for (int y = 0; y < static_cast<int>(rows.size()); ++y)
            for (int d = 0; d < static_cast<int>(rows[y].size()); ++d)
                if (rows[y][d] == '#') byteOf(y, d) |= 1 << bitOf(d);
    }
    std::vector<std::string> get(int lines, int dots) {
        std::vector<std::string> rows(lines);
        for (int y = 0; y < lines; ++y)
            for (int d = 0; d < dots; ++d)
                rows[y] += (byteOf(y, d) >> bitOf(d)) & 1 ? '#' : '.';
        return rows;
    }
};

inline Point At(int v, int h) {
    return Point{static_cast<std::int16_t>(v), static_cast<std::int16_t>(h)};
}

// The fixed seed, and a second one from ORVEL_TEST_SEED when set; failures name the seed.
inline std::vector<unsigned> TestSeeds(unsigned fixed) {
    std::vector<unsigned> seeds{fixed};
    if (const char* extra = std::getenv("ORVEL_TEST_SEED"))
        seeds.push_back(static_cast<unsigned>(std::strtoul(extra, nullptr, 0)));
    return seeds;
}

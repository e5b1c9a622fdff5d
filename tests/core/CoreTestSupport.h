// Shared helpers of the graphics core tests: an owned record, an RGBA picture, random
// bytes, the seeds of the random tests and the reference engines.
#pragma once

#include "core/Core.h"
#include "support/TestSeeds.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

// A record with its defaults and the full band, both restored when the test ends.
struct OwnedRec {
    OwnedRec() { InitGlobalsRec(globalsP = rec.get()), SetFullBand(); }
    ~OwnedRec() {
        ReleaseGlobalsRec(rec.get()), SetFullBand(),
            globalsP = globalsP == rec.get() ? nullptr : globalsP;
    }
    ORVEL_GlobalsRec* operator->() { return rec.get(); }
    ORVEL_GlobalsRec* get() { return rec.get(); }
    std::unique_ptr<ORVEL_GlobalsRec> rec = std::make_unique<ORVEL_GlobalsRec>();
};

// A 562 x 192 RGBA picture.
struct Picture {
    static constexpr int kRowBytes = 4 * kOffscreenDots;
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kRowBytes * kLines, 0);
    RGBAStore store() { return RGBAStore{bytes.data(), kRowBytes}; }
    std::uint32_t at(int x, int y) const {
        const std::uint8_t* p = &bytes[static_cast<std::size_t>(y * kRowBytes + 4 * x)];
        return (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2]; // 0xRRGGBB
    }
    unsigned alpha(int x, int y) const {
        return bytes[static_cast<std::size_t>(y * kRowBytes + 4 * x + 3)];
    }
};

inline void FillRandom(std::mt19937& rng, std::uint8_t* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(rng());
}

// The reference engines (ReferenceEngines.cpp): every rule written plainly, PlotPointDirect
// for each dot; the tests hold the fast core to them on random pictures.
namespace reference {

// The whole pipeline of the record's settings, like RenderPicture, into `store`.
void RenderPicture(ORVEL_GlobalsRec* rec, RGBAStore store);

} // namespace reference

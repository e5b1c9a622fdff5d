// Whole renders through every engine: the fast core against the plain reference engines on
// random pictures from a store of garbage, and random settings that must stay safe.
#include "CoreTestSupport.h"
#include "ReferenceEngines.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Setting {
    bool quen;
    unsigned scheme;
    unsigned depth;
    bool shifting;
    bool dhgr;
    int offset;
};

std::vector<Setting> EverySetting() {
    std::vector<Setting> all;
    for (bool dhgr : {false, true})
        for (unsigned depth : {8u, 1u, 0u}) {
            for (unsigned scheme = 0; scheme < 3; ++scheme)
                all.push_back({true, scheme, depth, true, dhgr, 0});
            for (bool shifting : {true, false})
                for (int offset : {0, 1})
                    all.push_back({false, 1, depth, shifting, dhgr, offset});
        }
    return all;
}

void Apply(ORVEL_GlobalsRec* rec, const Setting& s) {
    rec->quenEngine = s.quen;
    rec->schemeType = static_cast<std::uint16_t>(s.scheme);
    rec->bmFinalDepth = static_cast<std::uint16_t>(s.depth);
    rec->bitShifting = s.shifting;
    rec->isDHGR = s.dhgr;
    rec->dhgrColorOffset = static_cast<std::int16_t>(s.offset);
}

std::string Describe(const Setting& s) {
    return std::string(s.quen ? "quen " + std::to_string(s.scheme) : "book") + " depth " +
           std::to_string(s.depth) + (s.shifting ? " shift" : " noshift") +
           (s.dhgr ? " dhgr" : " hgr") + " offset " + std::to_string(s.offset);
}

} // namespace

// Renders start from a store full of garbage (alpha 0x5A or 0xA5): a dot left unwritten, or a
// result carried over from the previous render, shows as a difference.
TEST(Pipeline, EveryEngineMatchesTheReferenceOnRandomPictures) {
    for (unsigned seed : TestSeeds(1984)) {
        std::mt19937 rng(seed);
        OwnedRec fast, slow;
        for (const Setting& s : EverySetting())
            for (int round = 0; round < 2; ++round) {
                FillRandom(rng, fast->auxMem, kBankSize);
                FillRandom(rng, fast->mainMem, kBankSize);
                if (round == 1) // sparse pictures exercise isolated pixels and thin features
                    for (int i = 0; i < kBankSize; ++i) {
                        fast->auxMem[i] &= static_cast<std::uint8_t>(rng() | 0x80);
                        fast->mainMem[i] &= static_cast<std::uint8_t>(rng() | 0x80);
                    }
                std::memcpy(slow->auxMem, fast->auxMem, kBankSize);
                std::memcpy(slow->mainMem, fast->mainMem, kBankSize);
                fast->paletteType = slow->paletteType = static_cast<std::uint16_t>(rng() % 8);
                fast->oneBitPalette = slow->oneBitPalette = static_cast<std::uint16_t>(rng() % 3);
                Apply(fast.get(), s);
                Apply(slow.get(), s);
                Picture a, b;
                std::memset(a.bytes.data(), round ? 0xA5 : 0x5A, a.bytes.size());
                RenderPicture(fast.get(), a.store());
                reference::RenderPicture(slow.get(), b.store());
                ASSERT_EQ(a.bytes, b.bytes)
                    << Describe(s) << " seed " << seed << " round " << round;
                EXPECT_EQ(fast->penWidth, slow->penWidth) << Describe(s);
            }
    }
}

TEST(Pipeline, RandomSettingsBlocksNeverLeaveTheTables) {
    for (unsigned seed : TestSeeds(424242)) {
        std::mt19937 rng(seed);
        OwnedRec rec;
        FillRandom(rng, rec->auxMem, kBankSize);
        FillRandom(rng, rec->mainMem, kBankSize);
        Picture pic;
        for (int i = 0; i < 300; ++i) {
            std::uint8_t block[kSettingsBlockSize];
            FillRandom(rng, block, sizeof block);
            if (i % 3 == 0) block[offsetof(ORVEL_GlobalsRec, bmFinalDepth)] %= 3; // the odd depths
            std::memcpy(static_cast<void*>(rec.get()), block, sizeof block);
            rec->isDHGR = static_cast<Boolean>(rng());
            RenderPicture(rec.get(), pic.store());
            for (int y = 0; y < kLines; y += 37)
                ASSERT_EQ(pic.alpha(static_cast<int>(rng() % kOffscreenDots), y), 255u)
                    << "seed " << seed;
            const Rect shown = GetScreenSize();
            ASSERT_GT(shown.right, 0);
            ASSERT_GT(shown.bottom, 0);
        }
    }
}

// The per-line functions called one line at a time against the rule-by-rule reference, for
// every pen width the record can hold, both shift settings, several offsets and both stores.
#include "CoreTestSupport.h"
#include "ReferenceEngines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A store of one kind, filled with `fill` (one-bit) or opaque black (RGBA), put in use.
struct Store {
    Store(ORVEL_GlobalsRec* rec, bool oneBit, std::uint8_t fill) {
        rowBytes = oneBit ? kMonoRowBytes : 4 * kOffscreenDots;
        bytes.assign(static_cast<std::size_t>(rowBytes * kLines), oneBit ? fill : 0);
        if (!oneBit)
            for (std::size_t i = 3; i < bytes.size(); i += 4)
                bytes[i] = 255;
        rec->baseAddr = bytes.data();
        rec->rowBytes = rowBytes;
        rec->pixelDepth = oneBit ? 1 : 32;
    }
    std::int64_t rowBytes;
    std::vector<std::uint8_t> bytes;
};

using LineFunction = void (*)(ORVEL_GlobalsRec*);
const LineFunction kCore[4] = {CopyMonoBits, CopyColorBits, CopyMonoDoubleBits,
                               CopyColorDoubleBits};

// Runs line `y` of `mode` through the core and the reference from the same store contents and
// compares the stores and the pen width each leaves behind.
void ExpectLineMatches(ORVEL_GlobalsRec* rec, int mode, int y, bool oneBit, std::uint8_t fill) {
    const std::int64_t pen = rec->penWidth;
    Store core(rec, oneBit, fill);
    rec->curLine = y;
    rec->rowOffset = g_rowoffsets[y];
    kCore[mode](rec);
    const std::int64_t corePen = rec->penWidth;
    rec->penWidth = pen;
    Store expected(rec, oneBit, fill);
    reference::CopyLine(rec, mode);
    ASSERT_EQ(corePen, rec->penWidth);
    ASSERT_TRUE(core.bytes == expected.bytes)
        << "first difference at byte "
        << std::mismatch(core.bytes.begin(), core.bytes.end(), expected.bytes.begin()).first -
               core.bytes.begin();
}

TEST(PerLine, EveryPenShiftOffsetAndStoreMatchesTheReference) {
    for (unsigned seed : TestSeeds(20261207)) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        OwnedRec rec;
        FillRandom(rng, rec->mainMem, kBankSize);
        FillRandom(rng, rec->auxMem, kBankSize);
        for (int mode = 0; mode < 4; ++mode)
            for (std::int64_t pen : {0, 1, 2, 3, 4, 5, -1})
                for (int shift = 0; shift < 4; ++shift) // bit 0 bitShifting, bit 1 quenEngine
                    for (int offset : {0, 1, 2, 3, -1})
                        for (bool oneBit : {false, true}) {
                            if (mode != 3 && offset != 0) continue;
                            rec->bitShifting = shift & 1;
                            rec->quenEngine = (shift >> 1) & 1;
                            rec->dhgrColorOffset = static_cast<std::int16_t>(offset);
                            rec->penWidth = pen;
                            const int y = static_cast<int>(rng() % kLines);
                            SCOPED_TRACE(::testing::Message()
                                         << "mode " << mode << " pen " << pen << " shift " << shift
                                         << " offset " << offset << " one-bit " << oneBit
                                         << " line " << y);
                            ExpectLineMatches(rec.get(), mode, y, oneBit,
                                              static_cast<std::uint8_t>(rng()));
                            if (HasFatalFailure()) return;
                        }
    }
}

TEST(PerLine, PenOneWithShiftingLightsOnlyTheFirstDotOfByteOne) {
    OwnedRec rec;
    Store store(rec.get(), false, 0);
    rec->mainMem[0] = 0x01;
    rec->bitShifting = 1;
    rec->penWidth = 1;
    rec->curLine = 0;
    rec->rowOffset = 0;
    CopyColorBits(rec.get());
    EXPECT_NE(store.bytes[0] | store.bytes[1] | store.bytes[2], 0); // dot 0 coloured
    EXPECT_EQ(store.bytes[4] | store.bytes[5] | store.bytes[6], 0); // dot 1 black
}

// The Quen colouring over the whole band, from random dots, into either store.
TEST(PerLine, QuenColorMatchesTheReferenceForEveryPenSchemeAndStore) {
    for (unsigned seed : TestSeeds(7)) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        OwnedRec rec;
        FillRandom(rng, rec->monoBits, static_cast<std::size_t>(rec->monoBitsSize));
        for (std::int64_t pen : {0, 1, 2, 3, 4, -1})
            for (unsigned scheme = 0; scheme < 4; ++scheme)
                for (bool oneBit : {false, true}) {
                    SCOPED_TRACE(::testing::Message()
                                 << "pen " << pen << " scheme " << scheme << " one-bit " << oneBit);
                    rec->schemeType = static_cast<std::uint16_t>(scheme);
                    rec->penWidth = pen;
                    Store core(rec.get(), oneBit, 0x5A);
                    NewCopyColor(rec.get());
                    rec->schemeType = static_cast<std::uint16_t>(scheme < 3 ? scheme : 2);
                    Store expected(rec.get(), oneBit, 0x5A);
                    reference::QuenColor(rec.get());
                    ASSERT_TRUE(core.bytes == expected.bytes);
                }
    }
}

} // namespace

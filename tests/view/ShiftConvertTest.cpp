// Shifting and converting whole pictures: double hi-res round trips, hi-res pixels moving by the
// rules of the half-dot delay, and conversion showing the same dots.
#include "ViewTestSupport.h"

#include <gtest/gtest.h>

#include <random>

TEST(Shift, DoubleHiresLeftThenRightLosesOnlyTheLeftmostDot) {
    std::mt19937 rng(31);
    ShownView view;
    for (int i = 0; i < kBankSize; ++i)
        view.rec()->auxMem[i] = rng() & 0x7F, view.rec()->mainMem[i] = rng() & 0x7F;
    const QByteArray aux = Bank(view.rec()->auxMem), main = Bank(view.rec()->mainMem);
    view->shiftImage(true);
    EXPECT_NE(Bank(view.rec()->auxMem), aux);
    view->shiftImage(false);
    EXPECT_EQ(Bank(view.rec()->mainMem), main);
    for (int o = 0; o < kBankSize; ++o) {
        const bool firstByteOfLine = o % 128 < 120 && (o % 128) % 40 == 0;
        ASSERT_EQ(view.rec()->auxMem[o], firstByteOfLine ? (aux[o] & 0x7E) : aux[o]) << o;
    }
}

// Line 0's first two hi-res bytes after one shift, with and without the half-dot delay rules.
TEST(Shift, HiresPixelsMoveByTheDelayRulesAndLoseTheirHighBits) {
    const struct {
        int in0, in1;
        bool left, delay;
        int out0, out1;
    } cases[] = {
        {0x12, 0x01, false, false, 0x12, 0x01}, // right leaves undelayed pixels where they are
        {0x12, 0x01, true, false, 0x49, 0x00},  // left moves each one pixel (two dots)
        {0x81, 0x00, false, true, 0x02, 0x00},  // a delayed pixel moves one dot: the next pixel
        {0x81, 0x00, true, true, 0x01, 0x00},   // ... or the same one, undelayed
        {0xA4, 0x00, false, true, 0x48, 0x00},  //
        {0x04, 0x00, false, true, 0x04, 0x00},  // an undelayed pixel: right keeps it
        {0x04, 0x00, true, true, 0x02, 0x00},   // left moves it one pixel
        {0xC0, 0x00, false, true, 0x00, 0x00},  // bit 6 cut to one dot by the walk is gone
    };
    std::mt19937 rng(32);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.in0 << " " << c.left << c.delay);
        ShownView view;
        view.rec()->isDHGR = false;
        view.rec()->quenEngine = view.rec()->bitShifting = c.delay;
        for (int i = 0; i < kBankSize; ++i) // noise elsewhere only loses its high bits
            view.rec()->mainMem[i] = static_cast<std::uint8_t>(i < 40 ? 0 : rng());
        view.rec()->mainMem[0] = static_cast<std::uint8_t>(c.in0);
        view.rec()->mainMem[1] = static_cast<std::uint8_t>(c.in1);
        view->shiftImage(c.left);
        EXPECT_EQ(view.rec()->mainMem[0], c.out0);
        EXPECT_EQ(view.rec()->mainMem[1], c.out1);
        EXPECT_FALSE(view.rec()->isDHGR);
        for (int y = 0; y < kLines; ++y)
            for (int x = 0; x < kLineBytes; ++x)
                ASSERT_LT(view.rec()->mainMem[g_rowoffsets[y] + x], 0x80) << y << "," << x;
    }
}

TEST(Convert, HiresBecomesDoubleHiresShowingTheSameDots) {
    std::mt19937 rng(33);
    ShownView view;
    view.rec()->isDHGR = false;
    for (int i = 0; i < kBankSize; ++i)
        view.rec()->mainMem[i] = static_cast<std::uint8_t>(rng());
    view.rec()->bmFinalDepth = 1; // one-bit: the dots themselves are the picture
    view->renderImage();
    const QImage before = view->offscreenImage.copy();
    view->convertToDHGR();
    EXPECT_TRUE(view.rec()->isDHGR);
    EXPECT_EQ(view.rec()->bmFinalDepth, 1);
    // Memory dot d shows at offscreen dot d + 1: dots 1..560 carry over, dot 0 has no place.
    for (int y = 0; y < kLines; ++y)
        for (int x = 1; x <= 560; ++x)
            ASSERT_EQ(view->offscreenImage.pixel(x, y), before.pixel(x, y)) << x << "," << y;
    const QByteArray aux = Bank(view.rec()->auxMem), main = Bank(view.rec()->mainMem);
    view->convertToDHGR(); // a double hi-res picture stays as it is
    EXPECT_EQ(Bank(view.rec()->auxMem) + Bank(view.rec()->mainMem), aux + main);
}

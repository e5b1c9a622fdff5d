// Shifting and converting whole pictures: double hi-res round trips, hi-res pixels moving by the
// rules of the half-dot delay, and conversion showing the same dots.
#include "ViewTestSupport.h"

#include <gtest/gtest.h>

namespace {

void FillDouble(ORVEL_GlobalsRec* rec, std::mt19937& rng) {
    for (int i = 0; i < kBankSize; ++i) {
        rec->auxMem[i] = static_cast<std::uint8_t>(rng() & 0x7F);
        rec->mainMem[i] = static_cast<std::uint8_t>(rng() & 0x7F);
    }
}

// The hi-res line 0 bytes after a shift of a picture whose line 0 starts with `bytes`.
std::vector<int> ShiftedHires(std::initializer_list<int> bytes, bool left, bool delay) {
    ShownView view;
    view.rec()->isDHGR = false;
    view.rec()->quenEngine = delay;
    view.rec()->bitShifting = delay;
    int c = 0;
    for (int b : bytes)
        view.rec()->mainMem[c++] = static_cast<std::uint8_t>(b);
    view->shiftImage(left);
    return std::vector<int>(view.rec()->mainMem, view.rec()->mainMem + bytes.size());
}

} // namespace

TEST(Shift, DoubleHiresLeftThenRightLosesOnlyTheLeftmostDot) {
    std::mt19937 rng(31);
    ShownView view;
    FillDouble(view.rec(), rng);
    const QByteArray aux = Bank(view.rec()->auxMem), main = Bank(view.rec()->mainMem);
    view->shiftImage(true);
    EXPECT_NE(Bank(view.rec()->auxMem), aux);
    view->shiftImage(false);
    EXPECT_EQ(Bank(view.rec()->mainMem), main);
    for (int o = 0; o < kBankSize; ++o) {
        const bool firstByteOfLine = o % 128 < 120 && (o % 128) % 40 == 0;
        const int expected = firstByteOfLine ? (aux[o] & 0x7E) : aux[o];
        ASSERT_EQ(view.rec()->auxMem[o], expected) << o;
    }
}

TEST(Shift, HiresShiftingClearsEveryHighBit) {
    std::mt19937 rng(32);
    for (bool left : {true, false}) {
        ShownView view;
        view.rec()->isDHGR = false;
        for (int i = 0; i < kBankSize; ++i)
            view.rec()->mainMem[i] = static_cast<std::uint8_t>(rng());
        view->shiftImage(left);
        for (int y = 0; y < kLines; ++y)
            for (int c = 0; c < kLineBytes; ++c)
                ASSERT_LT(view.rec()->mainMem[g_rowoffsets[y] + c], 0x80) << y << "," << c;
        EXPECT_FALSE(view.rec()->isDHGR);
    }
}

TEST(Shift, HiresPixelsWithoutTheDelay) {
    // Right leaves the pixels where they are; left moves each one pixel (two dots) left.
    EXPECT_EQ(ShiftedHires({0x12, 0x01}, false, false), (std::vector<int>{0x12, 0x01}));
    EXPECT_EQ(ShiftedHires({0x12, 0x01}, true, false), (std::vector<int>{0x49, 0x00}));
}

TEST(Shift, HiresPixelsWithTheDelay) {
    // A delayed pixel moves by one dot: right makes it the next pixel of an undelayed byte,
    // left the same pixel of an undelayed byte.
    EXPECT_EQ(ShiftedHires({0x81, 0x00}, false, true), (std::vector<int>{0x02, 0x00}));
    EXPECT_EQ(ShiftedHires({0x81, 0x00}, true, true), (std::vector<int>{0x01, 0x00}));
    EXPECT_EQ(ShiftedHires({0xA4, 0x00}, false, true), (std::vector<int>{0x48, 0x00}));
    // An undelayed pixel under the delay rules: right keeps it, left moves it one pixel.
    EXPECT_EQ(ShiftedHires({0x04, 0x00}, false, true), (std::vector<int>{0x04, 0x00}));
    EXPECT_EQ(ShiftedHires({0x04, 0x00}, true, true), (std::vector<int>{0x02, 0x00}));
    // Bit 6 of a delayed byte before an undelayed one was already cut to one dot by the walk;
    // after a one-dot shift the write-back no longer sees it.
    EXPECT_EQ(ShiftedHires({0xC0, 0x00}, false, true), (std::vector<int>{0x00, 0x00}));
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
    const QImage after = view->offscreenImage;
    for (int y = 0; y < kLines; ++y)
        for (int x = 1; x <= 560; ++x)
            ASSERT_EQ(after.pixel(x, y), before.pixel(x, y)) << x << "," << y;

    const QByteArray aux = Bank(view.rec()->auxMem), main = Bank(view.rec()->mainMem);
    view->convertToDHGR(); // a double hi-res picture stays as it is
    EXPECT_EQ(Bank(view.rec()->auxMem), aux);
    EXPECT_EQ(Bank(view.rec()->mainMem), main);
}

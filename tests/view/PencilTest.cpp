// The pencil with real mouse events: where a pointer lands in memory, that a click alone draws
// nothing, clipping of drags that leave the view, the right button, and the first press on a
// hi-res picture.
#include "ViewTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Memory dot d of line y ('#' set).
bool DotSet(ORVEL_GlobalsRec* rec, int y, int d) {
    const int q = d / 7;
    const std::uint8_t* bank = q % 2 == 0 ? rec->auxMem : rec->mainMem;
    return (bank[g_rowoffsets[y] + q / 2] >> (d % 7)) & 1;
}

int SetDots(ORVEL_GlobalsRec* rec) {
    int count = 0;
    for (int i = 0; i < kBankSize; ++i)
        count +=
            __builtin_popcount(rec->auxMem[i] & 0x7F) + __builtin_popcount(rec->mainMem[i] & 0x7F);
    return count;
}

} // namespace

TEST(PencilMapping, PointerToMemoryDotAndLine) {
    ShownView view;
    view.rec()->screenSize = 2;
    EXPECT_EQ(view->screenToOffs(QPoint(100, 100)), QPoint(50, 25));
    view.rec()->screenSize = 0;
    view.rec()->aspectCorrect = 2;
    EXPECT_EQ(view->screenToOffs(QPoint(100, 100)), QPoint(238, 100));
    view.rec()->screenSize = 1;
    view.rec()->aspectCorrect = 1;
    EXPECT_EQ(view->screenToOffs(QPoint(100, 101)), QPoint(111, 50));
}

TEST(Pencil, AClickWithoutMovementDrawsNothing) {
    ShownView view;
    QTest::mousePress(view.view.get(), Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseRelease(view.view.get(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(SetDots(view.rec()), 0);
}

TEST(Pencil, ADragDrawsTheSegmentsBetweenPointerPositions) {
    ShownView view;
    QTest::mousePress(view.view.get(), Qt::LeftButton, {}, QPoint(40, 20));
    QTest::mouseMove(view.view.get(), QPoint(80, 20));
    QTest::mouseRelease(view.view.get(), Qt::LeftButton, {}, QPoint(80, 20));
    // Normal size: line 10, memory dots 40..80, whole white cells 40..83.
    for (int d = 40; d < 84; ++d)
        EXPECT_TRUE(DotSet(view.rec(), 10, d)) << d;
    EXPECT_FALSE(DotSet(view.rec(), 10, 39));
    EXPECT_FALSE(DotSet(view.rec(), 10, 84));
    EXPECT_EQ(SetDots(view.rec()), 44);
}

TEST(Pencil, ADragOutsideTheViewIsClipped) {
    ShownView view;
    QTest::mousePress(view.view.get(), Qt::LeftButton, {}, QPoint(30, 20));
    QTest::mouseMove(view.view.get(), QPoint(-300, 20));
    QTest::mouseMove(view.view.get(), QPoint(-300, 2000));
    QTest::mouseRelease(view.view.get(), Qt::LeftButton, {}, QPoint(-300, 2000));
    for (int d = 0; d < 32; ++d)
        EXPECT_TRUE(DotSet(view.rec(), 10, d)) << d;
    EXPECT_EQ(SetDots(view.rec()), 32);
}

TEST(Pencil, TheRightButtonDoesNothing) {
    ShownView view;
    QTest::mousePress(view.view.get(), Qt::RightButton, {}, QPoint(30, 20));
    QTest::mouseMove(view.view.get(), QPoint(200, 200));
    QTest::mouseRelease(view.view.get(), Qt::RightButton, {}, QPoint(200, 200));
    EXPECT_EQ(SetDots(view.rec()), 0);
    // Moves without a button (mouse tracking) draw nothing either.
    QTest::mouseMove(view.view.get(), QPoint(300, 300));
    EXPECT_EQ(SetDots(view.rec()), 0);
}

TEST(Pencil, TheFirstPressOnAHiresPictureConvertsIt) {
    ShownView view;
    view.rec()->isDHGR = false;
    view.rec()->mainMem[0] = 0x81; // pixel 0 delayed: offscreen dots 1 and 2
    view->renderImage();
    QTest::mousePress(view.view.get(), Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_TRUE(view.rec()->isDHGR);
    EXPECT_TRUE(DotSet(view.rec(), 0, 0)); // memory dots 0 and 1 = offscreen dots 1 and 2
    EXPECT_TRUE(DotSet(view.rec(), 0, 1));
    EXPECT_FALSE(DotSet(view.rec(), 0, 2));
    QTest::mouseRelease(view.view.get(), Qt::LeftButton, {}, QPoint(300, 300));
}

TEST(Pencil, TheOverlayTakesTheClickInstead) {
    ShownView view;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    view->showOverlayImage(image);
    int clicks = 0;
    QObject::connect(view.view.get(), &OrvelWidget::overlayClicked, [&] { ++clicks; });
    QTest::mousePress(view.view.get(), Qt::LeftButton, {}, QPoint(30, 20));
    QTest::mouseMove(view.view.get(), QPoint(200, 20));
    QTest::mouseRelease(view.view.get(), Qt::LeftButton, {}, QPoint(200, 20));
    QTest::mousePress(view.view.get(), Qt::RightButton, {}, QPoint(30, 20));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(SetDots(view.rec()), 0);
}

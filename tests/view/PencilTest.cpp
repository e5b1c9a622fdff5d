// The pencil with real mouse events: where a pointer lands in memory, that a click alone draws
// nothing, clipping of drags that leave the view, the right button, the overlay, and the first
// press on a hi-res picture.
#include "ViewTestSupport.h"

#include <gtest/gtest.h>

namespace {

int SetDots(const ORVEL_GlobalsRec* rec) {
    int count = 0;
    for (int i = 0; i < kBankSize; ++i)
        count +=
            __builtin_popcount(rec->auxMem[i] & 0x7F) + __builtin_popcount(rec->mainMem[i] & 0x7F);
    return count;
}

// Presses `button` at the first point, moves through the others and releases at the last.
void Stroke(ShownView& view, Qt::MouseButton button, const std::vector<QPoint>& points) {
    QTest::mousePress(view.view.get(), button, {}, points.front());
    for (std::size_t i = 1; i < points.size(); ++i)
        QTest::mouseMove(view.view.get(), points[i]);
    QTest::mouseRelease(view.view.get(), button, {}, points.back());
}

} // namespace

TEST(PencilMapping, PointerToMemoryDotAndLine) {
    ShownView view;
    const struct {
        int size, aspect;
        QPoint pointer, dot;
    } cases[] = {{2, 0, {100, 100}, {50, 25}},
                 {0, 2, {100, 100}, {238, 100}},
                 {1, 1, {100, 101}, {111, 50}},
                 {1, 0, {561, 383}, {561, 191}}};
    for (const auto& c : cases) {
        view.rec()->screenSize = static_cast<std::uint16_t>(c.size);
        view.rec()->aspectCorrect = static_cast<std::uint16_t>(c.aspect);
        EXPECT_EQ(view->screenToOffs(c.pointer), c.dot) << c.size << "," << c.aspect;
    }
}

// Normal size: pointer x is memory dot x, pointer y is line y / 2; whole white cells are drawn.
TEST(Pencil, DragsDrawClippedSegmentsAndNothingElseDoes) {
    const struct {
        const char* what;
        Qt::MouseButton button;
        std::vector<QPoint> points;
        int firstDot, lastDot, line;
    } cases[] = {
        {"a click alone", Qt::LeftButton, {{100, 100}}, 0, -1, 0},
        {"a drag", Qt::LeftButton, {{40, 20}, {80, 20}}, 40, 83, 10},
        {"a drag out of the view", Qt::LeftButton, {{30, 20}, {-300, 20}, {-300, 2000}}, 0, 31, 10},
        {"the right button", Qt::RightButton, {{30, 20}, {200, 200}}, 0, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ShownView view;
        Stroke(view, c.button, c.points);
        QTest::mouseMove(view.view.get(), QPoint(300, 300)); // moves without a button draw nothing
        for (int d = c.firstDot - 1; d <= c.lastDot + 1; ++d)
            EXPECT_EQ(d >= 0 && DotSet(view.rec(), c.line, d), d >= c.firstDot && d <= c.lastDot)
                << d;
        EXPECT_EQ(SetDots(view.rec()), c.lastDot - c.firstDot + 1);
    }
}

TEST(Pencil, TheOverlayTakesTheClickInstead) {
    ShownView view;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    view->showOverlayImage(image);
    int clicks = 0;
    QObject::connect(view.view.get(), &OrvelWidget::overlayClicked, [&] { ++clicks; });
    Stroke(view, Qt::LeftButton, {{30, 20}, {200, 20}});
    QTest::mousePress(view.view.get(), Qt::RightButton, {}, QPoint(30, 20));
    EXPECT_EQ(clicks, 2);
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

// Zoom and the tools in the view, through real mouse, wheel and key events, and what a zoomed
// view shows at fixed pixels: the dot grid, byte boundaries and hi-res high-bit marks.
#include "ViewTestSupport.h"

#include <QSignalSpy>
#include <QWheelEvent>

namespace {

// The centre of memory dot `dot` of `line` on a double hi-res view zoomed `zoom` times.
QPoint DotCentre(int zoom, int line, int dot) {
    return QPoint((dot + 1) * zoom + zoom / 2, line * 2 * zoom + zoom);
}

} // namespace

TEST(Zoom, ARectangleDragHitsTheDotsUnderThePointerAndEscCancels) {
    ShownView view;
    view.rec()->is560Mode = true;
    view->setZoom(4);
    view->setTool(Tool::Rectangle);
    QSignalSpy edits(view.get(), &OrvelWidget::pictureEdited);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, DotCentre(4, 5, 10));
    QTest::mouseMove(view.get(), DotCentre(4, 9, 30));
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, DotCentre(4, 9, 30));
    // Dots 9..31 of lines 4..10 (corners and a middle dot of each side, none outside).
    std::string dots;
    for (int line = 4; line <= 10; ++line, dots += '|')
        for (int dot : {9, 10, 20, 30, 31})
            dots += DotSet(view.rec(), line, dot) ? '#' : '.';
    EXPECT_EQ(dots, ".....|.###.|.#.#.|.#.#.|.#.#.|.###.|.....|");
    ASSERT_TRUE(edits.count() == 1 && edits.at(0).at(0).toString() == "Rectangle");

    const QByteArray drawn = Banks(view.rec());
    QTest::mousePress(view.get(), Qt::LeftButton, {}, DotCentre(4, 20, 10));
    QTest::mouseMove(view.get(), DotCentre(4, 40, 100));
    EXPECT_NE(Banks(view.rec()), drawn); // the rubber band is drawn while dragging
    QTest::keyClick(view.get(), Qt::Key_Escape);
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, DotCentre(4, 40, 100));
    EXPECT_EQ(Banks(view.rec()), drawn);
    EXPECT_EQ(edits.count(), 1);
    EXPECT_EQ(view->readoutAt(DotCentre(4, 50, 100)).toStdString(),
              "line 50  dot 100  aux $2B07 = $00 (high bit 0)  colour #000000");
}

// Byte boundaries (memory dot 7: column 8) are drawn stronger than dot lines; a hi-res byte
// with its high bit set gets a mark along the bottom of its line.
TEST(Zoom, GridByteBoundariesAndHighBitMarks) {
    ShownView view;
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), {}, QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view.get(), &wheel);
    EXPECT_TRUE(view->zoom() == 2 && view->width() == 2 * 562);
    view->setZoom(16);
    const QImage shown = view->grab(QRect(0, 0, 300, 64)).toImage();
    const int byteEdge = qGray(shown.pixel(128, 20)), dotEdge = qGray(shown.pixel(144, 20));
    EXPECT_GT(byteEdge, dotEdge);
    EXPECT_GT(dotEdge, 0);
    EXPECT_EQ(qGray(shown.pixel(136, 20)), 0); // inside a dark dot

    view.rec()->isDHGR = false;
    view.rec()->mainMem[0] = 0x80;
    view->setZoom(8);
    const QImage hires = view->grab(QRect(0, 0, 300, 20)).toImage();
    EXPECT_GT(qRed(hires.pixel(50, 15)), 200);  // the mark under byte 0
    EXPECT_LT(qRed(hires.pixel(150, 15)), 100); // none under byte 1
}

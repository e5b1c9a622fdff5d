// Editing the picture in the view: the pencil with real mouse events, shifting and converting
// whole pictures by the rules of the half-dot delay, and the colour swatch panel.
#include "ViewTestSupport.h"
#include "view/SwatchPanel.h"

#include <QSignalSpy>

namespace {

int SetDots(const ORVEL_GlobalsRec* rec) {
    int count = 0;
    for (const char byte : Banks(rec))
        count += __builtin_popcount(byte & 0x7F);
    return count;
}

// Presses `button` at the first point, moves through the others and releases at the last.
void Stroke(ShownView& view, Qt::MouseButton button, const std::vector<QPoint>& points) {
    QTest::mousePress(view.get(), button, {}, points.front());
    for (std::size_t i = 1; i < points.size(); ++i)
        QTest::mouseMove(view.get(), points[i]);
    QTest::mouseRelease(view.get(), button, {}, points.back());
}

} // namespace

// Normal size: pointer x is memory dot x, pointer y is line y / 2; whole white cells are drawn.
// The right button takes the colour under it and draws nothing.
TEST(Pencil, DragsDrawClippedSegmentsAndNothingElseDoes) {
    const struct {
        const char* what;
        Qt::MouseButton button;
        std::vector<QPoint> points;
        int firstDot, lastDot, line;
    } cases[] = {
        {"a click alone sets its cell", Qt::LeftButton, {{100, 100}}, 100, 103, 50},
        {"a drag", Qt::LeftButton, {{40, 20}, {80, 20}}, 40, 83, 10},
        {"a drag out of the view", Qt::LeftButton, {{30, 20}, {-300, 20}, {-300, 2000}}, 0, 31, 10},
        {"the right button", Qt::RightButton, {{30, 20}, {200, 200}}, 0, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ShownView view;
        Stroke(view, c.button, c.points);
        QTest::mouseMove(view.get(), QPoint(300, 300)); // moves without a button draw nothing
        for (int d = c.firstDot - 1; d <= c.lastDot + 1; ++d)
            EXPECT_EQ(d >= 0 && DotSet(view.rec(), c.line, d), d >= c.firstDot && d <= c.lastDot)
                << d;
        EXPECT_EQ(SetDots(view.rec()), c.lastDot - c.firstDot + 1);
    }
    ShownView view; // where a pointer lands at other sizes and aspects
    const struct {
        int size, aspect;
        QPoint pointer, dot;
    } mappings[] = {{2, 0, {100, 100}, {50, 25}},
                    {0, 2, {100, 100}, {238, 100}},
                    {1, 1, {100, 101}, {111, 50}},
                    {1, 0, {561, 383}, {561, 191}}};
    for (const auto& m : mappings) {
        view.rec()->screenSize = static_cast<std::uint16_t>(m.size);
        view.rec()->aspectCorrect = static_cast<std::uint16_t>(m.aspect);
        EXPECT_EQ(view->screenToOffs(m.pointer), m.dot) << m.size << "," << m.aspect;
    }
}

// The overlay takes the click instead; the first press on a hi-res picture converts it.
TEST(Pencil, TheOverlayTakesTheClickAndAHiresPictureIsConvertedFirst) {
    ShownView view;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    view->showOverlayImage(image);
    int clicks = 0;
    QObject::connect(view.get(), &OrvelWidget::overlayClicked, [&] { ++clicks; });
    Stroke(view, Qt::LeftButton, {{30, 20}, {200, 20}});
    QTest::mousePress(view.get(), Qt::RightButton, {}, QPoint(30, 20));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(SetDots(view.rec()), 0);

    ShownView hires;
    hires.rec()->isDHGR = false;
    hires.rec()->mainMem[0] = 0x81; // pixel 0 delayed: offscreen dots 1 and 2
    hires->renderImage();
    QTest::mousePress(hires.get(), Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_TRUE(hires.rec()->isDHGR);
    for (int d = 0; d < 3; ++d) // memory dots 0 and 1 = offscreen dots 1 and 2
        EXPECT_EQ(DotSet(hires.rec(), 0, d), d < 2) << d;
    QTest::mouseRelease(hires.get(), Qt::LeftButton, {}, QPoint(300, 300));
}

// Double hi-res: left then right loses only the leftmost dot of each line. Hi-res: line 0's
// first two bytes after one shift, with and without the delay rules; noise elsewhere only loses
// its high bits.
TEST(Shift, PicturesMoveByTheDelayRules) {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.in0 << " " << c.left << c.delay);
        ORVEL_GlobalsRec* rec = view.rec();
        rec->isDHGR = false;
        rec->quenEngine = rec->bitShifting = c.delay;
        for (int i = 0; i < kBankSize; ++i)
            rec->mainMem[i] = static_cast<std::uint8_t>(i < 40 ? 0 : rng());
        rec->mainMem[0] = static_cast<std::uint8_t>(c.in0);
        rec->mainMem[1] = static_cast<std::uint8_t>(c.in1);
        view->shiftImage(c.left);
        EXPECT_EQ(rec->mainMem[0], c.out0);
        EXPECT_EQ(rec->mainMem[1], c.out1);
        EXPECT_FALSE(rec->isDHGR);
        for (int y = 0; y < kLines; ++y)
            for (int x = 0; x < kLineBytes; ++x)
                ASSERT_LT(rec->mainMem[g_rowoffsets[y] + x], 0x80) << y << "," << x;
    }
}

// One-bit, so the dots are the picture: memory dot d shows at offscreen dot d + 1, dots 1..560
// carry over and dot 0 has no place. A double hi-res picture stays as it is.
TEST(Convert, HiresBecomesDoubleHiresShowingTheSameDots) {
    std::mt19937 rng(33);
    ShownView view;
    view.rec()->isDHGR = false;
    for (int i = 0; i < kBankSize; ++i)
        view.rec()->mainMem[i] = static_cast<std::uint8_t>(rng());
    view.rec()->bmFinalDepth = 1;
    view->renderImage();
    const QImage before = view->offscreenImage.copy();
    view->convertToDHGR();
    EXPECT_TRUE(view.rec()->isDHGR);
    EXPECT_EQ(view.rec()->bmFinalDepth, 1);
    for (int y = 0; y < kLines; ++y)
        for (int x = 1; x <= 560; ++x)
            ASSERT_EQ(view->offscreenImage.pixel(x, y), before.pixel(x, y)) << x << "," << y;
    const QByteArray banks = Banks(view.rec());
    view->convertToDHGR();
    EXPECT_EQ(Banks(view.rec()), banks);
}

// White is the pencil colour at start. Docked, cells 0 and 1 are rows 4..27 and 30..53 (28 and
// 29 are the gap); floating, two rows of eight. The palette in force is painted even when a
// one-bit palette is, and the selection framed in white.
TEST(SwatchPanel, ClicksSelectCellsInBothLayoutsAndThePaletteShows) {
    const struct Guard {
        decltype(g_curColor) saved = g_curColor;
        ~Guard() { g_curColor = saved; }
    } guard;
    ShownView view;
    SwatchPanel panel(view.rec());
    EXPECT_EQ(panel.selectedColor, 15);
    EXPECT_EQ(g_curColor, 15);
    EXPECT_EQ(panel.size(), QSize(34, 424));
    view.rec()->paletteType = 3;
    view.rec()->bmFinalDepth = 1;
    const QImage shown = panel.grab().toImage();
    EXPECT_EQ(shown.pixel(panel.cellRect(0).center()), qRgb(0x02, 0x00, 0x00));
    EXPECT_EQ(shown.pixel(panel.cellRect(9).center()), qRgb(0xCE, 0x31, 0xCE));
    EXPECT_EQ(shown.pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(panel.cellRect(15).topLeft() - QPoint(1, 1)), qRgb(255, 255, 255));
    panel.show();
    QSignalSpy selected(&panel, &SwatchPanel::colorSelected);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, panel.cellRect(3).center());
    EXPECT_TRUE(g_curColor == 3 && panel.selectedColor == 3);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(15, 28));
    QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(15, 29));
    EXPECT_EQ(g_curColor, 3);
    EXPECT_EQ(selected.count(), 1);
    QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(27, 30)); // edges count, any button
    EXPECT_EQ(g_curColor, 1);
    panel.setFloating(true);
    EXPECT_EQ(panel.size(), QSize(216, 60));
    EXPECT_EQ(panel.cellRect(7), QRect(QPoint(186, 4), QPoint(209, 27)));
    EXPECT_EQ(panel.cellRect(8), QRect(QPoint(4, 30), QPoint(27, 53)));
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(209, 53));
    EXPECT_EQ(g_curColor, 15);
    panel.setFloating(false);
    EXPECT_EQ(panel.cellRect(15), QRect(QPoint(4, 394), QPoint(27, 417)));
}

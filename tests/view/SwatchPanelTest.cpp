// The colour swatch panel: the pencil colour at start, clicks on cells and between them, the
// floating and docked layouts, and the palette it paints.
#include "view/SwatchPanel.h"
#include "ViewTestSupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(SwatchPanel, ClicksOnCellsSelectInBothLayouts) {
    const CurColorGuard guard;
    ShownView view;
    SwatchPanel panel(view.rec());
    EXPECT_EQ(panel.selectedColor, 15);
    EXPECT_EQ(g_curColor, 15); // white is the pencil colour at start
    EXPECT_EQ(panel.size(), QSize(34, 424));
    panel.show();
    QSignalSpy selected(&panel, &SwatchPanel::colorSelected);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, panel.cellRect(3).center());
    EXPECT_EQ(g_curColor, 3);
    EXPECT_EQ(panel.selectedColor, 3);
    // Cells 0 and 1 docked: rows 4..27 and 30..53; rows 28 and 29 are the gap.
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(15, 28));
    QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(15, 29));
    EXPECT_EQ(g_curColor, 3);
    EXPECT_EQ(selected.count(), 1);
    QTest::mouseClick(&panel, Qt::RightButton, {}, QPoint(27, 30)); // edges count, any button
    EXPECT_EQ(g_curColor, 1);

    panel.setFloating(true); // two rows of eight
    EXPECT_EQ(panel.size(), QSize(216, 60));
    EXPECT_EQ(panel.cellRect(7), QRect(QPoint(186, 4), QPoint(209, 27)));
    EXPECT_EQ(panel.cellRect(8), QRect(QPoint(4, 30), QPoint(27, 53)));
    QTest::mouseClick(&panel, Qt::LeftButton, {}, QPoint(209, 53));
    EXPECT_EQ(g_curColor, 15);
    panel.setFloating(false);
    EXPECT_EQ(panel.size(), QSize(34, 424));
    EXPECT_EQ(panel.cellRect(15), QRect(QPoint(4, 394), QPoint(27, 417)));
}

TEST(SwatchPanel, PaintsThePaletteInForceAndFramesTheSelection) {
    ShownView view;
    SwatchPanel panel(view.rec());
    view.rec()->paletteType = 3;
    view.rec()->bmFinalDepth = 1; // a one-bit palette in force: the colours still show
    const QImage shown = panel.grab().toImage();
    EXPECT_EQ(shown.pixel(panel.cellRect(0).center()), qRgb(0x02, 0x00, 0x00));
    EXPECT_EQ(shown.pixel(panel.cellRect(9).center()), qRgb(0xCE, 0x31, 0xCE));
    EXPECT_EQ(shown.pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(panel.cellRect(15).topLeft() - QPoint(1, 1)), qRgb(255, 255, 255));
}

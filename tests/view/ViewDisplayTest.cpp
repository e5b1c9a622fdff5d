// What the view shows: its size for every display size and aspect, hand-worked dots, smoothing
// only where the aspect is corrected, the overlay, an empty picture, and full renders of the
// samples against golden PNG files reviewed by eye (golden/README.md).
#include "ViewTestSupport.h"
#include "support/TestPaths.h"

#include <set>

namespace {

constexpr QRgb kAmber = qRgb(0xFF, 0xBB, 0x00), kBlack = qRgb(0, 0, 0);

QImage Grab(ShownView& view) {
    view->repaint();
    return view->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

// Amber one-bit dots 0, 2, 4, 6 of line 0 show at offscreen dots 1, 3, 5, 7 (a memory dot shows
// one dot to the right), on both engines; grey background never shows.
TEST(ViewDisplay, SizesDotsAndSmoothingForEverySizeAndAspect) {
    ShownView view;
    view.rec()->bmFinalDepth = 1;
    view.rec()->oneBitPalette = 2;
    view.rec()->auxMem[0] = 0x55;
    const int widths[3][3] = {{281, 253, 237}, {562, 506, 474}, {1124, 1012, 948}};
    for (bool quen : {true, false})
        for (int size = 0; size < 3; ++size)
            for (int aspect = 0; aspect < 3; ++aspect) {
                SCOPED_TRACE(testing::Message() << "size " << size << " aspect " << aspect);
                view.rec()->quenEngine = quen;
                view.rec()->screenSize = static_cast<std::uint16_t>(size);
                view.rec()->aspectCorrect = static_cast<std::uint16_t>(aspect);
                view->renderImage();
                ASSERT_EQ(view->size(), QSize(widths[size][aspect], 192 << size));
                const QImage shown = Grab(view);
                std::set<QRgb> colours;
                for (int y = 0; y < shown.height(); ++y)
                    for (int x = 0; x < shown.width(); ++x)
                        colours.insert(shown.pixel(x, y));
                // Smoothing, and only smoothing, makes colours the picture does not have.
                EXPECT_EQ(colours.size() > 2, aspect != 0) << colours.size() << " colours";
                if (aspect != 0 || size == 0) continue;
                for (int y = 0; y < shown.height(); y += y < 8 ? 1 : 13)
                    for (int x = 0; x < shown.width(); x += x < 20 ? 1 : 7) {
                        const int dot = x >> (size - 1), line = y >> size;
                        const bool lit = line == 0 && dot % 2 == 1 && dot <= 7;
                        ASSERT_EQ(shown.pixel(x, y), lit ? kAmber : kBlack) << x << "," << y;
                    }
            }
}

// The overlay (a null one shows the picture) hides renders going on underneath, and a copy of
// the picture taken before (as an overlay is) keeps its pixels; an empty picture is black double
// hi-res and keeps the settings.
TEST(ViewDisplay, OverlayAndClearPicture) {
    ShownView view;
    view.rec()->auxMem[0] = 0x7F;
    view->renderImage();
    const QImage picture = Grab(view), held = view->offscreenImage, heldCopy = held.copy();
    view->showOverlayImage(QImage());
    EXPECT_EQ(Grab(view), picture);
    QImage red(10, 10, QImage::Format_RGB32), allRed(1124, 768, QImage::Format_RGB32);
    red.fill(Qt::red);
    allRed.fill(Qt::red);
    view->showOverlayImage(red);
    view.rec()->paletteType = 6;
    view.rec()->screenSize = 2;
    view.rec()->isDHGR = false;
    view->clearPicture();
    EXPECT_EQ(Grab(view), allRed);
    EXPECT_EQ(held, heldCopy);
    view->dismissOverlay();
    EXPECT_TRUE(view.rec()->isDHGR);
    EXPECT_EQ(Banks(view.rec()), QByteArray(2 * kBankSize, '\0'));
    EXPECT_EQ(view.rec()->paletteType, 6);
    const QImage shown = Grab(view);
    for (int y = 0; y < shown.height(); y += 3)
        for (int x = 0; x < shown.width(); x += 3)
            ASSERT_EQ(shown.pixel(x, y), kBlack);
}

// ORVEL_UPDATE_GOLDEN=1 rewrites the golden files instead.
TEST(ViewDisplay, SamplesRenderAsReviewed) {
    const struct {
        const char *sample, *golden;
        int quen, scheme, palette, depth, oneBit, offset;
    } goldens[] = {
        {"colors.hgr", "colors-quen-double.png", 1, 1, 2, 8, 0, 0},
        {"bars.dhgr", "bars-quen-dunmere.png", 1, 0, 0, 8, 0, 0},
        {"pair.hgr", "pair-quen-sharp.png", 1, 2, 7, 8, 0, 0},
        {"colors.hgr", "colors-by-the-book.png", 0, 1, 1, 8, 0, 0},
        {"bars.dhgr", "bars-by-the-book.png", 0, 1, 5, 8, 0, 1},
        {"colors.hgr", "colors-amber.png", 1, 1, 2, 1, 2, 0},
    };
    for (const auto& g : goldens) {
        ShownView view;
        ASSERT_TRUE(view->loadFile(orvelSourcePath(QString("samples/") + g.sample))) << g.sample;
        ORVEL_GlobalsRec* rec = view.rec();
        rec->bitShifting = true;
        rec->quenEngine = g.quen;
        rec->schemeType = static_cast<std::uint16_t>(g.scheme);
        rec->paletteType = static_cast<std::uint16_t>(g.palette);
        rec->bmFinalDepth = static_cast<std::uint16_t>(g.depth);
        rec->oneBitPalette = static_cast<std::uint16_t>(g.oneBit);
        rec->dhgrColorOffset = static_cast<std::int16_t>(g.offset);
        view->renderImage();
        const QImage rendered = view->offscreenImage.convertToFormat(QImage::Format_RGB32);
        const QString path = orvelSourcePath(QString("tests/view/golden/") + g.golden);
        if (qEnvironmentVariableIntValue("ORVEL_UPDATE_GOLDEN") == 1)
            ASSERT_TRUE(rendered.save(path, "PNG")) << g.golden;
        else
            EXPECT_TRUE(rendered == QImage(path).convertToFormat(QImage::Format_RGB32)) << g.golden;
    }
}

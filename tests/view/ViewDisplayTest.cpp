// What the view shows: its size for every display size and aspect, smoothing, the overlay,
// the grey background always covered, and an empty picture that keeps the settings.
#include "ViewTestSupport.h"
#include "view/PicturePainting.h"

#include <gtest/gtest.h>

namespace {

QImage Grab(ShownView& view) {
    view->repaint();
    return view->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage Rgb(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(ViewDisplay, SizeAndSmoothingForEverySizeAndAspect) {
    ShownView view;
    std::mt19937 rng(4);
    for (int i = 0; i < kBankSize; ++i)
        view.rec()->auxMem[i] = static_cast<std::uint8_t>(rng());
    const int widths[3][3] = {{281, 253, 237}, {562, 506, 474}, {1124, 1012, 948}};
    const int heights[3] = {192, 384, 768};
    for (int size = 0; size < 3; ++size)
        for (int aspect = 0; aspect < 3; ++aspect) {
            view.rec()->screenSize = static_cast<std::uint16_t>(size);
            view.rec()->aspectCorrect = static_cast<std::uint16_t>(aspect);
            view->renderImage();
            ASSERT_EQ(view->size(), QSize(widths[size][aspect], heights[size]));
            const QImage shown = Grab(view);
            const bool smooth = aspect != 0;
            const QImage expected =
                Rgb(shownPicture(view->offscreenImage, view->width(), view->height(), smooth));
            EXPECT_EQ(shown, expected) << "size " << size << " aspect " << aspect;
            if (smooth) { // smoothing makes colours that the picture itself does not have
                EXPECT_NE(shown, Rgb(shownPicture(view->offscreenImage, view->width(),
                                                  view->height(), false)));
            }
        }
}

TEST(ViewDisplay, NormalSizeShowsEachLineTwiceUnsmoothed) {
    ShownView view;
    view.rec()->mainMem[0] = 0x7F;
    view.rec()->isDHGR = false;
    view->renderImage();
    const QImage shown = Grab(view);
    const QImage picture = Rgb(view->offscreenImage);
    for (int y = 0; y < 384; y += 7)
        for (int x = 0; x < 562; x += 3)
            ASSERT_EQ(shown.pixel(x, y), picture.pixel(x, y / 2));
}

TEST(ViewDisplay, AmberCoversTheGreyBackground) {
    ShownView view;
    view.rec()->bmFinalDepth = 1;
    view.rec()->oneBitPalette = 2;
    view.rec()->auxMem[0] = 0x55;
    for (bool quen : {true, false}) {
        view.rec()->quenEngine = quen;
        view->renderImage();
        const QImage shown = Grab(view);
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb p = shown.pixel(x, y);
                ASSERT_TRUE(p == qRgb(0xFF, 0xBB, 0x00) || p == qRgb(0, 0, 0)) << x << "," << y;
            }
        EXPECT_EQ(shown.pixel(1, 0), qRgb(0xFF, 0xBB, 0x00));
    }
}

TEST(ViewDisplay, OverlayShowsInsteadOfThePictureUnlessNull) {
    ShownView view;
    view.rec()->auxMem[0] = 0x7F;
    view->renderImage();
    const QImage picture = Grab(view);

    view->showOverlayImage(QImage());
    EXPECT_EQ(Grab(view), picture);

    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    view->showOverlayImage(red);
    const QImage overlaid = Grab(view);
    EXPECT_EQ(overlaid.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(overlaid.pixel(561, 383), qRgb(255, 0, 0));
    view->renderImage(); // renders continue underneath
    EXPECT_EQ(Grab(view).pixel(200, 200), qRgb(255, 0, 0));

    view->dismissOverlay();
    EXPECT_EQ(Grab(view), picture);
}

TEST(ViewDisplay, ClearPictureLeavesBlackDoubleHiresAndTheSettings) {
    ShownView view;
    view.rec()->isDHGR = false;
    view.rec()->mainMem[100] = 0x7F;
    view.rec()->paletteType = 6;
    view.rec()->screenSize = 2;
    view->clearPicture();
    EXPECT_TRUE(view.rec()->isDHGR);
    EXPECT_EQ(Bank(view.rec()->mainMem), QByteArray(kBankSize, '\0'));
    EXPECT_EQ(view.rec()->paletteType, 6);
    EXPECT_EQ(view->size(), QSize(1124, 768));
    const QImage shown = Grab(view);
    for (int y = 0; y < shown.height(); y += 5)
        for (int x = 0; x < shown.width(); x += 5)
            ASSERT_EQ(shown.pixel(x, y), qRgb(0, 0, 0));
}

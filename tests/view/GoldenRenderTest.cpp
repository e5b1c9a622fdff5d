// Full renders of the sample pictures through the view, compared with golden PNG files that
// were made once and reviewed by eye (see golden/README.md). ORVEL_UPDATE_GOLDEN=1 rewrites them.
#include "ViewTestSupport.h"
#include "support/TestPaths.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

struct Golden {
    const char* sample;
    const char* golden;
    bool quen;
    int scheme, palette, depth, oneBit;
    bool shifting;
    int offset;
};

const Golden kGoldens[] = {
    {"samples/colors.hgr", "colors-quen-double.png", true, 1, 2, 8, 0, true, 0},
    {"samples/bars.dhgr", "bars-quen-dunmere.png", true, 0, 0, 8, 0, true, 0},
    {"samples/pair.hgr", "pair-quen-sharp.png", true, 2, 7, 8, 0, true, 0},
    {"samples/colors.hgr", "colors-by-the-book.png", false, 1, 1, 8, 0, true, 0},
    {"samples/bars.dhgr", "bars-by-the-book.png", false, 1, 5, 8, 0, true, 1},
    {"samples/colors.hgr", "colors-amber.png", true, 1, 2, 1, 2, true, 0},
};

QImage Rendered(const Golden& g) {
    ShownView view;
    if (!view->loadFile(orvelSourcePath(g.sample))) return QImage();
    ORVEL_GlobalsRec* rec = view.rec();
    rec->quenEngine = g.quen;
    rec->schemeType = static_cast<std::uint16_t>(g.scheme);
    rec->paletteType = static_cast<std::uint16_t>(g.palette);
    rec->bmFinalDepth = static_cast<std::uint16_t>(g.depth);
    rec->oneBitPalette = static_cast<std::uint16_t>(g.oneBit);
    rec->bitShifting = g.shifting;
    rec->dhgrColorOffset = static_cast<std::int16_t>(g.offset);
    view->renderImage();
    return view->offscreenImage.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(GoldenRender, SamplesRenderAsReviewed) {
    const bool update = qEnvironmentVariableIntValue("ORVEL_UPDATE_GOLDEN") == 1;
    for (const Golden& g : kGoldens) {
        const QString path = orvelSourcePath(QString("tests/view/golden/") + g.golden);
        const QImage rendered = Rendered(g);
        ASSERT_FALSE(rendered.isNull()) << g.sample;
        if (update) {
            ASSERT_TRUE(rendered.save(path, "PNG")) << path.toStdString();
            continue;
        }
        const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(golden.isNull()) << "missing golden " << path.toStdString();
        ASSERT_EQ(golden.size(), rendered.size()) << g.golden;
        int differing = 0;
        for (int y = 0; y < golden.height(); ++y)
            for (int x = 0; x < golden.width(); ++x)
                differing += golden.pixel(x, y) != rendered.pixel(x, y);
        EXPECT_EQ(differing, 0) << g.golden << ": " << differing << " dots differ";
    }
}

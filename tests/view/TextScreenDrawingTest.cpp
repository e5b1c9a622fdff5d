// Text screens drawn cell by cell from reused glyphs must equal the screen drawn in one pass
// through the painter: seeded random screens of every character the font has, in both modes.
#include "view/TextScreenDrawing.h"

#include <QString>
#include <gtest/gtest.h>

#include <random>

namespace {

QString everyCharacter() {
    QString all;
    for (char16_t c = 0x20; c <= 0x7E; ++c)
        all += QChar(c), all += QChar(c - 0x20 + 0xF000);
    for (char16_t c :
         u"ÄÅÇÉÑÖÜáàâäãåçéèêëíìîïñóòôöõúùûü†°¢£§•¶ß®©™´¨≠ÆØ∞±≤≥¥µ∂∑∏π∫ªºΩæø¿¡¬√ƒ≈∆«»… ")
        all += QChar(c);
    return all + QChar(0xE000) + QChar(0xE001);
}

QString randomScreen(std::mt19937& random, bool eighty) {
    static const QString pool = everyCharacter();
    QString text = eighty ? QStringLiteral("80") : QString();
    for (int row = 0; row < 26; ++row) { // rows past the 24th and cells past the last are dropped
        for (int i = int(random() % 90); i > 0; --i)
            text += pool[int(random() % pool.size())];
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace

TEST(TextScreenDrawing, CellByCellEqualsOnePass) {
    std::vector<unsigned> seeds = {7041};
    bool given = false;
    const unsigned extra = qEnvironmentVariable("ORVEL_TEST_SEED").toUInt(&given);
    if (given) seeds.push_back(extra);
    for (const unsigned seed : seeds) {
        std::mt19937 random(seed);
        for (int screen = 0; screen < 12; ++screen) {
            const QString text = randomScreen(random, screen % 2 == 1);
            const TextScreenMask cells = DrawTextScreenMask(text),
                                 whole = DrawTextScreenMaskWhole(text);
            ASSERT_TRUE(cells.fontFound);
            EXPECT_EQ(cells.eighty, whole.eighty);
            ASSERT_EQ(cells.lit.size(), whole.lit.size());
            for (std::size_t i = 0; i < cells.lit.size(); ++i)
                ASSERT_EQ(cells.lit[i] != 0, whole.lit[i] != 0)
                    << "seed " << seed << " (ORVEL_TEST_SEED repeats it), screen " << screen
                    << ", pixel " << i % cells.width() << "," << i / cells.width();
        }
    }
}

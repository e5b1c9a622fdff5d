// Text screens shown as pictures through the picture view: where each character cell lands in
// screen memory for 40 and 80 columns, what is cut off, what the text leaves alone, and the
// cell-by-cell drawing against the screen drawn in one pass through the painter.
#include "ViewTestSupport.h"
#include "support/TestSeeds.h"
#include "view/PictureFile.h"
#include "view/TextScreenDrawing.h"

#include <QRandomGenerator>

#include <set>

namespace {

constexpr char16_t kInverseSpace = 0xF000;

QByteArray LitBanks(const OrvelWidget& view) {
    QByteArray banks = Banks(view.globalsRec);
    for (char& byte : banks)
        byte &= 0x7F;
    return banks;
}

// Lines 0-7 of cell (0, column) of `text`: 40 columns are main bytes; 80 columns take their
// bytes from the auxiliary and the main bank in turn.
std::vector<int> CellLines(const QString& text, int column) {
    OrvelWidget view;
    view.loadTextScreen(text);
    const QByteArray banks = LitBanks(view);
    const bool eighty = view.globalsRec->isDHGR;
    std::vector<int> lines;
    for (int line = 0; line < 8; ++line)
        lines.push_back(banks[(!eighty || column % 2 ? kBankSize : 0) + g_rowoffsets[line] +
                              (eighty ? column / 2 : column)]);
    return lines;
}

} // namespace

// Inverse spaces (0x7F in all 8 lines) at the corners and edges of both grids; rows are cut at
// 40 or 80 cells (the first `solidRow` cells of row 0 are lit) and the screen at 24 rows.
TEST(TextScreenPicture, CellsLandAtTheirScreenAddresses) {
    const QString inv(QChar{kInverseSpace});
    const struct {
        QString text;
        bool eighty;
        std::set<std::pair<int, int>> cells;
        int solidRow;
    } cases[] = {
        {inv, false, {{0, 0}}, 0},
        {"\n\n     " + inv, false, {{2, 5}}, 0},
        {"80" + inv, true, {{0, 0}}, 0},
        {"80 " + inv, true, {{0, 1}}, 0},
        {"80\n\n\n" + QString(79, u' ') + inv, true, {{3, 79}}, 0},
        {QString(23, u'\n') + QString(39, u' ') + inv, false, {{23, 39}}, 0},
        {QString(50, kInverseSpace) + "\n" + inv, false, {{1, 0}}, 40},
        {"80" + QString(85, kInverseSpace), true, {}, 80},
        {QString(25, u'\n') + inv, false, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.left(12).toStdString());
        OrvelWidget view;
        view.loadTextScreen(c.text);
        EXPECT_EQ(bool(view.globalsRec->isDHGR), c.eighty);
        std::set<std::pair<int, int>> cells = c.cells;
        for (int column = 0; column < c.solidRow; ++column)
            cells.insert({0, column});
        QByteArray expected(2 * kBankSize, '\0');
        for (const auto& [row, column] : cells)
            for (int line = 8 * row; line < 8 * row + 8; ++line)
                expected[(!c.eighty || column % 2 == 1 ? kBankSize : 0) + g_rowoffsets[line] +
                         (c.eighty ? column / 2 : column)] = 0x7F;
        EXPECT_TRUE(LitBanks(view) == expected);
    }
    // A glyph is the same seven dots in both widths; "80" is the marker only at the very start.
    for (int column = 0; column < 2; ++column)
        EXPECT_EQ(CellLines("80AB", column), CellLines("AB", column)) << column;
    EXPECT_NE(CellLines("AB", 0), CellLines("AB", 1));
    EXPECT_EQ(CellLines("A80", 0), CellLines("A", 0));
    EXPECT_EQ(CellLines("A80", 1), CellLines("8", 0));
    EXPECT_EQ(CellLines("A80", 2), CellLines("0", 0));
    EXPECT_NE(CellLines("8", 0), CellLines("0", 0));
    EXPECT_NE(CellLines("0", 0), std::vector<int>(8, 0));
}

// Over a noisy picture: every setting but the columns stays, 40 columns save as hi-res, every
// high bit clear, the screen holes (the last 8 bytes of every 128) zero; then an empty text is an
// all-black hi-res picture.
TEST(TextScreenPicture, TextReplacesThePictureAndKeepsEverySettingButTheColumns) {
    for (const quint32 seed : testSeeds(61)) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        QRandomGenerator random(seed);
        for (const QString& marker : {QString(), QStringLiteral("80")}) {
            QString text = marker;
            for (int i = 0; i < 24 * 41; ++i)
                text += i % 41 == 40        ? QChar(u'\n')
                        : random.bounded(4) ? QChar(0x20 + random.bounded(224))
                                            : QChar(0xF000 + random.bounded(0x5F));
            OrvelWidget view;
            ORVEL_GlobalsRec* rec = view.globalsRec;
            random.fillRange(reinterpret_cast<quint32*>(rec->auxMem), kBankSize / 4);
            random.fillRange(reinterpret_cast<quint32*>(rec->mainMem), kBankSize / 4);
            rec->isDHGR = marker.isEmpty();
            rec->bmFinalDepth = 32, rec->paletteType = 6, rec->oneBitPalette = 1;
            rec->bitShifting = rec->quenEngine = rec->is560Mode = rec->startScreen = true;
            rec->schemeType = 0, rec->screenSize = 2, rec->aspectCorrect = 1;
            rec->dhgrColorOffset = -2;
            const QByteArray settings(reinterpret_cast<const char*>(rec), kSettingsBlockSize);
            view.loadTextScreen(text);
            EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(rec), kSettingsBlockSize), settings);
            EXPECT_EQ(bool(rec->isDHGR), !marker.isEmpty());
            const QImage shown = view.offscreenImage.copy();
            view.renderImage(); // what is shown is the new picture under the kept settings
            EXPECT_EQ(view.offscreenImage, shown);
            const QByteArray file = pictureFileBytes(rec);
            ASSERT_EQ(file.size(), marker.isEmpty() ? kBankSize : 2 * kBankSize);
            for (int offset = 0; offset < file.size(); ++offset) {
                const auto byte = static_cast<std::uint8_t>(file[offset]);
                ASSERT_TRUE(byte < 0x80 && (byte == 0 || offset % 128 < 120))
                    << "offset " << offset;
            }
            view.loadTextScreen(QString());
            EXPECT_FALSE(rec->isDHGR);
            EXPECT_EQ(Banks(rec), QByteArray(2 * kBankSize, '\0'));
            QImage black(view.offscreenImage.size(), view.offscreenImage.format());
            black.fill(Qt::black);
            EXPECT_EQ(view.offscreenImage, black);
        }
    }
}

// Seeded random screens of every character the font has, in both modes; rows past the 24th
// and cells past the last are dropped.
TEST(TextScreenDrawing, CellByCellEqualsOnePass) {
    QString pool;
    for (char16_t c = 0x20; c <= 0x7E; ++c)
        pool += QChar(c), pool += QChar(c - 0x20 + 0xF000);
    pool += QString::fromUtf16(
        u"ÄÅÇÉÑÖÜáàâäãåçéèêëíìîïñóòôöõúùûü†°¢£§•¶ß®©™´¨≠ÆØ∞±≤≥¥µ∂∑∏π∫ªºΩæø¿¡¬√ƒ≈∆«»… ");
    pool += QChar(0xE000), pool += QChar(0xE001);
    for (const quint32 seed : testSeeds(7041)) {
        QRandomGenerator random(seed);
        for (int screen = 0; screen < 12; ++screen) {
            QString text;
            for (int row = 0; row < 26; ++row, text += QLatin1Char('\n'))
                for (int i = random.bounded(90); i > 0; --i)
                    text += pool[random.bounded(int(pool.size()))];
            const TextScreenMask cells = DrawTextScreenMask(text, screen % 2),
                                 whole = DrawTextScreenMaskWhole(text, screen % 2);
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

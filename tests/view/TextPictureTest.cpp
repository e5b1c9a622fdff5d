// Text screens shown as pictures through the picture view: where each character cell lands in
// screen memory for 40 and 80 columns, what is cut off, and what the text leaves alone.
#include "core/GlobalsRec.h"
#include "view/OrvelWidget.h"
#include "view/PictureFile.h"

#include <QRandomGenerator>
#include <QString>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <utility>

namespace {

constexpr QChar kInverseSpace(0xF000);

// The byte holding the seven dots (bits 0..6) of line `cellLine` (0..7) of text cell (row,
// column). A 40-column cell is one hi-res byte of the main bank; 80-column cells take their
// seven memory dots from the auxiliary and the main bank in turn.
std::uint8_t cellLineByte(const OrvelWidget& view, int row, int column, int cellLine) {
    const ORVEL_GlobalsRec* rec = view.globalsRec;
    const int offset = g_rowoffsets[8 * row + cellLine];
    if (!rec->isDHGR) return rec->mainMem[offset + column];
    return column % 2 == 0 ? rec->auxMem[offset + column / 2] : rec->mainMem[offset + column / 2];
}

// Lit dots (bits 0..6) anywhere in either bank except in the listed cells.
int litBytesOutside(const OrvelWidget& view, const std::set<std::pair<int, int>>& cells) {
    const ORVEL_GlobalsRec* rec = view.globalsRec;
    const int columns = rec->isDHGR ? 80 : 40;
    int lit = 0;
    for (int line = 0; line < kLines; ++line)
        for (int column = 0; column < columns; ++column) {
            if (cells.count({line / 8, column})) continue;
            if (cellLineByte(view, line / 8, column, line % 8) & 0x7F) ++lit;
        }
    return lit;
}

bool sameBanks(const OrvelWidget& a, const OrvelWidget& b) {
    return a.globalsRec->isDHGR == b.globalsRec->isDHGR &&
           std::memcmp(a.globalsRec->auxMem, b.globalsRec->auxMem, kBankSize) == 0 &&
           std::memcmp(a.globalsRec->mainMem, b.globalsRec->mainMem, kBankSize) == 0;
}

bool cellsMatch(const OrvelWidget& a, int columnA, const OrvelWidget& b, int columnB) {
    for (int cellLine = 0; cellLine < 8; ++cellLine)
        if ((cellLineByte(a, 0, columnA, cellLine) & 0x7F) !=
            (cellLineByte(b, 0, columnB, cellLine) & 0x7F))
            return false;
    return true;
}

bool cellIsBlank(const OrvelWidget& view, int row, int column) {
    for (int cellLine = 0; cellLine < 8; ++cellLine)
        if (cellLineByte(view, row, column, cellLine) & 0x7F) return false;
    return true;
}

// Seeded random bytes in both banks, flagged double hi-res: a picture the text must replace.
void fillWithNoise(OrvelWidget& view, quint32 seed) {
    QRandomGenerator random(seed);
    for (std::uint8_t& byte : view.globalsRec->auxMem)
        byte = static_cast<std::uint8_t>(random.bounded(256));
    for (std::uint8_t& byte : view.globalsRec->mainMem)
        byte = static_cast<std::uint8_t>(random.bounded(256));
    view.globalsRec->isDHGR = true;
}

TEST(TextScreenPicture, LeadingEightyGivesDoubleHiResOfTheRest) {
    const QString text = QStringLiteral("AB") + kInverseSpace;
    OrvelWidget eighty, forty;
    eighty.loadTextScreen(QStringLiteral("80") + text);
    forty.loadTextScreen(text);
    ASSERT_TRUE(eighty.globalsRec->isDHGR);
    ASSERT_FALSE(forty.globalsRec->isDHGR);
    // A glyph is the same seven dots wide in both; "80" itself is not drawn.
    for (int column = 0; column < 3; ++column) {
        EXPECT_TRUE(cellsMatch(eighty, column, forty, column)) << "cell " << column;
        EXPECT_FALSE(cellIsBlank(eighty, 0, column)) << "cell " << column;
    }
    EXPECT_EQ(litBytesOutside(eighty, {{0, 0}, {0, 1}, {0, 2}}), 0);
    EXPECT_EQ(litBytesOutside(forty, {{0, 0}, {0, 1}, {0, 2}}), 0);
}

TEST(TextScreenPicture, EightyAnywhereElseIsDrawnInFortyColumns) {
    OrvelWidget drawn, eight, zero, letter;
    drawn.loadTextScreen(QStringLiteral("A80"));
    letter.loadTextScreen(QStringLiteral("A"));
    eight.loadTextScreen(QStringLiteral("8"));
    zero.loadTextScreen(QStringLiteral("0"));
    ASSERT_FALSE(drawn.globalsRec->isDHGR);
    EXPECT_TRUE(cellsMatch(drawn, 0, letter, 0));
    EXPECT_TRUE(cellsMatch(drawn, 1, eight, 0));
    EXPECT_TRUE(cellsMatch(drawn, 2, zero, 0));
    EXPECT_FALSE(cellIsBlank(drawn, 0, 1));
    EXPECT_FALSE(cellIsBlank(drawn, 0, 2));
    EXPECT_FALSE(cellsMatch(drawn, 1, drawn, 2));
}

TEST(TextScreenPicture, InverseSpaceIsASolidSevenByEightCell) {
    OrvelWidget forty;
    forty.loadTextScreen(QString(kInverseSpace));
    for (int cellLine = 0; cellLine < 8; ++cellLine)
        EXPECT_EQ(forty.globalsRec->mainMem[g_rowoffsets[cellLine]], 0x7F) << "line " << cellLine;
    EXPECT_EQ(litBytesOutside(forty, {{0, 0}}), 0);

    // Row 2, column 5: lines 16..23, byte 5 of each.
    OrvelWidget placed;
    placed.loadTextScreen(QStringLiteral("\n\n     ") + kInverseSpace);
    for (int line = 16; line < 24; ++line)
        EXPECT_EQ(placed.globalsRec->mainMem[g_rowoffsets[line] + 5], 0x7F) << "line " << line;
    EXPECT_EQ(litBytesOutside(placed, {{2, 5}}), 0);

    // 80 columns: memory dots 0..6 are bits 0..6 of auxiliary byte 0; the next cell's are bits
    // 0..6 of main byte 0.
    OrvelWidget eighty;
    eighty.loadTextScreen(QStringLiteral("80 ") + kInverseSpace);
    for (int cellLine = 0; cellLine < 8; ++cellLine) {
        EXPECT_EQ(eighty.globalsRec->auxMem[g_rowoffsets[cellLine]] & 0x7F, 0) << cellLine;
        EXPECT_EQ(eighty.globalsRec->mainMem[g_rowoffsets[cellLine]] & 0x7F, 0x7F) << cellLine;
    }
    EXPECT_EQ(litBytesOutside(eighty, {{0, 1}}), 0);
    OrvelWidget first;
    first.loadTextScreen(QStringLiteral("80") + kInverseSpace);
    for (int cellLine = 0; cellLine < 8; ++cellLine)
        EXPECT_EQ(first.globalsRec->auxMem[g_rowoffsets[cellLine]] & 0x7F, 0x7F) << cellLine;
    EXPECT_EQ(litBytesOutside(first, {{0, 0}}), 0);
}

TEST(TextScreenPicture, LongLineShowsItsFirstFortyCharacters) {
    QString forty;
    for (int column = 0; column < 40; ++column)
        forty += QChar(column % 2 ? 'A' + column % 26 : 0xF021 + column); // inverse and plain
    const QString fifty = forty + QString(10, kInverseSpace);
    OrvelWidget cut, whole;
    cut.loadTextScreen(fifty + QStringLiteral("\nB"));
    whole.loadTextScreen(forty + QStringLiteral("\nB"));
    EXPECT_TRUE(sameBanks(cut, whole));
    EXPECT_FALSE(cellIsBlank(cut, 1, 0)); // the next line starts on the next row
    EXPECT_TRUE(cellIsBlank(cut, 1, 1));
}

TEST(TextScreenPicture, FortyColumnsSaveAsHiResWithEveryHighBitClear) {
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "screen seed " << seed);
    QRandomGenerator random(seed);
    QString text;
    for (int row = 0; row < 24; ++row) {
        if (row > 0) text += QLatin1Char('\n');
        for (int column = 0; column < 40; ++column)
            text += random.bounded(4) == 0 ? QChar(0xF000 + random.bounded(0x5F))
                                           : QChar(0x20 + random.bounded(224));
    }
    OrvelWidget view;
    fillWithNoise(view, seed);
    view.loadTextScreen(text);
    ASSERT_FALSE(view.globalsRec->isDHGR);
    const QByteArray file = pictureFileBytes(view.globalsRec);
    ASSERT_EQ(file.size(), kBankSize);
    std::set<int> shown;
    for (int line = 0; line < kLines; ++line)
        for (int byte = 0; byte < kLineBytes; ++byte)
            shown.insert(g_rowoffsets[line] + byte);
    int lit = 0;
    for (int offset = 0; offset < kBankSize; ++offset) {
        const auto byte = static_cast<std::uint8_t>(file[offset]);
        EXPECT_EQ(byte & 0x80, 0) << "offset " << offset;
        if (!shown.count(offset)) {
            EXPECT_EQ(byte, 0) << "screen hole at " << offset;
        }
        lit += byte != 0;
    }
    EXPECT_GT(lit, 1000);
}

TEST(TextScreenPicture, EmptyTextIsAnAllBlackHiResPicture) {
    OrvelWidget view;
    fillWithNoise(view, QRandomGenerator::global()->generate());
    view.renderImage();
    view.loadTextScreen(QString());
    EXPECT_FALSE(view.globalsRec->isDHGR);
    const std::uint8_t zeros[kBankSize] = {};
    EXPECT_EQ(std::memcmp(view.globalsRec->auxMem, zeros, kBankSize), 0);
    EXPECT_EQ(std::memcmp(view.globalsRec->mainMem, zeros, kBankSize), 0);
    const QImage& shown = view.offscreenImage;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            ASSERT_EQ(shown.pixel(x, y) & 0xFFFFFF, 0u) << "at " << x << ", " << y;
}

TEST(TextScreenPicture, KeepsEverySettingButTheColumnsAndRendersTheText) {
    for (const QString& text : {QStringLiteral("80Hello"), QStringLiteral("Hello")}) {
        SCOPED_TRACE(text.toStdString());
        OrvelWidget view;
        ORVEL_GlobalsRec* rec = view.globalsRec;
        rec->bmFinalDepth = 32;
        rec->paletteType = 6;
        rec->oneBitPalette = 1;
        rec->bitShifting = true; // both are turned off while the text is drawn
        rec->quenEngine = true;
        rec->schemeType = 0;
        rec->screenSize = 2;
        rec->aspectCorrect = 1;
        rec->is560Mode = true;
        rec->startScreen = true;
        rec->dhgrColorOffset = -2;
        const QByteArray settings(reinterpret_cast<const char*>(rec), kSettingsBlockSize);
        view.loadTextScreen(text);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(rec), kSettingsBlockSize), settings);

        // What is shown is the new picture: a view handed the same record renders the same.
        OrvelWidget same;
        std::memcpy(static_cast<void*>(same.globalsRec), rec, kSettingsBlockSize);
        std::memcpy(reinterpret_cast<char*>(same.globalsRec) + kScreenStateOffset,
                    reinterpret_cast<const char*>(rec) + kScreenStateOffset, kScreenStateSize);
        same.renderImage();
        EXPECT_TRUE(view.offscreenImage == same.offscreenImage);
    }
}

} // namespace

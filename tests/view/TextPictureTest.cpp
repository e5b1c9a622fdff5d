// Text screens shown as pictures through the picture view: where each character cell lands in
// screen memory for 40 and 80 columns, what is cut off, and what the text leaves alone.
#include "ViewTestSupport.h"
#include "support/TestSeeds.h"
#include "view/PictureFile.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace {

constexpr char16_t kInverseSpace = 0xF000;

// Both banks as a double hi-res file holds them, auxiliary first, with each cell (row, column)
// of inverse spaces lit: 0x7F in all 8 lines. 40 columns are main bytes; 80 columns take their
// bytes from the auxiliary and the main bank in turn.
QByteArray banksWithSolidCells(bool eighty, const std::set<std::pair<int, int>>& cells) {
    QByteArray banks(2 * kBankSize, '\0');
    for (const auto& [row, column] : cells)
        for (int line = 8 * row; line < 8 * row + 8; ++line) {
            const int byte = g_rowoffsets[line] + (eighty ? column / 2 : column);
            banks[(!eighty || column % 2 == 1 ? kBankSize : 0) + byte] = 0x7F;
        }
    return banks;
}

QByteArray litBanks(const OrvelWidget& view) {
    QByteArray banks = Bank(view.globalsRec->auxMem) + Bank(view.globalsRec->mainMem);
    for (char& byte : banks)
        byte &= 0x7F;
    return banks;
}

// Line `line` of cell (0, column), as dots 0-6 of its byte.
std::vector<int> cellLines(const OrvelWidget& view, int column) {
    const QByteArray banks = litBanks(view);
    const bool eighty = view.globalsRec->isDHGR;
    std::vector<int> lines;
    for (int line = 0; line < 8; ++line)
        lines.push_back(banks[(!eighty || column % 2 ? kBankSize : 0) + g_rowoffsets[line] +
                              (eighty ? column / 2 : column)]);
    return lines;
}

} // namespace

// Inverse spaces at the corners and edges of both grids; rows are cut at 40 or 80 cells (the
// first `solidRow` cells of row 0 are lit) and the screen at 24 rows.
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
        EXPECT_TRUE(litBanks(view) == banksWithSolidCells(c.eighty, cells));
    }
}

// A glyph is the same seven dots in both widths; "80" is the marker only at the very start.
TEST(TextScreenPicture, EightyColumnsOnlyForALeadingEighty) {
    OrvelWidget eighty, forty, marker, a, eight, zero;
    eighty.loadTextScreen("80AB");
    forty.loadTextScreen("AB");
    marker.loadTextScreen("A80");
    a.loadTextScreen("A"), eight.loadTextScreen("8"), zero.loadTextScreen("0");
    ASSERT_TRUE(eighty.globalsRec->isDHGR);
    ASSERT_FALSE(marker.globalsRec->isDHGR);
    for (int column = 0; column < 2; ++column)
        EXPECT_EQ(cellLines(eighty, column), cellLines(forty, column)) << column;
    EXPECT_NE(cellLines(forty, 0), cellLines(forty, 1));
    EXPECT_EQ(cellLines(marker, 0), cellLines(a, 0));
    EXPECT_EQ(cellLines(marker, 1), cellLines(eight, 0));
    EXPECT_EQ(cellLines(marker, 2), cellLines(zero, 0));
    EXPECT_NE(cellLines(eight, 0), cellLines(zero, 0));
    EXPECT_NE(cellLines(zero, 0), std::vector<int>(8, 0));
}

// Over a noisy picture: 40 columns save as hi-res, every high bit clear, the screen holes zero;
// then an empty text clears it all.
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
            std::set<int> onScreen;
            for (int line = 0; line < kLines; ++line)
                for (int byte = 0; byte < kLineBytes; ++byte)
                    onScreen.insert(g_rowoffsets[line] + byte);
            for (int offset = 0; offset < file.size(); ++offset) {
                const auto byte = static_cast<std::uint8_t>(file[offset]);
                ASSERT_EQ(byte & 0x80, 0) << "offset " << offset;
                ASSERT_TRUE(byte == 0 || onScreen.count(offset % kBankSize)) << offset;
            }
            view.loadTextScreen(QString()); // an empty text is an all-black hi-res picture
            EXPECT_FALSE(rec->isDHGR);
            EXPECT_EQ(Bank(rec->auxMem) + Bank(rec->mainMem), QByteArray(2 * kBankSize, '\0'));
            QImage black(view.offscreenImage.size(), view.offscreenImage.format());
            black.fill(Qt::black);
            EXPECT_EQ(view.offscreenImage, black);
        }
    }
}

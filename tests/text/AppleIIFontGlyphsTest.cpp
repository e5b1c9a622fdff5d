// Checks that source/resources/Apple_II.ttf draws every glyph of tools/font/glyphs.txt dot for dot.
// Kept apart from the text screen tests: it guards the generated font against its own source.
#include "support/TestPaths.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kCellColumns = 7;
constexpr int kCellRows = 8;
constexpr int kAscentDots = 7;
// Blank border around the cell in the test image, wide enough to see a glyph spill over.
constexpr int kMargin = 7;

struct GlyphPicture {
    QString name;
    QStringList rows; // kCellRows strings of kCellColumns '#'/'.'
};

using GlyphTable = std::map<char32_t, GlyphPicture>;

struct GlyphSource {
    GlyphTable glyphs;
    QStringList errors;
};

QString codePointLabel(char32_t codePoint) {
    return QStringLiteral("U+%1").arg(uint(codePoint), 4, 16, QLatin1Char('0')).toUpper();
}

bool isPictureRow(const QString& line) {
    if (line.size() != kCellColumns) return false;
    for (QChar dot : line) {
        if (dot != QLatin1Char('#') && dot != QLatin1Char('.')) return false;
    }
    return true;
}

// Reads the header "U+XXXX name"; returns false when the line is not one.
bool parseHeader(const QString& line, char32_t& codePoint, QString& name) {
    if (!line.startsWith(QLatin1String("U+"))) return false;
    const int space = line.indexOf(QLatin1Char(' '));
    bool ok = false;
    codePoint = line.mid(2, space < 0 ? -1 : space - 2).toUInt(&ok, 16);
    name = space < 0 ? QString() : line.mid(space + 1);
    return ok;
}

// Reads glyphs.txt line by line. Each problem is reported once, with its line number,
// and reading goes on at the next header so one slip does not hide the others.
class GlyphSourceParser {
public:
    GlyphSource parse(const QString& text) {
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int index = 0; index < lines.size(); ++index)
            readLine(index + 1, lines[index].trimmed());
        if (reading_) error(lines.size(), QStringLiteral("the file ends inside a picture"));
        return std::move(source_);
    }

private:
    void readLine(int number, const QString& line) {
        if (reading_ && isPictureRow(line)) {
            picture_.rows.append(line);
            if (picture_.rows.size() == kCellRows) finishGlyph();
            return;
        }
        if (reading_) {
            error(number, QStringLiteral("the picture has only %1 rows").arg(picture_.rows.size()));
            reading_ = false;
        }
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) return;
        if (skipping_ && !line.startsWith(QLatin1String("U+"))) return;
        startGlyph(number, line);
    }

    void startGlyph(int number, const QString& line) {
        skipping_ = false;
        if (!parseHeader(line, codePoint_, picture_.name)) {
            error(number, QStringLiteral("expected a header 'U+XXXX name', got '%1'").arg(line));
            return;
        }
        if (source_.glyphs.count(codePoint_))
            error(number, codePointLabel(codePoint_) + QStringLiteral(" is drawn twice"));
        picture_.rows.clear();
        reading_ = true;
    }

    void finishGlyph() {
        source_.glyphs.emplace(codePoint_, picture_);
        reading_ = false;
    }

    // Inside a picture the message names its glyph.
    void error(int number, const QString& message) {
        const QString glyph =
            reading_ ? codePointLabel(codePoint_) + QStringLiteral(": ") : QString();
        source_.errors.append(QStringLiteral("line %1: ").arg(number) + glyph + message);
        skipping_ = true;
    }

    GlyphSource source_;
    char32_t codePoint_ = 0;
    GlyphPicture picture_;
    bool reading_ = false;
    bool skipping_ = false; // after an error, until the next header
};

// The characters text screens can show: printable ASCII, the Mac OS Roman upper half
// (whose bytes 0x80-0x9F stand for our MouseText-style symbols) and two command keys.
std::set<char32_t> expectedCoverage() {
    static const char32_t macRomanUpperHalf[128] = {
        0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4,
        0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF,
        0x00F1, 0x00F3, 0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020,
        0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4,
        0x00A8, 0x2260, 0x00C6, 0x00D8, 0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202,
        0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x2126, 0x00E6, 0x00F8, 0x00BF, 0x00A1,
        0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, 0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3,
        0x00D5, 0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA,
        0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, 0x2021, 0x00B7, 0x201A,
        0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, 0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC,
        0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC, 0x00AF,
        0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
    };
    std::set<char32_t> coverage(std::begin(macRomanUpperHalf), std::end(macRomanUpperHalf));
    for (char32_t ascii = 0x20; ascii <= 0x7E; ++ascii)
        coverage.insert(ascii);
    coverage.insert(0xE000);
    coverage.insert(0xE001);
    return coverage;
}

// The font as text screens use it: one dot per pixel, no smoothing, no grid fitting.
// (Its outlines lie on pixel edges, so other settings draw the same dots at this size.)
QFont appleFont(const QString& family) {
    QFont font(family);
    font.setPixelSize(kCellRows);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Draws text in white on black with its first cell's top-left at (kMargin, kMargin).
QImage drawText(const QFont& font, const QString& text, int cells) {
    QImage image(cells * kCellColumns + 2 * kMargin, kCellRows + 2 * kMargin,
                 QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QPoint(kMargin, kMargin + QFontMetrics(font).ascent()), text);
    return image;
}

bool isLit(const QImage& image, int x, int y) {
    return qRed(image.pixel(x, y)) > 128;
}

// The lit pixels of the whole image, one string per row, for failure messages.
std::string imageDots(const QImage& image) {
    std::string dots;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            dots += isLit(image, x, y) ? '#' : '.';
        dots += '\n';
    }
    return dots;
}

// Compares the image with the pictures laid side by side, the cells starting at kMargin;
// every pixel outside them must stay dark.
bool matchesPictures(const QImage& image, const std::vector<const GlyphPicture*>& pictures) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int column = x - kMargin;
            const int row = y - kMargin;
            const int cell = column >= 0 ? column / kCellColumns : -1;
            bool wanted = false;
            if (cell >= 0 && cell < int(pictures.size()) && row >= 0 && row < kCellRows)
                wanted = pictures[cell]->rows[row][column % kCellColumns] == QLatin1Char('#');
            if (isLit(image, x, y) != wanted) return false;
        }
    }
    return true;
}

std::string pictureDots(const GlyphPicture& picture) {
    return picture.rows.join(QLatin1Char('\n')).toStdString() + '\n';
}

bool dotLit(const GlyphPicture& picture, int column, int row) {
    return picture.rows[row][column] == QLatin1Char('#');
}

int litDots(const GlyphPicture& picture, int firstColumn, int lastColumn, int firstRow,
            int lastRow) {
    int count = 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column)
            count += dotLit(picture, column, row);
    }
    return count;
}

int litInColumn(const GlyphPicture& picture, int column) {
    return litDots(picture, column, column, 0, kCellRows - 1);
}

int litInRow(const GlyphPicture& picture, int row) {
    return litDots(picture, 0, kCellColumns - 1, row, row);
}

class AppleIIFontGlyphsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        QFile sourceFile(orvelSourcePath(QStringLiteral("tools/font/glyphs.txt")));
        if (sourceFile.open(QIODevice::ReadOnly))
            source_ = GlyphSourceParser().parse(QString::fromUtf8(sourceFile.readAll()));
        else
            source_.errors.append(QStringLiteral("cannot read ") + sourceFile.fileName());

        const int id = QFontDatabase::addApplicationFont(
            orvelSourcePath(QStringLiteral("source/resources/Apple_II.ttf")));
        if (id >= 0) family_ = QFontDatabase::applicationFontFamilies(id).value(0);
    }

    void SetUp() override { ASSERT_FALSE(family_.isEmpty()) << "Apple_II.ttf did not load"; }

    static std::string sourceErrors() {
        return "glyphs.txt:\n" + source_.errors.join(QLatin1Char('\n')).toStdString();
    }

    static GlyphSource source_;
    static QString family_;
};

GlyphSource AppleIIFontGlyphsTest::source_;
QString AppleIIFontGlyphsTest::family_;

TEST_F(AppleIIFontGlyphsTest, FontIsTheOneTheProgramAsksFor) {
    EXPECT_EQ(family_.toStdString(), "Orvel Apple II");
    const QFont font = appleFont(family_);
    EXPECT_EQ(QFontInfo(font).family(), family_);
}

TEST_F(AppleIIFontGlyphsTest, SourceDrawsExactlyTheScreenCharacters) {
    ASSERT_TRUE(source_.errors.isEmpty()) << sourceErrors();
    std::set<char32_t> drawn;
    for (const auto& [codePoint, picture] : source_.glyphs)
        drawn.insert(codePoint);
    const std::set<char32_t> expected = expectedCoverage();
    ASSERT_EQ(expected.size(), 95u + 128u + 2u);
    for (char32_t codePoint : expected)
        EXPECT_TRUE(drawn.count(codePoint))
            << codePointLabel(codePoint).toStdString() << " has no picture";
    for (char32_t codePoint : drawn)
        EXPECT_TRUE(expected.count(codePoint))
            << codePointLabel(codePoint).toStdString() << " is not a screen character";
}

TEST_F(AppleIIFontGlyphsTest, MetricsGiveSevenByEightCellsWithTheBaselineAfterRowSix) {
    const QFontMetrics metrics(appleFont(family_));
    EXPECT_EQ(metrics.ascent(), kAscentDots);
    EXPECT_EQ(metrics.descent(), kCellRows - kAscentDots);
    EXPECT_EQ(metrics.height(), kCellRows);
    for (char32_t codePoint :
         {U' ', U'A', U'i', U'W', U'm', U'\u00A0', U'\u00F6', U'\u2014', U'\uF8FF', U'\uE001'}) {
        EXPECT_EQ(metrics.horizontalAdvance(QString::fromUcs4(&codePoint, 1)), kCellColumns)
            << codePointLabel(codePoint).toStdString();
    }
}

TEST_F(AppleIIFontGlyphsTest, EveryGlyphDrawsItsDotsAndNothingElse) {
    ASSERT_TRUE(source_.errors.isEmpty()) << sourceErrors();
    const QFont font = appleFont(family_);
    for (const auto& [codePoint, picture] : source_.glyphs) {
        const QImage image = drawText(font, QString::fromUcs4(&codePoint, 1), 1);
        EXPECT_TRUE(matchesPictures(image, {&picture}))
            << codePointLabel(codePoint).toStdString() << " " << picture.name.toStdString()
            << "\nwanted, in the cell:\n"
            << pictureDots(picture) << "drawn, with " << kMargin << " dots around the cell:\n"
            << imageDots(image);
    }
}

// Text screens build windows from these pieces, so each must reach the cell edges where
// its neighbours continue it.
TEST_F(AppleIIFontGlyphsTest, WindowPiecesJoinTheirNeighbours) {
    ASSERT_TRUE(source_.errors.isEmpty()) << sourceErrors();
    const auto glyph = [](char32_t codePoint) -> const GlyphPicture& {
        return source_.glyphs.at(codePoint);
    };
    const int full = kCellRows, wide = kCellColumns, last = kCellRows - 1, right = wide - 1;
    EXPECT_EQ(litInRow(glyph(0x00E5), 0), wide) << "top left corner";
    EXPECT_EQ(litInColumn(glyph(0x00E5), 0), full) << "top left corner";
    EXPECT_EQ(litInRow(glyph(0x00E7), 0), wide) << "top right corner";
    EXPECT_EQ(litInColumn(glyph(0x00E7), right), full) << "top right corner";
    EXPECT_EQ(litInRow(glyph(0x00E9), last), wide) << "bottom left corner";
    EXPECT_EQ(litInColumn(glyph(0x00E9), 0), full) << "bottom left corner";
    EXPECT_EQ(litInRow(glyph(0x00E8), last), wide) << "bottom right corner";
    EXPECT_EQ(litInColumn(glyph(0x00E8), right), full) << "bottom right corner";
    EXPECT_EQ(litInColumn(glyph(0x00EA), 0), full) << "left edge";
    EXPECT_EQ(litInColumn(glyph(0x00EB), right), full) << "right edge";
    EXPECT_EQ(litInRow(glyph(0x00ED), 0), wide) << "top edge";
    EXPECT_EQ(litInRow(glyph(0x00EC), last), wide) << "bottom edge";
    int stripes = 0;
    for (int row = 0; row < kCellRows; ++row) {
        const int lit = litInRow(glyph(0x00EE), row);
        EXPECT_TRUE(lit == 0 || lit == wide) << "title bar stripe in row " << row;
        stripes += lit == wide;
    }
    EXPECT_GE(stripes, 3) << "title bar stripes";
}

// Screens written elsewhere rely on what these symbols look like.
TEST_F(AppleIIFontGlyphsTest, SymbolsKeepTheirMeanings) {
    ASSERT_TRUE(source_.errors.isEmpty()) << sourceErrors();
    const auto glyph = [](char32_t codePoint) -> const GlyphPicture& {
        return source_.glyphs.at(codePoint);
    };
    const int cellDots = kCellColumns * kCellRows;
    const auto allDots = [](const GlyphPicture& picture) {
        return litDots(picture, 0, kCellColumns - 1, 0, kCellRows - 1);
    };
    EXPECT_EQ(allDots(glyph(0x00F6)), cellDots) << "solid block";
    EXPECT_EQ(allDots(glyph(0x0020)), 0) << "space";
    EXPECT_EQ(allDots(glyph(0x00A0)), 0) << "no-break space";
    for (int row = 0; row < kCellRows; ++row) {
        for (int column = 0; column < kCellColumns; ++column) {
            EXPECT_NE(dotLit(glyph(0x00C7), column, row), dotLit(glyph(0x00C9), column, row))
                << "the inverted checkmark is the checkmark's negative, dot " << column << ","
                << row;
            const bool checker = dotLit(glyph(0x00EF), column, row);
            EXPECT_NE(checker, dotLit(glyph(0x00EF), column, (row + 1) % kCellRows))
                << "scroll bar track rows must alternate and stack, dot " << column << "," << row;
            if (column > 0) {
                EXPECT_NE(checker, dotLit(glyph(0x00EF), column - 1, row));
            }
        }
    }
    EXPECT_EQ(litInColumn(glyph(0x00F5), 0), kCellRows) << "left half block";
    EXPECT_EQ(litInColumn(glyph(0x00F5), kCellColumns - 1), 0) << "left half block";
    EXPECT_EQ(litInColumn(glyph(0x00FA), kCellColumns - 1), kCellRows) << "right half block";
    EXPECT_EQ(litInColumn(glyph(0x00FA), 0), 0) << "right half block";
    EXPECT_LT(allDots(glyph(0xE000)), allDots(glyph(0xE001))) << "outlined vs filled command key";
}

// Like the Apple II's character generator: letters and digits sit in columns 1-5, and only
// descenders reach the bottom row.
TEST_F(AppleIIFontGlyphsTest, LettersAndDigitsKeepTheAppleIIMargins) {
    ASSERT_TRUE(source_.errors.isEmpty()) << sourceErrors();
    const QString descenders = QStringLiteral("gjpqy");
    const QString alphanumerics =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    for (QChar character : alphanumerics) {
        const GlyphPicture& picture = source_.glyphs.at(character.unicode());
        const std::string label = QString(character).toStdString();
        EXPECT_EQ(litInColumn(picture, 0) + litInColumn(picture, kCellColumns - 1), 0) << label;
        EXPECT_EQ(litInRow(picture, kCellRows - 1) > 0, descenders.contains(character)) << label;
        if (character.isUpper() || character.isDigit()) {
            EXPECT_GT(litInRow(picture, 0), 0) << label << " stands 7 rows tall";
        }
    }
}

// Text screens draw whole rows at once: cells must follow each other every 7 dots,
// and frame pieces must meet their neighbours.
TEST_F(AppleIIFontGlyphsTest, ARowOfCharactersDrawsCellAfterCell) {
    ASSERT_TRUE(source_.errors.isEmpty()) << sourceErrors();
    const std::u32string row = U"\u00E5\u00ED\u00EE\u00F3\u00E7gAy|\u00F5\u00FA_\u2014j";
    std::vector<const GlyphPicture*> pictures;
    for (char32_t codePoint : row)
        pictures.push_back(&source_.glyphs.at(codePoint));
    const QImage image = drawText(appleFont(family_),
                                  QString::fromUcs4(row.data(), int(row.size())), int(row.size()));
    EXPECT_TRUE(matchesPictures(image, pictures)) << imageDots(image);
}

} // namespace

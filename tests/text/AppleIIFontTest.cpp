// The shipped Apple II font against its source, tools/font/glyphs.txt: every glyph drawn through
// Qt at 8 pixels without smoothing lights exactly its picture's dots, and nothing beyond its cell.
#include "text/AppleIIFont.h"
#include "support/TestPaths.h"
#include "text/TextScreenEncoding.h"

#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

constexpr int kCellColumns = 7, kCellRows = 8, kMargin = 7;

// Code point -> its 8 rows of 7 '#'/'.' dots, top row first.
std::map<char32_t, QStringList> glyphPictures(QString* problem) {
    QFile file(orvelSourcePath(QStringLiteral("tools/font/glyphs.txt")));
    if (!file.open(QIODevice::ReadOnly)) *problem = file.fileName() + QStringLiteral(" unreadable");
    std::map<char32_t, QStringList> glyphs;
    QStringList* rows = nullptr;
    for (const QString& raw : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString line = raw.trimmed();
        if (rows != nullptr && rows->size() < kCellRows) {
            rows->append(line);
        } else if (line.startsWith(QLatin1String("U+"))) {
            const char32_t codePoint = line.mid(2).section(u' ', 0, 0).toUInt(nullptr, 16);
            if (glyphs.count(codePoint)) *problem = line + QStringLiteral(" is drawn twice");
            rows = &glyphs[codePoint];
        }
    }
    return glyphs;
}

} // namespace

TEST(AppleIIFont, EveryGlyphDrawsItsPictureDotForDot) {
    const QString family = appleIIFontFamily(); // found by the program's own resource search
    ASSERT_EQ(family, QStringLiteral("Orvel Apple II"));
    EXPECT_EQ(appleIIFontFamily(), family);
    QFont font(family);
    font.setPixelSize(kCellRows);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetrics metrics(font);
    EXPECT_EQ(metrics.ascent(), 7);
    EXPECT_EQ(metrics.height(), kCellRows);

    QString problem;
    const std::map<char32_t, QStringList> glyphs = glyphPictures(&problem);
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
    // Exactly the characters a text screen can hold: printable ASCII, the Mac OS Roman upper half
    // and the two command key symbols (inverse forms are drawn from the plain ones).
    std::set<char32_t> screenCharacters = {0xE000, 0xE001};
    for (char32_t c = 0x20; c <= 0x7E; ++c)
        screenCharacters.insert(c);
    for (int i = 0; i < macRomanHighTableSize(); ++i)
        screenCharacters.insert(macRomanHighTable()[i]);
    std::set<char32_t> drawn;
    for (const auto& glyph : glyphs)
        drawn.insert(glyph.first);
    EXPECT_TRUE(drawn == screenCharacters) << drawn.size() << " glyphs drawn";

    for (const auto& [codePoint, rows] : glyphs) {
        const QString text = QString::fromUcs4(&codePoint, 1);
        QImage image(kCellColumns + 2 * kMargin, kCellRows + 2 * kMargin, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(kMargin, kMargin + metrics.ascent()), text);
        painter.end();
        QString wanted, shown;
        for (int y = -kMargin; y < kCellRows + kMargin; ++y, wanted += u'\n', shown += u'\n')
            for (int x = -kMargin; x < kCellColumns + kMargin; ++x) {
                const bool inCell = x >= 0 && x < kCellColumns && y >= 0 && y < kCellRows;
                wanted +=
                    inCell ? rows.value(y).leftJustified(kCellColumns, u'?').at(x) : QChar(u'.');
                shown += QChar(qRed(image.pixel(x + kMargin, y + kMargin)) > 128 ? u'#' : u'.');
            }
        EXPECT_EQ(shown.toStdString(), wanted.toStdString()) << "U+" << std::hex << uint(codePoint);
        EXPECT_EQ(metrics.horizontalAdvance(text), kCellColumns) << std::hex << uint(codePoint);
    }
}

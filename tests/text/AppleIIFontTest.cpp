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

TEST(AppleIIFont, EveryGlyphDrawsItsPictureDotForDot) {
    const QString family = appleIIFontFamily(); // found by the program's own resource search
    ASSERT_EQ(family, QStringLiteral("Orvel Apple II"));
    QFont font(family);
    font.setPixelSize(8);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetrics metrics(font);
    EXPECT_EQ(metrics.ascent(), 7);
    EXPECT_EQ(metrics.height(), 8);

    // Code point -> its 8 rows of 7 '#'/'.' dots: a header "U+XXXX name", then the rows.
    QFile source(orvelSourcePath(QStringLiteral("tools/font/glyphs.txt")));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    std::map<char32_t, QString> glyphs; // the rows joined by '\n', with a '\n' after each
    std::map<char32_t, QString>::iterator reading = glyphs.end();
    for (const QString& raw : QString::fromUtf8(source.readAll()).split(u'\n')) {
        const QString line = raw.trimmed();
        if (reading != glyphs.end() && reading->second.count(u'\n') < 8) {
            reading->second += line + u'\n';
        } else if (line.startsWith(QLatin1String("U+"))) {
            const char32_t codePoint = line.mid(2).section(u' ', 0, 0).toUInt(nullptr, 16);
            EXPECT_FALSE(glyphs.count(codePoint)) << line.toStdString() << " is drawn twice";
            reading = glyphs.insert_or_assign(codePoint, QString()).first;
        }
    }
    // Exactly the characters a text screen can hold: printable ASCII, the Mac OS Roman upper half
    // and the two command key symbols (inverse forms are drawn from the plain ones).
    std::map<char32_t, bool> screenCharacters = {{0xE000, true}, {0xE001, true}};
    for (char32_t c = 0x20; c <= 0x7E; ++c)
        screenCharacters[c] = true;
    for (int i = 0; i < macRomanHighTableSize(); ++i)
        screenCharacters[macRomanHighTable()[i]] = true;
    EXPECT_EQ(glyphs.size(), screenCharacters.size());
    for (const auto& [codePoint, rows] : glyphs) {
        EXPECT_TRUE(screenCharacters.count(codePoint)) << "U+" << std::hex << uint(codePoint);
        const QString text = QString::fromUcs4(&codePoint, 1);
        constexpr int kMargin = 7; // dark dots all around the 7 x 8 cell, to see any spill
        QImage image(7 + 2 * kMargin, 8 + 2 * kMargin, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(kMargin, kMargin + metrics.ascent()), text);
        painter.end();
        QString wanted, shown;
        for (int y = -kMargin; y < 8 + kMargin; ++y, wanted += u'\n', shown += u'\n')
            for (int x = -kMargin; x < 7 + kMargin; ++x) {
                const bool inCell = x >= 0 && x < 7 && y >= 0 && y < 8;
                wanted += inCell ? rows.section(u'\n', y, y).leftJustified(7, u'?').at(x) : u'.';
                shown += QChar(qRed(image.pixel(x + kMargin, y + kMargin)) > 128 ? u'#' : u'.');
            }
        EXPECT_EQ(shown.toStdString(), wanted.toStdString()) << "U+" << std::hex << uint(codePoint);
        EXPECT_EQ(metrics.horizontalAdvance(text), 7) << "U+" << std::hex << uint(codePoint);
    }
}

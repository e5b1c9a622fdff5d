// Text screens drawn as the hardware shows them: white glyphs on black, one 7 x 8 cell a
// character; inverse cells are white with black glyphs. A pixel counts as lit above half red.
#include "view/TextScreenDrawing.h"

#include "text/AppleIIFont.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStringList>

namespace {

constexpr int kRows = 24, kLinesDrawn = 192;
constexpr int kCellWidth = 7, kCellHeight = 8;

bool IsInverse(QChar ch) {
    return ch.unicode() >= 0xF000 && ch.unicode() <= 0xF05E;
}

QFont AppleIIFont(const QString& family) {
    QFont font(family);
    font.setPixelSize(kCellHeight);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// Without the font only the inverse cells show.
QImage DrawScreenImage(const QString& text, int columns, const QString& family) {
    QImage image(columns * kCellWidth, kLinesDrawn, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    const QFont font = AppleIIFont(family);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const int ascent = QFontMetrics(font).ascent();
    const QStringList rows = text.split(QLatin1Char('\n'));
    for (int r = 0; r < kRows && r < rows.size(); ++r) {
        const QString& row = rows[r];
        for (int i = 0; i < columns && i < row.size(); ++i) {
            const QChar ch = row[i];
            const int x = kCellWidth * i, baseline = ascent + kCellHeight * r;
            if (IsInverse(ch)) {
                painter.fillRect(x, kCellHeight * r, kCellWidth, kCellHeight, Qt::white);
                painter.setPen(Qt::black);
                if (!family.isEmpty())
                    painter.drawText(QPoint(x, baseline),
                                     QString(QChar(ch.unicode() - 0xF000 + 0x20)));
                painter.setPen(Qt::white);
            } else if (ch != QLatin1Char(' ') && !family.isEmpty()) {
                painter.drawText(QPoint(x, baseline), QString(ch));
            }
        }
    }
    return image;
}

} // namespace

TextScreenMask DrawTextScreenMask(const QString& screenText) {
    TextScreenMask mask;
    mask.eighty = screenText.startsWith(QLatin1String("80"));
    const QString family = appleIIFontFamily();
    mask.fontFound = !family.isEmpty();
    const QImage image = DrawScreenImage(mask.eighty ? screenText.mid(2) : screenText,
                                         mask.eighty ? 80 : 40, family);
    mask.lit.resize(static_cast<std::size_t>(image.width()) * kLinesDrawn);
    for (int y = 0; y < kLinesDrawn; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            mask.lit[static_cast<std::size_t>(y) * image.width() + x] = qRed(line[x]) > 128;
    }
    return mask;
}

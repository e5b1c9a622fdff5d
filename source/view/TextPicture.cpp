// Text screens as pictures. A 40-column pixel becomes a whole hi-res pixel (two dots); an
// 80-column pixel becomes one double hi-res memory dot. Characters the screen cannot hold
// (rows after the 24th, columns past 40 or 80) are left out.
#include "view/TextPicture.h"

#include "core/Core.h"
#include "text/AppleIIFont.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <cstring>

namespace {

constexpr int kRows = 24;
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

// White glyphs on black, one 7 x 8 cell a character; inverse cells are white with black glyphs.
// Without the font only the inverse cells show.
QImage DrawScreenImage(const QString& text, int columns) {
    QImage image(columns * kCellWidth, kLines, QImage::Format_ARGB32);
    image.fill(Qt::black);
    const QString family = appleIIFontFamily();
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

void DrawTextScreenPicture(ORVEL_GlobalsRec* rec, const QString& screenText) {
    const bool eighty = screenText.startsWith(QLatin1String("80"));
    const QString text = eighty ? screenText.mid(2) : screenText;
    const int columns = eighty ? 80 : 40;

    const Boolean shifting = rec->bitShifting, quen = rec->quenEngine;
    rec->bitShifting = false;
    rec->quenEngine = false;
    rec->isDHGR = eighty;
    std::memset(rec->auxMem, 0, kBankSize);
    std::memset(rec->mainMem, 0, kBankSize);

    const QImage image = DrawScreenImage(text, columns);

    globalsP = rec;
    SetFullBand();
    PrepareMonoStore(rec);
    // 40 columns: image pixel x lights dots 2x and 2x + 1 (hi-res pixel x); 80 columns: image
    // pixel x lights dot x + 1 (double hi-res memory dot x).
    rec->penWidth = eighty ? 1 : 2;
    for (int y = 0; y < kLines; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qRed(line[x]) > 128)
                PlotPointDirect(rec, static_cast<unsigned long>(eighty ? x + 1 : 2 * x),
                                static_cast<unsigned long>(y), 15);
    }
    CopyApple2Bits(rec, eighty ? 4 : 5);

    rec->bitShifting = shifting;
    rec->quenEngine = quen;
}

// Text screens drawn as the hardware shows them: white glyphs on black, one 7 x 8 cell a
// character; inverse cells are white with black glyphs. A pixel counts as lit above half red.
// Each character is drawn once and its cell reused: shaping 1 920 strings a screen would make
// typing in an 80-column screen lag behind the picture.
#include "view/TextScreenDrawing.h"

#include "text/AppleIIFont.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <array>
#include <map>
#include <mutex>
#include <unordered_map>

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

TextScreenMask MaskOf(const QImage& image, bool eighty, bool fontFound) {
    TextScreenMask mask;
    mask.eighty = eighty;
    mask.fontFound = fontFound;
    mask.lit.resize(static_cast<std::size_t>(image.width()) * kLinesDrawn);
    for (int y = 0; y < kLinesDrawn; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            mask.lit[static_cast<std::size_t>(y) * image.width() + x] = qRed(line[x]) > 128;
    }
    return mask;
}

// One character as the font draws it in the middle of a 3 x 3 block of cells: its cell's lit
// pixels, and whether it stayed inside the cell (only then can cells be drawn one by one).
struct GlyphCell {
    bool fits = true;
    std::array<std::uint8_t, kCellWidth * kCellHeight> lit{};
};

GlyphCell DrawGlyphCell(QChar ch, const QFont& font, int ascent) {
    QImage image(3 * kCellWidth, 3 * kCellHeight, QImage::Format_ARGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(kCellWidth, kCellHeight + ascent), QString(ch));
    }
    GlyphCell cell;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool lit = qRed(image.pixel(x, y)) > 128;
            const bool inside =
                x >= kCellWidth && x < 2 * kCellWidth && y >= kCellHeight && y < 2 * kCellHeight;
            if (inside)
                cell.lit[static_cast<std::size_t>((y - kCellHeight) * kCellWidth + x -
                                                  kCellWidth)] = lit;
            else if (lit)
                cell.fits = false;
        }
    return cell;
}

// The cells drawn so far, per font family; shared by every caller (a batch converts on several
// threads). Nothing is ever removed, so a cell handed out stays valid for the program's life.
class GlyphCells {
public:
    const GlyphCell& cellFor(const QString& family, QChar ch) {
        const std::lock_guard<std::mutex> lock(mutex);
        auto known = families.find(family);
        if (known == families.end()) {
            const QFont font = AppleIIFont(family);
            known = families.emplace(family, Family{font, QFontMetrics(font).ascent(), {}}).first;
        }
        Family& f = known->second;
        auto found = f.cells.find(ch.unicode());
        if (found == f.cells.end())
            found = f.cells.emplace(ch.unicode(), DrawGlyphCell(ch, f.font, f.ascent)).first;
        return found->second; // node-based: the reference outlives later insertions
    }

private:
    struct Family {
        QFont font;
        int ascent = 0;
        std::unordered_map<char16_t, GlyphCell> cells;
    };
    std::mutex mutex;
    std::map<QString, Family> families;
};

GlyphCells& SharedGlyphCells() {
    static GlyphCells cells;
    return cells;
}

// An inverse cell is lit where its glyph is not; a glyph of null (no font) draws nothing.
void PutCell(TextScreenMask& mask, int row, int column, const GlyphCell* glyph, bool inverse) {
    const int width = mask.width();
    for (int y = 0; y < kCellHeight; ++y) {
        std::uint8_t* out = &mask.lit[static_cast<std::size_t>((row * kCellHeight + y) * width +
                                                               column * kCellWidth)];
        for (int x = 0; x < kCellWidth; ++x) {
            const bool glyphLit = glyph != nullptr && glyph->lit[y * kCellWidth + x] != 0;
            out[x] = inverse ? !glyphLit : glyphLit;
        }
    }
}

// Cell by cell from the shared cells; false when a glyph reaches outside its cell.
bool DrawByCells(TextScreenMask& mask, const QString& text, const QString& family) {
    const int columns = mask.eighty ? 80 : 40;
    mask.lit.assign(static_cast<std::size_t>(mask.width()) * kLinesDrawn, 0);
    const QStringList rows = text.split(QLatin1Char('\n'));
    for (int r = 0; r < kRows && r < rows.size(); ++r)
        for (int i = 0; i < columns && i < rows[r].size(); ++i) {
            const QChar ch = rows[r][i];
            const bool inverse = IsInverse(ch);
            const QChar drawn = inverse ? QChar(ch.unicode() - 0xF000 + 0x20) : ch;
            if (!inverse && (ch == QLatin1Char(' ') || family.isEmpty())) continue;
            const GlyphCell* glyph =
                family.isEmpty() ? nullptr : &SharedGlyphCells().cellFor(family, drawn);
            if (glyph != nullptr && !glyph->fits) return false;
            PutCell(mask, r, i, glyph, inverse);
        }
    return true;
}

} // namespace

TextScreenMask DrawTextScreenMaskWhole(const QString& rows, bool eighty) {
    const QString family = appleIIFontFamily();
    return MaskOf(DrawScreenImage(rows, eighty ? 80 : 40, family), eighty, !family.isEmpty());
}

TextScreenMask DrawTextScreenMask(const QString& rows, bool eighty) {
    TextScreenMask mask;
    mask.eighty = eighty;
    const QString family = appleIIFontFamily();
    mask.fontFound = !family.isEmpty();
    if (DrawByCells(mask, rows, family)) return mask;
    return DrawTextScreenMaskWhole(rows, eighty);
}

TextScreenMask DrawTextScreenMask(const QString& screenText) {
    const bool eighty = screenText.startsWith(QLatin1String("80"));
    return DrawTextScreenMask(eighty ? screenText.mid(2) : screenText, eighty);
}

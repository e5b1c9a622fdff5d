// Rows of one line are alike but for the grid row and the high-bit marks, so each kind of row
// is composed once and copied down.
#include "view/ZoomedPicture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

enum Grid : std::uint8_t { kNoLine, kFineLine, kStrongLine };

constexpr double kFinestGrid = 4.0; // grid lines closer than this would hide the dots

// A colour laid over a dot with some opacity, as three tables of 256: one lookup a channel.
struct Overlay {
    std::uint8_t channel[3][256];
    Overlay(QRgb over, int alpha) {
        const int parts[3] = {qRed(over), qGreen(over), qBlue(over)};
        for (int k = 0; k < 3; ++k)
            for (int v = 0; v < 256; ++v)
                channel[k][v] =
                    static_cast<std::uint8_t>((v * (255 - alpha) + parts[k] * alpha) / 255);
    }
    QRgb operator()(QRgb under) const {
        return qRgb(channel[0][qRed(under)], channel[1][qGreen(under)], channel[2][qBlue(under)]);
    }
};

const Overlay kFine(qRgb(128, 128, 128), 90), kStrong(qRgb(220, 220, 220), 170),
    kMark(qRgb(255, 190, 0), 220);

int Floor(double value) {
    return static_cast<int>(std::floor(value));
}

} // namespace

QImage composeZoomed(const QImage& picture, const QRect& exposed, const ZoomedView& view,
                     const std::uint8_t* mainMem) {
    QImage out(exposed.size(), QImage::Format_RGB32);
    const int width = exposed.width(), shift = view.dhgr ? 1 : 0;
    const int unit = view.dhgr ? 1 : 2, byteDots = view.dhgr ? 7 : 14;
    std::vector<int> column(width);
    std::vector<std::uint8_t> grid(width, kNoLine);
    for (int x = 0; x < width; ++x) {
        const int X = exposed.left() + x;
        const int c = std::clamp(Floor(X / view.columnWidth), 0, kOffscreenDots - 1);
        column[x] = c;
        const int dot = c - shift;
        if (!view.grid || dot < 0 || dot % unit != 0 || Floor((X - 1) / view.columnWidth) == c)
            continue;
        if (dot % byteDots == 0)
            grid[x] = kStrongLine;
        else if (view.columnWidth * unit >= kFinestGrid)
            grid[x] = kFineLine;
    }
    const double mark = std::max(2.0, view.lineHeight / 8);
    std::vector<QRgb> source(kOffscreenDots);
    int lastLine = -1, lastKind = -1;
    for (int y = 0; y < exposed.height(); ++y) {
        const int Y = exposed.top() + y;
        const int line = std::clamp(Floor(Y / view.lineHeight), 0, kLines - 1);
        const bool gridRow =
            view.grid && view.lineHeight >= kFinestGrid && Floor((Y - 1) / view.lineHeight) != line;
        const bool markRow = view.grid && !view.dhgr && Y >= (line + 1) * view.lineHeight - mark;
        const int kind = gridRow ? 1 : markRow ? 2 : 0;
        QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        if (line == lastLine && kind == lastKind) {
            std::memcpy(row, out.constScanLine(y - 1), sizeof(QRgb) * width);
            continue;
        }
        if (line != lastLine) {
            const std::uint8_t* rgba = picture.constScanLine(line);
            for (int c = 0; c < kOffscreenDots; ++c)
                source[c] = qRgb(rgba[4 * c], rgba[4 * c + 1], rgba[4 * c + 2]);
        }
        lastLine = line, lastKind = kind;
        for (int x = 0; x < width; ++x) {
            QRgb p = source[column[x]];
            if (kind == 2 && (mainMem[g_rowoffsets[line] + column[x] / 14] & 0x80) &&
                column[x] % 14 != 0 && column[x] % 14 != 13)
                p = kMark(p);
            if (grid[x] == kStrongLine)
                p = kStrong(p);
            else if (grid[x] == kFineLine || kind == 1)
                p = kFine(p);
            row[x] = p;
        }
    }
    return out;
}

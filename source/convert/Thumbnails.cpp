// Area averaging, one axis at a time: every thumbnail row (then dot) is a weighted sum of the
// exported rows (dots) it overlaps, weights being the overlaps, so no dot of the picture is
// skipped however small the thumbnail.
#include "convert/Thumbnails.h"

#include "core/GlobalsRec.h"

#include <algorithm>

namespace {

constexpr int kExportedRows = 2 * kLines;

struct Tap {
    int source;
    float weight;
};

// For each of `to` cells, the `from` cells it covers and by how much (summing to one).
std::vector<std::vector<Tap>> tapsFor(int from, int to) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
    const double scale = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double start = i * scale, end = (i + 1) * scale;
        for (int s = static_cast<int>(start); s < end && s < from; ++s) {
            const double overlap = std::min(end, s + 1.0) - std::max(start, static_cast<double>(s));
            if (overlap > 0) taps[i].push_back({s, static_cast<float>(overlap / scale)});
        }
    }
    return taps;
}

} // namespace

std::vector<std::uint8_t> thumbnailOf(const std::uint8_t* render, int side, int& width,
                                      int& height) {
    width = std::min(side, kOffscreenDots);
    height = std::max(1, (width * kExportedRows + kOffscreenDots / 2) / kOffscreenDots);
    const auto columns = tapsFor(kOffscreenDots, width);
    const auto rows = tapsFor(kExportedRows, height);
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * height * 4);
    std::vector<float> line(kOffscreenDots * 4); // one thumbnail row, at the render's width
    for (int y = 0; y < height; ++y) {
        std::fill(line.begin(), line.end(), 0.0f);
        for (const Tap& tap : rows[y]) // exported row r is render row r / 2
            for (int i = 0; i < kOffscreenDots * 4; ++i)
                line[i] += tap.weight * render[(tap.source / 2) * kOffscreenDots * 4 + i];
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 4; ++c) {
                float sum = 0;
                for (const Tap& tap : columns[x])
                    sum += tap.weight * line[tap.source * 4 + c];
                out[(static_cast<std::size_t>(y) * width + x) * 4 + c] =
                    static_cast<std::uint8_t>(std::clamp(sum + 0.5f, 0.0f, 255.0f));
            }
    }
    return out;
}

// Area averaging, one axis at a time: every thumbnail dot (then row) is a weighted sum of the
// render dots (rows) it overlaps, weights being the overlaps in 256ths, so no dot of the picture
// is skipped however small the thumbnail. Fixed point: a thumbnail costs well under a millisecond.
#include "convert/Thumbnails.h"

#include "core/GlobalsRec.h"

#include <algorithm>

namespace {

constexpr int kExportedRows = 2 * kLines;
constexpr int kOne = 256; // the weights of one thumbnail cell add up to this

// For each of `to` cells over `from` cells: the first cell covered, and the weights of the cells
// covered from there (kOne in all), `span` a cell.
struct Taps {
    int span = 0;
    std::vector<int> first;
    std::vector<int> weights;
};

Taps tapsFor(int from, int to) {
    Taps taps;
    taps.span = (from + to - 1) / to + 1;
    taps.first.resize(static_cast<std::size_t>(to));
    taps.weights.assign(static_cast<std::size_t>(to) * taps.span, 0);
    for (int i = 0; i < to; ++i) {
        // Cell i covers [i * from / to, (i + 1) * from / to) in source cells; in units of
        // 1 / to, that is [i * from, (i + 1) * from).
        const long start = static_cast<long>(i) * from, end = start + from;
        const int first = static_cast<int>(start / to);
        taps.first[i] = first;
        int given = 0, heaviest = 0;
        for (int k = 0; k < taps.span && first + k < from; ++k) {
            const long cellStart = static_cast<long>(first + k) * to;
            const long overlap = std::min(end, cellStart + to) - std::max(start, cellStart);
            const int weight = overlap > 0 ? static_cast<int>(overlap * kOne / from) : 0;
            taps.weights[i * taps.span + k] = weight;
            given += weight;
            if (weight > taps.weights[i * taps.span + heaviest]) heaviest = k;
        }
        taps.weights[i * taps.span + heaviest] += kOne - given; // rounding: exactly kOne
    }
    return taps;
}

} // namespace

std::vector<std::uint8_t> thumbnailOf(const std::uint8_t* render, int side, int& width,
                                      int& height) {
    width = std::min(side, kOffscreenDots);
    height = std::max(1, (width * kExportedRows + kOffscreenDots / 2) / kOffscreenDots);
    // The exported image repeats each render row, so averaging its rows is averaging the
    // render's. Each render row is narrowed once (RGB, in 256ths) into a ring of the few rows a
    // thumbnail row needs, then those are averaged.
    const Taps columns = tapsFor(kOffscreenDots, width), rows = tapsFor(kLines, height);
    const std::size_t rowSize = static_cast<std::size_t>(width) * 3;
    std::vector<std::uint16_t> ring(rowSize * static_cast<std::size_t>(rows.span));
    std::vector<int> ringRows(static_cast<std::size_t>(rows.span), -1);
    auto narrowed = [&](int y) {
        std::uint16_t* target = &ring[rowSize * static_cast<std::size_t>(y % rows.span)];
        if (ringRows[y % rows.span] == y) return target;
        ringRows[y % rows.span] = y;
        const std::uint8_t* source = render + y * kOffscreenDots * 4;
        for (int x = 0; x < width; ++x) {
            const int* weights = &columns.weights[static_cast<std::size_t>(x) * columns.span];
            const std::uint8_t* dot = source + columns.first[x] * 4;
            const int taps = std::min(columns.span, kOffscreenDots - columns.first[x]);
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int k = 0; k < taps; ++k)
                    sum += weights[k] * dot[k * 4 + c];
                target[x * 3 + c] = static_cast<std::uint16_t>(sum);
            }
        }
        return target;
    };
    std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * height * 4, 0xFF);
    std::vector<std::uint32_t> sums(rowSize);
    for (int y = 0; y < height; ++y) {
        std::fill(sums.begin(), sums.end(), 0u);
        const int taps = std::min(rows.span, kLines - rows.first[y]);
        for (int k = 0; k < taps; ++k) { // a whole narrowed row at a time
            const auto weight = static_cast<std::uint32_t>(rows.weights[y * rows.span + k]);
            if (weight == 0) continue;
            const std::uint16_t* row = narrowed(rows.first[y] + k);
            for (std::size_t x = 0; x < rowSize; ++x)
                sums[x] += weight * row[x];
        }
        std::uint8_t* target = &out[static_cast<std::size_t>(y) * width * 4];
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) // renders are opaque: alpha stays 255
                target[x * 4 + c] =
                    static_cast<std::uint8_t>((sums[x * 3 + c] + kOne * kOne / 2) >> 16);
    }
    return out;
}

// Separable resampling: each axis gets its taps once, then source rows are read one at a time,
// turned into linear light, filtered across and added into the lines they reach. Only rows that
// reach a shown line are read, and memory stays one source row plus the screen, whatever the
// image's size.
#include "import/ScreenMapping.h"

#include "import/ColorSpace.h"

#include <algorithm>
#include <cmath>

namespace {

// Mitchell-Netravali, B = C = 1/3: little ringing, little blur. Support -2..2.
double Mitchell(double x) {
    x = std::fabs(x);
    constexpr double B = 1.0 / 3.0, C = 1.0 / 3.0;
    if (x < 1.0)
        return ((12 - 9 * B - 6 * C) * x * x * x + (-18 + 12 * B + 6 * C) * x * x + (6 - 2 * B)) /
               6.0;
    if (x < 2.0)
        return ((-B - 6 * C) * x * x * x + (6 * B + 30 * C) * x * x + (-12 * B - 48 * C) * x +
                (8 * B + 24 * C)) /
               6.0;
    return 0.0;
}

// The taps of every shown position along one axis: source indices and weights summing to 1.
struct AxisTaps {
    std::vector<int> first, count, start; // per shown position: first source index, taps, offset
    std::vector<float> weight;
};

AxisTaps TapsFor(int sourceSize, int scaledSize, int offset, int shown) {
    AxisTaps taps;
    const double scale = static_cast<double>(scaledSize) / sourceSize;
    const double widen = std::max(1.0, 1.0 / scale); // a wider filter when shrinking
    for (int i = 0; i < shown; ++i) {
        const int j = i - offset;
        taps.first.push_back(0);
        taps.count.push_back(0);
        taps.start.push_back(static_cast<int>(taps.weight.size()));
        if (j < 0 || j >= scaledSize) continue;
        const double centre = (j + 0.5) / scale - 0.5;
        const int lo = static_cast<int>(std::ceil(centre - 2.0 * widen));
        const int hi = static_cast<int>(std::floor(centre + 2.0 * widen));
        double sum = 0.0;
        int last = -1;
        for (int s = lo; s <= hi; ++s) {
            const double w = Mitchell((s - centre) / widen);
            const int index = std::clamp(s, 0, sourceSize - 1); // edges repeat
            if (index == last) {
                taps.weight.back() += static_cast<float>(w);
            } else {
                if (last < 0) taps.first.back() = index;
                taps.weight.push_back(static_cast<float>(w));
                ++taps.count.back();
                last = index;
            }
            sum += w;
        }
        for (int k = 0; k < taps.count.back(); ++k)
            taps.weight[taps.start.back() + k] /= static_cast<float>(sum);
    }
    return taps;
}

// One source row in linear light, alpha over black.
void LinearRow(const SourceImage& image, int y, std::vector<float>& out) {
    const float* linear = SrgbByteToLinear();
    const std::uint8_t* p = image.rgba + y * image.rowBytes;
    out.resize(3 * static_cast<std::size_t>(image.width));
    for (int x = 0; x < image.width; ++x, p += 4) {
        const float alpha = p[3] / 255.0f;
        for (int k = 0; k < 3; ++k)
            out[3 * x + k] = linear[p[k]] * alpha;
    }
}

ScreenImage MapExactly(const SourceImage& image) {
    ScreenImage screen;
    std::vector<float> row;
    for (int y = 0; y < kLines; ++y) {
        LinearRow(image, y, row);
        std::copy(row.begin(), row.end(), screen.at(0, y));
    }
    return screen;
}

} // namespace

double ShownDotWidth(std::uint16_t aspectCorrect) {
    return aspectCorrect == 1 ? 0.9 : aspectCorrect == 2 ? 0.84 : 1.0;
}

ScreenPlacement PlaceOnScreen(int width, int height, FitMode fit, std::uint16_t aspectCorrect) {
    if (fit == FitMode::Stretch || width <= 0 || height <= 0)
        return ScreenPlacement{0, 0, kMemoryDots, kLines};
    // The screen as shown is 560 dots of width `dot` by 192 lines of height 2.
    const double dot = ShownDotWidth(aspectCorrect);
    const double across = kMemoryDots * dot / width, down = 2.0 * kLines / height;
    const double scale = fit == FitMode::Fit ? std::min(across, down) : std::max(across, down);
    // Rounded, at least one dot and line; a fill never smaller than the screen.
    const double dots = std::max(1.0, std::round(width * scale / dot));
    const double lines = std::max(1.0, std::round(height * scale / 2.0));
    const int w = static_cast<int>(std::min(dots, 1e9)), h = static_cast<int>(std::min(lines, 1e9));
    return ScreenPlacement{(kMemoryDots - w) / 2, (kLines - h) / 2, w, h};
}

ScreenImage MapToScreen(const SourceImage& image, FitMode fit, std::uint16_t aspectCorrect) {
    if (image.rgba == nullptr || image.width <= 0 || image.height <= 0) return ScreenImage();
    if (image.width == kMemoryDots && image.height == kLines) return MapExactly(image);
    const ScreenPlacement place = PlaceOnScreen(image.width, image.height, fit, aspectCorrect);
    const AxisTaps across = TapsFor(image.width, place.width, place.left, kMemoryDots);
    const AxisTaps down = TapsFor(image.height, place.height, place.top, kLines);

    ScreenImage screen;
    int firstRow = image.height, lastRow = -1;
    for (int y = 0; y < kLines; ++y)
        if (down.count[y] > 0) {
            firstRow = std::min(firstRow, down.first[y]);
            lastRow = std::max(lastRow, down.first[y] + down.count[y] - 1);
        }
    std::vector<float> row, filtered(3 * kMemoryDots);
    int lowestLine = 0; // lines whose taps all lie above the current row are done
    for (int r = firstRow; r <= lastRow; ++r) {
        while (lowestLine < kLines && (down.count[lowestLine] == 0 ||
                                       down.first[lowestLine] + down.count[lowestLine] <= r))
            ++lowestLine;
        bool used = false;
        for (int y = lowestLine; y < kLines && down.first[y] <= r; ++y)
            used = used || down.count[y] > 0;
        if (!used) continue;
        LinearRow(image, r, row);
        for (int x = 0; x < kMemoryDots; ++x) {
            float sum[3] = {0, 0, 0};
            for (int k = 0; k < across.count[x]; ++k) {
                const float w = across.weight[across.start[x] + k];
                const float* p = &row[3 * static_cast<std::size_t>(across.first[x] + k)];
                for (int c = 0; c < 3; ++c)
                    sum[c] += w * p[c];
            }
            std::copy(sum, sum + 3, &filtered[3 * x]);
        }
        for (int y = lowestLine; y < kLines && down.first[y] <= r; ++y) {
            const int k = r - down.first[y];
            if (down.count[y] == 0 || k >= down.count[y]) continue;
            const float w = down.weight[down.start[y] + k];
            float* out = screen.at(0, y);
            for (int i = 0; i < 3 * kMemoryDots; ++i)
                out[i] += w * filtered[i];
        }
    }
    // The filter's small negative lobes may leave values just outside 0..1.
    for (float& v : screen.rgb)
        v = std::clamp(v, 0.0f, 1.0f);
    return screen;
}

// The plain way, as the usual converters do it: colours in 140 four-dot cells a line, no look at
// how neighbouring cells change each other, no linear light. Kept to measure the import against.
#include "import/ColorSpace.h"
#include "import/EngineRenderer.h"
#include "import/Import.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kCells = kMemoryDots / 4;

using Rgb = std::array<float, 3>; // gamma-encoded, 0..255

// The colour the engine shows in the middle of line y of the last render.
Rgb ShownMiddle(const EngineRenderer& renderer, int y) {
    float sum[3] = {0, 0, 0};
    for (int x = 0; x < 4; ++x) {
        float rgb[3];
        PackedToLinear(renderer.pixel(y, 281 + x), rgb);
        for (int k = 0; k < 3; ++k)
            sum[k] += rgb[k] / 4;
    }
    return Rgb{255 * LinearToSrgb(sum[0]), 255 * LinearToSrgb(sum[1]), 255 * LinearToSrgb(sum[2])};
}

// Floyd-Steinberg over the 140 x 192 cells against `colors`: the index chosen for every cell.
std::vector<int> DitherCells(const ScreenImage& image, const std::vector<Rgb>& colors) {
    std::vector<Rgb> cells(static_cast<std::size_t>(kCells) * kLines);
    for (int y = 0; y < kLines; ++y)
        for (int k = 0; k < kCells; ++k)
            for (int c = 0; c < 3; ++c) {
                float sum = 0;
                for (int x = 0; x < 4; ++x)
                    sum += image.at(4 * k + x, y)[c] / 4;
                cells[y * kCells + k][c] = 255 * LinearToSrgb(sum);
            }
    std::vector<int> chosen(cells.size());
    auto push = [&](int k, int y, const Rgb& error, float share) {
        if (k < 0 || k >= kCells || y >= kLines) return;
        for (int c = 0; c < 3; ++c)
            cells[y * kCells + k][c] += error[c] * share;
    };
    for (int y = 0; y < kLines; ++y)
        for (int k = 0; k < kCells; ++k) {
            Rgb aim = cells[y * kCells + k];
            for (float& v : aim)
                v = std::clamp(v, 0.0f, 255.0f);
            int best = 0;
            float bestDistance = 1e30f;
            for (std::size_t i = 0; i < colors.size(); ++i) {
                float d = 0;
                for (int c = 0; c < 3; ++c)
                    d += (aim[c] - colors[i][c]) * (aim[c] - colors[i][c]);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = static_cast<int>(i);
                }
            }
            chosen[y * kCells + k] = best;
            const Rgb error = {aim[0] - colors[best][0], aim[1] - colors[best][1],
                               aim[2] - colors[best][2]};
            push(k + 1, y, error, 7 / 16.0f);
            push(k - 1, y + 1, error, 3 / 16.0f);
            push(k, y + 1, error, 5 / 16.0f);
            push(k + 1, y + 1, error, 1 / 16.0f);
        }
    return chosen;
}

ImportedPicture PlainDhgr(const ScreenImage& image, const ORVEL_GlobalsRec& settings) {
    EngineRenderer renderer(settings, true);
    for (int pattern = 0; pattern < 16; ++pattern)
        for (int d = 0; d < kMemoryDots; ++d)
            SetMemoryDot(renderer.record(), pattern, d, (pattern >> (3 - d % 4)) & 1);
    renderer.render();
    std::vector<Rgb> colors;
    for (int pattern = 0; pattern < 16; ++pattern)
        colors.push_back(ShownMiddle(renderer, pattern));
    const std::vector<int> chosen = DitherCells(image, colors);
    renderer.clearPicture();
    for (int y = 0; y < kLines; ++y)
        for (int d = 0; d < kMemoryDots; ++d)
            SetMemoryDot(renderer.record(), y, d, (chosen[y * kCells + d / 4] >> (3 - d % 4)) & 1);
    ImportedPicture picture;
    std::copy_n(renderer.record().auxMem, kBankSize, picture.auxMem.begin());
    std::copy_n(renderer.record().mainMem, kBankSize, picture.mainMem.begin());
    return picture;
}

// The six hi-res colours: which pixel of a cell's pair is lit (1 the even, 2 the odd, 3 both),
// the high bit they want (-1: no wish), and the bytes of a fill (even and odd columns).
struct HiresColor {
    int pixels, highBit;
    std::uint8_t even, odd;
};
const HiresColor kHiresColors[] = {
    {0, -1, 0x00, 0x00}, {3, -1, 0x7F, 0x7F}, {1, 0, 0x55, 0x2A},
    {2, 0, 0x2A, 0x55},  {1, 1, 0xD5, 0xAA},  {2, 1, 0xAA, 0xD5},
};

ImportedPicture PlainHgr(const ScreenImage& image, const ORVEL_GlobalsRec& settings) {
    EngineRenderer renderer(settings, false);
    std::vector<Rgb> colors;
    for (int i = 0; i < 6; ++i)
        for (int c = 0; c < kLineBytes; ++c)
            HiresByte(renderer.record(), i, c) = c % 2 ? kHiresColors[i].odd : kHiresColors[i].even;
    renderer.render();
    for (int i = 0; i < 6; ++i)
        colors.push_back(ShownMiddle(renderer, i));
    const std::vector<int> chosen = DitherCells(image, colors);
    ImportedPicture picture;
    picture.isDHGR = false;
    for (int y = 0; y < kLines; ++y)
        for (int c = 0; c < kLineBytes; ++c) {
            unsigned byte = 0;
            int votes = 0;
            for (int k = 0; k < 7; ++k) {
                const int pixel = 7 * c + k;
                const HiresColor& color = kHiresColors[chosen[y * kCells + pixel / 2]];
                if ((color.pixels >> (pixel % 2)) & 1) byte |= 1u << k;
                if (color.highBit >= 0) votes += color.highBit ? 1 : -1;
            }
            if (votes > 0) byte |= 0x80;
            picture.mainMem[g_rowoffsets[y] + c] = static_cast<std::uint8_t>(byte);
        }
    return picture;
}

} // namespace

ImportedPicture ImportThePlainWay(const ScreenImage& image, ImportTarget target,
                                  const ORVEL_GlobalsRec& settings) {
    return target == ImportTarget::Dhgr ? PlainDhgr(image, settings) : PlainHgr(image, settings);
}

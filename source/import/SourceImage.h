// What the importer takes and what it works on: a decoded image as straight-alpha RGBA bytes
// from any reader, and the screen it is mapped to, one linear-light colour per memory dot.
#pragma once

#include "core/GlobalsRec.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Pixels row after row, four bytes each (red, green, blue, alpha; the colour not multiplied by
// alpha), `rowBytes` apart. The importer reads them and keeps no pointer.
struct SourceImage {
    const std::uint8_t* rgba = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t rowBytes = 0;
};

// The largest image the importer takes. Readers check it against the image's header, before
// any pixel is decoded.
constexpr std::int64_t kMaxImportPixels = 100'000'000;
constexpr int kMaxImportSide = 30'000;

inline bool ImportSizeAllowed(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImportSide && height <= kMaxImportSide &&
           width * height <= kMaxImportPixels;
}

// 560 memory dots by 192 lines of linear-light RGB (0..1), the picture the import aims at.
// Dot x of line y is shown at offscreen column x + 1, as a double hi-res memory dot is.
struct ScreenImage {
    std::vector<float> rgb = std::vector<float>(3 * kMemoryDots * kLines, 0.0f);

    float* at(int x, int y) { return &rgb[3 * (static_cast<std::size_t>(y) * kMemoryDots + x)]; }
    const float* at(int x, int y) const {
        return &rgb[3 * (static_cast<std::size_t>(y) * kMemoryDots + x)];
    }
};

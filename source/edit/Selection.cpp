// Copies read the dot grid; pastes and clears write through the ink, dot by dot, so a region
// moves between pictures (and between double hi-res and hi-res) by the same paths as any tool.
#include "edit/Selection.h"

#include "edit/DotGrid.h"
#include "edit/Ink.h"

#include <algorithm>
#include <cstring>

namespace {

const char kClipTag[8] = {'O', 'R', 'V', 'D', 'O', 'T', 'S', '1'};
constexpr std::size_t kClipHeader = sizeof(kClipTag) + 5;

} // namespace

DotRect ClipToPicture(DotRect rect) {
    rect.top = std::clamp(rect.top, 0, kLines);
    rect.bottom = std::clamp(rect.bottom, 0, kLines);
    rect.left = std::clamp(rect.left, 0, kMemoryDots);
    rect.right = std::clamp(rect.right, 0, kMemoryDots);
    return rect;
}

DotRect SelectionRect(Point a, Point b, bool hires) {
    DotRect rect{std::min<int>(a.v, b.v), std::min<int>(a.h, b.h), std::max<int>(a.v, b.v) + 1,
                 std::max<int>(a.h, b.h) + 1};
    if (hires) {
        rect.left &= ~1;
        rect.right = (rect.right + 1) & ~1;
    }
    return ClipToPicture(rect);
}

DotClip CopyDots(ORVEL_GlobalsRec* rec, DotRect rect) {
    rect = ClipToPicture(rect);
    DotClip clip;
    if (rect.empty()) return clip;
    const DotGrid grid(rec);
    clip.width = rect.width();
    clip.height = rect.height();
    clip.hires = grid.hires();
    clip.dots.reserve(static_cast<std::size_t>(clip.width * clip.height));
    for (int line = rect.top; line < rect.bottom; ++line)
        for (int dot = rect.left; dot < rect.right; ++dot)
            clip.dots.push_back(static_cast<std::uint8_t>((grid.lit(line, dot) ? 1 : 0) |
                                                          (grid.highBit(line, dot) ? 2 : 0)));
    return clip;
}

void PasteDots(ORVEL_GlobalsRec* rec, const DotClip& clip, int line, int dot, bool keepHiRes) {
    if (clip.empty() || clip.dots.size() != static_cast<std::size_t>(clip.width * clip.height))
        return;
    Ink ink(rec, 15, keepHiRes);
    const DotRect target = ClipToPicture(DotRect{line, dot, line + clip.height, dot + clip.width});
    // A hi-res picture takes one dot per pixel: the clip's dot at the pixel's first dot.
    for (int y = target.top; y < target.bottom; ++y)
        for (int x = target.left; x < target.right; ++x) {
            if (ink.hires() && (x - dot) % 2 != 0) continue;
            const std::uint8_t value =
                clip.dots[static_cast<std::size_t>((y - line) * clip.width + (x - dot))];
            const int high = ink.hires() && clip.hires ? (value >> 1) & 1 : -1;
            ink.setDot(y, x, value & 1, high);
        }
}

void ClearDots(ORVEL_GlobalsRec* rec, DotRect rect, bool keepHiRes) {
    rect = ClipToPicture(rect);
    if (rect.empty()) return;
    Ink ink(rec, 0, keepHiRes);
    for (int line = rect.top; line < rect.bottom; ++line)
        ink.patternRun(line, rect.left, rect.right - 1);
}

std::vector<std::uint8_t> EncodeClip(const DotClip& clip) {
    std::vector<std::uint8_t> out(kClipTag, kClipTag + sizeof(kClipTag));
    out.push_back(static_cast<std::uint8_t>(clip.width & 0xFF));
    out.push_back(static_cast<std::uint8_t>(clip.width >> 8));
    out.push_back(static_cast<std::uint8_t>(clip.height & 0xFF));
    out.push_back(static_cast<std::uint8_t>(clip.height >> 8));
    out.push_back(clip.hires ? 1 : 0);
    out.insert(out.end(), clip.dots.begin(), clip.dots.end());
    return out;
}

bool DecodeClip(const std::uint8_t* bytes, std::size_t size, DotClip& clip) {
    if (bytes == nullptr || size < kClipHeader) return false;
    if (std::memcmp(bytes, kClipTag, sizeof(kClipTag)) != 0) return false;
    const std::uint8_t* header = bytes + sizeof(kClipTag);
    const int width = header[0] | (header[1] << 8), height = header[2] | (header[3] << 8);
    if (width < 1 || width > kMemoryDots || height < 1 || height > kLines || header[4] > 1)
        return false;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (size != kClipHeader + count) return false;
    clip.width = width;
    clip.height = height;
    clip.hires = header[4] != 0;
    clip.dots.assign(bytes + kClipHeader, bytes + size);
    for (std::uint8_t& d : clip.dots)
        d &= 3;
    return true;
}

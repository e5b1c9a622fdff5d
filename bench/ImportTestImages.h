// The test images of the import benchmarks and quality table, made here from numbers alone:
// a grey ramp, colour ramps, a smooth gradient, line art, and four synthetic photographs built
// from noise and shapes. 560 x 192 sRGB pixels each, the same on every run.
#pragma once

#include "import/ColorSpace.h"
#include "import/SourceImage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testimages {

struct Color {
    float r, g, b; // linear light
};

inline float Hash(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFFFF) / 16777216.0f;
}

// Smooth value noise, 0..1, with `octaves` halving in size.
inline float Noise(float x, float y, int seed, int octaves = 4) {
    float sum = 0, amplitude = 0.5f, total = 0;
    for (int o = 0; o < octaves; ++o) {
        const int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
        float fx = x - xi, fy = y - yi;
        fx = fx * fx * (3 - 2 * fx);
        fy = fy * fy * (3 - 2 * fy);
        const float top = Hash(xi, yi, seed + o) * (1 - fx) + Hash(xi + 1, yi, seed + o) * fx;
        const float bottom =
            Hash(xi, yi + 1, seed + o) * (1 - fx) + Hash(xi + 1, yi + 1, seed + o) * fx;
        sum += amplitude * (top * (1 - fy) + bottom * fy);
        total += amplitude;
        amplitude *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
    }
    return sum / total;
}

inline Color Mix(Color a, Color b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline Color FromSrgb(float r, float g, float b) {
    return {SrgbToLinear(r), SrgbToLinear(g), SrgbToLinear(b)};
}

inline Color Hue(float h, float saturation = 1.0f, float value = 1.0f) {
    const float k[3] = {5, 3, 1};
    float c[3];
    for (int i = 0; i < 3; ++i) {
        const float t = std::fmod(k[i] + h * 6.0f, 6.0f);
        c[i] = value - value * saturation * std::clamp(std::min(t, 4 - t), 0.0f, 1.0f);
    }
    return FromSrgb(c[0], c[1], c[2]);
}

// A picture as a function of the shown position (u across 0..560, v down 0..384, so a circle
// is round at aspect 1.0), averaged over 3 x 3 samples a pixel.
using Picture = std::function<Color(float u, float v)>;

struct TestImage {
    std::string name;
    std::vector<std::uint8_t> rgba;
    SourceImage source() const {
        return SourceImage{rgba.data(), kMemoryDots, kLines, 4 * kMemoryDots};
    }
};

inline TestImage Make(const std::string& name, const Picture& picture) {
    TestImage image{name, std::vector<std::uint8_t>(4 * kMemoryDots * kLines)};
    for (int y = 0; y < kLines; ++y)
        for (int x = 0; x < kMemoryDots; ++x) {
            Color sum{0, 0, 0};
            for (int s = 0; s < 9; ++s) {
                const Color c = picture(x + (s % 3 + 0.5f) / 3, 2 * (y + (s / 3 + 0.5f) / 3));
                sum = {sum.r + c.r / 9, sum.g + c.g / 9, sum.b + c.b / 9};
            }
            std::uint8_t* p = &image.rgba[4 * (y * kMemoryDots + x)];
            const float channels[3] = {sum.r, sum.g, sum.b};
            for (int k = 0; k < 3; ++k)
                p[k] = static_cast<std::uint8_t>(std::lround(255 * LinearToSrgb(channels[k])));
            p[3] = 255;
        }
    return image;
}

inline float Smooth(float edge, float distance) {
    return std::clamp(0.5f - distance / edge, 0.0f, 1.0f);
}

inline std::vector<TestImage> AllTestImages() {
    std::vector<TestImage> images;
    images.push_back(Make("grey ramp", [](float u, float v) {
        const float t = u / 560.0f;
        const float g = v < 192 ? t : SrgbToLinear(t);
        return Color{g, g, g};
    }));
    images.push_back(Make("colour ramps", [](float u, float v) {
        const float t = u / 560.0f;
        if (v < 128) return Hue(t);
        if (v < 256) return Mix(Color{0.2f, 0.2f, 0.2f}, Hue(std::floor(v / 32) / 4.0f), t);
        return Hue(std::floor((v - 256) / 32) / 4.0f + 0.125f, 1.0f - t * 0.8f, 0.4f + 0.6f * t);
    }));
    images.push_back(Make("gradient", [](float u, float v) {
        const float s = u / 560.0f, t = v / 384.0f;
        const Color top = Mix(FromSrgb(0.9f, 0.3f, 0.2f), FromSrgb(0.2f, 0.4f, 0.9f), s);
        const Color bottom = Mix(FromSrgb(0.95f, 0.85f, 0.3f), FromSrgb(0.1f, 0.6f, 0.3f), s);
        return Mix(top, bottom, t);
    }));
    images.push_back(Make("line art", [](float u, float v) {
        float ink = 0;
        for (int i = 0; i < 6; ++i) {
            const float cx = 70 + 84 * i, cy = 120 + 30 * (i % 3), r = 30 + 12 * i;
            ink = std::max(ink, Smooth(1.5f, std::fabs(std::hypot(u - cx, v - cy) - r) - 1.0f));
        }
        for (int i = 0; i < 9; ++i)
            ink = std::max(ink,
                           Smooth(1.5f, std::fabs(u * 0.6f - v + 40.0f * i - 120) / 1.17f - 0.8f));
        const Color paper = FromSrgb(0.97f, 0.95f, 0.88f);
        const Color pen = v > 300 ? FromSrgb(0.7f, 0.1f, 0.1f) : FromSrgb(0.05f, 0.05f, 0.1f);
        return Mix(paper, pen, ink);
    }));
    images.push_back(Make("landscape", [](float u, float v) {
        const float horizon = 230 + 40 * Noise(u / 90, 0.5f, 11, 3);
        if (v < horizon) {
            Color sky =
                Mix(FromSrgb(0.25f, 0.45f, 0.85f), FromSrgb(0.95f, 0.75f, 0.55f), v / horizon);
            const float sun = Smooth(3.0f, std::hypot(u - 420, v - 120) - 38);
            const float cloud = std::clamp((Noise(u / 70, v / 30, 3, 5) - 0.55f) * 4, 0.0f, 1.0f);
            sky = Mix(Mix(sky, FromSrgb(1.0f, 0.95f, 0.7f), sun), FromSrgb(0.95f, 0.95f, 0.97f),
                      cloud * 0.8f);
            return sky;
        }
        const float grass = Noise(u / 6, v / 6, 5, 4);
        Color ground = Mix(FromSrgb(0.15f, 0.35f, 0.1f), FromSrgb(0.55f, 0.6f, 0.2f), grass);
        const float path =
            Smooth(4.0f, std::fabs(u - 280 - (v - 384) * 0.8f) - (v - horizon) * 0.5f);
        return Mix(ground, FromSrgb(0.6f, 0.5f, 0.35f), path);
    }));
    images.push_back(Make("portrait", [](float u, float v) {
        Color c = Mix(FromSrgb(0.3f, 0.25f, 0.35f), FromSrgb(0.55f, 0.5f, 0.6f),
                      Noise(u / 40, v / 40, 8, 3));
        const float dx = (u - 280) / 95, dy = (v - 170) / 130;
        const float face = Smooth(0.04f, std::hypot(dx, dy) - 1);
        const float shade =
            std::clamp(1.0f - 0.5f * (dx + 0.3f) * (dx + 0.3f) - 0.3f * dy * dy, 0.3f, 1.0f);
        const Color skin = Mix(FromSrgb(0.45f, 0.28f, 0.2f), FromSrgb(0.96f, 0.78f, 0.66f), shade);
        c = Mix(c, skin, face);
        const float hair =
            Smooth(4.0f, std::hypot(u - 280, (v - 120) * 1.3f) - 120) * (v < 150 ? 1.0f : 0.0f);
        c = Mix(c,
                Mix(FromSrgb(0.2f, 0.1f, 0.05f), FromSrgb(0.45f, 0.3f, 0.15f),
                    Noise(u / 3, v / 12, 9, 2)),
                hair * (1 - face * (v > 95 ? 1.0f : 0.0f)));
        const float body = Smooth(4.0f, std::max(std::fabs(u - 280) - 150, 300 - v));
        return Mix(
            c,
            Mix(FromSrgb(0.1f, 0.3f, 0.6f), FromSrgb(0.2f, 0.5f, 0.8f), Noise(u / 20, v / 20, 10)),
            body);
    }));
    images.push_back(Make("still life", [](float u, float v) {
        Color c = v < 250 ? Mix(FromSrgb(0.35f, 0.3f, 0.25f), FromSrgb(0.55f, 0.5f, 0.45f), v / 250)
                          : Mix(FromSrgb(0.45f, 0.25f, 0.1f), FromSrgb(0.7f, 0.45f, 0.2f),
                                Noise(u / 4, v / 40, 21, 4));
        const float balls[4][4] = {{140, 230, 70, 0.0f},
                                   {290, 250, 60, 0.33f},
                                   {420, 220, 80, 0.6f},
                                   {220, 320, 40, 0.15f}};
        for (const auto& b : balls) {
            const float dx = (u - b[0]) / b[2], dy = (v - b[1]) / b[2], r = std::hypot(dx, dy);
            const float inside = Smooth(2.0f / b[2], r - 1);
            if (inside <= 0) continue;
            const float nz = std::sqrt(std::max(0.0f, 1 - r * r));
            const float light = std::clamp(-0.5f * dx - 0.6f * dy + 0.6f * nz, 0.05f, 1.0f);
            const float spec = std::pow(std::max(0.0f, light), 40.0f);
            Color ball = Hue(b[3], 0.85f, 0.25f + 0.75f * light);
            ball = Mix(ball, Color{1, 1, 1}, spec);
            c = Mix(c, ball, inside);
        }
        return c;
    }));
    images.push_back(Make("clouds", [](float u, float v) {
        const float n = Noise(u / 120, v / 120, 31, 6), m = Noise(u / 60 + 7, v / 60, 37, 5);
        return Mix(Hue(n * 1.6f, 0.7f, 0.35f + 0.6f * m), Color{0.02f, 0.02f, 0.05f},
                   std::clamp((0.35f - m) * 3, 0.0f, 1.0f));
    }));
    return images;
}

} // namespace testimages

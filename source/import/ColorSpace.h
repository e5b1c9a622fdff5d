// Colour arithmetic of the importer: sRGB and linear light, CIELAB (D65) for comparing colours
// as the eye does, and the CIEDE2000 difference by which imports are measured.
#pragma once

#include <cstdint>

struct Lab {
    float L, a, b;
};

// sRGB component (0..1) to linear light, and back.
float SrgbToLinear(float value);
float LinearToSrgb(float value);

// Linear light of each 8-bit sRGB value.
const float* SrgbByteToLinear();

// Linear-light RGB (0..1, sRGB primaries) to CIELAB with the D65 white.
Lab LinearToLab(const float rgb[3]);

// The linear-light colour of an RGBA word as the core packs it (red in the low byte).
void PackedToLinear(std::uint32_t rgba, float rgb[3]);

// The CIEDE2000 colour difference (kL = kC = kH = 1).
double DeltaE2000(const Lab& first, const Lab& second);

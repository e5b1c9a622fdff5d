// sRGB, CIELAB and CIEDE2000 by their published formulas (IEC 61966-2-1, CIE 15, and the
// CIEDE2000 formula as Sharma, Wu and Dalal set it out with their test data).
#include "import/ColorSpace.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct ByteTable {
    float linear[256];
    ByteTable() {
        for (int v = 0; v < 256; ++v)
            linear[v] = SrgbToLinear(static_cast<float>(v) / 255.0f);
    }
};

float LabF(float t) {
    constexpr float kEpsilon = 216.0f / 24389.0f;
    constexpr float kSlope = 24389.0f / 27.0f / 116.0f;
    return t > kEpsilon ? std::cbrt(t) : kSlope * t + 16.0f / 116.0f;
}

double Degrees(double radians) {
    return radians * 180.0 / kPi;
}
double Radians(double degrees) {
    return degrees * kPi / 180.0;
}

// Hue angle in degrees, 0..360; 0 for a neutral colour.
double HueAngle(double b, double a) {
    if (a == 0.0 && b == 0.0) return 0.0;
    const double h = Degrees(std::atan2(b, a));
    return h < 0.0 ? h + 360.0 : h;
}

} // namespace

float SrgbToLinear(float value) {
    return value <= 0.04045f ? value / 12.92f : std::pow((value + 0.055f) / 1.055f, 2.4f);
}

float LinearToSrgb(float value) {
    if (value <= 0.0f) return 0.0f;
    if (value >= 1.0f) return 1.0f;
    return value <= 0.0031308f ? value * 12.92f : 1.055f * std::pow(value, 1.0f / 2.4f) - 0.055f;
}

const float* SrgbByteToLinear() {
    static const ByteTable table;
    return table.linear;
}

Lab LinearToLab(const float rgb[3]) {
    const float x = 0.4124564f * rgb[0] + 0.3575761f * rgb[1] + 0.1804375f * rgb[2];
    const float y = 0.2126729f * rgb[0] + 0.7151522f * rgb[1] + 0.0721750f * rgb[2];
    const float z = 0.0193339f * rgb[0] + 0.1191920f * rgb[1] + 0.9503041f * rgb[2];
    const float fx = LabF(x / 0.95047f), fy = LabF(y), fz = LabF(z / 1.08883f);
    return Lab{116.0f * fy - 16.0f, 500.0f * (fx - fy), 200.0f * (fy - fz)};
}

void PackedToLinear(std::uint32_t rgba, float rgb[3]) {
    const float* linear = SrgbByteToLinear();
    for (int k = 0; k < 3; ++k)
        rgb[k] = linear[(rgba >> (8 * k)) & 0xFF];
}

double DeltaE2000(const Lab& first, const Lab& second) {
    const double L1 = first.L, a1 = first.a, b1 = first.b;
    const double L2 = second.L, a2 = second.a, b2 = second.b;
    const double meanC = (std::hypot(a1, b1) + std::hypot(a2, b2)) / 2.0;
    const double c7 = std::pow(meanC, 7.0);
    const double g = 0.5 * (1.0 - std::sqrt(c7 / (c7 + std::pow(25.0, 7.0))));
    const double a1p = (1.0 + g) * a1, a2p = (1.0 + g) * a2;
    const double C1 = std::hypot(a1p, b1), C2 = std::hypot(a2p, b2);
    const double h1 = HueAngle(b1, a1p), h2 = HueAngle(b2, a2p);

    const double dL = L2 - L1, dC = C2 - C1;
    double dh = 0.0;
    if (C1 * C2 != 0.0) {
        dh = h2 - h1;
        if (dh > 180.0) dh -= 360.0;
        if (dh < -180.0) dh += 360.0;
    }
    const double dH = 2.0 * std::sqrt(C1 * C2) * std::sin(Radians(dh / 2.0));

    const double meanL = (L1 + L2) / 2.0, meanCp = (C1 + C2) / 2.0;
    double meanH = h1 + h2;
    if (C1 * C2 != 0.0) {
        if (std::fabs(h1 - h2) <= 180.0)
            meanH /= 2.0;
        else
            meanH = meanH < 360.0 ? (meanH + 360.0) / 2.0 : (meanH - 360.0) / 2.0;
    }
    const double t =
        1.0 - 0.17 * std::cos(Radians(meanH - 30.0)) + 0.24 * std::cos(Radians(2.0 * meanH)) +
        0.32 * std::cos(Radians(3.0 * meanH + 6.0)) - 0.20 * std::cos(Radians(4.0 * meanH - 63.0));
    const double dTheta = 30.0 * std::exp(-std::pow((meanH - 275.0) / 25.0, 2.0));
    const double cp7 = std::pow(meanCp, 7.0);
    const double rC = 2.0 * std::sqrt(cp7 / (cp7 + std::pow(25.0, 7.0)));
    const double l50 = (meanL - 50.0) * (meanL - 50.0);
    const double sL = 1.0 + 0.015 * l50 / std::sqrt(20.0 + l50);
    const double sC = 1.0 + 0.045 * meanCp;
    const double sH = 1.0 + 0.015 * meanCp * t;
    const double rT = -std::sin(Radians(2.0 * dTheta)) * rC;
    const double l = dL / sL, c = dC / sC, h = dH / sH;
    return std::sqrt(l * l + c * c + h * h + rT * c * h);
}

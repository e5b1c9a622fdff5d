// The composite model's constants and the weights they give. A dot clock of 14.31818 MHz is
// four dots per colour subcarrier cycle, so the subcarrier phase of a dot is its index mod 4.
#include "core/CompositeModel.h"

#include <array>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDotClockHz = 14.31818e6;
constexpr double kLumaCutoffHz = 2.0e6;
constexpr double kICutoffHz = 1.3e6;
constexpr double kQCutoffHz = 0.6e6;
constexpr double kSideLobesDb = 50;
constexpr double kHueDegrees = 123;
constexpr double kSaturation = 0.707;
// R'G'B' from Y, I and Q, the NTSC matrix: row = channel, columns Y, I, Q.
constexpr double kYIQToRGB[3][3] = {
    {1, 0.9560, 0.6208}, {1, -0.2720, -0.6472}, {1, -1.1067, 1.7042}};

constexpr int kHalfTaps = 8; // every filter is 17 taps, centred: k = -8..8
constexpr int kTaps = 2 * kHalfTaps + 1;
using Filter = std::array<double, kTaps>;

// The Chebyshev polynomial T_n(x), for any real x.
double Chebyshev(int n, double x) {
    if (std::abs(x) <= 1) return std::cos(n * std::acos(x));
    const double outside = std::cosh(n * std::acosh(std::abs(x)));
    return x < 0 && n % 2 != 0 ? -outside : outside;
}

// The Dolph-Chebyshev window: the inverse transform of T_16 sampled at 17 points, whose side
// lobes all lie kSideLobesDb below the main lobe. Its scale does not matter: filters are
// normalised after it.
Filter DolphChebyshevWindow() {
    const int order = kTaps - 1;
    const double x0 = std::cosh(std::acosh(std::pow(10.0, kSideLobesDb / 20)) / order);
    Filter window{};
    for (int n = -kHalfTaps; n <= kHalfTaps; ++n)
        for (int k = 0; k < kTaps; ++k)
            window[n + kHalfTaps] += Chebyshev(order, x0 * std::cos(kPi * k / kTaps)) *
                                     std::cos(2 * kPi * k * n / kTaps);
    return window;
}

// A windowed-sinc low-pass filter with the given cut-off, its taps summing to 1.
Filter LowPass(double cutoffHz) {
    const Filter window = DolphChebyshevWindow();
    Filter taps{};
    double sum = 0;
    for (int k = -kHalfTaps; k <= kHalfTaps; ++k) {
        const double x = 2 * kPi * cutoffHz * k / kDotClockHz;
        sum += taps[k + kHalfTaps] = window[k + kHalfTaps] * (k == 0 ? 1 : std::sin(x) / x);
    }
    for (double& tap : taps)
        tap /= sum;
    return taps;
}

double Tap(const Filter& filter, int k) {
    return k >= -kHalfTaps && k <= kHalfTaps ? filter[k + kHalfTaps] : 0;
}

} // namespace

// One lit dot at d + j alone. Seen from dot d (u = -j dots after it), the luma is
// hY[u]; the chroma at dot d - k is [k == u] - hY[u - k], demodulated there at the
// subcarrier phase of dot d - k and filtered into I and Q at dot d.
CompositeWeights ComputeCompositeWeights() {
    const Filter luma = LowPass(kLumaCutoffHz), inPhase = LowPass(kICutoffHz),
                 quadrature = LowPass(kQCutoffHz);
    CompositeWeights result{};
    for (int phase = 0; phase < 4; ++phase)
        for (int j = -CompositeWeights::kReach; j <= CompositeWeights::kReach; ++j) {
            const int u = -j;
            double yiq[3] = {Tap(luma, u), 0, 0};
            for (int k = -kHalfTaps; k <= kHalfTaps; ++k) {
                const double chroma = (k == u ? 1 : 0) - Tap(luma, u - k);
                const double theta = (kHueDegrees + 90.0 * (phase - k)) * kPi / 180;
                yiq[1] += kSaturation * inPhase[k + kHalfTaps] * 2 * chroma * std::cos(theta);
                yiq[2] += kSaturation * quadrature[k + kHalfTaps] * 2 * chroma * std::sin(theta);
            }
            for (int channel = 0; channel < 3; ++channel) {
                const double* row = kYIQToRGB[channel];
                result.weight[phase][channel][j + CompositeWeights::kReach] =
                    row[0] * yiq[0] + row[1] * yiq[1] + row[2] * yiq[2];
            }
        }
    return result;
}

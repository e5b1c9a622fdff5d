// With G the blur, the blurred error's energy is e'G'Ge. A change d of the shown colours alters
// it by 2 d'(G'G e) + d'G'G d; G'G is again separable (the blur's autocorrelation), so keeping
// c = G'G e at hand makes both terms local. The edges of the picture are treated as the
// middle: the measure renormalises its blur there, the search need not.
#include "import/BlurredError.h"

#include <cmath>

namespace {

constexpr double kSigmaAcross = 1.5, kSigmaDown = 0.75;

// The blur's taps, normalised, then their autocorrelation, without the tails below half a
// percent of the middle (they change no decision and cost most of the work).
std::vector<float> Autocorrelation(double sigma) {
    const int radius = static_cast<int>(std::ceil(3.0 * sigma));
    std::vector<double> g(2 * radius + 1);
    double sum = 0;
    for (int i = -radius; i <= radius; ++i)
        sum += g[i + radius] = std::exp(-0.5 * i * i / (sigma * sigma));
    std::vector<float> a(4 * radius + 1);
    for (int k = -2 * radius; k <= 2 * radius; ++k) {
        double s = 0;
        for (int i = -radius; i <= radius; ++i)
            if (i + k >= -radius && i + k <= radius) s += g[i + radius] * g[i + k + radius];
        a[k + 2 * radius] = static_cast<float>(s / (sum * sum));
    }
    int keep = 2 * radius;
    while (keep > 0 && a[2 * radius + keep] < 0.005f * a[2 * radius])
        --keep;
    return std::vector<float>(a.begin() + 2 * radius - keep, a.begin() + 2 * radius + keep + 1);
}

} // namespace

Opponent ToOpponent(const float linear[3], float chromaWeight) {
    const float y = 0.2126f * linear[0] + 0.7152f * linear[1] + 0.0722f * linear[2];
    const float scale = std::sqrt(chromaWeight);
    return Opponent{{y, scale * (linear[2] - y), scale * (linear[0] - y)}};
}

void BlurredError::build(const std::vector<float>& error) {
    across_ = Autocorrelation(kSigmaAcross);
    down_ = Autocorrelation(kSigmaDown);
    const int rx = static_cast<int>(across_.size()) / 2, ry = static_cast<int>(down_.size()) / 2;
    std::vector<float> rows(error.size(), 0.0f);
    for (int y = 0; y < kLines; ++y)
        for (int x = 0; x < kMemoryDots; ++x)
            for (int k = -rx; k <= rx; ++k) {
                if (x + k < 0 || x + k >= kMemoryDots) continue;
                for (int c = 0; c < 3; ++c)
                    rows[index(x, y) + c] += across_[k + rx] * error[index(x + k, y) + c];
            }
    correlated_.assign(error.size(), 0.0f);
    for (int y = 0; y < kLines; ++y)
        for (int k = -ry; k <= ry; ++k) {
            if (y + k < 0 || y + k >= kLines) continue;
            for (int i = 0; i < 3 * kMemoryDots; ++i)
                correlated_[index(0, y) + i] += down_[k + ry] * rows[index(0, y + k) + i];
        }
}

float BlurredError::change(const DotChange* changes, int count) const {
    const int rx = static_cast<int>(across_.size()) / 2, ry = static_cast<int>(down_.size()) / 2;
    float linear = 0.0f, square = 0.0f;
    for (int i = 0; i < count; ++i) {
        const float* c = &correlated_[index(changes[i].x, changes[i].y)];
        const float* d = changes[i].delta.v;
        linear += d[0] * c[0] + d[1] * c[1] + d[2] * c[2];
    }
    // The second term is never negative: a change that does not lower the first cannot help.
    if (linear >= 0.0f) return linear;
    for (int i = 0; i < count; ++i) {
        const float* d = changes[i].delta.v;
        for (int j = 0; j < count; ++j) {
            const int dx = changes[j].x - changes[i].x, dy = changes[j].y - changes[i].y;
            if (dx < -rx || dx > rx || dy < -ry || dy > ry) continue;
            const float* e = changes[j].delta.v;
            square += down_[dy + ry] * across_[dx + rx] * (d[0] * e[0] + d[1] * e[1] + d[2] * e[2]);
        }
    }
    return 2.0f * linear + square;
}

void BlurredError::apply(const DotChange* changes, int count) {
    const int rx = static_cast<int>(across_.size()) / 2, ry = static_cast<int>(down_.size()) / 2;
    for (int i = 0; i < count; ++i) {
        const int x0 = changes[i].x, y = changes[i].y;
        const float* d = changes[i].delta.v;
        for (int dy = -ry; dy <= ry; ++dy) {
            if (y + dy < 0 || y + dy >= kLines) continue;
            for (int dx = -rx; dx <= rx; ++dx) {
                if (x0 + dx < 0 || x0 + dx >= kMemoryDots) continue;
                const float a = down_[dy + ry] * across_[dx + rx];
                float* c = &correlated_[index(x0 + dx, y + dy)];
                for (int k = 0; k < 3; ++k)
                    c[k] += a * d[k];
            }
        }
    }
}

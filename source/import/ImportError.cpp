// The measure of an import: both pictures blurred alike in linear light (the kernel renormalised
// at the edges), then compared dot by dot in CIEDE2000.
#include "import/ColorSpace.h"
#include "import/EngineRenderer.h"
#include "import/Import.h"

#include <cmath>

namespace {

constexpr double kSigmaAcross = 1.5, kSigmaDown = 0.75;

std::vector<float> GaussianTaps(double sigma) {
    const int radius = static_cast<int>(std::ceil(3.0 * sigma));
    std::vector<float> taps(2 * radius + 1);
    for (int i = -radius; i <= radius; ++i)
        taps[i + radius] = static_cast<float>(std::exp(-0.5 * i * i / (sigma * sigma)));
    return taps;
}

// One pass of the separable blur: along x when `across`, else along y.
ScreenImage BlurPass(const ScreenImage& in, const std::vector<float>& taps, bool across) {
    ScreenImage out;
    const int radius = static_cast<int>(taps.size()) / 2;
    const int size = across ? kMemoryDots : kLines;
    for (int y = 0; y < kLines; ++y)
        for (int x = 0; x < kMemoryDots; ++x) {
            const int at = across ? x : y;
            float sum[3] = {0, 0, 0}, weight = 0;
            for (int k = -radius; k <= radius; ++k) {
                const int p = at + k;
                if (p < 0 || p >= size) continue;
                const float* v = across ? in.at(p, y) : in.at(x, p);
                const float w = taps[k + radius];
                for (int c = 0; c < 3; ++c)
                    sum[c] += w * v[c];
                weight += w;
            }
            float* o = out.at(x, y);
            for (int c = 0; c < 3; ++c)
                o[c] = sum[c] / weight;
        }
    return out;
}

ScreenImage Blurred(const ScreenImage& image) {
    return BlurPass(BlurPass(image, GaussianTaps(kSigmaAcross), true), GaussianTaps(kSigmaDown),
                    false);
}

double MeanDifference(const ScreenImage& a, const ScreenImage& b) {
    double sum = 0.0;
    for (int y = 0; y < kLines; ++y)
        for (int x = 0; x < kMemoryDots; ++x)
            sum += DeltaE2000(LinearToLab(a.at(x, y)), LinearToLab(b.at(x, y)));
    return sum / (static_cast<double>(kLines) * kMemoryDots);
}

} // namespace

ImportError MeasureImport(const ScreenImage& image, const ImportedPicture& picture,
                          const ORVEL_GlobalsRec& settings) {
    EngineRenderer renderer(settings, picture.isDHGR);
    StorePicture(picture, renderer.record());
    renderer.render();
    ScreenImage shown;
    for (int y = 0; y < kLines; ++y)
        for (int x = 0; x < kMemoryDots; ++x)
            PackedToLinear(renderer.pixel(y, x + 1), shown.at(x, y));
    ImportError error;
    error.unblurred = MeanDifference(image, shown);
    error.blurred = MeanDifference(Blurred(image), Blurred(shown));
    return error;
}

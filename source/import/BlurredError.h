// The error the eye sees from a distance, kept up to date while a picture is changed dot by dot:
// the shown picture minus the image, in a linear opponent space (luminance and two weighted
// colour differences), blurred by the viewing-distance Gaussian. What a change would do to its
// sum of squares costs a few dozen operations, so a search can try every dot, pass after pass.
#pragma once

#include "import/SourceImage.h"

#include <vector>

// A colour in the opponent space: luminance, then the blue and red differences from it, each
// scaled by the square root of the colour weight so that squared distances weigh them.
struct Opponent {
    float v[3];
};
Opponent ToOpponent(const float linear[3], float chromaWeight);

// One shown colour changing at dot x of line y.
struct DotChange {
    int x, y;
    Opponent delta;
};

class BlurredError {
public:
    // `shown` gives the opponent colour shown at (x, y) at the start.
    template <class Shown>
    BlurredError(const ScreenImage& image, float chromaWeight, Shown shown) {
        std::vector<float> error(3 * static_cast<std::size_t>(kMemoryDots) * kLines);
        for (int y = 0; y < kLines; ++y)
            for (int x = 0; x < kMemoryDots; ++x) {
                const Opponent target = ToOpponent(image.at(x, y), chromaWeight), now = shown(x, y);
                for (int k = 0; k < 3; ++k)
                    error[index(x, y) + k] = now.v[k] - target.v[k];
            }
        build(error);
    }

    // What the sum of squares of the blurred error would change by, were the shown colours to
    // change by `changes` (distinct dots).
    float change(const DotChange* changes, int count) const;
    // Makes the changes.
    void apply(const DotChange* changes, int count);

private:
    std::size_t index(int x, int y) const {
        return 3 * (static_cast<std::size_t>(y) * kMemoryDots + x);
    }
    // Keeps the error (shown minus image) through the blur and back: c = G'G e.
    void build(const std::vector<float>& error);

    std::vector<float> correlated_;
    std::vector<float> across_, down_; // A's factors, from -radius to radius
};

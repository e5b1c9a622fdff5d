// How an NTSC colour monitor turns a line of dots into colour, reduced to numbers: the model
// is linear up to the final clip, so a dot's colour is a weighted sum of the lit dots near it.
#pragma once

// The model's unclipped R'G'B' of memory dot d (0 black, 1 full) is the sum, over the lit
// dots d + j with |j| <= kReach, of weight[d mod 4][channel][j + kReach] (channels R, G, B).
struct CompositeWeights {
    static constexpr int kReach = 16; // two 17-tap filters in a row reach 8 + 8 dots
    static constexpr int kSpan = 2 * kReach + 1;
    double weight[4][3][kSpan];
};

// Derives the weights from the model's constants: the three low-pass filters (luma, I, Q),
// the subcarrier phase of each dot, the saturation and the YIQ to R'G'B' matrix.
CompositeWeights ComputeCompositeWeights();

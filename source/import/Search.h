// The two searches that choose screen memory for a mapped image: double hi-res a dot at a time
// over the next several dots, hi-res a byte at a time (its seven pixels and high bit together),
// each candidate weighed by how the engine shows it (the learnt model) against the image plus
// the error carried from dots already decided.
#pragma once

#include "import/Dither.h"
#include "import/EngineModel.h"
#include "import/SourceImage.h"

#include <cstdint>
#include <vector>

struct SearchSettings {
    std::vector<DiffusionTap> kernel; // empty: no error is carried
    float damping = 1.0f;             // share of each error that is carried
    int lookahead = 0;         // double hi-res: dots weighed beyond those the next colour needs
    float chromaWeight = 1.0f; // of the colour axes against lightness
    bool carry = true;         // candidates weighed with the error of each dot carried to the next
    int stride = 1;            // double hi-res: dots kept from each combination tried
    int finalists = 8;    // hi-res: bytes weighed with their errors carried, of the best roughly
    int refinePasses = 0; // passes of the search on the blurred error after the dither
    float refineChroma = 1.0f; // its weight of the colour axes
};

// One dot (0 or 1) for each memory dot of each line, line after line.
std::vector<std::uint8_t> SearchDhgr(const ScreenImage& image, const DhgrModel& model,
                                     const SearchSettings& settings);

// The 40 bytes of each line, line after line.
std::vector<std::uint8_t> SearchHgr(const ScreenImage& image, const HgrModel& model,
                                    const SearchSettings& settings);

// The search on the blurred error: flips kept while they lower it (see Refine.cpp).
void RefineDhgr(const ScreenImage& image, const DhgrModel& model, const SearchSettings& settings,
                std::vector<std::uint8_t>& dots);
void RefineHgr(const ScreenImage& image, const HgrModel& model, const SearchSettings& settings,
               std::vector<std::uint8_t>& bytes);

// A colour in linear light, as three floats.
struct Linear {
    float v[3];
};

// What the searches share: the image plus the error carried to it, as the colour to aim at, and
// how far a shown colour is from an aim.
class TargetLine {
public:
    TargetLine(const ScreenImage& image, const SearchSettings& settings);

    void startLine(int y) {
        if (y > 0) field_.nextLine();
        y_ = y;
    }
    // The colour dot x should show: the image plus the error carried to it so far.
    Linear aim(int x) const;
    // Dot x shows `shown` for good: its error goes on to the dots not yet decided.
    void settle(int x, const ShownColor& shown);

    // The shares of an error that go to the next dot and the one after on the same line.
    float nextShare(int dx) const { return along_[dx - 1]; }

    // How far `shown` is from `aim` (kept inside 0..1 first), in a linear opponent space: the
    // difference of luminance and, weighted, of the two colour differences. Errors are carried
    // in linear light, and judged in the same space, so dithered dots mix to the aim. `error`
    // is what is left to carry.
    float distance(Linear aim, const ShownColor& shown, Linear& error) const {
        for (int k = 0; k < 3; ++k)
            error.v[k] = Clamped(aim.v[k]) - shown.linear[k];
        float d[3];
        LinearToOpponent(error.v, d);
        return d[0] * d[0] + chroma_ * (d[1] * d[1] + d[2] * d[2]);
    }

    // The same, with the aim turned into the opponent space once (aimOpponent) for many colours.
    Linear aimOpponent(Linear aim) const {
        for (float& v : aim.v)
            v = Clamped(v);
        Linear out;
        LinearToOpponent(aim.v, out.v);
        return out;
    }
    float distance(const Linear& aimOpponent, const ShownColor& shown) const {
        const float dY = aimOpponent.v[0] - shown.opponent[0];
        const float dU = aimOpponent.v[1] - shown.opponent[1];
        const float dV = aimOpponent.v[2] - shown.opponent[2];
        return dY * dY + chroma_ * (dU * dU + dV * dV);
    }

private:
    const ScreenImage& image_;
    ErrorField field_;
    float chroma_;
    float along_[2] = {0, 0};
    int y_ = 0;

    static float Clamped(float v) { return v < 0 ? 0 : v > 1 ? 1 : v; }
};

// The search of `target` with explicit settings: ImportScreen's work once the settings are
// chosen (the tuning of the Best method calls it directly).
struct ImportedPicture;
enum class ImportTarget;
ImportedPicture SearchPicture(const ScreenImage& image, ImportTarget target,
                              const SearchSettings& search, const ORVEL_GlobalsRec& settings);

// How the engine in force shows each dot, learnt by rendering every case through the core: the
// search then weighs thousands of candidates a line without rendering each one. The engines are
// local and colour repeats every four dots, so a table over a few neighbours is the engine
// itself; an engine that reaches farther is tabled over the nearest neighbours (`exact` false).
#pragma once

#include "core/GlobalsRec.h"
#include "import/ColorSpace.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

struct ShownColor {
    std::uint32_t rgba; // as the core packs it
    float linear[3];
    Lab lab;
    float opponent[3]; // luminance, blue and red minus luminance, in linear light
};

// Luminance and the blue and red differences from it, of a linear-light colour.
inline void LinearToOpponent(const float linear[3], float out[3]) {
    out[0] = 0.2126f * linear[0] + 0.7152f * linear[1] + 0.0722f * linear[2];
    out[1] = linear[2] - out[0];
    out[2] = linear[0] - out[0];
}

// The distinct colours an engine shows, numbered as they are first seen.
class ShownColors {
public:
    std::uint32_t idOf(std::uint32_t rgba);
    const ShownColor& operator[](std::uint32_t id) const { return colors_[id]; }
    std::size_t size() const { return colors_.size(); }

private:
    std::unordered_map<std::uint32_t, std::uint32_t> ids_;
    std::vector<ShownColor> colors_;
};

// Double hi-res: the colour shown at memory dot x (offscreen column x + 1) depends on the dots
// x - before .. x + after (dots off the line are dark) and on x mod 4.
struct DhgrModel {
    int before = 0, after = 0;
    bool exact = true;
    std::vector<std::uint32_t> ids; // [x mod 4][window]; the window's leftmost dot in its top bit
    ShownColors colors;

    int width() const { return before + after + 1; }
    std::uint32_t id(int x, unsigned window) const {
        return ids[(static_cast<std::size_t>(x & 3) << width()) | window];
    }
};

// Hi-res: the 14 dots of byte c (memory dots 14c..14c+13) depend on the byte, on the bits
// `prevMask` of byte c - 1 and `nextMask` of byte c + 1 (zero off the line), and on c's parity.
struct HgrModel {
    unsigned prevMask = 0, nextMask = 0;
    int prevBits = 0, nextBits = 0;
    bool exact = true;
    std::vector<std::uint32_t> ids; // [parity][key][14]
    // Bit j: dot j of a byte changes with the next byte (per parity).
    unsigned dependsOnNext[2] = {0, 0};
    ShownColors colors;

    int keyBits() const { return prevBits + 8 + nextBits; }
    // The byte in the low bits: the 256 candidates for one place lie side by side in the table.
    unsigned key(unsigned prevContext, unsigned byte, unsigned nextContext) const {
        return byte | (prevContext << 8) | (nextContext << (prevBits + 8));
    }
    const std::uint32_t* span(int column, unsigned key) const {
        return &ids[((static_cast<std::size_t>(column & 1) << keyBits()) | key) * 14];
    }
};

// The bits of `value` under `mask`, packed down (bit 0 first), and back.
unsigned GatherBits(unsigned value, unsigned mask);
unsigned ScatterBits(unsigned bits, unsigned mask);

// The models of the engine, palette and settings of `settings`, learnt on first use and kept for
// the few settings used last. Single-threaded, as the core is.
std::shared_ptr<const DhgrModel> DhgrModelFor(const ORVEL_GlobalsRec& settings);
std::shared_ptr<const HgrModel> HgrModelFor(const ORVEL_GlobalsRec& settings);

// The composite engine's tables and its per-line function. Before the clip a dot's colour is a
// sum of weights of the 33 dots around it, so eight dots take five table lookups and one clip.
#include "core/CompositeColor.h"

#include "core/CompositeModel.h"
#include "core/RowSinks.h"

#include <cmath>
#include <cstring>

namespace {

constexpr int kFullScale = 255 << CompositeTables::kFractionBits; // 1.0 in fixed point
constexpr int kRoundingBias = 1 << (CompositeTables::kFractionBits - 1);
constexpr int kCentre = CompositeTables::kBytes / 2; // the entry of the eight dots' own byte
constexpr int kReach = CompositeWeights::kReach;

// Eight dots' sums, and their colours, in the compiler's vectors: one row of additions for all
// 32 channels, which the target's widest registers take as they come.
typedef std::int16_t Sums __attribute__((vector_size(64)));
typedef std::uint8_t Colors __attribute__((vector_size(32)));
static_assert(sizeof(Sums) == sizeof CompositeTables::entry[0][0], "one entry, one vector");

// The model's weights in fixed point, each rounded once, so a sum does not depend on how the
// dots are grouped into bytes: a picture moved by four dots colours exactly the same.
struct FixedWeights {
    int weight[4][3][CompositeWeights::kSpan];
    explicit FixedWeights(const CompositeWeights& w) {
        for (int phase = 0; phase < 4; ++phase)
            for (int c = 0; c < 3; ++c)
                for (int j = 0; j < CompositeWeights::kSpan; ++j)
                    weight[phase][c][j] = int(std::lround(w.weight[phase][c][j] * kFullScale));
    }
};

// The sums of dot byte `byte` for the eight dots 8n..8n+7, the byte being number q of the five
// (kCentre: their own); bit 7 - i of it is its dot i. Offscreen dot 8n + t shows memory dot
// 8n + t - 1, so its subcarrier phase is (t + 3) mod 4 whatever n is.
void FillEntry(const FixedWeights& w, int q, unsigned byte, std::int16_t (&entry)[32]) {
    for (int t = 0; t < 8; ++t) {
        // The rounding bias and the opaque alpha ride on the eight dots' own byte.
        int sum[4] = {0, 0, 0, 0};
        if (q == kCentre) sum[0] = sum[1] = sum[2] = kRoundingBias, sum[3] = kFullScale;
        for (int i = 0; i < 8; ++i) {
            const int j = 8 * (q - kCentre) + i - t; // from the coloured dot to the lit one
            if (((byte >> (7 - i)) & 1) == 0 || j < -kReach || j > kReach) continue;
            for (int c = 0; c < 3; ++c)
                sum[c] += w.weight[(t + 3) & 3][c][j + kReach];
        }
        // The worst |sum| of 33 dots is about 2.1: the fixed-point sums stay within 16 bits.
        for (int c = 0; c < 4; ++c)
            entry[4 * t + c] = static_cast<std::int16_t>(sum[c]);
    }
}

// The row's colours, eight dots for each of `count` dot bytes, the five around dot byte n being
// dots[n..n+4]. The one function the render spends its time in: on x86 the loader picks a copy
// made for AVX2 where the processor has it (twice the lanes of the baseline's SSE2).
#if defined(__x86_64__)
__attribute__((target_clones("avx2", "default")))
#endif
void ColorRow(const CompositeTables& tables, const std::uint8_t* dots, std::uint8_t* out,
              int count) {
    for (int n = 0; n < count; ++n) {
        Sums e0, e1, e2, e3, e4;
        std::memcpy(&e0, tables.entry[0][dots[n]], sizeof e0);
        std::memcpy(&e1, tables.entry[1][dots[n + 1]], sizeof e1);
        std::memcpy(&e2, tables.entry[2][dots[n + 2]], sizeof e2);
        std::memcpy(&e3, tables.entry[3][dots[n + 3]], sizeof e3);
        std::memcpy(&e4, tables.entry[4][dots[n + 4]], sizeof e4);
        Sums sum = (e0 + e1 + e2 + e3 + e4) >> CompositeTables::kFractionBits;
        sum = sum < 0 ? 0 : sum;
        sum = sum > 255 ? 255 : sum;
        const Colors colors = __builtin_convertvector(sum, Colors);
        std::memcpy(out + 32 * n, &colors, sizeof colors);
    }
}

struct BuiltTables : CompositeTables {
    BuiltTables() { BuildCompositeTables(*this); }
};

const CompositeTables& TablesInUse() {
    static const BuiltTables tables;
    return tables;
}

} // namespace

void BuildCompositeTables(CompositeTables& tables) {
    const FixedWeights weights(ComputeCompositeWeights());
    for (int q = 0; q < CompositeTables::kBytes; ++q)
        for (unsigned byte = 0; byte < 256; ++byte)
            FillEntry(weights, q, byte, tables.entry[q][byte]);
}

std::uint32_t CompositeSolidRGBA(unsigned pattern) {
    // Memory dot d (offscreen dot d + 1) is lit when bit 3 - d mod 4 of the pattern is set; as
    // a byte holds two whole cycles, every dot byte of the fill is the same.
    unsigned byte = 0;
    for (int i = 0; i < 8; ++i)
        byte |= ((pattern >> (3 - (i + 3) % 4)) & 1u) << (7 - i);
    std::uint8_t dots[CompositeTables::kBytes], colors[32];
    std::memset(dots, static_cast<int>(byte), sizeof dots);
    ColorRow(TablesInUse(), dots, colors, 1);
    std::uint32_t rgba;
    std::memcpy(&rgba, colors + 4, 4); // offscreen dot 1: memory dot 0 of a cycle
    return rgba;
}

void CopyCompositeBits(ORVEL_GlobalsRec* rec) {
    const std::int64_t row = rec->curLine - gSkipLineStart;
    std::uint8_t* out = RGBARow(rec, rec->curLine);
    if (out == nullptr || !MonoRowReadable(rec, row)) return;
    const CompositeTables& tables = TablesInUse();

    // The row's dots, lit = set, between two dark bytes on each side: the line is dark around
    // it. Of dots 560..567 only 560 and 561 exist.
    const std::uint8_t* mono = rec->monoBits + row * rec->monoRowBytes;
    std::uint8_t dots[kMonoRowBytes + 2 * kCentre] = {};
    for (int i = 0; i < kMonoRowBytes; ++i)
        dots[kCentre + i] = static_cast<std::uint8_t>(~mono[i]);
    dots[kCentre + kMonoRowBytes - 1] &= 0xC0;

    const int last = kMonoRowBytes - 1; // dot byte 70 holds the picture's last two dots
    ColorRow(tables, dots, out, last);
    std::uint8_t tail[32];
    ColorRow(tables, dots + last, tail, 1);
    std::memcpy(out + 32 * last, tail, 4 * (kOffscreenDots - 8 * last));
}

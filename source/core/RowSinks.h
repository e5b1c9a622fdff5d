// The two ways a line function writes one row of the offscreen store: a one-bit row held in
// nine 64-bit words while the line is walked, or the RGBA row written in place.
#pragma once

#include "core/GlobalsRec.h"
#include "core/Palettes.h"
#include "core/Plotter.h"

#include <cstdint>
#include <cstring>

// Little-endian words (see Palettes.h): swapping the bytes gives the store's dot order.
inline std::uint64_t LoadBigEndian64(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return __builtin_bswap64(v);
}

inline void StoreBigEndian64(std::uint8_t* p, std::uint64_t v) {
    v = __builtin_bswap64(v);
    std::memcpy(p, &v, 8);
}

// The dots lit by the set bits of a 7-bit group, spaced `spacing` (1 or 2) apart with runs of
// `width` (1 or 2), left-aligned: the group's first dot in bit 63. Built at compile time.
struct SpreadTables {
    std::uint64_t pattern[2][2][128]; // [spacing - 1][width - 1][bits]
    constexpr SpreadTables() : pattern() {
        for (int spacing = 1; spacing <= 2; ++spacing)
            for (int width = 1; width <= 2; ++width)
                for (unsigned bits = 0; bits < 128; ++bits) {
                    const std::uint64_t run = width == 2 ? 3ull << 62 : 1ull << 63;
                    std::uint64_t p = 0;
                    for (int k = 0; k < 7; ++k)
                        if ((bits >> k) & 1) p |= run >> (spacing * k);
                    pattern[spacing - 1][width - 1][bits] = p;
                }
    }
};
inline constexpr SpreadTables kSpread{};

// One row of the one-bit store, loaded into words with dot 0 in the top bit of word 0 (the
// store's own most-significant-first order), lit = set. Walks go left to right, so the word
// being written and the one after it are kept in registers (`cur_`, `next_`) and reach the
// array only when the walk moves on. finish() stores the row back; dots 562..567 of the store
// are never touched.
class BitRowSink {
public:
    BitRowSink(ORVEL_GlobalsRec* rec, std::int64_t line)
        : row_(rec->pixelDepth == 1 ? StoreRow(rec, line, kMonoRowBytes) : nullptr) {
        if (row_ == nullptr) return;
        std::uint8_t bytes[72] = {};
        std::memcpy(bytes, row_, kMonoRowBytes);
        for (int k = 0; k < 9; ++k)
            words_[k] = ~LoadBigEndian64(bytes + 8 * k);
        storedTail_ = ~words_[8];
        cur_ = words_[0];
    }

    bool usable() const { return row_ != nullptr; }

    // Dot x (0 <= x < 562) darkened when `darken`, else lit when `light`, else left alone.
    // Without branches: the walks decide this from picture bytes, which no predictor guesses.
    void settle(std::int64_t x, bool darken, bool light) {
        seek(x);
        const std::uint64_t bit = (1ull << 63) >> (x & 63);
        cur_ = (cur_ & ~(bit & (0 - std::uint64_t(darken)))) | (bit & (0 - std::uint64_t(light)));
    }

    // Plots a run of `width` dots from x in colour `color` (non-zero lights, 0 darkens).
    void plot(std::int64_t x, std::int64_t width, unsigned color) {
        if (x < 0 || x >= kOffscreenDots) return;
        sync();
        const std::int64_t end = RunEnd(x, width);
        for (std::int64_t d = x; d < end;) {
            const int shift = static_cast<int>(d & 63);
            const std::int64_t span = end - d < 64 - shift ? end - d : 64 - shift;
            const std::uint64_t ones = span == 64 ? ~0ull : ((1ull << span) - 1) << (64 - span);
            const std::uint64_t mask = ones >> shift;
            if (color != 0)
                words_[d >> 6] |= mask;
            else
                words_[d >> 6] &= ~mask;
            d += span;
        }
        cur_ = words_[k_];
    }

    // Lights runs of `width` at x0 + spacing * k for the set bits k of a 7-bit group. All of
    // them are lit, so their order does not matter.
    void lightBits(std::int64_t x0, unsigned bits, int spacing, std::int64_t width) {
        if (width <= 0 || x0 < 0 || x0 >= kOffscreenDots) return;
        if (width > 2 || spacing < 1 || spacing > 2 || bits > 127) {
            for (int k = 0; bits >> k; ++k)
                if ((bits >> k) & 1) plot(x0 + spacing * k, width, 15);
            return;
        }
        seek(x0);
        const std::uint64_t pattern = kSpread.pattern[spacing - 1][width - 1][bits];
        const int shift = static_cast<int>(x0 & 63);
        cur_ |= pattern >> shift;
        next_ |= (pattern << 1) << (63 - shift); // no shift by 64 when shift is 0
    }

    void finish() {
        if (row_ == nullptr) return;
        sync();
        // Keep the store's own bits for dots 562..575: the walk never owns them.
        const std::uint64_t picture = ~0ull << (64 - (kOffscreenDots - 512));
        std::uint8_t bytes[72];
        for (int k = 0; k < 8; ++k)
            StoreBigEndian64(bytes + 8 * k, ~words_[k]);
        StoreBigEndian64(bytes + 64, (~words_[8] & picture) | (storedTail_ & ~picture));
        std::memcpy(row_, bytes, kMonoRowBytes);
    }

private:
    // Makes word x / 64 the current one. Lights already aimed at the next word were made
    // before anything done there now, so they are merged in first.
    void seek(std::int64_t x) {
        const int k = static_cast<int>(x >> 6);
        if (k == k_) return;
        if (k == k_ + 1) {
            words_[k_] = cur_;
            cur_ = words_[k] | next_;
            next_ = 0;
            k_ = k;
            return;
        }
        sync();
        k_ = k;
        cur_ = words_[k];
    }

    void sync() {
        words_[k_] = cur_;
        words_[k_ + 1] |= next_;
        next_ = 0;
    }

    std::uint8_t* row_;
    std::uint64_t words_[11] = {};
    std::uint64_t storedTail_ = 0; // the row's last word as loaded: dots 512..575
    std::uint64_t cur_ = 0, next_ = 0;
    int k_ = 0;
};

// The row of `line` in the RGBA store, or null when the store in use is not that one or lacks
// the row.
inline std::uint8_t* RGBARow(const ORVEL_GlobalsRec* rec, std::int64_t line) {
    return rec->pixelDepth != 1 ? StoreRow(rec, line, 4 * kOffscreenDots) : nullptr;
}

// True when row `row` of monoBits lies wholly inside the buffer, as the colour engines read it.
inline bool MonoRowReadable(const ORVEL_GlobalsRec* rec, std::int64_t row) {
    return rec->monoBits != nullptr && row >= 0 && rec->monoRowBytes >= kMonoRowBytes &&
           (row * rec->monoRowBytes) + kMonoRowBytes <= rec->monoBitsSize;
}

// One row of the RGBA store, written in place through the palette in force.
class RGBARowSink {
public:
    RGBARowSink(ORVEL_GlobalsRec* rec, std::int64_t line) : row_(RGBARow(rec, line)) {
        if (row_ == nullptr) return;
        for (unsigned c = 0; c < 16; ++c)
            colors_[c] = PaletteRGBA(rec, c);
    }

    bool usable() const { return row_ != nullptr; }

    void settle(std::int64_t x, bool darken, bool light) {
        if (darken)
            plot(x, 1, 0);
        else if (light)
            plot(x, 1, 15);
    }

    void plot(std::int64_t x, std::int64_t width, unsigned color) {
        if (x < 0 || x >= kOffscreenDots) return;
        const std::int64_t end = RunEnd(x, width);
        const std::uint32_t rgba = colors_[color & 15];
        for (std::int64_t d = x; d < end; ++d)
            std::memcpy(row_ + 4 * d, &rgba, 4);
    }

    void lightBits(std::int64_t x0, unsigned bits, int spacing, std::int64_t width) {
        for (int k = 0; bits >> k; ++k)
            if ((bits >> k) & 1) plot(x0 + spacing * k, width, 15);
    }

    void finish() {}

private:
    std::uint8_t* row_;
    std::uint32_t colors_[16];
};

// Runs `walk` on the row of line curLine with the sink that fits the store in use; a line
// outside the store is not walked.
template <class Walk>
void WithRowSink(ORVEL_GlobalsRec* rec, Walk walk) {
    BitRowSink bits(rec, rec->curLine);
    if (bits.usable()) {
        walk(bits);
        bits.finish();
        return;
    }
    RGBARowSink rgba(rec, rec->curLine);
    if (rgba.usable()) walk(rgba);
}

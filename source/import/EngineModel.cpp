// Learning a model: first how far a flipped dot (or bit) changes what is shown, on random
// pictures of several densities; then every window (or byte with its neighbours' bits) is laid
// out on lines, far enough apart not to disturb each other, and rendered in whole pictures.
#include "import/EngineModel.h"

#include "import/EngineRenderer.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <list>
#include <random>
#include <string>

namespace {

constexpr int kMaxWindow = 13; // double hi-res: 4 x 8192 windows
constexpr int kMaxContext = 8; // hi-res: bits of the neighbouring bytes, 2 x 65536 keys
constexpr int kDensities[] = {50, 25, 75, 50};

void FillRandom(ORVEL_GlobalsRec& rec, std::mt19937& rng, int percent) {
    std::bernoulli_distribution lit(percent / 100.0);
    for (int i = 0; i < kBankSize; ++i) {
        unsigned aux = 0, main = 0;
        for (int bit = 0; bit < 8; ++bit) {
            aux |= static_cast<unsigned>(lit(rng)) << bit;
            main |= static_cast<unsigned>(lit(rng)) << bit;
        }
        rec.auxMem[i] = static_cast<std::uint8_t>(aux);
        rec.mainMem[i] = static_cast<std::uint8_t>(main);
    }
}

// The shown columns (memory dots 0..559) of every line that differ between two renders.
template <class Visit>
void ForEachChange(const std::vector<std::uint8_t>& before, const EngineRenderer& after,
                   Visit visit) {
    for (int y = 0; y < kLines; ++y)
        for (int x = 0; x < kMemoryDots; ++x) {
            std::uint32_t old;
            std::memcpy(&old, &before[4 * (static_cast<std::size_t>(y) * kOffscreenDots + x + 1)],
                        4);
            if ((old | 0xFF000000u) != after.pixel(y, x + 1)) visit(y, x);
        }
}

// Double hi-res: on every line, six dots 90 apart are flipped; each change is put down to the
// nearest flip. Returns the farthest change to the left (as a positive count) and right.
std::pair<int, int> DotReach(EngineRenderer& renderer) {
    std::mt19937 rng(1);
    int left = 0, right = 0;
    for (int trial = 0; trial < 4; ++trial) {
        ORVEL_GlobalsRec& rec = renderer.record();
        FillRandom(rec, rng, kDensities[trial]);
        renderer.render();
        const std::vector<std::uint8_t> base = renderer.pixels();
        auto flipAt = [trial](int y, int k) { return 45 + 90 * k + (y + trial) % 8; };
        for (int y = 0; y < kLines; ++y)
            for (int k = 0; k < 6; ++k)
                SetMemoryDot(rec, y, flipAt(y, k), !MemoryDot(rec, y, flipAt(y, k)));
        renderer.render();
        ForEachChange(base, renderer, [&](int y, int x) {
            const int k = std::min(x / 90, 5);
            const int offset = x - flipAt(y, k);
            left = std::max(left, -offset);
            right = std::max(right, offset);
        });
    }
    return {left, right};
}

// Hi-res: bit b of six bytes 6 apart flipped on each line; for each bit, the nearest and
// farthest changed dots relative to its byte's first dot.
struct BitReach {
    int lowest[8], highest[8];
};

BitReach ByteReach(EngineRenderer& renderer) {
    std::mt19937 rng(2);
    BitReach reach;
    std::fill(std::begin(reach.lowest), std::end(reach.lowest), 0);
    std::fill(std::begin(reach.highest), std::end(reach.highest), 13);
    for (int trial = 0; trial < 4; ++trial) {
        ORVEL_GlobalsRec& rec = renderer.record();
        FillRandom(rec, rng, kDensities[trial]);
        renderer.render();
        const std::vector<std::uint8_t> base = renderer.pixels();
        auto bitAt = [trial](int y, int k) { return (y + k + trial) % 8; };
        for (int y = 0; y < kLines; ++y)
            for (int k = 0; k < 6; ++k)
                HiresByte(rec, y, 3 + 6 * k) ^= static_cast<std::uint8_t>(1u << bitAt(y, k));
        renderer.render();
        ForEachChange(base, renderer, [&](int y, int x) {
            const int k = std::min(x / 84, 5);
            const int offset = x - 14 * (3 + 6 * k), bit = bitAt(y, k);
            reach.lowest[bit] = std::min(reach.lowest[bit], offset);
            reach.highest[bit] = std::max(reach.highest[bit], offset);
        });
    }
    return reach;
}

// Lays out numbered cases on the lines of whole pictures, renders each picture once it is full
// and hands every case back with its line.
class CaseBatch {
public:
    CaseBatch(EngineRenderer& renderer, int perLine) : renderer_(renderer), perLine_(perLine) {}

    // `place(y, slot)` writes case `index` into slot `slot` of line y; `read(y, slot, index)`
    // takes its result after the render.
    template <class Place, class Read>
    void run(std::size_t cases, Place place, Read read) {
        std::size_t next = 0;
        while (next < cases) {
            renderer_.clearPicture();
            const std::size_t first = next;
            for (int y = 0; y < kLines && next < cases; ++y)
                for (int slot = 0; slot < perLine_ && next < cases; ++slot)
                    place(y, slot, next++);
            renderer_.render();
            std::size_t index = first;
            for (int y = 0; y < kLines && index < next; ++y)
                for (int slot = 0; slot < perLine_ && index < next; ++slot)
                    read(y, slot, index++);
        }
    }

private:
    EngineRenderer& renderer_;
    int perLine_;
};

std::shared_ptr<DhgrModel> LearnDhgr(const ORVEL_GlobalsRec& settings) {
    auto model = std::make_shared<DhgrModel>();
    EngineRenderer renderer(settings, true);
    const auto [left, right] = DotReach(renderer);
    // The colour at dot x changes with dots up to `right` to its left and `left` to its right.
    model->before = right;
    model->after = left;
    while (model->width() > kMaxWindow) {
        model->exact = false;
        (model->before >= model->after ? model->before : model->after)--;
    }
    const int width = model->width(), stride = (width + 3) / 4 * 4;
    const std::size_t windows = std::size_t(1) << width;
    model->ids.assign(4 * windows, 0);
    for (int phase = 0; phase < 4; ++phase) {
        const int firstCentre = model->before + ((phase - model->before) % 4 + 4) % 4;
        const int perLine = (kMemoryDots - 1 - model->after - firstCentre) / stride + 1;
        auto centre = [&](int slot) { return firstCentre + stride * slot; };
        ORVEL_GlobalsRec& rec = renderer.record();
        CaseBatch(renderer, perLine)
            .run(
                windows,
                [&](int y, int slot, std::size_t window) {
                    for (int k = 0; k < width; ++k)
                        if ((window >> (width - 1 - k)) & 1)
                            SetMemoryDot(rec, y, centre(slot) - model->before + k, true);
                },
                [&](int y, int slot, std::size_t window) {
                    model->ids[phase * windows + window] =
                        model->colors.idOf(renderer.pixel(y, centre(slot) + 1));
                });
    }
    return model;
}

// Drops the farthest bits until the table has at most kMaxContext of them.
void LimitContext(HgrModel& model) {
    while (model.prevBits + model.nextBits > kMaxContext) {
        model.exact = false;
        if (model.prevBits >= model.nextBits) {
            model.prevMask &= model.prevMask - 1; // the lowest bit: farthest from the next byte
        } else {
            unsigned top = 0x40; // the highest pixel: farthest from the byte before
            while (!(model.nextMask & top))
                top >>= 1;
            model.nextMask &= ~top;
        }
        model.prevBits = __builtin_popcount(model.prevMask);
        model.nextBits = __builtin_popcount(model.nextMask);
    }
}

void FindNextDependence(HgrModel& model) {
    const unsigned outer = 1u << (model.prevBits + 8);
    for (int parity = 0; parity < 2; ++parity)
        for (unsigned inner = 0; inner < outer; ++inner)
            for (unsigned next = 1; next < (1u << model.nextBits); ++next) {
                const std::uint32_t* a = model.span(parity, inner);
                const std::uint32_t* b = model.span(parity, inner | (next << (model.prevBits + 8)));
                for (int j = 0; j < 14; ++j)
                    if (a[j] != b[j]) model.dependsOnNext[parity] |= 1u << j;
            }
}

std::shared_ptr<HgrModel> LearnHgr(const ORVEL_GlobalsRec& settings) {
    auto model = std::make_shared<HgrModel>();
    EngineRenderer renderer(settings, false);
    const BitReach reach = ByteReach(renderer);
    for (int bit = 0; bit < 8; ++bit) {
        if (reach.highest[bit] >= 14) model->prevMask |= 1u << bit;
        if (reach.lowest[bit] < 0) model->nextMask |= 1u << bit;
        if (reach.highest[bit] >= 28 || reach.lowest[bit] < -14) model->exact = false;
    }
    model->prevBits = __builtin_popcount(model->prevMask);
    model->nextBits = __builtin_popcount(model->nextMask);
    LimitContext(*model);
    const std::size_t keys = std::size_t(1) << model->keyBits();
    model->ids.assign(2 * keys * 14, 0);
    ORVEL_GlobalsRec& rec = renderer.record();
    for (int parity = 0; parity < 2; ++parity) {
        auto column = [parity](int slot) { return 4 * slot + 2 - parity; };
        CaseBatch(renderer, 10)
            .run(
                keys,
                [&](int y, int slot, std::size_t key) {
                    const unsigned k = static_cast<unsigned>(key);
                    const int c = column(slot);
                    HiresByte(rec, y, c - 1) =
                        static_cast<std::uint8_t>(ScatterBits(k >> 8, model->prevMask));
                    HiresByte(rec, y, c) = static_cast<std::uint8_t>(k);
                    HiresByte(rec, y, c + 1) = static_cast<std::uint8_t>(
                        ScatterBits(k >> (model->prevBits + 8), model->nextMask));
                },
                [&](int y, int slot, std::size_t key) {
                    std::uint32_t* span = &model->ids[(parity * keys + key) * 14];
                    for (int j = 0; j < 14; ++j)
                        span[j] = model->colors.idOf(renderer.pixel(y, 14 * column(slot) + 1 + j));
                });
    }
    FindNextDependence(*model);
    return model;
}

// The settings that decide what a picture looks like: the settings block without the view's
// size, aspect and pencil, plus the palettes.
std::string ModelKey(const ORVEL_GlobalsRec& settings) {
    std::string key(reinterpret_cast<const char*>(&settings), kSettingsBlockSize);
    auto clear = [&key](std::size_t offset, std::size_t size) {
        key.replace(offset, size, size, 0);
    };
    clear(offsetof(ORVEL_GlobalsRec, screenSize), sizeof settings.screenSize);
    clear(offsetof(ORVEL_GlobalsRec, aspectCorrect), sizeof settings.aspectCorrect);
    clear(offsetof(ORVEL_GlobalsRec, is560Mode), sizeof settings.is560Mode);
    clear(offsetof(ORVEL_GlobalsRec, startScreen), sizeof settings.startScreen);
    key.append(reinterpret_cast<const char*>(settings.palettes), sizeof settings.palettes);
    return key;
}

template <class Model, class Learn>
std::shared_ptr<const Model> Cached(const ORVEL_GlobalsRec& settings, Learn learn) {
    static std::list<std::pair<std::string, std::shared_ptr<const Model>>> cache;
    const std::string key = ModelKey(settings);
    for (auto it = cache.begin(); it != cache.end(); ++it)
        if (it->first == key) {
            cache.splice(cache.begin(), cache, it);
            return cache.front().second;
        }
    cache.emplace_front(key, learn(settings));
    if (cache.size() > 6) cache.pop_back();
    return cache.front().second;
}

} // namespace

std::uint32_t ShownColors::idOf(std::uint32_t rgba) {
    const auto [it, added] = ids_.emplace(rgba, static_cast<std::uint32_t>(colors_.size()));
    if (added) {
        ShownColor color;
        color.rgba = rgba;
        PackedToLinear(rgba, color.linear);
        color.lab = LinearToLab(color.linear);
        LinearToOpponent(color.linear, color.opponent);
        colors_.push_back(color);
    }
    return it->second;
}

unsigned GatherBits(unsigned value, unsigned mask) {
    unsigned bits = 0;
    for (unsigned out = 1; mask != 0; mask &= mask - 1, out <<= 1)
        if (value & mask & -mask) bits |= out;
    return bits;
}

unsigned ScatterBits(unsigned bits, unsigned mask) {
    unsigned value = 0;
    for (unsigned in = 1; mask != 0; mask &= mask - 1, in <<= 1)
        if (bits & in) value |= mask & -mask;
    return value;
}

std::shared_ptr<const DhgrModel> DhgrModelFor(const ORVEL_GlobalsRec& settings) {
    return Cached<DhgrModel>(settings, LearnDhgr);
}

std::shared_ptr<const HgrModel> HgrModelFor(const ORVEL_GlobalsRec& settings) {
    return Cached<HgrModel>(settings, LearnHgr);
}

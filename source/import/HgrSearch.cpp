// Hi-res, a byte at a time: all 256 bytes are tried, each weighed by the dots it settles, left to
// right with their errors carried along: the last dots of the byte before (which depend on this
// byte's bits), then its own dots that do not wait for the next byte.
#include "import/Search.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int kBytes = kLineBytes;
constexpr int kRememberedBits = 6;
constexpr float kNoLimit = std::numeric_limits<float>::max();
constexpr int kRemembered = 1 << kRememberedBits;

struct Weighed {
    float cost = 0.0f;
    Linear carry[2] = {};
};

class HgrLine {
public:
    HgrLine(const HgrModel& model, TargetLine& target, const SearchSettings& settings)
        : model_(model), target_(target), finalists_(settings.finalists) {
        for (unsigned byte = 0; byte < 256; ++byte)
            nextOf_[byte] = GatherBits(byte, model.nextMask);
    }

    void run(std::uint8_t* bytes) {
        bytes_ = bytes;
        settled_ = 0;
        for (int c = 0; c < kBytes; ++c) {
            current_ = c;
            bytes_[c] = choose(c);
            settleReady(c);
        }
        settleReady(kBytes);
    }

private:
    unsigned prevContext(int c) const {
        return c > 0 ? GatherBits(bytes_[c - 1], model_.prevMask) : 0;
    }
    unsigned nextContext(int c, int chosen) const {
        return c + 1 < kBytes && c + 1 <= chosen ? GatherBits(bytes_[c + 1], model_.nextMask) : 0;
    }
    unsigned waiting(int c) const { return model_.dependsOnNext[c & 1]; }
    unsigned withNext(unsigned key, unsigned next) const {
        return key | (next << (model_.prevBits + 8));
    }

    // Adds the dots `which` of byte c's span, in order, carrying each error to the next; stops
    // early once the cost reaches `limit`.
    void weighSpan(Weighed& w, int c, unsigned key, unsigned which, float limit) const {
        const std::uint32_t* span = model_.span(c, key);
        for (int j = 0; j < 14 && w.cost < limit; ++j) {
            if (!((which >> j) & 1)) continue;
            Linear aim = aims_[14 * c + j], error;
            for (int k = 0; k < 3; ++k)
                aim.v[k] += w.carry[0].v[k];
            w.cost += target_.distance(aim, model_.colors[span[j]], error);
            for (int k = 0; k < 3; ++k) {
                w.carry[0].v[k] = w.carry[1].v[k] + target_.nextShare(1) * error.v[k];
                w.carry[1].v[k] = target_.nextShare(2) * error.v[k];
            }
        }
    }

    // First every byte is weighed roughly, against the aims as they stand; then the best few are
    // weighed again with their errors carried from dot to dot, and the best of those is kept.
    std::uint8_t choose(int c) {
        for (int j = 0; j < 14; ++j)
            aims_[14 * c + j] = target_.aim(14 * c + j);
        unsigned beforeKey = 0;
        if (c > 0) {
            beforeKey = model_.key(prevContext(c - 1), bytes_[c - 1], 0);
            for (int j = 0; j < 14; ++j)
                if ((waiting(c - 1) >> j) & 1)
                    aims_[14 * (c - 1) + j] = target_.aim(14 * (c - 1) + j);
        }
        // The dots that wait for the next byte are weighed too, as if the next byte were the one
        // before this (a hi-res colour repeats every two bytes); they are weighed again, for good,
        // once the next byte is chosen. An engine that reaches far leaves few dots of their own.
        const unsigned context = prevContext(c), all = 0x3FFF;
        const unsigned guess = GatherBits(c > 0 ? bytes_[c - 1] : 0u, model_.nextMask);
        forgetDistances(c);
        // The byte before's waiting dots take one of a few contexts from this byte.
        float before[256] = {};
        for (unsigned next = 0; c > 0 && next < (1u << model_.nextBits); ++next)
            before[next] = roughSpan(c - 1, withNext(beforeKey, next), waiting(c - 1), kNoLimit);
        // Bytes that cannot be among the finalists are left as soon as they cost more than the
        // worst finalist so far.
        const int finalists = std::clamp(finalists_, 1, 256);
        std::pair<float, unsigned> rough[256];
        float kept[256];
        int keptCount = 0;
        for (unsigned byte = 0; byte < 256; ++byte) {
            const float limit = keptCount < finalists ? kNoLimit : kept[finalists - 1];
            float cost = before[nextOf_[byte]];
            if (cost < limit)
                cost += roughSpan(c, model_.key(context, byte, guess), all, limit - cost);
            rough[byte] = {cost, byte};
            if (cost >= limit) continue;
            int at = std::min(keptCount, finalists - 1);
            for (; at > 0 && kept[at - 1] > cost; --at)
                kept[at] = kept[at - 1];
            kept[at] = cost;
            keptCount = std::min(keptCount + 1, finalists);
        }
        std::partial_sort(rough, rough + finalists, rough + 256);
        if (finalists == 1) return static_cast<std::uint8_t>(rough[0].second);
        float bestCost = std::numeric_limits<float>::max();
        unsigned best = rough[0].second;
        for (int i = 0; i < finalists; ++i) {
            const unsigned byte = rough[i].second;
            Weighed w;
            if (c > 0)
                weighSpan(w, c - 1, withNext(beforeKey, nextOf_[byte]), waiting(c - 1), bestCost);
            weighSpan(w, c, model_.key(context, byte, guess), all, bestCost);
            if (w.cost < bestCost) {
                bestCost = w.cost;
                best = byte;
            }
        }
        return static_cast<std::uint8_t>(best);
    }

    // The distances of the dots of bytes c - 1 and c to the colours the candidates give them,
    // each worked out once: all of them ahead when the engine shows few colours, else as they
    // are first asked for.
    struct Remembered {
        std::uint32_t id[kRemembered];
        float distance[kRemembered];
    };

    void forgetDistances(int c) {
        tabled_ = model_.colors.size() <= kRemembered;
        const unsigned weighed = (c > 0 ? waiting(c - 1) : 0u) | (0x3FFFu << 14);
        for (int x = 14 * (c - 1); x < 14 * (c + 1); ++x) {
            Remembered& dot = remembered_[x - 14 * c + 14];
            if (!((weighed >> (x - 14 * c + 14)) & 1)) continue;
            if (!tabled_) {
                std::fill(std::begin(dot.id), std::end(dot.id), ~0u);
                continue;
            }
            const Linear aim = target_.aimOpponent(aims_[x]);
            for (std::uint32_t id = 0; id < model_.colors.size(); ++id)
                dot.distance[id] = target_.distance(aim, model_.colors[id]);
        }
    }

    float roughDistance(int x, std::uint32_t id) {
        Remembered& dot = remembered_[x - 14 * current_ + 14];
        if (tabled_) return dot.distance[id];
        const unsigned slot = (id * 2654435761u) >> (32 - kRememberedBits);
        if (dot.id[slot] != id) {
            Linear error;
            dot.id[slot] = id;
            dot.distance[slot] = target_.distance(aims_[x], model_.colors[id], error);
        }
        return dot.distance[slot];
    }

    // The rough cost of the dots `which` of byte c's span: the aims as they stand, no error
    // carried; left once it reaches `limit`.
    float roughSpan(int c, unsigned key, unsigned which, float limit) {
        const std::uint32_t* span = model_.span(c, key);
        float sum = 0.0f;
        if (tabled_ && which == 0x3FFF && c == current_) { // the common case, straight through
            const Remembered* dots = &remembered_[14];
            for (int j = 0; j < 14; j += 2)
                sum += dots[j].distance[span[j]] + dots[j + 1].distance[span[j + 1]];
            return sum;
        }
        for (; which != 0 && sum < limit; which &= which - 1) {
            const int j = __builtin_ctz(which);
            sum += roughDistance(14 * c + j, span[j]);
        }
        return sum;
    }

    // Settles, left to right, every dot whose bytes are all chosen (bytes 0..chosen).
    void settleReady(int chosen) {
        while (settled_ < kMemoryDots) {
            const int c = settled_ / 14, j = settled_ % 14;
            const bool waits = (waiting(c) >> j) & 1;
            if (c > chosen || (waits && c + 1 > chosen && c + 1 < kBytes && chosen < kBytes))
                return;
            const unsigned key = model_.key(prevContext(c), bytes_[c], nextContext(c, chosen));
            target_.settle(settled_, model_.colors[model_.span(c, key)[j]]);
            ++settled_;
        }
    }

    const HgrModel& model_;
    TargetLine& target_;
    const int finalists_;
    unsigned nextOf_[256]; // the context each byte gives the byte before it
    std::uint8_t* bytes_ = nullptr;
    int settled_ = 0;
    int current_ = 0;
    Linear aims_[kMemoryDots];
    Remembered remembered_[28]; // bytes c - 1 and c
    bool tabled_ = false;
};

} // namespace

std::vector<std::uint8_t> SearchHgr(const ScreenImage& image, const HgrModel& model,
                                    const SearchSettings& settings) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(kLines) * kBytes);
    TargetLine target(image, settings);
    HgrLine line(model, target, settings);
    for (int y = 0; y < kLines; ++y) {
        target.startLine(y);
        line.run(&bytes[static_cast<std::size_t>(y) * kBytes]);
    }
    return bytes;
}

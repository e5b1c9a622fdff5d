// Hi-res, a byte at a time: all 256 bytes are tried, each weighed by the dots it settles, left to
// right with their errors carried along: the last dots of the byte before (which depend on this
// byte's bits), then its own dots that do not wait for the next byte.
#include "import/Search.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int kBytes = kLineBytes;
constexpr std::size_t kTabledColors = 64;

struct Weighed {
    float cost = 0.0f;
    Linear carry[2] = {};
};

class HgrLine {
public:
    HgrLine(const HgrModel& model, TargetLine& target, const SearchSettings& settings)
        : model_(model), target_(target), finalists_(settings.finalists) {}

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

    // First every byte is weighed roughly, against the aims as they stand (from a table of
    // each dot's distance to each colour when the engine shows few); then the best few are
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
        const unsigned context = prevContext(c), own = ~waiting(c) & 0x3FFF;
        fillTable(c);
        std::pair<float, unsigned> rough[256];
        for (unsigned byte = 0; byte < 256; ++byte) {
            float cost = 0.0f;
            if (c > 0)
                cost += roughSpan(c - 1, withNext(beforeKey, GatherBits(byte, model_.nextMask)),
                                  waiting(c - 1));
            rough[byte] = {cost + roughSpan(c, model_.key(context, byte, 0), own), byte};
        }
        const int finalists = std::clamp(finalists_, 1, 256);
        std::partial_sort(rough, rough + finalists, rough + 256);
        if (finalists == 1) return static_cast<std::uint8_t>(rough[0].second);
        float bestCost = std::numeric_limits<float>::max();
        unsigned best = rough[0].second;
        for (int i = 0; i < finalists; ++i) {
            const unsigned byte = rough[i].second;
            Weighed w;
            if (c > 0)
                weighSpan(w, c - 1, withNext(beforeKey, GatherBits(byte, model_.nextMask)),
                          waiting(c - 1), bestCost);
            const unsigned key = model_.key(context, byte, 0);
            weighSpan(w, c, key, own, bestCost);
            if (w.cost < bestCost) {
                bestCost = w.cost;
                best = byte;
            }
        }
        return static_cast<std::uint8_t>(best);
    }

    // Each dot of bytes c - 1 and c against each colour, when the colours are few.
    void fillTable(int c) {
        tabled_ = model_.colors.size() <= kTabledColors;
        if (!tabled_) return;
        const unsigned weighed = (c > 0 ? waiting(c - 1) : 0) | ((~waiting(c) & 0x3FFF) << 14);
        for (int x = std::max(0, 14 * (c - 1)); x < 14 * (c + 1); ++x)
            for (std::uint32_t id = 0;
                 ((weighed >> (x - 14 * c + 14)) & 1) && id < model_.colors.size(); ++id) {
                Linear error;
                table_[x - 14 * c + 14][id] = target_.distance(aims_[x], model_.colors[id], error);
            }
    }

    // The rough cost of the dots `which` of byte c's span, from the table when there is one.
    float roughSpan(int c, unsigned key, unsigned which) const {
        const std::uint32_t* span = model_.span(c, key);
        float sum = 0.0f;
        if (tabled_) {
            const float(*row)[kTabledColors] = &table_[14 * (c - current_) + 14];
            for (; which != 0; which &= which - 1) {
                const int j = __builtin_ctz(which);
                sum += row[j][span[j]];
            }
            return sum;
        }
        for (; which != 0; which &= which - 1) {
            const int j = __builtin_ctz(which);
            Linear error;
            sum += target_.distance(aims_[14 * c + j], model_.colors[span[j]], error);
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
    std::uint8_t* bytes_ = nullptr;
    int settled_ = 0;
    int current_ = 0;
    Linear aims_[kMemoryDots];
    bool tabled_ = false;
    float table_[28][kTabledColors];
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

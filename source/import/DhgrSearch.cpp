// Double hi-res, a dot at a time: the next few dots are tried in every combination, each weighed
// by the colours it settles (a colour is settled once every dot it depends on is chosen), with
// the error of each settled colour carried along the line to the next; the first dot of the best
// combination is kept and the window moves on (by four dots at a time for a quick pass).
// Branches already worse than the best are cut.
#include "import/Search.h"

#include <algorithm>
#include <limits>

namespace {

// A partly chosen combination: its dots (the latest in bit 0), its cost so far, and the error
// it carries to the next two colours of the line.
struct Branch {
    std::uint64_t dots;
    float cost;
    Linear carry[2];
};

class DhgrLine {
public:
    DhgrLine(const DhgrModel& model, TargetLine& target, const SearchSettings& settings)
        : model_(model), target_(target), mask_((1u << model.width()) - 1),
          span_(model.after + 1 + settings.lookahead), stride_(std::max(1, settings.stride)) {}

    // Chooses the dots of one line into `dots`.
    void run(std::uint8_t* dots) {
        std::uint64_t history = 0; // the last `width` dots chosen, the latest in bit 0
        for (int d = 0; d < kMemoryDots; d += stride_) {
            d_ = d;
            count_ = std::min(std::max(span_, stride_), kMemoryDots - d);
            const int last =
                d + count_ == kMemoryDots ? kMemoryDots - 1 : d + count_ - 1 - model_.after;
            for (int x = std::max(0, d - model_.after); x <= last; ++x)
                aims_[x] = target_.aim(x);
            bestCost_ = std::numeric_limits<float>::max();
            explore(0, Branch{history, 0.0f, {}});
            for (int i = 0; i < std::min(stride_, count_); ++i) {
                const unsigned dot = static_cast<unsigned>(bestDots_ >> (count_ - 1 - i)) & 1;
                dots[d + i] = static_cast<std::uint8_t>(dot);
                history = ((history << 1) | dot) & mask_;
                if (d + i - model_.after >= 0) settle(d + i - model_.after, history);
            }
        }
        for (int j = 1; j <= model_.after; ++j)
            settle(kMemoryDots - 1 - model_.after + j, (history << j) & mask_);
    }

private:
    const ShownColor& shown(int x, std::uint64_t window) const {
        return model_.colors[model_.id(x, static_cast<unsigned>(window & mask_))];
    }

    // Weighs the colour of dot x, shown by `window`, and carries its error on.
    void weigh(Branch& branch, int x, std::uint64_t window) const {
        Linear aim = aims_[x], error;
        for (int k = 0; k < 3; ++k)
            aim.v[k] += branch.carry[0].v[k];
        branch.cost += target_.distance(aim, shown(x, window), error);
        for (int k = 0; k < 3; ++k) {
            branch.carry[0].v[k] = branch.carry[1].v[k] + target_.nextShare(1) * error.v[k];
            branch.carry[1].v[k] = target_.nextShare(2) * error.v[k];
        }
    }

    // The branch with the k-th dot from d chosen: the colour it settles, and at the line's end
    // every colour after it too.
    Branch extend(const Branch& from, int k, unsigned dot) const {
        Branch branch = from;
        branch.dots = (from.dots << 1) | dot;
        const int x = d_ + k - model_.after;
        if (x >= 0) weigh(branch, x, branch.dots);
        if (d_ + k == kMemoryDots - 1)
            for (int j = 1; j <= model_.after; ++j)
                if (x + j >= 0) weigh(branch, x + j, branch.dots << j);
        return branch;
    }

    void explore(int k, const Branch& branch) {
        if (k == count_) {
            bestCost_ = branch.cost;
            bestDots_ = branch.dots;
            return;
        }
        const Branch dark = extend(branch, k, 0), lit = extend(branch, k, 1);
        const bool litFirst = lit.cost < dark.cost;
        for (const Branch* next : {litFirst ? &lit : &dark, litFirst ? &dark : &lit})
            if (next->cost < bestCost_) explore(k + 1, *next);
    }

    void settle(int x, std::uint64_t window) { target_.settle(x, shown(x, window)); }

    const DhgrModel& model_;
    TargetLine& target_;
    const std::uint64_t mask_;
    const int span_, stride_;
    int d_ = 0, count_ = 0;
    float bestCost_ = 0.0f;
    std::uint64_t bestDots_ = 0;
    Linear aims_[kMemoryDots];
};

} // namespace

std::vector<std::uint8_t> SearchDhgr(const ScreenImage& image, const DhgrModel& model,
                                     const SearchSettings& settings) {
    std::vector<std::uint8_t> dots(static_cast<std::size_t>(kLines) * kMemoryDots);
    TargetLine target(image, settings);
    DhgrLine line(model, target, settings);
    for (int y = 0; y < kLines; ++y) {
        target.startLine(y);
        line.run(&dots[static_cast<std::size_t>(y) * kMemoryDots]);
    }
    return dots;
}

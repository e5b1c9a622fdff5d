// The second search of the Best method: every dot (double hi-res) or every bit of every byte
// (hi-res) is tried flipped, and the flip is kept when it lowers the blurred error; passes
// repeat until one changes nothing or the passes run out. The dither before it finds the
// colours, this settles how they are laid out.
#include "import/BlurredError.h"
#include "import/Search.h"

#include <algorithm>

namespace {

std::vector<Opponent> OpponentColors(const ShownColors& colors, float chromaWeight) {
    std::vector<Opponent> out;
    for (std::size_t id = 0; id < colors.size(); ++id)
        out.push_back(ToOpponent(colors[static_cast<std::uint32_t>(id)].linear, chromaWeight));
    return out;
}

Opponent Difference(const Opponent& a, const Opponent& b) {
    return Opponent{{a.v[0] - b.v[0], a.v[1] - b.v[1], a.v[2] - b.v[2]}};
}

// Double hi-res moves: every pattern of each group of four dots (the colour's period), then the
// patterns of neighbouring groups exchanged, across and down.
class DhgrRefiner {
public:
    DhgrRefiner(const ScreenImage& image, const DhgrModel& model, float chromaWeight,
                std::vector<std::uint8_t>& dots)
        : model_(model), dots_(dots), opponents_(OpponentColors(model.colors, chromaWeight)),
          ids_(dots.size()), error_(image, chromaWeight, [this](int x, int y) {
              return opponents_[ids_[y * kMemoryDots + x] = shownId(y, x)];
          }) {}

    int pass() {
        int kept = 0;
        std::vector<std::uint8_t> next(busy_.size(), 0);
        for (int y = 0; y < kLines; ++y)
            for (int g = 0; g < kGroups; ++g) {
                if (!busy_[y * kGroups + g]) continue;
                int moved = 0;
                for (unsigned pattern = 0; pattern < 16; ++pattern)
                    if (pattern != group(y, g)) moved += tryMove({{y, g, pattern}});
                if (g + 1 < kGroups && group(y, g) != group(y, g + 1))
                    moved += tryMove({{y, g, group(y, g + 1)}, {y, g + 1, group(y, g)}});
                if (y + 1 < kLines && group(y, g) != group(y + 1, g))
                    moved += tryMove({{y, g, group(y + 1, g)}, {y + 1, g, group(y, g)}});
                if (moved) markAround(next, y, g);
                kept += moved;
            }
        busy_.swap(next);
        return kept;
    }

private:
    static constexpr int kGroups = kMemoryDots / 4;

    struct GroupSet {
        int y, g;
        unsigned pattern;
    };

    // The groups worth trying again after a change at group g of line y: those next to it and
    // on the lines beside it. (Wider marking, to the blur's full reach, gained nothing measurable.)
    void markAround(std::vector<std::uint8_t>& marks, int y, int g) const {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dg = -2; dg <= 2; ++dg)
                if (y + dy >= 0 && y + dy < kLines && g + dg >= 0 && g + dg < kGroups)
                    marks[(y + dy) * kGroups + g + dg] = 1;
    }

    unsigned group(int y, int g) const {
        const std::uint8_t* p = &dots_[y * kMemoryDots + 4 * g];
        return (p[0] << 3) | (p[1] << 2) | (p[2] << 1) | p[3];
    }
    void setGroup(int y, int g, unsigned pattern) {
        std::uint8_t* p = &dots_[y * kMemoryDots + 4 * g];
        for (int k = 0; k < 4; ++k)
            p[k] = (pattern >> (3 - k)) & 1;
    }
    unsigned dot(int y, int p) const {
        return p >= 0 && p < kMemoryDots ? dots_[y * kMemoryDots + p] : 0u;
    }

    // The colours shown at dots first..last of line y, as they are now.
    void shownIds(int y, int first, int last, std::uint32_t* out) const {
        const unsigned mask = (1u << model_.width()) - 1;
        unsigned window = 0;
        for (int p = first - model_.before; p <= first + model_.after; ++p)
            window = (window << 1) | dot(y, p);
        for (int x = first; x <= last; ++x) {
            out[x - first] = model_.id(x, window);
            window = ((window << 1) | dot(y, x + model_.after + 1)) & mask;
        }
    }

    bool tryMove(std::initializer_list<GroupSet> sets) {
        struct Span {
            int y, first, last;
        } spans[2];
        int spanCount = 0;
        unsigned old[2];
        int n = 0;
        for (const GroupSet& set : sets) {
            old[n++] = group(set.y, set.g);
            setGroup(set.y, set.g, set.pattern);
            const int first = std::max(0, 4 * set.g - model_.after),
                      last = std::min(kMemoryDots - 1, 4 * set.g + 3 + model_.before);
            if (spanCount > 0 && spans[spanCount - 1].y == set.y) {
                spans[spanCount - 1].first = std::min(spans[spanCount - 1].first, first);
                spans[spanCount - 1].last = std::max(spans[spanCount - 1].last, last);
            } else {
                spans[spanCount++] = Span{set.y, first, last};
            }
        }
        DotChange changes[96];
        std::uint32_t fresh[2][48];
        int count = 0;
        for (int i = 0; i < spanCount; ++i) {
            const Span& span = spans[i];
            shownIds(span.y, span.first, span.last, fresh[i]);
            for (int x = span.first; x <= span.last; ++x) {
                const std::uint32_t id = fresh[i][x - span.first],
                                    now = ids_[span.y * kMemoryDots + x];
                if (id != now)
                    changes[count++] =
                        DotChange{x, span.y, Difference(opponents_[id], opponents_[now])};
            }
        }
        if (count == 0 || error_.change(changes, count) >= -1e-7f) {
            n = 0;
            for (const GroupSet& set : sets)
                setGroup(set.y, set.g, old[n++]);
            return false;
        }
        error_.apply(changes, count);
        for (int i = 0; i < spanCount; ++i)
            std::copy_n(fresh[i], spans[i].last - spans[i].first + 1,
                        &ids_[spans[i].y * kMemoryDots + spans[i].first]);
        return true;
    }

    std::uint32_t shownId(int y, int x) const {
        std::uint32_t id;
        shownIds(y, x, x, &id);
        return id;
    }

    const DhgrModel& model_;
    std::vector<std::uint8_t>& dots_;
    std::vector<Opponent> opponents_;
    std::vector<std::uint32_t> ids_;
    BlurredError error_;
    std::vector<std::uint8_t> busy_ = std::vector<std::uint8_t>(kLines * kGroups, 1);
};

class HgrRefiner {
public:
    HgrRefiner(const ScreenImage& image, const HgrModel& model, float chromaWeight,
               std::vector<std::uint8_t>& bytes)
        : model_(model), bytes_(bytes), opponents_(OpponentColors(model.colors, chromaWeight)),
          ids_(static_cast<std::size_t>(kLines) * kMemoryDots),
          error_(image, chromaWeight, [this](int x, int y) {
              if (x % 14 == 0) {
                  const std::uint32_t* span = spanOf(y, x / 14, byteAt(y, x / 14));
                  std::copy_n(span, 14, &ids_[y * kMemoryDots + x]);
              }
              return opponents_[ids_[y * kMemoryDots + x]];
          }) {}

    int pass() {
        int kept = 0;
        for (int y = 0; y < kLines; ++y)
            for (int c = 0; c < kLineBytes; ++c)
                for (int bit = 0; bit < 8; ++bit)
                    kept += tryByte(y, c, bytes_[y * kLineBytes + c] ^ (1u << bit));
        return kept;
    }

private:
    unsigned byteAt(int y, int c) const {
        return c >= 0 && c < kLineBytes ? bytes_[y * kLineBytes + c] : 0u;
    }

    // The shown ids of byte c's 14 dots were byte c `value`.
    const std::uint32_t* spanOf(int y, int c, unsigned value) const {
        return model_.span(c, model_.key(GatherBits(byteAt(y, c - 1), model_.prevMask), value,
                                         GatherBits(byteAt(y, c + 1), model_.nextMask)));
    }

    bool tryByte(int y, int c, unsigned value) {
        std::uint8_t& byte = bytes_[y * kLineBytes + c];
        const std::uint8_t old = byte;
        byte = static_cast<std::uint8_t>(value);
        DotChange changes[42];
        std::uint32_t fresh[42];
        int count = 0;
        const int first = std::max(0, c - 1), last = std::min(kLineBytes - 1, c + 1);
        for (int r = first; r <= last; ++r) {
            const std::uint32_t* span = spanOf(y, r, byteAt(y, r));
            for (int j = 0; j < 14; ++j) {
                const int x = 14 * r + j;
                fresh[x - 14 * first] = span[j];
                const std::uint32_t now = ids_[y * kMemoryDots + x];
                if (span[j] == now) continue;
                const Opponent &a = opponents_[span[j]], &b = opponents_[now];
                changes[count++] = DotChange{x, y, Difference(a, b)};
            }
        }
        if (count == 0 || error_.change(changes, count) >= -1e-7f) {
            byte = old;
            return false;
        }
        error_.apply(changes, count);
        std::copy_n(fresh, 14 * (last - first + 1), &ids_[y * kMemoryDots + 14 * first]);
        return true;
    }

    const HgrModel& model_;
    std::vector<std::uint8_t>& bytes_;
    std::vector<Opponent> opponents_;
    std::vector<std::uint32_t> ids_;
    BlurredError error_;
};

} // namespace

void RefineDhgr(const ScreenImage& image, const DhgrModel& model, const SearchSettings& settings,
                std::vector<std::uint8_t>& dots) {
    DhgrRefiner refiner(image, model, settings.refineChroma, dots);
    for (int pass = 0; pass < settings.refinePasses && refiner.pass() > 0; ++pass) {}
}

void RefineHgr(const ScreenImage& image, const HgrModel& model, const SearchSettings& settings,
               std::vector<std::uint8_t>& bytes) {
    HgrRefiner refiner(image, model, settings.refineChroma, bytes);
    for (int pass = 0; pass < settings.refinePasses && refiner.pass() > 0; ++pass) {}
}

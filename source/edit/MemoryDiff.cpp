// Differences of two screen states as runs. Unchanged gaps shorter than a run's header are
// folded into the run around them: a header costs four bytes, a gap byte two.
#include "edit/MemoryDiff.h"

#include <cstring>

namespace {

constexpr std::size_t kRunHeader = 4;
constexpr std::size_t kFoldedGap = 2;

void put16(std::vector<std::uint8_t>& out, std::size_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::size_t get16(const std::uint8_t* at) {
    return at[0] | (static_cast<std::size_t>(at[1]) << 8);
}

} // namespace

MemoryDiff MemoryDiff::Between(const ScreenState& before, const ScreenState& after) {
    MemoryDiff diff;
    std::vector<std::uint8_t> out;
    const std::size_t size = before.size();
    std::size_t i = 0;
    while (i < size) {
        if (before[i] == after[i]) {
            ++i;
            continue;
        }
        // A run from i to end: it goes on while the next change is at most kFoldedGap away.
        std::size_t end = i + 1, gap = 0;
        for (std::size_t j = end; j < size && gap <= kFoldedGap; ++j) {
            if (before[j] != after[j]) {
                end = j + 1;
                gap = 0;
            } else {
                ++gap;
            }
        }
        put16(out, i);
        put16(out, end - i);
        out.insert(out.end(), before.begin() + i, before.begin() + end);
        out.insert(out.end(), after.begin() + i, after.begin() + end);
        i = end;
    }
    out.shrink_to_fit();
    diff.runs = std::move(out);
    return diff;
}

void MemoryDiff::apply(ORVEL_GlobalsRec* rec, bool after) const {
    std::uint8_t* state = reinterpret_cast<std::uint8_t*>(rec) + kScreenStateOffset;
    std::size_t at = 0;
    while (at + kRunHeader <= runs.size()) {
        const std::size_t offset = get16(&runs[at]), length = get16(&runs[at + 2]);
        const std::uint8_t* values = &runs[at + kRunHeader + (after ? length : 0)];
        std::memcpy(state + offset, values, length);
        at += kRunHeader + 2 * length;
    }
    rec->isDHGR = rec->isDHGR ? 1 : 0;
}

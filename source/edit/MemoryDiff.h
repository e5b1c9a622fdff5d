// One step of the picture history: the runs of screen-state bytes that an edit changed, with
// their values before and after. A stroke costs bytes in proportion to what it touched.
#pragma once

#include "edit/ScreenState.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The memory one history may hold, and the number of steps that keeps any history under it:
// no step can cost more than kMaxStepBytes (every byte of the screen state changed).
constexpr std::size_t kHistoryMemoryLimit = 64u << 20;
constexpr std::size_t kStepOverheadBytes = 512; // the command object, its label, the heap
constexpr std::size_t kMaxStepBytes = 2 * kScreenStateSize + 4 + kStepOverheadBytes;
constexpr int kHistoryStepLimit = static_cast<int>(kHistoryMemoryLimit / kMaxStepBytes);
static_assert(kHistoryStepLimit >= 1000, "the history keeps at least 1000 steps");

class MemoryDiff {
public:
    MemoryDiff() = default;
    static MemoryDiff Between(const ScreenState& before, const ScreenState& after);

    void undo(ORVEL_GlobalsRec* rec) const { apply(rec, false); }
    void redo(ORVEL_GlobalsRec* rec) const { apply(rec, true); }
    bool empty() const { return runs.empty(); }
    // Bytes held on the heap (the encoded runs); the step's whole cost is this plus the
    // command around it.
    std::size_t bytes() const { return runs.capacity(); }

private:
    void apply(ORVEL_GlobalsRec* rec, bool after) const;
    // Runs, each: offset and length (16 bits each, little end first), the bytes before, the
    // bytes after.
    std::vector<std::uint8_t> runs;
};

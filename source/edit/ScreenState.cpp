// The screen state is one contiguous block of the record (isDHGR, auxMem, mainMem), so a copy of
// its bytes is exact, flag included.
#include "edit/ScreenState.h"

#include <cstring>

ScreenState CaptureScreen(const ORVEL_GlobalsRec* rec) {
    ScreenState state;
    std::memcpy(state.data(), reinterpret_cast<const std::uint8_t*>(rec) + kScreenStateOffset,
                kScreenStateSize);
    return state;
}

void RestoreScreen(ORVEL_GlobalsRec* rec, const ScreenState& state) {
    std::memcpy(reinterpret_cast<std::uint8_t*>(rec) + kScreenStateOffset, state.data(),
                kScreenStateSize);
    rec->isDHGR = rec->isDHGR ? 1 : 0; // a flag restored from anywhere stays a flag
}

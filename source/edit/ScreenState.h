// A picture's whole screen state as bytes: the double hi-res flag and both banks. Every edit is
// bracketed by two of these, and the history keeps only their difference.
#pragma once

#include "core/GlobalsRec.h"

#include <array>
#include <cstdint>

using ScreenState = std::array<std::uint8_t, kScreenStateSize>;

ScreenState CaptureScreen(const ORVEL_GlobalsRec* rec);
void RestoreScreen(ORVEL_GlobalsRec* rec, const ScreenState& state);

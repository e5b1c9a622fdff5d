// The Quen engines: a dot picture coloured through gColorLookup, dot by dot, from the window
// of five dots around each dot and the dot's phase.
#pragma once

#include "core/GlobalsRec.h"

// Colours every line of the band from monoBits (set bit = lit) into the store at baseAddr.
void NewCopyColor(ORVEL_GlobalsRec* rec);

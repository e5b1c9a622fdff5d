// A second, deliberately plain rendering of every engine, written rule by rule with
// PlotPointDirect for each dot: the tests hold the fast core to it on random pictures.
#pragma once

#include "core/Core.h"

namespace reference {

// The whole pipeline of the record's settings, like RenderPicture, into `store`.
void RenderPicture(ORVEL_GlobalsRec* rec, RGBAStore store);

} // namespace reference

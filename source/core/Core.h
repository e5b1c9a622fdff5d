// Everything the graphics core offers, for callers that use more than one piece of it.
// The core is plain C++: it knows nothing of Qt, widgets or files.
#pragma once

#include "core/BookColor.h"
#include "core/ColorLookup.h"
#include "core/CompositeColor.h"
#include "core/DrawLine.h"
#include "core/Editing.h"
#include "core/Geometry.h"
#include "core/GlobalsRec.h"
#include "core/MonoRender.h"
#include "core/Palettes.h"
#include "core/Plotter.h"
#include "core/QuenColor.h"
#include "core/RenderPipeline.h"
#include "core/WriteBack.h"

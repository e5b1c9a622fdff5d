// Reading one input into the graphics record: a picture file (with its ".AUX" companion) or a
// text screen drawn as the picture view draws it. Separate so both kinds share one failure form.
#pragma once

#include "convert/GuiHelperLoader.h"
#include "core/GlobalsRec.h"

#include <string>

struct InputLoad {
    bool ok = false;
    bool fontMissing = false; // a text screen drawn without the Apple II font
    std::string companion;    // the ".AUX" file that supplied the auxiliary bank, if any
    std::string error;        // why nothing was loaded, without the input's path
    std::string note;         // what -v says about the input (an import's measured error)
};

// "*.txt" in any case: a text screen file.
bool isTextScreenPath(const std::string& path);

// Replaces the record's picture by the input's; the settings stay. On failure the record is
// untouched. Text screens are drawn by the helper `gui` gives.
InputLoad loadInput(ORVEL_GlobalsRec* rec, const std::string& path, const GuiHelperSource& gui);

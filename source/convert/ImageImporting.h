// --import: each input is an image, read by the Qt helper, mapped to the screen and imported
// into the record for the engine, palette and settings of the command line.
#pragma once

#include "convert/ConvertOptions.h"
#include "convert/InputLoading.h"

// Replaces the record's picture by the import of the image at `path`; the settings are written
// first, since the import is made for them. On failure the record's picture is untouched.
InputLoad importImageInto(ORVEL_GlobalsRec* rec, const std::string& path,
                          const ConvertOptions& options, const GuiHelperSource& gui);

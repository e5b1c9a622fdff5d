// Finding and loading orvel-convert's Qt helper module at run time, so a batch of pictures
// never loads Qt (starting Qt is most of a single conversion's time).
#pragma once

#include "convert/GuiHelper.h"

#include <functional>
#include <string>

// Gives the helper, or null with `error` saying why it could not be had.
using GuiHelperSource = std::function<const ConvertGuiHelper*(std::string& error)>;

// The module beside the executable (a build tree) or in the installed library directory; loaded
// on the first call, the same table afterwards.
const ConvertGuiHelper* loadGuiHelperModule(std::string& error);

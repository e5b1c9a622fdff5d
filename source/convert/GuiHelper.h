// orvel-convert's Qt part, as a table of plain C++ functions: drawing text screens with the
// Apple II font and painting shown sizes. The program loads it only when an input needs it.
#pragma once

#include "view/TextScreenDots.h"

#include <cstdint>
#include <string>
#include <vector>

struct ConvertGuiHelper {
    // Decodes a text screen file's bytes and draws the screen as the picture view draws it.
    // Starts the GUI platform (offscreen) on first use.
    TextScreenMask (*drawTextScreen)(const std::string& fileBytes);
    // The 562 x 192 RGBA render painted at width x height as the view paints it (smoothed when
    // asked, on the view's grey): width x height RGBA pixels, row after row.
    std::vector<std::uint8_t> (*paintShown)(const std::uint8_t* rgba, int width, int height,
                                            bool smooth);
    // Ends what the helper started, before the program exits.
    void (*finish)();
};

// The helper's one entry point, looked up by name in the loaded module.
extern "C" const ConvertGuiHelper* orvelConvertGuiHelper();

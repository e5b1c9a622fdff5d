// orvel-convert's Qt part, as a table of plain C++ functions: drawing text screens with the
// Apple II font, painting shown sizes and reading images to import. The program loads it only when
// an input needs it.
#pragma once

#include "import/ScreenMapping.h"
#include "view/TextScreenDots.h"

#include <cstdint>
#include <string>
#include <vector>

// An image read for --import and mapped to the screen, or why it could not be.
struct ImportImageRead {
    bool ok = false;
    std::string error;
    ScreenImage screen;
};

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
    // Reads an image with Qt's readers (its size checked before it is decoded) and maps it to
    // the screen.
    ImportImageRead (*readImportImage)(const std::string& path, FitMode fit,
                                       std::uint16_t aspectCorrect);
};

// The helper's one entry point, looked up by name in the loaded module.
extern "C" const ConvertGuiHelper* orvelConvertGuiHelper();

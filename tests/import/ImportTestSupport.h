// Helpers of the importer tests: a record with chosen settings, and the screen image a render
// through the core shows.
#pragma once

#include "core/Core.h"
#include "import/ColorSpace.h"
#include "import/EngineRenderer.h"
#include "import/Import.h"
#include "support/TestSeeds.h"

#include <gtest/gtest.h>

// Settings of a view: engine 0..2 a Quen scheme, 3 "By the Book"; a colour palette.
struct ViewSettings {
    ORVEL_GlobalsRec rec;
    explicit ViewSettings(int engine = 1, int palette = 2, int offset = 1) {
        InitGlobalsRec(&rec);
        rec.quenEngine = engine < 3;
        rec.schemeType = static_cast<std::uint16_t>(engine < 3 ? engine : 1);
        rec.paletteType = static_cast<std::uint16_t>(palette);
        rec.dhgrColorOffset = static_cast<std::int16_t>(offset);
    }
    ~ViewSettings() { ReleaseGlobalsRec(&rec); }
};

// What the renderer shows at memory dots 0..559 (offscreen columns 1..560).
inline ScreenImage ShownImage(const EngineRenderer& renderer) {
    ScreenImage image;
    for (int y = 0; y < kLines; ++y)
        for (int x = 0; x < kMemoryDots; ++x)
            PackedToLinear(renderer.pixel(y, x + 1), image.at(x, y));
    return image;
}

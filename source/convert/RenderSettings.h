// The rendering settings orvel-convert was asked for, as the record fields they write.
// Kept apart from the option parser so the same record is set up for every input of a batch.
#pragma once

#include "core/GlobalsRec.h"

#include <cstdint>
#include <optional>

// Each field is written only when its option was given; the rest keep a new record's values.
struct RenderSettings {
    std::optional<bool> quenEngine;
    std::optional<std::uint16_t> schemeType;
    std::optional<bool> bitShifting;
    std::optional<std::uint16_t> paletteType;   // a colour palette (depth 8)
    std::optional<std::uint16_t> oneBitPalette; // a one-bit palette (depth 1), which wins
    std::optional<std::int16_t> dhgrColorOffset;
    std::optional<std::uint16_t> screenSize;
    std::optional<std::uint16_t> aspectCorrect;
};

// Writes the settings that were given into the record's settings block.
void applyRenderSettings(const RenderSettings& settings, ORVEL_GlobalsRec* rec);

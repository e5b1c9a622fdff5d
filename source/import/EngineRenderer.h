// A scratch picture rendered through the core's own pipeline with the settings of the view it
// is imported for, so every engine, palette and setting the core has (or gains) is what the
// import sees. The core's globals are left as they were found.
#pragma once

#include "core/GlobalsRec.h"

#include <cstdint>
#include <vector>

class EngineRenderer {
public:
    // Takes the settings block and palettes of `settings`; the picture starts black, double
    // hi-res when `dhgr`.
    EngineRenderer(const ORVEL_GlobalsRec& settings, bool dhgr);
    ~EngineRenderer();
    EngineRenderer(const EngineRenderer&) = delete;
    EngineRenderer& operator=(const EngineRenderer&) = delete;

    ORVEL_GlobalsRec& record() { return rec_; }
    void clearPicture();
    // Renders the whole picture through RenderPicture.
    void render();
    // Offscreen column `column` (0..561) of `line` in the last render, as the core packs RGBA.
    std::uint32_t pixel(int line, int column) const;
    const std::vector<std::uint8_t>& pixels() const { return pixels_; }

private:
    ORVEL_GlobalsRec rec_;
    std::vector<std::uint8_t> pixels_;
};

// The settings of `from` (the settings block and the palettes) copied into `to`.
void CopyRenderSettings(const ORVEL_GlobalsRec& from, ORVEL_GlobalsRec& to);

// Memory dot `dot` (0..559) of double hi-res line `line`, lit or dark.
void SetMemoryDot(ORVEL_GlobalsRec& rec, int line, int dot, bool lit);
bool MemoryDot(const ORVEL_GlobalsRec& rec, int line, int dot);
// Byte `column` (0..39) of hi-res line `line` in the main bank.
inline std::uint8_t& HiresByte(ORVEL_GlobalsRec& rec, int line, int column) {
    return rec.mainMem[g_rowoffsets[line] + column];
}

// RenderPicture points globalsP at the record it renders and resets the line band; both are put
// back, so a caller in the middle of its own work (the picture view) finds them unchanged.
#include "import/EngineRenderer.h"

#include "core/RenderPipeline.h"

#include <cstring>

namespace {

class CoreGlobalsKept {
public:
    CoreGlobalsKept()
        : record_(globalsP), start_(gSkipLineStart), end_(gSkipLineEnd), band_(gSkipToLineB) {}
    ~CoreGlobalsKept() {
        globalsP = record_;
        gSkipLineStart = start_;
        gSkipLineEnd = end_;
        gSkipToLineB = band_;
    }

private:
    ORVEL_GlobalsRec* record_;
    std::int16_t start_, end_;
    Boolean band_;
};

} // namespace

void CopyRenderSettings(const ORVEL_GlobalsRec& from, ORVEL_GlobalsRec& to) {
    std::memcpy(static_cast<void*>(&to), &from, kSettingsBlockSize);
    std::memcpy(to.palettes, from.palettes, sizeof to.palettes);
}

EngineRenderer::EngineRenderer(const ORVEL_GlobalsRec& settings, bool dhgr)
    : pixels_(4 * static_cast<std::size_t>(kOffscreenDots) * kLines) {
    const CoreGlobalsKept kept;
    InitGlobalsRec(&rec_);
    CopyRenderSettings(settings, rec_);
    rec_.isDHGR = dhgr;
}

EngineRenderer::~EngineRenderer() {
    ReleaseGlobalsRec(&rec_);
}

void EngineRenderer::clearPicture() {
    std::memset(rec_.auxMem, 0, kBankSize);
    std::memset(rec_.mainMem, 0, kBankSize);
}

void EngineRenderer::render() {
    const CoreGlobalsKept kept;
    RenderPicture(&rec_, RGBAStore{pixels_.data(), 4 * kOffscreenDots});
}

std::uint32_t EngineRenderer::pixel(int line, int column) const {
    std::uint32_t rgba;
    std::memcpy(&rgba, &pixels_[4 * (static_cast<std::size_t>(line) * kOffscreenDots + column)], 4);
    return rgba | 0xFF000000u;
}

void SetMemoryDot(ORVEL_GlobalsRec& rec, int line, int dot, bool lit) {
    const int group = dot / 7;
    std::uint8_t* bank = group % 2 == 0 ? rec.auxMem : rec.mainMem;
    std::uint8_t& byte = bank[g_rowoffsets[line] + group / 2];
    const std::uint8_t bit = static_cast<std::uint8_t>(1u << (dot % 7));
    byte = lit ? (byte | bit) : (byte & ~bit);
}

bool MemoryDot(const ORVEL_GlobalsRec& rec, int line, int dot) {
    const int group = dot / 7;
    const std::uint8_t* bank = group % 2 == 0 ? rec.auxMem : rec.mainMem;
    return (bank[g_rowoffsets[line] + group / 2] >> (dot % 7)) & 1;
}

// Writing the command line's rendering settings into the graphics record.
// A one-bit palette decides the depth over a colour palette, whatever their order on the line.
#include "convert/RenderSettings.h"

namespace {

template <typename Field, typename Value>
void writeIfGiven(Field& field, const std::optional<Value>& value) {
    if (value) field = static_cast<Field>(*value);
}

} // namespace

void applyRenderSettings(const RenderSettings& settings, ORVEL_GlobalsRec* rec) {
    writeIfGiven(rec->quenEngine, settings.quenEngine);
    writeIfGiven(rec->schemeType, settings.schemeType);
    writeIfGiven(rec->bitShifting, settings.bitShifting);
    writeIfGiven(rec->dhgrColorOffset, settings.dhgrColorOffset);
    writeIfGiven(rec->screenSize, settings.screenSize);
    writeIfGiven(rec->aspectCorrect, settings.aspectCorrect);
    if (settings.paletteType) {
        rec->paletteType = *settings.paletteType;
        rec->bmFinalDepth = 8;
    }
    if (settings.oneBitPalette) {
        rec->oneBitPalette = *settings.oneBitPalette;
        rec->bmFinalDepth = 1;
    }
}

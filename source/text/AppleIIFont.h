// The Apple II font's family name, loaded once from the shipped "fonts/Apple_II.ttf".
// Separate so every view that draws text screens asks one place and the file is added only once.
#pragma once

#include <QString>

// The family of the shipped Apple II font, or an empty string when the font file cannot be found
// or loaded (then the next call tries again). Call on the UI thread only.
QString appleIIFontFamily();

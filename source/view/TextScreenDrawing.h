// Drawing a text screen with the Apple II font: the screen text to lit pixels of 7 x 8 cells.
// Separate from the dots so orvel-convert's Qt helper draws without the graphics core.
#pragma once

#include "view/TextScreenDots.h"

#include <QString>

// The screen text (an optional leading "80" selects 80 columns; rows split at line feeds;
// U+F000..U+F05E inverse) drawn white on black; rows after the 24th and characters past the
// 40th or 80th are left out. Needs a QGuiApplication (fonts and painting).
TextScreenMask DrawTextScreenMask(const QString& screenText);
// The same for rows without the mark, their column count given beside them: inside the program a
// first row that begins with "80" is text, not the mark.
TextScreenMask DrawTextScreenMask(const QString& rows, bool eighty);

// The same screen drawn in one pass, every character through the painter: what the cell-by-cell
// drawing above falls back to when a glyph reaches outside its cell, and must always equal.
TextScreenMask DrawTextScreenMaskWhole(const QString& rows, bool eighty);

// A text screen turned into a picture: the screen text drawn with the Apple II font, its lit
// pixels made dots and written back as hi-res (40 columns) or double hi-res (80 columns).
#pragma once

#include "core/GlobalsRec.h"

#include <QString>

// Replaces the record's picture by the screen text (an optional leading "80" selects 80
// columns; rows split at line feeds; U+F000..U+F05E inverse). Keeps every setting but isDHGR.
// Does not render. Needs a QGuiApplication (fonts and painting).
void DrawTextScreenPicture(ORVEL_GlobalsRec* rec, const QString& screenText);
// The same for rows without the mark, their column count beside them.
void DrawTextScreenPicture(ORVEL_GlobalsRec* rec, const QString& rows, bool eighty);

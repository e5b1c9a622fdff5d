// Reading one input into the graphics record: a picture file (with its ".AUX" companion) or a
// text screen drawn as the picture view draws it. Separate so both kinds share one failure form.
#pragma once

#include "core/GlobalsRec.h"

#include <QString>

struct InputLoad {
    bool ok = false;
    QString companion; // the ".AUX" file that supplied the auxiliary bank, if any
    QString error;     // why nothing was loaded, without the input's path
};

// "*.txt" in any case: a text screen file.
bool isTextScreenPath(const QString& path);

// Replaces the record's picture by the input's; the settings stay. On failure the record is
// untouched. Text screens need a QGuiApplication.
InputLoad loadInput(ORVEL_GlobalsRec* rec, const QString& path);

// Picture files for the window: raw screen memory with no header (hi-res the 8 KiB main bank,
// double hi-res the auxiliary bank then the main bank; a hi-res file may have a ".AUX" companion).
#pragma once

#include "core/GlobalsRec.h"
#include "files/QtFiles.h" // writeFileAtomically: every save of a picture goes through it

#include <QByteArray>
#include <QString>

struct PictureLoad {
    bool ok = false;
    QString companion; // the ".AUX" file that supplied the auxiliary bank, if any
    QString reason;    // why nothing was loaded: "File not found", or the system's reason
    QString error;     // the reason and the path, for a status message
};

// The companion a hi-res picture at `picturePath` may have: a final ".hgr" (any case) removed,
// ".AUX" appended. PIC.HGR and PIC look for PIC.AUX, PIC.bin for PIC.bin.AUX.
QString companionPathFor(const QString& picturePath);

// Reads a picture file into the record's banks and sets isDHGR (see readPictureInto). Any name
// fileNameFromBytes made is opened by its bytes. On failure the record is untouched.
PictureLoad loadPictureInto(ORVEL_GlobalsRec* rec, const QString& path);

// Reads a picture file without keeping it: whether loadPictureInto would load it, and why not.
PictureLoad checkPictureFile(const QString& path);

// The bytes "Save As..." writes: 16384 (auxiliary, main) for double hi-res, else 8192 (main).
QByteArray pictureFileBytes(const ORVEL_GlobalsRec* rec);

// The main bank alone: the hi-res file of any picture.
QByteArray mainBankBytes(const ORVEL_GlobalsRec* rec);

// Picture files: raw screen memory with no header. Hi-res is the 8 KiB main bank, double hi-res
// the auxiliary bank then the main bank; a hi-res file may have a ".AUX" companion.
#pragma once

#include "core/GlobalsRec.h"

#include <QByteArray>
#include <QString>

struct PictureLoad {
    bool ok = false;
    QString companion; // the ".AUX" file that supplied the auxiliary bank, if any
    QString reason;    // why nothing was loaded
    QString error;     // the reason and the path, for a status message
};

struct FileWrite {
    bool ok = false;
    QString error; // why nothing was written, naming the path
};

// The companion a hi-res picture at `picturePath` may have: a final ".hgr" (any case) removed,
// ".AUX" appended. PIC.HGR and PIC look for PIC.AUX, PIC.bin for PIC.bin.AUX.
QString companionPathFor(const QString& picturePath);

// Reads a picture file into the record's banks and sets isDHGR. The shape comes from the size:
// 16384 or 16385 bytes is double hi-res; any other size of 8192 or more is hi-res (its first
// 8192 bytes, plus a companion of 8192 bytes or more). Only the bytes the shape uses are read.
// On failure the record is untouched.
PictureLoad loadPictureInto(ORVEL_GlobalsRec* rec, const QString& path);

// The bytes "Save As..." writes: 16384 (auxiliary, main) for double hi-res, else 8192 (main).
QByteArray pictureFileBytes(const ORVEL_GlobalsRec* rec);

// The main bank alone: the hi-res file of any picture.
QByteArray mainBankBytes(const ORVEL_GlobalsRec* rec);

// Replaces `path` with `bytes` atomically: on any failure an existing file is left as it was.
FileWrite writeFileAtomically(const QString& path, const QByteArray& bytes);

// Reading picture files into the record by byte path, in plain C++: the shapes by size and the
// ".AUX" companion. The picture view and orvel-convert both read through here.
#pragma once

#include "core/GlobalsRec.h"

#include <cstdint>
#include <string>

enum class PictureStatus { Loaded, Missing, NotAFile, TooShort, OpenFailed, ReadFailed };

struct PictureRead {
    PictureStatus status = PictureStatus::Missing;
    int error = 0;         // errno of OpenFailed and ReadFailed
    std::int64_t size = 0; // the file's size (TooShort says it)
    std::string companion; // the ".AUX" file that supplied the auxiliary bank, if any
};

// The companion a hi-res picture may have: a final ".hgr" (any case) removed, ".AUX" appended.
std::string companionNameFor(const std::string& picturePath);

// Reads a picture file into the record's banks and sets isDHGR. 16384 or 16385 bytes is double
// hi-res; any other size of 8192 or more is hi-res (its first 8192 bytes, plus a companion of
// 8192 bytes or more, which is ignored when missing, short or unreadable). Only the bytes the
// shape uses are read. On failure the record is untouched.
PictureRead readPictureInto(ORVEL_GlobalsRec* rec, const std::string& path);

// The reason of a failed read in English, for orvel-convert ("File not found").
std::string pictureReadReason(const PictureRead& read);

// The bytes "Save As..." writes: 16384 (auxiliary, main) for double hi-res, else 8192 (main).
std::string pictureBytesOf(const ORVEL_GlobalsRec* rec);
// The main bank alone: the hi-res file of any picture.
std::string mainBankOf(const ORVEL_GlobalsRec* rec);

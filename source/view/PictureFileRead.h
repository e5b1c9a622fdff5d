// Reading picture files into the record by byte path, in plain C++: the shapes by size, the
// ".AUX" companion, short and packed files. The picture view and orvel-convert both read here.
#pragma once

#include "core/GlobalsRec.h"
#include "formats/PictureKinds.h"

#include <cstdint>
#include <string>

// DiskImage: a disk image, whose pictures are opened one by one; Unpackable: a packed file
// that does not unpack to its picture (`detail` says why).
enum class PictureStatus {
    Loaded,
    Missing,
    NotAFile,
    TooShort,
    OpenFailed,
    ReadFailed,
    DiskImage,
    Unpackable
};

struct PictureRead {
    PictureStatus status = PictureStatus::Missing;
    int error = 0;         // errno of OpenFailed and ReadFailed
    std::int64_t size = 0; // the file's size (TooShort says it)
    std::string companion; // the ".AUX" file that supplied the auxiliary bank, if any
    std::string form;      // "PackBytes", "LZ4FH" or "short hi-res"; empty for screen memory
    std::string detail;    // why a packed file did not unpack
};

// The companion a hi-res picture may have: a final ".hgr" (any case) removed, ".AUX" appended.
std::string companionNameFor(const std::string& picturePath);

// Reads a picture file into the record's banks and sets isDHGR. 16384 or 16385 bytes is double
// hi-res; any other size of 8184 or more is hi-res (its first 8192 bytes, a short file's missing
// tail as zeros, plus a companion of 8192 bytes or more, which is ignored when missing, short or
// unreadable). A smaller file is LZ4FH or PackBytes by its content; a name ending in a packed
// type ("#084000", "#084001", "#088066") is unpacked whatever its size. A disk image is not
// read. Only the bytes the shape uses are read. On failure the record is untouched.
PictureRead readPictureInto(ORVEL_GlobalsRec* rec, const std::string& path);

// Puts a decoded picture into the record: both banks and isDHGR.
void setRecordPicture(ORVEL_GlobalsRec* rec, const Picture& picture);

// The reason of a failed read in English, for orvel-convert ("File not found").
std::string pictureReadReason(const PictureRead& read);

// The bytes "Save As..." writes: 16384 (auxiliary, main) for double hi-res, else 8192 (main).
std::string pictureBytesOf(const ORVEL_GlobalsRec* rec);
// The main bank alone: the hi-res file of any picture.
std::string mainBankOf(const ORVEL_GlobalsRec* rec);
// The picture packed with PackBytes, each bank on its own (auxiliary first for double hi-res).
std::string packedPictureBytesOf(const ORVEL_GlobalsRec* rec);

// Picture files by byte path. The size decides the shape and only the banks are read, so a huge
// file costs no more than a small one; every failure keeps the system's errno.
#include "view/PictureFileRead.h"

#include "files/FileAccess.h"

#include <cctype>
#include <cstring>

namespace {

bool isDoubleHiresSize(std::int64_t size) {
    return size == 2 * kBankSize || size == 2 * kBankSize + 1;
}

bool endsWithHgr(const std::string& path) {
    if (path.size() < 4) return false;
    const char* tail = path.c_str() + path.size() - 4;
    return tail[0] == '.' && std::tolower(static_cast<unsigned char>(tail[1])) == 'h' &&
           std::tolower(static_cast<unsigned char>(tail[2])) == 'g' &&
           std::tolower(static_cast<unsigned char>(tail[3])) == 'r';
}

PictureStatus statusOf(ReadStatus status) {
    switch (status) {
    case ReadStatus::Ok:
        return PictureStatus::Loaded;
    case ReadStatus::Missing:
        return PictureStatus::Missing;
    case ReadStatus::NotRegular:
        return PictureStatus::NotAFile;
    case ReadStatus::OpenFailed:
        return PictureStatus::OpenFailed;
    case ReadStatus::ReadFailed:
    case ReadStatus::TooLarge: // no limit is asked for
        break;
    }
    return PictureStatus::ReadFailed;
}

} // namespace

std::string companionNameFor(const std::string& picturePath) {
    const std::string base =
        endsWithHgr(picturePath) ? picturePath.substr(0, picturePath.size() - 4) : picturePath;
    return base + ".AUX";
}

PictureRead readPictureInto(ORVEL_GlobalsRec* rec, const std::string& path) {
    PictureRead result;
    // Enough for either shape; the size the file had when opened decides which it is.
    const FileRead file = readFileStart(path, 2 * kBankSize);
    result.status = statusOf(file.status);
    result.error = file.error;
    result.size = file.size;
    if (file.status != ReadStatus::Ok) return result;
    const bool dhgr = isDoubleHiresSize(file.size);
    const std::int64_t needed = dhgr ? 2 * kBankSize : kBankSize;
    if (file.size < kBankSize || static_cast<std::int64_t>(file.bytes.size()) < needed) {
        result.status = PictureStatus::TooShort;
        return result;
    }

    std::string aux;
    if (!dhgr) {
        const std::string companion = companionNameFor(path);
        const FileRead companionFile = readFileStart(companion, kBankSize);
        if (companionFile.status == ReadStatus::Ok && companionFile.bytes.size() == kBankSize) {
            aux = companionFile.bytes;
            result.companion = companion;
        }
    }

    std::memset(rec->auxMem, 0, kBankSize);
    const char* bytes = file.bytes.data();
    if (dhgr) {
        std::memcpy(rec->auxMem, bytes, kBankSize);
        std::memcpy(rec->mainMem, bytes + kBankSize, kBankSize);
    } else {
        std::memcpy(rec->mainMem, bytes, kBankSize);
        if (!aux.empty()) std::memcpy(rec->auxMem, aux.data(), kBankSize);
    }
    rec->isDHGR = dhgr || !aux.empty();
    result.status = PictureStatus::Loaded;
    return result;
}

std::string pictureReadReason(const PictureRead& read) {
    switch (read.status) {
    case PictureStatus::Loaded:
        return std::string();
    case PictureStatus::Missing:
        return "File not found";
    case PictureStatus::NotAFile:
        return "Not a picture file";
    case PictureStatus::TooShort:
        return "Too short to be a picture (" + std::to_string(read.size) + " bytes)";
    case PictureStatus::OpenFailed:
        return "Cannot open (" + systemReason(read.error) + ")";
    case PictureStatus::ReadFailed:
        break;
    }
    return "Cannot read (" + systemReason(read.error) + ")";
}

std::string pictureBytesOf(const ORVEL_GlobalsRec* rec) {
    if (!rec->isDHGR) return mainBankOf(rec);
    std::string bytes(reinterpret_cast<const char*>(rec->auxMem), kBankSize);
    bytes.append(reinterpret_cast<const char*>(rec->mainMem), kBankSize);
    return bytes;
}

std::string mainBankOf(const ORVEL_GlobalsRec* rec) {
    return std::string(reinterpret_cast<const char*>(rec->mainMem), kBankSize);
}

// Picture files by byte path. The size decides the shape and only the banks are read, so a huge
// file costs no more than a small one; every failure keeps the system's errno. Files too small
// for screen memory are tried as packed pictures, and disk images are told apart by content.
#include "view/PictureFileRead.h"

#include "files/FileAccess.h"
#include "formats/DiskImageFile.h"
#include "formats/PackBytes.h"

#include <cctype>
#include <cstring>

namespace {

constexpr std::int64_t kShortestHires = kBankSize - 8; // DOS 3.3 left the last screen hole out
// More than any packed picture can take: PackBytes doubles 16 KiB at worst.
constexpr std::int64_t kLargestPackedFile = 65536;

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

// The packed kind a name's type suffix gives ("TITLE#084000"); other types go by size.
std::optional<PictureKind> packedKindInName(const std::string& path) {
    const std::optional<FileType> type = fileTypeInName(fileNameOf(path));
    if (!type) return std::nullopt;
    const std::optional<PictureKind> kind = prodosPictureKind(*type, 0);
    if (kind && *kind != PictureKind::Hgr && *kind != PictureKind::Dhgr) return kind;
    return std::nullopt;
}

// A disk image by name, mark or size, then by content (read whole only for those).
bool isDiskImageFile(const std::string& path, const FileRead& start) {
    const std::string name = fileNameOf(path);
    if (!mayBeDiskImage(name, start.size, start.bytes)) return false;
    if (start.size <= static_cast<std::int64_t>(start.bytes.size()))
        return isDiskImage(name, start.bytes);
    const FileRead whole = readFileStart(path, kLargestDiskImage, kLargestDiskImage);
    return whole.status == ReadStatus::Ok && isDiskImage(name, whole.bytes);
}

// The companion's auxiliary bank, when it exists with 8192 bytes or more.
std::string companionBank(const std::string& path, PictureRead& result) {
    const std::string companion = companionNameFor(path);
    const FileRead file = readFileStart(companion, kBankSize);
    if (file.status != ReadStatus::Ok || file.bytes.size() != kBankSize) return std::string();
    result.companion = companion;
    return file.bytes;
}

// Screen memory by size: 16384 or 16385 bytes double hi-res, 8184 or more hi-res.
Picture screenMemoryOf(const FileRead& file) {
    if (isDoubleHiresSize(file.size)) return decodePicture(PictureKind::Dhgr, file.bytes);
    return decodePicture(PictureKind::Hgr, file.bytes);
}

} // namespace

std::string companionNameFor(const std::string& picturePath) {
    const std::string base =
        endsWithHgr(picturePath) ? picturePath.substr(0, picturePath.size() - 4) : picturePath;
    return base + ".AUX";
}

void setRecordPicture(ORVEL_GlobalsRec* rec, const Picture& picture) {
    const char* bytes = picture.bytes.data();
    std::memset(rec->auxMem, 0, kBankSize);
    if (picture.dhgr) std::memcpy(rec->auxMem, bytes, kBankSize);
    std::memcpy(rec->mainMem, bytes + (picture.dhgr ? kBankSize : 0), kBankSize);
    rec->isDHGR = picture.dhgr;
}

PictureRead readPictureInto(ORVEL_GlobalsRec* rec, const std::string& path) {
    PictureRead result;
    const std::optional<PictureKind> packed = packedKindInName(path);
    // Enough for either shape; the size the file had when opened decides which it is.
    const FileRead file = readFileStart(path, packed ? kLargestPackedFile : 2 * kBankSize);
    result.status = statusOf(file.status);
    result.error = file.error;
    result.size = file.size;
    if (file.status != ReadStatus::Ok) return result;
    if (isDiskImageFile(path, file)) {
        result.status = PictureStatus::DiskImage;
        return result;
    }

    PictureKind kind = packed.value_or(PictureKind::Hgr);
    Picture picture;
    if (packed)
        picture = decodePicture(kind, file.bytes);
    else if (file.size < kShortestHires)
        picture = decodeSmallFile(file.bytes, kind);
    else
        picture = screenMemoryOf(file);
    if (!picture.ok) { // a file of its packed type that does not unpack, or neither packed nor long
                       // enough
        result.status = packed ? PictureStatus::Unpackable : PictureStatus::TooShort;
        result.detail = picture.error;
        return result;
    }
    result.form = packingName(kind);
    if (result.form.empty() && file.size < kBankSize) result.form = "short hi-res";

    const std::string aux = picture.dhgr || packed || file.size < kShortestHires
                                ? std::string()
                                : companionBank(path, result);
    setRecordPicture(rec, picture);
    if (!aux.empty()) {
        std::memcpy(rec->auxMem, aux.data(), kBankSize);
        rec->isDHGR = true;
    }
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
    case PictureStatus::DiskImage:
        return "A disk image, not a picture";
    case PictureStatus::Unpackable:
        return "Cannot unpack: " + read.detail;
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

std::string packedPictureBytesOf(const ORVEL_GlobalsRec* rec) {
    const std::string main = packBytes(mainBankOf(rec));
    if (!rec->isDHGR) return main;
    return packBytes(std::string_view(reinterpret_cast<const char*>(rec->auxMem), kBankSize)) +
           main;
}

// Sector order by content: ".po" suggests ProDOS order and everything else DOS order, but only a
// VTOC or a volume header found in that order decides it, since ".dsk" is used for both.
#include "formats/DiskImageFile.h"

#include "formats/Dos33Volume.h"
#include "formats/ProdosVolume.h"
#include "formats/TwoImg.h"

#include <cctype>

namespace {

constexpr std::size_t kBlock = 512;

std::string lowerExtension(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    const std::size_t slash = name.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && slash > dot))
        return std::string();
    std::string extension(name.substr(dot + 1));
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

bool isVolumeSize(std::size_t size) {
    return size == kDiskII ||
           (size % kBlock == 0 && size > kDiskII && size <= (std::size_t{1} << 25));
}

VolumeLocation failure(const std::string& error) {
    VolumeLocation location;
    location.error = error;
    return location;
}

VolumeLocation located(FileSystem fileSystem, std::size_t offset, std::size_t length,
                       bool dosOrder) {
    VolumeLocation location;
    location.ok = true;
    location.fileSystem = fileSystem;
    location.offset = offset;
    location.length = length;
    location.dosOrder = dosOrder;
    return location;
}

// The disk's data at `offset` in the file, with the order `suggested`.
VolumeLocation locateIn(std::string_view file, std::size_t offset, std::size_t length,
                        SectorOrder suggested) {
    const std::string_view data = file.substr(offset, length);
    if (!isVolumeSize(length))
        return failure("not the size of a disk (" + std::to_string(length) + " bytes)");
    if (length != kDiskII) {
        if (hasProdosVolumeHeader(data)) return located(FileSystem::Prodos, offset, length, false);
        return failure("no ProDOS volume directory at block 2");
    }
    if (hasDos33Vtoc(data)) return located(FileSystem::Dos33, offset, length, false);
    // Block 2 lies in the first track, which is all that is rearranged to look for it.
    const std::string_view firstTrack = data.substr(0, 16 * 256);
    const bool dosFirst = suggested == SectorOrder::Dos;
    for (const bool dosOrder : {dosFirst, !dosFirst})
        if (hasProdosVolumeHeader(dosOrder ? blocksFromDosOrder(firstTrack) : firstTrack))
            return located(FileSystem::Prodos, offset, length, dosOrder);
    return failure("neither a DOS 3.3 catalog nor a ProDOS volume directory in either sector "
                   "order");
}

} // namespace

bool hasDiskImageName(std::string_view name) {
    const std::string extension = lowerExtension(name);
    for (const char* known : {"dsk", "do", "po", "2mg", "2img", "hdv"})
        if (extension == known) return true;
    return false;
}

bool mayBeDiskImage(std::string_view name, std::int64_t size, std::string_view start) {
    return hasDiskImageName(name) || hasTwoImgMagic(start) ||
           (size > 0 && size <= kLargestDiskImage && isVolumeSize(static_cast<std::size_t>(size)));
}

bool isDiskImage(std::string_view name, std::string_view fileBytes) {
    return hasDiskImageName(name) || hasTwoImgMagic(fileBytes) || locateVolume(fileBytes, name).ok;
}

VolumeLocation locateVolume(std::string_view fileBytes, std::string_view name) {
    if (!hasTwoImgMagic(fileBytes))
        return locateIn(fileBytes, 0, fileBytes.size(),
                        lowerExtension(name) == "po" ? SectorOrder::Prodos : SectorOrder::Dos);
    const TwoImgData header = readTwoImgHeader(fileBytes);
    if (!header.ok) return failure(header.error);
    return locateIn(fileBytes, header.offset, header.length, header.order);
}

DiskImageOpen openDiskImage(std::string_view fileBytes, std::string_view name) {
    const VolumeLocation location = locateVolume(fileBytes, name);
    DiskImageOpen open;
    open.ok = location.ok;
    open.error = location.error;
    open.image.fileSystem = location.fileSystem;
    const std::string_view data = fileBytes.substr(location.offset, location.length);
    if (location.ok)
        open.image.data = location.dosOrder ? blocksFromDosOrder(data) : std::string(data);
    return open;
}

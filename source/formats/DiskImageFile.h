// Disk image files: which files are disk images, and a file's bytes made ready for the volume
// readers. The content decides the file system and the sector order, the name only suggests.
#pragma once

#include "formats/ImageCatalogue.h"

#include <cstdint>
#include <string>
#include <string_view>

// The largest ProDOS volume: 65 536 blocks of 512 bytes (with a 2IMG header, a little more).
constexpr std::int64_t kLargestDiskImage = (std::int64_t{1} << 25) + 4096;

// ".dsk", ".do", ".po", ".2mg", ".2img" or ".hdv", in any case.
bool hasDiskImageName(std::string_view name);

// Whether a file of `size` bytes whose first bytes are `start` may be a disk image, so that its
// whole content is worth reading: a disk image's name, the 2IMG mark, or a disk's size.
bool mayBeDiskImage(std::string_view name, std::int64_t size, std::string_view start);

// A disk image: a disk image's name, the 2IMG mark, or a DOS 3.3 or ProDOS volume found in a
// file of 140 KiB (either order) or of whole blocks up to 32 MiB.
bool isDiskImage(std::string_view name, std::string_view fileBytes);

// Where a file's volume is and how it is laid out, found without copying it.
struct VolumeLocation {
    bool ok = false;
    FileSystem fileSystem = FileSystem::Prodos;
    std::size_t offset = 0, length = 0; // the disk's data in the file
    bool dosOrder = false;              // a ProDOS volume stored in DOS order
    std::string error;
};

// A 140 KiB image with a DOS 3.3 VTOC in DOS order is DOS 3.3; otherwise a ProDOS volume
// header at block 2 in the order the name (or 2IMG header) suggests, else in the other order.
// Larger images are ProDOS, in block order.
VolumeLocation locateVolume(std::string_view fileBytes, std::string_view name);

struct DiskImageOpen {
    bool ok = false;
    DiskImage image;
    std::string error;
};

// The volume located and copied out, in the order its reader works on.
DiskImageOpen openDiskImage(std::string_view fileBytes, std::string_view name);

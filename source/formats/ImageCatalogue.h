// The pictures inside a disk image, as its catalog or directories list them, and the reading of
// one of them. A damaged image gives what can be read and a problem for each fault found.
#pragma once

#include "formats/PictureKinds.h"

#include <cstdint>
#include <string>
#include <vector>

enum class FileSystem { Dos33, Prodos };

// A disk image ready for its reader: DOS 3.3 sectors in DOS order, ProDOS blocks in order.
struct DiskImage {
    FileSystem fileSystem = FileSystem::Prodos;
    std::string data;
};

// One picture found in a catalog: its names and where its data starts.
struct ImagePicture {
    std::vector<std::string> names; // ProDOS folders, then the file; characters as 7-bit ASCII
    PictureKind kind = PictureKind::Hgr;
    std::uint32_t first = 0;  // DOS 3.3: 16 × track + sector of its first list; ProDOS: key block
    std::uint8_t storage = 0; // ProDOS storage type: 1 seedling, 2 sapling, 3 tree
    std::uint32_t size = 0;   // DOS 3.3: the length in its header; ProDOS: the end of file
};

// A fault found while reading: `names` of the folder or file it is in (none: the catalog).
struct ImageProblem {
    std::vector<std::string> names;
    std::string reason;
};

struct ImageCatalogue {
    std::vector<ImagePicture> pictures;
    std::vector<ImageProblem> problems;
};

// The names joined with "/": the path inside the image.
std::string insidePath(const std::vector<std::string>& names);
// The same as messages and lists show it: each control character as '?'.
std::string shownInsidePath(const std::vector<std::string>& names);

ImageCatalogue cataloguePictures(const DiskImage& image);

// The picture's bytes, read by following its lists or index blocks, and decoded by its kind.
Picture readImagePicture(const DiskImage& image, const ImagePicture& picture);

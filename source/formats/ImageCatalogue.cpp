// Listing and reading by file system: each volume reader works on the image's data as its own
// order lays it out, so neither needs to know how the image was stored.
#include "formats/ImageCatalogue.h"

#include "formats/Dos33Volume.h"
#include "formats/ProdosVolume.h"

std::string insidePath(const std::vector<std::string>& names) {
    std::string path;
    for (const std::string& name : names)
        path += (path.empty() ? "" : "/") + name;
    return path;
}

std::string shownInsidePath(const std::vector<std::string>& names) {
    std::string shown = insidePath(names);
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return shown;
}

ImageCatalogue cataloguePictures(const DiskImage& image) {
    return image.fileSystem == FileSystem::Dos33 ? listDos33Pictures(image.data)
                                                 : listProdosPictures(image.data);
}

Picture readImagePicture(const DiskImage& image, const ImagePicture& picture) {
    return image.fileSystem == FileSystem::Dos33 ? readDos33Picture(image.data, picture)
                                                 : readProdosPicture(image.data, picture);
}

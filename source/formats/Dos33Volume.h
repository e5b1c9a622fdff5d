// DOS 3.3 disks (35 tracks of 16 sectors): the VTOC that marks one, the catalog's binary files
// that are pictures, and reading a file through its track/sector lists.
#pragma once

#include "formats/ImageCatalogue.h"

#include <string_view>

// A valid VTOC at track 17, sector 0 of a 140 KiB image in DOS order.
bool hasDos33Vtoc(std::string_view dosOrder);

ImageCatalogue listDos33Pictures(std::string_view dosOrder);
Picture readDos33Picture(std::string_view dosOrder, const ImagePicture& picture);

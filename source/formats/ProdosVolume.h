// ProDOS volumes (512-byte blocks): the volume directory header that marks one, the pictures in
// the volume directory and its subdirectories, and reading seedling, sapling and tree files.
#pragma once

#include "formats/ImageCatalogue.h"

#include <string_view>

// A volume directory header at block 2 of `blocks` (ProDOS block order).
bool hasProdosVolumeHeader(std::string_view blocks);

ImageCatalogue listProdosPictures(std::string_view blocks);
Picture readProdosPicture(std::string_view blocks, const ImagePicture& picture);

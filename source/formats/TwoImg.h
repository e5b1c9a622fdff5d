// The 2IMG container (.2mg, .2img): a 64-byte header saying where the disk's data lies in the
// file and in which order its sectors are.
#pragma once

#include "formats/SectorOrder.h"

#include <string>
#include <string_view>

struct TwoImgData {
    bool ok = false;
    std::size_t offset = 0; // the disk's data in the file
    std::size_t length = 0;
    SectorOrder order = SectorOrder::Prodos;
    std::string error;
};

bool hasTwoImgMagic(std::string_view file);

// Where the data is, checked against the file's size. Nibble images are refused.
TwoImgData readTwoImgHeader(std::string_view file);

// The header's fields are little-endian: magic "2IMG" at 0, header length at 8 (2 bytes), image
// format at 12 (0 DOS order, 1 ProDOS order, 2 nibbles), block count at 20, data offset at 24,
// data length at 28. Some writers leave the length zero and give only the block count.
#include "formats/TwoImg.h"

#include "formats/Bytes.h"

namespace {

constexpr std::size_t kHeaderSize = 64;

TwoImgData failure(const std::string& error) {
    TwoImgData data;
    data.error = error;
    return data;
}

} // namespace

bool hasTwoImgMagic(std::string_view file) {
    return file.substr(0, 4) == "2IMG";
}

TwoImgData readTwoImgHeader(std::string_view file) {
    if (!hasTwoImgMagic(file)) return failure("no 2IMG mark");
    if (file.size() < kHeaderSize)
        return failure("the 2IMG header is cut short (" + std::to_string(file.size()) + " bytes)");
    const std::uint32_t format = le32(file, 12);
    if (format == 2) return failure("a nibble image, which orvel does not read");
    if (format > 2) return failure("unknown 2IMG image format " + std::to_string(format));
    TwoImgData data;
    data.order = format == 0 ? SectorOrder::Dos : SectorOrder::Prodos;
    data.offset = le32(file, 24);
    data.length = le32(file, 28);
    if (data.length == 0) data.length = static_cast<std::size_t>(le32(file, 20)) * 512;
    if (data.offset < kHeaderSize || data.offset > file.size() ||
        file.size() - data.offset < data.length)
        return failure("truncated: the 2IMG header promises " + std::to_string(data.length) +
                       " bytes at offset " + std::to_string(data.offset) + ", the file has " +
                       std::to_string(file.size()));
    data.ok = true;
    return data;
}

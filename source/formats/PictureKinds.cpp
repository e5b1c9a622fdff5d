// Picture kinds by catalog entry and by content. The sizes come from how pictures were saved:
// DOS 3.3 users often saved hi-res without the last 8 bytes (a screen hole), ProDOS BSAVEs
// sometimes one byte more, and the LZ4FH packer drops the last hole by default.
#include "formats/PictureKinds.h"

#include "formats/Lz4fh.h"
#include "formats/PackBytes.h"

#include <cctype>

namespace {

constexpr std::uint32_t kHires = 8192;
constexpr std::uint32_t kDoubleHires = 16384;
constexpr std::uint32_t kShortestHires = 8184;

constexpr unsigned kBinType = 0x06;
constexpr unsigned kFotType = 0x08;
constexpr unsigned kPackedHires = 0x4000, kPackedDoubleHires = 0x4001, kLz4fh = 0x8066;

Picture pictureOf(std::string bytes, std::size_t size) {
    Picture picture;
    picture.ok = true;
    picture.dhgr = size == kDoubleHires;
    bytes.resize(size, '\0');
    picture.bytes = std::move(bytes);
    return picture;
}

Picture failure(const std::string& error) {
    Picture picture;
    picture.error = error;
    return picture;
}

Picture unpacked(const Unpacked& result, std::size_t lowest, std::size_t size) {
    if (!result.ok) return failure(result.error);
    if (result.bytes.size() < lowest)
        return failure("it unpacks to " + std::to_string(result.bytes.size()) + " bytes, not " +
                       std::to_string(size));
    return pictureOf(result.bytes, size);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    const int lower = std::tolower(static_cast<unsigned char>(c));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

} // namespace

const char* pictureKindName(PictureKind kind) {
    switch (kind) {
    case PictureKind::Hgr:
        return "hgr";
    case PictureKind::Dhgr:
        return "dhgr";
    case PictureKind::HgrPackBytes:
        return "hgr-packbytes";
    case PictureKind::DhgrPackBytes:
        return "dhgr-packbytes";
    case PictureKind::HgrLz4fh:
        break;
    }
    return "hgr-lz4fh";
}

const char* packingName(PictureKind kind) {
    switch (kind) {
    case PictureKind::HgrPackBytes:
    case PictureKind::DhgrPackBytes:
        return "PackBytes";
    case PictureKind::HgrLz4fh:
        return "LZ4FH";
    case PictureKind::Hgr:
    case PictureKind::Dhgr:
        break;
    }
    return "";
}

bool isDoubleHires(PictureKind kind) {
    return kind == PictureKind::Dhgr || kind == PictureKind::DhgrPackBytes;
}

std::optional<PictureKind> prodosPictureKind(FileType type, std::uint32_t size) {
    if (type.type == kFotType && type.aux == kPackedHires) return PictureKind::HgrPackBytes;
    if (type.type == kFotType && type.aux == kPackedDoubleHires) return PictureKind::DhgrPackBytes;
    if (type.type == kFotType && type.aux == kLz4fh) return PictureKind::HgrLz4fh;
    if (type.type != kBinType && !(type.type == kFotType && type.aux < kPackedHires))
        return std::nullopt;
    if (size >= kShortestHires && size <= kHires + 1) return PictureKind::Hgr;
    if (size == kDoubleHires) return PictureKind::Dhgr;
    return std::nullopt;
}

std::optional<PictureKind> dosPictureKind(std::uint32_t length) {
    if (length >= kShortestHires && length <= kHires) return PictureKind::Hgr;
    if (length == kDoubleHires) return PictureKind::Dhgr;
    return std::nullopt;
}

std::optional<FileType> fileTypeInName(std::string_view name) {
    if (name.size() < 7 || name[name.size() - 7] != '#') return std::nullopt;
    unsigned value = 0;
    for (std::size_t i = name.size() - 6; i < name.size(); ++i) {
        const int digit = hexValue(name[i]);
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<unsigned>(digit);
    }
    return FileType{value >> 16, value & 0xFFFF};
}

Picture decodePicture(PictureKind kind, std::string_view fileBytes) {
    switch (kind) {
    case PictureKind::Hgr:
        if (fileBytes.size() < kShortestHires)
            return failure("too short to be a hi-res picture (" + std::to_string(fileBytes.size()) +
                           " bytes)");
        return pictureOf(std::string(fileBytes.substr(0, kHires)), kHires);
    case PictureKind::Dhgr:
        if (fileBytes.size() < kDoubleHires)
            return failure("too short to be a double hi-res picture (" +
                           std::to_string(fileBytes.size()) + " bytes)");
        return pictureOf(std::string(fileBytes.substr(0, kDoubleHires)), kDoubleHires);
    case PictureKind::HgrPackBytes:
        return unpacked(unpackBytes(fileBytes, kHires), kHires, kHires);
    case PictureKind::DhgrPackBytes:
        return unpacked(unpackBytes(fileBytes, kDoubleHires), kDoubleHires, kDoubleHires);
    case PictureKind::HgrLz4fh:
        break;
    }
    return unpacked(unpackLz4fh(fileBytes, kHires), kShortestHires, kHires);
}

Picture decodeSmallFile(std::string_view fileBytes, PictureKind& kind) {
    if (!fileBytes.empty() && byteAt(fileBytes, 0) == 0x66) {
        const Picture picture = decodePicture(PictureKind::HgrLz4fh, fileBytes);
        kind = PictureKind::HgrLz4fh;
        if (picture.ok) return picture;
    }
    const Unpacked packed = unpackBytes(fileBytes, kDoubleHires);
    const std::size_t size = packed.bytes.size();
    if (!packed.ok || (size != kHires && size != kDoubleHires))
        return failure("neither LZ4FH nor PackBytes");
    kind = size == kHires ? PictureKind::HgrPackBytes : PictureKind::DhgrPackBytes;
    return pictureOf(packed.bytes, size);
}

// Little-endian numbers and byte access for the readers of Apple II files and disks, whose
// structures all store numbers low byte first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline unsigned byteAt(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

inline unsigned le16(std::string_view bytes, std::size_t at) {
    return byteAt(bytes, at) | byteAt(bytes, at + 1) << 8;
}

inline std::uint32_t le24(std::string_view bytes, std::size_t at) {
    return le16(bytes, at) | static_cast<std::uint32_t>(byteAt(bytes, at + 2)) << 16;
}

inline std::uint32_t le32(std::string_view bytes, std::size_t at) {
    return le24(bytes, at) | static_cast<std::uint32_t>(byteAt(bytes, at + 3)) << 24;
}

// The result of every unpacker: the bytes, or why there are none.
struct Unpacked {
    bool ok = false;
    std::string bytes;
    std::string error;
};

inline Unpacked unpackFailure(const std::string& error) {
    Unpacked failed;
    failed.error = error;
    return failed;
}

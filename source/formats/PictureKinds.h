// The kinds of Apple II picture files orvel reads, how a catalog entry's type and size name
// one, and the decoding of each kind's bytes into screen memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class PictureKind { Hgr, Dhgr, HgrPackBytes, DhgrPackBytes, HgrLz4fh };

// A picture as screen memory: 8192 bytes (main bank) or 16384 (auxiliary bank, then main).
struct Picture {
    bool ok = false;
    bool dhgr = false;
    std::string bytes;
    std::string error; // why there is no picture
};

// A ProDOS file type and aux type, from a catalog or from a name such as "TITLE#084000".
struct FileType {
    unsigned type = 0;
    unsigned aux = 0;
};

// "hgr", "dhgr", "hgr-packbytes", "dhgr-packbytes", "hgr-lz4fh".
const char* pictureKindName(PictureKind kind);
// The packing named in "Loaded: NAME (PackBytes)": "PackBytes", "LZ4FH", or empty.
const char* packingName(PictureKind kind);
bool isDoubleHires(PictureKind kind);

// BIN ($06, any aux) or FOT ($08, aux below $4000): 8184-8193 bytes hi-res, 16384 double
// hi-res; FOT $4000 and $4001 PackBytes, $8066 LZ4FH, whatever their size.
std::optional<PictureKind> prodosPictureKind(FileType type, std::uint32_t size);
// A DOS 3.3 binary file by the length in its header: 8184-8192 hi-res, 16384 double hi-res.
std::optional<PictureKind> dosPictureKind(std::uint32_t length);

// The type a name carries as a "#" and six hex digits at its end ("NAME#084000").
std::optional<FileType> fileTypeInName(std::string_view name);

// The file's bytes as the kind says: a short hi-res file's missing tail reads as zero, a
// packed one must unpack to exactly its picture (LZ4FH: 8184-8192 bytes).
Picture decodePicture(PictureKind kind, std::string_view fileBytes);

// What a file of fewer than 8184 bytes on a plain file system holds, by its content: LZ4FH when
// it starts with $66 and unpacks to its end mark, else PackBytes unpacking to exactly 8192 or
// 16384 bytes. `kind` receives the packing found.
Picture decodeSmallFile(std::string_view fileBytes, PictureKind& kind);

// Writers of Apple II packed files and disk images for the tests and the benchmark: our own
// pictures laid out as the formats' documentation describes, independently of the readers.
#pragma once

#include "formats/PackBytes.h"

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace writers {

inline void putLe(std::string& s, std::size_t at, std::size_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        s[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

inline std::string bytes(std::initializer_list<int> values) {
    return std::string(values.begin(), values.end());
}

// `size` seeded random bytes whose last quarter is black (ProDOS files get sparse blocks).
inline std::string picture(unsigned seed, std::size_t size) {
    std::mt19937 rng(seed);
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size * 3 / 4; ++i)
        bytes[i] = static_cast<char>(rng());
    return bytes;
}

// LZ4FH of literal runs only, 255 bytes a token, then the end mark (matches are worked by hand).
inline std::string lz4fh(const std::string& data) {
    std::string out = "\x66";
    for (std::size_t at = 0;; at += 255) {
        const std::size_t count = std::min<std::size_t>(255, data.size() - at);
        out += static_cast<char>(std::min<std::size_t>(count, 15) << 4 | 15);
        if (count >= 15) out += static_cast<char>(count - 15);
        out += data.substr(at, count) + (at + count == data.size() ? "\xFE" : "\xFD");
        if (at + count == data.size()) return out;
    }
}

// A DOS 3.3 binary file's contents: load address and length, then the bytes.
inline std::string binaryFile(const std::string& bytes, std::size_t address = 0x2000) {
    std::string file(4, '\0');
    putLe(file, 0, address, 2), putLe(file, 2, bytes.size(), 2);
    return file + bytes;
}

// A file, and what its catalog entry lists ("": no picture) and reads as.
struct DosFile {
    std::string path, contents; // path: its name
    unsigned type = 0x04;       // B
    bool deleted = false;
    std::string kind = "", picture = "";
};

// A DOS 3.3 disk in DOS order: VTOC at 17/0, up to seven files in catalog sector 17/15, each
// with one track/sector list followed by its data from track 18 on.
inline std::string dos33Image(const std::vector<DosFile>& files) {
    std::string disk(143360, '\0');
    const std::size_t vtoc = 17 * 16 * 256, catalog = vtoc + 15 * 256;
    disk[vtoc + 1] = 17, disk[vtoc + 2] = 15, disk[vtoc + 0x27] = 122, disk[vtoc + 0x35] = 16;
    disk[vtoc + 0x37] = 1;
    std::size_t next = 18 * 16;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::size_t entry = catalog + 0x0B + 35 * i, list = next++;
        disk[entry] = static_cast<char>(files[i].deleted ? 0xFF : list / 16);
        disk[entry + 1] = static_cast<char>(list % 16);
        disk[entry + 2] = static_cast<char>(files[i].type);
        for (std::size_t c = 0; c < 30; ++c)
            disk[entry + 3 + c] =
                static_cast<char>(c < files[i].path.size() ? files[i].path[c] | 0x80 : 0xA0);
        for (std::size_t s = 0; s * 256 < files[i].contents.size(); ++s, ++next) {
            disk[list * 256 + 0x0C + 2 * s] = static_cast<char>(next / 16);
            disk[list * 256 + 0x0D + 2 * s] = static_cast<char>(next % 16);
            const std::string part = files[i].contents.substr(s * 256, 256);
            disk.replace(next * 256, part.size(), part);
        }
    }
    return disk;
}

struct ProdosFile {
    std::string path; // folders joined with "/"
    unsigned type = 0x06, aux = 0x2000;
    std::string data;
    unsigned storage = 0; // 0: seedling up to 512 bytes, else sapling; 3: a tree of one index
    std::string kind = "", picture = ""; // as a DosFile's
};

// A ProDOS volume "PICTURES" in block order: the volume directory at blocks 2-5 (its first
// block used), every other directory a block of its own (twelve entries at most). Blocks of
// zeros in saplings and trees stay sparse.
inline std::string prodosImage(std::size_t blocks, const std::vector<ProdosFile>& files) {
    std::string disk(blocks * 512, '\0');
    std::size_t next = 6;
    std::map<std::string, std::pair<std::size_t, std::size_t>> folders{{"", {2, 0}}}; // key, used
    auto name = [&](std::size_t at, unsigned storage, const std::string& path) {
        const std::string last = path.substr(path.rfind('/') + 1);
        disk[at] = static_cast<char>(storage << 4 | last.size());
        disk.replace(at + 1, last.size(), last);
        if (storage >= 0xE) disk[at + 0x1F] = 0x27, disk[at + 0x20] = 13; // a directory header
    };
    auto point = [&](std::size_t index, std::size_t i, std::size_t block) { // low, high halves
        disk[index * 512 + i] = static_cast<char>(block);
        disk[index * 512 + 256 + i] = static_cast<char>(block >> 8);
    };
    auto data = [&](const std::string& bytes, std::size_t from, bool sparse) {
        const std::string part = bytes.substr(std::min(from, bytes.size()), 512);
        if (sparse && part.find_first_not_of('\0') == std::string::npos) return std::size_t{0};
        disk.replace(next * 512, part.size(), part);
        return next++;
    };
    auto index = [&](const std::string& bytes) {
        const std::size_t block = next++;
        for (std::size_t i = 0; 512 * i < bytes.size(); ++i)
            point(block, i, data(bytes, 512 * i, true));
        return block;
    };
    // The entry of `path` in its folder, made with the folder when it is new.
    std::function<std::size_t(const std::string&)> entry = [&](const std::string& path) {
        const std::size_t slash = path.rfind('/');
        const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash);
        if (!folders.count(folder)) {
            const std::size_t at = entry(folder), key = next++;
            name(at, 0xD, folder), putLe(disk, at + 0x11, key, 2), name(key * 512 + 4, 0xE, folder);
            folders[folder] = {key, 0};
        }
        auto& [key, used] = folders[folder];
        return key * 512 + 4 + 0x27 * ++used;
    };
    name(2 * 512 + 4, 0xF, "PICTURES");
    for (std::size_t b = 2; b < 5; ++b)
        putLe(disk, b * 512 + 2, b + 1, 2), putLe(disk, (b + 1) * 512, b, 2);
    for (const ProdosFile& file : files) {
        const std::size_t at = entry(file.path), size = file.data.size();
        const unsigned storage = file.storage ? file.storage : size <= 512 ? 1 : 2;
        const std::size_t key = storage == 1   ? data(file.data, 0, false)
                                : storage == 2 ? index(file.data)
                                               : next++;
        if (storage == 3) point(key, 0, index(file.data));
        name(at, storage, file.path), disk[at + 0x10] = static_cast<char>(file.type);
        putLe(disk, at + 0x11, key, 2), putLe(disk, at + 0x15, size, 3),
            putLe(disk, at + 0x1F, file.aux, 2);
    }
    return disk;
}

// A 140 KiB image in block order rearranged into DOS order, from where each system puts its
// logical sectors on the track: DOS at these physical sectors, ProDOS sector p at 2p mod 15.
inline std::string dosOrderFromBlocks(const std::string& blocks) {
    const int dosPhysical[16] = {0, 13, 11, 9, 7, 5, 3, 1, 14, 12, 10, 8, 6, 4, 2, 15};
    std::string dos(blocks.size(), '\0');
    for (std::size_t track = 0; track < 35; ++track)
        for (int p = 0; p < 16; ++p) {
            const int d = static_cast<int>(
                std::find(dosPhysical, dosPhysical + 16, p == 15 ? 15 : 2 * p % 15) - dosPhysical);
            dos.replace((track * 16 + d) * 256, 256, blocks.substr((track * 16 + p) * 256, 256));
        }
    return dos;
}

// A 2IMG file: the 64-byte header, then the data (format 0 DOS order, 1 ProDOS order).
inline std::string twoImg(const std::string& data, unsigned format) {
    std::string header(64, '\0');
    header.replace(0, 8, "2IMGORVL");
    putLe(header, 8, 64, 2), putLe(header, 12, format, 4), putLe(header, 24, 64, 4);
    putLe(header, 28, data.size(), 4);
    return header + data;
}

} // namespace writers

// The images the tests read: every kind of picture in a DOS 3.3 catalog (with names no host file
// can have) and in a ProDOS volume (every storage type, folders two deep), beside files that
// are no pictures; with each file, what its catalog entry lists ("": nothing) and reads as.
namespace samples {

inline const std::string hgr = writers::picture(11, 8192), dhgr = writers::picture(12, 16384);
inline const std::string black = std::string(8000, '\0') + writers::picture(13, 192); // packs small
inline const std::string holes = hgr.substr(0, 8184) + std::string(8, '\0'); // saved 8 short

// clang-format off
inline const std::vector<writers::DosFile> dos33Files = {
    {"TITLE.PIC", writers::binaryFile(hgr), 4, false, "hgr", hgr},
    {"SAVED\x07SHORT", writers::binaryFile(hgr.substr(0, 8184), 0x4000), 4, false, "hgr", holes},
    {"..", writers::binaryFile(dhgr), 4, false, "dhgr", dhgr},
    {"A/B", writers::binaryFile(hgr), 4, false, "hgr", hgr},
    {"NOTES", writers::binaryFile("HELLO")}, {"GONE", writers::binaryFile(hgr), 4, true}, {"TEXT", hgr, 0}};

// The packed ones by the program's packer, checked on its own against hand-worked streams.
inline std::vector<writers::ProdosFile> prodosFiles() {
    return {{"TITLE", 0x06, 0x2000, hgr, 0, "hgr", hgr},
            {"PICS/DOUBLE", 0x06, 0x4000, dhgr, 0, "dhgr", dhgr},
            {"PICS/PACKED", 0x08, 0x4000, packBytes(black), 0, "hgr-packbytes", black},
            {"PICS/DPACKED", 0x08, 0x4001, packBytes(dhgr.substr(0, 8192)) + packBytes(hgr), 0, "dhgr-packbytes", dhgr.substr(0, 8192) + hgr},
            {"PICS/FAST", 0x08, 0x8066, writers::lz4fh(hgr.substr(0, 8184)), 0, "hgr-lz4fh", holes},
            {"PICS/DEEP/TREE", 0x06, 0x2000, hgr + "!", 3, "hgr", hgr},
            {"SHORTFOT", 0x08, 0x0000, hgr.substr(0, 8184), 0, "hgr", holes},
            {"README", 0x04, 0x0000, hgr}, {"BIG", 0x06, 0x2000, hgr + hgr.substr(0, 808)}};
}
// clang-format on

inline std::string dos33() {
    return writers::dos33Image(dos33Files);
}
inline std::string prodos(std::size_t blocks) {
    return writers::prodosImage(blocks, prodosFiles());
}

// The pictures of a catalog, in its order.
template <typename File>
std::vector<File> listed(std::vector<File> files) {
    files.erase(std::remove_if(files.begin(), files.end(), [](File& f) { return f.kind.empty(); }),
                files.end());
    return files;
}

} // namespace samples

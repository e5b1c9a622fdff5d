// Writers of Apple II packed files and disk images for the tests and the benchmark: our own
// pictures laid out as the formats' documentation describes, independently of the readers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace writers {

inline void putLe(std::string& s, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        s[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// LZ4FH: literals, and runs of one byte as a match on the byte before (an overlapping copy).
inline std::string lz4fh(const std::string& data) {
    std::string out = "\x66";
    auto token = [&](std::size_t from, std::size_t to, int length, unsigned offset) {
        const std::size_t literals = to - from; // at most 255
        const int low = length <= 0 ? 15 : std::min(length - 4, 15);
        out += static_cast<char>(std::min<std::size_t>(literals, 15) << 4 | low);
        if (literals >= 15) out += static_cast<char>(literals - 15);
        out += data.substr(from, literals);
        if (length <= 0) {
            out += static_cast<char>(length == 0 ? 253 : 254); // no match, or the end
            return;
        }
        if (length - 4 >= 15) out += static_cast<char>(length - 19);
        out += static_cast<char>(offset & 0xFF);
        out += static_cast<char>(offset >> 8);
    };
    std::size_t pending = 0, at = 0;
    while (at < data.size()) {
        std::size_t run = 0;
        while (at + run < data.size() && run < 255 && at > 0 && data[at + run] == data[at - 1])
            ++run;
        if (run >= 4 || at - pending == 255) {
            token(pending, at, run >= 4 ? static_cast<int>(run) : 0, static_cast<unsigned>(at - 1));
            at += run >= 4 ? run : 0;
            pending = at;
        } else {
            ++at;
        }
    }
    token(pending, at, -1, 0);
    return out;
}

// A DOS 3.3 binary file's contents: load address and length, then the bytes.
inline std::string binaryFile(const std::string& bytes, unsigned address = 0x2000) {
    std::string file(4, '\0');
    putLe(file, 0, address, 2);
    putLe(file, 2, static_cast<std::uint32_t>(bytes.size()), 2);
    return file + bytes;
}

struct DosFile {
    std::string name;
    std::string contents; // as stored: a binary file with its header (see binaryFile)
    unsigned type = 0x04; // B
    bool deleted = false;
};

// A DOS 3.3 disk in DOS order: VTOC at 17/0, catalog 17/15 down to 17/1, files from track 18 on.
inline std::string dos33Image(const std::vector<DosFile>& files) {
    std::string disk(143360, '\0');
    auto at = [](unsigned index) { return static_cast<std::size_t>(index) * 256; };
    const std::size_t vtoc = at(17 * 16);
    disk[vtoc + 1] = 17, disk[vtoc + 2] = 15, disk[vtoc + 3] = 3;
    disk[vtoc + 0x27] = 122, disk[vtoc + 0x34] = 35, disk[vtoc + 0x35] = 16;
    putLe(disk, vtoc + 0x36, 256, 2);
    for (unsigned s = 15; s > 1; --s)
        disk[at(17 * 16 + s) + 1] = 17, disk[at(17 * 16 + s) + 2] = static_cast<char>(s - 1);
    unsigned next = 18 * 16;
    auto allocate = [&] { // tracks 18-34, then 3-16
        if (next == 35 * 16) next = 3 * 16;
        return next++;
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        const DosFile& file = files[i];
        const std::size_t sectors = (file.contents.size() + 255) / 256;
        const std::size_t entry = at(17 * 16 + 15 - i / 7) + 0x0B + 35 * (i % 7);
        unsigned list = allocate();
        disk[entry] = static_cast<char>(file.deleted ? 0xFF : list / 16);
        disk[entry + 1] = static_cast<char>(list % 16);
        disk[entry + 2] = static_cast<char>(file.type);
        for (std::size_t c = 0; c < 30; ++c)
            disk[entry + 3 + c] =
                static_cast<char>(c < file.name.size() ? file.name[c] | 0x80 : 0xA0);
        putLe(disk, entry + 33, static_cast<std::uint32_t>(sectors + 1), 2);
        for (std::size_t s = 0; s < sectors; ++s) {
            if (s > 0 && s % 122 == 0) {
                const unsigned more = allocate();
                disk[at(list) + 1] = static_cast<char>(more / 16);
                disk[at(list) + 2] = static_cast<char>(more % 16);
                list = more;
            }
            const unsigned data = allocate();
            disk[at(list) + 0x0C + 2 * (s % 122)] = static_cast<char>(data / 16);
            disk[at(list) + 0x0D + 2 * (s % 122)] = static_cast<char>(data % 16);
            disk.replace(
                at(data), 256,
                (file.contents.substr(s * 256, 256) + std::string(256, '\0')).substr(0, 256));
        }
    }
    return disk;
}

struct ProdosFile {
    std::string path; // folders joined with "/"
    unsigned type = 0x06, aux = 0x2000;
    std::string data;
    unsigned storage = 0; // 0: the smallest that holds the data
};

// A ProDOS volume in block order: volume directory at blocks 2-5, then the files' blocks.
// Blocks of zeros inside saplings and trees are left sparse.
class ProdosWriter {
public:
    ProdosWriter(std::size_t blocks, const std::string& volume) : disk_(blocks * 512, '\0') {
        next_ = 7;
        folders_[""];
        volume_ = volume;
    }
    void add(const ProdosFile& file) {
        std::string folder;
        for (std::size_t slash = file.path.find('/'); slash != std::string::npos;
             slash = file.path.find('/', slash + 1)) {
            const std::string sub = file.path.substr(0, slash);
            if (!folders_.count(sub)) {
                folders_[folder].push_back({sub, true, {}});
                folders_[sub];
            }
            folder = sub;
        }
        folders_[folder].push_back({file.path, false, file});
    }
    std::string image() {
        writeDirectory("", 2, 0, 0);
        putLe(disk_, 2 * 512 + 4 + 0x25, static_cast<std::uint32_t>(disk_.size() / 512), 2);
        return disk_;
    }

private:
    struct Entry {
        std::string path;
        bool folder;
        ProdosFile file;
    };
    std::size_t block(unsigned b) const { return static_cast<std::size_t>(b) * 512; }
    unsigned allocate() { return next_++; }
    static std::string nameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }
    void putName(std::size_t at, unsigned storage, const std::string& name) {
        disk_[at] = static_cast<char>(storage << 4 | name.size());
        disk_.replace(at + 1, name.size(), name);
    }
    void pointer(unsigned index, std::size_t i, unsigned target) {
        disk_[block(index) + i] = static_cast<char>(target & 0xFF);
        disk_[block(index) + 256 + i] = static_cast<char>(target >> 8);
    }
    // A data block, or 0 (sparse) for zeros.
    unsigned dataBlock(const std::string& data, std::size_t from, bool keep) {
        const std::string part = data.substr(std::min(from, data.size()), 512);
        if (!keep && part.find_first_not_of('\0') == std::string::npos) return 0;
        const unsigned b = allocate();
        disk_.replace(block(b), part.size(), part);
        return b;
    }
    unsigned indexOf(const std::string& data, std::size_t from) {
        const unsigned index = allocate();
        for (std::size_t i = 0; i < 256 && from + 512 * i < data.size(); ++i)
            pointer(index, i, dataBlock(data, from + 512 * i, false));
        return index;
    }
    unsigned writeFile(const ProdosFile& file, unsigned& storage) {
        storage = file.storage                 ? file.storage
                  : file.data.size() <= 512    ? 1
                  : file.data.size() <= 131072 ? 2
                                               : 3;
        if (storage == 1) return dataBlock(file.data, 0, true);
        if (storage == 2) return indexOf(file.data, 0);
        const unsigned master = allocate();
        for (std::size_t i = 0; i < 128 && 131072 * i < std::max<std::size_t>(file.data.size(), 1);
             ++i)
            pointer(master, i, indexOf(file.data, 131072 * i));
        return master;
    }
    unsigned writeDirectory(const std::string& path, unsigned key, unsigned parent,
                            std::size_t parentEntry) {
        const std::vector<Entry>& entries = folders_[path];
        const std::size_t count = (entries.size() + 1 + 12) / 13;
        std::vector<unsigned> blocks = {key ? key : allocate()};
        for (std::size_t i = 1; i < count || (path.empty() && i < 4); ++i)
            blocks.push_back(path.empty() ? 2 + static_cast<unsigned>(i) : allocate());
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            if (i > 0) putLe(disk_, block(blocks[i]), blocks[i - 1], 2);
            if (i + 1 < blocks.size()) putLe(disk_, block(blocks[i]) + 2, blocks[i + 1], 2);
        }
        const std::size_t header = block(blocks[0]) + 4;
        putName(header, path.empty() ? 0xF : 0xE, path.empty() ? volume_ : nameOf(path));
        disk_[header + 0x1F] = 0x27, disk_[header + 0x20] = 13;
        putLe(disk_, header + 0x21, static_cast<std::uint32_t>(entries.size()), 2);
        putLe(disk_, header + 0x23, path.empty() ? 6 : parent, 2);
        if (!path.empty())
            disk_[header + 0x25] = static_cast<char>(parentEntry), disk_[header + 0x26] = 0x27;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const Entry& e = entries[i];
            const std::size_t at = block(blocks[(i + 1) / 13]) + 4 + 0x27 * ((i + 1) % 13);
            unsigned storage = 0xD;
            const unsigned first = e.folder ? writeDirectory(e.path, 0, blocks[0], (i + 1) % 13 + 1)
                                            : writeFile(e.file, storage);
            putName(at, storage, nameOf(e.path));
            disk_[at + 0x10] = static_cast<char>(e.folder ? 0x0F : e.file.type);
            putLe(disk_, at + 0x11, first, 2);
            putLe(disk_, at + 0x15, e.folder ? 512 : static_cast<std::uint32_t>(e.file.data.size()),
                  3);
            putLe(disk_, at + 0x1F, e.folder ? 0 : e.file.aux, 2);
            putLe(disk_, at + 0x25, blocks[0], 2);
        }
        return blocks[0];
    }

    std::string disk_;
    std::string volume_;
    unsigned next_;
    std::map<std::string, std::vector<Entry>> folders_;
};

inline std::string prodosImage(std::size_t blocks, const std::vector<ProdosFile>& files,
                               const std::string& volume = "PICTURES") {
    ProdosWriter writer(blocks, volume);
    for (const ProdosFile& file : files)
        writer.add(file);
    return writer.image();
}

// A 140 KiB image in block order rearranged into DOS order, from where each system puts its
// logical sectors on the track: DOS at these physical sectors, ProDOS sector p at 2p mod 15.
inline std::string dosOrderFromBlocks(const std::string& blocks) {
    const int dosPhysical[16] = {0, 13, 11, 9, 7, 5, 3, 1, 14, 12, 10, 8, 6, 4, 2, 15};
    std::string dos(blocks.size(), '\0');
    for (std::size_t track = 0; track < 35; ++track)
        for (int p = 0; p < 16; ++p) {
            const int physical = p == 15 ? 15 : 2 * p % 15;
            const int d =
                static_cast<int>(std::find(dosPhysical, dosPhysical + 16, physical) - dosPhysical);
            dos.replace((track * 16 + d) * 256, 256, blocks.substr((track * 16 + p) * 256, 256));
        }
    return dos;
}

// A 2IMG file: the 64-byte header, then the data (format 0 DOS order, 1 ProDOS order).
inline std::string twoImg(const std::string& data, unsigned format) {
    std::string header(64, '\0');
    header.replace(0, 8, "2IMGORVL");
    putLe(header, 8, 64, 2);
    putLe(header, 10, 1, 2);
    putLe(header, 12, format, 4);
    putLe(header, 20, static_cast<std::uint32_t>(data.size() / 512), 4);
    putLe(header, 24, 64, 4);
    putLe(header, 28, static_cast<std::uint32_t>(data.size()), 4);
    return header + data;
}

} // namespace writers

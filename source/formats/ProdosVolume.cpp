// A directory is a chain of blocks of thirteen 39-byte entries, the first entry of its key block
// being its header. Every block the walk reads is recorded, so a chain or a subdirectory that
// leads back to a block already read ends with a problem instead of going round for ever.
#include "formats/ProdosVolume.h"

#include "formats/Bytes.h"

#include <algorithm>

namespace {

constexpr std::size_t kBlock = 512;
constexpr unsigned kVolumeKeyBlock = 2;
constexpr std::size_t kEntrySize = 0x27, kEntriesPerBlock = 13;
constexpr unsigned kSeedling = 1, kSapling = 2, kTree = 3, kSubdirectory = 0xD;
constexpr unsigned kSubdirectoryHeader = 0xE, kVolumeHeader = 0xF;
// ProDOS paths hold at most 64 characters, so folders nest less deep than this.
constexpr int kDeepestFolder = 64;

std::size_t blockCount(std::string_view blocks) {
    return std::min<std::size_t>(blocks.size() / kBlock, 0x10000);
}

std::string_view blockAt(std::string_view blocks, unsigned block) {
    return blocks.substr(block * kBlock, kBlock);
}

std::string blockText(unsigned block) {
    return "block " + std::to_string(block);
}

bool isNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.';
}

// A directory header: its storage type, a name, and the entry shape every ProDOS writes.
bool isHeader(std::string_view block, unsigned storage) {
    const std::string_view header = block.substr(4);
    const std::size_t length = byteAt(header, 0) & 0x0F;
    return byteAt(header, 0) >> 4 == storage && length > 0 && byteAt(header, 0x1F) == kEntrySize &&
           byteAt(header, 0x20) == kEntriesPerBlock;
}

std::string nameAt(std::string_view entry) {
    std::string name;
    for (std::size_t i = 0; i < (byteAt(entry, 0) & 0x0F); ++i)
        name.push_back(static_cast<char>(byteAt(entry, 1 + i) & 0x7F));
    return name;
}

// The largest end of file each storage type can hold.
std::uint32_t largestSize(unsigned storage) {
    return storage == kSeedling ? kBlock : storage == kSapling ? 256 * kBlock : 0xFFFFFF;
}

class DirectoryWalk {
public:
    explicit DirectoryWalk(std::string_view blocks)
        : blocks_(blocks), seen_(blockCount(blocks), false) {}

    ImageCatalogue run() {
        walk(kVolumeKeyBlock, kVolumeHeader, {}, 0);
        return std::move(catalogue_);
    }

private:
    void problem(const std::vector<std::string>& names, const std::string& reason) {
        catalogue_.problems.push_back({names, reason});
    }

    void walk(unsigned block, unsigned headerStorage, const std::vector<std::string>& folder,
              int depth) {
        if (depth > kDeepestFolder)
            return problem(folder, "folders nest deeper than ProDOS allows");
        for (bool key = true; block != 0; key = false) {
            if (block >= seen_.size())
                return problem(folder, "a directory block (" + blockText(block) +
                                           ") is outside the volume");
            if (seen_[block])
                return problem(folder, "the directory leads back to " + blockText(block) +
                                           ", already read");
            seen_[block] = true;
            const std::string_view data = blockAt(blocks_, block);
            if (key && !isHeader(data, headerStorage))
                return problem(folder, blockText(block) + " is not a directory header");
            for (std::size_t i = key ? 1 : 0; i < kEntriesPerBlock; ++i)
                entry(data.substr(4 + i * kEntrySize, kEntrySize), folder, depth);
            block = le16(data, 2);
        }
    }

    void entry(std::string_view entry, const std::vector<std::string>& folder, int depth) {
        const unsigned storage = byteAt(entry, 0) >> 4;
        std::vector<std::string> names = folder;
        names.push_back(nameAt(entry));
        const unsigned key = le16(entry, 0x11);
        if (storage == kSubdirectory) return walk(key, kSubdirectoryHeader, names, depth + 1);
        if (storage < kSeedling || storage > kTree) return;
        const std::uint32_t size = le24(entry, 0x15);
        const auto kind = prodosPictureKind({byteAt(entry, 0x10), le16(entry, 0x1F)}, size);
        if (!kind) return;
        if (key == 0 || key >= seen_.size())
            return problem(names,
                           "its key block (" + std::to_string(key) + ") is outside the volume");
        if (size > largestSize(storage))
            return problem(names, "its size of " + std::to_string(size) +
                                      " bytes is more than its storage type holds");
        catalogue_.pictures.push_back(
            {names, *kind, key, static_cast<std::uint8_t>(storage), size});
    }

    std::string_view blocks_;
    std::vector<bool> seen_;
    ImageCatalogue catalogue_;
};

// A file's data blocks, in order, appended until the file's size is reached. A zero pointer is
// a sparse part of the file, zeros as far as the pointer would reach: a block, the 256 blocks of
// an index, or all of a master index.
class FileReader {
public:
    FileReader(std::string_view blocks, std::uint32_t size) : blocks_(blocks), size_(size) {}

    void addData(unsigned block) {
        add(block, kBlock, [&](std::string_view data) { append(data); });
    }
    // An index block: up to 256 pointers, low bytes in its first half, high bytes in its second.
    void addIndex(unsigned block) {
        add(block, 256 * kBlock, [&](std::string_view index) {
            for (std::size_t i = 0; i < 256 && !done(); ++i)
                addData(pointerAt(index, i));
        });
    }
    void addMasterIndex(unsigned block) {
        add(block, size_, [&](std::string_view master) {
            for (std::size_t i = 0; i < 256 && !done(); ++i)
                addIndex(pointerAt(master, i));
        });
    }

    std::string bytes;
    std::string error;

private:
    static unsigned pointerAt(std::string_view index, std::size_t i) {
        return byteAt(index, i) | byteAt(index, 256 + i) << 8;
    }
    bool done() const { return !error.empty() || bytes.size() >= size_; }
    void append(std::string_view data) {
        bytes.append(data.substr(0, std::min<std::size_t>(data.size(), size_ - bytes.size())));
    }

    template <typename Use>
    void add(unsigned block, std::size_t sparseSpan, Use use) {
        if (done()) return;
        if (block == 0) {
            bytes.append(std::min<std::size_t>(sparseSpan, size_ - bytes.size()), '\0');
        } else if (block >= blockCount(blocks_)) {
            error = "a block pointer (" + blockText(block) + ") is outside the volume";
        } else {
            use(blockAt(blocks_, block));
        }
    }

    std::string_view blocks_;
    std::uint32_t size_;
};

} // namespace

bool hasProdosVolumeHeader(std::string_view blocks) {
    if (blocks.size() < (kVolumeKeyBlock + 1) * kBlock) return false;
    const std::string_view key = blockAt(blocks, kVolumeKeyBlock);
    if (le16(key, 0) != 0 || !isHeader(key, kVolumeHeader)) return false;
    const std::string name = nameAt(key.substr(4));
    return name[0] >= 'A' && name[0] <= 'Z' &&
           std::all_of(name.begin(), name.end(), isNameCharacter);
}

ImageCatalogue listProdosPictures(std::string_view blocks) {
    return DirectoryWalk(blocks).run();
}

Picture readProdosPicture(std::string_view blocks, const ImagePicture& picture) {
    FileReader reader(blocks, picture.size);
    if (picture.storage == kSeedling) reader.addData(picture.first);
    if (picture.storage == kSapling) reader.addIndex(picture.first);
    if (picture.storage == kTree) reader.addMasterIndex(picture.first);
    if (!reader.error.empty()) {
        Picture failed;
        failed.error = reader.error;
        return failed;
    }
    reader.bytes.resize(picture.size, '\0');
    return decodePicture(picture.kind, reader.bytes);
}

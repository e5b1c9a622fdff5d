// The VTOC points at the first catalog sector; catalog sectors chain on and hold seven 35-byte
// entries each; a file's track/sector lists chain on and hold 122 data sector pairs each. Every
// chain is walked with a record of the sectors seen, so a loop ends the walk with a problem.
#include "formats/Dos33Volume.h"

#include "formats/Bytes.h"

#include <bitset>

namespace {

constexpr unsigned kTracks = 35, kSectors = 16;
constexpr std::size_t kSector = 256;
constexpr unsigned kVtocTrack = 17;
constexpr std::size_t kEntriesFrom = 0x0B, kEntrySize = 35, kEntriesPerSector = 7;
constexpr std::size_t kPairsFrom = 0x0C, kPairsPerList = 122;
constexpr unsigned kDeleted = 0xFF, kBinaryType = 0x04;

using SectorSet = std::bitset<kTracks * kSectors>;

struct TrackSector {
    unsigned track, sector;
    bool none() const { return track == 0 && sector == 0; }
    bool onDisk() const { return track < kTracks && sector < kSectors; }
    std::size_t index() const { return track * kSectors + sector; }
    std::string text() const {
        return "track " + std::to_string(track) + ", sector " + std::to_string(sector);
    }
};

std::string_view sectorAt(std::string_view disk, TrackSector where) {
    return disk.substr(where.index() * kSector, kSector);
}

TrackSector linkAt(std::string_view sector, std::size_t at) {
    return {byteAt(sector, at), byteAt(sector, at + 1)};
}

// A name of 30 high-ASCII characters padded with spaces.
std::string nameAt(std::string_view entry) {
    std::string name;
    for (std::size_t i = 3; i < 33; ++i)
        name.push_back(static_cast<char>(byteAt(entry, i) & 0x7F));
    return name.erase(name.find_last_not_of(' ') + 1);
}

// The first sector of a binary file's data: its load address and length come first.
bool firstDataSector(std::string_view disk, TrackSector list, std::string_view& data,
                     std::string& problem) {
    if (!list.onDisk() || list.none()) {
        problem = "its track/sector list (" + list.text() + ") is outside the disk";
        return false;
    }
    const TrackSector first = linkAt(sectorAt(disk, list), kPairsFrom);
    if (first.none()) return false; // an empty file: nothing to look at
    if (!first.onDisk()) {
        problem = "its first data sector (" + first.text() + ") is outside the disk";
        return false;
    }
    data = sectorAt(disk, first);
    return true;
}

void inspectEntry(std::string_view disk, std::string_view entry, ImageCatalogue& catalogue) {
    if ((byteAt(entry, 2) & 0x7F) != kBinaryType) return;
    const std::vector<std::string> names = {nameAt(entry)};
    const TrackSector list{byteAt(entry, 0), byteAt(entry, 1)};
    std::string_view data;
    std::string problem;
    if (!firstDataSector(disk, list, data, problem)) {
        if (!problem.empty()) catalogue.problems.push_back({names, problem});
        return;
    }
    const std::uint32_t length = le16(data, 2);
    if (const auto kind = dosPictureKind(length))
        catalogue.pictures.push_back(
            {names, *kind, static_cast<std::uint32_t>(list.index()), 0, length});
}

Picture failure(const std::string& error) {
    Picture picture;
    picture.error = error;
    return picture;
}

} // namespace

bool hasDos33Vtoc(std::string_view disk) {
    if (disk.size() != kTracks * kSectors * kSector) return false;
    const std::string_view vtoc = sectorAt(disk, {kVtocTrack, 0});
    const TrackSector catalog = linkAt(vtoc, 1);
    return byteAt(vtoc, 0x27) == kPairsPerList && byteAt(vtoc, 0x35) == kSectors &&
           le16(vtoc, 0x36) == kSector && catalog.onDisk() && catalog.track != 0;
}

ImageCatalogue listDos33Pictures(std::string_view disk) {
    ImageCatalogue catalogue;
    SectorSet seen;
    TrackSector at = linkAt(sectorAt(disk, {kVtocTrack, 0}), 1);
    while (!at.none()) {
        if (!at.onDisk()) {
            catalogue.problems.push_back(
                {{}, "a catalog sector (" + at.text() + ") is outside the disk"});
            break;
        }
        if (seen[at.index()]) {
            catalogue.problems.push_back({{}, "the catalog loops back to " + at.text()});
            break;
        }
        seen[at.index()] = true;
        const std::string_view sector = sectorAt(disk, at);
        for (std::size_t i = 0; i < kEntriesPerSector; ++i) {
            const std::string_view entry = sector.substr(kEntriesFrom + i * kEntrySize, kEntrySize);
            if (byteAt(entry, 0) == 0) return catalogue; // never used: the catalog ends here
            if (byteAt(entry, 0) != kDeleted) inspectEntry(disk, entry, catalogue);
        }
        at = linkAt(sector, 1);
    }
    return catalogue;
}

Picture readDos33Picture(std::string_view disk, const ImagePicture& picture) {
    const std::size_t wanted = picture.size + 4; // the address and length come first
    std::string bytes;
    SectorSet seen;
    TrackSector list{picture.first / kSectors, picture.first % kSectors};
    while (bytes.size() < wanted) {
        if (list.none())
            return failure("the file ends after " + std::to_string(bytes.size()) + " of its " +
                           std::to_string(wanted) + " bytes");
        if (!list.onDisk())
            return failure("a track/sector list (" + list.text() + ") is outside the disk");
        if (seen[list.index()])
            return failure("its track/sector lists loop back to " + list.text());
        seen[list.index()] = true;
        const std::string_view sector = sectorAt(disk, list);
        for (std::size_t pair = 0; pair < kPairsPerList && bytes.size() < wanted; ++pair) {
            const TrackSector data = linkAt(sector, kPairsFrom + 2 * pair);
            if (data.none())
                return failure("the file ends after " + std::to_string(bytes.size()) + " of its " +
                               std::to_string(wanted) + " bytes");
            if (!data.onDisk())
                return failure("its track/sector list points outside the disk (" + data.text() +
                               ")");
            bytes.append(sectorAt(disk, data));
        }
        list = linkAt(sector, 1);
    }
    return decodePicture(picture.kind, std::string_view(bytes).substr(4, picture.size));
}

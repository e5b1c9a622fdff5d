// Disk images written by the test writers from our own pictures: every picture kind in a DOS
// 3.3 catalog and in ProDOS volumes of 140 KiB (either order, any name) and 800 KiB (also as
// .2mg), read back byte for byte; the sector order by hand; damaged images and their reasons.
#include "FormatsTestSupport.h"
#include "formats/DiskImageFile.h"
#include "formats/ImageWriters.h"
#include "formats/PackBytes.h"
#include "formats/SectorOrder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Listing = std::vector<std::pair<std::string, std::string>>; // path, kind name

const std::string kHgr = PictureBytes(11, 8192), kDhgr = PictureBytes(12, 16384);
const std::string kBlack = std::string(8000, '\0') + PictureBytes(13, 192); // packs small
const std::string kShortHgr = kHgr.substr(0, 8184) + std::string(8, '\0');

std::string Dos33Disk() {
    using writers::binaryFile;
    return writers::dos33Image({{"TITLE.PIC", binaryFile(kHgr)},
                                {"SAVED SHORT", binaryFile(kHgr.substr(0, 8184), 0x4000)},
                                {"DOUBLE", binaryFile(kDhgr)},
                                {"A/B", binaryFile(kHgr)},
                                {"NOTES", binaryFile("HELLO")},
                                {"GONE", binaryFile(kHgr), 0x04, true},
                                {"TEXT", kHgr, 0x00}});
}
const Listing kDos33Listing = {
    {"TITLE.PIC", "hgr"}, {"SAVED SHORT", "hgr"}, {"DOUBLE", "dhgr"}, {"A/B", "hgr"}};
const std::string kDos33Pictures[] = {kHgr, kShortHgr, kDhgr, kHgr};

// Every storage type and picture type, a subdirectory two deep, and files that are no pictures.
std::string ProdosVolume(std::size_t blocks) {
    return writers::prodosImage(
        blocks, {{"TITLE", 0x06, 0x2000, kHgr},
                 {"PICS/DOUBLE", 0x06, 0x4000, kDhgr},
                 {"PICS/PACKED", 0x08, 0x4000, packBytes(kBlack)},
                 {"PICS/DPACKED", 0x08, 0x4001, packBytes(kDhgr.substr(0, 8192)) + packBytes(kHgr)},
                 {"PICS/FAST", 0x08, 0x8066, writers::lz4fh(kHgr.substr(0, 8184))},
                 {"PICS/DEEP/TREE", 0x06, 0x2000, kHgr + "!", 3},
                 {"SHORTFOT", 0x08, 0x0000, kHgr.substr(0, 8184)},
                 {"README", 0x04, 0x0000, kHgr},
                 {"BIG", 0x06, 0x2000, kHgr + kHgr.substr(0, 808)}});
}
const Listing kProdosListing = {{"TITLE", "hgr"},
                                {"PICS/DOUBLE", "dhgr"},
                                {"PICS/PACKED", "hgr-packbytes"},
                                {"PICS/DPACKED", "dhgr-packbytes"},
                                {"PICS/FAST", "hgr-lz4fh"},
                                {"PICS/DEEP/TREE", "hgr"},
                                {"SHORTFOT", "hgr"}};
const std::string kProdosPictures[] = {kHgr,      kDhgr, kBlack,   kDhgr.substr(0, 8192) + kHgr,
                                       kShortHgr, kHgr,  kShortHgr};

Listing ListingOf(const ImageCatalogue& catalogue) {
    Listing listing;
    for (const ImagePicture& picture : catalogue.pictures)
        listing.emplace_back(insidePath(picture.names), pictureKindName(picture.kind));
    return listing;
}

// The image opens as `system`, lists `expected` with no problem, and each picture reads back.
template <std::size_t N>
void ExpectImage(const std::string& file, const std::string& name, FileSystem system,
                 const Listing& expected, const std::string (&pictures)[N]) {
    SCOPED_TRACE(name);
    const DiskImageOpen open = openDiskImage(file, name);
    ASSERT_TRUE(open.ok) << open.error;
    EXPECT_TRUE(isDiskImage("x", file));
    EXPECT_EQ(open.image.fileSystem, system);
    const ImageCatalogue catalogue = cataloguePictures(open.image);
    EXPECT_TRUE(catalogue.problems.empty()) << catalogue.problems[0].reason;
    ASSERT_EQ(ListingOf(catalogue), expected);
    for (std::size_t i = 0; i < N; ++i) {
        const Picture picture = readImagePicture(open.image, catalogue.pictures[i]);
        EXPECT_TRUE(picture.ok) << expected[i].first << ": " << picture.error;
        EXPECT_EQ(picture.bytes, pictures[i]) << expected[i].first;
        EXPECT_EQ(picture.dhgr, pictures[i].size() == 16384);
    }
}

} // namespace

TEST(DiskImages, EveryPictureOfEveryImageReadsBack) {
    using writers::dosOrderFromBlocks;
    using writers::twoImg;
    const std::string dos = Dos33Disk(), small = ProdosVolume(280), large = ProdosVolume(1600);
    ExpectImage(dos, "disk.dsk", FileSystem::Dos33, kDos33Listing, kDos33Pictures);
    ExpectImage(dos, "disk.po", FileSystem::Dos33, kDos33Listing, kDos33Pictures);
    ExpectImage(twoImg(dos, 0), "disk.2mg", FileSystem::Dos33, kDos33Listing, kDos33Pictures);
    // The content decides the order, whatever the name suggests.
    for (const char* name : {"small.po", "small.dsk", "small"}) {
        ExpectImage(small, name, FileSystem::Prodos, kProdosListing, kProdosPictures);
        ExpectImage(dosOrderFromBlocks(small), name, FileSystem::Prodos, kProdosListing,
                    kProdosPictures);
    }
    ExpectImage(twoImg(dosOrderFromBlocks(small), 0), "small.2mg", FileSystem::Prodos,
                kProdosListing, kProdosPictures);
    for (const char* name : {"large.po", "large.hdv"})
        ExpectImage(large, name, FileSystem::Prodos, kProdosListing, kProdosPictures);
    ExpectImage(twoImg(large, 1), "large.2IMG", FileSystem::Prodos, kProdosListing,
                kProdosPictures);
}

// ProDOS block b of a track is DOS sectors 2b, 2b + 1 of ProDOS's numbering, which are these DOS
// sectors: block 2, the volume directory, at DOS sectors 11 and 10 of track 0 (offset $B00).
TEST(DiskImages, ProdosBlocksInDosOrder) {
    const int expected[8][2] = {{0, 14}, {13, 12}, {11, 10}, {9, 8},
                                {7, 6},  {5, 4},   {3, 2},   {1, 15}};
    for (int block = 0; block < 8; ++block)
        for (int half = 0; half < 2; ++half)
            EXPECT_EQ(dosSectorOfBlockHalf(block, half), expected[block][half]) << block;
    EXPECT_EQ(writers::dosOrderFromBlocks(ProdosVolume(280)).substr(0xB04, 9), "\xF8PICTURES");
}

TEST(DiskImages, FilesThatAreNoDiskImages) {
    const std::string small = ProdosVolume(280);
    std::string noHeader = small;
    noHeader[2 * 512 + 4] = 0x08;
    const std::pair<std::string, std::string> cases[] = {
        {kHgr, "not the size of a disk (8192 bytes)"},
        {small + "x", "not the size of a disk"},
        {noHeader, "neither a DOS 3.3 catalog nor a ProDOS volume directory"},
        {noHeader + noHeader, "no ProDOS volume directory at block 2"},
        {writers::twoImg(small, 2), "a nibble image"},
        {writers::twoImg(small, 1).substr(0, 100000), "truncated: the 2IMG header promises"},
        {std::string("2IMG", 4), "the 2IMG header is cut short"}};
    for (const auto& [file, error] : cases) {
        const DiskImageOpen open = openDiskImage(file, "x.po");
        EXPECT_FALSE(open.ok);
        EXPECT_NE(open.error.find(error), std::string::npos) << open.error;
        EXPECT_EQ(isDiskImage("x", file), file.substr(0, 4) == "2IMG") << error;
    }
}

namespace {

std::size_t Sector(unsigned track, unsigned sector) {
    return (track * 16 + sector) * 256;
}
// The directory entry of a ProDOS file, found by its storage type and name.
std::size_t Entry(const std::string& disk, int storage, const std::string& name) {
    return disk.find(static_cast<char>(storage << 4 | name.size()) + name);
}
unsigned KeyOf(const std::string& disk, std::size_t entry) {
    return static_cast<unsigned char>(disk[entry + 0x11]) |
           static_cast<unsigned char>(disk[entry + 0x12]) << 8;
}
// The first data block of a sapling: pointer 0 of its index block.
std::size_t FirstData(const std::string& disk, std::size_t entry) {
    const std::size_t index = KeyOf(disk, entry) * 512;
    return (static_cast<unsigned char>(disk[index]) | static_cast<unsigned char>(disk[index + 256])
                                                          << 8) *
           512;
}
void Put(std::string& disk, std::size_t at, const std::string& bytes) {
    disk.replace(at, bytes.size(), bytes);
}

} // namespace

// Each damage gives what can still be read and one reason, from the listing or from reading
// the picture the reason names.
TEST(DiskImages, DamagedImagesSayWhy) {
    using Damage = std::function<void(std::string&)>;
    const auto title = [](const std::string& d) { return Entry(d, 2, "TITLE"); };
    const auto pics = [](const std::string& d) { return Entry(d, 0xD, "PICS"); };
    const struct {
        bool dos;
        Damage damage;
        std::size_t listed;
        std::string read, problem; // read: the picture to read when the listing has no problem
    } cases[] = {
        {true,
         [](std::string& d) {
             Put(d, Sector(17, 15) + 1, Bytes({17, 15}));
         },
         4, "", ": the catalog loops back to track 17, sector 15"},
        {true,
         [](std::string& d) {
             Put(d, Sector(17, 0) + 1, Bytes({40, 3}));
         },
         0, "", ": a catalog sector (track 40, sector 3) is outside the disk"},
        {true, [](std::string& d) { Put(d, Sector(17, 15) + 0x0B, Bytes({35})); }, 3, "",
         "TITLE.PIC: its track/sector list (track 35, sector 0) is outside the disk"},
        {true,
         [](std::string& d) {
             Put(d, Sector(18, 0) + 0x0C + 10, Bytes({3, 16}));
         },
         4, "TITLE.PIC",
         "TITLE.PIC: its track/sector list points outside the disk (track 3, sector 16)"},
        {true,
         [](std::string& d) {
             Put(d, Sector(18, 0) + 0x0C + 10, Bytes({0, 0}));
         },
         4, "TITLE.PIC", "TITLE.PIC: the file ends after 1280 of its 8196 bytes"},
        {false,
         [](std::string& d) {
             Put(d, 5 * 512 + 2, Bytes({3, 0}));
         },
         7, "", ": the directory leads back to block 3, already read"},
        {false,
         [&](std::string& d) {
             Put(d, pics(d) + 0x11, Bytes({2, 0}));
         },
         2, "", "PICS: the directory leads back to block 2, already read"},
        {false, [&](std::string& d) { Put(d, pics(d) + 0x11, d.substr(title(d) + 0x11, 2)); }, 2,
         "", "PICS: block 7 is not a directory header"},
        {false,
         [&](std::string& d) {
             Put(d, title(d) + 0x11, Bytes({0x60, 0xEA}));
         },
         6, "", "TITLE: its key block (60000) is outside the volume"},
        {false,
         [](std::string& d) {
             Put(d, Entry(d, 1, "PACKED") + 0x15, Bytes({0x58, 2}));
         },
         6, "", "PICS/PACKED: its size of 600 bytes is more than its storage type holds"},
        {false, [&](std::string& d) { Put(d, KeyOf(d, title(d)) * 512 + 257, Bytes({0x20})); }, 7,
         "TITLE", "TITLE: a block pointer (block 8201) is outside the volume"},
        {false,
         [](std::string& d) {
             for (int i = 0; i < 35; ++i)
                 Put(d, KeyOf(d, Entry(d, 1, "PACKED")) * 512 + 2 * i, Bytes({0xFF, 0}));
         },
         7, "PICS/PACKED", "PICS/PACKED: the packed data unpacks to more than 8192 bytes"},
        {false,
         [](std::string& d) {
             Put(d, FirstData(d, Entry(d, 2, "FAST")) + 1, Bytes({0x12, 'A', 1, 0}));
         },
         7, "PICS/FAST",
         "PICS/FAST: an LZ4FH match copies from offset 1, which is not decoded yet"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        std::string data = c.dos ? Dos33Disk() : ProdosVolume(280);
        c.damage(data);
        const DiskImage image{c.dos ? FileSystem::Dos33 : FileSystem::Prodos, data};
        const ImageCatalogue catalogue = cataloguePictures(image);
        EXPECT_EQ(catalogue.pictures.size(), c.listed);
        std::vector<std::string> reasons;
        for (const ImageProblem& problem : catalogue.problems)
            reasons.push_back(insidePath(problem.names) + ": " + problem.reason);
        for (const ImagePicture& picture : catalogue.pictures)
            if (insidePath(picture.names) == c.read)
                reasons.push_back(c.read + ": " + readImagePicture(image, picture).error);
        ASSERT_EQ(reasons.size(), 1u);
        EXPECT_EQ(reasons[0], c.problem);
    }
}

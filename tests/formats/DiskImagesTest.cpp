// Disk images written by the test writers from our own pictures: every picture kind in a DOS
// 3.3 catalog and in ProDOS volumes of 140 KiB (either order, any name) and 800 KiB (also as
// .2mg), read back byte for byte; damaged images and their reasons.
#include "formats/Bytes.h"
#include "formats/DiskImageFile.h"
#include "formats/ImageWriters.h"

#include <gtest/gtest.h>

#include <array>

// The content decides the file system and the order, whatever the name suggests. In DOS order
// block 2, the volume directory, lies at DOS sectors 11 and 10 of track 0 (offset $B00).
TEST(DiskImages, EveryPictureOfEveryImageReadsBack) {
    using writers::twoImg;
    const std::string dos = samples::dos33(), small = samples::prodos(280);
    const std::string large = samples::prodos(1600), dosOrder = writers::dosOrderFromBlocks(small);
    ASSERT_EQ(dosOrder.substr(0xB04, 9), "\xF8PICTURES");
    // clang-format off
    const std::pair<std::string, std::string> images[] = {
        {dos, "d.dsk"}, {dos, "d.po"}, {twoImg(dos, 0), "d.2mg"}, {small, "s.po"}, {small, "s.dsk"},
        {dosOrder, "s.po"}, {dosOrder, "s"}, {twoImg(dosOrder, 0), "s.2mg"}, {large, "l.hdv"},
        {twoImg(large, 1), "l.2IMG"}};
    // clang-format on
    for (const auto& [file, name] : images) {
        SCOPED_TRACE(name);
        const bool isDos = name[0] == 'd';                // the DOS 3.3 disk
        std::vector<std::array<std::string, 3>> expected; // path, kind, picture
        for (const auto& f : samples::listed(samples::dos33Files))
            if (isDos) expected.push_back({f.path, f.kind, f.picture});
        for (const auto& f : samples::listed(samples::prodosFiles()))
            if (!isDos) expected.push_back({f.path, f.kind, f.picture});
        const DiskImageOpen open = openDiskImage(file, name);
        ASSERT_TRUE(open.ok && isDiskImage("x", file)) << open.error;
        EXPECT_EQ(open.image.fileSystem, isDos ? FileSystem::Dos33 : FileSystem::Prodos);
        const ImageCatalogue catalogue = cataloguePictures(open.image);
        EXPECT_TRUE(catalogue.problems.empty());
        ASSERT_EQ(catalogue.pictures.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const ImagePicture& entry = catalogue.pictures[i];
            const auto& [path, kind, picture] = expected[i];
            EXPECT_EQ(insidePath(entry.names) + " " + pictureKindName(entry.kind),
                      path + " " + kind);
            EXPECT_EQ(readImagePicture(open.image, entry).bytes, picture) << path;
        }
    }
}

// Each damage gives what can still be read and one reason, from the listing or else from
// reading the picture the reason names. Files that are no disk images say why.
TEST(DiskImages, DamagedImagesSayWhy) {
    const std::string volume = samples::prodos(280); // the writer is the same every time
    auto entry = [&](int storage, const std::string& name) {
        return volume.find(static_cast<char>(storage << 4 | name.size()) + name);
    };
    auto key = [&](std::size_t at) { return le16(volume, at + 0x11) * std::size_t{512}; };
    const std::size_t title = entry(2, "TITLE"), pics = entry(0xD, "PICS"),
                      packed = entry(1, "PACKED");
    const std::size_t fast = key(entry(2, "FAST")), catalog = (17 * 16 + 15) * 256,
                      list = 18 * 16 * 256;
    using writers::bytes;
    const struct {
        bool dos;
        std::size_t at;
        std::string bytes;
        std::size_t listed;
        std::string problem;
    } cases[] = {
        // clang-format off
        {true, catalog + 1, bytes({17, 15}), 4, ": the catalog loops back to track 17, sector 15"},
        {true, 17 * 16 * 256 + 1, bytes({40, 3}), 0, ": a catalog sector (track 40, sector 3) is outside the disk"},
        {true, catalog + 0x0B, bytes({35}), 3, "TITLE.PIC: its track/sector list (track 35, sector 0) is outside the disk"},
        {true, list + 0x16, bytes({3, 16}), 4, "TITLE.PIC: its track/sector list points outside the disk (track 3, sector 16)"},
        {true, list + 0x16, bytes({0, 0}), 4, "TITLE.PIC: the file ends after 1280 of its 8196 bytes"},
        {false, 5 * 512 + 2, bytes({3, 0}), 7, ": the directory leads back to block 3, already read"},
        {false, pics + 0x11, bytes({2, 0}), 2, "PICS: the directory leads back to block 2, already read"},
        {false, pics + 0x11, bytes({6, 0}), 2, "PICS: block 6 is not a directory header"},
        {false, title + 0x11, bytes({0x60, 0xEA}), 6, "TITLE: its key block (60000) is outside the volume"},
        {false, packed + 0x15, bytes({0x58, 2}), 6, "PICS/PACKED: its size of 600 bytes is more than its storage type holds"},
        {false, key(title) + 257, bytes({0x20}), 7, "TITLE: a block pointer (block 8200) is outside the volume"},
        {false, key(packed), std::string(70, '\xFF'), 7, "PICS/PACKED: the packed data unpacks to more than 8192 bytes"},
        {false, (byteAt(volume, fast) | byteAt(volume, fast + 256) << 8) * 512 + 1, bytes({0x12, 'A', 1, 0}), 7,
         "PICS/FAST: an LZ4FH match copies from offset 1, which is not decoded yet"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        std::string data = c.dos ? samples::dos33() : volume;
        data.replace(c.at, c.bytes.size(), c.bytes);
        const DiskImage image{c.dos ? FileSystem::Dos33 : FileSystem::Prodos, data};
        const ImageCatalogue catalogue = cataloguePictures(image);
        EXPECT_EQ(catalogue.pictures.size(), c.listed);
        std::vector<std::string> reasons;
        for (const ImageProblem& problem : catalogue.problems)
            reasons.push_back(insidePath(problem.names) + ": " + problem.reason);
        for (const ImagePicture& picture : catalogue.pictures)
            if (c.problem.rfind(insidePath(picture.names) + ": ", 0) == 0)
                reasons.push_back(insidePath(picture.names) + ": " +
                                  readImagePicture(image, picture).error);
        EXPECT_EQ(reasons, std::vector<std::string>{c.problem});
    }
    std::string noHeader = samples::prodos(280);
    noHeader[2 * 512 + 4] = 0x08;
    const std::pair<std::string, std::string> files[] = {
        {samples::hgr, "not the size of a disk (8192 bytes)"},
        {noHeader,
         "neither a DOS 3.3 catalog nor a ProDOS volume directory in either sector order"},
        {noHeader + noHeader, "no ProDOS volume directory at block 2"},
        {writers::twoImg(noHeader, 2), "a nibble image, which orvel does not read"},
        {writers::twoImg(noHeader, 1).substr(0, 100000),
         "truncated: the 2IMG header promises 143360 bytes at offset 64, the file has 100000"}};
    for (const auto& [file, error] : files)
        EXPECT_EQ(openDiskImage(file, "x.po").error, error);
}

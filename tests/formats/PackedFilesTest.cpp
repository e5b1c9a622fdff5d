// Packed pictures: PackBytes and LZ4FH against streams worked out by hand from the formats'
// descriptions, and seeded pictures of every texture packed and found again among small files.
#include "formats/ImageWriters.h"
#include "formats/Lz4fh.h"
#include "formats/PictureKinds.h"
#include "support/TestSeeds.h"

#include <gtest/gtest.h>

// Every stream unpacks into at most 32 bytes; an empty `unpacked` expects the error.
TEST(PackedPictures, HandWorkedStreams) {
    using writers::bytes;
    const struct {
        bool lz4fh;
        std::string packed, unpacked, error;
    } cases[] = {
        // clang-format off
        {false, bytes({0x02, 'A', 'B', 'C', 0x43, 0x11}), "ABC" + std::string(4, 0x11), ""},
        {false, bytes({0x81, 1, 2, 3, 4, 0xC1, 0xAA}), bytes({1, 2, 3, 4, 1, 2, 3, 4}) + std::string(8, '\xAA'), ""},
        {false, bytes({0xC7, 0, 0x00, 1}), "", "the packed data unpacks to more than 32 bytes"},
        {false, bytes({0x81, 1, 2, 3}), "", "the packed data ends inside a run"},
        {true, bytes({0x66, 0x22, 'A', 'B', 0, 0, 0x0F, 0xFE}), "ABABABAB", ""}, // overlapping
        {true, bytes({0x66, 0x1F, 'A', 0xFD, 0x1F, 'B', 0, 0, 0, 0x0F, 0xFE}), "ABABABABABABABABABABA", ""},
        {true, bytes({0x66, 0xFF, 0x02}) + std::string(17, 'x') + bytes({0xFE}), std::string(17, 'x'), ""},
        {true, bytes({0x66, 0x12, 'A', 1, 0}), "", "an LZ4FH match copies from offset 1, which is not decoded yet"},
        {true, bytes({0x66, 0x1F, 'A', 0xFE, 0}), "", "1 bytes follow the LZ4FH end mark"},
        {true, bytes({0x65, 0x0F, 0xFE}), "", "no LZ4FH mark ($66) at the start"},
        {true, bytes({0x66, 0x20, 'A'}), "", "the LZ4FH data ends inside a token"},
        {true, bytes({0x66, 0x2F, 'A', 'B', 0xF0, 0, 0}), "", "an LZ4FH match length byte of 240 has no meaning"},
        {true, bytes({0x66, 0x1F, 'A', 0x0F, 0, 0}), "", "the LZ4FH data unpacks to more than 32 bytes"},
        // clang-format on
    };
    for (const auto& c : cases) {
        const Unpacked result = c.lz4fh ? unpackLz4fh(c.packed, 32) : unpackBytes(c.packed, 32);
        EXPECT_EQ(std::make_tuple(result.ok, result.bytes, result.error),
                  std::make_tuple(c.error.empty(), c.unpacked, c.error));
    }
}

// Pictures of every texture packed and found again among small files: LZ4FH first, then
// PackBytes to exactly 8192 or 16384 bytes; a $66 that is no LZ4FH is tried as PackBytes.
TEST(PackedPictures, SmallFilesUnpackToTheirPictures) {
    for (const unsigned seed : testSeeds(1979)) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 rng(seed);
        std::string runs(8192, 'r'), pattern, zeros(8192, '\0');
        for (std::size_t i = 0; i < runs.size(); i += 1 + rng() % 300)
            runs[i] = static_cast<char>(rng());
        while (pattern.size() < 8192)
            pattern += "\x55\x2A\xD5\xAA";
        const std::string hgr = writers::picture(rng(), 8192),
                          dhgr = writers::picture(rng(), 16384);
        const std::string holes = hgr.substr(0, 8184) + std::string(8, '\0'), lz = "LZ4FH",
                          pb = "PackBytes";
        const std::tuple<std::string, std::string, std::string> files[] = {
            // file, packing, picture
            // clang-format off
            {writers::lz4fh(hgr), lz, hgr}, {writers::lz4fh(hgr.substr(0, 8184)), lz, holes}, {packBytes(hgr), pb, hgr},
            {packBytes(dhgr), pb, dhgr}, {packBytes(runs), pb, runs}, {packBytes(pattern), pb, pattern},
            {packBytes(zeros), pb, zeros}, {writers::bytes({0x66, 0}) + packBytes(hgr.substr(39)), pb, zeros.substr(0, 39) + hgr.substr(39)},
            {writers::lz4fh(hgr.substr(0, 8000)), "", ""}, {packBytes(hgr.substr(1)), "", ""},
            {packBytes(hgr) + writers::bytes({0}), "", ""}, {hgr.substr(0, 100), "", ""}};
        // clang-format on
        for (std::size_t i = 0; i < std::size(files); ++i) {
            const auto& [file, packing, picture] = files[i];
            PictureKind kind = PictureKind::Hgr;
            const Picture found = decodeSmallFile(file, kind);
            const std::string foundPacking = found.ok ? packingName(kind) : "";
            EXPECT_TRUE(found.bytes == picture && foundPacking == packing &&
                        found.dhgr == (picture.size() == 16384))
                << "file " << i << ": " << found.error;
        }
        EXPECT_LE(packBytes(zeros).size(), 64u);       // runs of 256 a flag
        EXPECT_LE(packBytes(hgr).size(), 8192u + 128); // a flag every 64 bytes at most
    }
}

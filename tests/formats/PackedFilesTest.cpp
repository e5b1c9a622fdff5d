// Packed pictures: PackBytes and LZ4FH against streams worked out by hand from the formats'
// descriptions, round trips of seeded pictures, and which small files are which kind.
#include "FormatsTestSupport.h"
#include "formats/ImageWriters.h"
#include "formats/Lz4fh.h"
#include "formats/PackBytes.h"
#include "formats/PictureKinds.h"

#include <gtest/gtest.h>

namespace {

struct StreamCase {
    std::string packed, unpacked, error; // an empty error: the stream unpacks
};

void ExpectUnpacks(const Unpacked& result, const StreamCase& c) {
    EXPECT_EQ(result.ok, c.error.empty()) << result.error;
    if (result.ok) {
        EXPECT_EQ(result.bytes, c.unpacked);
    }
    EXPECT_NE(result.error.find(c.error), std::string::npos) << result.error;
}

} // namespace

TEST(PackBytes, HandWorkedStreamsWithin512Bytes) {
    const std::string x = Bytes({1, 2, 3, 4});
    const StreamCase cases[] = {
        {Bytes({0x02, 'A', 'B', 'C'}), "ABC", ""},
        {Bytes({0x43, 0x11}), std::string(4, 0x11), ""},
        {Bytes({0x81, 1, 2, 3, 4}), x + x, ""},
        {Bytes({0xC1, 0xAA}), std::string(8, '\xAA'), ""},
        {Bytes({0x00, 'Z', 0x7F, 7}), "Z" + std::string(64, 7), ""},
        {Bytes({0xFF, 0, 0xFF, 0}), std::string(512, '\0'), ""},
        {Bytes({0xFF, 0, 0xFF, 0, 0x00, 1}), "", "unpacks to more than 512 bytes"},
        {Bytes({0x03, 'A', 'B'}), "", "ends inside a run"},
        {Bytes({0x81, 1, 2, 3}), "", "ends inside a run"},
    };
    for (const StreamCase& c : cases)
        ExpectUnpacks(unpackBytes(c.packed, 512), c);
}

TEST(Lz4fh, HandWorkedStreamsWithin32Bytes) {
    const StreamCase cases[] = {
        {Bytes({0x66, 0x22, 'A', 'B', 0, 0, 0x0F, 0xFE}), "ABABABAB", ""}, // overlapping copy
        {Bytes({0x66, 0x1F, 'A', 0xFD, 0x0F, 0xFE}), "A", ""},
        {Bytes({0x66, 0x1F, 'A', 0x01, 0, 0, 0x0F, 0xFE}), std::string(21, 'A'), ""},
        {Bytes({0x66, 0xFF, 0x02}) + std::string(17, 'x') + Bytes({0xFE}), std::string(17, 'x'),
         ""},
        {Bytes({0x66, 0x12, 'A', 1, 0}), "", "copies from offset 1, which is not decoded yet"},
        {Bytes({0x66, 0x1F, 'A', 0xFE, 0}), "", "1 bytes follow the LZ4FH end mark"},
        {Bytes({0x65, 0x0F, 0xFE}), "", "no LZ4FH mark"},
        {Bytes({0x66, 0x20, 'A'}), "", "ends inside a token"},
        {Bytes({0x66, 0x2F, 'A', 'B', 0xF0, 0, 0}), "", "byte of 240 has no meaning"},
        {Bytes({0x66, 0x1F, 'A', 0x0F, 0, 0}), "", "unpacks to more than 32 bytes"},
        {Bytes({0x66}), "", "ends without its end mark"},
    };
    for (const StreamCase& c : cases)
        ExpectUnpacks(unpackLz4fh(c.packed, 32), c);
}

// Both packers against the unpackers, on pictures of every texture: random, black, stripes,
// a 4-byte pattern, and long same-byte runs broken by single bytes.
TEST(PackedPictures, PackAndUnpackGiveThePictureBack) {
    for (const unsigned seed : Seeds(1979)) {
        std::mt19937 rng(seed);
        for (const std::size_t size : {std::size_t{8192}, std::size_t{16384}}) {
            std::string random = PictureBytes(rng(), size), stripes(size, '\0'), runs(size, 'r'),
                        pattern;
            for (std::size_t i = 0; i < size; ++i)
                stripes[i] = static_cast<char>(i / 40 % 2 ? 0x7F : 0x2A);
            for (std::size_t i = 0; i < size; i += 1 + rng() % 300)
                runs[i] = static_cast<char>(rng());
            while (pattern.size() < size)
                pattern += "\x55\x2A\xD5\xAA";
            for (const std::string& picture :
                 {random, std::string(size, '\0'), stripes, pattern, runs}) {
                SCOPED_TRACE(testing::Message() << "seed " << seed << ", " << size << " bytes");
                const std::string packed = packBytes(picture);
                EXPECT_EQ(unpackBytes(packed, size).bytes, picture);
                EXPECT_LE(packed.size(), size + size / 64); // a flag at most every 64 bytes
                if (size == 8192) {
                    EXPECT_EQ(unpackLz4fh(writers::lz4fh(picture), size).bytes, picture);
                }
            }
            EXPECT_LE(packBytes(std::string(size, '\0')).size(), size / 128);
        }
    }
}

// A file under 8184 bytes is LZ4FH first, then PackBytes to exactly 8192 or 16384 bytes.
TEST(PackedPictures, SmallFilesAreKnownByTheirContent) {
    const std::string hgr = PictureBytes(5, 8192), dhgr = PictureBytes(6, 16384);
    const std::string holes = hgr.substr(0, 8184) + std::string(8, '\0');
    const struct {
        std::string file;
        PictureKind kind;
        std::string picture; // empty: not a picture
    } cases[] = {
        {writers::lz4fh(hgr), PictureKind::HgrLz4fh, hgr},
        {writers::lz4fh(hgr.substr(0, 8184)), PictureKind::HgrLz4fh, holes},
        {packBytes(hgr), PictureKind::HgrPackBytes, hgr},
        {packBytes(dhgr), PictureKind::DhgrPackBytes, dhgr},
        {Bytes({0x66, 0x00}) + packBytes(hgr.substr(39)), PictureKind::HgrPackBytes,
         std::string(39, 0x00) + hgr.substr(39)}, // $66 starts a run of 39 zeros
        {writers::lz4fh(hgr.substr(0, 8000)), PictureKind::Hgr, ""},
        {packBytes(hgr.substr(0, 8000)), PictureKind::Hgr, ""},
        {packBytes(hgr) + Bytes({0x00}), PictureKind::Hgr, ""},
        {PictureBytes(7, 100), PictureKind::Hgr, ""},
    };
    for (const auto& c : cases) {
        PictureKind kind = PictureKind::Hgr;
        const Picture picture = decodeSmallFile(c.file, kind);
        EXPECT_EQ(picture.ok, !c.picture.empty()) << picture.error;
        if (!picture.ok) continue;
        EXPECT_EQ(kind, c.kind);
        EXPECT_EQ(picture.bytes, c.picture);
        EXPECT_EQ(picture.dhgr, c.picture.size() == 16384);
    }
}

TEST(PackedPictures, TypesAndSizesNameTheKind) {
    using K = std::optional<PictureKind>;
    const struct {
        unsigned type, aux, size;
        K prodos, dos; // dos: a DOS 3.3 binary file of that length
    } cases[] = {
        {0x06, 0x2000, 8184, PictureKind::Hgr, PictureKind::Hgr},
        {0x06, 0x4000, 8192, PictureKind::Hgr, PictureKind::Hgr},
        {0x06, 0x0000, 8193, PictureKind::Hgr, std::nullopt},
        {0x06, 0x2000, 8183, std::nullopt, std::nullopt},
        {0x06, 0x2000, 16384, PictureKind::Dhgr, PictureKind::Dhgr},
        {0x08, 0x3FFF, 8192, PictureKind::Hgr, PictureKind::Hgr},
        {0x08, 0x4000, 8192, PictureKind::HgrPackBytes, PictureKind::Hgr},
        {0x08, 0x4001, 300, PictureKind::DhgrPackBytes, std::nullopt},
        {0x08, 0x8066, 9000, PictureKind::HgrLz4fh, std::nullopt},
        {0x08, 0x4002, 8192, std::nullopt, PictureKind::Hgr},
        {0x04, 0x0000, 8192, std::nullopt, PictureKind::Hgr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << std::hex << c.type << "/" << c.aux << " " << std::dec << c.size);
        EXPECT_EQ(prodosPictureKind({c.type, c.aux}, c.size), c.prodos);
        EXPECT_EQ(dosPictureKind(c.size), c.dos);
    }
    const std::pair<const char*, std::optional<std::pair<unsigned, unsigned>>> names[] = {
        {"TITLE#084000", std::make_pair(0x08u, 0x4000u)},
        {"t#08a0fF", std::make_pair(0x08u, 0xA0FFu)},
        {"TITLE#08400", std::nullopt},
        {"TITLE#08400G", std::nullopt},
        {"TITLE.084000", std::nullopt}};
    for (const auto& [name, type] : names) {
        const auto found = fileTypeInName(name);
        ASSERT_EQ(found.has_value(), type.has_value()) << name;
        if (found) {
            EXPECT_EQ(std::make_pair(found->type, found->aux), *type) << name;
        }
    }
}

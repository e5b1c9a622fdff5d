// Seeded mutation fuzzing of every reader: valid files with a few bytes changed, most in the
// structures the reader walks, now and then cut short. Each case must end in a picture of the
// right size or a reason, with no fault under the sanitizers and no endless loop.
// ORVEL_FUZZ_CASES sets the number of cases a reader (100 000 by default).
#include "formats/DiskImageFile.h"
#include "formats/Dos33Volume.h"
#include "formats/ImageWriters.h"
#include "formats/ProdosVolume.h"
#include "formats/SectorOrder.h"
#include "support/TestSeeds.h"

#include <gtest/gtest.h>

namespace {

void ExpectPicture(const Picture& picture) {
    EXPECT_EQ(picture.bytes.size(), picture.ok ? picture.dhgr ? 16384u : 8192u : 0u);
    EXPECT_NE(picture.ok, !picture.error.empty());
}

void ReadSmallFile(PictureKind kind, const std::string& file) {
    ExpectPicture(decodePicture(kind, file));
    ExpectPicture(decodeSmallFile(file, kind));
}

// The volume readers straight on the bytes, so no case copies a whole disk (a cut one is no disk).
void ReadVolume(bool dos, std::string_view data) {
    if (data.size() != kDiskII) return;
    const ImageCatalogue found = dos ? listDos33Pictures(data) : listProdosPictures(data);
    for (const ImagePicture& picture : found.pictures)
        ExpectPicture(dos ? readDos33Picture(data, picture) : readProdosPicture(data, picture));
}

} // namespace

TEST(Fuzz, EveryReaderSurvivesMutatedFiles) {
    const char* count = std::getenv("ORVEL_FUZZ_CASES");
    const std::size_t cases = count != nullptr ? std::strtoul(count, nullptr, 10) : 100000;
    const std::string hgr = writers::picture(21, 8192), dhgr = writers::picture(22, 16384);
    const std::string prodos = writers::prodosImage(
        280,
        {{"A", 0x06, 0, hgr}, {"D/B", 0x08, 0x4000, packBytes(dhgr)}, {"D/E/C", 0x06, 0, hgr, 3}});
    const struct {
        const char* name;
        std::string file;
        std::size_t hotFrom, hotTo; // where three mutations in four land
        std::function<void(const std::string&)> read;
    } targets[] = {
        {"PackBytes", packBytes(dhgr), 0, 16000,
         [](auto& f) { ReadSmallFile(PictureKind::DhgrPackBytes, f); }},
        {"LZ4FH", writers::lz4fh(hgr.substr(0, 8184)), 0, 8300,
         [](auto& f) { ReadSmallFile(PictureKind::HgrLz4fh, f); }},
        {"DOS 3.3",
         writers::dos33Image({{"A", writers::binaryFile(hgr)}, {"B", writers::binaryFile(dhgr)}}),
         17 * 16 * 256, 19 * 16 * 256, [](auto& f) { ReadVolume(true, f); }},
        {"ProDOS", prodos, 1024, 40 * 512, [](auto& f) { ReadVolume(false, f); }},
        {"2IMG", writers::twoImg(prodos, 1), 0, 64 + 3072, [](auto& f) { // header and order only
             const VolumeLocation found = locateVolume(f, "x.2mg");
             if (found.ok)
                 listProdosPictures(std::string_view(f).substr(found.offset, found.length));
         }}};
    for (const auto& target : targets)
        for (const unsigned seed : testSeeds(4242)) {
            SCOPED_TRACE(testing::Message() << target.name << ", seed " << seed);
            std::mt19937 rng(seed);
            std::string file = target.file;
            for (std::size_t c = 0; c < cases && !HasFailure(); ++c) {
                std::vector<std::pair<std::size_t, char>> changed; // put back after the case
                for (unsigned n = 1 + rng() % 4; n > 0; --n) {
                    const bool hot = rng() % 4 != 0;
                    const std::size_t from = hot ? target.hotFrom : 0,
                                      to = hot ? std::min(target.hotTo, file.size()) : file.size();
                    const std::size_t at = from + rng() % (to - from);
                    changed.emplace_back(at, file[at]);
                    file[at] =
                        static_cast<char>(rng() % 3 == 0 ? file[at] ^ (1 << rng() % 8) : rng());
                }
                if (rng() % 64 == 0) // now and then cut short
                    target.read(file.substr(0, rng() % file.size()));
                else
                    target.read(file);
                for (auto it = changed.rbegin(); it != changed.rend(); ++it)
                    file[it->first] = it->second;
            }
            std::printf("%s: %zu cases, seed %u\n", target.name, cases, seed);
        }
}

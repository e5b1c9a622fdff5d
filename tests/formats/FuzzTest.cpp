// Seeded mutation fuzzing of every reader: valid files with a few bytes changed, most of them in
// the structures the reader walks. Each case must end in pictures of the right size or reasons,
// with no fault under the sanitizers and no endless loop. ORVEL_FUZZ_CASES sets the count.
#include "FormatsTestSupport.h"
#include "formats/DiskImageFile.h"
#include "formats/Dos33Volume.h"
#include "formats/ImageWriters.h"
#include "formats/PackBytes.h"
#include "formats/ProdosVolume.h"
#include "formats/SectorOrder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace {

std::size_t FuzzCases() {
    const char* cases = std::getenv("ORVEL_FUZZ_CASES");
    return cases != nullptr ? std::strtoul(cases, nullptr, 10) : 100000;
}

void ExpectPicture(const Picture& picture) {
    if (picture.ok)
        EXPECT_EQ(picture.bytes.size(), picture.dhgr ? 16384u : 8192u);
    else
        EXPECT_FALSE(picture.error.empty());
}

// The volume readers straight on the file's bytes, so no case copies a whole disk.
void ReadVolume(FileSystem system, std::string_view data) {
    const bool dos = system == FileSystem::Dos33;
    const ImageCatalogue catalogue = dos ? listDos33Pictures(data) : listProdosPictures(data);
    for (const ImagePicture& picture : catalogue.pictures)
        ExpectPicture(dos ? readDos33Picture(data, picture) : readProdosPicture(data, picture));
}

struct Target {
    const char* name;
    std::string file;
    std::size_t hotFrom, hotTo; // where most mutations land
    std::function<void(const std::string&)> read;
};

std::vector<Target> Targets() {
    const std::string hgr = PictureBytes(21, 8192), dhgr = PictureBytes(22, 16384);
    const std::string dos = writers::dos33Image(
        {{"A", writers::binaryFile(hgr)}, {"B", writers::binaryFile(dhgr.substr(0, 8184))}});
    const std::string prodos = writers::prodosImage(
        280, {{"A", 0x06, 0, hgr},
              {"D/B", 0x08, 0x4000, packBytes(hgr.substr(6000) + std::string(6000, 0))},
              {"D/E/C", 0x06, 0, hgr, 3}});
    auto small = [](PictureKind kind) {
        return [kind](const std::string& file) {
            PictureKind found = kind;
            ExpectPicture(decodePicture(kind, file));
            ExpectPicture(decodeSmallFile(file, found));
        };
    };
    auto image = [](FileSystem system) {
        return [system](const std::string& file) {
            if (file.size() == kDiskII) ReadVolume(system, file);
        };
    };
    return {
        {"PackBytes", packBytes(hgr.substr(0, 4000) + std::string(4192, 0)), 0, 3000,
         small(PictureKind::HgrPackBytes)},
        {"PackBytes double", packBytes(dhgr), 0, 16000, small(PictureKind::DhgrPackBytes)},
        {"LZ4FH", writers::lz4fh(hgr.substr(0, 4000) + std::string(4184, 0)), 0, 4100,
         small(PictureKind::HgrLz4fh)},
        {"DOS 3.3", dos, 17 * 16 * 256, 19 * 16 * 256, image(FileSystem::Dos33)},
        {"ProDOS", prodos, 1024, 40 * 512, image(FileSystem::Prodos)},
        {"2IMG", writers::twoImg(prodos, 1), 0, 64 + 3072,
         [](const std::string& file) {
             const VolumeLocation found = locateVolume(file, "x.2mg");
             if (found.ok)
                 listProdosPictures(std::string_view(file).substr(found.offset, found.length));
         }},
    };
}

} // namespace

TEST(Fuzz, EveryReaderSurvivesMutatedFiles) {
    const std::size_t cases = FuzzCases();
    for (Target& target : Targets())
        for (const unsigned seed : Seeds(4242)) {
            SCOPED_TRACE(testing::Message() << target.name << ", seed " << seed);
            std::mt19937 rng(seed);
            const auto start = std::chrono::steady_clock::now();
            std::string& file = target.file;
            for (std::size_t c = 0; c < cases && !HasFailure(); ++c) {
                // A few bytes changed, then put back: no copy of the file per case.
                std::vector<std::pair<std::size_t, char>> changed;
                for (unsigned n = 1 + rng() % 4; n > 0; --n) {
                    const bool hot = rng() % 4 != 0;
                    const std::size_t from = hot ? target.hotFrom : 0;
                    const std::size_t span =
                        (hot ? std::min(target.hotTo, file.size()) : file.size()) - from;
                    const std::size_t at = from + rng() % span;
                    changed.emplace_back(at, file[at]);
                    file[at] =
                        static_cast<char>(rng() % 3 == 0 ? file[at] ^ (1 << rng() % 8) : rng());
                }
                const bool cut = rng() % 64 == 0; // cut short now and then
                if (cut)
                    target.read(file.substr(0, rng() % file.size()));
                else
                    target.read(file);
                for (auto it = changed.rbegin(); it != changed.rend(); ++it)
                    file[it->first] = it->second;
            }
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            std::printf("%s: %zu cases, seed %u, %.1f s\n", target.name, cases, seed, took.count());
        }
}

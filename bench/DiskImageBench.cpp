// Speed of disk images: an 800 KiB ProDOS image of 50 pictures (hi-res, double hi-res and
// packed, in five folders) listed from its file, and its 50 thumbnails drawn as the "Open Disk
// Image..." list draws them. Goals: the list within 20 ms, the thumbnails within 200 ms.
#include "BenchApplication.h"
#include "convert/DiskImageInputs.h"
#include "formats/ImageWriters.h"
#include "formats/PackBytes.h"
#include "view/OrvelWidget.h"
#include "view/PictureThumbnails.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <fstream>
#include <random>

namespace {

constexpr int kPictures = 50;

// The image, written once: every fifth picture packed, every third double hi-res.
struct ImageFile {
    ImageFile() {
        std::mt19937 rng(50);
        std::vector<writers::ProdosFile> files;
        for (int i = 0; i < kPictures; ++i) {
            std::string bytes(i % 3 == 0 ? 16384 : 8192, '\0');
            for (std::size_t b = 0; b < bytes.size() / 2; ++b) // a black lower half packs well
                bytes[b] = static_cast<char>(rng());
            const std::string name = "SET" + std::to_string(i / 10) + "/PIC" + std::to_string(i);
            if (i % 5 == 0)
                files.push_back({name, 0x08, bytes.size() == 8192 ? 0x4000u : 0x4001u,
                                 bytes.size() == 8192 ? packBytes(bytes)
                                                      : packBytes(bytes.substr(0, 8192)) +
                                                            packBytes(bytes.substr(8192))});
            else
                files.push_back({name, 0x06, 0x2000, bytes});
        }
        std::ofstream(path, std::ios::binary) << writers::prodosImage(1600, files);
    }
    QTemporaryDir dir;
    std::string path = dir.filePath("pictures.po").toStdString();
};

ImageFile& image() {
    static ImageFile file;
    return file;
}

void BM_ListDiskImage(benchmark::State& state) {
    for (auto _ : state) {
        const ImageInput input = readImageInput(image().path);
        if (input.catalogue.pictures.size() != kPictures) state.SkipWithError("not 50 pictures");
    }
    state.SetLabel("800 KiB ProDOS image, 50 pictures: read, opened, listed");
}
BENCHMARK(BM_ListDiskImage)->Unit(benchmark::kMillisecond);

void BM_DiskImageThumbnails(benchmark::State& state) {
    EnsureBenchApplication();
    OrvelWidget view; // the engine and palette in force: the view's defaults
    for (auto _ : state) {
        const ImageInput input = readImageInput(image().path);
        PictureThumbnails thumbnails(view.globalsRec);
        for (const ImagePicture& entry : input.catalogue.pictures)
            benchmark::DoNotOptimize(
                thumbnails.render(readImagePicture(input.image, entry), QSize(141, 96)));
    }
    state.SetLabel("the 50 pictures read, unpacked, rendered and scaled to 141 x 96");
}
BENCHMARK(BM_DiskImageThumbnails)->Unit(benchmark::kMillisecond);

} // namespace

// orvel-import-quality: the figures of the README's import table. Every test image is imported
// with every dither method and the plain way, for hi-res and double hi-res, through "Quen:
// Double" and "By the Book"; the mean blurred and unblurred CIEDE2000 errors are printed as
// Markdown. `--tune` sweeps the Best method's settings; `--png DIR` writes every render.
#include "../ImportTestImages.h"
#include "core/Core.h"
#include "import/Import.h"
#include "import/ScreenMapping.h"
#include "import/Search.h"

#include <QImage>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Engine {
    const char* name;
    bool quen;
    std::uint16_t scheme;
};
const Engine kEngines[] = {
    {"Quen: Double", true, 1}, {"By the Book", false, 1}, {"Composite (NTSC)", true, 3}};

struct Scene {
    ORVEL_GlobalsRec rec;
    Scene(const Engine& engine) {
        InitGlobalsRec(&rec);
        rec.quenEngine = engine.quen;
        rec.schemeType = engine.scheme;
        rec.dhgrColorOffset = 1;
    }
    ~Scene() { ReleaseGlobalsRec(&rec); }
};

struct Totals {
    double blurred = 0, unblurred = 0, milliseconds = 0;
    int count = 0;
    void add(const ImportError& e, double ms) {
        blurred += e.blurred;
        unblurred += e.unblurred;
        milliseconds += ms;
        ++count;
    }
};

double Now() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SavePng(const std::string& dir, const std::string& name, const ImportedPicture& picture,
             const ORVEL_GlobalsRec& settings) {
    ORVEL_GlobalsRec rec;
    InitGlobalsRec(&rec);
    std::memcpy(static_cast<void*>(&rec), &settings, kSettingsBlockSize);
    StorePicture(picture, rec);
    QImage image(kOffscreenDots, kLines, QImage::Format_RGBA8888);
    RenderPicture(&rec, RGBAStore{image.bits(), image.bytesPerLine()});
    image.scaled(kOffscreenDots, 2 * kLines)
        .save(QString::fromStdString(dir + "/" + name + ".png"));
    ReleaseGlobalsRec(&rec);
}

std::vector<ScreenImage> MappedImages(const std::vector<testimages::TestImage>& images) {
    std::vector<ScreenImage> mapped;
    for (const auto& image : images)
        mapped.push_back(MapToScreen(image.source(), FitMode::Fit, 0));
    return mapped;
}

void PrintTable(const char* png) {
    const auto images = testimages::AllTestImages();
    const auto mapped = MappedImages(images);
    if (png)
        for (const auto& image : images)
            QImage(image.rgba.data(), kMemoryDots, kLines, QImage::Format_RGBA8888)
                .scaled(kMemoryDots, 2 * kLines)
                .save(QString(png) + "/source " + QString::fromStdString(image.name) + ".png");
    for (const Engine& engine : kEngines) {
        Scene scene(engine);
        std::printf("\n%s\n\n| Dither | Hi-res blurred | Hi-res unblurred | ms | Double hi-res "
                    "blurred | Double hi-res unblurred | ms |\n|---|---|---|---|---|---|---|\n",
                    engine.name);
        std::vector<std::pair<std::string, Totals[2]>> rows;
        // -1: the plain way; then every method.
        for (int method = -1; method < static_cast<int>(AllDitherMethods().size()); ++method) {
            const DitherMethod dither = AllDitherMethods()[std::max(method, 0)];
            rows.emplace_back();
            rows.back().first = method < 0 ? "plain way" : DitherName(dither);
            for (int t = 0; t < 2; ++t) {
                const ImportTarget target = t ? ImportTarget::Dhgr : ImportTarget::Hgr;
                for (std::size_t i = 0; i < mapped.size(); ++i) {
                    const double start = Now();
                    const ImportedPicture picture =
                        method < 0 ? ImportThePlainWay(mapped[i], target, scene.rec)
                                   : ImportScreen(mapped[i], {target, dither}, scene.rec);
                    const double ms = Now() - start;
                    const ImportError error = MeasureImport(mapped[i], picture, scene.rec);
                    rows.back().second[t].add(error, ms);
                    if (png)
                        SavePng(png,
                                std::string(engine.name).substr(0, 4) + (t ? " dhgr " : " hgr ") +
                                    rows.back().first + " " + images[i].name,
                                picture, scene.rec);
                }
            }
            const Totals* row = rows.back().second;
            std::printf("| %s | %.2f | %.2f | %.0f | %.2f | %.2f | %.0f |\n",
                        rows.back().first.c_str(), row[0].blurred / row[0].count,
                        row[0].unblurred / row[0].count, row[0].milliseconds / row[0].count,
                        row[1].blurred / row[1].count, row[1].unblurred / row[1].count,
                        row[1].milliseconds / row[1].count);
        }
        std::printf("\nBest / plain way, blurred: hi-res %.3f, double hi-res %.3f\n",
                    rows[1].second[0].blurred / rows[0].second[0].blurred,
                    rows[1].second[1].blurred / rows[0].second[1].blurred);
    }
}

// One line per setting given as "kernel,damping,lookahead,chroma,passes,refineChroma[,carry,
// finalists]": the mean
// blurred error of each engine for the target (argument 2: 0 hi-res, 1 double hi-res).
void Tune(int argc, char** argv) {
    const auto mapped = MappedImages(testimages::AllTestImages());
    const int target = std::atoi(argv[2]);
    for (int a = 3; a < argc; ++a) {
        char kernel[32];
        SearchSettings search;
        int carry = 1;
        if (std::sscanf(argv[a], "%31[a-z],%f,%d,%f,%d,%f,%d,%d,%d", kernel, &search.damping,
                        &search.lookahead, &search.chromaWeight, &search.refinePasses,
                        &search.refineChroma, &carry, &search.finalists, &search.stride) < 6)
            continue;
        search.carry = carry != 0;
        DitherMethod method = DitherMethod::Floyd;
        DitherFromName(kernel, method);
        search.kernel = KernelTaps(method);
        std::printf("%-36s:", argv[a]);
        for (const Engine& engine : kEngines) {
            Scene scene(engine);
            SearchPicture(mapped[0], target ? ImportTarget::Dhgr : ImportTarget::Hgr, search,
                          scene.rec); // learns the model
            double sum = 0, ms = 0;
            for (const ScreenImage& image : mapped) {
                const double start = Now();
                const ImportedPicture picture = SearchPicture(
                    image, target ? ImportTarget::Dhgr : ImportTarget::Hgr, search, scene.rec);
                ms += Now() - start;
                sum += MeasureImport(image, picture, scene.rec).blurred;
            }
            std::printf("  %s %.3f (%.0f ms)", engine.name, sum / mapped.size(),
                        ms / mapped.size());
        }
        std::printf("\n");
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--tune") == 0) {
        Tune(argc, argv);
        return 0;
    }
    PrintTable(argc > 2 && std::strcmp(argv[1], "--png") == 0 ? argv[2] : nullptr);
    return 0;
}

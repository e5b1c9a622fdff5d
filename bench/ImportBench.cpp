// Speed of the import of a 560 x 192 image (the test images in turn), for each target, engine
// and pass. Goals: the full import (the default) within 250 ms, the preview's quick pass within
// 60 ms. The models are learnt before the timing; BM_ImportNewSettings times that learning too.
#include "ImportTestImages.h"
#include "core/Core.h"
#include "import/Import.h"
#include "import/ScreenMapping.h"

#include <benchmark/benchmark.h>

namespace {

const std::vector<ScreenImage>& Images() {
    static const std::vector<ScreenImage> images = [] {
        std::vector<ScreenImage> mapped;
        for (const auto& image : testimages::AllTestImages())
            mapped.push_back(MapToScreen(image.source(), FitMode::Fit, 0));
        return mapped;
    }();
    return images;
}

// Engine 0 "Quen: Double", 1 "By the Book", 2 "Composite (NTSC)".
struct BenchSettings {
    ORVEL_GlobalsRec rec;
    explicit BenchSettings(int engine) {
        InitGlobalsRec(&rec);
        rec.quenEngine = engine != 1;
        rec.schemeType = engine == 2 ? 3 : 1;
        rec.dhgrColorOffset = 1;
    }
    ~BenchSettings() { ReleaseGlobalsRec(&rec); }
};

const char* const kPasses[] = {"quick", "full (default)"};
const char* const kEngines[] = {"Quen: Double, ", "By the Book, ", "Composite (NTSC), "};

// Arguments: target (0 hi-res, 1 double hi-res), engine, pass (0 quick, 1 full).
void BM_Import(benchmark::State& state) {
    const BenchSettings settings(static_cast<int>(state.range(1)));
    ImportOptions options;
    options.target = state.range(0) ? ImportTarget::Dhgr : ImportTarget::Hgr;
    options.pass = static_cast<ImportPass>(state.range(2));
    ImportScreen(Images()[0], options, settings.rec); // learns the model
    std::size_t next = 0;
    for (auto _ : state) {
        const ImportedPicture picture =
            ImportScreen(Images()[next++ % Images().size()], options, settings.rec);
        benchmark::DoNotOptimize(picture.mainMem.data());
    }
    state.SetLabel(std::string(state.range(0) ? "DHGR " : "HGR ") + kEngines[state.range(1)] +
                   kPasses[state.range(2)]);
}
BENCHMARK(BM_Import)
    ->ArgsProduct({{0, 1}, {0, 1, 2}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// The preview's first quick pass after a change of palette: the engine's model is learnt again
// (each of the eight palettes in turn, more than are kept).
void BM_ImportNewSettings(benchmark::State& state) {
    BenchSettings settings(0);
    ImportOptions options;
    options.target = state.range(0) ? ImportTarget::Dhgr : ImportTarget::Hgr;
    options.pass = ImportPass::Quick;
    unsigned palette = 0;
    for (auto _ : state) {
        settings.rec.paletteType = static_cast<std::uint16_t>(palette++ % kPaletteCount);
        benchmark::DoNotOptimize(ImportScreen(Images()[1], options, settings.rec).mainMem.data());
    }
    state.SetLabel(state.range(0) ? "DHGR" : "HGR");
}
BENCHMARK(BM_ImportNewSettings)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A 4000 x 3000 photograph mapped to the screen (fit).
void BM_MapPhotograph(benchmark::State& state) {
    std::vector<std::uint8_t> pixels(4 * 4000 * 3000);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>(i * 2654435761u >> 24);
    const SourceImage source{pixels.data(), 4000, 3000, 4 * 4000};
    for (auto _ : state)
        benchmark::DoNotOptimize(MapToScreen(source, FitMode::Fit, 0).rgb.data());
}
BENCHMARK(BM_MapPhotograph)->Unit(benchmark::kMillisecond);

} // namespace

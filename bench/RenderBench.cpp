// Speed of the render path: a full busy picture through every engine in colour and in a
// one-bit palette, and a 200-segment pencil stroke. Goal: every full render within 100 µs.
#include "core/Core.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

namespace {

struct BenchRecord {
    BenchRecord(bool dhgr) {
        InitGlobalsRec(&rec);
        std::mt19937 rng(1);
        for (int i = 0; i < kBankSize; ++i) {
            rec.auxMem[i] = static_cast<std::uint8_t>(rng());
            rec.mainMem[i] = static_cast<std::uint8_t>(rng());
        }
        rec.isDHGR = dhgr;
    }
    ~BenchRecord() { ReleaseGlobalsRec(&rec); }
    ORVEL_GlobalsRec rec;
    std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(4 * kOffscreenDots * kLines);
};

// Engines 0..2 are the Quen schemes, 3 is "By the Book", 4 composite; depth 8 colour, 1 one-bit.
void BM_Render(benchmark::State& state) {
    static BenchRecord* records[2] = {new BenchRecord(false), new BenchRecord(true)};
    BenchRecord& b = *records[state.range(0)];
    const int engine = static_cast<int>(state.range(1));
    b.rec.quenEngine = engine != 3;
    b.rec.schemeType = static_cast<std::uint16_t>(engine < 3 ? engine : kCompositeScheme);
    b.rec.bmFinalDepth = static_cast<std::uint16_t>(state.range(2));
    b.rec.dhgrColorOffset = 1;
    const RGBAStore store{b.pixels.data(), 4 * kOffscreenDots};
    for (auto _ : state) {
        RenderPicture(&b.rec, store);
        benchmark::DoNotOptimize(b.pixels.data());
        benchmark::ClobberMemory();
    }
    static const char* names[] = {"Quen: Dunmere", "Quen: Double", "Quen: Sharp", "By the Book",
                                  "Composite (NTSC)"};
    state.SetLabel(std::string(state.range(0) ? "DHGR " : "HGR ") + names[engine] +
                   (state.range(2) == 1 ? ", one-bit" : ", colour"));
}
BENCHMARK(BM_Render)
    ->ArgsProduct({{0, 1}, {0, 1, 2, 3, 4}, {8, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", [](const std::vector<double>& v) {
        double m = v[0];
        for (double x : v)
            m = x < m ? x : m;
        return m;
    });

// The composite engine's tables, built from the model as at its first render. Goal: 10 ms.
void BM_CompositeTables(benchmark::State& state) {
    auto tables = std::make_unique<CompositeTables>();
    for (auto _ : state) {
        BuildCompositeTables(*tables);
        benchmark::DoNotOptimize(tables.get());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CompositeTables)->Unit(benchmark::kMicrosecond);

void BM_PencilStroke(benchmark::State& state) {
    BenchRecord b(true);
    globalsP = &b.rec;
    std::mt19937 rng(2);
    std::vector<Point> points;
    for (int i = 0; i <= 200; ++i)
        points.push_back(
            Point{static_cast<std::int16_t>(rng() % 192), static_cast<std::int16_t>(rng() % 560)});
    for (auto _ : state) {
        for (int i = 0; i < 200; ++i)
            DrawLine(points[i], points[i + 1]);
        benchmark::ClobberMemory();
    }
    state.SetLabel("200 random segments");
}
BENCHMARK(BM_PencilStroke)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

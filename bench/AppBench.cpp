// Switching the engine from the menu, as the user does it: the menu item triggered, the apply
// sequence run (render, swatches, check marks, preferences written and flushed), the view ready
// to paint. Goal: 2 ms, so trying engines and palettes feels instant.
#include "BenchApplication.h"
#include "app/MainWindow.h"
#include "core/Core.h"
#include "view/OrvelWidget.h"

#include <QAction>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <random>

namespace {

void BM_MenuEngineSwitch(benchmark::State& state) {
    EnsureBenchApplication();
    QTemporaryDir store; // the user's own preferences stay untouched
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
    MainWindow window;
    std::mt19937 rng(5);
    for (int i = 0; i < kBankSize; ++i) {
        window.pictureView->globalsRec->auxMem[i] = static_cast<std::uint8_t>(rng());
        window.pictureView->globalsRec->mainMem[i] = static_cast<std::uint8_t>(rng());
    }
    int item = 0;
    for (auto _ : state) {
        window.actionsById[static_cast<std::size_t>(item)]->trigger(); // engines 0..3 in turn
        benchmark::DoNotOptimize(window.pictureView->offscreenImage.constBits());
        item = (item + 1) % 4;
    }
    state.SetLabel("engine menu item to re-rendered view, preferences flushed");
}
BENCHMARK(BM_MenuEngineSwitch)->Unit(benchmark::kMicrosecond);

void BM_MenuPaletteSwitch(benchmark::State& state) {
    EnsureBenchApplication();
    QTemporaryDir store;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
    MainWindow window;
    int item = 12;
    for (auto _ : state) {
        window.actionsById[static_cast<std::size_t>(item)]->trigger(); // palettes 12..22
        item = item == 22 ? 12 : item + 1;
    }
    state.SetLabel("palette menu item to re-rendered view, preferences flushed");
}
BENCHMARK(BM_MenuPaletteSwitch)->Unit(benchmark::kMicrosecond);

} // namespace

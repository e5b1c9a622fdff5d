// One pencil move in the picture view at double size: the pointer mapped to memory, the segment
// drawn, and the whole picture rendered into the view's image. Goal: 0.3 ms, so drawing keeps up
// with any mouse rate.
#include "BenchApplication.h"
#include "core/Core.h"
#include "view/OrvelWidget.h"

#include <QMouseEvent>
#include <benchmark/benchmark.h>

#include <random>

namespace {

void BM_PencilMove(benchmark::State& state) {
    EnsureBenchApplication();
    OrvelWidget view;
    std::mt19937 rng(3);
    for (int i = 0; i < kBankSize; ++i) {
        view.globalsRec->auxMem[i] = static_cast<std::uint8_t>(rng());
        view.globalsRec->mainMem[i] = static_cast<std::uint8_t>(rng());
    }
    view.globalsRec->screenSize = 2;
    if (state.range(0) == 1) view.globalsRec->schemeType = kCompositeScheme;
    view.renderImage();
    const QPointF start(400, 300);
    QMouseEvent press(QEvent::MouseButtonPress, start, start, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &press);
    int step = 0;
    for (auto _ : state) {
        // Moves of a few dozen pixels, as a quick hand makes them.
        const QPointF at(400 + 30 * (step % 8), 300 + 12 * (step % 5));
        QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
        benchmark::DoNotOptimize(view.offscreenImage.constBits());
        ++step;
    }
    state.SetLabel(state.range(0) ? "double size, full render per move, Composite (NTSC)"
                                  : "double size, full render per move");
}
BENCHMARK(BM_PencilMove)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

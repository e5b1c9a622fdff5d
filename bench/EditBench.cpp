// Speed and memory of picture editing: a tool's preview per pointer move at 16x zoom (event to
// the repainted visible part), a whole-screen flood fill, undo or redo of a full-screen step,
// and the history's memory for 1 000 pencil strokes. Goals: 1 ms, 5 ms, 1 ms, 16 MiB.
#include "BenchApplication.h"
#include "core/Core.h"
#include "edit/FloodFill.h"
#include "edit/MemoryDiff.h"
#include "edit/ToolStroke.h"
#include "view/OrvelWidget.h"

#include <QImage>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

void FillRandom(ORVEL_GlobalsRec* rec, unsigned seed) {
    std::mt19937 rng(seed);
    for (int i = 0; i < kBankSize; ++i) {
        rec->auxMem[i] = static_cast<std::uint8_t>(rng());
        rec->mainMem[i] = static_cast<std::uint8_t>(rng());
    }
}

void SendMouse(QWidget* view, QEvent::Type type, QPointF at) {
    QMouseEvent event(type, at, at, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(view, &event);
}

// Argument: the tool (1 line, 5 filled ellipse). A 1200 x 800 window onto a 16x double hi-res
// picture at normal size: each move redraws the shape from the press and repaints that window.
void BM_ToolPreviewAt16x(benchmark::State& state) {
    EnsureBenchApplication();
    OrvelWidget view;
    FillRandom(view.globalsRec, 5);
    view.setZoom(16);
    view.setTool(static_cast<Tool>(state.range(0)));
    const QRect visible(4000, 2000, 1200, 800);
    QImage window(visible.size(), QImage::Format_RGB32);
    SendMouse(&view, QEvent::MouseButtonPress, QPointF(4100, 2100));
    int step = 0;
    for (auto _ : state) {
        SendMouse(&view, QEvent::MouseMove,
                  QPointF(4600 + 40 * (step % 9), 2500 + 30 * (step % 7)));
        view.render(&window, QPoint(), QRegion(visible));
        benchmark::DoNotOptimize(window.constBits());
        ++step;
    }
    SendMouse(&view, QEvent::MouseButtonRelease, QPointF(4600, 2500));
    state.SetLabel(ToolName(static_cast<Tool>(state.range(0))));
}
BENCHMARK(BM_ToolPreviewAt16x)->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond);

// Argument: 0 colour cells, 1 single dots (560 mode), 2 a hi-res picture kept hi-res. A black
// screen filled with white and back: every fill covers the whole screen.
void BM_FloodFillWholeScreen(benchmark::State& state) {
    ORVEL_GlobalsRec rec;
    InitGlobalsRec(&rec);
    rec.is560Mode = state.range(0) == 1;
    rec.isDHGR = state.range(0) != 2;
    int filled = 0;
    ORVEL_ColorType color = 15;
    for (auto _ : state) {
        filled = FloodFill(&rec, Point{96, 280}, color, true);
        color = color ? 0 : 15;
    }
    state.counters["cells"] = filled;
    ReleaseGlobalsRec(&rec);
}
BENCHMARK(BM_FloodFillWholeScreen)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// A step that changed every byte (one random picture replaced by another), undone and redone
// in turn, each time followed by the full render the view then shows.
void BM_UndoRedoFullScreen(benchmark::State& state) {
    ORVEL_GlobalsRec rec;
    InitGlobalsRec(&rec);
    FillRandom(&rec, 1);
    const ScreenState before = CaptureScreen(&rec);
    FillRandom(&rec, 2);
    const MemoryDiff step = MemoryDiff::Between(before, CaptureScreen(&rec));
    std::vector<std::uint8_t> pixels(4 * kOffscreenDots * kLines);
    bool undo = true;
    for (auto _ : state) {
        undo ? step.undo(&rec) : step.redo(&rec);
        RenderPicture(&rec, RGBAStore{pixels.data(), 4 * kOffscreenDots});
        undo = !undo;
    }
    state.counters["step KiB"] = step.bytes() / 1024.0;
    ReleaseGlobalsRec(&rec);
}
BENCHMARK(BM_UndoRedoFullScreen)->Unit(benchmark::kMicrosecond);

// 1 000 strokes of 20 moves each, a few dozen dots apart, as history steps; the counter is what
// the history holds (each step's runs plus the bound's allowance for its command).
void BM_HistoryOf1000Strokes(benchmark::State& state) {
    ORVEL_GlobalsRec rec;
    InitGlobalsRec(&rec);
    std::mt19937 rng(9);
    std::size_t total = 0;
    for (auto _ : state) {
        total = 0;
        ToolStroke stroke(&rec);
        for (int s = 0; s < 1000; ++s) {
            Point at{static_cast<std::int16_t>(rng() % 192),
                     static_cast<std::int16_t>(rng() % 560)};
            stroke.press(Tool::Pencil, at, ToolOptions{static_cast<ORVEL_ColorType>(rng() % 16)});
            for (int m = 0; m < 20; ++m) {
                at.v = static_cast<std::int16_t>(at.v + int(rng() % 13) - 6);
                at.h = static_cast<std::int16_t>(at.h + int(rng() % 41) - 20);
                stroke.move(at, false);
            }
            stroke.release(at, false);
            total += MemoryDiff::Between(stroke.before(), CaptureScreen(&rec)).bytes() +
                     kStepOverheadBytes;
        }
    }
    state.counters["MiB"] = total / 1048576.0;
    ReleaseGlobalsRec(&rec);
}
BENCHMARK(BM_HistoryOf1000Strokes)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

// Speed of orvel-convert's batch path: N random double hi-res pictures to PNG through one
// pipeline setup. Goal: 1000 pictures within 5 s, the time per picture the same for 100 and 1000.
#include "BenchApplication.h"
#include "convert/ConvertOptions.h"
#include "convert/PictureConverter.h"
#include "core/GlobalsRec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <random>

namespace {

constexpr int kMostPictures = 1000;

// kMostPictures seeded random double hi-res files and an output directory, made once.
struct PictureFolder {
    PictureFolder() {
        std::mt19937 rng(3);
        QByteArray bytes(2 * kBankSize, '\0');
        for (int i = 0; i < kMostPictures; ++i) {
            for (char& b : bytes)
                b = static_cast<char>(rng());
            const QString path = dir.filePath(QStringLiteral("p%1.dhgr").arg(i, 4, 10, QChar('0')));
            QFile file(path);
            if (file.open(QIODevice::WriteOnly)) file.write(bytes);
            inputs << path;
        }
        QDir(dir.path()).mkdir(QStringLiteral("out"));
    }
    QTemporaryDir dir;
    QStringList inputs;
};

void BM_ConvertToPng(benchmark::State& state) {
    EnsureBenchApplication();
    static PictureFolder folder;
    const int count = static_cast<int>(state.range(0));
    const QStringList arguments = QStringList{"orvel-convert", "-o", folder.dir.filePath("out")} +
                                  folder.inputs.mid(0, count);
    const CommandLine line = parseCommandLine(arguments);
    if (line.action != CommandAction::Convert) {
        state.SkipWithError(line.error.toStdString().c_str());
        return;
    }
    for (auto _ : state) {
        PictureConverter converter(line.options); // one pipeline setup for the batch
        for (const QString& input : line.options.inputs)
            if (!converter.convert(input).ok) state.SkipWithError("a conversion failed");
    }
    state.counters["per_picture"] = benchmark::Counter(
        count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetLabel("DHGR to 562 x 384 PNG");
}
BENCHMARK(BM_ConvertToPng)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertToPng)->Arg(kMostPictures)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

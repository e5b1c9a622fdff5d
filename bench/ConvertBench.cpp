// Speed of orvel-convert's batch path in process: N random double hi-res pictures to PNG through
// one pipeline on both cores. Whole-process figures (start included) come from convert_process.py.
#include "convert/BatchRunner.h"
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
            inputs.push_back(path.toStdString());
        }
        QDir(dir.path()).mkdir(QStringLiteral("out"));
    }
    QTemporaryDir dir;
    std::vector<std::string> inputs;
};

void BM_ConvertToPng(benchmark::State& state) {
    static PictureFolder folder;
    const int count = static_cast<int>(state.range(0));
    std::vector<std::string> arguments = {"orvel-convert", "-o",
                                          folder.dir.filePath("out").toStdString()};
    arguments.insert(arguments.end(), folder.inputs.begin(), folder.inputs.begin() + count);
    const CommandLine line = parseCommandLine(arguments);
    if (line.action != CommandAction::Convert) {
        state.SkipWithError(line.error.c_str());
        return;
    }
    const auto noHelper = [](std::string& error) -> const ConvertGuiHelper* {
        error = "not needed";
        return nullptr;
    };
    for (auto _ : state) {
        PictureConverter converter(line.options, noHelper); // one pipeline setup for the batch
        runBatch(converter, line.options.inputs, 2, [&](int, const ConversionResult& result) {
            if (!result.ok) state.SkipWithError("a conversion failed");
        });
    }
    state.counters["per_picture"] = benchmark::Counter(
        count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetLabel("DHGR to 562 x 384 PNG");
}
BENCHMARK(BM_ConvertToPng)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertToPng)->Arg(kMostPictures)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

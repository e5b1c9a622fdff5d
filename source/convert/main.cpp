// orvel-convert: renders and converts Apple II pictures, text screens and disk images' pictures
// without a window. Here live only the loop over the inputs, standard error and the status.
// Pictures never load Qt; the Qt helper is loaded for the first text screen or shown size.
#include "convert/BatchRunner.h"
#include "convert/ConvertOptions.h"
#include "convert/DiskImageConversion.h"
#include "convert/GuiHelperLoader.h"
#include "convert/PictureConverter.h"
#include "convert/ProgressLine.h"
#include "files/FileAccess.h"

#include <cerrno>
#include <cstdio>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kBadUsage = 2;

void printError(const std::string& text) {
    std::fputs(("orvel-convert: " + text + "\n").c_str(), stderr);
    std::fflush(stderr);
}

int reportUsageError(const std::string& error) {
    printError(error + "\nTry 'orvel-convert --help' for more information.");
    return kBadUsage;
}

// --help and --version: a standard output that cannot take the text (a full disk, /dev/full)
// is a failure.
int printToStandardOutput(const std::string& text) {
    const bool written = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
    if (written) return 0;
    printError("cannot write to standard output: " + systemReason(errno));
    return 1;
}

// For a batch, four writers a core: each output waits for the disk to take its data before it
// is renamed into place, and while one waits the others encode. None extra for one input (it
// would only cost the thread's start).
int workerCount(std::size_t inputs) {
    if (inputs < 2) return 0;
    const unsigned cores = std::thread::hardware_concurrency();
    return static_cast<int>(cores < 2 ? 4 : cores > 4 ? 16 : 4 * cores);
}

// Every input is tried; the status says whether any failed. Pictures in a row go through one
// batch; a disk image's pictures through one of their own, at the image's place in the order.
int convertAll(const ConvertOptions& options) {
    const ConvertGuiHelper* usedHelper = nullptr;
    PictureConverter converter(options, [&usedHelper](std::string& error) {
        usedHelper = loadGuiHelperModule(error);
        return usedHelper;
    });
    const int total = static_cast<int>(options.inputs.size());
    ProgressLine progress(stderr, total, total > 1 && isatty(STDERR_FILENO));
    bool anyFailed = false;
    std::vector<std::string> pictures;
    std::vector<int> numbers; // each picture's place among the inputs
    auto convertPictures = [&] {
        runBatch(converter, pictures, workerCount(pictures.size()),
                 [&](int index, const ConversionResult& result) {
                     const std::string& input = pictures[static_cast<std::size_t>(index)];
                     if (!result.warning.empty() || !result.ok) progress.clear();
                     if (!result.warning.empty())
                         printError(input + ": warning: " + result.warning);
                     if (!result.ok) printError(input + ": " + result.error);
                     if (result.ok && !result.note.empty()) {
                         progress.clear();
                         std::printf("%s: %s\n", input.c_str(), result.note.c_str());
                         std::fflush(stdout);
                     }
                     anyFailed = anyFailed || !result.ok;
                     progress.show(numbers[static_cast<std::size_t>(index)], fileNameOf(input));
                 });
        pictures.clear();
        numbers.clear();
    };
    for (int i = 0; i < total; ++i) {
        const std::string& input = options.inputs[static_cast<std::size_t>(i)];
        // Imported pictures are images of any kind, never disk images.
        const ImageInput image = options.importTarget ? ImageInput{} : readImageInput(input);
        if (!image.isImage) {
            pictures.push_back(input);
            numbers.push_back(i + 1);
            continue;
        }
        convertPictures();
        progress.show(i + 1, fileNameOf(input));
        const bool ok = convertImagePictures(converter, input, image, options,
                                             workerCount(image.catalogue.pictures.size()),
                                             [&](const std::string& line) {
                                                 progress.clear();
                                                 printError(input + ": " + line);
                                             });
        anyFailed = anyFailed || !ok;
    }
    convertPictures();
    progress.clear();
    if (usedHelper != nullptr) usedHelper->finish();
    return anyFailed ? 1 : 0;
}

// --list: the pictures of each image on standard output, what cannot be read on standard error.
int listAll(const ConvertOptions& options) {
    bool anyFailed = false;
    for (const std::string& input : options.inputs) {
        const ImageInput image = readImageInput(input);
        const auto fail = [&input](const std::string& line) { printError(input + ": " + line); };
        if (!image.isImage) fail("not a disk image");
        const std::string prefix = options.inputs.size() > 1 ? input + "\t" : std::string();
        anyFailed = !image.isImage || !listImagePictures(image, prefix, stdout, fail) || anyFailed;
    }
    if (std::ferror(stdout) != 0) {
        printError("cannot write to standard output");
        return 1;
    }
    return anyFailed ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    const CommandLine line = parseCommandLine(std::vector<std::string>(argv, argv + argc));
    switch (line.action) {
    case CommandAction::ShowHelp:
        return printToStandardOutput(helpText());
    case CommandAction::ShowVersion:
        return printToStandardOutput(versionText());
    case CommandAction::UsageError:
        return reportUsageError(line.error);
    case CommandAction::Convert:
        break;
    }
    return line.options.listPictures ? listAll(line.options) : convertAll(line.options);
}

// orvel-convert's command line as a plain struct, and the parser that fills it.
// Every usage error is found here, before the first input is touched, so bad usage writes nothing.
#pragma once

#include "convert/RenderSettings.h"
#include "import/Import.h"
#include "import/ScreenMapping.h"

#include <optional>
#include <string>
#include <vector>

enum class OutputFormat { Png, Hgr, Dhgr };

// raw: the 562 x 192 render; exported: the 562 x 384 "Save as PNG" image; half, normal and
// double: the picture as the view shows it at that size and the aspect in force; thumbnail: the
// exported image made to fit a square of thumbnailSize.
enum class OutputSize { Raw, Exported, Half, Normal, Double, Thumbnail };

// Paths are the bytes the system gave, so any name the file system holds works.
struct ConvertOptions {
    std::vector<std::string> inputs;
    std::string output;             // -o as given; empty: every output beside its input
    bool outputIsDirectory = false; // -o names an existing directory
    OutputFormat format = OutputFormat::Png;
    OutputSize size = OutputSize::Exported;
    RenderSettings settings;
    bool toDHGR = false;
    std::vector<bool> shiftsLeft;             // every --shift in order, true for left
    int thumbnailSize = 0;                    // --size N
    bool listPictures = false;                // --list: the pictures inside disk images
    std::optional<ImportTarget> importTarget; // --import: every input is an image
    DitherMethod dither = DitherMethod::Best;
    FitMode fit = FitMode::Fit;
    bool verbose = false; // -v: each import's measured error on standard output
};

enum class CommandAction { Convert, ShowHelp, ShowVersion, UsageError };

struct CommandLine {
    CommandAction action = CommandAction::UsageError;
    ConvertOptions options;
    std::string error; // the usage error, without the program's name
};

// `arguments` starts with the program's name, as argv does. Long options take their value as
// "--name value" or "--name=value", -o as "-o value" or "-ovalue"; "--" ends the options; the
// last value of an option wins, except --shift, which adds up.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// What --help and --version print.
std::string helpText();
std::string versionText();

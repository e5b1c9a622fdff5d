// Parsing orvel-convert's options: the line is split into option values first, then each value
// is checked and turned into record settings. The first bad value stops the parse, naming it.
#include "convert/ConvertOptions.h"

#include "convert/OutputNaming.h"
#include "core/CompositeColor.h"
#include "files/FileAccess.h"

#include <cctype>
#include <cstdlib>
#include <map>

namespace {

using Names = std::vector<std::string>;

const Names kEngines = {"dunmere", "double", "sharp", "book", "composite"};
constexpr int kBookEngine = 3;
const Names kPalettes = {"Dunmere", "DeBabelizer", "Quen's TV",    "Tobrel",
                         "Pell",    "Canon DV",    "IREZ CapSure", "IIGS"};
const Names kMonoPalettes = {"white", "green", "amber"};
const Names kFormats = {"png", "hgr", "dhgr"};
const Names kSizes = {"raw", "export", "half", "normal", "double"};
const Names kAspects = {"1.0", "0.9", "0.84"};
const Names kOffsets = {"0", "1"};
const Names kShifts = {"left", "right"};
const Names kImportTargets = {"hgr", "dhgr"};
const Names kFits = {"fit", "fill", "stretch"};

// Options that take a value, and those that do not.
const Names kValueOptions = {"output", "format",      "engine", "palette", "mono",   "size",
                             "aspect", "dhgr-offset", "shift",  "import",  "dither", "fit"};
const Names kFlagOptions = {"no-bit-shifting", "to-dhgr", "list", "help", "version", "verbose"};
// A thumbnail's largest side, as --size takes it (a file manager asks for 128 to 1024).
constexpr int kLargestThumbnail = 4096;

bool contains(const Names& names, const std::string& name) {
    for (const std::string& n : names)
        if (n == name) return true;
    return false;
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

int indexOfName(const std::string& text, const Names& names) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (sameIgnoringCase(text, names[i])) return static_cast<int>(i);
    return -1;
}

std::string joined(const Names& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string unknownValue(const std::string& option, const std::string& what,
                         const std::string& value, const std::string& choices) {
    return "--" + option + ": unknown " + what + " \"" + value + "\" (" + choices + ")";
}

// The line split up: every value of every option, in order, and the inputs.
struct SplitLine {
    std::map<std::string, Names> values; // flags hold one empty value per use
    Names positional;
    std::string error;

    bool isSet(const std::string& name) const { return values.count(name) != 0; }
    std::string last(const std::string& name) const {
        return isSet(name) ? values.at(name).back() : std::string();
    }
};

// Reads one option at arguments[i]; i moves past its value.
bool splitOption(const Names& arguments, std::size_t& i, SplitLine& line) {
    const std::string& argument = arguments[i];
    std::string name, value;
    bool hasValue = false;
    if (argument.compare(0, 2, "--") == 0) {
        name = argument.substr(2);
        const std::size_t equals = name.find('=');
        if (equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
            hasValue = true;
        }
    } else {
        // Short options: -h, -o PATH, -oPATH.
        const char letter = argument[1];
        name = letter == 'o'   ? "output"
               : letter == 'h' ? "help"
               : letter == 'v' ? "verbose"
                               : std::string(1, letter);
        if (letter == 'o' && argument.size() > 2) {
            value = argument.substr(2);
            hasValue = true;
        } else if (argument.size() > 2) {
            line.error = "Unknown option '" + argument.substr(1) + "'.";
            return false;
        }
    }
    if (contains(kFlagOptions, name)) {
        if (hasValue) {
            line.error = "Unexpected value after '" + argument.substr(0, argument.find('=')) + "'.";
            return false;
        }
        line.values[name].push_back(std::string());
        return true;
    }
    if (!contains(kValueOptions, name)) {
        line.error = "Unknown option '" + name + "'.";
        return false;
    }
    if (!hasValue) {
        if (i + 1 >= arguments.size()) {
            line.error = "Missing value after '" + argument + "'.";
            return false;
        }
        value = arguments[++i];
    }
    line.values[name].push_back(value);
    return true;
}

SplitLine split(const Names& arguments) {
    SplitLine line;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            line.positional.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (!splitOption(arguments, i, line)) {
            break;
        }
    }
    return line;
}

// Reads the options' values into the options, or says what is wrong with them.
class OptionReader {
public:
    OptionReader(const SplitLine& line, ConvertOptions& options) : line_(line), options_(options) {}

    bool readAll() {
        return readEngine() && readPalette() && readMono() && readOffset() && readSize() &&
               readAspect() && readShifts() && readImport() && readFormat();
    }

    std::string error;

private:
    // The last value given for `option`, as an index into `names`; -1 when the option is absent.
    bool choice(const std::string& option, const std::string& what, const Names& names,
                int& index) {
        index = -1;
        if (!line_.isSet(option)) return true;
        const std::string value = line_.last(option);
        index = indexOfName(value, names);
        if (index < 0) error = unknownValue(option, what, value, joined(names));
        return index >= 0;
    }

    bool readEngine() {
        int engine = -1;
        if (!choice("engine", "engine", kEngines, engine)) return false;
        RenderSettings& settings = options_.settings;
        // Every engine but "By the Book" colours the dot picture, chosen by its scheme.
        if (engine >= 0) settings.quenEngine = engine != kBookEngine;
        if (engine >= 0 && engine != kBookEngine)
            settings.schemeType =
                static_cast<std::uint16_t>(engine < 3 ? engine : kCompositeScheme);
        if (line_.isSet("no-bit-shifting")) settings.bitShifting = false;
        return true;
    }

    bool readPalette() {
        if (!line_.isSet("palette")) return true;
        const std::string value = trimmed(line_.last("palette"));
        int palette = indexOfName(value, kPalettes);
        if (value.size() == 1 && value[0] >= '0' && value[0] < '0' + kPaletteCount)
            palette = value[0] - '0';
        if (palette < 0) {
            error = unknownValue("palette", "palette", value, "0-7 or " + joined(kPalettes));
            return false;
        }
        options_.settings.paletteType = static_cast<std::uint16_t>(palette);
        return true;
    }

    bool readMono() {
        int mono = -1;
        if (!choice("mono", "one-bit palette", kMonoPalettes, mono)) return false;
        if (mono >= 0) options_.settings.oneBitPalette = static_cast<std::uint16_t>(mono);
        return true;
    }

    bool readOffset() {
        int offset = -1;
        if (!choice("dhgr-offset", "offset", kOffsets, offset)) return false;
        if (offset >= 0) options_.settings.dhgrColorOffset = static_cast<std::int16_t>(offset);
        return true;
    }

    bool readSize() {
        const std::string value = line_.last("size");
        if (!value.empty() && value.find_first_not_of("0123456789") == std::string::npos) {
            const long side = value.size() > 5 ? 0 : std::strtol(value.c_str(), nullptr, 10);
            if (side < 1 || side > kLargestThumbnail) {
                error = "--size: a thumbnail of " + value + " is not 1 to 4096 dots";
                return false;
            }
            options_.size = OutputSize::Thumbnail;
            options_.thumbnailSize = static_cast<int>(side);
            return true;
        }
        int size = -1;
        if (!choice("size", "size", kSizes, size)) {
            error = unknownValue("size", "size", value, joined(kSizes) + " or a thumbnail's dots");
            return false;
        }
        if (size < 0) return true;
        options_.size = static_cast<OutputSize>(size);
        if (size >= 2) options_.settings.screenSize = static_cast<std::uint16_t>(size - 2);
        return true;
    }

    bool readAspect() {
        if (line_.last("aspect") == "1") {
            options_.settings.aspectCorrect = 0;
            return true;
        }
        int aspect = -1;
        if (!choice("aspect", "aspect", kAspects, aspect)) return false;
        if (aspect >= 0) options_.settings.aspectCorrect = static_cast<std::uint16_t>(aspect);
        return true;
    }

    bool readShifts() {
        if (line_.isSet("shift"))
            for (const std::string& value : line_.values.at("shift")) {
                const int direction = indexOfName(value, kShifts);
                if (direction < 0) {
                    error = unknownValue("shift", "direction", value, joined(kShifts));
                    return false;
                }
                options_.shiftsLeft.push_back(direction == 0);
            }
        options_.toDHGR = line_.isSet("to-dhgr");
        return true;
    }

    bool readImport() {
        int target = -1, fit = -1;
        if (!choice("import", "target", kImportTargets, target) ||
            !choice("fit", "fit", kFits, fit))
            return false;
        if (target >= 0)
            options_.importTarget = target == 0 ? ImportTarget::Hgr : ImportTarget::Dhgr;
        if (fit >= 0) options_.fit = static_cast<FitMode>(fit);
        if (line_.isSet("dither") && !DitherFromName(line_.last("dither"), options_.dither)) {
            Names methods;
            for (DitherMethod method : AllDitherMethods())
                methods.push_back(DitherName(method));
            error = unknownValue("dither", "method", line_.last("dither"), joined(methods));
            return false;
        }
        options_.verbose = line_.isSet("verbose");
        if (target < 0 && (line_.isSet("dither") || line_.isSet("fit"))) {
            error = "--dither and --fit choose how an image is imported: give --import too";
            return false;
        }
        return true;
    }

    // An explicit --format wins; else the extension of an -o file name; else png, or for an
    // import the screen memory it makes.
    bool readFormat() {
        int format = -1;
        if (!choice("format", "format", kFormats, format)) return false;
        if (format >= 0) {
            options_.format = static_cast<OutputFormat>(format);
        } else {
            std::optional<OutputFormat> named;
            if (!options_.output.empty() && !options_.outputIsDirectory)
                named = formatForName(options_.output);
            const OutputFormat memory =
                options_.importTarget == ImportTarget::Hgr ? OutputFormat::Hgr : OutputFormat::Dhgr;
            options_.format = named ? *named : options_.importTarget ? memory : OutputFormat::Png;
        }
        return true;
    }

    const SplitLine& line_;
    ConvertOptions& options_;
};

CommandLine usageError(const std::string& error) {
    CommandLine line;
    line.action = CommandAction::UsageError;
    line.error = error;
    return line;
}

// Checks that need the whole line: an -o that names something, inputs present, -o fitting
// their number.
std::string inputsProblem(const SplitLine& line, const ConvertOptions& options) {
    if (line.isSet("output") && options.output.empty())
        return "--output: the path is empty (leave -o out to write beside the inputs)";
    if (options.inputs.empty()) return "no input files";
    if (options.inputs.size() > 1 && !options.output.empty() && !options.outputIsDirectory)
        return "--output: \"" + options.output +
               "\" is not an existing directory, which several inputs need";
    return std::string();
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    const SplitLine split_ = split(arguments);
    if (!split_.error.empty()) return usageError(split_.error);

    CommandLine line;
    if (split_.isSet("help") || split_.isSet("version")) {
        line.action = split_.isSet("help") ? CommandAction::ShowHelp : CommandAction::ShowVersion;
        return line;
    }
    ConvertOptions& options = line.options;
    options.inputs = split_.positional;
    options.output = split_.last("output");
    options.outputIsDirectory = !options.output.empty() && isDirectory(options.output);
    options.listPictures = split_.isSet("list");

    OptionReader reader(split_, options);
    if (!reader.readAll()) return usageError(reader.error);
    const std::string problem = inputsProblem(split_, options);
    if (!problem.empty()) return usageError(problem);
    line.action = CommandAction::Convert;
    return line;
}

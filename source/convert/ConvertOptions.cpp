// Parsing orvel-convert's options: Qt's parser splits the line, then each value is checked and
// turned into record settings. The first bad value stops the parse with a message naming it.
#include "convert/ConvertOptions.h"

#include "convert/OutputNaming.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace {

const QStringList kEngines = {"dunmere", "double", "sharp", "book"};
const QStringList kPalettes = {"Dunmere", "DeBabelizer", "Quen's TV",    "Tobrel",
                               "Pell",    "Canon DV",    "IREZ CapSure", "IIGS"};
const QStringList kMonoPalettes = {"white", "green", "amber"};
const QStringList kFormats = {"png", "hgr", "dhgr"};
const QStringList kSizes = {"raw", "export", "half", "normal", "double"};
const QStringList kAspects = {"1.0", "0.9", "0.84"};
const QStringList kOffsets = {"0", "1"};
const QStringList kShifts = {"left", "right"};

QList<QCommandLineOption> optionList() {
    return {
        {{"o", "output"}, "", "PATH"},
        {"format", "", "FORMAT"},
        {"engine", "", "ENGINE"},
        {"no-bit-shifting", ""},
        {"palette", "", "PALETTE"},
        {"mono", "", "COLOUR"},
        {"dhgr-offset", "", "N"},
        {"size", "", "SIZE"},
        {"aspect", "", "ASPECT"},
        {"shift", "", "DIRECTION"},
        {"to-dhgr", ""},
        {{"h", "help"}, ""},
        {"version", ""},
    };
}

int indexOfName(const QString& text, const QStringList& names) {
    for (int i = 0; i < names.size(); ++i)
        if (text.compare(names[i], Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QString unknownValue(const QString& option, const QString& what, const QString& value,
                     const QString& choices) {
    return QStringLiteral("--%1: unknown %2 \"%3\" (%4)").arg(option, what, value, choices);
}

// Reads one option's values into the options, or says what is wrong with them.
class OptionReader {
public:
    OptionReader(const QCommandLineParser& parser, ConvertOptions& options)
        : parser_(parser), options_(options) {}

    bool readAll() {
        return readEngine() && readPalette() && readMono() && readOffset() && readSize() &&
               readAspect() && readShifts() && readFormat();
    }

    QString error;

private:
    // The last value given for `option`, as an index into `names`; -1 when the option is absent.
    bool choice(const QString& option, const QString& what, const QStringList& names, int& index) {
        index = -1;
        if (!parser_.isSet(option)) return true;
        const QString value = parser_.value(option);
        index = indexOfName(value, names);
        if (index < 0) error = unknownValue(option, what, value, names.join(", "));
        return index >= 0;
    }

    bool readEngine() {
        int engine = -1;
        if (!choice("engine", "engine", kEngines, engine)) return false;
        RenderSettings& settings = options_.settings;
        if (engine >= 0) settings.quenEngine = engine < 3;
        if (engine >= 0 && engine < 3) settings.schemeType = static_cast<std::uint16_t>(engine);
        if (parser_.isSet("no-bit-shifting")) settings.bitShifting = false;
        return true;
    }

    bool readPalette() {
        if (!parser_.isSet("palette")) return true;
        const QString value = parser_.value("palette").trimmed();
        int palette = indexOfName(value, kPalettes);
        bool number = false;
        const int asNumber = value.toInt(&number);
        if (number && asNumber >= 0 && asNumber < kPaletteCount) palette = asNumber;
        if (palette < 0) {
            error = unknownValue("palette", "palette", value, "0-7 or " + kPalettes.join(", "));
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
        int size = -1;
        if (!choice("size", "size", kSizes, size)) return false;
        if (size < 0) return true;
        options_.size = static_cast<OutputSize>(size);
        if (size >= 2) options_.settings.screenSize = static_cast<std::uint16_t>(size - 2);
        return true;
    }

    bool readAspect() {
        if (parser_.value("aspect") == QLatin1String("1")) {
            options_.settings.aspectCorrect = 0;
            return true;
        }
        int aspect = -1;
        if (!choice("aspect", "aspect", kAspects, aspect)) return false;
        if (aspect >= 0) options_.settings.aspectCorrect = static_cast<std::uint16_t>(aspect);
        return true;
    }

    bool readShifts() {
        for (const QString& value : parser_.values("shift")) {
            const int direction = indexOfName(value, kShifts);
            if (direction < 0) {
                error = unknownValue("shift", "direction", value, kShifts.join(", "));
                return false;
            }
            options_.shiftsLeft.push_back(direction == 0);
        }
        options_.toDHGR = parser_.isSet("to-dhgr");
        return true;
    }

    // An explicit --format wins; else the extension of an -o file name; else png.
    bool readFormat() {
        int format = -1;
        if (!choice("format", "format", kFormats, format)) return false;
        if (format >= 0) {
            options_.format = static_cast<OutputFormat>(format);
        } else if (!options_.output.isEmpty() && !options_.outputIsDirectory) {
            options_.format = formatForName(options_.output).value_or(OutputFormat::Png);
        }
        return true;
    }

    const QCommandLineParser& parser_;
    ConvertOptions& options_;
};

CommandLine usageError(const QString& error) {
    CommandLine line;
    line.action = CommandAction::UsageError;
    line.error = error;
    return line;
}

// Checks that need the whole line: inputs present, -o fitting their number.
QString inputsProblem(const ConvertOptions& options) {
    if (options.inputs.isEmpty()) return QStringLiteral("no input files");
    if (options.inputs.size() > 1 && !options.output.isEmpty() && !options.outputIsDirectory)
        return QStringLiteral("--output: \"%1\" is not an existing directory, which several "
                              "inputs need")
            .arg(options.output);
    return QString();
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOptions(optionList());
    if (!parser.parse(arguments)) return usageError(parser.errorText());

    CommandLine line;
    if (parser.isSet("help") || parser.isSet("version")) {
        line.action = parser.isSet("help") ? CommandAction::ShowHelp : CommandAction::ShowVersion;
        return line;
    }
    ConvertOptions& options = line.options;
    options.inputs = parser.positionalArguments();
    options.output = parser.value("output");
    options.outputIsDirectory = !options.output.isEmpty() && QFileInfo(options.output).isDir();

    OptionReader reader(parser, options);
    if (!reader.readAll()) return usageError(reader.error);
    const QString problem = inputsProblem(options);
    if (!problem.isEmpty()) return usageError(problem);
    line.action = CommandAction::Convert;
    return line;
}

// Output names and formats. The derived name keeps everything of the input's name but its last
// extension, so "pair.hgr" becomes "pair.png" and "SHIP" becomes "SHIP.png".
#include "convert/OutputNaming.h"

#include "files/FileAccess.h"

#include <cctype>

namespace {

// The text after the file name's last '.', lower case; empty when there is none.
std::string suffixOf(const std::string& path) {
    const std::string name = fileNameOf(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) return std::string();
    std::string suffix = name.substr(dot + 1);
    for (char& c : suffix)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return suffix;
}

} // namespace

std::optional<OutputFormat> formatForName(const std::string& path) {
    const std::string suffix = suffixOf(path);
    if (suffix == "png") return OutputFormat::Png;
    if (suffix == "hgr") return OutputFormat::Hgr;
    if (suffix == "dgr" || suffix == "dhgr") return OutputFormat::Dhgr;
    return std::nullopt;
}

std::string extensionFor(OutputFormat format) {
    switch (format) {
    case OutputFormat::Hgr:
        return ".hgr";
    case OutputFormat::Dhgr:
        return ".dgr";
    case OutputFormat::Png:
        break;
    }
    return ".png";
}

std::string derivedOutputName(const std::string& input, OutputFormat format) {
    const std::string name = fileNameOf(input);
    const std::size_t dot = name.rfind('.');
    // A name that is all extension (".hgr") keeps it rather than becoming just ".png".
    const std::string base = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
    return base + extensionFor(format);
}

std::string outputPathFor(const std::string& input, const ConvertOptions& options) {
    if (!options.output.empty() && !options.outputIsDirectory) return options.output;
    const std::string name = derivedOutputName(input, options.format);
    if (!options.outputIsDirectory) return directoryPartOf(input) + name; // beside the input
    const std::string& directory = options.output;
    return directory.back() == '/' ? directory + name : directory + '/' + name;
}

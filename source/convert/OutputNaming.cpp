// Output names and formats. The derived name keeps everything of the input's name but its last
// extension, so "pair.hgr" becomes "pair.png" and "SHIP" becomes "SHIP.png".
#include "convert/OutputNaming.h"

#include <QDir>
#include <QFileInfo>

std::optional<OutputFormat> formatForName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return OutputFormat::Png;
    if (suffix == QLatin1String("hgr")) return OutputFormat::Hgr;
    if (suffix == QLatin1String("dgr") || suffix == QLatin1String("dhgr"))
        return OutputFormat::Dhgr;
    return std::nullopt;
}

QString extensionFor(OutputFormat format) {
    switch (format) {
    case OutputFormat::Hgr:
        return QStringLiteral(".hgr");
    case OutputFormat::Dhgr:
        return QStringLiteral(".dgr");
    case OutputFormat::Png:
        break;
    }
    return QStringLiteral(".png");
}

QString derivedOutputName(const QString& input, OutputFormat format) {
    const QFileInfo info(input);
    // A name that is all extension (".hgr") keeps it rather than becoming just ".png".
    const QString base = info.completeBaseName();
    return (base.isEmpty() ? info.fileName() : base) + extensionFor(format);
}

QString outputPathFor(const QString& input, const ConvertOptions& options) {
    if (!options.output.isEmpty() && !options.outputIsDirectory) return options.output;
    const QString name = derivedOutputName(input, options.format);
    if (options.outputIsDirectory) return QDir(options.output).filePath(name);
    // Beside the input, spelled as the input was: "pic.hgr" gives "pic.png", not "./pic.png".
    return input.left(input.lastIndexOf(QLatin1Char('/')) + 1) + name;
}

QString sameFileKey(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty()) return canonical;
    const QString directory = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (!directory.isEmpty()) return directory + QLatin1Char('/') + info.fileName();
    return info.absoluteFilePath();
}

// orvel-convert: renders and converts Apple II pictures and text screens without a window.
// Here live only the application object, the loop over the inputs, standard error and the status.
#include "convert/ConvertOptions.h"
#include "convert/PictureConverter.h"
#include "convert/ProgressLine.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kBadUsage = 2;

// Standard error carries the program's own lines only: Qt's notes about the offscreen platform
// (a missing runtime directory, font fallbacks) are dropped, its errors kept.
void keepQtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "orvel-convert: %s\n", message.toLocal8Bit().constData());
}

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void printLine(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

int reportUsageError(const QString& error) {
    printLine(stderr, QStringLiteral("orvel-convert: %1\nTry 'orvel-convert --help' for more "
                                     "information.\n")
                          .arg(error));
    return kBadUsage;
}

// Every input is tried; the status says whether any failed.
int convertAll(const ConvertOptions& options) {
    PictureConverter converter(options);
    const int total = static_cast<int>(options.inputs.size());
    ProgressLine progress(stderr, total, total > 1 && isatty(STDERR_FILENO));
    bool anyFailed = false;
    for (int i = 0; i < total; ++i) {
        const QString& input = options.inputs[i];
        progress.show(i + 1, QFileInfo(input).fileName());
        const ConversionResult result = converter.convert(input);
        if (result.ok) continue;
        anyFailed = true;
        progress.clear();
        printLine(stderr, QStringLiteral("orvel-convert: %1: %2\n").arg(input, result.error));
    }
    progress.clear();
    return anyFailed ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    const CommandLine line = parseCommandLine(argumentsOf(argc, argv));
    switch (line.action) {
    case CommandAction::ShowHelp:
        printLine(stdout, helpText());
        return 0;
    case CommandAction::ShowVersion:
        printLine(stdout, versionText());
        return 0;
    case CommandAction::UsageError:
        return reportUsageError(line.error);
    case CommandAction::Convert:
        break;
    }

    // The application sees only these arguments, so no display is ever needed and none of the
    // user's arguments is taken for a Qt option.
    qInstallMessageHandler(keepQtErrorsOnly);
    static char platformOption[] = "-platform";
    static char offscreen[] = "offscreen";
    char* appArguments[] = {argv[0], platformOption, offscreen, nullptr};
    int appArgumentCount = 3;
    QGuiApplication app(appArgumentCount, appArguments);
    QGuiApplication::setApplicationName(QStringLiteral("orvel-convert"));
    QGuiApplication::setOrganizationName(QStringLiteral("ferncastle"));
    return convertAll(line.options);
}

// Helpers of the orvel-convert tests: seeded pictures in a temporary directory, conversions
// through the library (with the Qt helper linked in), and runs of the real executable.
#pragma once

#include "convert/ConvertOptions.h"
#include "convert/PictureConverter.h"
#include "core/Core.h"

#include "support/TestFiles.h"
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline std::vector<std::string> Arguments(const QStringList& arguments) {
    std::vector<std::string> line = {"orvel-convert"};
    for (const QString& argument : arguments)
        line.push_back(argument.toStdString());
    return line;
}

inline const ConvertGuiHelper* LinkedHelper(std::string&) {
    return orvelConvertGuiHelper();
}

// Parses `arguments` and converts every input through one converter, as the executable does.
inline std::vector<ConversionResult> RunConverter(const QStringList& arguments) {
    const CommandLine line = parseCommandLine(Arguments(arguments));
    EXPECT_EQ(line.action, CommandAction::Convert) << line.error;
    std::vector<ConversionResult> results;
    if (line.action != CommandAction::Convert) return results;
    PictureConverter converter(line.options, LinkedHelper);
    for (const std::string& input : line.options.inputs)
        results.push_back(converter.convert(input));
    return results;
}

// Converts one input and returns the decoded output image in RGBA (null on failure, reported).
inline QImage ConvertToImage(const QStringList& arguments) {
    const std::vector<ConversionResult> results = RunConverter(arguments);
    if (results.size() != 1 || !results[0].ok) {
        ADD_FAILURE() << "conversion failed: "
                      << (results.empty() ? "no result" : results[0].error);
        return QImage();
    }
    return QImage(QString::fromStdString(results[0].output))
        .convertToFormat(QImage::Format_RGBA8888);
}

// A temporary directory with a seeded hi-res and a seeded double hi-res picture.
struct PictureDir {
    PictureDir() {
        EXPECT_TRUE(WriteFile(hgr(), SeededBytes(kSeed, kBankSize)));
        EXPECT_TRUE(WriteFile(dhgr(), SeededBytes(kSeed + 1, 2 * kBankSize)));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString hgr() const { return path("picture.hgr"); }
    QString dhgr() const { return path("picture.dhgr"); }
    QStringList entries(const QString& sub = ".") const {
        return QDir(path(sub)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                         QDir::Name);
    }

    static constexpr unsigned kSeed = 20240611;
    QTemporaryDir dir;
};

struct ProcessRun {
    int status = -1;
    QString out;
    QStringList errorLines;
};

// Runs `program` (orvel-convert by default) in `directory`; standard output to `outputFile`
// when given.
inline ProcessRun RunExecutable(const QStringList& arguments, const QString& directory,
                                const QString& program = ORVEL_CONVERT_EXE,
                                const QString& outputFile = QString()) {
    QProcess process;
    process.setWorkingDirectory(directory);
    if (!outputFile.isEmpty()) process.setStandardOutputFile(outputFile);
    process.start(program, arguments);
    ProcessRun run;
    if (!process.waitForFinished(60000)) {
        ADD_FAILURE() << "orvel-convert did not finish";
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.errorLines = QString::fromLocal8Bit(process.readAllStandardError())
                         .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return run;
}

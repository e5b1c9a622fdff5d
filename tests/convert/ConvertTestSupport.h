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

inline CommandLine Parse(const QStringList& arguments) {
    std::vector<std::string> line = {"orvel-convert"};
    for (const QString& argument : arguments)
        line.push_back(argument.toStdString());
    return parseCommandLine(line);
}

// Converts one input as the executable does: what it wrote, as bytes or as an image.
inline ConversionResult Convert(const QStringList& arguments) {
    const CommandLine line = Parse(arguments);
    EXPECT_EQ(line.action, CommandAction::Convert) << line.error;
    if (line.options.inputs.size() != 1) return {};
    PictureConverter converter(line.options, [](std::string&) { return orvelConvertGuiHelper(); });
    const ConversionResult result = converter.convert(line.options.inputs[0]);
    EXPECT_TRUE(result.ok) << result.error;
    return result;
}
inline QByteArray ConvertToBytes(const QStringList& arguments) {
    return ReadFile(QString::fromStdString(Convert(arguments).output));
}
inline QImage ConvertToImage(const QStringList& arguments) {
    return QImage(QString::fromStdString(Convert(arguments).output))
        .convertToFormat(QImage::Format_RGB32);
}

// A temporary directory with a seeded hi-res and a seeded double hi-res picture.
struct PictureDir {
    static constexpr unsigned kSeed = 20240611;
    QTemporaryDir dir;
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
};

struct ProcessRun {
    int status;
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
    EXPECT_TRUE(process.waitForFinished(60000)) << "orvel-convert did not finish";
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts)};
}

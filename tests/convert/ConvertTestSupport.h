// Helpers of the orvel-convert tests: seeded pictures and text screens in a temporary directory,
// one conversion through the library, and a dot-for-dot RGB comparison of two images.
#pragma once

#include "convert/ConvertOptions.h"
#include "convert/PictureConverter.h"
#include "core/Core.h"

#include "support/TestFiles.h"
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

inline QByteArray Bank(const std::uint8_t* bank) {
    return QByteArray(reinterpret_cast<const char*>(bank), kBankSize);
}

// Parses `arguments` (after the program's name) and converts every input through one converter,
// as the executable does. Returns the results in input order.
inline std::vector<ConversionResult> RunConverter(const QStringList& arguments) {
    const CommandLine line = parseCommandLine(QStringList{"orvel-convert"} + arguments);
    EXPECT_EQ(line.action, CommandAction::Convert) << line.error.toStdString();
    std::vector<ConversionResult> results;
    if (line.action != CommandAction::Convert) return results;
    PictureConverter converter(line.options);
    for (const QString& input : line.options.inputs)
        results.push_back(converter.convert(input));
    return results;
}

// Converts one input and returns the decoded output image (null on failure, reported).
inline QImage ConvertToImage(const QStringList& arguments) {
    const std::vector<ConversionResult> results = RunConverter(arguments);
    if (results.size() != 1 || !results[0].ok) {
        ADD_FAILURE() << "conversion failed: "
                      << (results.empty() ? "no result" : results[0].error.toStdString());
        return QImage();
    }
    return QImage(results[0].output);
}

// Same size and the same red, green and blue at every pixel, whatever the two formats are.
inline ::testing::AssertionResult SameRgb(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure()
               << "size " << actual.width() << "x" << actual.height() << ", expected "
               << expected.width() << "x" << expected.height();
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) & 0xFFFFFF) != (e.pixel(x, y) & 0xFFFFFF))
                return ::testing::AssertionFailure()
                       << "first difference at (" << x << ", " << y << "): " << std::hex
                       << (a.pixel(x, y) & 0xFFFFFF) << ", expected " << (e.pixel(x, y) & 0xFFFFFF);
    return ::testing::AssertionSuccess();
}

// A temporary directory with a seeded hi-res picture (high bits set on many bytes) and a
// seeded double hi-res picture.
struct PictureDir {
    PictureDir() {
        EXPECT_TRUE(dir.isValid());
        EXPECT_TRUE(WriteFile(hgr(), SeededBytes(kSeed, kBankSize)));
        EXPECT_TRUE(WriteFile(dhgr(), SeededBytes(kSeed + 1, 2 * kBankSize)));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString hgr() const { return path("picture.hgr"); }
    QString dhgr() const { return path("picture.dhgr"); }

    static constexpr unsigned kSeed = 20240611;
    QTemporaryDir dir;
};

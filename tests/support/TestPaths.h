// Where the tests find the repository's own files (resources, samples, golden images).
// The path is compiled in, so a suite runs the same from any working directory.
#pragma once

#include <QString>

inline QString orvelSourcePath(const QString& relative) {
    return QString::fromUtf8(ORVEL_SOURCE_DIR) + QLatin1Char('/') + relative;
}

// Where each output goes and in which format: named by -o, or after its input with the
// format's extension, beside the input or in the -o directory.
#pragma once

#include "convert/ConvertOptions.h"

#include <QString>

#include <optional>

// ".png" png, ".hgr" hgr, ".dgr" or ".dhgr" dhgr (any case); other names say nothing.
std::optional<OutputFormat> formatForName(const QString& path);

// The extension a derived output name gets: ".png", ".hgr" or ".dgr".
QString extensionFor(OutputFormat format);

// The input's name with its last extension replaced by the format's.
QString derivedOutputName(const QString& input, OutputFormat format);

// The output path of `input` under the parsed options.
QString outputPathFor(const QString& input, const ConvertOptions& options);

// One spelling of a path for "is this the same file": the canonical path of an existing file,
// else the canonical directory plus the name, else the absolute path.
QString sameFileKey(const QString& path);

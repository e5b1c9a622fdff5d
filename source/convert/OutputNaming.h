// Where each output goes and in which format: named by -o, or after its input with the
// format's extension, beside the input or in the -o directory.
#pragma once

#include "convert/ConvertOptions.h"

#include <optional>
#include <string>

// ".png" png, ".hgr" hgr, ".dgr" or ".dhgr" dhgr (any case); other names say nothing.
std::optional<OutputFormat> formatForName(const std::string& path);

// The extension a derived output name gets: ".png", ".hgr" or ".dgr".
std::string extensionFor(OutputFormat format);

// The input's file name with its last extension replaced by the format's.
std::string derivedOutputName(const std::string& input, OutputFormat format);

// The output path of `input` under the parsed options.
std::string outputPathFor(const std::string& input, const ConvertOptions& options);

// The pictures inside one disk image input: listed for --list, or each converted to
// <folder>/<its path inside>.<format's extension>, every failure reported while the others go on.
#pragma once

#include "convert/DiskImageInputs.h"
#include "convert/PictureConverter.h"

#include <cstdio>
#include <functional>

// Called with "PATH: REASON" (PATH inside the image) or "REASON" for each failure.
using ImageFailure = std::function<void(const std::string& line)>;

// Writes "PATH<tab>KIND" a picture to `out`, each line after `prefix`. False when anything
// could not be read.
bool listImagePictures(const ImageInput& input, const std::string& prefix, std::FILE* out,
                       const ImageFailure& fail);

// Converts every picture with `workers` writer threads (see runBatch). The folder is -o's, or
// the image's own when -o is not given. False when anything failed.
bool convertImagePictures(PictureConverter& converter, const std::string& imagePath,
                          const ImageInput& input, const ConvertOptions& options, int workers,
                          const ImageFailure& fail);

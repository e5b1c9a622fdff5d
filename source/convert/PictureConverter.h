// The conversion of one input after another through one pipeline: one graphics record for the
// whole batch. Each conversion is two steps, so a batch can finish outputs on other threads:
// prepare (load, edit, render: this thread only, the core is single-threaded) and finish
// (encode and write: any thread).
#pragma once

#include "convert/ConvertOptions.h"
#include "convert/GuiHelperLoader.h"
#include "core/GlobalsRec.h"
#include "formats/PictureKinds.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

struct ConversionResult {
    bool ok = false;
    std::string output;  // the file written, or the one that would have been
    std::string error;   // why nothing was written, without the input's path
    std::string warning; // converted, but with something to say (the font was missing)
    std::string note;    // what -v says about the input
};

// An input loaded, edited and rendered: the bytes to write, or the pixels to encode first.
struct PreparedOutput {
    ConversionResult result; // the error when preparing failed, the output path and warning
    std::string fileBytes;   // hi-res or double hi-res file: written as they are
    bool png = false;
    int width = 0;
    std::vector<std::uint8_t> pixels; // RGBA rows of `width` pixels
    bool doubled = false;             // every row written twice (the export)
    bool stored = false;              // a thumbnail: written uncompressed (see PngPacking)
};

class PictureConverter {
public:
    PictureConverter(const ConvertOptions& options, GuiHelperSource gui);
    ~PictureConverter();
    PictureConverter(const PictureConverter&) = delete;
    PictureConverter& operator=(const PictureConverter&) = delete;

    // Loads, edits and renders `input`, and decides its output; nothing is written yet.
    PreparedOutput prepare(const std::string& input);
    // Edits and renders a picture read from inside the disk image `image`, for `output`.
    PreparedOutput preparePicture(const std::string& image, const Picture& picture,
                                  const std::string& output);
    // Encodes and writes a prepared output atomically; a failure leaves every file as it was.
    // Safe on any thread, for different outputs at once.
    static ConversionResult finish(const PreparedOutput& prepared);

    ConversionResult convert(const std::string& input) { return finish(prepare(input)); }

private:
    PreparedOutput prepareLoaded(const std::string& output, bool fontMissing,
                                 const std::string& note);
    void edit();
    void render(PreparedOutput& prepared, std::string& error);
    std::string overwriteProblem(const std::string& input, const std::string& output) const;

    ConvertOptions options_;
    GuiHelperSource gui_;
    ORVEL_GlobalsRec rec_;
    bool fontWarned_ = false;
    std::set<std::string> protectedKeys_; // inputs and their companions: never an output
    std::set<std::string> writtenKeys_;   // outputs of earlier inputs: never written twice
};

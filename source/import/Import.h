// The importer's front: a mapped image in, screen memory out, optimised for the engine and
// palette of the settings it is given, and the measure by which imports are compared.
#pragma once

#include "core/GlobalsRec.h"
#include "import/Dither.h"
#include "import/SourceImage.h"

#include <cstdint>
#include <vector>

enum class ImportTarget { Hgr, Dhgr };

enum class ImportPass {
    Quick, // for a preview while settings change
    Full   // the import
};

struct ImportOptions {
    ImportTarget target = ImportTarget::Dhgr;
    DitherMethod dither = DitherMethod::Best;
    ImportPass pass = ImportPass::Full;
};

// Screen memory: 8192 bytes a bank; the auxiliary bank is all zero for hi-res.
struct ImportedPicture {
    bool isDHGR = true;
    std::vector<std::uint8_t> auxMem = std::vector<std::uint8_t>(kBankSize, 0);
    std::vector<std::uint8_t> mainMem = std::vector<std::uint8_t>(kBankSize, 0);
};

// The picture whose render through the engine, palette and settings of `settings` comes closest
// to `image`, by the search and dither `options` ask for.
ImportedPicture ImportScreen(const ScreenImage& image, const ImportOptions& options,
                             const ORVEL_GlobalsRec& settings);

// Replaces the record's screen memory (both banks, and isDHGR) by the picture's.
void StorePicture(const ImportedPicture& picture, ORVEL_GlobalsRec& rec);

// The mean CIEDE2000 difference between an image and the render of a picture through
// `settings` (offscreen columns 1..560), after a Gaussian blur standing for viewing distance
// (sigma 1.5 dots across, 0.75 lines down, in linear light), and without it.
struct ImportError {
    double blurred = 0.0;
    double unblurred = 0.0;
};
ImportError MeasureImport(const ScreenImage& image, const ImportedPicture& picture,
                          const ORVEL_GlobalsRec& settings);

// The plain way, to compare against: Floyd-Steinberg at 140 x 192 against the colours the
// engine shows for the sixteen four-dot patterns (double hi-res) or the six hi-res colours, in
// gamma-encoded RGB; for hi-res each byte's high bit by majority vote of its pixels' colours.
ImportedPicture ImportThePlainWay(const ScreenImage& image, ImportTarget target,
                                  const ORVEL_GlobalsRec& settings);

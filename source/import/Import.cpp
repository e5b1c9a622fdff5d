// The settings each dither method searches with, and the picture put together from the search.
// Best is the combination that measured lowest on our test images (see the README's table).
#include "import/Import.h"

#include "core/Geometry.h"
#include "import/EngineRenderer.h"
#include "import/Search.h"

#include <algorithm>

namespace {

SearchSettings SearchSettingsFor(const ImportOptions& options) {
    const bool hires = options.target == ImportTarget::Hgr;
    const bool best = options.dither == DitherMethod::Best;
    SearchSettings search;
    search.kernel = KernelTaps(best ? DitherMethod::Floyd : options.dither);
    search.damping = hires && !best ? 0.7f : 1.0f;
    switch (options.pass) {
    case ImportPass::Quick:
        search.carry = false;
        search.finalists = 1;
        search.stride = 4;
        break;
    case ImportPass::Full:
        // More passes, a wider look ahead and more finalists were measured too: twice the time
        // for a difference of 0.1 on the quality table, in either direction.
        search.refinePasses = best ? 4 : 0;
        break;
    }
    return search;
}

} // namespace

ImportedPicture SearchPicture(const ScreenImage& image, ImportTarget target,
                              const SearchSettings& search, const ORVEL_GlobalsRec& settings) {
    InitRowOffsets();
    ImportedPicture picture;
    if (target == ImportTarget::Dhgr) {
        const auto model = DhgrModelFor(settings);
        std::vector<std::uint8_t> dots = SearchDhgr(image, *model, search);
        if (search.refinePasses > 0) RefineDhgr(image, *model, search, dots);
        for (int y = 0; y < kLines; ++y)
            for (int group = 0; group < 2 * kLineBytes; ++group) {
                unsigned byte = 0;
                for (int k = 0; k < 7; ++k)
                    byte |= static_cast<unsigned>(dots[y * kMemoryDots + 7 * group + k]) << k;
                std::vector<std::uint8_t>& bank = group % 2 ? picture.mainMem : picture.auxMem;
                bank[g_rowoffsets[y] + group / 2] = static_cast<std::uint8_t>(byte);
            }
    } else {
        picture.isDHGR = false;
        const auto model = HgrModelFor(settings);
        std::vector<std::uint8_t> bytes = SearchHgr(image, *model, search);
        if (search.refinePasses > 0) RefineHgr(image, *model, search, bytes);
        for (int y = 0; y < kLines; ++y)
            std::copy_n(&bytes[y * kLineBytes], kLineBytes, &picture.mainMem[g_rowoffsets[y]]);
    }
    return picture;
}

ImportedPicture ImportScreen(const ScreenImage& image, const ImportOptions& options,
                             const ORVEL_GlobalsRec& settings) {
    return SearchPicture(image, options.target, SearchSettingsFor(options), settings);
}

void StorePicture(const ImportedPicture& picture, ORVEL_GlobalsRec& rec) {
    std::copy(picture.auxMem.begin(), picture.auxMem.end(), rec.auxMem);
    std::copy(picture.mainMem.begin(), picture.mainMem.end(), rec.mainMem);
    rec.isDHGR = picture.isDHGR;
}

// Errors are carried in linear light, so dithered dots mix to the image's own brightness; the
// aim is kept inside the screen's range when it is weighed, so a run of errors cannot run away.
#include "import/Search.h"

TargetLine::TargetLine(const ScreenImage& image, const SearchSettings& settings)
    : image_(image), field_(settings.kernel, settings.damping), chroma_(settings.chromaWeight) {
    for (const DiffusionTap& tap : settings.kernel)
        if (settings.carry && tap.dy == 0 && (tap.dx == 1 || tap.dx == 2))
            along_[tap.dx - 1] = tap.share * settings.damping;
}

Linear TargetLine::aim(int x) const {
    const float* pixel = image_.at(x, y_);
    const float* error = field_.at(x);
    return Linear{{pixel[0] + error[0], pixel[1] + error[1], pixel[2] + error[2]}};
}

void TargetLine::settle(int x, const ShownColor& shown) {
    Linear error;
    distance(aim(x), shown, error);
    field_.spread(x, error.v);
}

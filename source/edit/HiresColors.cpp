// A hi-res pixel x covers memory dots 2x and 2x + 1 and shows at offscreen dots 2x, 2x + 1 (one
// later with the half-dot delay); a double hi-res memory dot d shows at d + 1. So a lone even
// pixel without the delay lights the phase of colour 9 (violet), an odd one colour 6 (green);
// delayed, they light the phases of 12 (blue) and 3 (orange).
#include "edit/HiresColors.h"

namespace {

constexpr ORVEL_ColorType kBlack = 0, kWhite = 15, kViolet = 9, kGreen = 6, kBlue = 12, kOrange = 3;

} // namespace

const ORVEL_ColorType kHiresColors[kHiresColorCount] = {kBlack, kWhite, kViolet,
                                                        kGreen, kBlue,  kOrange};

bool IsHiresColor(ORVEL_ColorType color) {
    for (ORVEL_ColorType c : kHiresColors)
        if (c == color) return true;
    return false;
}

bool HiresPixelLit(ORVEL_ColorType color, int x) {
    switch (color) {
    case kBlack:
        return false;
    case kViolet:
    case kBlue:
        return x % 2 == 0;
    case kGreen:
    case kOrange:
        return x % 2 != 0;
    default:
        return true;
    }
}

int HiresGroup(ORVEL_ColorType color) {
    if (color == kViolet || color == kGreen) return 0;
    if (color == kBlue || color == kOrange) return 1;
    return -1;
}

ORVEL_ColorType HiresPairColor(bool evenLit, bool oddLit, bool evenHigh, bool oddHigh) {
    if (evenLit && oddLit) return kWhite;
    if (evenLit) return evenHigh ? kBlue : kViolet;
    if (oddLit) return oddHigh ? kOrange : kGreen;
    return kBlack;
}

// The classic kernels with their published weights. Atkinson passes on only six eighths of the
// error by design; the others pass it all on, less the damping the import asks for.
#include "import/Dither.h"

#include <algorithm>
#include <cctype>

namespace {

struct Named {
    DitherMethod method;
    const char* name;
};

const Named kNames[] = {
    {DitherMethod::Best, "best"},     {DitherMethod::None, "none"},
    {DitherMethod::Floyd, "floyd"},   {DitherMethod::Atkinson, "atkinson"},
    {DitherMethod::Jarvis, "jarvis"}, {DitherMethod::Stucki, "stucki"},
    {DitherMethod::Sierra, "sierra"},
};

// Weights row by row, centred on the dot (the dot itself and those before it on its line are
// zero), over a common divisor.
std::vector<DiffusionTap> FromRows(const std::vector<std::vector<int>>& rows, float divisor) {
    std::vector<DiffusionTap> taps;
    for (std::size_t dy = 0; dy < rows.size(); ++dy) {
        const int half = static_cast<int>(rows[dy].size()) / 2;
        for (std::size_t i = 0; i < rows[dy].size(); ++i)
            if (rows[dy][i] != 0)
                taps.push_back(DiffusionTap{static_cast<int>(i) - half, static_cast<int>(dy),
                                            rows[dy][i] / divisor});
    }
    return taps;
}

} // namespace

const std::vector<DitherMethod>& AllDitherMethods() {
    static const std::vector<DitherMethod> methods = [] {
        std::vector<DitherMethod> all;
        for (const Named& named : kNames)
            all.push_back(named.method);
        return all;
    }();
    return methods;
}

const char* DitherName(DitherMethod method) {
    for (const Named& named : kNames)
        if (named.method == method) return named.name;
    return "best";
}

bool DitherFromName(const std::string& name, DitherMethod& method) {
    std::string lower = name;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const Named& named : kNames)
        if (lower == named.name) {
            method = named.method;
            return true;
        }
    return false;
}

std::vector<DiffusionTap> KernelTaps(DitherMethod method) {
    switch (method) {
    case DitherMethod::Floyd:
        return FromRows({{0, 0, 7}, {3, 5, 1}}, 16);
    case DitherMethod::Atkinson:
        return FromRows({{0, 0, 0, 1, 1}, {0, 1, 1, 1, 0}, {0, 0, 1, 0, 0}}, 8);
    case DitherMethod::Jarvis:
        return FromRows({{0, 0, 0, 7, 5}, {3, 5, 7, 5, 3}, {1, 3, 5, 3, 1}}, 48);
    case DitherMethod::Stucki:
        return FromRows({{0, 0, 0, 8, 4}, {2, 4, 8, 4, 2}, {1, 2, 4, 2, 1}}, 42);
    case DitherMethod::Sierra:
        return FromRows({{0, 0, 0, 5, 3}, {2, 4, 5, 4, 2}, {0, 2, 3, 2, 0}}, 32);
    case DitherMethod::Best:
    case DitherMethod::None:
        break;
    }
    return {};
}

ErrorField::ErrorField(std::vector<DiffusionTap> taps, float damping) : taps_(std::move(taps)) {
    for (DiffusionTap& tap : taps_)
        tap.share *= damping;
    for (auto& row : rows_)
        row.assign(3 * (kMemoryDots + 2 * kMargin), 0.0f);
}

void ErrorField::nextLine() {
    std::rotate(std::begin(rows_), std::begin(rows_) + 1, std::end(rows_));
    std::fill(rows_[2].begin(), rows_[2].end(), 0.0f);
}

void ErrorField::spread(int x, const float error[3]) {
    for (const DiffusionTap& tap : taps_) {
        const int to = x + tap.dx;
        if (to < 0 || to >= kMemoryDots || tap.dy > 2) continue;
        float* p = &rows_[tap.dy][3 * (to + kMargin)];
        for (int k = 0; k < 3; ++k)
            p[k] += tap.share * error[k];
    }
}

// The error-diffusion kernels an import may dither with, their names on the command line, and
// the field that carries each dot's error forward to the dots and lines not yet decided.
#pragma once

#include "core/GlobalsRec.h"

#include <string>
#include <vector>

enum class DitherMethod { Best, None, Floyd, Atkinson, Jarvis, Stucki, Sierra };

// Every method, the default (Best) first.
const std::vector<DitherMethod>& AllDitherMethods();

// "best", "none", "floyd", "atkinson", "jarvis", "stucki", "sierra".
const char* DitherName(DitherMethod method);
// The method of a name (any case); false when there is none.
bool DitherFromName(const std::string& name, DitherMethod& method);

// Where a share of a dot's error goes: dx dots right (negative: left), dy lines down.
struct DiffusionTap {
    int dx, dy;
    float share;
};

// The taps of a named kernel (Best has its own, see Import.cpp); None has no taps.
std::vector<DiffusionTap> KernelTaps(DitherMethod method);

// The errors waiting for the current line and the two below it, each dot's three linear-light
// channels. Errors reaching past the screen's sides or bottom are dropped.
class ErrorField {
public:
    ErrorField(std::vector<DiffusionTap> taps, float damping);

    // Moves down one line: the next line's errors become the current line's.
    void nextLine();
    // The error waiting at dot x of the current line.
    const float* at(int x) const { return &rows_[0][3 * (x + kMargin)]; }
    // Spreads `error` of dot x of the current line over the dots the kernel reaches.
    void spread(int x, const float error[3]);

private:
    static constexpr int kMargin = 4;
    std::vector<DiffusionTap> taps_;
    std::vector<float> rows_[3];
};

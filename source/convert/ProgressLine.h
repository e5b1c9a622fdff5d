// The "[12/300] name" line a long batch shows on a terminal, rewritten in place.
// Failures are printed between progress lines, so the line is cleared before each of them.
#pragma once

#include <cstdio>
#include <string>

class ProgressLine {
public:
    // Shows nothing unless `enabled` (several inputs and a terminal on the stream).
    ProgressLine(std::FILE* stream, int total, bool enabled);

    void show(int number, const std::string& name);
    // Removes the line; the next output starts at the beginning of an empty line.
    void clear();

private:
    std::FILE* stream_;
    int total_;
    bool enabled_;
    bool shown_ = false;
};

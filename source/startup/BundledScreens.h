// The text screens shipped with the program, in the order the program offers them.
// A constant list of its own, so menus and tests read titles and paths from one place.
#pragma once

#include <vector>

struct ScreenEntry {
    const char* title; // UTF-8, shown to the user
    const char* path;  // resource name for orvelBundledResourcePath / loadBundledTextScreen
};

// Built once on first use (thread-safe) and alive until the program ends.
const std::vector<ScreenEntry>& GetBundledScreens();

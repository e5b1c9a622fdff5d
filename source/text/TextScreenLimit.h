// The size above which a file is not a text screen and is never read. Its own header so that
// orvel-convert, which reads text screen files without Qt, applies the same guard.
#pragma once

#include <cstdint>

// A real screen is a few KiB.
constexpr std::int64_t kMaxTextScreenFileBytes = 1024 * 1024;

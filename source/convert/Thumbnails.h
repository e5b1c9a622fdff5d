// Thumbnails for file managers: the exported picture made small in plain C++, so a thumbnail
// costs one process start and no Qt.
#pragma once

#include <cstdint>
#include <vector>

// The exported image (562 x 384: each of the render's 192 rows twice) made to fit a square of
// `side` dots, keeping its proportions: each thumbnail dot the average of the area it covers.
// `render` is 562 x 192 RGBA; returns `width` x `height` RGBA, row after row. A side of 562 or
// more gives the exported image itself.
std::vector<std::uint8_t> thumbnailOf(const std::uint8_t* render, int side, int& width,
                                      int& height);

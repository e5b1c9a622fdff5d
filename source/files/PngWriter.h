// A PNG writer of our own on libdeflate, for rendered pictures: few colours, rows often repeated.
// Plain C++, so orvel-convert encodes without Qt; the picture view's export wraps it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `rows` point at rows of `width` pixels of 4 bytes each, red, green, blue, alpha in that order.
// A row may be given more than once (the export doubles every line).
//
// A picture of at most 256 colours (every unsmoothed render) is written as a palette PNG of the
// smallest bit depth that holds its colours; any other as 8-bit RGB, or RGBA when a pixel is not
// opaque. Returns the file's bytes; empty only when compression fails.
// Fast packs with libdeflate's fastest level for the picture, for files that are kept. Stored does
// not compress: the file is larger, but a random picture takes a third less time, which is what
// matters for a file read once and thrown away, as a file manager reads a thumbnail.
enum class PngPacking { Fast, Stored };

std::string encodePngRows(int width, const std::vector<const std::uint8_t*>& rows,
                          PngPacking packing = PngPacking::Fast);

// LZ4FH, the fast-unpacking LZ4 variant for hi-res pictures (file type $08, aux $8066): a $66
// mark, then tokens of literal bytes and matches copied from earlier output.
#pragma once

#include "formats/Bytes.h"

#include <string_view>

// Unpacks a whole stream, mark included. Fails when the mark is missing, a token is cut short,
// a match copies from output not yet decoded, the output would grow past `limit` bytes, or
// anything follows the end mark.
Unpacked unpackLz4fh(std::string_view packed, std::size_t limit);

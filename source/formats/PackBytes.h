// PackBytes, the Apple IIgs toolbox's run coding of packed pictures (file type $08, aux $4000
// and $4001): runs of a flag byte and its data, unpacked here and packed for "Save As...".
#pragma once

#include "formats/Bytes.h"

#include <string>
#include <string_view>

// Unpacks the whole stream. Fails when a run is cut short by the end of the data, or when the
// output would grow past `limit` bytes (a stream that would overflow its picture).
Unpacked unpackBytes(std::string_view packed, std::size_t limit);

// A stream that unpackBytes turns back into `data`: repeated bytes and 4-byte patterns as runs,
// everything else as literal runs of up to 64 bytes.
std::string packBytes(std::string_view data);

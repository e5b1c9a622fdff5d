// The engine pipelines: a record's screen memory rendered into a caller-owned RGBA store
// through the engine and palette its settings select. The picture view and orvel-convert
// both render through RenderPicture, so what one shows the other writes, dot for dot.
#pragma once

#include "core/GlobalsRec.h"

#include <cstdint>

// A 562 x 192 store of RGBA bytes owned by the caller.
struct RGBAStore {
    std::uint8_t* pixels;
    std::int64_t rowBytes; // at least 562 * 4
};

// Makes the one-bit store ready: monoBits grown if it is too small for the offscreen size,
// every dot dark, and the record's store description pointing at it.
void PrepareMonoStore(ORVEL_GlobalsRec* rec);

// Points the record's store description at `store`, filled with opaque black when `clear`.
void PrepareRGBAStore(ORVEL_GlobalsRec* rec, RGBAStore store, bool clear = true);

// The one-bit conversion: each of width x height dots of monoBits (clear bit = lit) becomes
// the one-bit palette's lit colour or opaque black in `store`.
void MonoToRGBA(const ORVEL_GlobalsRec* rec, RGBAStore store, int width, int height);

// Renders the whole picture: sets globalsP and the full band, the pen width, and runs the
// pipeline of the selected engine into `store`.
void RenderPicture(ORVEL_GlobalsRec* rec, RGBAStore store);

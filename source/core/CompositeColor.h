// The composite engine, "Composite (NTSC)": the dot picture coloured as an NTSC colour monitor
// shows it, fringes and bleeding included, from the weights of CompositeModel.h.
#pragma once

#include "core/GlobalsRec.h"

#include <cstdint>

// The composite engine is chosen by quenEngine with this schemeType: like the Quen engines it
// colours the dot picture with the half-dot delay always in force, and stored settings of the
// three Quen engines (schemeType 0..2) read as before.
constexpr std::uint16_t kCompositeScheme = 3;

inline bool CompositeEngineB(const ORVEL_GlobalsRec* rec) {
    return rec->quenEngine && rec->schemeType == kCompositeScheme;
}

// The colours of eight dots at once, in fixed point: offscreen dots 8n..8n+7 take the sum of
// five entries, one for each of the dot bytes n-2..n+2 around them (the 33 dots every one of
// the eight depends on), then the sum is rounded and clipped. Entry [q][byte] holds the eight
// dots' R, G, B and A in turn; each entry is one cache line.
struct CompositeTables {
    static constexpr int kBytes = 5;
    static constexpr int kFractionBits = 5; // 1/32 of a colour step
    alignas(64) std::int16_t entry[kBytes][256][32];
};

// The colour a solid fill of 4-dot pattern `pattern` (0..15, a colour index) shows under the
// engine, as an RGBA word: what the pencil paints with that colour.
std::uint32_t CompositeSolidRGBA(unsigned pattern);

// Fills `tables` from the model (well under a millisecond).
void BuildCompositeTables(CompositeTables& tables);

// Line curLine in composite colour, from its row of monoBits as the dot walk leaves it (clear
// bit = lit; offscreen dot o is memory dot o - 1) into the RGBA store; the tables are built on
// the first call.
void CopyCompositeBits(ORVEL_GlobalsRec* rec);

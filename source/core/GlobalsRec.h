// The graphics record every core function works on, the shared value types, and the globals
// that travel with the record. One record is in use at a time: the one `globalsP` points at.
#pragma once

#include <cstddef>
#include <cstdint>

// An 8-bit flag of the record: any non-zero byte counts as true. A plain byte rather than
// `bool`, so a settings block copied in from anywhere can never hold an invalid bool.
typedef unsigned char Boolean;

// Colour index 0..15 (a full colour); palettes also hold dim companions at 16..31.
typedef std::uint8_t ORVEL_ColorType;

// Palette entry: 16-bit components of which only the high byte is ever used.
struct ColorSpec {
    std::uint16_t value;
    std::uint16_t red;
    std::uint16_t green;
    std::uint16_t blue;
};

struct Rect {
    std::int16_t top;
    std::int16_t left;
    std::int16_t bottom;
    std::int16_t right;
};

struct Point {
    std::int16_t v; // line
    std::int16_t h; // memory dot
};

constexpr int kLines = 192;                             // hi-res scan lines
constexpr int kLineBytes = 40;                          // bytes of one line in one bank
constexpr int kBankSize = 8192;                         // one screen-memory bank
constexpr int kMemoryDots = 560;                        // dot positions of a double hi-res line
constexpr int kOffscreenDots = 562;                     // columns of the rendered picture
constexpr int kMonoRowBytes = (kOffscreenDots + 7) / 8; // 71: one row of the one-bit store
constexpr int kPaletteCount = 8;
constexpr int kPaletteEntries = 32;

struct ORVEL_GlobalsRec {
    ORVEL_GlobalsRec() = default;
    // A copy would share the owned dot buffer and free it twice. Records are passed by
    // pointer; the start-up sequence copies the settings block and screen state as bytes.
    ORVEL_GlobalsRec(const ORVEL_GlobalsRec&) = delete;
    ORVEL_GlobalsRec& operator=(const ORVEL_GlobalsRec&) = delete;

    // Settings block: the menus, the preferences and the start-up sequence read and write
    // these eleven fields by name and copy them as one block.
    std::uint16_t bmFinalDepth;   // 1: a one-bit palette is in force; 2 or more: colour
    std::uint16_t paletteType;    // colour palette 0..7
    std::uint16_t oneBitPalette;  // 0 black and white, 1 black and green, 2 black and amber
    Boolean bitShifting;          // "By the Book" applies the half-dot delay
    Boolean quenEngine;           // an engine of the dot picture (chosen by schemeType) renders
    std::uint16_t schemeType;     // 0 Quen: Dunmere, 1 Quen: Double, 2 Quen: Sharp, 3 composite
    std::uint16_t screenSize;     // 0 half, 1 normal, 2 double
    std::uint16_t aspectCorrect;  // 0 none (1.0), 1 standard (0.9), 2 DV (0.84)
    Boolean is560Mode;            // the pencil sets single memory dots
    Boolean startScreen;          // play the start-up sequence at launch
    std::int16_t dhgrColorOffset; // columns added to every "By the Book" double hi-res cell

    // Renderers' working fields.
    std::int64_t rowOffset; // bank offset of the line being processed
    std::int64_t curLine;   // line being processed
    std::int64_t penWidth;  // dots written by every plot
    ColorSpec palettes[kPaletteCount][kPaletteEntries];
    std::uint8_t* baseAddr;  // first byte of the store being written
    std::int64_t rowBytes;   // bytes per row of that store
    std::int64_t pixelDepth; // 1: the one-bit store; otherwise the RGBA store
    std::uint8_t* monoBits;  // one-bit dot buffer, owned; most significant bit leftmost
    std::int64_t monoRowBytes;
    std::int64_t monoBitsSize;

    // Screen state: the flag and both banks, copied as one block by the start-up sequence.
    Boolean isDHGR;
    std::uint8_t auxMem[kBankSize];
    std::uint8_t mainMem[kBankSize];
};

// The settings block runs from bmFinalDepth up to (not including) rowOffset; the screen state
// from isDHGR to the end of mainMem.
constexpr std::size_t kSettingsBlockSize = offsetof(ORVEL_GlobalsRec, rowOffset);
constexpr std::size_t kScreenStateOffset = offsetof(ORVEL_GlobalsRec, isDHGR);
constexpr std::size_t kScreenStateSize =
    offsetof(ORVEL_GlobalsRec, mainMem) + kBankSize - kScreenStateOffset;

extern ORVEL_GlobalsRec* globalsP;         // the record in use
extern std::uint16_t g_rowoffsets[kLines]; // bank offset of each line
extern std::int16_t gSkipLineStart;        // band of lines walked: start (inclusive)
extern std::int16_t gSkipLineEnd;          // end (exclusive)
extern Boolean gSkipToLineB;               // the offscreen store covers only the band
extern ORVEL_ColorType g_curColor;         // the pencil colour

// Zeroes the record, fills the line table and the palettes, writes the defaults of a new
// record and allocates its zero-filled one-bit dot buffer. Release with ReleaseGlobalsRec.
void InitGlobalsRec(ORVEL_GlobalsRec* rec);
void ReleaseGlobalsRec(ORVEL_GlobalsRec* rec);

// Makes every line of the record's screen reachable by the line walkers: band 0..192, the
// offscreen store covering all of it. Every whole-picture operation starts with this.
void SetFullBand();

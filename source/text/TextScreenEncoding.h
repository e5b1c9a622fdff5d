// Conversions between a text screen file's bytes (Mac OS Roman or UTF-8) and the screen text.
// Kept apart from file handling so every reader and writer shares one set of byte rules.
#pragma once

#include <QByteArray>
#include <QString>

// The screen text is one QString: an optional leading "80" marks 80 columns, rows are separated by
// U+000A, U+F000..U+F05E are the inverse forms of U+0020..U+007E, and the Mac OS Roman upper half
// plus U+E000 and U+E001 are the Apple II font's extra glyphs.

// Reads either file form without being told which; never fails. Well-formed UTF-8 is read as
// UTF-8, anything else byte by byte as Mac OS Roman. CR and CR LF become LF, a leading UTF-8 BOM
// is dropped, and the control bytes 0x11/0x12 become U+E000/U+E001.
QString decodeTextScreenFileBytes(const QByteArray& bytes);

// Writes Mac OS Roman when every character has a byte there, else the whole text as UTF-8.
// When macRoman is not null it receives true for Mac OS Roman and false for UTF-8.
QByteArray encodeTextScreenFileString(const QString& text, bool* macRoman);

// Entry i is the Unicode code point of Mac OS Roman byte 0x80 + i (0xBD is U+2126 OHM SIGN).
const quint16* macRomanHighTable();
int macRomanHighTableSize();

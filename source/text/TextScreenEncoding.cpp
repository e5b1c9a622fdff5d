// Byte rules of text screen files: the Mac OS Roman table, UTF-8 detection and both directions.
// Files written by other editors arrive in either form, so reading decides by the bytes alone.
#include "text/TextScreenEncoding.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace {

constexpr int kHighTableSize = 128;

// Apple's Mac OS Roman upper half (euro at 0xDB, Apple logo U+F8FF at 0xF0), except that 0xBD is
// U+2126 OHM SIGN, the glyph our font carries there; U+03A9 therefore has no byte.
constexpr quint16 kMacRomanHigh[kHighTableSize] = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, // 0x80
    0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5, 0x00E7, 0x00E9, 0x00E8, // 0x88
    0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, // 0x90
    0x00F2, 0x00F4, 0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, // 0x98
    0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6, 0x00DF, // 0xA0
    0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, // 0xA8
    0x221E, 0x00B1, 0x2264, 0x2265, 0x00A5, 0x00B5, 0x2202, 0x2211, // 0xB0
    0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x2126, 0x00E6, 0x00F8, // 0xB8
    0x00BF, 0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, // 0xC0
    0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5, 0x0152, 0x0153, // 0xC8
    0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, // 0xD0
    0x00FF, 0x0178, 0x2044, 0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, // 0xD8
    0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1, // 0xE0
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, // 0xE8
    0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9, 0x0131, 0x02C6, 0x02DC, // 0xF0
    0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7, // 0xF8
};

// The font's two glyphs beyond the table travel in Mac OS Roman files as these control bytes.
constexpr char16_t kExtraGlyphA = 0xE000;
constexpr char16_t kExtraGlyphB = 0xE001;
constexpr uchar kExtraGlyphByteA = 0x11;
constexpr uchar kExtraGlyphByteB = 0x12;

// Inverse characters exist only in the screen text; no Mac OS Roman byte stands for them.
constexpr char16_t kFirstInverse = 0xF000;
constexpr char16_t kLastInverse = 0xF05E;

struct ReverseEntry {
    quint16 codePoint;
    uchar byte;
};
using ReverseTable = std::array<ReverseEntry, kHighTableSize>;

// The table sorted by code point, built once on first use (a function-local static is
// thread-safe to initialise).
const ReverseTable& reverseTable() {
    static const ReverseTable table = [] {
        ReverseTable sorted{};
        for (int i = 0; i < kHighTableSize; ++i)
            sorted[i] = {kMacRomanHigh[i], static_cast<uchar>(0x80 + i)};
        std::sort(sorted.begin(), sorted.end(), [](const ReverseEntry& a, const ReverseEntry& b) {
            return a.codePoint < b.codePoint;
        });
        return sorted;
    }();
    return table;
}

// The byte 0x80..0xFF of a code point in the table's upper half, or -1 if it has none.
int macRomanHighByteFor(char16_t codePoint) {
    const ReverseTable& table = reverseTable();
    int low = 0;
    int high = kHighTableSize - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const quint16 found = table[middle].codePoint;
        if (found == codePoint) return table[middle].byte;
        if (found < codePoint)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return -1;
}

QByteArray withoutByteOrderMark(const QByteArray& bytes) {
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
}

// Files from other systems end lines in CR LF or CR; the screen text knows only LF.
QByteArray withLineFeedsOnly(QByteArray bytes) {
    bytes.replace("\r\n", "\n");
    bytes.replace('\r', '\n');
    return bytes;
}

// How many continuation bytes a lead byte announces; -1 for bytes that cannot begin a character
// (continuations, the over-long leads 0xC0/0xC1 and leads beyond U+10FFFF).
int continuationCount(uchar lead) {
    if (lead < 0x80) return 0;
    if (lead >= 0xC2 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) return 2;
    if (lead >= 0xF0 && lead <= 0xF4) return 3;
    return -1;
}

// The second byte is narrower after four leads: this refuses over-long three- and four-byte forms
// (E0, F0), encoded surrogates (ED) and code points above U+10FFFF (F4).
std::pair<uchar, uchar> secondByteRange(uchar lead) {
    switch (lead) {
    case 0xE0:
        return {0xA0, 0xBF};
    case 0xED:
        return {0x80, 0x9F};
    case 0xF0:
        return {0x90, 0xBF};
    case 0xF4:
        return {0x80, 0x8F};
    default:
        return {0x80, 0xBF};
    }
}

void appendCodePoint(QString& text, char32_t codePoint) {
    if (QChar::requiresSurrogates(codePoint)) {
        text += QChar(QChar::highSurrogate(codePoint));
        text += QChar(QChar::lowSurrogate(codePoint));
    } else {
        text += QChar(static_cast<char16_t>(codePoint));
    }
}

// Decodes the bytes if the whole of them is well-formed UTF-8; the first violation gives nullopt.
// Our own decoder, because Qt's would silently drop a byte-order mark inside the text.
std::optional<QString> decodeWellFormedUtf8(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const uchar lead = static_cast<uchar>(bytes[i]);
        const int count = continuationCount(lead);
        if (count < 0 || count > size - 1 - i) return std::nullopt; // sequence cut off by the end
        char32_t codePoint = count == 0 ? lead : lead & (0x3F >> count);
        for (int k = 1; k <= count; ++k) {
            const uchar next = static_cast<uchar>(bytes[i + k]);
            const auto [lowest, highest] =
                k == 1 ? secondByteRange(lead) : std::pair<uchar, uchar>{0x80, 0xBF};
            if (next < lowest || next > highest) return std::nullopt;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        appendCodePoint(text, codePoint);
        i += count + 1;
    }
    return text;
}

QString decodeMacRoman(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const uchar value = static_cast<uchar>(byte);
        text += QChar(value < 0x80 ? char16_t(value) : char16_t(kMacRomanHigh[value - 0x80]));
    }
    return text;
}

// The Mac OS Roman byte of one UTF-16 code unit, or -1 when the unit has none.
int macRomanByteFor(char16_t unit) {
    if (unit == u'\n' || unit == u'\t') return unit;
    if (unit < 0x20) return -1;
    if (unit <= 0x7F) return unit;
    if (unit == kExtraGlyphA) return kExtraGlyphByteA;
    if (unit == kExtraGlyphB) return kExtraGlyphByteB;
    if (unit >= kFirstInverse && unit <= kLastInverse) return -1;
    return macRomanHighByteFor(unit);
}

std::optional<QByteArray> encodeMacRoman(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar unit : text) {
        const int byte = macRomanByteFor(unit.unicode());
        if (byte < 0) return std::nullopt;
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

} // namespace

QString decodeTextScreenFileBytes(const QByteArray& bytes) {
    const QByteArray cleaned = withLineFeedsOnly(withoutByteOrderMark(bytes));
    const std::optional<QString> utf8 = decodeWellFormedUtf8(cleaned);
    QString text = utf8 ? *utf8 : decodeMacRoman(cleaned);
    text.replace(QChar(kExtraGlyphByteA), QChar(kExtraGlyphA));
    text.replace(QChar(kExtraGlyphByteB), QChar(kExtraGlyphB));
    return text;
}

QByteArray encodeTextScreenFileString(const QString& text, bool* macRoman) {
    const std::optional<QByteArray> roman = encodeMacRoman(text);
    if (macRoman) *macRoman = roman.has_value();
    return roman ? *roman : text.toUtf8();
}

const quint16* macRomanHighTable() {
    return kMacRomanHigh;
}

int macRomanHighTableSize() {
    return kHighTableSize;
}

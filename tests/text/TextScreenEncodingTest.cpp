// Text screen file encoding: the rules the random tests leave out (marks, line ends, the extra
// glyphs), the Mac OS Roman table against the system's codec, and seeded random round trips
// judged by Qt's own UTF-8 codec.
#include "text/TextScreenEncoding.h"
#include "support/TestSeeds.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

QByteArray hex(const char* digits) {
    return QByteArray::fromHex(digits); // spaces between the bytes are skipped
}

// Built by hand: QString::fromUcs4 would drop a leading U+FEFF as a byte-order mark.
QString chars(const std::u32string& codePoints) {
    QString text;
    for (const char32_t c : codePoints) {
        if (QChar::requiresSurrogates(c))
            text += QChar(QChar::highSurrogate(c)), text += QChar(QChar::lowSurrogate(c));
        else
            text += QChar(char16_t(c));
    }
    return text;
}

// Encodes with the flag starting true and then false, so a flag left unwritten shows up.
QByteArray encode(const QString& text, bool* macRoman) {
    bool fromFalse = false;
    *macRoman = true;
    const QByteArray bytes = encodeTextScreenFileString(text, macRoman);
    EXPECT_EQ(encodeTextScreenFileString(text, &fromFalse), bytes);
    EXPECT_EQ(*macRoman, fromFalse) << "flag not written";
    return bytes;
}

bool hasHighByte(const QByteArray& bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char byte) { return uchar(byte) > 0x7F; });
}

bool isWellFormedUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString ignored = decoder(bytes);
    return !decoder.hasError();
}

} // namespace

// What the random tests leave out: a leading mark, CR and the bytes 0x11 and 0x12, which reading
// changes on purpose (so CR and U+0011 are written as UTF-8), and the forms just outside
// well-formed UTF-8, which random bytes rarely reach in an otherwise well-formed file.
TEST(TextScreenEncoding, MarksLineEndsExtraGlyphsAndTheEdgesOfUtf8) {
    const std::pair<const char*, std::u32string> decoded[] = {
        {"EF BB BF", U""},                      // the mark alone
        {"EF BB BF EF BB BF 41", U"\uFEFFA"},   // only the first mark is the file's
        {"58 0D 0A 59 0D 5A", U"X\nY\nZ"},      // CR LF and CR become LF
        {"0D 0D 0A 0A 0D", U"\n\n\n\n"},        //
        {"80 0D 0A 80", U"\u00C4\n\u00C4"},     // also in Mac OS Roman
        {"11 12 C3 84", U"\uE000\uE001\u00C4"}, // the extra glyphs in both forms
        {"11 80 12", U"\uE000\u00C4\uE001"},    //
        {"EE 80 80 EE 80 81", U"\uE000\uE001"}, //
    };
    for (const auto& [bytes, expected] : decoded)
        EXPECT_EQ(decodeTextScreenFileBytes(hex(bytes)), chars(expected)) << bytes;
    const std::pair<std::u32string, const char*> encoded[] = {{U"\u00C4\r\n", "C3 84 0D 0A"},
                                                              {U"\u0011", "11"}};
    for (const auto& [text, bytes] : encoded) {
        bool macRoman = true;
        EXPECT_EQ(encode(chars(text), &macRoman), hex(bytes));
        EXPECT_FALSE(macRoman) << bytes;
    }
    for (const char* malformed :
         {"E0 9F BF", "ED A0 80", "F0 8F BF BF", "F4 90 80 80", "F5 80 80 80"})
        EXPECT_EQ(decodeTextScreenFileBytes(hex(malformed)).size(), hex(malformed).size())
            << malformed << ": not one character per byte";
}

// The whole table, in order, against the system's Mac OS Roman codec, but for the program's own
// choice at 0xBD: the ohm sign, which the font draws, where the codec has Greek capital omega.
TEST(MacRomanTable, MatchesTheSystemCodecButForTheOhmSign) {
    ASSERT_EQ(macRomanHighTableSize(), 128);
    QStringDecoder system("macintosh");
    if (!system.isValid()) GTEST_SKIP() << "this Qt has no Mac OS Roman codec";
    QByteArray high;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        high += char(byte);
    QString expected = system(high);
    ASSERT_EQ(expected.size(), 128);
    expected[0xBD - 0x80] = QChar(0x2126);
    for (int i = 0; i < 128; ++i)
        EXPECT_EQ(macRomanHighTable()[i], expected[i].unicode()) << "byte " << std::hex << 0x80 + i;
}

// Random bytes biased to what the decoder branches on; Qt's codec says independently which
// form they are in (no CR or leading mark here: those the decoder changes on purpose).
TEST(TextScreenEncodingProperties, RandomBytesDecodeAsQtSaysTheyAre) {
    const std::vector<int> interesting = {0x0D, 0x0A, 0x11, 0x12, 0xC2, 0xDF, 0xE0, 0xED,
                                          0xEF, 0xF0, 0xF4, 0xF5, 0xC0, 0xBB, 0xBF, 0x00};
    for (const quint32 seed : testSeeds(9001)) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        const auto below = [&](int n) { return int(random() % unsigned(n)); };
        for (int round = 0; round < 4000; ++round) {
            QByteArray bytes;
            for (int i = below(40); i > 0; --i) {
                const int kind = below(4);
                if (kind == 0) bytes += char(interesting[size_t(below(16))]);
                if (kind == 1) bytes += chars({char32_t(below(0x110000))}).toUtf8().left(below(5));
                if (kind >= 2) bytes += char(below(256));
            }
            const QString text = decodeTextScreenFileBytes(bytes);
            ASSERT_FALSE(text.contains(u'\r') || text.contains(QChar(0x11)) ||
                         text.contains(QChar(0x12)))
                << bytes.toHex(' ').toStdString();
            if (bytes.startsWith("\xEF\xBB\xBF") || bytes.contains('\r') || bytes.contains(0x11) ||
                bytes.contains(0x12))
                continue;
            if (isWellFormedUtf8(bytes)) {
                ASSERT_EQ(text, QString::fromUtf8(bytes)) << bytes.toHex(' ').toStdString();
            } else {
                ASSERT_EQ(text.size(), bytes.size()) << bytes.toHex(' ').toStdString();
            }
        }
    }
}

// Screen texts round trip through a file: Mac OS Roman when they can (unless those bytes also read
// as UTF-8), else as UTF-8. CR, U+0011, U+0012 and a leading U+FEFF are left out: reading turns
// them into LF, the extra glyphs and no mark.
TEST(TextScreenEncodingProperties, ScreenTextsRoundTrip) {
    std::vector<char32_t> fits = {'\n', '\t', 0x7F, 0xE000, 0xE001};
    for (char32_t c = 0x20; c < 0x7F; ++c)
        fits.push_back(c);
    for (int i = 0; i < 128; ++i)
        fits.push_back(macRomanHighTable()[i]);
    const std::vector<char32_t> needsUtf8 = {0x00,   0x01,   0x1F,   0x80,   0x03A9,  0x4E2D,
                                             0xF000, 0xF021, 0xF05E, 0xFEFF, 0x1F600, 0x10FFFF};
    for (const quint32 seed : testSeeds(9002)) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        for (int round = 0; round < 4000; ++round) {
            const bool utf8 = round % 2 == 1;
            std::u32string codePoints;
            for (int i = int(random() % 30); i > 0; --i)
                codePoints += fits[random() % fits.size()];
            if (utf8)
                codePoints.insert(random() % (codePoints.size() + 1), 1,
                                  needsUtf8[random() % needsUtf8.size()]);
            if (!codePoints.empty() && codePoints[0] == 0xFEFF) codePoints.insert(0, 1, 'A');
            const QString text = chars(codePoints);
            bool macRoman = utf8;
            const QByteArray bytes = encode(text, &macRoman);
            ASSERT_EQ(macRoman, !utf8) << text.toStdString();
            ASSERT_EQ(bytes.size(), utf8 ? text.toUtf8().size() : text.size());
            if (utf8) {
                ASSERT_EQ(bytes, text.toUtf8());
            }
            if (utf8 || !isWellFormedUtf8(bytes) || !hasHighByte(bytes)) {
                ASSERT_EQ(decodeTextScreenFileBytes(bytes), text) << text.toStdString();
            }
        }
    }
}

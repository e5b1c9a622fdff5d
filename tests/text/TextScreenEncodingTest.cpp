// Text screen file encoding: worked examples of both directions and properties over random input.
// Independent truth comes from Qt's own UTF-8 codec and from the published Mac OS Roman bytes.
#include "text/TextScreenEncoding.h"

#include <QSet>
#include <QStringDecoder>
#include <gtest/gtest.h>

#include <random>

namespace {

QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray bytes;
    for (const int value : values)
        bytes += static_cast<char>(value);
    return bytes;
}

// Built by hand: QString::fromUcs4 would drop a leading U+FEFF as a byte-order mark.
QString charsOf(std::initializer_list<char32_t> codePoints) {
    QString text;
    for (const char32_t codePoint : codePoints) {
        if (QChar::requiresSurrogates(codePoint)) {
            text += QChar(QChar::highSurrogate(codePoint));
            text += QChar(QChar::lowSurrogate(codePoint));
        } else {
            text += QChar(static_cast<char16_t>(codePoint));
        }
    }
    return text;
}

struct Encoded {
    QByteArray bytes;
    bool macRoman;
};

// Encodes twice, the flag starting true and then false, so a flag left unwritten shows up.
Encoded encode(const QString& text) {
    bool flagFromTrue = true;
    bool flagFromFalse = false;
    const QByteArray bytes = encodeTextScreenFileString(text, &flagFromTrue);
    EXPECT_EQ(encodeTextScreenFileString(text, &flagFromFalse), bytes);
    EXPECT_EQ(flagFromTrue, flagFromFalse) << "flag not written";
    return {bytes, flagFromTrue};
}

// Qt's decoder is the independent judge of well-formed UTF-8 here.
bool isWellFormedUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString ignored = decoder(bytes);
    return !decoder.hasError();
}

bool hasByteAbove7F(const QByteArray& bytes) {
    for (const char byte : bytes)
        if (static_cast<uchar>(byte) > 0x7F) return true;
    return false;
}

// A fresh seed each run (ORVEL_TEST_SEED repeats one); every failure message names it.
quint32 testSeed() {
    bool ok = false;
    const quint32 fixed = qEnvironmentVariable("ORVEL_TEST_SEED").toUInt(&ok);
    return ok ? fixed : std::random_device{}();
}

template <typename T>
T pick(std::mt19937& random, const std::vector<T>& pool) {
    return pool[std::uniform_int_distribution<size_t>(0, pool.size() - 1)(random)];
}

} // namespace

TEST(TextScreenDecoding, EmptyInputAndByteOrderMarkAlone) {
    EXPECT_EQ(decodeTextScreenFileBytes(QByteArray()), QString());
    EXPECT_TRUE(decodeTextScreenFileBytes(bytesOf({0xEF, 0xBB, 0xBF})).isEmpty());
    // Only the first mark is the file's; a second one is text.
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0xEF, 0xBB, 0xBF, 0xEF, 0xBB, 0xBF, 0x41})),
              charsOf({0xFEFF, 'A'}));
}

TEST(TextScreenDecoding, CarriageReturnsBecomeLineFeeds) {
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0x58, 0x0D, 0x0A, 0x59, 0x0D, 0x5A})),
              QStringLiteral("X\nY\nZ"));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0x0D, 0x0D, 0x0A, 0x0A, 0x0D})),
              QStringLiteral("\n\n\n\n"));
    // Also in a Mac OS Roman file.
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0x80, 0x0D, 0x0A, 0x80})),
              charsOf({0xC4, '\n', 0xC4}));
}

TEST(TextScreenDecoding, WellFormedUtf8IsReadAsUtf8) {
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0xC3, 0x84})), charsOf({0x00C4}));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0xE0, 0xA0, 0x80})), charsOf({0x0800}));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0xED, 0x9F, 0xBF})), charsOf({0xD7FF}));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0xF0, 0x90, 0x80, 0x80})), charsOf({0x10000}));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0xF4, 0x8F, 0xBF, 0xBF})), charsOf({0x10FFFF}));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0xEF, 0x80, 0xA1})), charsOf({0xF021}));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0x41, 0x00, 0x42})), charsOf({'A', 0, 'B'}));
}

TEST(TextScreenDecoding, AnythingElseIsReadByteByByteAsMacRoman) {
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0x80})), charsOf({0x00C4}));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0x80, 0x41})), charsOf({0x00C4, 'A'}));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0xBD})), charsOf({0x2126}));
    // One stray byte anywhere turns the whole file to Mac OS Roman, UTF-8 pairs included.
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0xC3, 0x84, 0x41, 0x80})),
              charsOf({0x221A, 0x00D1, 'A', 0x00C4}));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0x80, 0xC3, 0x84})),
              charsOf({0x00C4, 0x221A, 0x00D1}));
    // An encoded surrogate and an over-long form.
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0xED, 0xA0, 0x80})),
              charsOf({0x00CC, 0x2020, 0x00C4}));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0xC0, 0x80})), charsOf({0x00BF, 0x00C4}));
}

TEST(TextScreenDecoding, MalformedSequencesGiveOneCharacterPerByte) {
    const QByteArray malformed[] = {
        bytesOf({0xE0, 0x9F, 0xBF}),
        bytesOf({0xF0, 0x8F, 0xBF, 0xBF}),
        bytesOf({0xF4, 0x90, 0x80, 0x80}),
        bytesOf({0xF5, 0x80, 0x80, 0x80}),
        bytesOf({0xC1, 0xBF}),
        bytesOf({0x41, 0xC3}),
        bytesOf({0xE2, 0x82}),
        bytesOf({0xC3, 0xC3, 0x84}),
        bytesOf({0xBF}),
        bytesOf({0xF0, 0x9F, 0x98}),
    };
    for (const QByteArray& bytes : malformed) {
        SCOPED_TRACE(bytes.toHex(' ').toStdString());
        EXPECT_EQ(decodeTextScreenFileBytes(bytes).size(), bytes.size());
    }
}

TEST(TextScreenDecoding, ControlBytes11And12AreTheExtraGlyphsInBothForms) {
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0x11})), charsOf({0xE000}));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0x12, 0xC3, 0x84})), charsOf({0xE001, 0x00C4}));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0x11, 0x80, 0x12})),
              charsOf({0xE000, 0x00C4, 0xE001}));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0xEE, 0x80, 0x80})), charsOf({0xE000}));
    EXPECT_EQ(decodeTextScreenFileBytes(bytesOf({0xEE, 0x80, 0x81})), charsOf({0xE001}));
}

TEST(TextScreenDecoding, LeavesScreenShapeAlone) {
    QString screen = QStringLiteral("80\tTAB\n") + QString(200, u'W');
    for (int row = 0; row < 30; ++row)
        screen += QStringLiteral("\nROW");
    EXPECT_EQ(decodeTextScreenFileBytes(screen.toUtf8()), screen);
}

TEST(MacRomanTable, HasTheExpectedShape) {
    ASSERT_EQ(macRomanHighTableSize(), 128);
    const quint16* table = macRomanHighTable();
    QSet<quint16> distinct;
    for (int i = 0; i < 128; ++i)
        distinct.insert(table[i]);
    EXPECT_EQ(distinct.size(), 128);
    EXPECT_EQ(table[0x80 - 0x80], 0x00C4);
    EXPECT_EQ(table[0xBD - 0x80], 0x2126);
    EXPECT_EQ(table[0xCA - 0x80], 0x00A0);
    EXPECT_EQ(table[0xDB - 0x80], 0x20AC);
    EXPECT_EQ(table[0xF0 - 0x80], 0xF8FF);
    EXPECT_EQ(table[0xFF - 0x80], 0x02C7);
}

TEST(MacRomanTable, EveryHighByteRoundTrips) {
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        SCOPED_TRACE(byte);
        const QString text = decodeTextScreenFileBytes(bytesOf({byte}));
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(text[0].unicode(), macRomanHighTable()[byte - 0x80]);
        const Encoded encoded = encode(text);
        EXPECT_TRUE(encoded.macRoman);
        EXPECT_EQ(encoded.bytes, bytesOf({byte}));
    }
}

TEST(TextScreenEncoding, UsesMacRomanWhenEveryCharacterFits) {
    const Encoded screen = encode(QStringLiteral("80HELLO\nWORLD"));
    EXPECT_TRUE(screen.macRoman);
    EXPECT_EQ(screen.bytes, QByteArray("80HELLO\nWORLD"));

    const std::pair<QString, QByteArray> cases[] = {
        {charsOf({0x2126}), bytesOf({0xBD})},
        {charsOf({0x007F}), bytesOf({0x7F})},
        {charsOf({0x00A0}), bytesOf({0xCA})},
        {charsOf({'\t', 'A'}), bytesOf({0x09, 0x41})},
        {charsOf({0xE000, 0xE001}), bytesOf({0x11, 0x12})},
        {charsOf({0xF8FF, 0x20AC}), bytesOf({0xF0, 0xDB})},
    };
    for (const auto& [text, bytes] : cases) {
        SCOPED_TRACE(text.toStdString());
        const Encoded encoded = encode(text);
        EXPECT_TRUE(encoded.macRoman);
        EXPECT_EQ(encoded.bytes, bytes);
    }
}

TEST(TextScreenEncoding, FallsBackToUtf8ForTheWholeText) {
    const std::pair<QString, QByteArray> cases[] = {
        {charsOf({0x03A9}), bytesOf({0xCE, 0xA9})},
        {charsOf({'A', 'B', 0xF021}), bytesOf({0x41, 0x42, 0xEF, 0x80, 0xA1})},
        {charsOf({0xF000, 0xF05E}), bytesOf({0xEF, 0x80, 0x80, 0xEF, 0x81, 0x9E})},
        {charsOf({0x00C4, '\r', '\n'}), bytesOf({0xC3, 0x84, 0x0D, 0x0A})},
        {charsOf({0x11}), bytesOf({0x11})},
        {charsOf({0x00}), bytesOf({0x00})},
        {charsOf({0x0080}), bytesOf({0xC2, 0x80})},
        {charsOf({0x1F600}), bytesOf({0xF0, 0x9F, 0x98, 0x80})},
    };
    for (const auto& [text, bytes] : cases) {
        SCOPED_TRACE(bytes.toHex(' ').toStdString());
        const Encoded encoded = encode(text);
        EXPECT_FALSE(encoded.macRoman);
        EXPECT_EQ(encoded.bytes, bytes);
    }
}

TEST(TextScreenEncoding, EmptyTextAndNullFlag) {
    const Encoded empty = encode(QString());
    EXPECT_TRUE(empty.macRoman);
    EXPECT_TRUE(empty.bytes.isEmpty());

    const QString roman = charsOf({'A', 0x2126});
    const QString utf8 = charsOf({'A', 0xF041});
    EXPECT_EQ(encodeTextScreenFileString(roman, nullptr), encode(roman).bytes);
    EXPECT_EQ(encodeTextScreenFileString(utf8, nullptr), encode(utf8).bytes);
}

TEST(TextScreenEncoding, MacRomanBytesThatAreAlsoUtf8ReadBackAsUtf8) {
    const Encoded encoded = encode(charsOf({0x221A, 0x00D1}));
    EXPECT_TRUE(encoded.macRoman);
    EXPECT_EQ(encoded.bytes, bytesOf({0xC3, 0x84}));
    EXPECT_EQ(decodeTextScreenFileBytes(encoded.bytes), charsOf({0x00C4}));
}

// Random bytes favour what the decoder branches on: line ends, high bytes, UTF-8 leads.
TEST(TextScreenEncodingProperties, RandomBytesAlwaysDecode) {
    const quint32 seed = testSeed();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const std::vector<int> interesting = {0x0D, 0x0A, 0x11, 0x12, 0xC2, 0xDF, 0xE0, 0xED,
                                          0xEF, 0xF0, 0xF4, 0xF5, 0xC0, 0xBB, 0xBF, 0x00};
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        const int length = std::uniform_int_distribution<int>(0, 40)(random);
        for (int i = 0; i < length; ++i) {
            const int kind = std::uniform_int_distribution<int>(0, 3)(random);
            const int byte = kind == 0   ? pick(random, interesting)
                             : kind == 1 ? std::uniform_int_distribution<int>(0x80, 0xFF)(random)
                                         : std::uniform_int_distribution<int>(0x00, 0xFF)(random);
            bytes += static_cast<char>(byte);
        }
        const QString text = decodeTextScreenFileBytes(bytes);
        ASSERT_FALSE(text.contains(u'\r')) << bytes.toHex(' ').toStdString();
        ASSERT_FALSE(text.contains(QChar(0x11)) || text.contains(QChar(0x12)));
    }
}

// Without CR and a leading mark, Qt's codec decides independently which form the bytes are in.
TEST(TextScreenEncodingProperties, DecodingAgreesWithQtOnWhatIsUtf8) {
    const quint32 seed = testSeed();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const std::vector<char32_t> codePoints = {'A',    0x7F,   0xC4,   0x7FF,   0x800,    0xD7FF,
                                              0xE000, 0xFEFF, 0xFFFF, 0x10000, 0x10FFFF, 0x1F600};
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        const int pieces = std::uniform_int_distribution<int>(1, 6)(random);
        for (int i = 0; i < pieces; ++i) {
            QByteArray piece = charsOf({pick(random, codePoints)}).toUtf8();
            // Damage some pieces: cut them short, or swap one byte for a random one.
            const int damage = std::uniform_int_distribution<int>(0, 7)(random);
            if (damage == 0) piece.chop(1);
            if (damage == 1 && !piece.isEmpty())
                piece[std::uniform_int_distribution<int>(0, piece.size() - 1)(random)] =
                    static_cast<char>(std::uniform_int_distribution<int>(0x80, 0xFF)(random));
            bytes += piece;
        }
        if (bytes.startsWith("\xEF\xBB\xBF") || bytes.contains('\r')) continue;
        SCOPED_TRACE(bytes.toHex(' ').toStdString());
        const QString text = decodeTextScreenFileBytes(bytes);
        if (isWellFormedUtf8(bytes)) {
            ASSERT_EQ(text, QString::fromUtf8(bytes));
        } else {
            ASSERT_EQ(text.size(), bytes.size());
        }
    }
}

// Mac OS Roman strings hold no CR, U+0011 or U+0012 (those force UTF-8), so decoding can only
// differ where the bytes happen to be well-formed UTF-8 as well.
TEST(TextScreenEncodingProperties, MacRomanStringsRoundTrip) {
    const quint32 seed = testSeed();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::vector<char16_t> pool = {u'\n', u'\t', 0x7F, 0xE000, 0xE001};
    for (char16_t c = 0x20; c < 0x7F; ++c)
        pool.push_back(c);
    for (int i = 0; i < 128; ++i)
        pool.push_back(macRomanHighTable()[i]);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int length = std::uniform_int_distribution<int>(0, 30)(random);
        for (int i = 0; i < length; ++i)
            text += QChar(pick(random, pool));
        const Encoded encoded = encode(text);
        ASSERT_TRUE(encoded.macRoman) << text.toStdString();
        ASSERT_EQ(encoded.bytes.size(), text.size());
        if (isWellFormedUtf8(encoded.bytes) && hasByteAbove7F(encoded.bytes)) continue;
        ASSERT_EQ(decodeTextScreenFileBytes(encoded.bytes), text) << text.toStdString();
    }
}

// Every string here holds at least one character without a Mac OS Roman byte. The pool leaves
// out CR, U+0011 and U+0012, which decoding turns into LF and the extra glyphs, and never starts
// with U+FEFF, which decoding takes for a byte-order mark.
TEST(TextScreenEncodingProperties, StringsThatNeedUtf8RoundTrip) {
    const quint32 seed = testSeed();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const std::vector<char32_t> unencodable = {0x00,   0x01,   0x1F,   0x80,   0x03A9,  0x4E2D,
                                               0xF000, 0xF021, 0xF05E, 0xFEFF, 0x1F600, 0x10FFFF};
    const std::vector<char32_t> encodable = {'A',  'z',    '\n',   '\t',   0x7F,
                                             0xC4, 0x2126, 0xE000, 0xE001, 0xF8FF};
    for (int round = 0; round < 3000; ++round) {
        std::vector<char32_t> codePoints;
        const int length = std::uniform_int_distribution<int>(0, 20)(random);
        for (int i = 0; i < length; ++i)
            codePoints.push_back(pick(random, i % 3 == 0 ? unencodable : encodable));
        const int at = std::uniform_int_distribution<int>(0, length)(random);
        codePoints.insert(codePoints.begin() + at, pick(random, unencodable));
        if (codePoints.front() == 0xFEFF) codePoints.insert(codePoints.begin(), 'A');
        QString text;
        for (const char32_t codePoint : codePoints)
            text += charsOf({codePoint});

        const Encoded encoded = encode(text);
        ASSERT_FALSE(encoded.macRoman) << text.toStdString();
        ASSERT_EQ(encoded.bytes, text.toUtf8());
        ASSERT_EQ(decodeTextScreenFileBytes(encoded.bytes), text) << text.toStdString();
    }
}

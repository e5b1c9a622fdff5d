// Checks of the generated resources orvel ships: the four sounds, the icon and the text screens.
// Kept apart from the resource search tests: these read the files in source/resources themselves.
#include "support/TestPaths.h"
#include "text/TextScreenEncoding.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <vector>

namespace {

QByteArray readResource(const QString& relative) {
    QFile file(orvelSourcePath(QStringLiteral("source/resources/") + relative));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// ---- sounds ----

struct WavSound {
    QString error;
    int format = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<qint16> samples;
};

quint32 little32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 little16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

// Reads the "fmt " chunk's fields; the caller has checked the chunk is at least 16 bytes.
void readFormatChunk(const QByteArray& bytes, qsizetype at, WavSound& sound) {
    sound.format = little16(bytes, at);
    sound.channels = little16(bytes, at + 2);
    sound.sampleRate = static_cast<int>(little32(bytes, at + 4));
    sound.bitsPerSample = little16(bytes, at + 14);
    const quint32 blockAlign = little16(bytes, at + 12);
    const quint32 byteRate = little32(bytes, at + 8);
    if (blockAlign != quint32(sound.channels * sound.bitsPerSample / 8) ||
        byteRate != blockAlign * quint32(sound.sampleRate))
        sound.error = QStringLiteral("inconsistent block align or byte rate");
}

void readDataChunk(const QByteArray& bytes, qsizetype at, quint32 size, WavSound& sound) {
    for (quint32 offset = 0; offset + 1 < size; offset += 2)
        sound.samples.push_back(qFromLittleEndian<qint16>(bytes.constData() + at + offset));
}

// Walks the RIFF chunks as any player would, rather than assuming a 44-byte header.
WavSound parseWav(const QByteArray& bytes) {
    WavSound sound;
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        sound.error = QStringLiteral("not a RIFF/WAVE file");
        return sound;
    }
    if (little32(bytes, 4) != quint32(bytes.size() - 8)) {
        sound.error = QStringLiteral("RIFF size does not match the file size");
        return sound;
    }
    bool sawFormat = false;
    bool sawData = false;
    for (qsizetype at = 12; at + 8 <= bytes.size() && sound.error.isEmpty();) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = little32(bytes, at + 4);
        const qsizetype body = at + 8;
        if (body + qsizetype(size) > bytes.size()) {
            sound.error = QStringLiteral("chunk ") + QString::fromLatin1(id) + " overruns the file";
        } else if (id == "fmt " && size >= 16) {
            readFormatChunk(bytes, body, sound);
            sawFormat = true;
        } else if (id == "data") {
            readDataChunk(bytes, body, size, sound);
            sawData = true;
        }
        at = body + qsizetype(size) + (size & 1);
    }
    if (sound.error.isEmpty() && !(sawFormat && sawData))
        sound.error = QStringLiteral("missing fmt or data chunk");
    return sound;
}

int peakAmplitude(const std::vector<qint16>& samples) {
    int peak = 0;
    for (qint16 s : samples)
        peak = std::max(peak, std::abs(int(s)));
    return peak;
}

// Frequency from sign changes: a plain tone crosses zero twice a period.
double zeroCrossingFrequency(const std::vector<qint16>& samples, int sampleRate) {
    int crossings = 0;
    for (size_t i = 1; i < samples.size(); ++i)
        if ((samples[i - 1] < 0) != (samples[i] < 0)) ++crossings;
    return crossings / 2.0 / (double(samples.size()) / sampleRate);
}

class ShippedSound : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedSound, IsShortAudibleMono16BitPcm) {
    const QByteArray bytes = readResource(QStringLiteral("sounds/") + GetParam());
    ASSERT_FALSE(bytes.isEmpty()) << "missing or empty";
    const WavSound sound = parseWav(bytes);
    ASSERT_TRUE(sound.error.isEmpty()) << sound.error.toStdString();
    EXPECT_EQ(sound.format, 1) << "not PCM";
    EXPECT_EQ(sound.channels, 1);
    EXPECT_EQ(sound.bitsPerSample, 16);
    EXPECT_TRUE(sound.sampleRate == 22050 || sound.sampleRate == 44100) << sound.sampleRate;
    ASSERT_GT(sound.sampleRate, 0);
    const double seconds = double(sound.samples.size()) / sound.sampleRate;
    EXPECT_GT(seconds, 0.0);
    EXPECT_LT(seconds, 1.5);
    // Audible: well above the noise floor of 16-bit audio.
    EXPECT_GT(peakAmplitude(sound.samples), 3000);
}

INSTANTIATE_TEST_SUITE_P(Sounds, ShippedSound,
                         ::testing::Values("beep.wav", "drive_startup_a.wav", "pbbbt.wav",
                                           "drive_startup_b.wav"));

TEST(ShippedSoundBeep, IsAboutOneKilohertz) {
    const WavSound beep = parseWav(readResource(QStringLiteral("sounds/beep.wav")));
    ASSERT_TRUE(beep.error.isEmpty()) << beep.error.toStdString();
    ASSERT_GT(beep.sampleRate, 0);
    const double seconds = double(beep.samples.size()) / beep.sampleRate;
    EXPECT_GE(seconds, 0.05);
    EXPECT_LE(seconds, 0.2);
    const double frequency = zeroCrossingFrequency(beep.samples, beep.sampleRate);
    EXPECT_GT(frequency, 900.0);
    EXPECT_LT(frequency, 1100.0);
}

// ---- icon ----

TEST(ShippedIcon, IsA256SquareRgbaPngWithATransparentSurround) {
    const QByteArray bytes = readResource(QStringLiteral("orvel-icon.png"));
    ASSERT_TRUE(bytes.startsWith("\x89PNG\r\n\x1a\n")) << "not a PNG";
    QImage icon;
    ASSERT_TRUE(icon.loadFromData(bytes, "PNG"));
    EXPECT_EQ(icon.width(), 256);
    EXPECT_EQ(icon.height(), 256);
    EXPECT_TRUE(icon.hasAlphaChannel());
    // The monitor is drawn with rounded corners, so the picture's own corners stay clear.
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(255, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(128, 128)), 255) << "the screen in the middle is opaque";
}

// ---- text screens ----

struct ShippedScreen {
    const char* file;
    int columns;
};

void PrintTo(const ShippedScreen& screen, std::ostream* out) {
    *out << screen.file;
}

bool isInverse(QChar ch) {
    return ch.unicode() >= 0xF000 && ch.unicode() <= 0xF05E;
}

// A character the Apple II font draws: printable ASCII, an inverse form, or one with a byte of
// its own in Mac OS Roman (the font's extra glyphs, U+E000 and U+E001 included).
bool isScreenCharacter(QChar ch) {
    if (ch.unicode() >= 0x20 && ch.unicode() <= 0x7E) return true;
    if (isInverse(ch)) return true;
    bool macRoman = false;
    const QByteArray single = encodeTextScreenFileString(QString(ch), &macRoman);
    return macRoman && single.size() == 1 && quint8(single[0]) != 0x0A && quint8(single[0]) != 0x09;
}

QString describeCharacter(int row, int column, QChar ch) {
    return QStringLiteral("row %1 column %2 has U+%3")
        .arg(row)
        .arg(column)
        .arg(ch.unicode(), 4, 16, QLatin1Char('0'));
}

class ShippedTextScreen : public ::testing::TestWithParam<ShippedScreen> {
protected:
    QByteArray bytes() const {
        return readResource(QStringLiteral("textscreens/") + GetParam().file);
    }
};

TEST_P(ShippedTextScreen, FileHasTheWrittenForm) {
    const QByteArray data = bytes();
    ASSERT_FALSE(data.isEmpty()) << "missing or empty";
    EXPECT_FALSE(data.startsWith("\xEF\xBB\xBF")) << "byte order mark";
    EXPECT_FALSE(data.contains('\r'));
    EXPECT_FALSE(data.endsWith('\n')) << "line feed after the last row";
}

TEST_P(ShippedTextScreen, FitsTwentyFourRowsOfItsWidth) {
    const QString text = decodeTextScreenFileBytes(bytes());
    const bool marked80 = text.startsWith(QStringLiteral("80"));
    EXPECT_EQ(marked80 ? 80 : 40, GetParam().columns) << "wrong column marker";
    const int columns = marked80 ? 80 : 40;
    const QStringList rows = text.mid(marked80 ? 2 : 0).split(QLatin1Char('\n'));
    EXPECT_LE(rows.size(), 24);
    QStringList problems;
    for (int r = 0; r < rows.size(); ++r) {
        if (rows[r].size() > columns)
            problems << QStringLiteral("row %1 is %2 wide").arg(r).arg(rows[r].size());
        for (int c = 0; c < rows[r].size(); ++c)
            if (!isScreenCharacter(rows[r][c])) problems << describeCharacter(r, c, rows[r][c]);
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.mid(0, 10).join(QStringLiteral("; ")).toStdString();
}

// Mac OS Roman exactly when no inverse character is present, and the bytes are what the editor
// itself would write for the text they hold.
TEST_P(ShippedTextScreen, IsMacOsRomanExactlyWhenFreeOfInverse) {
    const QByteArray data = bytes();
    const QString text = decodeTextScreenFileBytes(data);
    const bool hasInverse = std::any_of(text.begin(), text.end(), isInverse);
    bool macRoman = false;
    EXPECT_EQ(encodeTextScreenFileString(text, &macRoman), data) << "does not round trip";
    EXPECT_EQ(macRoman, !hasInverse);
    if (hasInverse) {
        EXPECT_EQ(QString::fromUtf8(data), text) << "not plain UTF-8";
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, ShippedTextScreen,
                         ::testing::Values(ShippedScreen{"Apple_IIc.txt", 40},
                                           ShippedScreen{"ProDOS.txt", 40},
                                           ShippedScreen{"Welcome.txt", 80},
                                           ShippedScreen{"Text_Screen_Info.txt", 80},
                                           ShippedScreen{"Sample_Text_Screen.txt", 80}),
                         [](const ::testing::TestParamInfo<ShippedScreen>& info) {
                             std::string name = info.param.file;
                             name = name.substr(0, name.find('.'));
                             name.erase(std::remove(name.begin(), name.end(), '_'), name.end());
                             return name;
                         });

} // namespace

// What orvel-convert writes, against hand-worked dots: one-bit renders with and without the
// half-dot delay, the export's doubled rows, text screens' inverse cells, the order of the
// edits; and the shown sizes, smoothed only where the aspect is corrected.
#include "ConvertTestSupport.h"

#include "view/PictureFileRead.h"

#include <set>

namespace {

// The lit dots of row y: every pixel that is not black.
std::set<int> LitDots(const QImage& image, int y) {
    std::set<int> lit;
    for (int x = 0; x < image.width(); ++x)
        if ((image.pixel(x, y) & 0xFFFFFF) != 0) lit.insert(x);
    return lit;
}

} // namespace

// Hi-res line 0: 0x81 (bit 0, delayed); line 1 (offset 0x400): 0x7F. Double hi-res line 0:
// auxiliary bit 0 of column 0; line 1: main bit 6 of column 39.
TEST(ConvertRender, OneBitRendersLightTheHandWorkedDots) {
    const PictureDir files;
    QByteArray hgr(kBankSize, '\0'), dgr(2 * kBankSize, '\0');
    hgr[0] = '\x81', hgr[0x400] = 0x7F, dgr[0] = 0x01, dgr[kBankSize + 0x400 + 39] = 0x40;
    ASSERT_TRUE(WriteFile(files.path("h.hgr"), hgr) && WriteFile(files.path("d.dgr"), dgr));
    std::set<int> seven;
    for (int x = 0; x < 14; ++x)
        seven.insert(x);
    const std::tuple<QStringList, QString, std::set<int>, std::set<int>> cases[] = {
        {{}, "h.hgr", {1, 2}, seven},
        {{"--no-bit-shifting"}, "h.hgr", {0, 1}, seven},
        {{}, "d.dgr", {1}, {560}},
    };
    for (const auto& [options, input, line0, line1] : cases) {
        SCOPED_TRACE((options.join(' ') + input).toStdString());
        const QStringList common = options + QStringList{"--engine", "book", "--mono", "green"};
        const QImage raw = ConvertToImage(
            common + QStringList{"--size", "raw", "-o", files.path("raw.png"), files.path(input)});
        const QImage exported =
            ConvertToImage(common + QStringList{"-o", files.path("e.png"), files.path(input)});
        ASSERT_EQ(raw.size(), QSize(562, 192));
        ASSERT_EQ(exported.size(), QSize(562, 384));
        EXPECT_EQ(LitDots(raw, 0), line0);
        EXPECT_EQ(LitDots(raw, 1), line1);
        for (int y = 2; y < 192; ++y)
            ASSERT_TRUE(LitDots(raw, y).empty()) << "line " << y;
        EXPECT_EQ(raw.pixel(*line0.begin(), 0), qRgb(0x33, 0xFF, 0x33)); // "Black and Green"
        for (int y = 0; y < 384; ++y)
            ASSERT_EQ(exported.copy(0, y, 562, 1), raw.copy(0, y / 2, 562, 1)) << "row " << y;
    }
}

// Lines 0..7 of a cell are 0x400 apart; an inverse space lights all seven dots of each: byte
// 0x7F, the first of the auxiliary bank for 80 columns, of the main bank for 40.
TEST(ConvertRender, InverseSpacesFillTheirCellsInBothColumnModes) {
    const PictureDir files;
    for (const bool eighty : {false, true}) {
        const QString path = files.path(eighty ? "s80.txt" : "s40.TXT");
        ASSERT_TRUE(WriteFile(path, ((eighty ? "80" : "") + QString(QChar(0xF000))).toUtf8()));
        QByteArray expected(eighty ? 2 * kBankSize : kBankSize, '\0');
        for (int line = 0; line < 8; ++line)
            expected[line * 0x400] = 0x7F;
        EXPECT_EQ(ConvertToBytes({"--format", eighty ? "dhgr" : "hgr", path}), expected);
    }
}

TEST(ConvertRender, ToDhgrComesBeforeTheShiftsAndDhgrOutputAfterThem) {
    const PictureDir files;
    auto edited = [&](bool convertFirst) {
        ORVEL_GlobalsRec rec;
        InitGlobalsRec(&rec);
        readPictureInto(&rec, files.hgr().toStdString());
        if (convertFirst) ConvertRecordToDHGR(&rec);
        ShiftRecord(&rec, true);
        ShiftRecord(&rec, false);
        ShiftRecord(&rec, false);
        ConvertRecordToDHGR(&rec);
        const std::string bytes = pictureBytesOf(&rec);
        ReleaseGlobalsRec(&rec);
        return QByteArray(bytes.data(), static_cast<int>(bytes.size()));
    };
    const QStringList shifts = {"--shift", "left", "--shift", "right", "--shift", "right"};
    ASSERT_NE(edited(true), edited(false));
    EXPECT_EQ(
        ConvertToBytes(shifts + QStringList{"--to-dhgr", "-o", files.path("a.dgr"), files.hgr()}),
        edited(true))
        << "seed " << PictureDir::kSeed;
    EXPECT_EQ(ConvertToBytes(shifts + QStringList{"-o", files.path("b.DHGR"), files.hgr()}),
              edited(false))
        << "seed " << PictureDir::kSeed;
}

// On a one-bit picture only a corrected aspect is smoothed, which makes colours that the two of
// "Black and Green" are not.
TEST(ConvertRender, ShownSizesAndSmoothingFollowSizeAndAspect) {
    const PictureDir files;
    const std::tuple<const char*, const char*, QSize, bool> cases[] = {
        {"half", "1.0", {281, 192}, false},
        {"normal", "0.9", {506, 384}, true},
        {"double", "0.84", {948, 768}, true}};
    for (const auto& [sizeName, aspect, size, smoothed] : cases) {
        const QImage converted = ConvertToImage({"--size", sizeName, "--aspect", aspect, "--mono",
                                                 "green", "-o", files.path("s.png"), files.dhgr()});
        EXPECT_EQ(converted.size(), size) << sizeName;
        std::set<QRgb> colours;
        for (int y = 0; y < converted.height(); ++y)
            for (int x = 0; x < converted.width(); ++x)
                colours.insert(converted.pixel(x, y));
        EXPECT_EQ(colours.size() > 2, smoothed) << sizeName << " " << colours.size();
    }
}

// Every engine with and without bit shifting, on both kinds: the raw PNG is the core's render
// of the picture under exactly those settings.
TEST(ConvertRender, EveryEngineAndShiftSettingReachesTheRender) {
    const PictureDir files;
    const char* engines[] = {"dunmere", "double", "sharp", "book"};
    for (int engine = 0; engine < 4; ++engine)
        for (const bool shifting : {true, false})
            for (const QString& input : {files.hgr(), files.dhgr()}) {
                QStringList options = {
                    "--engine", engines[engine],       "--palette", "5", "--size", "raw",
                    "-o",       files.path("out.png"), input};
                if (!shifting) options.prepend("--no-bit-shifting");
                const QImage written = ConvertToImage(options);
                ORVEL_GlobalsRec rec;
                InitGlobalsRec(&rec);
                ASSERT_EQ(readPictureInto(&rec, input.toStdString()).status, PictureStatus::Loaded);
                rec.quenEngine = engine < 3;
                rec.schemeType = static_cast<std::uint16_t>(engine < 3 ? engine : 0);
                rec.paletteType = 5;
                rec.bitShifting = shifting;
                QImage expected(562, 192, QImage::Format_RGBA8888);
                RenderPicture(&rec, RGBAStore{expected.bits(), expected.bytesPerLine()});
                ReleaseGlobalsRec(&rec);
                EXPECT_EQ(written, expected.convertToFormat(QImage::Format_RGB32))
                    << engines[engine] << " shifting " << shifting << " " << input.toStdString();
            }
}

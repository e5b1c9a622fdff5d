// What orvel-convert writes: the core's render under every engine, shift and one-bit setting,
// raw or with the export's doubled rows; text screens' inverse cells, the order of the edits,
// and the shown sizes, smoothed only where the aspect is corrected.
#include "ConvertTestSupport.h"

#include "view/PictureFileRead.h"

#include <set>

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

// Every engine, with and without bit shifting, in colour and in "Black and Green", on both
// kinds: the PNG is the core's render under exactly those settings, raw when shifting, else
// exported at normal size with every row twice.
TEST(ConvertRender, EveryEngineShiftAndOneBitSettingReachesTheRender) {
    const PictureDir files;
    const char* engines[] = {"dunmere", "double", "sharp", "book"};
    for (int engine = 0; engine < 4; ++engine)
        for (const bool shifting : {true, false})
            for (const bool mono : {false, true})
                for (const QString& input : {files.hgr(), files.dhgr()}) {
                    QStringList options = {"--engine", engines[engine], "--palette", "5",
                                           shifting ? "--size=raw" : "--no-bit-shifting"};
                    if (mono) options << QStringList{"--mono", "green"};
                    const QImage written =
                        ConvertToImage(options + QStringList{"-o", files.path("out.png"), input});
                    ORVEL_GlobalsRec rec;
                    InitGlobalsRec(&rec);
                    ASSERT_EQ(readPictureInto(&rec, input.toStdString()).status,
                              PictureStatus::Loaded);
                    rec.quenEngine = engine < 3;
                    rec.schemeType = static_cast<std::uint16_t>(engine < 3 ? engine : 0);
                    rec.paletteType = 5;
                    rec.bitShifting = shifting;
                    rec.bmFinalDepth = mono ? 1 : 8;
                    rec.oneBitPalette = mono ? 1 : 0;
                    QImage render(562, 192, QImage::Format_RGBA8888);
                    RenderPicture(&rec, RGBAStore{render.bits(), render.bytesPerLine()});
                    ReleaseGlobalsRec(&rec);
                    const QImage expected = render.convertToFormat(QImage::Format_RGB32);
                    ASSERT_EQ(written.height(), shifting ? 192 : 384);
                    for (int y = 0; y < written.height(); ++y)
                        ASSERT_EQ(written.copy(0, y, 562, 1),
                                  expected.copy(0, y >> !shifting, 562, 1))
                            << engines[engine] << " shifting " << shifting << " mono " << mono
                            << " " << input.toStdString() << " row " << y;
                }
}

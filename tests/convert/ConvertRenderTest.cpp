// orvel-convert against the picture view: every engine, palette kind, bit-shifting setting and
// offset, every size and aspect, text screens, --to-dhgr and --shift give what the window gives.
#include "ConvertTestSupport.h"

#include "view/OrvelWidget.h"
#include "view/PictureFile.h"
#include "view/PicturePainting.h"

#include "text/TextScreenFile.h"

namespace {

struct EngineCase {
    const char* option;
    bool quen;
    std::uint16_t scheme;
};

const EngineCase kEngines[] = {
    {"dunmere", true, 0}, {"double", true, 1}, {"sharp", true, 2}, {"book", false, 1}};

} // namespace

TEST(ConvertRender, RawPngIsTheViewsRenderForEveryEngineAndSetting) {
    const PictureDir files;
    for (const QString& input : {files.hgr(), files.dhgr()})
        for (const EngineCase& engine : kEngines)
            for (const int mono : {-1, 1})
                for (const bool shifting : {true, false})
                    for (const int offset : {0, 1}) {
                        SCOPED_TRACE(testing::Message()
                                     << input.toStdString() << " engine " << engine.option
                                     << " mono " << mono << " shifting " << shifting << " offset "
                                     << offset << " seed " << PictureDir::kSeed);
                        QStringList arguments = {"--size",
                                                 "raw",
                                                 "--engine",
                                                 engine.option,
                                                 "--dhgr-offset",
                                                 QString::number(offset),
                                                 "-o",
                                                 files.path("out.png"),
                                                 input};
                        if (!shifting) arguments.prepend("--no-bit-shifting");
                        if (mono >= 0)
                            arguments << "--mono"
                                      << "green";

                        OrvelWidget view;
                        ORVEL_GlobalsRec* rec = view.globalsRec;
                        rec->quenEngine = engine.quen;
                        rec->schemeType = engine.scheme;
                        rec->bitShifting = shifting;
                        rec->dhgrColorOffset = static_cast<std::int16_t>(offset);
                        if (mono >= 0) {
                            rec->bmFinalDepth = 1;
                            rec->oneBitPalette = static_cast<std::uint16_t>(mono);
                        }
                        ASSERT_TRUE(view.loadFile(input));
                        EXPECT_TRUE(SameRgb(ConvertToImage(arguments), view.offscreenImage));
                    }
}

TEST(ConvertRender, PalettesByNumberOrNameAndOneBitWhiteFollowThePalette) {
    const PictureDir files;
    struct PaletteCase {
        QStringList options;
        std::uint16_t depth, palette, oneBit;
    };
    const PaletteCase cases[] = {
        {{"--palette", "0"}, 8, 0, 0},
        {{"--palette", "canon dv"}, 8, 5, 0},
        {{"--palette", "IIGS", "--engine", "book"}, 8, 7, 0},
        {{"--palette", "1", "--mono", "white", "--engine", "book"}, 1, 1, 0},
        {{"--mono", "amber", "--palette", "Tobrel"}, 1, 3, 2},
    };
    for (const PaletteCase& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        OrvelWidget view;
        view.globalsRec->quenEngine = !c.options.contains("book");
        view.globalsRec->bmFinalDepth = c.depth;
        view.globalsRec->paletteType = c.palette;
        view.globalsRec->oneBitPalette = c.oneBit;
        ASSERT_TRUE(view.loadFile(files.dhgr()));
        const QStringList arguments =
            c.options + QStringList{"--size", "raw", "-o", files.path("p.png"), files.dhgr()};
        EXPECT_TRUE(SameRgb(ConvertToImage(arguments), view.offscreenImage));
    }
}

TEST(ConvertRender, ShownSizesAreWhatTheViewPaints) {
    const PictureDir files;
    const char* sizes[] = {"half", "normal", "double"};
    const char* aspects[] = {"1.0", "0.9", "0.84"};
    for (int size = 0; size < 3; ++size)
        for (int aspect = 0; aspect < 3; ++aspect) {
            SCOPED_TRACE(testing::Message() << sizes[size] << " " << aspects[aspect]);
            OrvelWidget view;
            view.globalsRec->screenSize = static_cast<std::uint16_t>(size);
            view.globalsRec->aspectCorrect = static_cast<std::uint16_t>(aspect);
            ASSERT_TRUE(view.loadFile(files.dhgr()));
            const QImage converted =
                ConvertToImage({"--size", sizes[size], "--aspect", aspects[aspect], "-o",
                                files.path("shown.png"), files.dhgr()});
            EXPECT_EQ(converted.size(), view.size());
            EXPECT_TRUE(SameRgb(converted, view.grab().toImage()));
        }
}

TEST(ConvertRender, ExportIsTheSaveAsPngImageWhateverTheViewSize) {
    const PictureDir files;
    OrvelWidget view;
    view.globalsRec->quenEngine = false;
    ASSERT_TRUE(view.loadFile(files.hgr()));
    const QImage expected = exportedPicture(view.offscreenImage);
    ASSERT_EQ(expected.size(), QSize(562, 384));
    for (const QStringList& options :
         {QStringList{}, QStringList{"--size", "export"}, QStringList{"--aspect", "0.84"}}) {
        SCOPED_TRACE(options.join(' ').toStdString());
        const QImage converted = ConvertToImage(
            options + QStringList{"--engine", "book", "-o", files.path("e.png"), files.hgr()});
        EXPECT_TRUE(SameRgb(converted, expected));
    }
}

TEST(ConvertRender, TextScreensAreDrawnAsTheViewDrawsThem) {
    const PictureDir files;
    const QString inverse = QString(QChar(0xF021)) + QChar(0xF000) + QChar(0xF02F);
    const QString screens[] = {
        "HELLO, APPLE II\n\n  +----+\n  |  " + inverse + "|\n  +----+\nabc xyz 0123456789",
        "80" + QString("EIGHTY COLUMNS ").repeated(5) + "\nrow two " + inverse};
    for (const QString& screen : screens) {
        SCOPED_TRACE(screen.left(20).toStdString());
        const QString path = files.path("screen.TXT");
        ASSERT_TRUE(WriteFile(path, screen.toUtf8()));
        const TextScreenReadResult read = readTextScreenFile(path);
        ASSERT_TRUE(read.ok);
        OrvelWidget view;
        view.loadTextScreen(read.text);
        EXPECT_EQ(view.globalsRec->isDHGR, screen.startsWith("80"));
        EXPECT_TRUE(SameRgb(ConvertToImage({"--size", "raw", "-o", files.path("t.png"), path}),
                            view.offscreenImage));
    }
}

TEST(ConvertRender, FortyColumnTextAsHiresIsTheMainBankWithNoHighBit) {
    const PictureDir files;
    const QString path = files.path("forty.txt");
    ASSERT_TRUE(WriteFile(path, "TEXT SCREEN\n\x7F PIXELS\n~~~~"));
    const std::vector<ConversionResult> results = RunConverter({"--format", "hgr", path});
    ASSERT_EQ(results.size(), 1u);
    ASSERT_TRUE(results[0].ok) << results[0].error.toStdString();
    EXPECT_EQ(results[0].output, files.path("forty.hgr"));
    const QByteArray bytes = ReadFile(results[0].output);
    ASSERT_EQ(bytes.size(), kBankSize);
    EXPECT_NE(bytes.count('\0'), kBankSize) << "nothing drawn";
    for (int i = 0; i < bytes.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char>(bytes[i]) & 0x80, 0) << "byte " << i;

    OrvelWidget view;
    view.loadTextScreen(readTextScreenFile(path).text);
    EXPECT_EQ(bytes, mainBankBytes(view.globalsRec));
}

TEST(ConvertRender, DhgrOfAHiresPictureIsConvertToDHGR) {
    const PictureDir files;
    OrvelWidget view;
    ASSERT_TRUE(view.loadFile(files.hgr()));
    view.convertToDHGR();
    const QByteArray expected = pictureFileBytes(view.globalsRec);
    ASSERT_EQ(expected.size(), 2 * kBankSize);

    RunConverter({"--format", "dhgr", files.hgr()});
    EXPECT_EQ(ReadFile(files.path("picture.dgr")), expected) << "seed " << PictureDir::kSeed;
    RunConverter({"-o", files.path("named.DHGR"), files.hgr()}); // the extension decides
    EXPECT_EQ(ReadFile(files.path("named.DHGR")), expected);
}

TEST(ConvertRender, ShiftsApplyInOrderAfterTheConversionToDHGR) {
    const PictureDir files;
    for (const QString& input : {files.hgr(), files.dhgr()}) {
        SCOPED_TRACE(input.toStdString());
        OrvelWidget view;
        ASSERT_TRUE(view.loadFile(input));
        view.shiftImage(true);
        view.shiftImage(false);
        view.shiftImage(false);
        const QString out = files.path("shifted.png");
        EXPECT_TRUE(SameRgb(ConvertToImage({"--shift", "left", "--shift", "right", "--shift",
                                            "right", "--size", "raw", "-o", out, input}),
                            view.offscreenImage));
        // --format dhgr makes the shifted hi-res picture double hi-res only at the end.
        RunConverter({"--shift", "left", "--shift", "right", "--shift", "right", "-o",
                      files.path("shifted.bin"), "--format", "dhgr", input});
        view.convertToDHGR();
        EXPECT_EQ(ReadFile(files.path("shifted.bin")), pictureFileBytes(view.globalsRec));
    }

    // Given after --shift on the line, --to-dhgr still comes first; the other order differs.
    OrvelWidget convertedFirst, shiftedFirst;
    ASSERT_TRUE(convertedFirst.loadFile(files.hgr()));
    convertedFirst.convertToDHGR();
    convertedFirst.shiftImage(true);
    ASSERT_TRUE(shiftedFirst.loadFile(files.hgr()));
    shiftedFirst.shiftImage(true);
    shiftedFirst.convertToDHGR();
    ASSERT_NE(pictureFileBytes(convertedFirst.globalsRec),
              pictureFileBytes(shiftedFirst.globalsRec));
    RunConverter({"--shift", "left", "--to-dhgr", "-o", files.path("order.dgr"), files.hgr()});
    EXPECT_EQ(ReadFile(files.path("order.dgr")), pictureFileBytes(convertedFirst.globalsRec));
}

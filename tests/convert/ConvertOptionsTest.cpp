// The command line's worked examples: output names and formats, and settings left unnamed
// keeping a new record's values.
#include "ConvertTestSupport.h"

#include "convert/InputLoading.h"
#include "convert/OutputNaming.h"

#include <cstring>

namespace {

ConvertOptions Parsed(const QStringList& arguments) {
    const CommandLine line = parseCommandLine(QStringList{"orvel-convert"} + arguments);
    EXPECT_EQ(line.action, CommandAction::Convert) << line.error.toStdString();
    return line.options;
}

} // namespace

TEST(ConvertOptions, OutputsAreNamedAfterTheirInputsBesideThemOrInTheDirectory) {
    QTemporaryDir dir;
    const QString outDir = dir.path();
    struct NameCase {
        QStringList arguments;
        const char* input;
        QString expected;
    };
    const NameCase cases[] = {
        {{}, "pair.hgr", "pair.png"},
        {{}, "pics/SHIP", "pics/SHIP.png"},
        {{"--format", "dhgr"}, "/a/b/c.d.hgr", "/a/b/c.d.dgr"},
        {{"--format", "hgr"}, "screen40.TXT", "screen40.hgr"},
        {{"-o", outDir}, "x/y/bars.dhgr", outDir + "/bars.png"},
        {{"-o", "named.bin"}, "x/bars.dhgr", "named.bin"},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.input);
        const ConvertOptions options = Parsed(c.arguments + QStringList{c.input});
        EXPECT_EQ(outputPathFor(c.input, options), c.expected);
    }
}

TEST(ConvertOptions, FormatComesFromTheOptionElseTheOutputsExtensionElsePng) {
    struct FormatCase {
        QStringList arguments;
        OutputFormat expected;
    };
    const FormatCase cases[] = {
        {{"-o", "a.PNG"}, OutputFormat::Png},
        {{"-o", "a.hgr"}, OutputFormat::Hgr},
        {{"-o", "a.dgr"}, OutputFormat::Dhgr},
        {{"-o", "a.Dhgr"}, OutputFormat::Dhgr},
        {{"-o", "a.bin"}, OutputFormat::Png},
        {{}, OutputFormat::Png},
        {{"--format", "HGR", "-o", "a.png"}, OutputFormat::Hgr},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        EXPECT_EQ(Parsed(c.arguments + QStringList{"in.dhgr"}).format, c.expected);
    }
}

TEST(ConvertOptions, UnnamedSettingsKeepANewRecordsValues) {
    ORVEL_GlobalsRec fresh, set;
    InitGlobalsRec(&fresh);
    InitGlobalsRec(&set);
    applyRenderSettings(Parsed({"--size", "raw", "in.hgr"}).settings, &set);
    EXPECT_EQ(std::memcmp(&fresh, &set, kSettingsBlockSize), 0);

    applyRenderSettings(Parsed({"--mono", "amber", "--engine", "book", "in.hgr"}).settings, &set);
    EXPECT_EQ(set.bmFinalDepth, 1);
    EXPECT_EQ(set.oneBitPalette, 2);
    EXPECT_FALSE(set.quenEngine);
    EXPECT_EQ(set.schemeType, fresh.schemeType);
    EXPECT_EQ(set.paletteType, fresh.paletteType);
    EXPECT_EQ(set.screenSize, fresh.screenSize);
    EXPECT_TRUE(set.bitShifting);
    ReleaseGlobalsRec(&fresh);
    ReleaseGlobalsRec(&set);
}

TEST(ConvertOptions, FailureLinesDropThePathTheReaderNamed) {
    ORVEL_GlobalsRec rec;
    InitGlobalsRec(&rec);
    EXPECT_EQ(loadInput(&rec, "a/b.hgr").error, "File not found");
    EXPECT_EQ(loadInput(&rec, "a/s.txt").error, "Cannot open text screen");
    ReleaseGlobalsRec(&rec);
}

// The command line: each option's record fields (and only those), usage errors on both sides
// of every value's range, output names and formats.
#include "ConvertTestSupport.h"

#include "convert/OutputNaming.h"

#include <cstring>
#include <functional>

namespace {

ConvertOptions Parsed(const QStringList& arguments) {
    const CommandLine line = Parse(arguments);
    EXPECT_EQ(line.action, CommandAction::Convert) << line.error;
    return line.options;
}

} // namespace

TEST(ConvertOptions, EachOptionWritesItsFieldsAndNoOthers) {
    using R = ORVEL_GlobalsRec;
    const std::pair<QStringList, std::function<void(R&)>> cases[] = {
        {{"--size", "raw"}, [](R&) {}},
        {{"--engine", "dunmere"}, [](R& r) { r.schemeType = 0; }},
        {{"--engine", "SHARP"}, [](R& r) { r.schemeType = 2; }},
        {{"--engine", "Composite"}, [](R& r) { r.schemeType = kCompositeScheme; }},
        {{"--engine", "book", "--engine", "double"}, [](R& r) { r.schemeType = 1; }},
        {{"--engine", "book", "--no-bit-shifting"},
         [](R& r) { r.quenEngine = r.bitShifting = false; }},
        {{"--palette", "0"}, [](R& r) { r.paletteType = 0; }},
        {{"--palette", "7"}, [](R& r) { r.paletteType = 7; }},
        {{"--palette", " canon dv "}, [](R& r) { r.paletteType = 5; }},
        {{"--palette", "1", "--mono", "white"},
         [](R& r) { r.paletteType = 1, r.bmFinalDepth = 1, r.oneBitPalette = 0; }},
        {{"--mono", "amber", "--palette", "Tobrel"},
         [](R& r) { r.paletteType = 3, r.bmFinalDepth = 1, r.oneBitPalette = 2; }},
        {{"--dhgr-offset", "1"}, [](R& r) { r.dhgrColorOffset = 1; }},
        {{"--size", "half", "--aspect", "0.9"},
         [](R& r) { r.screenSize = 0, r.aspectCorrect = 1; }},
        {{"--size", "double", "--aspect", "0.84"},
         [](R& r) { r.screenSize = 2, r.aspectCorrect = 2; }},
        {{"--size", "normal", "--aspect", "1"}, [](R&) {}},
    };
    for (const auto& [options, edit] : cases) {
        R expected, set;
        InitGlobalsRec(&expected);
        InitGlobalsRec(&set);
        edit(expected);
        applyRenderSettings(Parsed(options + QStringList{"in.hgr"}).settings, &set);
        EXPECT_EQ(std::memcmp(&expected, &set, kSettingsBlockSize), 0)
            << options.join(' ').toStdString();
        ReleaseGlobalsRec(&expected);
        ReleaseGlobalsRec(&set);
    }
}

TEST(ConvertOptions, BadValuesAreUsageErrors) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--engine", "foo"},
         "--engine: unknown engine \"foo\" (dunmere, double, sharp, book, composite)"},
        {{"--palette", "8"}, "--palette: unknown palette \"8\""},
        {{"--palette", "-1"}, "--palette: unknown palette \"-1\""},
        {{"--dhgr-offset", "2"}, "--dhgr-offset: unknown offset"},
        {{"--aspect", "0.8"}, "--aspect: unknown aspect"},
        {{"--shift", "up"}, "--shift: unknown direction"},
        {{"--format", "gif"}, "--format: unknown format"},
        {{"--mono", "red"}, "--mono: unknown one-bit palette"},
        {{"--frobnicate"}, "Unknown option 'frobnicate'."},
        {{"-x"}, "Unknown option 'x'."},
        {{"--to-dhgr=1"}, "Unexpected value after '--to-dhgr'."},
        {{"-o", ""}, "--output: the path is empty"},
        {{"--output="}, "--output: the path is empty"},
    };
    for (const auto& [options, message] : cases) {
        const CommandLine line = Parse(options + QStringList{"in.hgr"});
        EXPECT_EQ(line.action, CommandAction::UsageError) << options.join(' ').toStdString();
        EXPECT_EQ(line.error.rfind(message, 0), 0u) << line.error;
    }
    EXPECT_EQ(Parse({"--engine"}).error, "Missing value after '--engine'.");
    EXPECT_EQ(Parse({"--mono", "green"}).error, "no input files");
    EXPECT_EQ(Parsed({"--", "-o", "--help"}).inputs, (std::vector<std::string>{"-o", "--help"}));
    EXPECT_EQ(Parsed({"-oout.png", "in.hgr"}).output, "out.png");
}

// Names beside the input or in the output directory; the format from --format, else from the
// output's extension, else PNG.
TEST(ConvertOptions, OutputsAreNamedAfterTheirInputsBesideThemOrInTheDirectory) {
    QTemporaryDir dir;
    const std::string outDir = dir.path().toStdString();
    const std::tuple<QStringList, std::string, std::string, OutputFormat> cases[] = {
        {{}, "pair.hgr", "pair.png", OutputFormat::Png},
        {{}, "pics/SHIP", "pics/SHIP.png", OutputFormat::Png},
        {{}, "pics/.hgr", "pics/.hgr.png", OutputFormat::Png},
        {{"--format", "dhgr"}, "/a/b/c.d.hgr", "/a/b/c.d.dgr", OutputFormat::Dhgr},
        {{"--format", "HGR"}, "screen40.TXT", "screen40.hgr", OutputFormat::Hgr},
        {{"-o", dir.path()}, "x/y/bars.dhgr", outDir + "/bars.png", OutputFormat::Png},
        {{"-o", dir.path() + "/"}, "bars.dhgr", outDir + "/bars.png", OutputFormat::Png},
        {{"-o", "named.bin"}, "x/bars.dhgr", "named.bin", OutputFormat::Png},
        {{"-o", "a.PNG"}, "", "a.PNG", OutputFormat::Png},
        {{"-o", "a.hgr"}, "", "a.hgr", OutputFormat::Hgr},
        {{"-o", "a.dgr"}, "", "a.dgr", OutputFormat::Dhgr},
        {{"-o", "a.Dhgr"}, "", "a.Dhgr", OutputFormat::Dhgr},
        {{"--format", "hgr", "-o", "a.png"}, "", "a.png", OutputFormat::Hgr},
    };
    for (const auto& [options, input, expected, format] : cases) {
        const ConvertOptions parsed = Parsed(options + QStringList{"in.dhgr"});
        EXPECT_EQ(outputPathFor(input, parsed), expected);
        EXPECT_EQ(parsed.format, format) << options.join(' ').toStdString();
    }
}

// The orvel-convert executable: exit status, one stderr line per failed input, the other inputs
// still converted, and nothing written (no output, no temporary file) for a failure or bad usage.
#include "ConvertTestSupport.h"

#include <QProcess>

namespace {

struct ProcessRun {
    int status = -1;
    QString out;
    QStringList errorLines;
};

ProcessRun RunExecutable(const QStringList& arguments, const QString& workingDirectory) {
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(ORVEL_CONVERT_EXE), arguments);
    ProcessRun run;
    if (!process.waitForFinished(60000)) {
        ADD_FAILURE() << "orvel-convert did not finish";
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.errorLines = QString::fromLocal8Bit(process.readAllStandardError())
                         .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return run;
}

QStringList Entries(const QString& directory) {
    return QDir(directory).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                     QDir::Name);
}

} // namespace

TEST(ConvertCommand, BadInputsFailOneLineEachWhileTheOthersConvert) {
    const PictureDir files;
    ASSERT_TRUE(QDir(files.dir.path()).mkdir("folder"));
    ASSERT_TRUE(WriteFile(files.path("short.hgr"), SeededBytes(7, kBankSize - 8)));
    ASSERT_TRUE(WriteFile(files.path("short.png"), "kept"));
    ASSERT_TRUE(WriteFile(files.path("screen.txt"), "A TEXT SCREEN"));
    const QStringList before = Entries(files.dir.path());

    const ProcessRun run = RunExecutable({"picture.hgr", "missing.hgr", "folder", "short.hgr",
                                          "screen.txt", "picture.dhgr", "--engine", "book"},
                                         files.dir.path());
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.errorLines.size(), 4) << run.errorLines.join('\n').toStdString();
    EXPECT_EQ(run.errorLines[0].toStdString(), "orvel-convert: missing.hgr: File not found");
    EXPECT_EQ(run.errorLines[1].toStdString(), "orvel-convert: folder: Not a picture file");
    EXPECT_EQ(run.errorLines[2].toStdString(),
              "orvel-convert: short.hgr: Too short to be a picture (8184 bytes)");
    // Both pictures would be picture.png: the second is refused rather than replacing the first.
    EXPECT_TRUE(run.errorLines[3].startsWith("orvel-convert: picture.dhgr: the output"));

    EXPECT_EQ(ReadFile(files.path("short.png")), "kept");
    QStringList expected = before + QStringList{"picture.png", "screen.png"};
    expected.sort();
    EXPECT_EQ(Entries(files.dir.path()), expected);
    EXPECT_EQ(QImage(files.path("screen.png")).size(), QSize(562, 384));
}

TEST(ConvertCommand, AnOutputIntoAMissingDirectoryFailsAndLeavesNothing) {
    const PictureDir files;
    const QStringList before = Entries(files.dir.path());
    const ProcessRun run =
        RunExecutable({"-o", "nowhere/picture.png", "picture.dhgr"}, files.dir.path());
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.errorLines.size(), 1);
    EXPECT_TRUE(run.errorLines[0].startsWith("orvel-convert: picture.dhgr: Cannot write"))
        << run.errorLines[0].toStdString();
    EXPECT_TRUE(run.errorLines[0].contains("nowhere/picture.png"));
    EXPECT_EQ(Entries(files.dir.path()), before);
}

TEST(ConvertCommand, AnOutputNeverReplacesAnInput) {
    const PictureDir files;
    const QByteArray original = ReadFile(files.hgr());
    const ProcessRun run = RunExecutable({"--format", "hgr", "picture.hgr"}, files.dir.path());
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.errorLines.size(), 1);
    EXPECT_EQ(run.errorLines[0].toStdString(),
              "orvel-convert: picture.hgr: the output would overwrite the input itself");
    EXPECT_EQ(ReadFile(files.hgr()), original);

    // Nor another input of the same batch, nor the companion that supplied the auxiliary bank.
    ASSERT_TRUE(WriteFile(files.path("picture.AUX"), SeededBytes(3, kBankSize)));
    const QByteArray companion = ReadFile(files.path("picture.AUX"));
    const ProcessRun companionRun =
        RunExecutable({"-o", "picture.AUX", "picture.hgr"}, files.dir.path());
    EXPECT_EQ(companionRun.status, 1);
    EXPECT_EQ(ReadFile(files.path("picture.AUX")), companion);
    const ProcessRun batch =
        RunExecutable({"--format", "hgr", "picture.dhgr", "picture.hgr"}, files.dir.path());
    EXPECT_EQ(batch.status, 1);
    EXPECT_EQ(ReadFile(files.hgr()), original);
}

TEST(ConvertCommand, BadUsageExitsTwoAndWritesNothing) {
    const PictureDir files;
    const QStringList before = Entries(files.dir.path());
    struct UsageCase {
        QStringList arguments;
        const char* message;
    };
    const UsageCase cases[] = {
        {{"--engine", "foo", "picture.hgr"},
         "orvel-convert: --engine: unknown engine \"foo\" (dunmere, double, sharp, book)"},
        {{"--palette", "9", "picture.hgr"}, "orvel-convert: --palette: unknown palette \"9\""},
        {{"--frobnicate", "picture.hgr"}, "orvel-convert: Unknown option 'frobnicate'."},
        {{"--engine", "book"}, "orvel-convert: no input files"},
        {{"-o", "missing-dir", "picture.hgr", "picture.dhgr"},
         "orvel-convert: --output: \"missing-dir\" is not an existing directory"},
    };
    for (const UsageCase& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const ProcessRun run = RunExecutable(c.arguments, files.dir.path());
        EXPECT_EQ(run.status, 2);
        ASSERT_EQ(run.errorLines.size(), 2);
        EXPECT_TRUE(run.errorLines[0].startsWith(c.message)) << run.errorLines[0].toStdString();
        EXPECT_TRUE(run.errorLines[1].contains("--help"));
        EXPECT_EQ(Entries(files.dir.path()), before);
    }
}

TEST(ConvertCommand, BatchIntoADirectoryIsQuietAndHelpAndVersionExitZero) {
    const PictureDir files;
    ASSERT_TRUE(QDir(files.dir.path()).mkdir("out"));
    ASSERT_TRUE(WriteFile(files.path("second.DGR"), SeededBytes(11, 2 * kBankSize)));
    const ProcessRun run = RunExecutable(
        {"-o", "out", "--format", "dhgr", "picture.hgr", "second.DGR", "--mono", "white"},
        files.dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.errorLines.isEmpty()) << run.errorLines.join('\n').toStdString();
    EXPECT_EQ(Entries(files.path("out")), QStringList({"picture.dgr", "second.dgr"}));
    EXPECT_EQ(ReadFile(files.path("out/second.dgr")), ReadFile(files.path("second.DGR")));

    const ProcessRun help = RunExecutable({"--help"}, files.dir.path());
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("--to-dhgr"));
    const ProcessRun version = RunExecutable({"--version"}, files.dir.path());
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith("orvel-convert ")) << version.out.toStdString();
}

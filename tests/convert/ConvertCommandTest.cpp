// The orvel-convert executable: exit status, one stderr line per failed input with the system's
// reason, the other inputs still converted, nothing written for a failure or bad usage, outputs
// that are not regular files never replaced, any file name the system holds.
#include "ConvertTestSupport.h"

#include <QFileInfo>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(ConvertCommand, BadInputsFailOneLineEachWhileTheOthersConvert) {
    const PictureDir files;
    ASSERT_TRUE(QDir(files.dir.path()).mkdir("folder"));
    ASSERT_TRUE(WriteFile(files.path("short.hgr"), SeededBytes(7, kBankSize - 9)));
    ASSERT_TRUE(WriteFile(files.path("short.png"), "kept"));
    ASSERT_TRUE(WriteFile(files.path("screen.txt"), "A TEXT SCREEN"));
    ASSERT_EQ(::symlink("loop.hgr", files.path("loop.hgr").toLocal8Bit()), 0);
    ASSERT_EQ(::mkfifo(files.path("pipe.hgr").toLocal8Bit(), 0600), 0); // never waited on
    const QStringList before = files.entries();

    const ProcessRun run =
        RunExecutable({"picture.hgr", "missing.hgr", "folder", "short.hgr", "loop.hgr", "pipe.hgr",
                       "screen.txt", "picture.dhgr", "--engine", "book"},
                      files.dir.path());
    EXPECT_EQ(run.status, 1);
    const QStringList expected = {
        "orvel-convert: missing.hgr: File not found", "orvel-convert: folder: Not a picture file",
        "orvel-convert: short.hgr: Too short to be a picture (8183 bytes)",
        "orvel-convert: loop.hgr: Cannot open (Too many levels of symbolic links)",
        "orvel-convert: pipe.hgr: Not a picture file",
        // Both pictures would be picture.png: the second is refused rather than replacing it.
        "orvel-convert: picture.dhgr: the output picture.png is the output of an earlier input"};
    EXPECT_EQ(run.errorLines, expected);
    EXPECT_EQ(ReadFile(files.path("short.png")), "kept");
    QStringList after = before + QStringList{"picture.png", "screen.png"};
    after.sort();
    EXPECT_EQ(files.entries(), after);
    EXPECT_EQ(QImage(files.path("screen.png")).size(), QSize(562, 384));
}

TEST(ConvertCommand, OutputsThatCannotOrMustNotBeWrittenAreReported) {
    const PictureDir files;
    ASSERT_EQ(::mkfifo(files.path("fifo.png").toLocal8Bit(), 0600), 0);
    ASSERT_TRUE(WriteFile(files.path("picture.AUX"), SeededBytes(3, kBankSize)));
    const QByteArray picture = ReadFile(files.hgr()),
                     companion = ReadFile(files.path("picture.AUX"));
    const QStringList before = files.entries();
    const std::pair<QStringList, QString> cases[] = {
        {{"-o", "nowhere/p.png", "picture.dhgr"},
         "picture.dhgr: Cannot write nowhere/p.png: No such file or directory"},
        {{"-o", "fifo.png", "picture.dhgr"},
         "picture.dhgr: Cannot write fifo.png: not a regular file, so it is not replaced"},
        {{"--format", "hgr", "picture.hgr"},
         "picture.hgr: the output would overwrite the input itself"},
        {{"-o", "picture.AUX", "picture.hgr"},
         "picture.hgr: the output picture.AUX would overwrite another input"},
        {{"--format", "hgr", "picture.dhgr", "picture.hgr"},
         "picture.dhgr: the output picture.hgr would overwrite another input"},
    };
    for (const auto& [arguments, message] : cases) {
        const ProcessRun run = RunExecutable(arguments, files.dir.path());
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.errorLines.contains("orvel-convert: " + message))
            << run.errorLines.join('\n').toStdString();
    }
    EXPECT_EQ(files.entries(), before);
    EXPECT_FALSE(QFileInfo(files.path("fifo.png")).isFile());
    EXPECT_EQ(ReadFile(files.hgr()), picture);
    EXPECT_EQ(ReadFile(files.path("picture.AUX")), companion);
}

TEST(ConvertCommand, BadUsageExitsTwoAndWritesNothingWhileHelpAndVersionExitZero) {
    const PictureDir files;
    const QStringList before = files.entries();
    for (const QStringList& arguments :
         {QStringList{"--engine", "foo", "picture.hgr"}, QStringList{"-o", "", "picture.hgr"},
          QStringList{"-o", "missing-dir", "picture.hgr", "picture.dhgr"}}) {
        const ProcessRun run = RunExecutable(arguments, files.dir.path());
        EXPECT_EQ(run.status, 2);
        ASSERT_EQ(run.errorLines.size(), 2);
        EXPECT_TRUE(run.errorLines[0].startsWith("orvel-convert: --"));
        EXPECT_TRUE(run.errorLines[1].contains("--help"));
        EXPECT_EQ(files.entries(), before);
    }
    const ProcessRun help = RunExecutable({"--help"}, files.dir.path()),
                     version = RunExecutable({"--version"}, files.dir.path());
    EXPECT_TRUE(help.status == 0 && help.out.contains("--to-dhgr"));
    EXPECT_TRUE(version.status == 0 && version.out.startsWith("orvel-convert "));
    const ProcessRun full =
        RunExecutable({"--help"}, files.dir.path(), ORVEL_CONVERT_EXE, "/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.errorLines.value(0).toStdString(),
              "orvel-convert: cannot write to standard output: No space left on device");
}

TEST(ConvertCommand, BatchIntoADirectoryAndNamesThatAreNotUtf8) {
    const PictureDir files;
    ASSERT_TRUE(QDir(files.dir.path()).mkdir("out"));
    ASSERT_TRUE(WriteFile(files.path("second.DGR"), SeededBytes(11, 2 * kBankSize)));
    const ProcessRun run = RunExecutable(
        {"-o", "out", "--format", "dhgr", "picture.hgr", "second.DGR", "--mono", "white"},
        files.dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.errorLines.isEmpty()) << run.errorLines.join('\n').toStdString();
    EXPECT_EQ(files.entries("out"), QStringList({"picture.dgr", "second.dgr"}));
    EXPECT_EQ(ReadFile(files.path("out/second.dgr")), ReadFile(files.path("second.DGR")));

    // Qt cannot even spell this name, so the file is made and found by its bytes.
    const std::string dir = files.dir.path().toStdString();
    const int fd = ::open((dir + "/bad\xff.hgr").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, SeededBytes(5, kBankSize).constData(), kBankSize), kBankSize);
    ::close(fd);
    const ProcessRun bad =
        RunExecutable({"-c", "exec \"$0\" \"$(printf 'bad\\377.hgr')\"", ORVEL_CONVERT_EXE},
                      files.dir.path(), "sh");
    EXPECT_EQ(bad.status, 0) << bad.errorLines.join('\n').toStdString();
    EXPECT_EQ(::access((dir + "/bad\xff.png").c_str(), F_OK), 0);
}

TEST(ConvertCommand, ATextScreenWithoutTheFontConvertsWithOneWarning) {
    // The program and its helper copied where no resource can be found.
    const PictureDir files;
    const QString exe = files.path("orvel-convert");
    ASSERT_TRUE(QFile::copy(ORVEL_CONVERT_EXE, exe));
    ASSERT_TRUE(QFile::copy(ORVEL_CONVERT_GUI, files.path("orvel-convert-gui.so")));
    ASSERT_TRUE(WriteFile(files.path("a.txt"), "HELLO"));
    ASSERT_TRUE(WriteFile(files.path("b.txt"), "WORLD"));
    const ProcessRun run = RunExecutable({"a.txt", "b.txt"}, files.dir.path(), exe);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.errorLines, QStringList{"orvel-convert: a.txt: warning: the Apple II font "
                                          "(fonts/Apple_II.ttf) was not found: text screens show "
                                          "only their inverse cells"});
    EXPECT_TRUE(QFileInfo(files.path("b.png")).isFile());
}

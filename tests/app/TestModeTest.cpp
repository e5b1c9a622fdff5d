// `orvel FILE --test [OUT]` run as a real process with no display: which arguments select it,
// the line on standard error, the PNG's pixels against a direct render with the test mode's
// fixed settings, and an output that cannot be written, which must not pass for success.
#include "AppTestSupport.h"

#include "app/TestMode.h"
#include "view/PictureFile.h"

#include <QImage>
#include <QProcess>

namespace {

struct ProcessRun {
    int status;
    QString errors;
};

ProcessRun runOrvel(const QStringList& arguments, const QString& home) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(name);
    environment.insert("XDG_CONFIG_HOME", home); // the user's preferences stay out of it
    process.setProcessEnvironment(environment);
    process.start(ORVEL_EXE, arguments);
    if (!process.waitForFinished(60000)) process.kill();
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

TEST(TestMode, OnlyExactlyDashDashTestAsTheSecondArgument) {
    EXPECT_TRUE(isTestModeRequest({"orvel", "p.hgr", "--test"}));
    EXPECT_TRUE(isTestModeRequest({"orvel", "p.hgr", "--test", "out.png", "more"}));
    EXPECT_FALSE(isTestModeRequest({"orvel", "p.hgr"}));
    EXPECT_FALSE(isTestModeRequest({"orvel", "p.hgr", "--TEST"}));
    EXPECT_FALSE(isTestModeRequest({"orvel", "--test", "p.hgr"}));
}

TEST_F(AppTest, TestModeWritesTheRenderAndFailsLoudly) {
    const QString picture = path("bars.dhgr");
    const QByteArray bytes = SeededBytes(77, 16384);
    ASSERT_TRUE(WriteFile(picture, bytes));
    const ProcessRun ok = runOrvel({picture, "--test", path("out.png"), "ignored"}, path("home"));
    EXPECT_EQ(ok.status, 0) << ok.errors.toStdString();
    EXPECT_TRUE(ok.errors.contains("offscreen: 562x192 format=17\n")) << ok.errors.toStdString();

    // A direct render of the same picture with "Quen: Double", palette 2, in colour.
    ORVEL_GlobalsRec direct;
    InitGlobalsRec(&direct);
    ASSERT_TRUE(loadPictureInto(&direct, picture).ok);
    QImage expected(562, 192, QImage::Format_RGBA8888);
    RenderPicture(&direct, RGBAStore{expected.bits(), expected.bytesPerLine()});
    ReleaseGlobalsRec(&direct);
    globalsP = rec();
    EXPECT_EQ(QImage(path("out.png")).convertToFormat(QImage::Format_RGB32),
              expected.convertToFormat(QImage::Format_RGB32));

    QFile::remove("/tmp/orvel_test.png");
    EXPECT_EQ(runOrvel({picture, "--test"}, path("home")).status, 0);
    EXPECT_EQ(QImage("/tmp/orvel_test.png").size(), QSize(562, 192));

    const QString unwritable = path("no/such/dir/out.png");
    const ProcessRun bad = runOrvel({picture, "--test", unwritable}, path("home"));
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.errors.contains("offscreen: 562x192 format=17\norvel: could not write " +
                                    unwritable + ": "))
        << bad.errors.toStdString();
}

// The picture file commands as the menu runs them: what Save As writes and proposes, the PNG
// export behind "&Save", failed saves that keep the old file, and the test mode as a process.
#include "AppTestSupport.h"

#include "app/TestMode.h"
#include "view/PictureFile.h"
#include "view/PicturePainting.h"

#include <QImage>
#include <QProcess>

#include <sys/stat.h>

TEST_F(AppTest, SaveAndSaveAsWriteThePictureAndProposeNames) {
    // "&Save" in the main window exports a PNG, every line doubled; untitled after New Graphic.
    window->lastSaveDir = dir.path();
    window->onNewGraphic();
    rec()->auxMem[0] = 0x0F;
    window->pictureView->renderImage();
    dialogs->answers << path("shot"); // the chosen filter's extension is added
    window->onSave();
    EXPECT_EQ(dialogs->asked[1], path("untitled.png"));
    const QImage written(path("shot.png"));
    ASSERT_EQ(written.size(), QSize(562, 384));
    const QImage picture = window->pictureView->offscreenImage;
    for (int y = 0; y < 384; y += 5)
        for (int x = 0; x < 562; x += 3)
            ASSERT_EQ(written.pixel(x, y) & 0xFFFFFF, picture.pixel(x, y / 2) & 0xFFFFFF);
    window->onSave(); // a cancelled dialog writes nothing and says nothing
    EXPECT_EQ(status(), "Saved: " + path("shot.png"));

    const QByteArray hires = SeededBytes(5, 8192);
    ASSERT_TRUE(WriteFile(path("PIC.A.HGR"), hires));
    dialogs->answers << path("PIC.A.HGR") << path("plain");
    window->onOpenGraphic();
    window->lastSaveDir = "/out";
    window->onSaveAs();
    EXPECT_EQ(dialogs->asked,
              QStringList({"Save As D/HGR", "/out/PIC", "HGR (*.hgr);;PackBytes HGR (*#084000)"}));
    EXPECT_EQ(ReadFile(path("plain.hgr")), hires);
    EXPECT_EQ(status(), "Saved: " + path("plain.hgr"));
    window->onSave(); // in the directory of the last save, named as the picture is now
    EXPECT_EQ(dialogs->asked, QStringList({"Save as PNG", path("plain.png"), "PNG (*.png)"}));

    // Shifted and converted, the saved bytes are the record's banks.
    window->onShiftRight();
    window->onConvertToDHGR();
    window->onShiftLeft();
    dialogs->answers << path("double") << path("named.bin");
    window->onSaveAs();
    EXPECT_EQ(dialogs->asked[2], "DHGR (*.dhgr *.dgr);;DGR (*.dgr);;PackBytes DHGR (*#084001)");
    EXPECT_EQ(ReadFile(path("double.dhgr")), banks(rec()));
    window->onSaveAs(); // a name with an extension keeps it
    EXPECT_EQ(ReadFile(path("named.bin")), banks(rec()));
    // Packed, the name gets the type that makes it read back packed, whatever its size.
    const QByteArray saved = banks(rec());
    dialogs->filterChoice = "PackBytes DHGR (*#084001)";
    dialogs->answers << path("packed");
    window->onSaveAs();
    EXPECT_EQ(status(), "Saved: " + path("packed#084001"));
    ASSERT_TRUE(window->pictureView->loadFile(path("packed#084001")));
    EXPECT_EQ(banks(rec()), saved);
    EXPECT_EQ(status(), "Loaded: " + path("packed#084001") + " (PackBytes)");
    EXPECT_EQ(window->windowTitle(), "orvel — packed#084001");
}

TEST_F(AppTest, AFailedSaveKeepsTheOldFileAndSaysWhy) {
    // A FIFO is never replaced; a file cannot hold a directory. Whatever was there stays.
    const QString fifo = path("pipe.dgr"), plain = path("plain");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(WriteFile(plain, "old bytes"));
    for (const QString& target : {fifo, plain + "/inside.dgr"})
        for (auto save : {&MainWindow::onSaveAs, &MainWindow::onSavePNG}) {
            dialogs->answers << target;
            (window.get()->*save)();
            EXPECT_TRUE(status().startsWith("Could not save: " + target + ": "))
                << status().toStdString();
        }
    EXPECT_TRUE(!QFileInfo(fifo).isFile() && QFileInfo::exists(fifo));
    EXPECT_EQ(ReadFile(plain), "old bytes");
}

// `orvel FILE --test [OUT]` as a real process with no display: the line on standard error, the
// PNG against a direct render with the test mode's fixed settings, and an unwritable output.
TEST_F(AppTest, TestModeWritesTheRenderAndFailsLoudly) {
    EXPECT_FALSE(isTestModeRequest({"orvel", "p.hgr"}));
    EXPECT_FALSE(isTestModeRequest({"orvel", "p.hgr", "--TEST"}));
    EXPECT_FALSE(isTestModeRequest({"orvel", "--test", "p.hgr"}));
    QString errors;
    auto run = [&](const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(name);
        environment.insert("XDG_CONFIG_HOME", path("home")); // the user's preferences stay out
        process.setProcessEnvironment(environment);
        process.start(ORVEL_EXE, arguments);
        if (!process.waitForFinished(60000)) process.kill();
        errors = QString::fromLocal8Bit(process.readAllStandardError());
        return process.exitCode();
    };
    const QString picture = path("bars.dhgr");
    ASSERT_TRUE(WriteFile(picture, SeededBytes(77, 16384)));
    { // Other engine settings and a window geometry no screen holds change nothing here.
        QSettings stored(path("home/ferncastle/orvel.conf"), QSettings::IniFormat);
        stored.setValue("mainwindow/geometry", hugeGeometry());
        stored.setValue("engine/quenEngine", false);
        stored.setValue("engine/schemeType", 2);
        stored.setValue("engine/paletteType", 6);
        stored.setValue("engine/screenSize", 2);
    }
    EXPECT_EQ(run({picture, "--test", path("out.png"), "ignored"}), 0) << errors.toStdString();
    EXPECT_TRUE(errors.contains("offscreen: 562x192 format=17\n")) << errors.toStdString();

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
    EXPECT_EQ(run({picture, "--test"}), 0);
    EXPECT_EQ(QImage("/tmp/orvel_test.png").size(), QSize(562, 192));
    const QString unwritable = path("no/such/dir/out.png");
    EXPECT_EQ(run({picture, "--test", unwritable}), 1);
    EXPECT_TRUE(errors.contains("offscreen: 562x192 format=17\norvel: could not write " +
                                unwritable + ": No such file or directory"))
        << errors.toStdString();
    EXPECT_EQ(run({picture, "--test", ""}), 1);
    EXPECT_TRUE(errors.contains("could not write : No such file or directory"))
        << errors.toStdString();
}

// The picture file commands as the menu runs them: what Save As writes and proposes, the PNG
// export behind "&Save", and saves that fail without touching the file that was there.
#include "AppTestSupport.h"

#include "view/PicturePainting.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <sys/stat.h>

TEST_F(AppTest, SaveAsWritesTheBanksAndProposesNames) {
    const QString source = path("PIC.A.HGR");
    QByteArray hires(8192, '\0');
    for (int i = 0; i < hires.size(); ++i)
        hires[i] = char(i * 7);
    ASSERT_TRUE(WriteFile(source, hires));
    dialogs->answers << source;
    window->onOpenGraphic();
    window->lastSaveDir = "/out";

    dialogs->answers << path("plain.hgr");
    window->onSaveAs();
    EXPECT_EQ(dialogs->asked.back().start, "/out/PIC");
    EXPECT_EQ(dialogs->asked.back().filter, "HGR (*.hgr)");
    EXPECT_EQ(ReadFile(path("plain.hgr")), hires);
    EXPECT_EQ(status(), "Saved: " + path("plain.hgr"));
    EXPECT_EQ(window->lastSaveDir, dir.path());

    window->lastSaveDir = "/out";
    window->onSave(); // the main window is active: "&Save" exports a PNG
    EXPECT_EQ(dialogs->asked.back().title, "Save as PNG");
    EXPECT_EQ(dialogs->asked.back().start, "/out/PIC.png");

    // Shifted and converted, the saved bytes are the record's banks, auxiliary first.
    window->onShiftRight();
    window->onConvertToDHGR();
    window->onShiftLeft();
    dialogs->answers << path("double.dgr");
    window->onSaveAs();
    EXPECT_EQ(dialogs->asked.back().filter, "DHGR (*.dgr)");
    EXPECT_EQ(ReadFile(path("double.dgr")),
              QByteArray(reinterpret_cast<const char*>(rec()->auxMem), 8192) +
                  QByteArray(reinterpret_cast<const char*>(rec()->mainMem), 8192));
    EXPECT_EQ(window->windowTitle(), "orvel — PIC.A.HGR");
}

TEST_F(AppTest, PngExportAfterNewGraphicIsUntitledAndDoubled) {
    window->lastSaveDir = dir.path();
    rec()->auxMem[0] = 0x7F;
    window->onNewGraphic();
    rec()->auxMem[0] = 0x0F;
    window->pictureView->renderImage();
    dialogs->answers << path("shot.png");
    window->onSave();
    EXPECT_EQ(dialogs->asked.back().start, path("untitled.png"));
    const QImage written(path("shot.png"));
    ASSERT_EQ(written.size(), QSize(562, 384));
    const QImage picture = window->pictureView->offscreenImage;
    for (int y = 0; y < 384; y += 5)
        for (int x = 0; x < 562; x += 3)
            ASSERT_EQ(written.pixel(x, y) & 0xFFFFFF, picture.pixel(x, y / 2) & 0xFFFFFF);
    dialogs->answers << QString(); // a cancelled dialog writes nothing and says nothing
    window->onSave();
    EXPECT_EQ(status(), "Saved: " + path("shot.png"));
}

TEST_F(AppTest, AFailedSaveKeepsTheOldFileAndSaysWhy) {
    // A FIFO is never replaced; a file cannot hold a directory; a read-only directory (unless
    // root, who writes anyway) refuses the new file. Whatever was there stays.
    const QString fifo = path("pipe.dgr"), plain = path("plain"), locked = path("locked");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(WriteFile(plain, "old bytes"));
    ASSERT_TRUE(QDir().mkdir(locked));
    ASSERT_TRUE(WriteFile(locked + "/old.dgr", "old bytes"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    QStringList targets = {fifo, plain + "/inside.dgr"};
    if (!QFile(locked + "/probe").open(QIODevice::WriteOnly)) targets << locked + "/old.dgr";
    for (const QString& target : targets)
        for (auto save : {&MainWindow::onSaveAs, &MainWindow::onSavePNG}) {
            dialogs->answers << target;
            (window.get()->*save)();
            EXPECT_TRUE(status().startsWith("Could not save: " + target)) << status().toStdString();
        }
    EXPECT_TRUE(QFileInfo(fifo).isFile() == false && QFileInfo::exists(fifo));
    EXPECT_EQ(ReadFile(plain), "old bytes");
    EXPECT_EQ(ReadFile(locked + "/old.dgr"), "old bytes");
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

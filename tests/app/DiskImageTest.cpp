// File > "Open Disk Image..." as the menu runs it: every picture offered with a thumbnail in the
// engine and palette in force, the chosen one opened (title, status, banks), the image never
// written by Save As, and a file that is no disk image refused with its reason.
#include "AppTestSupport.h"

#include "formats/ImageWriters.h"

TEST_F(AppTest, OpenDiskImageOpensTheChosenPicture) {
    const std::string image = samples::prodos(280);
    const QByteArray bytes(image.data(), static_cast<qsizetype>(image.size()));
    ASSERT_TRUE(WriteFile(path("pics.po"), bytes) && WriteFile(path("odd.dsk"), "odd"));
    const auto pictures = samples::listed(samples::prodosFiles());
    window->setPalette(7);
    dialogs->answers << path("pics.po");
    dialogs->picture = 3;
    window->onOpenDiskImage();
    EXPECT_EQ(dialogs->pictures.size(), static_cast<qsizetype>(pictures.size()));
    EXPECT_EQ(dialogs->pictures[3].toStdString() + " " + dialogs->asked[0].toStdString(),
              pictures[3].path + " Open Disk Image");
    EXPECT_EQ(window->windowTitle(), "orvel — pics.po: PICS/DPACKED");
    EXPECT_EQ(status(), "Loaded: pics.po: PICS/DPACKED (PackBytes)");
    EXPECT_EQ(banks(rec()).toStdString(), pictures[3].picture);
    const QImage& thumbnail = dialogs->thumbnails[3]; // rendered with palette 7, as the view
    EXPECT_EQ(thumbnail, window->pictureView->offscreenImage.scaled(
                             thumbnail.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));

    dialogs->answers << path("pics.po") << path("odd.dsk");
    window->onSaveAs();
    EXPECT_EQ(status(), "Could not save: " + path("pics.po") +
                            ": the disk image the picture came from is never written");
    EXPECT_EQ(ReadFile(path("pics.po")), bytes);
    window->onOpenDiskImage();
    EXPECT_EQ(status(),
              "Could not open: " + path("odd.dsk") + ": not the size of a disk (3 bytes)");
    EXPECT_FALSE(window->pictureView->loadFile(path("pics.po")));
    EXPECT_EQ(status(), "A disk image: open it with \"Open Disk Image...\": " + path("pics.po"));
}

// Picture files through the view: which sizes load as which shape, companions, round trips of
// both shapes holes included, and files that must leave the previous picture in place.
#include "view/PictureFile.h"
#include "ViewTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

struct Files {
    QTemporaryDir dir;
    std::mt19937 rng{2026};
    QString path(const QString& name) { return dir.filePath(name); }
    QString write(const QString& name, int size) {
        WriteFile(path(name), RandomBytes(rng, size));
        return path(name);
    }
};

} // namespace

TEST(PictureLoading, TheShapeFollowsTheSize) {
    Files files;
    ShownView view;
    struct Case {
        int size;
        bool loads, dhgr;
    } cases[] = {{8184, false, false}, {8192, true, false}, {8193, true, false},
                 {16384, true, true},  {16385, true, true}, {16386, true, false}};
    for (const Case& c : cases) {
        view->clearPicture();
        const QString path = files.write(QString("pic%1").arg(c.size), c.size);
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(view->loadFile(path), c.loads) << c.size;
        if (!c.loads) {
            EXPECT_EQ(Bank(view.rec()->mainMem), QByteArray(kBankSize, '\0'));
            continue;
        }
        EXPECT_EQ(bool(view.rec()->isDHGR), c.dhgr) << c.size;
        if (c.dhgr) {
            EXPECT_EQ(Bank(view.rec()->auxMem), bytes.left(kBankSize));
            EXPECT_EQ(Bank(view.rec()->mainMem), bytes.mid(kBankSize, kBankSize));
        } else {
            EXPECT_EQ(Bank(view.rec()->mainMem), bytes.left(kBankSize)) << c.size;
            EXPECT_EQ(Bank(view.rec()->auxMem), QByteArray(kBankSize, '\0')) << c.size;
        }
    }
}

TEST(PictureLoading, ReportsLoadedAndKeepsTheSettings) {
    Files files;
    ShownView view;
    view.rec()->schemeType = 0;
    view.rec()->paletteType = 5;
    QSignalSpy status(view.view.get(), &OrvelWidget::statusMessage);
    const QString path = files.write("A.HGR", 8192);
    ASSERT_TRUE(view->loadFile(path));
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(status.at(0).at(0).toString(), "Loaded: " + path);
    EXPECT_EQ(view.rec()->schemeType, 0);
    EXPECT_EQ(view.rec()->paletteType, 5);
}

TEST(PictureLoading, CompanionFilesMakeDoubleHires) {
    Files files;
    ShownView view;
    EXPECT_EQ(companionPathFor("/p/PIC.hgr"), "/p/PIC.AUX");
    EXPECT_EQ(companionPathFor("/p/PIC.HgR"), "/p/PIC.AUX");
    EXPECT_EQ(companionPathFor("/p/PIC"), "/p/PIC.AUX");
    EXPECT_EQ(companionPathFor("/p/PIC.bin"), "/p/PIC.bin.AUX");

    const QString ship = files.write("SHIP.hgr", 8192);
    const QString aux = files.write("SHIP.AUX", 9000);
    QFile auxFile(aux);
    auxFile.open(QIODevice::ReadOnly);
    ASSERT_TRUE(view->loadFile(ship));
    EXPECT_TRUE(view.rec()->isDHGR);
    EXPECT_EQ(Bank(view.rec()->auxMem), auxFile.read(kBankSize));

    // Saved again it is one 16 KiB file, auxiliary bank first.
    const QByteArray saved = pictureFileBytes(view.rec());
    EXPECT_EQ(saved.size(), 2 * kBankSize);
    EXPECT_EQ(saved.left(kBankSize), Bank(view.rec()->auxMem));

    // A companion too short, or a directory in its place, is not used.
    files.write("SHORT.hgr", 8192);
    files.write("SHORT.AUX", 100);
    ASSERT_TRUE(view->loadFile(files.path("SHORT.hgr")));
    EXPECT_FALSE(view.rec()->isDHGR);
    files.write("DIR.hgr", 8192);
    QDir(files.dir.path()).mkdir("DIR.AUX");
    ASSERT_TRUE(view->loadFile(files.path("DIR.hgr")));
    EXPECT_FALSE(view.rec()->isDHGR);
    EXPECT_EQ(Bank(view.rec()->auxMem), QByteArray(kBankSize, '\0'));
}

TEST(PictureLoading, HiresAfterDoubleHiresClearsTheAuxiliaryBank) {
    Files files;
    ShownView view;
    ASSERT_TRUE(view->loadFile(files.write("D.dgr", 16384)));
    ASSERT_TRUE(view->loadFile(files.write("H.hgr", 8192)));
    EXPECT_FALSE(view.rec()->isDHGR);
    EXPECT_EQ(Bank(view.rec()->auxMem), QByteArray(kBankSize, '\0'));
}

TEST(PictureLoading, BadFilesLeaveThePictureAndSayWhy) {
    Files files;
    ShownView view;
    ASSERT_TRUE(view->loadFile(files.write("good.dgr", 16384)));
    const QByteArray aux = Bank(view.rec()->auxMem), main = Bank(view.rec()->mainMem);
    const QImage shown = view->offscreenImage;

    const QString unreadable = files.write("locked.hgr", 8192);
    QFile::setPermissions(unreadable, QFileDevice::Permissions());
    QDir(files.dir.path()).mkdir("folder.hgr");
    QSignalSpy status(view.view.get(), &OrvelWidget::statusMessage);
    const QString bad[] = {files.path("missing.hgr"), files.path("folder.hgr"),
                           files.write("short.hgr", 8184), QString()};
    for (const QString& path : bad)
        EXPECT_FALSE(view->loadFile(path)) << path.toStdString();
    if (QFile(unreadable).open(QIODevice::ReadOnly)) {
        GTEST_LOG_(INFO) << "running with rights to read any file; unreadable case skipped";
    } else {
        EXPECT_FALSE(view->loadFile(unreadable));
    }
    EXPECT_TRUE(view.rec()->isDHGR);
    EXPECT_EQ(Bank(view.rec()->auxMem), aux);
    EXPECT_EQ(Bank(view.rec()->mainMem), main);
    EXPECT_EQ(view->offscreenImage, shown);
    ASSERT_GE(status.count(), 4);
    for (const QList<QVariant>& message : status)
        EXPECT_FALSE(message.at(0).toString().startsWith("Loaded"))
            << message.at(0).toString().toStdString();
    EXPECT_TRUE(status.at(2).at(0).toString().contains("short.hgr"));
}

TEST(PictureLoading, AHugeFileIsReadOnlyAsFarAsItsShapeNeeds) {
    Files files;
    ShownView view;
    const QString path = files.path("huge.hgr");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    std::mt19937 rng(3);
    const QByteArray first = RandomBytes(rng, kBankSize);
    file.write(first);
    ASSERT_TRUE(file.resize(qint64(4) << 30)); // sparse: 4 GiB on paper, a few KiB on disk
    file.close();
    ASSERT_TRUE(view->loadFile(path));
    EXPECT_FALSE(view.rec()->isDHGR);
    EXPECT_EQ(Bank(view.rec()->mainMem), first);
}

TEST(PictureSaving, BothShapesRoundTripByteForByteHolesIncluded) {
    Files files;
    std::mt19937 rng(9);
    for (int size : {8192, 16384}) {
        ShownView view;
        const QByteArray original = RandomBytes(rng, size); // holes hold random bytes too
        ASSERT_TRUE(WriteFile(files.path("in"), original));
        ASSERT_TRUE(view->loadFile(files.path("in")));
        const QString out = files.path(QString("out%1").arg(size));
        ASSERT_TRUE(writeFileAtomically(out, pictureFileBytes(view.rec())).ok);
        QFile saved(out);
        saved.open(QIODevice::ReadOnly);
        EXPECT_EQ(saved.readAll(), original) << size;
        ShownView again;
        ASSERT_TRUE(again->loadFile(out));
        EXPECT_EQ(Bank(again.rec()->auxMem), Bank(view.rec()->auxMem));
        EXPECT_EQ(Bank(again.rec()->mainMem), Bank(view.rec()->mainMem));
    }
}

TEST(PictureSaving, FailedWritesAreReportedAndLeaveOldFilesWhole) {
    Files files;
    const FileWrite nowhere = writeFileAtomically(files.path("no/such/dir/pic.hgr"), "x");
    EXPECT_FALSE(nowhere.ok);
    EXPECT_TRUE(nowhere.error.contains("pic.hgr"));
    EXPECT_FALSE(QFile::exists(files.path("no")));

    // A directory in the way cannot be replaced by a picture.
    QDir(files.dir.path()).mkdir("taken.hgr");
    EXPECT_FALSE(writeFileAtomically(files.path("taken.hgr"), QByteArray(8192, 'x')).ok);
    EXPECT_TRUE(QFileInfo(files.path("taken.hgr")).isDir());

    // Writing over an existing picture replaces it whole.
    const QString existing = files.write("old.dgr", 16384);
    ASSERT_TRUE(writeFileAtomically(existing, QByteArray(8192, 'y')).ok);
    QFile after(existing);
    after.open(QIODevice::ReadOnly);
    EXPECT_EQ(after.readAll(), QByteArray(8192, 'y'));
}

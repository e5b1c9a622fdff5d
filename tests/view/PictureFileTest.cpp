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

// Sizes on both sides of each boundary: a hi-res file takes the first 8 KiB, 16 384 and 16 385
// bytes are double hi-res (auxiliary bank first), anything else hi-res with its companion
// <name>.AUX (of 8 KiB at least, and a file) as the auxiliary bank. Settings stay.
TEST(PictureLoading, TheSizeAndTheCompanionDecideTheShape) {
    Files files;
    ShownView view;
    struct Case {
        int size, companion;
        bool loads, dhgr;
    } cases[] = {{8191, 0, false, false},   {8192, 0, true, false},    {8193, 0, true, false},
                 {16383, 0, true, false},   {16384, 0, true, true},    {16385, 0, true, true},
                 {16386, 0, true, false},   {16386, 8192, true, true}, {8192, 9000, true, true},
                 {8192, 8191, true, false}, {16384, 8192, true, true}, {8191, 8192, false, false},
                 {8192, -1, true, false}};
    view.rec()->paletteType = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " bytes, companion " << c.companion);
        QDir(files.dir.path()).removeRecursively();
        QDir().mkpath(files.dir.path());
        const QByteArray before = Bank(view.rec()->mainMem); // a hi-res file after a double one too
        const QByteArray bytes = RandomBytes(files.rng, c.size);
        const QByteArray aux = RandomBytes(files.rng, std::max(c.companion, 0));
        WriteFile(files.path("PIC.HgR"), bytes);
        if (c.companion > 0) WriteFile(files.path("PIC.AUX"), aux);
        if (c.companion < 0) QDir(files.dir.path()).mkdir("PIC.AUX");
        QSignalSpy status(view.view.get(), &OrvelWidget::statusMessage);
        ASSERT_EQ(view->loadFile(files.path("PIC.HgR")), c.loads);
        ASSERT_EQ(status.count(), 1);
        EXPECT_EQ(status.at(0).at(0).toString() == "Loaded: " + files.path("PIC.HgR"), c.loads);
        EXPECT_EQ(view.rec()->paletteType, 5);
        if (!c.loads) {
            EXPECT_EQ(Bank(view.rec()->mainMem), before);
            continue;
        }
        const bool whole = c.size == 16384 || c.size == 16385;
        EXPECT_EQ(bool(view.rec()->isDHGR), c.dhgr);
        EXPECT_EQ(Bank(view.rec()->mainMem), bytes.mid(whole ? kBankSize : 0, kBankSize));
        EXPECT_EQ(Bank(view.rec()->auxMem), whole    ? bytes.left(kBankSize)
                                            : c.dhgr ? aux.left(kBankSize)
                                                     : QByteArray(kBankSize, '\0'));
    }
    // Grown to a sparse 4 GiB, the last one is read only as far as its shape needs.
    const QByteArray first = ReadFile(files.path("PIC.HgR")).left(kBankSize);
    QFile huge(files.path("PIC.HgR"));
    ASSERT_TRUE(huge.open(QIODevice::ReadWrite) && huge.resize(qint64(4) << 30));
    huge.close();
    ASSERT_TRUE(view->loadFile(files.path("PIC.HgR")));
    EXPECT_EQ(Bank(view.rec()->mainMem), first);
    EXPECT_EQ(companionPathFor("/p/PIC.hgr"), "/p/PIC.AUX");
    EXPECT_EQ(companionPathFor("/p/PIC"), "/p/PIC.AUX");
    EXPECT_EQ(companionPathFor("/p/PIC.bin"), "/p/PIC.bin.AUX");
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
    QStringList bad = {files.path("missing.hgr"), files.path("folder.hgr"),
                       files.write("short.hgr", 8184), QString()};
    if (!QFile(unreadable).open(QIODevice::ReadOnly)) bad << unreadable; // not when root
    for (const QString& path : bad) {
        QSignalSpy status(view.view.get(), &OrvelWidget::statusMessage);
        EXPECT_FALSE(view->loadFile(path)) << path.toStdString();
        ASSERT_EQ(status.count(), 1);
        const QString message = status.at(0).at(0).toString();
        EXPECT_FALSE(message.startsWith("Loaded")) << message.toStdString();
        EXPECT_TRUE(message.contains(path)) << message.toStdString();
    }
    EXPECT_TRUE(view.rec()->isDHGR);
    EXPECT_EQ(Bank(view.rec()->auxMem), aux);
    EXPECT_EQ(Bank(view.rec()->mainMem), main);
    EXPECT_EQ(view->offscreenImage, shown);
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

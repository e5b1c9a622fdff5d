// Picture files through the view: which sizes load as which shape, companions, the bytes saved
// back holes included, and drops that must leave the previous picture in place.
#include "view/PictureFile.h"
#include "ViewTestSupport.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

namespace {

// A drag of `urls` (of plain text when there are none) entering the view, dropped if accepted.
bool Drop(OrvelWidget* view, const QList<QUrl>& urls) {
    QMimeData data;
    urls.isEmpty() ? data.setText("hello") : data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &drop);
    return true;
}

} // namespace

// Sizes on both sides of each boundary: a hi-res file takes the first 8 KiB (a short one from
// 8184 bytes on, its tail zero), 16 384 and 16 385 bytes are double hi-res (auxiliary bank
// first), anything else hi-res with its companion
// <name>.AUX (of 8 KiB at least, and a file) as the auxiliary bank. Settings stay; saving
// gives back the banks byte for byte.
TEST(PictureLoading, TheSizeAndTheCompanionDecideTheShape) {
    QTemporaryDir dir;
    std::mt19937 rng(2026);
    const QString path = dir.filePath("PIC.HgR");
    ShownView view;
    const struct {
        int size, companion;
        bool loads, dhgr;
    } cases[] = {{8183, 0, false, false},  {8191, 0, true, false},    {8192, 0, true, false},
                 {8193, 0, true, false},   {16383, 0, true, false},   {16384, 0, true, true},
                 {16385, 0, true, true},   {16386, 0, true, false},   {16386, 8192, true, true},
                 {8192, 9000, true, true}, {8192, 8191, true, false}, {16384, 8192, true, true},
                 {8184, 8192, true, true}, {8192, -1, true, false}};
    view.rec()->paletteType = 5;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " bytes, companion " << c.companion);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        const QByteArray before = Bank(view.rec()->mainMem); // a hi-res file after a double one too
        const QByteArray bytes = RandomBytes(rng, c.size),
                         aux = RandomBytes(rng, std::max(c.companion, 0));
        WriteFile(path, bytes);
        if (c.companion > 0) WriteFile(dir.filePath("PIC.AUX"), aux);
        if (c.companion < 0) QDir(dir.path()).mkdir("PIC.AUX");
        QSignalSpy status(view.get(), &OrvelWidget::statusMessage);
        ASSERT_EQ(view->loadFile(path), c.loads);
        ASSERT_EQ(status.count(), 1);
        const QString form = c.size < kBankSize ? " (short hi-res)" : "";
        EXPECT_EQ(status.at(0).at(0).toString() == "Loaded: " + path + form, c.loads);
        EXPECT_EQ(view.rec()->paletteType, 5);
        if (!c.loads) {
            EXPECT_EQ(Bank(view.rec()->mainMem), before);
            continue;
        }
        const bool whole = c.size == 16384 || c.size == 16385;
        const QByteArray main =
            bytes.mid(whole ? kBankSize : 0, kBankSize).leftJustified(kBankSize, '\0');
        const QByteArray auxBank = whole    ? bytes.left(kBankSize)
                                   : c.dhgr ? aux.left(kBankSize)
                                            : QByteArray(kBankSize, '\0');
        EXPECT_EQ(bool(view.rec()->isDHGR), c.dhgr);
        EXPECT_EQ(Banks(view.rec()), auxBank + main);
        EXPECT_EQ(pictureFileBytes(view.rec()), c.dhgr ? auxBank + main : main);
    }
    // Grown to a sparse 4 GiB, the last one is read only as far as its shape needs.
    const QByteArray first = ReadFile(path).left(kBankSize);
    QFile huge(path);
    ASSERT_TRUE(huge.open(QIODevice::ReadWrite) && huge.resize(qint64(4) << 30));
    huge.close();
    ASSERT_TRUE(view->loadFile(path));
    EXPECT_EQ(Bank(view.rec()->mainMem), first);
    EXPECT_EQ(companionPathFor("/p/PIC.hgr"), "/p/PIC.AUX");
    EXPECT_EQ(companionPathFor("/p/PIC"), "/p/PIC.AUX");
    EXPECT_EQ(companionPathFor("/p/PIC.bin"), "/p/PIC.bin.AUX");
}

// Drops of a folder, a web address or no URL at all (not even accepted) keep the picture; a drop
// loads its first local file. (Bad files on every road are the application tests' matter.)
TEST(PictureLoading, DropsWithoutAFileLeaveThePicture) {
    QTemporaryDir dir;
    const QString good = dir.filePath("good.dgr"), second = dir.filePath("second.hgr");
    ASSERT_TRUE(WriteFile(good, SeededBytes(41, 16384)) &&
                WriteFile(second, SeededBytes(42, 8192)));
    ShownView view;
    ASSERT_TRUE(view->loadFile(good));
    const QByteArray banks = Banks(view.rec());
    const QImage shown = view->offscreenImage;
    const QUrl web("https://example.invalid/pic.hgr"), folder = QUrl::fromLocalFile(dir.path());
    EXPECT_TRUE(Drop(view.get(), {folder}) && Drop(view.get(), {web}));
    EXPECT_FALSE(Drop(view.get(), {}));
    EXPECT_TRUE(view.rec()->isDHGR);
    EXPECT_EQ(Banks(view.rec()), banks);
    EXPECT_EQ(view->offscreenImage, shown);
    ASSERT_TRUE(
        Drop(view.get(), {web, folder, QUrl::fromLocalFile(second), QUrl::fromLocalFile(good)}));
    EXPECT_FALSE(view.rec()->isDHGR);
    EXPECT_EQ(Bank(view.rec()->mainMem), ReadFile(second));
}

// File drops onto the view: the first local file is loaded; folders, other URLs and drops
// without files change nothing.
#include "ViewTestSupport.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

#include <random>

namespace {

bool Drop(OrvelWidget* view, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &drop);
    return true;
}

} // namespace

TEST(Drops, TheFirstLocalFileIsLoadedAndNothingElse) {
    QTemporaryDir dir;
    std::mt19937 rng(41);
    const QByteArray first = RandomBytes(rng, 16384);
    WriteFile(dir.filePath("first.dgr"), first);
    WriteFile(dir.filePath("second.hgr"), RandomBytes(rng, 8192));
    const QUrl web("https://example.invalid/pic.hgr"), folder = QUrl::fromLocalFile(dir.path());
    ShownView view;
    view.rec()->mainMem[5] = 0x2A;
    const QByteArray before = Bank(view.rec()->mainMem);
    ASSERT_TRUE(Drop(view.view.get(), {folder}));
    ASSERT_TRUE(Drop(view.view.get(), {web}));
    EXPECT_EQ(Bank(view.rec()->mainMem), before);
    QMimeData text; // data without URLs is not even accepted for dropping
    text.setText("hello");
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view.view.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());

    ASSERT_TRUE(Drop(view.view.get(), {web, folder, QUrl::fromLocalFile(dir.filePath("first.dgr")),
                                       QUrl::fromLocalFile(dir.filePath("second.hgr"))}));
    EXPECT_TRUE(view.rec()->isDHGR);
    EXPECT_EQ(Bank(view.rec()->mainMem), first.mid(kBankSize));
}

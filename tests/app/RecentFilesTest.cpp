// The recent lists and their submenus: limits and moving to the front, Alt-removal, vanished
// pictures and text screens, and the five shipped screens always offered first.
#include "AppTestSupport.h"

#include <QMenu>

namespace {

QStringList itemTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QString("-") : action->text());
    return texts;
}

} // namespace

TEST_F(AppTest, RecentPicturesKeepTenNewestFirstAndAltRemoves) {
    QStringList paths;
    for (int i = 0; i < 11; ++i) {
        paths << path(QString("p%1.hgr").arg(i));
        ASSERT_TRUE(WriteFile(paths.last(), QByteArray(8192, char(i))));
        dialogs->answers << paths.last();
        window->onOpenGraphic();
    }
    EXPECT_EQ(window->recentFiles.size(), 10);
    EXPECT_EQ(window->recentFiles.first(), paths[10]);
    EXPECT_FALSE(window->recentFiles.contains(paths[0]));
    window->openRecentFile(paths[5]); // moves to the front, not added twice
    EXPECT_EQ(window->recentFiles.size(), 10);
    EXPECT_EQ(window->recentFiles.first(), paths[5]);
    EXPECT_EQ(window->windowTitle(), "orvel — p5.hgr");
    EXPECT_EQ(QSettings().value("recentFiles").toStringList(), window->recentFiles);
    EXPECT_EQ(itemTexts(window->recentGraphicMenu).first(), "p5.hgr");

    dialogs->modifiers = Qt::AltModifier;
    while (!window->recentGraphicMenu->actions().isEmpty()) {
        const QString name = window->recentGraphicMenu->actions().first()->text();
        window->recentGraphicMenu->actions().first()->trigger();
        EXPECT_EQ(status(), "Removed: " + name);
    }
    EXPECT_FALSE(window->recentGraphicMenu->isEnabled());
    EXPECT_TRUE(QSettings().value("recentFiles").toStringList().isEmpty());
}

TEST_F(AppTest, VanishedPicturesLeaveTheListAndTextScreensStay) {
    const QString gone = path("gone.hgr");
    window->addRecentFile(gone);
    window->recentGraphicMenu->actions().first()->trigger();
    EXPECT_EQ(status(), "File not found: " + gone);
    EXPECT_TRUE(window->recentFiles.isEmpty());

    EXPECT_EQ(
        itemTexts(window->recentTextMenu),
        (QStringList{"Apple //c", "ProDOS", "Welcome", "Text Screen Info", "Sample Text Screen"}));
    QStringList texts;
    for (int i = 0; i < 6; ++i) {
        texts << path(QString("t%1.txt").arg(i));
        window->addRecentTextScreen(texts.last());
    }
    EXPECT_EQ(window->recentTextScreens,
              (QStringList{texts[5], texts[4], texts[3], texts[2], texts[1]}));
    EXPECT_EQ(itemTexts(window->recentTextMenu).mid(5),
              (QStringList{"-", "t5.txt", "t4.txt", "t3.txt", "t2.txt", "t1.txt"}));
    window->recentTextMenu->actions().at(6)->trigger();
    EXPECT_EQ(status(), "File not found: " + texts[5]);
    EXPECT_EQ(window->recentTextScreens.first(), texts[5]);
    EXPECT_TRUE(window->recentTextMenu->isEnabled());
}

TEST_F(AppTest, StartUpReopensTheNewestPictureOrClears) {
    const QString picture = path("newest.dgr");
    QByteArray bytes(16384, '\x55');
    ASSERT_TRUE(WriteFile(picture, bytes));
    window->addRecentFile(picture);
    restart();
    window->openMostRecentIfAvailable();
    EXPECT_EQ(window->currentGraphicPath, picture);
    EXPECT_EQ(rec()->mainMem[0], 0x55);
    EXPECT_EQ(window->windowTitle(), "orvel — newest.dgr");
    QSettings().remove("recentFiles");
    restart();
    rec()->mainMem[0] = 1;
    window->openMostRecentIfAvailable();
    EXPECT_EQ(rec()->mainMem[0], 0);
    EXPECT_EQ(window->startupSequence, nullptr);
}

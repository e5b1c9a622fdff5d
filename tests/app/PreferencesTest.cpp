// The preferences and recent lists across launches: the first run, a store missing keys, the
// geometry written once after a burst of moves, values the program could not have written, the
// recent submenus, and the newest picture reopened at start-up.
#include "AppTestSupport.h"

#include "text/TextScreenEditor.h"

#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>

namespace {

QString itemTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? QString("-") : action->text());
    return texts.join('|');
}

} // namespace

TEST_F(AppTest, GeometryIsWrittenOnceAfterABurstOfMoves) {
    window->show();
    QSignalSpy writes(window->geometryTimer, &QTimer::timeout);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->geometryTimer->isActive(); })); // after show
    writes.clear();
    QSettings().remove("mainwindow/geometry");
    for (int i = 0; i < 10; ++i)
        window->move(40 + 7 * i, 30 + 3 * i);
    EXPECT_FALSE(QSettings().contains("mainwindow/geometry"));
    ASSERT_TRUE(QTest::qWaitFor([] { return QSettings().contains("mainwindow/geometry"); }));
    EXPECT_EQ(writes.count(), 1);
    const QPoint where = window->pos();
    restart();
    window->show();
    EXPECT_EQ(window->pos(), where);
}

// The first run's window shows the whole picture (every white dot of an all-white one is on
// screen); a stored geometry larger than the screens is not restored, for either window.
TEST_F(AppTest, FirstRunShowsTheWholePictureAndOnlyAGeometryThatFits) {
    std::memset(rec()->mainMem, 0x7F, kBankSize);
    rec()->isDHGR = false;
    window->pictureView->renderImage();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QImage shot = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int white = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            white += shot.pixel(x, y) == 0xFFFFFFFFu;
    EXPECT_GE(white, 560 * 384) << "the picture is cut";

    QSettings().setValue("mainwindow/geometry", hugeGeometry());
    QSettings().setValue("texteditor/geometry", hugeGeometry());
    restart();
    window->onNewText();
    const QSize screen = window->screen()->availableSize();
    for (const QWidget* shown :
         {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(window->textEditor)})
        EXPECT_TRUE(shown->width() <= screen.width() && shown->height() <= screen.height())
            << shown->width() << "x" << shown->height();
}

TEST_F(AppTest, FirstRunMissingKeysAndValuesTheProgramCannotWrite) {
    EXPECT_EQ(block(rec()), (std::vector<int>{8, 2, 0, 1, 1, 1, 1, 0, 0, 0, 0}));
    QSettings().setValue("engine/paletteType", 6);
    QSettings().setValue("engine/oneBitPalette", 2);
    restart(); // the group exists: missing keys take their own defaults, offset 1
    EXPECT_EQ(block(rec()), (std::vector<int>{8, 6, 2, 1, 1, 0, 1, 0, 0, 1, 1}));
    EXPECT_EQ(window->savedColorPalette + 10 * window->savedMonoPalette, 26);

    const QStringList keys = QString("quenEngine schemeType bmFinalDepth paletteType oneBitPalette "
                                     "bitShifting is560Mode screenSize aspectCorrect startScreen")
                                 .split(' ');
    // Each value on every key, then per key the nearest values the commands never write.
    const QVariant garbage[] = {
        "maybe", -1, 32, 65538, "2.5", "", QStringList{"a", "b"}, QByteArray(100000, 'x')};
    const QVariant nearest[] = {0, 4, 9, 8, 3, 0, 1, 3, 3, 0};
    for (int round = 0; round <= int(std::size(garbage)); ++round) {
        for (int key = 0; key < 10; ++key)
            QSettings().setValue("engine/" + keys[key],
                                 round < int(std::size(garbage)) ? garbage[round] : nearest[key]);
        restart();
        EXPECT_EQ(block(rec()), (std::vector<int>{8, 0, 0, 1, 1, 0, 1, 0, 0, 1, 1})) << round;
    }
    const QString longest = "/no/such/" + QString(4087, 'd'); // 4096 long: still a path
    const std::pair<const char*, QVariant> paths[] = {
        {"lastOpenDir", QString(4097, 'd')},
        {"lastSaveDir", QVariantList{1, 2}},
        {"lastTextDir", longest},
        {"recentFiles", QStringList(11, "/gone/picture.hgr")},
        {"recentTextScreens", QVariantList{QString("/gone/a.txt"), 5, QString(5000, 'x')}},
    };
    for (const auto& [key, value] : paths)
        QSettings().setValue(key, value);
    restart();
    EXPECT_EQ(window->lastOpenDir + window->lastSaveDir, "");
    EXPECT_EQ(window->lastTextDir, longest);
    EXPECT_EQ(window->recentFiles, QStringList("/gone/picture.hgr"));
    EXPECT_EQ(window->recentTextScreens, QStringList("/gone/a.txt"));
    window->toggleColorK(); // savedColorPalette is never out of range
    window->toggleColorK();
    EXPECT_EQ(block(rec())[1] + block(rec())[0], 8);
}

TEST_F(AppTest, RecentListsAndTheStartUpPicture) {
    QStringList paths;
    for (int i = 0; i < 11; ++i) {
        paths << path(QString("p%1.hgr").arg(i));
        ASSERT_TRUE(WriteFile(paths.last(), QByteArray(8192, char(i))));
        dialogs->answers << paths.last();
        window->onOpenGraphic();
    }
    window->openRecentFile(paths[5]); // moves to the front, not added twice
    for (int i = 0; i < 6; ++i)
        window->addRecentTextScreen(path(QString("t%1.txt").arg(i)));
    restart(); // ten pictures and five texts come back; the newest picture opens
    window->openMostRecentIfAvailable();
    ASSERT_EQ(itemTexts(window->recentGraphicMenu),
              "p5.hgr|p10.hgr|p9.hgr|p8.hgr|p7.hgr|p6.hgr|p4.hgr|p3.hgr|p2.hgr|p1.hgr");
    EXPECT_EQ(window->currentGraphicPath, paths[5]);
    EXPECT_EQ(rec()->mainMem[0], 5);
    EXPECT_EQ(window->windowTitle(), "orvel — p5.hgr");
    ASSERT_EQ(itemTexts(window->recentTextMenu),
              "Apple //c|ProDOS|Welcome|Text Screen Info|Sample "
              "Text Screen|-|t5.txt|t4.txt|t3.txt|t2.txt|t1.txt");
    window->recentTextMenu->actions().at(6)->trigger(); // a vanished text screen stays listed
    EXPECT_EQ(status(), "File not found: " + path("t5.txt"));
    EXPECT_EQ(window->recentTextScreens.first(), path("t5.txt"));

    QFile::remove(paths[10]); // a vanished picture leaves the list
    window->recentGraphicMenu->actions().at(1)->trigger();
    EXPECT_EQ(status(), "File not found: " + paths[10]);
    EXPECT_FALSE(window->recentFiles.contains(paths[10]));
    dialogs->modifiers = Qt::AltModifier;
    while (!window->recentGraphicMenu->actions().isEmpty()) {
        const QString name = window->recentGraphicMenu->actions().first()->text();
        window->recentGraphicMenu->actions().first()->trigger();
        EXPECT_EQ(status(), "Removed: " + name);
    }
    EXPECT_FALSE(window->recentGraphicMenu->isEnabled());
    restart(); // nothing to reopen: the view is cleared
    rec()->mainMem[0] = 0x77;
    window->openMostRecentIfAvailable();
    EXPECT_EQ(rec()->mainMem[0], 0);
    EXPECT_EQ(window->startupSequence, nullptr);
}

// Each file dialog starts, after a relaunch, in the folder its kind of file was last taken from.
TEST_F(AppTest, EachFileDialogStartsWhereItsKindWasLastChosenAfterARelaunch) {
    for (const char* folder : {"pictures", "saves", "texts"})
        QDir(dir.path()).mkdir(folder);
    ASSERT_TRUE(WriteFile(path("pictures/a.hgr"), SeededBytes(4, 8192)));
    ASSERT_TRUE(WriteFile(path("texts/t.txt"), "T"));
    dialogs->answers << path("pictures/a.hgr") << path("saves/b.hgr") << path("texts/t.txt");
    window->onOpenGraphic();
    window->onSaveAs();
    window->onOpenText();
    restart();
    const std::pair<void (MainWindow::*)(), QString> starts[] = {
        {&MainWindow::onOpenGraphic, path("pictures")},
        {&MainWindow::onSaveAs, path("saves")},
        {&MainWindow::onSavePNG, path("saves/untitled.png")},
        {&MainWindow::onOpenText, path("texts")},
        {&MainWindow::onNewText, QString()}, // (makes a text screen for the next row)
        {&MainWindow::onSaveTextAs, path("texts")},
    };
    for (const auto& [command, start] : starts) {
        dialogs->asked.clear();
        (window.get()->*command)();
        EXPECT_TRUE(start.isEmpty() || dialogs->asked.value(1) == start)
            << dialogs->asked.value(1).toStdString();
    }
}

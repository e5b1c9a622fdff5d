// The menus wired whole, the check marks over every setting, each item's operation, the
// single-key view shortcuts and their start-up guard, and the about box.
#include "AppTestSupport.h"

#include "startup/StartupSequence.h"

#include <QActionGroup>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>

#include <cstdlib>

// The menus as built from their description: every item reaches a handler, every actId is one
// item, no two items share a key, each radio group has one item checked, and broken
// descriptions are reported rather than built silently.
TEST_F(AppTest, MenusAreWiredWholeAndBrokenDescriptionsAreReported) {
    EXPECT_EQ(window->menuProblems(), QStringList());
    QStringList keys;
    for (QAction* menu : window->menuBar()->actions())
        for (QAction* item : menu->menu()->actions())
            if (!item->shortcut().isEmpty()) keys << item->shortcut().toString();
    EXPECT_EQ(keys.removeDuplicates(), 0) << keys.join(' ').toStdString();
    for (int id = 0; id < MainWindow::kActionIds; ++id)
        ASSERT_NE(window->actionsById[id], nullptr) << id;
    for (QActionGroup* group : window->findChildren<QActionGroup*>())
        EXPECT_NE(group->checkedAction(), nullptr);

    const char* broken[] = {
        R"([{"title": "X", "items": [)",
        R"([{"title": "X", "items": [{"text": "Y", "slot": "onNothing"}]}])",
        R"([{"title": "X", "items": [{"type": "radioGroup", "id": "zoom", )"
        R"("items": [{"text": "Z", "actId": 3}]}]}])",
        R"([{"title": "X", "items": [{"text": "Y", "slot": "onSave", "actId": 26}]}])",
    };
    for (const char* description : broken) {
        MainWindow fresh;
        const int before = fresh.menuProblems().size();
        fresh.buildMenusFrom(description);
        EXPECT_GT(fresh.menuProblems().size(), before) << description;
    }
}

// The about box shows white text on black whatever the platform's dialogs look like.
TEST_F(AppTest, TheAboutBoxIsWhiteOnBlack) {
    QImage shot;
    dialogs->messageBoxShown = [&](QMessageBox& box) {
        box.adjustSize();
        shot = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    window->onAbout();
    ASSERT_FALSE(shot.isNull());
    int black = 0, white = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            black += shot.pixel(x, y) == 0xFF000000u;
            white += shot.pixel(x, y) == 0xFFFFFFFFu;
        }
    EXPECT_EQ(shot.pixel(2, 2), 0xFF000000u);
    EXPECT_GT(black, shot.width() * shot.height() / 2);
    EXPECT_GT(white, 100) << "the text shows";
}

// Menu items ("#id") and single keys, chosen and pressed from the first run's settings: the
// record after, whether the settings were rewritten, the items checked, and every value the
// commands produce read back by a new launch.
TEST_F(AppTest, MenuItemsAndViewShortcutsChangeTheRecordAndTheCheckMarks) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->lastOpenDir = "/open";
    window->lastSaveDir = "/save";
    window->lastTextDir = "/text";
    const struct {
        const char* keys;
        std::vector<int> after;
        bool applies;
        const char* checked;
    } steps[] = {
        {"#21", {1, 2, 1, 1, 1, 1, 1, 0, 0, 0, 0}, true, "1 4 7 9 21"}, // "Black and Green"
        {"#15", {8, 3, 1, 1, 1, 1, 1, 0, 0, 0, 0}, true, "1 4 7 9 15"}, // "Tobrel"
        {"k", {1, 3, 1, 1, 1, 1, 1, 0, 0, 0, 0}, true, "1 4 7 9 21"},   // the last one-bit palette
        {"c", {8, 3, 1, 1, 1, 1, 1, 0, 0, 0, 0}, true, "1 4 7 9 15"},   // and back to palette 3
        {"]", {8, 4, 1, 1, 1, 1, 1, 0, 0, 0, 0}, true, "1 4 7 9 16"},   // brackets: paletteType
        {"k]", {1, 5, 1, 1, 1, 1, 1, 0, 0, 0, 0}, true, "1 4 7 9 21"},  // ...also under one-bit
        {"k", {8, 4, 1, 1, 1, 1, 1, 0, 0, 0, 0}, true, "1 4 7 9 16"},   // the saved palette, not 5
        {"[[[[[", {8, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0}, true, "1 4 7 9 12"},
        {"[", {8, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0}, false, "1 4 7 9 12"}, // at 0 nothing happens
        {"b", {8, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0}, false, "1 4 7 9 12"}, // greyed under Quen
        {"#4", {8, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0}, false, "1 4 7 9 12"},
        {"l", {8, 0, 1, 1, 0, 1, 1, 0, 0, 0, 0}, true, "3 4 7 9 12"}, // L to "By the Book"
        {"b", {8, 0, 1, 0, 0, 1, 1, 0, 0, 0, 0}, true, "3 7 9 12"},
        {"l", {8, 0, 1, 0, 1, 1, 1, 0, 0, 0, 0}, true, "1 4 7 9 12"}, // Quen always shifts
        {"#0", {8, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0}, true, "0 4 7 9 12"},
        {"#3", {8, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0}, true, "3 7 9 12"},
        {"#4", {8, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0}, true, "3 4 7 9 12"},
        {"l", {8, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0}, true, "1 4 7 9 12"}, // "Quen: Double" always
        {",,", {8, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0}, true, "1 4 6 9 12"},
        {",", {8, 0, 1, 1, 1, 1, 0, 0, 0, 0, 0}, true, "1 4 6 9 12"}, // clamped, still applied
        {"...", {8, 0, 1, 1, 1, 1, 2, 0, 0, 0, 0}, true, "1 4 8 9 12"},
        {"]]]]]]]]", {8, 7, 1, 1, 1, 1, 2, 0, 0, 0, 0}, true, "1 4 8 9 19"},
        {"]", {8, 7, 1, 1, 1, 1, 2, 0, 0, 0, 0}, false, "1 4 8 9 19"},
        {"#22", {1, 7, 2, 1, 1, 1, 2, 0, 0, 0, 0}, true, "1 4 8 9 22"},
        {"#13", {8, 1, 2, 1, 1, 1, 2, 0, 0, 0, 0}, true, "1 4 8 9 13"},
        {"#18", {8, 6, 2, 1, 1, 1, 2, 0, 0, 0, 0}, true, "1 4 8 9 18"},
        {"#17", {8, 5, 2, 1, 1, 1, 2, 0, 0, 0, 0}, true, "1 4 8 9 17"},
        {"#6", {8, 5, 2, 1, 1, 1, 0, 0, 0, 0, 0}, true, "1 4 6 9 17"},
        {"#10", {8, 5, 2, 1, 1, 1, 0, 1, 0, 0, 0}, true, "1 4 6 10 17"},
        {"#8", {8, 5, 2, 1, 1, 1, 2, 1, 0, 0, 0}, true, "1 4 8 10 17"},
        {"#11", {8, 5, 2, 1, 1, 1, 2, 2, 0, 0, 0}, true, "1 4 8 11 17"},
        {"#2", {8, 5, 2, 1, 1, 2, 2, 2, 0, 0, 0}, true, "2 4 8 11 17"},
        {"#5", {8, 5, 2, 1, 1, 2, 2, 2, 1, 0, 0}, true, "2 4 5 8 11 17"},
        {"#24", {8, 5, 2, 1, 1, 2, 2, 2, 1, 1, 0}, true, "2 4 5 8 11 17 24"},
        {"#20", {1, 5, 0, 1, 1, 2, 2, 2, 1, 1, 0}, true, "2 4 5 8 11 20 24"},
        {"#25", {8, 5, 0, 1, 1, 3, 2, 2, 1, 1, 0}, true, "4 5 8 11 17 24 25"}, // palettes greyed
        {"t", {8, 5, 0, 1, 1, 2, 2, 2, 1, 1, 0}, true, "2 4 5 8 11 17 24"},    // the engine before
        {"t", {8, 5, 0, 1, 1, 3, 2, 2, 1, 1, 0}, true, "4 5 8 11 17 24 25"},
        {"k", {1, 5, 0, 1, 1, 3, 2, 2, 1, 1, 0}, true, "4 5 8 11 20 24 25"}, // one-bit works
    };
    for (const auto& step : steps) {
        QSettings().remove("engine/schemeType"); // every apply writes it
        if (step.keys[0] == '#')
            window->actionsById[std::atoi(step.keys + 1)]->trigger();
        else
            QTest::keyClicks(window.get(), step.keys);
        EXPECT_EQ(QSettings().contains("engine/schemeType"), step.applies) << step.keys;
        EXPECT_EQ(block(rec()), step.after) << step.keys;
        QStringList checked;
        for (int id = 0; id < MainWindow::kActionIds; ++id)
            if (window->actionsById[id]->isChecked()) checked << QString::number(id);
        EXPECT_EQ(checked.join(' '), step.checked) << step.keys;
        EXPECT_EQ(window->actionsById[4]->isEnabled(), !rec()->quenEngine) << step.keys;
        for (int id = 12; id < 20; ++id) // the colour palettes
            EXPECT_EQ(window->actionsById[id]->isEnabled(), !CompositeEngineB(rec())) << id;
        if (!step.applies) continue;
        MainWindow relaunched; // reads back what was stored
        std::vector<int> stored = block(relaunched.pictureView->globalsRec);
        stored.back() = 0; // the offset is not stored: it is 1 once the group exists
        EXPECT_EQ(stored, step.after) << step.keys << " after a relaunch";
        EXPECT_EQ(relaunched.lastOpenDir + relaunched.lastSaveDir + relaunched.lastTextDir,
                  "/open/save/text");
    }
    EXPECT_EQ(window->pictureView->size(), QSize(948, 768));

    // During the start-up sequence (chosen above) the first key only skips it.
    const std::vector<int> before = block(rec());
    window->openMostRecentIfAvailable();
    ASSERT_TRUE(window->startupSequence != nullptr && window->startupSequence->runningB);
    QSignalSpy finished(window->startupSequence, &StartupSequence::finished);
    QTest::keyClick(window.get(), 'k');
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(block(rec()), before);
    QTest::keyClick(window.get(), 'k'); // the sequence is idle now: the key works
    EXPECT_EQ(rec()->bmFinalDepth, 8);
}

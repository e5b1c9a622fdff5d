// The menu bar read back as data against the menus as designed, the check marks over every
// setting, each item's operation, the single-key view shortcuts and their start-up guard.
#include "AppTestSupport.h"

#include "startup/StartupSequence.h"

#include <QActionGroup>
#include <QMenuBar>
#include <QSignalSpy>

#include <cstdlib>

namespace {

// One entry per item: label, shortcut, radio group (by its first member's actId), actId, tag,
// lone checkable, role; separators are "-", submenus "label >", menus "[title]".
QStringList describe(MainWindow& w) {
    const std::pair<QAction*, const char*> tags[] = {
        {w.undoAction, "undo"},   {w.cutAction, "cut"},     {w.copyAction, "copy"},
        {w.pasteAction, "paste"}, {w.clearAction, "clear"}, {w.selectAllAction, "selectAll"}};
    QStringList lines;
    for (QAction* menu : w.menuBar()->actions()) {
        lines << "[" + menu->text() + "]";
        for (QAction* a : menu->menu()->actions()) {
            QString line = a->isSeparator() ? "-" : a->text() + (a->menu() ? " >" : "");
            if (!a->shortcut().isEmpty()) line += " " + a->shortcut().toString();
            if (a->actionGroup())
                line += QString(" {%1}").arg(a->actionGroup()->actions()[0]->data().toInt());
            for (int id = 0; id < MainWindow::kActionIds; ++id)
                if (w.actionsById[id] == a) line += QString(" #%1").arg(id);
            for (const auto& [action, tag] : tags)
                if (action == a) line += QString(" @") + tag;
            if (a->isCheckable() && !a->actionGroup()) line += " +check";
            if (a->menuRole() == QAction::AboutRole) line += " (about)";
            if (a->menuRole() == QAction::AboutQtRole) line += " (aboutQt)";
            lines << line;
        }
    }
    return lines;
}

} // namespace

TEST_F(AppTest, MenuBarIsTheDesignedOneAndBrokenDescriptionsAreReported) {
    EXPECT_EQ(window->menuProblems(), QStringList());
    const QStringList expected =
        QString("[&File]|New Text Ctrl+N|Open Text... Ctrl+O|Recent Text >|-|New Graphic "
                "Ctrl+Shift+N|Open Graphic... Ctrl+Shift+O|Recent Graphic >|Import Picture... "
                "Ctrl+Shift+I|-|&Save Ctrl+S|Save "
                "As... Ctrl+Shift+S|-|&Quit Ctrl+Q|[&Edit]|Undo Ctrl+Z @undo|-|Cut Ctrl+X @cut|"
                "Copy Ctrl+C @copy|Paste Ctrl+V @paste|Clear @clear|Select All Ctrl+A @selectAll|"
                "-|Show Startup Screen Ctrl+P #24 +check|Convert to DHGR #23|-|Shift Left "
                "Ctrl+Left|Shift Right Ctrl+Right|[E&ngine]|Quen: Dunmere {0} #0|Quen: Double "
                "{0} #1|Quen: Sharp {0} #2|“By the Book” {0} #3|-|“By the Book” uses Bit Shifting "
                "#4 +check|-|Half Size {6} #6|Normal Size {6} #7|Double Size {6} #8|-|No Aspect "
                "Correction (1.0) {9} #9|Standard Aspect (0.9) {9} #10|DV Aspect (0.84) {9} #11|-|"
                "560 Mode (For B&&W Pencil) #5 +check|[&Palette]|Dunmere Ctrl+1 {12} #12|"
                "DeBabelizer Ctrl+2 {12} #13|Quen's TV Ctrl+3 {12} #14|Tobrel Ctrl+4 {12} #15|"
                "Pell Ctrl+5 {12} #16|Canon DV Ctrl+6 {12} #17|IREZ CapSure Ctrl+7 {12} #18|IIGS "
                "Ctrl+8 {12} #19|-|Black and White {12} #20|Black and Green {12} #21|Black and "
                "Amber {12} #22|[&Help]|About orvel... (about)|About Qt... (aboutQt)")
            .split('|');
    EXPECT_EQ(describe(*window), expected);

    const char* broken[] = {
        R"([{"title": "X", "items": [)",
        R"([{"title": "X", "items": [{"text": "Y", "slot": "onNothing"}]}])",
        R"([{"title": "X", "items": [{"type": "radioGroup", "id": "zoom", )"
        R"("items": [{"text": "Z", "actId": 3}]}]}])",
        R"([{"title": "X", "items": [{"text": "Y", "slot": "onSave", "actId": 25}]}])",
    };
    for (const char* description : broken) {
        MainWindow fresh;
        const int before = fresh.menuProblems().size();
        fresh.buildMenusFrom(description);
        EXPECT_GT(fresh.menuProblems().size(), before) << description;
    }
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

// The menu bar as built from the compiled-in description, read back as data and compared with
// the menus as designed; the check marks over every setting; a broken description is caught.
#include "AppTestSupport.h"

#include <QActionGroup>
#include <QMenuBar>

namespace {

// One line per item: label, shortcut, radio group (by its first member), actId, tag, checkable,
// role; separators are "-", submenus "label >".
QStringList describe(MainWindow& window) {
    QStringList lines;
    const std::pair<QAction**, const char*> tags[] = {
        {&window.undoAction, "undo"},   {&window.cutAction, "cut"},
        {&window.copyAction, "copy"},   {&window.pasteAction, "paste"},
        {&window.clearAction, "clear"}, {&window.selectAllAction, "selectAll"}};
    for (QAction* menuAction : window.menuBar()->actions()) {
        lines << "[" + menuAction->text() + "]";
        for (QAction* a : menuAction->menu()->actions()) {
            if (a->isSeparator()) {
                lines << "-";
                continue;
            }
            if (a->menu() != nullptr) {
                lines << a->text() + " >";
                continue;
            }
            QString line = a->text();
            if (!a->shortcut().isEmpty()) line += " " + a->shortcut().toString();
            if (a->actionGroup() != nullptr)
                line += " {" + a->actionGroup()->actions().first()->text() + "}";
            for (int id = 0; id < MainWindow::kActionIds; ++id)
                if (window.actionsById[id] == a) line += QString(" #%1").arg(id);
            for (const auto& [slot, tag] : tags)
                if (*slot == a) line += QString(" @") + tag;
            if (a->isCheckable() && a->actionGroup() == nullptr) line += " +check";
            if (a->menuRole() == QAction::AboutRole) line += " (about)";
            if (a->menuRole() == QAction::AboutQtRole) line += " (aboutQt)";
            lines << line;
        }
    }
    return lines;
}

} // namespace

TEST_F(AppTest, MenuBarIsTheDesignedOne) {
    EXPECT_TRUE(window->menuProblems().isEmpty())
        << window->menuProblems().join("; ").toStdString();
    const QString g = " {Quen: Dunmere}", s = " {Half Size}", a = " {No Aspect Correction (1.0)}",
                  p = " {Dunmere}";
    const QStringList expected = {"[&File]",
                                  "New Text Ctrl+N",
                                  "Open Text... Ctrl+O",
                                  "Recent Text >",
                                  "-",
                                  "New Graphic Ctrl+Shift+N",
                                  "Open Graphic... Ctrl+Shift+O",
                                  "Recent Graphic >",
                                  "-",
                                  "&Save Ctrl+S",
                                  "Save As... Ctrl+Shift+S",
                                  "-",
                                  "&Quit Ctrl+Q",
                                  "[&Edit]",
                                  "Undo Ctrl+Z @undo",
                                  "-",
                                  "Cut Ctrl+X @cut",
                                  "Copy Ctrl+C @copy",
                                  "Paste Ctrl+V @paste",
                                  "Clear @clear",
                                  "Select All Ctrl+A @selectAll",
                                  "-",
                                  "Show Startup Screen Ctrl+P #24 +check",
                                  "Convert to DHGR #23",
                                  "-",
                                  "Shift Left Ctrl+Left",
                                  "Shift Right Ctrl+Right",
                                  "[E&ngine]",
                                  "Quen: Dunmere" + g + " #0",
                                  "Quen: Double" + g + " #1",
                                  "Quen: Sharp" + g + " #2",
                                  "“By the Book”" + g + " #3",
                                  "-",
                                  "“By the Book” uses Bit Shifting #4 +check",
                                  "-",
                                  "Half Size" + s + " #6",
                                  "Normal Size" + s + " #7",
                                  "Double Size" + s + " #8",
                                  "-",
                                  "No Aspect Correction (1.0)" + a + " #9",
                                  "Standard Aspect (0.9)" + a + " #10",
                                  "DV Aspect (0.84)" + a + " #11",
                                  "-",
                                  "560 Mode (For B&&W Pencil) #5 +check",
                                  "[&Palette]",
                                  "Dunmere Ctrl+1" + p + " #12",
                                  "DeBabelizer Ctrl+2" + p + " #13",
                                  "Quen's TV Ctrl+3" + p + " #14",
                                  "Tobrel Ctrl+4" + p + " #15",
                                  "Pell Ctrl+5" + p + " #16",
                                  "Canon DV Ctrl+6" + p + " #17",
                                  "IREZ CapSure Ctrl+7" + p + " #18",
                                  "IIGS Ctrl+8" + p + " #19",
                                  "-",
                                  "Black and White" + p + " #20",
                                  "Black and Green" + p + " #21",
                                  "Black and Amber" + p + " #22",
                                  "[&Help]",
                                  "About orvel... (about)",
                                  "About Qt... (aboutQt)"};
    EXPECT_EQ(describe(*window), expected);
}

TEST_F(AppTest, BrokenDescriptionsAreReported) {
    const char* broken[] = {
        "[{\"title\": \"X\", \"items\": [",
        "[{\"title\": \"X\", \"items\": [{\"text\": \"Y\", \"slot\": \"onNothing\"}]}]",
        "[{\"title\": \"X\", \"items\": [{\"type\": \"radioGroup\", \"id\": \"zoom\", "
        "\"items\": [{\"text\": \"Z\", \"actId\": 3}]}]}]",
        "[{\"title\": \"X\", \"items\": [{\"text\": \"Y\", \"slot\": \"onSave\", \"actId\": 25}]}]",
    };
    for (const char* description : broken) {
        MainWindow fresh;
        const int before = fresh.menuProblems().size();
        fresh.buildMenusFrom(description);
        EXPECT_GT(fresh.menuProblems().size(), before) << description;
    }
}

TEST_F(AppTest, CheckMarksFollowTheRecord) {
    struct Case {
        bool quen;
        int scheme, depth, palette, mono;
        bool shifting;
        QList<int> checked; // of the ids 0..4 and 12..22
        bool shiftingEnabled;
    } cases[] = {
        {true, 0, 8, 3, 1, false, {0, 4, 15}, false}, // Quen: shifting greyed but checked
        {true, 2, 1, 3, 2, true, {2, 4, 22}, false},  // one-bit: no colour palette checked
        {false, 1, 8, 7, 0, false, {3, 19}, true},    // By the Book without shifting
        {false, 1, 1, 0, 0, true, {3, 4, 20}, true},
    };
    for (const Case& c : cases) {
        rec()->quenEngine = c.quen;
        rec()->schemeType = c.scheme;
        rec()->bmFinalDepth = c.depth;
        rec()->paletteType = c.palette;
        rec()->oneBitPalette = c.mono;
        rec()->bitShifting = c.shifting;
        window->applyAndSave();
        for (int id : {0, 1, 2, 3, 4, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22})
            EXPECT_EQ(window->actionsById[id]->isChecked(), c.checked.contains(id)) << id;
        EXPECT_EQ(window->actionsById[4]->isEnabled(), c.shiftingEnabled);
    }
    for (int size = 0; size < 3; ++size)
        for (int aspect = 0; aspect < 3; ++aspect) {
            window->setScreenSize(size);
            window->setAspectCorrect(aspect);
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(window->actionsById[6 + i]->isChecked(), i == size);
                EXPECT_EQ(window->actionsById[9 + i]->isChecked(), i == aspect);
            }
        }
    for (bool on : {true, false}) {
        rec()->is560Mode = on;
        rec()->startScreen = !on;
        window->applyAndSave();
        EXPECT_EQ(window->actionsById[5]->isChecked(), on);
        EXPECT_EQ(window->actionsById[24]->isChecked(), !on);
    }
}

TEST_F(AppTest, MenuItemsRunTheirOperation) {
    window->actionsById[3]->trigger(); // "By the Book"
    EXPECT_FALSE(rec()->quenEngine);
    window->actionsById[4]->trigger(); // bit shifting, now enabled
    EXPECT_FALSE(rec()->bitShifting);
    window->actionsById[22]->trigger();
    EXPECT_EQ(rec()->bmFinalDepth, 1);
    EXPECT_EQ(rec()->oneBitPalette, 2);
    window->actionsById[17]->trigger();
    EXPECT_EQ(rec()->bmFinalDepth, 8);
    EXPECT_EQ(rec()->paletteType, 5);
    window->actionsById[8]->trigger();
    window->actionsById[11]->trigger();
    EXPECT_EQ(window->pictureView->size(), QSize(948, 768));
    window->actionsById[1]->trigger();
    EXPECT_TRUE(rec()->quenEngine);
    EXPECT_EQ(rec()->schemeType, 1);
    const bool shifting = rec()->bitShifting;
    window->actionsById[4]->trigger(); // greyed under Quen: nothing happens
    EXPECT_EQ(rec()->bitShifting, shifting);
}

// The document's life by every road that reaches it: a failed open changes nothing, a save names
// the document, unsaved text is asked about before anything replaces it, and the "80" mark.
#include "AppTestSupport.h"

#include "startup/BundledScreens.h"
#include "text/TextGridWidget.h"
#include "text/TextScreenEditor.h"
#include "text/TextScreenFile.h"

#include <QCheckBox>
#include <QMenu>
#include <QPointer>
#include <QTimer>

namespace {

// The document as the user sees it: title, remembered path, recent pictures, shown banks.
QStringList documentOf(MainWindow& w) {
    return {w.windowTitle(), w.currentGraphicPath, w.recentFiles.join(','),
            QString::fromLatin1(banks(w.pictureView->globalsRec).toBase64())};
}

} // namespace

TEST_F(AppTest, AFailedOpenChangesNothingOnAnyRoad) {
    const QString good = path("GOOD.HGR"), other = path("other.dgr");
    ASSERT_TRUE(WriteFile(good, SeededBytes(1, 8192)) && WriteFile(other, SeededBytes(2, 16384)));
    ASSERT_TRUE(WriteFile(path("short"), QByteArray(100, 'x')) && WriteFile(path("empty"), ""));
    QDir(dir.path()).mkdir("folder");
    const std::function<void(const QString&)> roads[] = {
        [&](const QString& file) { dialogs->answers << file, window->onOpenGraphic(); },
        [&](const QString& file) { // an entry that went bad since it was listed
            for (QAction* item : window->recentGraphicMenu->actions())
                if (item->text() == QFileInfo(file).fileName()) // a trigger rebuilds the menu
                    return item->trigger();
        },
        [&](const QString& file) { dropOn(window->pictureView, file); },
        [&](const QString& file) { window->openPicture(file, false); }, // the command line
    };
    window->recentFiles = {path("short"), path("empty"), path("folder")};
    dialogs->answers << good;
    window->onOpenGraphic();
    const QStringList opened = documentOf(*window);
    ASSERT_EQ(opened[0], "orvel — GOOD.HGR");
    for (std::size_t road = 0; road < std::size(roads); ++road) {
        for (const char* bad : {"short", "empty", "folder"}) {
            roads[road](path(bad));
            EXPECT_EQ(documentOf(*window), opened) << road << " " << bad;
            const bool passedOver = road == 2 && QString(bad) == "folder"; // drops skip folders
            EXPECT_TRUE(passedOver || status().endsWith(": " + path(bad)))
                << road << status().toStdString();
        }
    }
    // Every road that loads names the document; only the menu's roads add it to the list.
    const QString expectedRecent[] = {other + "," + good, other + "," + good, good, good};
    for (std::size_t road = 0; road < std::size(roads); ++road) {
        restart();
        window->recentFiles = {good};
        roads[road](other);
        EXPECT_EQ(documentOf(*window).mid(0, 3),
                  QStringList({"orvel — other.dgr", other, expectedRecent[road]}))
            << road;
        EXPECT_TRUE(rec()->isDHGR);
    }
}

// Every road that replaces the editor's text asks first; Cancel keeps the text, and a cancelled
// file dialog asks nothing.
TEST_F(AppTest, UnsavedTextIsAskedAboutBeforeEveryRoadReplacesIt) {
    ASSERT_TRUE(WriteFile(path("pic.hgr"), SeededBytes(3, 8192)));
    ASSERT_TRUE(writeTextScreenFile(path("other.txt"), "OTHER").ok);
    const std::function<void()> roads[] = {
        [&] { window->onNewText(); },
        [&] { dialogs->answers << path("other.txt"), window->onOpenText(); },
        [&] { window->openTextFile(path("other.txt"), false); },     // a recent text entry
        [&] { window->recentTextMenu->actions().at(2)->trigger(); }, // "Welcome"
        [&] { window->onNewGraphic(); },
        [&] { dialogs->answers << path("pic.hgr"), window->onOpenGraphic(); },
        [&] { window->openRecentFile(path("pic.hgr")); },
        [&] { dropOn(window->pictureView, path("pic.hgr")); },
        [&] { window->onQuit(); },
        [&] { window->close(); },
    };
    for (std::size_t road = 0; road < std::size(roads); ++road) {
        for (const QMessageBox::StandardButton answer :
             {QMessageBox::Cancel, QMessageBox::Discard}) {
            window->showTextInEditor("KEEP", QString());
            QPointer<TextScreenEditor> editor = window->textEditor;
            QTest::keyClicks(editor->grid, "!");
            int asked = 0;
            editor->askSaveChanges = [&] { return ++asked, answer; };
            roads[road]();
            EXPECT_EQ(asked, 1) << road;
            const bool kept = editor && editor->isVisible() && editor->getText() == "!KEEP";
            EXPECT_EQ(kept, answer == QMessageBox::Cancel) << road << " " << answer;
            if (editor) editor->askSaveChanges = [] { return QMessageBox::Discard; };
        }
        dialogs->answers.clear();
    }
    // The question comes after the file dialog: cancelling the dialog asks nothing.
    window->showTextInEditor("KEEP", QString());
    QTest::keyClicks(window->textEditor->grid, "!");
    window->textEditor->askSaveChanges = [] { return ADD_FAILURE(), QMessageBox::Cancel; };
    window->onOpenText();
    window->onOpenGraphic();
    window->openPicture(path("missing.hgr"), true);
    EXPECT_EQ(window->textEditor->getText(), "!KEEP");
}

TEST_F(AppTest, TextSaveAsNamesTheScreenByMenuAndByKey) {
    window->lastTextDir = dir.path();
    window->onNewText();
    TextScreenEditor* editor = window->textEditor;
    QTest::keyClicks(editor->grid, "HI");
    editor->grid->flushPendingChange();
    EXPECT_TRUE(editor->windowTitle().endsWith(" •"));
    QApplication::setActiveWindow(editor);
    dialogs->answers << path("notes");
    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dialogs->asked[0], "Save Text Screen");
    EXPECT_EQ(readTextScreenFile(path("notes.txt")).text, "HI");
    EXPECT_EQ(editor->windowTitle(), "orvel — notes.txt");
    EXPECT_EQ(window->recentTextScreens.value(0), path("notes.txt"));
    EXPECT_EQ(status(), "Saved (Mac OS Roman): " + path("notes.txt") +
                            " — In TextEdit/VS Code, reopen as \"Western (Mac OS Roman)\" if the "
                            "Apple II font looks wrong.");
    QTest::keyClicks(editor->grid, "!"); // the next Save goes to the new name, without asking
    editor->grid->flushPendingChange();
    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(readTextScreenFile(path("notes.txt")).text, "HI!");
    dialogs->answers << path("copy.txt"); // Save As through the menu item too
    for (QAction* action : window->findChildren<QAction*>())
        if (action->text() == "Save As...") action->trigger();
    EXPECT_EQ(readTextScreenFile(path("copy.txt")).text, "HI!");
    EXPECT_EQ(editor->filePath, path("copy.txt"));
}

// A 40-column first row that begins with "80" stays 40 columns in the editor, its picture and
// its undo; the save says how the file will reopen.
TEST_F(AppTest, ARowBeginningWith80StaysFortyColumnsUntilItIsSaved) {
    window->lastTextDir = dir.path();
    window->onNewText();
    TextScreenEditor* editor = window->textEditor;
    QTest::keyClicks(editor->grid, "80 COLUMN CARD");
    editor->grid->flushPendingChange();
    EXPECT_EQ(editor->grid->columns, 40);
    EXPECT_FALSE(rec()->isDHGR) << "mirrored as a 40-column picture";
    QTest::keyClick(editor->grid, Qt::Key_Backspace);
    editor->grid->flushPendingChange();
    window->onUndo();
    editor->grid->flushPendingChange();
    EXPECT_EQ(editor->grid->bodyText(), "80 COLUMN CARD");
    EXPECT_EQ(editor->grid->columns, 40);
    EXPECT_FALSE(rec()->isDHGR);
    dialogs->answers << path("card.txt");
    window->onSaveTextFile(QString());
    EXPECT_TRUE(status().endsWith("Its first row begins with \"80\", so it will reopen as 80 "
                                  "columns."))
        << status().toStdString();
}

// New Text takes the stored "80 Columns" choice; switching a blank screen marks nothing.
TEST_F(AppTest, NewTextStartsWithTheStoredColumnsAndMarksOnlyWhatItAsksAbout) {
    QSettings().setValue("texteditor/80col", true);
    window->onNewText();
    TextScreenEditor* editor = window->textEditor;
    EXPECT_EQ(editor->grid->columns, 80);
    EXPECT_TRUE(rec()->isDHGR);
    editor->col80Check->click(); // a new blank screen: no mark, no question
    editor->grid->flushPendingChange();
    EXPECT_EQ(editor->grid->columns, 40);
    EXPECT_EQ(editor->windowTitle(), "orvel — Text Editor");
    editor->askSaveChanges = [] { return ADD_FAILURE(), QMessageBox::Cancel; };
    EXPECT_TRUE(editor->maybeSave());
    window->onNewText();
    EXPECT_EQ(window->textEditor->grid->columns, 40) << "the switch is the stored choice";
}

TEST_F(AppTest, RecentTextEntriesAreToldApartAndSayWhyTheyDoNotOpen) {
    QDir(dir.path()).mkpath("a");
    QDir(dir.path()).mkpath("b");
    const QString a = path("a/screen40.txt"), b = path("b/screen40.txt"), big = path("big.txt");
    ASSERT_TRUE(writeTextScreenFile(a, "A").ok && writeTextScreenFile(b, "B").ok);
    QFile huge(big);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(2 << 20));
    QSettings().setValue("recentTextScreens", QVariantList{a, 7, b, big});
    restart(); // the bad entry is passed over, the others kept
    ASSERT_EQ(window->recentTextScreens, QStringList({a, b, big}));
    const QList<QAction*> items = window->recentTextMenu->actions();
    EXPECT_EQ(items.at(6)->text(), "screen40.txt — " + path("a"));
    EXPECT_EQ(items.at(7)->text(), "screen40.txt — " + path("b"));
    EXPECT_EQ(items.at(8)->text(), "big.txt");
    items.at(7)->trigger();
    EXPECT_EQ(window->textEditor->getText(), "B");
    EXPECT_EQ(status(), "Loaded: " + b) << "opening a text screen says so";
    items.at(8)->trigger();
    EXPECT_EQ(status(), "Text screen file too large (2097152 bytes): " + big);
}

// The real dialogs: Enter in the unsaved-changes question is Save, and a name typed without an
// extension into the real save dialog gets the chosen filter's.
TEST_F(AppTest, EnterInTheRealDialogsSavesAndAddsTheExtension) {
    const auto typeThenEnter = [](const QString& typed) {
        QTimer::singleShot(0, [typed] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            QWidget* focused = modal->focusWidget() != nullptr ? modal->focusWidget() : modal;
            QTest::keyClicks(focused, typed);
            QTest::keyClick(focused, Qt::Key_Return);
        });
    };
    StandardDialogs real;
    QString chosen;
    typeThenEnter("double");
    EXPECT_EQ(
        real.saveFileName(nullptr, "Save", dir.path(), "DHGR (*.dhgr *.dgr);;DGR (*.dgr)", &chosen),
        path("double.dhgr"));
    EXPECT_EQ(chosen, "DHGR (*.dhgr *.dgr)");

    window->showTextInEditor("KEEP", QString());
    TextScreenEditor* editor = window->textEditor;
    editor->modifiedB = true;
    int saves = 0;
    editor->saveRequested = [&] { return ++saves, true; };
    typeThenEnter(QString());
    EXPECT_TRUE(editor->maybeSave());
    EXPECT_EQ(saves, 1);
}

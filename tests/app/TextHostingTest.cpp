// The main window hosting the text editor: an opened text shows in the editor and as a picture
// at once, every edit re-renders it, and a picture command asks before it drops unsaved text.
#include "AppTestSupport.h"

#include "text/TextGridWidget.h"
#include "text/TextScreenEditor.h"
#include "text/TextScreenFile.h"

#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

class HostingTest : public AppTest {
protected:
    // Opens a text file holding `text` through Open Text, as the user would.
    QPointer<TextScreenEditor> openText(const QString& text) {
        EXPECT_TRUE(writeTextScreenFile(path("SCREEN.txt"), text).ok);
        dialogs->answers << path("SCREEN.txt");
        window->onOpenText();
        return window->textEditor;
    }
    // "text" or "picture" mode, and how many of the six Edit commands are enabled.
    QString mode() {
        int enabled = 0;
        for (QAction* action : {window->undoAction, window->cutAction, window->copyAction,
                                window->pasteAction, window->clearAction, window->selectAllAction})
            enabled += action->isEnabled();
        return QString(window->textModeB ? "text %1" : "picture %1").arg(enabled);
    }
};

TEST_F(HostingTest, AnOpenedTextIsEditedMirroredAndSavedOnClosing) {
    QPointer<TextScreenEditor> editor = openText("HELLO");
    ASSERT_TRUE(editor);
    EXPECT_TRUE(editor->isVisible() && !rec()->isDHGR && window->windowTitle() == "orvel");
    EXPECT_EQ(editor->getText(), "HELLO");
    EXPECT_EQ(mode(), "text 6");
    EXPECT_TRUE(editor->actions().contains(window->copyAction)) << "Ctrl+C works in the editor";
    const QByteArray hello = banks(rec());
    EXPECT_NE(hello, QByteArray(2 * kBankSize, '\0')) << "shown as a picture at once";
    QTest::keyClicks(editor->grid, "X");
    ASSERT_TRUE(QTest::qWaitFor([&] { return banks(rec()) != hello; })) << "typing re-renders";
    editor->col80Check->click(); // double hi-res at once; the text follows
    EXPECT_TRUE(rec()->isDHGR);
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor->getText() == "80XHELLO"; }));

    editor->askSaveChanges = [] { return QMessageBox::Save; }; // saved through the window
    window->onNewGraphic();
    EXPECT_EQ(window->textEditor, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor.isNull(); })) << "the window deletes itself";
    EXPECT_EQ(readTextScreenFile(path("SCREEN.txt")).text, "80XHELLO");
    EXPECT_EQ(mode(), "picture 6"); // the Edit commands act on the picture now
    EXPECT_EQ(banks(rec()), QByteArray(2 * kBankSize, '\0'));
}

// A Save whose dialog is cancelled counts as a cancel: a new screen has no path to save to.
TEST_F(HostingTest, ASaveWithoutANameKeepsTheText) {
    window->onNewText();
    QPointer<TextScreenEditor> editor = window->textEditor;
    QTest::keyClicks(editor->grid, "NEW");
    editor->grid->flushPendingChange();
    const QByteArray shown = banks(rec());
    editor->askSaveChanges = [] { return QMessageBox::Save; };
    window->onNewGraphic();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->getText(), "NEW");
    EXPECT_EQ(banks(rec()), shown);
    EXPECT_EQ(mode(), "text 6");
}

// On a first run the editor opens beside the main window; typing along an 80-column row at 2x,
// wider than the screen, keeps the cursor in view.
TEST_F(HostingTest, TheEditorOpensBesideThePictureAndKeepsTheCursorInView) {
    QSettings().setValue("engine/screenSize", 0); // a small main window leaves room beside it
    restart();
    window->show();
    window->onNewText();
    TextScreenEditor* editor = window->textEditor;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor));
    // ctest gives the suite a desktop-wide screen; run alone on a narrower one there is no room.
    const int room =
        window->screen()->availableGeometry().width() - window->frameGeometry().width();
    EXPECT_TRUE(room <= editor->frameGeometry().width() ||
                !editor->frameGeometry().intersects(window->frameGeometry()));
    editor->scaleButton->click();
    editor->col80Check->click();
    for (const int column : {30, 79}) {
        QTest::keyClicks(editor->grid, QString(column - editor->grid->cursorCol, 'X'));
        EXPECT_TRUE(
            editor->grid->visibleRegion().boundingRect().contains(editor->grid->cursorCell()))
            << column;
    }
}

// The main window hosting the text editor: a text screen opened shows in the editor and as a
// picture at once, every edit re-renders it, and a picture command asks before it drops the text.
#include "AppTestSupport.h"

#include "text/TextGridWidget.h"
#include "text/TextScreenEditor.h"
#include "text/TextScreenFile.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPointer>

#include <cstring>

namespace {

QByteArray banks(const ORVEL_GlobalsRec* rec) {
    return QByteArray(reinterpret_cast<const char*>(rec->auxMem), kBankSize) +
           QByteArray(reinterpret_cast<const char*>(rec->mainMem), kBankSize);
}

bool blank(const ORVEL_GlobalsRec* rec) {
    return banks(rec).count('\0') == 2 * kBankSize;
}

} // namespace

class HostingTest : public AppTest {
protected:
    // Opens a text file holding `text` through Open Text, as the user would.
    QPointer<TextScreenEditor> openText(const QString& text) {
        const QString file = path("SCREEN.txt");
        EXPECT_TRUE(writeTextScreenFile(file, text).ok);
        dialogs->answers << file;
        window->onOpenText();
        return window->textEditor;
    }
    bool editEnabled() {
        for (QAction* action : {window->undoAction, window->cutAction, window->copyAction,
                                window->pasteAction, window->clearAction, window->selectAllAction})
            if (!action->isEnabled()) return false;
        return true;
    }
};

TEST_F(HostingTest, AnOpenedTextIsEditedAndMirroredAsAPicture) {
    QPointer<TextScreenEditor> editor = openText("HELLO");
    ASSERT_TRUE(editor);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->getText(), "HELLO");
    EXPECT_TRUE(window->textModeB);
    EXPECT_EQ(window->windowTitle(), "orvel");
    EXPECT_TRUE(editEnabled());
    EXPECT_TRUE(editor->actions().contains(window->copyAction)) << "Ctrl+C works in the editor";
    EXPECT_FALSE(rec()->isDHGR);
    const QByteArray hello = banks(rec());
    EXPECT_FALSE(blank(rec())) << "shown as a picture at once";

    QTest::keyClicks(editor->grid, "X");
    ASSERT_TRUE(WaitUntil([&] { return banks(rec()) != hello; })) << "typing re-renders";
    EXPECT_EQ(editor->getText(), "XHELLO");

    // 80 columns turns the hi-res view into double hi-res at once; the text follows.
    editor->col80Check->click();
    EXPECT_TRUE(rec()->isDHGR);
    ASSERT_TRUE(WaitUntil([&] { return window->textEditor->getText() == "80XHELLO"; }));

    // The editor's Save answer saves through the window; closing clears the picture.
    editor->askSaveChanges = [] { return QMessageBox::Save; };
    window->onNewGraphic();
    EXPECT_EQ(window->textEditor, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return editor.isNull(); })) << "the window deletes itself";
    EXPECT_EQ(readTextScreenFile(path("SCREEN.txt")).text, "80XHELLO");
    EXPECT_FALSE(window->textModeB);
    EXPECT_TRUE(blank(rec()));
    EXPECT_FALSE(window->undoAction->isEnabled() || window->selectAllAction->isEnabled());
}

TEST_F(HostingTest, PictureCommandsAskFirstAndCancelChangesNothing) {
    QPointer<TextScreenEditor> editor = openText("KEEP ME");
    QTest::keyClicks(editor->grid, "!");
    editor->grid->flushPendingChange();
    const QByteArray shown = banks(rec());
    int asked = 0;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    editor->askSaveChanges = [&] { return ++asked, answer; };

    window->onNewGraphic();
    dialogs->answers << path("SCREEN.txt");
    window->onOpenGraphic();
    EXPECT_EQ(asked, 2);
    ASSERT_TRUE(editor);
    EXPECT_TRUE(editor->isVisible() && editor->modifiedB);
    EXPECT_EQ(editor->getText(), "!KEEP ME");
    EXPECT_EQ(banks(rec()), shown);
    EXPECT_TRUE(window->textModeB && editEnabled());
    EXPECT_EQ(dialogs->answers.size(), 1) << "no file dialog after a cancel";

    // A Save whose dialog is cancelled counts as a cancel: a new screen has no path to save to.
    answer = QMessageBox::Discard;
    window->onNewText();
    ASSERT_TRUE(editor);
    QTest::keyClicks(editor->grid, "NEW");
    answer = QMessageBox::Save;
    dialogs->answers.clear();
    window->onNewGraphic();
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->getText(), "NEW");

    // An unchanged text closes without a question.
    editor->modifiedB = false;
    asked = 0;
    window->onNewGraphic();
    EXPECT_EQ(window->textEditor, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return editor.isNull(); })) << "the window deletes itself";
    EXPECT_EQ(asked, 0);
}

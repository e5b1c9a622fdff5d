// The editor window: its fresh state, title, switches and stored settings, and the question about
// unsaved changes with each of its answers.
#include "EditorTestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

TEST_F(EditorTest, AFreshWindowAndItsTitle) {
    editor->show(); // the whole grid shows on a first run
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor));
    EXPECT_EQ(editor->grid->visibleRegion(), QRegion(editor->grid->rect()));
    EXPECT_EQ(editor->statusLabel->text(), "40 col");
    EXPECT_EQ(editor->windowTitle(), "orvel — Text Editor");
    editor->setText("HELLO");
    editor->setFilePath("/some/where/Welcome.txt");
    EXPECT_EQ(editor->windowTitle(), "orvel — Welcome.txt");
    QTest::keyClicks(editor->grid, "X");
    editor->grid->flushPendingChange();
    EXPECT_TRUE(editor->modifiedB);
    EXPECT_EQ(editor->windowTitle(), "orvel — Welcome.txt •");
}

TEST_F(EditorTest, The80ColumnsSwitchAndWhatDoesNotFlipIt) {
    QSignalSpy modes(editor.data(), &TextScreenEditor::modeChanged);
    QSignalSpy texts(editor.data(), &TextScreenEditor::textChanged);
    editor->setText("80HELLO");
    EXPECT_TRUE(editor->col80Check->isChecked());
    editor->setText("HELLO");
    EXPECT_FALSE(editor->col80Check->isChecked());
    EXPECT_EQ(modes.count(), 0);
    EXPECT_EQ(texts.count(), 2);
    EXPECT_FALSE(editor->modifiedB);
    editor->col80Check->click();
    ASSERT_EQ(modes.count(), 1);
    EXPECT_TRUE(modes.takeFirst().at(0).toBool());
    EXPECT_EQ(editor->statusLabel->text(), "80 Columns");
    ASSERT_TRUE(QSignalSpy(editor.data(), &TextScreenEditor::textChanged).wait(5000));
    EXPECT_TRUE(editor->modifiedB);
    EXPECT_EQ(editor->getText(), "80HELLO");
}

TEST_F(EditorTest, ZoomAndSwitchesAreStoredOnClose) {
    editor->scaleButton->click();
    EXPECT_EQ(editor->grid->scale, 4);
    EXPECT_EQ(editor->scaleButton->text(), "2×");
    EXPECT_EQ(editor->palette->scale, 4);
    EXPECT_FALSE(QSettings().contains("texteditor/scale")) << "stored only when it closes";
    editor->scaleButton->click();
    EXPECT_EQ(editor->scaleButton->text(), "1×");
    EXPECT_EQ(editor->palette->scale, 2);
    editor->scaleButton->click();
    editor->inverseCheck->click();
    editor->col80Check->click();
    editor->grid->flushPendingChange();
    editor->modifiedB = false;
    ASSERT_TRUE(editor->close());
    QSettings settings;
    EXPECT_EQ(settings.value("texteditor/scale").toInt(), 4);
    EXPECT_TRUE(settings.value("texteditor/80col").toBool());
    EXPECT_TRUE(settings.value("texteditor/inverseChars").toBool());
    EXPECT_TRUE(settings.contains("texteditor/geometry"));

    // A new window takes them back without a change or a mode switch; a wrong scale is ignored.
    settings.setValue("texteditor/scale", 3);
    TextScreenEditor again;
    EXPECT_EQ(again.grid->scale, 2);
    EXPECT_EQ(again.grid->columns, 80);
    EXPECT_TRUE(again.col80Check->isChecked() && again.inverseCheck->isChecked());
    EXPECT_FALSE(again.modifiedB);
    EXPECT_FALSE(again.grid->changeTimer.isActive());
}

TEST_F(EditorTest, TheUnsavedChangesQuestion) {
    int asked = 0;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    bool saveWorks = false;
    editor->askSaveChanges = [&] { return ++asked, answer; };
    editor->saveRequested = [&] { return saveWorks ? !(editor->modifiedB = false) : false; };
    QSignalSpy closed(editor.data(), &TextScreenEditor::editorClosed);

    editor->setText("");
    play(editor, "t   |kReturn");
    EXPECT_TRUE(editor->maybeSave()) << "spaces and line feeds are a blank screen";
    editor->setText("80");
    editor->modifiedB = true;
    EXPECT_TRUE(editor->maybeSave()) << "so is the bare 80-column marker";
    EXPECT_EQ(asked, 0);
    play(editor, "t   |kReturn");
    EXPECT_FALSE(editor->maybeSave()) << "80 columns with spaces are worth a question";
    EXPECT_EQ(asked, 1);
    asked = 0;
    play(editor, "tX");
    const struct {
        QMessageBox::StandardButton answer;
        bool saveWorks, goesOn;
    } answers[] = {{QMessageBox::Cancel, false, false},
                   {QMessageBox::Save, false, false}, // the save was cancelled or failed
                   {QMessageBox::Save, true, true},
                   {QMessageBox::Discard, false, true}};
    for (const auto& a : answers) {
        answer = a.answer, saveWorks = a.saveWorks, editor->modifiedB = true;
        EXPECT_EQ(editor->maybeSave(), a.goesOn) << int(a.answer) << a.saveWorks;
    }
    EXPECT_EQ(asked, 4);

    // A refused close keeps the window, its text and its flag; a close asked for asks once.
    editor->modifiedB = true;
    answer = QMessageBox::Cancel;
    EXPECT_FALSE(editor->close());
    EXPECT_FALSE(editor->requestClose());
    EXPECT_TRUE(editor && editor->modifiedB && editor->getText() == "80   \nX");
    EXPECT_EQ(closed.count(), 0);
    answer = QMessageBox::Discard;
    asked = 0;
    EXPECT_TRUE(editor->requestClose());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(closed.count(), 1);
}

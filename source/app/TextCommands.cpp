// The text side of the File and Edit menus: New, Open and Save of text screens, and the Edit
// commands, which go to the editor's grid. A text save reports whether it reached the disk, so
// the editor's "Save" answer to its unsaved-changes question loses nothing when it fails.
#include "app/MainWindow.h"

#include "text/TextGridWidget.h"
#include "text/TextScreenEditor.h"
#include "text/TextScreenFile.h"
#include "view/OrvelWidget.h"

#include <QDir>
#include <QFileInfo>
#include <QUndoStack>

bool MainWindow::mayReplaceText() {
    // maybeSave() also counts an edit of the last few milliseconds, not yet reported.
    return textEditor == nullptr || !textEditor->isVisible() || textEditor->maybeSave();
}

void MainWindow::onNewText() {
    if (!mayReplaceText()) return;
    showTextInEditor(TextScreenEditor::newScreenText(), QString());
}

void MainWindow::onOpenText() {
    const QString start = lastTextDir.isEmpty() ? QDir::homePath() : lastTextDir;
    const QString path = dialogs->openFileName(this, tr("Open Text Screen"), start,
                                               tr("Text Files (*.txt);;All Files (*)"));
    if (path.isEmpty()) return;
    rememberDirectory(lastTextDir, "lastTextDir", path);
    openTextFile(path, true);
}

bool MainWindow::openTextFile(const QString& path, bool addToRecent) {
    const TextScreenReadResult read = readTextScreenFile(path);
    if (!read.ok) {
        showStatus(read.error);
        return false;
    }
    if (!mayReplaceText()) return false;
    if (addToRecent) addRecentTextScreen(path);
    showTextInEditor(read.text, path);
    showStatus(tr("Loaded: %1").arg(path));
    return true;
}

QString MainWindow::askTextSaveName() {
    const QString start = lastTextDir.isEmpty() ? QDir::homePath() : lastTextDir;
    const QString name =
        textEditor->filePath.isEmpty()
            ? start
            : start + QLatin1Char('/') + QFileInfo(textEditor->filePath).fileName();
    return askSaveName(tr("Save Text Screen"), name, tr("Text Files (*.txt)"));
}

void MainWindow::onSaveTextAs() {
    if (textEditor == nullptr) return;
    const QString target = askTextSaveName();
    if (!target.isEmpty()) onSaveTextFile(target);
}

bool MainWindow::onSaveTextFile(const QString& path) {
    if (textEditor == nullptr) return false;
    QString target = path.isEmpty() ? textEditor->filePath : path;
    if (target.isEmpty()) target = askTextSaveName();
    if (target.isEmpty()) return false;
    rememberDirectory(lastTextDir, "lastTextDir", target);
    const TextScreenWriteResult write = writeTextScreenFile(target, textEditor->getText());
    if (!write.ok) {
        showStatus(tr("Could not save: %1").arg(target + QStringLiteral(": ") + write.reason));
        return false;
    }
    textEditor->setFilePath(target);
    textEditor->modifiedB = false;
    textEditor->updateTitle();
    addRecentTextScreen(target);
    QString saved =
        write.macRoman
            ? tr("Saved (Mac OS Roman): %1 — In TextEdit/VS Code, reopen as \"Western (Mac "
                 "OS Roman)\" if the Apple II font looks wrong.")
                  .arg(target)
            : tr("Saved (UTF-8): %1").arg(target);
    // The file cannot tell a first row that begins with "80" from the 80-column mark.
    if (textEditor->grid->columns == 40 && textEditor->getText().startsWith(QLatin1String("80")))
        saved += tr(" — Its first row begins with \"80\", so it will reopen as 80 columns.");
    showStatus(saved);
    return true;
}

// While a text screen is open the Edit commands go to its grid, as designed; otherwise they act
// on the picture (its history, its selection).
void MainWindow::onUndo() {
    if (textEditor != nullptr)
        textEditor->grid->doUndo();
    else
        pictureHistory->undo();
}

void MainWindow::onCut() {
    if (textEditor != nullptr) {
        textEditor->grid->doCut();
        return;
    }
    copyPictureSelection();
    clearPictureSelection();
}

void MainWindow::onCopy() {
    if (textEditor != nullptr)
        textEditor->grid->doCopy();
    else
        copyPictureSelection();
}

void MainWindow::onPaste() {
    if (textEditor != nullptr)
        textEditor->grid->doPaste();
    else if (!importClipboardImage()) // an image from another program opens the import
        pastePicture();
}

void MainWindow::onClear() {
    if (textEditor != nullptr)
        textEditor->grid->doClear();
    else
        clearPictureSelection();
}

void MainWindow::onSelectAll() {
    if (textEditor != nullptr) {
        textEditor->grid->doSelectAll();
        return;
    }
    pictureView->stroke.selectAll();
    selectTool(Tool::Select);
}

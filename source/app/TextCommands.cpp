// The text side of the File and Edit menus: New, Open and Save of text screens, and the Edit
// commands, which go to the editor's grid. A text save reports whether it reached the disk, so
// the editor's "Save" answer to its unsaved-changes question loses nothing when it fails.
#include "app/MainWindow.h"

#include "text/TextGridWidget.h"
#include "text/TextScreenEditor.h"
#include "text/TextScreenFile.h"

#include <QDir>

void MainWindow::onNewText() {
    // maybeSave() also counts an edit of the last few milliseconds, not yet reported.
    if (textEditor != nullptr && textEditor->isVisible() && !textEditor->maybeSave()) return;
    showTextInEditor(QString(), QString());
}

void MainWindow::onOpenText() {
    const QString start = lastTextDir.isEmpty() ? QDir::homePath() : lastTextDir;
    const QString path = dialogs->openFileName(this, tr("Open Text Screen"), start,
                                               tr("Text Files (*.txt);;All Files (*)"));
    if (path.isEmpty()) return;
    rememberDirectory(lastTextDir, "lastTextDir", path);
    const TextScreenReadResult read = readTextScreenFile(path);
    if (!read.ok) {
        showStatus(read.error);
        return;
    }
    addRecentTextScreen(path);
    showTextInEditor(read.text, path);
}

bool MainWindow::onSaveTextFile(const QString& path) {
    if (textEditor == nullptr) return false;
    QString target = path.isEmpty() ? textEditor->filePath : path;
    if (target.isEmpty()) {
        const QString start = lastTextDir.isEmpty() ? QDir::homePath() : lastTextDir;
        target =
            dialogs->saveFileName(this, tr("Save Text Screen"), start, tr("Text Files (*.txt)"));
        if (target.isEmpty()) return false;
    }
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
    if (write.macRoman)
        showStatus(tr("Saved (Mac OS Roman): %1 — In TextEdit/VS Code, reopen as \"Western (Mac "
                      "OS Roman)\" if the Apple II font looks wrong.")
                       .arg(target));
    else
        showStatus(tr("Saved (UTF-8): %1").arg(target));
    return true;
}

void MainWindow::onUndo() {
    if (textEditor != nullptr) textEditor->grid->doUndo();
}

void MainWindow::onCut() {
    if (textEditor != nullptr) textEditor->grid->doCut();
}

void MainWindow::onCopy() {
    if (textEditor != nullptr) textEditor->grid->doCopy();
}

void MainWindow::onPaste() {
    if (!textModeB && importClipboardImage()) return;
    if (textEditor != nullptr) textEditor->grid->doPaste();
}

void MainWindow::onClear() {
    if (textEditor != nullptr) textEditor->grid->doClear();
}

void MainWindow::onSelectAll() {
    if (textEditor != nullptr) textEditor->grid->doSelectAll();
}

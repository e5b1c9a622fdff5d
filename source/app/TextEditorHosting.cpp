// The main window's side of the text editor: made on first use, fed a text and its path, its
// every change mirrored as a picture in the view, forgotten when it closes. Asking it to close
// asks the unsaved-changes question once, and a refusal reaches the caller.
#include "app/MainWindow.h"

#include "text/TextScreenEditor.h"
#include "text/WindowPlacement.h"
#include "view/OrvelWidget.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace {

// The picture commands whose keys mean something else to the grid (Ctrl+arrows move the cursor).
bool keyBelongsToTheGrid(const QKeySequence& keys) {
    return keys == QKeySequence(Qt::CTRL | Qt::Key_Left) ||
           keys == QKeySequence(Qt::CTRL | Qt::Key_Right);
}

} // namespace

void MainWindow::ensureTextEditor() {
    if (textEditor != nullptr) return;
    textEditor = new TextScreenEditor(nullptr);
    textEditor->saveRequested = [this] { return onSaveTextFile(QString()); };
    connect(textEditor, &TextScreenEditor::textChanged, this, &MainWindow::onTextEditorChanged);
    connect(textEditor, &TextScreenEditor::editorClosed, this, &MainWindow::onTextEditorClosed);
    connect(textEditor, &TextScreenEditor::modeChanged, this, &MainWindow::onText80colChanged);
    shareMenuKeysWithEditor();
    // Beside the picture it mirrors, not over it, until the user puts it somewhere.
    if (!textEditor->restoredGeometryB) placeBeside(textEditor, this);
}

// The editor window has no menu bar of its own: the File and Edit commands' keys (Undo, Copy,
// Save...) work while it is the active window, as they do in the main window.
void MainWindow::shareMenuKeysWithEditor() {
    const int shared = 2; // File, then Edit
    const QList<QAction*> menus = menuBar()->actions();
    for (int i = 0; i < shared && i < menus.size(); ++i) {
        if (menus[i]->menu() == nullptr) continue;
        for (QAction* action : menus[i]->menu()->actions())
            if (!action->shortcut().isEmpty() && !keyBelongsToTheGrid(action->shortcut()))
                textEditor->addAction(action);
    }
}

void MainWindow::showTextInEditor(const QString& text, const QString& path) {
    ensureTextEditor();
    textEditor->setText(text);
    textEditor->setFilePath(path);
    textEditor->modifiedB = false;
    textEditor->updateTitle();
    textEditor->show();
    textEditor->raise();
    textEditor->activateWindow();
    textModeB = true;
    currentGraphicPath.clear();
    setWindowTitle(QStringLiteral("orvel"));
    startPictureHistory(); // the picture is now the text's mirror
    updateEditMenuState();
}

bool MainWindow::tryCloseEditor() {
    if (textEditor == nullptr || !textEditor->isVisible()) return true;
    return textEditor->requestClose();
}

bool MainWindow::editorActiveB() const {
    return textEditor != nullptr && QApplication::activeWindow() == textEditor;
}

void MainWindow::onTextEditorChanged(const QString& rows, bool eighty) {
    pictureView->loadTextScreen(rows, eighty);
    updateChecks();
}

void MainWindow::onText80colChanged(bool on) {
    if (on && !pictureView->globalsRec->isDHGR) onConvertToDHGR();
}

void MainWindow::onTextEditorClosed() {
    textEditor = nullptr; // the window deletes itself
    textModeB = false;
    pictureView->clearPicture();
    setWindowTitle(QStringLiteral("orvel"));
    updateEditMenuState();
    updateChecks();
}

// "Import Picture...", images dropped on the view and images pasted from the clipboard: each
// reads its image (a bad one is said in the status bar and changes nothing), then opens the
// import dialog with its preview. Import replaces the picture through applyImportedPicture
// alone, one step of the picture's history.
#include "app/ImportSession.h"
#include "app/MainWindow.h"

#include "edit/ScreenState.h"
#include "view/ImageFileRead.h"
#include "view/OrvelWidget.h"
#include "view/SwatchPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>

void MainWindow::openDroppedFile(const QString& path) {
    if (isImageFileForImport(path))
        importImageFile(path);
    else
        openPicture(path, false);
}

void MainWindow::onImportPicture() {
    if (importSession != nullptr) return;
    const QString start = lastOpenDir.isEmpty() ? QDir::homePath() : lastOpenDir;
    const QString path =
        dialogs->openFileName(this, tr("Import Picture"), start,
                              tr("Images (*.png *.jpg *.jpeg *.bmp *.gif);;All Files (*)"));
    if (path.isEmpty()) return;
    rememberDirectory(lastOpenDir, "lastOpenDir", path);
    importImageFile(path);
}

void MainWindow::importImageFile(const QString& path) {
    if (importSession != nullptr) return;
    const ImageRead read = readImageForImport(path);
    if (!read.ok) {
        showStatus(tr("Could not import: %1").arg(path + QStringLiteral(": ") + read.reason));
        return;
    }
    // Unsaved text is asked about only once the image is known to import.
    if (!tryCloseEditor()) return;
    startImport(read.image, path);
}

// An image from another program: a region copied in orvel carries an image too (for the
// others), but pastes as dots (ToolCommands.cpp).
bool MainWindow::clipboardHoldsImageB() const {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr && data->hasImage() &&
           !data->hasFormat(QStringLiteral("application/x-orvel-dots"));
}

bool MainWindow::importClipboardImage() {
    if (importSession != nullptr || !clipboardHoldsImageB()) return false;
    if (!tryCloseEditor()) return true;
    const ImageRead read = imageForImport(QApplication::clipboard()->image());
    if (!read.ok) {
        showStatus(tr("Could not import: %1")
                       .arg(tr("the clipboard") + QStringLiteral(": ") + read.reason));
        return true;
    }
    startImport(read.image, tr("the clipboard"));
    return true;
}

void MainWindow::startImport(const QImage& image, const QString& source) {
    importSession = new ImportSession(this, image, source);
}

void MainWindow::endImport(const ImportedPicture* picture) {
    ImportSession* session = importSession;
    importSession = nullptr;
    if (picture != nullptr)
        applyImportedPicture(*picture, session->source());
    else
        applyAndSave(); // Cancel: the picture and settings as they were, shown again
    updateEditMenuState();
    session->deleteLater();
}

void MainWindow::applyImportedPicture(const ImportedPicture& picture, const QString& source) {
    ORVEL_GlobalsRec* rec = pictureView->globalsRec;
    const ScreenState before = CaptureScreen(rec);
    StorePicture(picture, *rec);
    const ScreenState imported = CaptureScreen(rec);
    RestoreScreen(rec, before);
    replacePicture(tr("Import Picture"), imported);
    updateChecks();
    showStatus(tr("Imported: %1").arg(source));
}

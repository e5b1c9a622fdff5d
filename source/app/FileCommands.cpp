// The picture side of the File and Edit menus: New and Open Graphic, Save As in screen-memory
// form, the PNG export behind "&Save", conversion and shifting. Every save is atomic and says
// "Saved: %1" only once the file is on disk; a failure names the path and the system's reason.
#include "app/MainWindow.h"

#include "core/Core.h"
#include "text/TextScreenEditor.h"
#include "view/OrvelWidget.h"
#include "view/PictureFile.h"
#include "view/PicturePainting.h"
#include "view/PngEncoding.h"

#include <QDir>
#include <QFileInfo>
#include <QUndoStack>

namespace {

// The file name cut at its first full stop: PIC.A.HGR gives PIC.
QString baseNameOf(const QString& path) {
    return QFileInfo(path).baseName();
}

QString inDirectory(const QString& directory, const QString& name) {
    return directory.isEmpty() ? name : directory + QLatin1Char('/') + name;
}

} // namespace

void MainWindow::onNewGraphic() {
    if (!tryCloseEditor() || !maybeSavePicture()) return;
    // A step of the history, so the picture before it comes back with Undo; the new blank
    // picture itself has nothing unsaved.
    editPicture(tr("New Graphic"), [this] { pictureView->clearPicture(); });
    pictureView->stroke.dropSelection();
    pictureHistory->setClean();
    setWindowTitle(QStringLiteral("orvel"));
    currentGraphicPath.clear();
    updateChecks();
    updateEditMenuState();
}

void MainWindow::onOpenGraphic() {
    const QString start = lastOpenDir.isEmpty() ? QDir::homePath() : lastOpenDir;
    const QString path =
        dialogs->openFileName(this, tr("Open Apple II Picture"), start, tr("All Files (*)"));
    if (path.isEmpty()) return;
    rememberDirectory(lastOpenDir, "lastOpenDir", path);
    openPicture(path, true);
}

bool MainWindow::openPicture(const QString& path, bool addToRecent) {
    if (textEditor != nullptr && textEditor->isVisible()) {
        // Unsaved text is asked about only for a picture that will really replace it.
        const PictureLoad check = checkPictureFile(path);
        if (!check.ok) {
            showStatus(check.error);
            return false;
        }
        if (!tryCloseEditor()) return false;
    } else if (!maybeSavePicture()) {
        return false;
    }
    if (!pictureView->loadFile(path)) return false;
    currentGraphicPath = path;
    if (addToRecent) addRecentFile(path);
    setPictureTitle(path);
    updateChecks();
    updateEditMenuState();
    return true;
}

QString MainWindow::askSaveName(const QString& title, const QString& start,
                                const QString& filters) {
    QString chosen;
    const QString path = dialogs->saveFileName(this, title, start, filters, &chosen);
    return withFilterExtension(path, chosen.isEmpty() ? filters.section(";;", 0, 0) : chosen);
}

void MainWindow::onSave() {
    if (editorActiveB())
        onSaveTextFile(QString());
    else
        onSavePNG();
}

void MainWindow::onSaveAs() {
    if (editorActiveB())
        onSaveTextAs();
    else
        savePictureAs();
}

bool MainWindow::savePictureAs() {
    const bool dhgr = pictureView->globalsRec->isDHGR;
    const QString filters = dhgr ? tr("DHGR (*.dhgr *.dgr);;DGR (*.dgr)") : tr("HGR (*.hgr)");
    const QString start = currentGraphicPath.isEmpty()
                              ? lastSaveDir
                              : inDirectory(lastSaveDir, baseNameOf(currentGraphicPath));
    const QString path = askSaveName(tr("Save As D/HGR"), start, filters);
    if (path.isEmpty()) return false;
    rememberDirectory(lastSaveDir, "lastSaveDir", path);
    if (!writeFileReporting(path, pictureFileBytes(pictureView->globalsRec))) return false;
    showStatus(tr("Saved: %1").arg(path));
    // The picture now has that name: the title and the next proposed names follow it.
    currentGraphicPath = path;
    pictureHistory->setClean();
    setPictureTitle(path);
    return true;
}

void MainWindow::onSavePNG() {
    const QString name = currentGraphicPath.isEmpty()
                             ? QStringLiteral("untitled.png")
                             : baseNameOf(currentGraphicPath) + QStringLiteral(".png");
    const QString path =
        askSaveName(tr("Save as PNG"), inDirectory(lastSaveDir, name), tr("PNG (*.png)"));
    if (path.isEmpty()) return;
    rememberDirectory(lastSaveDir, "lastSaveDir", path);
    const PngEncoding png = encodePng(exportedPicture(pictureView->offscreenImage));
    if (!png.ok) {
        showStatus(tr("Could not save: %1").arg(path + QStringLiteral(": ") + png.error));
        return;
    }
    if (writeFileReporting(path, png.bytes)) showStatus(tr("Saved: %1").arg(path));
}

bool MainWindow::writeFileReporting(const QString& path, const QByteArray& bytes) {
    const FileWrite write = writeFileAtomically(path, bytes);
    if (!write.ok)
        showStatus(tr("Could not save: %1").arg(path + QStringLiteral(": ") + write.reason));
    return write.ok;
}

void MainWindow::onConvertToDHGR() {
    editPicture(tr("Convert to DHGR"), [this] { pictureView->convertToDHGR(); });
    updateChecks();
}

void MainWindow::onShiftLeft() {
    editPicture(tr("Shift Left"), [this] { pictureView->shiftImage(true); });
}

void MainWindow::onShiftRight() {
    editPicture(tr("Shift Right"), [this] { pictureView->shiftImage(false); });
}

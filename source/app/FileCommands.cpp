// The picture side of the File and Edit menus: New and Open Graphic, Save As in screen-memory
// form, the PNG export behind "&Save", conversion and shifting. Every save is atomic and says
// "Saved: %1" only once the file is on disk; a failure names the path and the system's reason.
#include "app/MainWindow.h"

#include "core/Core.h"
#include "view/OrvelWidget.h"
#include "view/PictureFile.h"
#include "view/PicturePainting.h"
#include "view/PngEncoding.h"

#include <QDir>
#include <QFileInfo>

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
    if (!tryCloseEditor()) return;
    pictureView->clearPicture();
    setWindowTitle(QStringLiteral("orvel"));
    currentGraphicPath.clear();
    updateChecks();
    updateEditMenuState();
}

void MainWindow::onOpenGraphic() {
    if (!tryCloseEditor()) return;
    const QString start = lastOpenDir.isEmpty() ? QDir::homePath() : lastOpenDir;
    const QString path =
        dialogs->openFileName(this, tr("Open Apple II Picture"), start, tr("All Files (*)"));
    if (path.isEmpty()) return;
    rememberDirectory(lastOpenDir, "lastOpenDir", path);
    currentGraphicPath = path;
    addRecentFile(path);
    pictureView->loadFile(path);
    setPictureTitle(path);
    updateChecks();
    updateEditMenuState();
}

void MainWindow::onSave() {
    if (editorActiveB())
        onSaveTextFile(QString());
    else
        onSavePNG();
}

void MainWindow::onSaveAs() {
    const bool dhgr = pictureView->globalsRec->isDHGR;
    const QString start = currentGraphicPath.isEmpty()
                              ? lastSaveDir
                              : inDirectory(lastSaveDir, baseNameOf(currentGraphicPath));
    QString filter;
    const QString path =
        pictureSavePath(dialogs->saveFileNameAndFilter(this, tr("Save As D/HGR"), start,
                                                       pictureSaveFilters(dhgr), &filter),
                        filter, dhgr);
    if (path.isEmpty()) return;
    rememberDirectory(lastSaveDir, "lastSaveDir", path);
    if (writeFileReporting(path, pictureFileBytesFor(pictureView->globalsRec, path)))
        showStatus(tr("Saved: %1").arg(path));
}

void MainWindow::onSavePNG() {
    const QString name = currentGraphicPath.isEmpty()
                             ? QStringLiteral("untitled.png")
                             : baseNameOf(currentGraphicPath) + QStringLiteral(".png");
    const QString path = dialogs->saveFileName(this, tr("Save as PNG"),
                                               inDirectory(lastSaveDir, name), tr("PNG (*.png)"));
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
    if (isDiskImageTarget(path)) return false;
    const FileWrite write = writeFileAtomically(path, bytes);
    if (!write.ok)
        showStatus(tr("Could not save: %1").arg(path + QStringLiteral(": ") + write.reason));
    return write.ok;
}

void MainWindow::onConvertToDHGR() {
    pictureView->convertToDHGR();
    updateChecks();
}

void MainWindow::onShiftLeft() {
    pictureView->shiftImage(true);
}

void MainWindow::onShiftRight() {
    pictureView->shiftImage(false);
}

// File > "Open Disk Image...": the pictures inside a DOS 3.3 or ProDOS image, shown with
// thumbnails in the engine and palette in force; the one chosen opens as the picture.
#include "app/MainWindow.h"

#include "files/FileAccess.h"
#include "files/QtFiles.h"
#include "formats/DiskImageFile.h"
#include "view/OrvelWidget.h"
#include "view/PictureThumbnails.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A quarter of the exported picture: four to a row in the list.
constexpr QSize kThumbnailBox(141, 96);

struct ImageRead {
    DiskImage image;
    ImageCatalogue catalogue;
    QString error;
};

QString readFailure(const FileRead& file) {
    switch (file.status) {
    case ReadStatus::Missing:
        return MainWindow::tr("File not found");
    case ReadStatus::NotRegular:
        return MainWindow::tr("Not a disk image");
    case ReadStatus::TooLarge:
        return MainWindow::tr("Too large for a disk image (%1 bytes)").arg(file.size);
    case ReadStatus::Ok:
    case ReadStatus::OpenFailed:
    case ReadStatus::ReadFailed:
        break;
    }
    return QString::fromLocal8Bit(systemReason(file.error).c_str());
}

ImageRead readDiskImage(const QString& path) {
    ImageRead read;
    const std::string bytesPath = fileNameBytes(path).toStdString();
    const FileRead file = readFileStart(bytesPath, kLargestDiskImage, kLargestDiskImage);
    if (file.status != ReadStatus::Ok) {
        read.error = readFailure(file);
        return read;
    }
    DiskImageOpen open = openDiskImage(file.bytes, fileNameOf(bytesPath));
    if (!open.ok) {
        read.error = QString::fromStdString(open.error);
        return read;
    }
    read.image = std::move(open.image);
    read.catalogue = cataloguePictures(read.image);
    return read;
}

QString problemText(const ImageProblem& problem) {
    const QString reason = QString::fromStdString(problem.reason);
    if (problem.names.empty()) return reason;
    return QString::fromStdString(shownInsidePath(problem.names)) + QStringLiteral(": ") + reason;
}

} // namespace

void MainWindow::onOpenDiskImage() {
    const QString start = lastOpenDir.isEmpty() ? QDir::homePath() : lastOpenDir;
    const QString path = dialogs->openFileName(
        this, tr("Open Disk Image"), start,
        tr("Disk Images (*.dsk *.do *.po *.2mg *.2img *.hdv);;All Files (*)"));
    if (path.isEmpty()) return;
    rememberDirectory(lastOpenDir, "lastOpenDir", path);
    const ImageRead read = readDiskImage(path);
    const std::vector<ImagePicture>& entries = read.catalogue.pictures;
    if (!read.error.isEmpty() || entries.empty()) {
        const QString why = !read.error.isEmpty() ? read.error
                            : read.catalogue.problems.empty()
                                ? tr("No pictures inside")
                                : problemText(read.catalogue.problems.front());
        showStatus(tr("Could not open: %1: %2").arg(path, why));
        return;
    }
    std::vector<Picture> pictures;
    QStringList names;
    QList<QImage> thumbnails;
    PictureThumbnails renderer(pictureView->globalsRec);
    for (const ImagePicture& entry : entries) {
        pictures.push_back(readImagePicture(read.image, entry));
        names << QString::fromStdString(shownInsidePath(entry.names));
        QImage blank(kThumbnailBox, QImage::Format_RGBA8888);
        blank.fill(Qt::darkGray);
        thumbnails << (pictures.back().ok ? renderer.render(pictures.back(), kThumbnailBox)
                                          : blank);
    }
    if (!read.catalogue.problems.empty())
        showStatus(tr("Not all of %1 could be read: %2")
                       .arg(path, problemText(read.catalogue.problems.front())));
    const int chosen = dialogs->choosePicture(this, path, names, thumbnails);
    if (chosen < 0 || chosen >= names.size()) return;
    const Picture& picture = pictures[static_cast<std::size_t>(chosen)];
    const QString name = QFileInfo(path).fileName() + QStringLiteral(": ") + names[chosen];
    if (!picture.ok) {
        showStatus(tr("Could not open: %1: %2").arg(name, QString::fromStdString(picture.error)));
        return;
    }
    if (!mayDropDocument()) return;
    pictureView->loadPicture(picture, name, QString::fromLatin1(packingName(entries[chosen].kind)));
    // Save As proposes the picture's own name; the image is never written (isDiskImageTarget).
    currentGraphicPath = QString::fromStdString(entries[chosen].names.back());
    diskImagePath = path;
    setWindowTitle(QStringLiteral("orvel — %1").arg(name));
    updateChecks();
    updateEditMenuState();
}

bool MainWindow::isDiskImageTarget(const QString& path) {
    if (diskImagePath.isEmpty()) return false;
    const QFileInfo target(path), image(diskImagePath);
    if (target != image && (target.canonicalFilePath().isEmpty() ||
                            target.canonicalFilePath() != image.canonicalFilePath()))
        return false;
    showStatus(
        tr("Could not save: %1: the disk image the picture came from is never written").arg(path));
    return true;
}

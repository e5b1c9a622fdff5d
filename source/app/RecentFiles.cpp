// The recent pictures and text screens, newest first, their two submenus (with the five shipped
// screens always offered), and the start-up decision: the start-up sequence, else the newest
// picture, else an empty view. Every change of a list is stored at once.
#include "app/MainWindow.h"

#include "startup/BundledResources.h"
#include "startup/BundledScreens.h"
#include "startup/StartupSequence.h"
#include "text/TextScreenFile.h"
#include "view/OrvelWidget.h"

#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace {

constexpr int kRecentPictures = 10;
constexpr int kRecentTextScreens = 5;

void moveToFront(QStringList& list, const QString& path, int limit) {
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > limit)
        list.removeLast();
}

QString fileNameOf(const QString& path) {
    return QFileInfo(path).fileName();
}

} // namespace

void MainWindow::openMostRecentIfAvailable() {
    auto openNewestOrClear = [this] {
        if (!recentFiles.isEmpty())
            openRecentFile(recentFiles.first());
        else
            pictureView->clearPicture();
    };
    if (pictureView->globalsRec->startScreen) {
        startupSequence = new StartupSequence(pictureView, this);
        connect(startupSequence, &StartupSequence::finished, this, openNewestOrClear);
        startupSequence->start();
        return;
    }
    openNewestOrClear();
}

void MainWindow::storeRecentList(const char* key, const QStringList& list, bool flush) {
    QSettings settings;
    settings.setValue(key, list);
    if (flush) settings.sync();
}

void MainWindow::addRecentFile(QString path) {
    moveToFront(recentFiles, path, kRecentPictures);
    rebuildRecentGraphicMenu();
    storeRecentList("recentFiles", recentFiles, true);
}

void MainWindow::addRecentTextScreen(const QString& path) {
    moveToFront(recentTextScreens, path, kRecentTextScreens);
    rebuildRecentTextMenu();
    storeRecentList("recentTextScreens", recentTextScreens, true);
}

void MainWindow::removeRecentFile(QString path) {
    recentFiles.removeAll(path);
    rebuildRecentGraphicMenu();
    storeRecentList("recentFiles", recentFiles, true);
    showStatus(tr("Removed: %1").arg(fileNameOf(path)));
}

void MainWindow::openRecentFile(QString path) {
    if (!tryCloseEditor()) return;
    if (!QFileInfo::exists(path)) {
        recentFiles.removeAll(path);
        rebuildRecentGraphicMenu();
        storeRecentList("recentFiles", recentFiles, false);
        showStatus(tr("File not found: %1").arg(path));
        return;
    }
    currentGraphicPath = path;
    addRecentFile(path);
    pictureView->loadFile(path);
    setPictureTitle(path);
    updateChecks();
}

void MainWindow::rebuildRecentGraphicMenu() {
    if (recentGraphicMenu == nullptr) return;
    recentGraphicMenu->clear();
    for (const QString& path : recentFiles) {
        QAction* item = recentGraphicMenu->addAction(fileNameOf(path));
        connect(item, &QAction::triggered, this, [this, path] {
            if (dialogs->heldModifiers() & Qt::AltModifier)
                removeRecentFile(path);
            else
                openRecentFile(path);
        });
    }
    recentGraphicMenu->setEnabled(!recentFiles.isEmpty());
}

void MainWindow::rebuildRecentTextMenu() {
    if (recentTextMenu == nullptr) return;
    recentTextMenu->clear();
    for (const ScreenEntry& screen : GetBundledScreens()) {
        QAction* item = recentTextMenu->addAction(QString::fromUtf8(screen.title));
        const char* path = screen.path;
        connect(item, &QAction::triggered, this, [this, path] { openBundledScreen(path); });
    }
    if (recentTextScreens.isEmpty()) return;
    recentTextMenu->addSeparator();
    for (const QString& path : recentTextScreens) {
        QAction* item = recentTextMenu->addAction(fileNameOf(path));
        connect(item, &QAction::triggered, this, [this, path] { openRecentTextScreen(path); });
    }
}

void MainWindow::openBundledScreen(const char* path) {
    const QString text = loadBundledTextScreen(path);
    if (text.isEmpty()) {
        showStatus(tr("Missing bundled text screen: %1").arg(QString::fromUtf8(path)));
        return;
    }
    showTextInEditor(text, QString());
}

void MainWindow::openRecentTextScreen(const QString& path) {
    const TextScreenReadResult read = readTextScreenFile(path);
    if (!read.ok) {
        showStatus(tr("File not found: %1").arg(path));
        return;
    }
    showTextInEditor(read.text, path);
}

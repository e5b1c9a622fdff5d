// The recent pictures and text screens, newest first, their two submenus (with the five shipped
// screens always offered), and the start-up decision: the start-up sequence, else the newest
// picture, else an empty view. Every change of a list is stored at once.
#include "app/MainWindow.h"

#include "startup/BundledResources.h"
#include "startup/BundledScreens.h"
#include "startup/StartupSequence.h"
#include "text/TextScreenFile.h"
#include "view/OrvelWidget.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include <algorithm>

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

// The file name, with its folder after it where another entry has the same name.
QString recentEntryLabel(const QString& path, const QStringList& list) {
    const QString name = fileNameOf(path);
    const auto sameName = [&](const QString& other) { return fileNameOf(other) == name; };
    if (std::count_if(list.begin(), list.end(), sameName) < 2) return name;
    return QStringLiteral("%1 — %2").arg(name, QDir::toNativeSeparators(QFileInfo(path).path()));
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
    if (!QFileInfo::exists(path)) {
        recentFiles.removeAll(path);
        rebuildRecentGraphicMenu();
        storeRecentList("recentFiles", recentFiles, false);
        showStatus(tr("File not found: %1").arg(path));
        return;
    }
    openPicture(path, true);
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
        connect(item, &QAction::triggered, this, [this, screen] { openBundledScreen(screen); });
    }
    if (recentTextScreens.isEmpty()) return;
    recentTextMenu->addSeparator();
    for (const QString& path : recentTextScreens) {
        QAction* item = recentTextMenu->addAction(recentEntryLabel(path, recentTextScreens));
        // The entry stays where it is, whether or not it opens.
        connect(item, &QAction::triggered, this, [this, path] { openTextFile(path, false); });
    }
}

void MainWindow::openBundledScreen(const ScreenEntry& screen) {
    const QString text = loadBundledTextScreen(screen.path);
    if (text.isEmpty()) {
        showStatus(tr("Missing bundled text screen: %1").arg(QString::fromUtf8(screen.path)));
        return;
    }
    if (!mayReplaceText()) return;
    showTextInEditor(text, QString());
    showStatus(tr("Loaded: %1").arg(QString::fromUtf8(screen.title)));
}

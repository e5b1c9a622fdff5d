// The preferences: the ten rendering settings in the group "engine", the three remembered
// directories, the recent lists, and the window geometry saved 300 ms after the last move.
// Every operation uses a settings object of its own, made on the spot.
#include "app/MainWindow.h"

#include "app/StoredValues.h"
#include "core/CompositeColor.h"
#include "view/OrvelWidget.h"
#include "view/SwatchPanel.h"

#include "text/WindowPlacement.h"

#include <QFileInfo>
#include <QScrollArea>
#include <QSettings>
#include <QTimer>

namespace {

// A missing key, and a value the commands could not have written, both give the default.
void readRenderingSettings(QSettings& settings, ORVEL_GlobalsRec* rec) {
    auto flag = [&](const char* key, bool fallback) {
        return static_cast<Boolean>(storedBool(settings.value(key), fallback));
    };
    auto choice = [&](const char* key, std::initializer_list<int> allowed, int fallback) {
        return static_cast<std::uint16_t>(storedChoice(settings.value(key), allowed, fallback));
    };
    rec->quenEngine = flag("quenEngine", true);
    rec->schemeType = choice("schemeType", {0, 1, 2, kCompositeScheme}, 0);
    rec->bmFinalDepth = choice("bmFinalDepth", {8, 1}, 8);
    rec->paletteType = choice("paletteType", {0, 1, 2, 3, 4, 5, 6, 7}, 0);
    rec->oneBitPalette = choice("oneBitPalette", {0, 1, 2}, 0);
    rec->bitShifting = flag("bitShifting", true);
    rec->is560Mode = flag("is560Mode", false);
    rec->screenSize = choice("screenSize", {0, 1, 2}, 1);
    rec->aspectCorrect = choice("aspectCorrect", {0, 1, 2}, 0);
    rec->startScreen = flag("startScreen", true);
    rec->dhgrColorOffset = 1;
}

} // namespace

void MainWindow::loadPrefs() {
    QSettings settings;
    ORVEL_GlobalsRec* rec = pictureView->globalsRec;
    if (settings.childGroups().contains(QStringLiteral("engine"))) {
        settings.beginGroup(QStringLiteral("engine"));
        readRenderingSettings(settings, rec);
        settings.endGroup();
    }
    lastOpenDir = storedPath(settings.value("lastOpenDir"));
    lastSaveDir = storedPath(settings.value("lastSaveDir"));
    lastTextDir = storedPath(settings.value("lastTextDir"));
    recentFiles = storedPathList(settings.value("recentFiles"));
    recentTextScreens = storedPathList(settings.value("recentTextScreens"));
    rebuildRecentGraphicMenu();
    rebuildRecentTextMenu();
    pictureView->renderImage();
    swatchPanel->update();
    updateChecks();
    savedColorPalette = rec->paletteType;
    savedMonoPalette = rec->oneBitPalette;
}

void MainWindow::savePrefs() {
    QSettings settings;
    const ORVEL_GlobalsRec* rec = pictureView->globalsRec;
    settings.beginGroup(QStringLiteral("engine"));
    settings.setValue("quenEngine", rec->quenEngine != 0);
    settings.setValue("schemeType", rec->schemeType);
    settings.setValue("bmFinalDepth", rec->bmFinalDepth);
    settings.setValue("paletteType", rec->paletteType);
    settings.setValue("oneBitPalette", rec->oneBitPalette);
    settings.setValue("bitShifting", rec->bitShifting != 0);
    settings.setValue("is560Mode", rec->is560Mode != 0);
    settings.setValue("screenSize", rec->screenSize);
    settings.setValue("aspectCorrect", rec->aspectCorrect);
    settings.setValue("startScreen", rec->startScreen != 0);
    settings.endGroup();
    settings.setValue("lastOpenDir", lastOpenDir);
    settings.setValue("lastSaveDir", lastSaveDir);
    settings.setValue("lastTextDir", lastTextDir);
    settings.sync();
}

void MainWindow::setupGeometryTimer(bool useStoredGeometryB) {
    geometryTimer = new QTimer(this);
    geometryTimer->setSingleShot(true);
    geometryTimer->setInterval(300);
    connect(geometryTimer, &QTimer::timeout, this,
            [this] { QSettings().setValue("mainwindow/geometry", saveGeometry()); });
    const QByteArray stored = QSettings().value("mainwindow/geometry").toByteArray();
    if (!useStoredGeometryB || !restoreGeometryThatFits(this, stored)) sizeToShowThePicture();
}

void MainWindow::sizeToShowThePicture() {
    sizeToShow(this, qobject_cast<QScrollArea*>(centralWidget()), pictureView->size());
}

void MainWindow::rememberDirectory(QString& member, const char* key, const QString& chosenFile) {
    member = QFileInfo(chosenFile).absolutePath();
    QSettings().setValue(key, member);
}

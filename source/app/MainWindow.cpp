// The main window's construction, in the order the rest relies on (view, dock, menus, stored
// preferences, geometry, shortcuts), and its few events: keys that skip the start-up sequence
// and the moves and resizes that schedule the geometry save.
#include "app/MainWindow.h"

#include "startup/StartupSequence.h"
#include "text/TextScreenEditor.h"
#include "view/OrvelWidget.h"
#include "view/SwatchPanel.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPalette>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>

namespace {

void paintSolidBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::All, QPalette::Window, colour);
    palette.setColor(QPalette::All, QPalette::Base, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

MainWindow::MainWindow(bool useStoredGeometryB) : dialogs(std::make_unique<StandardDialogs>()) {
    setWindowTitle(QStringLiteral("orvel"));
    pictureView = new OrvelWidget(this);
    setupScrollArea();
    setupDockWidget();
    setupToolsDock();
    setupPictureHistory();
    showStatus(tr("Ready"));
    connect(pictureView, &OrvelWidget::statusMessage, this, &MainWindow::showStatus);
    connect(pictureView, &OrvelWidget::fileDropped, this, &MainWindow::openDroppedFile);
    connect(pictureView, &OrvelWidget::overlayClicked, this, [this] {
        if (startupSequence != nullptr && startupSequence->runningB) startupSequence->skip();
    });
    buildMenus();
    setupZoomMenu();
    loadPrefs();
    setupGeometryTimer(useStoredGeometryB);
    setupViewShortcuts();
}

MainWindow::~MainWindow() {
    // The editor has no parent: it goes with the window that hosts it.
    delete textEditor;
    // The history empties itself when the toolkit deletes it, after this window has gone.
    if (pictureHistory != nullptr) pictureHistory->disconnect(this);
}

void MainWindow::setDialogs(std::unique_ptr<UserDialogs> replacement) {
    dialogs = std::move(replacement);
}

void MainWindow::setupScrollArea() {
    auto* scrollArea = new QScrollArea(this);
    scrollArea->setWidget(pictureView);
    scrollArea->setWidgetResizable(false); // the view sets its own size
    scrollArea->setAlignment(Qt::AlignCenter);
    const QColor background(64, 64, 64);
    paintSolidBackground(scrollArea, background);
    paintSolidBackground(scrollArea->viewport(), background);
    setCentralWidget(scrollArea);
}

void MainWindow::setupDockWidget() {
    swatchPanel = new SwatchPanel(pictureView->globalsRec, this);
    swatchPanel->setFixedSize(34, 424);
    auto* dock = new QDockWidget(tr("Colors"), this);
    dock->setWidget(swatchPanel);
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    dock->setStyleSheet(QStringLiteral("QDockWidget { border: 1px solid #555; }"));
    addDockWidget(Qt::RightDockWidgetArea, dock);
    connect(dock, &QDockWidget::topLevelChanged, swatchPanel, &SwatchPanel::setFloating);
}

void MainWindow::showStatus(const QString& message) {
    statusBar()->showMessage(message);
}

void MainWindow::setPictureTitle(const QString& path) {
    setWindowTitle(QStringLiteral("orvel — %1").arg(QFileInfo(path).fileName()));
    updatePictureMark();
}

// Quitting, or closing the window, first asks about unsaved text as every other way out does.
void MainWindow::onQuit() {
    if (tryCloseEditor() && maybeSavePicture()) QCoreApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!tryCloseEditor() || !maybeSavePicture()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (startupSequence != nullptr && startupSequence->runningB) {
        startupSequence->skip();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::moveEvent(QMoveEvent* event) {
    if (geometryTimer != nullptr) geometryTimer->start();
    QMainWindow::moveEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    if (geometryTimer != nullptr) geometryTimer->start();
    QMainWindow::resizeEvent(event);
}

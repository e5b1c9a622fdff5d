// The text screen editor window: building it, its switches, its settings ("texteditor/..."),
// its title, and the question about unsaved changes before the screen is dropped or closed.
#include "text/TextScreenEditor.h"

#include "text/CharPaletteWidget.h"
#include "text/TextGridWidget.h"
#include "text/WindowPlacement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>

#include <algorithm>
#include <utility>

namespace {

const QString kGeometryKey = QStringLiteral("texteditor/geometry");
const QString kScaleKey = QStringLiteral("texteditor/scale");
const QString k80ColKey = QStringLiteral("texteditor/80col");
const QString kInverseKey = QStringLiteral("texteditor/inverseChars");

} // namespace

TextScreenEditor::TextScreenEditor(QWidget* parent) : QMainWindow(parent) {
    setWindowFlags(windowFlags() | Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("orvel — Text Editor"));
    askSaveChanges = [this] {
        return QMessageBox::question(
            this, tr("Save changes?"), tr("The text screen has unsaved changes."),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    };
    buildGridArea();
    buildPaletteDock();
    buildStatusBar();
    connect(grid, &TextGridWidget::contentChanged, this, &TextScreenEditor::onGridChanged);
    loadEditorPrefs();
    updateStatus();
}

void TextScreenEditor::buildGridArea() {
    grid = new TextGridWidget(this);
    gridArea = new QScrollArea(this);
    gridArea->setWidget(grid);
    gridArea->setWidgetResizable(false);
    gridArea->setAlignment(Qt::AlignCenter);
    gridArea->setStyleSheet(QStringLiteral("QScrollArea { background: #404040; }"));
    gridArea->viewport()->setStyleSheet(QStringLiteral("background: #404040;"));
    setCentralWidget(gridArea);
    connect(grid, &TextGridWidget::cursorMoved, this, &TextScreenEditor::keepCursorInView);
    // Typing goes to the grid as soon as the window is active.
    grid->setFocus();
}

void TextScreenEditor::keepCursorInView() {
    const QRect cell = grid->cursorCell();
    gridArea->ensureVisible(cell.center().x(), cell.center().y(), cell.width(), cell.height());
}

void TextScreenEditor::buildPaletteDock() {
    palette = new CharPaletteWidget(this);
    paletteDock = new QDockWidget(tr("MouseText"), this);
    paletteDock->setWidget(palette);
    paletteDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    paletteDock->setStyleSheet(QStringLiteral("QDockWidget { border: 1px solid #555; }"));
    addDockWidget(Qt::RightDockWidgetArea, paletteDock);
    // A floating palette stays above the grid's window; changing flags hides a window, so it
    // is shown again either way.
    connect(paletteDock, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (floating)
            paletteDock->setWindowFlags(paletteDock->windowFlags() | Qt::WindowStaysOnTopHint);
        paletteDock->show();
    });
    connect(palette, &CharPaletteWidget::characterClicked, grid, &TextGridWidget::insertChar);
}

void TextScreenEditor::buildStatusBar() {
    statusLabel = new QLabel(this);
    scaleButton = new QPushButton(QStringLiteral("1×"), this);
    scaleButton->setFixedWidth(36);
    scaleButton->setToolTip(tr("Toggle 1× / 2× view"));
    col80Check = new QCheckBox(tr("80 Columns"), this);
    inverseCheck = new QCheckBox(tr("Inverse"), this);
    // The switches never take the keyboard from the grid: after a click, typing goes on there
    // (a space would otherwise flip the switch).
    for (QWidget* control : {static_cast<QWidget*>(scaleButton), static_cast<QWidget*>(col80Check),
                             static_cast<QWidget*>(inverseCheck)})
        control->setFocusPolicy(Qt::NoFocus);
    connect(scaleButton, &QPushButton::clicked, this, &TextScreenEditor::toggleScale);
    connect(col80Check, &QCheckBox::toggled, this, &TextScreenEditor::on80colToggled);
    connect(inverseCheck, &QCheckBox::toggled, grid, &TextGridWidget::setInverseTyping);
    statusBar()->addWidget(statusLabel, 1);
    statusBar()->addPermanentWidget(inverseCheck);
    statusBar()->addPermanentWidget(col80Check);
    statusBar()->addPermanentWidget(scaleButton);
}

// ---- the document ----

void TextScreenEditor::setText(const QString& text) {
    grid->setText(text);
    {
        const QSignalBlocker quiet(col80Check);
        col80Check->setChecked(grid->columns == 80);
    }
    modifiedB = false;
    updateTitle();
    updateStatus();
    emit textChanged(grid->bodyText(), grid->columns == 80);
}

QString TextScreenEditor::getText() const {
    return grid->getText();
}

void TextScreenEditor::setFilePath(const QString& path) {
    filePath = path;
    updateTitle();
}

void TextScreenEditor::updateTitle() {
    QString title = filePath.isEmpty()
                        ? tr("orvel — Text Editor")
                        : QStringLiteral("orvel — %1").arg(QFileInfo(filePath).fileName());
    if (unsavedB()) title += QStringLiteral(" •");
    setWindowTitle(title);
}

void TextScreenEditor::onGridChanged() {
    modifiedB = true;
    // An undo can bring back the other column mode; the switch shows the grid's.
    {
        const QSignalBlocker quiet(col80Check);
        col80Check->setChecked(grid->columns == 80);
    }
    updateTitle();
    updateStatus();
    emit textChanged(grid->bodyText(), grid->columns == 80);
}

bool TextScreenEditor::unsavedB() const {
    return modifiedB && !(filePath.isEmpty() && blankScreen());
}

QString TextScreenEditor::newScreenText() {
    return QSettings().value(k80ColKey, false).toBool() ? QStringLiteral("80") : QString();
}

bool TextScreenEditor::blankScreen() const {
    // An empty 80-column screen is just its marker; with spaces after it, it is worth asking.
    const QString text = grid->getText();
    if (text == QLatin1String("80")) return true;
    return std::all_of(text.begin(), text.end(),
                       [](QChar ch) { return ch == QLatin1Char(' ') || ch == QLatin1Char('\n'); });
}

bool TextScreenEditor::maybeSave() {
    // An edit of the last few milliseconds counts as well.
    grid->flushPendingChange();
    if (!unsavedB()) return true;
    switch (askSaveChanges()) {
    case QMessageBox::Save:
        return saveRequested && saveRequested();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool TextScreenEditor::requestClose() {
    if (!maybeSave()) return false;
    closeApprovedB = true;
    const bool closed = close();
    closeApprovedB = false;
    return closed;
}

void TextScreenEditor::closeEvent(QCloseEvent* event) {
    if (!std::exchange(closeApprovedB, false) && !maybeSave()) {
        event->ignore();
        return;
    }
    saveEditorPrefs();
    emit editorClosed();
    QMainWindow::closeEvent(event);
}

// ---- switches and settings ----

void TextScreenEditor::toggleScale() {
    grid->setScale(grid->scale == 2 ? 4 : 2);
    palette->setGridScale(grid->scale);
    updateStatus();
}

void TextScreenEditor::on80colToggled(bool on) {
    // The grid reports the switch as a content change, which marks the document modified.
    grid->setColumns(on ? 80 : 40);
    // The choice a new screen starts with.
    QSettings().setValue(k80ColKey, on);
    updateStatus();
    emit modeChanged(on);
}

void TextScreenEditor::updateStatus() {
    statusLabel->setText(grid->columns == 80 ? tr("80 Columns") : tr("40 col"));
    scaleButton->setText(grid->scale == 2 ? QStringLiteral("1×") : QStringLiteral("2×"));
}

void TextScreenEditor::loadEditorPrefs() {
    QSettings settings;
    restoredGeometryB = restoreGeometryThatFits(this, settings.value(kGeometryKey).toByteArray());
    grid->setScale(settings.value(kScaleKey, 2).toInt());
    const bool eighty = settings.value(k80ColKey, false).toBool();
    {
        const QSignalBlocker quiet(col80Check);
        col80Check->setChecked(eighty);
    }
    // The grid is still empty: taking the marker as its text switches it without reporting a
    // change, so a fresh window is not marked modified.
    if (eighty) grid->setText(QStringLiteral("80"));
    const bool inverse = settings.value(kInverseKey, false).toBool();
    {
        const QSignalBlocker quiet(inverseCheck);
        inverseCheck->setChecked(inverse);
    }
    grid->setInverseTyping(inverse);
    palette->setGridScale(grid->scale);
    if (!restoredGeometryB) sizeToShow(this, gridArea, grid->size());
}

void TextScreenEditor::saveEditorPrefs() {
    QSettings settings;
    settings.setValue(kGeometryKey, saveGeometry());
    settings.setValue(kScaleKey, grid->scale);
    settings.setValue(k80ColKey, grid->columns == 80);
    settings.setValue(kInverseKey, grid->inverseTypingB);
}

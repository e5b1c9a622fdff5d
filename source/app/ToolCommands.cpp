// The "Tools" dock and the tools' keys, zoom, "Keep Hi-Res", the pointer readout in the status
// bar, and the Edit commands on a picture: undo and redo, and the selection with the clipboard.
#include "app/MainWindow.h"

#include "app/ToolIcons.h"
#include "edit/Selection.h"
#include "view/OrvelWidget.h"
#include "view/SwatchPanel.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCursor>
#include <QDockWidget>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QToolButton>
#include <QUndoStack>

namespace {

// The tools' single keys: none is one of the view's own (K, C, L, B, comma, full stop, brackets).
const QKeySequence kToolKeys[kToolCount] = {
    QKeySequence(Qt::Key_P), QKeySequence(Qt::Key_N),
    QKeySequence(Qt::Key_R), QKeySequence(Qt::SHIFT | Qt::Key_R),
    QKeySequence(Qt::Key_E), QKeySequence(Qt::SHIFT | Qt::Key_E),
    QKeySequence(Qt::Key_F), QKeySequence(Qt::Key_I),
    QKeySequence(Qt::Key_S)};

const char kDotsMime[] = "application/x-orvel-dots";
const char kKeepHiResKey[] = "edit/keepHiRes";

} // namespace

void MainWindow::setupToolsDock() {
    auto* panel = new QWidget(this);
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    const QColor ink = panel->palette().color(QPalette::ButtonText);
    toolButtons = new QButtonGroup(this);
    for (int i = 0; i < kToolCount; ++i) {
        const Tool tool = static_cast<Tool>(i);
        auto* button = new QToolButton(panel);
        button->setIcon(toolIcon(tool, ink));
        button->setIconSize(QSize(20, 20));
        button->setAccessibleName(tr(ToolName(tool)));
        button->setToolTip(QStringLiteral("%1 (%2)").arg(
            tr(ToolName(tool)), kToolKeys[i].toString(QKeySequence::NativeText)));
        button->setCheckable(true);
        button->setAutoRaise(true);
        toolButtons->addButton(button, i);
        layout->addWidget(button, i / 2, i % 2);
        auto* key = new QShortcut(kToolKeys[i], this);
        key->setContext(Qt::WidgetWithChildrenShortcut);
        connect(key, &QShortcut::activated, this, [this, tool] {
            if (!viewShortcutBlockedB()) selectTool(tool);
        });
    }
    layout->setRowStretch(kToolCount / 2 + 1, 1);
    // Delete clears the picture's selection (the text editor has its own Delete).
    auto* erase = new QShortcut(QKeySequence::Delete, this);
    erase->setContext(Qt::WidgetWithChildrenShortcut);
    connect(erase, &QShortcut::activated, this, [this] {
        if (!viewShortcutBlockedB() && textEditor == nullptr) clearPictureSelection();
    });
    connect(toolButtons, &QButtonGroup::idClicked, this,
            [this](int id) { selectTool(static_cast<Tool>(id)); });
    auto* dock = new QDockWidget(tr("Tools"), this);
    dock->setObjectName(QStringLiteral("toolsDock"));
    dock->setWidget(panel);
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    dock->setStyleSheet(QStringLiteral("QDockWidget { border: 1px solid #555; }"));
    // Beside the "Colors" dock, sharing its height, so the window grows only a little wider.
    addDockWidget(Qt::RightDockWidgetArea, dock);
    if (auto* colors = qobject_cast<QDockWidget*>(swatchPanel->parentWidget()))
        splitDockWidget(colors, dock, Qt::Horizontal);
    selectTool(Tool::Pencil);

    readoutLabel = new QLabel(this);
    statusBar()->addPermanentWidget(readoutLabel);
    connect(pictureView, &OrvelWidget::pointerReadout, readoutLabel, &QLabel::setText);
    connect(pictureView, &OrvelWidget::colorPicked, this, [this](int color) {
        g_curColor = swatchPanel->selectedColor = static_cast<ORVEL_ColorType>(color);
        swatchPanel->update();
    });
    connect(pictureView, &OrvelWidget::pictureLoaded, this, [this] { startPictureHistory(); });
    pictureView->keepHiResB = QSettings().value(kKeepHiResKey, false).toBool();
}

void MainWindow::selectTool(Tool tool) {
    pictureView->setTool(tool);
    if (QAbstractButton* button = toolButtons->button(static_cast<int>(tool)))
        button->setChecked(true);
}

void MainWindow::setupZoomMenu() {
    if (redoAction != nullptr)
        redoAction->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    if (zoomMenu == nullptr) return;
    QAction* in =
        zoomMenu->addAction(tr("Zoom In"), this, [this] { setZoom(pictureView->zoom() * 2); });
    in->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    QAction* out =
        zoomMenu->addAction(tr("Zoom Out"), this, [this] { setZoom(pictureView->zoom() / 2); });
    out->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    zoomMenu->addSeparator();
    auto* group = new QActionGroup(this);
    for (int factor = 1; factor <= OrvelWidget::kMaxZoom; factor *= 2) {
        QAction* action = zoomMenu->addAction(QStringLiteral("%1×").arg(factor), this,
                                              [this, factor] { setZoom(factor); });
        action->setCheckable(true);
        action->setData(factor);
        group->addAction(action);
    }
    zoomChecks = group;
    setZoom(1);
}

// Around the pointer when it is over the picture, else around the middle of what is in view.
void MainWindow::setZoom(int factor) {
    auto* area = qobject_cast<QScrollArea*>(centralWidget());
    QRect visible = pictureView->rect();
    if (area != nullptr)
        visible &=
            QRect(pictureView->mapFrom(area->viewport(), QPoint(0, 0)), area->viewport()->size());
    const QPoint pointer = pictureView->mapFromGlobal(QCursor::pos());
    pictureView->zoomAround(factor, visible.contains(pointer) ? pointer : visible.center());
    if (zoomChecks != nullptr)
        for (QAction* action : zoomChecks->actions())
            action->setChecked(action->data().toInt() == pictureView->zoom());
}

void MainWindow::toggleKeepHiRes() {
    pictureView->keepHiResB = !pictureView->keepHiResB;
    QSettings().setValue(kKeepHiResKey, pictureView->keepHiResB);
    if (keepHiResAction != nullptr) keepHiResAction->setChecked(pictureView->keepHiResB);
    showChangedPicture();
}

void MainWindow::onRedo() {
    if (textEditor == nullptr) pictureHistory->redo(); // the editor keeps its one-step undo
}

void MainWindow::copyPictureSelection() {
    const DotRect selection = pictureView->stroke.selection;
    const DotClip clip = CopyDots(pictureView->globalsRec, selection);
    if (clip.empty()) return;
    const std::vector<std::uint8_t> bytes = EncodeClip(clip);
    auto* data = new QMimeData;
    data->setData(kDotsMime, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                        static_cast<int>(bytes.size())));
    // Other programs get the region as shown, lines doubled as in the PNG export.
    const int shift = pictureView->globalsRec->isDHGR ? 1 : 0;
    const QImage shown = pictureView->offscreenImage.copy(selection.left + shift, selection.top,
                                                          selection.width(), selection.height());
    data->setImageData(shown.scaled(shown.width(), 2 * shown.height()));
    QApplication::clipboard()->setMimeData(data);
}

void MainWindow::pastePicture() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    DotClip clip;
    const QByteArray bytes = data != nullptr ? data->data(kDotsMime) : QByteArray();
    if (!DecodeClip(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                    static_cast<std::size_t>(bytes.size()), clip)) {
        showStatus(tr("The clipboard holds no picture region of orvel."));
        return;
    }
    DotRect& selection = pictureView->stroke.selection;
    const int top = selection.empty() ? 0 : selection.top;
    const int left = selection.empty() ? 0 : selection.left;
    editPicture(tr("Paste"), [&] {
        PasteDots(pictureView->globalsRec, clip, top, left, pictureView->keepHiResB);
    });
    selection = ClipToPicture(DotRect{top, left, top + clip.height, left + clip.width});
    selectTool(Tool::Select); // the pasted region can be dragged at once
}

void MainWindow::clearPictureSelection() {
    const DotRect selection = pictureView->stroke.selection;
    if (selection.empty()) return;
    editPicture(tr("Delete"),
                [&] { ClearDots(pictureView->globalsRec, selection, pictureView->keepHiResB); });
}

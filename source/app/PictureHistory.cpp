// The picture's history: a QUndoStack of steps that each hold the screen-memory difference of
// one user action, the one undoable way to replace the whole picture, and the unsaved mark and
// question that follow from the stack's clean state.
#include "app/MainWindow.h"

#include "edit/HiresColors.h"
#include "edit/MemoryDiff.h"
#include "view/OrvelWidget.h"
#include "view/SwatchPanel.h"

#include <QMessageBox>
#include <QPushButton>
#include <QUndoCommand>
#include <QUndoStack>

namespace {

class PictureStep : public QUndoCommand {
public:
    PictureStep(MainWindow* window, const QString& label, MemoryDiff step)
        : QUndoCommand(label), window(window), step(std::move(step)) {}
    void undo() override {
        step.undo(window->pictureView->globalsRec);
        window->showChangedPicture();
    }
    // Also runs when the step is pushed: the picture already is what it writes.
    void redo() override {
        step.redo(window->pictureView->globalsRec);
        window->showChangedPicture();
    }

private:
    MainWindow* window;
    MemoryDiff step;
};

const QString kUnsavedMark = QStringLiteral(" •");

} // namespace

void MainWindow::setupPictureHistory() {
    pictureHistory = new QUndoStack(this);
    // Every step is at most kMaxStepBytes, so this many keep the history under its bound.
    pictureHistory->setUndoLimit(kHistoryStepLimit);
    connect(pictureHistory, &QUndoStack::cleanChanged, this, [this] { updatePictureMark(); });
    connect(pictureHistory, &QUndoStack::indexChanged, this, [this] { updateEditMenuState(); });
    connect(pictureView, &OrvelWidget::pictureEdited, this,
            [this](const QString& label) { recordPictureEdit(label, pictureView->editBefore); });
}

void MainWindow::recordPictureEdit(const QString& label, const ScreenState& before) {
    MemoryDiff step = MemoryDiff::Between(before, CaptureScreen(pictureView->globalsRec));
    if (step.empty()) return;
    pictureHistory->push(new PictureStep(this, label, std::move(step)));
}

void MainWindow::editPicture(const QString& label, const std::function<void()>& edit) {
    const ScreenState before = CaptureScreen(pictureView->globalsRec);
    edit();
    pictureView->renderImage();
    recordPictureEdit(label, before);
    showChangedPicture();
}

void MainWindow::replacePicture(const QString& label, const ScreenState& state) {
    editPicture(label, [&] { RestoreScreen(pictureView->globalsRec, state); });
}

void MainWindow::startPictureHistory() {
    pictureHistory->clear();
    pictureHistory->setClean();
    pictureView->stroke.dropSelection();
    showChangedPicture();
}

void MainWindow::showChangedPicture() {
    pictureView->renderImage();
    const bool hires = pictureView->keepHiResB && !pictureView->globalsRec->isDHGR;
    if (swatchPanel->hiresColorsB != hires) {
        swatchPanel->setHiresColors(hires);
        if (hires && !IsHiresColor(g_curColor)) g_curColor = swatchPanel->selectedColor = 15;
    }
    swatchPanel->update();
    updatePictureMark();
    updateEditMenuState();
}

void MainWindow::updatePictureMark() {
    QString title = windowTitle();
    if (title.endsWith(kUnsavedMark)) title.chop(kUnsavedMark.size());
    if (!textModeB && !pictureHistory->isClean()) title += kUnsavedMark;
    if (title != windowTitle()) setWindowTitle(title);
}

bool MainWindow::maybeSavePicture() {
    if (textModeB || pictureHistory->isClean()) return true;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("orvel"),
                    tr("The picture has unsaved changes."),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setInformativeText(tr("Do you want to save them?"));
    box.setDefaultButton(QMessageBox::Save);
    dialogs->showMessageBox(box);
    const QMessageBox::StandardButton answer = box.standardButton(box.clickedButton());
    if (answer == QMessageBox::Discard) return true;
    if (answer == QMessageBox::Save) return savePictureAs();
    return false;
}

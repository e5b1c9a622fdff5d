// The commands that change how the picture is rendered, each ending in the one apply sequence
// (render, swatches, check marks, preferences), and the single-key view shortcuts (the eight
// designed ones and N) with the guard that keeps them from firing during the start-up sequence or
// in the text editor.
#include "app/MainWindow.h"

#include "app/ImportSession.h"
#include "core/CompositeColor.h"
#include "startup/StartupSequence.h"
#include "view/OrvelWidget.h"
#include "view/SwatchPanel.h"

#include <QShortcut>

#include <algorithm>
#include <functional>

namespace {

void flip(Boolean& flag) {
    flag = !flag;
}

} // namespace

void MainWindow::applyAndSave() {
    if (importSession != nullptr) importSession->settingsChanged(); // the preview follows
    pictureView->renderImage();
    swatchPanel->update();
    updateChecks();
    savePrefs();
}

// `engine` is the item's actId: 0..2 the Quen engines, 3 "By the Book", 25 composite. The
// engines of the dot picture (all but "By the Book") also switch to the colour palette. The
// engine left for the composite one is what N returns to.
void MainWindow::setEngine(int engine) {
    ORVEL_GlobalsRec* rec = pictureView->globalsRec;
    if (engine == kCompositeEngineId && !CompositeEngineB(rec))
        engineBeforeComposite = rec->quenEngine ? std::min<int>(rec->schemeType, 2) : 3;
    const bool dots = engine < 3 || engine == kCompositeEngineId;
    if (dots) {
        rec->schemeType = static_cast<std::uint16_t>(engine < 3 ? engine : kCompositeScheme);
        rec->bmFinalDepth = 8;
    }
    rec->quenEngine = dots;
    applyAndSave();
}

void MainWindow::setPalette(int palette) {
    ORVEL_GlobalsRec* rec = pictureView->globalsRec;
    if (palette > 7) {
        rec->oneBitPalette = savedMonoPalette = static_cast<std::uint16_t>(palette - 8);
        rec->bmFinalDepth = 1;
    } else {
        rec->paletteType = savedColorPalette = static_cast<std::uint16_t>(palette);
        rec->bmFinalDepth = 8;
    }
    applyAndSave();
}

void MainWindow::setScreenSize(int size) {
    pictureView->globalsRec->screenSize = static_cast<std::uint16_t>(size);
    applyAndSave();
}

void MainWindow::bumpScreenSize(int delta) {
    std::uint16_t& size = pictureView->globalsRec->screenSize;
    size = static_cast<std::uint16_t>(std::clamp(size + delta, 0, 2));
    applyAndSave();
}

void MainWindow::setAspectCorrect(int aspect) {
    pictureView->globalsRec->aspectCorrect = static_cast<std::uint16_t>(aspect);
    applyAndSave();
}

void MainWindow::toggleBitShifting() {
    if (pictureView->globalsRec->quenEngine) return; // greyed: Quen engines always shift
    flip(pictureView->globalsRec->bitShifting);
    applyAndSave();
}

void MainWindow::toggle560Mode() {
    flip(pictureView->globalsRec->is560Mode);
    applyAndSave();
}

void MainWindow::toggleStartScreen() {
    flip(pictureView->globalsRec->startScreen);
    applyAndSave();
}

void MainWindow::toggleQuenK() {
    ORVEL_GlobalsRec* rec = pictureView->globalsRec;
    if (!rec->quenEngine) {
        rec->schemeType = 1;
        rec->bmFinalDepth = 8;
        rec->quenEngine = true;
    } else {
        rec->quenEngine = false;
    }
    applyAndSave();
}

void MainWindow::toggleCompositeK() {
    const bool composite = CompositeEngineB(pictureView->globalsRec);
    setEngine(composite ? engineBeforeComposite : kCompositeEngineId);
}

void MainWindow::toggleColorK() {
    ORVEL_GlobalsRec* rec = pictureView->globalsRec;
    if (rec->bmFinalDepth == 8) {
        savedColorPalette = rec->paletteType;
        rec->oneBitPalette = savedMonoPalette;
        rec->bmFinalDepth = 1;
    } else {
        savedMonoPalette = rec->oneBitPalette;
        if (savedColorPalette <= 7) {
            rec->paletteType = savedColorPalette;
            rec->bmFinalDepth = 8;
        } else { // read as a palette number: 8..10 are the one-bit palettes
            rec->oneBitPalette = savedMonoPalette =
                static_cast<std::uint16_t>(savedColorPalette - 8);
            rec->bmFinalDepth = 1;
        }
    }
    applyAndSave();
}

bool MainWindow::viewShortcutBlockedB() {
    if (startupSequence != nullptr && startupSequence->runningB) {
        startupSequence->skip();
        return true;
    }
    return editorActiveB();
}

void MainWindow::setupViewShortcuts() {
    auto stepPalette = [this](int delta) {
        std::uint16_t& palette = pictureView->globalsRec->paletteType;
        const int next = palette + delta;
        if (next < 0 || next > 7) return;
        palette = static_cast<std::uint16_t>(next);
        applyAndSave();
    };
    const std::pair<Qt::Key, std::function<void()>> keys[] = {
        {Qt::Key_K, [this] { toggleColorK(); }},
        {Qt::Key_C, [this] { toggleColorK(); }},
        {Qt::Key_L, [this] { toggleQuenK(); }},
        {Qt::Key_T, [this] { toggleCompositeK(); }},
        {Qt::Key_B, [this] { toggleBitShifting(); }},
        {Qt::Key_Comma, [this] { bumpScreenSize(-1); }},
        {Qt::Key_Period, [this] { bumpScreenSize(+1); }},
        {Qt::Key_BracketLeft, [stepPalette] { stepPalette(-1); }},
        {Qt::Key_BracketRight, [stepPalette] { stepPalette(+1); }},
    };
    for (const auto& [key, action] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, action = action] {
            if (!viewShortcutBlockedB()) action();
        });
    }
}

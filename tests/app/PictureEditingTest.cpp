// The picture's history and tools in the main window: Undo and Redo by key and menu, the unsaved
// mark and question, Keep Hi-Res after a relaunch, tool keys, and an exact copy between windows.
#include "AppTestSupport.h"

#include "view/SwatchPanel.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QUndoStack>

#include <random>

namespace {

void Drag(OrvelWidget* view, QPoint from, QPoint to) {
    QTest::mousePress(view, Qt::LeftButton, {}, from);
    QTest::mouseMove(view, to);
    QTest::mouseRelease(view, Qt::LeftButton, {}, to);
}

// Keys reach the window's shortcuts only while it is the active window.
void Activate(MainWindow* window) {
    window->show(), window->activateWindow();
    static_cast<void>(QTest::qWaitForWindowActive(window));
}

void FillRandom(ORVEL_GlobalsRec* rec, unsigned seed) {
    std::mt19937 rng(seed);
    for (int i = 0; i < kBankSize; ++i)
        rec->auxMem[i] = static_cast<std::uint8_t>(rng()), rec->mainMem[i] = rec->auxMem[i] ^ 0x55;
}

// The bytes of every line (hi-res: of the main bank) under `mask`, without those between lines.
QByteArray LineBytes(const ORVEL_GlobalsRec* rec, std::uint8_t mask) {
    QByteArray bytes;
    for (const std::uint8_t* bank : {rec->auxMem, rec->mainMem})
        for (int line = 0; line < kLines && (rec->isDHGR || bank == rec->mainMem); ++line)
            for (int c = 0; c < kLineBytes; ++c)
                bytes += static_cast<char>(bank[g_rowoffsets[line] + c] & mask);
    return bytes;
}

} // namespace

// The first stroke on a hi-res picture makes it double hi-res; undoing it gives the hi-res
// picture back, 8 KiB and all.
TEST_F(AppTest, UndoAndRedoByEveryKeyAndTheMenu) {
    Activate(window.get());
    FillRandom(rec(), 3);
    rec()->isDHGR = false;
    window->startPictureHistory();
    const QByteArray hires = banks(rec());
    Drag(window->pictureView, {40, 20}, {200, 100});
    const QByteArray drawn = banks(rec());
    ASSERT_TRUE(rec()->isDHGR);
    EXPECT_TRUE(window->windowTitle().endsWith(" •"));
    EXPECT_EQ(window->undoAction->text(), "Undo Pencil");
    for (const char* key : {"Ctrl+Z", "Ctrl+Y", "Ctrl+Z", "Ctrl+Shift+Z"}) {
        QTest::keySequence(window.get(), QKeySequence(key));
        const bool undone = QByteArray(key) == "Ctrl+Z";
        EXPECT_EQ(banks(rec()), undone ? hires : drawn) << key;
        EXPECT_EQ(rec()->isDHGR, !undone);
        EXPECT_EQ(window->windowTitle().endsWith(" •"), !undone);
    }
    window->undoAction->trigger();
    window->onShiftLeft(); // a new step drops the undone one
    EXPECT_FALSE(window->pictureHistory->canRedo());
}

// New Graphic over an edited picture asks: Cancel keeps it, Discard replaces it (Undo brings it
// back); after Save As it is clean.
TEST_F(AppTest, AnEditedPictureIsAskedAboutBeforeItIsDropped) {
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    int asked = 0;
    dialogs->messageBoxShown = [&](QMessageBox& box) { ++asked, box.button(answer)->click(); };
    Drag(window->pictureView, {40, 20}, {200, 100});
    const QByteArray drawn = banks(rec());
    window->onNewGraphic();
    EXPECT_TRUE(asked == 1 && banks(rec()) == drawn);
    answer = QMessageBox::Discard;
    window->onNewGraphic();
    EXPECT_TRUE(banks(rec()) == QByteArray(2 * kBankSize, '\0') &&
                window->windowTitle() == "orvel");
    window->onUndo();
    EXPECT_EQ(banks(rec()), drawn);
    dialogs->answers << path("drawn.dhgr");
    window->onSaveAs();
    EXPECT_EQ(window->windowTitle(), "orvel — drawn.dhgr");
    window->onNewGraphic();
    EXPECT_EQ(asked, 2) << "a saved picture is not asked about";
}

// Keep Hi-Res is restored; a hi-res picture stays hi-res with six colours; K is not a tool key.
TEST_F(AppTest, KeepHiResSurvivesARelaunchAndToolKeysDoNotCollide) {
    window->keepHiResAction->trigger();
    restart();
    EXPECT_TRUE(window->pictureView->keepHiResB && window->keepHiResAction->isChecked());
    Activate(window.get());
    rec()->isDHGR = false;
    window->startPictureHistory();
    EXPECT_TRUE(window->swatchPanel->hiresColorsB);
    QTest::keyClick(window.get(), 'r');
    Drag(window->pictureView, {40, 20}, {200, 100});
    EXPECT_FALSE(rec()->isDHGR);
    EXPECT_EQ(window->pictureHistory->undoText(), "Rectangle");
    QTest::keyClick(window.get(), 'k');
    EXPECT_TRUE(rec()->bmFinalDepth == 1 && window->pictureView->tool() == Tool::Rectangle);
}

// Copied in one window, pasted in another: the same dots (hi-res: and high bits) in place.
TEST_F(AppTest, ARegionCopiedIntoAnotherWindowIsExact) {
    for (bool hires : {false, true}) {
        FillRandom(rec(), 5);
        rec()->isDHGR = !hires;
        window->pictureView->keepHiResB = hires;
        window->pictureView->stroke.selection = DotRect{0, 0, 192, 560};
        window->onCopy();
        MainWindow other;
        other.pictureView->globalsRec->isDHGR = !hires;
        other.pictureView->keepHiResB = hires;
        other.onPaste();
        // Double hi-res dots are bits 0..6; a hi-res byte's bit 7 picks its colours.
        const std::uint8_t mask = hires ? 0xFF : 0x7F;
        EXPECT_EQ(LineBytes(other.pictureView->globalsRec, mask), LineBytes(rec(), mask)) << hires;
        EXPECT_EQ(other.pictureHistory->undoText(), "Paste");
    }
}

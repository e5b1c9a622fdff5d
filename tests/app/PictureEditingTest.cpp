// The picture's history and tools in the main window: Undo and Redo by key and menu, the
// unsaved mark and its question, Keep Hi-Res across a relaunch, the tools' keys beside the
// view's own, and a region copied from one window into another, exactly.
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
    window->show();
    window->activateWindow();
    static_cast<void>(QTest::qWaitForWindowActive(window));
}

void FillRandom(std::uint8_t* bank, unsigned seed) {
    std::mt19937 rng(seed);
    for (int i = 0; i < kBankSize; ++i)
        bank[i] = static_cast<std::uint8_t>(rng());
}

// The bytes of every line of both banks (hi-res: the main bank) under `mask`: screen memory
// that holds dots, without the bytes between lines.
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
    FillRandom(rec()->mainMem, 3);
    rec()->isDHGR = false;
    window->startPictureHistory();
    const QByteArray hires = banks(rec());
    Drag(window->pictureView, {40, 20}, {200, 100});
    const QByteArray drawn = banks(rec());
    ASSERT_TRUE(rec()->isDHGR);
    EXPECT_TRUE(window->windowTitle().endsWith(" •"));
    EXPECT_EQ(window->undoAction->text(), "Undo Pencil");
    const struct {
        QKeySequence key;
        bool undone;
    } roads[] = {{QKeySequence(Qt::CTRL | Qt::Key_Z), true},
                 {QKeySequence(Qt::CTRL | Qt::Key_Y), false},
                 {QKeySequence(Qt::CTRL | Qt::Key_Z), true},
                 {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), false}};
    for (const auto& road : roads) {
        QTest::keySequence(window.get(), road.key);
        EXPECT_EQ(banks(rec()), road.undone ? hires : drawn) << road.key.toString().toStdString();
        EXPECT_EQ(rec()->isDHGR, !road.undone);
        EXPECT_EQ(window->windowTitle().endsWith(" •"), !road.undone);
    }
    window->undoAction->trigger();
    EXPECT_EQ(banks(rec()), hires);
    window->onShiftLeft(); // a new step drops the undone one
    EXPECT_FALSE(window->pictureHistory->canRedo());
    EXPECT_EQ(window->pictureHistory->undoText(), "Shift Left");
}

// New Graphic over an edited picture asks; Cancel keeps it, Discard replaces it (and Undo still
// brings it back); a picture saved with Save As is clean.
TEST_F(AppTest, AnEditedPictureIsAskedAboutBeforeItIsDropped) {
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    int asked = 0;
    dialogs->messageBoxShown = [&](QMessageBox& box) { ++asked, box.button(answer)->click(); };
    Drag(window->pictureView, {40, 20}, {200, 100});
    const QByteArray drawn = banks(rec());
    window->onNewGraphic();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(banks(rec()), drawn);
    answer = QMessageBox::Discard;
    window->onNewGraphic();
    EXPECT_EQ(banks(rec()), QByteArray(2 * kBankSize, '\0'));
    EXPECT_EQ(window->windowTitle(), "orvel");
    window->onUndo();
    EXPECT_EQ(banks(rec()), drawn);
    dialogs->answers << path("drawn.dhgr");
    window->onSaveAs();
    EXPECT_EQ(window->windowTitle(), "orvel — drawn.dhgr");
    window->onNewGraphic();
    EXPECT_EQ(asked, 2) << "a saved picture is not asked about";
}

// Keep Hi-Res: stored and restored; a hi-res picture stays 8 KiB and the panel offers six
// colours. The tools' keys select tools; K still changes the palette.
TEST_F(AppTest, KeepHiResSurvivesARelaunchAndToolKeysDoNotCollide) {
    window->keepHiResAction->trigger();
    restart();
    EXPECT_TRUE(window->pictureView->keepHiResB && window->keepHiResAction->isChecked());
    Activate(window.get());
    rec()->isDHGR = false;
    window->startPictureHistory();
    EXPECT_TRUE(window->swatchPanel->hiresColorsB);
    QTest::keyClick(window.get(), 'r');
    EXPECT_EQ(window->pictureView->tool(), Tool::Rectangle);
    Drag(window->pictureView, {40, 20}, {200, 100});
    EXPECT_FALSE(rec()->isDHGR);
    EXPECT_NE(banks(rec()), QByteArray(2 * kBankSize, '\0'));
    QTest::keyClick(window.get(), 'k');
    EXPECT_EQ(rec()->bmFinalDepth, 1);
    EXPECT_EQ(window->pictureView->tool(), Tool::Rectangle);
}

// Copy in one window, paste in another: the same dots at the same place (the picture's corner),
// on double hi-res and on a hi-res picture kept hi-res, high bits included.
TEST_F(AppTest, ARegionCopiedIntoAnotherWindowIsExact) {
    for (bool hires : {false, true}) {
        FillRandom(rec()->auxMem, 5);
        FillRandom(rec()->mainMem, 6);
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

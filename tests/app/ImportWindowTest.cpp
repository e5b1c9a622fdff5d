// "Import Picture..." in the window: the preview shows in the picture view at once and follows
// the engine, Cancel leaves the record byte for byte as it was, Import replaces the picture; a
// dropped or pasted image opens the same import, a bad file only says why.
#include "AppTestSupport.h"

#include "app/ImportDialog.h"
#include "app/ImportSession.h"
#include "import/ScreenMapping.h"
#include "view/ImageFileRead.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

// The settings block and the screen state, as bytes.
QByteArray recordBytes(const ORVEL_GlobalsRec* r) {
    return QByteArray(reinterpret_cast<const char*>(r), kSettingsBlockSize) +
           QByteArray(reinterpret_cast<const char*>(&r->isDHGR), kScreenStateSize);
}

// What the library imports for `image` under the window's settings now.
QByteArray importedBanks(const QImage& image, const ORVEL_GlobalsRec* r, ImportTarget target) {
    const QImage rgba = imageForImport(image).image;
    const ImportedPicture p =
        ImportScreen(MapToScreen(sourceOf(rgba), FitMode::Fit, r->aspectCorrect), {target}, *r);
    return QByteArray(reinterpret_cast<const char*>(p.auxMem.data()), kBankSize) +
           QByteArray(reinterpret_cast<const char*>(p.mainMem.data()), kBankSize);
}

QAction* fileCommand(MainWindow& w, const QString& text) {
    for (QAction* action : w.menuBar()->actions().first()->menu()->actions())
        if (action->text() == text) return action;
    return nullptr;
}

} // namespace

TEST_F(AppTest, ImportPreviewsFollowsTheEngineAndCancelRestoresEverything) {
    ASSERT_TRUE(window->pictureView->loadFile(ORVEL_SOURCE_DIR "/samples/bars.dhgr"));
    const QByteArray before = recordBytes(rec());
    QImage image(700, 300, QImage::Format_RGB32);
    image.fill(QColor(0x3F, 0x7F, 0xFF)); // "Quen's TV" medium blue
    ASSERT_TRUE(image.save(path("blue.png")));
    dialogs->answers << path("blue.png");
    window->onImportPicture();
    ImportSession* session = window->importSession;
    ASSERT_NE(session, nullptr);
    // The quick pass shows at once: the middle of the view is the image's blue.
    EXPECT_EQ(window->pictureView->grab().toImage().pixel(281, 192) & 0xFFFFFF, 0x3F7FFFu);
    ASSERT_TRUE(QTest::qWaitFor([&] { return session->fullPassShown(); }));
    EXPECT_EQ(banks(rec()), importedBanks(image, rec(), ImportTarget::Dhgr));

    window->actionsById[3]->trigger(); // "By the Book": the preview is imported for it
    session->dialog()->targetBox->setCurrentIndex(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return session->fullPassShown(); }));
    EXPECT_FALSE(rec()->isDHGR);
    EXPECT_EQ(banks(rec()), importedBanks(image, rec(), ImportTarget::Hgr));
    EXPECT_FALSE(fileCommand(*window, "New Graphic")->isEnabled()); // waits for the end

    session->dialog()->reject();
    EXPECT_EQ(window->importSession, nullptr);
    EXPECT_EQ(recordBytes(rec()), before);
    EXPECT_EQ(window->actionsById[1]->isChecked(), true);
    EXPECT_TRUE(fileCommand(*window, "New Graphic")->isEnabled());
}

TEST_F(AppTest, ImportReplacesThePictureAndEveryWayInOpensIt) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    ASSERT_TRUE(image.save(path("white.png")));
    dropOn(window->pictureView, path("white.png"));
    ASSERT_NE(window->importSession, nullptr);
    window->importSession->dialog()->importButton->click();
    EXPECT_EQ(window->importSession, nullptr);
    EXPECT_EQ(banks(rec()), importedBanks(image, rec(), ImportTarget::Dhgr));
    EXPECT_EQ(status(), "Imported: " + path("white.png"));
    EXPECT_EQ(window->windowTitle(), "orvel •"); // edited, not saved
    const QByteArray imported = banks(rec());
    window->undoAction->trigger(); // one step of the history
    EXPECT_EQ(banks(rec()), QByteArray(2 * kBankSize, '\0'));
    window->redoAction->trigger();
    EXPECT_EQ(banks(rec()), imported);

    // A bad file changes nothing; a pasted image opens the import too.
    const QByteArray kept = recordBytes(rec());
    ASSERT_TRUE(WriteFile(path("bad.png"), "no image here"));
    window->importImageFile(path("bad.png"));
    EXPECT_EQ(status(), "Could not import: " + path("bad.png") +
                            ": Not an image (no reader knows its format)");
    EXPECT_EQ(recordBytes(rec()), kept);
    QApplication::clipboard()->setImage(image);
    ASSERT_TRUE(window->pasteAction->isEnabled());
    window->pasteAction->trigger();
    ASSERT_NE(window->importSession, nullptr);
    EXPECT_EQ(window->importSession->source(), "the clipboard");
    window->importSession->dialog()->reject();
    EXPECT_EQ(recordBytes(rec()), kept);
    QApplication::clipboard()->clear(); // Paste is a text command again for the other tests
}

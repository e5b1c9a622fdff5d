// Helpers of the application tests: a main window on a clean settings store, with scripted
// answers in place of every dialog, so a command runs from a test exactly as from the menu.
// Tests wait for timers with QTest::qWaitFor: a slow machine makes them slower, never wrong.
#pragma once

#include "app/MainWindow.h"
#include "core/Core.h"
#include "support/TestFiles.h"
#include "view/OrvelWidget.h"

#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// The settings block from bmFinalDepth to dhgrColorOffset, field by field.
inline std::vector<int> block(const ORVEL_GlobalsRec* r) {
    return {r->bmFinalDepth, r->paletteType, r->oneBitPalette,  r->bitShifting,
            r->quenEngine,   r->schemeType,  r->screenSize,     r->aspectCorrect,
            r->is560Mode,    r->startScreen, r->dhgrColorOffset};
}

// The two screen-memory banks, auxiliary first, as a saved double hi-res file holds them.
inline QByteArray banks(const ORVEL_GlobalsRec* r) {
    return QByteArray(reinterpret_cast<const char*>(r->auxMem), kBankSize) +
           QByteArray(reinterpret_cast<const char*>(r->mainMem), kBankSize);
}

// A stored window geometry of 99 999 x 99 999 pixels, as another screen or a hand edit leaves it.
inline QByteArray hugeGeometry() {
    QWidget huge;
    huge.setGeometry(0, 0, 99999, 99999);
    return huge.saveGeometry();
}

// A file dropped on the view, as a file manager drops it.
inline void dropOn(OrvelWidget* view, const QString& file) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &drop);
}

// File dialogs answer from `answers` (an empty answer cancels); `asked` is the last question's
// title, start and filter. A save dialog's chosen filter is `filterChoice` (empty: the first);
// a disk image's picture is `picture` (-1 cancels), and `pictures` what was offered.
struct ScriptedDialogs : UserDialogs {
    QStringList answers, asked, pictures;
    QList<QImage> thumbnails;
    QString filterChoice;
    int picture = -1;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    std::function<void(QMessageBox&)> messageBoxShown = [](QMessageBox&) {};
    QString openFileName(QWidget*, const QString& t, const QString& s, const QString& f) override {
        asked = QStringList{t, s, f};
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QString saveFileName(QWidget* w, const QString& t, const QString& s, const QString& f,
                         QString* chosen) override {
        *chosen = filterChoice;
        return openFileName(w, t, s, f);
    }
    int choosePicture(QWidget*, const QString&, const QStringList& names,
                      const QList<QImage>& images) override {
        pictures = names;
        thumbnails = images;
        return picture;
    }
    void showMessageBox(QMessageBox& box) override { messageBoxShown(box); }
    Qt::KeyboardModifiers heldModifiers() override { return modifiers; }
};

// Every test starts from an empty store and leaves one; the pencil colour is put back.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings().clear();
        restart();
    }
    void TearDown() override {
        window.reset();
        QSettings().clear();
        g_curColor = 15;
    }
    // A new main window on whatever the store holds now, as at a new launch.
    void restart() {
        window.reset();
        window = std::make_unique<MainWindow>();
        auto scripted = std::make_unique<ScriptedDialogs>();
        dialogs = scripted.get();
        window->setDialogs(std::move(scripted));
    }
    ORVEL_GlobalsRec* rec() { return window->pictureView->globalsRec; }
    QString status() { return window->statusBar()->currentMessage(); }
    QString path(const QString& name) { return dir.filePath(name); }

    QTemporaryDir dir;
    std::unique_ptr<MainWindow> window;
    ScriptedDialogs* dialogs = nullptr;
};

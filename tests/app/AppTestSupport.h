// Helpers of the application tests: a main window on a clean settings store, with scripted
// answers in place of every dialog, so a command runs from a test exactly as from the menu.
#pragma once

#include "app/MainWindow.h"
#include "core/Core.h"
#include "support/TestFiles.h"
#include "view/OrvelWidget.h"

#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Strings in failure messages as text, not as bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Runs the event loop until `done` holds, for at most 10 s: tests wait for timers this way,
// so a slow machine makes them slower, never wrong.
inline bool WaitUntil(const std::function<bool()>& done) {
    for (int waited = 0; !done(); waited += 10) {
        if (waited > 10000) return false;
        QTest::qWait(10);
    }
    return true;
}

// File dialogs answer from `answers` (an empty answer cancels); what each asked is kept.
struct ScriptedDialogs : UserDialogs {
    struct Question {
        QString title, start, filter;
    };
    QStringList answers;
    std::vector<Question> asked;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    QString messageText;
    QFont messageFont;

    QString next(const QString& title, const QString& start, const QString& filter) {
        asked.push_back({title, start, filter});
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QString openFileName(QWidget*, const QString& t, const QString& s, const QString& f) override {
        return next(t, s, f);
    }
    QString saveFileName(QWidget*, const QString& t, const QString& s, const QString& f) override {
        return next(t, s, f);
    }
    void showMessageBox(QMessageBox& box) override {
        messageText = box.text();
        messageFont = box.font();
    }
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

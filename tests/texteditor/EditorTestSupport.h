// Shared pieces of the text editor tests: a fresh editor window on a cleared settings store, and
// a player of short scripts of real key, mouse, clipboard and palette input on its grid.
#pragma once

#include "text/CharPaletteWidget.h"
#include "text/TextGridWidget.h"
#include "text/TextScreenEditor.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QMap>
#include <QPointer>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

// The window deletes itself when it closes, so it lives on the heap.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings().remove(QStringLiteral("texteditor"));
        editor = new TextScreenEditor;
    }
    void TearDown() override {
        delete editor.data();
        QSettings().remove(QStringLiteral("texteditor"));
    }
    QPointer<TextScreenEditor> editor;
};

inline QPoint cellCentre(const TextGridWidget* grid, int row, int column) {
    return QPoint(column * grid->cellWidth + grid->cellWidth / 2,
                  row * grid->cellHeight + grid->cellHeight / 2);
}

inline QPoint cellCentre(const TextGridWidget* grid, const QString& rowComma) {
    const QStringList parts = rowComma.split(QLatin1Char(','));
    return cellCentre(grid, parts[0].toInt(), parts[1].toInt());
}

inline Qt::Key keyNamed(const QString& name) {
    static const QMap<QString, Qt::Key> named = {
        {"Left", Qt::Key_Left},     {"Right", Qt::Key_Right},         {"Up", Qt::Key_Up},
        {"Down", Qt::Key_Down},     {"Home", Qt::Key_Home},           {"End", Qt::Key_End},
        {"Return", Qt::Key_Return}, {"Backspace", Qt::Key_Backspace}, {"Delete", Qt::Key_Delete},
        {"Enter", Qt::Key_Enter},   {"Space", Qt::Key_Space}};
    return named.value(name, Qt::Key(name[0].toUpper().unicode()));
}

// Steps separated by '|': "@r,c" clicks a cell, "@r,c>r,c" drags, "S@r,c" Shift+clicks;
// "tTEXT" types; "kNAME" presses a key ("+" before the name adds Shift, "^" Meta); "vTEXT"
// pastes TEXT through the clipboard ("v" alone pastes what is there); "mN" clicks palette cell N;
// "i" flips "Inverse"; "u", "x", "c", "a": undo, cut, copy, select all.
inline void play(TextScreenEditor* editor, const QString& script) {
    TextGridWidget* grid = editor->grid;
    for (const QString& step : script.split(QLatin1Char('|'))) {
        const QString arg = step.mid(1);
        switch (step[0].unicode()) {
        case '@':
        case 'S': {
            const auto mods = step[0] == QLatin1Char('S') ? Qt::ShiftModifier : Qt::NoModifier;
            const QStringList ends = step.mid(step.indexOf('@') + 1).split(QLatin1Char('>'));
            QTest::mousePress(grid, Qt::LeftButton, mods, cellCentre(grid, ends.first()));
            QTest::mouseMove(grid, cellCentre(grid, ends.last()));
            QTest::mouseRelease(grid, Qt::LeftButton, mods, cellCentre(grid, ends.last()));
            break;
        }
        case 't':
            QTest::keyClicks(grid, arg);
            break;
        case 'k': {
            Qt::KeyboardModifiers mods;
            QString name = arg;
            for (; name.size() > 1 && (name[0] == '+' || name[0] == '^'); name.remove(0, 1))
                mods |= name[0] == '+' ? Qt::ShiftModifier : Qt::MetaModifier;
            QTest::keyClick(grid, keyNamed(name), mods);
            break;
        }
        case 'v':
            if (!arg.isEmpty()) QGuiApplication::clipboard()->setText(arg);
            grid->doPaste();
            break;
        case 'm':
            QTest::mouseClick(editor->palette, Qt::LeftButton, {},
                              editor->palette->cellRect(arg.toInt()).center());
            break;
        case 'i':
            editor->inverseCheck->click();
            break;
        default: {
            static const QMap<QChar, void (TextGridWidget::*)()> commands = {
                {'u', &TextGridWidget::doUndo},
                {'x', &TextGridWidget::doCut},
                {'c', &TextGridWidget::doCopy},
                {'a', &TextGridWidget::doSelectAll}};
            const auto command = commands.value(step[0], nullptr);
            if (command == nullptr)
                ADD_FAILURE() << "unknown step " << step.toStdString();
            else
                (grid->*command)();
        }
        }
    }
}

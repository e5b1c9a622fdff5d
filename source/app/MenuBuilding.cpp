// The menu bar, read from the JSON menu description compiled into the program: menus, radio
// groups and actions, wired to their handlers by name, and the two refreshes that keep the check
// marks and the Edit menu in step with the record. A description that does not parse, or names
// a handler or group that does not exist, is a programming error: it is recorded and logged.
#include "app/MainWindow.h"

#include "core/CompositeColor.h"
#include "view/OrvelWidget.h"

#include <QUndoStack>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenuBar>
#include <QSignalBlocker>

#include <map>

namespace {

using Handler = void (MainWindow::*)();

// Every handler a menu item may name, except "quit" and "aboutQt", which go to the application.
const std::map<QString, Handler>& handlerTable() {
    static const std::map<QString, Handler> table = {
        {"onNewText", &MainWindow::onNewText},
        {"onOpenText", &MainWindow::onOpenText},
        {"onNewGraphic", &MainWindow::onNewGraphic},
        {"onOpenGraphic", &MainWindow::onOpenGraphic},
        {"onOpenDiskImage", &MainWindow::onOpenDiskImage},
        {"onImportPicture", &MainWindow::onImportPicture},
        {"onSave", &MainWindow::onSave},
        {"onSaveAs", &MainWindow::onSaveAs},
        {"onConvertToDHGR", &MainWindow::onConvertToDHGR},
        {"toggleBitShifting", &MainWindow::toggleBitShifting},
        {"toggle560Mode", &MainWindow::toggle560Mode},
        {"toggleStartScreen", &MainWindow::toggleStartScreen},
        {"onAbout", &MainWindow::onAbout},
        {"onUndo", &MainWindow::onUndo},
        {"onRedo", &MainWindow::onRedo},
        {"toggleKeepHiRes", &MainWindow::toggleKeepHiRes},
        {"onCut", &MainWindow::onCut},
        {"onCopy", &MainWindow::onCopy},
        {"onPaste", &MainWindow::onPaste},
        {"onClear", &MainWindow::onClear},
        {"onSelectAll", &MainWindow::onSelectAll},
        {"onShiftLeft", &MainWindow::onShiftLeft},
        {"onShiftRight", &MainWindow::onShiftRight},
    };
    return table;
}

bool isActionId(int id) {
    return id >= 0 && id < MainWindow::kActionIds;
}

QKeySequence shortcutFor(const QString& text) {
    // Where the platform names no Quit keys, Ctrl+Q is what a desktop user reaches for.
    if (text == QLatin1String("quit")) {
        const QKeySequence standard(QKeySequence::Quit);
        return standard.isEmpty() ? QKeySequence(Qt::CTRL | Qt::Key_Q) : standard;
    }
    QKeySequence sequence = QKeySequence::fromString(text, QKeySequence::NativeText);
    if (sequence.isEmpty()) sequence = QKeySequence::fromString(text, QKeySequence::PortableText);
    return sequence;
}

} // namespace

void MainWindow::buildMenus() {
    QFile description(QStringLiteral(":/orvel/menus.json"));
    if (!description.open(QIODevice::ReadOnly)) {
        menuProblemList << QStringLiteral("the menu description is missing");
        qCritical("orvel: the menu description is missing");
        return;
    }
    buildMenusFrom(description.readAll());
}

void MainWindow::buildMenusFrom(const QByteArray& description) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(description, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        menuProblemList
            << QStringLiteral("the menu description does not parse: %1").arg(error.errorString());
    for (const QJsonValue& menuValue : document.array()) {
        const QJsonObject menuObject = menuValue.toObject();
        QMenu* menu = menuBar()->addMenu(menuObject.value("title").toString());
        for (const QJsonValue& itemValue : menuObject.value("items").toArray()) {
            const QJsonObject item = itemValue.toObject();
            const QString type = item.value("type").toString();
            if (type == QLatin1String("sep")) {
                menu->addSeparator();
            } else if (type == QLatin1String("submenu")) {
                QMenu* submenu = menu->addMenu(item.value("text").toString());
                const QString id = item.value("id").toString();
                if (id == QLatin1String("recentGraphicMenu")) recentGraphicMenu = submenu;
                if (id == QLatin1String("recentTextMenu")) recentTextMenu = submenu;
                if (id == QLatin1String("zoomMenu")) zoomMenu = submenu;
            } else if (type == QLatin1String("radioGroup")) {
                buildRadioGroup(menu, item);
            } else {
                buildAction(menu, item);
            }
        }
    }
    for (const QString& problem : menuProblemList)
        qCritical("orvel: %s", qPrintable(problem));
    rebuildRecentGraphicMenu();
    rebuildRecentTextMenu();
    updateChecks();
    updateEditMenuState();
}

void MainWindow::buildRadioGroup(QMenu* menu, const QJsonObject& item) {
    const QString id = item.value("id").toString();
    auto* group = new QActionGroup(this);
    for (const QJsonValue& memberValue : item.value("items").toArray()) {
        const QJsonObject member = memberValue.toObject();
        if (member.value("type").toString() == QLatin1String("sep")) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(member.value("text").toString());
        action->setCheckable(true);
        const int actId = member.value("actId").toInt(-1);
        if (isActionId(actId)) {
            action->setData(actId);
            actionsById[static_cast<std::size_t>(actId)] = action;
        } else {
            menuProblemList
                << QStringLiteral("radio item \"%1\" has no valid actId").arg(action->text());
        }
        const int digit = member.value("shortcutKey").toInt(0);
        if (digit != 0) action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key('0' + digit)));
        group->addAction(action);
    }
    connectRadioGroup(group, id);
}

void MainWindow::buildAction(QMenu* menu, const QJsonObject& item) {
    QAction* action = menu->addAction(item.value("text").toString());
    const QString shortcut = item.value("shortcut").toString();
    if (!shortcut.isEmpty()) action->setShortcut(shortcutFor(shortcut));
    action->setCheckable(item.value("checkable").toBool(false));
    if (item.contains("actId")) {
        const int actId = item.value("actId").toInt(-1);
        if (isActionId(actId))
            actionsById[static_cast<std::size_t>(actId)] = action;
        else
            menuProblemList << QStringLiteral("\"%1\" has an invalid actId").arg(action->text());
    }
    const QString tag = item.value("actTag").toString();
    const std::pair<const char*, QAction**> tagged[] = {
        {"undo", &undoAction},   {"cut", &cutAction},
        {"copy", &copyAction},   {"paste", &pasteAction},
        {"clear", &clearAction}, {"selectAll", &selectAllAction},
        {"redo", &redoAction},   {"keepHiRes", &keepHiResAction},
    };
    for (const auto& [name, slot] : tagged)
        if (tag == QLatin1String(name)) *slot = action;
    const QString role = item.value("role").toString();
    if (role == QLatin1String("about")) action->setMenuRole(QAction::AboutRole);
    if (role == QLatin1String("aboutQt")) action->setMenuRole(QAction::AboutQtRole);
    connectSlot(action, item.value("slot").toString());
}

void MainWindow::connectSlot(QAction* action, const QString& slot) {
    if (slot == QLatin1String("quit")) {
        connect(action, &QAction::triggered, this, &MainWindow::onQuit);
        return;
    }
    if (slot == QLatin1String("aboutQt")) {
        connect(action, &QAction::triggered, qApp, &QApplication::aboutQt);
        return;
    }
    const auto found = handlerTable().find(slot);
    if (found == handlerTable().end()) {
        menuProblemList
            << QStringLiteral("\"%1\" names no handler: \"%2\"").arg(action->text(), slot);
        return;
    }
    const Handler handler = found->second;
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
}

void MainWindow::connectRadioGroup(QActionGroup* group, const QString& id) {
    // Each group's operation with the triggering item's actId.
    const std::pair<const char*, std::pair<void (MainWindow::*)(int), int>> operations[] = {
        {"engine", {&MainWindow::setEngine, 0}},
        {"size", {&MainWindow::setScreenSize, 6}},
        {"aspect", {&MainWindow::setAspectCorrect, 9}},
        {"palette", {&MainWindow::setPalette, 12}},
    };
    for (const auto& [name, operation] : operations) {
        if (id != QLatin1String(name)) continue;
        const auto [run, firstId] = operation;
        connect(group, &QActionGroup::triggered, this,
                [this, run = run, firstId = firstId](QAction* a) {
                    (this->*run)(a->data().toInt() - firstId);
                });
        return;
    }
    menuProblemList << QStringLiteral("no radio group is called \"%1\"").arg(id);
}

void MainWindow::updateChecks() {
    const ORVEL_GlobalsRec* rec = pictureView->globalsRec;
    auto check = [this](int id, bool on) {
        if (QAction* action = actionsById[static_cast<std::size_t>(id)]) action->setChecked(on);
    };
    const bool composite = CompositeEngineB(rec);
    const int engine = !rec->quenEngine ? 3 : composite ? kCompositeEngineId : rec->schemeType;
    for (int id : {0, 1, 2, 3, kCompositeEngineId})
        check(id, engine == id);
    if (QAction* shifting = actionsById[4]) {
        const QSignalBlocker blocker(shifting);
        shifting->setEnabled(!rec->quenEngine);
        shifting->setChecked(rec->quenEngine || rec->bitShifting);
    }
    check(5, rec->is560Mode);
    for (int size = 0; size < 3; ++size)
        check(6 + size, rec->screenSize == size);
    for (int aspect = 0; aspect < 3; ++aspect)
        check(9 + aspect, rec->aspectCorrect == aspect);
    const int palette = rec->bmFinalDepth != 1 ? rec->paletteType : rec->oneBitPalette + 8;
    for (int index = 0; index <= 10; ++index)
        check(12 + index, palette == index);
    // The composite engine's colour comes from the signal: the colour palettes do not apply.
    for (int id = 12; id <= 19; ++id)
        if (QAction* action = actionsById[static_cast<std::size_t>(id)])
            action->setEnabled(!composite);
    check(24, rec->startScreen);
    if (keepHiResAction != nullptr) keepHiResAction->setChecked(pictureView->keepHiResB);
}

void MainWindow::updateEditMenuState() {
    const bool editing = textModeB && textEditor != nullptr;
    // Without a text screen the commands act on the picture: its history and its selection.
    for (QAction* action : {cutAction, copyAction, pasteAction, clearAction, selectAllAction})
        if (action != nullptr) action->setEnabled(editing || textEditor == nullptr);
    const bool picture = textEditor == nullptr && pictureHistory != nullptr;
    if (undoAction != nullptr) {
        undoAction->setEnabled(editing || (picture && pictureHistory->canUndo()));
        undoAction->setText(picture && pictureHistory->canUndo()
                                ? tr("Undo %1").arg(pictureHistory->undoText())
                                : QStringLiteral("Undo"));
    }
    if (redoAction != nullptr) {
        redoAction->setEnabled(picture && pictureHistory->canRedo());
        redoAction->setText(picture && pictureHistory->canRedo()
                                ? tr("Redo %1").arg(pictureHistory->redoText())
                                : QStringLiteral("Redo"));
    }
}

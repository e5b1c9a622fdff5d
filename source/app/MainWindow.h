// The main window: the picture view in a scroll area, the "Colors" dock, the menus read from the
// menu description, and every command of the program. Each group of commands has its own file.
#pragma once

#include "app/UserDialogs.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>

class ImportSession;
class OrvelWidget;
class QAction;
class QActionGroup;
class QJsonObject;
class QMenu;
class QTimer;
class StartupSequence;
class SwatchPanel;
class TextScreenEditor;
struct ImportedPicture;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // The menu description's actIds run 0..24.
    static constexpr int kActionIds = 25;

    MainWindow();
    ~MainWindow() override;

    // The seam for every question the window asks; the window owns it.
    void setDialogs(std::unique_ptr<UserDialogs> replacement);
    // What went wrong while the menus were built from their description: a programming error.
    const QStringList& menuProblems() const { return menuProblemList; }
    // Builds the menu bar from a description (the compiled-in one by default).
    void buildMenusFrom(const QByteArray& description);

    // The start-up decision of a launch without a file argument.
    void openMostRecentIfAvailable();

    // --- Rendering settings (RenderingCommands.cpp)
    void setEngine(int engine);
    void setPalette(int palette);
    void setScreenSize(int size);
    void bumpScreenSize(int delta);
    void setAspectCorrect(int aspect);
    void toggleBitShifting();
    void toggle560Mode();
    void toggleStartScreen();
    void toggleQuenK();
    void toggleColorK();
    void applyAndSave();
    bool viewShortcutBlockedB();

    // --- File and edit commands (FileCommands.cpp, TextCommands.cpp)
    void onNewGraphic();
    void onOpenGraphic();
    void onSave();
    void onSaveAs();
    void onSavePNG();
    void onConvertToDHGR();
    void onShiftLeft();
    void onShiftRight();
    void onNewText();
    void onOpenText();
    // True only when the text reached the disk.
    bool onSaveTextFile(const QString& path);
    void onUndo();
    void onCut();
    void onCopy();
    void onPaste();
    void onClear();
    void onSelectAll();
    void onAbout();

    // --- Importing images (ImportCommands.cpp)
    void onImportPicture();
    void importImageFile(const QString& path);
    // Opens the import for the clipboard's image; false when it holds none.
    bool importClipboardImage();
    bool clipboardHoldsImageB() const;
    void startImport(const QImage& image, const QString& source);
    // The import session's end: the picture to keep (Import), or null (Cancel).
    void endImport(const ImportedPicture* picture);
    // Replaces the picture's screen memory by an imported one: the one step an import makes.
    void applyImportedPicture(const ImportedPicture& picture, const QString& source);

    // --- Text editor hosting (TextEditorHosting.cpp)
    void ensureTextEditor();
    void showTextInEditor(const QString& text, const QString& path);
    bool tryCloseEditor();

    // --- Recent files (RecentFiles.cpp)
    void addRecentFile(QString path);
    void removeRecentFile(QString path);
    void openRecentFile(QString path);
    void addRecentTextScreen(const QString& path);
    void rebuildRecentGraphicMenu();
    void rebuildRecentTextMenu();

    // --- Preferences (Preferences.cpp)
    void loadPrefs();
    void savePrefs();

    OrvelWidget* pictureView = nullptr;
    SwatchPanel* swatchPanel = nullptr;
    QTimer* geometryTimer = nullptr;
    StartupSequence* startupSequence = nullptr;
    TextScreenEditor* textEditor = nullptr;
    ImportSession* importSession = nullptr; // an import's dialog is open
    bool textModeB = false;
    std::uint16_t savedColorPalette = 0;
    std::uint16_t savedMonoPalette = 1;
    std::array<QAction*, kActionIds> actionsById = {};
    QAction* undoAction = nullptr;
    QAction* cutAction = nullptr;
    QAction* copyAction = nullptr;
    QAction* pasteAction = nullptr;
    QAction* clearAction = nullptr;
    QAction* selectAllAction = nullptr;
    QMenu* recentGraphicMenu = nullptr;
    QMenu* recentTextMenu = nullptr;
    QStringList recentTextScreens;
    QStringList recentFiles;
    QString currentGraphicPath;
    QString lastOpenDir;
    QString lastSaveDir;
    QString lastTextDir;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setupScrollArea();
    void setupDockWidget();
    void setupGeometryTimer();
    void setupViewShortcuts();
    void setupImportSources();
    void showStatus(const QString& message);
    void setPictureTitle(const QString& path);

    void buildMenus();
    void shareMenuKeysWithEditor();
    void buildRadioGroup(QMenu* menu, const QJsonObject& item);
    void buildAction(QMenu* menu, const QJsonObject& item);
    void connectSlot(QAction* action, const QString& slot);
    void connectRadioGroup(QActionGroup* group, const QString& id);
    void updateChecks();
    void updateEditMenuState();

    // A text editor exists and is the application's active window.
    bool editorActiveB() const;
    void onTextEditorChanged(const QString& text);
    void onTextEditorClosed();
    void onText80colChanged(bool on);

    void rememberDirectory(QString& member, const char* key, const QString& chosenFile);
    bool writeFileReporting(const QString& path, const QByteArray& bytes);
    void storeRecentList(const char* key, const QStringList& list, bool flush);
    void openRecentTextScreen(const QString& path);
    void openBundledScreen(const char* path);

    std::unique_ptr<UserDialogs> dialogs;
    QStringList menuProblemList;
};

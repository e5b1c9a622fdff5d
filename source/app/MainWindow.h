// The main window: the picture view in a scroll area, the "Colors" dock, the menus read from the
// menu description, and every command of the program. Each group of commands has its own file.
#pragma once

#include "app/UserDialogs.h"
#include "edit/ScreenState.h"
#include "edit/ToolStroke.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class ImportSession;
class OrvelWidget;
class QAction;
class QActionGroup;
class QButtonGroup;
class QLabel;
class QUndoStack;
class QJsonObject;
class QMenu;
struct ScreenEntry;
class QTimer;
class StartupSequence;
class SwatchPanel;
class TextScreenEditor;
struct ImportedPicture;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // The menu description's actIds run 0..25.
    static constexpr int kActionIds = 26;
    // The actId of "Composite (NTSC)", the engine group's fifth item.
    static constexpr int kCompositeEngineId = 25;

    // `useStoredGeometryB` false: the window takes its first-run size and place whatever the
    // store holds (the test mode renders off screen and must not trust a stored geometry).
    explicit MainWindow(bool useStoredGeometryB = true);
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
    void toggleCompositeK();
    void toggleColorK();
    void applyAndSave();
    bool viewShortcutBlockedB();

    // --- File and edit commands (FileCommands.cpp, TextCommands.cpp)
    void onNewGraphic();
    void onOpenGraphic();
    // Makes the picture at `path` the document. Only a picture that loaded changes anything:
    // then the title and currentGraphicPath follow it, and the recent list when asked. Unsaved
    // text is asked about only once the file is known to be a picture.
    bool openPicture(const QString& path, bool addToRecent);
    // Before another picture replaces the document: the editor's question about unsaved text
    // (and its closing) or the picture's; false when the user keeps what there is.
    bool mayDropDocument();
    void onOpenDiskImage(); // DiskImageCommands.cpp
    void onSave();
    void onSaveAs();
    void onSavePNG();
    void onConvertToDHGR();
    void onShiftLeft();
    void onShiftRight();
    void onNewText();
    void onOpenText();
    // Reads a text screen and, once it is read and any unsaved text was asked about, shows it.
    bool openTextFile(const QString& path, bool addToRecent);
    // True only when the text reached the disk. An empty path saves to the editor's file, or
    // asks for a name when it has none.
    bool onSaveTextFile(const QString& path);
    // "Save As..." while the editor is active: the text screen under a name the user chooses.
    void onSaveTextAs();
    void onQuit();
    void onUndo();
    void onCut();
    void onCopy();
    void onPaste();
    void onClear();
    void onSelectAll();
    void onAbout();

    // --- Picture history (PictureHistory.cpp)
    // The one undoable way to replace the whole picture (imports, pastes of other pictures):
    // one history step named `label`, the picture shown and the mark set.
    void replacePicture(const QString& label, const ScreenState& state);
    // Runs `edit` on the picture as one history step named `label`.
    void editPicture(const QString& label, const std::function<void()>& edit);
    // Records what changed since `before` as one step (nothing when nothing changed).
    void recordPictureEdit(const QString& label, const ScreenState& before);
    // A picture loaded: a new history, clean.
    void startPictureHistory();
    // After any change of the picture: render, the swatches for its kind, the mark, the menus.
    void showChangedPicture();
    // Save / Discard / Cancel before an edited picture is dropped; true when it may go.
    bool maybeSavePicture();
    // Save As for the picture; true once the file is on disk.
    bool savePictureAs();
    void onRedo();

    // --- Tools, zoom and the picture's Edit commands (ToolCommands.cpp)
    void selectTool(Tool tool);
    void setZoom(int factor);
    void toggleKeepHiRes();

    // --- Importing images (ImportCommands.cpp)
    void onImportPicture();
    void importImageFile(const QString& path);
    // A file dropped on the picture: an image is imported, anything else opened as a picture.
    void openDroppedFile(const QString& path);
    // Opens the import for the clipboard's image; false when it holds none.
    bool importClipboardImage();
    bool clipboardHoldsImageB() const;
    void startImport(const QImage& image, const QString& source);
    // The import session's end: the picture to keep (Import), or null (Cancel).
    void endImport(const ImportedPicture* picture);
    // Replaces the picture's screen memory by an imported one, as one step of the history.
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
    int engineBeforeComposite = 3; // the engine N returns to from "Composite (NTSC)"
    std::array<QAction*, kActionIds> actionsById = {};
    QAction* undoAction = nullptr;
    QAction* cutAction = nullptr;
    QAction* copyAction = nullptr;
    QAction* pasteAction = nullptr;
    QAction* clearAction = nullptr;
    QAction* selectAllAction = nullptr;
    QAction* redoAction = nullptr;
    QAction* keepHiResAction = nullptr;
    QMenu* zoomMenu = nullptr;
    QActionGroup* zoomChecks = nullptr;
    QButtonGroup* toolButtons = nullptr;
    QLabel* readoutLabel = nullptr;
    // The picture's history; its clean state is the title's unsaved mark.
    QUndoStack* pictureHistory = nullptr;
    QMenu* recentGraphicMenu = nullptr;
    QMenu* recentTextMenu = nullptr;
    QStringList recentTextScreens;
    QStringList recentFiles;
    QString currentGraphicPath;
    QString lastOpenDir;
    QString lastSaveDir;
    QString lastTextDir;
    QString diskImagePath; // the disk image the picture came from: never written

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setupScrollArea();
    void setupDockWidget();
    void setupGeometryTimer(bool useStoredGeometryB);
    // The first-run size: the whole picture at its shown size and the "Colors" dock.
    void sizeToShowThePicture();
    void setupViewShortcuts();
    void setupPictureHistory();
    void setupToolsDock();
    void setupZoomMenu();
    void updatePictureMark();
    void copyPictureSelection();
    void pastePicture();
    void clearPictureSelection();
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
    void onTextEditorChanged(const QString& rows, bool eighty);
    // True when the editor's text may be replaced: no editor, nothing unsaved, or the answer.
    bool mayReplaceText();
    void onTextEditorClosed();
    void onText80colChanged(bool on);

    void rememberDirectory(QString& member, const char* key, const QString& chosenFile);
    bool writeFileReporting(const QString& path, const QByteArray& bytes);
    // A save dialog whose answer gets the chosen filter's extension when it has none.
    QString askSaveName(const QString& title, const QString& start, const QString& filters);
    QString askTextSaveName();
    // True, with a message, when `path` is the disk image the picture came from.
    bool isDiskImageTarget(const QString& path);
    void storeRecentList(const char* key, const QStringList& list, bool flush);
    void openBundledScreen(const ScreenEntry& screen);

    std::unique_ptr<UserDialogs> dialogs;
    QStringList menuProblemList;
};

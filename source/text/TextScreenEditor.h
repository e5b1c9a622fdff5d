// The text screen editor window: the grid in a dark scroll area, the MouseText palette in a dock,
// the column, inverse and zoom switches in the status bar, the file name and unsaved mark.
#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <QString>

#include <functional>

class CharPaletteWidget;
class QCheckBox;
class QDockWidget;
class QLabel;
class QPushButton;
class QScrollArea;
class TextGridWidget;

// The window neither reads nor writes files: its host hands in a text and a path, reads the
// text back out to save it, and clears modifiedB after a save. A top-level window that deletes
// itself when it closes; editorClosed() tells the host to forget it.
class TextScreenEditor : public QMainWindow {
    Q_OBJECT

public:
    explicit TextScreenEditor(QWidget* parent = nullptr);

    // A fresh, unmodified document; the "80 Columns" switch follows the text's column mode.
    void setText(const QString& text);
    QString getText() const;
    void setFilePath(const QString& path);
    // "orvel — Text Editor", or "orvel — " and the file name; " •" while unsavedB().
    void updateTitle();
    // Changes worth keeping: modified, unless it is a new screen left blank. The title's mark
    // and the unsaved-changes question both follow it.
    bool unsavedB() const;
    // The text a new screen starts with: the stored "80 Columns" choice, as its mark or nothing.
    static QString newScreenText();
    // True when the caller may drop the grid's content: nothing unsaved, a blank screen, the
    // answer Discard, or Save that reached the disk. False when the user cancelled or the save
    // did not happen.
    bool maybeSave();
    // Asks about unsaved changes at most once and closes without asking again. False when the
    // answer keeps the window open (text and modifiedB unchanged).
    bool requestClose();

    TextGridWidget* grid;
    QScrollArea* gridArea;
    CharPaletteWidget* palette;
    QDockWidget* paletteDock;
    QLabel* statusLabel;
    QPushButton* scaleButton;
    QCheckBox* col80Check;
    QCheckBox* inverseCheck;
    QString filePath;
    bool modifiedB = false;
    // A stored geometry that fits today's screens was restored; otherwise the host places it.
    bool restoredGeometryB = false;

    // The unsaved-changes question (Save, Discard or Cancel); the default shows the message box.
    std::function<QMessageBox::StandardButton()> askSaveChanges;
    // What the Save answer does: true only when the text reached the disk. Unset counts as
    // "not saved", so the caller keeps everything.
    std::function<bool()> saveRequested;

signals:
    // The screen's rows and, beside them, its column count (the "80" mark is for files only).
    void textChanged(const QString& rows, bool eighty);
    void editorClosed();
    void modeChanged(bool is80colB);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildGridArea();
    void keepCursorInView();
    void buildPaletteDock();
    void buildStatusBar();
    void toggleScale();
    void on80colToggled(bool on);
    void onGridChanged();
    void loadEditorPrefs();
    void saveEditorPrefs();
    void updateStatus();
    bool blankScreen() const;

    // Set by requestClose() for the one close it has already asked about.
    bool closeApprovedB = false;
};

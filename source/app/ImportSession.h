// One import in progress in the main window: the image, the picture and settings as they were,
// and the preview in the picture view, which follows the dialog's choices and every rendering
// setting (a quick pass at once, the full one after a pause). Ends in Import or Cancel.
#pragma once

#include "core/GlobalsRec.h"
#include "import/Import.h"
#include "import/ScreenMapping.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <map>
#include <vector>

class ImportDialog;
class MainWindow;
class QAction;
class QTimer;

class ImportSession : public QObject {
public:
    ImportSession(MainWindow* window, const QImage& image, const QString& source);
    ~ImportSession() override;

    // The rendering settings changed (engine, palette, aspect...): the preview follows them.
    void settingsChanged();
    // True once the full pass of the current choices is what the view shows.
    bool fullPassShown() const { return fullShown_; }

    ImportDialog* dialog() const { return dialog_; }
    const QString& source() const { return source_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPass(ImportPass pass);
    const ScreenImage& mapped();
    void finish(bool accepted);
    void holdCommands(bool hold);

    MainWindow* window_;
    QImage image_;
    QString source_;
    ImportDialog* dialog_;
    QTimer* fullPassTimer_;
    std::vector<unsigned char> savedSettings_, savedScreen_;
    std::map<std::pair<int, int>, ScreenImage> mappings_; // by fit and aspect
    ImportedPicture shown_;
    bool fullShown_ = false;
    std::vector<std::pair<QAction*, bool>> heldActions_;
};

// The preview is the picture view's own record holding the import, rendered as any picture is,
// so it shows exactly what Import will keep. While the dialog is open the File and Edit commands
// and the pencil wait (they would save or draw on the preview); the Engine and Palette menus and
// the view's keys stay, and the preview follows them. Cancel puts the record's picture and
// settings back byte for byte.
#include "app/ImportSession.h"

#include "app/ImportDialog.h"
#include "app/MainWindow.h"
#include "view/ImageFileRead.h"
#include "view/OrvelWidget.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <cstring>

namespace {

// The pause after the last change before the full pass runs.
constexpr int kFullPassDelayMs = 250;

std::vector<unsigned char> bytesOf(const void* start, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(start);
    return std::vector<unsigned char>(p, p + size);
}

} // namespace

ImportSession::ImportSession(MainWindow* window, const QImage& image, const QString& source)
    : QObject(window), window_(window), image_(image), source_(source),
      dialog_(new ImportDialog(window)), fullPassTimer_(new QTimer(this)) {
    const ORVEL_GlobalsRec* rec = window_->pictureView->globalsRec;
    savedSettings_ = bytesOf(rec, kSettingsBlockSize);
    savedScreen_ = bytesOf(&rec->isDHGR, kScreenStateSize);
    fullPassTimer_->setSingleShot(true);
    fullPassTimer_->setInterval(kFullPassDelayMs);
    connect(fullPassTimer_, &QTimer::timeout, this, [this] { showPass(ImportPass::Full); });
    connect(dialog_, &ImportDialog::choicesChanged, this, [this] { settingsChanged(); });
    connect(dialog_, &QDialog::accepted, this, [this] { finish(true); });
    connect(dialog_, &QDialog::rejected, this, [this] { finish(false); });
    holdCommands(true);
    window_->pictureView->installEventFilter(this);
    dialog_->move(window_->frameGeometry().topRight() + QPoint(8, 0));
    dialog_->show();
    settingsChanged();
}

ImportSession::~ImportSession() {
    delete dialog_;
}

void ImportSession::settingsChanged() {
    showPass(ImportPass::Quick);
    fullPassTimer_->start();
}

const ScreenImage& ImportSession::mapped() {
    const FitMode fit = dialog_->fit();
    const std::uint16_t aspect = window_->pictureView->globalsRec->aspectCorrect;
    const auto key = std::make_pair(static_cast<int>(fit), static_cast<int>(aspect));
    auto found = mappings_.find(key);
    if (found == mappings_.end())
        found = mappings_.emplace(key, MapToScreen(sourceOf(image_), fit, aspect)).first;
    return found->second;
}

void ImportSession::showPass(ImportPass pass) {
    ImportOptions options = dialog_->options();
    options.pass = pass;
    ORVEL_GlobalsRec* rec = window_->pictureView->globalsRec;
    shown_ = ImportScreen(mapped(), options, *rec);
    StorePicture(shown_, *rec);
    window_->pictureView->renderImage();
    fullShown_ = pass == ImportPass::Full;
}

void ImportSession::finish(bool accepted) {
    fullPassTimer_->stop();
    if (accepted && !fullShown_) showPass(ImportPass::Full);
    ORVEL_GlobalsRec* rec = window_->pictureView->globalsRec;
    // Either way the picture goes back to what it was: Import then replaces it in one step.
    std::memcpy(&rec->isDHGR, savedScreen_.data(), savedScreen_.size());
    if (!accepted)
        std::memcpy(static_cast<void*>(rec), savedSettings_.data(), savedSettings_.size());
    window_->pictureView->removeEventFilter(this);
    holdCommands(false);
    dialog_->hide();
    window_->endImport(accepted ? &shown_ : nullptr);
}

// Holds (or gives back) every File and Edit command but Quit.
void ImportSession::holdCommands(bool hold) {
    if (!hold) {
        for (const auto& [action, enabled] : heldActions_)
            action->setEnabled(enabled);
        heldActions_.clear();
        return;
    }
    const QList<QAction*> menus = window_->menuBar()->actions();
    for (int i = 0; i < 2 && i < menus.size(); ++i)
        if (QMenu* menu = menus[i]->menu())
            for (QAction* action : menu->actions())
                if (action->text() != QLatin1String("&Quit")) {
                    heldActions_.emplace_back(action, action->isEnabled());
                    action->setEnabled(false);
                }
}

// The pencil and drops on the view wait too.
bool ImportSession::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

// An icon view of the thumbnails with their paths below, in rows that wrap with the dialog's
// width; Escape or "Cancel" chooses nothing.
#include "view/DiskImagePicker.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QSize largestOf(const QList<QImage>& images) {
    QSize largest(1, 1);
    for (const QImage& image : images)
        largest = largest.expandedTo(image.size());
    return largest;
}

} // namespace

DiskImagePicker::DiskImagePicker(QWidget* parent, const QString& imagePath,
                                 const QStringList& names, const QList<QImage>& thumbnails)
    : QDialog(parent), list_(new QListWidget(this)) {
    setWindowTitle(tr("Open Disk Image"));
    const QSize icon = largestOf(thumbnails);
    list_->setViewMode(QListView::IconMode);
    list_->setResizeMode(QListView::Adjust);
    list_->setMovement(QListView::Static);
    list_->setIconSize(icon);
    list_->setGridSize(icon + QSize(24, 2 * fontMetrics().height() + 8));
    list_->setWordWrap(true);
    for (int i = 0; i < names.size(); ++i) {
        auto* item = new QListWidgetItem(names[i], list_);
        if (i < thumbnails.size()) {
            // The same pixmap when chosen: the default tints it, which changes its colours.
            const QPixmap pixmap = QPixmap::fromImage(thumbnails[i]);
            QIcon icon(pixmap);
            icon.addPixmap(pixmap, QIcon::Selected);
            item->setIcon(icon);
        }
        item->setToolTip(names[i]);
    }
    if (list_->count() > 0) list_->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Pictures in %1:").arg(QFileInfo(imagePath).fileName()), this));
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(4 * list_->gridSize().width() + 40, 3 * list_->gridSize().height() + 80);
}

int DiskImagePicker::chosenIndex() const {
    return result() == QDialog::Accepted ? list_->currentRow() : -1;
}

// The list of a disk image's pictures with their thumbnails, from which one is opened: a
// double-click, or a choice and "Open".
#pragma once

#include <QDialog>
#include <QImage>
#include <QList>
#include <QStringList>

class QListWidget;

class DiskImagePicker : public QDialog {
    Q_OBJECT

public:
    // `names` and `thumbnails` in the same order; the first picture is chosen at the start.
    DiskImagePicker(QWidget* parent, const QString& imagePath, const QStringList& names,
                    const QList<QImage>& thumbnails);

    // The picture chosen, or -1.
    int chosenIndex() const;
    QListWidget* list() const { return list_; }

private:
    QListWidget* list_;
};

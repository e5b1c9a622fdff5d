// The standard dialogs behind the main window's questions: Qt's file dialogs and message boxes,
// run modally with the main window as parent.
#include "app/UserDialogs.h"

#include "view/DiskImagePicker.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

QString StandardDialogs::openFileName(QWidget* parent, const QString& title, const QString& start,
                                      const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, start, filter);
}

QString StandardDialogs::saveFileName(QWidget* parent, const QString& title, const QString& start,
                                      const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, start, filter);
}

QString StandardDialogs::saveFileNameAndFilter(QWidget* parent, const QString& title,
                                               const QString& start, const QString& filters,
                                               QString* chosenFilter) {
    return QFileDialog::getSaveFileName(parent, title, start, filters, chosenFilter);
}

int StandardDialogs::choosePicture(QWidget* parent, const QString& imagePath,
                                   const QStringList& names, const QList<QImage>& thumbnails) {
    DiskImagePicker picker(parent, imagePath, names, thumbnails);
    picker.exec();
    return picker.chosenIndex();
}

void StandardDialogs::showMessageBox(QMessageBox& box) {
    box.exec();
}

Qt::KeyboardModifiers StandardDialogs::heldModifiers() {
    return QGuiApplication::queryKeyboardModifiers();
}

// The standard dialogs behind the main window's questions: Qt's file dialogs and message boxes,
// run modally with the main window as parent.
#include "app/UserDialogs.h"

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

void StandardDialogs::showMessageBox(QMessageBox& box) {
    box.exec();
}

Qt::KeyboardModifiers StandardDialogs::heldModifiers() {
    return QGuiApplication::queryKeyboardModifiers();
}

// The standard dialogs behind the main window's questions: Qt's file dialogs and message boxes,
// run modally with the main window as parent.
#include "app/UserDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QRegularExpression>

QString StandardDialogs::openFileName(QWidget* parent, const QString& title, const QString& start,
                                      const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, start, filter);
}

QString extensionOfFilter(const QString& filter) {
    static const QRegularExpression firstPattern(QStringLiteral("\\*\\.([^ ;)]+)"));
    return firstPattern.match(filter).captured(1);
}

QString withFilterExtension(const QString& path, const QString& filter) {
    const QString extension = extensionOfFilter(filter);
    if (path.isEmpty() || extension.isEmpty() || QFileInfo(path).fileName().contains('.'))
        return path;
    return path + QLatin1Char('.') + extension;
}

// The dialog adds the chosen filter's extension itself, so its question about replacing an
// existing file is asked about the name that is really written.
QString StandardDialogs::saveFileName(QWidget* parent, const QString& title, const QString& start,
                                      const QString& filter, QString* chosenFilter) {
    QFileDialog dialog(parent, title, start, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(extensionOfFilter(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        dialog.setDefaultSuffix(extensionOfFilter(f));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    if (chosenFilter != nullptr) *chosenFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().first();
}

void StandardDialogs::showMessageBox(QMessageBox& box) {
    box.exec();
}

Qt::KeyboardModifiers StandardDialogs::heldModifiers() {
    return QGuiApplication::queryKeyboardModifiers();
}

// Every place where the main window asks the user something: file names, the about box, the
// keys held down. One small interface, so the tests run each command exactly as the menu does.
#pragma once

#include <QString>
#include <Qt>

class QMessageBox;
class QWidget;

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // The chosen file, or an empty string when the user cancelled.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& start,
                                 const QString& filter) = 0;
    // `filter` may offer several choices (";;" between them); the one the user chose goes to
    // `chosenFilter`.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& start,
                                 const QString& filter, QString* chosenFilter) = 0;
    // Shows a message box modally and returns when it is dismissed.
    virtual void showMessageBox(QMessageBox& box) = 0;
    // The modifier keys held at this moment (Alt on a recent picture removes it).
    virtual Qt::KeyboardModifiers heldModifiers() = 0;
};

// The extension a file filter such as "DHGR (*.dhgr)" offers first ("dhgr"); empty when none.
QString extensionOfFilter(const QString& filter);

// A chosen save name with the filter's extension added when the file name has none at all.
QString withFilterExtension(const QString& path, const QString& filter);

// The toolkit's own modal dialogs.
class StandardDialogs : public UserDialogs {
public:
    QString openFileName(QWidget* parent, const QString& title, const QString& start,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& start,
                         const QString& filter, QString* chosenFilter) override;
    void showMessageBox(QMessageBox& box) override;
    Qt::KeyboardModifiers heldModifiers() override;
};

// orvel's entry function: the application object and its names (they key the settings store),
// the Apple II font registered before any widget, the main window, then the command line:
// nothing (the start-up decision), a picture to open, or a picture and "--test".
#include "app/MainWindow.h"
#include "app/TestMode.h"
#include "files/QtFiles.h"
#include "startup/BundledResources.h"
#include "text/AppleIIFont.h"
#include "view/OrvelWidget.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    // The test mode renders off screen, so it needs no display at all.
    if (isTestModeRequest(argumentsFromArgv(argc, argv)) &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Qt's own options (-platform ...) are gone from argv now; names keep their exact bytes.
    const QStringList arguments = argumentsFromArgv(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvel"));
    QApplication::setOrganizationName(QStringLiteral("ferncastle"));
    appleIIFontFamily();
    const QString icon = orvelBundledResourcePath(QStringLiteral("icons/orvel-icon.png"));
    if (!icon.isEmpty()) QApplication::setWindowIcon(QIcon(icon));

    const bool testMode = isTestModeRequest(arguments);
    MainWindow window(!testMode);
    window.show();
    if (arguments.size() < 2) {
        window.openMostRecentIfAvailable();
        return QApplication::exec();
    }
    window.openPicture(arguments[1], false);
    if (testMode) return runTestMode(window, arguments);
    return QApplication::exec();
}

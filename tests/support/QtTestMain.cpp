// Entry point of the Qt test suites: one QApplication on the offscreen platform, then GoogleTest.
// Widget tests need the application object before any widget, font or image painter exists.
#include <QApplication>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

QtMessageHandler standardHandler = nullptr;

// The offscreen platform says, for every fixed-size widget, that it cannot pass size hints on;
// that is expected there and would bury real warnings.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (standardHandler != nullptr)
        standardHandler(type, context, message);
    else
        fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    standardHandler = qInstallMessageHandler(QuietMessages);
    QApplication app(argc, argv);
    QApplication::setApplicationName("orvel-tests");
    QApplication::setOrganizationName("ferncastle-tests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Entry point of the Qt test suites: one QApplication on the offscreen platform, then GoogleTest.
// Widget tests need the application object before any widget, font or image painter exists.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("orvel-tests");
    QApplication::setOrganizationName("ferncastle-tests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The one Qt application object of the benchmark, on the offscreen platform: benchmarks of the
// picture view and of orvel-convert need it; the core's benchmarks do not.
#pragma once

#include <QApplication>

inline void EnsureBenchApplication() {
    static int argc = 1;
    static char name[] = "orvel-bench";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: at exit the font database would outlive the thread storage it needs.
    new QApplication(argc, argv);
}

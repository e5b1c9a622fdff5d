// The off-screen test mode: `orvel FILE --test [OUT]` renders the loaded picture with fixed
// settings, writes it as a PNG and returns the exit status, without entering the event loop.
#pragma once

#include <QStringList>

class MainWindow;

// True when the arguments (element 0 the program) ask for the test mode.
bool isTestModeRequest(const QStringList& arguments);

// Renders, writes the PNG (default "/tmp/orvel_test.png"), prints the "offscreen:" line on
// standard error; 0 when the PNG was written, 1 (with a line saying why) when not.
int runTestMode(MainWindow& window, const QStringList& arguments);

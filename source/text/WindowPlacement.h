// Where the program's windows open: a stored geometry only when it fits the screens there are
// now, and the text editor beside the picture it mirrors rather than over it.
#pragma once

#include <QByteArray>
#include <QSize>

class QMainWindow;
class QScrollArea;
class QWidget;

// Restores `stored` (a saveGeometry() blob) on `window` when it parses and its frame fits one
// of today's screens, size and place; false, and the window untouched, otherwise. A blob left
// by a larger screen, or edited by hand, would make a window of any size on every start.
bool restoreGeometryThatFits(QWidget* window, const QByteArray& stored);

// Sizes `window` so that its scroll area `area` shows `content` whole beside the window's
// docks, menus and status bar, as far as the screen allows: a first run's size.
void sizeToShow(QMainWindow* window, QScrollArea* area, QSize content);

// Moves `window` (at its size, not yet shown) beside `neighbour`: to its right where the screen
// has room, else to its left, else as far right as the screen allows.
void placeBeside(QWidget* window, const QWidget* neighbour);

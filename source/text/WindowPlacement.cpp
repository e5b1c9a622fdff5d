// Stored window geometry read as untrusted data (only its magic, version and two rectangles are
// looked at before Qt is given it), and the editor's first place beside the main window.
#include "text/WindowPlacement.h"

#include <QDataStream>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QRect>
#include <QScreen>
#include <QScrollArea>
#include <QWidget>

#include <algorithm>

namespace {

constexpr quint32 kGeometryMagic = 0x1D9D0CB; // the first field of every saveGeometry() blob
constexpr int kGap = 8;                       // between the two windows

// The frame fits a screen when it is no larger than that screen's free area and lies mostly on it.
bool fitsSomeScreen(const QRect& frame) {
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect free = screen->availableGeometry();
        const QRect shared = free.intersected(frame);
        if (frame.width() <= free.width() && frame.height() <= free.height() &&
            shared.width() * 2 >= frame.width() && shared.height() * 2 >= frame.height())
            return true;
    }
    return false;
}

} // namespace

bool restoreGeometryThatFits(QWidget* window, const QByteArray& stored) {
    QDataStream in(stored);
    in.setVersion(QDataStream::Qt_4_0);
    quint32 magic = 0;
    quint16 major = 0, minor = 0;
    QRect frame, normal;
    in >> magic >> major >> minor >> frame >> normal;
    if (in.status() != QDataStream::Ok || magic != kGeometryMagic || !frame.isValid() ||
        !normal.isValid() || !fitsSomeScreen(frame) || !fitsSomeScreen(normal))
        return false;
    return window->restoreGeometry(stored);
}

void sizeToShow(QMainWindow* window, QScrollArea* area, QSize content) {
    // What the window adds around the scroll area, measured at a trial size.
    window->resize(600, 500);
    window->layout()->activate();
    const QSize around = window->size() - area->size();
    const int frame = 2 * area->frameWidth();
    QSize wanted = content + QSize(frame, frame) + around;
    if (const QScreen* screen = window->screen())
        wanted = wanted.boundedTo(screen->availableSize());
    window->resize(wanted);
}

void placeBeside(QWidget* window, const QWidget* neighbour) {
    const QRect beside = neighbour->frameGeometry();
    const QScreen* screen = neighbour->screen();
    const QRect free = screen != nullptr ? screen->availableGeometry() : beside;
    const int width = window->frameGeometry().width();
    int x = beside.right() + 1 + kGap;
    if (x + width > free.right() + 1) {
        const int left = beside.left() - kGap - width;
        x = left >= free.left() ? left : std::max(free.left(), free.right() + 1 - width);
    }
    window->move(x, std::max(free.top(), beside.top()));
}

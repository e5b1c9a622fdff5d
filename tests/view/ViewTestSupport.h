// Helpers of the picture view tests: files in a temporary directory, bank bytes, and a view
// shown on the offscreen platform so real mouse and drop events reach it.
#pragma once

#include "core/Core.h"
#include "view/OrvelWidget.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>
#include <random>

inline QByteArray RandomBytes(std::mt19937& rng, int count) {
    QByteArray bytes(count, '\0');
    for (char& b : bytes)
        b = static_cast<char>(rng());
    return bytes;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray Bank(const std::uint8_t* bank) {
    return QByteArray(reinterpret_cast<const char*>(bank), kBankSize);
}

// A picture view with a fresh record, shown so that it gets events like a real window.
struct ShownView {
    ShownView() : view(new OrvelWidget) {
        view->show();
        static_cast<void>(QTest::qWaitForWindowExposed(view.get()));
    }
    OrvelWidget* operator->() { return view.get(); }
    ORVEL_GlobalsRec* rec() { return view->globalsRec; }
    std::unique_ptr<OrvelWidget> view;
};

// Helpers of the picture view tests: files in a temporary directory, bank bytes, and a view
// shown on the offscreen platform so real mouse and drop events reach it.
#pragma once

#include "core/Core.h"
#include "support/TestFiles.h"
#include "view/OrvelWidget.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <memory>
#include <random>

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

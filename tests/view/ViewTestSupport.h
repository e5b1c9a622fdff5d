// Helpers of the picture view tests: bank bytes, memory dots, and a view shown on the offscreen
// platform so real mouse and drop events reach it.
#pragma once

#include "core/Core.h"
#include "support/TestFiles.h"
#include "view/OrvelWidget.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

inline QByteArray Bank(const std::uint8_t* bank) {
    return QByteArray(reinterpret_cast<const char*>(bank), kBankSize);
}
inline QByteArray Banks(const ORVEL_GlobalsRec* rec) {
    return Bank(rec->auxMem) + Bank(rec->mainMem);
}

// Double hi-res memory dot d of line y: dots 0-6 in auxiliary byte 0, 7-13 in main byte 0, ...
inline bool DotSet(const ORVEL_GlobalsRec* rec, int y, int d) {
    const std::uint8_t* bank = (d / 7) % 2 == 0 ? rec->auxMem : rec->mainMem;
    return (bank[g_rowoffsets[y] + d / 14] >> (d % 7)) & 1;
}

struct ShownView {
    std::unique_ptr<OrvelWidget> view{new OrvelWidget};
    ShownView() {
        view->show();
        static_cast<void>(QTest::qWaitForWindowExposed(view.get()));
    }
    OrvelWidget* operator->() { return view.get(); }
    OrvelWidget* get() { return view.get(); }
    ORVEL_GlobalsRec* rec() { return view->globalsRec; }
};

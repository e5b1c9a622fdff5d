// The rendering commands through the eight single-key shortcuts, as a user presses them: each
// key's effect on the record, the palette memory of K and C, the refusals, and the guard that
// lets the first key during the start-up sequence only skip it.
#include "AppTestSupport.h"

#include "startup/StartupSequence.h"

#include <QSignalSpy>
#include <QTest>

namespace {

struct Settings {
    int quen, scheme, depth, palette, mono, shifting, size;
};

Settings settingsOf(const ORVEL_GlobalsRec* r) {
    return {r->quenEngine,    r->schemeType,  r->bmFinalDepth, r->paletteType,
            r->oneBitPalette, r->bitShifting, r->screenSize};
}

bool operator==(const Settings& a, const Settings& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::ostream& operator<<(std::ostream& out, const Settings& s) {
    return out << "quen " << s.quen << " scheme " << s.scheme << " depth " << s.depth << " palette "
               << s.palette << " mono " << s.mono << " shift " << s.shifting << " size " << s.size;
}

// A key counts as applied when it rewrote the stored settings: "schemeType" is written by every
// apply, so it is removed first and looked for after.
bool pressApplies(MainWindow& window, const char* keys) {
    QSettings().remove("engine/schemeType");
    QTest::keyClicks(&window, keys);
    return QSettings().contains("engine/schemeType");
}

} // namespace

TEST_F(AppTest, ViewShortcutsChangeTheRecordAsDesigned) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->setPalette(3);
    window->setPalette(9); // "Black and Green", then back to colour palette 3
    window->setPalette(3);
    struct Step {
        const char* keys;
        Settings after;
        bool applies;
    } steps[] = {
        {"k", {1, 1, 1, 3, 1, 1, 1}, true},  // to the one-bit palette last chosen
        {"c", {1, 1, 8, 3, 1, 1, 1}, true},  // and back to colour palette 3
        {"]", {1, 1, 8, 4, 1, 1, 1}, true},  // brackets change paletteType only
        {"k]", {1, 1, 1, 5, 1, 1, 1}, true}, // ...also while one-bit is shown
        {"k", {1, 1, 8, 4, 1, 1, 1}, true},  // K restores the saved colour palette, not 5
        {"[[[[[", {1, 1, 8, 0, 1, 1, 1}, true},
        {"[", {1, 1, 8, 0, 1, 1, 1}, false}, // at 0 nothing happens
        {"b", {1, 1, 8, 0, 1, 1, 1}, false}, // B under a Quen engine: no render, no save
        {"l", {0, 1, 8, 0, 1, 1, 1}, true},  // L to "By the Book"
        {"b", {0, 1, 8, 0, 1, 0, 1}, true},
        {"l", {1, 1, 8, 0, 1, 0, 1}, true}, // L from "By the Book" is "Quen: Double"
        {",,", {1, 1, 8, 0, 1, 0, 0}, true},
        {",", {1, 1, 8, 0, 1, 0, 0}, true}, // clamped, but still applied
        {"...", {1, 1, 8, 0, 1, 0, 2}, true},
        {"]]]]]]]]", {1, 1, 8, 7, 1, 0, 2}, true},
        {"]", {1, 1, 8, 7, 1, 0, 2}, false},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(pressApplies(*window, step.keys), step.applies) << step.keys;
        EXPECT_EQ(settingsOf(rec()), step.after) << step.keys;
    }
    window->setEngine(0); // "Quen: Dunmere" after "By the Book" from L
    rec()->quenEngine = false;
    QTest::keyClick(window.get(), 'l');
    EXPECT_EQ(rec()->schemeType, 1);
}

TEST_F(AppTest, FirstKeyDuringTheStartUpSequenceOnlySkipsIt) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    rec()->startScreen = true;
    const Settings before = settingsOf(rec());
    window->openMostRecentIfAvailable();
    ASSERT_NE(window->startupSequence, nullptr);
    ASSERT_TRUE(window->startupSequence->runningB);
    QSignalSpy finished(window->startupSequence, &StartupSequence::finished);
    QTest::keyClick(window.get(), 'k');
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(settingsOf(rec()), before);
    QTest::keyClick(window.get(), 'k'); // the sequence is idle now: the key works
    EXPECT_EQ(rec()->bmFinalDepth, 1);
}

// The preferences across launches: the first run, a store with the group but missing keys,
// every change rewriting all ten keys and the directories, the geometry written once after a
// burst of moves, and a store full of values the program could not have written.
#include "AppTestSupport.h"

#include <QSignalSpy>
#include <QTimer>

namespace {

const char* const kEngineKeys[] = {"quenEngine",    "schemeType",  "bmFinalDepth", "paletteType",
                                   "oneBitPalette", "bitShifting", "is560Mode",    "screenSize",
                                   "aspectCorrect", "startScreen"};

// The settings block from bmFinalDepth to dhgrColorOffset, field by field.
std::vector<int> block(const ORVEL_GlobalsRec* r) {
    return {r->bmFinalDepth, r->paletteType, r->oneBitPalette,  r->bitShifting,
            r->quenEngine,   r->schemeType,  r->screenSize,     r->aspectCorrect,
            r->is560Mode,    r->startScreen, r->dhgrColorOffset};
}

} // namespace

TEST_F(AppTest, FirstRunAndAStoreWithoutSomeKeys) {
    EXPECT_EQ(window->size(), QSize(600, 500));
    EXPECT_EQ(block(rec()), (std::vector<int>{8, 2, 0, 1, 1, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(window->savedColorPalette, 2);
    EXPECT_EQ(window->savedMonoPalette, 0);
    EXPECT_FALSE(window->actionsById[24]->isChecked());

    QSettings().setValue("engine/paletteType", 6);
    QSettings().setValue("engine/oneBitPalette", 2);
    restart(); // the group exists: missing keys take their own defaults, offset 1
    EXPECT_EQ(block(rec()), (std::vector<int>{8, 6, 2, 1, 1, 0, 1, 0, 0, 1, 1}));
    EXPECT_EQ(window->savedColorPalette, 6);
    EXPECT_EQ(window->savedMonoPalette, 2);
}

TEST_F(AppTest, EveryChangeRewritesEveryKeyAndTheDirectories) {
    window->lastOpenDir = "/open";
    window->setScreenSize(2);
    QSettings settings;
    for (const char* key : kEngineKeys)
        EXPECT_TRUE(settings.contains(QString("engine/") + key)) << key;
    for (const char* key : {"lastOpenDir", "lastSaveDir", "lastTextDir"})
        EXPECT_TRUE(settings.contains(key)) << key;
    EXPECT_EQ(settings.value("lastOpenDir").toString(), "/open");
    // Every value the commands produce comes back unchanged.
    window->setEngine(3);
    window->toggleBitShifting();
    window->toggle560Mode();
    window->toggleStartScreen();
    window->setPalette(10);
    window->setAspectCorrect(2);
    std::vector<int> written = block(rec());
    written.back() = 1; // the offset is not stored: it is 1 once the group exists
    restart();
    EXPECT_EQ(block(rec()), written);
    EXPECT_EQ(window->lastOpenDir, "/open");
}

TEST_F(AppTest, GeometryIsWrittenOnceAfterABurstOfMoves) {
    window->show();
    QSignalSpy writes(window->geometryTimer, &QTimer::timeout);
    ASSERT_TRUE(WaitUntil([&] { return !window->geometryTimer->isActive(); })); // after show
    writes.clear();
    QSettings().remove("mainwindow/geometry");
    for (int i = 0; i < 10; ++i)
        window->move(40 + 7 * i, 30 + 3 * i);
    EXPECT_FALSE(QSettings().contains("mainwindow/geometry"));
    ASSERT_TRUE(WaitUntil([] { return QSettings().contains("mainwindow/geometry"); }));
    EXPECT_EQ(writes.count(), 1);
    const QPoint where = window->pos();
    restart();
    window->show();
    EXPECT_EQ(window->pos(), where);
}

TEST_F(AppTest, ValuesTheProgramCannotWriteFallBackToTheirDefaults) {
    QSettings store;
    const std::pair<const char*, QVariant> garbage[] = {
        {"engine/quenEngine", "maybe"},
        {"engine/schemeType", 3},
        {"engine/bmFinalDepth", 32},
        {"engine/paletteType", -1},
        {"engine/oneBitPalette", "2.5"},
        {"engine/bitShifting", 7},
        {"engine/is560Mode", QStringList{"a", "b"}},
        {"engine/screenSize", "big"},
        {"engine/aspectCorrect", 65538},
        {"engine/startScreen", QByteArray(100000, 'x')},
        {"lastOpenDir", QString(100000, 'd')},
        {"lastSaveDir", QVariantList{1, 2}},
        {"recentFiles", QStringList(11, "/gone/picture.hgr")},
        {"recentTextScreens", QVariantList{QString("/gone/a.txt"), 5}},
    };
    for (const auto& [key, value] : garbage)
        store.setValue(key, value);
    store.setValue("lastTextDir", "/no/such/directory");
    store.sync();
    restart();
    EXPECT_EQ(block(rec()), (std::vector<int>{8, 0, 0, 1, 1, 0, 1, 0, 0, 1, 1}));
    EXPECT_TRUE(window->lastOpenDir.isEmpty());
    EXPECT_TRUE(window->lastSaveDir.isEmpty());
    EXPECT_EQ(window->lastTextDir, "/no/such/directory"); // a vanished directory is still a path
    EXPECT_TRUE(window->recentFiles.isEmpty());
    EXPECT_TRUE(window->recentTextScreens.isEmpty());
    window->toggleColorK(); // savedColorPalette is never out of range
    window->toggleColorK();
    EXPECT_EQ(rec()->bmFinalDepth, 8);
    EXPECT_EQ(rec()->paletteType, 0);
}

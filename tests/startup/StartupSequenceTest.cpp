// The start-up sequence run for real, with its timers, in views holding a distinctive picture:
// which screen shows when, that Welcome stays, and that skipping at any wait puts everything back.
#include "startup/StartupSequence.h"
#include "startup/BundledResources.h"
#include "startup/BundledScreens.h"
#include "support/TestPaths.h"
#include "view/OrvelWidget.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSoundEffect>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

QString noSoundFiles(const QString&) {
    return QString();
}

// Sounds resolved to copies of the shipped files made under `dir`: a file the sound cache has
// never seen is still loading when the sequence starts, which makes it wait in 50 ms retries.
ResourcePathResolver freshSoundCopies(const QString& dir) {
    return [dir](const QString& name) {
        const QString copy = dir + QLatin1Char('/') + QFileInfo(name).fileName();
        QFile::copy(orvelSourcePath(QStringLiteral("source/resources/") + name), copy);
        return copy;
    };
}

// Runs the event loop until `done` holds or the time is up; true when it holds.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QTest::qWait(5);
    }
    return true;
}

// The bytes the sequence must give back: the settings block and the screen state.
struct PictureState {
    QByteArray settings;
    QByteArray screen;

    static PictureState of(const OrvelWidget& view) {
        const char* record = reinterpret_cast<const char*>(view.globalsRec);
        return {QByteArray(record, kSettingsBlockSize),
                QByteArray(record + kScreenStateOffset, kScreenStateSize)};
    }
    void writeTo(OrvelWidget& view) const {
        char* record = reinterpret_cast<char*>(view.globalsRec);
        std::memcpy(record, settings.constData(), kSettingsBlockSize);
        std::memcpy(record + kScreenStateOffset, screen.constData(), kScreenStateSize);
    }
    bool operator==(const PictureState& other) const {
        return settings == other.settings && screen == other.screen;
    }
};

// A seeded random double hi-res picture under settings that are none of the defaults.
void showDistinctivePicture(OrvelWidget& view, quint32 seed) {
    ORVEL_GlobalsRec* rec = view.globalsRec;
    QRandomGenerator random(seed);
    for (std::uint8_t& byte : rec->auxMem)
        byte = static_cast<std::uint8_t>(random.bounded(256));
    for (std::uint8_t& byte : rec->mainMem)
        byte = static_cast<std::uint8_t>(random.bounded(256));
    rec->isDHGR = true;
    rec->bmFinalDepth = 1;
    rec->paletteType = 5;
    rec->oneBitPalette = 2;
    rec->bitShifting = false;
    rec->quenEngine = false;
    rec->schemeType = 2;
    rec->screenSize = 0;
    rec->aspectCorrect = 2;
    rec->is560Mode = true;
    rec->startScreen = true;
    rec->dhgrColorOffset = 1;
    view.renderImage();
}

// What the view shows on screen, overlay included.
QImage shownOn(OrvelWidget& view) {
    return view.grab().toImage();
}

// What a view holding `state` shows with `overlay` over it.
QImage shownWithOverlay(const PictureState& state, const QImage& overlay) {
    OrvelWidget reference;
    state.writeTo(reference);
    reference.renderImage();
    reference.showOverlayImage(overlay);
    return shownOn(reference);
}

// The pictures the shipped start-up screens render to under the settings of `state`, drawn by a
// second view, so the view under test can be told to show one of them or something else.
class StartupScreenPictures {
public:
    explicit StartupScreenPictures(const PictureState& state) {
        OrvelWidget reference;
        state.writeTo(reference);
        reference.renderImage();
        picture = reference.offscreenImage;
        for (std::size_t position = 0; position < shipped.size(); ++position) {
            const QString text = loadBundledTextScreen(GetBundledScreens()[position].path);
            EXPECT_FALSE(text.isEmpty()) << GetBundledScreens()[position].path;
            reference.loadTextScreen(text);
            shipped[position] = reference.offscreenImage;
        }
    }

    // "the picture" before the sequence, a shipped screen's title, or "another screen".
    std::string nameOf(const OrvelWidget& view) const {
        if (view.offscreenImage == picture) return "the picture";
        for (std::size_t position = 0; position < shipped.size(); ++position)
            if (view.offscreenImage == shipped[position])
                return GetBundledScreens()[position].title;
        return "another screen";
    }

    QImage picture;
    std::array<QImage, 3> shipped; // "Apple //c", "ProDOS", "Welcome"
};

QTimer* stepTimerOf(StartupSequence& sequence) {
    const QList<QTimer*> timers = sequence.findChildren<QTimer*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(timers.size(), 1);
    return timers.value(0);
}

QSoundEffect* soundOf(StartupSequence& sequence, const QString& fileName) {
    for (QSoundEffect* sound : sequence.findChildren<QSoundEffect*>(Qt::FindDirectChildrenOnly))
        if (sound->source().fileName() == fileName) return sound;
    ADD_FAILURE() << "no sound " << fileName.toStdString();
    return nullptr;
}

// One sequence in its own view, which holds a distinctive picture to be given back.
class SequenceRun {
public:
    SequenceRun(quint32 seed, bool withSoundFiles)
        : sequence(&view, nullptr,
                   withSoundFiles ? freshSoundCopies(soundDir.path())
                                  : ResourcePathResolver(noSoundFiles)),
          finishedSpy(&sequence, &StartupSequence::finished) {
        showDistinctivePicture(view, seed);
        before = PictureState::of(view);
        shownBefore = shownOn(view);
    }

    void expectPictureBack() {
        EXPECT_FALSE(sequence.runningB);
        EXPECT_EQ(finishedSpy.count(), 1);
        EXPECT_TRUE(PictureState::of(view) == before) << "the record differs from before start()";
        EXPECT_TRUE(shownOn(view) == shownBefore) << "the view does not show the picture alone";
    }

    QTemporaryDir soundDir;
    OrvelWidget view;
    StartupSequence sequence;
    QSignalSpy finishedSpy;
    PictureState before;
    QImage shownBefore;
};

TEST(StartupSequence, RandomScreenIs24LinesOf40CharactersFrom32To255) {
    bool sawLowest = false, sawHighest = false;
    QString previous;
    for (int screen = 0; screen < 20; ++screen) {
        const QString text = randomStartupScreenText();
        EXPECT_EQ(text.count(QLatin1Char('\n')), 23);
        const QStringList lines = text.split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 24);
        for (const QString& line : lines) {
            ASSERT_EQ(line.size(), 40);
            for (const QChar ch : line) {
                ASSERT_GE(ch.unicode(), 32);
                ASSERT_LE(ch.unicode(), 255);
                sawLowest = sawLowest || ch.unicode() == 32;
                sawHighest = sawHighest || ch.unicode() == 255;
            }
        }
        EXPECT_NE(text, previous);
        previous = text;
    }
    // 19200 draws from 224 values: missing either end by chance is beyond belief.
    EXPECT_TRUE(sawLowest);
    EXPECT_TRUE(sawHighest);
}

TEST(StartupSequence, WithoutSoundsScreensFollowThePausesAndWelcomeStays) {
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "picture seed " << seed);
    SequenceRun run(seed, false);
    const StartupScreenPictures screens(run.before);

    // The screen seen after each pause ends, and when; a pause never ends early, only late, so
    // only lower bounds on these times are checked. (Coarse timers may end 5% early.)
    QElapsedTimer clock;
    std::vector<std::pair<std::string, qint64>> afterPause;
    QObject::connect(stepTimerOf(run.sequence), &QTimer::timeout,
                     [&] { afterPause.emplace_back(screens.nameOf(run.view), clock.elapsed()); });
    // Every change of screen between the pauses, seen no earlier than it happened.
    std::vector<std::pair<std::string, qint64>> seen;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        const std::string name = screens.nameOf(run.view);
        if (seen.empty() || seen.back().first != name) seen.emplace_back(name, clock.elapsed());
    });

    clock.start();
    run.sequence.start();
    watcher.start(5);
    EXPECT_TRUE(run.sequence.runningB);
    EXPECT_EQ(screens.nameOf(run.view), "another screen");
    EXPECT_TRUE(shownOn(run.view) == shownWithOverlay(run.before, run.view.offscreenImage));

    ASSERT_TRUE(waitUntil([&] { return afterPause.size() >= 2; }));
    EXPECT_EQ(afterPause[0].first, "Apple //c");
    EXPECT_GE(afterPause[0].second, 450);
    // Without sounds "ProDOS" gives way to "Welcome" within the same step.
    EXPECT_EQ(afterPause[1].first, "Welcome");
    EXPECT_GE(afterPause[1].second, 450 + 225);

    QTest::qWait(600); // well past any pause
    watcher.stop();
    EXPECT_EQ(afterPause.size(), 2u);
    EXPECT_EQ(screens.nameOf(run.view), "Welcome");
    EXPECT_TRUE(shownOn(run.view) == shownWithOverlay(run.before, screens.shipped[2]));
    EXPECT_TRUE(run.sequence.runningB);
    EXPECT_EQ(run.finishedSpy.count(), 0);

    const std::vector<std::string> order = {"another screen", "Apple //c", "ProDOS", "Welcome"};
    std::size_t next = 0;
    for (const auto& [name, time] : seen) {
        while (next < order.size() && order[next] != name)
            ++next;
        EXPECT_LT(next, order.size()) << name << " seen out of order at " << time << " ms";
        if (name != "another screen") {
            EXPECT_GE(time, 450) << name << " seen early";
        }
    }

    run.sequence.skip();
    run.expectPictureBack();
}

TEST(StartupSequence, WithSoundFilesButNoAudioOutputReachesWelcome) {
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "picture seed " << seed);
    OrvelWidget view;
    showDistinctivePicture(view, seed);
    const PictureState before = PictureState::of(view);
    const StartupScreenPictures screens(before);
    StartupSequence sequence(&view); // the shipped sounds, found as the program finds them
    for (QSoundEffect* sound : sequence.findChildren<QSoundEffect*>())
        EXPECT_FALSE(sound->source().isEmpty());

    sequence.start();
    // Where there is audio output the sounds play, which takes a few seconds.
    EXPECT_TRUE(waitUntil([&] { return screens.nameOf(view) == "Welcome"; }, 15000));
    sequence.skip();
    EXPECT_TRUE(PictureState::of(view) == before);
}

// Every way the sequence can be waiting here, each in its own run, all at once to keep the wait
// short. Steps 3 to 5 only wait on sounds that play, so without audio output they pass at once.
TEST(StartupSequence, SkipAtAnyWaitGivesThePictureBackAndEndsForGood) {
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "first picture seed " << seed);
    // Loaded first: the other runs' sounds must still be loading when they start.
    SequenceRun soundStops(seed, true); // a playing sound is stopped by the skip itself
    ASSERT_TRUE(waitUntil([&] {
        for (QSoundEffect* sound : soundStops.sequence.findChildren<QSoundEffect*>())
            if (sound->status() != QSoundEffect::Ready) return false;
        return true;
    }));
    SequenceRun loading(seed + 1, true); // skipped at the random screen while the beep still loads
    SequenceRun firstPause(seed + 2, false); // skipped at the random screen in the 500 ms pause
    SequenceRun afterRetry(seed + 3, true);  // skipped in the 500 ms pause, after the beep's retry
    SequenceRun appleScreen(seed + 4,
                            false);       // skipped at "Apple //c" after the picture was changed
    SequenceRun welcome(seed + 5, false); // skipped at "Welcome"
    const StartupScreenPictures screens(loading.before);

    QObject::connect(stepTimerOf(appleScreen.sequence), &QTimer::timeout, [&] {
        EXPECT_EQ(screens.nameOf(appleScreen.view), "Apple //c");
        // The menus stay usable meanwhile: another picture and another palette are given up too.
        appleScreen.view.globalsRec->paletteType = 7;
        appleScreen.view.globalsRec->bmFinalDepth = 8;
        appleScreen.view.clearPicture();
        appleScreen.sequence.skip();
    });
    int welcomeTicks = 0;
    QObject::connect(stepTimerOf(welcome.sequence), &QTimer::timeout, [&] {
        if (++welcomeTicks < 2) return;
        EXPECT_EQ(screens.nameOf(welcome.view), "Welcome");
        welcome.sequence.skip();
    });

    QSoundEffect* beep = soundOf(loading.sequence, QStringLiteral("beep.wav"));
    ASSERT_NE(beep, nullptr);
    ASSERT_EQ(beep->status(), QSoundEffect::Loading);
    loading.sequence.start();
    EXPECT_EQ(screens.nameOf(loading.view), "another screen");
    loading.sequence.skip(); // a 50 ms retry is pending; it must find the sequence ended

    firstPause.sequence.start();
    firstPause.sequence.start(); // a second start keeps the picture saved by the first
    firstPause.sequence.skip();

    afterRetry.sequence.start();
    QTimer::singleShot(200, &afterRetry.sequence, [&] { afterRetry.sequence.skip(); });

    appleScreen.sequence.start();
    welcome.sequence.start();

    soundStops.sequence.start();
    QSoundEffect* lastSound = soundOf(soundStops.sequence, QStringLiteral("drive_startup_b.wav"));
    ASSERT_NE(lastSound, nullptr);
    lastSound->play();
    ASSERT_TRUE(lastSound->isPlaying());
    EXPECT_EQ(screens.nameOf(soundStops.view), "another screen"); // a start performs no step
    soundStops.sequence.skip(); // stopping it reports the stop while skip() runs

    ASSERT_TRUE(waitUntil([&] { return welcome.finishedSpy.count() > 0; }));
    QTest::qWait(400); // past every pause a skipped sequence could still have pending

    const std::pair<const char*, SequenceRun*> runs[] = {
        {"loading", &loading},          {"first pause", &firstPause}, {"after retry", &afterRetry},
        {"apple screen", &appleScreen}, {"welcome", &welcome},        {"sound stops", &soundStops}};
    for (const auto& [name, run] : runs) {
        SCOPED_TRACE(name);
        run->expectPictureBack();
        run->sequence.skip();
        run->sequence.finish();
        EXPECT_EQ(run->finishedSpy.count(), 1);
        EXPECT_TRUE(PictureState::of(run->view) == run->before);
    }
}

TEST(StartupSequence, FinishWhenIdleDoesNothing) {
    SequenceRun run(QRandomGenerator::global()->generate(), false);
    run.sequence.finish();
    run.sequence.skip();
    EXPECT_EQ(run.finishedSpy.count(), 0);
    EXPECT_FALSE(run.sequence.runningB);
    EXPECT_TRUE(PictureState::of(run.view) == run.before);
    EXPECT_TRUE(shownOn(run.view) == run.shownBefore);
}

} // namespace

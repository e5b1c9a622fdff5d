// The start-up sequence in views holding a distinctive picture, its timers fired by the test:
// which screen shows at each step, that Welcome stays, and that skipping at any wait gives back
// the picture and settings and ends the sequence for good.
#include "startup/StartupSequence.h"
#include "startup/BundledScreens.h"
#include "support/TestPaths.h"
#include "support/TestSeeds.h"
#include "view/OrvelWidget.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>

namespace {

QByteArray stateOf(const OrvelWidget& view) {
    const char* record = reinterpret_cast<const char*>(view.globalsRec);
    return QByteArray(record, kSettingsBlockSize) +
           QByteArray(record + kScreenStateOffset, kScreenStateSize);
}

// A seeded random double hi-res picture under settings that are none of the defaults.
void showDistinctivePicture(OrvelWidget& view, quint32 seed) {
    ORVEL_GlobalsRec* rec = view.globalsRec;
    QRandomGenerator random(seed);
    random.fillRange(reinterpret_cast<quint32*>(rec->auxMem), kBankSize / 4);
    random.fillRange(reinterpret_cast<quint32*>(rec->mainMem), kBankSize / 4);
    rec->isDHGR = rec->is560Mode = rec->startScreen = true;
    rec->bitShifting = rec->quenEngine = false;
    rec->bmFinalDepth = 1, rec->paletteType = 5, rec->oneBitPalette = 2, rec->schemeType = 2;
    rec->screenSize = 0, rec->aspectCorrect = 2, rec->dhgrColorOffset = 1;
    view.renderImage();
}

// One sequence in its own view. Sounds come from `soundDir` (fresh copies of the shipped files,
// still loading when the sequence starts) or from nowhere.
struct SequenceRun {
    SequenceRun(quint32 seed, bool sounds)
        : sequence(&view, nullptr,
                   [this, sounds](const QString& name) {
                       if (!sounds) return QString();
                       const QString copy = soundDir.filePath(QFileInfo(name).fileName());
                       QFile::copy(orvelSourcePath("source/resources/" + name), copy);
                       return copy;
                   }),
          finished(&sequence, &StartupSequence::finished) {
        showDistinctivePicture(view, seed);
        before = stateOf(view);
        shownBefore = view.grab().toImage();
    }
    QTimer* timer(const char* name) { return sequence.findChild<QTimer*>(name); }
    // Ends the wait the sequence is in now, as if its time had passed.
    void fire(const char* name) {
        QTimer* t = timer(name);
        ASSERT_TRUE(t != nullptr && t->isActive()) << name << " is not running";
        t->stop();
        QMetaObject::invokeMethod(t, "timeout");
    }
    void expectPictureBack() {
        EXPECT_FALSE(sequence.runningB);
        EXPECT_EQ(finished.count(), 1);
        EXPECT_EQ(stateOf(view), before) << "the record differs from before start()";
        EXPECT_EQ(view.grab().toImage(), shownBefore) << "the view does not show the picture";
        EXPECT_FALSE(timer("stepTimer")->isActive() || timer("retryTimer")->isActive());
    }

    QTemporaryDir soundDir;
    OrvelWidget view;
    StartupSequence sequence;
    QSignalSpy finished;
    QByteArray before;
    QImage shownBefore;
};

// Shipped screen `index` ("Apple //c", "ProDOS", "Welcome") as a view with the same settings
// renders it.
QImage shippedScreen(quint32 seed, int index) {
    OrvelWidget reference;
    showDistinctivePicture(reference, seed);
    reference.loadTextScreen(loadBundledTextScreen(GetBundledScreens()[size_t(index)].path));
    return reference.offscreenImage;
}

} // namespace

TEST(StartupSequence, RandomScreenIs24LinesOf40CharactersFrom32To255) {
    std::set<int> seen;
    const QString first = randomStartupScreenText();
    for (int screen = 0; screen < 20; ++screen) {
        const QStringList lines = randomStartupScreenText().split(u'\n');
        ASSERT_EQ(lines.size(), 24);
        for (const QString& line : lines) {
            ASSERT_EQ(line.size(), 40);
            for (const QChar ch : line)
                seen.insert(ch.unicode());
        }
    }
    EXPECT_NE(randomStartupScreenText(), first);
    // 19 200 draws from 224 values: missing either end by chance is beyond belief.
    EXPECT_EQ(*seen.begin(), 32);
    EXPECT_EQ(*seen.rbegin(), 255);
}

TEST(StartupSequence, WithoutSoundsScreensFollowThePausesAndWelcomeStays) {
    for (const quint32 seed : testSeeds(51)) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        SequenceRun run(seed, false);
        const QImage apple = shippedScreen(seed, 0), welcome = shippedScreen(seed, 2);
        run.sequence.start();
        EXPECT_TRUE(run.view.offscreenImage != apple && run.view.offscreenImage != welcome);
        EXPECT_EQ(run.timer("stepTimer")->interval(), 500);
        run.fire("stepTimer");
        EXPECT_TRUE(run.view.offscreenImage == apple) << "not Apple //c";
        EXPECT_EQ(run.timer("stepTimer")->interval(), 250);
        run.fire("stepTimer"); // without sounds "ProDOS" gives way to "Welcome" at once
        EXPECT_TRUE(run.view.offscreenImage == welcome) << "not Welcome";
        EXPECT_FALSE(run.timer("stepTimer")->isActive() || run.timer("retryTimer")->isActive());
        // Shown as an overlay, in the window size of the picture's own settings.
        OrvelWidget overlaid;
        showDistinctivePicture(overlaid, seed);
        overlaid.showOverlayImage(welcome);
        EXPECT_EQ(run.view.grab().toImage(), overlaid.grab().toImage());
        EXPECT_TRUE(run.sequence.runningB);
        EXPECT_EQ(run.finished.count(), 0);
        run.view.globalsRec->bmFinalDepth = 8; // menus stay usable: this is given up too
        run.view.clearPicture();
        run.sequence.skip();
        run.expectPictureBack();
    }
}

// Skipped at every kind of wait, each run in its own view, after the menus (usable meanwhile)
// changed the picture and the palette: afterwards no timer is pending and a second skip or
// finish changes nothing. Finishing a sequence never started does nothing.
TEST(StartupSequence, SkipAtAnyWaitGivesThePictureBackAndEndsForGood) {
    const auto sound = [](SequenceRun& r, int i) {
        return r.sequence.findChildren<QSoundEffect*>().value(i);
    };
    const std::tuple<const char*, bool, std::function<void(SequenceRun&)>> waits[] = {
        {"the first pause, started twice", false,
         [](SequenceRun& r) { r.sequence.start(), r.sequence.start(); }},
        {"Apple //c", false, [](SequenceRun& r) { r.sequence.start(), r.fire("stepTimer"); }},
        {"the beep still loading", true,
         [&](SequenceRun& r) {
             ASSERT_EQ(sound(r, 0)->status(), QSoundEffect::Loading);
             r.sequence.start();
             EXPECT_EQ(r.timer("retryTimer")->interval(), 50);
             r.fire("retryTimer"); // still loading: it tries again
         }},
        {"a playing sound, which the skip itself stops without a step", true,
         [&](SequenceRun& r) {
             const QList<QSoundEffect*> all = r.sequence.findChildren<QSoundEffect*>();
             QTRY_VERIFY_WITH_TIMEOUT(
                 std::all_of(all.begin(), all.end(),
                             [](QSoundEffect* s) { return s->status() == QSoundEffect::Ready; }),
                 10000);
             r.sequence.start();
             if (r.timer("stepTimer")->isActive()) r.fire("stepTimer");
             all.back()->play();
             ASSERT_TRUE(all.back()->isPlaying());
         }},
        {"the pause after the beep's retry", true,
         [&](SequenceRun& r) {
             r.sequence.start();
             QTimer* retry = r.timer("retryTimer");
             ASSERT_TRUE(retry->isActive());
             retry->stop(); // the test ends this wait itself, once the beep has loaded
             QTRY_VERIFY_WITH_TIMEOUT(sound(r, 0)->status() == QSoundEffect::Ready, 10000);
             QMetaObject::invokeMethod(retry, "timeout");
             // Without audio output the beep is passed over and the pause begins; with it, it
             // plays.
             QTimer* pause = r.timer("stepTimer");
             EXPECT_TRUE(sound(r, 0)->isPlaying() ||
                         (pause->isActive() && pause->interval() == 500));
         }},
    };
    for (const quint32 seed : testSeeds(53)) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        SequenceRun idle(seed, false);
        idle.sequence.finish();
        idle.sequence.skip();
        EXPECT_EQ(idle.finished.count(), 0);
        EXPECT_EQ(stateOf(idle.view), idle.before);
        std::vector<std::unique_ptr<SequenceRun>> runs; // kept until the end, so late signals land
        for (const auto& [name, sounds, reach] : waits) {
            SCOPED_TRACE(name);
            runs.push_back(std::make_unique<SequenceRun>(seed + runs.size(), sounds));
            reach(*runs.back());
            runs.back()->view.globalsRec->paletteType = 7;
            runs.back()->view.clearPicture();
            runs.back()->sequence.skip();
        }
        for (std::size_t i = 0; i < runs.size(); ++i) {
            SCOPED_TRACE(std::get<0>(waits[i]));
            for (int twice = 0; twice < 2; ++twice) {
                runs[i]->expectPictureBack();
                runs[i]->sequence.skip();
                runs[i]->sequence.finish();
            }
        }
    }
}

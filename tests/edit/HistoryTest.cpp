// The history against its own truth: a seeded random run of tool actions, selection moves,
// pastes, shifts and conversions with undos and redos in between; undoing everything gives the
// first picture back byte for byte and redoing everything the last. Nothing outside screen
// memory changes, and no step costs more than the bound the history is sized by.
#include "EditTestSupport.h"
#include "edit/FloodFill.h"
#include "edit/MemoryDiff.h"
#include "edit/ToolStroke.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>

namespace {

struct RandomEdits {
    Picture p;
    ToolStroke stroke{p.rec.get()};
    std::mt19937 rng;
    explicit RandomEdits(unsigned seed) : rng(seed) {}

    int pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    // Mostly on the picture, sometimes past its edges, now and then far away.
    Point point() {
        if (pick(50) == 0) return At(pick(2) ? 32767 : -32768, pick(2) ? 32767 : -32768);
        return At(pick(240) - 24, pick(620) - 30);
    }
    void chooseSettings() {
        p->is560Mode = pick(3) == 0;
        p->quenEngine = pick(2) == 0;
    }
    void action() {
        const ToolOptions options{static_cast<ORVEL_ColorType>(pick(16)), pick(2) == 0};
        switch (pick(12)) {
        case 0:
            ShiftRecord(p.rec.get(), pick(2) == 0);
            return;
        case 1:
            ConvertRecordToDHGR(p.rec.get());
            return;
        case 2: { // a pasted clip of random dots
            DotClip clip{1 + pick(80), 1 + pick(40), pick(2) == 0, {}};
            for (int i = 0; i < clip.width * clip.height; ++i)
                clip.dots.push_back(static_cast<std::uint8_t>(pick(4)));
            PasteDots(p.rec.get(), clip, pick(230) - 20, pick(600) - 20, options.keepHiRes);
            return;
        }
        case 3: // a new hi-res picture
            p->isDHGR = false;
            for (std::uint8_t& b : p->mainMem)
                b = static_cast<std::uint8_t>(rng());
            return;
        }
        const Tool tool = static_cast<Tool>(pick(kToolCount));
        if (tool == Tool::Fill && pick(4) != 0) return; // fills are slow under the sanitizers
        stroke.press(tool, point(), options);
        for (int moves = pick(4); moves > 0; --moves)
            stroke.move(point(), pick(2) == 0);
        if (stroke.activeB() && pick(10) == 0) {
            const ScreenState before = stroke.before();
            stroke.cancel();
            ASSERT_TRUE(CaptureScreen(p.rec.get()) == before) << "Esc puts the picture back";
        } else {
            stroke.release(point(), pick(2) == 0);
        }
    }
};

} // namespace

TEST(History, UndoAllGivesTheFirstPictureRedoAllTheLast) {
    for (unsigned seed : TestSeeds(1717)) {
        RandomEdits run(seed);
        for (std::uint8_t& b : run.p->auxMem)
            b = static_cast<std::uint8_t>(run.rng());
        const ScreenState first = CaptureScreen(run.p.rec.get());
        std::vector<std::uint8_t> settings(kSettingsBlockSize + sizeof run.p->palettes);
        std::vector<MemoryDiff> steps;
        std::size_t done = 0; // steps[0..done) are applied
        for (int i = 0; i < 10000; ++i) {
            const int choice = run.pick(10);
            if (choice == 0 && done > 0) {
                steps[--done].undo(run.p.rec.get());
                continue;
            }
            if (choice == 1 && done < steps.size()) {
                steps[done++].redo(run.p.rec.get());
                continue;
            }
            const ScreenState before = CaptureScreen(run.p.rec.get());
            run.chooseSettings();
            std::memcpy(settings.data(), run.p.rec.get(), kSettingsBlockSize);
            run.action();
            EXPECT_EQ(std::memcmp(settings.data(), run.p.rec.get(), kSettingsBlockSize), 0)
                << "seed " << seed << " action " << i;
            MemoryDiff step = MemoryDiff::Between(before, CaptureScreen(run.p.rec.get()));
            ASSERT_LE(step.bytes(), kMaxStepBytes - kStepOverheadBytes);
            if (step.empty()) continue;
            steps.resize(done); // a new step drops the undone ones
            steps.push_back(std::move(step));
            ++done;
        }
        while (done < steps.size())
            steps[done++].redo(run.p.rec.get());
        const ScreenState last = CaptureScreen(run.p.rec.get());
        for (std::size_t i = steps.size(); i > 0; --i)
            steps[i - 1].undo(run.p.rec.get());
        EXPECT_TRUE(CaptureScreen(run.p.rec.get()) == first) << "seed " << seed;
        for (const MemoryDiff& step : steps)
            step.redo(run.p.rec.get());
        EXPECT_TRUE(CaptureScreen(run.p.rec.get()) == last) << "seed " << seed;
        EXPECT_GT(steps.size(), 2000u);
    }
}

// The worst step changes every byte, the flag included; a step whose changes are spread one
// byte in four costs no more.
TEST(History, NoStepCostsMoreThanTheBound) {
    ScreenState a{}, b{}, c{};
    for (std::size_t i = 0; i < a.size(); ++i) {
        b[i] = static_cast<std::uint8_t>(i * 7 + 1);
        c[i] = i % 4 == 0 ? 1 : 0;
    }
    EXPECT_LE(MemoryDiff::Between(a, b).bytes(), kMaxStepBytes - kStepOverheadBytes);
    EXPECT_LE(MemoryDiff::Between(a, c).bytes(), kMaxStepBytes - kStepOverheadBytes);
    EXPECT_TRUE(MemoryDiff::Between(a, a).empty());
    EXPECT_LE(static_cast<std::size_t>(kHistoryStepLimit) * kMaxStepBytes, kHistoryMemoryLimit);
}

// Clipboard bytes are outside input: a clip survives its own encoding, and every cut or
// mutated encoding is refused or decodes to a clip of the size it claims.
TEST(History, ClipboardDotsRoundTripAndRefuseDamage) {
    for (unsigned seed : TestSeeds(1718)) {
        std::mt19937 rng(seed);
        DotClip clip{37, 11, true, {}};
        for (int i = 0; i < 37 * 11; ++i)
            clip.dots.push_back(static_cast<std::uint8_t>(rng() % 4));
        const std::vector<std::uint8_t> bytes = EncodeClip(clip);
        DotClip back;
        ASSERT_TRUE(DecodeClip(bytes.data(), bytes.size(), back));
        EXPECT_EQ(back.dots, clip.dots);
        for (int i = 0; i < 3000; ++i) {
            std::vector<std::uint8_t> damaged(bytes.begin(), bytes.begin() + rng() % bytes.size());
            if (rng() % 2) damaged = bytes, damaged[rng() % 16] = static_cast<std::uint8_t>(rng());
            DotClip out;
            if (DecodeClip(damaged.data(), damaged.size(), out)) {
                EXPECT_EQ(out.dots.size(), static_cast<std::size_t>(out.width * out.height));
            }
        }
    }
}

// A seeded random run of tool actions, selection moves, pastes, shifts and conversions with undos
// and redos: undoing all gives the first picture byte for byte, redoing all the last; settings
// stay, no step passes the history's bound; clipboard bytes are parsed safely.
#include "EditTestSupport.h"
#include "edit/MemoryDiff.h"
#include "edit/ToolStroke.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

struct RandomEdits {
    Picture p;
    std::mt19937 rng;
    ToolStroke stroke{p.rec.get()};
    int pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    // Mostly on the picture, sometimes past its edges, now and then far away.
    Point point() {
        if (pick(50) == 0) return At(pick(2) ? 32767 : -32768, pick(2) ? 32767 : -32768);
        return At(pick(240) - 24, pick(620) - 30);
    }
    void action(const ToolOptions& options) {
        switch (pick(12)) {
        case 0:
            return ShiftRecord(p.rec.get(), pick(2) == 0);
        case 1:
            return ConvertRecordToDHGR(p.rec.get());
        case 2: { // a pasted clip of random dots
            DotClip clip{1 + pick(80), 1 + pick(40), pick(2) == 0, {}};
            for (int i = 0; i < clip.width * clip.height; ++i)
                clip.dots.push_back(static_cast<std::uint8_t>(pick(4)));
            return PasteDots(p.rec.get(), clip, pick(230) - 20, pick(600) - 20, options.keepHiRes);
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
        if (!stroke.activeB() || pick(10) != 0) return stroke.release(point(), pick(2) == 0);
        const ScreenState before = stroke.before();
        stroke.cancel();
        ASSERT_TRUE(CaptureScreen(p.rec.get()) == before) << "Esc puts the picture back";
    }
};

} // namespace

TEST(History, UndoAllGivesTheFirstPictureRedoAllTheLast) {
    for (unsigned seed : testSeeds(1717)) {
        RandomEdits run{Picture(), std::mt19937(seed)};
        ORVEL_GlobalsRec* rec = run.p.rec.get();
        const ScreenState first = CaptureScreen(rec);
        std::vector<std::uint8_t> settings(kSettingsBlockSize);
        std::vector<MemoryDiff> steps;
        std::size_t done = 0; // steps[0..done) are applied
        for (int i = 0; i < 10000; ++i) {
            const int choice = run.pick(10);
            if (choice < 2 && (choice == 0 ? done > 0 : done < steps.size())) {
                choice == 0 ? steps[--done].undo(rec) : steps[done++].redo(rec);
                continue;
            }
            const ScreenState before = CaptureScreen(rec);
            rec->is560Mode = run.pick(3) == 0;
            rec->quenEngine = run.pick(2) == 0;
            std::memcpy(settings.data(), rec, kSettingsBlockSize);
            run.action(ToolOptions{static_cast<ORVEL_ColorType>(run.pick(16)), run.pick(2) == 0});
            ASSERT_EQ(std::memcmp(settings.data(), rec, kSettingsBlockSize), 0) << seed << " " << i;
            MemoryDiff step = MemoryDiff::Between(before, CaptureScreen(rec));
            ASSERT_LE(step.bytes(), kMaxStepBytes - kStepOverheadBytes);
            if (step.empty()) continue;
            steps.resize(done); // a new step drops the undone ones
            steps.push_back(std::move(step));
            ++done;
        }
        while (done < steps.size())
            steps[done++].redo(rec);
        const ScreenState last = CaptureScreen(rec);
        for (std::size_t i = steps.size(); i > 0; --i)
            steps[i - 1].undo(rec);
        EXPECT_TRUE(CaptureScreen(rec) == first) << "seed " << seed;
        for (const MemoryDiff& step : steps)
            step.redo(rec);
        EXPECT_TRUE(CaptureScreen(rec) == last) << "seed " << seed;
        EXPECT_GT(steps.size(), 2000u);
    }
}

// A clip survives its own encoding; every cut or damaged encoding is refused or decodes to a
// clip of the size it claims.
TEST(History, ClipboardDotsRoundTripAndRefuseDamage) {
    for (unsigned seed : testSeeds(1718)) {
        std::mt19937 rng(seed);
        DotClip clip{37, 11, true, {}}, back;
        for (int i = 0; i < 37 * 11; ++i)
            clip.dots.push_back(static_cast<std::uint8_t>(rng() % 4));
        const std::vector<std::uint8_t> bytes = EncodeClip(clip);
        ASSERT_TRUE(DecodeClip(bytes.data(), bytes.size(), back) && back.dots == clip.dots);
        for (int i = 0; i < 3000; ++i) {
            std::vector<std::uint8_t> damaged(bytes.begin(), bytes.begin() + rng() % bytes.size());
            if (rng() % 2) damaged = bytes, damaged[rng() % 16] = static_cast<std::uint8_t>(rng());
            const bool decoded = DecodeClip(damaged.data(), damaged.size(), back);
            EXPECT_TRUE(!decoded || back.dots.size() == std::size_t(back.width * back.height));
        }
    }
}

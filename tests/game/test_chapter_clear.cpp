// Whole chapters played through the real controller under a real GL context, as a player
// goes through them: the chapter list, the chapter's section map, each section started
// from the map and played with the input of its golden film script, the "Inter Mission"
// panel after each section, the walk on to the next section, and at the end the chapter's
// clear screen with its rating. Then the diary: the chapter's section records, items, pen
// box and mystery item as the play earned them, the next chapter listed, all saved to
// the diary file and read back unchanged.
//
// One table row per chapter names its scripts in the order the controller leads through
// the sections (the stage table's next-section links of the clears the films make).
#include "controller_window.h"
#include "game_keys.h"
#include "scratch_folder.h"
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "FHWorldGlobal.h"
#include "FHgeneralctrl.h"
#include "FHgeneralctrl_internal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "envresGlobal.h"
#include "fhreplay_keys.h"
#include "fhreplay_script.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"

using namespace FHWGBL;

// The calendar of this program, as the film harness keeps it: a fixed start plus the
// controller steps run since, at 60 steps a second. A live section seeds Random() from
// the calendar, so a section started on its script's clock plays as its golden film.
namespace {
int64_t clockStart = FHReplay::kDefaultClock;
int64_t clockSteps = 0;
}  // namespace

extern "C" time_t time(time_t* out) noexcept {
    const time_t now = static_cast<time_t>(clockStart + clockSteps / 60);
    if (out) *out = now;
    return now;
}

namespace {

FHWorldCLS& W = Game_GLOBALS::MyWorld;
Uint8 keys[SDL_NUM_SCANCODES];
JoySTICK::KeyAssign ka;
GameMainCtrlCLS* ctl = nullptr;

struct ChapterRun {
    int chapter;
    std::vector<const char*> scripts;  // tests/films/<name>.script, in play order
};

const ChapterRun kChapterRuns[] = {
    {0, {"c0s0_meadow_door", "c0s1_orchard_door", "c0s2_hill_door"}},
    {1, {"c1s0_blossom_meadow", "c1s1_sunflower_climb", "c1s2_twilight_garden"}},
    {2, {"c2s0_cloud_hop", "c2s1_windy_ascent", "c2s2_switch_isles"}},
};

// What a play of one chapter left behind, as seen from outside the controller.
struct ChapterPlay {
    int normalClears = 0;       // sections ended through their goal (phase 2)
    bool items[10] = {};        // chapter items held when a section ended
    bool penBox = false, mystery = false;
};

class ChapterClear : public ::testing::TestWithParam<ChapterRun> {
protected:
    static void SetUpTestSuite() {
        ASSERT_FALSE(gametest::enterScratchFolder("fhchapter").empty());
        ctl = gametest::openController("chapter clear test", keys, &ka);
        ASSERT_NE(ctl, nullptr) << SDL_GetError();
    }

    void SetUp() override {
        gametest::releaseKeysAndSwitches(keys);
        // A fresh diary on which every chapter before this one is cleared.
        std::remove("vrnpr.pref");
        W.loadDiary();
        unsigned char* rec = W.workingRecord;
        rec[FHLayout::kRecMilestoneFlagOfs + 1] = 1;  // the opening has been seen
        for (int c = 0; c < GetParam().chapter; ++c) rec[FHLayout::kRecMilestoneFlagOfs + 2 + c] = 1;
        W.storeWorkingToDiaryRef();
        W.changeStatePlyOrRep(false);
        W.defaultLevel = 2;
        ctl->GctrlState = ctl->neutraLoop(-1);
    }

    static int step() {
        ++clockSteps;
        return ctl->Mainloop(0, false);
    }
    static void run(int n) {
        for (int i = 0; i < n; ++i) step();
    }
    static void hold(uint16_t bits) { holdPlayerOneKeys(keys, ka, bits); }
    static void tap(uint16_t bits) {
        hold(bits);
        step();
        hold(0);
        step();
    }
    static int runUntil(int state, int limit) {
        for (int i = 1; i <= limit; ++i) {
            step();
            if (ctl->GctrlState == state) return i;
        }
        return -1;
    }
    static const unsigned char* rec() { return W.workingRecord; }
    static int32_t sectionWord(int chapter, int section) {
        return FHLayout::get32(rec(), FHLayout::kRecBestTimeOfs + (chapter * 5 + section) * 4);
    }

    // Plays the section the controller has just started with the script's words, one per
    // step, until the section's clear screen takes over. Notes what the play earned.
    static void playSection(const FHReplay::Script& script, ChapterPlay& play) {
        bool items[10] = {};
        bool pen = false, mystery = false;
        size_t n = 0;
        for (; n < script.words.size() && ctl->GctrlState == GS_PLAY; ++n) {
            FHReplay::holdWordOnKeys(keys, ka, script.words[n]);
            step();
            const uint16_t want = script.words[n] & uint16_t(~QSDL_BTN::D_BOTH);
            ASSERT_EQ(QSDL_GLOBALS::Stick.currentBits(), want) << "step " << n << " read another word";
            if (ctl->GctrlState != GS_PLAY) break;
            // The section's collections, as held before the step that records them.
            for (int k = 0; k < 10; ++k) items[k] = TempEvalItmF[k];
            pen = TempGetPenBoxF;
            mystery = TempGetMysteryF;
        }
        hold(0);
        ASSERT_EQ(ctl->GctrlState, GS_CLEAR) << "the section did not end in a clear after " << n << " of "
                                             << script.words.size() << " words";
        ASSERT_TRUE(W.phase == 2 || W.phase == 4);
        if (W.phase == 2) ++play.normalClears;
        for (int k = 0; k < 10; ++k) play.items[k] |= items[k];
        play.penBox |= pen;
        play.mystery |= mystery;
    }
};

TEST_P(ChapterClear, FromTheChapterListThroughEverySectionToTheRatingAndTheDiary) {
    const ChapterRun& row = GetParam();
    const int ch = row.chapter;

    // Title, demo, the chapter list on this chapter, its section map.
    ctl->chosenChapter = ch;
    run(62);
    ASSERT_EQ(ctl->GctrlState, GS_DEMO);
    tap(QSDL_BTN::A1);
    ASSERT_EQ(ctl->GctrlState, GS_BROWSE);
    run(12);
    ASSERT_EQ(FHCtrl::browsePage(), 3);
    ASSERT_EQ(ctl->browseCursor, ch + 1) << "the list opens on the chosen chapter";
    tap(QSDL_BTN::A1);
    run(31);
    ASSERT_EQ(FHCtrl::browsePage(), 4) << "the section map";
    run(64 + 12);
    ASSERT_EQ(ctl->browseCursor, 1) << "the walk ends on the first section";

    ChapterPlay play;
    bool playedSection[5] = {};
    const size_t last = row.scripts.size() - 1;
    for (size_t i = 0; i <= last; ++i) {
        SCOPED_TRACE(row.scripts[i]);
        FHReplay::Script script;
        std::string error;
        const std::string path = std::string(FH_SOURCE_DIR) + "/tests/films/" + row.scripts[i] + ".script";
        ASSERT_TRUE(FHReplay::loadScript(path.c_str(), script, error)) << error;
        ASSERT_EQ(script.chapter, ch);
        ASSERT_EQ(ctl->browseCursor, script.section + 1) << "the map leads to another section";

        // The section starts from the map on the script's clock and level.
        clockStart = script.clock;
        clockSteps = 0;
        W.defaultLevel = script.level;
        tap(QSDL_BTN::A1);
        ASSERT_EQ(FHCtrl::browsePage(), 5);
        ASSERT_GT(runUntil(GS_PLAY, 45), 0);
        ASSERT_EQ(CHAPTER, ch);
        ASSERT_EQ(SECTION, script.section);
        playedSection[script.section] = true;
        playSection(script, play);
        if (HasFatalFailure()) return;
        const int clearedPhase = W.phase;
        if (clearedPhase == 2) {
            EXPECT_EQ(uint32_t(sectionWord(ch, script.section)) >> 24, 0xFFu) << "the section is marked cleared";
        }

        const int32_t* stage = vrndx_getStageRefPtr(ch, script.section);
        const int next = clearedPhase == 4 ? stage[2] : stage[1];
        if (i < last) {
            ASSERT_LE(next, 4) << "the chapter ended before its last script";
            // The panel stands 121 steps after the coin exchange, then the map.
            ASSERT_GT(runUntil(GS_BROWSE, 600), 120);
            EXPECT_EQ(FHCtrl::browsePage(), 4);
            EXPECT_EQ(ctl->browseCursor, next + 1);
            EXPECT_LT(SilvCoins, 2) << "the coin exchange ran";
            run(64 + 12);
            continue;
        }

        // The last section finishes the chapter: the rating fades in and stands.
        ASSERT_GT(next, 4) << "the chapter goes on after its last script";
        int steps = 0;
        while (FHCtrl::clearPhase() < 2 && ctl->GctrlState == GS_CLEAR && steps < 600) {
            step();
            ++steps;
        }
        ASSERT_EQ(FHCtrl::clearPhase(), 2) << "no chapter clear screen";
        int points = 10 * play.normalClears;
        for (bool f : play.items) points += f ? 5 : 0;
        const int expected = points > 90 ? 3 : points > 75 ? 2 : points > 50 ? 1 : 0;
        EXPECT_EQ(FHCtrl::clearRating(), expected) << points << " points";
        EXPECT_EQ(FHCtrl::clearRating(), FHCtrl::chapterRating(rec(), ch));
        run(61);
        EXPECT_EQ(FHCtrl::clearPhase(), 3);
        EXPECT_EQ(ctl->GctrlState, GS_CLEAR) << "the rating stands";
        tap(QSDL_BTN::A1);  // a button cuts it short
        ASSERT_GT(runUntil(GS_BROWSE, 400), 0);
        run(31);
        EXPECT_EQ(FHCtrl::browsePage(), 3) << "the book closes on the chapter list";
        EXPECT_EQ(ctl->browseCursor, ch + 2) << "the cursor is on the next chapter";
    }

    // The diary: what the play earned, in the record and in the file.
    const unsigned char* r = rec();
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(r[FHLayout::kRecEvalItemOfs + ch * 10 + k], play.items[k] ? 1 : 0) << "item " << k;
    EXPECT_EQ(r[FHLayout::kRecPenBoxOfs + ch], play.penBox ? 1 : 0);
    EXPECT_EQ(r[FHLayout::kRecMysteryOfs], play.mystery ? 1 : 0);
    EXPECT_EQ(r[FHLayout::kRecMilestoneFlagOfs + 2 + ch], 1) << "the chapter's cleared flag";
    EXPECT_TRUE(FHCtrl::chapterEntryListed(r, ch + 2)) << "the next chapter is listed";
    EXPECT_EQ(FHLayout::get32(r, FHLayout::kRecPassedOfs), play.normalClears);
    for (int s = 0; s < 5; ++s) {
        if (!playedSection[s]) {
            EXPECT_EQ(sectionWord(ch, s), 0) << "section " << s << " was not played";
        }
    }

    unsigned char saved[FHLayout::kRecordSize];
    std::memcpy(saved, r, sizeof saved);
    W.loadDiary();  // read back from the file the browser saved
    const unsigned char* back = rec();
    for (int i = 0; i < FHLayout::kRecordSize; ++i) {
        if (i == FHLayout::kRecMilestoneFlagOfs + 6) continue;  // the last chapter's flag is not kept
        if (i >= FHLayout::kRecMasterKeyOfs && i < FHLayout::kRecMasterKeyOfs + 6) continue;  // nor the master keys
        ASSERT_EQ(back[i], saved[i]) << "record byte " << i << " read back differently";
    }
}

INSTANTIATE_TEST_SUITE_P(Chapters, ChapterClear, ::testing::ValuesIn(kChapterRuns),
                         [](const ::testing::TestParamInfo<ChapterRun>& info) {
                             return "Chapter" + std::to_string(info.param.chapter);
                         });

}  // namespace

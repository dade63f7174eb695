// The game controller driven step by step through its real input object (keys fed to
// QSDLpp_StickCls as a key-state array) under a real GL context: title to demo, demo to
// browser, the opening skipped, a section started and cleared with the coin exchange,
// a game over after a miss without gold, Escape to the title and to quit, the option
// rows, the chapter list's lock, a missing film refused, and the loop's pacing rules.
#include "controller_window.h"
#include "game_keys.h"
#include "scratch_folder.h"
#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "FHWorldGlobal.h"
#include "FHgeneralctrl.h"
#include "FHgeneralctrl_internal.h"
#include "FHmyworld.h"
#include "FHmyworld_loop.h"
#include "FHobjectCtrl.h"
#include "envresGlobal.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"
#include "qsdlpp2_snd_mus@mix.h"
#include "sdl_fh120_main.h"

using namespace FHWGBL;

namespace {

FHWorldCLS& W = Game_GLOBALS::MyWorld;
Uint8 keys[SDL_NUM_SCANCODES];
JoySTICK::KeyAssign ka;
GameMainCtrlCLS* ctl = nullptr;
std::string scratch;

bool fileExists(const char* name) {
    struct stat st;
    return stat(name, &st) == 0;
}

class Controller : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch = gametest::enterScratchFolder("fhctl");
        ASSERT_FALSE(scratch.empty());
        ctl = gametest::openController("controller test", keys, &ka);
        ASSERT_NE(ctl, nullptr) << SDL_GetError();
    }

    void SetUp() override {
        gametest::releaseKeysAndSwitches(keys);
        toTitle();
    }

    // Back to a fresh title, as Escape does, without holding any key.
    static void toTitle() {
        ctl->GctrlState = ctl->neutraLoop(-1);
        W.phase = 1;
        W.replayPlaybackF = false;
    }

    // Holds exactly the given buttons of player 1 (QSDL_BTN bits).
    static void hold(uint16_t bits) { holdPlayerOneKeys(keys, ka, bits); }

    // Runs n controller steps; returns the last Mainloop result.
    static int run(int n) {
        int r = 0;
        for (int i = 0; i < n; ++i) r = ctl->Mainloop(0, false);
        return r;
    }
    // Presses buttons for one step, then releases them for one step.
    static void tap(uint16_t bits) {
        hold(bits);
        run(1);
        hold(0);
        run(1);
    }
    // Runs steps until the state is `state` (at most `limit`); returns the steps run.
    static int runUntil(int state, int limit) {
        for (int i = 1; i <= limit; ++i) {
            ctl->Mainloop(0, false);
            if (ctl->GctrlState == state) return i;
        }
        return -1;
    }
    // Holds a key, and lets it go from another thread after `ms` (the controller
    // busy-waits for some releases).
    static std::thread releaseLater(int scancode, int ms) {
        keys[scancode] = 1;
        return std::thread([scancode, ms] {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            reinterpret_cast<std::atomic<Uint8>*>(&keys[scancode])->store(0);
        });
    }

    static unsigned char* rec() { return W.workingRecord; }

    // Title -> demo -> browser with the chapter list on screen.
    static void openBrowser() {
        run(62);
        ASSERT_EQ(ctl->GctrlState, GS_DEMO);
        tap(QSDL_BTN::A1);
        ASSERT_EQ(ctl->GctrlState, GS_BROWSE);
        ASSERT_EQ(FHCtrl::browsePage(), 3);
        run(12);  // the list takes input once it has stood 11 steps
    }

    // From the list with the cursor on a chapter: into its section map, walked in.
    static void openChapterMap() {
        tap(QSDL_BTN::A1);
        ASSERT_EQ(FHCtrl::browsePage(), 1);
        run(31);
        ASSERT_EQ(FHCtrl::browsePage(), 4);
        run(64 + 12);  // the walk, then the cursor takes input
    }

    // Marks the opening as seen and section `s` of chapter 0 as played.
    static void seedRecord(bool openingSeen, int playedSections) {
        ASSERT_NE(rec(), nullptr);
        rec()[FHLayout::kRecMilestoneFlagOfs] = 1;
        rec()[FHLayout::kRecMilestoneFlagOfs + 1] = openingSeen ? 1 : 0;
        for (int s = 0; s < 5; ++s)
            FHLayout::put32(rec(), FHLayout::kRecBestTimeOfs + s * 4, s < playedSections ? int32_t(0xFF000000u | 600) : 0);
        W.storeWorkingToDiaryRef();
    }
};

TEST_F(Controller, TitleStandsSixtyOneStepsThenTheDemoRunsAndEndsOnTheTitle) {
    EXPECT_EQ(ctl->GctrlState, GS_TITLE);
    run(61);
    EXPECT_EQ(ctl->GctrlState, GS_TITLE);
    run(1);
    EXPECT_EQ(ctl->GctrlState, GS_DEMO);
    EXPECT_EQ(ctl->runningScript, 0);
    const int steps = runUntil(GS_TITLE, 3000);
    ASSERT_GT(steps, 60) << "the attract demo runs for a while";
    EXPECT_EQ(ctl->stepCounter, 1) << "a fresh title after the demo";
    run(60);
    EXPECT_EQ(ctl->GctrlState, GS_TITLE);
}

TEST_F(Controller, DemoOpensTheBrowserOnAOrRightArrowOnTheChosenChapter) {
    seedRecord(false, 0);
    ctl->chosenChapter = -1;
    openBrowser();
    EXPECT_EQ(ctl->browseCursor, 0);
    EXPECT_EQ(CHAPTER, -1);

    toTitle();
    run(62);
    keys[FHCtrl::SC_RIGHT] = 1;
    run(1);
    keys[FHCtrl::SC_RIGHT] = 0;
    EXPECT_EQ(ctl->GctrlState, GS_BROWSE);
}

TEST_F(Controller, ChapterListStopsAtTheFirstLockedEntry) {
    seedRecord(false, 0);
    rec()[FHLayout::kRecMilestoneFlagOfs + 2] = 1;  // chapter 1 flag set, but entry 1 is locked
    W.storeWorkingToDiaryRef();
    ctl->chosenChapter = -1;
    openBrowser();
    for (int i = 0; i < 3; ++i) {
        tap(QSDL_BTN::DOWN1);
        run(12);
    }
    EXPECT_EQ(ctl->browseCursor, 0) << "entry 1 is locked, so nothing after it is listed";
    EXPECT_TRUE(FHCtrl::chapterEntryListed(rec(), 2));
    EXPECT_FALSE(FHCtrl::chapterEntryListed(rec(), 1));

    FHSYS_GLOBALS::unLock_enableF[4] = true;  // the appendix unlock lists everything
    for (int i = 0; i < 8; ++i) {
        tap(QSDL_BTN::DOWN1);
        run(12);
    }
    EXPECT_EQ(ctl->browseCursor, 6);
}

TEST_F(Controller, OpeningSkippedThenASectionStartsAndIsClearedWithTheCoinExchange) {
    seedRecord(false, 1);
    ctl->chosenChapter = -1;
    openBrowser();
    ASSERT_EQ(ctl->browseCursor, 0);
    tap(QSDL_BTN::A1);
    ASSERT_EQ(ctl->GctrlState, GS_OPENING);
    EXPECT_EQ(ctl->runningScript, 1);
    run(30);
    hold(QSDL_BTN::A1);  // the opening can be skipped once it has run 60 steps
    ASSERT_GT(runUntil(GS_BROWSE, 100), 0);
    hold(0);
    EXPECT_EQ(rec()[FHLayout::kRecMilestoneFlagOfs + 1], 1) << "first play recorded";
    EXPECT_EQ(ctl->browseCursor, 1);
    EXPECT_EQ(ctl->chosenChapter, 0) << "the browser reopens on chapter 0, not the prologue";
    run(12);

    openChapterMap();
    ASSERT_EQ(ctl->browseCursor, 1);
    tap(QSDL_BTN::DOWN1);  // section 0 has a record: on to section 1 (the orchard)
    ASSERT_EQ(ctl->browseCursor, 2);
    tap(QSDL_BTN::A1);
    ASSERT_EQ(FHCtrl::browsePage(), 5);
    ASSERT_GT(runUntil(GS_PLAY, 45), 0);
    EXPECT_EQ(SECTION, 1);
    EXPECT_TRUE(QSDL_GLOBALS::Stick.isRecording());

    // Five silver coins, then the golden goal of the orchard.
    run(2);
    SilvCoins = 5;
    const int32_t gold0 = GoldCoins, score0 = Score;
    FHLoop::sealCounters();
    MyCharactor& c = W.chars[MyCharactor::currentCHR];
    c.posX = 113 * 1600 - 400;
    c.posY = 16 * 1600 - 400;
    ASSERT_GT(runUntil(GS_CLEAR, 200), 0);
    run(3);
    EXPECT_EQ(SilvCoins, 1) << "one silver coin stays";
    EXPECT_EQ(GoldCoins, gold0 + 2);
    EXPECT_EQ(Score, score0 + 2000 + (0));
    EXPECT_TRUE(fileExists("replayfilms/Last1-2.vrnrpmov"));

    std::remove("SecretDiary.text");
    ASSERT_GT(runUntil(GS_BROWSE, 200), 120) << "the panel stands 121 steps";
    EXPECT_EQ(FHCtrl::browsePage(), 4);
    EXPECT_EQ(static_cast<int>(ctl->pictureTex), qgu_getTexIDfromResnum(164, 0))
        << "the section map lies on the open book, as when the chapter was opened";
    const int32_t* stage = vrndx_getStageRefPtr(0, 1);
    EXPECT_EQ(ctl->browseCursor, stage[2] + 1) << "the golden goal leads to the alternative section";
    EXPECT_TRUE(fileExists("SecretDiary.text")) << "the diary is saved when the browser takes over";
}

// Music changes at a section start, at the clear screen and at game over come while the
// old music fades out; no music call may wait for that fade. Each phase's longest step
// and longest music call are printed (the frame-gap figures); the calls must stay far
// below a fade (whole steps also carry picture loads and a busy machine's hiccups).
struct PhaseTimes {
    int step = 0, music = 0;
};
PhaseTimes timedRunUntil(int state, int limit, int after, bool* reached) {
    PhaseTimes t;
    QSDLpp_MixMusicCls::longestCallMs(true);
    *reached = false;
    for (int i = 0; i < limit + after; ++i) {
        // Paced like the frame loop (a step every 16 ms), so fades run as they do in play.
        const uint32_t t0 = SDL_GetTicks();
        ctl->Mainloop(0, false);
        t.step = std::max(t.step, static_cast<int>(SDL_GetTicks() - t0));
        SDL_Delay(FHFrame::waitFor(t0, SDL_GetTicks(), FHFrame::stepPeriod(0)));
        if (ctl->GctrlState == state && !*reached) {
            *reached = true;
            limit = i + 1;  // then `after` more steps
        }
        if (!*reached && i + 1 >= limit) break;
    }
    t.music = static_cast<int>(QSDLpp_MixMusicCls::longestCallMs(true));
    return t;
}
constexpr int kStallMs = 500;  // a fade lasts 1000 or 2000 ms

TEST_F(Controller, NoMusicCallWaitsForAFade) {
    QSDL_GLOBALS::PlayBGMF = true;
    bool reached = false;
    seedRecord(true, 1);
    ctl->chosenChapter = 0;
    run(92);  // the demo's tune has started when the browser is opened
    ASSERT_EQ(ctl->GctrlState, GS_DEMO);
    tap(QSDL_BTN::A1);
    ASSERT_EQ(ctl->GctrlState, GS_BROWSE);
    run(12);
    openChapterMap();
    tap(QSDL_BTN::DOWN1);  // the orchard
    hold(QSDL_BTN::A1);
    const PhaseTimes start = timedRunUntil(GS_PLAY, 45, 5, &reached);
    ASSERT_TRUE(reached);
    hold(0);

    SilvCoins = 7;
    FHLoop::sealCounters();
    MyCharactor& c = W.chars[MyCharactor::currentCHR];
    c.posX = 113 * 1600 - 400;  // the orchard's golden goal
    c.posY = 16 * 1600 - 400;
    const PhaseTimes clear = timedRunUntil(GS_CLEAR, 200, 20, &reached);
    ASSERT_TRUE(reached);

    toTitle();
    openBrowser();
    openChapterMap();
    tap(QSDL_BTN::A1);  // the meadow
    ASSERT_GT(runUntil(GS_PLAY, 45), 0);
    run(2);
    GoldCoins = 0;
    FHLoop::sealCounters();
    MyCharactor& m = W.chars[MyCharactor::currentCHR];
    m.posX = 32 * 1600 - 400;  // above the thorns
    m.posY = 27 * 1600 - 400;
    m.invincTimer = 0;
    const PhaseTimes over = timedRunUntil(GS_GAMEOVER, 400, 20, &reached);
    ASSERT_TRUE(reached);

    std::printf("longest step / music call (ms): section start %d / %d, clear screen %d / %d, game over %d / %d\n",
                start.step, start.music, clear.step, clear.music, over.step, over.music);
    EXPECT_LT(start.music, kStallMs) << "section start";
    EXPECT_LT(clear.music, kStallMs) << "clear screen";
    EXPECT_LT(over.music, kStallMs) << "game over";
}

TEST_F(Controller, AMissWithoutGoldEndsInGameOverThenTheDemo) {
    seedRecord(true, 0);
    ctl->chosenChapter = 0;
    openBrowser();
    EXPECT_EQ(ctl->browseCursor, 1);
    openChapterMap();
    tap(QSDL_BTN::A1);
    ASSERT_GT(runUntil(GS_PLAY, 45), 0);
    run(2);
    GoldCoins = 0;
    FHLoop::sealCounters();
    MyCharactor& c = W.chars[MyCharactor::currentCHR];
    c.posX = 32 * 1600 - 400;  // above the thorns of the meadow
    c.posY = 27 * 1600 - 400;
    c.invincTimer = 0;
    ASSERT_GT(runUntil(GS_GAMEOVER, 400), 0);
    EXPECT_LT(GoldCoins, 0);
    EXPECT_TRUE(fileExists("replayfilms/Last1-1.vrnrpmov"));
    run(100);
    EXPECT_EQ(ctl->GctrlState, GS_GAMEOVER);
    tap(QSDL_BTN::A1);
    EXPECT_EQ(ctl->GctrlState, GS_DEMO) << "a button leaves the game-over picture";
}

TEST_F(Controller, AFilmIsKeptAsFavouriteWithF5AndWatchedBackToTheTitle) {
    // A lost play of section 1 leaves its film.
    seedRecord(true, 0);
    ctl->chosenChapter = 0;
    openBrowser();
    openChapterMap();
    tap(QSDL_BTN::A1);
    ASSERT_GT(runUntil(GS_PLAY, 45), 0);
    hold(QSDL_BTN::RIGHT1);
    run(20);
    hold(0);
    GoldCoins = 0;
    FHLoop::sealCounters();
    MyCharactor& c = W.chars[MyCharactor::currentCHR];
    c.posX = 32 * 1600 - 400;
    c.posY = 27 * 1600 - 400;
    c.invincTimer = 0;
    ASSERT_GT(runUntil(GS_GAMEOVER, 400), 0);
    ASSERT_TRUE(fileExists("replayfilms/Last1-1.vrnrpmov"));
    std::remove("replayfilms/Favo1-1.vrnrpmov");

    // Back in the browser: the replay page, F5 on the last film, then play it.
    toTitle();
    openBrowser();
    openChapterMap();
    std::thread t = releaseLater(ka[JoySTICK::BTN_C], 30);
    QSDL_GLOBALS::Stick.updStick(false);
    run(1);
    t.join();
    ASSERT_TRUE(FHCtrl::replayPageOpen());
    run(8);
    t = releaseLater(FHCtrl::SC_F5, 30);
    run(1);
    t.join();
    EXPECT_TRUE(fileExists("replayfilms/Favo1-1.vrnrpmov")) << "kept as favourite";
    EXPECT_TRUE(W.filmPresent[0][0][2]) << "films reloaded";
    tap(QSDL_BTN::A1);
    ASSERT_EQ(FHCtrl::browsePage(), 5);
    EXPECT_TRUE(W.replayPlaybackF);
    ASSERT_GT(runUntil(GS_PLAY, 45), 0);
    EXPECT_NE(QSDL_GLOBALS::rplyMode, 0);
    run(100);
    EXPECT_EQ(ctl->GctrlState, GS_PLAY);
    EXPECT_FALSE(QSDL_GLOBALS::Stick.isRecording()) << "a replay records nothing";
    t = releaseLater(FHCtrl::SC_ESCAPE, 30);
    run(1);
    t.join();
    EXPECT_EQ(ctl->GctrlState, GS_TITLE);
    EXPECT_FALSE(W.replayPlaybackF) << "the title reset clears playback";
}

TEST_F(Controller, EscapeReturnsToTheTitleWithoutSavingAndQuitsFromTheTitleAfterSaving) {
    seedRecord(true, 0);
    openBrowser();
    std::remove("SecretDiary.text");
    std::thread t = releaseLater(FHCtrl::SC_ESCAPE, 30);
    int r = run(1);
    t.join();
    EXPECT_EQ(r, 0);
    EXPECT_EQ(ctl->GctrlState, GS_TITLE);
    EXPECT_FALSE(fileExists("SecretDiary.text"));

    t = releaseLater(FHCtrl::SC_ESCAPE, 30);
    r = run(1);
    t.join();
    EXPECT_EQ(r, 6) << "Escape on the title quits";
    EXPECT_TRUE(fileExists("SecretDiary.text"));

    std::remove("SecretDiary.text");
    EXPECT_EQ(ctl->event(GameState::G_QUIT), 0);
    EXPECT_TRUE(fileExists("SecretDiary.text")) << "closing the window saves";
}

TEST_F(Controller, OptionRowsChangeTheNextGameAndLockedRowsStayOff) {
    FHCtrl::resetOptionMenu();
    const int level0 = W.defaultLevel;
    ctl->optionLoop(0, 1);  // row 1
    ctl->optionLoop(0, 0);
    ctl->optionLoop(0, 1);  // row 2: difficulty
    ctl->optionLoop(0, 0);
    ASSERT_EQ(FHCtrl::optionSelectedRow(), 2);
    ctl->optionLoop(-1, 0);
    EXPECT_EQ(W.defaultLevel, (level0 + 4) % 5);
    ctl->optionLoop(-1, 0);  // held: no repeat
    EXPECT_EQ(W.defaultLevel, (level0 + 4) % 5);
    ctl->optionLoop(0, 0);
    ctl->optionLoop(1, 0);
    EXPECT_EQ(W.defaultLevel, level0);

    ctl->optionLoop(0, 1);  // row 3: start coins 250 -> 400 -> 1 -> computed
    ctl->optionLoop(0, 0);
    const int32_t gold[3] = {400, 1, 0};
    for (int k = 0; k < 3; ++k) {
        ctl->optionLoop(1, 0);
        ctl->optionLoop(0, 0);
        if (k < 2) {
            EXPECT_EQ(W.startingGold, gold[k]);
        }
    }
    EXPECT_EQ(FHCtrl::optionCoinChoice(), 3);
    EXPECT_GE(W.startingGold, 1) << "choice 3 gives at least one coin";

    ctl->optionLoop(0, 1);  // row 4: free play, locked
    ctl->optionLoop(0, 0);
    ctl->optionLoop(1, 0);
    ctl->optionLoop(0, 0);
    EXPECT_FALSE(FHSYS_GLOBALS::unLock_usingF[5]);
    FHSYS_GLOBALS::unLock_enableF[5] = true;
    ctl->optionLoop(1, 0);
    ctl->optionLoop(0, 0);
    EXPECT_TRUE(FHSYS_GLOBALS::unLock_usingF[5]);

    // Row 0 with A: refused during the first 61 calls, then the menu is left.
    for (int i = 0; i < 4; ++i) {
        ctl->optionLoop(0, -1);
        ctl->optionLoop(0, 0);
    }
    ASSERT_EQ(FHCtrl::optionSelectedRow(), 0);
    hold(QSDL_BTN::A1);
    QSDL_GLOBALS::Stick.updStick(false);
    EXPECT_EQ(ctl->optionLoop(0, 0), 6) << "not yet 61 calls";
    hold(0);
    QSDL_GLOBALS::Stick.updStick(false);
    for (int i = 0; i < 60; ++i) ASSERT_EQ(ctl->optionLoop(0, 0), 6);
    std::thread t = releaseLater(ka[JoySTICK::BTN_A], 30);
    QSDL_GLOBALS::Stick.updStick(false);
    EXPECT_TRUE(QSDL_GLOBALS::Stick.trigA(0));
    EXPECT_EQ(FHCtrl::optionSelectedRow(), 0);
    EXPECT_EQ(ctl->optionLoop(0, 0), 2);
    t.join();
}

TEST_F(Controller, StartCoinsOfChoiceThreeFollowPlayTimeWithinTheirBounds) {
    unsigned char r[FHLayout::kRecordSize] = {};
    EXPECT_EQ(FHCtrl::computedStartCoins(r), 1);
    FHLayout::put32(r, FHLayout::kRecFramesOfs, 3600 * 250);
    EXPECT_EQ(FHCtrl::computedStartCoins(r), 250);
    FHLayout::put32(r, FHLayout::kRecFramesOfs, 3600 * 5000);
    EXPECT_EQ(FHCtrl::computedStartCoins(r), 1000);
    FHLayout::put32(r, FHLayout::kRecBestTimeOfs + 25 * 4, 1);
    r[FHLayout::kRecEvalItemOfs + 50] = 1;
    r[FHLayout::kRecAppendixCondOfs] = 1;
    EXPECT_EQ(FHCtrl::computedStartCoins(r), 1000 - 100 - 50 - 200);
}

TEST_F(Controller, ChapterRatingCountsSectionsAndItems) {
    unsigned char r[FHLayout::kRecordSize] = {};
    EXPECT_EQ(FHCtrl::chapterRating(r, 1), 0);
    for (int s = 0; s < 5; ++s) FHLayout::put32(r, FHLayout::kRecBestTimeOfs + (5 + s) * 4, 1);
    EXPECT_EQ(FHCtrl::chapterRating(r, 1), 0) << "50 points is not above 50";
    r[FHLayout::kRecEvalItemOfs + 10] = 1;
    EXPECT_EQ(FHCtrl::chapterRating(r, 1), 1);
    for (int k = 0; k < 6; ++k) r[FHLayout::kRecEvalItemOfs + 10 + k] = 1;
    EXPECT_EQ(FHCtrl::chapterRating(r, 1), 2) << "50 + 30 = 80 is above 75";
    for (int k = 0; k < 10; ++k) r[FHLayout::kRecEvalItemOfs + 10 + k] = 1;
    EXPECT_EQ(FHCtrl::chapterRating(r, 1), 3) << "50 + 50 = 100 is above 90";
    EXPECT_EQ(FHCtrl::chapterRating(r, 0), 0) << "other chapters do not count";
    EXPECT_EQ(FHCtrl::ratingLimit(3), 300);
    EXPECT_EQ(FHCtrl::ratingLimit(4), 360);
    EXPECT_EQ(FHCtrl::ratingLimit(5), 6000);
}

TEST_F(Controller, AnEmptyFilmSlotOnTheReplayPageTakesNoChoice) {
    seedRecord(true, 1);
    ctl->chosenChapter = 0;
    openBrowser();
    openChapterMap();
    // C is let go well after the step has read it (the step waits for the release).
    std::thread t = releaseLater(ka[JoySTICK::BTN_C], 300);
    run(1);
    t.join();
    ASSERT_TRUE(FHCtrl::replayPageOpen());
    run(8);
    hold(QSDL_BTN::LEFT1);  // section 5 of the chapter: no film of it exists
    run(1);
    hold(0);
    run(8);
    ASSERT_TRUE(FHCtrl::replayPageOpen());
    tap(QSDL_BTN::A1);
    run(2);
    EXPECT_TRUE(FHCtrl::replayPageOpen()) << "the page stays for another choice";
    EXPECT_FALSE(W.replayPlaybackF);
    EXPECT_EQ(ctl->GctrlState, GS_BROWSE);
    EXPECT_EQ(FHCtrl::browsePage(), 4) << "still on the section map";
    hold(QSDL_BTN::A1);
    run(45);
    hold(0);
    EXPECT_EQ(ctl->GctrlState, GS_BROWSE) << "held A on the empty slot started nothing";
    EXPECT_EQ(FHCtrl::browsePage(), 4);
}

TEST_F(Controller, LoopKeysPauseOnlyInPlayAndSwitchOnlyUnlockedModes) {
    using FHFrame::loop;
    mainGloop = ctl;
    loop = FHFrame::LoopState{};
    loop.dispFrameF = true;
    FHFrame::onKeyDown(SDLK_SPACE);
    EXPECT_FALSE(loop.pauseF) << "no pause outside play";
    EXPECT_TRUE(loop.dispFrameF);

    ctl->GctrlState = GS_PLAY;
    FHFrame::onKeyDown(SDLK_SPACE);
    EXPECT_TRUE(loop.pauseF);
    EXPECT_FALSE(loop.dispFrameF) << "pausing hides the overlay";
    FHFrame::onKeyDown(SDLK_SPACE);
    EXPECT_FALSE(loop.pauseF);

    FHFrame::onKeyDown(SDLK_F5);
    EXPECT_FALSE(FHSYS_GLOBALS::unLock_usingF[1]) << "fast mode is locked";
    EXPECT_FALSE(loop.dispFrameF);
    FHSYS_GLOBALS::unLock_enableF[1] = true;
    FHFrame::onKeyDown(SDLK_F10);
    EXPECT_TRUE(FHSYS_GLOBALS::unLock_usingF[1]);
    EXPECT_TRUE(FHSYS_GLOBALS::usedF5F) << "a play with fast mode sets no best time";
    EXPECT_TRUE(loop.dispFrameF);
    FHFrame::onKeyDown(SDLK_F5);
    EXPECT_FALSE(FHSYS_GLOBALS::unLock_usingF[1]);

    FHFrame::onKeyDown(SDLK_5);
    EXPECT_FALSE(FHSYS_GLOBALS::unLock_usingF[2]) << "vital view is locked";
    FHSYS_GLOBALS::unLock_enableF[2] = true;
    FHFrame::onKeyDown(SDLK_5);
    EXPECT_TRUE(FHSYS_GLOBALS::unLock_usingF[2]);

    FHFrame::onKeyDown(SDLK_F4);
    EXPECT_EQ(loop.waitPlusF, 0) << "slow mode is locked";
    FHSYS_GLOBALS::unLock_enableF[5] = true;
    const int periods[4] = {33, 50, 66, 16};
    for (int k = 0; k < 4; ++k) {
        FHFrame::onKeyDown(SDLK_F4);
        EXPECT_EQ(FHFrame::stepPeriod(loop.waitPlusF), periods[k]);
    }

    ctl->GctrlState = GS_BROWSE;
    FHFrame::onKeyDown(SDLK_F5);
    EXPECT_FALSE(FHSYS_GLOBALS::unLock_usingF[1]) << "fast mode switches only in play";
    EXPECT_TRUE(loop.dispFrameF);
    FHFrame::onKeyDown(SDLK_5);
    EXPECT_TRUE(FHSYS_GLOBALS::unLock_usingF[2]) << "digits act only in play";
    loop = FHFrame::LoopState{};
}

TEST_F(Controller, PauseFollowsTheKeyOrButtonPressedNowAndIgnoresRepeats) {
    using FHFrame::loop;
    mainGloop = ctl;
    loop = FHFrame::LoopState{};
    ctl->GctrlState = GS_PLAY;
    QSDLpp_StickCls& stick = QSDL_GLOBALS::Stick;

    // A held Space repeats: only the first press toggles.
    FHFrame::onKeyDown(SDLK_SPACE, SDL_SCANCODE_SPACE, false);
    EXPECT_TRUE(loop.pauseF);
    for (int i = 0; i < 5; ++i) FHFrame::onKeyDown(SDLK_SPACE, SDL_SCANCODE_SPACE, true);
    EXPECT_TRUE(loop.pauseF) << "a key repeat toggled pause";
    FHFrame::onKeyDown(SDLK_SPACE, SDL_SCANCODE_SPACE, false);
    EXPECT_FALSE(loop.pauseF);

    // Player 1's D key (moved off Space here) pauses; another key pressed while D is
    // held does not.
    JoySTICK::KeyAssign moved = ka;
    moved[JoySTICK::BTN_D] = SDL_SCANCODE_V;
    stick.restoreKeyFromPtr(&moved);
    const int dKey = SDL_SCANCODE_V;
    keys[dKey] = 1;
    stick.updStick(false);
    ASSERT_TRUE(stick.trigD(0));
    FHFrame::onKeyDown(SDLK_a, SDL_SCANCODE_A, false);
    EXPECT_FALSE(loop.pauseF) << "an unrelated key paused while D was held";
    FHFrame::onKeyDown(SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(dKey)), dKey, false);
    EXPECT_TRUE(loop.pauseF) << "the D key itself pauses";
    FHFrame::onKeyDown(SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(dKey)), dKey, true);
    EXPECT_TRUE(loop.pauseF) << "its repeat does not";
    keys[dKey] = 0;
    stick.updStick(false);
    FHFrame::onKeyDown(SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(dKey)), dKey, false);
    EXPECT_FALSE(loop.pauseF);
    stick.restoreKeyFromPtr(&ka);

    // A pad's D button pauses on the press itself, before any step has read it; other
    // buttons and the second pad do not.
    JoySTICK::KeyAssign pads;
    stick.copyDefaultPadToPtr(&pads);
    stick.restorePadFromPtr(&pads);
    const int dButton = pads[JoySTICK::BTN_D];
    FHFrame::onJoyButton(0, pads[JoySTICK::BTN_A]);
    EXPECT_FALSE(loop.pauseF);
    FHFrame::onJoyButton(1, dButton);
    EXPECT_FALSE(loop.pauseF);
    FHFrame::onJoyButton(-1, dButton);
    EXPECT_FALSE(loop.pauseF) << "a pad that is not open";
    FHFrame::onJoyButton(0, dButton);
    EXPECT_TRUE(loop.pauseF);
    FHFrame::onJoyButton(0, dButton);
    EXPECT_FALSE(loop.pauseF);

    // Repeats of the other toggles: slow mode steps once per press.
    FHSYS_GLOBALS::unLock_enableF[5] = true;
    FHFrame::onKeyDown(SDLK_F4, SDL_SCANCODE_F4, false);
    for (int i = 0; i < 3; ++i) FHFrame::onKeyDown(SDLK_F4, SDL_SCANCODE_F4, true);
    EXPECT_EQ(loop.waitPlusF, 1);
    FHSYS_GLOBALS::unLock_enableF[2] = true;
    FHFrame::onKeyDown(SDLK_5, SDL_SCANCODE_5, false);
    FHFrame::onKeyDown(SDLK_5, SDL_SCANCODE_5, true);
    EXPECT_TRUE(FHSYS_GLOBALS::unLock_usingF[2]);
    loop = FHFrame::LoopState{};
}

TEST(FrameLoop, PacingPeriodsAndLateTurns) {
    EXPECT_EQ(FHFrame::stepPeriod(0), 16);
    EXPECT_EQ(FHFrame::stepPeriod(1), 33);
    EXPECT_EQ(FHFrame::stepPeriod(2), 50);
    EXPECT_EQ(FHFrame::stepPeriod(3), 66);
    EXPECT_EQ(FHFrame::waitFor(1000, 1005, 16), 11u);
    EXPECT_EQ(FHFrame::waitFor(1000, 1020, 16), 0u) << "a late turn does not sleep";
    EXPECT_EQ(FHFrame::waitFor(0, 5000, 16), 0u) << "the first turn after a long start";
    EXPECT_EQ(FHFrame::waitFor(0xFFFFFFFAu, 2, 16), 8u) << "across the tick wrap";
}

// Every sequence, stepped to its end with the real fonts: all it shows goes through the
// sprite list (wipes and irises queued first so they cover the rest, boxes and texts at
// their bands over the figures), and every text ends inside the 320-dot screen.
TEST_F(Controller, SequencesQueueTheirPicturesAndEveryTextFitsTheScreen) {
    using Spr = QSDLpp_GLSpriteFuncs;
    for (int script = 0; script < FHScript::kScripts; ++script) {
        Spr::emptyList();
        ctl->demoCtrlLoop(script, -1);
        int texts = 0, boxes = 0, covers = 0, widest = 0;
        int r = 0;
        for (int step = 0; step < 3000 && r != 9; ++step) {
            r = ctl->demoCtrlLoop(script, 1);
            bool otherSeen = false;
            for (int i = 1; i <= Spr::nextlayer; ++i) {
                const QSDLpp_GLSprite& sp = Spr::spriteObj[i];
                if (sp.drawType == GLO::SprIris || sp.drawType == GLO::SprTiled) {
                    ++covers;
                    EXPECT_FALSE(otherSeen) << "script " << script << " step " << step << ": a cover queued late";
                    EXPECT_EQ(sp.layer, 0);
                    continue;
                }
                otherSeen = true;
                if (sp.drawType == GLO::SprBox) {
                    ++boxes;
                    EXPECT_LE(sp.layer, 1) << "a box under the figures";
                }
                if (sp.drawType == GLO::SprText && sp.strPtr && sp.strPtr[0]) {
                    ++texts;
                    EXPECT_EQ(sp.layer, 0);
                    const int right =
                        static_cast<int>(sp.x) + qgu_GLTextWidth(GLO::FontType[sp.textFont], sp.strPtr, sp.w);
                    widest = std::max(widest, right);
                    EXPECT_LE(right, 320) << "script " << script << " step " << step << ": \"" << sp.strPtr
                                          << "\" runs off the screen at size " << sp.w;
                    EXPECT_GE(sp.w, 6) << "\"" << sp.strPtr << "\" shrunk past reading";
                }
            }
            Spr::emptyList();
        }
        EXPECT_EQ(r, 9) << "script " << script << " ends";
        EXPECT_GT(texts, 0) << "script " << script << " shows its texts as sprites";
        EXPECT_GT(covers, 0) << "script " << script << " opens and closes with a cover";
        if (script <= 1) {
            EXPECT_GT(boxes, 0) << "script " << script;
        }
        EXPECT_GT(widest, 200) << "script " << script << ": texts are not shrunk to nothing";
    }
    toTitle();
}

TEST(Scripts, RecordsStartInOrderAndEveryScriptEnds) {
    for (int s = 0; s < FHScript::kScripts; ++s) {
        int last = 0;
        bool ends = false;
        for (int i = 0; i < FHScript::kRecords && G_LoopDemo[s][i][1] != 0; ++i) {
            EXPECT_GE(G_LoopDemo[s][i][0], last) << "script " << s << " record " << i;
            last = G_LoopDemo[s][i][0];
            EXPECT_GE(G_LoopDemo[s][i][1], 1);
            EXPECT_LE(G_LoopDemo[s][i][1], 21);
            EXPECT_EQ(G_LoopDemo[s][i][8], 0);
            if (G_LoopDemo[s][i][1] == 21) ends = true;
        }
        EXPECT_TRUE(ends) << "script " << s << " has an end command";
    }
}

}  // namespace

// Music changes never hold up a step: a piece loaded, started or stopped while the old one
// fades out returns at once, the new piece follows when the fade is over, and a paused
// fade can still be replaced. Runs the shipped tunes on the dummy audio driver, which
// plays in real time.
#include <gtest/gtest.h>

#include <SDL.h>
#include <unistd.h>

#include <cstdlib>

#include "qsdlpp2_globals.h"
#include "qsdlpp2_snd_mus@mix.h"

namespace {

const char kTuneA[] = "VRNresources/mus/12000 meadow morning.ogg";
const char kTuneB[] = "VRNresources/mus/21003 lantern out.ogg";
// A call that does not wait for a fade returns far sooner than this, even on a busy
// machine under the sanitizers; the fades below last 1500 ms or more.
constexpr uint32_t kQuickMs = 400;

class Music : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        handle = new QSDLpp_MixHandlCls();
    }
    void SetUp() override {
        ASSERT_TRUE(handle->isOpen());
        ASSERT_NE(getcwd(oldDir, sizeof oldDir), nullptr);
        ASSERT_EQ(chdir(FH_RUNTIME_DIR), 0);
        QSDL_GLOBALS::PlayBGMF = true;
    }
    void TearDown() override {
        music.event(MovieFxCode::FREE, 0);
        ASSERT_EQ(chdir(oldDir), 0);
    }
    // Milliseconds one call takes.
    template <class F>
    static uint32_t timed(F f) {
        const uint32_t t0 = SDL_GetTicks();
        f();
        return SDL_GetTicks() - t0;
    }
    // Runs the per-step idle work every 10 ms until `done` holds or `limitMs` passes;
    // returns the time waited.
    template <class F>
    uint32_t stepUntil(F done, uint32_t limitMs) {
        const uint32_t t0 = SDL_GetTicks();
        while (!done() && SDL_GetTicks() - t0 < limitMs) {
            music.movieIdleProcess();
            SDL_Delay(10);
        }
        return SDL_GetTicks() - t0;
    }
    void playA() {
        ASSERT_TRUE(music.load(kTuneA));
        music.start(-1);
        SDL_Delay(100);
        ASSERT_TRUE(Mix_PlayingMusic());
    }

    static QSDLpp_MixHandlCls* handle;
    QSDLpp_MixMusicCls music;
    char oldDir[4096] = {};
};
QSDLpp_MixHandlCls* Music::handle = nullptr;

TEST_F(Music, NewPieceOverAFadeReturnsAtOnceAndFollowsTheFade) {
    playA();
    music.event(MovieFxCode::FADEOUT, 1500);
    // Game over: the fade has just begun when the next piece is loaded and started.
    const uint32_t ms = timed([&] {
        EXPECT_TRUE(music.load(kTuneB));
        music.start(0);
    });
    EXPECT_LT(ms, kQuickMs) << "the step waited for the fade";
    EXPECT_FALSE(QSDLpp_MixMusicCls::playingSteadily()) << "the old piece is still fading";
    const uint32_t waited = stepUntil([] { return QSDLpp_MixMusicCls::playingSteadily(); }, 5000);
    EXPECT_TRUE(QSDLpp_MixMusicCls::playingSteadily()) << "the new piece never started";
    EXPECT_GT(waited, 500u) << "the old piece's fade was cut short";
    EXPECT_LT(waited, 3000u);

    // A third piece while nothing fades replaces the second at once.
    const uint32_t again = timed([&] {
        EXPECT_TRUE(music.load(kTuneA));
        music.start(-1);
    });
    EXPECT_LT(again, kQuickMs);
    EXPECT_TRUE(QSDLpp_MixMusicCls::playingSteadily());
}

TEST_F(Music, TwoLoadsDuringOneFadeAndStopsNeverWait) {
    playA();
    music.event(MovieFxCode::FADEOUT, 2000);
    const uint32_t ms = timed([&] {
        EXPECT_TRUE(music.load(kTuneB));  // A retires
        EXPECT_TRUE(music.load(kTuneA));  // B, never started, goes at once
        music.start(-1);
        music.event(MovieFxCode::HALT, 0);  // stop everything now
    });
    EXPECT_LT(ms, kQuickMs);
    EXPECT_FALSE(Mix_PlayingMusic());
    EXPECT_EQ(QSDLpp_MixMusicCls::loadedMusic(), nullptr);
    stepUntil([] { return false; }, 100);
    EXPECT_FALSE(Mix_PlayingMusic()) << "a halted start must not come back";
}

TEST_F(Music, APausedFadeCanBeReplaced) {
    playA();
    music.event(MovieFxCode::FADEOUT, 1500);
    music.event(MovieFxCode::PAUSE, 0);  // a fade that cannot progress
    const uint32_t ms = timed([&] {
        EXPECT_TRUE(music.load(kTuneB));
        music.start(-1);
    });
    EXPECT_LT(ms, kQuickMs);
    EXPECT_TRUE(QSDLpp_MixMusicCls::playingSteadily());
}

TEST_F(Music, LoadSerialCountsEveryLoad) {
    const unsigned s0 = QSDLpp_MixMusicCls::loadSerial();
    ASSERT_TRUE(music.load(kTuneA));
    ASSERT_TRUE(music.load(kTuneA));
    EXPECT_EQ(QSDLpp_MixMusicCls::loadSerial(), s0 + 2);
}

}  // namespace

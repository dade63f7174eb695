// The drowned hall of the lake (map 33) played through the world step under a real GL
// context: in through the orchard cellar's door, breathing in the surface chamber,
// diving and coming back up to the air, a lake jelly's grip shaken off, a life lost to
// the air gauge, and out again through the door back to the cellar. The whole play is
// recorded as a film that replays to the same end.

#include "game_keys.h"
#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <GL/gl.h>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHmyworld_loop.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_swim.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"

using namespace FHWGBL;

namespace {

FHWorldCLS& W = Game_GLOBALS::MyWorld;
Uint8 keys[SDL_NUM_SCANCODES];
JoySTICK::KeyAssign ka;
std::string scratch;

constexpr int kLake = 33;  // map group 2, map 1
constexpr int kCellar = 5;
constexpr int kOrchard = 1;

MyCharactor& me() { return W.chars[MyCharactor::currentCHR]; }

// One scripted play, decided from the game's own state so that the film of it replays
// through the same stages: into the cellar and through its round door into the lake,
// breathe, dive, back up to the air, a jelly's grip shaken off, the air run out, out
// through the lake's door and the cellar's, and onto the orchard's golden goal.
struct Script {
    enum Stage { ToCellar, ToLake, Breathe, Dive, Rise, Grip, Shake, Sink, Drown, ToDoor, Up, Goal };
    int n = 0;
    Stage stage = ToCellar;
    int stageAt = 0;  // step the stage began
    int surfacedAgainAt = -1, heldAt = -1, freedAt = -1, missAt = -1, lakeAt = -1, outAt = -1;
    int jelly = -1;
    bool wasMissing = false;

    void next(Stage st) {
        stage = st;
        stageAt = n;
    }
    // Keys for step n (and the few changes a player cannot make with keys).
    uint16_t before() {
        const int map = W.loadedMapNum;
        switch (stage) {
            case ToCellar:
                if (n == 5) {
                    // On the ledge beside the orchard's cellar door (block 9, 21).
                    me().posX = 8 * 1600 - 400;
                    me().posY = 21 * 1600 - 400;
                }
                if (map == kCellar) next(ToLake);
                return n < 5 ? 0 : QSDL_BTN::RIGHT1;
            case ToLake:
                if (map == kLake && W.phase == 1) {
                    lakeAt = n;
                    next(Breathe);
                    return 0;
                }
                return QSDL_BTN::RIGHT1;
            case Breathe:
                if (n - stageAt >= 30) next(Dive);
                return 0;
            case Dive:
                if (!me().surfaceF && n - stageAt > 20) next(Rise);
                return QSDL_BTN::DOWN1;
            case Rise:
                if (me().surfaceF) {
                    surfacedAgainAt = n;
                    next(Grip);
                }
                return QSDL_BTN::UP1;
            case Grip:
                if (me().invincTimer == 0) {
                    // A lake jelly swims up and closes its grip at once.
                    jelly = W.objectCtrl.AppearObject(me().posX, me().posY + 400, 0, 0, 97, 0);
                    if (jelly >= 0 && jelly < MainObjectCtrlCls::kObjects) W.objectCtrl.objects[jelly].regC = 2;
                    next(Shake);
                }
                return 0;
            case Shake:
                if (freedAt >= 0 && n - freedAt > 30) next(Sink);
                return (n & 1) ? QSDL_BTN::LEFT1 : QSDL_BTN::RIGHT1;
            case Sink:
                // Out of the chamber to the right, into the open water under the ceiling.
                if (!me().surfaceF && me().posX > 20 * 1600) {
                    me().airGauge = 40;  // the air all but gone
                    me().energy = 600;
                    next(Drown);
                }
                // (Past the door on the ledge before diving under the chamber's wall.)
                return me().posX > 10 * 1600 ? QSDL_BTN::DOWN1 | QSDL_BTN::RIGHT1 : QSDL_BTN::RIGHT1;
            case Drown:
                if (wasMissing && !MyCharactor::MissingF && W.phase == 1) next(ToDoor);
                return 0;
            case ToDoor:
                // From the surface chamber down-right to the door on the ledge.
                if (map == kCellar) {
                    outAt = n;
                    next(Up);
                }
                return QSDL_BTN::DOWN1 | QSDL_BTN::RIGHT1;
            case Up:
                if (map == kOrchard && W.phase == 1) {
                    me().posX = 113 * 1600 - 400;  // onto the golden goal
                    me().posY = 16 * 1600 - 400;
                    next(Goal);
                    return 0;
                }
                return QSDL_BTN::RIGHT1;
            case Goal:
                return 0;
        }
        return 0;
    }
    // Observations after step n.
    void after() {
        if (stage == Breathe && n > stageAt + 2) {
            EXPECT_EQ(me().surfaceF, 1) << "step " << n;
        }
        if (stage == Shake && me().uwState == FHSwim::P_HELD && heldAt < 0) heldAt = n;
        if (stage == Shake && heldAt >= 0 && freedAt < 0 && me().uwState != FHSwim::P_HELD) freedAt = n;
        if (MyCharactor::MissingF) {
            wasMissing = true;
            if (missAt < 0) missAt = n;
        }
        if (UWMode && !MyCharactor::MissingF) {
            // (A lost swimmer's body floats up and away, through walls.)
            EXPECT_GE(me().posY, 0) << "step " << n << ": inside the lake's walls";
        }
        ++n;
    }
};

class SwimRoom : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        char tmpl[] = "/tmp/fhswimXXXXXX";
        const char* dir = mkdtemp(tmpl);
        ASSERT_NE(dir, nullptr);
        scratch = dir;
        const std::string rt = FH_RUNTIME_DIR;
        ASSERT_EQ(symlink((rt + "/resourcesQSDL").c_str(), (scratch + "/resourcesQSDL").c_str()), 0);
        symlink((rt + "/VRNresources").c_str(), (scratch + "/VRNresources").c_str());
        mkdir((scratch + "/replayfilms").c_str(), 0755);
        ASSERT_EQ(chdir(dir), 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        qgu_initGLImageHdlfunc();
        qgu_initNewGLworld("swim test", rRect{0, 0, 240, 320}, 0);
        W.initFHSystem();
        W.changeStatePlyOrRep(false);
        QSDL_GLOBALS::Stick.getKeySetToPtr(&ka);
        QSDL_GLOBALS::Stick.setKeyStateSource(keys);
    }
    static void TearDownTestSuite() {
        if (!scratch.empty()) std::system(("rm -rf '" + scratch + "'").c_str());
    }

    static int start(bool playback) {
        W.replayPlaybackF = playback;
        W.initNewgame(playback ? 1 : 0);
        if (!playback) GoldCoins = 250;
        const int r = W.loadNewStage(0, 1, 0);
        if (r == 0) W.fhWorldMainLoop(-1);
        return r;
    }
    static int step() {
        QSDL_GLOBALS::Stick.updStick(QSDL_GLOBALS::rplyMode != 0);
        const int r = W.fhWorldMainLoop(0);
        SDL_GL_SwapWindow(qgu_getTargetWindow());
        return r;
    }
    static uint64_t stateHash() {
        uint64_t h = 1469598103934665603ull;
        auto mix = [&](int64_t v) {
            h ^= static_cast<uint64_t>(v);
            h *= 1099511628211ull;
        };
        for (int64_t v : {int64_t(Score), int64_t(SilvCoins), int64_t(GoldCoins), int64_t(TIMER),
                          int64_t(CtrlCounter), int64_t(MissCount), int64_t(W.phase)})
            mix(v);
        for (int k = 0; k < 3; ++k)
            for (int64_t v : {W.chars[k].posX, W.chars[k].posY, W.chars[k].energy, W.chars[k].airGauge})
                mix(v);
        return h;
    }
    // Plays the script (keys from it live, from the film in playback) to the section end.
    static int play(Script& s, bool live, int* steps) {
        int r = 1;
        while ((r == 1 || r == 0) && s.n < 4000) {
            const uint16_t bits = s.before();
            holdPlayerOneKeys(keys, ka, live ? bits : uint16_t(QSDL_BTN::LEFT1 | QSDL_BTN::B1));
            r = step();
            s.after();
        }
        *steps = s.n;
        return r;
    }
};

TEST_F(SwimRoom, InThroughTheCellarBreatheBeHeldDrownAndOut) {
    ASSERT_EQ(start(false), 0);
    Script live;
    // Into the lake: under water, buoyant, dark with the dog's light, both friends there.
    while (live.stage != Script::Breathe && live.n < 1500) {
        holdPlayerOneKeys(keys, ka, live.before());
        step();
        live.after();
    }
    ASSERT_TRUE(UWMode) << "through the cellar's round door";
    EXPECT_EQ(W.loadedMapNum, kLake);
    EXPECT_EQ(GravityY, -20);
    EXPECT_EQ(Condition & 8, 8);
    EXPECT_EQ(me().box.bottom - me().box.top, 1600) << "the swimming box";
    EXPECT_EQ(W.chars[1].restartX, W.chars[0].restartX) << "the friend came along";
    const int airAtEntry = me().airGauge;

    // The panel's air label (a pale blue bubble, font 0) under the gauges: not the red
    // key mark font 1 holds on the same code.
    {
        int w = 0, h = 0;
        SDL_GetWindowSize(qgu_getTargetWindow(), &w, &h);
        std::vector<unsigned char> px(size_t(w) * h * 4);
        glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
        int bubble = 0, red = 0;
        for (int y = 228; y < 238; ++y)
            for (int x = 308; x < 318; ++x) {
                const int gx = x * w / 320, gy = h - 1 - y * h / 240;
                const unsigned char* p = &px[(size_t(gy) * w + gx) * 4];
                bubble += p[2] > 180 && p[1] > 150 && p[0] < p[2];
                red += p[0] > 150 && p[1] < 90 && p[2] < 90;
            }
        EXPECT_GT(bubble, 4) << "the air label is drawn";
        EXPECT_EQ(red, 0) << "the key mark of font 1 is not";
    }

    int steps = 0;
    const int gold = GoldCoins;
    int r = play(live, true, &steps);
    EXPECT_GT(live.surfacedAgainAt, live.lakeAt) << "swimming up reaches the air again";
    EXPECT_GT(live.heldAt, live.surfacedAgainAt) << "the jelly holds the swimmer";
    EXPECT_GT(live.freedAt, live.heldAt) << "shaking the stick breaks free";
    EXPECT_LT(live.freedAt, live.heldAt + 40);
    EXPECT_GT(live.missAt, live.freedAt) << "no air, then no energy: a miss";
    EXPECT_GT(live.outAt, live.missAt) << "out through the lake's door";
    EXPECT_EQ(MissCount, 1);
    EXPECT_EQ(GoldCoins, gold - 50);
    EXPECT_FALSE(UWMode) << "back out on land";
    EXPECT_GT(airAtEntry, 20000);
    ASSERT_EQ(r, 4) << "the orchard's golden goal ends the section";
    const uint64_t liveHash = stateHash();

    // The film of it replays to the same end.
    ASSERT_EQ(start(true), 0);
    Script again;
    int replaySteps = 0;
    r = play(again, false, &replaySteps);
    EXPECT_EQ(r, 3) << "a replayed section ends with 3";
    EXPECT_EQ(replaySteps, steps);
    EXPECT_EQ(again.freedAt, live.freedAt);
    EXPECT_EQ(again.outAt, live.outAt);
    EXPECT_EQ(again.missAt, live.missAt);
    EXPECT_EQ(stateHash(), liveHash);
    W.replayPlaybackF = false;
    QSDL_GLOBALS::rplyMode = 0;
}

}  // namespace

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

constexpr int kLake = 33;        // map group 2, map 1
constexpr int kLakeEntry = 0;    // record 0 of group 2: the surface chamber
constexpr int kCellar = 5;       // map 5 of group 0
constexpr int kCellarEntry = 0;  // record 0 of group 0: beside the lake door

MyCharactor& me() { return W.chars[MyCharactor::currentCHR]; }

// What one scripted play does, step by step: the keys held and the changes a map object
// would make (doors, a jelly) where this branch's world has no map objects of its own.
struct Script {
    int n = 0;
    int freedAt = -1, heldAt = -1, missAt = -1, surfacedAgainAt = -1;
    bool leftPocket = false;
    int jellySlot = 40;

    void door(int map, int entry) {
        W.loadMapWorld(map, entry);
        FHLoop::sealCounters();
    }
    MainObjectCtrlCls::Object& jelly() { return W.objectCtrl.objects[jellySlot]; }

    // Keys for step n, after applying the changes due before it.
    uint16_t before() {
        if (n == 10) door(kLake, kLakeEntry);
        if (n >= 10 && n < 40) return 0;                       // breathe in the chamber
        if (n >= 40 && n < 200) return QSDL_BTN::DOWN1;         // dive out of the pocket
        if (n >= 200 && n < 400) return QSDL_BTN::UP1;          // and back up to the air
        if (n == 400) {
            // A lake jelly closes its grip (invulnerability from the entry is over).
            MainObjectCtrlCls::Object& o = jelly();
            o = MainObjectCtrlCls::Object();
            o.activeF = 1;
            o.kind = 97;
            o.work5 = 50;
            o.regC = 2;
            o.posX = me().posX;
            o.posY = me().posY + 400;
        }
        if (n >= 400 && n < 470) {
            if (freedAt >= 0) jelly().activeF = 0;
            return (n & 1) ? QSDL_BTN::LEFT1 : QSDL_BTN::RIGHT1;  // shake the stick
        }
        if (n == 470) jelly().activeF = 0;
        if (n >= 470 && n < 600) return QSDL_BTN::DOWN1 | QSDL_BTN::RIGHT1;
        if (n == 600) {
            // Down in the open water with the air almost gone.
            me().airGauge = 40;
            me().energy = 600;
        }
        if (n >= 600 && n < 800) return QSDL_BTN::DOWN1;
        if (n == 800) door(kCellar, kCellarEntry);
        if (n == 820) {
            // Up into the orchard and onto its golden goal: the section ends.
            W.loadMapWorld(1, -1);
            me().posX = 113 * 1600 - 400;
            me().posY = 16 * 1600 - 400;
            FHLoop::sealCounters();
        }
        return 0;
    }
    // Observations after step n.
    void after() {
        if (n > 10 && n < 40) {
            EXPECT_EQ(me().surfaceF, 1) << "step " << n;
        }
        if (n >= 40 && n < 200 && !me().surfaceF) leftPocket = true;
        if (n >= 200 && n < 400 && leftPocket && me().surfaceF && surfacedAgainAt < 0) surfacedAgainAt = n;
        if (n > 400 && n < 470) {
            if (me().uwState == FHSwim::P_HELD && heldAt < 0) heldAt = n;
            if (heldAt >= 0 && me().uwState != FHSwim::P_HELD && freedAt < 0) freedAt = n;
        }
        if (n >= 600 && MyCharactor::MissingF && missAt < 0) missAt = n;
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
        while ((r == 1 || r == 0) && s.n < 3000) {
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
    for (int i = 0; i < 11; ++i) {
        holdPlayerOneKeys(keys, ka, live.before());
        step();
        live.after();
    }
    ASSERT_TRUE(UWMode);
    EXPECT_EQ(W.loadedMapNum, kLake);
    EXPECT_EQ(GravityY, -20);
    EXPECT_EQ(Condition & 8, 8);
    EXPECT_EQ(me().box.bottom - me().box.top, 1600) << "the swimming box";
    EXPECT_EQ(W.chars[1].restartX, W.chars[0].restartX) << "the friend came along";
    const int airAtEntry = me().airGauge;

    int steps = 0;
    const int gold = GoldCoins;
    int r = play(live, true, &steps);
    EXPECT_GT(me().airGauge, 0);
    EXPECT_TRUE(live.leftPocket) << "diving leaves the air";
    EXPECT_GT(live.surfacedAgainAt, 0) << "swimming up reaches the air again";
    EXPECT_GT(live.heldAt, 0) << "the jelly holds the swimmer";
    EXPECT_GT(live.freedAt, live.heldAt) << "shaking the stick breaks free";
    EXPECT_LT(live.freedAt, 450);
    EXPECT_GT(live.missAt, 600) << "no air, then no energy: a miss";
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
    EXPECT_EQ(again.missAt, live.missAt);
    EXPECT_EQ(stateHash(), liveHash);
    W.replayPlaybackF = false;
    QSDL_GLOBALS::rplyMode = 0;
}

}  // namespace

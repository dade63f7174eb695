// The storm roc in her eyrie (section 2.4), through the world step under a real GL
// context: she flies her round and swoops, calls her divers, turns to gusts and to
// lightning as her life runs down, the player's punches hurt her, and her fall takes
// the divers with her and opens the gate to the exit room.

#include "game_keys.h"
#include "game_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "envresGlobal.h"

using namespace FHWGBL;

namespace {

FHWorldCLS& W = Game_GLOBALS::MyWorld;
Uint8 keys[SDL_NUM_SCANCODES];
JoySTICK::KeyAssign ka;

class Eyrie : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(startGameWorld("sky boss test", keys, &ka)); }

    void SetUp() override {
        std::memset(keys, 0, sizeof keys);
        for (bool& f : FHSYS_GLOBALS::unLock_usingF) f = false;
        FHSYS_GLOBALS::use_invincibleF = true;  // the test watches her, not the misses
        W.replayPlaybackF = false;
        W.initNewgame(0);
        GoldCoins = 250;
        ASSERT_EQ(W.loadNewStage(2, 4, 0), 0);
        W.fhWorldMainLoop(-1);
        holdPlayerOneKeys(keys, ka, 0);
    }
    void TearDown() override { FHSYS_GLOBALS::use_invincibleF = false; }

    static int step() {
        QSDL_GLOBALS::Stick.updStick(QSDL_GLOBALS::rplyMode != 0);
        const int r = W.fhWorldMainLoop(0);
        SDL_GL_SwapWindow(qgu_getTargetWindow());
        return r;
    }
    static int count(int kind) {
        int n = 0;
        for (const auto& o : W.objectCtrl.objects) n += (o.activeF && o.kind == kind) ? 1 : 0;
        return n;
    }
    static MainObjectCtrlCls::Object* roc() {
        for (auto& o : W.objectCtrl.objects)
            if (o.activeF && o.kind == 68) return &o;
        return nullptr;
    }
    static int blocksOf(int code) {
        int n = 0;
        for (int y = 0; y < MapBlkHeight; ++y)
            for (int x = 0; x < MapBlkWidth; ++x) n += MenMap[y][x] == code ? 1 : 0;
        return n;
    }
    // The character in play stands on the arena floor at a column.
    static void standAt(int col) {
        MyCharactor& c = W.chars[MyCharactor::currentCHR];
        c.posX = col * 1600;
        c.posY = 26 * 1600 - (c.box.bottom - c.box.top);
    }
};

TEST_F(Eyrie, TheRocChangesPhaseAsHerLifeRunsDownAndHerFallOpensTheGate) {
    MainObjectCtrlCls::Object* r = roc();
    ASSERT_NE(r, nullptr);
    const int life = vrndx_objAttributeRefPtr(68)[OBJATTR_LIFE];
    const int gate = blocksOf(937);
    ASSERT_GT(gate, 0) << "the map walls the exit room with the gate";
    standAt(23);  // open sky above: no ledge shields the player

    // Her first phase: she circles, swoops down to the player, calls divers.
    int lowest = r->posY, hiX = r->posX, loX = r->posX, divers = 0, seen = 0;
    for (int i = 0; i < 900; ++i) {
        step();
        seen += inTheWindow(r->posX, r->posY, &r->box) ? 1 : 0;
        lowest = std::max(lowest, r->posY);
        hiX = std::max(hiX, r->posX);
        loX = std::min(loX, r->posX);
        divers = std::max(divers, count(8));
    }
    EXPECT_EQ(r->regC, 0);
    EXPECT_GT(hiX - loX, 8 * 1600) << "she flies her round";
    EXPECT_GT(lowest + r->box.bottom - r->box.top, 18 * 1600) << "her swoops reach far below her round";
    EXPECT_GE(divers, 3) << "the map's two divers and hers";
    EXPECT_GT(seen, 600) << "a player on the arena floor sees her most of the time";

    // A punch, flying through the world step, hurts her.
    const int before = r->power;
    MyShotsCtrlCls& shots = W.shotCtrl;
    const int s = shots.addShot(r->posX + r->halfW, r->posY + r->halfH, 0, 0, MYSHOT_PUNCH);
    ASSERT_LT(s, 32);
    step();
    EXPECT_LT(r->power, before);

    // Two thirds: gusts that push the player sideways.
    r->power = life * 6 / 10;
    step();
    EXPECT_EQ(r->regC, 1);
    bool gust = false;
    for (int i = 0; i < 700 && !gust; ++i) {
        step();
        gust = std::abs(GravityX) >= 100;
    }
    EXPECT_TRUE(gust) << "the wind blows across the arena";

    // One third: lightning.
    r->power = life / 4;
    bool bolt = false;
    for (int i = 0; i < 400 && !bolt; ++i) {
        step();
        bolt = count(180) > 0;
    }
    EXPECT_EQ(r->regC, 2);
    EXPECT_TRUE(bolt);

    // Beaten by a last punch: the divers go with her and the gate opens.
    r->power = 1;
    ASSERT_LT(shots.addShot(r->posX + r->halfW, r->posY + r->halfH, 0, 0, MYSHOT_PUNCH), 32);
    step();
    EXPECT_EQ(count(68), 0);
    EXPECT_EQ(count(8), 0) << "no diver is left flying";
    for (int i = 0; i < 30; ++i) ASSERT_GE(step(), 0) << "play goes on";
    EXPECT_EQ(blocksOf(937), 0) << "the gate opened after the roc fell";
}

}  // namespace

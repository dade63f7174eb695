// Fighting in chapter 0 through the world step, under a real GL context: a punch beats a
// forest enemy into a capsule, the special attack after charging beside the dog, the dog
// following across the orchard's wrap seam, and the second player's steering kept in
// the film and played back the same.

#include "game_keys.h"
#include "game_world.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "envresGlobal.h"

using namespace FHWGBL;

namespace {

FHWorldCLS& W = Game_GLOBALS::MyWorld;
Uint8 keys[SDL_NUM_SCANCODES];
JoySTICK::KeyAssign ka;

class Fight : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(startGameWorld("fight test", keys, &ka)); }

    void SetUp() override {
        std::memset(keys, 0, sizeof keys);
        for (bool& f : FHSYS_GLOBALS::unLock_usingF) f = false;
    }

    static int start(int chapter, int section, bool playback) {
        W.replayPlaybackF = playback;
        W.initNewgame(playback ? 1 : 0);
        if (!playback) GoldCoins = 250;
        const int r = W.loadNewStage(chapter, section, 0);
        if (r == 0) W.fhWorldMainLoop(-1);
        return r;
    }
    static void hold(uint16_t bits) { holdPlayerOneKeys(keys, ka, bits); }
    static int step() {
        QSDL_GLOBALS::Stick.updStick(QSDL_GLOBALS::rplyMode != 0);
        const int r = W.fhWorldMainLoop(0);
        SDL_GL_SwapWindow(qgu_getTargetWindow());
        return r;
    }
    static MyCharactor& hero() { return W.chars[MyCharactor::currentCHR]; }
    static MyCharactor& dog() { return W.chars[2]; }
    // Waits out the start of a section (fade-in, the character settles on the ground).
    static void settle() {
        hold(0);
        for (int i = 0; i < 40; ++i) step();
    }
    // An awake enemy of `kind` in a free map slot just in front of the character in play.
    static MainObjectCtrlCls::Object& enemyInFront(int kind, int slot = 100, int dx = 600) {
        MainObjectCtrlCls::Object& o = W.objectCtrl.objects[slot];
        const int32_t* A = vrndx_objAttributeRefPtr(kind);
        o.activeF = 1;
        o.kind = kind;
        o.linkIdx = slot;
        o.box = MainObjectCtrlCls::Object::objectRects[A[OBJATTR_RECT]];
        o.halfW = (o.box.right - o.box.left) / 2;
        o.halfH = (o.box.bottom - o.box.top) / 2;
        o.posX = hero().posX + hero().halfW + dx - o.box.left;
        o.posY = hero().posY + hero().box.bottom - hero().box.top - o.box.bottom;
        o.power = A[OBJATTR_LIFE];
        o.work5 = 10;
        o.speedX = o.speedY = 0;
        o.regC = 0;
        o.behave = 0;
        o.respawnSlot = -1;
        o.target = -1;
        o.patt = 0;
        return o;
    }
};

TEST_F(Fight, PunchBeatsAForestEnemyIntoACapsule) {
    ASSERT_EQ(start(0, 1, false), 0);
    settle();
    hero().facing = 1;
    MainObjectCtrlCls::Object& o = enemyInFront(8);
    const int score = Score;
    step();  // the character sees the enemy within reach
    hold(QSDL_BTN::A1);
    bool capsule = false;
    for (int i = 0; i < 6 && !capsule; ++i) {
        step();
        capsule = o.kind == 136;
    }
    EXPECT_TRUE(capsule) << "a punch at level 2 takes the diver's 40 life at once";
    EXPECT_GT(Score, score) << "the hit scores";
    EXPECT_GT(hero().punchTimer, 0) << "the character punched";

    // The punch's second frame sends the capsule flying as a thrown shot; a silver coin
    // jumps out as it goes, and the capsule's value is paid.
    hold(0);
    const int scoreCapsule = Score;
    bool thrown = false;
    for (int i = 0; i < 4 && !thrown; ++i) {
        step();
        for (auto& s : W.shotCtrl.shots) thrown = thrown || (s.activeF && s.kind == MYSHOT_CAPSULE5);
    }
    EXPECT_TRUE(thrown);
    EXPECT_FALSE(o.activeF && o.kind == 136) << "the capsule left its place";
    EXPECT_GE(Score, scoreCapsule + 500);
    int coins = 0;
    for (auto& c : W.objectCtrl.objects) coins += c.activeF && (c.kind == 49 || c.kind == 50);
    EXPECT_GE(coins, 1) << "a coin to pick up";
}

// Stands the character in play on the ground of block row `row`, its box one dot left of
// block column `col`, facing it.
void standLeftOf(int col, int row) {
    MyCharactor& c = W.chars[MyCharactor::currentCHR];
    c.posX = c.restartX = col * 1600 - (c.box.right - c.box.left) - 100;
    c.posY = c.restartY = (row + 1) * 1600 - (c.box.bottom - c.box.top);
    c.facing = 1;
    c.speedX = c.speedY = 0;
}

// An opened block is the empty block 7, settling down to 1 while on screen.
bool opened(int block) { return block >= 1 && block <= 7; }

TEST_F(Fight, ChapterZeroBreakableBlocksBreak) {
    struct Punch {
        int section, chr, keys, col, row;
        int blockRow;  // the block row that opens (the character's own row and the one above)
    };
    // Orchard: the cracked blocks east of the trees; the red lock, for the heroine with
    // the red key. Hollow: the cracked wall behind the raised bank.
    const Punch cases[] = {
        {1, 0, 0, 82, 25, 24},
        {1, 1, 1, 48, 25, 24},
        {4, 0, 0, 86, 25, 24},
    };
    for (const Punch& p : cases) {
        ASSERT_EQ(start(0, p.section, false), 0);
        settle();
        MyCharactor::currentCHR = p.chr;
        W.currentChr = &W.chars[p.chr];
        RBGKeyBit = p.keys;
        const int before = MenMap[p.row][p.col];
        ASSERT_GE(before, 944) << "section " << p.section << " column " << p.col;
        standLeftOf(p.col, p.row);
        hold(0);
        step();
        hold(QSDL_BTN::A1);
        for (int i = 0; i < 5; ++i) step();
        hold(0);
        EXPECT_TRUE(opened(MenMap[p.row][p.col])) << "section " << p.section << " column " << p.col;
        EXPECT_TRUE(opened(MenMap[p.blockRow][p.col])) << "section " << p.section << " column " << p.col;
    }
    // The hero cannot open the red lock, key or not.
    ASSERT_EQ(start(0, 1, false), 0);
    settle();
    RBGKeyBit = 1;
    standLeftOf(48, 25);
    step();
    hold(QSDL_BTN::A1);
    for (int i = 0; i < 5; ++i) step();
    EXPECT_EQ(MenMap[25][48], 944);
    // The hollow's floating crates open to a punch from a jump beside them.
    ASSERT_EQ(start(0, 4, false), 0);
    settle();
    standLeftOf(96, 25);
    step();
    hold(QSDL_BTN::B1);
    for (int i = 0; i < 18; ++i) step();  // rising past the crates' row
    ASSERT_EQ(hero().posY / 1600, 22);
    hold(QSDL_BTN::B1 | QSDL_BTN::A1);
    for (int i = 0; i < 6; ++i) step();
    hold(0);
    for (int i = 0; i < 30; ++i) step();
    int crates = 0;
    for (int c = 96; c <= 98; ++c) crates += opened(MenMap[22][c]) ? 1 : 0;
    EXPECT_GE(crates, 1) << "a crate over the hero's head opens";
}

TEST_F(Fight, ThrownCapsuleBreaksABlock) {
    // In the hollow, under the floating crates: a diver in front of the hero and another
    // one hovering under the crates. The first, punched into a capsule, is thrown into the
    // second; the spent capsule rings out there and the ring opens a crate above it.
    ASSERT_EQ(start(0, 4, false), 0);
    settle();
    standLeftOf(96, 25);
    MainObjectCtrlCls::Object& near = enemyInFront(8, 100, 600);
    MainObjectCtrlCls::Object& under = enemyInFront(8, 101, 98 * 1600 - hero().posX - hero().halfW);
    under.posY = 23 * 1600;
    step();
    hold(QSDL_BTN::A1);
    step();
    hold(0);
    bool crate = false, ring = false;
    for (int i = 0; i < 90 && !crate; ++i) {
        step();
        for (auto& s : W.shotCtrl.shots) ring = ring || (s.activeF && s.kind == MYSHOT_RING);
        for (int c = 96; c <= 98; ++c) crate = crate || opened(MenMap[22][c]);
    }
    EXPECT_FALSE(near.activeF && near.kind == 8) << "the first diver was beaten";
    EXPECT_TRUE(ring) << "the spent capsule rang out";
    EXPECT_TRUE(crate) << "and the ring opened a crate above";
}

TEST_F(Fight, SpecialAttackAfterChargingBesideTheDog) {
    ASSERT_EQ(start(0, 1, false), 0);
    settle();
    hero().energy = 20000;
    hold(QSDL_BTN::A1);
    int frames = 0;
    while (dog().spAtkState != 1 && frames < 120) {
        step();
        ++frames;
    }
    EXPECT_EQ(dog().spAtkState, 1) << "ready after charging";
    EXPECT_GT(frames, 60);
    hold(0);
    step();
    EXPECT_EQ(dog().spAtkState, 2);
    bool special = false, dogShot = false;
    for (int i = 0; i < 90; ++i) {
        for (auto& s : W.shotCtrl.shots) {
            special = special || (s.activeF && s.kind == MYSHOT_SPECIAL);
            dogShot = dogShot || (s.activeF && s.kind == MYSHOT_DOG);
        }
        step();
    }
    EXPECT_TRUE(special);
    EXPECT_TRUE(dogShot) << "with 6400 energy or more the dog dashes off with its own shot";
    EXPECT_EQ(dog().spAtkState, 0);
}

TEST_F(Fight, DogFollowsAcrossTheWrapSeam) {
    // The orchard is 128 blocks wide and wraps. The hero stands by its left wall and the
    // dog waits three blocks away on the far side of the seam (the last column): it must
    // come the short way over the seam, not across the whole map.
    ASSERT_EQ(start(0, 1, false), 0);
    settle();
    dog().posX = MapFieldWidth - 1600;
    dog().posY = hero().posY - 3200;
    int worst = 0;
    bool overSeam = false;
    for (int i = 0; i < 90; ++i) {
        step();
        int d = std::abs(dog().posX - hero().posX);
        if (d > MapFieldWidth / 2) {
            d = MapFieldWidth - d;
        } else if (i < 3) {
            overSeam = true;
        }
        if (d > worst) worst = d;
    }
    EXPECT_LT(worst, 8000) << "never more than five blocks away";
    EXPECT_LT(std::abs(dog().posX - hero().posX), 6400) << "now floating beside the hero on this side";
    EXPECT_TRUE(MyCharactor::NearPippoF);
    EXPECT_FALSE(overSeam) << "it started on the far side of the seam";
}

TEST_F(Fight, SecondPlayerSteersTheDogAndTheFilmKeepsIt) {
    // Coin rush ends by its time limit, which keeps the film; player 2 (the high byte of
    // the input word) holds C and up for 20 steps early on.
    ASSERT_EQ(start(0, 3, false), 0);
    W.chars[0].energy = W.chars[1].energy = 20000;
    int r = 1, n = 0, y0 = 0, y1 = 0, markX = 0, markY = 0;
    while (r == 1 && n < 6000) {
        std::memset(keys, 0, sizeof keys);
        if (n >= 40 && n < 60) {
            keys[ka[JoySTICK::P2 + JoySTICK::BTN_C]] = 1;
            keys[ka[JoySTICK::P2 + JoySTICK::UP]] = 1;
        }
        if (n == 40) y0 = dog().posY;
        r = step();
        if (n == 59) y1 = dog().posY;
        if (n == 80) {
            markX = dog().posX;
            markY = dog().posY;
        }
        ++n;
    }
    ASSERT_EQ(r, 2);
    EXPECT_EQ(y1, y0 - 20 * 200) << "player 2's stick moves the dog up 200 a step";
    bool steered = false;
    const char* film = W.replayFilms[0][3][0];
    ASSERT_NE(film, nullptr);
    const int events = FHLayout::get32(film, FHLayout::kFilmEventLenOfs) / 4;
    const unsigned char* ev = reinterpret_cast<const unsigned char*>(film + FHLayout::kFilmEventsOfs);
    for (int i = 0; i < events; ++i) steered = steered || (ev[i * 4 + 2] & (QSDL_BTN::C2 >> 8)) != 0;
    EXPECT_TRUE(steered) << "player 2's buttons are kept in the film";

    // Played back from the same start (the hero strong enough to let the dog go), the dog
    // takes the same way.
    std::memset(keys, 0, sizeof keys);
    ASSERT_EQ(start(0, 3, true), 0);
    W.chars[0].energy = W.chars[1].energy = 20000;
    for (int i = 0; i <= 80; ++i) step();
    EXPECT_EQ(dog().posX, markX);
    EXPECT_EQ(dog().posY, markY);
    W.replayPlaybackF = false;
    QSDL_GLOBALS::rplyMode = 0;
}

}  // namespace

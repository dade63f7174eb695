// Shots against map objects and what objects become when their life runs out: which
// shots hurt which objects, the dog's wide shot box, enemies curling into capsules and
// capsules thrown (also with every shot record busy), chain destruction, a spent capsule
// ringing out and breaking a block, and a boss's gate blocks opening.

#include "fight_fixture.h"

#include "FHobjectCtrl_explode.h"

using namespace FHWGBL;

namespace {

class Hits : public FightField {
protected:
    MyShotsCtrlCls& pool() { return W.shotCtrl; }
    int32_t custom[5] = {0, 100, 250, 0, 40};  // box 0 (16 x 16), life 100, value 250
    // Kind 250 (unused by the game) stands for an object with the given flags.
    MainObjectCtrlCls::Object& flagged(int slot, int flags, int x, int y) {
        custom[OBJATTR_FLAGS] = flags;
        MainObjectCtrlCls::Object::ObjAttribute[250] = custom;
        return putObject(slot, 250, x, y);
    }
    void TearDown() override { MainObjectCtrlCls::Object::ObjAttribute[250] = vrndx_objAttributeRefPtr(250); }
    // A shot of `kind` placed one dot right of and below (x, y), whatever its kind's start
    // offsets (boxes at identical positions never hit).
    MyShotsCtrlCls::MyShot& shotAt(int kind, int x, int y) {
        const int s = pool().addShot(x, y, 100, 0, kind);
        EXPECT_LT(s, 32);
        MyShotsCtrlCls::MyShot& sh = pool().shots[s];
        sh.posX = x + 100;
        sh.posY = y + 100;
        return sh;
    }
};

TEST_F(Hits, FlagsDecideWhichShotsHurt) {
    const int x = 20 * 1600, y = 8 * 1600;
    // 0x400: only shots 0..7 touch it; a weapon shot passes without a hit.
    MainObjectCtrlCls::Object& a = flagged(40, 0x400, x, y);
    EXPECT_EQ(W.objectCtrl.HitShotEnemies(&shotAt(MYSHOT_WAVE, x, y)), 0);
    EXPECT_EQ(a.power, 100);
    EXPECT_EQ(Score, 0);
    EXPECT_EQ(W.objectCtrl.HitShotEnemies(&shotAt(MYSHOT_PUNCH, x, y)), 1);
    EXPECT_EQ(a.power, 100 - MyShotsCtrlCls::MyShot::myShotPower[2][MYSHOT_PUNCH]);
    EXPECT_EQ(Score, 10);

    // 0x100: every shot hurts it.
    SetUp();
    MainObjectCtrlCls::Object& b = flagged(40, 0x100, x, y);
    EXPECT_EQ(W.objectCtrl.HitShotEnemies(&shotAt(MYSHOT_WAVE, x, y)), 1);
    EXPECT_EQ(b.power, 100 - MyShotsCtrlCls::MyShot::myShotPower[2][MYSHOT_WAVE]);

    // Dormant or just placed objects (work5 below 1) are never hit.
    SetUp();
    MainObjectCtrlCls::Object& c = flagged(40, 0x100, x, y);
    c.work5 = 0;
    EXPECT_EQ(W.objectCtrl.HitShotEnemies(&shotAt(MYSHOT_PUNCH, x, y)), 0);
    EXPECT_EQ(c.power, 100);

    // A 0x400 object is pushed by half the shot's speed; 0x8000 keeps it in place.
    SetUp();
    MainObjectCtrlCls::Object& d = flagged(40, 0x400, x, y);
    MyShotsCtrlCls::MyShot& p = shotAt(MYSHOT_PUNCH, x, y);
    p.speedX = 400;
    W.objectCtrl.HitShotEnemies(&p);
    EXPECT_EQ(d.posX, x + 200);
    SetUp();
    MainObjectCtrlCls::Object& e = flagged(40, 0x8400, x, y);
    MyShotsCtrlCls::MyShot& q = shotAt(MYSHOT_PUNCH, x, y);
    q.speedX = 400;
    W.objectCtrl.HitShotEnemies(&q);
    EXPECT_EQ(e.posX, x);
}

TEST_F(Hits, DogShotStrikesWithAWideSquare) {
    const int x = 20 * 1600, y = 8 * 1600;
    // Its own box is 12 dots; it hits with 32 dots reaching 10 dots up and left.
    for (int dx : {-2300, 2100}) {
        SetUp();
        MainObjectCtrlCls::Object& o = flagged(40, 0x100, x + dx, y);
        EXPECT_EQ(W.objectCtrl.HitShotEnemies(&shotAt(MYSHOT_DOG, x, y)), 1) << dx;
        EXPECT_LT(o.power, 100);
        // The same place is out of reach of a punch's 16-dot box.
        SetUp();
        flagged(40, 0x100, x + dx, y);
        EXPECT_EQ(W.objectCtrl.HitShotEnemies(&shotAt(MYSHOT_BOUNCER, x, y)), 0) << dx;
    }
    SetUp();
    flagged(40, 0x100, x + 2300, y);
    EXPECT_EQ(W.objectCtrl.HitShotEnemies(&shotAt(MYSHOT_DOG, x, y)), 0);
}

TEST_F(Hits, EnemyCurlsIntoACapsuleThatIsThrownWhenHitAgain) {
    const int x = 20 * 1600, y = 8 * 1600;
    MainObjectCtrlCls::Object& o = putObject(40, 8, x, y);
    o.patt = 721;
    o.speedX = 150;
    o.work5 = 900;  // an old enemy: its capsule must still count from 0
    const int cx = o.posX + o.halfW;
    o.explode(300);
    EXPECT_TRUE(o.activeF);
    EXPECT_EQ(o.kind, 136);
    EXPECT_EQ(o.w2, 721) << "the enemy's picture is kept for hatching";
    EXPECT_EQ(o.w3, 150);
    EXPECT_EQ(o.speedX, 0);
    EXPECT_EQ(o.power, 1);
    EXPECT_EQ(o.work5, 0);
    EXPECT_EQ(o.patt, 848) << "the capsule's own picture";
    EXPECT_EQ(o.posX + o.halfW, cx) << "the capsule keeps the enemy's centre";
    EXPECT_EQ(Score, 0) << "nothing is paid while it lives on";

    // Hit again, the capsule flies off as a player shot of kind 5 carrying its picture.
    o.work5 = 5;
    pool().chainCount = 2;
    o.explode(300);
    EXPECT_FALSE(o.activeF);
    EXPECT_EQ(Score, 500) << "the capsule's value";
    int thrown = -1;
    for (int i = 0; i < 32; ++i)
        if (pool().shots[i].activeF && pool().shots[i].kind == MYSHOT_CAPSULE5) thrown = i;
    ASSERT_GE(thrown, 0);
    EXPECT_EQ(pool().shots[thrown].picture, 848);
    EXPECT_GT(pool().shots[thrown].speedX, 0) << "thrown the way the blow went";
    EXPECT_EQ(pool().chainCount, 3);
}

TEST_F(Hits, CapsuleWithEveryShotRecordBusyStaysWhole) {
    const int x = 20 * 1600, y = 8 * 1600;
    MainObjectCtrlCls::Object& o = putObject(40, 136, x, y);
    o.power = -30;
    for (int i = 0; i < 32; ++i) pool().addShot(1600, 1600, 0, 0, MYSHOT_DEBRIS);
    o.explode(300);
    EXPECT_TRUE(o.activeF) << "not lost";
    EXPECT_EQ(o.kind, 136);
    EXPECT_EQ(o.power, 1) << "ready to be hit and thrown again";
    EXPECT_EQ(Score, 0);
    EXPECT_EQ(activeShots(MYSHOT_CAPSULE5), 0);
}

TEST_F(Hits, ChainExplodeTakesOneKindAndIgnoresItems) {
    putObject(40, 5, 1600, 1600);
    putObject(41, 5, 3200, 1600);
    W.objectCtrl.ChainExplode(5);
    EXPECT_TRUE(W.objectCtrl.objects[40].activeF);
    EXPECT_TRUE(W.objectCtrl.objects[41].activeF);
    putObject(42, 177, 4800, 1600);
    putObject(50, 177, 6400, 1600);
    putObject(51, 178, 8000, 1600);
    W.objectCtrl.ChainExplode(177);
    EXPECT_FALSE(W.objectCtrl.objects[42].activeF);
    EXPECT_FALSE(W.objectCtrl.objects[50].activeF);
    EXPECT_TRUE(W.objectCtrl.objects[51].activeF);
    EXPECT_EQ(W.objectCtrl.objects[42].deathTime, CtrlCounter);
}

TEST_F(Hits, BossTargetBlocksOpenWhenItIsGone) {
    for (int c = 0; c < 5; ++c) put(3, c, 936);
    put(4, 4, 935);
    MainObjectCtrlCls::Object& boss = putObject(40, 63, 20 * 1600, 8 * 1600);
    boss.explode(0);
    EXPECT_FALSE(boss.activeF);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(MenMap[3][c], 7);
    EXPECT_EQ(MenMap[4][4], 935);
    // A boss that becomes an explosion keeps its target until the explosion is over.
    put(5, 5, 938);
    MainObjectCtrlCls::Object& big = putObject(41, 74, 30 * 1600, 8 * 1600);
    big.explode(0);
    EXPECT_TRUE(big.activeF);
    EXPECT_EQ(big.kind, 135);
    EXPECT_EQ(big.target, 938);
    EXPECT_EQ(big.power, 999);
    EXPECT_EQ(big.regA, 50000) << "the boss's value, paid when the explosion ends";
    EXPECT_EQ(MenMap[5][5], 938);
    // The explosion flashes for its period (kind 135: 240 frames), then pays the boss's
    // value and the gate opens.
    const int score = Score;
    for (int i = 0; i < 239 && big.activeF; ++i) W.objectCtrl.moveObjects();
    EXPECT_TRUE(big.activeF);
    EXPECT_EQ(Score, score);
    W.objectCtrl.moveObjects();
    EXPECT_FALSE(big.activeF);
    EXPECT_EQ(Score, score + 50000);
    EXPECT_EQ(MenMap[5][5], 7);
    EXPECT_EQ(FHExplode::ruleFor(3), FHExplode::COIN);
    EXPECT_EQ(FHExplode::ruleFor(161), FHExplode::CAPSULE_BREAK) << "capsules that are not thrown break open";
    EXPECT_EQ(FHExplode::ruleFor(29), FHExplode::PIECES);
}

TEST_F(Hits, SpentCapsuleRingsOutAndTheRingBreaksABlock) {
    // A thrown capsule that has already struck once (power 1) hits an enemy beside a
    // cracked block: a gold coin is knocked loose and a ring starts where the capsule
    // is; the ring breaks the block on its next frame.
    const int x = 20 * 1600, y = 8 * 1600;
    put(8, 20, 960);
    flagged(40, 0x100, x, y);
    MyShotsCtrlCls::MyShot& cap = shotAt(MYSHOT_CAPSULE5, x, y);
    cap.power = 1;
    cap.speedX = cap.speedY = 0;
    EXPECT_EQ(W.objectCtrl.HitShotEnemies(&cap), 1);
    EXPECT_EQ(activeShots(MYSHOT_RING), 1);
    pool().moveShots();
    EXPECT_EQ(MenMap[8][20], 7);
}

}  // namespace

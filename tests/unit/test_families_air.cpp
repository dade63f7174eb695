// Flying, throwing and spawning families: a flyer keeps to its beat; the time-out
// ambush creeps through walls to the player and hurts even in invincible mode; thrown
// things end where they should; a mole digs in after a throw; a spawner keeps its
// children few, never spawns into a full pool and draws from Random() alike either
// way; a boss changes phase at its life thresholds, forward only.
#include "family_fixture.h"

using namespace FHWGBL;

namespace {

class Air : public FamilyField {
protected:
    void SetUp() override {
        FamilyField::SetUp();
        floorRow(11);
    }
};

TEST_F(Air, FlyerKeepsToItsBeat) {
    place(0, 2, 10);
    Obj& w = make(40, 35, 30, 5);
    const int x0 = w.posX, y0 = w.posY;
    int minX = x0, maxX = x0, minY = y0, maxY = y0, turns = 0, dir = 0;
    for (int i = 0; i < 900; ++i) {
        frames(1);
        minX = std::min(minX, w.posX);
        maxX = std::max(maxX, w.posX);
        minY = std::min(minY, w.posY);
        maxY = std::max(maxY, w.posY);
        const int d = w.speedX < 0 ? -1 : 1;
        if (dir != 0 && d != dir) ++turns;
        dir = d;
    }
    EXPECT_GE(minX, x0 - 6400 - 100);
    EXPECT_LE(maxX, x0 + 6400 + 100);
    EXPECT_GE(turns, 2);
    EXPECT_NEAR(maxY - minY, 2400, 100) << "bobs by its wave height each way";
}

TEST_F(Air, AmbushCreepsThroughWallsAndHurtsEvenInInvincibleMode) {
    place(0, 20, 10);
    MyCharactor& p = W.chars[0];
    for (int r = 4; r < 11; ++r) put(r, 16, kSolid);  // a wall between them
    // Made as the time-out makes it: 160 dots away in direction r, work1 = r / 11.
    const int r = 0;
    Obj& a = make(40, 29, 0, 0);
    a.posX = p.posX - 16000;
    a.posY = p.posY;
    a.work1 = r / 11;
    a.speedX = a.speedY = 100;
    int closest = 1 << 30;
    for (int i = 0; i < 260; ++i) {
        frames(1);
        closest = std::min(closest, std::abs(a.posX - p.posX) + std::abs(a.posY - p.posY));
    }
    EXPECT_LT(closest, 1600) << "reached the player through the wall";

    // Harm: the player's own step notes it; in invincible mode only this kind hurts.
    FHSYS_GLOBALS::use_invincibleF = true;
    startInput();
    // Overlapping from above (a box below the player's counts as something it stands
    // on; boxes at one same position do not touch).
    a.posX = p.posX + 200;
    a.posY = p.posY - 800;
    a.work5 = 10;
    MyCharactor::MissingF = false;
    for (int i = 0; i < 10 && !MyCharactor::MissingF; ++i) step();
    EXPECT_TRUE(MyCharactor::MissingF) << "the ambush hurts through invincibility";

    for (const bool invincible : {false, true}) {
        SetUp();
        FHSYS_GLOBALS::use_invincibleF = invincible;
        startInput();
        Obj& c = make(40, 15, 0, 0);
        c.posX = W.chars[0].posX + 200;
        c.posY = W.chars[0].posY - 800;
        c.work5 = 10;
        MyCharactor::MissingF = false;
        for (int i = 0; i < 10; ++i) step();
        EXPECT_EQ(MyCharactor::MissingF, !invincible)
            << "an acorn critter hurts only without invincibility";
    }
    FHSYS_GLOBALS::use_invincibleF = false;
}

TEST_F(Air, ThrownThingsEndOnWallsOnLandingAndInTime) {
    place(0, 2, 10);
    for (int r = 0; r < 11; ++r) put(r, 40, kSolid);
    Obj& seed = make(40, 176, 35, 6);
    seed.speedX = 300;
    Obj& clod = make(41, 178, 20, 4);
    clod.speedX = 100;
    clod.speedY = -400;
    Obj& blast = make(42, 188, 25, 10);
    blast.speedY = -30;
    blast.work5 = -20;  // a levelled mine waits before it goes off
    watch(blast);
    frames(20);
    EXPECT_TRUE(blast.activeF);
    EXPECT_EQ(blast.posY, 10 * 1600) << "still waiting";
    frames(1);
    const int scale0 = last.scaleY;
    EXPECT_EQ(scale0, 200) << "its 16-dot picture covers its 32-dot box";
    frames(10);
    EXPECT_GT(last.scaleY, scale0);
    EXPECT_LT(blast.posY, 10 * 1600) << "rises";
    EXPECT_FALSE(seed.activeF) << "the seed broke on the wall";
    EXPECT_GE(seed.posX + seed.box.right - seed.box.left, 38 * 1600);
    frames(40);
    EXPECT_FALSE(clod.activeF) << "the clod ended on the ground";
    EXPECT_GT(clod.posY, 7 * 1600);
    EXPECT_FALSE(blast.activeF) << "the blast is over";
}

TEST_F(Air, MoleThrowsThenDigsInAndComesBack) {
    place(0, 24, 10);
    Obj& m = make(40, 28, 30, 9);
    watch(m);
    bool windUp = false;
    int i = 0;
    for (; i < 300 && m.work5 >= 0; ++i) {
        frames(1);
        windUp |= last.pattern == 764;
    }
    EXPECT_TRUE(windUp);
    ASSERT_LT(m.work5, 0) << "dug in after its throw";
    EXPECT_EQ(activeOfKind(178), 1) << "one clod thrown";
    frames(119);
    EXPECT_EQ(m.work5, 0) << "dormant for 120 frames";
    frames(2);
    EXPECT_EQ(last.pattern, 763) << "back up";
}

TEST_F(Air, SpawnerKeepsItsChildrenFewAndDrawsRandomAliveOrFull) {
    place(0, 24, 10);
    SetRandomSeed(1234);
    Obj& s = make(40, 27, 30, 9);
    frames(240 * 6);
    EXPECT_EQ(activeOfKind(15), 2) << "two acorn critters at most";
    EXPECT_EQ(s.regC, 2);
    const int32_t afterFree = Random();

    SetUp();
    place(0, 24, 10);
    SetRandomSeed(1234);
    Obj& t = make(40, 27, 30, 9);
    fillPool();
    frames(240 * 6);
    EXPECT_EQ(activeOfKind(15), 0) << "a full pool takes no child";
    EXPECT_EQ(t.regC, 0);
    EXPECT_EQ(Random(), afterFree) << "the same numbers were drawn";
}

TEST_F(Air, BossChangesPhaseAtItsThresholdsForwardOnly) {
    place(0, 10, 10);
    Obj& b = make(40, 125, 30, 4);
    b.w2 = b.power = 900;  // the map's life (boss set-up)
    watch(b);
    frames(30);
    EXPECT_EQ(b.regC, 0);
    b.power = 600;  // 66 %
    frames(1);
    EXPECT_EQ(b.regC, 1);
    EXPECT_EQ(last.pattern, 1558) << "staggered";
    frames(40);
    EXPECT_NE(last.pattern, 1558);
    b.power = 300;
    frames(1);
    EXPECT_EQ(b.regC, 2);
    b.power = 900;  // healed somehow: no way back
    int most = 0;
    for (int i = 0; i < 200; ++i) {
        frames(1);
        most = std::max(most, activeOfKind(176));
    }
    EXPECT_EQ(b.regC, 2);
    EXPECT_GE(most, 5) << "its last phase throws fans of five";
    bool angry = false;
    for (int i = 0; i < 120; ++i) {
        frames(1);
        angry |= last.pattern >= 1555 && last.pattern <= 1557;
    }
    EXPECT_TRUE(angry);

    // Without a life from the map it measures against its kind's own life.
    Obj& c = make(41, 125, 50, 4);
    c.power = vrndx_objAttributeRefPtr(125)[OBJATTR_LIFE] / 4;
    frames(1);
    EXPECT_EQ(c.regC, 2) << "a quarter of its life: straight to the last phase";
}

}  // namespace

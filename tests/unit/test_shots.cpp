// The player's shot pool: how many shots it takes, what each hit is worth at each game
// level against an enemy's life, and the item blocks that close-range shots break.

#include "fight_fixture.h"

#include "FHobjectCtrl_shots.h"

using namespace FHWGBL;

namespace {

class Shots : public FightField {
protected:
    MyShotsCtrlCls& pool() { return W.shotCtrl; }
};

TEST_F(Shots, PoolLimitsFullPoolGrenadesAndWeaponRecords) {
    // 32 records: the 33rd request creates nothing and reports 32.
    for (int i = 0; i < 32; ++i) EXPECT_EQ(pool().addShot(1600, 1600, 0, 0, MYSHOT_DEBRIS), i);
    // A refused capsule uses the generator as a thrown one would (four draws).
    SetRandomSeed(77);
    for (int i = 0; i < 4; ++i) Random();
    const int afterFour = Random();
    SetRandomSeed(77);
    EXPECT_EQ(pool().addShot(1600, 1600, 100, 0, MYSHOT_CAPSULE5, 848), 32);
    EXPECT_EQ(activeShots(), 32);
    EXPECT_EQ(Random(), afterFour);

    // Grenades: a third one is refused while two grenades or blasts fly.
    SetUp();
    EXPECT_EQ(pool().addShot(1600, 1600, 100, 0, MYSHOT_GRENADE), 0);
    EXPECT_EQ(pool().addShot(1600, 1600, 100, 0, MYSHOT_BLAST), 1);
    EXPECT_EQ(pool().addShot(1600, 1600, 100, 0, MYSHOT_GRENADE), 32);
    EXPECT_EQ(activeShots(), 2);
    pool().shots[1].activeF = 0;
    EXPECT_EQ(pool().addShot(1600, 1600, 100, 0, MYSHOT_GRENADE), 1);

    // Weapons live only in the first five records: with those busy nothing is made even
    // though record 5 is free; under water no weapon shot is made at all.
    SetUp();
    for (int i = 0; i < 5; ++i) pool().addShot(1600, 1600, 0, 0, MYSHOT_DEBRIS);
    EXPECT_EQ(pool().addShot(1600, 1600, 100, 0, MYSHOT_WAVE), 5);
    EXPECT_FALSE(pool().shots[5].activeF);
    pool().shots[2].activeF = 0;
    EXPECT_EQ(pool().addShot(1600, 1600, 100, 0, MYSHOT_WAVE), 2);
    EXPECT_TRUE(pool().shots[2].activeF);
    SetUp();
    UWMode = true;
    pool().addShot(1600, 1600, 100, 0, MYSHOT_ROLLER);
    EXPECT_EQ(activeShots(), 0);
    // Kinds outside the table are refused, not read past it.
    UWMode = false;
    EXPECT_EQ(pool().shots[0].newShot(0, 0, 0, 0, 0, 40), -1);
    EXPECT_FALSE(pool().shots[0].activeF);
}

TEST_F(Shots, PunchPowerByLevelAgainstAnEnemysLife) {
    // Kind 8 (the diver) has 40 life. A punch does 60 at level 0, 40 at 1..3 and 20 at
    // level 4, where its second frame (20 after a hit) finishes the enemy.
    for (int level = 0; level <= 4; ++level) {
        SetUp();
        GameLevel = level;
        MainObjectCtrlCls::Object& o = putObject(40, 8, 20 * 1600, 8 * 1600);
        const int life = o.power;
        const int slot = pool().addShot(o.posX, o.posY + 800, 200, 0, MYSHOT_PUNCH);
        ASSERT_LT(slot, 32);
        EXPECT_EQ(pool().shots[slot].power, MyShotsCtrlCls::MyShot::myShotPower[level][MYSHOT_PUNCH]);
        const int scoreBefore = Score;
        pool().moveShots();
        const bool firstFrame = MyShotsCtrlCls::MyShot::myShotPower[level][MYSHOT_PUNCH] >= life;
        EXPECT_EQ(o.kind == 136, firstFrame) << "level " << level;
        EXPECT_GT(Score, scoreBefore) << "a hit scores";
        o.work5 = 10;  // the capsule has had its own frame
        if (!firstFrame) {
            EXPECT_EQ(pool().shots[slot].power, 20) << "a punch that hit hits again with 20";
            pool().moveShots();
            EXPECT_EQ(o.kind, 136) << "level " << level;
        }
        EXPECT_EQ(o.power, 1) << "a capsule holds one point";
    }
    // Under water every shot counts double.
    SetUp();
    UWMode = true;
    pool().addShot(0, 0, 0, 0, MYSHOT_PUNCH);
    EXPECT_EQ(pool().shots[0].power, 2 * MyShotsCtrlCls::MyShot::myShotPower[2][MYSHOT_PUNCH]);
}

TEST_F(Shots, PunchBreaksItemBlocksAndReleasesWhatTheTableSays) {
    // A punch meeting block 1001 opens it (block 7).
    put(8, 20, 1001);
    pool().addShot(20 * 1600 - 1600, 8 * 1600, 200, 0, MYSHOT_PUNCH);
    pool().moveShots();
    EXPECT_EQ(MenMap[8][20], 7);
    EXPECT_EQ(W.chars[0].stayCount, -1) << "something was released";
    // A plain cracked block opens without releasing anything.
    W.chars[0].stayCount = 5;
    put(8, 30, 960);
    pool().addShot(30 * 1600, 8 * 1600, 200, 0, MYSHOT_PUNCH);
    pool().moveShots();
    EXPECT_EQ(MenMap[8][30], 7);
    EXPECT_EQ(W.chars[0].stayCount, 5);
    // Weapon shots and thrown capsules break nothing.
    put(8, 40, 960);
    pool().addShot(40 * 1600, 8 * 1600, 0, 0, MYSHOT_DEBRIS);
    pool().moveShots();
    EXPECT_EQ(MenMap[8][40], 960);

    // Releases: 1001 a silver coin going up at 500, placed two blocks above the block.
    FHShots::Release r = FHShots::blockRelease(1001, 20, 8, 200, 1, 9, 0);
    EXPECT_EQ(r.kind, 50);
    EXPECT_EQ(r.x, 20 * 1600);
    EXPECT_EQ(r.y, 8 * 1600 - 3200);
    EXPECT_EQ(r.vy, -500);
    // Weapon crates tell the weapon item which weapon comes next by its count.
    for (int w = 9; w <= 12; ++w) EXPECT_EQ(FHShots::blockRelease(992, 0, 0, 0, 1, w, 0).count, (w - 9) * 60);
    // Level food (1019) by game level, and nothing special in free play.
    const int expected[5] = {7, 7, 7, 24, 29};
    for (int level = 0; level <= 4; ++level) {
        GameLevel = level;
        r = FHShots::blockRelease(1019, 3, 4, 0, 1, 9, 0);
        EXPECT_EQ(r.kind, 52);
        EXPECT_EQ(r.extra, expected[level]);
        EXPECT_EQ(r.y, 4 * 1600) << "level food starts at the block";
    }
    FHSYS_GLOBALS::use_freePlayF = true;
    EXPECT_EQ(FHShots::blockRelease(1019, 3, 4, 0, 1, 9, 0).extra, 0);
    EXPECT_EQ(FHShots::blockRelease(1002, 3, 4, 0, 1, 9, 0).extra, 7);
    FHSYS_GLOBALS::use_freePlayF = false;
    const int big = FHShots::blockRelease(1002, 3, 4, 0, -1, 9, 0).extra;
    EXPECT_TRUE(big == 29 || big == 30);
    // The hidden enemy jumps back against the blow.
    r = FHShots::blockRelease(970, 3, 4, 300, 1, 9, 0);
    EXPECT_EQ(r.kind, 36);
    EXPECT_EQ(r.vx, -150);
}

TEST_F(Shots, ColourLocksOpenOnlyForTheHeroineWithTheirKey) {
    EXPECT_FALSE(FHShots::breakable(944, 0, 1)) << "the hero never opens a lock";
    EXPECT_TRUE(FHShots::breakable(944, 1, 1));
    EXPECT_FALSE(FHShots::breakable(944, 1, 2)) << "the green key does not open red";
    EXPECT_TRUE(FHShots::breakable(945, 1, 2));
    EXPECT_TRUE(FHShots::breakable(946, 1, 8)) << "the master key opens every lock";
    EXPECT_FALSE(FHShots::breakable(947, 1, 15));
    EXPECT_FALSE(FHShots::breakable(943, 1, 15));
    EXPECT_TRUE(FHShots::breakable(1023, 0, 0));
    EXPECT_FALSE(FHShots::breakable(1024, 0, 0));

    // Opened with the master key instead of its own key: marked in the play record.
    put(8, 20, 944);
    MyCharactor::currentCHR = 1;
    RBGKeyBit = 8;
    pool().addShot(20 * 1600, 8 * 1600, 200, 0, MYSHOT_PUNCH);
    pool().moveShots();
    EXPECT_EQ(MenMap[8][20], 7);
    EXPECT_TRUE(FHSYS_GLOBALS::usedF5F);
    FHSYS_GLOBALS::usedF5F = false;
    put(8, 22, 944);
    RBGKeyBit = 1;
    pool().addShot(22 * 1600, 8 * 1600, 200, 0, MYSHOT_PUNCH);
    pool().moveShots();
    EXPECT_EQ(MenMap[8][22], 7);
    EXPECT_FALSE(FHSYS_GLOBALS::usedF5F);
}

TEST_F(Shots, FlightsEndOnTime) {
    // Character 1's weapon shots live twice as long as character 0's.
    auto lifetime = [&](int chr, int kind) {
        SetUp();
        MyCharactor::currentCHR = chr;
        pool().addShot(10 * 1600, 2 * 1600, 100, 0, kind);
        int frames = 0;
        while (activeShots() > 0 && frames < 400) {
            pool().moveShots();
            ++frames;
        }
        return frames;
    };
    EXPECT_EQ(lifetime(0, MYSHOT_WAVE), 61);
    EXPECT_EQ(lifetime(1, MYSHOT_WAVE), 121);
    EXPECT_EQ(lifetime(0, MYSHOT_PUNCH), 2);
    EXPECT_EQ(lifetime(0, MYSHOT_BLAST), 17);
    EXPECT_EQ(lifetime(0, MYSHOT_RING), 31);
    // A grenade turns into a blast where it lands.
    SetUp();
    floorRow(11);
    pool().addShot(10 * 1600, 9 * 1600, 100, 0, MYSHOT_GRENADE);
    int frames = 0;
    while (activeShots(MYSHOT_GRENADE) > 0 && frames < 100) {
        pool().moveShots();
        ++frames;
    }
    EXPECT_LT(frames, 60);
    EXPECT_EQ(activeShots(MYSHOT_BLAST), 1);
}

}  // namespace

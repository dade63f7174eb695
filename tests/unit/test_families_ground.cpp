// Ground families: walkers turn at walls and (when their row says so) at ledges, a
// charger charges only a player ahead of it; hoppers land and leap at the player;
// droppers fall on a player below and climb back; platforms follow their track and
// report the displacement a rider is carried by.
#include "family_fixture.h"

using namespace FHWGBL;

namespace {

class Ground : public FamilyField {
protected:
    void SetUp() override {
        FamilyField::SetUp();
        floorRow(11);
        place(0, 2, 10);  // the player far left, out of every creature's way
    }
};

TEST_F(Ground, WalkerTurnsAtAWallAndKeepsOffIt) {
    put(10, 30, kSolid);  // a wall two blocks high (one block is a step it climbs)
    put(9, 30, kSolid);
    Obj& o = make(40, 15, 26, 10);
    o.speedX = 50;
    frames(200);
    EXPECT_LT(o.speedX, 0) << "turned back at the wall";
    EXPECT_LT(o.posX + o.box.right - o.box.left, 30 * 1600 + 1) << "never inside the wall";
    EXPECT_EQ(o.posY + o.box.bottom - o.box.top, 11 * 1600) << "stays on the floor";
}

TEST_F(Ground, LedgeTurnersStayOnTheirShelfOthersWalkOff) {
    std::memset(MenMap, 0, sizeof(MenMap));
    floorRun(8, 20, 26);  // a shelf of seven blocks, open air on both sides
    floorRow(14);
    Obj& critter = make(40, 15, 22, 7);  // turns at ledges
    critter.speedX = 50;
    Obj& beetle = make(41, 33, 24, 7);  // walks off
    beetle.speedX = 60;
    int minX = critter.posX, maxX = critter.posX;
    for (int i = 0; i < 400; ++i) {
        frames(1);
        minX = std::min(minX, critter.posX);
        maxX = std::max(maxX, critter.posX);
    }
    EXPECT_EQ(critter.posY + critter.box.bottom - critter.box.top, 8 * 1600);
    EXPECT_GE(minX, 20 * 1600 - 1600);
    EXPECT_LE(maxX, 27 * 1600);
    EXPECT_GT(maxX - minX, 3 * 1600) << "it walked both ways along the shelf";
    EXPECT_EQ(beetle.posY + beetle.box.bottom - beetle.box.top, 14 * 1600)
        << "the beetle fell to the ground below";
}

TEST_F(Ground, ChargerChargesOnlyAPlayerAheadAndWalksAgainAfter) {
    Obj& b = make(40, 33, 30, 10);
    b.speedX = -60;   // walking left, towards the player
    b.work5 = 200;    // rested long enough to charge
    place(0, 40, 10); // behind it: no charge
    frames(5);
    EXPECT_EQ(b.regC, 0);
    EXPECT_GE(std::abs(b.speedX), 60);
    place(0, 24, 10); // ahead of it, within reach
    frames(2);
    ASSERT_EQ(b.regC, 2) << "winds up";
    const int x = b.posX;
    frames(20);
    EXPECT_EQ(b.posX, x) << "stands still while winding up";
    watch(b);
    frames(20);
    EXPECT_EQ(b.regC, 3);
    EXPECT_EQ(b.speedX, -240);
    EXPECT_EQ(last.pattern, 748) << "charge picture";
    EXPECT_EQ(last.facing, -1);
    frames(80);
    EXPECT_LT(b.regC, 2) << "the charge ends";
    EXPECT_EQ(std::abs(b.speedX), 60);
}

TEST_F(Ground, HopperLandsThenLeapsAtThePlayer) {
    Obj& h = make(40, 34, 30, 4);  // in the air above the floor
    watch(h);
    frames(60);
    EXPECT_EQ(h.posY + h.box.bottom - h.box.top, 11 * 1600) << "landed";
    EXPECT_NE(h.regC, 2);
    EXPECT_EQ(last.pattern, 728) << "sitting";
    const int x = h.posX;
    int topY = h.posY;
    bool crouched = false;
    for (int i = 0; i < 160; ++i) {
        frames(1);
        crouched |= last.pattern == 729;
        topY = std::min(topY, h.posY);
    }
    EXPECT_TRUE(crouched);
    EXPECT_LT(topY, 10 * 1600 - 3200) << "a real leap";
    EXPECT_LT(h.posX, x) << "towards the player on the left";
    EXPECT_EQ(last.facing, -1);
}

TEST_F(Ground, DropperFallsOnAPlayerBelowRestsAndClimbsBack) {
    Obj& s = make(40, 23, 30, 3);
    frames(30);
    EXPECT_EQ(s.posY, 3 * 1600) << "hangs while nobody is below";
    place(0, 30, 10);
    frames(60);
    EXPECT_EQ(s.regC, 3) << "landed and resting";
    EXPECT_EQ(s.posY + s.box.bottom - s.box.top, 11 * 1600);
    place(0, 2, 10);
    frames(400);
    EXPECT_EQ(s.posY, 3 * 1600) << "back at its branch";
    EXPECT_LT(s.regC, 2);
}

TEST_F(Ground, PlatformFollowsItsTrackAndReportsItsMotion) {
    Obj& p = make(40, 113, 20, 6);
    p.w0 = 4 * 3;  // three blocks across (set-up: 4 x the horizontal parameter)
    p.w1 = 0;
    p.w2 = 200;    // one round trip in 200 frames
    const int x0 = p.posX;
    frames(99);
    EXPECT_NEAR(p.posX, x0 + 3 * 1600, 40) << "far end at half the trip";
    frames(101);
    EXPECT_NEAR(p.posX, x0, 40) << "back at the start";
    EXPECT_EQ(p.posY, 6 * 1600);
    const int from = p.posX;
    int sum = 0;
    for (int i = 0; i < 50; ++i) {
        frames(1);
        sum += p.w5;
    }
    EXPECT_GT(p.posX - from, 1600);
    EXPECT_EQ(sum, p.posX - from) << "w5 adds up to the distance moved";
    EXPECT_TRUE(vrndx_objAttributeRefPtr(113)[OBJATTR_FLAGS] & OBJFLG_PLATFORM);
}

}  // namespace

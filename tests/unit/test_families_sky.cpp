// The sky's families: a falling cloud holds, shakes, falls and comes back; a cloud
// platform carries its rider exactly on its top; a balloon climbs, bobs, sinks under a
// rider and pops to a punch but not to a weapon; lightning ends on the first block in
// its way; a storm cloud drifts over the player and strikes after darkening; a swallow
// dives only at a player below and climbs back; the roc circles above the ground, not
// above a ledge, changes phase forward only, keeps her birds few, blows players sideways
// and calms the wind, rains bolts, and draws Random() alike whether the pool takes her
// birds or not.
#include <algorithm>
#include <cstdlib>

#include "family_fixture.h"

#include "FHobjectCtrl_shots.h"

using namespace FHWGBL;

namespace {

class Sky : public FamilyField {
protected:
    void SetUp() override {
        FamilyField::SetUp();
        floorRow(11);
    }
    // Character k standing on the top of object o, a little in from its left edge.
    void standOn(int k, const Obj& o) {
        MyCharactor& c = W.chars[k];
        c.posX = o.posX + 800;
        c.posY = o.posY - (c.box.bottom - c.box.top);
    }
    int boxH(const Obj& o) const { return o.box.bottom - o.box.top; }
};

TEST_F(Sky, FallingCloudHoldsShakesFallsAndComesBack) {
    place(0, 5, 10);
    Obj& c = make(40, 115, 30, 6);
    const int x0 = c.posX, y0 = c.posY;
    frames(200);
    EXPECT_EQ(c.regC, 0) << "nobody on it: it rests";
    EXPECT_EQ(c.posX, x0);
    EXPECT_EQ(c.posY, y0);

    standOn(0, c);
    watch(c);
    frames(1);
    EXPECT_EQ(c.regC, 1) << "stood on: it shakes";
    frames(1);
    EXPECT_EQ(last.pattern, 827) << "its cracking picture";
    frames(37);
    EXPECT_EQ(c.posY, y0) << "it holds while it shakes";
    EXPECT_LE(std::abs(c.posX - x0), 100);
    frames(3);
    EXPECT_EQ(c.regC, 2);
    frames(20);
    EXPECT_GT(c.posY, y0 + 1600) << "falling";

    // Gone: dormant at its place, neither a platform nor a target, then back.
    frames(45);
    EXPECT_LT(c.work5, 0);
    EXPECT_EQ(c.posX, x0);
    EXPECT_EQ(c.posY, y0);
    int flags = 0;
    EXPECT_EQ(FHPlay::touchableBox(c, &flags), nullptr);
    W.chars[0].posX = 5 * 1600;  // the rider has gone
    frames(300);
    EXPECT_GT(c.work5, 0);
    EXPECT_EQ(c.regC, 0);
    EXPECT_NE(FHPlay::touchableBox(c, &flags), nullptr);
    EXPECT_TRUE(flags & OBJFLG_PLATFORM);

    // The map's hold time replaces the row's.
    Obj& d = make(41, 115, 40, 6);
    d.w2 = 10;
    standOn(0, d);
    frames(12);
    EXPECT_EQ(d.regC, 2);
}

TEST_F(Sky, CloudPlatformCarriesItsRiderExactlyOnItsTop) {
    Obj& c = make(40, 114, 20, 8);
    c.work5 = 1;
    MyCharactor& p = W.chars[0];
    standOn(0, c);
    startInput();
    const int x0 = p.posX;
    int worst = 0;
    for (int i = 0; i < 160; ++i) {  // half its round trip: four blocks across
        step();
        frames(1);
        const int gap = (p.posY + (p.box.bottom - p.box.top)) - (c.posY - c.w6);
        worst = std::max(worst, std::abs(gap));
    }
    EXPECT_EQ(worst, 0) << "the rider's feet stay on its top";
    EXPECT_NEAR(p.posX - x0, 6400, 400) << "carried across with it";
    EXPECT_FALSE(MyCharactor::MissingF);
}

TEST_F(Sky, BalloonClimbsBobsSinksUnderARiderAndPopsToAPunch) {
    place(0, 5, 10);
    Obj& b = make(40, 44, 30, 9);
    const int y0 = b.posY;
    frames(300);
    int lo = b.posY, hi = b.posY;
    for (int i = 0; i < 200; ++i) {
        frames(1);
        lo = std::min(lo, b.posY);
        hi = std::max(hi, b.posY);
    }
    EXPECT_NEAR((lo + hi) / 2, y0 - 4800, 200) << "climbed three blocks";
    EXPECT_GT(hi - lo, 100) << "bobs";
    EXPECT_LE(hi - lo, 2 * 160 + 40);

    // A rider: it sinks, and stays lower once let go.
    const int before = b.posY;
    for (int i = 0; i < 40; ++i) {
        standOn(0, b);
        frames(1);
    }
    EXPECT_GE(b.posY - before, 40 * 16 - 200);
    place(0, 5, 10);
    int top = 1 << 30;
    for (int i = 0; i < 200; ++i) {
        frames(1);
        top = std::min(top, b.posY);
    }
    EXPECT_GT(top, y0 - 4800 + 200) << "floats lower after the ride";

    // The map's work5 gives the climb in blocks.
    Obj& m = make(42, 44, 50, 9);
    m.work5 = 5;
    frames(500);
    EXPECT_NEAR(m.posY, 9 * 1600 - 5 * 1600, 200);

    // A balloon placed under a ceiling stops there.
    for (int c = 38; c < 42; ++c) put(7, c, kSolid);
    Obj& u = make(41, 44, 39, 10);
    frames(300);
    EXPECT_GE(u.posY + u.box.top, 8 * 1600 - 20) << "did not pass the ceiling";

    // The dog's weapon passes by; a punch pops it into its capsule.
    MyShotsCtrlCls& shots = W.shotCtrl;
    b.work5 = 10;
    const int s1 = shots.addShot(b.posX + 100, b.posY + 100, 100, 0, MYSHOT_WAVE);
    ASSERT_LT(s1, 32);
    shots.shots[s1].posX = b.posX + 100;
    shots.shots[s1].posY = b.posY + 100;
    W.objectCtrl.HitShotEnemies(&shots.shots[s1]);
    EXPECT_EQ(b.kind, 44);
    const int s2 = shots.addShot(b.posX + 100, b.posY + 100, 100, 0, MYSHOT_PUNCH);
    ASSERT_LT(s2, 32);
    shots.shots[s2].posX = b.posX + 100;
    shots.shots[s2].posY = b.posY + 100;
    W.objectCtrl.HitShotEnemies(&shots.shots[s2]);
    EXPECT_EQ(b.kind, 172) << "popped";

    // Its capsule falls to the floor and hatches a balloon that climbs from there.
    for (int i = 0; i < 600 && b.kind != 44; ++i) frames(1);
    ASSERT_EQ(b.kind, 44) << "hatched";
    EXPECT_GE(b.posY, 9 * 1600) << "on the floor, where the capsule fell";
    const int hatchedAt = b.posY;
    frames(400);
    EXPECT_NEAR(b.posY, hatchedAt - 4800, 400) << "climbs from where it hatched, not to its old height";
}

TEST_F(Sky, LightningEndsOnTheFirstBlockInItsWay) {
    place(0, 5, 10);
    struct Case {
        int col, blockRow;  // a block in its way at this row (0: only the floor)
    } cases[] = {{30, 0}, {34, 6}};
    for (const Case& k : cases) {
        if (k.blockRow > 0) put(k.blockRow, k.col, kSolid);
        const int slot = W.objectCtrl.AppearObject(k.col * 1600, 2 * 1600, 0, 760, 180, 0);
        ASSERT_GE(slot, 0);
        Obj& o = W.objectCtrl.objects[slot];
        const int stop = (k.blockRow > 0 ? k.blockRow : 11) * 1600;
        int lastBottom = 0;
        for (int i = 0; i < 100 && o.activeF; ++i) {
            lastBottom = o.posY + o.box.bottom - o.box.top;
            frames(1);
        }
        EXPECT_FALSE(o.activeF) << "column " << k.col;
        EXPECT_LE(lastBottom, stop);
        EXPECT_GT(lastBottom, stop - 800) << "gone at the block, not before";
    }
    // Over open sky it lasts its time and no more.
    std::memset(MenMap, 0, sizeof(MenMap));
    const int slot = W.objectCtrl.AppearObject(50 * 1600, 0, 0, 100, 180, 0);
    Obj& o = W.objectCtrl.objects[slot];
    frames(110);
    EXPECT_TRUE(o.activeF);
    frames(20);
    EXPECT_FALSE(o.activeF);
}

TEST_F(Sky, StormCloudDriftsOverThePlayerDarkensAndStrikes) {
    place(0, 10, 10);
    Obj& c = make(40, 40, 20, 2);
    watch(c);
    const int base = vrndx_objAttributeRefPtr(40)[OBJATTR_PATT];
    int darkBefore = 0, strikes = 0, firstStrike = -1;
    for (int i = 0; i < 600; ++i) {
        const int bolts = activeOfKind(180);
        frames(1);
        if (activeOfKind(180) > bolts) {
            ++strikes;
            if (firstStrike < 0) firstStrike = i;
        }
        if (firstStrike < 0 && last.pattern == base + 1) ++darkBefore;
    }
    EXPECT_EQ(firstStrike, 199) << "its first strike after its period";
    EXPECT_GE(darkBefore, 40) << "darkens before the strike";
    EXPECT_EQ(strikes, 3);
    const int cx = c.posX + c.halfW, px = W.chars[0].posX + 600;
    EXPECT_LT(std::abs(cx - px), 1600) << "hangs over the player";

    // The map's work5 puts off the first strike.
    SetUp();
    place(0, 10, 10);
    Obj& d = make(40, 40, 10, 2);
    d.work5 = 50;
    int first = -1;
    for (int i = 0; i < 400 && first < 0; ++i) {
        frames(1);
        if (activeOfKind(180) > 0) first = i;
    }
    EXPECT_EQ(first, 249);
}

TEST_F(Sky, SwallowDivesOnlyAtAPlayerBelowAndClimbsBack) {
    // Far away: it patrols its beat at its height.
    place(0, 60, 10);
    Obj& s = make(40, 39, 20, 3);
    const int y0 = s.posY;
    int lo = y0, hi = y0;
    for (int i = 0; i < 600; ++i) {
        frames(1);
        EXPECT_EQ(s.regC, 0);
        lo = std::min(lo, s.posY);
        hi = std::max(hi, s.posY);
    }
    EXPECT_LE(hi - lo, 700);

    // Passing below it: it dives, comes close and climbs back to its beat.
    SetUp();
    place(0, 22, 10);
    Obj& t = make(40, 39, 20, 3);
    MyCharactor& p = W.chars[0];
    bool dived = false, back = false;
    int closest = 1 << 30;
    for (int i = 0; i < 400; ++i) {
        frames(1);
        dived |= t.regC == 1;
        closest = std::min(closest, std::abs(t.posX + t.halfW - p.posX - 600) + std::abs(t.posY + t.halfH - p.posY - 800));
        if (dived && t.regC == 0) back = true;
        if (back) break;
    }
    EXPECT_TRUE(dived);
    EXPECT_LT(closest, 3200) << "the dive reached the player";
    EXPECT_TRUE(back);
    EXPECT_EQ(t.posY, t.regB) << "back at the height of its beat";
}

TEST_F(Sky, GustLiftsAPlayerWhoStepsInAndSinksBackEmpty) {
    // The gust stands on the floor at column 20; the player walks into it from the left.
    Obj& g = make(40, 46, 20, 9);
    g.work5 = 1;
    g.work1 = 5;  // lifts five blocks
    place(0, 17, 10);
    input(0, QSDL_BTN::RIGHT1);
    startInput();
    MyCharactor& p = W.chars[0];
    const int floorY = p.posY;
    int highest = floorY;
    bool lifted = false;
    for (int i = 0; i < 200; ++i) {
        step();
        frames(1);
        lifted |= g.regC == 2;
        highest = std::min(highest, p.posY);
    }
    EXPECT_TRUE(lifted);
    EXPECT_LT(highest, floorY - 4 * 1600) << "carried up about five blocks";
    EXPECT_GE(highest, floorY - 7 * 1600);
    EXPECT_FALSE(MyCharactor::MissingF) << "wind never hurts";

    // Let go at the top, it sinks home and waits there.
    place(0, 40, 10);
    frames(300);
    EXPECT_EQ(g.regC, 0);
    EXPECT_EQ(g.posY, g.regB);
    EXPECT_EQ(g.posX, g.regA);

    // A ceiling ends the lift early.
    for (int c = 19; c < 23; ++c) put(6, c, kSolid);
    g.regC = 2;
    g.w2 = 0;
    frames(60);
    EXPECT_NE(g.regC, 2);
    EXPECT_GE(g.posY + g.box.top, 7 * 1600 - 20);
}

class Roc : public Sky {
protected:
    Obj& roc(int slot) {
        Obj& r = make(slot, 68, 28, 3);
        r.work5 = 0;
        return r;
    }
};

TEST_F(Roc, ChangesPhaseForwardOnlyAndKeepsHerBirdsFew) {
    place(0, 30, 10);
    Obj& r = roc(40);
    watch(r);
    const int life = vrndx_objAttributeRefPtr(68)[OBJATTR_LIFE];
    const int base = vrndx_objAttributeRefPtr(68)[OBJATTR_PATT];
    int most = 0;
    for (int i = 0; i < 1500; ++i) {
        frames(1);
        most = std::max(most, activeOfKind(8));
    }
    EXPECT_EQ(r.regC, 0);
    EXPECT_EQ(most, 2) << "two divers at most";
    r.power = life * 65 / 100;
    frames(1);
    EXPECT_EQ(r.regC, 1);
    EXPECT_EQ(last.pattern, base + 3) << "staggered";
    r.power = life;  // healed somehow: no way back
    frames(60);
    EXPECT_EQ(r.regC, 1);
    r.power = life / 4;
    frames(1);
    EXPECT_EQ(r.regC, 2);
}

TEST_F(Roc, FliesHerRoundEightBlocksAboveTheGroundNotAboveALedge) {
    // The fixture's floor is one block thick: no ground for her, she keeps her height.
    place(0, 30, 10);
    Obj& a = roc(40);
    frames(1);
    EXPECT_EQ(a.regB, 3 * 1600);

    // Ground three blocks deep at rows 30..32, a thin ledge at row 11 on the way down.
    SetUp();
    for (int row = 30; row < 33; ++row) floorRun(row, 0, 63);
    place(0, 30, 10);
    Obj& b = roc(40);
    frames(1);
    EXPECT_EQ(b.regB, (30 - 8) * 1600);
}

TEST_F(Roc, GustsPushThePlayersSidewaysAndTheWindCalmsAgain) {
    place(0, 40, 10);
    info[0] = 7;  // the map's own light pull
    GravityX = 7;
    Obj& r = roc(40);
    r.power = vrndx_objAttributeRefPtr(68)[OBJATTR_LIFE] / 2;
    bool pushed = false, calmAfter = false;
    for (int i = 0; i < 1200; ++i) {
        frames(1);
        if (r.work0 != 0) {
            pushed |= GravityX == 130;  // she is to the left: it blows to the right
        } else if (pushed) {
            calmAfter |= GravityX == 7;
        }
    }
    EXPECT_EQ(r.regC, 1);
    EXPECT_TRUE(pushed);
    EXPECT_TRUE(calmAfter) << "the map's pull comes back";
}

TEST_F(Roc, RainsBoltsAndDrawsRandomAliveOrFull) {
    place(0, 30, 10);
    SetRandomSeed(99);
    Obj& r = roc(40);
    r.power = vrndx_objAttributeRefPtr(68)[OBJATTR_LIFE] / 4;
    int most = 0;
    for (int i = 0; i < 700; ++i) {
        frames(1);
        most = std::max(most, activeOfKind(180));
    }
    EXPECT_EQ(r.regC, 2);
    EXPECT_GE(most, 3) << "showers of three";
    const int32_t afterFree = Random();

    SetUp();
    place(0, 30, 10);
    SetRandomSeed(99);
    Obj& q = roc(40);
    q.power = vrndx_objAttributeRefPtr(68)[OBJATTR_LIFE] / 4;
    fillPool();
    frames(700);
    EXPECT_EQ(activeOfKind(180) + activeOfKind(8), 0) << "a full pool takes nothing";
    EXPECT_EQ(Random(), afterFree) << "the same numbers were drawn";
}

}  // namespace

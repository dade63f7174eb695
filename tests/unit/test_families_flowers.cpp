// The flower world's families: a swarm keeps to its shared loop, spread out, and darts
// at a near player; a snapping plant hides out of reach, rises, and shrugs off blows
// while it snaps but not between snaps; a thorn vine hurts and can be cut only while
// grown; a pollen flower takes turns between an aimed puff and a fan; a beetle knight
// faces the player and its shield turns blows from the front only; the hive queen
// sleeps until the player comes, hovers, swoops and calls a few bees.
#include "family_fixture.h"

#include <algorithm>
#include <cstdlib>

using namespace FHWGBL;

namespace {

class Flowers : public FamilyField {
protected:
    void SetUp() override {
        FamilyField::SetUp();
        floorRow(11);
        place(0, 2, 10);  // far left, out of every creature's way
    }
    // A frame as the contact and hit tests see it: the object is in reach when its
    // work5 ended the frame above 0.
    static bool inReach(const Obj& o) { return o.work5 > 0; }
};

TEST_F(Flowers, SwarmSharesItsLoopSpreadOutAndDartsAtANearPlayer) {
    Obj* b[3];
    for (int i = 0; i < 3; ++i) b[i] = &make(40 + i, 10, 40, 5);
    const int cx = b[0]->posX, cy = b[0]->posY;
    for (int f = 0; f < 200; ++f) {
        frames(1);
        for (Obj* o : b) {
            ASSERT_LE(std::abs(o->posX - cx), 2400 + 100);
            ASSERT_LE(std::abs(o->posY - cy), 1600 + 100);
        }
    }
    for (int i = 0; i < 3; ++i) {
        const Obj& p = *b[i];
        const Obj& q = *b[(i + 1) % 3];
        EXPECT_GT(std::abs(p.posX - q.posX) + std::abs(p.posY - q.posY), 1600) << "spread over the loop";
    }
    EXPECT_EQ(b[0]->regC, 0) << "no dart at a far player";

    place(0, 36, 10);  // within its reach
    const int before = std::abs(b[0]->posX - W.chars[0].posX) + std::abs(b[0]->posY - W.chars[0].posY);
    int closest = before;
    bool darted = false, back = false;
    for (int f = 0; f < 400; ++f) {
        frames(1);
        darted |= b[0]->regC == 1;
        if (darted && b[0]->regC == 0) back = true;
        closest = std::min(closest, std::abs(b[0]->posX - W.chars[0].posX) + std::abs(b[0]->posY - W.chars[0].posY));
    }
    EXPECT_TRUE(darted);
    EXPECT_LT(closest, before - 3200) << "the dart goes at the player";
    EXPECT_TRUE(back) << "and it takes its place on the loop again";
}

TEST_F(Flowers, SnappingPlantHidesRisesAndIsBeatenOnlyBetweenSnaps) {
    Obj& p = make(40, 11, 30, 9);
    watch(p);
    frames(30);
    EXPECT_EQ(p.regC, 0);
    EXPECT_FALSE(inReach(p)) << "hidden: neither hit nor harmful";
    EXPECT_EQ(last.pattern, 788) << "only its bud shows";
    const int rootX = p.posX;

    place(0, 27, 10);  // three blocks away
    frames(1);
    EXPECT_EQ(p.regC, 1) << "wakes";
    frames(20);
    ASSERT_EQ(p.regC, 2);
    EXPECT_TRUE(inReach(p));
    const int life = p.power;
    p.power -= 10;  // a blow while it stands open
    frames(1);
    EXPECT_EQ(p.power, life - 10) << "open: the blow tells";

    int guard = 0;
    while (p.regC != 3 && guard++ < 200) frames(1);
    ASSERT_EQ(p.regC, 3) << "it lunges";
    frames(3);
    p.power -= 10;  // a blow on the closed jaws
    frames(1);
    EXPECT_EQ(p.power, life - 10) << "snapping: the blow glances off";
    int nearest = p.posX;
    for (int f = 0; f < 10; ++f) {
        frames(1);
        nearest = std::min(nearest, p.posX);
    }
    EXPECT_LE(nearest, rootX - 1200) << "the lunge reaches towards the player";
    frames(30);
    EXPECT_EQ(p.posX, rootX) << "back on its root";

    place(0, 2, 10);  // walks away: it sinks back
    frames(200);
    EXPECT_EQ(p.regC, 0);
    EXPECT_FALSE(inReach(p));
}

TEST_F(Flowers, ThornVineHurtsOnlyGrownAndGrowsAndWithersInSteps) {
    place(0, 26, 10);  // near: it grows
    Obj& v = make(40, 31, 30, 9);
    watch(v);
    std::vector<int> seen;
    int grownFrames = 0, reachFrames = 0;
    for (int f = 0; f < 2 * (3 * 12) + 120 + 90 + 5; ++f) {
        frames(1);
        if (seen.empty() || seen.back() != last.pattern) seen.push_back(last.pattern);
        grownFrames += last.pattern == 795 ? 1 : 0;
        reachFrames += inReach(v) ? 1 : 0;
        if (inReach(v)) {
            ASSERT_EQ(last.pattern, 795) << "only a grown vine is in reach";
        }
    }
    const std::vector<int> cycle = {792, 793, 794, 795, 794, 793, 792, 0};
    ASSERT_GE(seen.size(), cycle.size());
    EXPECT_TRUE(std::equal(cycle.begin(), cycle.end(), seen.begin())) << "up in steps, down in steps, gone";
    EXPECT_GE(grownFrames, 119);
    EXPECT_EQ(reachFrames, grownFrames);

    // Growing out of a wall on its left: turned a quarter.
    Obj& w = make(41, 31, 50, 9);
    w.work1 = 1;
    watch(w);
    frames(1);
    EXPECT_EQ(last.rot, 90);

    // With the player far it waits withered-short at the start of its cycle.
    place(0, 2, 10);
    Obj& q = make(42, 31, 40, 9);
    frames(100);
    EXPECT_FALSE(inReach(q));
    EXPECT_EQ(q.w3, 0);
}

TEST_F(Flowers, PollenFlowerTakesTurnsBetweenAnAimedPuffAndAFan) {
    place(0, 24, 10);
    make(40, 9, 30, 9);
    std::vector<int> volleys;
    int prev = 0;
    for (int f = 0; f < 110 * 4 + 5; ++f) {
        frames(1);
        const int n = activeOfKind(181);
        if (n > prev) volleys.push_back(n - prev);
        prev = n;
        for (Obj& o : W.objectCtrl.objects)
            if (o.activeF && o.kind == 181) o.activeF = 0;  // count each volley afresh
        prev = 0;
    }
    ASSERT_GE(volleys.size(), 3u);
    EXPECT_EQ(volleys[0], 1);
    EXPECT_EQ(volleys[1], 3);
    EXPECT_EQ(volleys[2], 1);
}

TEST_F(Flowers, BeetleKnightFacesThePlayerAndItsShieldTurnsBlowsFromTheFrontOnly) {
    Obj& k = make(40, 231, 30, 9);
    k.speedX = 30;  // walking away from a player on its left
    place(0, 24, 10);
    frames(2);
    EXPECT_LT(k.speedX, 0) << "it turns to face the player";

    k.work5 = 0;  // not ready to charge: the blow is what is tested
    const int life = k.power, x = k.posX;
    k.power -= 20;
    frames(1);
    EXPECT_EQ(k.power, life) << "the shield takes a blow from the front";
    EXPECT_GT(k.posX, x) << "and the knight is pushed back";

    // From behind (out of the reach it turns at) the blow tells.
    Obj& m = make(41, 231, 40, 9);
    m.speedX = -30;
    place(0, 52, 10);
    frames(1);
    const int mlife = m.power;
    m.power -= 20;
    frames(1);
    EXPECT_EQ(m.power, mlife - 20);
}

TEST_F(Flowers, HiveQueenSleepsThenHoversSwoopsCallsBeesAndChangesPhase) {
    Obj& q = make(40, 63, 28, 2);
    q.w0 = 160;  // wakes within 10 blocks of her corner (the map's set-up value)
    watch(q);
    frames(60);
    EXPECT_NE(q.w4, 1) << "asleep with the player far";
    EXPECT_EQ(activeOfKind(10), 0);

    place(0, 30, 10);
    frames(1);
    ASSERT_EQ(q.w4, 1) << "the player came near";
    const int hover = q.regB;
    int mostBees = 0, lowest = q.posY;
    for (int f = 0; f < 400; ++f) {
        frames(1);
        ASSERT_LE(std::abs(q.posY - hover), 1000) << "hovers at her height in her first phase";
        mostBees = std::max(mostBees, activeOfKind(10));
    }
    EXPECT_GE(mostBees, 2) << "drops bees";
    EXPECT_LE(mostBees, 3) << "never more than three";

    q.power = q.power * 60 / 100;
    frames(1);
    EXPECT_EQ(q.regC, 1);
    EXPECT_EQ(last.pattern, 1562) << "dazed at the new phase";
    for (int f = 0; f < 450; ++f) {
        frames(1);
        lowest = std::max(lowest, q.posY);
    }
    EXPECT_GT(lowest, hover + 4800) << "swoops at the player below";

    for (Obj& o : W.objectCtrl.objects)
        if (o.activeF && o.kind == 181) o.activeF = 0;
    q.power = q.power / 3;
    int mostPuffs = 0;
    for (int f = 0; f < 200; ++f) {
        frames(1);
        mostPuffs = std::max(mostPuffs, activeOfKind(181));
    }
    EXPECT_EQ(q.regC, 2);
    EXPECT_GE(mostPuffs, 5) << "pollen storms in fans of five";

    // A blow wakes a sleeping queen even with the player far.
    place(0, 2, 10);
    Obj& r = make(41, 63, 50, 2);
    r.w0 = 128;
    frames(5);
    ASSERT_NE(r.w4, 1);
    r.power -= 10;
    frames(1);
    EXPECT_EQ(r.w4, 1);
}

}  // namespace

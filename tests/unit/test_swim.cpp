// Swimming, driven by scripted input words as a film replays them: postures from the
// stick, the air and energy gauges, the carrier's grip and struggling free, the mode
// changes other actors ask for, the dog's charged dash, the long-rest event, and the
// penalty block under water.

#include "play_fixture.h"

#include "FHobjectCtrl_family_carrier.h"
#include "FHobjectCtrl_swim.h"
#include "envresGlobal.h"
#include "qsdlpp2_ctrl@io.h"

using namespace FHWGBL;
using namespace FHSwim;

namespace {

class Swim : public PlayField {
protected:
    void SetUp() override {
        PlayField::SetUp();
        info[1] = -20;  // buoyancy: gravity -1 x 20
        info[2] = 1;
        GravityY = -20;
        UWMode = true;
        for (int k = 0; k < 272; ++k) MainObjectCtrlCls::Object::ObjAttribute[k] = vrndx_objAttributeRefPtr(k);
        for (int k = 0; k < 3; ++k) {
            MyCharactor& c = W.chars[k];
            c.box = c.boxTable[k == 2 ? 2 : 1];
            c.halfW = (c.box.right - c.box.left) / 2;
            c.halfH = (c.box.bottom - c.box.top) / 2;
            c.SwimUs(-1);
            c.invincTimer = 0;
            c.movState = MOV_SWIM;
            c.uwState = static_cast<UW_STATE>(P_REST);
            c.modeTimer = 0;
            c.airGauge = 20000;
            c.energy = 20000;
            c.surfaceF = 0;
        }
        resetStatics();
        // Open water: the characters hang in the middle of an empty 64 x 64 map.
        W.chars[0].posX = 20 * 1600;
        W.chars[0].posY = 30 * 1600;
        W.chars[1].posX = 40 * 1600;
        W.chars[1].posY = 30 * 1600;
        W.chars[2].posX = 20 * 1600;
        W.chars[2].posY = 26 * 1600;
    }
    MyCharactor& hero() { return W.chars[0]; }
    int posture() { return hero().uwState; }
    // Runs frames until the posture is `u` (at most `limit`); the frame count or -1.
    int until(int u, int limit) {
        for (int i = 0; i < limit; ++i) {
            step();
            if (posture() == u) return i + 1;
        }
        return -1;
    }
    // A live map object of `kind` laid over the hero.
    MainObjectCtrlCls::Object& objectOnHero(int kind, int regC) {
        MainObjectCtrlCls::Object& o = W.objectCtrl.objects[40];
        o = MainObjectCtrlCls::Object();
        o.activeF = 1;
        o.kind = kind;
        o.work5 = 10;
        o.regC = regC;
        o.posX = hero().posX;
        o.posY = hero().posY;
        const rRect& r = MainObjectCtrlCls::Object::objectRects[MainObjectCtrlCls::Object::ObjAttribute[kind][0]];
        o.halfW = (r.right - r.left) / 2;
        o.halfH = (r.bottom - r.top) / 2;
        return o;
    }
};

TEST_F(Swim, StickChoosesPosturesAndTurns) {
    // From rest: right swims right, facing right, accelerating toward the right.
    input(0, QSDL_BTN::RIGHT1);
    startInput();
    ASSERT_GT(until(P_RIGHT, 5), 0);
    EXPECT_EQ(hero().facing, 1);
    const int x0 = hero().posX;
    for (int i = 0; i < 40; ++i) step();
    EXPECT_GT(hero().speedX, 50);
    EXPECT_GT(hero().posX, x0 + 1000);

    // Pushing back turns round: the turn keeps the old facing until it ends.
    input(frame, QSDL_BTN::LEFT1);
    ASSERT_GT(until(P_TURNL, 80), 0);
    EXPECT_EQ(hero().facing, 1);
    ASSERT_GT(until(P_LEFT, 70), 0);
    EXPECT_EQ(hero().facing, -1);

    // Down turns to a dive, and the dive follows once the turn has played out.
    input(frame, QSDL_BTN::DOWN1);
    ASSERT_GT(until(P_TURNDOWN, 80), 0);
    const int dive = until(P_DOWN, 40);
    EXPECT_GT(dive, 20) << "the turn plays out before the dive";
    const int y0 = hero().posY;
    for (int i = 0; i < 60; ++i) step();
    EXPECT_GT(hero().posY, y0 + 800) << "diving goes down against the buoyancy";

    // Up from the dive turns up; up swims up.
    input(frame, QSDL_BTN::UP1);
    ASSERT_GT(until(P_TURNUP, 80), 0);
    ASSERT_GT(until(P_UP, 40), 0);
    const int y1 = hero().posY;
    for (int i = 0; i < 30; ++i) step();
    EXPECT_LT(hero().posY, y1 - 1000);
}

TEST_F(Swim, SpeedLimitsAndSurfaceIgnoresUp) {
    // The water lets a swimmer go 200 to the right but only 150 to the left (then the
    // drag of a swimming posture, 97 %).
    startInput();
    hero().uwState = static_cast<UW_STATE>(P_RIGHT);
    hero().modeTimer = 40;
    hero().speedX = 900;
    step();
    EXPECT_EQ(hero().speedX, 194);
    hero().uwState = static_cast<UW_STATE>(P_LEFT);
    hero().speedX = -900;
    step();
    EXPECT_EQ(hero().speedX, -145);
    // A dash: the heroine's stroke is twice the hero's.
    auto dashTop = [&](int who) {
        SetUp();
        MyCharactor::currentCHR = who;
        W.chars[who].uwState = static_cast<UW_STATE>(P_RIGHT);
        W.chars[who].facing = 1;
        input(0, QSDL_BTN::RIGHT1 | QSDL_BTN::B1);
        startInput();
        int top = 0;
        for (int i = 0; i < 60; ++i) {
            step();
            top = std::max(top, W.chars[who].speedX);
        }
        return top;
    };
    const int heroTop = dashTop(0), heroineTop = dashTop(1);
    EXPECT_GT(heroTop, 80);
    EXPECT_GT(heroineTop, heroTop + 40);
    EXPECT_LE(heroineTop, 194);

    // In open air the stick's upward directions do nothing.
    SetUp();
    MyCharactor::currentCHR = 0;
    hero().surfaceF = 1;
    const int y = hero().posY;
    input(0, QSDL_BTN::UP1);
    startInput();
    for (int i = 0; i < 30; ++i) {
        step();
        hero().surfaceF = 1;  // as an air pocket keeps it
    }
    EXPECT_EQ(posture(), P_REST);
    EXPECT_GE(hero().posY, y - 30 * 20) << "only the buoyancy lifts";
}

TEST_F(Swim, AirDrainsRefillsAndRunsOut) {
    startInput();
    // Resting: the hero breathes (250 - 50) x (level 2 + 4) / 200 = 6 a frame, the
    // heroine 4.5 rounded down to 4.
    const int a0 = hero().airGauge;
    step();
    EXPECT_EQ(hero().airGauge, a0 - 6);
    MyCharactor::currentCHR = 1;
    const int a1 = W.chars[1].airGauge;
    step();
    EXPECT_EQ(W.chars[1].airGauge, a1 - 4);
    MyCharactor::currentCHR = 0;

    // An air pocket gives 120 a frame (the contact step), not while dashing.
    put((hero().posY / 100 + 4) / 16, (hero().posX / 100 + 4) / 16, 419);
    hero().airGauge = 10000;
    for (int i = 0; i < 10; ++i) step();
    EXPECT_EQ(hero().airGauge, 10000 + 10 * (120 - 6));
    EXPECT_EQ(hero().surfaceF, 1);
    put((hero().posY / 100 + 4) / 16, (hero().posX / 100 + 4) / 16, 0);

    // Below 1200 the swimmer is exhausted until the air is back above 2000.
    hero().airGauge = 1150;
    step();
    EXPECT_EQ(posture(), P_EXHAUSTED);
    EXPECT_EQ(hero().movState, MOV_EXHAUST);
    hero().airGauge = 1900;
    step();
    EXPECT_EQ(posture(), P_EXHAUSTED);
    hero().airGauge = 2300;
    step();
    EXPECT_EQ(hero().movState, MOV_SWIM);
    EXPECT_EQ(posture(), P_UP);

    // Without air energy goes 50 a frame; at 0 the swimmer is lost.
    hero().airGauge = 0;
    hero().energy = 160;
    step();
    EXPECT_EQ(hero().energy, 160 - 1 - 50);
    int r = 0;
    for (int i = 0; i < 5 && !MyCharactor::MissingF; ++i) r = step();
    ASSERT_TRUE(MyCharactor::MissingF);
    r = step();
    EXPECT_EQ(r, 6) << "a miss is being shown";
    const int gold = GoldCoins;
    for (int i = 0; i < 200 && r != 7; ++i) r = W.chars[0].SwimUs(0);
    EXPECT_EQ(r, 7) << "the miss ends";
    EXPECT_EQ(MissCount, 1);
    EXPECT_EQ(GoldCoins, gold);
}

TEST_F(Swim, CarrierHoldsUntilTheStickIsShaken) {
    MainObjectCtrlCls::Object& jelly = objectOnHero(97, 2);
    startInput();
    step();
    ASSERT_EQ(posture(), P_HELD);
    EXPECT_EQ(hero().movState, MOV_HELD);

    // Holding still never frees: the grip only wears the gauges down.
    const int air = hero().airGauge, en = hero().energy;
    for (int i = 0; i < 300; ++i) {
        step();
        jelly.posX = hero().posX;
        jelly.posY = hero().posY;
    }
    EXPECT_EQ(posture(), P_HELD);
    EXPECT_LT(hero().airGauge, air - 300 * 20);
    EXPECT_LT(hero().energy, en - 300 * 20);

    // Each change of stick direction adds 20: thirty changes break the grip.
    hero().airGauge = hero().energy = 20000;
    const uint16_t dirs[2] = {QSDL_BTN::LEFT1, QSDL_BTN::RIGHT1};
    int changes = 0;
    for (; changes < 40 && posture() == P_HELD; ++changes) {
        input(frame, dirs[changes & 1]);
        QSDL_GLOBALS::Stick.startSync(film.data(), false);
        for (int i = 0; i < frame; ++i) QSDL_GLOBALS::Stick.updStick(true);
        step();
        jelly.posX = hero().posX;
        jelly.posY = hero().posY;
    }
    EXPECT_EQ(changes, 30);
    EXPECT_EQ(posture(), P_UP);
    EXPECT_EQ(hero().movState, MOV_DASH);
    EXPECT_EQ(hero().invincTimer, 60);
    // Invulnerable for a while: the carrier does not take hold again at once.
    step();
    EXPECT_NE(posture(), P_HELD);
}

TEST_F(Swim, CarrierLettingGoThrowsFree) {
    MainObjectCtrlCls::Object& jelly = objectOnHero(97, 2);
    startInput();
    step();
    ASSERT_EQ(posture(), P_HELD);
    jelly.regC = 0;
    step();
    EXPECT_EQ(posture(), P_UP);
    EXPECT_EQ(hero().movState, MOV_DASH);
    EXPECT_EQ(hero().work3, -1);
    EXPECT_EQ(hero().invincTimer, 30);
}

TEST_F(Swim, CarrierFamilyGrabsAndLetsGo) {
    // The jelly's own step: near a swimmer it hunts, on touch it grabs, and once the
    // swimmer is no longer held it flees.
    MainObjectCtrlCls::Object& o = objectOnHero(97, 0);
    o.posX = hero().posX + 5000;
    o.age = 1;
    const FHObj::KindRow* row = nullptr;
    for (int i = 0; i < kFamilyCarrier.count; ++i)
        if (kFamilyCarrier.spans[i].row.kind == 97) row = &kFamilyCarrier.spans[i].row;
    ASSERT_NE(row, nullptr);
    FHObj::Step s;
    FHCarrier::carrierStep(o, s, *row);
    EXPECT_EQ(o.regC, 1) << "a swimmer within reach is hunted";
    int frames = 0;
    for (; frames < 200 && o.regC == 1; ++frames) FHCarrier::carrierStep(o, s, *row);
    ASSERT_EQ(o.regC, 2) << "the hunt ends in a grab";
    EXPECT_LT(frames, 120);
    EXPECT_EQ(s.pattern, row->basePatt + row->frames - 1) << "the gripping picture";

    // The swimmer takes hold on its next frame; then struggles free.
    startInput();
    step();
    ASSERT_EQ(posture(), P_HELD);
    FHCarrier::carrierStep(o, s, *row);
    FHCarrier::carrierStep(o, s, *row);
    EXPECT_EQ(o.regC, 2);
    toPosture(&hero(), P_UP, 29);
    hero().invincTimer = 60;
    FHCarrier::carrierStep(o, s, *row);
    EXPECT_EQ(o.regC, 4) << "a swimmer no longer held is let go";
    for (int i = 0; i <= row->p3; ++i) FHCarrier::carrierStep(o, s, *row);
    EXPECT_NE(o.regC, 4) << "the flight ends";
}

TEST_F(Swim, ModeChangesResetTheDogAndTheCharge) {
    MyCharactor& dog = W.chars[2];
    MyCharactor& me = hero();
    auto arm = [&] {
        dog.spAtkState = 1;
        dog.runCount = 33;
        me.chargeCount = 45;
    };
    arm();
    EXPECT_EQ(me.ChgUWMode(MOV_SWIM, static_cast<UW_STATE>(P_UP), 7, 40), MOV_SWIM);
    EXPECT_EQ(me.uwState, P_UP);
    EXPECT_EQ(me.runCount, 7);
    EXPECT_EQ(me.modeTimer, 39);
    EXPECT_EQ(me.chargeCount, 0);
    EXPECT_EQ(dog.spAtkState, 1) << "only mode 6 resets the dog here";
    arm();
    me.ChgUWMode(MOV_HELD, static_cast<UW_STATE>(P_HURT), 0, 60);
    EXPECT_EQ(dog.spAtkState, 0);
    EXPECT_EQ(dog.runCount, 0);

    // Limited: only once the posture timer is below 11.
    arm();
    me.modeTimer = 11;
    EXPECT_EQ(me.ChgUWModeLimited(MOV_DASH, static_cast<UW_STATE>(P_UP), 0, 30), MOV_HELD);
    EXPECT_EQ(me.uwState, P_HURT);
    EXPECT_EQ(dog.spAtkState, 1);
    me.modeTimer = 10;
    EXPECT_EQ(me.ChgUWModeLimited(MOV_DASH, static_cast<UW_STATE>(P_UP), 0, 30), MOV_DASH);
    EXPECT_EQ(dog.spAtkState, 0) << "always resets the dog";

    // Only if new: the same mode again changes nothing.
    arm();
    me.xChgUWMode(true, MOV_DASH, static_cast<UW_STATE>(P_REST), 3, 9);
    EXPECT_EQ(me.uwState, P_UP);
    EXPECT_EQ(me.chargeCount, 45);
    me.xChgUWMode(false, MOV_DASH, static_cast<UW_STATE>(P_REST), 3, 9);
    EXPECT_EQ(me.uwState, P_REST);
    EXPECT_EQ(me.modeTimer, 8);
    EXPECT_EQ(dog.spAtkState, 0);

    // The short form keeps run and timer.
    arm();
    me.runCount = 12;
    me.modeTimer = 5;
    me.xChgUWMode(MOV_HELD, static_cast<UW_STATE>(P_DRIFT));
    EXPECT_EQ(me.movState, MOV_HELD);
    EXPECT_EQ(me.uwState, P_DRIFT);
    EXPECT_EQ(me.runCount, 12);
    EXPECT_EQ(me.modeTimer, 5);
    EXPECT_EQ(me.chargeCount, 0);
    EXPECT_EQ(dog.spAtkState, 0);
}

TEST_F(Swim, ChargingNearTheDogSendsItDashing) {
    MyCharactor& dog = W.chars[2];
    dog.posX = hero().posX;
    dog.posY = hero().posY - 3000;
    input(0, QSDL_BTN::A1);
    startInput();
    int readyAt = -1;
    for (int i = 0; i < 80; ++i) {
        step();
        dog.SwimPippoInu(0);
        if (dog.spAtkState == 1 && readyAt < 0) readyAt = i;
    }
    ASSERT_GE(readyAt, 0) << "held long enough the dog is ready";
    EXPECT_EQ(hero().movState, MOV_CHARGE);
    EXPECT_EQ(posture(), P_CHARGE);

    input(frame, 0);
    QSDL_GLOBALS::Stick.startSync(film.data(), false);
    for (int i = 0; i < frame; ++i) QSDL_GLOBALS::Stick.updStick(true);
    step();
    EXPECT_EQ(posture(), P_RELEASE);
    EXPECT_EQ(dog.spAtkState, 3);
    int x0 = dog.posX;
    for (int i = 0; i < 20; ++i) dog.SwimPippoInu(0);
    EXPECT_NE(dog.posX, x0) << "the dog dashes out";
    for (int i = 0; i < 20; ++i) dog.SwimPippoInu(0);
    EXPECT_EQ(dog.spAtkState, 0) << "and comes back to follow";

    // A short hold only rests again, the dog never readied.
    SetUp();
    W.chars[2].posX = hero().posX;
    W.chars[2].posY = hero().posY - 3000;
    input(0, QSDL_BTN::A1);
    input(20, 0);
    startInput();
    for (int i = 0; i < 30; ++i) {
        step();
        W.chars[2].SwimPippoInu(0);
    }
    EXPECT_EQ(W.chars[2].spAtkState, 0);
    EXPECT_TRUE(posture() == P_REST || posture() == P_SINK);
}

TEST_F(Swim, LongRestEventComesOncePerRest) {
    startInput();
    hero().stayCount = 7199;
    int events = 0;
    for (int i = 0; i < 400; ++i) {
        const int before = hero().stayCount;
        step();
        if (before >= 7199 && hero().stayCount < before) ++events;
        hero().airGauge = 20000;
    }
    EXPECT_EQ(events, 1);
    EXPECT_LT(hero().stayCount, 500);
}

TEST_F(Swim, PenaltyBlockHurtsWithBubbles) {
    put((hero().posY / 100 + 4) / 16, (hero().posX / 100 + 4) / 16, 487);
    for (auto& d : W.decoCtrl.decos) d.activeF = 0;
    hero().checkMapObject(false);
    EXPECT_EQ(hero().uwState, P_HURT);
    EXPECT_EQ(hero().movState, MOV_HELD);
    EXPECT_EQ(preAcounter, -10000);
    int bubbles = 0;
    for (auto& d : W.decoCtrl.decos)
        if (d.activeF && (d.patt == 60 || d.patt == 61)) ++bubbles;
    EXPECT_GE(bubbles, 4);
}

TEST_F(Swim, CurrentsDriftAndReleaseAfterward) {
    // The undertow drags the swimmer down in the drifting posture.
    const int r = (hero().posY / 100 + 4) / 16, c = (hero().posX / 100 + 4) / 16;
    for (int i = 0; i < 8; ++i) put(r + i, c, 348);
    startInput();
    const int y0 = hero().posY;
    step();
    EXPECT_EQ(posture(), P_DRIFT);
    for (int i = 0; i < 30; ++i) step();
    EXPECT_GT(hero().posY, y0 + 30 * 100) << "dragged down";
    // Out of the current the drift ends and the buoyancy comes back.
    for (int i = 0; i < 64; ++i) put(i, c, 0);
    ASSERT_GT(until(P_REST, 100), 0);
    for (int i = 0; i < 300; ++i) step();
    EXPECT_EQ(GravityY, -20);
}

}  // namespace

// Map objects without a window: placing a section's objects from an object list, the
// pool's slot ranges and its full state, recycling, the class gates on and off screen,
// dormant objects waking, capsules hatching, the section-end event, kinds without a
// behaviour, the behaviour lists, the hit flash, and taking items.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "FHobjectCtrl_behave.h"
#include "FHobjectCtrl_behave_util.h"
#include "FHobjectCtrl_objects.h"
#include "envresGlobal.h"
#include "qgu_glImageHdlfunc.h"
#include "play_fixture.h"

using namespace FHWGBL;
using Object = MainObjectCtrlCls::Object;

namespace {

// One 288-byte object-list record as the map compiler writes it (host order).
struct Rec {
    int kind, section, col, row, sx, sy, work1, work5, patt, behave;
    std::string text;
};
Rec R(int kind, int section, int col, int row, int sx = 0, int sy = 0, int work1 = 0, int work5 = 0, int patt = 0,
      int behave = 0, const char* text = "") {
    return Rec{kind, section, col, row, sx, sy, work1, work5, patt, behave, text};
}

std::vector<unsigned char> makeList(const std::vector<Rec>& recs) {
    std::vector<unsigned char> out(recs.size() * FHObjects::kRecordBytes, 0);
    for (size_t i = 0; i < recs.size(); ++i) {
        unsigned char* r = out.data() + i * FHObjects::kRecordBytes;
        const Rec& s = recs[i];
        const int16_t w[11] = {1,
                               int16_t(s.kind),
                               int16_t(s.section),
                               int16_t(s.col),
                               int16_t(s.row),
                               int16_t(s.sx),
                               int16_t(s.sy),
                               int16_t(s.work1),
                               int16_t(s.work5),
                               int16_t(s.patt),
                               int16_t(s.behave)};
        std::memcpy(r, w, sizeof w);
        r[32] = uint8_t(s.text.size());
        std::memcpy(r + 33, s.text.data(), s.text.size());
    }
    return out;
}

class Objects : public PlayField {
protected:
    MainObjectCtrlCls& pool = W.objectCtrl;

    void SetUp() override {
        PlayField::SetUp();
        MainObjectCtrlCls::superRef = &W;
        GFieldLftX = GFieldTopY = 0;  // the window: blocks 0..19 across, 0..16 down
        GmapXBorderF = GmapYBorderF = false;
        StageCompleteF = false;
        for (auto& o : pool.objects) {
            o.activeF = 0;
            o.respawnSlot = -1;
        }
        // The player far right and low, outside every object's reach below.
        place(0, 40, 40);
    }
    void TearDown() override { QSDLpp_GLSpriteFuncs::emptyList(); }

    void load(const std::vector<Rec>& recs, int section = 0) {
        const std::vector<unsigned char> list = makeList(recs);
        pool.loadObjectsFrom(list.data(), int(recs.size()), section);
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) {
            pool.moveObjects();
            CtrlCounter += 1;
            QSDLpp_GLSpriteFuncs::emptyList();
        }
    }
    Object& at(int slot) { return pool.objects[slot]; }
};

TEST_F(Objects, LoadingPlacesTheSectionsRecordsFromSlot32WithTheirSetUp) {
    Rec walker = R(32, 0, 3, 5, 2, 0, 0, 0, 0, 5);
    Rec otherSection = R(32, 2, 4, 5);
    Rec byParam = R(128, 0, 6, 5);
    byParam.text = "045,";
    Rec noComma = R(128, 0, 7, 5);
    noComma.text = "045";
    Rec outside = R(14, 0, 64, 3, 0, 0, 0, 0, 0, 4);
    Rec tooSmall = R(1, 0, 8, 5);
    Rec scenery = R(260, 0, 9, 5, 100, 3, 7, 11, 0, 0);
    scenery.text = "000,030,-50,001,";

    testing::internal::CaptureStdout();
    load({walker, otherSection, byParam, noComma, outside, tooSmall, scenery});
    const std::string log = testing::internal::GetCapturedStdout();

    EXPECT_EQ(Object::LVSpeed, GameLevel + 3);
    for (int i = 0; i < MainObjectCtrlCls::kFirstMapSlot; ++i) EXPECT_FALSE(at(i).activeF) << i;
    // Slot 32: the walker, behaviour number 5 (comes back), speed 50 x 2.
    EXPECT_EQ(at(32).kind, 32);
    EXPECT_EQ(at(32).posX, 3 * 1600);
    EXPECT_EQ(at(32).regB, 5 * 1600);
    EXPECT_EQ(at(32).speedX, 100);
    EXPECT_EQ(at(32).respawnSlot, 32);
    EXPECT_EQ(at(32).behave, 2048);
    EXPECT_EQ(at(32).age, 1);
    EXPECT_EQ(at(32).deathTime, -1);
    EXPECT_EQ(at(32).power, FHObj::attrLife(32));
    EXPECT_EQ(pool.backups[32].age, 0) << "the backup is taken before the age is set";
    EXPECT_EQ(pool.backups[32].posX, at(32).posX);
    // The record of section 2 is skipped; kind 128 takes its kind from P1 only with a comma.
    EXPECT_EQ(at(33).kind, 45);
    EXPECT_EQ(at(34).kind, 0);
    // Outside the map: reported by its record number and kept; behaviour 4 never returns.
    EXPECT_NE(log.find("Stage object at Out of bounds. N:#4 tp:#14 (64, 3)\n"), std::string::npos) << log;
    EXPECT_EQ(at(35).kind, 14);
    EXPECT_EQ(at(35).respawnSlot, -1);
    // Kind 1 is not placed; the scenery reads its parameters and speeds in tenths.
    EXPECT_EQ(at(36).kind, 260);
    EXPECT_EQ(at(36).speedX, 10) << "100 >= 50: tenths";
    EXPECT_EQ(at(36).speedY, 150) << "3 < 50: 50 x 3";
    EXPECT_EQ(at(36).w0, 11);
    EXPECT_EQ(at(36).w1, 7);
    EXPECT_EQ(at(36).work5, 1);
    EXPECT_EQ(at(36).w2, 30);
    EXPECT_EQ(at(36).scaleW, -50);
    EXPECT_EQ(at(36).scaleH, -50);
    EXPECT_EQ(at(36).blend, 1);
    EXPECT_FALSE(at(37).activeF);
    for (int i = 37; i < MainObjectCtrlCls::kObjects; ++i) EXPECT_EQ(at(i).respawnSlot, -1) << i;
}

TEST_F(Objects, AFullPoolPlacesNothingAndNeverTakesASlotAwaitingItsReturn) {
    std::vector<Rec> recs(140, R(32, 0, 1, 1, 0, 0, 0, 0, 0, 5));
    load(recs);
    for (int i = 32; i < MainObjectCtrlCls::kObjects; ++i) ASSERT_TRUE(at(i).activeF) << i;
    // A map object destroyed: its slot waits for recycling and is not free.
    at(100).activeF = 0;
    at(100).deathTime = CtrlCounter;
    for (int i = 0; i < 32; ++i) EXPECT_EQ(pool.AppearObject(1600, 1600, 0, 0, 49, 0), i);
    EXPECT_EQ(pool.AppearObject(1600, 1600, 0, 0, 49, 0), -1);
    EXPECT_EQ(pool.AppearObjectWithCount(1600, 1600, 0, 0, 49, 0, 7), -1);
    EXPECT_EQ(pool.AppearObjectWithDir(1600, 1600, 0, 0, 3, 49, 0, 7, 1), -1);
    EXPECT_FALSE(at(100).activeF);
    EXPECT_EQ(pool.AppearObject(1600, 1600, 0, 0, 0, 0), -1) << "kind 0 never appears";
}

TEST_F(Objects, AppearingSetsItsRecordAndTheVariantsTheirFields) {
    const int a = pool.AppearObject(3200, 4800, 30, -40, 32, 0);
    ASSERT_EQ(a, 0);
    EXPECT_EQ(Object::lastApIdxImmd, 0);
    EXPECT_EQ(at(a).regA, 320000);
    EXPECT_EQ(at(a).w5, 30);
    EXPECT_EQ(at(a).w6, -40);
    EXPECT_EQ(at(a).behave, 0x400) << "class 4 for what is not a pick-up";
    EXPECT_EQ(at(a).age, 0);
    const int coin = pool.AppearObject(3200, 4800, 0, 0, 49, 0);
    EXPECT_EQ(at(coin).behave, 0) << "pick-ups stay";

    // The direction towards the player is kept for kind 176, replaced for others.
    const int k176 = pool.AppearObjectWithDir(3200, 4800, 0, 0, 77, 176, 0);
    const int k32 = pool.AppearObjectWithDir(3200, 4800, 0, 0, 77, 32, 0, 12, 1);
    EXPECT_EQ(at(k176).work1, at(a).work1);
    EXPECT_NE(at(k176).work1, 77);
    EXPECT_EQ(at(k32).work1, 77);
    EXPECT_EQ(at(k32).work5, 12);
    EXPECT_EQ(at(k32).w0, 12);
    EXPECT_EQ(at(k32).blend, 1);
    const int k182 = pool.AppearObject(0, 0, 0, 50, 182, 0);
    EXPECT_EQ(at(k182).work1, 64) << "kind 182 heads along its speed";
}

TEST_F(Objects, ADestroyedObjectComesBackOffScreenAfterTheDelayExceptItsLastField) {
    load({R(32, 0, 30, 2, 2, 0, 0, 0, 0, 5), R(32, 0, 31, 2, 2, 0, 0, 0, 0, 4),
          R(32, 0, 3, 2, 2, 0, 0, 0, 0, 5)});
    for (int s : {32, 33, 34}) {
        at(s).activeF = 0;
        at(s).deathTime = CtrlCounter;
        at(s).posX += 4800;
        at(s).target = 936;
    }
    CtrlCounter += 1200;
    pool.recycleObject(1200);
    EXPECT_FALSE(at(32).activeF) << "not before 1200 frames have passed";
    CtrlCounter += 1;
    pool.recycleObject(1200);
    EXPECT_TRUE(at(32).activeF);
    EXPECT_EQ(at(32).posX, 30 * 1600) << "back at its loaded place";
    EXPECT_EQ(at(32).target, 936) << "the last field is not restored";
    EXPECT_FALSE(at(33).activeF) << "behaviour number 4 never comes back";
    EXPECT_FALSE(at(34).activeF) << "not while its place is on screen";
}

TEST_F(Objects, ClassGatesFreezeRemoveOrRunOnAndOffScreen) {
    // Class 1 (behaviour 2): frozen off screen, runs on screen.
    load({R(32, 0, 40, 2, 2, 0, 0, 0, 0, 2), R(32, 0, 5, 2, 2, 0, 0, 0, 0, 2)});
    frames(3);
    EXPECT_EQ(at(32).work5, 0);
    EXPECT_EQ(at(32).posX, 40 * 1600);
    EXPECT_EQ(at(33).work5, 3);
    EXPECT_NE(at(33).posX, 5 * 1600);

    // Class 4 (appeared objects): removed off screen from work5 661 on.
    const int off = pool.AppearObjectWithCount(50 * 1600, 1600, 0, 0, 32, 0, 660);
    const int on = pool.AppearObjectWithCount(3 * 1600, 1600, 0, 0, 32, 0, 700);
    frames(1);
    EXPECT_TRUE(at(off).activeF);
    EXPECT_EQ(at(off).work5, 661);
    frames(1);
    EXPECT_FALSE(at(off).activeF);
    EXPECT_EQ(at(off).deathTime, CtrlCounter - 1);
    EXPECT_TRUE(at(on).activeF);
}

TEST_F(Objects, ADormantObjectIsNotDrawnAndWakesSixtyFramesLater) {
    // Class 2 (behaviour 3) with work5 -60, on screen and far enough from the player.
    load({R(32, 0, 5, 10, 2, 0, 0, -60, 0, 3)});
    Object& o = at(32);
    for (int i = 0; i < 60; ++i) {
        pool.moveObjects();
        ASSERT_EQ(o.posX, 5 * 1600) << "frame " << i;
        ASSERT_TRUE(o.sprite == nullptr || o.sprite->patt == 0) << "frame " << i;
        QSDLpp_GLSpriteFuncs::emptyList();
    }
    EXPECT_EQ(o.work5, 0);
    pool.moveObjects();
    EXPECT_NE(o.posX, 5 * 1600) << "awake: the walker moves";
    ASSERT_NE(o.sprite, nullptr);
    EXPECT_EQ(o.sprite->patt, 160);

    // Near the player it waits; off screen and far it is reset to its loaded state.
    load({R(32, 0, 5, 10, 2, 0, 0, -60, 0, 3)});
    place(0, 5, 9);
    frames(5);
    EXPECT_EQ(at(32).work5, -60);
    load({R(32, 0, 45, 10, 2, 0, 0, 0, 0, 3)});
    at(32).work5 = 30;
    at(32).posX += 800;
    frames(1);
    EXPECT_EQ(at(32).posX, 45 * 1600);
    EXPECT_EQ(at(32).work5, -60);
}

TEST_F(Objects, ACapsuleOfKind141HatchesIntoKind13OnItsFrame421AtLevel0) {
    GameLevel = 0;
    floorRow(12);
    const int s = pool.AppearObject(5 * 1600, 8 * 1600, 0, 0, 141, 777);
    Object& o = at(s);
    o.w2 = 33;
    o.w3 = 40;
    o.w4 = -20;
    frames(421);  // frames 0..420
    ASSERT_EQ(o.kind, 141);
    const int y = o.posY;
    frames(1);    // frame 421
    EXPECT_EQ(o.kind, 13);
    EXPECT_EQ(o.work5, 1);
    EXPECT_EQ(o.regC, 1);
    EXPECT_EQ(o.patt, 33);
    EXPECT_EQ(o.speedX, 40);
    EXPECT_EQ(o.speedY, -20);
    EXPECT_EQ(o.posY, y - 1600);
    EXPECT_EQ(o.power, FHObj::attrLife(13));
}

TEST_F(Objects, TheCapsuleMarkerShowsUntilItsTimeAndTheCapsuleRestsOnTheFloor) {
    GameLevel = 2;
    floorRow(12);
    const int s = pool.AppearObject(5 * 1600, 8 * 1600, 0, 0, 136, 0);
    frames(100);
    const Object& o = at(s);
    EXPECT_EQ(o.posY + o.box.bottom - o.box.top, 12 * 1600) << "fallen onto the floor";
    auto markerQueued = [&] {
        for (int i = 1; i <= 8; ++i) QSDLpp_GLSpriteFuncs::spriteObj[i].patt = 0;
        pool.moveObjects();
        bool seen = false;
        for (int i = 1; i <= 8; ++i) {
            const QSDLpp_GLSprite& sp = QSDLpp_GLSpriteFuncs::spriteObj[i];
            if (sp.patt == 72 || sp.patt == 73) seen = true;
        }
        QSDLpp_GLSpriteFuncs::emptyList();
        return seen;
    };
    at(s).work5 = 329;
    EXPECT_TRUE(markerQueued());
    EXPECT_FALSE(markerQueued()) << "from 360 - 15 x level on, no marker";
}

TEST_F(Objects, TheSectionEndObjectEndsTheSectionOnceAndDisappears) {
    load({R(5, 0, 3, 3)});
    frames(1);
    EXPECT_TRUE(StageCompleteF);
    EXPECT_FALSE(at(32).activeF);
    StageCompleteF = false;
    frames(3);
    EXPECT_FALSE(StageCompleteF);
}

TEST_F(Objects, AKindWithoutABehaviourBeepsEveryFrameAndDoesNothingElse) {
    const int s = pool.AppearObject(5 * 1600, 3 * 1600, 70, 30, 148, 5);
    const Object before = at(s);
    testing::internal::CaptureStdout();
    frames(3);
    const std::string log = testing::internal::GetCapturedStdout();
    size_t beeps = 0;
    const std::string beep = "#---- BEEP_BEEP! ----";
    for (size_t p = log.find(beep); p != std::string::npos; p = log.find(beep, p + 1)) ++beeps;
    EXPECT_EQ(beeps, 3u) << log;
    EXPECT_EQ(at(s).posX, before.posX);
    EXPECT_EQ(at(s).posY, before.posY);
    EXPECT_EQ(at(s).speedX, before.speedX);
    EXPECT_TRUE(at(s).activeF);
    for (int i = 0; i < MainObjectCtrlCls::kObjects; ++i) {
        if (i != s) {
            EXPECT_FALSE(at(i).activeF) << i;
        }
    }
}

TEST_F(Objects, EveryKindHasAtMostOneBehaviourAndTheSilentKindsHaveNone) {
    for (int k = 0; k < 272; ++k) EXPECT_LE(FHObj::listingsOf(k), 1) << "kind " << k << " is listed twice";
    for (int k : {148, 155, 159, 169, 171, 173, 174, 190, 199, 211, 234, 256, 266, 267, 270})
        EXPECT_EQ(FHObj::behaviourFor(k, nullptr), nullptr) << k;
    for (int k : {0, 3, 5, 7, 8, 14, 19, 32, 37, 49, 90, 141, 172, 258, 268, 269})
        EXPECT_NE(FHObj::behaviourFor(k, nullptr), nullptr) << k;
    // A mystery item already taken loads as kind 110: it must stay quiet, not beep.
    EXPECT_NE(FHObj::behaviourFor(110, nullptr), nullptr);
    EXPECT_FALSE(vrndx_objAttributeIsPlaceholder(110));
}

TEST_F(Objects, AnObjectHitThisFrameIsDrawnRedAndAdditiveForOneFrame) {
    const int s = pool.AppearObject(5 * 1600, 3 * 1600, 0, 0, 19, 0);
    frames(2);
    at(s).power -= 5;  // a shot took life before the objects moved
    pool.moveObjects();
    ASSERT_NE(at(s).sprite, nullptr);
    EXPECT_EQ(at(s).sprite->blendDst, 1u);
    EXPECT_EQ(at(s).sprite->colour[0], GLred[0]);
    EXPECT_EQ(at(s).sprite->colour[1], GLred[1]);
    QSDLpp_GLSpriteFuncs::emptyList();
    pool.moveObjects();
    EXPECT_EQ(at(s).sprite->blendDst, 771u);
    EXPECT_EQ(at(s).sprite->colour[1], 1.0);
}

TEST_F(Objects, TakingItemsCreditsCoinsChainsFoodAndEnergy) {
    MyCharactor::CoinChain = 0;
    for (int i = 0; i < 3; ++i) {
        const int s = pool.AppearObject(5 * 1600, 3 * 1600, 0, 0, 49, 0);
        EXPECT_EQ(pool.getItem(s), 0);
        EXPECT_FALSE(at(s).activeF);
        EXPECT_EQ(at(s).deathTime, CtrlCounter);
    }
    EXPECT_EQ(Score, 500 + 1000 + 1500) << "the third coin of a chain is worth 1500";
    EXPECT_EQ(preGcounter, 3);
    EXPECT_EQ(pool.getItem(3), 0) << "an inactive slot gives nothing";
    EXPECT_EQ(pool.getItem(-1), 0);
    EXPECT_EQ(pool.getItem(500), 0);

    Score = 0;
    const int food = pool.AppearObject(5 * 1600, 3 * 1600, 0, 0, 51, 15);
    pool.getItem(food);
    EXPECT_EQ(preGcounter, 3 + 40);
    EXPECT_EQ(SilvCoins, 10);
    EXPECT_EQ(Score, ItmFoodPts[32 + 15] * 10);

    UWMode = true;
    preEcounter = preAcounter = 0;
    const int air = pool.AppearObject(5 * 1600, 3 * 1600, 0, 0, 196, 0);
    pool.getItem(air);
    EXPECT_EQ(preEcounter, 3200);
    EXPECT_EQ(preAcounter, 12000);
    bool message = false;
    for (const auto& d : W.decoCtrl.decos) message = message || (d.activeF && std::string(d.text) == "  GET AIR");
    EXPECT_TRUE(message);
}

TEST_F(Objects, ADoorTakenSendsToItsDestinationAndStaysAsAnOpenDoor) {
    Rec door = R(7, 0, 3, 3, 0, 0, 5, 12, 0, 0);
    door.text = "101,";
    load({door, R(6, 0, 6, 3, 0, 0, 0, 0, 0, 0, "Hello")});
    Object& d = at(32);
    EXPECT_EQ(d.posX, 3 * 1600 + 200);
    TrainingF = shortCutF = false;
    EXPECT_EQ(d.get(), 2);
    EXPECT_TRUE(shortCutF);
    EXPECT_TRUE(TrainingF);
    EXPECT_EQ(W.nextMapNum, 5);
    EXPECT_EQ(W.nextEntryNum, 12);
    EXPECT_TRUE(d.activeF);
    EXPECT_EQ(d.kind, 120);
    EXPECT_EQ(d.patt, FHObj::attrPatt(7) + 512);
    EXPECT_FALSE(FHObj::attrFlags(120) & OBJFLG_NOWINDOWLIMIT) << "an open door is not taken again";

    Object& sign = at(33);
    EXPECT_EQ(sign.partner, 1) << "its record number";
    EXPECT_EQ(sign.get(), 0);
    EXPECT_EQ(sign.kind, 126);
    EXPECT_EQ(sign.work5, 29985);
    EXPECT_TRUE(sign.activeF);
    TrainingF = shortCutF = false;
}

TEST_F(Objects, EventObjectsSetTheMusicRateAndTheWeatherOnceAndGo) {
    Condition = 0x20;
    FHSYSGBL::StageBGMRate = 100;
    const int music = pool.AppearObject(3 * 1600, 3 * 1600, 70, 0, 3, 0);
    at(music).work1 = 1;  // no new tune: only the rate
    const int scenery = pool.AppearObject(3 * 1600, 3 * 1600, 3, 5, 4, 0);
    at(scenery).regC = 0x10;
    at(scenery).work1 = 1;
    frames(1);
    EXPECT_EQ(FHSYSGBL::StageBGMRate, 70);
    EXPECT_EQ(Condition, 0x10) << "the scenery change replaces the condition after the music cleared 0x20";
    EXPECT_EQ(FHSYSGBL::BKratioX, 3);
    EXPECT_EQ(FHSYSGBL::BKratioY, 5);
    EXPECT_TRUE(FHSYSGBL::BackSpriteModeF);
    EXPECT_FALSE(at(music).activeF);
    EXPECT_FALSE(at(scenery).activeF);
    Condition = 0;
}

TEST_F(Objects, TheDiverWaitsAimsAndDivesAndTheDropperDropsItsKind) {
    floorRow(30);
    place(0, 10, 10);
    // A diver 6 blocks away waits; 5 blocks away it sees the player (9600 = 6 blocks).
    const int d = pool.AppearObject(10 * 1600 + 600, 4 * 1600 - 1000, 0, 0, 8, 0);
    frames(3);
    EXPECT_EQ(at(d).regC, 0);
    at(d).posY = 5 * 1600;
    frames(1);
    EXPECT_EQ(at(d).regC, 1);
    while (at(d).work5 % 64 != 0) frames(1);
    frames(1);
    EXPECT_EQ(at(d).regC, 2) << "every 64 frames the aim turns into a dive";
    EXPECT_GT(at(d).speedY, 0) << "down towards the player";

    // A dropper (state 4) lets an object of its patt kind fall every 256 frames.
    const int k = pool.AppearObject(3 * 1600, 3 * 1600, 0, 0, 8, 32);
    at(k).regC = 4;
    at(k).work5 = 256;
    int before = 0;
    for (const auto& o : pool.objects) before += o.activeF && o.kind == 32;
    frames(1);
    int after = 0;
    for (const auto& o : pool.objects) after += o.activeF && o.kind == 32;
    EXPECT_EQ(after, before + 1);
}

TEST_F(Objects, TheHopperSpitsAtFrame16AndTheWalkerTurnsAtWalls) {
    floorRow(10);
    const int h = pool.AppearObjectWithCount(3 * 1600, 9 * 1600, 0, 0, 14, 0, 16);
    frames(1);
    int spit = -1;
    for (int i = 0; i < MainObjectCtrlCls::kObjects; ++i)
        if (pool.objects[i].activeF && pool.objects[i].kind == 178) spit = i;
    ASSERT_GE(spit, 0) << "on land the hopper spits kind 178";
    EXPECT_TRUE(at(spit).patt == 112 || at(spit).patt == 113);
    EXPECT_GE(at(spit).work5, 32);
    EXPECT_LT(at(spit).speedY, 0);
    EXPECT_EQ(at(h).speedX, 0);

    put(9, 8, kSolid);  // two blocks high: no step to climb
    put(8, 8, kSolid);
    const int w = pool.AppearObject(6 * 1600, 9 * 1600, 100, 0, 32, 0);
    for (int i = 0; i < 40 && at(w).speedX > 0; ++i) frames(1);
    EXPECT_EQ(at(w).speedX, -100) << "the wall turned it";
    EXPECT_LT(at(w).posX + 1600, 8 * 1600 + 1);
}

TEST_F(Objects, MapParametersAreReadOnlyWhereTheirCommaMarksThem) {
    unsigned char rec[FHObjects::kRecordBytes] = {};
    std::memcpy(rec + 33, "012,345,-67,890,", 16);
    FHObjects::MapRecord r = FHObjects::readRecord(rec);
    EXPECT_EQ(r.p[0], 12);
    EXPECT_EQ(r.p[1], 345);
    EXPECT_EQ(r.p[2], -67);
    EXPECT_EQ(r.p[3], 890);
    std::memcpy(rec + 33, "012.345,-67 890", 15);
    r = FHObjects::readRecord(rec);
    EXPECT_FALSE(r.has[0]);
    EXPECT_EQ(r.p[0], 0);
    EXPECT_TRUE(r.has[2]);
    EXPECT_FALSE(r.has[3]);
}

}  // namespace

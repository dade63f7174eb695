// Block contact: goals against exits, pick-ups by either character, pressure and
// one-shot switches, hazards, springs, keys and the coin sweep.

#include "play_fixture.h"

#include "envresGlobal.h"

using namespace FHWGBL;

namespace {

class Contact : public PlayField {
protected:
    MyCharactor& hero() { return W.chars[0]; }
    int check() { return hero().checkMapObject(false); }
    // The block a character's contact point (box corner + 4 dots) lies on.
    static void under(const MyCharactor& c, int code) {
        put((c.posY / 100 + 4) / 16, (c.posX / 100 + 4) / 16, code);
    }
    static int32_t underCode(const MyCharactor& c) {
        return MenMap[(c.posY / 100 + 4) / 16][(c.posX / 100 + 4) / 16];
    }
};

TEST_F(Contact, GoalEndsTheSectionButOneExitDoesNot) {
    under(hero(), 444);
    EXPECT_EQ(check(), 3);

    under(hero(), 412);
    EXPECT_EQ(check(), 1) << "one character at an exit does not end the section";

    // Both characters on exit blocks: the other character is only seen on its exit once
    // it is marked as standing on a change spot (the frame before).
    under(W.chars[1], 420);
    EXPECT_EQ(check(), 1);
    EXPECT_TRUE(MyCharactor::OtherOnGhgPlaceF);
    EXPECT_TRUE(MyCharactor::ChangeableF) << "both stand on change spots";
    EXPECT_EQ(check(), 4);

    // Two exits beat a goal in the same frame.
    under(hero(), 444);
    EXPECT_EQ(check(), 3);
}

TEST_F(Contact, MissInProgressReportsSixAndDoesNothingElse) {
    under(hero(), 551);
    MyCharactor::MissingF = true;
    EXPECT_EQ(check(), 6);
    EXPECT_EQ(underCode(hero()), 551);
    EXPECT_EQ(Score, 0);
}

TEST_F(Contact, PickUpsAreConsumedByEitherCharacter) {
    under(hero(), 551);       // 120 points, 1600 energy, two silver coins
    under(W.chars[1], 528);   // 100 points: the other character takes it too
    check();
    EXPECT_EQ(underCode(hero()), 7);
    EXPECT_EQ(underCode(W.chars[1]), 7);
    EXPECT_EQ(Score, 120 + 100);
    EXPECT_EQ(SilvCoins, 2 + 2);
    EXPECT_EQ(preEcounter, 1600 + 80);

    under(hero(), 580);  // 5 points, no energy, one silver coin
    check();
    EXPECT_EQ(Score, 225);
    EXPECT_EQ(SilvCoins, 5);
    EXPECT_EQ(preEcounter, 1680);
}

TEST_F(Contact, PressureSwitchFollowsTheFeet) {
    info[4] = 900;  // pair 0: 900 -> 100 while held
    info[5] = 100;
    put(40, 40, 900);
    put(41, 41, 424);  // a second released switch 0 elsewhere
    under(hero(), 424);
    check();
    EXPECT_EQ(underCode(hero()), 360) << "held";
    EXPECT_EQ(MenMap[41][41], 360);
    EXPECT_EQ(MenMap[40][40], 100);

    // Still standing on it: nothing changes again.
    check();
    EXPECT_EQ(MenMap[40][40], 100);

    // Stepping off reverses the change.
    hero().posX += 3 * 1600;
    check();
    EXPECT_EQ(MenMap[41][41], 424);
    EXPECT_EQ(MenMap[40][40], 900);
}

TEST_F(Contact, OneShotSwitchStaysChanged) {
    info[12] = 950;  // pair 4 belongs to switch block 428
    info[13] = 120;
    put(40, 40, 950);
    put(42, 42, 428);
    under(hero(), 428);
    check();
    EXPECT_EQ(MenMap[40][40], 120);
    EXPECT_EQ(underCode(hero()), 364);
    EXPECT_EQ(MenMap[42][42], 364);
    hero().posX += 3 * 1600;
    check();
    EXPECT_EQ(MenMap[40][40], 120) << "a one-shot switch is not reversed";
}

TEST_F(Contact, HazardStartsAMissUnlessInvulnerable) {
    under(hero(), 405);
    hero().invincTimer = 30;
    check();
    EXPECT_FALSE(MyCharactor::MissingF);
    hero().invincTimer = 0;
    check();
    EXPECT_TRUE(MyCharactor::MissingF);
    EXPECT_EQ(MyCharactor::MissingTmer, 119);

    // The other character on a hazard is not hurt.
    FHPlay::resetPlayerStatics();
    under(hero(), 0);
    under(W.chars[1], 405);
    check();
    EXPECT_FALSE(MyCharactor::MissingF);
}

TEST_F(Contact, SpringAndCheckpoint) {
    hero().posX += 300;  // not aligned with the block
    under(hero(), 392);
    check();
    EXPECT_EQ(hero().jumpTimer, 63);
    EXPECT_EQ(hero().speedY, -1000);
    EXPECT_EQ(GravityY, 0);
    EXPECT_EQ(hero().posX % 1600, 0) << "moved to the block's left edge";
    EXPECT_EQ(hero().airCount, 1);

    place(0, 12, 10);
    under(hero(), 396);
    check();
    EXPECT_EQ(hero().restartX, hero().posX);
    EXPECT_EQ(hero().restartY, hero().posY);
}

TEST_F(Contact, ColourKeyOpensEveryOtherCopy) {
    put(50, 50, 448);
    under(hero(), 448);
    check();
    EXPECT_EQ(RBGKeyBit & 1, 1);
    EXPECT_EQ(MenMap[50][50], 452);
    EXPECT_EQ(underCode(hero()), 7);
}

TEST_F(Contact, CoinSweepChainsGoldCoins) {
    // Standing: the column at the character's front edge, this row and the one above.
    const int row = hero().posY / 1600;
    const int col = (hero().posX / 100 + 5) / 16;
    put(row - 1, col, 508);
    put(row - 1, col + 2, 508);  // out of reach while standing
    check();
    EXPECT_EQ(MenMap[row - 1][col], 0);
    EXPECT_EQ(MenMap[row - 1][col + 2], 508);
    EXPECT_EQ(preGcounter, 1);
    EXPECT_EQ(MyCharactor::CoinChain, 1);
    EXPECT_EQ(Score, 500);

    // In the air the sweep is three columns wide and the chain doubles the points.
    hero().groundF = 0;
    check();
    EXPECT_EQ(MenMap[row - 1][col + 2], 0);
    EXPECT_EQ(MyCharactor::CoinChain, 2);
    EXPECT_EQ(Score, 500 + 1000);
}

TEST_F(Contact, TimeBonusAndTimerStop) {
    under(hero(), 486);
    const int before = TIMER;
    check();
    EXPECT_EQ(TIMER, before + 60 * 60);
    EXPECT_EQ(PlusTIME, 55);
    put(30, 30, 455);
    under(hero(), 455);
    check();
    EXPECT_EQ(TIMER, 2160000);
    EXPECT_EQ(MenMap[30][30], 0);
}

TEST_F(Contact, EnergyCansShowTheChapterFiveNumberInTheirOnlyScoreDecoration) {
    for (int chapter : {0, 4, 5}) {
        for (int block : {462, 463}) {
            SetUp();
            CHAPTER = chapter;
            under(hero(), block);
            check();
            int shown = 0, count = 0;
            for (const auto& d : W.decoCtrl.decos)
                if (d.activeF && d.kind == 15) {
                    ++count;
                    shown = d.patt;
                }
            EXPECT_EQ(count, 1) << "block " << block << " chapter " << chapter;
            const int expect = chapter >= 5 ? (block == 462 ? 5730 : 7650) : (block == 462 ? 570 : 760);
            EXPECT_EQ(shown, expect) << "block " << block << " chapter " << chapter;
            EXPECT_EQ(Score, block == 462 ? 570 : 760) << "the points stay as they are";
            EXPECT_EQ(preEcounter, 3200);
        }
    }
    CHAPTER = 0;
}

TEST_F(Contact, ChapterItemsHeldInAnEarlierPlayOfTheChapterScoreOnlyTheirPickUp) {
    CHAPTER = 2;
    for (bool& f : TempEvalItmF) f = false;
    record[FHLayout::kRecEvalItemOfs + 2 * 10 + 3] = 1;  // item 3 of chapter 2 is held
    record[FHLayout::kRecEvalItemOfs + 1 * 10 + 4] = 1;  // item 4 only in another chapter
    under(hero(), 592 + 3);
    check();
    EXPECT_EQ(Score, 10000) << "the pick-up points, no chapter item bonus";
    EXPECT_FALSE(TempEvalItmF[3]);
    under(hero(), 592 + 4);
    check();
    EXPECT_EQ(Score, 10000 + 20000);
    EXPECT_TRUE(TempEvalItmF[4]);
    under(hero(), 592 + 4);  // a second copy in the same section
    check();
    EXPECT_EQ(Score, 10000 + 20000 + 10000);
    for (bool& f : TempEvalItmF) f = false;
    CHAPTER = 0;
}

}  // namespace

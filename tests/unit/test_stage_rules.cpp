// Map cells turned into the blocks of play (every variant the difficulty, the cheats, the
// keys and the diary choose, and the random ones with the order they draw numbers in),
// and the starting time of a section with a very long limit while cheating.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "qgu_carbonlike2.h"
#include "qsdlpp2_globals.h"

using namespace FHWGBL;

namespace {

class Cells : public ::testing::Test {
protected:
    FHWorldCLS& W = Game_GLOBALS::MyWorld;
    unsigned char rec[4096] = {};
    unsigned char* savedRecord = nullptr;

    void SetUp() override {
        savedRecord = W.workingRecord;
        W.workingRecord = rec;
        GameLevel = 2;
        CHAPTER = 1;
        RBGKeyBit = 0;
        GetMasterKF = haveRCF = TrainingF = false;
        cheat(false, false);
    }
    void TearDown() override {
        W.workingRecord = savedRecord;
        cheat(false, false);
        CHAPTER = 0;
    }
    static void cheat(bool freePlay, bool invincible) {
        FHSYS_GLOBALS::use_freePlayF = freePlay;
        FHSYS_GLOBALS::use_invincibleF = invincible;
    }
    int swap(int code) { return W.swapMapObject(code); }

    // The numbers the generator gives after `seed`.
    static std::vector<int> draws(uint32_t seed, int n) {
        SetRandomSeed(seed);
        std::vector<int> v;
        for (int i = 0; i < n; ++i) v.push_back(Random());
        SetRandomSeed(seed);
        return v;
    }
};

TEST_F(Cells, RandomCoinsAndPrizesDrawInTheirOrder) {
    for (uint32_t seed = 1; seed < 400; seed += 7) {
        for (bool easy : {false, true}) {
            GameLevel = easy ? 1 : 2;
            struct Case {
                int cell;
                int expect;
                int used;  // numbers drawn
            };
            std::vector<int> r = draws(seed, 4);
            const int b = r[1] & 3;
            auto rare = [&](int hi) { return hi + (r[2] & 1) + (b == 0 ? 2 : 0); };
            const int base13 = easy ? 552 : 560;
            const Case cases[] = {
                {8, 512 + (r[0] & 7), 1},
                {9, 520 + (r[0] & 7), 1},
                {10, (r[0] & 3) ? 528 + b : 532 + b, 2},
                {11, (r[0] & 3) ? 544 + b : rare(548), (r[0] & 3) ? 2 : 3},
                {12, (r[0] & 3) ? 552 + b : rare(556), (r[0] & 3) ? 2 : 3},
                {13, (r[0] & 7) ? base13 + b : rare(base13 + 4), (r[0] & 7) ? 2 : 3},
            };
            for (const Case& c : cases) {
                SetRandomSeed(seed);
                EXPECT_EQ(swap(c.cell), c.expect) << "cell " << c.cell << " seed " << seed;
                EXPECT_EQ(Random(), r[c.used]) << "cell " << c.cell << " drew the wrong count, seed " << seed;
            }
        }
    }
}

TEST_F(Cells, DiaryKeysAndCheatsChooseTheVariant) {
    // The appendix condition (byte 568) swaps whole block families and two exits.
    for (int c = 16; c <= 19; ++c) EXPECT_EQ(swap(c), c + 936);
    for (int c = 20; c <= 23; ++c) EXPECT_EQ(swap(c), c + 592);
    EXPECT_EQ(swap(447), 377);
    EXPECT_EQ(swap(602), 602);
    rec[568] = 1;
    for (int c = 16; c <= 19; ++c) EXPECT_EQ(swap(c), c + 596);
    for (int c = 20; c <= 23; ++c) EXPECT_EQ(swap(c), c + 932);
    EXPECT_EQ(swap(447), 444);
    EXPECT_EQ(swap(602), 474);

    // Colour doors open for a held key or in training.
    RBGKeyBit = 2;
    EXPECT_EQ(swap(448), 448);
    EXPECT_EQ(swap(449), 452);
    EXPECT_EQ(swap(450), 450);
    TrainingF = true;
    EXPECT_EQ(swap(448), 452);
    TrainingF = false;

    // The master door, the chip door and the cheat block.
    EXPECT_EQ(swap(451), 451);
    GetMasterKF = true;
    EXPECT_EQ(swap(451), 452);
    GetMasterKF = false;
    EXPECT_EQ(swap(453), 453);
    haveRCF = true;
    EXPECT_EQ(swap(453), 452);
    haveRCF = false;
    EXPECT_EQ(swap(454), 454);
    cheat(false, true);
    EXPECT_EQ(swap(451), 452);
    EXPECT_EQ(swap(453), 452);
    EXPECT_EQ(swap(454), 486);
    EXPECT_EQ(swap(584), 584 + 296);
    EXPECT_EQ(swap(948), 948) << "cheats keep the level blocks";
    EXPECT_EQ(swap(950), 950);
    cheat(false, false);
    GameLevel = 1;
    EXPECT_EQ(swap(451), 452) << "easy";
    EXPECT_EQ(swap(453), 452);

    // Level blocks vanish from levels 1, 2 and 4 upward; helpers 584..590 only below 1.
    const int levels[] = {0, 1, 2, 3, 4};
    for (int lv : levels) {
        GameLevel = lv;
        EXPECT_EQ(swap(948), lv < 1 ? 948 : 0) << "level " << lv;
        EXPECT_EQ(swap(949), lv < 2 ? 949 : 0) << "level " << lv;
        EXPECT_EQ(swap(950), lv < 4 ? 950 : 0) << "level " << lv;
        EXPECT_EQ(swap(590), lv < 1 ? 590 + 296 : 590) << "level " << lv;
    }
    GameLevel = 2;
    EXPECT_EQ(swap(951), 951);
    rec[487] = 1;
    EXPECT_EQ(swap(951), 984);
    EXPECT_EQ(swap(7), 7) << "other cells stay";
    EXPECT_EQ(swap(700), 700);
}

TEST_F(Cells, ChapterItemsAndTheSpecialItemFollowTheChaptersRecord) {
    // Item k of chapter 1 sits at byte 488 + 10 + k.
    EXPECT_EQ(swap(592 + 3), 592 + 3);
    rec[488 + 10 + 3] = 1;
    EXPECT_EQ(swap(592 + 3), 592 + 3 - 128) << "held items become plain blocks";
    rec[488 + 0 + 4] = 1;  // the same item of chapter 0 does not count
    EXPECT_EQ(swap(592 + 4), 592 + 4);
    GameLevel = 1;
    EXPECT_EQ(swap(592 + 4), 592 + 4 - 128) << "never on easy levels";
    GameLevel = 2;
    TrainingF = true;
    EXPECT_EQ(swap(592 + 4), 592 + 4 - 128) << "nor in training";
    TrainingF = false;

    EXPECT_EQ(swap(603), 475) << "not all ten items";
    for (int k = 0; k < 10; ++k) rec[488 + 10 + k] = 1;
    EXPECT_EQ(swap(603), 603);
    rec[480 + 1] = 1;  // the chapter's special item is held
    EXPECT_EQ(swap(603), 576);
    for (uint32_t seed : {3u, 77u}) {
        cheat(true, false);
        const std::vector<int> r = draws(seed, 2);
        EXPECT_EQ(swap(603), 460 + (r[0] & 3));
        EXPECT_EQ(Random(), r[1]);
    }
}

TEST(SectionTimer, LongLimitsAreCutOnlyWhileCheating) {
    EXPECT_EQ(FHWorldCLS::startingTimer(59400, true), 59400);
    EXPECT_EQ(FHWorldCLS::startingTimer(59401, true), 40020);
    EXPECT_EQ(FHWorldCLS::startingTimer(356400, true), 40020);
    EXPECT_EQ(FHWorldCLS::startingTimer(356400, false), 356400);
    EXPECT_EQ(FHWorldCLS::startingTimer(3544, true), 3544);
}

}  // namespace

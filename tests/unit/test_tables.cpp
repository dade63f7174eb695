// The static game tables: stage order, map records, object attributes and boxes,
// collectible block values, fixed texts, and the marking of rows not designed yet.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "envresGlobal.h"

namespace {

const int32_t* stage(int c, int s) { return vrndx_getStageRefPtr(c, s); }

TEST(StageTable, ChapterZeroFlowsThroughItsSections) {
    // Straight through: 0 -> 1 -> 2, finished after 2.
    EXPECT_EQ(stage(0, 0)[1], 1);
    EXPECT_EQ(stage(0, 1)[1], 2);
    EXPECT_GE(stage(0, 2)[1], 5);
    // The alternative exit of 1 leads to 3, whose exits both return to 2.
    EXPECT_EQ(stage(0, 1)[2], 3);
    EXPECT_EQ(stage(0, 3)[1], 2);
    EXPECT_EQ(stage(0, 3)[2], 2);
    EXPECT_EQ(stage(0, 3)[4], 3544);
}

TEST(StageTable, EveryUsedRowIsWellFormedAndUnusedSlotsAreZero) {
    for (int c = 0; c < 6; ++c)
        for (int s = 0; s < 8; ++s) {
            SCOPED_TRACE(c * 10 + s);
            const int32_t* r = stage(c, s);
            if (s >= 5) {
                for (int f = 0; f < 5; ++f) EXPECT_EQ(r[f], 0);
                continue;
            }
            EXPECT_EQ(r[3], 128);
            EXPECT_GE(r[0], 0);
            EXPECT_LT(r[0], 9 * 16);
            EXPECT_GT(r[4], 0);
            EXPECT_GE(r[1], 0);
            EXPECT_GE(r[2], 0);
        }
    // Spot rows across the table.
    EXPECT_EQ(stage(1, 2)[4], 356400);
    EXPECT_EQ(stage(2, 3)[0], 34);
    EXPECT_EQ(stage(4, 2)[0], 7);
    EXPECT_EQ(stage(5, 4)[4], 3596400);
    EXPECT_EQ(stage(5, 3)[1], 0);
}

TEST(MapTables, FileNamesAndMapNumbers) {
    char name[256];
    // Map 34 is entry 2 of group 2.
    vrndx_cpyArtFileName(name, 34 / 16);
    EXPECT_STREQ(name, "resourcesQSDL/wc2fh_lv3");
    for (int g = 0; g < 9; ++g)
        EXPECT_EQ(std::string(vrndx_getArtFileNamePtr(g)),
                  "resourcesQSDL/wc2fh_lv" + std::to_string(g + 1));
}

TEST(MapTables, TellingRowsAndPlaceholders) {
    const int32_t* m00 = vrndx_getMapInfoPtr(0, 0);
    const int32_t want00[20] = {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                975, 613, 923, 540, 923, 337, 336, 722};
    EXPECT_EQ(0, std::memcmp(m00, want00, sizeof want00));
    const int32_t* m16 = vrndx_getMapInfoPtr(1, 6);
    EXPECT_EQ(m16[0], -2);
    EXPECT_EQ(m16[1], 3);
    const int32_t* m21 = vrndx_getMapInfoPtr(2, 1);
    EXPECT_EQ(m21[1], -1);
    EXPECT_EQ(m21[2], 1);
    EXPECT_EQ(m21[3], 12);
    for (int e = 0; e < 16; ++e)
        for (int f = 0; f < 20; ++f) EXPECT_EQ(vrndx_getMapInfoPtr(8, e)[f], 0);
    for (int n : {30, 31, 60, 61, 62, 63, 76, 77, 78, 79, 92, 93, 94, 95})
        EXPECT_EQ(vrndx_getMapInfoPtr(n / 16, n % 16)[0], 2) << n;
    // The given rows are data; placeholder rows are listed and behave as plain land.
    EXPECT_FALSE(vrndx_mapInfoIsPlaceholder(0, 0));
    EXPECT_FALSE(vrndx_mapInfoIsPlaceholder(2, 1));
    EXPECT_FALSE(vrndx_mapInfoIsPlaceholder(8, 3));
    // Chapter 0's maps exist, so their rows are data.
    for (int s = 0; s < 5; ++s) {
        const int map = stage(0, s)[0];
        EXPECT_FALSE(vrndx_mapInfoIsPlaceholder(map / 16, map % 16)) << map;
    }
    std::set<int> listed;
    for (int i = 0; i < mapInfoNotDesignedCount; ++i) {
        const int n = mapInfoNotDesignedYet[i];
        EXPECT_TRUE(listed.insert(n).second) << "listed twice: " << n;
        ASSERT_TRUE(n >= 0 && n < 128) << n;
        EXPECT_TRUE(vrndx_mapInfoIsPlaceholder(n / 16, n % 16));
        EXPECT_EQ(vrndx_getMapInfoPtr(n / 16, n % 16)[1], 7) << n;
    }
}

TEST(ObjectTables, TellingRowsUnusedKindsAndPlaceholders) {
    auto attr = [](int k) { return vrndx_objAttributeRefPtr(k); };
    const int32_t k0[5] = {0, -1, -1, 0, 0};
    EXPECT_EQ(0, std::memcmp(attr(0), k0, sizeof k0));
    const int32_t k124[5] = {19, 99900, 99900, 0x18900, 1552};
    EXPECT_EQ(0, std::memcmp(attr(124), k124, sizeof k124));
    EXPECT_EQ(attr(29)[2], -660);
    EXPECT_EQ(attr(29)[3], 0x600);
    for (int k = 136; k <= 147; ++k) {
        EXPECT_EQ(attr(k)[4], 848 + k - 136);
        EXPECT_TRUE(attr(k)[1] == 20 || attr(k)[1] == 40);
    }
    EXPECT_EQ(attr(269)[3], 0x1000);
    EXPECT_EQ(attr(268)[1], 3000);

    std::set<int> unused = {148, 169, 170, 171, 173, 199, 266, 267, 270, 271, 272};
    for (int k = 155; k <= 159; ++k) unused.insert(k);
    for (int k = 234; k <= 256; ++k) unused.insert(k);
    std::set<int> placeholders;
    for (int i = 0; i < objAttributeNotDesignedCount; ++i)
        placeholders.insert(objAttributeNotDesignedYet[i]);
    for (int k = 0; k < kObjKinds; ++k) {
        SCOPED_TRACE(k);
        const int32_t* a = attr(k);
        const bool allMinus = a[0] == -1 && a[1] == -1 && a[2] == -1 && a[3] == -1 && a[4] == -1;
        EXPECT_EQ(allMinus, unused.count(k) == 1);
        EXPECT_EQ(vrndx_objAttributeIsPlaceholder(k), placeholders.count(k) == 1);
        EXPECT_FALSE(unused.count(k) && placeholders.count(k));
        if (!allMinus) {
            EXPECT_GE(a[0], 0);
            EXPECT_LT(a[0], 64);  // a valid box
        }
    }
    // No telling row is a placeholder.
    for (int k : {0, 1, 5, 8, 17, 28, 29, 41, 56, 74, 124, 136, 147, 257, 265, 268, 269})
        EXPECT_FALSE(vrndx_objAttributeIsPlaceholder(k)) << k;
}

TEST(ObjectTables, BoxesBehavioursAndCharacterBoxes) {
    using Obj = MainObjectCtrlCls::Object;
    auto eq = [](const rRect& r, int t, int l, int b, int rt) {
        return r.top == t && r.left == l && r.bottom == b && r.right == rt;
    };
    EXPECT_TRUE(eq(Obj::objectRects[0], 0, 0, 1600, 1600));
    EXPECT_TRUE(eq(Obj::objectRects[6], -12800, -12800, 12800, 12800));
    EXPECT_TRUE(eq(Obj::objectRects[33], 0, 0, 100, 1500));
    EXPECT_TRUE(eq(Obj::objectRects[53], 11600, 1600, 4800, 4800));
    EXPECT_TRUE(eq(Obj::objectRects[61], 800, 900, 2400, 2300));
    EXPECT_TRUE(eq(Obj::objectRects[63], 0, 0, 0, 0));
    EXPECT_TRUE(eq(Obj::hugeRect, -32, -32, 96, 96));
    const int classes[9] = {0, 0, 1, 2, 4, 0, 1, 2, 4};
    for (int n = 2; n <= 8; ++n) EXPECT_EQ((Obj::behaveTBL[n] >> 8) & 7, classes[n]) << n;
    EXPECT_EQ(Obj::behaveTBL[6] & 0x800, 0x800);
    for (int n = 9; n < 16; ++n) EXPECT_EQ(Obj::behaveTBL[n], 0);

    // The world's characters carry the four boxes and their slot numbers.
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(w.chars[c].slotIdx, c);
        EXPECT_EQ(MyCharactor::relativeRef[c], &w.chars[c]);
        EXPECT_TRUE(eq(w.chars[c].boxTable[0], 1800, 1000, 3200, 2200));
        EXPECT_TRUE(eq(w.chars[c].boxTable[3], -800, 0, 1400, 2400));
    }
    EXPECT_EQ(w.currentChr, &w.chars[0]);
    EXPECT_EQ(MyCharactor::superRef, &w);
    EXPECT_EQ(MainObjectCtrlCls::superRef, &w);
    EXPECT_EQ(Obj::relativeRef[160], &w.objectCtrl.backups[0]);
    EXPECT_EQ(MyShotsCtrlCls::MyShot::relativeRef[31], &w.shotCtrl.shots[31]);
    EXPECT_EQ(w.shotCtrl.shots[7].slotNo, 7);
    EXPECT_EQ(DecorateCtrlCls::decoObj::relativeRef[127], &w.decoCtrl.decos[127]);
}

TEST(ItemTables, CollectibleBlockValues) {
    auto pts = [](int b) { return ItemPoints[b - 448]; };
    auto heal = [](int b) { return HealPoints[b - 448]; };
    EXPECT_EQ(pts(551), 120);
    EXPECT_EQ(heal(551), 1600);
    EXPECT_EQ(pts(580), 5);
    EXPECT_EQ(heal(580), 0);
    EXPECT_EQ(pts(452), 660);
    EXPECT_EQ(pts(517), 300);
    EXPECT_EQ(pts(539), 5000);
    EXPECT_EQ(pts(571), 200000);
    EXPECT_EQ(pts(603), 10000);
    EXPECT_EQ(pts(604), 0);
    EXPECT_EQ(heal(581), 6400);
    EXPECT_EQ(heal(579), 800);
    int nonZeroPts = 0, healSum = 0;
    for (int i = 0; i < 224; ++i) {
        nonZeroPts += ItemPoints[i] != 0;
        healSum += HealPoints[i];
    }
    EXPECT_EQ(nonZeroPts, 1 + 2 + 1 + 1 + 12 + 9 + 12 + 24 + 4 + 16 + 12 + 4 + 1 + 1 + 12);
    EXPECT_EQ(healSum, (24 + 7 + 8) * 80 + 1600 + 800 + 2 * 6400);
    EXPECT_EQ(ItmFoodPts[0], 10);
    EXPECT_EQ(ItmFoodPts[32], 1);
    EXPECT_EQ(ItmFoodPts[49], 3000);
    for (int f = 0; f < 24; ++f)
        EXPECT_EQ(RoundSEQ4_12[f % 12], RoundSEQ4_12[(f + 12) % 12]);
    EXPECT_EQ(RoundSEQ4_12[3], 3);
    EXPECT_EQ(RoundSEQ4_12[9], 3);
}

TEST(TextTables, ConstMsgRowsAndChapterTexts) {
    const char* row0 = vrndx_getConstMsgPtr(0);
    EXPECT_STREQ(row0, "\r\r Achievements will be\r           deleted.");
    const char* english[8] = {
        nullptr,
        " He..?\r  What a mysterious object entered my body!?",
        "\x11" "D When his mouth opens,throw me in there!\r  then surely...",
        "\r\x11" "D If only I had more energy...",
        "\r\x11^ W, Why....!",
        "\r\x11_ Are you god or devil !?",
        "\r\x11_ I have to admit.",
        "\r\x11_ You need training more.",
    };
    for (int r = 1; r <= 7; ++r) {
        SCOPED_TRACE(r);
        const char* row = vrndx_getConstMsgPtr(r);
        const char* sep = std::strchr(row, 0x07);
        ASSERT_NE(sep, nullptr);
        EXPECT_EQ(std::strchr(sep + 1, 0x07), nullptr);
        EXPECT_STREQ(sep + 1, english[r]);
        EXPECT_GT(sep - row, 2);  // a Japanese half exists
        for (const char* p = row; p < sep; ++p) {
            const unsigned char c = static_cast<unsigned char>(*p);
            EXPECT_TRUE(c < 0x80 || (c >= 0xA1 && c <= 0xDF)) << int(c);
        }
    }
    EXPECT_STREQ(vrndx_getConstMsgPtr(8), "");
    EXPECT_STREQ(vrndx_getConstMsgPtr(9), "");
    EXPECT_STREQ(ChapterComment[6], "Around of the crossing world.");
    EXPECT_EQ(MovingPosit[2][0], 96);
    EXPECT_EQ(MovingPosit[2][1], 240);
    EXPECT_EQ(MovingPosit[5][1], 248);
}

}  // namespace

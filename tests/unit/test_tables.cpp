// The static game tables: stage flow, the shape of every row, the wiring of the actor
// pools, the two-language message rows and the marking of rows not designed yet. Single
// values are not restated here; play and film tests catch a wrong number by its effect.
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
}

TEST(MapTables, FileNamesAndMapNumbers) {
    char name[256];
    for (int g = 0; g < 9; ++g) {
        vrndx_cpyArtFileName(name, g);
        EXPECT_EQ(std::string(name), "resourcesQSDL/wc2fh_lv" + std::to_string(g + 1));
        EXPECT_STREQ(vrndx_getArtFileNamePtr(g), name);
    }
}

TEST(MapTables, UnusedGroupAndPlaceholderRows) {
    for (int e = 0; e < 16; ++e)
        for (int f = 0; f < 20; ++f) EXPECT_EQ(vrndx_getMapInfoPtr(8, e)[f], 0);
    for (int n : {30, 31, 60, 61, 62, 63, 76, 77, 78, 79, 92, 93, 94, 95})
        EXPECT_EQ(vrndx_getMapInfoPtr(n / 16, n % 16)[0], 2) << n;
    // Placeholder rows are listed and behave as plain land; chapters 0 and 1's maps exist,
    // so their rows are data.
    for (int c = 0; c < 2; ++c)
        for (int s = 0; s < 5; ++s) {
            const int map = stage(c, s)[0];
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

TEST(ObjectTables, UnusedKindsAndPlaceholders) {
    auto attr = [](int k) { return vrndx_objAttributeRefPtr(k); };
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
}

TEST(ObjectTables, PoolsAreWiredToTheWorld) {
    using Obj = MainObjectCtrlCls::Object;
    // Every actor record knows its slot and the world it belongs to.
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(w.chars[c].slotIdx, c);
        EXPECT_EQ(MyCharactor::relativeRef[c], &w.chars[c]);
    }
    EXPECT_EQ(w.currentChr, &w.chars[0]);
    EXPECT_EQ(MyCharactor::superRef, &w);
    EXPECT_EQ(MainObjectCtrlCls::superRef, &w);
    EXPECT_EQ(Obj::relativeRef[160], &w.objectCtrl.backups[0]);
    EXPECT_EQ(MyShotsCtrlCls::MyShot::relativeRef[31], &w.shotCtrl.shots[31]);
    EXPECT_EQ(w.shotCtrl.shots[7].slotNo, 7);
    EXPECT_EQ(DecorateCtrlCls::decoObj::relativeRef[127], &w.decoCtrl.decos[127]);
}

TEST(TextTables, MessageRowsHoldAJapaneseAndAnEnglishHalf) {
    for (int r = 1; r <= 7; ++r) {
        SCOPED_TRACE(r);
        const char* row = vrndx_getConstMsgPtr(r);
        const char* sep = std::strchr(row, 0x07);
        ASSERT_NE(sep, nullptr);
        EXPECT_EQ(std::strchr(sep + 1, 0x07), nullptr);
        EXPECT_GT(std::strlen(sep + 1), 2u);  // an English half exists
        EXPECT_GT(sep - row, 2);  // a Japanese half exists
        for (const char* p = row; p < sep; ++p) {
            const unsigned char c = static_cast<unsigned char>(*p);
            EXPECT_TRUE(c < 0x80 || (c >= 0xA1 && c <= 0xDF)) << int(c);
        }
    }
    EXPECT_STREQ(vrndx_getConstMsgPtr(8), "");
    EXPECT_STREQ(vrndx_getConstMsgPtr(9), "");
}

}  // namespace

// The diary "vrnpr.pref": creation, scrambling and checksum (checked against an
// independent decoder), repair of damaged files, the save rules, section bookkeeping and
// the unlock and achievement thresholds.
#include <sys/stat.h>

#include "world_testutil.h"

using namespace worldtest;
using FHLayout::get32;
using FHLayout::get64;
using FHLayout::put32;
using FHLayout::put64;

namespace {

class DiaryTest : public WorldTest {};

TEST_F(DiaryTest, NewDiaryIsWrittenScrambledAndDecodesToTheDefaults) {
    // SetUp created it; create again in an empty folder to see the message.
    std::remove("vrnpr.pref");
    const std::string out = reload();
    EXPECT_NE(out.find("New preference file was cleated.(1312 bytes)\r\n"), std::string::npos);

    const std::vector<uint8_t> raw = coretest::readAll(file("vrnpr.pref"));
    ASSERT_EQ(raw.size(), size_t(kDiary));
    const std::vector<uint8_t> plain = refUnscramble(raw);
    EXPECT_NE(raw, plain);  // really scrambled
    EXPECT_EQ(le32(plain, 0), refSum(plain, 16, 324));
    EXPECT_EQ(le32(plain, 1104), 20240710u);
    EXPECT_EQ(le64(plain, 8), 1700000000);
    EXPECT_EQ(le64(plain, 1120), 1700000000);
    EXPECT_STREQ(reinterpret_cast<const char*>(&plain[16]), "/opt/fernhollow/fernhollow");
    EXPECT_EQ(le64(plain, kRec + 0), 1700000000);  // milestone 0
    EXPECT_EQ(plain[kRec + 464], 1);
    for (int slot = 0; slot < 40; ++slot) {
        EXPECT_EQ(le32(plain, kRec + 144 + slot * 4), 0u);
        EXPECT_EQ(le32(plain, kRec + 304 + slot * 4), 10u);
    }
    // The file holds the diary as created; memory has since counted this opening.
    std::vector<uint8_t> mem(diary(), diary() + kDiary);
    EXPECT_EQ(le32(mem, 1112), 1u);
    EXPECT_EQ(le32(plain, 1112), 0u);
    mem[1112] = 0;
    EXPECT_EQ(mem, plain);
    // The working record is the diary's play record.
    EXPECT_EQ(0, std::memcmp(w.workingRecord, rec(), 576));
}

TEST_F(DiaryTest, SavedDiaryReloadsIntactAndCountsOpenings) {
    diary()[1184 + 3] = 1;  // rect view unlocked
    put32(rec(), 304 + 7 * 4, 123456);
    const std::string out = save();
    EXPECT_EQ(out.find("Corrupted"), std::string::npos);

    const std::vector<uint8_t> plain = decodedFile();
    ASSERT_EQ(plain.size(), size_t(kDiary));
    EXPECT_EQ(0, std::memcmp(&plain[4], "2PHF", 4));
    EXPECT_EQ(le32(plain, 0), refSum(plain, 16, 324));
    EXPECT_STREQ(reinterpret_cast<const char*>(&plain[272]), "/opt/fernhollow/fernhollow");

    const std::string again = reload();
    EXPECT_EQ(again.find("Corrupted"), std::string::npos);
    EXPECT_EQ(get32(diary(), 1112), 2);
    EXPECT_EQ(get32(rec(), 304 + 7 * 4), 123456);
    EXPECT_TRUE(FHSYS_GLOBALS::unLock_enableF[3]);
    EXPECT_FALSE(FHSYS_GLOBALS::unLock_enableF[2]);
}

TEST_F(DiaryTest, AnyChangedByteFromSixteenOnRepairsThePlayRecordOnly) {
    diary()[1184 + 1] = 1;
    diary()[1184 + 6] = 1;
    put32(rec(), 132, 17);           // passed sections
    put32(rec(), 304, 999);          // a high score
    save();
    const std::vector<uint8_t> good = coretest::readAll(file("vrnpr.pref"));

    // The weighted sum gives every seventh word (i mod 7 = 0) weight 0, so the offsets
    // are taken from covered words.
    for (int ofs : {20, 300, kRec, kRec + 136, kRec + 575, 1114, 1311}) {
        ASSERT_NE((ofs - 16) / 4 % 7, 0);
        SCOPED_TRACE(ofs);
        std::vector<uint8_t> bad = good;
        bad[size_t(ofs)] ^= 0x40;
        coretest::writeAll(file("vrnpr.pref"), bad);
        const std::string out = reload();
        EXPECT_NE(out.find("Corrupted preference was flushed.\r\n"), std::string::npos);
        // Play record cleared but for the creation milestone.
        EXPECT_EQ(get64(rec(), 0), 1700000000);
        EXPECT_EQ(rec()[464], 1);
        EXPECT_EQ(get32(rec(), 132), 0);
        EXPECT_EQ(get32(rec(), 304), 0);
        EXPECT_EQ(0, std::memcmp(w.workingRecord, rec(), 576));
        EXPECT_EQ(0, std::strncmp(reinterpret_cast<char*>(diary() + 16), "@FIX::/opt/fernhollow", 21));
        // Unlock flags and the open counter survive.
        EXPECT_TRUE(FHSYS_GLOBALS::unLock_enableF[1]);
        EXPECT_TRUE(FHSYS_GLOBALS::unLock_enableF[6]);
        if (ofs < 1112 || ofs > 1115) {
            EXPECT_EQ(get32(diary(), 1112), 2);
        }
    }
}

TEST_F(DiaryTest, WrongSizedFilesAreRepairedWithoutReadingPastTheirEnd) {
    save();
    const std::vector<uint8_t> good = coretest::readAll(file("vrnpr.pref"));
    for (size_t size : {size_t(0), size_t(15), size_t(700), size_t(1311), size_t(1313), size_t(4000)}) {
        SCOPED_TRACE(size);
        std::vector<uint8_t> bad = good;
        bad.resize(size, 0xAB);
        coretest::writeAll(file("vrnpr.pref"), bad);
        const std::string out = reload();
        EXPECT_NE(out.find("Corrupted preference was flushed."), std::string::npos);
        ASSERT_NE(w.diaryPtr, nullptr);
        EXPECT_EQ(rec()[464], 1);
        // The repaired diary saves as a proper 1,312-byte file again.
        save();
        const std::vector<uint8_t> plain = decodedFile();
        ASSERT_EQ(plain.size(), size_t(kDiary));
        EXPECT_EQ(le32(plain, 0), refSum(plain, 16, 324));
    }
}

TEST_F(DiaryTest, SaveLeavesLastChapterFlagAndMasterKeysOutOfTheFileOnly) {
    rec()[470] = 1;
    for (int c = 0; c < 6; ++c) rec()[472 + c] = 1;
    rec()[478] = 1;  // chapters 6 and 7 are kept
    rec()[469] = 1;
    save();
    const std::vector<uint8_t> plain = decodedFile();
    EXPECT_EQ(plain[kRec + 470], 0);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(plain[size_t(kRec + 472 + c)], 0) << c;
    EXPECT_EQ(plain[kRec + 478], 1);
    EXPECT_EQ(plain[kRec + 469], 1);
    EXPECT_EQ(le32(plain, 0), refSum(plain, 16, 324));
    // Memory keeps them.
    EXPECT_EQ(rec()[470], 1);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(rec()[472 + c], 1) << c;
}

TEST_F(DiaryTest, SectionEndFoldsItemsAndFramesUnlessCheating) {
    FHWGBL::CHAPTER = 2;
    for (bool& f : FHWGBL::TempEvalItmF) f = false;
    FHWGBL::TempEvalItmF[3] = true;
    FHWGBL::TempGetPenBoxF = true;
    FHWGBL::TempGetMysteryF = false;
    FHWGBL::RBGKeyBit = 8;

    // A failed section keeps no items but counts its frames.
    w.sectionSteps = 100;
    w.firstChrSteps = 40;
    w.determPlayRecords(1);
    EXPECT_EQ(rec()[488 + 23], 0);
    EXPECT_EQ(get32(rec(), 136), 100);
    EXPECT_EQ(get32(rec(), 140), 40);
    EXPECT_EQ(w.sectionSteps, 0);

    w.sectionSteps = 60;
    w.firstChrSteps = 60;
    FHWGBL::TempEvalItmF[3] = true;  // taken again in the section that is cleared
    FHWGBL::TempGetPenBoxF = true;
    w.determPlayRecords(0);
    EXPECT_EQ(rec()[488 + 23], 1);
    EXPECT_EQ(rec()[480 + 2], 1);
    EXPECT_EQ(rec()[472 + 2], 1);
    EXPECT_EQ(rec()[487], 0);
    EXPECT_EQ(get32(rec(), 136), 160);
    EXPECT_EQ(get32(rec(), 140), 100);

    for (int mode : {0, 1}) {
        FHSYS_GLOBALS::use_freePlayF = mode == 0;
        FHSYS_GLOBALS::use_invincibleF = mode == 1;
        w.sectionSteps = 500;
        w.firstChrSteps = 500;
        w.determPlayRecords(0);
        EXPECT_EQ(get32(rec(), 136), 160);
        EXPECT_EQ(get32(rec(), 140), 100);
        EXPECT_EQ(w.sectionSteps, 0);
        EXPECT_EQ(w.firstChrSteps, 0);
    }
}

// Sets the progress so that the chapters total exactly `total` points (best times first,
// then items and pen boxes), leaving the appendix empty.
void setTotal(unsigned char* r, int total) {
    for (int s = 0; s < 25; ++s) put32(r, 144 + s * 4, 0);
    std::memset(r + 480, 0, 5);
    std::memset(r + 488, 0, 50);
    int slots = 0;
    while (slots <= 25 && ((total - 9 * slots) % 5 != 0 || (total - 9 * slots) / 5 > 55)) ++slots;
    ASSERT_LE(slots, 25) << "total " << total << " cannot be reached";
    for (int s = 0; s < slots; ++s) put32(r, 144 + s * 4, 600);
    int units = (total - 9 * slots) / 5;
    for (int c = 0; c < 5 && units > 0; ++c) {
        for (int i = 0; i < 10 && units > 0; ++i, --units) r[488 + c * 10 + i] = 1;
        if (units > 0) r[480 + c] = 1, --units;
    }
}

void setAppendixFull(unsigned char* r) {
    for (int s = 25; s < 30; ++s) put32(r, 144 + s * 4, 600);
    std::memset(r + 488 + 50, 1, 10);
    r[485] = 1;
    r[487] = 1;
}

struct Edge {
    const char* what;
    int flag;
    void (*below)(unsigned char*);
    void (*at)(unsigned char*);
};

TEST_F(DiaryTest, UnlockRulesAtTheirEdges) {
    const Edge edges[] = {
        {"passed 1", 0, [](unsigned char* r) { put32(r, 132, 0); }, [](unsigned char* r) { put32(r, 132, 1); }},
        {"passed 5", 1, [](unsigned char* r) { put32(r, 132, 4); }, [](unsigned char* r) { put32(r, 132, 5); }},
        {"passed 20", 2, [](unsigned char* r) { put32(r, 132, 19); }, [](unsigned char* r) { put32(r, 132, 20); }},
        {"appendix condition", 2, [](unsigned char* r) { r[568] = 0; }, [](unsigned char* r) { r[568] = 1; }},
        {"T 350 with X", 3, [](unsigned char* r) { setTotal(r, 349); r[568] = 1; },
         [](unsigned char* r) { setTotal(r, 350); r[568] = 1; }},
        {"T 350 without X", 3, [](unsigned char* r) { setTotal(r, 500); },
         [](unsigned char* r) { setTotal(r, 350); r[568] = 1; }},
        {"T 275 with X", 4, [](unsigned char* r) { setTotal(r, 274); r[568] = 1; },
         [](unsigned char* r) { setTotal(r, 275); r[568] = 1; }},
        {"frames 2160060", 5, [](unsigned char* r) { put32(r, 136, 2160059); },
         [](unsigned char* r) { put32(r, 136, 2160060); }},
        {"frames 4320060", 6, [](unsigned char* r) { put32(r, 136, 4320059); },
         [](unsigned char* r) { put32(r, 136, 4320060); }},
        {"T over 499", 6, [](unsigned char* r) { setTotal(r, 495); },
         [](unsigned char* r) { setTotal(r, 500); }},
        {"A over 100", 6, [](unsigned char* r) { setAppendixFull(r); r[487] = 0; },
         [](unsigned char* r) { setAppendixFull(r); }},
        {"T and A", 7, [](unsigned char* r) { setTotal(r, 500); setAppendixFull(r); r[487] = 0; },
         [](unsigned char* r) { setTotal(r, 500); setAppendixFull(r); }},
        {"achievement 6 date", 7, [](unsigned char*) {},
         [](unsigned char* r) { put64(r, 64 + 6 * 8, 5); }},
    };
    for (const Edge& e : edges) {
        SCOPED_TRACE(e.what);
        for (int side = 0; side < 2; ++side) {
            std::memset(diary() + 1184, 0, 8);
            std::memset(rec() + 64, 0, 64);
            put32(rec(), 132, 0);
            put32(rec(), 136, 0);
            rec()[568] = 0;
            setTotal(rec(), 0);
            std::memset(rec() + 488 + 50, 0, 10);
            for (int s = 25; s < 30; ++s) put32(rec(), 144 + s * 4, 0);
            rec()[485] = rec()[487] = 0;
            (side ? e.at : e.below)(rec());
            save();
            EXPECT_EQ(diary()[1184 + e.flag], side) << "side " << side;
            EXPECT_EQ(decodedFile()[size_t(1184 + e.flag)], side) << "file, side " << side;
        }
    }
}

TEST_F(DiaryTest, AppendixUnlockOpensTheAppendixMilestone) {
    setTotal(rec(), 275);
    rec()[568] = 1;
    save();
    EXPECT_EQ(diary()[1188], 1);
    EXPECT_EQ(rec()[471], 1);
    EXPECT_EQ(get64(rec(), 7 * 8), 1700000000);
    // Once set, a flag is never re-stamped.
    w.startTime = 1800000000;
    save();
    EXPECT_EQ(get64(rec(), 7 * 8), 1700000000);
}

TEST_F(DiaryTest, AchievementDatesAtTheirThresholds) {
    // The highest totals that can be reached below each threshold.
    const int below[6] = {249, 349, 424, 470, 490, 495};
    const int at[6] = {250, 350, 425, 475, 495, 500};
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        std::memset(rec() + 64, 0, 64);
        setTotal(rec(), below[k]);
        save();
        EXPECT_EQ(get64(rec(), 64 + k * 8), 0);
        setTotal(rec(), at[k]);
        save();
        EXPECT_EQ(get64(rec(), 64 + k * 8), 1700000000);
    }
    put32(rec(), 136, 21600059);
    save();
    EXPECT_EQ(get64(rec(), 64 + 6 * 8), 0);
    put32(rec(), 136, 21600060);
    save();
    EXPECT_EQ(get64(rec(), 64 + 6 * 8), 1700000000);
    setAppendixFull(rec());
    save();
    EXPECT_EQ(get64(rec(), 64 + 7 * 8), 1700000000);
}

TEST_F(DiaryTest, FullChaptersScoreOneHundredEach) {
    setTotal(rec(), 500);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(FHWorldCLS::chapterAchievement(rec(), c), 100) << c;
    setAppendixFull(rec());
    EXPECT_EQ(FHWorldCLS::appendixAchievement(rec()), 101);
}

TEST_F(DiaryTest, CollectionsAreCreditedOnlyToTheLiveSectionThatTookThem) {
    auto take = [] {
        for (bool& f : FHWGBL::TempEvalItmF) f = false;
        FHWGBL::TempEvalItmF[5] = true;
        FHWGBL::TempGetPenBoxF = true;
        FHWGBL::TempGetMysteryF = true;
    };
    auto credited = [&](int chapter) {
        return rec()[480 + chapter] + rec()[488 + chapter * 10 + 5] + rec()[487];
    };
    FHWGBL::RBGKeyBit = 0;
    // Cleared in chapter 1: credited there, and used up.
    FHWGBL::CHAPTER = 1;
    take();
    w.determPlayRecords(0);
    EXPECT_EQ(credited(1), 3);
    rec()[487] = w.workingRecord[487] = 0;
    FHWGBL::CHAPTER = 3;
    w.determPlayRecords(0);
    EXPECT_EQ(credited(3), 0) << "a later clear in another chapter";

    // Taken in a section that ended in a game over: never credited, not even later.
    take();
    w.determPlayRecords(1);
    FHWGBL::CHAPTER = 4;
    w.determPlayRecords(0);
    EXPECT_EQ(credited(3) + credited(4), 0) << "after a game over";

    // Taken while a film was watched: the viewer earns nothing, then or later.
    take();
    QSDL_GLOBALS::rplyMode = 1;
    w.determPlayRecords(0);
    QSDL_GLOBALS::rplyMode = 0;
    EXPECT_EQ(credited(4), 0) << "during a replay";
    FHWGBL::CHAPTER = 2;
    w.determPlayRecords(0);
    EXPECT_EQ(credited(2), 0) << "after a replay";
}

TEST_F(DiaryTest, ADiaryThatExistsButCannotBeReadIsNeverWrittenOver) {
    // A link to a device stands for a diary that cannot be read (the tests may run with
    // rights that read any plain file).
    std::remove("vrnpr.pref");
    ASSERT_EQ(symlink("/dev/zero", "vrnpr.pref"), 0);
    const std::string out = reload();
    EXPECT_NE(out.find("Diary could not be read; kept in memory"), std::string::npos) << out;
    EXPECT_EQ(out.find("New preference file was cleated."), std::string::npos) << out;
    ASSERT_NE(w.diaryPtr, nullptr);
    EXPECT_TRUE(w.diaryWriteLocked);
    EXPECT_EQ(rec()[464], 1);
    EXPECT_EQ(get32(rec(), 304), 10);  // a new diary's high scores
    // Play and saving go on in memory; the file and its report are left alone.
    FHWGBL::CHAPTER = 0;
    w.sectionSteps = 7;
    w.determPlayRecords(0);
    EXPECT_EQ(get32(rec(), 136), 7);
    const std::string saved = save();
    EXPECT_NE(saved.find("Diary not saved"), std::string::npos) << saved;
    struct stat st;
    ASSERT_EQ(lstat("vrnpr.pref", &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_FALSE(coretest::fileExists(file("SecretDiary.text")));
    std::remove("vrnpr.pref");
    // A later start that finds the diary missing creates it again as usual.
    const std::string fresh = reload();
    EXPECT_FALSE(w.diaryWriteLocked);
    EXPECT_NE(fresh.find("New preference file was cleated."), std::string::npos);
}

TEST_F(DiaryTest, AHugeStrayDiaryIsNeverReadWhole) {
    coretest::writeSparseFile("vrnpr.pref", 64L << 20, 1);  // 64 MiB
    const std::string out = reload();
    EXPECT_EQ(out.find("Read 67108864 byte"), std::string::npos) << out;
    EXPECT_NE(out.find("Read 1312 byte Succeed."), std::string::npos) << out;
    EXPECT_NE(out.find("Corrupted preference was flushed."), std::string::npos) << out;
    // Repaired, it saves as a proper diary.
    save();
    EXPECT_EQ(coretest::readAll(file("vrnpr.pref")).size(), size_t(kDiary));
}

TEST_F(DiaryTest, UnwritableDiaryStillGivesAValidDiaryInMemory) {
    // A folder where the file should be: it can be neither read nor created.
    std::remove("vrnpr.pref");
    ASSERT_EQ(mkdir("vrnpr.pref", 0755), 0);
    reload();
    ASSERT_NE(w.diaryPtr, nullptr);
    EXPECT_EQ(rec()[464], 1);
    EXPECT_EQ(get64(rec(), 0), 1700000000);
    EXPECT_EQ(get32(diary(), 1112), 1);
    EXPECT_EQ(0, std::memcmp(w.workingRecord, rec(), 576));
    // Play goes on: bookkeeping and saving do not fail hard.
    FHWGBL::CHAPTER = 0;
    w.sectionSteps = 5;
    w.determPlayRecords(0);
    save();
    EXPECT_EQ(get32(rec(), 136), 5);
    struct stat st;
    ASSERT_EQ(stat("vrnpr.pref", &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    rmdir("vrnpr.pref");
}

}  // namespace

// The diary report "SecretDiary.text": what a fresh diary shows, best records and times,
// the percent rule, line endings and the size limit.
#include "world_testutil.h"

using namespace worldtest;
using FHLayout::put32;
using FHLayout::put64;

namespace {

class ReportTest : public WorldTest {
protected:
    std::string report() {
        save();
        const std::vector<uint8_t> v = coretest::readAll(file("SecretDiary.text"));
        return std::string(v.begin(), v.end());
    }
    static int count(const std::string& s, const std::string& what) {
        int n = 0;
        for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + what.size())) ++n;
        return n;
    }
    static std::string between(const std::string& s, const std::string& a, const std::string& b) {
        const size_t from = s.find(a);
        const size_t to = s.find(b, from == std::string::npos ? 0 : from);
        if (from == std::string::npos || to == std::string::npos) return "";
        return s.substr(from, to - from);
    }
};

TEST_F(ReportTest, FreshDiaryShowsOnlyTheFirstMilestoneAndCreation) {
    const std::string r = report();
    ASSERT_FALSE(r.empty());
    EXPECT_NE(r.find("(Sorelle's secret diary.)\r\n"), std::string::npos);
    EXPECT_NE(r.find("(Open diary)\t1 "), std::string::npos);
    EXPECT_NE(r.find("(Passed)\t0 "), std::string::npos);
    EXPECT_NE(r.find("(Staying time)\t 0: 0: 0\r\n"), std::string::npos);
    EXPECT_EQ(r.find("CHAPTER"), std::string::npos);
    EXPECT_EQ(r.find("(Chapter"), std::string::npos);
    EXPECT_EQ(r.find("Ex World"), std::string::npos);
    EXPECT_EQ(r.find("Except when FREE"), std::string::npos);
    EXPECT_EQ(r.find("fastest time"), std::string::npos);

    const std::string occur = between(r, "(Occurrences)", "(Occurrences2)");
    EXPECT_NE(occur.find("(What a surprise!)\t"), std::string::npos);
    EXPECT_NE(occur.find("(First secret diary was started.)\t"), std::string::npos);
    EXPECT_EQ(count(occur, "?\r\n\r\n"), 7);
    EXPECT_EQ(count(between(r, "(Occurrences2)", "(Unlocked inspection"), "?\r\n\r\n"), 8);
    EXPECT_EQ(count(between(r, "(Unlocked inspection", "(Debug info.)"), "?\r\n\r\n"), 8);

    EXPECT_NE(r.find(">INSTALL DIRECTORY\r\n/opt/fernhollow/fernhollow\r\n"), std::string::npos);
    EXPECT_NE(r.find(">LAST DIRECTORY\r\n/opt/fernhollow/fernhollow\r\n"), std::string::npos);
    EXPECT_NE(r.find(">LAST VRS.:\r\n 46485032\r\n\r\n@END\r\n\r\n"), std::string::npos);
    EXPECT_NE(r.find("(Following has no meaning.)\r\n\r\n\r\n\r\n"), std::string::npos);
    // Activity of a diary without play.
    EXPECT_NE(r.find("(Brann)\t   0.0 %\r\n"), std::string::npos);
    EXPECT_NE(r.find("(Sorelle)\t   0.0 %\r\n"), std::string::npos);
}

TEST_F(ReportTest, TextIsCrLfShiftJisAndFitsItsBlock) {
    // Fill everything the report can show, with the longest directories.
    std::memset(QSDL_GLOBALS::MyDirectory, 'd', 255);
    QSDL_GLOBALS::MyDirectory[255] = '\0';
    for (int k = 0; k < 8; ++k) {
        put64(rec(), k * 8, 1700000000);
        put64(rec(), 64 + k * 8, 1700000000);
        diary()[1184 + k] = 1;
    }
    for (int s = 0; s < 40; ++s) {
        put32(rec(), 144 + s * 4, int32_t(0xFF000000u | 0xFFFFFFu));
        put32(rec(), 304 + s * 4, 2000000000);
    }
    std::memset(rec() + 480, 1, 8);
    std::memset(rec() + 488, 1, 80);
    put32(rec(), 136, 2000000000);
    put32(rec(), 140, 1000000000);
    const std::string r = report();
    EXPECT_LT(r.size(), 6400u);
    EXPECT_NE(r.find("(Following has no meaning.)\r\n\r\n\r\n\r\n"), std::string::npos);
    EXPECT_EQ(r.back(), '\n');
    for (size_t i = 0; i < r.size(); ++i) {
        if (r[i] == '\n') {
            ASSERT_TRUE(i > 0 && r[i - 1] == '\r') << "bare LF at " << i;
        }
        if (r[i] == '\r') {
            ASSERT_TRUE(i + 1 < r.size() && r[i + 1] == '\n') << "bare CR at " << i;
        }
    }
    // Shift-JIS: every byte from 0x80 up opens a two-byte character, except half-width
    // katakana (0xA1-0xDF).
    for (size_t i = 0; i < r.size(); ++i) {
        const uint8_t b = uint8_t(r[i]);
        if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) continue;
        ASSERT_TRUE((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) << i;
        ASSERT_LT(i + 1, r.size());
        const uint8_t t = uint8_t(r[++i]);
        ASSERT_TRUE(t >= 0x40 && t <= 0xFC && t != 0x7F) << i;
    }
    EXPECT_EQ(count(r, "CHAPTER "), 5);
    EXPECT_NE(r.find("Except when FREE mode is selected."), std::string::npos);
    EXPECT_NE(r.find("(Chapter5)\t100 %\r\n"), std::string::npos);
    EXPECT_NE(r.find("(Average)\t100.0 %\r\n"), std::string::npos);
    EXPECT_NE(r.find("(Achievement @ExWorld)\r\n"), std::string::npos);
    EXPECT_EQ(count(between(r, "(Unlocked inspection", "(Debug info.)"), "?"), 0);
}

TEST_F(ReportTest, BestRecordsShowTimesInSecondsOrADash) {
    put64(rec(), 1 * 8, 1700000000);  // chapter 1 visited
    put32(rec(), 304 + 0 * 4, 12345);
    put32(rec(), 144 + 0 * 4, int32_t(0xFF000000u | 600));   // 10 s
    put32(rec(), 144 + 1 * 4, int32_t(0xFF000000u));         // cleared, no time
    put32(rec(), 144 + 3 * 4, 7260);                          // Ex1, 121 s
    put64(rec(), 7 * 8, 1700000000);  // appendix opened
    put32(rec(), 144 + 25 * 4, 1200);                         // 20 s
    put32(rec(), 304 + 26 * 4, 77);
    const std::string r = report();
    EXPECT_NE(r.find("\r\nCHAPTER 1\r\n SECTION\t1\t  12345 (pts)\t 10 (sec)\r\n"
                     " SECTION\t2\t     10 (pts)\t-\r\n SECTION\t3\t     10 (pts)\t-\r\n"
                     " SECTION\tEx1\t     10 (pts)\t121 (sec)\r\n SECTION\tEx2\t     10 (pts)\t-\r\n"),
              std::string::npos);
    EXPECT_EQ(r.find("CHAPTER 2"), std::string::npos);
    EXPECT_NE(r.find(" SECTION\t1\t     10 (pts)\t  20 (sec)\r\n SECTION\t2\t     77 (pts)\t-\r\n"),
              std::string::npos);
    // Chapter 1 counts 9 for each non-zero record word (cleared without a time too).
    EXPECT_NE(r.find("(Chapter1)\t27 %\r\n"), std::string::npos);
    EXPECT_NE(r.find("(Average)\t9 %\r\n"), std::string::npos);  // appendix: 9
    // The appendix best time of section 1 does not tell the tale of section 2.
    EXPECT_EQ(r.find("(I can't stand them anymore.)"), std::string::npos);
}

TEST_F(ReportTest, PercentSignsInTextsAreWrittenOnce) {
    std::strcpy(QSDL_GLOBALS::MyDirectory, "/games/100%/a%d%s%n");
    put32(rec(), 136, 999);
    put32(rec(), 140, 333);
    const std::string r = report();
    EXPECT_NE(r.find(">LAST DIRECTORY\r\n/games/100%/a%d%s%n\r\n"), std::string::npos);
    EXPECT_EQ(r.find("%%"), std::string::npos);
    EXPECT_NE(r.find("(Brann)\t  33.3 %\r\n"), std::string::npos);
    EXPECT_NE(r.find("(Sorelle)\t  66.6 %\r\n"), std::string::npos);
}

TEST_F(ReportTest, LaterMilestonesAndTheirExtraLines) {
    put64(rec(), 6 * 8, 1700000000);                         // last chapter cleared
    put32(rec(), 144 + 0 * 4, 3600 * 60);                    // 1 h in chapter 1 section 1
    put32(rec(), 144 + 7 * 4, int32_t(0xFF000000u | 5400));  // 90 s in chapter 2 section 3
    put32(rec(), 144 + 26 * 4, 60);                          // appendix section 2
    rec()[487] = 1;
    const std::string r = report();
    EXPECT_NE(r.find("(The fastest time total amount)\t1:1:30 \r\n"), std::string::npos);
    EXPECT_NE(r.find("(I can't stand them anymore.)\t\r\n\r\n"), std::string::npos);
    EXPECT_NE(r.find("(Don't tell Brann) )\t\r\n\r\n"), std::string::npos);
    EXPECT_EQ(r.find("(Have we become gods?)"), std::string::npos);
}

}  // namespace

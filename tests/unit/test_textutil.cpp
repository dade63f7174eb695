// Number, time and date strings, the text-file helpers and the katakana conversion.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "core_testutil.h"
#include "qgu_basicfunc.h"

using namespace coretest;

namespace {

TEST(TextUtil, NumberStrings) {
    char s[64];
    NumtoStr(s, 42, 5);
    EXPECT_STREQ(s, "00042");
    NumtoStr(s, 123456, 3);
    EXPECT_STREQ(s, "456");  // lowest digits only
    NumtoStr(s, 999999999, 9);
    EXPECT_STREQ(s, "999999999");
    NumtoStr(s, 7, 0);
    EXPECT_STREQ(s, "");
    NumtoStr(s, 7, -2);
    EXPECT_STREQ(s, "");
    std::strcpy(s, "SCORE ");
    NumToStrAppend(s, 81, 4);
    EXPECT_STREQ(s, "SCORE 0081");
    NumToString(-15, s);
    EXPECT_STREQ(s, "-15");
    TimeToStr(s, 3725);
    EXPECT_STREQ(s, " 1: 2: 5");
    TimeToStr(s, 0);
    EXPECT_STREQ(s, " 0: 0: 0");
    TimeToStr(s, 100 * 3600 + 59);
    EXPECT_STREQ(s, "100: 0:59");
}

TEST(TextUtil, DateStrings) {
    char s[64], want[64];
    struct tm tmv = {};
    tmv.tm_year = 2026 - 1900;
    tmv.tm_mon = 2;
    tmv.tm_mday = 4;
    tmv.tm_hour = 12;
    const time_t t = mktime(&tmv);
    GetDateStrJp(s, t);
    EXPECT_STREQ(s, "26/ 3/ 4");
    TimeToDateStr(s, t);
    EXPECT_STREQ(s, "26/ 3/ 4");
    // A time the C library cannot convert.
    const time_t bad = time_t(LLONG_MAX);
    GetDateStrJp(s, bad);
    EXPECT_STREQ(s, "Date error.");
    TimeToDateStr(s, bad);
    EXPECT_STREQ(s, "99/13/31");
    // Today's date in the same format.
    const time_t now = time(nullptr);
    NowDateStr(s);
    GetDateStrJp(want, now);
    EXPECT_STREQ(s, want);
    int32_t out = 0;
    const int32_t t32 = Time32(&out);
    EXPECT_EQ(out, t32);
    EXPECT_EQ(uint32_t(t32), uint32_t(uint64_t(time(nullptr)))) ;
}

TEST(TextUtil, BeepIsALogLine) {
    StdoutCapture cap;
    SysBeep(1);
    EXPECT_EQ(cap.text(), "#---- BEEP_BEEP! ----\n");
}

TEST(TextUtil, TickCountIsSeventeenMillisecondSteps) {
    const uint32_t a = TickCount();
    EXPECT_LE(a, TickCount());
    WaitTickCount(5);  // does nothing
}

TEST(TextUtil, TextSaveWritesExactBytes) {
    ScratchDir d;
    const std::string p = d.file("exportSetting.pref");
    const char text[] = "KB 1P Up\t82\rX";
    {
        StdoutCapture cap;
        EXPECT_EQ(textSavePtr(p.c_str(), text, 11), 1);
        EXPECT_EQ(cap.text(), "Create New File 11 byte Succeed. ( " + p + " )\r\n");
    }
    const auto got = readAll(p);
    EXPECT_EQ(std::string(got.begin(), got.end()), "KB 1P Up\t82");
    const std::string bad = d.file("none/x");
    StdoutCapture cap;
    EXPECT_EQ(textSavePtr(bad.c_str(), text, 5), 0);
    EXPECT_EQ(cap.text(), "Open Error. ( " + bad + " )\r\n");
}

TEST(TextUtil, GetTextByLine) {
    ScratchDir d;
    std::vector<char> buf(QGU_TEXTLINE_SLOT * QGU_TEXTLINE_SLOTS, '#');
    const std::string p = d.file("menutext.dttx");
    const std::string longLine(300, 'L');
    std::string content = "first\nsecond\r\n" + longLine + "\nlast";
    writeAll(p, std::vector<uint8_t>(content.begin(), content.end()));
    {
        StdoutCapture cap;
        EXPECT_EQ(getTextByLine(p.c_str(), buf.data()), 5);
        EXPECT_EQ(cap.text(), content);  // every line echoed as read
    }
    EXPECT_STREQ(&buf[0], "first\n");
    EXPECT_STREQ(&buf[256], "second\r\n");
    EXPECT_EQ(std::string(&buf[512]), std::string(255, 'L'));  // split at 255 characters
    EXPECT_EQ(std::string(&buf[768]), std::string(45, 'L') + "\n");
    EXPECT_STREQ(&buf[1024], "last");

    // 1,005 lines: 1,000 are counted, and line 1,001 still lands in slot 1,001.
    std::string many;
    for (int i = 1; i <= 1005; ++i) many += "line" + std::to_string(i) + "\n";
    writeAll(p, std::vector<uint8_t>(many.begin(), many.end()));
    std::fill(buf.begin(), buf.end(), '#');
    {
        StdoutCapture cap;
        EXPECT_EQ(getTextByLine(p.c_str(), buf.data()), 1000);
    }
    EXPECT_STREQ(&buf[999 * 256], "line1000\n");
    EXPECT_STREQ(&buf[1000 * 256], "line1001\n");

    writeAll(p, {});
    EXPECT_EQ(getTextByLine(p.c_str(), buf.data()), 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(getTextByLine(d.file("absent").c_str(), buf.data()), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), d.file("absent") + " Text read error.\r\n");
}

TEST(TextUtil, HalfWidthKatakanaBecomesSingleBytes) {
    // "ｱｲﾞA" : EF BD B1, EF BD B2, EF BE 9E, 'A'
    char s[300] = "\xEF\xBD\xB1\xEF\xBD\xB2\xEF\xBE\x9E" "A";
    EXPECT_EQ(transUniKanaTo1Bkana(s), 4);
    EXPECT_EQ(std::string(s), "\xB1\xB2\xDE" "A");
    // Other UTF-8 (here a hiragana, E3 81 82) and EF sequences below BC stay as they are.
    char t[300] = "\xE3\x81\x82\xEF\xBB\xBFx\xEF\xBE\x80";
    EXPECT_EQ(transUniKanaTo1Bkana(t), 8);
    EXPECT_EQ(std::string(t), "\xE3\x81\x82\xEF\xBB\xBFx\xC0");
    // A sequence cut short by the end of the text is copied, not read past.
    char u[8] = "a\xEF\xBD";
    EXPECT_EQ(transUniKanaTo1Bkana(u), 3);
    EXPECT_EQ(std::string(u), "a\xEF\xBD");
    // Only the first 256 bytes are converted; later bytes follow unchanged.
    std::string longText(255, 'k');
    longText += "\xEF\xBD\xB1\xEF\xBD\xB1";
    std::vector<char> v(longText.begin(), longText.end());
    v.push_back('\0');
    EXPECT_EQ(transUniKanaTo1Bkana(v.data()), 255 + 6);
    EXPECT_EQ(std::string(v.data()), longText);
}

}  // namespace

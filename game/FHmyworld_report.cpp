// The diary report "SecretDiary.text": a readable Shift-JIS account of the diary written
// at every diary save. Nothing reads it back.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "FHmyworld.h"
#include "FHmyworld_report_texts.h"
#include "FHWorldGlobal.h"
#include "qgu_basicfunc.h"
#include "qgu_fileutil.h"
#include "qgu_fileutil_savepath.h"

using namespace FHLayout;

namespace {

const char kReportName[] = "SecretDiary.text";

// Appends formatted text to a fixed block, never past its end (the block keeps room
// for the terminator; text that does not fit is cut).
class ReportWriter {
public:
    ReportWriter(char* buf, int size) : buf_(buf), size_(size) { buf_[0] = '\0'; }
    void put(const char* text) { add("%s", text); }
    void add(const char* fmt, ...) __attribute__((format(printf, 2, 3))) {
        va_list ap;
        va_start(ap, fmt);
        vadd(fmt, ap);
        va_end(ap);
    }
    // For the Shift-JIS formats of the text table, which the compiler cannot check.
    void addTable(const char* fmt, ...) {
        va_list ap;
        va_start(ap, fmt);
        vadd(fmt, ap);
        va_end(ap);
    }
    int used() const { return used_; }

private:
    void vadd(const char* fmt, va_list ap) {
        if (used_ >= size_ - 1) return;
        const int n = std::vsnprintf(buf_ + used_, size_t(size_ - used_), fmt, ap);
        if (n > 0) used_ = used_ + n < size_ - 1 ? used_ + n : size_ - 1;
    }

    char* buf_;
    int size_;
    int used_ = 0;
};

// A 256-byte diary text field as a terminated string, whatever the file held.
void copyField(char* dst, const char* field) {
    std::memcpy(dst, field, kDiaryDirSize);
    dst[kDiaryDirSize - 1] = '\0';
}

void putSectionTime(ReportWriter& w, uint32_t word, const char* timeFmt) {
    const uint32_t frames = word & 0x00FFFFFFu;
    if (frames == 0)
        w.put("\t-\r\n");
    else
        w.add(timeFmt, int(frames / 60));
}

}  // namespace

void FHWorldCLS::SaveSecretDiary() {
    if (diaryPtr == nullptr) return;
    char* block = static_cast<char*>(OpenDataFilePtrByNameWithSize(qgu_savePath(kReportName).c_str(), kReportSize));
    if (block == nullptr) block = static_cast<char*>(NewDataFilePtrByName(kReportSize, qgu_savePath(kReportName).c_str()));
    if (block == nullptr) return;
    std::memset(block, '.', kReportSize);

    const char* diary = diaryPtr;
    const unsigned char* rec = reinterpret_cast<const unsigned char*>(diary + kDiaryRecordOfs);
    auto milestone = [rec](int k) { return get64(rec, kRecMilestoneOfs + k * 8); };
    auto achieveDate = [rec](int k) { return get64(rec, kRecAchieveOfs + k * 8); };
    auto unlocked = [diary](int k) { return diary[kDiaryUnlockOfs + k] != 0; };
    auto bestWord = [rec](int slot) { return getU32(rec, kRecBestTimeOfs + slot * 4); };
    auto highScore = [rec](int slot) { return get32(rec, kRecHighScoreOfs + slot * 4); };

    const uint32_t frames = getU32(rec, kRecFramesOfs);
    const uint32_t heroFrames = getU32(rec, kRecHeroFramesOfs);
    char text[64];
    ReportWriter w(block, kReportSize);

    // 1. Date and title.
    NowDateStr(text);
    w.put(text);
    w.put(kRptHeadFmt);
    w.add("%s\r\n\r\n", kRptSeparator);
    // 2.-5. Counters and times.
    w.addTable(kRptOpenFmt, get32(diary, kDiaryOpenCountOfs));
    w.addTable(kRptPassedFmt, get32(rec, kRecPassedOfs));
    w.put(kRptStayText);
    TimeToStr(text, int(frames / 60));
    w.add("%s\r\n", text);
    if (unlocked(6)) w.put(kRptExceptFreeText);
    w.put(kRptRunText);
    TimeToStr(text, get32(diary, kDiaryRunSecsOfs));
    w.add("%s\r\n\r\n", text);
    // 6.-7. Best records of the visited chapters.
    w.put(kRptBestHeadText);
    for (int c = 1; c <= 5; ++c) {
        if (milestone(c) == 0) continue;
        w.add("\r\nCHAPTER %d\r\n", c);
        for (int s = 1; s <= 5; ++s) {
            const int slot = (c - 1) * 5 + (s - 1);
            if (s <= 3)
                w.add(" SECTION\t%d\t%7d (pts)", s, highScore(slot));
            else
                w.add(" SECTION\tEx%d\t%7d (pts)", s - 3, highScore(slot));
            putSectionTime(w, bestWord(slot), "\t%3d (sec)\r\n");
        }
    }
    // 8. Sum of the best times of the main sections.
    if (milestone(6) != 0) {
        int secs = 0;
        for (int c = 0; c < 5; ++c)
            for (int s = 0; s < 3; ++s) secs += int((bestWord(c * 5 + s) & 0x00FFFFFFu) / 60);
        w.addTable(kRptFastestFmt, secs / 3600, secs / 60 % 60, secs % 60);
    }
    // 9. Achievement per chapter.
    w.put(kRptAchieveHeadText);
    int total = 0;
    for (int c = 1; c <= 5; ++c) {
        const int ach = chapterAchievement(rec, c - 1);
        total += ach;
        if (ach != 0) w.addTable(kRptChapterAchieveFmt, c, c, ach);
    }
    if (milestone(5) != 0) w.addTable(kRptAverageFmt, double(total) / 5.0);
    // 10. The appendix world.
    if (milestone(7) != 0) {
        w.put(kRptExHeadText);
        w.put(kRptExColumnsText);
        for (int s = 1; s <= 5; ++s) {
            const int slot = kAppendixChapter * 5 + (s - 1);
            w.add(" SECTION\t%d\t%7d (pts)", s, highScore(slot));
            putSectionTime(w, bestWord(slot), "\t%4d (sec)\r\n");
        }
        w.put("\r\n");
        w.addTable(kRptExAchieveFmt, appendixAchievement(rec));
    }
    // 11. Share of play of the two characters.
    w.put(kRptActivityText);
    const float all = float(frames) + 1.0f;
    w.addTable(kRptActivityFmt, double(float(heroFrames) * 100.0f / all),
               double(float(frames - heroFrames) * 100.0f / all));
    // 12. Milestones.
    w.add("%s\r\n\r\n", kRptSeparator);
    w.put(kRptOccurText);
    for (int k = 0; k < 8; ++k) {
        if (milestone(k) != 0) {
            GetDateStrJp(text, time_t(milestone(k)));
            w.add("%s%s\r\n\r\n", EventMemo[k], text);
        } else {
            w.put("?\r\n\r\n");
        }
    }
    const int64_t created = get64(diary, kDiaryCreateTimeOfs);
    if (created != 0) {
        GetDateStrJp(text, time_t(created));
        w.add("%s%s\r\n\r\n", EventMemo[11], text);
    }
    if (bestWord(kAppendixChapter * 5 + 1) != 0) w.add("%s\r\n\r\n", EventMemo[8]);
    if (bestWord(kAppendixChapter * 5 + 2) != 0) w.add("%s\r\n\r\n", EventMemo[9]);
    if (bestWord(kAppendixChapter * 5 + 4) != 0) w.add("%s\r\n\r\n", EventMemo[10]);
    if (rec[kRecMysteryOfs] != 0) w.add("%s\r\n\r\n", EventMemo[12]);
    // 13. Achievement dates.
    w.add("%s\r\n\r\n", kRptSeparator);
    w.put(kRptOccur2Text);
    for (int k = 0; k < 8; ++k) {
        if (achieveDate(k) != 0) {
            GetDateStrJp(text, time_t(achieveDate(k)));
            w.add("%s%s\r\n\r\n", ExtEvtMemo[k], text);
        } else {
            w.put("?\r\n\r\n");
        }
    }
    // 14. Unlocked inspection modes.
    w.add("%s\r\n", kRptSeparator);
    w.put(kRptUnlockText);
    for (int k = 0; k < 8; ++k) {
        if (unlocked(k))
            w.add("%s\r\n\r\n", UnlockMsg[k]);
        else
            w.put("?\r\n\r\n");
    }
    // 15. Debug block.
    char dir[kDiaryDirSize];
    w.add("%s\r\n", kRptSeparator);
    w.put(kRptDebugText);
    copyField(dir, diary + kDiaryInstallDirOfs);
    w.add(">INSTALL DIRECTORY\r\n%s", dir);
    copyField(dir, diary + kDiaryLastDirOfs);
    w.add("\r\n>LAST DIRECTORY\r\n%s", dir);
    w.put("\r\n");
    w.add(">LAST VRS.:\r\n %04x", getU32(diary, kDiaryMagicOfs));
    w.put("\r\n\r\n");
    w.put("@END\r\n\r\n");
    w.put(kRptTailText);

    SaveTextFilePtr(block);
    PurgeDataFilePtr(block);
}

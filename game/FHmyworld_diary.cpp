// The diary "vrnpr.pref": persistent progress in one scrambled, checksummed 1,312-byte
// file. The world keeps the whole file image for the run, works on a copy of its play
// record (the working record inside the film buffer) and folds finished sections back.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "FHmyworld.h"
#include "FHWorldGlobal.h"
#include "qgu_carbonlike2.h"
#include "qgu_fileutil.h"
#include "qgu_fileutil_savepath.h"
#include "qsdlpp2_globals.h"

using namespace FHLayout;

namespace {

const char kDiaryName[] = "vrnpr.pref";

// Weighted word sum: sum of (i mod 7) * w[i] with 32-bit wrap-around.
unsigned weightedSum(const unsigned char* bytes, int words) {
    uint32_t sum = 0;
    for (int i = 0; i < words; ++i) sum += uint32_t(i % 7) * getU32(bytes, i * 4);
    return sum;
}

// Copies the program directory into a 256-byte diary field, always terminated.
void putDirectory(char* field, const char* prefix) {
    std::memset(field, 0, kDiaryDirSize);
    const size_t pre = std::strlen(prefix);
    const size_t dir = strnlen(QSDL_GLOBALS::MyDirectory, sizeof QSDL_GLOBALS::MyDirectory);
    const size_t room = kDiaryDirSize - 1 - pre;
    std::memcpy(field, prefix, pre);
    std::memcpy(field + pre, QSDL_GLOBALS::MyDirectory, dir < room ? dir : room);
}

}  // namespace

void FHWorldCLS::scrambleDiaryPtr(char* diary) {
    uint16_t seed;
    std::memcpy(&seed, diary + kDiarySaveTimeOfs, 2);
    SetMrandaSeed(uint32_t(seed) + kScrambleKey);
    for (int i = kDiaryScrambleStart; i < kDiarySize; ++i)
        diary[i] = char(uint8_t(diary[i]) ^ uint8_t(miRanda() & 0xFF));
}

unsigned FHWorldCLS::calSum(unsigned* diary) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(diary);
    return weightedSum(bytes + kDiaryScrambleStart, (kDiarySize - kDiaryScrambleStart) / 4);
}

unsigned FHWorldCLS::calRecordSum(unsigned* record) {
    return weightedSum(reinterpret_cast<const unsigned char*>(record), kRecordSize / 4);
}

void FHWorldCLS::clearPrefData(unsigned* record) { std::memset(record, 0, kRecordSize); }

void FHWorldCLS::swapFHDiaryRef(unsigned*) {}  // the diary is kept in host order

void FHWorldCLS::allocRecordingBuffer() {
    if (recordingBuffer != nullptr) return;
    recordingBuffer = static_cast<char*>(std::calloc(1, kFilmBufferSize));
    if (recordingBuffer == nullptr) {
        std::printf("Recording buffer allocation failed. ( %d )\n", kFilmBufferSize);
        std::abort();  // start-up only; nothing can run without it
    }
    currentFilm = recordingBuffer;
    workingRecord = reinterpret_cast<unsigned char*>(recordingBuffer + kFilmRecordOfs);
}

void FHWorldCLS::restoreDiaryToWorking() {
    allocRecordingBuffer();
    workingRecord = reinterpret_cast<unsigned char*>(recordingBuffer + kFilmRecordOfs);
    std::memcpy(workingRecord, diaryPtr + kDiaryRecordOfs, kRecordSize);
}

void FHWorldCLS::storeWorkingToDiaryRef() {
    std::memcpy(diaryPtr + kDiaryRecordOfs, workingRecord, kRecordSize);
}

// Fills a diary image as a new diary of this run.
static void makeNewDiary(FHWorldCLS& w, char* diary) {
    put64(diary, kDiarySaveTimeOfs, int64_t(w.startTime));
    put64(diary, kDiaryCreateTimeOfs, int64_t(w.startTime));
    put32(diary, kDiaryStampOfs, kFormatStamp);
    putDirectory(diary + kDiaryInstallDirOfs, "");
    unsigned char* rec = reinterpret_cast<unsigned char*>(diary + kDiaryRecordOfs);
    put64(rec, kRecMilestoneOfs, int64_t(w.startTime));
    rec[kRecMilestoneFlagOfs] = 1;
    for (int slot = 0; slot < kSlots; ++slot) {
        put32(rec, kRecBestTimeOfs + slot * 4, 0);
        put32(rec, kRecHighScoreOfs + slot * 4, 10);
    }
    put32(diary, kDiarySumOfs, int32_t(w.calSum(reinterpret_cast<unsigned*>(diary))));
}

void FHWorldCLS::loadDiary() {
    allocRecordingBuffer();
    if (diaryPtr != nullptr && diaryPtr != diaryFallback) PurgeDataFilePtr(diaryPtr);
    diaryPtr = nullptr;
    diaryWriteLocked = false;

    // At most one diary's worth is read: a huge stray file never reaches memory.
    int state = QGU_FILE_MISSING;
    int64_t length = -1;
    char* diary = static_cast<char*>(qgu_openDataFileBounded(qgu_savePath(kDiaryName).c_str(), kDiarySize, &state, &length));
    bool damaged = false;
    if (state == QGU_FILE_TOO_LONG || (diary != nullptr && GetPtrSize(diary) != kDiarySize)) {
        // Only a file of exactly 1,312 bytes is a diary. Take it at that size (cut or
        // zero-padded) so that nothing is read past its end, and repair it below.
        PurgeDataFilePtr(diary);
        diary = static_cast<char*>(OpenDataFilePtrByNameWithSize(qgu_savePath(kDiaryName).c_str(), kDiarySize));
        damaged = true;
        if (diary == nullptr) state = QGU_FILE_UNREADABLE;
    }

    if (diary != nullptr) {
        scrambleDiaryPtr(diary);
        if (damaged || getU32(diary, kDiarySumOfs) != calSum(reinterpret_cast<unsigned*>(diary))) {
            unsigned char* rec = reinterpret_cast<unsigned char*>(diary + kDiaryRecordOfs);
            clearPrefData(reinterpret_cast<unsigned*>(rec));
            put64(rec, kRecMilestoneOfs, int64_t(startTime));
            rec[kRecMilestoneFlagOfs] = 1;
            putDirectory(diary + kDiaryInstallDirOfs, "@FIX::");
            std::printf("Corrupted preference was flushed.\r\n");
        }
    } else if (state != QGU_FILE_MISSING) {
        // The diary is there but cannot be read (permissions, an I/O error): replacing
        // it would lose all progress. Play goes on with a new diary in memory only.
        std::memset(diaryFallback, 0, sizeof diaryFallback);
        diary = diaryFallback;
        makeNewDiary(*this, diary);
        diaryWriteLocked = true;
        std::printf("Diary could not be read; kept in memory and not saved this run. ( %s )\n",
                    kDiaryName);
    } else {
        // Missing: create it. When even that fails the block still serves as the diary
        // in memory (it simply has no file behind it) and play goes on.
        diary = static_cast<char*>(NewDataFilePtrByName(kDiarySize, qgu_savePath(kDiaryName).c_str()));
        if (diary == nullptr) {
            std::memset(diaryFallback, 0, sizeof diaryFallback);
            diary = diaryFallback;
        }
        makeNewDiary(*this, diary);
        if (diary != diaryFallback && GetPtrSize(diary) == kDiarySize) {
            scrambleDiaryPtr(diary);
            SaveDataFilePtr(diary);
            scrambleDiaryPtr(diary);
        }
        std::printf("New preference file was cleated.(%d bytes)\r\n", kDiarySize);
    }
    diaryPtr = diary;
    diaryClock = startTime;

    restoreDiaryToWorking();
    put32(diaryPtr, kDiaryOpenCountOfs, get32(diaryPtr, kDiaryOpenCountOfs) + 1);
    for (int k = 1; k < 8; ++k)
        FHSYS_GLOBALS::unLock_enableF[k] = diaryPtr[kDiaryUnlockOfs + k] != 0;
}

void FHWorldCLS::determPlayRecords(int mode) {
    if (workingRecord == nullptr || diaryPtr == nullptr) return;  // before start-up
    unsigned char* rec = workingRecord;
    const int chapter = FHWGBL::CHAPTER;
    // Only a live section that was not lost earns its collections; a watched film
    // never does.
    if (mode != 1 && !QSDL_GLOBALS::rplyMode && chapter >= 0 && chapter < 8) {
        for (int i = 0; i < 10; ++i)
            rec[kRecEvalItemOfs + chapter * 10 + i] |= FHWGBL::TempEvalItmF[i] ? 1 : 0;
        rec[kRecPenBoxOfs + chapter] |= FHWGBL::TempGetPenBoxF ? 1 : 0;
        rec[kRecMasterKeyOfs + chapter] |= (FHWGBL::RBGKeyBit & 8) ? 1 : 0;
        rec[kRecMysteryOfs] |= FHWGBL::TempGetMysteryF ? 1 : 0;
    }
    // The section's collections are used up either way: they are never credited to a
    // later section or chapter.
    for (bool& f : FHWGBL::TempEvalItmF) f = false;
    FHWGBL::TempGetPenBoxF = false;
    FHWGBL::TempGetMysteryF = false;
    if (!FHSYS_GLOBALS::use_freePlayF && !FHSYS_GLOBALS::use_invincibleF) {
        put32(rec, kRecFramesOfs, int32_t(getU32(rec, kRecFramesOfs) + uint32_t(sectionSteps)));
        put32(rec, kRecHeroFramesOfs,
              int32_t(getU32(rec, kRecHeroFramesOfs) + uint32_t(firstChrSteps)));
    }
    sectionSteps = 0;
    firstChrSteps = 0;
    storeWorkingToDiaryRef();
}

static int chapterPoints(const unsigned char* rec, int chapter) {
    int points = 0;
    for (int s = 0; s < 5; ++s) points += getU32(rec, kRecBestTimeOfs + (chapter * 5 + s) * 4) != 0 ? 9 : 0;
    for (int i = 0; i < 10; ++i) points += rec[kRecEvalItemOfs + chapter * 10 + i] != 0 ? 5 : 0;
    return points + (rec[kRecPenBoxOfs + chapter] != 0 ? 5 : 0);
}

int FHWorldCLS::chapterAchievement(const unsigned char* record, int chapter) {
    return chapterPoints(record, chapter);
}

int FHWorldCLS::appendixAchievement(const unsigned char* record) {
    return chapterPoints(record, kAppendixChapter) + (record[kRecMysteryOfs] != 0 ? 1 : 0);
}

void FHWorldCLS::checkEvent() {
    if (workingRecord == nullptr || diaryPtr == nullptr) return;
    unsigned char* rec = workingRecord;
    char* unlock = diaryPtr + kDiaryUnlockOfs;

    int total = 0;
    for (int c = 0; c < 5; ++c) total += chapterAchievement(rec, c);
    const int appendix = appendixAchievement(rec);

    const uint32_t passed = getU32(rec, kRecPassedOfs);
    const uint32_t frames = getU32(rec, kRecFramesOfs);
    const bool cond = rec[kRecAppendixCondOfs] != 0;
    const bool achieve6 = get64(rec, kRecAchieveOfs + 6 * 8) != 0;

    const bool rule[8] = {
        passed >= 1,
        passed >= 5,
        cond || passed >= 20,
        total >= 350 && cond,
        total >= 275 && cond,
        frames >= 2160060u,
        total > 499 || appendix > 100 || frames >= 4320060u,
        (total > 499 && appendix > 100) || achieve6,
    };
    for (int k = 0; k < 8; ++k) {
        if (unlock[k] != 0 || !rule[k]) continue;
        unlock[k] = 1;
        if (k == 4) {
            rec[kRecAppendixOpenOfs] = 1;
            put64(rec, kRecMilestoneOfs + 7 * 8, int64_t(startTime));
        }
    }

    const bool achieved[8] = {
        total >= 250, total >= 350, total >= 425, total >= 475,
        total >= 495, total > 499,  frames >= 21600060u, appendix > 100,
    };
    for (int k = 0; k < 8; ++k)
        if (achieved[k] && get64(rec, kRecAchieveOfs + k * 8) == 0)
            put64(rec, kRecAchieveOfs + k * 8, int64_t(startTime));
}

void FHWorldCLS::saveLastDiaryRef() {
    if (diaryPtr == nullptr) return;  // before start-up: nothing to save
    restoreDiaryToWorking();
    checkEvent();
    storeWorkingToDiaryRef();

    const time_t now = std::time(nullptr);
    const time_t ran = now > diaryClock ? now - diaryClock : 0;  // a clock set back adds nothing
    put32(diaryPtr, kDiaryRunSecsOfs, int32_t(getU32(diaryPtr, kDiaryRunSecsOfs) + uint32_t(ran)));
    diaryClock = now;
    put64(diaryPtr, kDiarySaveTimeOfs, int64_t(now));
    putDirectory(diaryPtr + kDiaryLastDirOfs, "");

    // The last chapter's cleared flag and the master keys are not kept in the file.
    char* rec = diaryPtr + kDiaryRecordOfs;
    const char keptCleared = rec[470];
    char keptKeys[6];
    std::memcpy(keptKeys, rec + kRecMasterKeyOfs, sizeof keptKeys);
    rec[470] = 0;
    std::memset(rec + kRecMasterKeyOfs, 0, sizeof keptKeys);
    std::memcpy(diaryPtr + kDiaryMagicOfs, "2PHF", 4);
    put32(diaryPtr, kDiarySumOfs, int32_t(calSum(reinterpret_cast<unsigned*>(diaryPtr))));

    if (diaryWriteLocked) {
        // The file on disk could not be read at start; it may still hold all progress.
        std::printf("Diary not saved: the file could not be read at start. ( %s )\n", kDiaryName);
    } else {
        scrambleDiaryPtr(diaryPtr);
        if (diaryPtr == diaryFallback || GetPtrFileName(diaryPtr)[0] == '\0')
            OverWriteDataFilePtrByName(qgu_savePath(kDiaryName).c_str(), diaryPtr, kDiarySize);  // no file behind it yet
        else
            SaveDataFilePtr(diaryPtr);
        scrambleDiaryPtr(diaryPtr);
        SaveSecretDiary();
    }

    rec[470] = keptCleared;
    std::memcpy(rec + kRecMasterKeyOfs, keptKeys, sizeof keptKeys);
}

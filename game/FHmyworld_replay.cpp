// Replay films: every live section is recorded as its starting conditions, the random
// seed, a copy of the play record and the changes of the input word. Films are kept per
// chapter and section as the last play, the best play and a favourite.
#include <cstdio>
#include <cstring>
#include <string>
#include <ctime>
#include <sys/stat.h>
#ifdef _WIN32
#include <direct.h>
#endif

#include "FHmyworld.h"
#include "FHWorldGlobal.h"
#include "qgu_carbonlike2.h"
#include "qgu_fileutil.h"
#include "qgu_fileutil_savepath.h"
#include "qsdlpp2_globals.h"
#include "qsdlpp2_trigon.h"

using namespace FHLayout;

namespace {

const char* const kKindName[kFilmKinds] = {"Last", "Best", "Favo"};
const char kFilmFolder[] = "replayfilms";

bool filmSlotValid(int chapter, int section, int kind) {
    return chapter >= 0 && chapter < kFilmChapters && section >= 0 && section < kFilmSections &&
           kind >= 0 && kind < kFilmKinds;
}

// The films folder is created on the first save when it does not exist yet.
void makeFilmFolder() {
    struct stat st;
    const std::string folder = qgu_savePath(kFilmFolder);
    if (stat(folder.c_str(), &st) == 0) return;
#ifdef _WIN32
    _mkdir(folder.c_str());
#else
    mkdir(folder.c_str(), 0755);
#endif
}

}  // namespace

void FHWorldCLS::filmPath(char* dst, int chapter, int section, int kind) {
    std::snprintf(dst, kFilmPathMax, "%s/%s%d-%d.vrnrpmov", qgu_savePath(kFilmFolder).c_str(),
                  kKindName[kind], chapter + 1, section + 1);
}

bool FHWorldCLS::filmIsSound(const char* film) {
    if (film == nullptr) return false;
    const int64_t size = GetPtrSize(film);
    if (size < kFilmHeaderSize) return false;
    if (get32(film, kFilmStampOfs) != kFormatStamp) return false;
    const int32_t len = get32(film, kFilmEventLenOfs);
    if (len < 0 || len % 4 != 0 || len / 4 > kFilmMaxEvents) return false;
    return int64_t(kFilmHeaderSize) + len == size;
}

// Opens a film file into the table slot, replacing what was there. A file that is not a
// well-formed film is refused: the slot stays empty.
static char* openFilm(const char* path) {
    // No film is longer than its header and the most events a recording keeps: a larger
    // file is refused unread.
    int state = QGU_FILE_MISSING;
    char* film = static_cast<char*>(
        qgu_openDataFileBounded(path, kFilmHeaderSize + int64_t(kFilmMaxEvents) * 4, &state, nullptr));
    if (state == QGU_FILE_TOO_LONG || (film != nullptr && !FHWorldCLS::filmIsSound(film))) {
        std::printf("Replay file was corrupted.");
        std::printf("%s\n", path);
        PurgeDataFilePtr(film);
        film = nullptr;
    }
    return film;
}

void FHWorldCLS::loadReplayFiles() {
    char path[kFilmPathMax];
    for (int c = 0; c < kFilmChapters; ++c)
        for (int s = 0; s < kFilmSections; ++s)
            for (int k = 0; k < kFilmKinds; ++k) {
                PurgeDataFilePtr(replayFilms[c][s][k]);
                filmPath(path, c, s, k);
                replayFilms[c][s][k] = openFilm(path);
                filmPresent[c][s][k] = replayFilms[c][s][k] != nullptr;
            }
}

// Writes `bytes` of a film to the slot's file and reloads the slot from it. The old
// table entry stays when the file cannot be written.
static bool writeFilmSlot(FHWorldCLS& w, const char* film, int64_t bytes, int chapter,
                          int section, int kind) {
    char path[FHWorldCLS::kFilmPathMax];
    FHWorldCLS::filmPath(path, chapter, section, kind);
    makeFilmFolder();
    if (OverWriteDataFilePtrByName(path, film, bytes) != 1) return false;
    char* fresh = openFilm(path);
    PurgeDataFilePtr(w.replayFilms[chapter][section][kind]);
    w.replayFilms[chapter][section][kind] = fresh;
    w.filmPresent[chapter][section][kind] = fresh != nullptr;
    return true;
}

bool FHWorldCLS::SaveLastReplay(int kind) {
    const int chapter = FHWGBL::CHAPTER, section = FHWGBL::SECTION;
    // Films exist for chapters 0..4 only; the appendix world keeps none.
    if (recordingBuffer == nullptr || !filmSlotValid(chapter, section, kind)) return false;
    char* film = recordingBuffer;
    int32_t events = filmLength;
    if (events < 0) events = 0;
    if (events > kFilmMaxEvents) events = kFilmMaxEvents;
    put32(film, kFilmEventLenOfs, events * 4);
    put32(film, kFilmStampOfs, kFormatStamp);
    // The record area of the buffer is the live working record; the film is written with
    // the start copy in its place, and the live record is put back afterwards.
    static unsigned char liveRecord[kRecordSize];
    std::memcpy(liveRecord, film + kFilmRecordOfs, kRecordSize);
    std::memcpy(film + kFilmRecordOfs, filmStartRecord, kRecordSize);
    put32(film, kFilmRecordSumOfs,
          int32_t(calRecordSum(reinterpret_cast<unsigned*>(film + kFilmRecordOfs))));
    const bool written = writeFilmSlot(*this, film, kFilmHeaderSize + events * 4, chapter, section, kind);
    std::memcpy(film + kFilmRecordOfs, liveRecord, kRecordSize);
    return written;
}

bool FHWorldCLS::CopyReplayAsFavorite(int chapter, int section, int kind) {
    if (!filmSlotValid(chapter, section, kind)) return false;
    const char* film = replayFilms[chapter][section][kind];
    if (film == nullptr) return false;
    // The source is the table's block; it is only released after the copy is written.
    return writeFilmSlot(*this, film, kFilmHeaderSize + get32(film, kFilmEventLenOfs), chapter,
                         section, 2);
}

int FHWorldCLS::startStageFilm(int chapter, int section, int kind) {
    char* film;
    if (replayPlaybackF) {
        QSDL_GLOBALS::rplyMode = 1;
        film = filmSlotValid(chapter, section, kind) ? replayFilms[chapter][section][kind] : nullptr;
        if (film == nullptr) return -1;
        // The header is not covered by the checksum: the values play uses as indexes are
        // checked too.
        const bool sound =
            filmIsSound(film) &&
            getU32(film, kFilmRecordSumOfs) ==
                calRecordSum(reinterpret_cast<unsigned*>(film + kFilmRecordOfs)) &&
            get32(film, kFilmChapterOfs) == chapter && get32(film, kFilmSectionOfs) == section &&
            get32(film, kFilmLevelOfs) >= 0 && get32(film, kFilmLevelOfs) <= 4;
        if (!sound) {
            char path[kFilmPathMax];
            filmPath(path, chapter, section, kind);
            std::printf("Replay file was corrupted.");
            std::printf("%s\n", path);
            return -1;
        }
        currentFilm = film;
        chapter = get32(film, kFilmChapterOfs);
        section = get32(film, kFilmSectionOfs);
        FHWGBL::GameLevel = get32(film, kFilmLevelOfs);
        FHWGBL::Score = get32(film, kFilmStartScoreOfs);
        FHWGBL::GoldCoins = get32(film, kFilmGoldOfs);
        FHWGBL::ALTplayF = get32(film, kFilmAltPlayerOfs) != 0;
        std::memcpy(playbackRecord, film + kFilmRecordOfs, kRecordSize);
        workingRecord = playbackRecord;
        for (int k = 0; k < 3; ++k)
            chars[k].weapon = MYShot_Type(get32(film, kFilmStatusOfs + k * 4));
        QSDL_GLOBALS::Stick.startSync(film + kFilmEventsOfs, false,
                                      get32(film, kFilmEventLenOfs) / 4);
    } else {
        QSDL_GLOBALS::rplyMode = 0;
        allocRecordingBuffer();
        film = recordingBuffer;
        currentFilm = film;
        workingRecord = reinterpret_cast<unsigned char*>(film + kFilmRecordOfs);
        std::memcpy(filmStartRecord, workingRecord, kRecordSize);
        // A fresh header; the play record behind it is the live working record.
        std::memset(film, 0, kFilmRecordOfs);
        std::memset(film + kFilmEventLenOfs, 0, kFilmHeaderSize - kFilmEventLenOfs);
        put32(film, kFilmChapterOfs, chapter);
        put32(film, kFilmSectionOfs, section);
        put32(film, kFilmLevelOfs, FHWGBL::GameLevel);
        put32(film, kFilmGoldOfs, FHWGBL::GoldCoins);
        put32(film, kFilmStartScoreOfs, 0);
        put32(film, kFilmAltPlayerOfs, FHSYS_GLOBALS::altPlayerSysF ? 1 : 0);
        const time_t now = std::time(nullptr);
        put32(film, kFilmTimeOfs, int32_t(now));
        put64(film, kFilmStartTimeOfs, int64_t(now));
        FHSYS_GLOBALS::usedF5F = false;
        FHWGBL::ALTplayF = FHSYS_GLOBALS::altPlayerSysF;
        for (int k = 0; k < 3; ++k) put32(film, kFilmStatusOfs + k * 4, int32_t(chars[k].weapon));
        QSDLpp_MYMATH::miRandcd(0);
        QSDL_GLOBALS::Stick.startSync(film + kFilmEventsOfs, true);
    }
    // Free play and invincibility change block variants and the time cap, so a film
    // carries the modes it was recorded with and plays with them, whatever the viewer
    // has switched on now. A film without them plays with the viewer's modes.
    bool freePlay = FHSYS_GLOBALS::unLock_usingF[5];
    bool invincible = FHSYS_GLOBALS::unLock_usingF[6];
    const uint32_t modes = getU32(film, kFilmModesOfs);
    if (!QSDL_GLOBALS::rplyMode) {
        put32(film, kFilmModesOfs,
              int32_t(kFilmModesKnown | (freePlay ? kFilmModeFreePlay : 0u) |
                      (invincible ? kFilmModeInvincible : 0u)));
    } else if (modes & kFilmModesKnown) {
        freePlay = (modes & kFilmModeFreePlay) != 0;
        invincible = (modes & kFilmModeInvincible) != 0;
    }
    FHSYS_GLOBALS::use_freePlayF = freePlay;
    FHSYS_GLOBALS::use_invincibleF = invincible;

    sectionStart = std::time(nullptr);
    SetRandomSeed(uint32_t(get64(film, kFilmStartTimeOfs)));
    FHWGBL::CHAPTER = chapter;
    FHWGBL::SECTION = section;
    return 0;
}

void FHWorldCLS::stampFilmEnd(int32_t finalScore, int32_t elapsedSecs) {
    if (recordingBuffer == nullptr) return;
    put32(recordingBuffer, kFilmFinalScoreOfs, finalScore);
    put32(recordingBuffer, kFilmTimeOfs, elapsedSecs);
}

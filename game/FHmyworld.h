// The play world: one FHWorldCLS (Game_GLOBALS::MyWorld) owns every actor of a running
// section, the block map, the film buffer and the diary block. Its operations are spread
// over the FHmyworld*.cpp modules: loading and stage set-up, field display, the world
// step, the diary, replay films and the diary report.
#pragma once

#include <cstdint>
#include <ctime>

#include "FHWorldGlobal.h"
#include "FHobjectCtrl.h"

class FHWorldCLS {
public:
    // ---- Members (order as the world keeps them) ------------------------------------
    uint16_t* mapDataPtr[16] = {};     // packed cell data of the 16 maps of the map file
    uint16_t* entryTablePtr = nullptr; // entry-point records of the map file
    int32_t nextMapNum = 0;            // map to switch to at the next map change (doors)
    int32_t nextEntryNum = 0;          // entry point for that switch
    int32_t clearedWord = 0;           // 0 at construction
    time_t startTime = 0;              // start of this run
    time_t systemTime = 0;             // stamps the diary records made in this run
    char* replayFilms[FHLayout::kFilmChapters][FHLayout::kFilmSections][FHLayout::kFilmKinds] = {};
    bool filmPresent[FHLayout::kFilmChapters][FHLayout::kFilmSections][FHLayout::kFilmKinds] = {};
    bool replayPlaybackF = false;      // play a film instead of a live play
    int32_t filmLength = 0;            // input events returned when recording stops
    int32_t startingGold = 250;        // gold coins at a new game
    int32_t defaultLevel = 2;          // difficulty at a new game
    unsigned char* workingRecord = nullptr;  // 576-byte working play record
    int32_t mapInfo[FHLayout::kMapInfoWords] = {};  // current map info, gravity x 20
    char* diaryPtr = nullptr;          // the whole diary file image (data-file block)
    char* currentFilm = nullptr;       // the film being recorded or played back
    char* recordingBuffer = nullptr;   // 400688 bytes: film header + input record
    uint16_t mapCells[65536] = {};     // unpacked cells of the current map, row by row
    int32_t phase = 1;                 // 1 play, 2/4 cleared, 6 map change, 7 miss, 8 over
    int32_t playerResult = 0;          // last result of the player's move
    FH_TexName panelTex = 0;           // picture 140, the right-hand panel
    int16_t* mapHeaders[16] = {};      // width, height, packed flag of each map
    int32_t sectionSteps = 0;          // steps played in the section
    int32_t firstChrSteps = 0;         // of those, steps with character 0
    time_t sectionStart = 0;           // wall-clock start of the section or new game

    MyCharactor chars[4];              // 0, 1 player characters, 2 the dog, 3 spare
    MyCharactor* currentChr = nullptr; // the character now controlled
    MyShotsCtrlCls shotCtrl;           // 32 shots
    MainObjectCtrlCls objectCtrl;      // 160 objects + 160 backups
    DecorateCtrlCls decoCtrl;          // 128 decorations

    // Diary bookkeeping: when the running time was last added to the diary, and a
    // stand-in diary used only when no data-file block could be had at all.
    time_t diaryClock = 0;
    char diaryFallback[FHLayout::kDiarySize] = {};
    // True when "vrnpr.pref" exists but could not be read at start: the run plays on a
    // diary in memory and never writes over that file (nor its report).
    bool diaryWriteLocked = false;
    // During playback the working record is a copy of the film's play record, so that
    // play never alters the loaded film (its checksum must hold for the next viewing).
    unsigned char playbackRecord[FHLayout::kRecordSize] = {};
    // During live play the working record is updated as the section ends, before the
    // film is kept; the film must carry the record as it stood at the start, which
    // playback starts from, so a copy is taken when recording starts.
    unsigned char filmStartRecord[FHLayout::kRecordSize] = {};

    // State kept between calls by the loading code.
    int32_t loadedMapNum = -1;         // map currently loaded (-1: reload the group)
    int32_t loadedGroup = -1;          // map group whose files are open

    FHWorldCLS();
    ~FHWorldCLS();

    // ---- Loading and stage set-up ----------------------------------------------------
    int initFHSystem();
    void initNewgame(int keepFilm);
    void changeStatePlyOrRep(bool keep);
    int loadNewStage(int chapter, int section, int kind);
    // Loads map `map` (group map / 16, map map % 16) and places the characters at entry
    // point `entry` (-1: the map's start). False when the map could not be loaded (a
    // negative number unloads): the previous map, if any, stays as it was.
    bool loadMapWorld(int map, int entry);
    bool GetMapArtFile(int group);
    int swapMapObject(int code);
    // The section timer's starting value for a stage time limit: a very long limit
    // (59401 steps or more) is cut to 40020 while free play or invincibility is in force.
    static int32_t startingTimer(int32_t timeLimit, bool cheat);
    void initCoordinate(int);

    // ---- Field display -------------------------------------------------------------
    int updateField(int x, int y, int adjustY, bool rebuild);
    void updBGtex();
    void updFGtex();

    // ---- World step ------------------------------------------------------------------
    int fhWorldMainLoop(int mode);
    int dispMyWorld();
    void updateScore(int part);
    void checkEvent();
    // Stamps a live section's end into the film and the working record (end of phases
    // 2 and 4 of the world loop).
    void recordSection();

    // ---- Diary -------------------------------------------------------------------
    void scrambleDiaryPtr(char* diary);
    unsigned calSum(unsigned* diary);
    unsigned calRecordSum(unsigned* record);
    void clearPrefData(unsigned* record);
    void restoreDiaryToWorking();
    void storeWorkingToDiaryRef();
    void determPlayRecords(int mode);
    void saveLastDiaryRef();
    void swapFHDiaryRef(unsigned*);
    // Opens "vrnpr.pref" (or creates / repairs it), copies its play record into the
    // working record, counts the opening and copies unlock flags 1..7 into
    // FHSYS_GLOBALS::unLock_enableF. Needs the recording buffer. Part of initFHSystem.
    void loadDiary();
    // Allocates the recording buffer and points the working record at its play-record
    // area (once; later calls do nothing). Part of initFHSystem.
    void allocRecordingBuffer();

    // ---- Replay films --------------------------------------------------------------
    void loadReplayFiles();
    bool SaveLastReplay(int kind);
    bool CopyReplayAsFavorite(int chapter, int section, int kind);
    // The film side of loadNewStage. Live play (replayPlaybackF false): fills the header
    // of the recording buffer, stores the three characters' status words (weapon), resets
    // the random table and starts recording. Playback: checks the film of (chapter,
    // section, kind), takes chapter, section, level, gold and the player set-up from it,
    // makes its play record the working record, restores the status words and starts
    // playback; -1 when the film is missing or damaged. Both: set free play and
    // invincibility (stored in a live film's header; taken from a film that carries
    // them), seed Random() from the film's start time, set CHAPTER and SECTION. The caller then resets characters 0..2
    // with MyCharactor::newGame.
    int startStageFilm(int chapter, int section, int kind);
    // Ends the film of a live section: final score and elapsed seconds into the header.
    void stampFilmEnd(int32_t finalScore, int32_t elapsedSecs);
    // True when a loaded film block is well formed: at least the header, the format
    // stamp, and an event length field that matches the block size (the play-record
    // checksum is checked when the film is started). Prints nothing.
    static bool filmIsSound(const char* film);
    // The path of a film file: "replayfilms/Last%d-%d.vrnrpmov" (kind 0), "Best" (1) or
    // "Favo" (2), with chapter + 1 and section + 1, in the save folder; `dst` holds
    // kFilmPathMax bytes.
    enum { kFilmPathMax = 256 };
    static void filmPath(char* dst, int chapter, int section, int kind);

    // Achievement of a chapter (0..4): 9 per section with a best time, 5 per evaluation
    // item, 5 for the pen box; at most 100. The appendix total adds the mystery item.
    static int chapterAchievement(const unsigned char* record, int chapter);
    static int appendixAchievement(const unsigned char* record);

    // ---- Diary report --------------------------------------------------------------
    void SaveSecretDiary();
};

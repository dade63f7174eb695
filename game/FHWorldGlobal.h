// Shared vocabulary of the play world: the global state of the chapter, section and map
// in play (FHWGBL), the system objects and inspection flags (FHSYS_GLOBALS), the field
// display settings (FHSYSGBL) and the one world object (Game_GLOBALS::MyWorld).
//
// The game is single-threaded and keeps this state in plain globals that every world
// and actor module reads and writes directly.
//
// Units: a block is 16 x 16 dots; field units are hundredths of a dot (one block = 1600);
// one step is one call of the controller's main loop (1/60 s at normal speed).
#pragma once

#include <cstdint>
#include <cstring>
#include <ctime>

#include "qgu_carbonlike2.h"  // rRect

class FHWorldCLS;
class QSDLpp_ResourceMgrCls;
class QSDLpp_ImageUtil_Cls;
class QSDLpp_GLPattSys;
class QSDLpp_GLSpriteFuncs;
class QSDLpp_GPrint;
class QSDLpp_GLSprite;

// GL texture names are plain unsigned ints (GLuint) everywhere in the game.
typedef unsigned int FH_TexName;

// ---- Sizes and offsets shared by the world, the diary, films and the report ----------
namespace FHLayout {
// Map geometry.
constexpr int kMapMaxBlocks = 256;             // maps are at most 256 x 256 blocks
constexpr int kBlockField = 1600;              // one block in field units
constexpr int kMapsPerGroup = 16;              // maps in one map file group
constexpr int kMapInfoWords = 20;              // 32-bit words per map info record

// Diary file "vrnpr.pref" (host byte order).
constexpr int kDiarySize = 1312;
constexpr int kDiarySumOfs = 0;                // checksum of bytes 16..1311
constexpr int kDiaryMagicOfs = 4;              // "2PHF"
constexpr int kDiarySaveTimeOfs = 8;           // 64-bit time of the last save
constexpr int kDiaryScrambleStart = 16;        // first scrambled / summed byte
constexpr int kDiaryInstallDirOfs = 16;        // 256 bytes
constexpr int kDiaryLastDirOfs = 272;          // 256 bytes
constexpr int kDiaryDirSize = 256;
constexpr int kDiaryRecordOfs = 528;           // the 576-byte play record
constexpr int kDiaryStampOfs = 1104;           // format stamp 20240710
constexpr int kDiaryRunSecsOfs = 1108;         // actual running time in seconds
constexpr int kDiaryOpenCountOfs = 1112;       // times the diary was opened
constexpr int kDiaryCreateTimeOfs = 1120;      // 64-bit time of creation
constexpr int kDiaryUnlockOfs = 1184;          // 8 unlock flags, one byte each
constexpr int32_t kFormatStamp = 20240710;
constexpr uint32_t kScrambleKey = 37460528u;   // added to the scrambling seed

// Play record (576 bytes; offsets from its start).
constexpr int kRecordSize = 576;
constexpr int kRecMilestoneOfs = 0;            // 8 x 64-bit dates
constexpr int kRecAchieveOfs = 64;             // 8 x 64-bit dates
constexpr int kRecPassedOfs = 132;             // sections passed
constexpr int kRecFramesOfs = 136;             // play frames in total
constexpr int kRecHeroFramesOfs = 140;         // frames with the hero (character 0)
constexpr int kRecBestTimeOfs = 144;           // 40 x 32-bit: frames | 0xFF000000 once cleared
constexpr int kRecHighScoreOfs = 304;          // 40 x 32-bit
constexpr int kRecMilestoneFlagOfs = 464;      // 464 created, 465 first visit, 466..470 cleared
constexpr int kRecAppendixOpenOfs = 471;
constexpr int kRecMasterKeyOfs = 472;          // 8 bytes, per chapter
constexpr int kRecPenBoxOfs = 480;             // 8 bytes, per chapter
constexpr int kRecMysteryOfs = 487;            // the mystery item
constexpr int kRecEvalItemOfs = 488;           // 8 x 10 bytes
constexpr int kRecAppendixCondOfs = 568;
constexpr int kSlots = 40;                     // chapter * 5 + section
constexpr int kAppendixChapter = 5;
constexpr int32_t kNoBestTime = 212400;        // 59 minutes in steps

// Replay film (host order; input events big-endian).
constexpr int kFilmHeaderSize = 688;
constexpr int kFilmBufferSize = 400688;
constexpr int kFilmStampOfs = 0;
constexpr int kFilmStartTimeOfs = 8;           // 64-bit; low 32 bits seed Random()
constexpr int kFilmChapterOfs = 16;
constexpr int kFilmSectionOfs = 20;
constexpr int kFilmStartScoreOfs = 24;
constexpr int kFilmLevelOfs = 28;
constexpr int kFilmStatusOfs = 40;             // 3 x 32-bit, one per character
constexpr int kFilmGoldOfs = 52;
constexpr int kFilmFinalScoreOfs = 56;
constexpr int kFilmTimeOfs = 60;               // start time while recording, then seconds
constexpr int kFilmRecordSumOfs = 64;
constexpr int kFilmAltPlayerOfs = 76;
// Play modes the film was recorded with, in a header word older films leave zero:
// kFilmModesKnown marks a film that carries them, then bit 0 free play, bit 1
// invincibility. A film without the mark plays with the viewer's own modes.
constexpr int kFilmModesOfs = 80;
constexpr uint32_t kFilmModesKnown = 0x80000000u;
constexpr uint32_t kFilmModeFreePlay = 1u, kFilmModeInvincible = 2u;
constexpr int kFilmRecordOfs = 104;            // the play record copy
constexpr int kFilmEventLenOfs = 680;          // byte length of the event list
constexpr int kFilmEventsOfs = 688;
constexpr int kFilmMaxEvents = 30000;
constexpr int kFilmChapters = 5, kFilmSections = 5, kFilmKinds = 3;

// Report "SecretDiary.text".
constexpr int kReportSize = 6400;

// Host-order field access inside the diary, play record and film images.
inline int32_t get32(const void* base, int ofs) {
    int32_t v;
    std::memcpy(&v, static_cast<const char*>(base) + ofs, 4);
    return v;
}
inline uint32_t getU32(const void* base, int ofs) { return uint32_t(get32(base, ofs)); }
inline void put32(void* base, int ofs, int32_t v) {
    std::memcpy(static_cast<char*>(base) + ofs, &v, 4);
}
inline int64_t get64(const void* base, int ofs) {
    int64_t v;
    std::memcpy(&v, static_cast<const char*>(base) + ofs, 8);
    return v;
}
inline void put64(void* base, int ofs, int64_t v) {
    std::memcpy(static_cast<char*>(base) + ofs, &v, 8);
}
}  // namespace FHLayout

// ---- World globals ---------------------------------------------------------------
namespace FHWGBL {
extern int32_t GameLevel;          // difficulty 0..4; initial 2
extern int32_t BestTimer;          // best time of the section in steps (212400 when none)
extern int32_t* CurrentMapInfoRef; // the world's copy of the current map info
extern int32_t MapBlkWidth, MapBlkHeight;
extern int32_t MapDotWidth, MapDotHeight;
extern int32_t MapFieldWidth, MapFieldHeight;
extern int32_t GmapDotLftX, GmapDotTopY;   // view origin in map dots
extern int32_t GFieldLftX, GFieldTopY;     // view origin in field units
extern int32_t GCurrentX, GCurrentY;       // current character, wrapped into the map
extern bool GmapXBorderF, GmapYBorderF;    // the view straddles the wrap seam
extern int32_t MenMap[FHLayout::kMapMaxBlocks][FHLayout::kMapMaxBlocks];  // [y][x]
extern int32_t GravityX, GravityY;
extern int32_t Condition;
extern bool UWMode;
extern int32_t CHAPTER, SECTION;
extern int32_t Score, Highscore;
extern int32_t RBGKeyBit;                  // bits 0..2 coloured keys, bit 3 master key
extern bool GetMasterKF;
extern bool TempGetPenBoxF, TempGetMysteryF;
extern bool TempEvalItmF[10];
extern int32_t GoldCoins, SilvCoins;
extern int32_t MissCount;
extern int32_t preEcounter, preGcounter, preAcounter;
extern int32_t TIMER;                      // steps left; never below -1
extern int32_t PlusTIME;
extern bool StageCompleteF, extraCompleteF;
extern bool shortCutF;
extern bool prevUWModeF;
extern bool TrainingF;
extern bool ALTplayF;
extern bool haveRCF;
extern bool nearChrgSpotF;
extern bool makeHiscoreF;
extern int32_t CtrlCounter;

// Clears the view origin and the map size in dots (before scripted sequences).
void resetFHWGBL();
}  // namespace FHWGBL

// ---- System objects and inspection flags --------------------------------------------
namespace FHSYS_GLOBALS {
extern QSDLpp_ResourceMgrCls artdata;      // map art resources
extern QSDLpp_ImageUtil_Cls FHTexUtil;     // texture utility
extern QSDLpp_GLPattSys BGPattCtrl;        // block layers of the field
extern QSDLpp_GLSpriteFuncs FHSpriteCtrl;  // the sprite list of the step
extern QSDLpp_GPrint printObject;          // default text printer
extern char DebugLogger[256];              // empty
// Inspection modes: [1] fast, [2] vital view, [3] rect view, [4] appendix,
// [5] free play + slow, [6] invincible, [7] movable path view.
extern bool unLock_enableF[8];             // unlocked in the diary
extern bool unLock_usingF[8];              // switched on
extern bool use_freePlayF;                 // free play in force for the section
extern bool use_invincibleF;               // invincibility in force for the section
extern bool usedF5F;                       // fast mode used in this play
extern bool altPlayerSysF;                 // alternating two-controller play chosen
}  // namespace FHSYS_GLOBALS

// ---- Field display ---------------------------------------------------------------
namespace FHSYSGBL {
extern FH_TexName FGTxt, BGTxt;            // 512 x 512 foreground, 640 x 512 background
extern FH_TexName TileTxt[32];             // 32 x 32 tiles of picture 990
extern FH_TexName ChapSelTxt[8];           // 256 x 32 chapter titles of picture 139
extern FH_TexName UWTxt, testTX;
extern int32_t BGWidth, BGheight, FGWidth, FGheight;
extern int32_t CrntBGResNum, CrntFGResNum;
extern int32_t BKratioX, BKratioY, FGratioX, FGratioY;  // negative: automatic drift
extern bool BackSpriteModeF, FrontFGModeF;
extern int32_t AdjustY;
extern int32_t ObstacleNum;                // 639 after a map load
extern int32_t StageBGMRate;
extern const char* ActiveMsgStrPtr;
extern int32_t ActiveMsgDispTimer;
extern int32_t SpriteCnt, ESpCntStrart, DBG_ParentEvtNo;
extern bool UseMADdvf, SndActivef;
}  // namespace FHSYSGBL

namespace Game_GLOBALS {
extern FHWorldCLS MyWorld;
}

// Movement helpers over MenMap and the sprite-placing family of FHWGBL.
#include "FHWorldGlobal_collision.h"
#include "FHWorldGlobal_field.h"

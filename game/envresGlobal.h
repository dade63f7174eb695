// The static tables that tie the game's content together: map file names, stage order and
// time limits, map physics and switch substitutions, object kind attributes, collectible
// block values and a few fixed texts. Constant data (envresGlobal_tables*.cpp), reached
// by name or through the six accessors (envresGlobal.cpp). The accessors do no bounds
// checks; callers pass valid indexes.
#pragma once

#include <cstdint>

// One section of a chapter.
struct FHStageRec {
    int32_t map;         // map number (group = map / 16, entry = map % 16)
    int32_t nextNormal;  // section after a normal clear; 5 or more: chapter finished
    int32_t nextAlt;     // section after the alternative clear
    int32_t reserved;    // 128 in every used row
    int32_t timeLimit;   // starting TIMER in steps
};

// Fields of an object kind's attribute record.
enum FHObjAttrField { OBJATTR_RECT = 0, OBJATTR_LIFE, OBJATTR_VALUE, OBJATTR_FLAGS, OBJATTR_PATT };

// Flag bits of OBJATTR_FLAGS.
enum : int32_t {
    OBJFLG_ALLSHOTS = 0x100,
    OBJFLG_ORDSHOT_A = 0x200,
    OBJFLG_ORDSHOT_B = 0x400,
    OBJFLG_PLATFORM = 0x800,
    OBJFLG_NOWINDOWLIMIT = 0x1000,
    OBJFLG_NOPUSH = 0x8000,
    OBJFLG_FACEMOVE = 0x10000,
    OBJFLG_CARRIER = 0x20000,
};

constexpr int kMapFileGroups = 9;
constexpr int kStageChapters = 6;
constexpr int kStageSlots = 8;
constexpr int kObjKinds = 273;
constexpr int kObjAttrWords = 5;
constexpr int kItemBlockFirst = 448;
constexpr int kItemBlockCount = 224;

extern const char MapFilename[kMapFileGroups][256];
extern const char ConstMsg[10][256];
extern const int32_t stageInfoResGlb[kStageChapters][kStageSlots][5];
extern const int32_t mapinfoResGlb[kMapFileGroups][16][20];
extern const int32_t objAttributeResGlb[kObjKinds][kObjAttrWords];
extern const int32_t ItemPoints[kItemBlockCount];
extern const int32_t HealPoints[kItemBlockCount];
extern const int32_t ItmFoodPts[50];
extern const int32_t RoundSEQ4_12[16];
extern const int32_t MovingPosit[6][2];
extern const char ChapterComment[8][256];

// Lists of the rows that hold placeholders until their maps and object kinds are made
// (map numbers; object kinds).
extern const int16_t mapInfoNotDesignedYet[];
extern const int mapInfoNotDesignedCount;
extern const int16_t objAttributeNotDesignedYet[];
extern const int objAttributeNotDesignedCount;

// Map records whose level data is not designed yet (their maps do not exist yet): true
// when mapinfoResGlb[group][entry] holds placeholder values rather than level data.
bool vrndx_mapInfoIsPlaceholder(int group, int entry);
// Object kinds whose attributes are not designed yet: true when the kind's record is a
// placeholder (neither a fixed row nor an unused kind).
bool vrndx_objAttributeIsPlaceholder(int kind);

const char* vrndx_getArtFileNamePtr(int group);
void vrndx_cpyArtFileName(char* dst, int group);
const char* vrndx_getConstMsgPtr(int n);
const int32_t* vrndx_getStageRefPtr(int chapter, int section);
const int32_t* vrndx_getMapInfoPtr(int group, int entry);
const int32_t* vrndx_objAttributeRefPtr(int kind);

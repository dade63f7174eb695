// The configuration record shared by the game and the settings tool, and the
// preference file "mysdlcfg.pref" that holds it.
//
// File: 1,024 bytes for a new file; bytes 0..119 are the 30 fields as big-endian
// 32-bit integers, the rest is carried through unchanged. A file that exists is read
// whole and written back at its own length. In memory the record is in host order.
//
// Which program's defaults and volume rule apply follows QSDL_GLOBALS::settingsToolF
// (the settings tool sets it at start): createDefault and createDeffault both fill the
// running program's defaults.
#pragma once

#include <cstdint>

#include "qsdlpp2_base@General.h"

class QSDLpp_StickCls;
class QSDLpp_MixMusicCls;

enum { SDLSET_FIELDS = 30, SDLSET_BYTES = 120, PREF_FILE_SIZE = 1024 };

// Field numbers of SDLSet (the order of the file).
namespace SDLSetIdx {
enum : int {
    FullSC = 0,
    WindowSize = 1,
    SkipDisplay = 2,
    Gamma = 3,
    BGMOff = 4,
    MusicVol = 5,
    KB1Stick = 6,
    KB1A = 7,
    KB1B = 8,
    KB1C = 9,
    Pad1A = 10,
    Pad1B = 11,
    Pad1C = 12,
    Pad1D = 13,
    Reverse1 = 14,
    Threshold1 = 15,
    KB2Stick = 16,
    KB2A = 17,
    KB2B = 18,
    KB2C = 19,
    Pad2A = 20,
    Pad2B = 21,
    Pad2C = 22,
    Pad2D = 23,
    Reverse2 = 24,
    Threshold2 = 25,
    AxisX = 26,
    AxisY = 27,
    KB1D = 28,
    KB2D = 29,
};
} // namespace SDLSetIdx

// The configuration record: 30 choice indexes.
struct SDLSet {
    int32_t val[SDLSET_FIELDS];
};
static_assert(sizeof(SDLSet) == SDLSET_BYTES, "SDLSet is 120 bytes on disk");

// Defaults of the two programs and the tables the indexes select.
extern const int32_t prefGameDefaults[SDLSET_FIELDS];
extern const int32_t prefToolDefaults[SDLSET_FIELDS];
extern const int prefStickSets[10][4];  // scancodes up, left, right, down
extern const int prefMusicVolTbl[8];    // percent
extern const int prefWindowScaleTbl[8]; // percent
extern const int prefFrameSkipTbl[8];   // frames per shown frame
// Export labels by field number, and the order of the export's field lines.
extern const char* const prefExportLabels[SDLSET_FIELDS];
struct PrefExportLine {
    const char* heading; // a "#..." line printed before the field, or null
    int field;
};
extern const PrefExportLine prefExportOrder[SDLSET_FIELDS];

class PrefHandler : public QSDLpp_FileMgrCls {
  public:
    PrefHandler(const char* name, long size);
    // Frees the data block: the record is only used while its handler exists (the
    // programs' handlers live until exit).
    ~PrefHandler();
    PrefHandler(const PrefHandler&) = delete;
    PrefHandler& operator=(const PrefHandler&) = delete;

    bool newpref();  // creates the file zero-filled at the stored size
    bool openpref(); // loads the file as it is
    bool autoPref(); // load, or create with defaults; true when it was created
    int savePref();  // 1 written, 0 failed; the record stays in host order
    static void swapRef(SDLSet* set);
    void createDefault();
    void createDeffault() { createDefault(); } // the game's spelling
    SDLSet* getRef() { return myRef; }
    // Field access; an index outside 0..29 (or no record yet) reads 0 and stores nothing.
    int32_t getElement(int index) const {
        return (myRef && index >= 0 && index < SDLSET_FIELDS) ? myRef->val[index] : 0;
    }
    void setElement(int index, int32_t value) {
        if (myRef && index >= 0 && index < SDLSET_FIELDS) myRef->val[index] = value;
    }

    void sdlRestoreConfigu(QSDLpp_StickCls* stick, QSDLpp_MixMusicCls* music);
    int savePrefText(const char* path); // 1 written, 0 failed

    // Values derived by sdlRestoreConfigu.
    bool isFullScreen() const { return fullScreenF; }
    int getWindowScale() const { return windowScale; }
    int getFrameSkip() const { return frameSkip; }

    // True while the record is only in memory (no file could be read or created).
    bool inMemoryOnly() const { return myRef == &fallbackSet; }
    // True when the file exists but could not be read at start: the defaults are used
    // in memory and this run never writes over that file (savePref fails).
    bool writeLocked() const { return saveLocked; }
    const char* prefFileName() const { return prefName; }

    // Table lookups with the out-of-range rule: an index outside a table selects the
    // entry of the field's default value for the running program.
    static int fieldChoice(const int* table, int entries, int field, int32_t index);

  private:
    bool adoptLoadedBlock(bool created);
    void useFallback();

    char prefName[256];
    long newSize;
    SDLSet* myRef;
    bool fullScreenF;
    int windowScale;
    int frameSkip;
    SDLSet fallbackSet; // the record when no file could be read or created
    bool saveLocked = false;
    int openState = 0; // QGU_FileState of the last openpref
};

// The preference file "mysdlcfg.pref": reading or creating it, saving it, applying the
// record to the input and music objects, and the text export.
#include "qsdlpp2_configuration.h"

#include <cstdio>
#include <cstring>

#include "qgu_basicfunc.h"
#include "qgu_fileutil.h"
#include "qgu_fileutil_savepath.h"
#include "qsdlpp2_globals.h"

// The gamma switch belongs to the picture code, which sits above this library; the
// reference is weak so that programs without pictures (tests, tools) link without it.
void qgu_setGammmaCorrect(bool flag) __attribute__((weak));

namespace {
const int32_t* programDefaults() {
    return QSDL_GLOBALS::settingsToolF ? prefToolDefaults : prefGameDefaults;
}
inline uint32_t swap32(uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}
} // namespace

PrefHandler::PrefHandler(const char* name, long size)
    : newSize(size), myRef(nullptr), fullScreenF(false), windowScale(0), frameSkip(1) {
    std::snprintf(prefName, sizeof prefName, "%s", name ? name : "");
    std::memset(&fallbackSet, 0, sizeof fallbackSet);
}

PrefHandler::~PrefHandler() {
    if (dataPtr) PurgeDataFilePtr(dataPtr);
    dataPtr = nullptr;
    myRef = nullptr;
}

bool PrefHandler::newpref() {
    // A new file always has room for the record, whatever size was asked for.
    long size = newSize < SDLSET_BYTES ? long(SDLSET_BYTES) : newSize;
    return create(qgu_savePath(prefName).c_str(), size);
}

// No preference file is anywhere near this long; a larger file is left unread.
static const int64_t kPrefMaxBytes = 1 << 20;

bool PrefHandler::openpref() {
    const std::string path = qgu_savePath(prefName);
    std::snprintf(fileName, sizeof fileName, "%s", path.c_str());
    dataPtr = qgu_openDataFileBounded(path.c_str(), kPrefMaxBytes, &openState, nullptr);
    return dataPtr != nullptr;
}

// Takes the block just loaded or created as the record, if it is large enough to hold
// one; otherwise drops it. (A new block whose file could not be written records size
// 0; the data-file layer has already said why.)
bool PrefHandler::adoptLoadedBlock(bool created) {
    if (!dataPtr) return false;
    int64_t size = GetPtrSize(dataPtr);
    if (size < SDLSET_BYTES) {
        if (!created) std::printf("Preference file too short ( %d byte ). ( %s )\n", int(size), prefName);
        PurgeDataFilePtr(dataPtr);
        dataPtr = nullptr;
        return false;
    }
    myRef = static_cast<SDLSet*>(dataPtr);
    return true;
}

void PrefHandler::useFallback() {
    myRef = &fallbackSet;
    createDefault();
}

bool PrefHandler::autoPref() {
    if (dataPtr) { // a second call starts from the file again
        PurgeDataFilePtr(dataPtr);
        dataPtr = nullptr;
    }
    myRef = nullptr;
    saveLocked = false;
    if (openpref() && adoptLoadedBlock(false)) {
        swapRef(myRef);
        return false;
    }
    if (openState == QGU_FILE_UNREADABLE || openState == QGU_FILE_TOO_LONG) {
        // The file is there but cannot be read: writing defaults over it would lose the
        // user's settings for good. This run keeps the defaults in memory only.
        std::printf("Preference file could not be read; defaults kept in memory, file left alone. ( %s )\n",
                    prefName);
        useFallback();
        saveLocked = true;
        return false;
    }
    // Missing, or too short to hold the record: a new file with this program's defaults.
    if (newpref() && adoptLoadedBlock(true)) {
        createDefault();
        savePref();
        return true;
    }
    // Neither readable nor creatable: the defaults stay in memory; a later savePref
    // tries to create the file again.
    std::printf("Preference kept in memory only. ( %s )\n", prefName);
    useFallback();
    return true;
}

int PrefHandler::savePref() {
    if (!myRef) return 0;
    if (saveLocked) {
        std::printf("Preference file not written: it could not be read at start. ( %s )\n", prefName);
        return 0;
    }
    if (myRef == &fallbackSet) {
        if (!(newpref() && adoptLoadedBlock(true))) return 0;
        std::memcpy(myRef, &fallbackSet, sizeof fallbackSet);
    }
    swapRef(myRef);
    int r = save();
    swapRef(myRef);
    return r ? 1 : 0;
}

void PrefHandler::swapRef(SDLSet* set) {
    for (int i = 0; i < SDLSET_FIELDS; i++)
        set->val[i] = int32_t(swap32(uint32_t(set->val[i])));
}

void PrefHandler::createDefault() {
    if (!myRef) myRef = &fallbackSet;
    std::memcpy(myRef->val, programDefaults(), sizeof myRef->val);
}

int PrefHandler::fieldChoice(const int* table, int entries, int field, int32_t index) {
    if (index < 0 || index >= entries) index = programDefaults()[field];
    return table[index];
}

void PrefHandler::sdlRestoreConfigu(QSDLpp_StickCls* stick, QSDLpp_MixMusicCls* music) {
    using namespace SDLSetIdx;
    if (!myRef) useFallback();
    const int32_t* f = myRef->val;

    if (stick) {
        // Keyboard: direction set, then the A, B, C and D key choices of each player.
        static const int keyFields[2][5] = {{KB1Stick, KB1A, KB1B, KB1C, KB1D},
                                            {KB2Stick, KB2A, KB2B, KB2C, KB2D}};
        JoySTICK::KeyAssign keys;
        for (int p = 0; p < 2; p++) {
            int set = f[keyFields[p][0]];
            if (set < 1 || set > 9) set = 0;
            for (int d = 0; d < 4; d++)
                keys[p * 8 + d] = prefStickSets[set][d];
            for (int b = 0; b < 4; b++)
                keys[p * 8 + 4 + b] = fieldChoice(stick->keyChoiceTbl, QSDL_KEY_CHOICES, keyFields[p][1 + b],
                                                  f[keyFields[p][1 + b]]);
        }
        stick->restoreKeyFromPtr(&keys);

        JoySTICK::KeyAssign pads;
        std::memset(&pads, 0, sizeof pads);
        for (int b = 0; b < 4; b++) {
            pads[4 + b] = f[Pad1A + b];
            pads[12 + b] = f[Pad2A + b];
        }
        stick->restorePadFromPtr(&pads);

        stick->calAxis(0,
                       fieldChoice(stick->thresholdTbl, QSDL_THRESHOLD_CHOICES, Threshold1, f[Threshold1]));
        stick->enableReverse(0, f[Reverse1] != 0);
        stick->calAxis(1,
                       fieldChoice(stick->thresholdTbl, QSDL_THRESHOLD_CHOICES, Threshold2, f[Threshold2]));
        stick->enableReverse(1, f[Reverse2] != 0);
        stick->useXaxis(0, f[AxisX]);
        stick->useYaxis(0, f[AxisY]);
    }

    if (music) {
        music->on(f[BGMOff] == 0);
        int vol = fieldChoice(prefMusicVolTbl, 8, MusicVol, f[MusicVol]);
        if (QSDL_GLOBALS::settingsToolF) {
            music->musVol(vol);
        } else {
            music->masterMusicVol(vol / 2);
        }
    }

    if (qgu_setGammmaCorrect) qgu_setGammmaCorrect(f[Gamma] != 0);

    fullScreenF = f[FullSC] == 1;
    windowScale = fieldChoice(prefWindowScaleTbl, 8, WindowSize, f[WindowSize]);
    frameSkip = fieldChoice(prefFrameSkipTbl, 8, SkipDisplay, f[SkipDisplay]);
}

int PrefHandler::savePrefText(const char* path) {
    const SDLSet* set = myRef ? myRef : &fallbackSet;
    // Room for every line even with 11-character values; the usual text is ~800 bytes.
    char text[2048];
    int len = 0;
    for (const PrefExportLine& line : prefExportOrder) {
        if (line.heading) len += std::snprintf(text + len, sizeof text - len, "%s\r", line.heading);
        len += std::snprintf(text + len, sizeof text - len, "%s: %d\r", prefExportLabels[line.field],
                             int(set->val[line.field]));
    }
    return textSavePtr(path, text, len);
}

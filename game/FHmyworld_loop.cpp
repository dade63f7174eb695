// One step of play: the actors and the field (dispMyWorld), the panel and the pending
// counters (updateScore), and the short sequences after a section end, a door or a
// miss (fhWorldMainLoop), with the section record at the end of a live section.
#include <cstdio>
#include <cstring>
#include <ctime>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_field.h"
#include "FHmyworld.h"
#include "FHmyworld_loop.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_play.h"
#include "envresGlobal.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"

using namespace FHWGBL;
using namespace FHLayout;
using FHPlay::clip;

// ---- The counter seal --------------------------------------------------------------
namespace {

bool sealedF = false;
uint32_t sealValue = 0;
uint32_t sealKey = 0;

uint32_t counterChecksum() {
    // FNV-1a over the counters, keyed so that a matching value cannot be written from
    // the counters alone.
    uint32_t h = 2166136261u ^ sealKey;
    auto mix = [&](int32_t v) {
        uint32_t u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i) {
            h ^= (u >> (8 * i)) & 0xFFu;
            h *= 16777619u;
        }
    };
    mix(Score);
    mix(TIMER);
    mix(GoldCoins);
    mix(SilvCoins);
    mix(preGcounter);
    return h;
}

}  // namespace

namespace FHLoop {

void sealCounters() {
    if (sealKey == 0) sealKey = static_cast<uint32_t>(std::time(nullptr)) * 2654435761u | 1u;
    sealValue = counterChecksum();
    sealedF = true;
}

bool countersIntact() { return !sealedF || counterChecksum() == sealValue; }

}  // namespace FHLoop

// ---- Loop statics ------------------------------------------------------------------
namespace {
int ctrlCC = 0;          // steps in the current phase
int freeC = 0;           // steps since the section start or the last map change
bool disp_REP_F = true;  // show the "REPLAY" label

const double kFadeBlack[4] = {0, 0, 0, 1};

inline int32_t getWord(const unsigned char* rec, int ofs) {
    int32_t v;
    std::memcpy(&v, rec + ofs, 4);
    return v;
}
inline void putWord(unsigned char* rec, int ofs, int32_t v) { std::memcpy(rec + ofs, &v, 4); }

void drawText(double x, double y, int w, int h, int font, const double* colour, const char* text) {
    QSDLpp_GLTextFuncs::drawGLString(x, y, 0, w, h, font, colour, text);
}

}  // namespace

int FHWorldCLS::fhWorldMainLoop(int mode) {
    if (mode == -1) {
        ctrlCC = 0;
        freeC = 0;
        disp_REP_F = true;
        phase = 1;
        FHLoop::sealCounters();
        return 1;
    }
    if (mode == -2) {
        if (workingRecord && workingRecord[kRecMilestoneFlagOfs + 1] == 0) {
            workingRecord[kRecMilestoneFlagOfs + 1] = 1;
            const int64_t t = static_cast<int64_t>(systemTime);
            std::memcpy(workingRecord + 8, &t, 8);
            determPlayRecords(0);
        }
        return 1;
    }

    // No step runs without a map: the collision code and the field would read a block
    // map that was never filled.
    if (loadedMapNum < 0) {
        std::printf("World step refused: no map is loaded.\n");
        return FHLoop::kWorldNoMap;
    }

    // 1. The play step.
    if (phase <= 1) {
        phase = dispMyWorld();
        if (phase == FHLoop::kWorldTampered) return FHLoop::kWorldTampered;
        updateScore(-1);
        ctrlCC = 0;
    }

    // 2. Phase work.
    int r = 1;
    MyCharactor* cur = currentChr ? currentChr : &chars[0];
    switch (phase) {
        case 1:
            if (freeC < 30) {
                const double fade[4] = {0, 0, 0, (30 - freeC) / 30.0};
                qgu_GLDrawSimpleSuqre(fade, 0, 0, 304, 240);
            }
            if (QSDL_GLOBALS::rplyMode && disp_REP_F)
                drawText(0, 224, 16, 16, 0, (CtrlCounter & 12) ? GLtransYellow : GLtransRed, " REPLAY");
            disp_REP_F = disp_REP_F && !FHSYS_GLOBALS::unLock_usingF[1];
            break;
        case 2:
        case 4:
            updateField(cur->posX, cur->posY, FHSYSGBL::AdjustY, false);
            qgu_GLDrawDoughnut(kFadeBlack, 160, 120, 216, 216, ctrlCC * 4, 32);
            break;
        case 6:
            updateField(cur->posX, cur->posY, FHSYSGBL::AdjustY, false);
            qgu_GLDrawTextureRep(FHSYSGBL::TileTxt[8 + (ctrlCC / 8) % 8], 320, 240, GLblack, 0, 0, 0);
            if (ctrlCC == 60) {
                loadMapWorld(nextMapNum, nextEntryNum);
                freeC = 0;
                phase = 1;
                ctrlCC += 1;
                freeC += 1;
                FHLoop::sealCounters();
                return r;
            }
            break;
        case 7:
            qgu_GLDrawSimpleSuqre(GLdgray, 0, 0, 304, 240);
            if (ctrlCC == 30) {
                phase = GoldCoins < 0 ? 8 : 1;
                r = phase;
                QSDLpp_GLSpriteFuncs::update(0, 0);
            }
            break;
        default:
            break;
    }

    // 3. Ends of a play.
    if (phase >= 2) {
        if (phase == 8) {
            if (!QSDL_GLOBALS::rplyMode) {
                const int32_t elapsed = static_cast<int32_t>(std::time(nullptr) - sectionStart);
                stampFilmEnd(Score, elapsed);
                determPlayRecords(1);
                filmLength = QSDL_GLOBALS::Stick.endsync();
                SaveLastReplay(0);
            }
            r = 8;
        } else if ((phase == 2 || phase == 4) && ctrlCC == 66) {
            ctrlCC = 0;
            StageCompleteF = false;
            r = 3;
            if (!QSDL_GLOBALS::rplyMode) {
                recordSection();
                r = phase;
            }
        }
    }

    // 4. Counters.
    ctrlCC += 1;
    freeC += 1;
    FHLoop::sealCounters();
    return r;
}

void FHWorldCLS::recordSection() {
    filmLength = QSDL_GLOBALS::Stick.endsync();
    const int32_t elapsed = static_cast<int32_t>(std::time(nullptr) - sectionStart);
    const int32_t filmScore = Score + (SilvCoins / 2) * 1000;
    stampFilmEnd(filmScore, elapsed);

    unsigned char* rec = workingRecord;
    const int slot = CHAPTER * 5 + SECTION;
    if (rec == nullptr || slot < 0 || slot >= kSlots) return;
    const int bestOfs = kRecBestTimeOfs + slot * 4;
    const int highOfs = kRecHighScoreOfs + slot * 4;

    if (phase == 2) {
        putWord(rec, kRecPassedOfs, getWord(rec, kRecPassedOfs) + 1);
        putWord(rec, bestOfs, static_cast<int32_t>(static_cast<uint32_t>(getWord(rec, bestOfs)) | 0xFF000000u));
        if (BestTimer == 0) BestTimer = kNoBestTime;
        if (haveRCF && elapsed * 60 < BestTimer && !FHSYS_GLOBALS::usedF5F) {
            putWord(rec, bestOfs, static_cast<int32_t>(static_cast<uint32_t>(elapsed * 60) | 0xFF000000u));
            if (playerResult == 4) SaveLastReplay(1);
        }
    }
    if (static_cast<uint32_t>(filmScore) > static_cast<uint32_t>(Highscore)) {
        putWord(rec, highOfs, filmScore);
        makeHiscoreF = true;
        if ((getWord(rec, bestOfs) & 0xFFFFFF) == 0) SaveLastReplay(1);
    } else {
        makeHiscoreF = false;
    }
    const int32_t* stage = vrndx_getStageRefPtr(CHAPTER, SECTION);
    if (stage[1] >= 5 && CHAPTER != 5 && CHAPTER >= 0 && CHAPTER < 5 &&
        rec[kRecMilestoneFlagOfs + 2 + CHAPTER] == 0) {
        const int64_t t = static_cast<int64_t>(systemTime);
        std::memcpy(rec + 16 + CHAPTER * 8, &t, 8);
        rec[kRecMilestoneFlagOfs + 2 + CHAPTER] = 1;
    }
    SaveLastReplay(0);
    determPlayRecords(0);
}

int FHWorldCLS::dispMyWorld() {
    // 1. The counters must be as the last step left them.
    if (!FHLoop::countersIntact()) {
        std::printf("World counters were changed outside play.\n");
        return FHLoop::kWorldTampered;
    }
    // 2. The character in play.
    int r = chars[0].movePreProcess(0);
    if (r == 0) r = chars[1].movePreProcess(0);
    chars[MyCharactor::currentCHR].moveEndProcess(0);
    playerResult = r;
    // 3. Phase from the result.
    int ph = 1;
    switch (r) {
        case 2: ph = 6; break;
        case 3: ph = 4; break;
        case 4:
        case 5: ph = 2; break;
        case 7:
            ph = 7;
            objectCtrl.ChainExplode(29);
            break;
        default: ph = 1; break;
    }
    // 4-5. The other actors.
    currentChr = &chars[MyCharactor::currentCHR];
    chars[2].movePippoPrePro(0);
    shotCtrl.moveShots();
    objectCtrl.moveObjects();
    decoCtrl.moveDecorates();
    // 6. The field and every queued sprite.
    updateField(currentChr->posX, currentChr->posY, FHSYSGBL::AdjustY, true);
    // 7. Time.
    TIMER = clip(TIMER - 1, 3596400, -1);
    CtrlCounter += 1;
    return ph;
}

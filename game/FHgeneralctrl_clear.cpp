// The clear screens: the "Inter Mission" panel with the coin exchange after a section,
// then either the way back to the browser or, when the chapter is finished, its rating
// and the ending script.
#include <cstring>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_field.h"
#include "FHgeneralctrl.h"
#include "FHgeneralctrl_internal.h"
#include "FHmyworld.h"
#include "FHmyworld_loop.h"
#include "envresGlobal.h"
#include "qgu_basicfunc.h"
#include "qgu_carbonlike2.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"

using namespace FHWGBL;
using namespace FHCtrl;

namespace FHCtrl {

int chapterRating(const unsigned char* rec, int chapter) {
    if (rec == nullptr || chapter < 0 || chapter >= 8) return 0;
    int points = 0;
    for (int s = 0; s < 5; ++s) {
        const int slot = chapter * 5 + s;
        if (slot < FHLayout::kSlots && FHLayout::get32(rec, FHLayout::kRecBestTimeOfs + slot * 4) != 0)
            points += 10;
    }
    for (int k = 0; k < 10; ++k) points += 5 * rec[FHLayout::kRecEvalItemOfs + chapter * 10 + k];
    if (points > 90) return 3;
    if (points > 75) return 2;
    if (points > 50) return 1;
    return 0;
}

int ratingLimit(int chapter) {
    if (chapter < 4) return 300;
    if (chapter == 4) return 360;
    return 6000;
}

}  // namespace FHCtrl

namespace {

int freeC = 0;           // steps in the current clear phase
int mode = 0;            // clear phase 0..4
int ClearMode = 2;       // the world's answer that started the clear
int clrate = 0;          // chapter rating
bool endingRunning = false;

// The chapter's collected items (and its special item) as sprites on row y.
void drawItems(int chapter, double x0, double step, double y, double specialX) {
    const unsigned char* rec = record();
    if (chapter < 0 || chapter >= 8) return;
    for (int k = 0; k < 10; ++k) {
        if (!rec[FHLayout::kRecEvalItemOfs + chapter * 10 + k]) continue;
        if (QSDLpp_GLSprite* sp = putSprite(x0 + step * k, y, 0, 100, 100, 0, 496 + k)) sp->setBlendF(771);
    }
    if (rec[FHLayout::kRecPenBoxOfs + chapter])
        if (QSDLpp_GLSprite* sp = putSprite(specialX, y, 0, 100, 100, 0, 511)) sp->setBlendF(771);
}

void drawRating(double alpha) {
    if (QSDLpp_GLSprite* sp = putSprite(180, 100, 0, 100, 100, 0, 1544 + clrate)) sp->setColor(1, 0, 0, alpha);
}

void drawPanel() {
    char num[16];
    drawText(32, 32, 24, 24, 0, GLwhite, "Inter Mission");
    const char coin[3] = {static_cast<char>(156 + ((freeC / 4) & 3)), '*', '\0'};
    drawText(100, 80, 16, 16, 0, GLwhite, coin);
    NumtoStr(num, SilvCoins, 3);
    drawText(124, 82, 16, 16, 0, GLwhite, num);
    drawText(100, 124, 16, 16, 0, GLyellow, coin);
    NumtoStr(num, GoldCoins, GoldCoins > 990 ? 4 : 3);
    drawText(124, 126, 16, 16, 0, GLwhite, num);
    NumtoStr(num, Score, 8);
    drawText(96, 160, 16, 16, 0, (mode >= 1 && makeHiscoreF) ? GLyellow : GLcyan, num);
    drawText(56, 192, 16, 16, 0, GLyellow, "Items ");
    drawItems(CHAPTER, 128, 12, 192, 248);
}

}  // namespace

namespace FHCtrl {
int clearPhase() { return mode; }
int clearRating() { return clrate; }
}  // namespace FHCtrl

int GameMainCtrlCLS::clearLoop(int c) {
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    if (c == -1) {
        makeHiscoreF = false;
        return GS_CLEAR;
    }
    if (c >= 2 && c <= 5) {
        if ((c == 2 || c == 4) && Score > Highscore) makeHiscoreF = true;
        freeC = 0;
        mode = 0;
        ClearMode = c;
        endingRunning = false;
        fadeMusic(1000);
        QSDLpp_GLSpriteFuncs::resetAllSprire();
        loadPicture(301 + ((Random() / 256) & 3));
        return GS_CLEAR;
    }

    int result = GS_CLEAR;
    qgu_GLDrawTexture(pictureTex, 320, 240, 0, 0, 0);
    if (mode <= 1) drawPanel();
    switch (mode) {
        case 0:
            if (SilvCoins >= 2) {
                SilvCoins -= 2;
                GoldCoins += 1;
                Score += 1000;
                FHLoop::sealCounters();
                QSDL_GLOBALS::sound.playNum(0);
            } else {
                playMusicRes((CHAPTER > 1 && SECTION > 1) ? 21002 : 21001, 1);
                if (makeHiscoreF) QSDL_GLOBALS::sound.playNum(31);
                freeC = 0;
                mode = 1;
            }
            break;
        case 1: {
            if (TrainingF || w.replayPlaybackF) {
                fadeMusic(1000);
                result = neutraLoop(-1);
                w.replayPlaybackF = false;
                break;
            }
            // A chapter or section outside the stage table counts as a finished chapter.
            int next = 5;
            if (CHAPTER >= 0 && CHAPTER < kStageChapters && SECTION >= 0 && SECTION < kStageSlots) {
                const int32_t* stage = vrndx_getStageRefPtr(CHAPTER, SECTION);
                next = ClearMode == 4 ? stage[2] : stage[1];
            }
            if (freeC >= 121) {
                if (next <= 4) {
                    freeC = 0;
                    mode = 4;
                    QSDL_GLOBALS::music.fadeout();
                    browseLoop(ClearMode == 4 ? 4 : 2);
                    result = GS_BROWSE;
                } else {
                    freeC = 0;
                    mode = 2;
                    loadPicture(20000);
                    QSDL_GLOBALS::sound.playNum(29);
                    clrate = chapterRating(record(), CHAPTER);
                }
            }
            break;
        }
        case 2:
            drawRating(freeC / 60.0);
            if (freeC >= 61) {
                freeC = 0;
                mode = 3;
            }
            break;
        case 3: {
            const int limit = ratingLimit(CHAPTER);
            if (freeC <= limit && QSDL_GLOBALS::Stick.trigANY()) freeC += 300;
            if (freeC > limit) {
                freeC = 0;
                mode = 4;
                if (w.replayPlaybackF) {
                    fadeMusic(1000);
                    result = neutraLoop(-1);
                } else {
                    browseLoop(ClearMode);
                    result = GS_BROWSE;
                }
            }
            const int s = SECTION == 4 ? 4 : 3;
            if (freeC < 421 && !endingRunning) {
                drawRating(1.0);
                drawItems(CHAPTER, 48, 16, 208, 224);
            } else if (mode == 3) {
                if (!endingRunning) {
                    endingRunning = true;
                    demoCtrlLoop(s, -1);
                }
                demoCtrlLoop(s, 1);
            }
            break;
        }
        default: break;
    }
    freeC += 1;
    return result;
}

// The option menu (a page of the chapter browser): eight rows changing what applies to
// the next new game, four of them locked until the diary unlocks them.
#include <cstring>

#include "FHWorldGlobal.h"
#include "FHgeneralctrl.h"
#include "FHgeneralctrl_internal.h"
#include "FHgeneralctrl_texts.h"
#include "FHmyworld.h"
#include "qgu_basicfunc.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"

using namespace FHCtrl;
using namespace FHCtrlText;

namespace FHCtrl {

bool sectionHasRecord(const unsigned char* rec, int chapter, int section) {
    const int slot = chapter * 5 + section;
    if (rec == nullptr || slot < 0 || slot >= FHLayout::kSlots) return false;
    return FHLayout::get32(rec, FHLayout::kRecBestTimeOfs + slot * 4) != 0;
}

int32_t computedStartCoins(const unsigned char* rec) {
    int32_t minutes = static_cast<int32_t>(FHLayout::getU32(rec, FHLayout::kRecFramesOfs) / 3600u);
    int32_t top = 1000;
    for (int s = 0; s < 3; ++s)
        if (sectionHasRecord(rec, 5, s)) top -= 100;
    for (int k = 0; k < 7; ++k)
        if (rec[FHLayout::kRecEvalItemOfs + 5 * 10 + k]) top -= 50;
    if (rec[FHLayout::kRecAppendixCondOfs]) top -= 200;
    if (minutes > top) minutes = top;
    if (minutes < 1) minutes = 1;
    return minutes;
}

}  // namespace FHCtrl

namespace {

int selY = 0;
int lastdx = 0, lastdy = 0;
int counter = 0;
int coinChoice = 0;
char staticMessage[256] = "";
QSDLpp_GLSprite spriteobj;
bool spriteBuilt = false;

// Rows 4..7 and the inspection flag each one switches.
const int kRowFlag[8] = {-1, -1, -1, -1, 5, 2, 6, 7};

}  // namespace

namespace FHCtrl {
// Resets the menu statics (a fresh start of the program).
void resetOptionMenu() {
    selY = 0;
    lastdx = lastdy = 0;
    counter = 0;
    coinChoice = 0;
    staticMessage[0] = '\0';
}
int optionSelectedRow() { return selY; }
int optionCoinChoice() { return coinChoice; }
}  // namespace FHCtrl

int GameMainCtrlCLS::optionLoop(int dx, int dy) {
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    using FHSYS_GLOBALS::unLock_enableF;
    using FHSYS_GLOBALS::unLock_usingF;
    counter += 1;

    if (dy != 0 && lastdy == 0) {
        selY += dy;
        if (selY < 0) selY = 0;
        if (selY > 7) selY = 7;
        std::strcpy(staticMessage, informsg[selY]);
        QSDL_GLOBALS::sound.playNum(13);
    }
    lastdy = dy;

    if (dx != 0 && lastdx == 0) {
        switch (selY) {
            case 1: FHSYS_GLOBALS::altPlayerSysF = !FHSYS_GLOBALS::altPlayerSysF; break;
            case 2: w.defaultLevel = (w.defaultLevel + dx + 5) % 5; break;
            case 3:
                coinChoice = (coinChoice + dx + 4) % 4;
                w.startingGold = coinChoice == 3 ? computedStartCoins(record()) : restoreGC[coinChoice];
                break;
            case 4: case 5: case 6: case 7: {
                const int f = kRowFlag[selY];
                if (unLock_enableF[f]) unLock_usingF[f] = !unLock_usingF[f];
                break;
            }
            default: break;
        }
        QSDL_GLOBALS::sound.playNum(2);
    }
    lastdx = dx;

    // Drawing: a light panel under the rows keeps the black text readable on any
    // browser picture.
    static const double kPanel[4] = {1.0, 1.0, 0.94, 0.82};
    qgu_GLDrawSimpleSuqre(kPanel, 64, 8, 316, 204);
    if (!spriteBuilt) {
        spriteobj.initPrm();
        spriteBuilt = true;
    }
    spriteobj.put0(256, 8, 0, 1311);
    spriteobj.setSize(64, 64);
    spriteobj.setColor(GLgreen);
    spriteobj.draw();

    QSDLpp_GPrint& pr = FHSYS_GLOBALS::printObject;
    pr.setFont(2);
    pr.setFontPitch(4);
    pr.setFontSize(20);
    pr.setFontColor(GLyellow);
    pr.printSP(72, 16, 0, "Game options");
    pr.setFont(1);
    pr.setFontPitch(3);
    pr.setFontSize(12);
    char val[32];
    for (int row = 0; row < 8; ++row) {
        const double y = 48 + 20 * row;
        const int f = kRowFlag[row];
        const bool locked = f >= 0 && !unLock_enableF[f];
        if (locked) {
            pr.setFontColor(row == selY ? GLdgray : GLgray);
            pr.printSP(72, y, 0, optionLocked[row]);
            if (row == selY) std::strcpy(staticMessage, informsgUL[row]);
            continue;
        }
        pr.setFontColor(row == selY ? GLred : GLblack);
        pr.printSP(72, y, 0, optionRow[row]);
        const char* v = nullptr;
        switch (row) {
            case 1: v = DisEnable[FHSYS_GLOBALS::altPlayerSysF ? 1 : 0]; break;
            case 2: v = difficultStr[(w.defaultLevel % 5 + 5) % 5]; break;
            case 3: NumtoStr(val, w.startingGold, 4); v = val; break;
            case 4: case 5: case 6: case 7: v = DisEnable[unLock_usingF[f] ? 1 : 0]; break;
            default: break;
        }
        if (v) pr.printSP(200, y, 0, v);
    }
    if (staticMessage[0] == '\0') std::strcpy(staticMessage, informsg[selY]);
    drawText(1, 209, 8, 12, 1, GLdgray, staticMessage);
    drawText(0, 208, 8, 12, 1, GLred, staticMessage);

    QSDLpp_StickCls& stick = QSDL_GLOBALS::Stick;
    if ((stick.trigA(0) || stick.trigD(0) || stick.userKey(SC_RETURN)) && counter >= 61 && selY == 0) {
        counter = 0;
        stick.waitReleaseAnyButtons();
        return 2;
    }
    return 6;
}

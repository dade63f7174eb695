// The player characters around their frame step: the per-frame entry (movePreProcess)
// with the ambush, time-up and character-switch rules, new game and resume, and the
// view that follows the character in play. The on-foot step itself (MoveUs) lives in
// FHobjectCtrl_player_move.cpp.
#include <cstdlib>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_dog.h"
#include "FHobjectCtrl_play.h"
#include "FHobjectCtrl_swim.h"
#include "envresGlobal.h"
#include "qgu_carbonlike2.h"
#include "qsdlpp2_globals.h"
#include "qsdlpp2_trigon.h"

using namespace FHWGBL;
using FHPlay::clip;

namespace {
bool holdCF = false;  // trigger C was down last frame
}  // namespace

namespace FHPlay {

void resetSwitchMemory() { holdCF = false; }

Controls readControls() {
    Controls c{};
    QSDLpp_StickCls& st = QSDL_GLOBALS::Stick;
    const int p = ALTplayF ? MyCharactor::currentCHR : 0;
    int dy = 0, dx = 0;
    st.stickYX100x(p, dy, dx);
    c.stickX = dx;
    c.stickY = dy;
    c.sx = (dx / 5) * 2;
    c.jump = st.trigB(p);
    c.trigA = st.trigA(p) || (!ALTplayF && st.trigA(1));
    c.trigC = st.trigC(0) || st.trigC(1);
    return c;
}

const rRect* touchableBox(const MainObjectCtrlCls::Object& o, int* flags) {
    if (!o.activeF || o.work5 <= 0 || o.kind < 0 || o.kind >= 272) return nullptr;
    const int32_t* A = MainObjectCtrlCls::Object::ObjAttribute[o.kind];
    if (A == nullptr || A[OBJATTR_RECT] < 0 || A[OBJATTR_RECT] >= 64) return nullptr;
    *flags = A[OBJATTR_FLAGS];
    return &MainObjectCtrlCls::Object::objectRects[A[OBJATTR_RECT]];
}

void playSound(int n) {
    if (n > 0) QSDL_GLOBALS::sound.playNum(n);
}

}  // namespace FHPlay

void MyCharactor::newGame(int) {
    jumpCount = jumpTimer = 0;
    invincTimer = damageCount = chargeCount = punchTimer = 0;
    airCount = modeTimer = stayCount = lastSwitchTime = 0;
    runCount = 0;
    reachF = 0;
    surfaceF = 0;
    groundF = 0;
    spAtkState = 0;
    posX = posY = 0;
    restartX = restartY = 0;
    speedX = speedY = 0;
    spriteRot = 0;
    facing = 1;
    // The dog's heading and frame count steer it: a film must start from the same ones.
    work1 = 0;
    work5 = 0;
    weapon = MYSHOT_WAVE;
    energy = 10000;
    airGauge = 10000;
    BigShotTimer = 0;
    CoinGatherTimer = 0;
    CoinChainTimer = 0;
    MaxCoinTimer = 0;
}

void MyCharactor::resumeMe(US_STATE s) {
    groundF = 1;
    OtherOnGhgPlaceF = false;
    if (s != US_EXITOBJ) {
        jumpCount = jumpTimer = 0;
        punchTimer = chargeCount = 0;
        speedX = speedY = 0;
        damageCount = modeTimer = 0;
        airCount = 0;
        runCount = 0;
        stayCount = 1;
        movState = static_cast<MOV_STATE>(0);
        uwState = static_cast<UW_STATE>(8);
        if (slotIdx == 2)
            box = boxTable[2];
        else
            box = UWMode ? boxTable[1] : boxTable[0];
        halfW = (box.right - box.left) / 2;
        halfH = (box.bottom - box.top) / 2;
        MoveUs(-1);
        FHSwim::resetStatics();
        invincTimer = 90;
        FHDog::resetDogOffset();
        if (s != US_DOGSTART) {
            posX = restartX;
            posY = restartY;
        }
        if (slotIdx == currentCHR) invincTimer = (7 - GameLevel) * 60;
    }
    if (s == US_MAPSTART) {
        if (!UWMode || prevUWModeF) {
            preAcounter = preEcounter;
            preEcounter += 1600;
        } else {
            airGauge = 23000;
            energy = 20000;
            preAcounter = 2000;
            preEcounter = 5000;
        }
        if (slotIdx == currentCHR) checkMapObject(true);
    } else if (s == US_AFTERMISS) {
        BigShotTimer = MaxCoinTimer = CoinGatherTimer = 0;
        airGauge = 25000;
        if (UWMode) energy = 25000;
        if (TIMER < 3600 && SECTION < 3) TIMER += 1800;
        NearPippoF = MissingF = ChangeableF = false;
        if (CurrentMapInfoRef) {
            GravityX = CurrentMapInfoRef[0];
            GravityY = CurrentMapInfoRef[1];
        }
    }
}

int MyCharactor::moveEndProcess(int) { return 0; }

void MyCharactor::framePositUpdate(int) {
    const int x = posX, y = posY;
    GmapDotLftX = (x / 100 - 144) & (MapDotWidth - 1);
    GmapDotTopY = (y / 100 - 160) & (MapDotHeight - 1);
    GCurrentX = FHPlay::wrapMod(x, MapFieldWidth);
    GCurrentY = FHPlay::wrapMod(y, MapFieldHeight);
    GFieldLftX = FHPlay::wrapMod(x - 14400, MapFieldWidth);
    GFieldTopY = FHPlay::wrapMod(y - 16000, MapFieldHeight);
    GmapXBorderF = GmapDotLftX >= MapDotWidth - 320;
    GmapYBorderF = GmapDotTopY >= MapDotHeight - 256;
}

namespace {

// An enemy of kind 29 closes in from a random direction, 160 dots away.
void ambush(MyCharactor* me) {
    const int r = Random() & 255;
    const int x = me->posX - QSDLpp_Trigon::cos100x(r) * 160;
    const int y = me->posY - QSDLpp_Trigon::sin100x(r) * 160;
    MainObjectCtrlCls& objs = MyCharactor::superRef->objectCtrl;
    const int idx = objs.AppearObject(x, y, 100, 100, 29, 0);
    const int w5 = Random() & 127;
    if (idx >= 0 && idx < MainObjectCtrlCls::kObjects) {
        MainObjectCtrlCls::Object& o = objs.objects[idx];
        o.work1 = r / 11;
        o.facing = (r < 65 || r > 191) ? 1 : -1;
        o.work5 = w5;
    }
}

void clampGauges(MyCharactor* me) {
    me->energy = clip(me->energy, 25000, 0);
    if (UWMode) me->airGauge = clip(me->airGauge, 25000, 0);
}

}  // namespace

int MyCharactor::movePreProcess(int f) {
    if (f == -1) {
        ChangeableF = false;
        holdCF = false;
    }
    if (slotIdx != currentCHR) return 0;

    const FHPlay::Controls ctl = FHPlay::readControls();
    const bool pressC = ctl.trigC && !holdCF;
    holdCF = ctl.trigC;

    // Ambush when the time is out or the map has been played for 20 minutes; on land
    // also after two minutes without a resume.
    if ((TIMER < 0 || CtrlCounter > 72000) && (CtrlCounter % 64) == 0) {
        ambush(this);
    } else if (!UWMode && (CtrlCounter & 255) == 0 && stayCount > 7200) {
        ambush(this);
    } else if (UWMode && stayCount % 7200 == 0) {
        FHSwim::surfacingEvent(this);
    }

    if (TIMER == 0) {
        if (SECTION >= 3 && !(SECTION == 4 && CHAPTER == 6)) return 5;
        FHSYS_GLOBALS::use_freePlayF = false;
        FHSYS_GLOBALS::use_invincibleF = false;
    }

    int r;
    if (pressC && ChangeableF && !MissingF) {
        currentCHR ^= 1;
        restartX = posX;
        restartY = UWMode ? posY : posY - 200;
        invincTimer = (CtrlCounter - lastSwitchTime < 100) ? 10 : 90;
        if (!UWMode) {
            relativeRef[2]->spAtkState = 0;
        } else {
            spAtkState = 0;
        }
        chargeCount = 0;
        lastSwitchTime = CtrlCounter;
        r = checkMapObject(false);
        clampGauges(this);
    } else {
        r = UWMode ? SwimUs(0) : MoveUs(0);
        if (r == 7 || r == 2) {
            if (r != 2 && !FHSYS_GLOBALS::use_freePlayF) GoldCoins -= 50;
            if (!UWMode && energy <= 10000 && pippoLostMode == 0) energy = 10000;
            resumeMe(static_cast<US_STATE>(r));
        } else {
            r = checkMapObject(false);
            clampGauges(this);
        }
    }

    if (Score < 0) Score = 0;

    if (CoinChainTimer > 0 && !FHSYS_GLOBALS::unLock_usingF[5] && !FHSYS_GLOBALS::unLock_usingF[6]) {
        CoinChain = clip(CoinChain, GameLevel * 5 / (MissCount + 1) + 9, 0);
    } else {
        CoinChain = 0;
    }
    if (MaxCoinTimer == 0 && CoinChainTimer > 0) CoinChainTimer -= 1;
    if (BigShotTimer > 0) BigShotTimer -= 1;
    if (MaxCoinTimer > 0) MaxCoinTimer -= 1;

    work5 += 1;
    return r;
}

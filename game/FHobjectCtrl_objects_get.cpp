// Taking an item object (MainObjectCtrlCls::Object::get): its effect on the player and
// the world counters, the pictures that show what was taken, the points and the sound.
#include <cstring>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_behave.h"
#include "FHobjectCtrl_behave_util.h"
#include "FHobjectCtrl_objects.h"
#include "FHobjectCtrl_play.h"
#include "envresGlobal.h"
#include "qgu_glImageHdlfunc.h"

using namespace FHWGBL;

namespace {

constexpr int kBlendNormal = 771;

inline int foodPoints(int idx) { return (idx >= 0 && idx < 50) ? ItmFoodPts[idx] : 0; }

// The coin chain: each coin within 30 frames of the last one is worth more. Returns
// the coin's points.
int chainCoin(int patt, int pointsPerLink) {
    MyCharactor::CoinChainTimer = 30;
    if (patt != -1) MyCharactor::CoinChain += 1;
    return MyCharactor::CoinChain * pointsPerLink;
}

}  // namespace

int MainObjectCtrlCls::Object::get() {
    MyCharactor& pl = FHObj::player();
    DecorateCtrlCls& deco = FHObj::decorations();
    bool keep = false;  // the item stays on the field
    int result = 0;
    int points = 0;
    int sound = 0;
    int shown = patt;  // display pattern of what was taken

    switch (kind) {
        case 6:
        case 7: {
            preEcounter += 3200;
            preAcounter += 3200;
            sound = 32;
            keep = true;
            if (kind == 7) {
                shortCutF = true;
                FHWorldCLS& w = FHObj::world();
                w.nextMapNum = work1;
                w.nextEntryNum = w0;
                if (w2 > 100) TrainingF = true;
                kind = 120;
                patt = (patt != 0 ? patt : FHObj::attrPatt(7)) + 512;
                result = 2;
            } else {
                kind = 126;
                work5 = 29985;
                behave = 0;
                patt = w0;
            }
            shown = 0;
            break;
        }
        case 48: {
            const int phase = (work5 / 60) % 4;
            pl.chgWeapon(static_cast<MYShot_Type>(9 + phase));
            preEcounter += 3200;
            shown = 52 + phase;
            break;
        }
        case 49:
        case 50:
            // Gold coins are credited with the gauges, silver ones at once.
            if (kind == 49) preGcounter += 1;
            else SilvCoins += 1;
            points = chainCoin(patt, kind == 49 ? 500 : 100);
            shown = kind == 49 ? 8 : 12;
            sound = 2;
            break;
        case 51:
            switch (patt) {
                case 14: preGcounter += 20; break;
                case 15: preGcounter += 40; break;
                case 16: preGcounter += 15; break;
                case 17: preGcounter += 30; break;
                default: preGcounter += 10; break;
            }
            SilvCoins += 10;
            points = foodPoints(32 + patt) * 10;
            shown = 352 + (patt & 31);
            sound = 27;
            break;
        case 52:
            sound = 2;
            switch (patt) {
                case 27: case 29: preGcounter += 5; break;
                case 28: preGcounter += 20; sound = 31; break;
                case 30: preGcounter += 15; break;
                default: SilvCoins += 1; break;
            }
            points = foodPoints(patt);
            shown = patt + 352;
            break;
        case 53:
            MyCharactor::BigShotTimer = 720 - 30 * GameLevel;
            deco.NewDecorate(posX + halfW, posY + halfH, 0, 0, -40, 200, 200, 0, 4, 40, 12, 64, 1, 1, 0.6, 1,
                             kBlendNormal);
            shown = 64;
            break;
        case 54:
            sound = work1;
            shown = 0;
            break;
        case 55: {
            if (partner >= 0 && partner < kObjects) parentCLSref->objects[partner].behave = 0;
            preEcounter += 3200;
            preAcounter += 3200;
            if (FHSYS_GLOBALS::unLock_usingF[7]) sound = 37;
            if (work1 & 0x3FF) shown = 0;
            break;
        }
        case 194:
            keep = true;
            pl.stayCount = 10;
            shown = 0;
            break;
        case 196:
            if (UWMode) {
                FHPlay::floatMessage(posX, posY, "  GET AIR", 120, GLcyan);
                preAcounter = 12000;
                preEcounter = 3200;
            } else {
                FHPlay::floatMessage(posX, posY, "  GET ENERGY", 120, GLyellow);
                preAcounter = 12000;
                preEcounter = 25000;
            }
            points = 100;
            break;
        case 197:
            preEcounter += 3200;
            preAcounter += 3200;
            points = 100;
            shown = 4;
            break;
        case 232:
            preEcounter = 12800;
            preAcounter = 25000;
            FHSYSGBL::ActiveMsgStrPtr = vrndx_getConstMsgPtr(1);
            FHSYSGBL::ActiveMsgDispTimer = 600;
            TempGetMysteryF = true;
            sound = 43;
            break;
        case 233:
            deco.NewDecorateMsg(posX - 8000, posY - 6400, 0, -20, 0, "Excellent!!", 180, GLcyan);
            sound = 43;
            break;
        case 269:
            keep = true;
            pl.posX = pl.restartX = speedX * 1600;
            pl.posY = pl.restartY = speedY * 1600;
            sound = 4;
            shown = 0;
            break;
        default:
            // Not an item: nothing is taken.
            return 0;
    }
    if (!keep) activeF = 0;

    // What was taken: the message of a read sign, or a rising picture of the item.
    if (kind == 126) {
        int count = 0;
        const unsigned char* list = FHObjects::objectList(&count);
        if (list != nullptr && partner >= 0 && partner < count) {
            const unsigned char* rec = list + partner * FHObjects::kRecordBytes;
            if (rec[32] != 0) {
                FHSYSGBL::ActiveMsgStrPtr = reinterpret_cast<const char*>(rec + 33);
                FHSYSGBL::ActiveMsgDispTimer = 600;
            }
        }
    } else if (shown > 0 && !activeF) {
        deco.NewDecorate(posX + halfW, posY + halfH, 0, 0, -100, 150, 150, 0, 0, 15, 1, shown, 1, 1, 1, 1,
                         kBlendNormal);
    }
    deco.NewDecorateDetailing(posX + halfW, posY + halfH, 1, 0, 0, 100, 100, 0, 0, 16, 9, 48, 1, 1, 1, 1, 1);
    Score += points;
    FHPlay::playSound(sound);
    if (!activeF) deathTime = CtrlCounter;
    return result;
}

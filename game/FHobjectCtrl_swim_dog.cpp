// The dog under water (SwimPippoInu): it swims after the character in play (or where a
// second player steers it), shows the charge of its special attack as a ring, sits ready
// in front of the character, and dashes out with its own shot when the charge is let go.
//
// States (spAtkState): 0 follow, 1 ready, 2 moving out, 3 dashing (started by SwimUs).
#include <cstdint>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_play.h"
#include "FHobjectCtrl_swim.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"
#include "qsdlpp2_trigon.h"

using namespace FHWGBL;
using FHPlay::clip;

namespace {

inline int sgn(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }


constexpr int64_t kNearSq = 256000000;  // 160 dots, squared, in hundredths
const double kRingCyan[4] = {0.3, 1.0, 1.0, 0.8};
const double kBoxRed[4] = {1.0, 0.3, 0.3, 0.35};

QSDLpp_GLSprite* fieldSprite(int x, int y, int layer) {
    QSDLpp_GLSprite* sp = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    int sx = FHPlay::wrapMod(x - GFieldLftX, MapFieldWidth);
    if (sx > MapFieldWidth - 32000) sx -= MapFieldWidth;
    int sy = FHPlay::wrapMod(y - GFieldTopY, MapFieldHeight);
    if (sy > MapFieldHeight - 25600) sy -= MapFieldHeight;
    sp->putx(sx, sy, layer);
    return sp;
}

}  // namespace

int MyCharactor::SwimPippoInu(int f) {
    if (f == -1) {
        punchTimer = 0;
        airCount = 0;
        stayCount = 1;
        spAtkState = 0;
        return 0;
    }
    MyCharactor* P = relativeRef[currentCHR & 1];
    if (P == nullptr) return 0;
    runCount += 1;

    const int64_t ndx = FHPlay::wrapDiff(posX, P->posX, MapFieldWidth);
    const int64_t ndy = FHPlay::wrapDiff(posY, P->posY, MapFieldHeight);
    NearPippoF = ndx * ndx + ndy * ndy < kNearSq;

    int patt = 648;
    switch (spAtkState) {
        case 0: {
            QSDLpp_StickCls& st = QSDL_GLOBALS::Stick;
            if (!ALTplayF && st.trigC(1)) {
                // A second player steers the dog.
                int dy = 0, dx = 0;
                st.stickYX(1, dy, dx);
                posX += 200 * dx;
                posY += 200 * dy;
                if (dx != 0) facing = dx;
                spriteRot = 0;
            } else {
                const int rx = static_cast<int>(ndx), ry = static_cast<int>(ndy);
                work1 = QSDLpp_Trigon::forwardS(rx, ry, -1600, -4800, work1, 4);
                int vx = 2 * QSDLpp_Trigon::cos100x(work1);
                int vy = 2 * QSDLpp_Trigon::sin100x(work1);
                if (NearPippoF && P->runCount <= 9) {
                    vx /= 2;
                    vy /= 2;
                }
                if (!inTheWindow(posX, posY, &box)) {
                    vx *= 10;
                    vy *= 10;
                }
                posX += vx;
                posY += vy;
                facing = P->facing != 0 ? P->facing : (facing != 0 ? facing : 1);
                spriteRot = 0;
            }
            if (P->chargeCount >= 11 && P->chargeCount <= 60) {
                QSDLpp_GLSprite* ring = fieldSprite(P->posX + P->halfW, P->posY + P->halfH, 2);
                ring->setDrwType(GLO::SprRing);
                ring->setSize(P->chargeCount / 5, P->chargeCount / 5);
                ring->setColor(kRingCyan);
            } else if (P->chargeCount > 60) {
                spAtkState = 1;
                runCount = 0;
                FHPlay::playSound(38);
            }
            patt = 649;
            break;
        }
        case 1:
            if (P->facing != 0) facing = P->facing;
            work3 = P->work3 > 0 ? 1 : -1;
            posX = P->posX;
            posY = P->posY + work3 * 1600;
            spriteRot = 20 * QSDLpp_Trigon::sin100x(CtrlCounter * 8) / 100;
            patt = 649;
            break;
        case 2: {
            const int k = runCount / 20;
            posX = P->posX + P->halfW - 800 + (k * 1000 + 400) * facing;
            posY = P->posY - 2800 + k * 2400;
            patt = 652;
            // Moving out ends as on land, after 38 frames.
            if (runCount > 38) {
                spAtkState = 0;
                runCount = 0;
            }
            break;
        }
        case 3:
            if (runCount < 15) {
                posX = P->posX + 800 * facing;
                posY = P->posY + 1200 * work3;
            } else if (runCount == 15) {
                if (speedX != 0) facing = sgn(speedX);
                if (facing == 0) facing = 1;
                speedX = facing * 400;
                speedY = -10 * work3;
                superRef->shotCtrl.addShot(posX - 800 + halfW, posY, speedX, speedY, MYSHOT_DOG);
            }
            if (runCount >= 15 && runCount < 35) {
                MoovableUDPippo(&posX, &posY, posX + speedX, posY + speedY, &box);
                if ((runCount & 7) == 0)
                    superRef->decoCtrl.NewDecorateDetailing(posX + halfW, posY + halfH, 1, 0, 0, 100, 100, 0, 0, 16,
                                                            2, 74, 0.7, 0.9, 1.0, 0.8, 1);
            }
            if (runCount >= 35) {
                spAtkState = 0;
                runCount = 0;
            }
            if ((runCount & 7) == 0) FHSwim::bubbles(posX + halfW, posY, 1);
            spriteRot = 30 * facing * runCount;
            patt = 648;
            break;
        default:
            spAtkState = 0;
            break;
    }

    // Wrap and draw.
    posX = FHPlay::wrapMod(posX, MapFieldWidth);
    posY = FHPlay::wrapMod(posY, MapFieldHeight);
    if (!MissingF) {
        sprite = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
        putSpriteLP0(posX - box.left, posY - box.top, 1, facing < 0 ? -100 : 100, 100, spriteRot, patt);
        if (spAtkState == 0) {
            // Air bubbles from the nose, flickering.
            QSDLpp_GLSprite* extra = fieldSprite(posX - box.left, posY - box.top - 600, 1);
            extra->setDrwType(GLO::SprAtlas);
            extra->ratioBase(true);
            extra->setPatt(650 + ((CtrlCounter >> 3) & 1));
            extra->setSize(facing < 0 ? -100 : 100, 100);
        }
    }
    if (FHSYS_GLOBALS::unLock_usingF[3]) {
        QSDLpp_GLSprite* sp = fieldSprite(posX, posY, 0);
        sp->setDrwType(GLO::SprBox);
        sp->ratioBase(false);
        sp->setSize((box.right - box.left) / 100, (box.bottom - box.top) / 100);
        sp->setColor(kBoxRed);
    }
    if (Condition & 8) {
        QSDLpp_GLSprite* light = fieldSprite(posX + halfW, posY + halfH, 1);
        light->setDrwType(GLO::SprAtlas);
        light->ratioBase(true);
        light->setPatt(1312);
        light->putCenterMode(true);
        light->setSize(200, 200);
        light->setBlendF(1u);
    }
    if ((CtrlCounter & 63) == 0 && !P->surfaceF) {
        // A bubble rising across the screen.
        const int bx = GFieldLftX + ((CtrlCounter >> 6) * 7919 % 320) * 100;
        superRef->decoCtrl.NewDecorateDetailing(bx, GFieldTopY + 24000, 1, 0, -120, 100, 100, 0, 0, 200, 1, 61, 0.9,
                                                0.95, 1.0, 0.7, 771);
    }
    return 0;
}

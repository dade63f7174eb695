// One frame of the player character on foot (MoveUs): the miss in progress, punches and
// the dog's weapon shots, the special attack hand-off, walking and running, jumping and
// wall jumps, looking up and down, platforms and carriers, damage, and drawing.
//
// Units are hundredths of a dot; one call is one frame.
#include <cstdlib>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_play.h"
#include "envresGlobal.h"
#include "qgu_carbonlike2.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"

using namespace FHWGBL;
using FHPlay::clip;

namespace {

// Frame statics of the on-foot step.
bool JumpedF = false;    // the jump button has been used and not released
bool HoldTriF = false;   // trigger A held since its last action
bool SshotModeF = false; // the last trigger action was the special attack
int PunchMotion = 0;     // which of two punch pictures
bool BigJmpF = false;    // the last jump reached more than 800 upwards
bool WJumpF = false;     // wall-jump state
int YadjCount = 0;       // look up / down counter
int selfDirX = 1;        // facing at the last punch

void resetFrameStatics() {
    JumpedF = HoldTriF = SshotModeF = false;
    PunchMotion = 0;
    BigJmpF = WJumpF = false;
    YadjCount = 0;
    selfDirX = 1;
}

inline int isign(int v) { return v < 0 ? -1 : 1; }

enum Phase { STANDING, RISING, FALLING };

const double kTransBox[4] = {0.2, 0.6, 1.0, 0.35};
const double kTransReach[4] = {1.0, 0.8, 0.2, 0.35};
const double kTransReachOn[4] = {1.0, 0.2, 0.2, 0.5};

// A translucent rectangle on the field (rect view): box offsets from (x, y).
void drawRectOnField(int x, int y, const rRect& r, const double* colour) {
    QSDLpp_GLSprite* sp = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    const int sx = FHPlay::wrapMod(x - GFieldLftX, MapFieldWidth);
    const int sy = FHPlay::wrapMod(y - GFieldTopY, MapFieldHeight);
    sp->setDrwType(GLO::SprBox);
    sp->ratioBase(false);
    sp->putx(sx, sy, 0);
    sp->setSize((r.right - r.left) / 100, (r.bottom - r.top) / 100);
    sp->setColor(colour);
}

}  // namespace

namespace FHPlay {
void resetPlayerStatics() {
    resetFrameStatics();
    resetSwitchMemory();
    MyCharactor::currentCHR = 0;
    MyCharactor::BigShotTimer = 0;
    MyCharactor::CoinGatherTimer = 0;
    MyCharactor::CoinChain = 0;
    MyCharactor::CoinChainTimer = 0;
    MyCharactor::MaxCoinTimer = 0;
    MyCharactor::MissingF = false;
    MyCharactor::MissingTmer = 0;
    MyCharactor::pippoLostMode = 0;
    MyCharactor::NearPippoF = false;
    MyCharactor::ChangeableF = false;
    MyCharactor::OtherOnGhgPlaceF = false;
}
}  // namespace FHPlay

int MyCharactor::MoveUs(int f) {
    if (f == -1) {
        resetFrameStatics();
        chargeCount = 0;
        punchTimer = 0;
        invincTimer = 90;
        return 1;
    }
    MyCharactor* dog = relativeRef[2];
    MainObjectCtrlCls& objCtrl = superRef->objectCtrl;

    // 1. A fresh sprite for this frame.
    sprite = QSDLpp_GLSpriteFuncs::getNextObjAndInc();

    // 2. A miss in progress: the character flies up and falls off the screen.
    if (MissingF) {
        MissingTmer -= 1;
        if (MissingTmer == 118) {
            MissCount += 1;
            GoldCoins += preGcounter;
            preGcounter = 0;
            const int kindCoin = FHSYS_GLOBALS::unLock_usingF[5] ? 50 : 49;
            for (int i = 0; i < 20; ++i) {
                const int r1 = Random();
                const int r2 = Random();
                const int idx = objCtrl.AppearObject(posX, posY - 1600, r1 % 200, -(r2 % 100) - 400,
                                                     kindCoin, 0);
                const int w5 = Random() & 63;
                if (idx >= 0 && idx < MainObjectCtrlCls::kObjects) objCtrl.objects[idx].work5 = w5;
            }
        }
        posY += 50;
        const int t = 150 - MissingTmer;
        int rot = 119 - MissingTmer;
        if (currentCHR == 1) rot = -rot;
        putSpriteLP0(posX + facing * 100, t * t + posY - 900, 1, 100, 100, rot,
                     (currentCHR == 0 ? 702 : 718) + (GoldCoins & 1));
        if (MissingTmer < 1) return 7;
        framePositUpdate(0);
        return 0;
    }

    const FHPlay::Controls ctl = FHPlay::readControls();
    const int sx = ctl.sx;
    const bool chr0 = (currentCHR == 0);

    // 3. Timers and the jump button memory.
    if (invincTimer > 0) invincTimer -= 1;
    JumpedF = JumpedF && ctl.jump;

    // 4. Trigger A: punch what is in reach, or let the dog fire the weapon.
    if (ctl.trigA && !HoldTriF && punchTimer <= 0) {
        if (reachF) {
            punchTimer = 20;
            selfDirX = facing;
            PunchMotion = (CtrlCounter % 3 != 0) ? 1 : 0;
        } else if (energy >= 1 && pippoLostMode != 256) {
            const bool big = BigShotTimer > 0;
            superRef->shotCtrl.addShot(dog->posX + facing * 1600, dog->posY - 800,
                                       facing * 100 * (big ? 2 : 1), 0, weapon);
            switch (weapon) {
                case 9: energy -= big ? 200 : 100; break;
                case 10: energy -= big ? 300 : 200; break;
                case 11: preEcounter -= big ? 500 : 300; break;
                case 12: preEcounter -= big ? 900 : 600; break;
                default: break;
            }
            if (energy < 100) energy = 0;
        }
        HoldTriF = true;
        chargeCount = 0;
        SshotModeF = false;
    }
    // 5. Releasing trigger A with the dog ready hands over the special attack.
    if (!ctl.trigA) {
        HoldTriF = false;
        if (dog->spAtkState == 1) {
            superRef->shotCtrl.addShot(posX + facing * 1000 - 800 + halfW, posY - 2800, facing * 100, 0,
                                       MYSHOT_SPECIAL);
            chargeCount = 0;
            SshotModeF = true;
            punchTimer = 60;
            dog->spAtkState = 2;
            dog->runCount = 0;
            if (FHSYS_GLOBALS::unLock_usingF[3])
                FHPlay::floatMessage(posX, posY, "SP-ATK", 120, GLyellow);
        }
    }
    // 6. Charging next to the dog.
    chargeCount = (HoldTriF && NearPippoF) ? chargeCount + 1 : 0;

    // 7. Stick.
    if (std::abs(ctl.stickX) > 4) {
        runCount += groundF;
        facing = isign(sx);
    } else {
        runCount = 0;
    }
    spriteRot = 0;
    if (!groundF) airCount += 1;

    // 8. Phase of the frame.
    Phase phase = jumpTimer != 0 ? RISING : (airCount != 0 ? FALLING : STANDING);
    const bool bigAtStart = BigJmpF;
    const int J = chr0 ? 64 : (bigAtStart ? 64 : 55);

    // 9. Horizontal speed: walk 120, run 260 (character 0) or 160 (character 1).
    if (phase == FALLING || phase == STANDING || BigJmpF) {
        int k = 6;
        if (runCount > 60) k = chr0 ? 13 : 8;
        speedX = k * sx / 2;
        BigJmpF = false;
    }

    // 10. Vertical step by phase.
    int dx = 0, dy = 0;
    int pattern = 2;
    if (phase == FALLING) {
        dx = speedX + GravityX;
        const int col = posX / 1600;
        const int row = posY / 1600;
        const int mW = MapBlkWidth - 1, mH = MapBlkHeight - 1;
        if (MenMap[(row + 1) & mH][col & mW] > 640 || MenMap[(row + 2) & mH][col & mW] > 640)
            dx = speedX;
        speedY = clip(speedY + (GravityY > 0 ? GravityY / 2 : 0), 400, -800);
        dy = (airCount <= 3 || GravityY < 0) ? GravityY : speedY;
        jumpCount = 0;
        pattern = 9;
    } else if (phase == RISING) {
        BigJmpF = speedY < -800;
        if (airCount < J / 2 && ctl.jump) {
            jumpTimer = J;
            speedY = -5 * J;
        } else if (jumpTimer == J) {
            speedY = -5 * J;
        }
        dx = GravityX + speedX;
        speedY = clip(GravityY / 2 + speedY, 400, -1000);
        dy = speedY + (GravityY < 0 ? GravityY : 0);
        jumpTimer = clip(jumpTimer - 1, 8 * J, 0);
        if (jumpTimer == 0) airCount = 0;
        if (speedY > 0 && (jumpTimer < 20 || speedX == 0)) jumpTimer = 0;
        if (jumpTimer < 58 && jumpCount > 1) {
            if (chr0) {
                pattern = 32;
                spriteRot = ((jumpTimer * facing * -15) % 360 + 360) % 360;
            } else {
                pattern = (jumpTimer & 8) ? 32 : 8;
            }
        } else {
            pattern = 7 + (airCount < 24 ? 1 : 0);
        }
    } else {
        dx = speedX;
        speedY = clip(speedY + GravityY, 300, -1600);
        dy = speedY;
        jumpCount = 0;
        if (runCount == 0 && (work5 & 255) < 8) {
            pattern = 2;
        } else {
            const int q = runCount / (runCount > 60 ? 10 : 6);
            pattern = 3 + q % 4;
        }
        const bool sideways = std::abs(ctl.stickX) > 4;
        if (ctl.stickY > 0 && !sideways) {
            pattern = 36 + ((work5 & 512) ? 1 : 0);
            YadjCount += 1;
        } else if (ctl.stickY < 0 && !sideways) {
            pattern = 38 + ((work5 & 512) ? 1 : 0);
            YadjCount -= 1;
        } else if (YadjCount > 0) {
            YadjCount -= 1;
        } else if (YadjCount < 0) {
            YadjCount += 1;
        } else {
            YadjCount = 1;
        }
        YadjCount = clip(YadjCount, 28, -27);
        FHSYSGBL::AdjustY = YadjCount / 2;
    }

    // 11. Move through the map.
    int bits = MoovableUS(&posX, &posY, posX + dx, posY + dy, GravityY, &box, currentCHR);
    reachF = 0;
    if (CurrentMapInfoRef) {
        if (bits & 5) GravityX = CurrentMapInfoRef[0];
        if (bits & 7) GravityY = CurrentMapInfoRef[1];
    }

    // 12. Map objects: platforms, carriers, harm, pick-ups and what is in reach.
    bool harmful = false;
    bool exitTaken = false;
    bool carried = false;
    int lastH1 = 0;
    const rRect& reach = boxTable[3];
    for (int i = 0; i < MainObjectCtrlCls::kObjects; ++i) {
        MainObjectCtrlCls::Object& o = objCtrl.objects[i];
        int flags = 0;
        const rRect* obp = FHPlay::touchableBox(o, &flags);
        if (obp == nullptr) continue;
        const rRect& ob = *obp;

        const int h1 = HitObjAndObj(posX, posY + 2 * dy, box, o.posX, o.posY, ob);
        lastH1 = h1;
        const bool carrierKind = (flags & OBJFLG_CARRIER) != 0;
        if (h1 != 0 && ((flags & OBJFLG_PLATFORM) || (carrierKind && o.regC > 1))) {
            WJumpF = false;
            MoovableUS(&posX, &posY, posX + o.w5, posY + o.w6, GravityY, &box, currentCHR);
            if (runCount <= 4) GravityX = o.w5;
            if (carrierKind && o.regC >= 2 && !carried && airCount <= 119) {
                carried = true;
                bits = MoovableUS(&posX, &posY, o.posX + o.halfW - halfW, o.posY - 200, GravityY / 10, &box,
                                  currentCHR);
                pattern = 46;
            } else {
                bits |= h1 & 13;
                const int boxH = box.bottom - box.top;
                if (h1 == 1 && !(bits & 2)) posY = o.posY + o.w6 - boxH;
                if ((bits & 1) && o.kind == 114) posY = o.posY - boxH;
            }
            phase = STANDING;
        }

        const int h2 = HitObjAndObj(posX, posY, box, o.posX, o.posY, ob);
        if (h2 != 0) {
            bool hurts = h1 != 1 && invincTimer == 0 && o.work5 >= 0 &&
                         (flags & (OBJFLG_ALLSHOTS | OBJFLG_ORDSHOT_A)) != 0 &&
                         !(carrierKind && o.regC >= 1);
            if (FHSYS_GLOBALS::use_invincibleF && o.kind != 29) hurts = false;
            if (hurts) harmful = true;
            if (h1 != 0 && (flags & OBJFLG_NOWINDOWLIMIT)) {
                if (o.get() == 2) exitTaken = true;
            }
        }

        const int rx = posX - (facing < 0 ? reach.right / 2 : 0);
        const int ry = posY - 200 + reach.top;
        if (HitObjAndObj(rx, ry, reach, o.posX, o.posY, ob) != 0 &&
            (flags & (OBJFLG_ALLSHOTS | OBJFLG_ORDSHOT_B)))
            reachF = 1;
    }
    {
        const int col = (posX / 100 + halfW / 100 + facing * 10) / 16;
        const int row = posY / 1600;
        if (MenMap[row & (MapBlkHeight - 1)][col & (MapBlkWidth - 1)] > 943) reachF = 1;
    }

    // 13. Damage: a miss after 5 - level frames of harmful contact in a row.
    damageCount = harmful ? damageCount + 1 : 0;
    if (harmful && damageCount == 5 - GameLevel) {
        MissingF = true;
        MissingTmer = 119;
        if (Score % 10 != 9) Score += 1;
        FHPlay::playSound(7);
        superRef->decoCtrl.NewDecoratePatt(posX + halfW, posY + halfH, 1, 0, -50, 0, 13, 1064, 40);
    }

    // 14. Landing.
    if (!(bits & 1)) {
        groundF = 0;
        if (phase == STANDING && runCount < 20) speedX = 0;
    } else {
        if ((bits & 3) != 3) {
            groundF = 1;
            jumpTimer = 0;
            airCount = 0;
        }
        WJumpF = (bits & 3) == 3;
    }

    // 15. Jump start (also a few frames after leaving a ledge or the rise ending). Late in
    // the air a jump needs something to push off: a floor or a wall touched this frame
    // (a wall touched while rising is a wall kick). Falling past the window never jumps.
    const bool lateJump = (phase == FALLING || !(bits & 5)) && airCount > 5;
    if ((bits & 3) != 3 && ctl.jump && !JumpedF && !lateJump) {
        FHPlay::playSound(8);
        jumpTimer = J;
        airCount = 1;
        if (WJumpF) {
            jumpTimer = 0;
            WJumpF = false;
        } else if (bits == 4) {
            WJumpF = isign(speedX) * sx > 0;
        } else {
            WJumpF = false;
        }
        int k;
        if (runCount > 60)
            k = chr0 ? 13 : 8;
        else if (chr0 && bits == 4)
            k = 13;
        else if (std::abs(GravityX) <= 1 && lastH1 != 0)
            k = 8;
        else
            k = 7;
        speedX = k * sx / 2;
        JumpedF = true;
        groundF = 0;
        jumpCount += 1;
    }

    // 16. Punch (or the special attack pose).
    if (punchTimer > 0) {
        punchTimer -= 1;
        if (SshotModeF)
            pattern = 35 - clip((punchTimer - 21) / 10, 2, 0);
        else
            pattern = 12 + 3 * PunchMotion - punchTimer / 7;
        if (punchTimer == 19)
            superRef->shotCtrl.addShot(posX + facing * 800 - 800 + halfW, posY - 800, selfDirX * 200, 0,
                                       MYSHOT_PUNCH);
    }

    // 17. Follow with the view and draw.
    framePositUpdate(0);
    putSpriteLP0(posX - box.left, posY - box.top, 1, facing < 0 ? -100 : 100, 100, spriteRot,
                 (chr0 ? 656 : 672) + pattern);
    const double c = harmful ? 0.5 : 1.0;
    sprite->setColor(1.0, c, c, 1.0);
    if (invincTimer > 4) {
        sprite->setBlendF((work5 & 1) ? 1u : 0x303u);
        QSDLpp_GLSprite* ring = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
        const int rs = clip(invincTimer / 2, 20, 0);
        const int rx = FHPlay::wrapMod(posX + halfW - GFieldLftX, MapFieldWidth);
        const int ry = FHPlay::wrapMod(posY + halfH - GFieldTopY, MapFieldHeight);
        ring->setDrwType(GLO::SprRing);
        ring->putx(rx, ry, 2);
        ring->setSize(rs, rs);
        ring->setColor(GLtransCyan);
    }
    if (FHSYS_GLOBALS::unLock_usingF[3]) {
        drawRectOnField(posX, posY, box, kTransBox);
        const int rx = posX - (facing < 0 ? reach.right / 2 : 0);
        drawRectOnField(rx, posY - 200 + reach.top, reach, reachF ? kTransReachOn : kTransReach);
    }
    if (OtherOnGhgPlaceF) {
        MyCharactor* other = relativeRef[currentCHR ^ 1];
        other->sprite = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
        other->putSpriteLP0(other->posX - other->box.left, other->posY - other->box.top, 1,
                            other->facing < 0 ? -100 : 100, 100, 0,
                            (chr0 ? 672 : 656) + ((work5 & 16) ? 1 : 0));
    }
    stayCount += 1;
    return exitTaken ? 2 : 1;
}

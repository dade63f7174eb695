// One frame of the player character under water (SwimUs): the miss under water, trigger
// A charging near the dog, the posture machine (FHobjectCtrl_swim_posture.cpp), the five
// movement modes (swim, dash, held or hurt, charging, exhausted), drifting in currents,
// platforms and carriers, harm, the air and energy gauges, and drawing.
//
// Units are hundredths of a dot; one call is one frame. S is the swimming strength: 50
// for the hero, 100 for the heroine (she dashes harder, he breathes less).
#include <cstdlib>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_play.h"
#include "FHobjectCtrl_swim.h"
#include "envresGlobal.h"
#include "qgu_carbonlike2.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"
#include "qsdlpp2_trigon.h"

using namespace FHWGBL;
using FHPlay::clip;
using namespace FHSwim;

namespace {

inline int sgn(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

constexpr int kBubblePatt = 60;  // two bubble pictures, 60 and 61
constexpr int kTrailPatt = 74;   // trail dots 74..76
const double kTintLow[4] = {0.8, 0.9, 0.99, 1.0};
const double kBoxColour[4] = {0.2, 0.6, 1.0, 0.35};

DecorateCtrlCls& deco() { return MyCharactor::superRef->decoCtrl; }

void trail(MyCharactor* me) {
    deco().NewDecorateDetailing(me->posX + me->halfW, me->posY + me->halfH, 1, -me->speedX / 4, -me->speedY / 4,
                                100, 100, 0, 0, 18, 2, kTrailPatt, 0.7, 0.9, 1.0, 0.8, 1);
}

// The miss under water: coins spill, and the body floats up (or, on maps whose water
// drains energy, sinks while air is left).
int missFrame(MyCharactor* me, MainObjectCtrlCls& objCtrl) {
    MyCharactor::MissingTmer -= 1;
    if (MyCharactor::MissingTmer == 118) {
        MissCount += 1;
        GoldCoins += preGcounter;
        preGcounter = 0;
        const bool special = FHSYS_GLOBALS::use_freePlayF || FHSYS_GLOBALS::use_invincibleF;
        const int kindCoin = special ? 50 : 49;
        for (int i = 0; i < 12; ++i) {
            const int r = Random();
            const int idx = objCtrl.AppearObject(me->posX, me->posY - 1600, r % 100, -100 - (r & 0x1E0), kindCoin, 0);
            const int w5 = Random() & 63;
            if (idx >= 0 && idx < MainObjectCtrlCls::kObjects) objCtrl.objects[idx].work5 = w5;
        }
        bubbles(me->posX + me->halfW, me->posY, 10);
    }
    const bool chr0 = MyCharactor::currentCHR == 0;
    int rot = 0;
    if (!(Condition & 2) || me->airGauge <= 4000) {
        me->posX += GravityX;
        me->posY -= 200;
    } else {
        MoovableUDUS(&me->posX, &me->posY, me->posX, me->posY + MyCharactor::MissingTmer * 5, &me->box,
                     MyCharactor::currentCHR);
        rot = (119 - MyCharactor::MissingTmer) * 3 * (chr0 ? 1 : -1);
    }
    if ((MyCharactor::MissingTmer & 15) == 0) bubbles(me->posX + me->halfW, me->posY, 2);
    me->putSpriteLP0(me->posX - me->box.left, me->posY - me->box.top, 1, me->facing < 0 ? -100 : 100, 100, rot,
                     kSwimPatt[chr0 ? 0 : 1] + 47);
    if (MyCharactor::MissingTmer < 1) return 7;
    me->framePositUpdate(0);
    return 6;
}

// A translucent rectangle on the field (rect view).
void drawBox(int x, int y, const rRect& r) {
    QSDLpp_GLSprite* sp = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    sp->setDrwType(GLO::SprBox);
    sp->ratioBase(false);
    sp->putx(FHPlay::wrapMod(x - GFieldLftX, MapFieldWidth), FHPlay::wrapMod(y - GFieldTopY, MapFieldHeight), 0);
    sp->setSize((r.right - r.left) / 100, (r.bottom - r.top) / 100);
    sp->setColor(kBoxColour);
}

}  // namespace

namespace FHSwim {

void bubbles(int x, int y, int n) {
    if (MyCharactor::superRef == nullptr) return;
    for (int i = 0; i < n; ++i) {
        const int spread = (i * 37 + CtrlCounter * 13) % 600 - 300;
        deco().NewDecorateDetailing(x + spread, y - i * 120, 1, spread / 30, -60 - (i % 4) * 25, 100, 100, 0, 0,
                                    40 + (i % 3) * 15, 1, kBubblePatt + (i & 1), 0.9, 0.95, 1.0, 0.85, 771);
    }
}

}  // namespace FHSwim

namespace FHSwim {
// After two minutes of rest the character lets its breath go and slumps into the
// exhausted posture, head down. The rest count starts again, so that the event comes
// once per rest and not on every frame the count stays at its top.
void surfacingEvent(MyCharactor* me) {
    me->ChgUWMode(MOV_EXHAUST, static_cast<UW_STATE>(P_EXHAUSTED), 0, 60);
    me->work3 = 1;
    me->stayCount = 1;
    bubbles(me->posX + me->halfW, me->posY, 6);
    FHPlay::playSound(49);
}
}  // namespace FHSwim

int MyCharactor::SwimUs(int f) {
    Statics& st = statics();
    if (f == -1) {
        resetStatics();
        airCount = modeTimer = chargeCount = punchTimer = 0;
        stayCount = 1;
        invincTimer = 90;
        return 1;
    }
    MyCharactor* dog = relativeRef[2];
    MainObjectCtrlCls& objCtrl = superRef->objectCtrl;
    const bool chr0 = currentCHR == 0;
    const int S = chr0 ? 50 : 100;

    // 1. A fresh sprite; the miss in progress.
    sprite = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    if (MissingF) return missFrame(this, objCtrl);

    const FHPlay::Controls ctl = FHPlay::readControls();
    const int sx = sgn(ctl.stickX);
    int sy = sgn(ctl.stickY);
    int d = QSDL_GLOBALS::Stick.stickDir(ALTplayF ? currentCHR : 0);
    if (surfaceF) {
        // In open air there is no swimming upwards.
        if (d == 0) d = -1;
        else if (d == 1) d = 2;
        else if (d == 7) d = 6;
        if (sy < 0) sy = 0;
    }

    // 2. Timers; the dash button works only with air to spare.
    if (invincTimer > 0) invincTimer -= 1;
    const bool dash = ctl.jump && airGauge > 2000;

    // 3. Trigger A charges the dog's attack.
    if (ctl.trigA) {
        if (!st.HoldTriF && modeTimer == 0) {
            st.HoldTriF = true;
            chargeCount = 0;
        } else if (st.HoldTriF && (airGauge >= 1201 || airGauge + energy > 2000)) {
            chargeCount += 1;
        }
    } else {
        st.HoldTriF = false;
    }

    // 4. Resting still counts toward the surfacing event.
    stayCount = clip(stayCount + (d == -1 ? 1 : -5), 7200, 1);

    // 5. Directions from the stick while the posture allows.
    if (modeTimer < 30 && uwState < 10) {
        if (d == 0 || d == 4) facing = 0;
        else if (d != -1) facing = sx;
        if (facing != 0) st.prevFaceX = facing;
        if (uwState < 6) work3 = sy;
        st.stateStickDir = d;
    }

    // 6. Posture.
    postureStep(this, d);

    // 7. Movement mode.
    int ax = 0, ay = 0;
    switch (movState) {
        case MOV_SWIM:
            if (uwState < 6 && facing == sx) ax = 3 * sx;
            if (sy == -1 && uwState < 6) ay = -3;
            else if (uwState == P_DOWN && sy == 1) ay = 3;
            if (dash && uwState < 6) {
                movState = MOV_DASH;
                runCount = 0;
                modeTimer = 59;
                ay = 0;
                preAcounter -= GameLevel * 100 + 400;
            }
            if (d != -1) airGauge -= (1 + (sy > 0 ? 1 : 0)) * (100 / S + 1);
            if (chargeCount > 2 && NearPippoF && uwState != P_DRIFT) {
                movState = MOV_CHARGE;
                uwState = static_cast<UW_STATE>(P_CHARGE);
                runCount = 0;
                modeTimer = 29;
            }
            break;
        case MOV_DASH: {
            const int M = runCount;
            const int I = QSDLpp_MYMATH::miImpulse(static_cast<unsigned>(clip(M, 99, 0)));
            const int D = (chr0 && std::abs(GravityY) > 90) ? 400 : 500;
            ax = I * facing * S / 500;
            ay = I * work3 * S / D;
            if (M == 30) {
                trail(this);
                FHPlay::playSound(32);
            }
            bool end = false;
            if (dash) {
                if (M >= 51) {
                    ax = 2 * facing * S / M;
                    ay = 2 * work3 * S / M;
                } else if (chargeCount > 0) {
                    end = true;
                }
            } else if (modeTimer <= 0 || chargeCount > 0) {
                end = true;
            }
            if (end) {
                movState = MOV_SWIM;
                runCount = 0;
                modeTimer = -1;
                chargeCount = 0;
            }
            break;
        }
        case MOV_HELD: {
            if (d != -1) {
                ax = 10 * sx;
                ay = 10 * sy;
                if (sx != 0) facing = sx;
                work3 = sy;
            }
            if (st.touchStat == 0 || !dash) {
                airGauge -= 2 * GameLevel + 6;
                if (energy > 1000) energy -= 2 * (GameLevel + 2);
            } else {
                airGauge -= 10 * GameLevel + 40;
                energy -= 5 * GameLevel + 10;
                ay = -100;
                runCount = (underBlock >= 348 && underBlock <= 351) ? work5 : 0;
            }
            chargeCount = 0;
            break;
        }
        case MOV_CHARGE:
            chargeCount += 1;
            if (!ctl.trigA) {
                if (chargeCount < 60) {
                    toPosture(this, work3 > 0 ? P_SINK : P_REST, 59);
                } else {
                    toPosture(this, P_RELEASE, 59);
                    dog->spAtkState = 3;
                    dog->runCount = 0;
                    dog->speedX = facing;
                }
                chargeCount = 0;
            } else {
                uwState = static_cast<UW_STATE>(P_CHARGE);
            }
            if (airGauge < 1201 && airGauge + energy <= 2000) {
                movState = MOV_EXHAUST;
                uwState = static_cast<UW_STATE>(P_EXHAUSTED);
                runCount = 0;
                modeTimer = 59;
            }
            break;
        case MOV_EXHAUST:
            if (airGauge > 2000) {
                movState = MOV_SWIM;
                uwState = static_cast<UW_STATE>(P_UP);
                runCount = 0;
                modeTimer = -1;
            }
            if ((work5 & 15) == 0) bubbles(posX + halfW, posY, 1);
            speedX = (facing == sx) ? 50 * sx : 0;
            if (work3 >= 1) speedY = 40;
            else if (GravityY < 1) speedY = -80;
            else speedY = 60 * sy;
            if (chargeCount >= 3 && NearPippoF && (airGauge > 1200 || airGauge + energy > 2000)) {
                movState = MOV_CHARGE;
                uwState = static_cast<UW_STATE>(P_CHARGE);
                modeTimer = 29;
            }
            break;
        default:
            if (!surfaceF && (work5 & 15) == 0) bubbles(posX + halfW, posY, 1);
            break;
    }

    // 8. Out of air: exhausted until it returns.
    if (movState < MOV_HELD && airGauge < 1200) {
        movState = MOV_EXHAUST;
        uwState = static_cast<UW_STATE>(P_EXHAUSTED);
        runCount = 0;
        modeTimer = 59;
        ax = ay = 0;
    }

    // 9. Move.
    st.prevTouchStat = st.touchStat;
    if (uwState != P_DRIFT) {
        speedX = clip(speedX + ax, 200, -150);
        speedY = clip(speedY + ay, 300, -200);
        const int u = uwState;
        const int g = (u == 5 || u == 6 || u == 8 || u == 9) ? 2 : 1;
        st.touchStat = MoovableUDUS(&posX, &posY, posX + speedX + GravityX, posY + speedY + GravityY / g, &box,
                                    currentCHR);
        const int keep = (u >= 1 && u <= 4) ? 97 : 92;
        speedX = speedX * keep / 100;
        speedY = speedY * keep / 100;
    } else {
        // Drifting in a current: free of the walls the current carries; against them
        // the stick pushes along.
        if ((st.touchStat == 0 && st.prevTouchStat == 0) || d == -1) {
            if (d == -1 || st.twistStateCounter <= 0) {
                speedX = clip(ax + GravityX, 100, -100);
                speedY = clip(GravityY, 200, -200);
            } else {
                speedX = clip(5 * ax + GravityX / 10, 100, -100);
                speedY = clip(ay, 200, -200);
            }
        } else {
            speedX = clip(speedX + ax, 100, -100);
            if (st.touchStat & 5) speedY = clip(speedY + ay / 2, 100, -100);
        }
        st.touchStat = MoovableUDUS(&posX, &posY, posX + speedX, posY + speedY, &box, currentCHR);
        if (st.touchStat == 0 && st.prevTouchStat != 0) st.twistStateCounter = 30;
        speedX = speedX * 95 / 100;
        speedY = speedY * 95 / 100;
        st.twistStateCounter -= 1;
    }
    if ((st.touchStat != 0 || runCount > 120) && stayCount < 2400 && CurrentMapInfoRef) {
        GravityX = CurrentMapInfoRef[0];
        GravityY = CurrentMapInfoRef[1];
    }

    // 10. Buoyancy returns to the map's value one step a frame.
    if (CurrentMapInfoRef) {
        const int g0 = CurrentMapInfoRef[1];
        if (GravityY < g0) GravityY += 1;
        else if (GravityY > g0) GravityY -= 1;
    }

    // 11. Map objects: platforms, carriers, harm and exits.
    bool held = false, heavy = false, light = false, exitTaken = false;
    reachF = 0;
    for (int i = 0; i < MainObjectCtrlCls::kObjects; ++i) {
        MainObjectCtrlCls::Object& o = objCtrl.objects[i];
        int flags = 0;
        const rRect* obp = FHPlay::touchableBox(o, &flags);
        if (obp == nullptr) continue;
        const rRect& ob = *obp;
        const int h = HitObjAndObj(posX, posY, box, o.posX, o.posY, ob);
        if (h == 0) continue;
        const bool carrier = (flags & OBJFLG_CARRIER) != 0;
        if (invincTimer == 0 && ((flags & OBJFLG_PLATFORM) || (carrier && o.regC > 1))) {
            st.touchStat |= h;
            MoovableUDUS(&posX, &posY, posX + o.w5, posY + o.w6, &box, currentCHR);
            if (h == 1) posY = o.posY - (box.bottom - box.top);
            if (Condition & 3) airGauge -= 5 * GameLevel + 10;
            if (carrier && !held) {
                held = true;
                MoovableUDUS(&posX, &posY, o.posX, o.posY - 200, &box, currentCHR);
            }
        }
        if (!held && invincTimer == 0 && o.work5 >= 0) {
            const bool inv = FHSYS_GLOBALS::use_invincibleF;
            if ((flags & OBJFLG_ALLSHOTS) && (!inv || o.kind == 29)) heavy = true;
            if (((flags & OBJFLG_ORDSHOT_A) || o.regC == 3) && !inv) light = true;
        }
        if (flags & OBJFLG_NOWINDOWLIMIT) {
            if (o.get() == 2) exitTaken = true;
        }
    }
    if (held) heavy = light = false;

    // 12. Hurt after a few frames of harm in a row.
    const bool harmed = heavy || light;
    damageCount = harmed ? damageCount + 1 : 0;
    if (harmed && damageCount >= 5 - GameLevel && uwState != P_HURT) {
        const int base = -((heavy ? 200 : 0) + (light ? 100 : 0)) * (GameLevel + 4);
        preAcounter = (chr0 ? 6 : 3) * base;
        preEcounter = (chr0 ? 3 : 6) * base;
        airCount = 8;
        invincTimer = 60;
        toPosture(this, P_HURT, 59);
        movState = MOV_HELD;
        FHPlay::playSound(44);
        bubbles(posX + halfW, posY + halfH, 6);
    }

    // 13. A carrier's grip: held fast, or thrown free when it lets go.
    if (!held && uwState == P_HELD) {
        movState = MOV_DASH;
        uwState = static_cast<UW_STATE>(P_UP);
        runCount = 30;
        modeTimer = 59;
        facing = 0;
        work3 = -1;
        jumpTimer = 1;
        invincTimer = 30;
    } else if (held && movState != MOV_HELD) {
        ChgUWMode(MOV_HELD, static_cast<UW_STATE>(P_HELD), 0, 5900);
    }

    // 14. Something breakable just ahead.
    {
        const int col = (posX / 100 + 5 + facing * 10) >> 4;
        const int row = (posY / 100) >> 4;
        if (MenMap[row & (MapBlkHeight - 1)][col & (MapBlkWidth - 1)] > 943) reachF = 1;
    }

    // 15. Gauges: breathing, and energy going once the air is gone.
    if (airGauge > 2000)
        airGauge -= (250 - S) * (GameLevel + 4) / 200;
    else
        airGauge -= 3;
    if ((Condition & 2) && energy > 1000)
        energy -= GameLevel + 2;
    else if (energy > 100)
        energy -= 1;
    if (airGauge < 100) energy -= (nearChrgSpotF && ctl.stickY < 0) ? 10 : 50;
    if (energy < 1 && !MissingF) {
        MissingF = true;
        MissingTmer = 119;
        if (Score % 10 != 9) Score += 1;
        FHPlay::playSound(7);
        deco().NewDecoratePatt(posX + halfW, posY + halfH, 1, 0, -50, 0, 13, 1064, 40);
    }

    // 16. Follow with the view and draw.
    framePositUpdate(0);
    const SwimFrame fr = swimFrame(uwState, runCount);
    const int face = facing != 0 ? facing : st.prevFaceX;
    const int mirror = fr.mirror * face;
    putSpriteLP0(posX - box.left, posY - box.top, 1, mirror < 0 ? -100 : 100, 100, fr.angle * face,
                 kSwimPatt[chr0 ? 0 : 1] + fr.offset);
    if (harmed)
        sprite->setColor(1.0, 0.5, 0.5, 1.0);
    else if (energy < 2500)
        sprite->setColor(kTintLow);
    if (invincTimer > 10 && uwState != P_HURT && sprite) {
        if (work5 & 2) sprite->setColor(0.6, 1.0, 1.0, 0.7);
        sprite->setBlendF((work5 & 1) ? 1u : 0x303u);
    }
    if (FHSYS_GLOBALS::unLock_usingF[3]) drawBox(posX, posY, box);
    if (OtherOnGhgPlaceF) {
        MyCharactor* other = relativeRef[currentCHR ^ 1];
        other->sprite = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
        other->putSpriteLP0(other->posX - other->box.left, other->posY - other->box.top, 1,
                            other->facing < 0 ? -100 : 100, 100, 0, (chr0 ? 944 : 896) + ((work5 & 2) ? 8 : 9));
    }

    // 17. Counters.
    runCount += 1;
    jumpTimer = clip(jumpTimer - 1, 60, 0);
    return exitTaken ? 2 : 1;
}

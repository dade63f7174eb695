// The swimmer's posture machine: which posture follows from the stick, the timers and the
// carrier's grip, and the mode changes other actors ask for (ChgUWMode and its forms).
//
// T is the posture timer (modeTimer), M the frames in the posture (runCount); a rule
// mostly waits until T < 11 (or T < 2) so that a posture plays out before the next one.
#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_play.h"
#include "FHobjectCtrl_swim.h"

using namespace FHWGBL;
using FHPlay::clip;

namespace {

FHSwim::Statics S;

void resetDog() {
    MyCharactor* dog = MyCharactor::relativeRef[2];
    if (dog == nullptr) return;
    dog->spAtkState = 0;
    dog->runCount = 0;
}

// Breaking free of a carrier needs this many struggle points.
constexpr int kFreeAt = 591;

}  // namespace

namespace FHSwim {

Statics& statics() { return S; }

void resetStatics() { S = Statics{}; }

void toPosture(MyCharactor* me, int u, int t, bool keepDog) {
    me->movState = MOV_SWIM;
    me->uwState = static_cast<UW_STATE>(u);
    me->runCount = 0;
    me->modeTimer = t;
    me->chargeCount = 0;
    if (!keepDog) resetDog();
}

bool postureStep(MyCharactor* me, int dRaw) {
    const int before = me->uwState;
    const int T = me->modeTimer;
    const int M = me->runCount;
    const int d = S.stateStickDir;
    const bool ready = T < 11;
    const bool ending = T < 2;
    auto speedSq = [&] { return me->speedX * me->speedX; };

    switch (before) {
        case P_UP:
            if (d == 2) {
                me->facing = 1;
                if (ready) toPosture(me, P_RIGHT, 59);
            } else if (d == 6) {
                me->facing = -1;
                if (ready) toPosture(me, P_LEFT, 59);
            } else if (d >= 3 && d <= 5) {
                if (ready) toPosture(me, P_TURNDOWN, 29);
            } else if (d == -1 && M > 120 && ready) {
                toPosture(me, P_REST, 29);
            }
            break;
        case P_DOWN:
            me->work3 = 1;
            if (d == 0 || d == 1 || d == 7) {
                if (ready) toPosture(me, P_TURNUP, 29);
            } else if (d == 2) {
                if (ready) toPosture(me, P_RIGHT, 59);
                me->work3 = 0;
            } else if (d == 6) {
                if (ready) toPosture(me, P_LEFT, 59);
                me->work3 = 0;
            } else if (d == -1 && me->speedY < 1) {
                if (ready) toPosture(me, P_SINK, 39);
                me->work3 = 1;
            }
            break;
        case P_LEFT:
        case P_RIGHT: {
            // Swimming sideways; `dir` is the side the posture faces.
            const bool left = before == P_LEFT;
            const int dir = left ? -1 : 1;
            me->facing = dir;
            const bool up = left ? (d == 0 || d == 7) : (d == 0 || d == 1);
            const bool down = left ? (d == 4 || d == 5) : (d == 3 || d == 4);
            const bool back = left ? (d >= 1 && d <= 3) : (d >= 5 && d <= 7);
            if (up) {
                if (ready) toPosture(me, P_UP, 59);
            } else if (back) {
                if (me->movState == MOV_DASH) {
                    if (ready) {
                        toPosture(me, left ? P_DASHTURNR : P_DASHTURNL, 79);
                        me->speedX += dir * 200;
                    }
                } else if (ready) {
                    toPosture(me, left ? P_TURNR : P_TURNL, 59);
                }
            } else if (down) {
                if (ready) toPosture(me, P_TURNDOWN, 29);
            } else if (d == -1) {
                if (speedSq() < 2 && S.BackModeFCounter != 0 && ready)
                    toPosture(me, P_BACKFLIP, 19);
                else if (ready && speedSq() < 2)
                    toPosture(me, P_REST, 59);
            }
            break;
        }
        case P_EXHAUSTED:
            break;  // left through the air rules of the movement step
        case P_CHARGE:
            if (me->facing == 0) me->facing = S.prevFaceX;
            break;
        case P_HELD:
            // Held by a carrier: every change of stick direction is a struggle; the grip
            // wears the gauges down meanwhile.
            if (M < kFreeAt) {
                me->runCount -= 1;
                const int chr1 = MyCharactor::currentCHR == 1 ? 1 : 0;
                me->energy -= (GameLevel + chr1) * 5 + 10;
                me->airGauge -= (GameLevel + 2 * (1 - chr1)) * 5 + 5;
                if (dRaw != S.lastStickDir) me->runCount += 20;
            }
            if (me->runCount >= kFreeAt) {
                me->invincTimer = 60;
                me->movState = MOV_DASH;
                me->uwState = static_cast<UW_STATE>(P_UP);
                me->runCount = 0;
                me->modeTimer = 29;
                me->facing = 0;
                me->work3 = (S.prevTouchStat == 2) ? 1 : -1;
                S.stateStickDir = 0;
                me->airCount = 1;
            }
            break;
        case P_REST:
            me->work3 = 0;
            if (d >= 0 && S.BackModeFCounter != 0) {
                toPosture(me, P_BACKFLIP, 19, true);
                me->facing = S.prevFaceX;
            } else if (ready) {
                if (d == 0 || d == 1 || d == 7) {
                    toPosture(me, P_UP, 59);
                } else if (d == 2) {
                    toPosture(me, P_RIGHT, 59);
                    me->facing = 1;
                } else if (d >= 3 && d <= 5) {
                    toPosture(me, P_TURNDOWN, 29);
                } else if (d == 6) {
                    toPosture(me, P_LEFT, 59);
                    me->facing = -1;
                }
                if (d != -1) S.BackModeFCounter = 0;
            }
            break;
        case P_SINK:
            if (d == 0 || d == 1 || d == 2 || d == 6 || d == 7) {
                if (ready) toPosture(me, P_TURNUP, 29);
            } else if (d >= 3 && d <= 5) {
                if (ready) toPosture(me, P_DOWN, 59);
            } else if (d == -1 && M > 300 && ready) {
                toPosture(me, P_SLEEP, 39);
            }
            break;
        case P_TURNUP:
            me->work3 = 0;
            if (ending) toPosture(me, P_UP, 59);
            break;
        case P_TURNDOWN:
            me->work3 = 0;
            if (ending) toPosture(me, P_DOWN, 59);
            break;
        case P_SLEEP:
            if (ending) {
                toPosture(me, P_REST, 59);
                me->work3 = 0;
            }
            break;
        case P_TURNL:
        case P_TURNR: {
            // A turn: the old facing is kept until the turn ends; halfway a push the new way.
            const int from = before == P_TURNL ? 1 : -1;
            me->facing = from;
            if (ending) {
                toPosture(me, before == P_TURNL ? P_LEFT : P_RIGHT, 59);
                me->facing = -from;
                S.BackModeFCounter = clip(S.BackModeFCounter + 1, 5, 0);
            } else if (T == 30) {
                me->speedX -= from * 200;
            }
            break;
        }
        case P_DASHTURNL:
        case P_DASHTURNR: {
            // A roll out of a dash: glide on, brake, then swing round.
            const int from = before == P_DASHTURNL ? 1 : -1;
            me->facing = from;
            if (T >= 71) me->speedX += from * 20;
            if (T == 30) {
                me->speedX -= from * 300;
                bubbles(me->posX + me->halfW, me->posY + me->halfH, 8);
            }
            if (T == 20) me->speedX -= from * 200;
            if (ending) {
                toPosture(me, before == P_DASHTURNL ? P_LEFT : P_RIGHT, 59);
                me->facing = -from;
                if (before == P_DASHTURNR) me->speedX += 300;
                S.BackModeFCounter = clip(S.BackModeFCounter + 1, 5, 0);
            }
            break;
        }
        case P_BACKFLIP:
            if (ending) {
                toPosture(me, P_REST, 59);
                S.BackModeFCounter = 0;
            }
            break;
        case P_RELEASE:
            if (ending) toPosture(me, me->work3 > 0 ? P_SINK : P_REST, 59, true);
            break;
        case P_HURT:
            if (M > 60) {
                toPosture(me, me->work3 > 0 ? P_SINK : P_REST, 59, true);
                me->invincTimer = 120;
            }
            break;
        case P_DRIFT:
            if (M >= 61) {
                toPosture(me, P_REST, 59);
                me->invincTimer += 30;
                if (CurrentMapInfoRef) GravityY = CurrentMapInfoRef[1];
            } else if (M < 30) {
                me->facing = 0;
                me->work3 = 0;
            }
            break;
        default:
            // A posture number outside the machine (a damaged record): back to rest.
            toPosture(me, P_REST, 59);
            break;
    }

    S.lastStickDir = dRaw;
    const bool changed = me->uwState != before;
    if (!changed) {
        me->modeTimer = clip(me->modeTimer - 1, 6000, 0);
        me->airCount += 1;
    } else {
        me->runCount = 0;
        me->modeTimer -= 1;
    }
    return changed;
}

}  // namespace FHSwim

MOV_STATE MyCharactor::ChgUWMode(MOV_STATE m, UW_STATE u, int run, int timer) {
    movState = m;
    uwState = u;
    runCount = run;
    modeTimer = timer - 1;
    if (m == MOV_HELD) resetDog();
    chargeCount = 0;
    return m;
}

MOV_STATE MyCharactor::ChgUWModeLimited(MOV_STATE m, UW_STATE u, int run, int timer) {
    if (modeTimer >= 11) return movState;
    ChgUWMode(m, u, run, timer);
    resetDog();
    return m;
}

MOV_STATE MyCharactor::xChgUWMode(bool onlyIfNew, MOV_STATE m, UW_STATE u, int run, int timer) {
    if (onlyIfNew && movState == m) return m;
    ChgUWMode(m, u, run, timer);
    resetDog();
    return m;
}

MOV_STATE MyCharactor::xChgUWMode(MOV_STATE m, UW_STATE u) {
    movState = m;
    uwState = u;
    resetDog();
    chargeCount = 0;
    return m;
}

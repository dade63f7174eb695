// Carriers: enemies that grab the character and carry it off (attribute flag 0x20000).
// The character's own step does the holding: under water a carrier whose regC is 2 or
// more holds the swimmer fast until it struggles free (FHobjectCtrl_swim*.cpp); on foot
// it hangs from it. This family decides when to grab, where to carry and when to let go.
//
// States in regC:
//   0 drifting round its home (w0, w1), bobbing;
//   1 hunting: steers at the character that came within reach (row p1 dots);
//   2 carrying: drags the held character home and down, at most p2 frames;
//   4 fleeing: swims away from the character for p3 frames, then drifts again.
// regA counts frames in the state; regB remembers that the character was seen held.
#include "FHobjectCtrl_family_carrier.h"

#include <cstdlib>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_play.h"
#include "FHobjectCtrl_swim.h"
#include "envresGlobal.h"
#include "qsdlpp2_trigon.h"

using namespace FHWGBL;

namespace {

using Obj = MainObjectCtrlCls::Object;

inline int sgn(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }


void setState(Obj& o, int state) {
    o.regC = state;
    o.regA = 0;
}

// Moves toward (dx, dy) at `speed` (field units per frame, each axis at most).
void steer(Obj& o, int dx, int dy, int speed) {
    o.work1 = QSDLpp_Trigon::forwardS(0, 0, dx, dy, o.work1, 6);
    o.speedX = QSDLpp_Trigon::cos100x(o.work1) * speed / 100;
    o.speedY = QSDLpp_Trigon::sin100x(o.work1) * speed / 100;
}

}  // namespace

namespace FHCarrier {

void carrierStep(Obj& o, FHObj::Step& s, const FHObj::KindRow& row) {
    MyCharactor* P = MyCharactor::relativeRef[MyCharactor::currentCHR & 1];
    if (P == nullptr) return;
    if (o.age == 0 || (o.w0 == 0 && o.w1 == 0)) {
        o.w0 = o.posX;  // home
        o.w1 = o.posY;
    }
    const int cx = o.posX + o.halfW, cy = o.posY + o.halfH;
    const int dx = FHPlay::wrapDiff(P->posX + P->halfW, cx, MapFieldWidth);
    const int dy = FHPlay::wrapDiff(P->posY + P->halfH, cy, MapFieldHeight);
    const int reach = row.p1 * 100;
    const bool near = std::abs(dx) < reach && std::abs(dy) < reach;
    const bool heldNow = UWMode ? (P->uwState == FHSwim::P_HELD) : (P->airCount <= 119);
    const int* A = Obj::ObjAttribute[o.kind];
    const rRect& ob = Obj::objectRects[A ? A[OBJATTR_RECT] : 0];

    o.regA += 1;
    switch (o.regC) {
        case 0: {
            // Drift round home, bobbing.
            const int hx = FHPlay::wrapDiff(o.w0, o.posX, MapFieldWidth) + QSDLpp_Trigon::cos100x(o.age) * 24;
            const int hy = FHPlay::wrapDiff(o.w1, o.posY, MapFieldHeight) + QSDLpp_Trigon::sin100x(o.age * 2) * 12;
            steer(o, hx, hy, row.speed / 3);
            if (near && P->invincTimer == 0 && !MyCharactor::MissingF) {
                setState(o, 1);
                FHPlay::playSound(row.p4);
            }
            break;
        }
        case 1:
            steer(o, dx, dy, row.speed);
            if (HitObjAndObj(P->posX, P->posY, P->box, o.posX, o.posY, ob) != 0 && P->invincTimer == 0) {
                setState(o, 2);
                o.regB = 0;
                o.speedX = o.speedY = 0;
            } else if (!near && o.regA > 60) {
                setState(o, 0);
            }
            break;
        case 2:
            if (heldNow) o.regB = 1;
            // The character took hold on the frame after the grab; once it is no longer
            // held (struggled free, hurt, or gone), let go and flee.
            if ((o.regA > 2 && !heldNow) || o.regA > row.p2 || MyCharactor::MissingF) {
                setState(o, 4);
                FHSwim::bubbles(cx, cy, 4);
                break;
            }
            // Drag toward home and a little down, slowly.
            steer(o, FHPlay::wrapDiff(o.w0, o.posX, MapFieldWidth), FHPlay::wrapDiff(o.w1, o.posY, MapFieldHeight) + 3200,
                  row.speed / 4);
            break;
        case 4:
            steer(o, -dx, -dy, row.speed);
            if (o.regA > row.p3) setState(o, 0);
            break;
        default:
            setState(o, 0);
            break;
    }
    MoovableUD(&o.posX, &o.posY, o.posX + o.speedX, o.posY + o.speedY, &ob);

    // Drawing: a pulsing bell; the grip frame while carrying.
    s.facing = o.regC == 1 ? (dx < 0 ? -1 : 1) : (sgn(o.speedX) != 0 ? sgn(o.speedX) : s.facing);
    const int pulse = (o.age / row.frameTime) % (row.frames > 1 ? row.frames - 1 : 1);
    s.pattern = row.basePatt + (o.regC == 2 ? row.frames - 1 : pulse);
    s.layer = 2;
}

}  // namespace FHCarrier

namespace {

// The lake jelly (kind 97): sweeps at a swimmer within 72 dots, holds it at most 15 s,
// then flees for 3 s. Pictures 876..879 (879 gripping); sound 50 when it gives chase.
const FHObj::BehaviourSpan kCarrierSpans[] = {
    {FHCarrier::carrierStep, {97, 876, 4, 10, 120, 72, 900, 180, 50}},
};

}  // namespace

extern const FHObj::BehaviourList kFamilyCarrier;
const FHObj::BehaviourList kFamilyCarrier = {kCarrierSpans, int(sizeof kCarrierSpans / sizeof kCarrierSpans[0])};

// Moving enemies with fixed rules: the diving enemy and dropper (kinds 8 and 90), the
// hopper that spits (14), the homing flyer (19), the drifting homer (37) and the walker
// (32).
#include "FHWorldGlobal.h"
#include "FHobjectCtrl_behave.h"
#include "FHobjectCtrl_behave_util.h"
#include "qgu_carbonlike2.h"
#include "qsdlpp2_trigon.h"

using namespace FHWGBL;

namespace {

using FHObj::clip;
using FHObj::KindRow;
using FHObj::Object;
using FHObj::Step;

inline int cos24(int d) { return CHARACTER_BASE::x24costbl[((d % 24) + 24) % 24]; }
inline int sin24(int d) { return CHARACTER_BASE::y24sintbl[((d % 24) + 24) % 24]; }

int moveUD(Object& o, int dx, int dy) {
    return MoovableUD(&o.posX, &o.posY, o.posX + dx, o.posY + dy, &o.box);
}

// Faces left while the heading points into the left half (64..192).
inline int headingFacing(int heading) {
    return static_cast<unsigned>(heading - 64) <= 128u ? -1 : 1;
}

// Kinds 8 and 90. regC is the state: 0 waiting, 1 aiming, 2 diving, 3 climbing back,
// 4 dropping objects of kind patt.
void diver(Object& o, Step& s, const KindRow&) {
    const bool k90 = o.kind == 90;
    if (o.work5 == 0) o.work5 = 1;
    const int blink = 721 + ((o.work5 / 8) & 1);
    switch (o.regC) {
        case 0:
            if (o.radarMe(k90 ? 12800 : 9600)) {
                o.regC = 1;
                o.work5 = 1;
            }
            s.pattern = 720;
            break;
        case 1:
            o.speedX = cos24(s.dir24);
            s.pattern = blink;
            if (o.work5 % 64 == 0) {
                o.regC = 2;
                o.speedY = sin24(s.dir24);
            }
            break;
        case 2:
            moveUD(o, 5 * o.speedX, o.speedY);
            s.pattern = 723;
            if (o.work5 % 32 == 0) {
                o.regC = 3;
                o.speedX = 0;
                o.speedY = -200;
            }
            break;
        case 3:
            moveUD(o, o.speedX, o.speedY);
            s.pattern = blink;
            s.facing = s.side;
            if (o.work5 % 128 == 0) o.regC = 1;
            break;
        case 4: {
            if (o.work5 & 0xC0) {
                moveUD(o, o.speedX, o.speedY);
                if ((o.work5 + 32) % 64 == 0) o.speedX = s.side * 100;
            }
            o.speedY = sin24((o.work5 / 4) % 24) / 4;
            const int phase = o.work5 % 256;
            if (phase == 0) {
                const int x = o.posX + o.halfW - 800 + s.side * 400;
                const int y = o.posY + (k90 ? 3200 : 1600);
                MainObjectCtrlCls& objs = FHObj::objects();
                if (k90) {
                    const int count = Random() & 7;
                    const int idx = objs.AppearObjectWithCount(x, y, 0, 0, o.patt, o.w0, count);
                    if (idx >= 0) objs.objects[idx].regC = 1;
                } else {
                    const int count = Random() & 15;
                    objs.AppearObjectWithCount(x, y, s.side * 100, 0, o.patt, o.patt >= 60 ? o.w0 : 0, count);
                }
            }
            if (!k90 && phase >= 256 - 75)
                FHObj::extraSprite(o.posX + s.facing * 800 - o.box.left, o.posY + 1600 - o.box.top, 2, o.w0);
            s.pattern = blink;
            break;
        }
        default:
            o.regC = 0;
            s.pattern = 720;
            break;
    }
    if (k90) s.offY = -400;
}

// Kind 14: hops about and spits at the player every 128 frames.
void hopper(Object& o, Step& s, const KindRow&) {
    const int bits = moveUD(o, o.speedX, o.speedY);
    o.speedY = bits == 0 ? clip(o.speedY + 50, 500, -500) : 50;
    if (o.work5 % 128 == 16) {
        o.speedX = 0;
        MainObjectCtrlCls& objs = FHObj::objects();
        const int x = o.posX + o.halfW - 800;
        if (!UWMode || o.work1 != 0) {
            const int vy = (-2 - (Random() & 7)) * 40;
            const int patt = (Random() & 1) ? 113 : 112;
            const int count = 32 + (Random() & 31);
            objs.AppearObjectWithCount(x, o.posY, cos24(s.dir24), vy, 178, patt, count);
        } else {
            const int count = 16 + (Random() & 31);
            objs.AppearObjectWithCount(x, o.posY, cos24(s.dir24) / 2, sin24(s.dir24) / 2, 177, 96, count);
        }
    }
    if (o.work5 & 0xC0) {
        s.pattern = 749 + ((o.work5 / 16) & 1);
    } else {
        o.speedX = 0;
        s.pattern = 751;
    }
    if ((o.work5 & 63) == 0) o.speedX = (Random() % 3) * 50;
    if (bits & 4) o.speedX = -o.speedX;
}

// Kind 19: turns towards the player every 16 frames and flies along its heading.
void homingFlyer(Object& o, Step& s, const KindRow&) {
    if (o.work5 % 16 == 0) o.work1 = FHObj::turnTowardsPlayer(o, o.work1 & 255, 16);
    const int lv = GameLevel + 2;
    moveUD(o, lv * QSDLpp_Trigon::cos100x(o.work1) * o.speedX / 200,
           lv * QSDLpp_Trigon::sin100x(o.work1) * o.speedY / 200);
    s.pattern = 772 + ((o.work5 / 8) & 1);
    s.facing = headingFacing(o.work1);
}

// Kind 37: steers only during its first 300 frames and passes through blocks.
void driftingHomer(Object& o, Step& s, const KindRow&) {
    if (o.work5 < 300 && (o.work5 & (31 >> clip(GameLevel, 5, 0))) == 0)
        o.work1 = FHObj::turnTowardsPlayer(o, o.work1 & 255, 16);
    const int lv = GameLevel + 2;
    o.posX += lv * QSDLpp_Trigon::cos100x(o.work1) * o.speedX / 300;
    o.posY += lv * QSDLpp_Trigon::sin100x(o.work1) * o.speedY / 300;
    s.pattern = 166 + ((o.work5 / 4) & 1);
    s.facing = headingFacing(o.work1);
}

// Kind 32: walks on the ground and turns at walls.
void walker(Object& o, Step& s, const KindRow&) {
    FHObj::walkStep(o);
    s.pattern = (o.patt != 0 ? o.patt : 160) + ((o.work5 / 6) & 1);
}

const FHObj::BehaviourSpan kSpans[] = {
    {diver, {8, 0, 0, 0, 0, 0, 0, 0, 0}},
    {hopper, {14, 0, 0, 0, 0, 0, 0, 0, 0}},
    {homingFlyer, {19, 0, 0, 0, 0, 0, 0, 0, 0}},
    {walker, {32, 0, 0, 0, 0, 0, 0, 0, 0}},
    {driftingHomer, {37, 0, 0, 0, 0, 0, 0, 0, 0}},
    {diver, {90, 0, 0, 0, 0, 0, 0, 0, 0}},
};

}  // namespace

extern const FHObj::BehaviourList kFamilyMovers;
const FHObj::BehaviourList kFamilyMovers = {kSpans, int(sizeof kSpans / sizeof kSpans[0])};

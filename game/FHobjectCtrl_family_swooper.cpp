// Swooper family: birds that patrol a beat in the air, dive at a player who passes below
// them and climb back to their height.
//
// Row: speed = patrol speed; p1 = half the width of the strip below that makes it dive
// (field units); p2 = diving speed; p3 = half the patrol width (field units, 0: turns
// only at walls); p4 = sound of the dive. Pictures: frames flapping pictures from the
// base, then base + frames diving.
// Registers: regA, regB the centre of the beat (taken at the first frame and when it
// hatches; frame = 1 once taken); regC the state (0 patrolling, 1 diving, 2 climbing
// back); w2 frames in the state; w3 frames left before it may dive again; speedX, speedY
// its motion.
#include <cstdlib>

#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"
#include "FHobjectCtrl_play.h"
#include "qsdlpp2_trigon.h"

namespace FHObj {

namespace {
constexpr int kDiveFrames = 70;   // a dive ends after this long even in open air
constexpr int kRestFrames = 90;   // frames between the end of a climb and the next dive
}  // namespace

void familySwooper(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    if (o.frame != 1) {  // set up anew when it hatches from its capsule too
        o.frame = 1;
        o.regA = o.posX;
        o.regB = o.posY;
        o.regC = 0;
        o.w2 = 0;
        o.w3 = 0;
        if (o.speedX == 0) o.speedX = s.side * (r.speed > 0 ? r.speed : 60);
    }
    const int base = basePattern(o, r);
    const MyCharactor& p = inPlay();
    const int dx = FHPlay::wrapDiff(p.posX + 600, centreX(o), FHWGBL::MapFieldWidth);
    const int dy = FHPlay::wrapDiff(p.posY + 800, centreY(o), FHWGBL::MapFieldHeight);
    o.w2 += 1;
    if (o.w3 > 0) o.w3 -= 1;

    switch (o.regC) {
        default: {  // patrolling, bobbing a little
            const int patrol = r.speed > 0 ? r.speed : 60;
            if (o.speedX == 0) o.speedX = patrol;
            o.speedX = signOf(o.speedX) * patrol;
            const int ny = o.regB + QSDLpp_Trigon::sin100x((o.age * 4) & 255) * 3;
            patrolStep(o, ny, r.p3);
            if (o.w3 == 0 && dy > 1600 && std::abs(dx) < r.p1 && !MyCharactor::MissingF) {
                const int d = QSDLpp_Trigon::XYtan256(0, 0, dx, dy) & 255;
                const int sp = r.p2 > 0 ? r.p2 : 300;
                o.speedX = QSDLpp_Trigon::cos100x(d) * sp / 100;
                o.speedY = QSDLpp_Trigon::sin100x(d) * sp / 100;
                o.regC = 1;
                o.w2 = 0;
                sound(r.p4);
            }
            s.pattern = animate(base, o.age, r.frames, r.frameTime);
            s.facing = signOf(o.speedX);
            break;
        }
        case 1: {  // diving along the line it took
            const int res = FHWGBL::MoovableUD(&o.posX, &o.posY, o.posX + o.speedX, o.posY + o.speedY, &o.box);
            if (res != 0 || o.w2 >= kDiveFrames || dy < -1600) {
                o.regC = 2;
                o.w2 = 0;
                if (res & 1) puff(centreX(o), o.posY + o.box.bottom - o.box.top, 3, 3);
            }
            s.pattern = base + r.frames;
            s.facing = signOf(o.speedX);
            break;
        }
        case 2: {  // climbing back to the height of its beat
            const int up = (r.speed > 0 ? r.speed : 60) * 2;
            o.speedY = -up;
            const int ny = o.posY - up < o.regB ? o.regB : o.posY - up;
            const int res = FHWGBL::MoovableUD1(&o.posX, &o.posY, o.posX + o.speedX / 3, ny, &o.box);
            if (res & 4) o.speedX = -o.speedX;
            if (o.posY <= o.regB || (res & 2) || o.w2 > 240) {
                if (res & 2) o.regB = o.posY;  // a ceiling lowers its beat
                o.regC = 0;
                o.w2 = 0;
                o.w3 = kRestFrames;
                o.speedY = 0;
            }
            s.pattern = animate(base, o.age, r.frames, r.frameTime / 2 > 0 ? r.frameTime / 2 : 1);
            s.facing = signOf(o.speedX);
            break;
        }
    }
}

}  // namespace FHObj

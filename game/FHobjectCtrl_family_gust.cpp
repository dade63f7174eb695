// Gust family: a column of rising wind that catches a player who steps into it and
// lifts them up (attribute flag 0x20000: while regC is 2 the character's own step hangs
// it from the gust's top), lets go at the top of its climb and sinks back empty.
//
// Row: speed = lifting speed; p1 = height of the lift (field units; the map's work1, in
// blocks, replaces it when given); p2 = frames it rests at home before it catches again;
// p3 = largest frames of one lift; p4 = sound when it catches. Pictures: frames swirling
// pictures from the base (twice as fast while lifting).
// Registers: regA, regB home (taken at the first frame, frame = 1 once taken); regC the state (0 waiting at home, 2 lifting, 1 sinking back empty); w2
// frames in the state.
#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"

namespace FHObj {

void familyGust(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    if (o.frame != 1) {
        o.frame = 1;
        o.regA = o.posX;
        o.regB = o.posY;
        o.regC = 0;
        o.w2 = r.p2 + 1;  // ready from the start; the rest is only between lifts
    }
    const int height = o.work1 > 0 ? o.work1 * 1600 : (r.p1 > 0 ? r.p1 : 9600);
    const int lift = r.speed > 0 ? r.speed : 120;
    o.w2 += 1;
    const MyCharactor& p = inPlay();
    switch (o.regC) {
        default:  // waiting at home for a rider
            o.posX = o.regA;
            o.posY = o.regB;
            if (o.w2 > r.p2 && p.invincTimer == 0 && !MyCharactor::MissingF &&
                FHWGBL::HitObjAndObj(p.posX, p.posY, p.box, o.posX, o.posY, o.box) != 0) {
                o.regC = 2;
                o.w2 = 0;
                sound(r.p4);
            }
            break;
        case 2: {  // lifting
            const int res = FHWGBL::MoovableUD1(&o.posX, &o.posY, o.posX, o.posY - lift, &o.box);
            if ((res & 2) || o.posY <= o.regB - height || o.w2 >= (r.p3 > 0 ? r.p3 : 240)) {
                o.regC = 1;
                o.w2 = 0;
            }
            break;
        }
        case 1:  // sinking back empty
            o.posY += lift / 2;
            if (o.posY >= o.regB) {
                o.posY = o.regB;
                o.regC = 0;
                o.w2 = 0;
            }
            break;
    }
    s.pattern = animate(basePattern(o, r), o.age, r.frames, o.regC == 2 ? r.frameTime / 2 : r.frameTime);
    s.alpha = o.regC == 1 ? 0.5 : 0.85;
    s.facing = 1;
}

}  // namespace FHObj

// Projectile family: what enemies throw, spit and set off. Each flies by the speed it was
// made with and ends on a wall, on the ground or when its time is up.
//
// Row: p1 = motion: 0 straight (ends at a wall), 1 lobbed (falls, ends where it lands),
// 2 bubble (drifts and rises slowly), 3 blast (stays, grows and fades); p2 = frames it
// lasts; p3 = bit 0 the picture spins; p4 = pattern of its end puff (0: none).
// Pictures: the object's patt when its maker gave one, else frames pictures from the
// base. A blast plays the explosion effect on its first frame.
// Registers: regC frames it has flown (age is not used, so that an object kept dormant
// by a negative work5 starts its flight when it wakes).
#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"
#include "qsdlpp2_trigon.h"

namespace {

void finish(FHFam::Obj& o, const FHObj::KindRow& r) {
    o.activeF = 0;
    if (r.p4 > 0) FHFam::puff(FHFam::centreX(o), FHFam::centreY(o), r.p4, 3);
}

// Cell size of a pattern's atlas in field units (16, 32, 64 or 128 dots).
int cellSize(int patt) {
    if (patt < 512) return 1600;
    if (patt < 1024) return 3200;
    if (patt < 1536) return 6400;
    return 12800;
}

}  // namespace

namespace FHObj {

void familyProjectile(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    const int t = o.regC;
    o.regC += 1;
    s.pattern = animate(basePattern(o, r), t, r.frames, r.frameTime);
    if (r.p3 & 1) s.rot = (t * 24) % 360;
    s.facing = signOf(o.speedX);
    const int life = r.p2 > 0 ? r.p2 : 120;

    switch (r.p1) {
        default: {  // straight
            const int res =
                FHWGBL::MoovableUD0(&o.posX, &o.posY, o.posX + o.speedX, o.posY + o.speedY, &o.box);
            if (res || t >= life) finish(o, r);
            break;
        }
        case 1: {  // lobbed
            const int res =
                FHWGBL::MoovableUD(&o.posX, &o.posY, o.posX + o.speedX, o.posY + o.speedY, &o.box);
            o.speedY = clampTo(o.speedY + 30, -900, 600);
            if ((res & 5) || t >= life) finish(o, r);
            break;
        }
        case 2: {  // bubble: slows down and rises with a wobble
            o.speedX = o.speedX * 15 / 16;
            o.speedY = clampTo(o.speedY * 15 / 16 - 4, -120, 400);
            const int wob = QSDLpp_Trigon::sin100x(t * 8) / 2;
            const int res = FHWGBL::MoovableUD(&o.posX, &o.posY, o.posX + o.speedX + wob,
                                               o.posY + o.speedY, &o.box);
            if ((res & 2) || t >= life) finish(o, r);
            break;
        }
        case 3: {  // blast: rises by its speed, grows and fades
            if (t == 0) {
                sound(45);
                puff(centreX(o), centreY(o), r.p4 > 0 ? r.p4 : 3, 5);
            }
            o.posY += o.speedY;
            // Drawn to cover its box at first (whatever the picture's cell size), then
            // growing around its centre.
            const int boxW = o.box.right - o.box.left, boxH = o.box.bottom - o.box.top;
            const int fit = boxW * 100 / cellSize(s.pattern);
            s.scaleY = fit + t * 5;
            s.scaleX = s.facing * s.scaleY;
            s.offX = -(s.scaleY - fit) * boxW / (2 * fit);
            s.offY = -(s.scaleY - fit) * boxH / (2 * fit);
            s.alpha = 1.0 - double(t) / (life + 1);
            if (t >= life) o.activeF = 0;
            break;
        }
    }
}

}  // namespace FHObj

// Flyer family: creatures that float along a patrol line with a bobbing wave, turning at
// walls and at the ends of their beat.
//
// Row: speed = patrol speed; p1 = height of the wave (field units); p2 = frames of one
// wave (a power of two reads best); p3 = half the patrol width (field units, 0: no
// limit); p4 = pattern of the trail it leaves every 8 frames (0: none).
// Registers: regA, regB the centre of the beat (taken at the first frame, so that
// objects that appear during play fly where they appeared), w1 = 1 once taken;
// speedX the patrol direction and speed.
#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"
#include "qsdlpp2_trigon.h"

namespace FHObj {

void familyFlyer(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    if (o.w1 != 1) {
        o.w1 = 1;
        o.regA = o.posX;
        o.regB = o.posY;
        if (o.speedX == 0) o.speedX = s.side * (r.speed > 0 ? r.speed : 40);
    }
    const int period = r.p2 > 0 ? r.p2 : 128;
    const int wave = QSDLpp_Trigon::sin100x((o.age % period) * 256 / period) * r.p1 / 100;
    const int ny = o.regB + wave;
    const int res = patrolStep(o, ny, r.p3);
    if (res & 3) o.regB = o.posY - wave;  // a floor or ceiling moves the beat's centre
    if (r.p4 > 0 && (o.age & 7) == 0) puff(centreX(o), centreY(o), r.p4, 1);

    s.pattern = animate(basePattern(o, r), o.age, r.frames, r.frameTime);
    s.facing = signOf(o.speedX);
}

}  // namespace FHObj

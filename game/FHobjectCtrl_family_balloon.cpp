// Balloon family: balloons that rise slowly from where they are placed to the top of
// their climb and bob there. A player may ride one (attribute flag 0x800): under a
// rider it sinks gently instead, and a punch pops it.
//
// Row: speed = rising speed; p1 = height of the climb (field units; the map's work5, in
// blocks, replaces it when given); p2 = sinking speed under a rider; p3 = height of the
// bob (field units); p4 unused. Pictures: base, base + 1 (squeezed under a rider).
// Registers: w0 the climb; regA, regB the start (taken at the first frame and when it
// hatches; frame = 1 once taken); w2 the height it floats at now (its climb lowered by
// riders and ceilings).
#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"
#include "qsdlpp2_trigon.h"

namespace FHObj {

void familyBalloon(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    if (o.frame != 1) {  // set up anew when it hatches from its capsule too
        o.frame = 1;
        o.regA = o.posX;
        o.regB = o.posY;
        // The climb is read once, from the map's work5 on the first frame of a placed
        // balloon (work5 counts frames after that), and kept in w0 for its hatching.
        if (o.w0 <= 0) o.w0 = (o.age <= 1 && o.work5 > 0) ? o.work5 * 1600 : (r.p1 > 0 ? r.p1 : 4800);
        o.w2 = o.posY - o.w0;
    }
    const bool ridden = standsOn(o);
    const int bob = QSDLpp_Trigon::sin100x((o.age * 3) & 255) * r.p3 / 100;
    int ny;
    if (ridden) {
        // Sinks under the weight, and keeps the lower height once let go.
        const int sink = r.p2 > 0 ? r.p2 : 20;
        ny = o.posY + sink;
        if (ny > o.w2) o.w2 = ny < o.regB ? ny : o.regB;
    } else if (o.posY > o.w2 + 200) {
        ny = o.posY - (r.speed > 0 ? r.speed : 30);  // still rising
    } else {
        ny = o.w2 + bob;
    }
    const int res = FHWGBL::MoovableUD1(&o.posX, &o.posY, o.posX, ny, &o.box);
    if (res & 2) o.w2 = o.posY;  // a ceiling stops the climb where it is
    s.pattern = basePattern(o, r) + (ridden ? 1 : 0);
    s.facing = 1;
}

}  // namespace FHObj

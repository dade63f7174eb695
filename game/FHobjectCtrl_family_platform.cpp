// Platform family: logs and leaves that glide back and forth; the player stands on them
// (attribute flag 0x800) and is carried by the displacement the frame step leaves in
// w5, w6.
//
// Map set-up of the platform kinds: w0 = 4 x the horizontal parameter, w1 = the vertical
// parameter, w2 = the map's work5. The travel is w0 x 400 across (the parameter in
// blocks) and w1 x 1600 down, one round trip in w2 frames. Row: p1 = frames of a round
// trip when the map gives none; p2, p3 = travel across and down (field units) when the
// map gives none; speed unused. Pictures: frames pictures from the base.
// Registers: regA, regB the start of the track (taken at the first frame, w3 = 1 once
// taken). The position follows a smooth wave along the track, so it never drifts.
#include "FHobjectCtrl_family.h"

#include "qsdlpp2_trigon.h"

namespace FHObj {

void familyPlatform(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    if (o.w3 != 1) {
        o.w3 = 1;
        o.regA = o.posX;
        o.regB = o.posY;
    }
    int dx = o.w0 * 400, dy = o.w1 * 1600;
    if (dx == 0 && dy == 0) {
        dx = r.p2;
        dy = r.p3;
    }
    int period = o.w2 > 0 ? o.w2 : r.p1;
    if (period < 32) period = 256;
    const int phase = (o.age % period) * 256 / period;
    const int k = 100 - QSDLpp_Trigon::cos100x(phase);  // 0 .. 200 and back
    o.posX = o.regA + dx * k / 200;
    o.posY = o.regB + dy * k / 200;
    s.pattern = animate(basePattern(o, r), o.age, r.frames, r.frameTime);
    s.facing = 1;
}

}  // namespace FHObj

// Storm cloud family: a cloud that drifts along above the player, darkens and drops a
// bolt of lightning straight down, then drifts on.
//
// Row: speed = drifting speed; p1 = frames between strikes; p2 = frames it darkens
// before a strike; p3 = kind of the bolt; p4 = falling speed of the bolt. Pictures:
// base calm, base + 1 dark (flickering with base + 2, the flash, in the last frames
// before the strike and on the strike itself). The map's work5 offsets the first strike,
// so that clouds placed side by side do not strike together.
// Registers: regB the height it keeps (taken at the first frame and when it hatches;
// frame = 1 once taken); w2 frames to the next strike.
#include <cstdlib>

#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"
#include "FHobjectCtrl_play.h"
#include "qsdlpp2_trigon.h"

namespace FHObj {

void familyStormCloud(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    const int every = r.p1 > 60 ? r.p1 : 180;
    const int warn = clampTo(r.p2, 1, every - 1);
    if (o.frame != 1) {  // set up anew when it hatches from its capsule too
        o.frame = 1;
        o.regB = o.posY;
        o.w2 = every + clampTo(o.work5, 0, every);
    }
    const MyCharactor& p = inPlay();
    const int dx = FHPlay::wrapDiff(p.posX + 600, centreX(o), FHWGBL::MapFieldWidth);
    const int drift = r.speed > 0 ? r.speed : 40;
    // Drifts towards the spot above the player, easing off as it gets there.
    int want = clampTo(dx / 16, -drift, drift);
    if (o.w2 <= warn) want /= 4;  // hangs nearly still while it gathers the strike
    o.speedX = want;
    const int ny = o.regB + QSDLpp_Trigon::sin100x((o.age * 2) & 255) * 2;
    FHWGBL::MoovableUD1(&o.posX, &o.posY, o.posX + o.speedX, ny, &o.box);

    o.w2 -= 1;
    const int base = basePattern(o, r);
    s.pattern = base;
    if (o.w2 <= warn) s.pattern = (o.w2 < 16 && (o.age & 2)) ? base + 2 : base + 1;
    if (o.w2 <= 0) {
        o.w2 = every;
        const int boxH = o.box.bottom - o.box.top;
        spawn(centreX(o) - 800, o.posY + boxH - 800, 0, r.p4 > 0 ? r.p4 : 700, r.p3, 0);
        sound(56);
        s.pattern = base + 2;
    }
    s.facing = 1;
}

}  // namespace FHObj

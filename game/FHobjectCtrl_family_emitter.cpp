// Emitter family: creatures that throw or shoot at the player, one aimed shot or a fan,
// and (moles) may dig in between throws.
//
// Row: p1 = the shot's kind; p2 = shots per throw (more than one: a fan 16 steps of 256
// apart; negative: throws take turns, one aimed shot and then a fan of -p2); p3 = frames between throws; p4 = shot speed (negative: the shots are lobbed,
// thrown upwards with that speed); speed = frames it stays dug in after a throw
// (0: never digs). Pictures: frames idle pictures from the base, base + frames winding
// up (the last 24 frames before a throw), base + frames + 1 throwing (12 frames after).
// Registers: regC throws so far (for the turns of a negative p2).
// Digging in sets work5 negative: the frame step treats the object as dormant (not
// drawn, not hit, harmless) until work5 is back at 0.
#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"
#include "qsdlpp2_trigon.h"

namespace {
constexpr int kReach = 20000;  // throws only while the player is within 200 dots
}

namespace FHObj {

void familyEmitter(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    const int res = FHWGBL::MoovableUD(&o.posX, &o.posY, o.posX, o.posY + o.speedY, &o.box);
    o.speedY = (res & 1) ? 100 : clampTo(o.speedY + 40, 0, 400);  // 100: rests exactly

    const int every = r.p3 > 40 ? r.p3 : 40;
    const int phase = o.work5 % every;
    const int base = basePattern(o, r);
    s.facing = s.side;
    if (phase == 0 && o.work5 > 0 && s.dist < kReach) {
        const int n = r.p2 < 0 ? ((o.regC & 1) ? -r.p2 : 1) : (r.p2 > 0 ? r.p2 : 1);
        o.regC += 1;
        const int v = r.p4 < 0 ? -r.p4 : r.p4;
        for (int i = 0; i < n; ++i) {
            int vx, vy;
            if (r.p4 < 0) {  // lobbed: thrown up and towards the player
                vx = s.side * (v / 2 + i * 60);
                vy = -v - i * 40;
            } else {
                const int d = (s.dir + (2 * i - (n - 1)) * 8) & 255;
                vx = QSDLpp_Trigon::cos100x(d) * v / 100;
                vy = QSDLpp_Trigon::sin100x(d) * v / 100;
            }
            spawn(centreX(o) - 800, centreY(o) - 800, vx, vy, r.p1, 0);
        }
        sound(24);
    }
    if (phase >= every - 24 && s.dist < kReach) s.pattern = base + r.frames;
    else if (phase < 12 && o.work5 >= every) s.pattern = base + r.frames + 1;
    else s.pattern = animate(base, o.age, r.frames, r.frameTime);

    // Dig in right after the throwing picture.
    if (r.speed > 0 && phase == 12 && o.work5 > every) {
        puff(centreX(o), o.posY + o.box.bottom - o.box.top, 3, 4);
        sound(34);
        o.work5 = -r.speed;
    }
}

}  // namespace FHObj

// Snapper family: carnivorous plants that wait hidden in the ground, rise when a player
// comes near, and lunge and snap at them. Shut jaws shrug blows off; between two snaps
// the plant stands open and can be beaten. A player who walks away lets it sink back.
//
// Row: p1 = wake distance (field units); p2 = frames it stands open between snaps;
// p3 = how far a lunge reaches sideways (field units); p4 = sound of the snap.
// Pictures: base the bud showing while hidden, base + 1 standing open, base + 2 the
// lunge with its jaws wide, base + 3 the jaws shut.
// While hidden it is kept out of reach (neither hit nor harmful).
// Registers: regC the state (0 hidden, 1 rising, 2 open, 3 lunging), w3 frames in the
// state, w1 the lunge's direction, w2 its root (x), w4 = 1 once the root is taken,
// speedY its fall speed (it settles on the ground where the map put it).
#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"

namespace {

constexpr int kRise = 16;        // frames of rising out of the ground
constexpr int kLunge = 20;       // frames of a lunge, out and back
constexpr int kGiveUp = 90;      // frames with the player far before it sinks back

}  // namespace

namespace FHObj {

void familySnapper(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    if (o.w4 != 1) {
        o.w4 = 1;
        o.w2 = o.posX;
        o.regC = 0;
        o.w3 = 0;
        o.w1 = 1;
    }
    if (o.regC < 0 || o.regC > 3) o.regC = 0;
    o.w3 += 1;

    // Rooted: it only settles downwards; a lunge moves it sideways off its root and back.
    int nx = o.posX;
    if (o.regC == 3) {
        const int half = kLunge / 2;
        const int out = o.w3 <= half ? o.w3 : kLunge - o.w3;
        nx = o.w2 + o.w1 * r.p3 * clampTo(out, 0, half) / half;
    } else {
        nx = o.w2;
    }
    const int res = FHWGBL::MoovableUD(&o.posX, &o.posY, nx, o.posY + o.speedY, &o.box);
    o.speedY = (res & 1) ? 100 : clampTo(o.speedY + 40, 0, 400);  // 100: rests exactly

    const int base = basePattern(o, r);
    switch (o.regC) {
        case 0:  // hidden
            keepOutOfReach(o);
            s.pattern = base;
            s.facing = s.side;
            if (s.dist < r.p1) {
                o.regC = 1;
                o.w3 = 0;
                puff(centreX(o), o.posY + o.box.bottom - o.box.top, 3, 4);
            }
            return;
        case 1:  // rising: still out of reach until it stands
            keepOutOfReach(o);
            s.pattern = base + 1;
            s.facing = s.side;
            s.scaleY = 40 + 60 * o.w3 / kRise;
            s.offY = (o.box.bottom - o.box.top) * (100 - s.scaleY) / 100;
            if (o.w3 >= kRise) {
                o.regC = 2;
                o.w3 = 0;
            }
            return;
        case 2:  // open: the time to beat it
            s.pattern = base + 1;
            s.facing = s.side;
            if (s.dist > 2 * r.p1 && o.w3 >= kGiveUp) {
                o.regC = 0;
                o.w3 = 0;
                puff(centreX(o), o.posY + o.box.bottom - o.box.top, 3, 4);
            } else if (o.w3 >= r.p2 && s.dist < 2 * r.p1) {
                o.regC = 3;
                o.w3 = 0;
                o.w1 = s.side;
            }
            return;
        default:  // lunging: jaws wide on the way out, shut at the far end and back
            if (undoBlow(o)) puff(centreX(o) + o.w1 * 800, centreY(o) - 800, 48, 2);
            s.facing = o.w1;
            s.pattern = o.w3 < kLunge / 2 ? base + 2 : base + 3;
            if (o.w3 == kLunge / 2) sound(r.p4);
            if (o.w3 >= kLunge) {
                o.regC = 2;
                o.w3 = 0;
            }
            return;
    }
}

}  // namespace FHObj

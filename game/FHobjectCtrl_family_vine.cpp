// Vine family: thorny vines that grow out of the ground, a wall or a ceiling in steps,
// stay grown for a while and wither back, over and over. Only a grown vine hurts and
// can be cut; a growing or withered one is kept out of reach.
//
// Row: frames = growth steps (pictures base .. base + frames - 1, the last one grown);
// p1 = frames per growth step; p2 = frames it stays grown; p3 = frames it rests
// withered; p4 = the player must be within this distance for it to start growing
// (0: always).
// The map's work1 gives where it grows from: 0 the ground (upwards), 1 a wall on its
// left, 2 a wall on its right, 3 the ceiling; the map's speed (sx) delays its first
// growth by that many frames, so vines side by side can take turns.
// Registers: w3 frames into its cycle, w4 = 1 once started, regC the step shown.
#include "FHobjectCtrl_family.h"

namespace {

constexpr int kGrowSound = 34;  // the rustle of a vine starting to grow

// Step (0 .. frames - 1) a vine shows at frame t of its cycle, or -1 while it rests.
int vineStep(const FHObj::KindRow& r, int t) {
    const int steps = r.frames > 1 ? r.frames : 2;
    const int per = r.p1 > 0 ? r.p1 : 1;
    const int grow = (steps - 1) * per;
    if (t < 0) return -1;
    if (t < grow) return t / per;
    t -= grow;
    if (t < r.p2) return steps - 1;
    t -= r.p2;
    if (t < grow) return steps - 2 - t / per;
    return -1;
}

}  // namespace

namespace FHObj {

void familyVine(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    if (o.w4 != 1) {
        o.w4 = 1;
        o.regC = -1;
        o.w3 = -(o.speedX > 0 ? o.speedX : 0);
        o.speedX = 0;
    }
    const int steps = r.frames > 1 ? r.frames : 2;
    const int per = r.p1 > 0 ? r.p1 : 1;
    const int cycle = 2 * (steps - 1) * per + r.p2 + r.p3;
    // A withered vine waits for the player before it grows again.
    const int restEnd = cycle - r.p3;
    if (!(o.w3 == 0 && r.p4 > 0 && s.dist >= r.p4)) o.w3 += 1;
    if (o.w3 >= cycle) o.w3 = 0;
    const int t = o.w3 >= restEnd ? -1 : o.w3;
    const int st = vineStep(r, t);
    if (st == 0 && o.regC < 0 && s.dist < 24000) sound(kGrowSound);
    o.regC = st;

    if (st < steps - 1) keepOutOfReach(o);
    s.pattern = st >= 0 ? basePattern(o, r) + st : 0;
    s.facing = 1;
    switch (o.work1 & 3) {
        case 1: s.rot = 90; break;
        case 2: s.rot = 270; break;
        case 3: s.rot = 180; break;
        default: s.rot = 0; break;
    }
}

}  // namespace FHObj

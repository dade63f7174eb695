// Sinker family: platforms that hold a moment once stood on, shake, fall away and come
// back to their place a while later.
//
// Row: speed = largest falling speed; p1 = frames it shakes before it falls (the map's
// work5, kept in w2 by loading, replaces it when given); p2 = frames until it comes back
// (at least 60); p3 = picture while it shakes and falls (0: base + 1); p4 = sound when
// it gives way. Pictures: base resting. It falls for a second, fading, then vanishes.
// Registers: regA, regB its place (taken at the first frame, w3 = 1 once taken); regC
// the state (0 resting, 1 shaking, 2 falling); w4 frames in the state. Gone, it lies
// dormant at its place (work5 negative) until it returns: nothing stands on it and
// nothing hits it meanwhile.
#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"

namespace FHObj {

namespace {
constexpr int kFallFrames = 60;
}  // namespace

void familySinker(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    if (o.w3 != 1) {
        o.w3 = 1;
        o.regA = o.posX;
        o.regB = o.posY;
        o.regC = 0;
        o.w4 = 0;
    }
    const int base = basePattern(o, r);
    const int hold = o.w2 > 0 ? o.w2 : (r.p1 > 0 ? r.p1 : 40);
    const int shaky = r.p3 > 0 ? r.p3 : base + 1;
    o.w4 += 1;
    s.facing = 1;
    s.pattern = base;
    switch (o.regC) {
        default:  // resting at its place
            o.posX = o.regA;
            o.posY = o.regB;
            o.speedY = 0;
            if (standsOn(o)) {
                o.regC = 1;
                o.w4 = 0;
            }
            break;
        case 1:  // shaking under the rider
            o.posX = o.regA + ((o.w4 & 2) ? 100 : -100);
            o.posY = o.regB;
            s.pattern = shaky;
            if (o.w4 >= hold) {
                o.posX = o.regA;
                o.regC = 2;
                o.w4 = 0;
                sound(r.p4);
            }
            break;
        case 2: {  // falling through everything
            const int top = r.speed > 0 ? r.speed : 500;
            o.speedY = clampTo(o.speedY + 25, 0, top);
            o.posY += o.speedY;
            s.pattern = shaky;
            s.alpha = 1.0 - double(o.w4) / double(kFallFrames + 1);
            if (o.w4 >= kFallFrames) {
                o.posX = o.regA;
                o.posY = o.regB;
                o.speedY = 0;
                o.regC = 0;
                o.w4 = 0;
                o.work5 = -(r.p2 > 60 ? r.p2 : 60);
                s.pattern = 0;
            }
            break;
        }
    }
}

}  // namespace FHObj

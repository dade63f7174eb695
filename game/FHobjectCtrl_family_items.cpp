// Pick-ups on the field: coins and food that fall, bounce and (when they were dropped
// during play) blink out after a while; floating items (weapon, star, energy, mystery);
// the sound spots of special blocks; the charge spot. The pick-up itself is
// MainObjectCtrlCls::Object::get (FHobjectCtrl_objects_get.cpp).
#include "FHWorldGlobal.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_behave.h"
#include "FHobjectCtrl_behave_util.h"
#include "qsdlpp2_trigon.h"

using namespace FHWGBL;

namespace {

using FHObj::clip;
using FHObj::KindRow;
using FHObj::Object;
using FHObj::Step;

// Dropped items live until work5 reaches row.p2 and blink during their last row.p3 frames.
// Items placed by the map stay.
bool expires(const Object& o) { return o.linkIdx >= 0 && o.linkIdx < MainObjectCtrlCls::kFirstMapSlot; }

// Falls under gravity, bounces off floors with half its speed and off walls.
void fallAndBounce(Object& o) {
    o.speedY = clip(o.speedY + 25, 500, -800);
    const int vy = o.speedY;
    const int bits = MoovableUD0(&o.posX, &o.posY, o.posX + o.speedX, o.posY + o.speedY, &o.box);
    if (bits & 4) o.speedX = -o.speedX / 2;
    if (bits & 1) {
        o.speedY = vy > 150 ? -vy / 2 : 0;
        o.speedX = o.speedX * 3 / 4;
    } else if (bits & 2) {
        o.speedY = 0;
    }
}

// p1: 0 fixed, 1 falls and bounces, 2 bobs in place. Pattern: basePatt (or patt when
// basePatt is 0; plus 352 for food pictures when p4 is 1) + frame of `frames` frames.
void item(Object& o, Step& s, const KindRow& row) {
    if (row.p1 == 1) fallAndBounce(o);
    if (row.p1 == 2) s.offY = QSDLpp_Trigon::sin100x(o.work5 * 4) * 2;
    s.facing = 1;
    int base = row.basePatt != 0 ? row.basePatt : (o.patt != 0 ? o.patt : FHObj::attrPatt(o.kind));
    if (row.p4 == 1) base = 352 + ((o.patt & 31));
    const int frame = row.frames > 1 ? (o.work5 / row.frameTime) % row.frames : 0;
    s.pattern = base + frame;
    if (expires(o) && row.p2 > 0) {
        if (o.work5 >= row.p2) {
            o.activeF = 0;
            s.pattern = 0;
            return;
        }
        if (o.work5 >= row.p2 - row.p3 && (o.work5 & 4)) s.pattern = 0;
    }
}

// The weapon item shows the weapon it gives now (four, one second each).
void weaponItem(Object& o, Step& s, const KindRow&) {
    s.facing = 1;
    s.offY = QSDLpp_Trigon::sin100x(o.work5 * 4) * 2;
    s.pattern = 52 + ((o.work5 / 60) & 3);
}

// Sound spots of special blocks: invisible but for a faint sparkle now and then.
void soundSpot(Object& o, Step& s, const KindRow&) {
    s.facing = 1;
    s.pattern = ((o.work5 & 63) < 8) ? o.patt : 0;
}

// The charge spot stays and sparkles every 8 frames.
void chargeSpot(Object& o, Step& s, const KindRow&) {
    s.facing = 1;
    s.pattern = o.patt != 0 ? o.patt : FHObj::attrPatt(o.kind);
    if ((o.work5 & 7) == 0) {
        const int x = o.posX + o.halfW + ((o.work5 * 37) % 1600) - 800;
        FHObj::decorations().NewDecorateDetailing(x, o.posY + o.halfH, 1, 0, -60, 100, 100, 0, 0, 24, 9, 48, 1, 1,
                                                  1, 1, 1);
    }
}

// {kind, basePatt, frames, frameTime, speed, p1 motion, p2 life, p3 blink, p4 food}
const FHObj::BehaviourSpan kSpans[] = {
    {weaponItem, {48, 0, 0, 0, 0, 0, 0, 0, 0}},
    {item, {49, 8, 4, 4, 0, 1, 960, 120, 0}},
    {item, {50, 12, 4, 4, 0, 1, 960, 120, 0}},
    {item, {51, 0, 1, 1, 0, 1, 960, 120, 1}},
    {item, {52, 0, 1, 1, 0, 1, 960, 120, 1}},
    {item, {53, 64, 1, 1, 0, 2, 0, 0, 0}},
    {soundSpot, {54, 0, 0, 0, 0, 0, 0, 0, 0}},
    {item, {55, 0, 1, 1, 0, 2, 0, 0, 0}},
    {chargeSpot, {194, 0, 0, 0, 0, 0, 0, 0, 0}},
    {item, {196, 0, 1, 1, 0, 2, 0, 0, 0}},
    {item, {197, 0, 1, 1, 0, 2, 0, 0, 0}},
    {item, {232, 0, 1, 1, 0, 2, 0, 0, 0}},
    {item, {233, 0, 1, 1, 0, 2, 0, 0, 0}},
};

}  // namespace

extern const FHObj::BehaviourList kFamilyItems;
const FHObj::BehaviourList kFamilyItems = {kSpans, int(sizeof kSpans / sizeof kSpans[0])};

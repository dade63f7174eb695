// Item capsules (kinds 136..147, 149..154, 160..168, 172): what is left of a beaten
// enemy. A capsule falls (or sits on its partner), shows a marker above itself for a
// while, and hatches back into its enemy (kind - 128) unless the player takes or throws
// it first.
#include "FHWorldGlobal.h"
#include "FHobjectCtrl_behave.h"
#include "FHobjectCtrl_behave_util.h"

using namespace FHWGBL;

namespace {

using FHObj::KindRow;
using FHObj::Object;
using FHObj::Step;

void hatch(Object& o) {
    o.kind -= 128;
    FHObj::takeKindShape(o);
    o.work5 = 0;
    o.regC = 1;
    o.speedX = o.w3;
    o.speedY = o.w4;
    o.patt = o.w2;
    if (o.kind <= 159) o.posY -= 1600;
}

void capsule(Object& o, Step& s, const KindRow&) {
    if (o.partner == 0) {
        FHObj::fallWithClip(o, 50, 500);
    } else if (o.partner > 0 && o.partner < MainObjectCtrlCls::kObjects) {
        const Object& p = FHObj::objects().objects[o.partner];
        o.posX = p.posX + p.halfW - o.halfW;
        o.posY = p.posY - (o.box.bottom - o.box.top);
    }
    if (o.work5 < 360 - 15 * GameLevel) {
        // The marker: centred over the capsule, one block above its picture.
        const int mx = o.posX + o.halfW - 800;
        const int my = o.posY - o.box.top - 1600;
        FHObj::extraSprite(mx, my, 2, 72 + ((o.work5 / 8) & 1));
    }
    s.facing = 1;
    s.pattern = o.patt != 0 ? o.patt : FHObj::attrPatt(o.kind);
    if (o.kind == 140 && o.work1 > 1) s.pattern += (o.work5 / 30) & 1;
    if (o.work5 > 420 - 15 * GameLevel) hatch(o);
}

constexpr KindRow capsuleRow(int kind) { return {kind, 0, 0, 0, 0, 0, 0, 0, 0}; }

const FHObj::BehaviourSpan kSpans[] = {
    {capsule, capsuleRow(136)}, {capsule, capsuleRow(137)}, {capsule, capsuleRow(138)},
    {capsule, capsuleRow(139)}, {capsule, capsuleRow(140)}, {capsule, capsuleRow(141)},
    {capsule, capsuleRow(142)}, {capsule, capsuleRow(143)}, {capsule, capsuleRow(144)},
    {capsule, capsuleRow(145)}, {capsule, capsuleRow(146)}, {capsule, capsuleRow(147)},
    {capsule, capsuleRow(149)}, {capsule, capsuleRow(150)}, {capsule, capsuleRow(151)},
    {capsule, capsuleRow(152)}, {capsule, capsuleRow(153)}, {capsule, capsuleRow(154)},
    {capsule, capsuleRow(160)}, {capsule, capsuleRow(161)}, {capsule, capsuleRow(162)},
    {capsule, capsuleRow(163)}, {capsule, capsuleRow(164)}, {capsule, capsuleRow(165)},
    {capsule, capsuleRow(166)}, {capsule, capsuleRow(167)}, {capsule, capsuleRow(168)},
    {capsule, capsuleRow(172)},
};

}  // namespace

extern const FHObj::BehaviourList kFamilyCapsules;
const FHObj::BehaviourList kFamilyCapsules = {kSpans, int(sizeof kSpans / sizeof kSpans[0])};

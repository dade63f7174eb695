// Behaviour family: explosions (kinds 128..135) and the spent capsule shell (kind 42).
//
// A boss or a large object that runs out of life turns into an explosion (Object::explode):
// it keeps its picture (patt), sinks slowly at its speedY, flashes and throws bursts for
// its period (the explosion kind's attribute value, frames), and then pays the score it
// carries in regA; the frame step then opens its target blocks. Rows: p1 bursts per spray, p2 a screen
// shake while it lasts (1) or not (0), p3 pieces thrown at the end.
//
// A thrown capsule that has hit something drops its empty shell (kind 42, patt = the
// capsule's picture): it falls, bounces once or twice and fades out.
#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_behave.h"
#include "FHobjectCtrl_fx.h"
#include "FHobjectCtrl_play.h"
#include "envresGlobal.h"
#include "qgu_carbonlike2.h"

using namespace FHWGBL;

namespace {

using Obj = MainObjectCtrlCls::Object;

constexpr int kExplosionSound = 45;
constexpr int kShellLife = 90;

int period(const Obj& o) {
    const int32_t* A = (o.kind >= 0 && o.kind < 272) ? Obj::ObjAttribute[o.kind] : nullptr;
    const int v = A ? A[OBJATTR_VALUE] : 60;
    return v < 20 ? 20 : (v > 600 ? 600 : v);
}

void explosion(Obj& o, FHObj::Step& s, const FHObj::KindRow& row) {
    const int f = o.work5;
    const int life = period(o);
    o.posY += o.speedY;
    if (o.speedY > 1 && (f & 7) == 0) o.speedY -= 1;  // the sinking slows down

    // Bursts at random points of the box; the random draws come in a fixed order.
    if ((f & 3) == 0) {
        const int w = o.box.right - o.box.left, h = o.box.bottom - o.box.top;
        for (int i = 0; i < row.p1; ++i) {
            const int rx = Random() & 0x7FFF;
            const int ry = Random() & 0x7FFF;
            const int x = o.posX + (w > 0 ? rx % w : 0);
            const int y = o.posY + (h > 0 ? ry % h : 0);
            FHFx::pop(x, y, (f & 4) != 0);
        }
    }
    if ((f & 15) == 0) FHPlay::playSound(kExplosionSound);
    if (row.p2 && f == 0) FHFx::deco().NewDecorate(0, 0, 0, 0, 0, 100, 100, 0, 0, life < 60 ? life : 60, 16, 0,
                                                   1, 1, 1, 1, 771);

    // The picture flashes and fades out over the period.
    s.pattern = (f & 2) ? o.patt : 0;
    s.alpha = 1.0 - static_cast<double>(f) / life;
    s.layer = 1;

    if (f + 1 >= life) {
        const int cx = o.posX + o.halfW, cy = o.posY + o.halfH;
        FHFx::burst(cx, cy, 12);
        FHFx::pop(cx, cy, true);
        for (int d = 0; d < row.p3; ++d) {
            const int k = (d * 24 / (row.p3 > 0 ? row.p3 : 1)) % 24;
            FHFx::deco().NewDecorateDetailing(cx, cy, 1, CHARACTER_BASE::x24costbl[k] * 4,
                                              CHARACTER_BASE::y24sintbl[k] * 4, 100, 100, 0, 0, 40, 10, 40, 1, 1,
                                              1, 1, 771);
        }
        if (o.regA > 0) {
            Score += o.regA;
            FHFx::scoreSign(cx, o.posY, o.regA);
        }
        o.activeF = 0;  // the frame step opens the target blocks of a finished explosion
        s.pattern = 0;
    }
}

void shell(Obj& o, FHObj::Step& s, const FHObj::KindRow&) {
    const int bits = MoovableUD0(&o.posX, &o.posY, o.posX + o.speedX, o.posY + o.speedY, &o.box);
    if (bits & 1) {
        o.speedY = -o.speedY / 2;
        o.speedX /= 2;
    } else {
        o.speedY = FHPlay::clip(o.speedY + 40, 500, -500);
    }
    s.pattern = o.patt;
    s.rot = (o.work5 * 20) % 360;
    if (o.work5 > kShellLife - 30) s.alpha = (kShellLife - o.work5) / 30.0;
    if (o.work5 >= kShellLife) {
        o.activeF = 0;
        s.pattern = 0;
    }
}

// {fn, {kind, basePatt, frames, frameTime, speed, p1 bursts, p2 shake, p3 pieces, p4}}
const FHObj::BehaviourSpan kSpans[] = {
    {shell, {42, 0, 1, 1, 0, 0, 0, 0, 0}},
    {explosion, {128, 0, 1, 1, 0, 1, 0, 0, 0}},
    {explosion, {129, 0, 1, 1, 0, 1, 0, 0, 0}},
    {explosion, {130, 0, 1, 1, 0, 2, 0, 6, 0}},
    {explosion, {131, 0, 1, 1, 0, 1, 0, 0, 0}},
    {explosion, {132, 0, 1, 1, 0, 2, 1, 8, 0}},
    {explosion, {133, 0, 1, 1, 0, 3, 1, 12, 0}},
    {explosion, {134, 0, 1, 1, 0, 1, 0, 0, 0}},
    {explosion, {135, 0, 1, 1, 0, 4, 1, 16, 0}},
};

}  // namespace

extern const FHObj::BehaviourList kFamilyExplosion;
const FHObj::BehaviourList kFamilyExplosion = {kSpans, static_cast<int>(sizeof kSpans / sizeof kSpans[0])};

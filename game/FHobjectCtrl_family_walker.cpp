// Walker family: ground creatures that walk on the map under gravity, turn at walls and
// (when the row asks) at ledges, and may charge at the player.
//
// Row: speed = walking speed; p1 = bit 0 turns at ledges, bit 1 charges, bit 2 turns to
// face a player within the charge reach, bit 3 carries a shield in front (blows from a
// player before it glance off and push it back; blows from behind hurt); p2 = charge
// reach (field units, horizontal); p3 = charge speed; p4 = sound of the charge.
// Pictures: frames walking pictures from the base pattern; a charger adds the wind-up
// picture (base + frames) and the charge picture (base + frames + 1).
// Registers: speedX walking direction and speed (the map's speed when it gave one),
// speedY fall speed, regC state (0, 1 walking; 2 winding up; 3 charging).
#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"

namespace {

constexpr int kWindUp = 30;       // frames a charger stands before it runs
constexpr int kChargeTime = 70;   // frames of a charge at most
constexpr int kChargeRest = 120;  // frames of walking before the next charge
constexpr int kShieldPush = 400;  // how far a blow on the shield pushes it back
constexpr int kShieldSound = 36;  // the ring of a blow glancing off

// Would the next steps leave the ground? Probes the block under the leading foot.
bool ledgeAhead(const FHFam::Obj& o) {
    const int w = o.box.right - o.box.left, h = o.box.bottom - o.box.top;
    const int x = o.speedX > 0 ? o.posX + w + 200 : o.posX - 200;
    return !FHFam::solidForWalker(FHFam::blockAt(x, o.posY + h + 200));
}

void familyWalkerPictures(const FHFam::Obj& o, FHObj::Step& s, const FHObj::KindRow& r) {
    using namespace FHFam;
    const int base = basePattern(o, r);
    if (o.regC == 2) s.pattern = base + r.frames;
    else if (o.regC == 3) s.pattern = base + r.frames + 1;
    else s.pattern = animate(base, o.work5, r.frames, r.frameTime);
    s.facing = signOf(o.speedX);
}

}  // namespace

namespace FHObj {

void familyWalker(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    if (o.speedX == 0) o.speedX = s.side * (r.speed > 0 ? r.speed : 50);
    const int dirX = signOf(o.speedX);
    const bool charger = (r.p1 & 2) != 0;
    if (o.regC < 0 || o.regC > 3 || (!charger && o.regC > 1)) o.regC = 0;

    // Blows on the shield: the player in front of it (the side it faces).
    if ((r.p1 & 8) && s.side == dirX && undoBlow(o)) {
        FHWGBL::MoovableEnm(&o.posX, &o.posY, o.posX - dirX * kShieldPush, o.posY, FHWGBL::GravityY,
                            &o.box);
        puff(dirX > 0 ? o.posX + o.box.right - o.box.left : o.posX, centreY(o), 48, 2);
        sound(kShieldSound);
    }
    // A wary walker keeps its face to a player near it.
    if ((r.p1 & 4) && o.regC < 2 && s.side != dirX && s.dist < r.p2) {
        o.speedX = -o.speedX;
        familyWalkerPictures(o, s, r);
        return;
    }

    if (charger) {
        const MyCharactor& p = inPlay();
        const int dy = (p.posY + 800) - centreY(o);
        if (o.regC < 2 && o.work5 >= kChargeRest && s.side == dirX && s.dist < r.p2 &&
            dy > -4800 && dy < 4800) {
            o.regC = 2;
            o.work5 = 0;
            sound(r.p4);
        } else if (o.regC == 2 && o.work5 >= kWindUp) {
            o.regC = 3;
            o.work5 = 0;
            o.speedX = dirX * r.p3;
        } else if (o.regC == 3 && o.work5 >= kChargeTime) {
            o.regC = 0;
            o.work5 = 0;
            o.speedX = dirX * r.speed;
        }
    }

    const int moveX = (o.regC == 2) ? 0 : o.speedX;
    const int res = FHWGBL::MoovableEnm(&o.posX, &o.posY, o.posX + moveX, o.posY + o.speedY,
                                        FHWGBL::GravityY, &o.box);
    o.speedY = clampTo(o.speedY + 50, -200, 200);
    if (res & 4) {
        o.speedX = -o.speedX;
        if (o.regC == 3) {  // a charge ends against the wall
            o.regC = 0;
            o.work5 = 0;
            o.speedX = -dirX * r.speed;
            puff(o.speedX > 0 ? o.posX : o.posX + o.box.right - o.box.left, centreY(o), 3, 3);
        }
    } else if ((r.p1 & 1) && (res & 1) && o.regC != 2 && ledgeAhead(o)) {
        o.speedX = -o.speedX;
        if (o.regC == 3) {
            o.regC = 0;
            o.work5 = 0;
            o.speedX = signOf(o.speedX) * r.speed;
        }
    }

    familyWalkerPictures(o, s, r);
}

}  // namespace FHObj

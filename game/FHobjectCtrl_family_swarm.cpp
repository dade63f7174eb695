// Swarm family: small fliers that circle or weave around a centre they share with their
// swarm-mates, each at its own place on the loop, and dart at a player who comes near.
//
// Row: speed = how fast the loop turns (256ths of a turn per 16 frames); p1, p2 = the
// loop's half width and half height (field units); p3 = dart reach (field units);
// p4 = dart speed (field units per frame).
// A map places a swarm as several objects on one spot: they take that spot as their
// common centre and spread over the loop by their slot numbers. work1 bit 0 set makes
// them weave a figure of eight instead of a ring.
// Pictures: frames wing beats from the base, base + frames while darting.
// Registers: regA, regB the centre (taken at the first frame, so that children appear
// where their maker let them out), w1 = 1 once taken, regC the state (0 on the loop,
// 1 darting, 2 flying back), w3 frames in the state, speedX/speedY the dart's speed.
#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"
#include "qsdlpp2_trigon.h"

namespace {

constexpr int kDartTime = 36;   // frames of a dart
constexpr int kDartRest = 150;  // frames on the loop before the next dart
constexpr int kSpread = 85;     // the loop's share between two slots (a third of a turn)
constexpr int kLoopSpeed = 240; // most it moves a frame to keep its place on the loop

// The object's place on its loop this frame.
void loopPoint(const FHFam::Obj& o, const FHObj::KindRow& r, int* x, int* y) {
    const int a = (o.age * r.speed / 16 + o.linkIdx * kSpread) & 255;
    const int wave = (o.work1 & 1) ? ((a * 2) & 255) : a;
    *x = o.regA + QSDLpp_Trigon::cos100x(a) * r.p1 / 100;
    *y = o.regB + QSDLpp_Trigon::sin100x(wave) * r.p2 / 100;
}

}  // namespace

namespace FHObj {

void familySwarm(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r) {
    using namespace FHFam;
    if (o.w1 != 1) {
        o.w1 = 1;
        o.regA = o.posX;
        o.regB = o.posY;
        o.regC = 0;
        o.w3 = 0;
        o.speedX = o.speedY = 0;
    }
    if (o.regC < 0 || o.regC > 2) o.regC = 0;
    o.w3 += 1;

    int tx = 0, ty = 0;
    loopPoint(o, r, &tx, &ty);
    if (o.regC == 0 && o.w3 >= kDartRest && s.dist < r.p3) {
        o.regC = 1;
        o.w3 = 0;
        o.speedX = QSDLpp_Trigon::cos100x(s.dir) * r.p4 / 100;
        o.speedY = QSDLpp_Trigon::sin100x(s.dir) * r.p4 / 100;
        sound(51);
    } else if (o.regC == 1 && o.w3 >= kDartTime) {
        o.regC = 2;
        o.w3 = 0;
    }

    int nx, ny;
    if (o.regC == 1) {
        nx = o.posX + o.speedX;
        ny = o.posY + o.speedY;
    } else {  // on the loop, or back to its place at half the dart speed
        const int lim = o.regC == 0 ? kLoopSpeed : (r.p4 > 0 ? r.p4 / 2 + 20 : 100);
        nx = o.posX + clampTo(tx - o.posX, -lim, lim);
        ny = o.posY + clampTo(ty - o.posY, -lim, lim);
        if (o.regC == 2 && nx == tx && ny == ty) {
            o.regC = 0;
            o.w3 = 0;
        }
    }
    const int res = FHWGBL::MoovableUD1(&o.posX, &o.posY, nx, ny, &o.box);
    if (o.regC == 1 && (res & 7)) {  // a dart ends against the map
        o.regC = 2;
        o.w3 = 0;
    }
    // A loop that runs into the map would pin the bee: it goes back where it can.
    if (o.regC == 2 && (res & 7) && o.w3 > 120) {
        o.regA = o.posX;
        o.regB = o.posY;
    }

    const int base = basePattern(o, r);
    if (o.regC == 1) {
        s.pattern = base + r.frames;
        s.facing = signOf(o.speedX);
    } else {
        s.pattern = animate(base, o.age, r.frames, r.frameTime);
        s.facing = o.regC == 0 ? signOf(nx - s.startX) : signOf(tx - o.posX);
    }
}

}  // namespace FHObj

// One frame of one player shot (MyShot::move): what it hit, the blocks a close-range
// shot breaks, the flight of its kind, the rect view and drawing.
//
// Ages: `work5` counts the shot's frames; "age" below is its value before this frame's
// increment.
#include <initializer_list>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_fx.h"
#include "FHobjectCtrl_play.h"
#include "FHobjectCtrl_shots.h"
#include "qgu_carbonlike2.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_trigon.h"

using namespace FHWGBL;
using FHPlay::clip;

namespace {

const double kRingA[4] = {1.0, 0.9, 0.3, 0.9};
const double kRingB[4] = {1.0, 0.4, 0.2, 0.9};
const double kTransRed[4] = {1.0, 0.1, 0.1, 0.35};
const double kTransGreen[4] = {0.1, 1.0, 0.2, 0.35};

inline int isign(int v) { return v < 0 ? -1 : 1; }

MyCharactor& inPlay() { return *MyCharactor::relativeRef[MyCharactor::currentCHR & 1]; }

// Close-range shots break item blocks under the 2 x 2 blocks from their position.
bool breakBlocks(MyShotsCtrlCls::MyShot& s) {
    bool hit = false;
    MyCharactor& P = inPlay();
    const int mW = MapBlkWidth - 1, mH = MapBlkHeight - 1;
    if (mW < 0 || mH < 0) return false;
    const int c0 = FHPlay::wrapMod(s.posX, MapFieldWidth) / 1600;
    const int r0 = FHPlay::wrapMod(s.posY, MapFieldHeight) / 1600;
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            const int col = (c0 + i) & mW, row = (r0 + j) & mH;
            int32_t& cell = MenMap[row][col];
            if (!FHShots::breakable(cell, MyCharactor::currentCHR, RBGKeyBit)) continue;
            const FHShots::Release r =
                FHShots::blockRelease(cell, col, row, s.speedX, P.facing, P.weapon, RBGKeyBit);
            if (r.kind > 0) FHFx::appear(r.x, r.y, r.vx, r.vy, r.kind, r.extra, r.count);
            if (r.usedMaster) FHSYS_GLOBALS::usedF5F = true;
            if (FHShots::ItemInBlk[cell - FHShots::kBreakFirst] != 0) P.stayCount = -1;
            FHFx::burst(col * 1600 + 800, row * 1600 + 800, 6);
            cell = 7;
            hit = true;
        }
    }
    return hit;
}

// A weapon shot ends when it strikes (with a burst and its sound) or when its time is up.
bool weaponEnds(MyShotsCtrlCls::MyShot& s, bool hit, bool timeUp) {
    if (!hit) return timeUp;
    FHFx::burst(s.posX + s.halfW, s.posY + s.halfH, 5);
    FHPlay::playSound(10);
    return true;
}

}  // namespace

void MyShotsCtrlCls::MyShot::move() {
    MyShotsCtrlCls& ctrl = *parentCLSref;
    FHWorldCLS& W = *MyShotsCtrlCls::superRef;
    MyCharactor& P = inPlay();
    const int age = work5;
    const int L = MyCharactor::currentCHR == 1 ? 2 : 1;
    const int cx = posX + halfW, cy = posY + halfH;

    // 1. Objects struck this frame.
    sprite = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    bool hit = (W.objectCtrl.HitShotEnemies(this) & 1) != 0;

    // 2. Close-range shots open item blocks.
    if (kind <= MYSHOT_DOG && age < (UWMode ? 20 : 26)) hit = breakBlocks(*this) || hit;

    // 3. Flight by kind.
    bool end = false;
    double alpha = 1.0;
    switch (kind) {
        case MYSHOT_RING: {
            const int size = age < 24 ? age : 24;
            FHFx::fieldRing(cx, cy, 2, size, (age & 1) ? kRingA : kRingB);
            if (age >= 1) power = 1;
            end = age >= 30;
            break;
        }
        case MYSHOT_PUNCH:
            posX += speedX;
            picture = 64 + ((age / 2) & 1);
            if (hit) {
                power = 20;
                FHPlay::playSound(5);
            }
            end = age >= 1;
            break;
        case MYSHOT_SPECIAL:
            posX = (age * 20 + 1000) * P.facing - 800 + P.posX + P.halfW;
            posY = P.posY - 3600 + age * 100;
            if (hit) FHPlay::playSound(6);
            picture = 0;
            end = age >= 39;
            break;
        case MYSHOT_DOG:
            MoovableUDPippo(&posX, &posY, posX + speedX, posY + speedY, &box);
            picture = 573;
            alpha = UWMode ? 0.2 : 0.5;
            if (hit) FHPlay::playSound(6);
            end = age >= (UWMode ? 20 : 30);
            break;
        case MYSHOT_CAPSULE4:
        case MYSHOT_CAPSULE5: {
            const int bits = MoovableUD0(&posX, &posY, posX + speedX, posY + speedY, &box);
            if (bits & 4) {
                FHFx::burst(posX + halfW, posY + halfH, 4);
                Score += 10;
                FHPlay::playSound(1);
                speedX = -speedX;
            }
            speedY = clip(speedY + (age >= 8 ? 40 : 0), 400, -600);
            if (bits & 3) speedY = static_cast<int>(speedY * -0.8);
            if (hit) {
                FHFx::spark(posX + halfW, posY + halfH);
                if (power == 1) work5 = L * 60 + 61;
                power = 1;
            }
            if (work5 > L * 60 + 60) {
                // The capsule bursts: a silver coin and an energy drop fly out.
                for (int k : {50, 197}) {
                    const int rx = Random() % 2;
                    const int ry = -200 - (Random() & 0xF0);
                    FHFx::appear(posX - 800 + halfW, posY - 1600, rx, ry, k, 0, 600);
                }
                FHFx::trail(posX + halfW, posY + halfH, picture, 150, 0, 0.8, true);
                const int pts = ctrl.chainCount * (kind == MYSHOT_CAPSULE4 ? 400 : 800);
                Score += pts;
                if (pts > 0) FHFx::scoreSign(posX + halfW, posY, pts);
                end = true;
            }
            spriteRot = 45 * work5 * isign(speedX);
            break;
        }
        case MYSHOT_CAPSULE6:
        case MYSHOT_CAPSULE7: {
            const int bits = MoovableUD0(&posX, &posY, posX + speedX, posY + speedY, &box);
            if (bits == 0) {
                speedY = clip(speedY + 50, 500, -500);
            } else {
                speedY = 100;
                if (bits & 4) {
                    FHFx::burst(posX + halfW, posY + halfH, 4);
                    Score += 10;
                    FHPlay::playSound(1);
                    speedX = -speedX;
                }
            }
            if (hit) {
                work5 += 1;
                FHPlay::playSound(6);
                if ((work5 & 3) == 0) {
                    const int pick = Random();
                    const int rx = Random() % 200;
                    const int k = ((pick & 1) && P.energy <= 19200) ? 197 : 49;
                    FHFx::appear(posX + halfW - 800, posY - 1600, rx, -400, k, 0, 700);
                }
            }
            // stateB1: the shot has struck an object (set by the hit test).
            const bool struck = stateB1 == 1;
            if (bits == 0 && struck && work5 > 30) {
                work5 = 20;
            } else if ((struck && work5 > 50) || (!struck && work5 > 100)) {
                if (struck) {
                    FHFx::appear(posX, posY, 0, 100, 42, picture, 0);
                } else {
                    FHFx::trail(posX + halfW, posY + halfH, picture, 150, 0, 0.8, true);
                    FHFx::appear(posX - 800 + halfW, posY - 800, 0, -300, 49, 0, 500);
                    const int pts = ctrl.chainCount * 800;
                    Score += pts;
                    if (pts > 0) FHFx::scoreSign(posX + halfW, posY, pts);
                }
                end = true;
            }
            spriteRot = 45 * work5 * isign(speedX);
            break;
        }
        case MYSHOT_DEBRIS:
            posX += speedX;
            posY += speedY;
            picture = 40 + ((age / 2) & 3);
            spriteRot = age * 32;
            if (age >= 90) {
                FHFx::pop(posX + halfW, posY + halfH, false);
                end = true;
            }
            break;
        case MYSHOT_WAVE:
            posX += speedX / 2;
            posY += (1 + bigF) * QSDLpp_Trigon::sin100x((age & 31) * 8);
            if ((age & 1) == 0) FHFx::trail(posX + halfW, posY + halfH, picture, bigF ? 160 : 80, 0, 0.6, true);
            end = weaponEnds(*this, hit, age >= 60 * L);
            break;
        case MYSHOT_ROLLER: {
            const int bits =
                MoovableUS(&posX, &posY, posX + speedX, posY + speedY, GravityY, &shotRects[MYSHOT_ROLLER], 0);
            if (bits & 4) speedX = -speedX;
            speedY = clip(speedY + 20, 200, -400);
            const int left = 120 * L - age;
            if (left < 5) alpha = left < 0 ? 0.0 : left / 5.0;
            picture = 36 + ((CtrlCounter / 8) & 1) + (speedX < 1 ? 2 : 0);
            if (age >= 11 && (age & 15) == 0) FHFx::trail(posX + halfW, posY + halfH, picture, 100, 0, 0.5, false);
            end = weaponEnds(*this, hit, age >= 120 * L);
            break;
        }
        case MYSHOT_BOUNCER: {
            const int bits = MoovableUD0(&posX, &posY, posX + speedX, posY + speedY, &box);
            if (bits == 4) speedX = -speedX;
            if (bits & 3) speedY = -speedY;
            speedY = clip(speedY + 50, 800, -800);
            picture = 66;
            FHFx::trail(posX + halfW, posY + halfH, picture, 100, 0, 0.5, false);
            end = weaponEnds(*this, hit, age >= 120 * L);
            break;
        }
        case MYSHOT_GRENADE: {
            const int bits = MoovableUD0(&posX, &posY, posX + L * speedX, posY + speedY, &box);
            speedY = clip(speedY + 20, 600, -600);
            picture = 67;
            if (hit || bits != 0) {
                ctrl.addShot(posX, posY, 0, 0, bigF ? MYSHOT_BIGBLAST : MYSHOT_BLAST);
                FHFx::burst(posX + halfW, posY + halfH, 6);
                end = true;
            }
            end = end || age >= 60;
            break;
        }
        case MYSHOT_BLAST:
        case MYSHOT_BIGBLAST:
            posX += speedX;
            posY += speedY;
            picture = kind == MYSHOT_BLAST ? 637 + age % 3 : 1336 + age / 7;
            spriteRot = age * 32;
            if (age > 10) alpha = 1.0 - (age - 10) / 10.0;
            end = age >= 16;
            break;
        default:
            end = true;
            break;
    }

    // 4. Rect view.
    if (FHSYS_GLOBALS::unLock_usingF[3]) {
        FHFx::fieldBox(posX - box.left, posY - box.top, box, kTransRed);
        if (kind == MYSHOT_DOG) {
            static const rRect kDogSquare = {0, 0, 3200, 3200};
            FHFx::fieldBox(posX - 1000, posY - 1000, kDogSquare, kTransGreen);
        }
    }

    // 5. Draw.
    const int big = bigF ? 1 : 0;
    if (putSpriteLP0(posX - box.left - 800 * big, posY - box.top - 1200 * big, 0, big ? 200 : 100, big ? 200 : 100,
                     spriteRot, picture) == 0)
        sprite->setColor(1.0, 1.0, 1.0, alpha < 0 ? 0.0 : alpha);

    // 6. Age; no shot outlives 360 frames.
    work5 += 1;
    if (end || age >= 360) activeF = 0;
}

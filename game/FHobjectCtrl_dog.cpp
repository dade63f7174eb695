// The companion dog on land. It floats beside the character in play (state 0), sits
// ready once the character has charged beside it (1), swings round the character in
// the special attack (2) and dashes off with its own shot (3). A second player holding
// trigger C steers it by hand. Under water the swimming dog takes over.
#include <cstdint>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_dog.h"
#include "FHobjectCtrl_fx.h"
#include "FHobjectCtrl_play.h"
#include "envresGlobal.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"
#include "qsdlpp2_trigon.h"

using namespace FHWGBL;

namespace {

// The dog's drawn position minus the character's, in dots, from the last frame.
int relativePippox = 0;
int relativePippoy = 0;

constexpr int kBlendAdd = 1;
constexpr int kBlendOver = 0x303;
const double kTransGreen[4] = {0.2, 1.0, 0.4, 0.35};

// The difference a - b taken the shorter way round a wrapping field of size m.
int shorterWay(int a, int b, int m) {
    if (m <= 0) return a - b;
    int d = FHPlay::wrapMod(a - b, m);
    if (d > m / 2) d -= m;
    return d;
}

// Steered by the second player: touching harmful objects costs the character energy.
void steeredTouches(MyCharactor& dog, MyCharactor& P) {
    MainObjectCtrlCls& objs = MyCharactor::superRef->objectCtrl;
    for (auto& o : objs.objects) {
        if (!o.activeF || o.work5 < 0 || o.kind < 0 || o.kind >= 272) continue;
        const int32_t* A = MainObjectCtrlCls::Object::ObjAttribute[o.kind];
        if (A == nullptr || !(A[OBJATTR_FLAGS] & (OBJFLG_ALLSHOTS | OBJFLG_ORDSHOT_A))) continue;
        const int ri = A[OBJATTR_RECT];
        if (ri < 0 || ri >= 64) continue;
        if (HitObjAndObj(dog.posX, dog.posY, dog.box, o.posX, o.posY, MainObjectCtrlCls::Object::objectRects[ri]) ==
            0)
            continue;
        P.energy -= 200;
        FHPlay::playSound(3);
    }
}

}  // namespace

namespace FHDog {
void resetDogOffset() { relativePippox = relativePippoy = 0; }
int relativeX() { return relativePippox; }
int relativeY() { return relativePippoy; }
}  // namespace FHDog

int MyCharactor::movePippoPrePro(int) {
    if (UWMode) return SwimPippoInu(0);
    MyCharactor& P = *relativeRef[currentCHR & 1];
    if (pippoLostMode & 256) {
        // The dog is lost: the character tires without it.
        P.energy -= 40;
        return 0;
    }
    return MovePippoInu(0);
}

int MyCharactor::MovePippoInu(int f) {
    if (f == -1) {
        relativePippox = relativePippoy = 0;
        punchTimer = airCount = 0;
        stayCount = 1;
        spAtkState = 0;
        return 0;
    }
    MyCharactor& P = *relativeRef[currentCHR & 1];
    DecorateCtrlCls& deco = FHFx::deco();
    QSDLpp_StickCls& stick = QSDL_GLOBALS::Stick;

    // 1. A sprite, and whether the dog is near enough for the character to charge.
    sprite = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    {
        const int64_t dx = shorterWay(posX, P.posX, MapFieldWidth);
        const int64_t dy = shorterWay(posY, P.posY, MapFieldHeight);
        NearPippoF = dx * dx + dy * dy < 256000000LL;
    }

    int pattern = 0;
    int layer = 1;
    const bool timers = BigShotTimer > 0 || CoinGatherTimer > 0 || MaxCoinTimer > 0;
    switch (spAtkState) {
        case 0:
        default: {
            spAtkState = 0;
            if (!ALTplayF && stick.trigC(1) && P.energy > 12800) {
                // The second player steers the dog with the stick of the high byte.
                int sy = 0, sx = 0;
                stick.stickYX100x(1, sy, sx);
                posX += 2 * sx;
                posY += 2 * sy;
                if (sx != 0) facing = sx < 0 ? -1 : 1;
                spriteRot = 0;
                steeredTouches(*this, P);
            } else if (!inTheWindow(posX, posY, &box)) {
                // Lost from view: back above the character at once.
                posX = P.posX;
                posY = P.posY - 12800;
                deco.NewDecorateDetailing(posX + halfW, posY + halfH, 1, 0, 0, 100, 100, 0, 0, 20, 9, 44, 1.0,
                                          1.0, 1.0, 1.0, 771);
            } else {
                const int tx = -1600, ty = FHSYSGBL::AdjustY * 200 - 4800;
                work1 = QSDLpp_Trigon::forwardS(relativePippox * 100, relativePippoy * 100, tx, ty, work1, 4);
                const int k = (NearPippoF && P.runCount <= 9) ? 2 : 1;
                posX += 4 * QSDLpp_Trigon::cos100x(work1) / k;
                posY += 4 * QSDLpp_Trigon::sin100x(work1) / k;
                facing = P.facing;
                spriteRot = 0;
            }
            if (P.runCount == 0) runCount = 0;
            pattern = 622 + ((CtrlCounter / 4) & 1) + 2 * P.weapon;
            if (P.chargeCount > 60) {
                spAtkState = 1;
                FHPlay::playSound(38);
                deco.NewDecorateDetailing(posX + halfW, posY + halfH, 1, 0, 0, 12, 12, 0, 8, 24, 19, 0, 1.0,
                                          0.9, 0.3, 0.9, kBlendAdd);
            }
            break;
        }
        case 1:
            facing = P.facing;
            posX = P.posX + P.halfW - 800 + 800 * facing;
            posY = P.posY - 2800;
            pattern = 568 + RoundSEQ4_12[(CtrlCounter / 8) % 12];
            spriteRot = (facing * CtrlCounter * (P.energy >= 6400 ? 12 : 3)) % 360;
            break;
        case 2: {
            facing = P.facing;
            layer = runCount > 30 ? 1 : 0;
            int t = runCount - 15;
            t = t < 0 ? 0 : (t > 10 ? 10 : t);
            const int a = t * 6 + 184;
            posX = P.posX + P.halfW - 800 + 15 * facing * QSDLpp_Trigon::cos100x(a);
            posY = P.posY + 400 + 32 * QSDLpp_Trigon::sin100x(a);
            const bool strong = P.energy >= 6400;
            if (!strong) {
                pattern = 652 + ((runCount >= 16 && runCount <= 30) ? 1 : 0) + (currentCHR == 1 ? 2 : 0);
                spriteRot = a * 360 / 256 * facing;
            } else {
                pattern = 648;
                spriteRot = 30 * runCount;
            }
            if (runCount == 25) {
                if (strong) FHPlay::playSound(39);
                FHFx::burst(posX + halfW, posY + halfH, 6);
                FHFx::pop(posX + halfW, posY + halfH, true);
            }
            if (runCount > 38) {
                runCount = 0;
                if (!strong) {
                    spAtkState = 0;
                } else {
                    FHPlay::playSound(39);
                    posY = P.posY - 400;
                    speedX = 400 * facing;
                    speedY = 0;
                    superRef->shotCtrl.addShot(posX - 800 + halfW, posY, speedX, 1, MYSHOT_DOG);
                    preEcounter -= 1600;
                    spAtkState = 3;
                }
            }
            break;
        }
        case 3:
            if ((runCount & 3) == 0) FHFx::trail(posX + halfW, posY + halfH, 648, 100, spriteRot, 0.6, true);
            MoovableUDPippo(&posX, &posY, posX + speedX, posY + speedY, &box);
            pattern = 648;
            spriteRot = (30 * runCount) % 360;
            if (runCount > 30) {
                spAtkState = 0;
                runCount = 0;
            }
            break;
    }

    // 2. Wrap, rect view, drawing.
    posX = FHPlay::wrapMod(posX, MapFieldWidth);
    posY = FHPlay::wrapMod(posY, MapFieldHeight);
    if (FHSYS_GLOBALS::unLock_usingF[3]) FHFx::fieldBox(posX - box.left, posY - box.top, box, kTransGreen);
    const int drawX = posX - box.left, drawY = posY - box.top;
    if (putSpriteLP0(drawX, drawY, layer, facing < 0 ? -100 : 100, 100, spriteRot, pattern) == 0) {
        const bool glow = (spAtkState == 1 || BigShotTimer > 0) && !(work5 & 1);
        sprite->setBlendF(glow ? kBlendAdd : kBlendOver);
    }
    relativePippox = shorterWay(drawX, P.posX - P.box.left, MapFieldWidth) / 100;
    relativePippoy = shorterWay(drawY, P.posY - P.box.top, MapFieldHeight) / 100;

    // 3. Afterglow while attacking or while a bonus timer runs.
    if (spAtkState == 2 || (spAtkState == 0 && timers)) {
        Score += 10;
        if (!(work5 & 1) && pattern > 0)
            deco.NewDecorateDetailing(posX + halfW, posY + halfH, layer, 0, 0, 100, 100, spriteRot, 0, 10, 12,
                                      pattern, 1.0, 1.0, 1.0, 0.5, BigShotTimer > 0 ? kBlendAdd : 771);
    }
    // 4. A light around the dog in dark maps.
    if (Condition & FHDog::kLightCondition) {
        QSDLpp_GLSprite* light = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
        light->setDrwType(GLO::SprAtlas);
        light->ratioBase(true);
        light->putx(FHPlay::wrapMod(posX + halfW - GFieldLftX, MapFieldWidth),
                    FHPlay::wrapMod(posY + halfH - GFieldTopY, MapFieldHeight), 1, FHDog::kLightPattern);
        light->putCenterMode(true);
        light->setSize(200, 200);
        light->setBlendF(kBlendAdd);
        light->setColor(1.0, 1.0, 1.0, 1.0);
    }
    runCount += 1;
    work5 += 1;
    return 0;
}

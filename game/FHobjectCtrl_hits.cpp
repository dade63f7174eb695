// Player shots against map objects (HitShotEnemies) and the destruction of every object
// of one kind (ChainExplode).
#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_fx.h"
#include "envresGlobal.h"
#include "qgu_carbonlike2.h"

using namespace FHWGBL;

namespace {

// The attribute record of a kind, or nullptr for a kind outside the table.
const int32_t* attributes(int kind) {
    if (kind < 0 || kind >= 272) return nullptr;
    return MainObjectCtrlCls::Object::ObjAttribute[kind];
}

// The collision box of a kind's attribute record.
bool objectBox(const int32_t* A, rRect* out) {
    const int idx = A[OBJATTR_RECT];
    if (idx < 0 || idx >= 64) return false;
    *out = MainObjectCtrlCls::Object::objectRects[idx];
    return true;
}

}  // namespace

int MainObjectCtrlCls::HitShotEnemies(MyShotsCtrlCls::MyShot* shot) {
    int result = 0;
    // The dog's shot strikes with a 32-dot square reaching 10 dots up and left.
    static const rRect kDogShotBox = {0, 0, 3200, 3200};
    const bool dogShot = shot->kind == MYSHOT_DOG;
    const rRect& sbox = dogShot ? kDogShotBox : shot->box;
    const int sx = dogShot ? shot->posX - 1000 : shot->posX;
    const int sy = dogShot ? shot->posY - 1000 : shot->posY;
    const bool ordinaryShot = shot->kind <= 7;

    for (int i = 0; i < kObjects; ++i) {
        Object& o = objects[i];
        if (!o.activeF || o.work5 < 1) continue;
        const int32_t* A = attributes(o.kind);
        if (A == nullptr) continue;
        const int flags = A[OBJATTR_FLAGS];
        // Every shot hurts 0x100 objects; 0x200 and 0x400 objects only feel shots 0..7.
        if (!(flags & OBJFLG_ALLSHOTS) && !((flags & (OBJFLG_ORDSHOT_A | OBJFLG_ORDSHOT_B)) && ordinaryShot))
            continue;
        rRect obox;
        if (!objectBox(A, &obox)) continue;
        if (HitObjAndObj(sx, sy, sbox, o.posX, o.posY, obox) == 0) continue;

        const int damage = ((flags & OBJFLG_ALLSHOTS) || shot->kind < 8) ? shot->power : 0;
        o.power -= damage;

        // Pushed along by the blow.
        if (!(flags & OBJFLG_NOPUSH)) {
            const int need = o.speedX != 0 ? (OBJFLG_ALLSHOTS | OBJFLG_ORDSHOT_B) : OBJFLG_ORDSHOT_B;
            if ((flags & need) == need)
                MoovableUDBoss(&o.posX, &o.posY, o.posX + shot->speedX / 2, o.posY, &obox);
        }
        Score += 10;

        // A spent capsule knocks a gold coin loose and rings out.
        if (!(flags & OBJFLG_ORDSHOT_A) && (shot->kind == MYSHOT_CAPSULE4 || shot->kind == MYSHOT_CAPSULE5) &&
            shot->power < 2) {
            const int vx = Random() % 200;
            const int vy = -400 - Random() % 200;
            FHFx::appear(o.posX + o.halfW - 800, o.posY - 1600, vx, vy, 49, 0, 700);
            superRef->shotCtrl.addShot(shot->posX - shot->halfW, shot->posY - shot->halfH, shot->speedX,
                                       shot->speedY, MYSHOT_RING);
        }
        if (o.power < 1) o.explode(shot->speedX);
        result |= 1;
        shot->stateB1 = 1;
    }
    return result;
}

void MainObjectCtrlCls::ChainExplode(int kind) {
    // Kinds below 8 are items, events and scenery: never destroyed this way.
    if (kind < 8) return;
    for (int i = 0; i < kObjects; ++i) {
        Object& o = objects[i];
        if (o.activeF && o.kind == kind) o.explode(0);
    }
}

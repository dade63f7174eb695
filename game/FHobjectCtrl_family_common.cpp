// Shared pieces of the behaviour families: see FHobjectCtrl_family.h.
#include "FHobjectCtrl_family.h"

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHmyworld.h"
#include "FHobjectCtrl_play.h"
#include "envresGlobal.h"

namespace FHFam {

MyCharactor& inPlay() {
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    int k = MyCharactor::currentCHR;
    if (k < 0 || k > 1) k = 0;
    return w.chars[k];
}

MainObjectCtrlCls& pool() { return Game_GLOBALS::MyWorld.objectCtrl; }

const int32_t* attr(int kind) {
    if (kind < 0 || kind >= kObjKinds) return nullptr;
    return vrndx_objAttributeRefPtr(kind);
}

int basePattern(const Obj& o, const FHObj::KindRow& r) {
    if (o.patt > 0) return o.patt;
    if (r.basePatt > 0) return r.basePatt;
    const int32_t* a = attr(o.kind);
    return a ? a[4] : 0;
}

int spawn(int x, int y, int vx, int vy, int kind, int param) {
    const int slot = pool().AppearObject(x, y, vx, vy, kind, param);
    if (slot < 0 || slot >= MainObjectCtrlCls::kObjects) return -1;
    return slot;
}

int countChildren(int kind, int slot) {
    const MainObjectCtrlCls& c = pool();
    int n = 0;
    for (const Obj& o : c.objects)
        if (o.activeF && o.target == kChildMark + slot && (o.kind == kind || o.kind == kind + 128))
            ++n;
    return n;
}

int blockAt(int fieldX, int fieldY) {
    using namespace FHWGBL;
    if (MapBlkWidth <= 0 || MapBlkHeight <= 0) return 0;
    const int col = FHPlay::wrapMod(fieldX / 1600 - (fieldX < 0 ? 1 : 0), MapBlkWidth);
    const int row = FHPlay::wrapMod(fieldY / 1600 - (fieldY < 0 ? 1 : 0), MapBlkHeight);
    return MenMap[row][col];
}

// Walking objects stop on 632..1007 (the band MoovableEnm uses).
bool solidForWalker(int block) { return block > 631 && block < 1008; }

void puff(int x, int y, int patt, int count) {
    DecorateCtrlCls& d = Game_GLOBALS::MyWorld.decoCtrl;
    for (int i = 0; i < count; ++i) {
        // Fixed spread, so that effects never touch the play's random sequence.
        const int vx = (i - count / 2) * 60;
        const int vy = -80 - (i % 2) * 60;
        d.NewDecorateDetailing(x, y, 1, vx, vy, 100, 100, 0, 0, 24, 12, patt, 1.0, 1.0, 1.0,
                               1.0, 771);
    }
}

void sound(int n) { FHPlay::playSound(n); }

int patrolStep(Obj& o, int ny, int halfBeat) {
    const int res = FHWGBL::MoovableUD1(&o.posX, &o.posY, o.posX + o.speedX, ny, &o.box);
    if (res & 4) {
        o.speedX = -o.speedX;
    } else if (halfBeat > 0) {
        const int off = o.posX - o.regA;
        if ((off > halfBeat && o.speedX > 0) || (off < -halfBeat && o.speedX < 0)) o.speedX = -o.speedX;
    }
    return res;
}

bool standsOn(const Obj& o) {
    const int32_t* a = attr(o.kind);
    if (a == nullptr || a[0] < 0 || a[0] >= 64) return false;
    const rRect& ob = Obj::objectRects[a[0]];
    const MyCharactor& c = inPlay();
    return FHWGBL::HitObjAndObj(c.posX, c.posY + 200, c.box, o.posX, o.posY, ob) == 1;
}

}  // namespace FHFam

// One frame of a map object (MainObjectCtrlCls::Object::move): the class gate, the
// per-frame values, the behaviour of the object's kind, the effects that follow by kind,
// and the common epilogue that draws the object and advances its counters. Also the
// table from kind to behaviour, built once from every behaviour file's list.
#include <cstdio>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_behave.h"
#include "FHobjectCtrl_behave_util.h"
#include "FHobjectCtrl_play.h"
#include "envresGlobal.h"
#include "qgu_basicfunc.h"
#include "qgu_carbonlike2.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_trigon.h"

using namespace FHWGBL;
using FHObj::clip;

namespace FHObj {

namespace {

constexpr int kKindSlots = 272;
BehaviourFn kindFn[kKindSlots];
const KindRow* kindRow[kKindSlots];
bool tableBuilt = false;

void buildTable() {
    for (int k = 0; k < kKindSlots; ++k) {
        kindFn[k] = nullptr;
        kindRow[k] = nullptr;
    }
    for (int l = 0; l < kAllBehaviourListCount; ++l) {
        const BehaviourList& list = kAllBehaviourLists[l];
        for (int i = 0; i < list.count; ++i) {
            const BehaviourSpan& sp = list.spans[i];
            const int k = sp.row.kind;
            if (k < 0 || k >= kKindSlots || sp.fn == nullptr) {
                std::printf("Object behaviour for kind %d ignored.\n", k);
                continue;
            }
            if (kindFn[k] != nullptr) {
                // The first listing stays; the unit tests report the second.
                std::printf("Object kind %d has two behaviours.\n", k);
                continue;
            }
            kindFn[k] = sp.fn;
            kindRow[k] = &sp.row;
        }
    }
    tableBuilt = true;
}

}  // namespace

BehaviourFn behaviourFor(int kind, const KindRow** row) {
    if (!tableBuilt) buildTable();
    if (kind < 0 || kind >= kKindSlots || kind > 269) {
        if (row) *row = nullptr;
        return nullptr;
    }
    if (row) *row = kindRow[kind];
    return kindFn[kind];
}

int listingsOf(int kind) {
    int n = 0;
    for (int l = 0; l < kAllBehaviourListCount; ++l)
        for (int i = 0; i < kAllBehaviourLists[l].count; ++i)
            if (kAllBehaviourLists[l].spans[i].row.kind == kind) ++n;
    return n;
}

int objectDistance(int cx, int cy, int px, int py) {
    if (GmapXBorderF && MapFieldWidth > 0) {
        cx = FHPlay::wrapMod(cx + MapFieldWidth / 2, MapFieldWidth);
        px = FHPlay::wrapMod(px + MapFieldWidth / 2, MapFieldWidth);
    }
    return QSDLpp_Trigon::distance(cx - px, cy - py);
}

}  // namespace FHObj

namespace {

constexpr int kBlendOne = 1;  // GL_ONE
constexpr int kBlendNormal = 771;

// A box of the object's collision box on the field (inspection views).
void fieldBox(int x, int y, int w, int h, const double* colour) {
    QSDLpp_GLSprite* sp = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    double sx = 0, sy = 0;
    fieldToScreen(x, y, &sx, &sy);
    sp->setDrwType(GLO::SprBox);
    sp->ratioBase(false);
    sp->put0(sx, sy, 0);
    sp->setSize(w, h);
    sp->setColor(colour);
}

// Kinds that fade in over their first 60 frames.
bool fadesIn(int kind) { return (kind >= 258 && kind <= 265) || kind == 233; }

void postEffects(MainObjectCtrlCls::Object& o, const FHObj::Step& s) {
    // Hurt bosses smoke and spark, more often the lower their life.
    const int period = FHObj::bossSmokePeriod(o.kind);
    if (period > 0 && o.activeF && !s.endStep) {
        int every = 0;
        if (s.lifePct * 5 < 100) every = period / 4;
        else if (s.lifePct * 4 < 100) every = period / 2;
        else if (s.lifePct * 3 < 100) every = period;
        if (every > 0 && o.work5 % every == 0) {
            const int w = o.box.right - o.box.left, h = o.box.bottom - o.box.top;
            const int rx = w > 0 ? (Random() & 0x7FFF) % w : 0;
            const int ry = h > 0 ? (Random() & 0x7FFF) % h : 0;
            DecorateCtrlCls& deco = FHObj::decorations();
            const int x = o.posX + o.box.left + rx, y = o.posY + o.box.top + ry;
            deco.NewDecorateDetailing(x, y, 1, 0, -60, 100, 100, 0, 3, 40, 13, 56, 1, 1, 1, 0.8, kBlendNormal);
            deco.NewDecorateDetailing(x, y, 1, 0, 0, 100, 100, 0, 0, 12, 9, 48, 1, 0.8, 0.4, 1, kBlendOne);
        }
    }
    // Explosions of bosses open their gate once they are gone.
    if (o.kind >= 128 && o.kind <= 135 && !o.activeF && o.target >= 8 && o.target <= 1023)
        ChangeMapObj(o.target, 7);
}

void epilogue(MainObjectCtrlCls::Object& o, const FHObj::Step& s, bool hit) {
    o.w5 = o.posX - s.startX;
    o.w6 = o.posY - s.startY;

    if (!s.endStep && s.pattern > 0) {
        const int sx = s.scaleX != 0 ? s.scaleX : s.facing * 100;
        o.putSpriteLP0(o.posX + s.offX - o.box.left, o.posY + s.offY - o.box.top, s.layer, sx, s.scaleY, s.rot,
                       s.pattern);
        if (o.sprite != nullptr) {
            if (hit) {
                o.sprite->setBlendF(kBlendOne);
                o.sprite->setColor(GLred);
            } else {
                const double* c = s.colour != nullptr ? s.colour : GLwhite;
                o.sprite->setBlendF(o.kind >= 257 && o.kind <= 265 ? o.blend : kBlendNormal);
                o.sprite->setColor(c[0], c[1], c[2], c[3] * s.alpha);
            }
        }
    }

    if (!s.endStep) {
        const int flags = FHObj::attrFlags(o.kind);
        if (FHSYS_GLOBALS::unLock_usingF[3]) {
            const int mask = FHSYS_GLOBALS::unLock_enableF[7] ? 0x1F00 : 0x0F00;
            if (flags & mask)
                fieldBox(o.posX + o.box.left, o.posY + o.box.top, (o.box.right - o.box.left) / 100,
                         (o.box.bottom - o.box.top) / 100, GLtransOrange);
        }
        if (FHSYS_GLOBALS::unLock_usingF[2] && (o.behave & 0x700) && o.power >= 1 && o.power <= 9999) {
            const int len = o.power <= 256 ? o.power / 2 + 1 : o.power / 64 + 10;
            fieldBox(o.posX + o.box.left, o.posY + o.box.top - 400, len, 2, o.power <= 256 ? GLred : GLyellow);
        }
    }

    if (!o.activeF) o.deathTime = CtrlCounter;
    o.work5 += 1;
    o.age += 1;
    o.work4 = o.power;
}

}  // namespace

void MainObjectCtrlCls::Object::move() {
    MyCharactor& pl = FHObj::player();
    const int cls = (behave >> 8) & 7;
    const bool onScreen = inTheWindow(posX, posY, &box);
    const int dist = FHObj::objectDistance(posX + halfW, posY + halfH, pl.posX + 600, pl.posY);

    // 1. Class gate.
    if (!onScreen) {
        if (cls == 1) return;
        if (cls == 4 && work5 >= 661) {
            activeF = 0;
            deathTime = CtrlCounter;
            return;
        }
        if (cls == 2) {
            if (work5 >= -60 && work5 <= 0) return;
            if (dist >= 16385) {
                if (linkIdx >= kFirstMapSlot && linkIdx < kObjects) {
                    parentCLSref->restoreFromBackup(linkIdx);
                    if (work5 == 0) work5 = -60;
                }
                return;
            }
        }
    } else if (cls == 2 && work5 < 0 && dist <= 9215) {
        if (FHSYS_GLOBALS::unLock_usingF[3]) FHObj::ringAt(posX + halfW, posY + halfH, GLO::SprRing, 96, GLtgray);
        return;
    }

    // 2. Sprite and the values of this frame.
    sprite = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    FHObj::Step s;
    s.dist = dist;
    s.dir = QSDLpp_Trigon::XYtan256(posX + halfW, posY + halfH, pl.posX + 600, pl.posY + 800) & 255;
    s.dir24 = ((s.dir + 8) / 11) % 24;
    s.side = (static_cast<unsigned>(s.dir - 64) >= 128u) ? 1 : -1;
    const int flags = FHObj::attrFlags(kind);
    s.facing = 1;
    if ((flags & OBJFLG_FACEMOVE) && !(work1 & 0x4000)) s.facing = QSDLpp_Trigon::isign(speedX);
    const int life = FHObj::attrLife(kind);
    s.lifePct = life > 0 ? static_cast<int>(int64_t(power) * 100 / life) : 100;
    s.startX = posX;
    s.startY = posY;
    const bool hit = power != work4;

    // 3-4. The behaviour of the kind (dormant objects wait in case 0).
    const int c = (work5 < 0 && kind != 127) ? 0 : kind;
    const FHObj::KindRow* row = nullptr;
    FHObj::BehaviourFn fn = FHObj::behaviourFor(c, &row);
    if (fn == nullptr || row == nullptr) {
        SysBeep(0);
    } else {
        fn(*this, s, *row);
    }

    // 5. Effects by kind (a gate opens even when the behaviour ended the step), then
    // 6. the epilogue.
    postEffects(*this, s);
    if (!s.endStep && fadesIn(kind) && age < 60) s.alpha *= clip(work5, 60, 0) / 60.0;
    epilogue(*this, s, hit);
}

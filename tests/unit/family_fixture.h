// A play field for the behaviour family tests: the player fixture's 64 x 64 map and
// characters, map objects made in chosen slots with their kind's attributes, and a
// frame loop that does what the frame step does around a behaviour (the prologue's
// distance, direction and side; dormant objects skipped; w5/w6 displacement; the
// counters).
#pragma once

#include "play_fixture.h"

#include "FHobjectCtrl_family.h"
#include "envresGlobal.h"
#include "qgu_carbonlike2.h"
#include "qsdlpp2_trigon.h"

class FamilyField : public PlayField {
protected:
    using Obj = MainObjectCtrlCls::Object;
    static constexpr int kFiller = 2;  // kind that only fills a slot (draws nothing)
    FHObj::Step last;

    void SetUp() override {
        PlayField::SetUp();
        MyCharactor::currentCHR = 0;
        for (int k = 0; k < 272; ++k) Obj::ObjAttribute[k] = vrndx_objAttributeRefPtr(k);
        for (auto& o : W.objectCtrl.objects) {
            o.activeF = 0;
            o.respawnSlot = -1;
        }
    }

    Obj& make(int slot, int kind, int col, int row) {
        Obj& o = W.objectCtrl.objects[slot];
        o = Obj();
        const int32_t* a = vrndx_objAttributeRefPtr(kind);
        o.activeF = 1;
        o.kind = kind;
        o.linkIdx = slot;
        o.box = Obj::objectRects[a[OBJATTR_RECT]];
        o.halfW = (o.box.right - o.box.left) / 2;
        o.halfH = (o.box.bottom - o.box.top) / 2;
        o.power = a[OBJATTR_LIFE];
        o.posX = o.regA = col * 1600;
        o.posY = o.regB = row * 1600;
        o.age = 1;
        o.target = -1;
        o.respawnSlot = -1;
        return o;
    }

    // The row a family file gives the kind (fails the test when none does).
    static const FHObj::BehaviourSpan* spanOf(int kind) {
        static const FHObj::BehaviourList* lists[] = {
            &FHObj::kWalkerBehaviours,  &FHObj::kHopperBehaviours,     &FHObj::kFlyerBehaviours,
            &FHObj::kHomerBehaviours,   &FHObj::kDropperBehaviours,    &FHObj::kSpawnerBehaviours,
            &FHObj::kEmitterBehaviours, &FHObj::kProjectileBehaviours, &FHObj::kPlatformBehaviours,
            &FHObj::kBossBehaviours,    &FHObj::kSkyBehaviours,
        };
        for (const auto* l : lists)
            for (int i = 0; i < l->count; ++i)
                if (l->spans[i].row.kind == kind) return &l->spans[i];
        ADD_FAILURE() << "no family row for kind " << kind;
        return nullptr;
    }

    FHObj::Step prologue(const Obj& o) {
        const MyCharactor& p = W.chars[MyCharactor::currentCHR];
        FHObj::Step s;
        const int cx = o.posX + o.halfW, cy = o.posY + o.halfH;
        s.dist = QSDLpp_Trigon::distance(p.posX + 600 - cx, p.posY - cy);
        s.dir = QSDLpp_Trigon::XYtan256(cx, cy, p.posX + 600, p.posY + 800) & 255;
        s.dir24 = ((s.dir + 8) / 11) % 24;
        s.side = (static_cast<unsigned>(s.dir - 64) & 255) >= 128 ? 1 : -1;
        const int life = vrndx_objAttributeRefPtr(o.kind)[OBJATTR_LIFE];
        s.lifePct = life > 0 ? o.power * 100 / life : 100;
        s.startX = o.posX;
        s.startY = o.posY;
        return s;
    }

    // n frames of every active object in slot order, as the frame step runs them.
    void frames(int n) {
        for (int f = 0; f < n; ++f) {
            for (Obj& o : W.objectCtrl.objects) {
                if (!o.activeF || o.kind == kFiller) continue;
                if (o.work5 < 0) {  // dormant: no behaviour, nothing drawn
                    o.work5 += 1;
                    o.age += 1;
                    continue;
                }
                // The game's own table, so that children of other families (a boss's
                // divers) run too.
                const FHObj::KindRow* row = nullptr;
                const FHObj::BehaviourFn fn = FHObj::behaviourFor(o.kind, &row);
                if (fn == nullptr || row == nullptr) {
                    ADD_FAILURE() << "no behaviour for kind " << o.kind;
                    return;
                }
                FHObj::Step s = prologue(o);
                fn(o, s, *row);
                o.w5 = o.posX - s.startX;
                o.w6 = o.posY - s.startY;
                o.work5 += 1;
                o.age += 1;
                if (&o == watched) last = s;
            }
            FHWGBL::CtrlCounter += 1;
            for (auto& d : W.decoCtrl.decos) d.activeF = 0;
        }
    }
    void watch(const Obj& o) { watched = &o; }

    // Every free slot taken by a filler, as in a crowded section.
    void fillPool() {
        for (int i = 0; i < MainObjectCtrlCls::kObjects; ++i)
            if (!W.objectCtrl.objects[i].activeF) make(i, kFiller, 0, 0);
    }

    // A solid floor under row `row` from column c0 to c1 (inclusive).
    static void floorRun(int row, int c0, int c1) {
        for (int c = c0; c <= c1; ++c) put(row, c, kSolid);
    }
    int activeOfKind(int kind) const {
        int n = 0;
        for (const Obj& o : W.objectCtrl.objects) n += (o.activeF && o.kind == kind) ? 1 : 0;
        return n;
    }

private:
    const Obj* watched = nullptr;
};

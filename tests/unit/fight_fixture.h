// The play field of play_fixture.h with the fighting actors: the object kinds' attribute
// records in place, objects put straight into the pool, and a step that runs the
// character in play, the dog and the shots in the world's order.
#pragma once

#include "play_fixture.h"

#include "FHobjectCtrl_dog.h"
#include "envresGlobal.h"

class FightField : public PlayField {
protected:
    void SetUp() override {
        PlayField::SetUp();
        for (int k = 0; k < 272; ++k) MainObjectCtrlCls::Object::ObjAttribute[k] = vrndx_objAttributeRefPtr(k);
        for (auto& s : W.shotCtrl.shots) s.activeF = 0;
        W.shotCtrl.chainCount = 0;
        MyShotsCtrlCls::superRef = &W;
        MainObjectCtrlCls::superRef = &W;
        FHDog::resetDogOffset();
        FHSYS_GLOBALS::usedF5F = false;
        SetRandomSeed(12345);
        W.chars[0].framePositUpdate(0);
    }

    // An object of `kind` in pool slot `slot` at (x, y), with its attribute record's box
    // and life, awake (work5 10).
    MainObjectCtrlCls::Object& putObject(int slot, int kind, int x, int y) {
        MainObjectCtrlCls::Object& o = W.objectCtrl.objects[slot];
        const int32_t* A = MainObjectCtrlCls::Object::ObjAttribute[kind];
        o.activeF = 1;
        o.kind = kind;
        o.linkIdx = slot;
        o.posX = x;
        o.posY = y;
        o.speedX = o.speedY = 0;
        o.box = MainObjectCtrlCls::Object::objectRects[A[OBJATTR_RECT]];
        o.halfW = (o.box.right - o.box.left) / 2;
        o.halfH = (o.box.bottom - o.box.top) / 2;
        o.power = A[OBJATTR_LIFE];
        o.patt = 0;
        o.work5 = 10;
        o.target = -1;
        o.partner = 0;
        o.behave = 0;
        return o;
    }

    int activeShots(int kind = -1) {
        int n = 0;
        for (auto& s : W.shotCtrl.shots)
            if (s.activeF && (kind < 0 || s.kind == kind)) ++n;
        return n;
    }

    // One world frame without the map objects' own steps: the character in play, the
    // dog, then the shots.
    int stepWorld() {
        QSDL_GLOBALS::Stick.updStick(true);
        int r = W.chars[0].movePreProcess(0);
        if (r == 0) r = W.chars[1].movePreProcess(0);
        W.chars[2].movePippoPrePro(0);
        W.shotCtrl.moveShots();
        FHWGBL::CtrlCounter += 1;
        QSDLpp_GLSpriteFuncs::emptyList();
        ++frame;
        return r;
    }
};

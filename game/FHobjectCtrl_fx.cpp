// Shared effects of the fighting code (see FHobjectCtrl_fx.h).
#include "FHobjectCtrl_fx.h"

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl_play.h"
#include "qsdlpp2_GLobject@image.h"

using namespace FHWGBL;

namespace {
constexpr int kBlendOver = 771;  // GL_ONE_MINUS_SRC_ALPHA
constexpr int kBlendAdd = 1;     // GL_ONE
}  // namespace

namespace FHFx {

DecorateCtrlCls& deco() { return Game_GLOBALS::MyWorld.decoCtrl; }

void burst(int x, int y, int n) {
    for (int i = 0; i < n; ++i) {
        const int d = (i * 24 / n + 1) % 24;
        deco().NewDecorateDetailing(x, y, 1, CHARACTER_BASE::x24costbl[d] * 3, CHARACTER_BASE::y24sintbl[d] * 3,
                                    100, 100, 0, 0, 20, 0, 3, 1.0, 0.85, 0.4, 1.0, kBlendOver);
    }
}

void pop(int x, int y, bool big) {
    deco().NewDecorateDetailing(x, y, 1, 0, 0, big ? 200 : 100, big ? 200 : 100, 0, 0, 12, 9, 44, 1.0, 1.0,
                                1.0, 1.0, kBlendOver);
}

void spark(int x, int y) {
    deco().NewDecorateDetailing(x, y, 1, 0, -20, 100, 100, 0, 0, 16, 2, 48, 1.0, 1.0, 0.8, 1.0, kBlendAdd);
}

void trail(int x, int y, int patt, int size, int rot, double alpha, bool additive) {
    deco().NewDecorateDetailing(x, y, 1, 0, 0, size, size, rot, 0, 12, 12, patt, 1.0, 1.0, 1.0, alpha,
                                additive ? kBlendAdd : kBlendOver);
}

void scoreSign(int x, int y, int points) {
    deco().NewDecoratePatt(x, y, -1, 0, -60, 0, 15, points, points > 9999 ? 90 : 60);
}

void debris(int x, int y, int patt, int dirX) {
    const int vx = dirX < 0 ? -150 : 150;
    const int i = deco().NewDecorateDetailing(x, y, 1, vx, -300, 120, 120, 0, 0, 60, 10, patt, 1.0, 1.0,
                                              1.0, 0.78, kBlendOver);
    if (i >= 0) deco().decos[i].work1 = dirX < 0 ? -12 : 12;  // spin
}

int appear(int x, int y, int vx, int vy, int kind, int param, int count) {
    return Game_GLOBALS::MyWorld.objectCtrl.AppearObjectWithCount(x, y, vx, vy, kind, param, count);
}

void fieldBox(int x, int y, const rRect& r, const double* colour) {
    QSDLpp_GLSprite* sp = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    sp->setDrwType(GLO::SprBox);
    sp->ratioBase(false);
    sp->putx(FHPlay::wrapMod(x + r.left - GFieldLftX, MapFieldWidth),
             FHPlay::wrapMod(y + r.top - GFieldTopY, MapFieldHeight), 0);
    sp->setSize((r.right - r.left) / 100, (r.bottom - r.top) / 100);
    sp->setColor(colour);
}

void fieldRing(int x, int y, int layer, int size, const double* colour) {
    QSDLpp_GLSprite* sp = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    sp->setDrwType(GLO::SprRing);
    sp->putx(FHPlay::wrapMod(x - GFieldLftX, MapFieldWidth), FHPlay::wrapMod(y - GFieldTopY, MapFieldHeight),
             layer);
    sp->setSize(size, size);
    sp->setColor(colour);
}

}  // namespace FHFx

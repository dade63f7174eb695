// The play field: parallax background and foreground pictures, the block layer built
// around the view from FHWGBL::MenMap (with animated, decaying and charge-spot blocks),
// the movable path overlay, and the sprite bands queued by the actors, drawn back to
// front. Also the FHWGBL::putSprite family that actors use to queue their sprites.
#include "FHWorldGlobal.h"
#include "FHWorldGlobal_field.h"
#include "FHmyworld.h"
#include "FHobjectCtrl_play.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"

using namespace FHWGBL;

namespace FHWGBL {

void fieldToScreen(int x, int y, double* sx, double* sy) {
    int s = FHPlay::wrapMod(x - GFieldLftX, MapFieldWidth);
    if (s > MapFieldWidth - 32000) s -= MapFieldWidth;
    int t = FHPlay::wrapMod(y - GFieldTopY, MapFieldHeight);
    if (t > MapFieldHeight - 25600) t -= MapFieldHeight;
    *sx = s / 100;
    *sy = t / 100;
}

QSDLpp_GLSprite* putSprite(double x, double y, int layer, int w, int h, int rot, int patt, int) {
    if (patt > 1567) return nullptr;
    QSDLpp_GLSprite* sp = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    sp->setDrwType(GLO::SprAtlas);
    sp->ratioBase(true);
    sp->put0(x, y, layer, patt);
    sp->setColor(GLwhite);
    sp->setSize(w, h);
    sp->setRot(rot);
    sp->mark = 1000;
    return sp;
}

QSDLpp_GLSprite* putSpriteEx(double x, double y, int layer, int rot, int drawType, int patt,
                             const double* colour) {
    if (patt > 1567) return nullptr;
    QSDLpp_GLSprite* sp = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    sp->setDrwType(drawType);
    sp->ratioBase(true);
    sp->put0(x, y, layer, patt);
    sp->setColor(colour);
    sp->setSize(100, 100);
    sp->setRot(rot);
    sp->mark = 2000;
    return sp;
}

QSDLpp_GLSprite* putSpriteEx(double x, double y, int layer, int w, int h, int drawType, int patt,
                             const double* colour) {
    if (patt > 1567) return nullptr;
    QSDLpp_GLSprite* sp = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    sp->setDrwType(drawType);
    sp->ratioBase(true);
    sp->put0(x, y, layer, patt);
    sp->setColor(colour);
    sp->setSize(w, h);
    sp->setRot(0);
    sp->mark = 2000;
    return sp;
}

QSDLpp_GLSprite* putSpriteLP0byField(int x, int y, int layer, int w, int h, int rot, int patt, int unused) {
    double sx, sy;
    fieldToScreen(x, y, &sx, &sy);
    return putSprite(sx, sy, layer, w, h, rot, patt, unused);
}

QSDLpp_GLSprite* putSpriteLP0ExbyField(int x, int y, int layer, int rot, int drawType, int patt,
                                       const double* colour) {
    double sx, sy;
    fieldToScreen(x, y, &sx, &sy);
    return putSpriteEx(sx, sy, layer, rot, drawType, patt, colour);
}

QSDLpp_GLSprite* putSpriteLP0ExbyField(int x, int y, int layer, int w, int h, int drawType, int patt,
                                       const double* colour) {
    double sx, sy;
    fieldToScreen(x, y, &sx, &sy);
    return putSpriteEx(sx, sy, layer, w, h, drawType, patt, colour);
}

}  // namespace FHWGBL

namespace {

// Offset of a parallax layer: none, by the character's position, or a steady drift.
int parallax(int ratio, int current) {
    if (ratio == 0) return 0;
    if (ratio > 0) return current / ratio;
    return ratio * CtrlCounter * -10;
}

}  // namespace

void FHWorldCLS::updBGtex() {
    using namespace FHSYSGBL;
    int ox = parallax(BKratioX, GCurrentX);
    if (BGWidth > 0) ox %= BGWidth * 100;
    int oy = parallax(BKratioY, GCurrentY);
    if (MapFieldHeight > 0) oy %= MapFieldHeight;
    oy %= 51200;
    qgu_GLDrawTexRepWithCnRatio(BGTxt, 1280, 2048, GLwhite, -ox / 100, -oy / 100, 0, 0.5);
}

void FHWorldCLS::updFGtex() {
    using namespace FHSYSGBL;
    int ox = parallax(FGratioX, GCurrentX);
    if (FGWidth > 0) ox %= FGWidth * 100;
    int oy = parallax(FGratioY, GCurrentY);
    if (FGheight > 0) oy %= FGheight * 100;
    qgu_GLDrawTexRepWithCnRatio(FGTxt, 1280, 1024, GLwhite, -ox / 100, -oy / 100, 0, 0.5);
}

int FHWorldCLS::updateField(int x, int y, int adjustY, bool rebuild) {
    using namespace FHSYSGBL;
    QSDLpp_GLPattSys& patt = FHSYS_GLOBALS::BGPattCtrl;
    const int uw = UWMode ? 1 : 0;
    const double dy = -adjustY - 16 * uw;
    const bool pathView = FHSYS_GLOBALS::unLock_usingF[7];

    updBGtex();
    if (!FrontFGModeF) updFGtex();
    QSDLpp_GLSpriteFuncs::updateLowest(0, dy);
    if (BackSpriteModeF) QSDLpp_GLSpriteFuncs::updateNoReset(0, dy);
    nearChrgSpotF = false;

    if (rebuild && MapBlkWidth > 0 && MapBlkHeight > 0) {
        const int bx = x / 1600 - 10;
        const int by = y / 1600 + uw - 11;
        const bool decayStep = (sectionSteps % 4) == 0;
        for (int r = 0; r < 18; ++r) {
            const int my = FHPlay::wrapMod(by + r, MapBlkHeight);
            for (int c = 0; c < 21; ++c) {
                const int mx = FHPlay::wrapMod(bx + c, MapBlkWidth);
                int32_t& cell = MenMap[my][mx];
                const int code = cell;
                int shown = code;
                if ((code & 28) == 28) shown = (code & 0xFFFC) | ((code + CtrlCounter / 8) & 3);
                if (code == 0) shown = 1;
                if ((code == 397 || (code >= 604 && code <= 607)) && r >= 2 && r <= 11) nearChrgSpotF = true;
                if (code >= 2 && code <= 7 && decayStep) cell = code - 1;
                patt.put(c, r, static_cast<uint32_t>(shown), 0, false);
                if (pathView) {
                    const int mark = (code > ObstacleNum && code < 1008) ? ObstacleNum + 1 : 1;
                    patt.put(c, r, static_cast<uint32_t>(mark), 1, false);
                }
            }
        }
    }

    if (GFieldLftX != -1) {
        patt.update(-(GFieldLftX % 100) / 100 - 16, -16, GmapDotLftX % 16, GmapDotTopY % 16 + adjustY, 0, 0);
    }
    if (pathView) patt.updateWithColor(-16, -16, GmapDotLftX % 16, GmapDotTopY % 16 + adjustY, 1, 0);
    if (!BackSpriteModeF) QSDLpp_GLSpriteFuncs::updateNoReset(0, dy);
    if (FrontFGModeF) updFGtex();
    if (rebuild) {
        QSDLpp_GLSpriteFuncs::updateHighest(0, (uw ? -16 : 0) + ((y % 100) != 0 ? 1 : 0) - adjustY);
    } else {
        QSDLpp_GLSpriteFuncs::updateNoResetHighest(0, 0);
    }
    return 0;
}

// The common head of every actor record: direction table access and the two calls that
// place an actor's sprite relative to the scrolling field.
#include "FHobjectCtrl.h"

#include "qgu_basicfunc.h"
#include "qsdlpp2_GLobject@image.h"

using namespace FHWGBL;

int CHARACTER_BASE::x24dirtbl(int d) { return x24costbl[d % 24]; }
int CHARACTER_BASE::y24dirtbl(int d) { return y24sintbl[d % 24]; }

namespace {

// Field position to screen position (hundredths of a dot). An actor just left of or
// above the view origin gets a small negative coordinate instead of one near the far
// end of the field. `fixX`, `fixY` choose whether each correction applies.
inline int fieldToScreen(int v, int origin, int fieldSize, int margin, bool fix) {
    if (fieldSize <= 0) return v - origin;
    int s = (v - origin + fieldSize) % fieldSize;
    if (s < 0) s += fieldSize;
    // A sprite in the last `margin` of the wrapped field lies just before the view's
    // origin. On a field hardly taller than the screen (16 rows) that band covers the
    // screen itself, so only a sprite at least `margin` past the origin is moved.
    if (fix && s > fieldSize - margin && s >= margin) s -= fieldSize;
    return s;
}

}  // namespace

int CHARACTER_BASE::putSpriteLP0(int x, int y, int layer, int scaleX, int scaleY, int rot,
                                 int patt, int /*unused*/) {
    if (patt <= 0) return -1;
    if (patt >= 1568) SysBeep(0);
    // The corrections depend on the field size as the game always had them: x only on
    // fields of 1024 dots or more, y on fields 512 dots wide or more.
    const int sx = fieldToScreen(x, GFieldLftX, MapFieldWidth, 32000, MapFieldWidth >= 102400);
    const int sy = fieldToScreen(y, GFieldTopY, MapFieldHeight, 25600, MapFieldWidth >= 51200);
    if (sprite == nullptr) sprite = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    QSDLpp_GLSprite* sp = sprite;
    sp->setDrwType(GLO::SprAtlas);
    sp->ratioBase(true);
    sp->putx(sx, sy, layer, patt);
    sp->setColor(1.0, 1.0, 1.0, 1.0);
    sp->setRot(rot);
    sp->setSize(scaleX, scaleY);
    sp->mark = static_cast<uint32_t>(dispPriority);
    return 0;
}

int CHARACTER_BASE::putObjectLP0(int x, int y, int patt, int scaleX, int scaleY, int drawType,
                                 const double* colour, int /*unused*/) {
    if (drawType == 0) return -1;
    if (drawType >= 1568) SysBeep(0);
    const int sx = fieldToScreen(x, GFieldLftX, MapFieldWidth, 32000, true);
    const int sy = fieldToScreen(y, GFieldTopY, MapFieldHeight, 25600, true);
    if (sprite == nullptr) sprite = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    QSDLpp_GLSprite* sp = sprite;
    sp->setDrwType(drawType);
    sp->setColor(colour);
    sp->putx(sx, sy, sp->layer, patt);
    sp->setSize(scaleX, scaleY);
    return 0;
}

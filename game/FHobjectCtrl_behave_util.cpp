// Shared helpers of the behaviour families (see FHobjectCtrl_behave_util.h).
#include "FHobjectCtrl_behave_util.h"

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "envresGlobal.h"
#include "qsdlpp2_trigon.h"

using namespace FHWGBL;

bool FHStagePictureTexture(int resID, FH_TexName* tex, int* width, int* height);

namespace FHObj {

namespace {
const int32_t kNoAttributes[kObjAttrWords] = {0, 0, 0, 0, 0};
}

const int32_t* attributes(int kind) {
    if (kind >= 0 && kind < 272 && Object::ObjAttribute[kind] != nullptr) return Object::ObjAttribute[kind];
    if (kind >= 0 && kind < kObjKinds) return vrndx_objAttributeRefPtr(kind);
    return kNoAttributes;
}

const rRect& attrBox(int kind) {
    const int r = attributes(kind)[OBJATTR_RECT];
    return Object::objectRects[(r >= 0 && r < 64) ? r : 0];
}

void takeKindShape(Object& o) {
    o.box = attrBox(o.kind);
    o.halfW = (o.box.right - o.box.left) / 2;
    o.halfH = (o.box.bottom - o.box.top) / 2;
    o.power = attrLife(o.kind);
}

MainObjectCtrlCls& objects() { return world().objectCtrl; }
DecorateCtrlCls& decorations() { return world().decoCtrl; }

FHWorldCLS& world() {
    return MainObjectCtrlCls::superRef != nullptr ? *MainObjectCtrlCls::superRef : Game_GLOBALS::MyWorld;
}

MyCharactor& player() {
    const int c = MyCharactor::currentCHR & 1;
    return world().chars[c];
}

int playerRefX() { return player().posX + 600; }
int playerRefY() { return player().posY; }
int playerCentreY() { return player().posY + 800; }

int fallWithClip(Object& o, int gravity, int maxFall) {
    o.speedY = clip(o.speedY + gravity, maxFall, -maxFall);
    const int bits = MoovableUD0(&o.posX, &o.posY, o.posX + o.speedX, o.posY + o.speedY, &o.box);
    if (bits != 0) o.speedX = 0;
    return bits;
}

int walkStep(Object& o) {
    const int bits = MoovableEnm(&o.posX, &o.posY, o.posX + o.speedX, o.posY + o.speedY, GravityY, &o.box);
    o.speedY = clip(o.speedY + 50, 200, -200);
    if (bits & 4) o.speedX = -o.speedX;
    return bits;
}

int turnTowardsPlayer(const Object& o, int dir, int step) {
    return QSDLpp_Trigon::forwardS(o.posX + o.halfW, o.posY + o.halfH, playerRefX(), playerCentreY(), dir, step);
}

int spawnBeside(const Object& o, int side, int dx, int dy, int vx, int vy, int kind, int param, int count) {
    return objects().AppearObjectWithCount(o.posX + o.halfW - 800 + side * dx, o.posY + dy, vx, vy, kind, param,
                                           count);
}

void extraSprite(int x, int y, int layer, int patt, int scaleX, int scaleY) {
    if (patt <= 0) return;
    putSpriteLP0byField(x, y, layer, scaleX, scaleY, 0, patt);
}

void ringAt(int x, int y, int drawType, int size, const double* colour) {
    QSDLpp_GLSprite* sp = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    double sx = 0, sy = 0;
    fieldToScreen(x, y, &sx, &sy);
    sp->setDrwType(drawType);
    sp->ratioBase(false);
    sp->putCenterMode(true);
    sp->put0(sx, sy, 2);
    sp->setSize(size, size);
    sp->setColor(colour);
}

bool setFieldPicture(int resID, bool foreground) {
    FH_TexName tex = 0;
    int w = 0, h = 0;
    if (!FHStagePictureTexture(resID, &tex, &w, &h)) return false;
    if (foreground) {
        FHSYSGBL::FGTxt = tex;
        FHSYSGBL::CrntFGResNum = resID;
        FHSYSGBL::FGWidth = w;
        FHSYSGBL::FGheight = h;
    } else {
        FHSYSGBL::BGTxt = tex;
        FHSYSGBL::CrntBGResNum = resID;
        FHSYSGBL::BGWidth = w;
        FHSYSGBL::BGheight = h;
    }
    return true;
}

int bossSmokePeriod(int kind) {
    switch (kind) {
        case 124: return 8;  // the final boss smokes the most
        case 93: case 96: case 98: case 104: case 105: case 106: case 107: case 108:
        case 109: case 110: case 111: case 112: case 125: case 205: case 210: case 229: case 230:
            return 32;
        case 61: case 62: case 63: case 65: case 68: case 69: case 70: case 71: case 74:
        case 75: case 77: case 78:
            return 64;
        default: return 0;
    }
}

}  // namespace FHObj

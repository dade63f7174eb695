// The sprite record, the pool of 512 and its band-by-band drawing passes.
#include "qsdlpp2_GLobject@image.h"

#include <cstdio>
#include <cstring>

#include "qguStdfunc2/qgu_basicfunc.h"

namespace GLO {
GLuint FontType[FontTypeMax];
GLuint SpriteMasterTexureName[SpriteSizeMax];

bool pattRange(int patt, uint32_t* sizeIdx, int32_t* cellSize) {
  struct Range {
    int below;
    uint32_t idx;
    int32_t cell;
  };
  static const Range ranges[] = {{0, Size8, 8},       {512, Size16, 16},    {1024, Size32, 32},
                                 {1280, Size64A, 64}, {1536, Size64B, 64},  {1792, Size128A, 128},
                                 {2048, Size128B, 128}, {2304, Size256, 256}};
  for (const Range& r : ranges) {
    if (patt < r.below) {
      *sizeIdx = r.idx;
      *cellSize = r.cell;
      return true;
    }
  }
  return false;
}
}  // namespace GLO

// ---- QSDLpp_GLSprite --------------------------------------------------------------------
uint32_t QSDLpp_GLSprite::bornCounter = 0;

QSDLpp_GLSprite::QSDLpp_GLSprite() : serial(bornCounter++), strPtr(nullptr), mark(0) {
  initPrm();
}

void QSDLpp_GLSprite::initPrm() {
  cellSize = 16;
  sizeIdx = GLO::Size16;
  ratioBaseF = true;
  centerMode = false;
  useOffset = true;
  drawType = GLO::SprAtlas;
  patt = 0;
  layer = 0;
  w = 100;
  h = 100;
  rot = 0;
  width = 0;
  x = 0;
  y = 0;
  blendDst = GL_ONE_MINUS_SRC_ALPHA;
  colour[0] = colour[1] = colour[2] = colour[3] = 1.0;
  print.font = GLO::Font0;
  print.pitch = 2;
  textFont = GLO::Font1;
  msg[0] = 0;
}

void QSDLpp_GLSprite::put0(double px, double py, int32_t lyr, int32_t pattern) {
  x = px;
  y = py;
  layer = lyr;
  patt = pattern;
  setTgtTexBySpPatt();
}
void QSDLpp_GLSprite::putx(double px, double py, int32_t lyr, int32_t pattern) {
  put0(px / 100, py / 100, lyr, pattern);
}
// Without a pattern the sprite keeps its atlas and cell: the stored pattern is already
// cut to its low nine bits, and reading it again would pick the 16-dot atlas.
void QSDLpp_GLSprite::put0(double px, double py, int32_t lyr) {
  x = px;
  y = py;
  layer = lyr;
}
void QSDLpp_GLSprite::putx(double px, double py, int32_t lyr) { put0(px / 100, py / 100, lyr); }
void QSDLpp_GLSprite::put0offset(double dx, double dy) {
  x += dx;
  y += dy;
}

void QSDLpp_GLSprite::setPatt(int32_t pattern) {
  patt = pattern;
  setTgtTexBySpPatt();
}

void QSDLpp_GLSprite::setTgtTexBySpPatt() {
  if (drawType != GLO::SprAtlas && drawType != GLO::SprAtlasRot4) return;
  GLO::pattRange(patt, &sizeIdx, &cellSize);
  patt &= 0x1FF;
}

void QSDLpp_GLSprite::setSize(int32_t s) { setSize(s, s); }
void QSDLpp_GLSprite::setSize(int32_t sw, int32_t sh) {
  w = sw;
  h = sh;
  width = sw / 2;
}

void QSDLpp_GLSprite::setRot(int32_t deg) { rot = (deg + 360) % 360; }

void QSDLpp_GLSprite::setColor(double grey, double alpha) { setColor(grey, grey, grey, alpha); }
void QSDLpp_GLSprite::setColor(double r, double g, double b) { setColor(r, g, b, 1.0); }
void QSDLpp_GLSprite::setColor(double r, double g, double b, double a) {
  colour[0] = r;
  colour[1] = g;
  colour[2] = b;
  colour[3] = a;
}
void QSDLpp_GLSprite::setColor(const double* c) {
  if (c) memcpy(colour, c, sizeof(colour));
}

void QSDLpp_GLSprite::setMsg(const char* text) {
  if (!text) text = "";
  strncpy(msg, text, sizeof(msg) - 1);
  msg[sizeof(msg) - 1] = 0;
}

void QSDLpp_GLSprite::draw() {
  if (this == &QSDLpp_GLSpriteFuncs::overflowSink) return;  // never a live sprite
  if (sizeIdx == GLO::Size8) SysBeep(1);
  if (drawType >= 0)
    drawAtlas();
  else
    drawShape();
}

void QSDLpp_GLSprite::drawAtlas() {
  if (patt == 0 && sizeIdx < GLO::Size32) return;  // pattern 0 of the small atlases is empty
  if (drawType == GLO::SprAtlasRot4) patt += ((rot + 360) % 360) / 90;
  GLuint tex = sizeIdx < GLO::SpriteSizeMax ? GLO::SpriteMasterTexureName[sizeIdx] : 0;
  double angle = rot % 360;
  if (!ratioBaseF) {
    double cx = centerMode ? x : x + w / 2, cy = centerMode ? y : y + h / 2;
    qgu_GLAtlasSpriteWithClipSize(cellSize, cellSize, GLaxe00Z, colour, tex, patt, cx, cy, 0, w,
                                  h, angle);
  } else {
    double cx = x, cy = y;
    if (!centerMode) {
      int mx = w < 0 ? -cellSize * w / 100 : 0;
      int my = h < 0 ? -cellSize * h / 100 : 0;
      cx = x + cellSize * w / 200 + mx;
      cy = y + cellSize * h / 200 + my;
    }
    GLenum dst = blendDst == GL_ONE_MINUS_SRC_ALPHA ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE;
    qgu_GLAtlasSpritebyRatio(colour, tex, patt, cellSize, dst, cx, cy, 0, w, h, angle);
  }
  blendDst = GL_ONE_MINUS_SRC_ALPHA;
  mark = 0;
}

void QSDLpp_GLSprite::drawNumber() {
  char digits[16];
  int value = patt;
  if (value < 17) {
    int shown = value < 0 ? 0 : value;  // a negative value has no digits to show
    strcpy(digits, "*");
    NumToStrAppend(digits, shown, shown > 9 ? 2 : 1);
    int size = value + 16 > 0 ? value + 16 : 1;
    print.setFontSize(size);
  } else {
    int n = value < 100 ? 2 : value < 1000 ? 3 : value <= 9999 ? 4 : 5;
    NumtoStr(digits, value, n);
    print.setFontSize(value > 9999 ? 20 : 16);
    print.pitch = 2;
  }
  print.setFontColor(colour);
  uint32_t font = print.font < GLO::FontTypeMax ? print.font : 0;
  qgu_GLPrintTextSP(GLO::FontType[font], print.colour, digits, (int)x, (int)y, 0, print.fontW,
                    print.fontH, print.pitch);
}

void QSDLpp_GLSprite::drawShape() {
  qgu_glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  switch (drawType) {
    case GLO::SprRing:
      qgu_GLDrawDoughnut(colour, x, y, w, h, 1, 32);
      break;
    case GLO::SprGlowRing:
      qgu_GLDrawDoughnutSP(16, colour, GL_ONE, x, y, w, h, width);
      break;
    case GLO::SprFrame:
      qgu_GLDrawWiredSuqre(colour, x, y, x + w, y + h);
      break;
    case GLO::SprBox:
      qgu_GLDrawSimpleSuqre(colour, x, y, x + w, y + h);
      break;
    case GLO::SprLine:
      qgu_glPushMatrix();
      qgu_glEnable(GL_BLEND);
      qgu_glDisable(GL_TEXTURE_2D);
      qgu_glColor4dv(colour);
      qgu_glBegin(GL_TRIANGLE_STRIP);
      qgu_glVertex2d(x, y);
      qgu_glVertex2d(x + 1, y + 1);
      qgu_glVertex2d(w, h);
      qgu_glVertex2d(w + 1, h + 1);
      qgu_glEnd();
      qgu_glDisable(GL_BLEND);
      qgu_glPopMatrix();
      break;
    case GLO::SprIris:
      if (width > 0) qgu_GLDrawDoughnut(colour, x, y, w, h, width, 32);
      break;
    case GLO::SprNumber:
      drawNumber();
      print.rot = 0;
      break;
    case GLO::SprMessage:
      print.pitch = 3;
      print.font = GLO::Font0;
      print.setFontSize(w, h);
      print.setFontColor(colour);
      qgu_GLPrintTextSP(GLO::FontType[0], colour, msg, (int)x, (int)y, 0, w, h, 3);
      print.rot = 0;
      break;
    case GLO::SprTiled:
      qgu_GLDrawTextureRep((GLuint)patt, w, h, colour, x, y, layer);
      break;
    case GLO::SprPicture:
      qgu_GLPutTextureWithColor(colour, (GLuint)patt, x, y, layer, w, h, 0);
      break;
    case GLO::SprText:
    case GLO::SprTextTail: {
      const char* text = strPtr;
      if (text && drawType == GLO::SprTextTail) {
        const char* tail = nullptr;
        for (int i = 0; i < QGU_TEXT_MAX && text[i]; i++)
          if (text[i] == 0x07) {
            tail = text + i + 1;
            break;
          }
        text = tail;
      }
      print.setFontSize(w, h);
      print.font = textFont < GLO::FontTypeMax ? textFont : uint32_t(GLO::Font1);
      print.setFontColor(colour);
      if (text) {
        print.str = text;
        qgu_GLPrintText(GLO::FontType[print.font], colour, text, (int)x, (int)y, 0, w, h);
      }
      print.rot = 0;
      break;
    }
    default:
      break;  // other negative types draw nothing
  }
  drawType = GLO::SprAtlas;
  mark = 0;
}

void QSDLpp_GLSprite::drawSpWithPart(int uL, int vT, int uR, int vB) {
  GLuint tex = sizeIdx < GLO::SpriteSizeMax ? GLO::SpriteMasterTexureName[sizeIdx] : 0;
  qgu_GLDrawTexWithArea(tex, uL, vT, uR, vB, x, y, layer);
  initPrm();
}

// ---- QSDLpp_GLSpriteFuncs ---------------------------------------------------------------
QSDLpp_GLSprite QSDLpp_GLSpriteFuncs::spriteObj[QSDLpp_GLSpriteFuncs::POOL];
QSDLpp_GLSprite QSDLpp_GLSpriteFuncs::overflowSink;
int32_t QSDLpp_GLSpriteFuncs::nextlayer = 0;
QSDLpp_GLSprite* QSDLpp_GLSpriteFuncs::nextSprite = &QSDLpp_GLSpriteFuncs::spriteObj[0];

void QSDLpp_GLSpriteFuncs::setSpriteFromTxNum(int size, GLuint tex) {
  if (size >= 0 && size < GLO::SpriteSizeMax) GLO::SpriteMasterTexureName[size] = tex;
}

int QSDLpp_GLSpriteFuncs::newSpriteAtlasFromX(int size, int resID, bool smooth) {
  GLuint tex = 0;
  int r = qgu_NewTextureFromPicRes(resID, &tex, smooth, false);
  if (r == 0) setSpriteFromTxNum(size, tex);
  return r;
}

int QSDLpp_GLSpriteFuncs::newSpriteAtlasFromX(int size, const char* path, bool smooth) {
  GLuint tex = 0;
  int r = qgu_NewTextureFromPicFile(path, &tex, smooth, false);
  if (r == 0) setSpriteFromTxNum(size, tex);
  return r;
}

GLuint QSDLpp_GLSpriteFuncs::getTextureNum(int size) {
  return size >= 0 && size < GLO::SpriteSizeMax ? GLO::SpriteMasterTexureName[size] : 0;
}

QSDLpp_GLSprite* QSDLpp_GLSpriteFuncs::getNextObjAndInc() {
  if (nextlayer >= OVERFLOW_WARN)
    printf("#- Sprite Overfllow!- Lyr:%d, Bfr-PAT:%d, Bfr-X:%f, Bfr-Y::%f\n", nextlayer,
           nextSprite->patt, nextSprite->x, nextSprite->y);
  if (nextlayer >= POOL - 1) {
    printf("### *- More than 512 Sprite Overfllow!");
    // No record is left: hand back the sink, which no pass ever draws.
    overflowSink.initPrm();
    return &overflowSink;
  }
  nextlayer++;
  nextSprite = &spriteObj[nextlayer];
  nextSprite->initPrm();
  return nextSprite;
}

QSDLpp_GLSprite* QSDLpp_GLSpriteFuncs::getNextObj() { return nextSprite; }

void QSDLpp_GLSpriteFuncs::emptyList() {
  nextlayer = 0;
  nextSprite = &spriteObj[0];
}

// Draws the handed-out sprites whose layer lies in [lo, hi], from the last handed out to
// the first, so that the first queued ends on top.
void QSDLpp_GLSpriteFuncs::drawBand(double dx, double dy, int lo, int hi) {
  for (int i = nextlayer; i > 0; i--) {
    if (i > nextlayer) i = nextlayer;  // the count is re-read after each draw
    if (i <= 0) break;
    QSDLpp_GLSprite& s = spriteObj[i];
    if (s.layer < lo || s.layer > hi) continue;
    if (s.useOffset) s.put0offset(dx, dy);
    s.draw();
  }
}

void QSDLpp_GLSpriteFuncs::updateSprite(double dx, double dy) {
  for (int layer = 4; layer >= 0; layer--) drawBand(dx, dy, layer, layer);
  qgu_glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void QSDLpp_GLSpriteFuncs::update(double dx, double dy) {
  updateSprite(dx, dy);
  emptyList();
}
void QSDLpp_GLSpriteFuncs::updateNoReset(double dx, double dy) { updateSprite(dx, dy); }
void QSDLpp_GLSpriteFuncs::updateHighest(double dx, double dy) {
  drawBand(dx, dy, INT32_MIN, -1);
  emptyList();
}
void QSDLpp_GLSpriteFuncs::updateNoResetHighest(double dx, double dy) {
  drawBand(dx, dy, INT32_MIN, -1);
}
void QSDLpp_GLSpriteFuncs::updateLowest(double dx, double dy) {
  drawBand(dx, dy, 5, INT32_MAX);
}

void QSDLpp_GLSpriteFuncs::resetAllSprire() {
  for (QSDLpp_GLSprite& s : spriteObj) {
    s.x = -12;
    s.y = -12;
    s.patt = 1;
    s.layer = 0;
    s.setTgtTexBySpPatt();
  }
}

// Sprites, pattern layers and text printing over the drawing primitives.
//
// - The sprite list: a fixed pool of 512 draw requests (record 0 is never handed out, so
//   at most 511 per frame) that game code fills during a frame, each on a numbered
//   layer; the display code draws it band by band and then empties it.
// - The pattern layer: a 32 x 32 grid of 16-pixel tiles kept in two 512 x 512 textures;
//   a tile is uploaded only when its cell changes.
// - Text printing over the bitmap fonts, and thin texture wrappers.
// All storage is static; nothing is allocated per frame.
#ifndef QSDLPP2_GLOBJECT_IMAGE_H
#define QSDLPP2_GLOBJECT_IMAGE_H

#include <cstdint>

#include "qguStdfunc2/qgu_glImageHdlfunc.h"

namespace GLO {
// Font texture slots. The game loads fonts 0 to 3 from pictures 100 to 103.
enum FontTypeIdx {
  Font0 = 0,
  Font1 = 1,
  Font2 = 2,
  Font3 = 3,
  Font4 = 4,
  Font5 = 5,
  Font6 = 6,
  Font7 = 7,
  FontTypeMax = 8
};
// Sprite atlas slots, one per cell size (3 is never chosen by a pattern number).
enum SpriteSizeIdx {
  Size8 = 0,
  Size16 = 1,
  Size32 = 2,
  Size64A = 4,
  Size64B = 5,
  Size128A = 6,
  Size128B = 7,
  Size256 = 8,
  SpriteSizeMax = 10
};
// How a sprite is drawn. 0 and above: atlas cells; other negative values draw nothing.
enum SprOBJ_Type {
  SprAtlas = 0,
  SprAtlasRot4 = 1,
  SprRing = -99,
  SprGlowRing = -98,
  SprFrame = -97,
  SprBox = -96,
  SprLine = -95,
  SprIris = -94,  // a black-out ring: doughnut of radius w, thickness `width`, normal blending
  SprNumber = -93,
  SprMessage = -92,
  SprTiled = -91,
  SprPicture = -90,
  SprText = -89,
  SprTextTail = -88
};

extern GLuint FontType[FontTypeMax];
extern GLuint SpriteMasterTexureName[SpriteSizeMax];

void DrawGLTexture(double x, double y, double z, GLuint tex, int w, int h);
void DrawGLStringByTxt(double x, double y, double z, int w, int h, GLuint fontTex,
                       const double* colour, const char* text);
GLuint makeMasterTexFromX(int resID, bool smooth);
GLuint makeMasterTexFromX(const char* path, bool smooth);

// Pattern-number ranges: size index and cell size of a pattern number. Numbers of 2304
// and above leave both unchanged (the function returns false then).
bool pattRange(int patt, uint32_t* sizeIdx, int32_t* cellSize);
}  // namespace GLO

// A text object: what to print, in which font, size, pitch and colour.
class QSDLpp_GPrint {
 public:
  const char* str;
  int32_t fontW;
  int32_t fontH;
  int32_t pitch;
  int32_t rot;
  uint32_t font;  // GLO::FontTypeIdx
  double colour[4];

  QSDLpp_GPrint();
  void setStrPtr(const char* s) { str = s; }
  void setFont(uint32_t f) { font = f; }
  void setFontRot(int32_t r) { rot = r; }
  void setFontSize(int32_t s) { fontW = fontH = s; }
  void setFontSize(int32_t w, int32_t h) { fontW = w; fontH = h; }
  void setFontPitch(int32_t p) { pitch = p; }
  void setFontColor(const double* c);
  void setFontColor(double grey, double alpha);
  void setFontColor(double r, double g, double b);
  void setFontColor(double r, double g, double b, double a);
  void print(double x, double y, double z);
  void print(double x, double y, const char* text);
  void print(double x, double y, double z, const char* text);
  void printSP(double x, double y, double z, const char* text);

 private:
  GLuint fontTex() const;
};

// One draw request of the sprite list.
class QSDLpp_GLSprite {
 public:
  static uint32_t bornCounter;

  uint32_t serial;
  int32_t cellSize;
  char msg[64];  // a floating message: room for the longest fixed message and its end
  const char* strPtr;
  uint32_t mark;
  QSDLpp_GPrint print;
  uint32_t sizeIdx;  // GLO::SpriteSizeIdx
  bool ratioBaseF;   // w, h are percentages of the cell size (else pixels)
  bool centerMode;   // (x, y) is the centre (else the top-left corner)
  bool useOffset;    // the drawing pass adds its offset to (x, y)
  int32_t drawType;  // GLO::SprOBJ_Type
  int32_t patt;
  int32_t layer;
  int32_t w;
  int32_t h;
  int32_t rot;
  int32_t width;
  double x;
  double y;
  uint32_t blendDst;
  double colour[4];
  uint32_t textFont;  // font of a text sprite (GLO::Font1 unless set)

  QSDLpp_GLSprite();
  void initPrm();

  void put0(double px, double py, int32_t lyr, int32_t pattern);
  void putx(double px, double py, int32_t lyr, int32_t pattern);  // hundredths of a pixel
  void put0(double px, double py, int32_t lyr);
  void putx(double px, double py, int32_t lyr);
  void put0offset(double dx, double dy);
  void setPatt(int32_t pattern);
  void setTgtTexBySpPatt();
  void setDrwType(int32_t type) { drawType = type; }
  void ratioBase(bool flag) { ratioBaseF = flag; }
  void putCenterMode(bool flag) { centerMode = flag; }
  void setUseOffsetF(bool flag) { useOffset = flag; }
  void setBlendF(uint32_t dst) { blendDst = dst; }
  void setWidth(int32_t wd) { width = wd; }
  void setSize(int32_t s);
  void setSize(int32_t sw, int32_t sh);
  void setRot(int32_t deg);
  void setColor(double grey, double alpha);
  void setColor(double r, double g, double b);
  void setColor(double r, double g, double b, double a);
  void setColor(const double* c);
  void setMsg(const char* text);
  void setStrPtr(const char* text) { strPtr = text; }
  void setTextFont(uint32_t font) { textFont = font; }

  void draw();
  void drawSpWithPart(int uL, int vT, int uR, int vB);

 private:
  void drawAtlas();
  void drawShape();
  void drawNumber();
};

// The sprite pool and its drawing passes.
class QSDLpp_GLSpriteFuncs {
 public:
  enum { POOL = 512, OVERFLOW_WARN = 256 };
  static QSDLpp_GLSprite spriteObj[POOL];
  static int32_t nextlayer;              // sprites handed out this frame
  static QSDLpp_GLSprite* nextSprite;    // the record handed out last (record 0 at first)
  // Handed back when the pool is exhausted: written freely by the caller, never drawn.
  static QSDLpp_GLSprite overflowSink;

  static void setSpriteFromTxNum(int size, GLuint tex);
  static int newSpriteAtlasFromX(int size, int resID, bool smooth);
  static int newSpriteAtlasFromX(int size, const char* path, bool smooth);
  static GLuint getTextureNum(int size);

  static QSDLpp_GLSprite* getNextObjAndInc();
  static QSDLpp_GLSprite* getNextObj();

  static void update(double dx, double dy);                 // layers 4..0, then empty
  static void updateNoReset(double dx, double dy);          // layers 4..0
  static void updateHighest(double dx, double dy);          // negative layers, then empty
  static void updateNoResetHighest(double dx, double dy);   // negative layers
  static void updateLowest(double dx, double dy);           // layers 5 and up
  static void resetAllSprire();
  static void emptyList();

 private:
  static void updateSprite(double dx, double dy);
  static void drawBand(double dx, double dy, int lo, int hi);
};

// The tile pattern layer: two planes of 32 x 32 cells of 16-pixel tiles.
// A put copies the tile into the plane's pixel buffer; the changed rows reach the plane's
// texture in one upload when the plane is next drawn (or flushed), so that a frame costs
// one texture upload per plane rather than one per changed tile.
class QSDLpp_GLPattSys {
 public:
  enum { COLS = 32, ROWS = 32, PLANES = 2, TILE = 16, TEX_SIZE = 512 };
  uint32_t cells[PLANES][ROWS][COLS];
  GLuint planeTex[PLANES];
  Raw2DImgInfo* source;
  bool hidden;

  QSDLpp_GLPattSys();
  GLuint initi();
  void setsocImg(int resID);
  void setsocImg(const char* path);
  void put(int column, int row, uint32_t pattern, int plane, bool force);
  void update(double x, double y, int scrollX, int scrollY, int plane, int flag);
  void updateWithColor(double x, double y, int scrollX, int scrollY, int plane, int flag);
  void flush(int plane);  // sends the plane's changed rows to its texture now
  uint32_t uploads() const { return uploadCount; }  // tiles copied so far (diagnostics)

 private:
  unsigned char* pixels[PLANES];  // TEX_SIZE x TEX_SIZE RGBA each, made once by initi
  int dirtyTop[PLANES], dirtyBottom[PLANES];  // changed tile rows [top, bottom)
  uint32_t uploadCount;
  void drawPlane(double x, double y, int scrollX, int scrollY, int plane, const double* col);
};

// Bitmap-font printing with the font table.
class QSDLpp_GLTextFuncs {
 public:
  static void setGFontFromTxNum(int font, GLuint tex);
  static int newGFontFromX(int font, int resID);
  static int newGFontFromX(int font, const char* path);
  static int drawGLString(double x, double y, double z, int w, int h, int font,
                          const double* colour, const char* text);
  static int drawGLString(double x, double y, double z, int w, int h, int font,
                          const double* colour, const char* text, char delimiter);
};

// Picture loading front.
class QSDLpp_ImageUtil_Cls {
 public:
  QSDLpp_ImageUtil_Cls();
  void setGammmaCorrect(bool flag);
  bool loadResouceFile(const char* path);
  int NewTextureFromX(const char* path, GLuint* texOut, bool smooth);
  int NewTextureFromX(int resID, GLuint* texOut, bool smooth);
  int TexsGenFromAllPicResouces();  // returns the number of textures made or found
  int getTexIDfromResnum(int resID);
  int getTexRectfromResnum(int resID, rRect* rectOut);
  Raw2DImgInfo* NewRawImageFromFile(const char* path, int cellWidth, int cellHeight);
};

class QSDLpp_TextureHdl_Cls {
 public:
  void DrawGLTextureTest(double x, double y, double z, GLuint tex, int w, int h);
  void DrawGLStringTest(double x, double y, double z, int w, int h, GLuint fontTex,
                        const double* colour, const char* text);
};

#endif

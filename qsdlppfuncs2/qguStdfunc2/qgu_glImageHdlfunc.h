// The lowest graphics layer: the one SDL window with its OpenGL context and fixed
// 320 x 240 projection, pictures turned into textures or into raw images cut into cells,
// a small table of the textures made, and the immediate-mode drawing family (textured
// quads, atlas cells, repeated textures, rings, rectangles and bitmap-font text).
//
// Every OpenGL call goes through qgu_glcalls.h, so the same code runs against the real
// GL (qsdlpp_glreal) or the null one (qsdlpp_glnull).
//
// Pictures: no wrapper of the framework keys pictures against their top-left pixel
// (colourKey false); content pictures carry their own alpha. Callers that want keying
// pass colourKey to qgu_NewTextureFromPicRes / qgu_NewTextureFromPicFile themselves.
#ifndef QGU_GLIMAGEHDLFUNC_H
#define QGU_GLIMAGEHDLFUNC_H

#include <cstdint>

#include "qgu_carbonlike2.h"  // rRect
#include "qgu_glcalls.h"

struct SDL_Window;
struct SDL_Surface;

// ---- Logical screen and tables ----------------------------------------------------
enum {
  QGU_SCREEN_W = 320,
  QGU_SCREEN_H = 240,
  QGU_TEXINFO_MAX = 100,  // texture table records, indexed by texture name
  QGU_RAWIMG_MAX = 100,   // raw image records
  QGU_TEXT_MAX = 256,     // bytes a text print walks at most
};

// One record of the texture table `texInfo` (indexed by the GL texture name).
struct TexInfoRec {
  uint32_t name;    // the texture name itself; 0xFFFFFFFF once disposed
  uint32_t resID;   // picture resource number; 0xFFFFFFFF for file pictures / disposed
  uint32_t fileID;  // container id of the resource that supplied the picture
  uint32_t width;
  uint32_t height;
};

// One record of the raw image list `Raw2DImgInfoList`; free while `pixels` is null.
// Cell k of the picture is stored contiguously at byte k * cellWidth * cellHeight * 4.
struct Raw2DImgInfo {
  void* pixels;   // start of the reorganised pixel buffer (owned by the record)
  void* pixels2;  // the same buffer; the pointer that is freed
  uint32_t index;
  uint32_t resID;
  uint32_t cellWidth;
  uint32_t cellHeight;
  uint32_t format;         // always GL_RGBA
  uint32_t bytesPerPixel;  // always 4
  uint32_t fileID;
  uint32_t cellCount;  // whole cells stored; bounds every cell copy
};

extern TexInfoRec texInfo[QGU_TEXINFO_MAX];
extern Raw2DImgInfo Raw2DImgInfoList[QGU_RAWIMG_MAX];
extern const unsigned char GmCnvTbl[256];  // picture brightening table
extern const unsigned char FontWD[256];    // proportional advances, 1/16 cell, by code-32

// ---- The 32 colour constants (r, g, b, a) -----------------------------------------
extern const double GLblack[4], GLczero[4], GLtblack[4], GLwhite[4], GLtrans[4], GLgray[4],
    GLdgray[4], GLtgray[4], GLred[4], GLgreen[4], GLblue[4], GLorange[4], GLyellow[4],
    GLcyan[4], GLpink[4], GLaxeX00[4], GLaxe0Y0[4], GLaxe00Z[4], GLtransRed[4],
    GLtransGreen[4], GLtransBlue[4], GLtransLgtBlue[4], GLtransOrange[4], GLtransYellow[4],
    GLtransCyan[4], GLtransPink[4], GLtransHardRed[4], GLtransHardGreen[4],
    GLtransHardBlue[4], GLtransHardOrange[4], GLtransHardYellow[4], GLtransHardCyan[4];

// ---- Window and frame --------------------------------------------------------------
// Opens the window (rect gives its size: right - left by bottom - top) or a full-screen
// desktop window, the GL context and the 320 x 240 projection. SDL video must be up.
void qgu_initNewGLworld(const char* title, rRect rect, int fullScreen);
void qgu_startGLdraw();
void qgu_endGLdraw();  // presents the back buffer
SDL_Window* qgu_getTargetWindow();
// The viewport of a full-screen display of w x h: 4:3 pillar box or letter box.
// out = {x, y, width, height}.
void qgu_fullScreenViewport(int w, int h, int out[4]);

void qgu_initGLImageHdlfunc();  // IMG_Init (JPEG, PNG); brightening on
void qgu_setGammmaCorrect(bool flag);
bool qgu_getGammmaCorrect();

// ---- Textures (0 success, -1 failure unless said otherwise) ------------------------
int qgu_NewTextureFromPicRes(int resID, GLuint* texOut, bool smooth, bool colourKey);
int qgu_NewTextureFromPicFile(const char* path, GLuint* texOut, bool smooth, bool colourKey);
// As qgu_NewTextureFromPicFile, but brightened only while brightening is switched on
// (as resource pictures are): for a picture that must show the current gamma choice.
int qgu_NewTextureFromPicFileAsSet(const char* path, GLuint* texOut, bool smooth);
int qgu_NewFreeTexture(int width, int height, GLuint* texOut, GLenum format, bool smooth);
int qgu_getTexIDfromResnum(int resID, uint32_t fileID);  // fileID 0: any container
// Picture size as (0, 0, height, width). Unknown resource / texture: -1, rect zeroed.
int qgu_getTexRectfromResnum(int resID, rRect* rectOut);
int qgu_getTexRect(GLuint tex, rRect* rectOut);
int qgu_DisposeTex(GLuint tex);
// The texture table record of a texture name, or null when the name is outside it.
TexInfoRec* qgu_getTexInfo(GLuint tex);

// Brightens (GmCnvTbl) and keys (alpha 0 where r, g, b equal the top-left pixel's,
// compared before brightening) a surface in place. 3-byte pixels are not keyed.
void qgu_brightenAndKey(SDL_Surface* s, bool brighten, bool key);

// ---- Raw images (records of Raw2DImgInfoList, or null) -----------------------------
Raw2DImgInfo* qgu_NewRawImageFromPicRes(int resID, int cellWidth, int cellHeight);
Raw2DImgInfo* qgu_NewRawImageFromPicName(const char* path, int cellWidth, int cellHeight);
Raw2DImgInfo* qgu_GetRawImageInfoReorg(int resID, int cellWidth, int cellHeight);
Raw2DImgInfo* qgu_GetRawImageInfo(int resID);
int qgu_PurgeRawImage(void* pixels);  // 1 when a record held it, else 0
// Copies cell `cell` of raw into texture tex at pixel (x, y). 0; -1 for a bad cell.
int qgu_PutRowImageToTex(Raw2DImgInfo* raw, GLuint tex, int x, int y, int cell);

// ---- Drawing family -----------------------------------------------------------------
void qgu_DrawGLTexture(GLuint tex, int w, int h, double x, double y, double z);
void qgu_GLDrawTexture(GLuint tex, int w, int h, double x, double y, double z);
void qgu_GLDrawTextureRep(GLuint tex, int w, int h, const double* colour, double x, double y,
                          double z);
void qgu_GLDrawTexRepWithCnRatio(GLuint tex, int w, int h, const double* colour, double x,
                                 double y, double z, double ratio);
void qgu_GLPutTextureWithColor(const double* colour, GLuint tex, double x, double y, double z,
                               double sx, double sy, double angle);
void qgu_GLDrawTexWithArea(GLuint tex, int uL, int vT, int uR, int vB, double x, double y,
                           double z);
void qgu_GLDrawTexWithAreaAndColor(GLuint tex, int uL, int vT, int uR, int vB,
                                   const double* colour, double x, double y, double z);
// Draws cell `cell` of the bound texture as a w x h quad centred on the origin.
void qgu_TexPartial(double w, double h, int cell, int cellWidth, int cellHeight);
void qgu_GLAtlasSpriteWithClipSize(int cellWidth, int cellHeight, const double* axis,
                                   const double* colour, GLuint tex, int cell, double x,
                                   double y, double z, double w, double h, double angle);
void qgu_GLAtlasSpritebyRatio(const double* colour, GLuint tex, int cell, int cellSize,
                              GLenum blendDst, double x, double y, double z, double wPercent,
                              double hPercent, double angle);
void qgu_GLDrawDoughnut(const double* colour, double cx, double cy, double rx, double ry,
                        double thickness, int segments);
void qgu_GLDrawDoughnutSP(int segments, const double* colour, GLenum blendDst, double cx,
                          double cy, double rx, double ry, double thickness);
void qgu_GLDrawWiredSuqre(const double* colour, double x1, double y1, double x2, double y2);
void qgu_GLDrawSimpleSuqre(const double* colour, double x1, double y1, double x2, double y2);
// Proportional bitmap text; (x, y) is the top-left of the first glyph, w x h its size.
void qgu_GLPrintText(GLuint fontTex, const double* colour, const char* text, double x,
                     double y, double z, int w, int h);
// Fixed-pitch bitmap text: every glyph advances trunc(pitch * w * 0.25) pixels.
// The widest line of a text as qgu_GLPrintText advances over it with glyphs w wide (the
// pen advance, in dots; 0 for a font without a usable size).
int qgu_GLTextWidth(GLuint fontTex, const char* text, int w);
void qgu_GLPrintTextSP(GLuint fontTex, const double* colour, const char* text, double x,
                       double y, double z, int w, int h, int pitch);

// The texture last bound by a drawing operation (0 = none). Anything that binds behind
// the drawing family's back may call qgu_forgetBoundTexture to keep the cache honest.
GLuint qgu_lastTexPatt();
void qgu_forgetBoundTexture();

#endif

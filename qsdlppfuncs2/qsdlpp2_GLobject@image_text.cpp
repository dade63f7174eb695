// Text objects, the font table front and the thin texture wrappers.
#include <cstring>

#include "qguStdfunc2/qgu_fileutil.h"
#include "qsdlpp2_GLobject@image.h"

namespace {
GLuint fontTexture(uint32_t font) {
  return font < GLO::FontTypeMax ? GLO::FontType[font] : 0;
}
}  // namespace

// ---- GLO wrappers ---------------------------------------------------------------------
void GLO::DrawGLTexture(double x, double y, double z, GLuint tex, int w, int h) {
  qgu_DrawGLTexture(tex, w, h, x, y, z);
}
void GLO::DrawGLStringByTxt(double x, double y, double z, int w, int h, GLuint fontTex,
                            const double* colour, const char* text) {
  qgu_GLPrintText(fontTex, colour, text, x, y, z, w, h);
}
GLuint GLO::makeMasterTexFromX(int resID, bool smooth) {
  GLuint tex = 0;
  qgu_NewTextureFromPicRes(resID, &tex, smooth, false);
  return tex;
}
GLuint GLO::makeMasterTexFromX(const char* path, bool smooth) {
  GLuint tex = 0;
  qgu_NewTextureFromPicFile(path, &tex, smooth, false);
  return tex;
}

// ---- QSDLpp_GPrint --------------------------------------------------------------------
QSDLpp_GPrint::QSDLpp_GPrint()
    : str("untiteled."), fontW(16), fontH(16), pitch(3), rot(0), font(GLO::Font0) {
  colour[0] = colour[1] = colour[2] = colour[3] = 1.0;
}

void QSDLpp_GPrint::setFontColor(const double* c) {
  if (c) memcpy(colour, c, sizeof(colour));
}
void QSDLpp_GPrint::setFontColor(double grey, double alpha) {
  setFontColor(grey, grey, grey, alpha);
}
void QSDLpp_GPrint::setFontColor(double r, double g, double b) { setFontColor(r, g, b, 1.0); }
void QSDLpp_GPrint::setFontColor(double r, double g, double b, double a) {
  colour[0] = r;
  colour[1] = g;
  colour[2] = b;
  colour[3] = a;
}

GLuint QSDLpp_GPrint::fontTex() const { return fontTexture(font); }

void QSDLpp_GPrint::print(double x, double y, double z) {
  qgu_GLPrintText(fontTex(), colour, str, x, y, z, fontW, fontH);
  rot = 0;
}
void QSDLpp_GPrint::print(double x, double y, const char* text) {
  str = text;
  print(x, y, 0.0);
}
void QSDLpp_GPrint::print(double x, double y, double z, const char* text) {
  str = text;
  print(x, y, z);
}
void QSDLpp_GPrint::printSP(double x, double y, double z, const char* text) {
  qgu_GLPrintTextSP(fontTex(), colour, text, x, y, z, fontW, fontH, pitch);
  rot = 0;
}

// ---- QSDLpp_GLTextFuncs ---------------------------------------------------------------
void QSDLpp_GLTextFuncs::setGFontFromTxNum(int font, GLuint tex) {
  if (font >= 0 && font < GLO::FontTypeMax) GLO::FontType[font] = tex;
}
int QSDLpp_GLTextFuncs::newGFontFromX(int font, int resID) {
  GLuint tex = 0;
  int r = qgu_NewTextureFromPicRes(resID, &tex, false, false);
  if (r == 0) setGFontFromTxNum(font, tex);
  return r;
}
int QSDLpp_GLTextFuncs::newGFontFromX(int font, const char* path) {
  GLuint tex = 0;
  int r = qgu_NewTextureFromPicFile(path, &tex, false, false);
  if (r == 0) setGFontFromTxNum(font, tex);
  return r;
}

int QSDLpp_GLTextFuncs::drawGLString(double x, double y, double z, int w, int h, int font,
                                     const double* colour, const char* text) {
  qgu_GLPrintText(fontTexture((uint32_t)font), colour, text, x, y, z, w, h);
  return 0;
}

int QSDLpp_GLTextFuncs::drawGLString(double x, double y, double z, int w, int h, int font,
                                     const double* colour, const char* text, char delimiter) {
  if (!text || text[0] == 0) return 257;
  for (int i = 1; i < 256 && text[i]; i++) {
    if (text[i] == delimiter) {
      qgu_GLPrintText(fontTexture((uint32_t)font), colour, text + i + 1, x, y, z, w, h);
      return i + 1;
    }
  }
  return 257;
}

// ---- QSDLpp_ImageUtil_Cls / QSDLpp_TextureHdl_Cls ---------------------------------------
QSDLpp_ImageUtil_Cls::QSDLpp_ImageUtil_Cls() { qgu_initGLImageHdlfunc(); }
void QSDLpp_ImageUtil_Cls::setGammmaCorrect(bool flag) { qgu_setGammmaCorrect(flag); }
bool QSDLpp_ImageUtil_Cls::loadResouceFile(const char* path) {
  return qgu_loadResource(path) != nullptr;
}
int QSDLpp_ImageUtil_Cls::NewTextureFromX(const char* path, GLuint* texOut, bool smooth) {
  return qgu_NewTextureFromPicFile(path, texOut, smooth, false);
}
int QSDLpp_ImageUtil_Cls::NewTextureFromX(int resID, GLuint* texOut, bool smooth) {
  return qgu_NewTextureFromPicRes(resID, texOut, smooth, false);
}
int QSDLpp_ImageUtil_Cls::TexsGenFromAllPicResouces() {
  static int ids[QGU_STRID_IDS_MAX];
  int made = 0;
  const QGU_ResType kinds[2] = {QGU_RES::PNGf, QGU_RES::JPEG};
  for (QGU_ResType kind : kinds) {
    int n = qgu_getResourceIDinfo(kind, ids);
    for (int i = 0; i < n && ids[i] != -1; i++) {
      GLuint tex = 0;
      if (qgu_NewTextureFromPicRes(ids[i], &tex, false, false) == 0) made++;
    }
  }
  return made;
}
int QSDLpp_ImageUtil_Cls::getTexIDfromResnum(int resID) { return qgu_getTexIDfromResnum(resID, 0); }
int QSDLpp_ImageUtil_Cls::getTexRectfromResnum(int resID, rRect* rectOut) {
  return qgu_getTexRectfromResnum(resID, rectOut);
}
Raw2DImgInfo* QSDLpp_ImageUtil_Cls::NewRawImageFromFile(const char* path, int cellWidth,
                                                        int cellHeight) {
  return qgu_NewRawImageFromPicName(path, cellWidth, cellHeight);
}

void QSDLpp_TextureHdl_Cls::DrawGLTextureTest(double x, double y, double z, GLuint tex, int w,
                                              int h) {
  qgu_DrawGLTexture(tex, w, h, x, y, z);
}
void QSDLpp_TextureHdl_Cls::DrawGLStringTest(double x, double y, double z, int w, int h,
                                             GLuint fontTex, const double* colour,
                                             const char* text) {
  qgu_GLPrintText(fontTex, colour, text, x, y, z, w, h);
}

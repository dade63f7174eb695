// The immediate-mode drawing family and the bitmap-font text printers.
#include <cmath>

#include "qgu_glImageHdlfunc.h"
#include "qgu_glImageHdlfunc_internal.h"

namespace {
const double kTwoPi = 6.283185307179586;

// Common opening of the textured members: matrix, blending, the texture.
void beginTextured(GLuint tex, bool alwaysBind, bool setBlend, GLenum dst) {
  qgu_glPushMatrix();
  qgu_glEnable(GL_BLEND);
  if (setBlend) qgu_glBlendFunc(GL_SRC_ALPHA, dst);
  if (alwaysBind || tex != qgu_lastTexPatt()) qgu_gfx::bindTexture(tex);
  qgu_glEnable(GL_TEXTURE_2D);
}

void endTextured() {
  qgu_glDisable(GL_TEXTURE_2D);
  qgu_glDisable(GL_BLEND);
  qgu_glPopMatrix();
}

// One quad from (x0, y0) to (x1, y1) with texture corners (u0, v0) to (u1, v1). When the
// signed sizes have opposite signs the corners go round the other way, each keeping its
// texture coordinate, so a negative size mirrors the picture.
void quad(double x0, double y0, double x1, double y1, double u0, double v0, double u1,
          double v1) {
  const double xs[4] = {x0, x0, x1, x1}, ys[4] = {y0, y1, y1, y0};
  const double us[4] = {u0, u0, u1, u1}, vs[4] = {v0, v1, v1, v0};
  static const int fwd[4] = {0, 1, 2, 3}, rev[4] = {0, 3, 2, 1};
  const int* order = ((x1 - x0) * (y1 - y0) < 0) ? rev : fwd;
  qgu_glBegin(GL_QUADS);
  for (int k = 0; k < 4; k++) {
    qgu_glTexCoord2d(us[order[k]], vs[order[k]]);
    qgu_glVertex2d(xs[order[k]], ys[order[k]]);
  }
  qgu_glEnd();
}

void wholeTexture(GLuint tex, bool alwaysBind, int w, int h, double x, double y, double z) {
  beginTextured(tex, alwaysBind, false, GL_ONE_MINUS_SRC_ALPHA);
  qgu_glColor4d(1, 1, 1, 1);
  qgu_glTranslated(x, y, z);
  quad(0, 0, w, h, 0, 0, 1, 1);
  endTextured();
}

void textureArea(GLuint tex, int uL, int vT, int uR, int vB, const double* colour, double x,
                 double y, double z) {
  beginTextured(tex, false, colour != nullptr, GL_ONE_MINUS_SRC_ALPHA);
  if (colour)
    qgu_glColor4dv(colour);
  else
    qgu_glColor4d(1, 1, 1, 1);
  qgu_glTranslated(0, 0, z);
  int tw, th;
  qgu_gfx::boundTexSize(&tw, &th);
  if (tw > 0 && th > 0)
    quad(x, y, x + (uR - uL), y + (vB - vT), (double)uL / tw, (double)vT / th,
         (double)uR / tw, (double)vB / th);
  endTextured();
}

void ring(const double* inner, const double* outer, double cx, double cy, double rx,
          double ry, double thickness, int segments) {
  if (segments <= 0) return;
  qgu_glBegin(GL_TRIANGLE_STRIP);
  for (int i = 0; i <= segments; i++) {
    double a = i * kTwoPi / segments, c = cos(a), s = sin(a);
    qgu_glColor4dv(inner);
    qgu_glVertex2d((rx - thickness) * c + cx, (ry - thickness) * s + cy);
    qgu_glColor4dv(outer);
    qgu_glVertex2d(rx * c + cx, ry * s + cy);
  }
  qgu_glEnd();
}

void beginPlain() {
  qgu_glPushMatrix();
  qgu_glEnable(GL_BLEND);
  qgu_glDisable(GL_TEXTURE_2D);
}
void endPlain() {
  qgu_glDisable(GL_BLEND);
  qgu_glPopMatrix();
}

void square(GLenum mode, const double* colour, double x1, double y1, double x2, double y2) {
  beginPlain();
  qgu_glColor4dv(colour);
  qgu_glBegin(mode);
  qgu_glVertex2d(x1, y1);
  qgu_glVertex2d(x2, y1);
  qgu_glVertex2d(x2, y2);
  qgu_glVertex2d(x1, y2);
  qgu_glEnd();
  endPlain();
}

// Pixel size of one glyph cell of a font texture (16 cells per row), and whether the
// font is proportional (a square picture). Fonts outside the texture table are asked of
// the GL. False when the font has no usable size.
bool fontGeometry(GLuint fontTex, int* cell, bool* proportional) {
  int tw = 0, th = 0;
  if (const TexInfoRec* r = qgu_getTexInfo(fontTex)) {
    tw = (int)r->width;
    th = (int)r->height;
  } else {
    qgu_gfx::boundTexSize(&tw, &th);
  }
  if (tw < 16 || th <= 0) return false;
  *cell = tw / 16;
  *proportional = (tw / th == 1);
  return true;
}

void beginText(GLuint fontTex, const double* colour, double x, double y, double z, int w,
               int h) {
  qgu_glPushMatrix();
  qgu_glEnable(GL_BLEND);
  qgu_glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  if (fontTex != qgu_lastTexPatt()) qgu_gfx::bindTexture(fontTex);
  qgu_glEnable(GL_TEXTURE_2D);
  qgu_glColor4dv(colour ? colour : GLwhite);
  qgu_glTranslated(x + w / 2.0, y + h / 2.0, z);
}

void glyph(int cellIndex, int w, int h, int cellPx) {
  if (cellIndex >= 0) qgu_TexPartial(w, h, cellIndex, cellPx, cellPx);
}
}  // namespace

// ---- Textured quads ------------------------------------------------------------------
void qgu_DrawGLTexture(GLuint tex, int w, int h, double x, double y, double z) {
  wholeTexture(tex, true, w, h, x, y, z);
}

void qgu_GLDrawTexture(GLuint tex, int w, int h, double x, double y, double z) {
  wholeTexture(tex, false, w, h, x, y, z);
}

void qgu_GLDrawTextureRep(GLuint tex, int w, int h, const double* colour, double x, double y,
                          double z) {
  beginTextured(tex, false, false, GL_ONE_MINUS_SRC_ALPHA);
  qgu_glColor4dv(colour ? colour : GLwhite);
  qgu_glTranslated(x, y, z);
  int tw, th;
  qgu_gfx::boundTexSize(&tw, &th);
  if (tw > 0 && th > 0) quad(0, 0, w, h, 0, 0, (double)w / tw, (double)h / th);
  endTextured();
}

void qgu_GLDrawTexRepWithCnRatio(GLuint tex, int w, int h, const double* colour, double x,
                                 double y, double z, double ratio) {
  beginTextured(tex, false, false, GL_ONE_MINUS_SRC_ALPHA);
  qgu_glColor4dv(colour ? colour : GLwhite);
  qgu_glTranslated(x, y, z);
  int tw, th;
  qgu_gfx::boundTexSize(&tw, &th);
  int rw = (int)(tw * ratio), rh = (int)(th * ratio);
  if (rw > 0 && rh > 0) quad(0, 0, w, h, 0, 0, (double)(w / rw), (double)(h / rh));
  endTextured();
}

void qgu_GLPutTextureWithColor(const double* colour, GLuint tex, double x, double y, double z,
                               double sx, double sy, double angle) {
  beginTextured(tex, false, true, GL_ONE_MINUS_SRC_ALPHA);
  qgu_glColor4dv(colour ? colour : GLwhite);
  qgu_glTranslated(x, y, z);
  qgu_glRotated(angle, 0, 0, 1);
  qgu_glScaled(fabs(sx), fabs(sy), 1);
  if (sx * sy >= 0) {
    // The same picture twice over one square (the second pass reads it through repeat
    // wrapping), which strengthens its opacity.
    quad(-0.5, -0.5, 0.5, 0.5, 0, 0, 1, 1);
    quad(-0.5, -0.5, 0.5, 0.5, 1, 1, 2, 2);
  } else {
    quad(0, 0, 1, 1, 0, 0, 1, 1);
  }
  endTextured();
}

void qgu_GLDrawTexWithArea(GLuint tex, int uL, int vT, int uR, int vB, double x, double y,
                           double z) {
  textureArea(tex, uL, vT, uR, vB, nullptr, x, y, z);
}

void qgu_GLDrawTexWithAreaAndColor(GLuint tex, int uL, int vT, int uR, int vB,
                                   const double* colour, double x, double y, double z) {
  textureArea(tex, uL, vT, uR, vB, colour ? colour : GLwhite, x, y, z);
}

// ---- Atlas cells -----------------------------------------------------------------------
void qgu_TexPartial(double w, double h, int cell, int cellWidth, int cellHeight) {
  int tw, th;
  qgu_gfx::boundTexSize(&tw, &th);
  if (cellWidth <= 0 || cellHeight <= 0 || th <= 0 || tw < cellWidth) return;
  int n = tw / cellWidth;
  double uL = (double)(cell % n) * cellWidth, vT = (double)(cell / n) * cellHeight;
  double uR = uL + cellWidth, vB = vT + cellHeight;
  quad(-w / 2, -h / 2, w / 2, h / 2, uL / tw, vT / th, uR / tw, vB / th);
}

void qgu_GLAtlasSpriteWithClipSize(int cellWidth, int cellHeight, const double* axis,
                                   const double* colour, GLuint tex, int cell, double x,
                                   double y, double z, double w, double h, double angle) {
  beginTextured(tex, true, false, GL_ONE_MINUS_SRC_ALPHA);
  qgu_glColor4dv(colour ? colour : GLwhite);
  qgu_glTranslated(x, y, z);
  if (!axis) axis = GLaxe00Z;
  qgu_glRotated(angle, axis[0], axis[1], axis[2]);
  qgu_TexPartial(w, h, cell, cellWidth, cellHeight);
  endTextured();
}

void qgu_GLAtlasSpritebyRatio(const double* colour, GLuint tex, int cell, int cellSize,
                              GLenum blendDst, double x, double y, double z, double wPercent,
                              double hPercent, double angle) {
  beginTextured(tex, false, true, blendDst);
  qgu_glColor4dv(colour ? colour : GLwhite);
  qgu_glTranslated(x, y, z);
  qgu_glRotated(angle, 0, 0, 1);
  qgu_TexPartial(wPercent / 100 * cellSize, hPercent / 100 * cellSize, cell, cellSize,
                 cellSize);
  endTextured();
}

// ---- Untextured shapes ---------------------------------------------------------------
void qgu_GLDrawDoughnut(const double* colour, double cx, double cy, double rx, double ry,
                        double thickness, int segments) {
  if (!colour) colour = GLwhite;
  beginPlain();
  ring(colour, colour, cx, cy, rx, ry, thickness, segments);
  endPlain();
}

void qgu_GLDrawDoughnutSP(int segments, const double* colour, GLenum blendDst, double cx,
                          double cy, double rx, double ry, double thickness) {
  if (!colour) colour = GLwhite;
  beginPlain();
  qgu_glBlendFunc(GL_SRC_ALPHA, blendDst);
  ring(GLczero, colour, cx, cy, rx, ry, thickness, segments);
  qgu_glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  endPlain();
}

void qgu_GLDrawWiredSuqre(const double* colour, double x1, double y1, double x2, double y2) {
  square(GL_LINE_LOOP, colour ? colour : GLwhite, x1, y1, x2, y2);
}

void qgu_GLDrawSimpleSuqre(const double* colour, double x1, double y1, double x2, double y2) {
  square(GL_QUADS, colour ? colour : GLwhite, x1, y1, x2, y2);
}

// ---- Bitmap text ----------------------------------------------------------------------
namespace {
// Pen advance after one glyph of qgu_GLPrintText: proportional fonts follow the width
// table (inner spaces half width, less before a voicing mark), fixed fonts take 12/16 of
// the width; below 8 dots the fixed small-glyph rule applies.
double glyphAdvance(int code, unsigned next, bool proportional, bool visible, int w) {
  int idx = code - 32;
  int wd = proportional ? ((idx >= 0 && idx < 256) ? FontWD[idx] : 16) : 12;
  int a = (int)(wd * w * 0.25);
  if (code == 0x20 && visible) a /= 2;  // inner spaces are half width
  if (w > 7) {
    if (next == 0xDE || next == 0xDF) a -= a / 4;  // room for the voicing mark
  } else {
    a = code < 0x80 ? 3 * w : 4 * w;
  }
  return (int)(a * 0.25);
}

// Walks a text as qgu_GLPrintText prints it, calling glyphAt(cell, advance) for each
// glyph and newLine() at each line break.
template <class Glyph, class NewLine>
void walkText(const unsigned char* t, bool proportional, int w, Glyph glyphAt, NewLine newLine) {
  bool kana = false, visible = false;
  int shift = 0;
  for (int i = 0; i < QGU_TEXT_MAX; i++) {
    unsigned c = t[i];
    if (c == 0 || c == 0x07) break;
    if (c == 0x12 || c == 0x13) {
      kana = (c == 0x12);
      continue;
    }
    if (c == 0x11) {
      shift = 64;
      continue;
    }
    if (c == 0x0D || c == 0x0A) {
      visible = false;
      newLine();
      continue;
    }
    int code = (int)c + shift;
    shift = 0;
    if (proportional && c > 0x20) visible = true;
    // The next byte is read only within the text (a full buffer has no terminator).
    unsigned next = (i + 1 < QGU_TEXT_MAX) ? t[i + 1] : 0;
    glyphAt(code - 32 + ((kana && code > 0x9F) ? 64 : 0), glyphAdvance(code, next, proportional, visible, w));
  }
}
}  // namespace

void qgu_GLPrintText(GLuint fontTex, const double* colour, const char* text, double x,
                     double y, double z, int w, int h) {
  if (!text) return;
  beginText(fontTex, colour, x, y, z, w, h);
  int cellPx;
  bool proportional;
  if (fontGeometry(fontTex, &cellPx, &proportional)) {
    double line = 0;  // pen advance since the line start
    walkText(
        (const unsigned char*)text, proportional, w,
        [&](int cell, double step) {
          glyph(cell, w, h, cellPx);
          qgu_glTranslated(step, 0, 0);
          line += step;
        },
        [&]() {
          qgu_glTranslated(-line, h, 0);
          line = 0;
        });
  }
  endTextured();
}

int qgu_GLTextWidth(GLuint fontTex, const char* text, int w) {
  int cellPx;
  bool proportional;
  if (!text || !fontGeometry(fontTex, &cellPx, &proportional)) return 0;
  double line = 0, widest = 0;
  walkText(
      (const unsigned char*)text, proportional, w,
      [&](int, double step) {
        line += step;
        if (line > widest) widest = line;
      },
      [&]() { line = 0; });
  return (int)widest;
}

void qgu_GLPrintTextSP(GLuint fontTex, const double* colour, const char* text, double x,
                       double y, double z, int w, int h, int pitch) {
  if (!text) return;
  beginText(fontTex, colour, x, y, z, w, h);
  int cellPx;
  bool proportional;
  if (fontGeometry(fontTex, &cellPx, &proportional)) {
    const unsigned char* t = (const unsigned char*)text;
    bool kana = false;
    double line = 0;
    double step = (int)(pitch * w * 0.25);
    for (int i = 0; i < QGU_TEXT_MAX; i++) {
      unsigned c = t[i];
      if (c == 0) break;
      if (c == 0x12 || c == 0x13) {
        kana = (c == 0x12);
        continue;
      }
      if (c == 0x0D || c == 0x0A) {
        qgu_glTranslated(-line, h, 0);
        line = 0;
        continue;
      }
      glyph((int)c - 32 + ((kana && c > 0x9F) ? 64 : 0), w, h, cellPx);
      qgu_glTranslated(step, 0, 0);
      line += step;
    }
  }
  endTextured();
}

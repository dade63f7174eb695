// The real OpenGL door.
//
// Immediate-mode quads are cheap for the GL only while nothing changes between them: any
// change of matrix, blending, texturing or bound texture makes the driver flush its batch
// (a draw call each, which on a software rasteriser costs far more than the quad). So
// this module keeps the GL calls of the framework exactly as asked, but
//  - applies the model-view matrix on the CPU (the GL's own model-view stays as the
//    caller left it, normally identity), transforming every vertex before it is sent;
//  - defers GL_BLEND, GL_TEXTURE_2D and the blend function to the next glBegin and
//    sends only real changes;
//  - skips binds of the texture already bound, and answers texture-size questions from
//    the sizes it uploaded;
//  - sends quads as triangle pairs, which the rasteriser takes without conversion.
// The result on screen is the same as the plain calls; only the number of flushes drops.
#include <cmath>
#include <cstring>

#include "qgu_glcalls.h"

namespace {
// ---- Model-view emulation (column-major, as the GL stores it) ----------------------
struct Mat {
  double m[16];
};
const int kStackDepth = 64;
Mat stack[kStackDepth];
int top = 0;
// Pushes beyond the depth are not stored; they are counted so that their pops do not
// pop levels that belong to the pushes below them. Their pops go back to the matrix the
// first of them saw (the deepest level that can be kept).
int overflow = 0;
Mat overflowBase;
GLenum matrixMode = GL_MODELVIEW;
bool identity = true;  // the current CPU matrix is the identity

void setIdentity(Mat& a) {
  memset(a.m, 0, sizeof(a.m));
  a.m[0] = a.m[5] = a.m[10] = a.m[15] = 1.0;
}

// current = current * b
void multiply(const Mat& b) {
  Mat& a = stack[top];
  Mat r;
  for (int c = 0; c < 4; c++)
    for (int row = 0; row < 4; row++) {
      double s = 0;
      for (int k = 0; k < 4; k++) s += a.m[k * 4 + row] * b.m[c * 4 + k];
      r.m[c * 4 + row] = s;
    }
  a = r;
  identity = false;
}

// The stack starts with the identity even before any context exists.
struct IdentityAtStart {
  IdentityAtStart() { setIdentity(stack[0]); }
} identityAtStart;

bool modelview() { return matrixMode == GL_MODELVIEW; }

// ---- Deferred state ------------------------------------------------------------------
bool wantBlend = false, wantTex = false;
GLenum wantSrc = GL_ONE, wantDst = GL_ZERO;
bool haveBlend = false, haveTex = false;
GLenum haveSrc = GL_ONE, haveDst = GL_ZERO;
bool haveAlphaTest = false;
bool stateKnown = false;  // false: the next glBegin sends everything
const GLuint kUnknownTex = 0xFFFFFFFFu;
GLuint bound = kUnknownTex;

void applyState() {
  if (!stateKnown || wantBlend != haveBlend) {
    if (wantBlend)
      glEnable(GL_BLEND);
    else
      glDisable(GL_BLEND);
    haveBlend = wantBlend;
  }
  if (!stateKnown || wantTex != haveTex) {
    if (wantTex)
      glEnable(GL_TEXTURE_2D);
    else
      glDisable(GL_TEXTURE_2D);
    haveTex = wantTex;
  }
  if (!stateKnown || wantSrc != haveSrc || wantDst != haveDst) {
    glBlendFunc(wantSrc, wantDst);
    haveSrc = wantSrc;
    haveDst = wantDst;
  }
  // A fully transparent fragment changes nothing under these blends, so it is dropped
  // before blending: the software rasteriser then skips reading and writing the frame
  // buffer for it. Large mostly clear layers (hanging leaves, rain, the block layer's
  // empty cells) cost far less; the picture stays the same to the bit.
  const bool alphaTest = wantBlend && wantSrc == GL_SRC_ALPHA &&
                         (wantDst == GL_ONE_MINUS_SRC_ALPHA || wantDst == GL_ONE);
  if (!stateKnown || alphaTest != haveAlphaTest) {
    if (alphaTest) {
      glAlphaFunc(GL_GREATER, 0.0f);
      glEnable(GL_ALPHA_TEST);
    } else {
      glDisable(GL_ALPHA_TEST);
    }
    haveAlphaTest = alphaTest;
  }
  stateKnown = true;
}

// ---- Texture sizes -------------------------------------------------------------------
const GLuint kSizeSlots = 4096;
GLint texW[kSizeSlots], texH[kSizeSlots];
bool texKnown[kSizeSlots];
}  // namespace

// ---- Immediate mode --------------------------------------------------------------------
// Quads are sent as pairs of triangles (the software rasteriser would otherwise convert
// every batch of quads itself): the four corners are gathered with the texture
// coordinate and colour current at each, and sent as 0-1-2, 0-2-3.
namespace {
struct Corner {
  double x, y, z, uv[2], rgba[4];
};
bool inQuads = false;
Corner corners[4];
int cornerCount = 0;
double curUV[2] = {0, 0};
double curRGBA[4] = {1, 1, 1, 1};
bool currentKnown = false;  // false: the GL's current colour may differ from curRGBA

void sendCorner(const Corner& c) {
  glColor4dv(c.rgba);
  glTexCoord2dv(c.uv);
  glVertex3d(c.x, c.y, c.z);
}
}  // namespace

void qgu_glBegin(GLenum mode) {
  applyState();
  inQuads = (mode == GL_QUADS);
  cornerCount = 0;
  if (inQuads && !currentKnown) {
    double tc[4];
    glGetDoublev(GL_CURRENT_COLOR, curRGBA);
    glGetDoublev(GL_CURRENT_TEXTURE_COORDS, tc);
    curUV[0] = tc[0];
    curUV[1] = tc[1];
    currentKnown = true;
  }
  glBegin(inQuads ? GL_TRIANGLES : mode);
}
void qgu_glEnd() {
  glEnd();
  if (inQuads) {
    // Leave the GL's current values as the caller set them last.
    glColor4dv(curRGBA);
    glTexCoord2dv(curUV);
  }
  inQuads = false;
}
void qgu_glVertex3d(double x, double y, double z) {
  if (!identity) {
    const double* m = stack[top].m;
    double tx = m[0] * x + m[4] * y + m[8] * z + m[12];
    double ty = m[1] * x + m[5] * y + m[9] * z + m[13];
    double tz = m[2] * x + m[6] * y + m[10] * z + m[14];
    x = tx;
    y = ty;
    z = tz;
  }
  if (!inQuads) {
    glVertex3d(x, y, z);
    return;
  }
  Corner& c = corners[cornerCount++];
  c.x = x;
  c.y = y;
  c.z = z;
  memcpy(c.uv, curUV, sizeof(curUV));
  memcpy(c.rgba, curRGBA, sizeof(curRGBA));
  if (cornerCount == 4) {
    sendCorner(corners[0]);
    sendCorner(corners[1]);
    sendCorner(corners[2]);
    sendCorner(corners[0]);
    sendCorner(corners[2]);
    sendCorner(corners[3]);
    cornerCount = 0;
  }
}
void qgu_glVertex2d(double x, double y) { qgu_glVertex3d(x, y, 0.0); }
void qgu_glTexCoord2d(double u, double v) {
  curUV[0] = u;
  curUV[1] = v;
  if (!inQuads) glTexCoord2d(u, v);
}
void qgu_glColor4d(double r, double g, double b, double a) {
  curRGBA[0] = r;
  curRGBA[1] = g;
  curRGBA[2] = b;
  curRGBA[3] = a;
  if (!inQuads) glColor4d(r, g, b, a);
}
void qgu_glColor4dv(const double* rgba) { qgu_glColor4d(rgba[0], rgba[1], rgba[2], rgba[3]); }

void qgu_glForgetState() {
  stateKnown = false;
  currentKnown = false;
  bound = kUnknownTex;
}

void qgu_glResetStateCache() {
  qgu_glForgetState();
  top = 0;
  overflow = 0;
  setIdentity(stack[0]);
  identity = true;
  matrixMode = GL_MODELVIEW;
  memset(texKnown, 0, sizeof(texKnown));
}

// ---- Matrices ----------------------------------------------------------------------------
void qgu_glMatrixMode(GLenum mode) {
  matrixMode = mode;
  glMatrixMode(mode);
}
void qgu_glLoadIdentity() {
  if (!modelview()) {
    glLoadIdentity();
    return;
  }
  setIdentity(stack[top]);
  identity = true;
}
void qgu_glOrtho(double l, double r, double b, double t, double n, double f) {
  if (!modelview()) {
    glOrtho(l, r, b, t, n, f);
    return;
  }
  Mat o;
  setIdentity(o);
  o.m[0] = 2 / (r - l);
  o.m[5] = 2 / (t - b);
  o.m[10] = -2 / (f - n);
  o.m[12] = -(r + l) / (r - l);
  o.m[13] = -(t + b) / (t - b);
  o.m[14] = -(f + n) / (f - n);
  multiply(o);
}
void qgu_glPushMatrix() {
  if (!modelview()) {
    glPushMatrix();
    return;
  }
  if (top + 1 < kStackDepth) {
    stack[top + 1] = stack[top];
    top++;
  } else {
    if (overflow == 0) overflowBase = stack[top];
    overflow++;
  }
}
void qgu_glPopMatrix() {
  if (!modelview()) {
    glPopMatrix();
    return;
  }
  if (overflow > 0) {
    overflow--;
    stack[top] = overflowBase;
  } else if (top > 0) {
    top--;
  }
  const double* m = stack[top].m;
  identity = m[0] == 1 && m[5] == 1 && m[10] == 1 && m[15] == 1 && m[1] == 0 && m[2] == 0 &&
             m[4] == 0 && m[6] == 0 && m[8] == 0 && m[9] == 0 && m[12] == 0 && m[13] == 0 &&
             m[14] == 0 && m[3] == 0 && m[7] == 0 && m[11] == 0;
}
void qgu_glTranslated(double x, double y, double z) {
  if (!modelview()) {
    glTranslated(x, y, z);
    return;
  }
  if (x == 0 && y == 0 && z == 0) return;
  double* m = stack[top].m;
  m[12] += m[0] * x + m[4] * y + m[8] * z;
  m[13] += m[1] * x + m[5] * y + m[9] * z;
  m[14] += m[2] * x + m[6] * y + m[10] * z;
  m[15] += m[3] * x + m[7] * y + m[11] * z;
  identity = false;
}
void qgu_glRotated(double deg, double x, double y, double z) {
  if (!modelview()) {
    glRotated(deg, x, y, z);
    return;
  }
  double len = sqrt(x * x + y * y + z * z);
  if (deg == 0 || len == 0) return;
  x /= len;
  y /= len;
  z /= len;
  double a = deg * 3.14159265358979323846 / 180.0, c = cos(a), s = sin(a), k = 1 - c;
  Mat r;
  setIdentity(r);
  r.m[0] = x * x * k + c;
  r.m[1] = y * x * k + z * s;
  r.m[2] = x * z * k - y * s;
  r.m[4] = x * y * k - z * s;
  r.m[5] = y * y * k + c;
  r.m[6] = y * z * k + x * s;
  r.m[8] = x * z * k + y * s;
  r.m[9] = y * z * k - x * s;
  r.m[10] = z * z * k + c;
  multiply(r);
}
void qgu_glScaled(double x, double y, double z) {
  if (!modelview()) {
    glScaled(x, y, z);
    return;
  }
  double* m = stack[top].m;
  for (int i = 0; i < 4; i++) {
    m[i] *= x;
    m[4 + i] *= y;
    m[8 + i] *= z;
  }
  identity = false;
}

// ---- State ---------------------------------------------------------------------------------
void qgu_glEnable(GLenum cap) {
  if (cap == GL_BLEND)
    wantBlend = true;
  else if (cap == GL_TEXTURE_2D)
    wantTex = true;
  else
    glEnable(cap);
}
void qgu_glDisable(GLenum cap) {
  if (cap == GL_BLEND)
    wantBlend = false;
  else if (cap == GL_TEXTURE_2D)
    wantTex = false;
  else
    glDisable(cap);
}
void qgu_glBlendFunc(GLenum src, GLenum dst) {
  wantSrc = src;
  wantDst = dst;
}
void qgu_glViewport(int x, int y, int w, int h) { glViewport(x, y, w, h); }
void qgu_glClearColor(double r, double g, double b, double a) {
  glClearColor((GLclampf)r, (GLclampf)g, (GLclampf)b, (GLclampf)a);
}
void qgu_glClear(GLbitfield mask) { glClear(mask); }
GLenum qgu_glGetError() { return glGetError(); }
void qgu_glFlush() { glFlush(); }
void qgu_glFinish() { glFinish(); }
void qgu_glReadPixels(int x, int y, int w, int h, GLenum format, GLenum type, void* out) {
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, w, h, format, type, out);
}

// ---- Textures ----------------------------------------------------------------------------
GLuint qgu_glGenTexture() {
  GLuint tex = 0;
  glGenTextures(1, &tex);
  if (tex < kSizeSlots) texKnown[tex] = false;
  return tex;
}
void qgu_glDeleteTexture(GLuint tex) {
  glDeleteTextures(1, &tex);
  if (tex < kSizeSlots) texKnown[tex] = false;
  if (tex == bound) bound = 0;  // the GL falls back to the default texture
}
void qgu_glBindTexture(GLuint tex) {
  if (tex == bound) return;
  glBindTexture(GL_TEXTURE_2D, tex);
  bound = tex;
}
void qgu_glTexFilter(GLint filter) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}
void qgu_glTexImage2D(GLint internalFormat, int w, int h, GLenum format, GLenum type,
                      const void* pixels) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, w, h, 0, format, type, pixels);
  if (bound != kUnknownTex && bound < kSizeSlots) {
    texW[bound] = w;
    texH[bound] = h;
    texKnown[bound] = true;
  }
}
void qgu_glTexSubImage2D(int x, int y, int w, int h, GLenum format, GLenum type,
                         const void* pixels) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, w, h, format, type, pixels);
}
void qgu_glGetBoundTexSize(GLint* w, GLint* h) {
  if (bound != kUnknownTex && bound < kSizeSlots && texKnown[bound]) {
    *w = texW[bound];
    *h = texH[bound];
    return;
  }
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, w);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, h);
}

bool qgu_glIsReal() { return true; }

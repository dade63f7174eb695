// The null OpenGL door: draws nothing. Texture names count up from 1 and the sizes of
// uploaded textures are remembered, so callers that ask for them get plausible answers.
#include "qgu_glcalls.h"

namespace {
const GLuint kTrackedNames = 4096;
GLuint nextName = 1;
GLuint boundTex = 0;
GLint texW[kTrackedNames];
GLint texH[kTrackedNames];
}  // namespace

void qgu_glBegin(GLenum) {}
void qgu_glEnd() {}
void qgu_glVertex2d(double, double) {}
void qgu_glVertex3d(double, double, double) {}
void qgu_glTexCoord2d(double, double) {}
void qgu_glColor4d(double, double, double, double) {}
void qgu_glColor4dv(const double*) {}

void qgu_glMatrixMode(GLenum) {}
void qgu_glLoadIdentity() {}
void qgu_glOrtho(double, double, double, double, double, double) {}
void qgu_glPushMatrix() {}
void qgu_glPopMatrix() {}
void qgu_glTranslated(double, double, double) {}
void qgu_glRotated(double, double, double, double) {}
void qgu_glScaled(double, double, double) {}

void qgu_glEnable(GLenum) {}
void qgu_glDisable(GLenum) {}
void qgu_glBlendFunc(GLenum, GLenum) {}
void qgu_glViewport(int, int, int, int) {}
void qgu_glClearColor(double, double, double, double) {}
void qgu_glClear(GLbitfield) {}
GLenum qgu_glGetError() { return GL_NO_ERROR; }
void qgu_glFlush() {}
void qgu_glFinish() {}
void qgu_glReadPixels(int, int, int w, int h, GLenum, GLenum type, void* out) {
  // Nothing was drawn: report black, transparent pixels (RGBA bytes assumed at most).
  if (out && w > 0 && h > 0 && type == GL_UNSIGNED_BYTE) {
    unsigned char* p = static_cast<unsigned char*>(out);
    for (long i = 0; i < (long)w * h * 4; i++) p[i] = 0;
  }
}

GLuint qgu_glGenTexture() { return nextName++; }
void qgu_glDeleteTexture(GLuint tex) {
  if (tex < kTrackedNames) texW[tex] = texH[tex] = 0;
}
void qgu_glBindTexture(GLuint tex) { boundTex = tex; }
void qgu_glTexFilter(GLint) {}
void qgu_glTexImage2D(GLint, int w, int h, GLenum, GLenum, const void*) {
  if (boundTex != 0 && boundTex < kTrackedNames) {
    texW[boundTex] = w;
    texH[boundTex] = h;
  }
}
void qgu_glTexSubImage2D(int, int, int, int, GLenum, GLenum, const void*) {}
void qgu_glGetBoundTexSize(GLint* w, GLint* h) {
  bool known = boundTex != 0 && boundTex < kTrackedNames;
  if (w) *w = known ? texW[boundTex] : 0;
  if (h) *h = known ? texH[boundTex] : 0;
}

bool qgu_glIsReal() { return false; }

void qgu_glForgetState() {}
void qgu_glResetStateCache() { boundTex = 0; }

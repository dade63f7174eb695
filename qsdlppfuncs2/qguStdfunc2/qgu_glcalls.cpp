// The real OpenGL door: each wrapper forwards to the fixed-pipeline call of the same name.
#include "qgu_glcalls.h"

void qgu_glBegin(GLenum mode) { glBegin(mode); }
void qgu_glEnd() { glEnd(); }
void qgu_glVertex2d(double x, double y) { glVertex2d(x, y); }
void qgu_glVertex3d(double x, double y, double z) { glVertex3d(x, y, z); }
void qgu_glTexCoord2d(double u, double v) { glTexCoord2d(u, v); }
void qgu_glColor4d(double r, double g, double b, double a) { glColor4d(r, g, b, a); }
void qgu_glColor4dv(const double* rgba) { glColor4dv(rgba); }

void qgu_glMatrixMode(GLenum mode) { glMatrixMode(mode); }
void qgu_glLoadIdentity() { glLoadIdentity(); }
void qgu_glOrtho(double l, double r, double b, double t, double n, double f) {
  glOrtho(l, r, b, t, n, f);
}
void qgu_glPushMatrix() { glPushMatrix(); }
void qgu_glPopMatrix() { glPopMatrix(); }
void qgu_glTranslated(double x, double y, double z) { glTranslated(x, y, z); }
void qgu_glRotated(double deg, double x, double y, double z) { glRotated(deg, x, y, z); }
void qgu_glScaled(double x, double y, double z) { glScaled(x, y, z); }

void qgu_glEnable(GLenum cap) { glEnable(cap); }
void qgu_glDisable(GLenum cap) { glDisable(cap); }
void qgu_glBlendFunc(GLenum src, GLenum dst) { glBlendFunc(src, dst); }
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

GLuint qgu_glGenTexture() {
  GLuint tex = 0;
  glGenTextures(1, &tex);
  return tex;
}
void qgu_glDeleteTexture(GLuint tex) { glDeleteTextures(1, &tex); }
void qgu_glBindTexture(GLuint tex) { glBindTexture(GL_TEXTURE_2D, tex); }
void qgu_glTexFilter(GLint filter) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}
void qgu_glTexImage2D(GLint internalFormat, int w, int h, GLenum format, GLenum type,
                      const void* pixels) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, w, h, 0, format, type, pixels);
}
void qgu_glTexSubImage2D(int x, int y, int w, int h, GLenum format, GLenum type,
                         const void* pixels) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, w, h, format, type, pixels);
}
void qgu_glGetBoundTexSize(GLint* w, GLint* h) {
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, w);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, h);
}

bool qgu_glIsReal() { return true; }

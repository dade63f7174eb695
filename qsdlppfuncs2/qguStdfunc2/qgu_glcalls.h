// The one door through which the framework talks to OpenGL.
//
// Every OpenGL call the framework makes goes through these thin wrappers. Two modules
// implement them: qgu_glcalls.cpp (library qsdlpp_glreal) forwards to the real GL, and
// qgu_glcalls_null.cpp (library qsdlpp_glnull) draws nothing and answers harmlessly, so
// that game logic and sprite queueing run unchanged in fast window-less runs.
// GL constants (GL_QUADS, GL_RGBA, ...) come from the system header as usual.
//
// Model-view matrix operations (in GL_MODELVIEW mode) are applied to the vertices by the
// module; projection operations go to the GL. Code that talks to the GL directly (for
// example with GLU) composes with this as usual, as long as it does not change the GL's
// model-view matrix between a push and its pop here.
#ifndef QGU_GLCALLS_H
#define QGU_GLCALLS_H

#include <GL/gl.h>

// Immediate mode.
void qgu_glBegin(GLenum mode);
void qgu_glEnd();
void qgu_glVertex2d(double x, double y);
void qgu_glVertex3d(double x, double y, double z);
void qgu_glTexCoord2d(double u, double v);
void qgu_glColor4d(double r, double g, double b, double a);
void qgu_glColor4dv(const double* rgba);

// Matrices.
void qgu_glMatrixMode(GLenum mode);
void qgu_glLoadIdentity();
void qgu_glOrtho(double l, double r, double b, double t, double n, double f);
void qgu_glPushMatrix();
void qgu_glPopMatrix();
void qgu_glTranslated(double x, double y, double z);
void qgu_glRotated(double deg, double x, double y, double z);
void qgu_glScaled(double x, double y, double z);

// State.
void qgu_glEnable(GLenum cap);
void qgu_glDisable(GLenum cap);
void qgu_glBlendFunc(GLenum src, GLenum dst);
void qgu_glViewport(int x, int y, int w, int h);
void qgu_glClearColor(double r, double g, double b, double a);
void qgu_glClear(GLbitfield mask);
GLenum qgu_glGetError();
void qgu_glFlush();
void qgu_glFinish();
void qgu_glReadPixels(int x, int y, int w, int h, GLenum format, GLenum type, void* out);

// Textures.
GLuint qgu_glGenTexture();
void qgu_glDeleteTexture(GLuint tex);
void qgu_glBindTexture(GLuint tex);  // GL_TEXTURE_2D
void qgu_glTexFilter(GLint filter);  // both minification and magnification
void qgu_glTexImage2D(GLint internalFormat, int w, int h, GLenum format, GLenum type,
                      const void* pixels);
void qgu_glTexSubImage2D(int x, int y, int w, int h, GLenum format, GLenum type,
                         const void* pixels);
// Width and height of level 0 of the texture bound to GL_TEXTURE_2D.
void qgu_glGetBoundTexSize(GLint* w, GLint* h);

// The module remembers the bound texture, GL_BLEND, GL_TEXTURE_2D and the blend function
// to skip repeated calls. Code that changes those with direct GL calls must call
// qgu_glForgetState() afterwards. qgu_glResetStateCache() also resets the model-view
// stack; it is called whenever a new context is made.
void qgu_glForgetState();
void qgu_glResetStateCache();

// True in the real module, false in the null one (for tests that must know).
bool qgu_glIsReal();

#endif

// Shared between the files of the graphics layer only.
#ifndef QGU_GLIMAGEHDLFUNC_INTERNAL_H
#define QGU_GLIMAGEHDLFUNC_INTERNAL_H

#include "qgu_glImageHdlfunc.h"

namespace qgu_gfx {
// Binds tex and remembers it as the last bound texture.
void bindTexture(GLuint tex);
// Size of the texture currently bound (0 x 0 when none or unknown).
void boundTexSize(int* w, int* h);
}  // namespace qgu_gfx

#endif

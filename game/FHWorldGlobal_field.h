// Placing sprites on the play field (FHWGBL::putSprite family). Screen forms take dots of
// the 320 x 240 screen; the ...byField forms take field units (hundredths of a dot) and
// convert them with the map's wrap-around, so an actor just across the seam left of or
// above the view gets a small negative screen position. Patterns above 1567 place no
// sprite (nullptr).
#pragma once

#include "qsdlpp2_GLobject@image.h"

namespace FHWGBL {

QSDLpp_GLSprite* putSprite(double x, double y, int layer, int w, int h, int rot, int patt, int unused = 0);
QSDLpp_GLSprite* putSpriteEx(double x, double y, int layer, int rot, int drawType, int patt,
                             const double* colour);
QSDLpp_GLSprite* putSpriteEx(double x, double y, int layer, int w, int h, int drawType, int patt,
                             const double* colour);
QSDLpp_GLSprite* putSpriteLP0byField(int x, int y, int layer, int w, int h, int rot, int patt,
                                     int unused = 0);
QSDLpp_GLSprite* putSpriteLP0ExbyField(int x, int y, int layer, int rot, int drawType, int patt,
                                       const double* colour);
QSDLpp_GLSprite* putSpriteLP0ExbyField(int x, int y, int layer, int w, int h, int drawType, int patt,
                                       const double* colour);

// Field position to screen dots with the wrap corrections.
void fieldToScreen(int x, int y, double* sx, double* sy);

}  // namespace FHWGBL

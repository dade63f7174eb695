// Small visual effects shared by the shots, the hit and explosion code and the dog:
// bursts, sparks, trails, score numbers and translucent boxes for the rect view. All
// positions are field units (hundredths of a dot); every effect is a decoration or a
// sprite of this frame, nothing else.
#pragma once

#include "FHobjectCtrl.h"

namespace FHFx {

// The world's decoration pool.
DecorateCtrlCls& deco();

// A ring of n sparks flying out from (x, y).
void burst(int x, int y, int n);
// One growing burst picture at (x, y), `big` for the large one.
void pop(int x, int y, bool big);
// A short additive spark at (x, y).
void spark(int x, int y);
// A fading copy of pattern `patt` at (x, y): size in percent, additive when `additive`.
void trail(int x, int y, int patt, int size, int rot, double alpha, bool additive);
// A score number rising from (x, y).
void scoreSign(int x, int y, int points);
// Pieces of a destroyed object's picture: spinning, thrown sideways by `dirX`.
void debris(int x, int y, int patt, int dirX);
// A map object of `kind` at (x, y) with speed (vx, vy), param and starting count
// (work5), through the object pool.
int appear(int x, int y, int vx, int vy, int kind, int param, int count);
// A translucent rectangle over the field for the rect view (box offsets from (x, y)).
void fieldBox(int x, int y, const rRect& r, const double* colour);
// A ring sprite centred at (x, y) on `layer`, `size` dots across.
void fieldRing(int x, int y, int layer, int size, const double* colour);

}  // namespace FHFx

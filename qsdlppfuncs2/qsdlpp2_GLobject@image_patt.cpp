// The tile pattern layer: two planes of 32 x 32 tiles, each plane one 512 x 512 texture.
// A tile is copied into its plane only when its cell changes (or when forced).
#include <cstring>

#include "qsdlpp2_GLobject@image.h"

namespace {
// A cell value no pattern can have (patterns keep 10 bits), so the first put of every
// cell always uploads its tile.
const uint32_t kUnset = 0xFFFFFFFFu;
}  // namespace

QSDLpp_GLPattSys::QSDLpp_GLPattSys() : source(nullptr), hidden(false), uploadCount(0) {
  for (auto& plane : cells)
    for (auto& row : plane)
      for (uint32_t& c : row) c = kUnset;
  planeTex[0] = planeTex[1] = 0;
}

GLuint QSDLpp_GLPattSys::initi() {
  hidden = false;
  for (int p = 0; p < PLANES; p++) {
    qgu_NewFreeTexture(TEX_SIZE, TEX_SIZE, &planeTex[p], GL_RGBA, false);
    for (auto& row : cells[p])
      for (uint32_t& c : row) c = kUnset;
  }
  return planeTex[0];
}

void QSDLpp_GLPattSys::setsocImg(int resID) { source = qgu_GetRawImageInfoReorg(resID, 16, 16); }
void QSDLpp_GLPattSys::setsocImg(const char* path) {
  source = qgu_NewRawImageFromPicName(path, 16, 16);
}

void QSDLpp_GLPattSys::put(int column, int row, uint32_t pattern, int plane, bool force) {
  if (plane < 0 || plane >= PLANES) return;
  column &= 31;
  row &= 31;
  uint32_t tile = pattern & 0x3FF;
  uint32_t& cell = cells[plane][row][column];
  if (!force && cell == tile) return;
  if (!source) return;  // nothing to copy yet; the cell stays unset
  cell = tile;
  if (qgu_PutRowImageToTex(source, planeTex[plane], column * TILE, row * TILE, (int)tile) == 0)
    uploadCount++;
}

void QSDLpp_GLPattSys::drawPlane(double x, double y, int scrollX, int scrollY, int plane,
                                 const double* col) {
  if (hidden || plane < 0 || plane >= PLANES) return;
  int uL = scrollX & 0x1FF;
  int vT = (scrollY >= -31 && scrollY <= 511) ? scrollY : (scrollY & 0x1FF);
  if (col)
    qgu_GLDrawTexWithAreaAndColor(planeTex[plane], uL, vT, 384, 512, col, x, y, 0);
  else
    qgu_GLDrawTexWithArea(planeTex[plane], uL, vT, 384, 512, x, y, 0);
}

void QSDLpp_GLPattSys::update(double x, double y, int scrollX, int scrollY, int plane, int) {
  drawPlane(x, y, scrollX, scrollY, plane, nullptr);
}

void QSDLpp_GLPattSys::updateWithColor(double x, double y, int scrollX, int scrollY, int plane,
                                       int) {
  drawPlane(x, y, scrollX, scrollY, plane, GLtgray);
}

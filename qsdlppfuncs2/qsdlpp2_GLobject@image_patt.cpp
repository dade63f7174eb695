// The tile pattern layer: two planes of 32 x 32 tiles, each plane one 512 x 512 texture.
// A tile is copied only when its cell changes (or when forced), into the plane's pixel
// buffer; the changed rows go to the texture in one upload before the plane is drawn.
#include <cstdlib>
#include <cstring>

#include "qsdlpp2_GLobject@image.h"

namespace {
// A cell value no pattern can have (patterns keep 10 bits), so the first put of every
// cell always copies its tile.
const uint32_t kUnset = 0xFFFFFFFFu;
const int kRowBytes = QSDLpp_GLPattSys::TEX_SIZE * 4;
}  // namespace

QSDLpp_GLPattSys::QSDLpp_GLPattSys() : source(nullptr), hidden(false), uploadCount(0) {
  for (auto& plane : cells)
    for (auto& row : plane)
      for (uint32_t& c : row) c = kUnset;
  for (int p = 0; p < PLANES; p++) {
    planeTex[p] = 0;
    pixels[p] = nullptr;
    dirtyTop[p] = ROWS;
    dirtyBottom[p] = 0;
  }
}

GLuint QSDLpp_GLPattSys::initi() {
  hidden = false;
  for (int p = 0; p < PLANES; p++) {
    qgu_NewFreeTexture(TEX_SIZE, TEX_SIZE, &planeTex[p], GL_RGBA, false);
    // The pixel buffers are made once and kept for the life of the program.
    if (!pixels[p]) pixels[p] = (unsigned char*)calloc((size_t)TEX_SIZE * kRowBytes, 1);
    else memset(pixels[p], 0, (size_t)TEX_SIZE * kRowBytes);
    dirtyTop[p] = ROWS;
    dirtyBottom[p] = 0;
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
  if (!source || !source->pixels || tile >= source->cellCount) return;  // nothing to copy
  cell = tile;
  uploadCount++;
  if (!pixels[plane] || source->cellWidth != TILE || source->cellHeight != TILE) {
    // No buffer (layer not initialised) or a sheet cut otherwise: copy straight away.
    qgu_PutRowImageToTex(source, planeTex[plane], column * TILE, row * TILE, (int)tile);
    return;
  }
  const unsigned char* src = (const unsigned char*)source->pixels + (size_t)tile * TILE * TILE * 4;
  unsigned char* dst = pixels[plane] + (size_t)row * TILE * kRowBytes + column * TILE * 4;
  for (int y = 0; y < TILE; y++) memcpy(dst + y * kRowBytes, src + y * TILE * 4, TILE * 4);
  if (row < dirtyTop[plane]) dirtyTop[plane] = row;
  if (row + 1 > dirtyBottom[plane]) dirtyBottom[plane] = row + 1;
}

void QSDLpp_GLPattSys::flush(int plane) {
  if (plane < 0 || plane >= PLANES || !pixels[plane] || dirtyTop[plane] >= dirtyBottom[plane])
    return;
  int y0 = dirtyTop[plane] * TILE, rows = (dirtyBottom[plane] - dirtyTop[plane]) * TILE;
  qgu_glBindTexture(planeTex[plane]);
  qgu_forgetBoundTexture();
  qgu_glTexSubImage2D(0, y0, TEX_SIZE, rows, GL_RGBA, GL_UNSIGNED_BYTE,
                      pixels[plane] + (size_t)y0 * kRowBytes);
  dirtyTop[plane] = ROWS;
  dirtyBottom[plane] = 0;
}

void QSDLpp_GLPattSys::drawPlane(double x, double y, int scrollX, int scrollY, int plane,
                                 const double* col) {
  if (plane < 0 || plane >= PLANES) return;
  flush(plane);
  if (hidden) return;
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

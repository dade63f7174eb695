#include "gfx_support.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "../unit/core_testutil.h"
#include "qgu_fileutil.h"

namespace gfxtest {

void Picture::fillRect(int x0, int y0, int x1, int y1, RGBA c) {
  for (int y = y0; y < y1; y++)
    for (int x = x0; x < x1; x++) at(x, y) = c;
}

void ensureWorld() {
  static bool ready = false;
  if (ready) return;
  ready = true;
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  qgu_initGLImageHdlfunc();
  qgu_setGammmaCorrect(false);
  qgu_initNewGLworld("gfx test", rRect{0, 0, 240, 320}, 0);
  ASSERT_NE(qgu_getTargetWindow(), nullptr);
}

void clearFrame() {
  qgu_glClearColor(0, 0, 0, 1);
  qgu_glClear(GL_COLOR_BUFFER_BIT);
  qgu_glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  QSDLpp_GLSpriteFuncs::emptyList();
}

RGBA pixel(int x, int y) {
  unsigned char p[4] = {0, 0, 0, 0};
  qgu_glReadPixels(x, QGU_SCREEN_H - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  return RGBA{p[0], p[1], p[2], p[3]};
}

std::string tempDir() {
  static coretest::ScratchDir dir;  // removed with its files when the program ends
  return dir.path();
}

static SDL_Surface* toSurface(const Picture& p) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, p.w, p.h, 32, SDL_PIXELFORMAT_RGBA32);
  for (int y = 0; y < p.h; y++)
    for (int x = 0; x < p.w; x++) {
      unsigned char* d = (unsigned char*)s->pixels + y * s->pitch + x * 4;
      const RGBA& c = p.px[y * p.w + x];
      d[0] = c.r;
      d[1] = c.g;
      d[2] = c.b;
      d[3] = c.a;
    }
  return s;
}

std::string savePNG(const Picture& p, const std::string& name) {
  std::string path = tempDir() + "/" + name;
  SDL_Surface* s = toSurface(p);
  EXPECT_EQ(IMG_SavePNG(s, path.c_str()), 0) << IMG_GetError();
  SDL_FreeSurface(s);
  return path;
}

std::vector<uint8_t> encodePNG(const Picture& p) {
  static int serial = 0;
  return coretest::readAll(savePNG(p, "enc" + std::to_string(serial++) + ".png"));
}

std::string loadContainer(const std::string& name, const std::vector<PicRecord>& pics) {
  std::vector<coretest::StoredRecord> recs;
  for (const PicRecord& r : pics) recs.push_back(coretest::invertedRecord(QGU_RES::PNGf, r.id, r.bytes));
  std::string path = tempDir() + "/" + name;
  coretest::writeAll(path, coretest::buildContainer(recs));
  EXPECT_NE(qgu_loadResource(path.c_str()), nullptr) << path;
  return path;
}

RGBA cellColour(int cell) {
  return RGBA{(uint8_t)(40 + (cell & 15) * 13), (uint8_t)(40 + (cell >> 4) * 13), 200, 255};
}

int cellOf(RGBA c) {
  if (c.b != 200) return -1;
  int lo = c.r - 40, hi = c.g - 40;
  if (lo < 0 || hi < 0 || lo % 13 || hi % 13) return -1;
  return (hi / 13) * 16 + lo / 13;
}

Picture cellPicture(int w, int h, int cell) {
  Picture p(w, h);
  const int perRow = w / cell;
  for (int k = 0; k < perRow * (h / cell); k++)
    p.fillRect((k % perRow) * cell, (k / perRow) * cell, (k % perRow + 1) * cell, (k / perRow + 1) * cell, cellColour(k));
  return p;
}

void beginCapture() {
  fflush(stdout);
  testing::internal::CaptureStdout();
}
std::string endCapture() {
  fflush(stdout);
  return testing::internal::GetCapturedStdout();
}

}  // namespace gfxtest

#include "gfx_support.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

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
  static std::string dir;
  if (dir.empty()) {
    char tmpl[] = "/tmp/fhgfxXXXXXX";
    char* d = mkdtemp(tmpl);
    if (d) {
      dir = d;
      std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
      });
    } else {
      dir = "/tmp";
    }
  }
  return dir;
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
  std::string path = savePNG(p, "enc" + std::to_string(serial++) + ".png");
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

static void put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int s = 24; s >= 0; s -= 8) v.push_back((uint8_t)(x >> s));
}

std::string loadContainer(const std::string& name, const std::vector<PicRecord>& pics) {
  std::vector<uint8_t> file(12, 0), data;
  put32(file, (uint32_t)pics.size());
  for (const PicRecord& r : pics) {
    put32(file, QGU_RES::PNGf);
    put32(file, (uint32_t)r.id);
    put32(file, (uint32_t)data.size());
    put32(file, (uint32_t)r.bytes.size());
    std::vector<uint8_t> b = r.bytes;
    for (size_t i = 0; i < 64 && i < b.size(); i++) b[i] = (uint8_t)~b[i];  // stored inverted
    data.insert(data.end(), b.begin(), b.end());
  }
  file.insert(file.end(), data.begin(), data.end());
  std::string path = tempDir() + "/" + name;
  std::ofstream(path, std::ios::binary).write((const char*)file.data(), file.size());
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

Picture fontPicture() {
  Picture p(256, 256);
  for (int k = 0; k < 256; k++)
    p.fillRect((k % 16) * 16, (k / 16) * 16, (k % 16) * 16 + 16, (k / 16) * 16 + 16, cellColour(k));
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

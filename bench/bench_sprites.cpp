// One play frame of the graphics layer under Xvfb: 511 atlas sprites, the full 21 x 18
// tile layer (about half of its cells changing every frame) and two lines of text.
// Run: xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_sprites
// The first argument is the window scale in percent (the game's default is 300); the
// second picks parts of the frame (0 all, 1 sprites, 2 tiles, 4 text, 8 none).
#include <SDL.h>
#include <SDL_image.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "qsdlpp2_GLobject@image.h"

namespace {
typedef QSDLpp_GLSpriteFuncs SF;

QSDLpp_GLPattSys tiles;
bool ready = false;

// A picture of w x h pixels cut into cells of `cell` pixels, each cell a framed disc.
GLuint makeAtlas(int w, int h, int cell, const char* name) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_RGBA32);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      unsigned char* p = (unsigned char*)s->pixels + y * s->pitch + x * 4;
      int cx = x % cell - cell / 2, cy = y % cell - cell / 2, k = (y / cell) * (w / cell) + x / cell;
      bool in = cx * cx + cy * cy < cell * cell / 5;
      p[0] = (unsigned char)(k * 37);
      p[1] = (unsigned char)(k * 91);
      p[2] = (unsigned char)(255 - k * 13);
      p[3] = in ? 255 : 0;
    }
  char path[256];
  snprintf(path, sizeof(path), "/tmp/fhbench_%s.png", name);
  IMG_SavePNG(s, path);
  SDL_FreeSurface(s);
  return GLO::makeMasterTexFromX(path, false);
}

bool setUp() {
  if (ready) return true;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
  QSDLpp_ImageUtil_Cls images;
  qgu_initNewGLworld("bench", rRect{0, 0, 720, 960}, 0);
  if (!qgu_getTargetWindow()) return false;
  SF::setSpriteFromTxNum(GLO::Size16, makeAtlas(256, 512, 16, "a16"));
  SF::setSpriteFromTxNum(GLO::Size32, makeAtlas(512, 1024, 32, "a32"));
  SF::setSpriteFromTxNum(GLO::Size64A, makeAtlas(1024, 1024, 64, "a64"));
  QSDLpp_GLTextFuncs::setGFontFromTxNum(0, makeAtlas(256, 256, 16, "font"));
  tiles.initi();
  tiles.setsocImg("/tmp/fhbench_a32.png");  // any sheet of whole 16-pixel tiles
  ready = tiles.source != nullptr;
  return ready;
}

void queueSprites(int frame) {
  for (int i = 0; i < 511; i++) {
    QSDLpp_GLSprite* s = SF::getNextObjAndInc();
    double x = (i * 37 + frame * 3) % 336 - 16, y = (i * 53 + frame) % 256 - 16;
    // Mostly 16-pixel sprites (coins, shots, sparks), some 32, a few 64.
    int patt = i % 32 == 0 ? 1024 + (i % 200) : i % 4 == 3 ? 512 + (i % 400) : 1 + (i * 7) % 500;
    s->put0(x, y, i % 6 - 1 + (i % 13 == 0 ? 6 : 0), patt);
    if (i % 5 == 0) s->setSize(-100, 100);  // mirrored
    if (i % 7 == 0) s->setRot(frame * 4 + i);
    if (i % 11 == 0) s->setColor(1.0, 0.6);
  }
}
}  // namespace

static void BM_SpriteFrame(benchmark::State& state) {
  if (!setUp()) {
    state.SkipWithError("no GL window (run under xvfb-run)");
    return;
  }
  int scale = (int)state.range(0);
  int parts = state.range(1) ? (int)state.range(1) : 7;  // 1 sprites, 2 tiles, 4 text
  qgu_glViewport(0, 0, 320 * scale / 100, 240 * scale / 100);
  int frame = 0;
  uint32_t uploadsBefore = tiles.uploads();
  for (auto _ : state) {
    qgu_glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (parts & 1) queueSprites(frame);
    SF::updateLowest(0, 0);
    SF::updateNoReset(0, 0);
    if (parts & 2)
    for (int r = 0; r < 18; r++)
      for (int c = 0; c < 21; c++) {
        // A quarter of the cells take a new tile each frame and go back the next one; the
        // rest are puts of the same tile.
        uint32_t p = 1 + ((r * 21 + c) * 5 + ((c + r) % 4 == frame % 4 ? frame : 0)) % 900;
        tiles.put(c, r, p, 0, false);
      }
    if (parts & 2) tiles.update(-3, -16, 5, 7, 0, 0);
    SF::updateHighest(0, 0);
    if (parts & 4) QSDLpp_GLTextFuncs::drawGLString(8, 8, 0, 8, 8, 0, GLwhite, "SCORE 0001234  GOLD 250  TIME 3:12");
    if (parts & 4) QSDLpp_GLTextFuncs::drawGLString(8, 220, 0, 16, 16, 0, GLyellow, "Fernhollow field 1-2");
    qgu_glFinish();
    frame++;
  }
  state.counters["tile_uploads"] = benchmark::Counter(tiles.uploads() - uploadsBefore, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SpriteFrame)->Args({100, 8})->Args({100, 0})->Args({100, 1})->Args({100, 2})->Args({100, 4})->Args({300, 0})->Unit(benchmark::kMillisecond)->UseRealTime();

// Reference: the raw fill rate of this GL for textured, blended quads (ten full logical
// screens per iteration), to judge the frame figures above.
static void BM_FillReference(benchmark::State& state) {
  if (!setUp()) {
    state.SkipWithError("no GL window (run under xvfb-run)");
    return;
  }
  qgu_glViewport(0, 0, 320, 240);
  for (auto _ : state) {
    qgu_glClear(GL_COLOR_BUFFER_BIT);
    for (int i = 0; i < 10; i++)
      qgu_GLDrawTexWithAreaAndColor(SF::getTextureNum(GLO::Size32), 0, 0, 320, 240, GLtrans, 0, 0, 0);
    qgu_glFinish();
  }
  state.counters["Mpixels/s"] =
      benchmark::Counter(320.0 * 240 * 10 / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FillReference)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();

// Helpers of the graphics tests: one GL world per test program, pictures made in code
// (saved as PNG files or packed into resource containers) and pixels read back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"

namespace gfxtest {

struct RGBA {
  uint8_t r, g, b, a;
  bool operator==(const RGBA& o) const { return r == o.r && g == o.g && b == o.b; }
};

// A picture in memory, row-major RGBA.
struct Picture {
  int w = 0, h = 0;
  std::vector<RGBA> px;
  Picture(int w_, int h_, RGBA fill = {0, 0, 0, 255}) : w(w_), h(h_), px(w_ * h_, fill) {}
  RGBA& at(int x, int y) { return px[y * w + x]; }
  void fillRect(int x0, int y0, int x1, int y1, RGBA c);  // [x0, x1) x [y0, y1)
};

const RGBA kBlack{0, 0, 0, 255}, kWhite{255, 255, 255, 255};

// Opens the 320 x 240 window once (scale 1: one logical pixel per window pixel), with
// brightening off. Call from every test's SetUp.
void ensureWorld();
// Clears the frame to opaque black and resets the blend state and the sprite list.
void clearFrame();
// Colour of logical pixel (x, y) (y downwards) of the frame being drawn.
RGBA pixel(int x, int y);

std::string tempDir();
std::string savePNG(const Picture& p, const std::string& name);  // returns the path
std::vector<uint8_t> encodePNG(const Picture& p);

// Writes a container holding the given pictures as 'PNGf' records and loads it into the
// registry. Returns the container path.
struct PicRecord {
  int id;
  std::vector<uint8_t> bytes;  // the picture file as it is (encoded by the writer)
};
std::string loadContainer(const std::string& name, const std::vector<PicRecord>& pics);

// A w x h picture cut into cell x cell squares, row by row, square k filled with
// cellColour(k); cellPicture(256, 256, 16) is the test font.
Picture cellPicture(int w, int h, int cell);
RGBA cellColour(int cell);
// The cell whose colour this is, or -1.
int cellOf(RGBA c);

// Fixture of every graphics test: the window open, brightening off, a clear frame.
class GfxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ensureWorld();
    qgu_setGammmaCorrect(false);
    clearFrame();
  }
};

// Captures what the code under test prints on standard output.
void beginCapture();
std::string endCapture();

}  // namespace gfxtest

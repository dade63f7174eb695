// The drawing family: geometry of each member, checked on the pixels it produces.
#include <gtest/gtest.h>

#include "gfx_support.h"
#include "qgu_glcalls.h"

using namespace gfxtest;

namespace {
class Drawing : public GfxTest {
 protected:
  static GLuint atlas;  // 64 x 32, 16-pixel cells, cell k in cellColour(k), with a marker
  void SetUp() override {
    GfxTest::SetUp();
    if (!atlas) {
      Picture p = cellPicture(64, 32, 16);
      // Cell 5 has a white 4 x 4 marker in its top-left corner.
      p.fillRect(16, 16, 20, 20, kWhite);
      loadContainer("drawing.mrsrc", {{401, encodePNG(p)}});
      ASSERT_EQ(qgu_NewTextureFromPicRes(401, &atlas, false, false), 0);
    }
  }
};
GLuint Drawing::atlas = 0;
}  // namespace

TEST_F(Drawing, TexPartialPicksTheCellAndNegativeWidthMirrorsAboutTheCentre) {
  // Cell 5 = row 1, column 1, drawn 16 x 16 centred on (50, 50): covers 42..57.
  qgu_GLAtlasSpriteWithClipSize(16, 16, GLaxe00Z, GLwhite, atlas, 5, 50, 50, 0, 16, 16, 0);
  EXPECT_EQ(pixel(42, 42), (RGBA{255, 255, 255, 255}));  // marker top-left
  EXPECT_EQ(cellOf(pixel(57, 57)), 5);
  EXPECT_EQ(pixel(41, 50), kBlack);
  EXPECT_EQ(pixel(58, 50), kBlack);

  // Mirrored: the same square, marker at the top-right.
  qgu_GLAtlasSpriteWithClipSize(16, 16, GLaxe00Z, GLwhite, atlas, 5, 100, 50, 0, -16, 16, 0);
  EXPECT_EQ(pixel(92 + 15, 42), (RGBA{255, 255, 255, 255}));
  EXPECT_EQ(cellOf(pixel(92, 42)), 5);
  EXPECT_EQ(pixel(91, 50), kBlack);
  EXPECT_EQ(pixel(108, 50), kBlack);

  // Upside down: marker at the bottom-left.
  qgu_GLAtlasSpriteWithClipSize(16, 16, GLaxe00Z, GLwhite, atlas, 5, 150, 50, 0, 16, -16, 0);
  EXPECT_EQ(pixel(142, 57), (RGBA{255, 255, 255, 255}));
  EXPECT_EQ(cellOf(pixel(142, 42)), 5);
}

TEST_F(Drawing, AtlasByRatioScalesTheCellAndRotates) {
  // 200 % of a 16-pixel cell: 32 x 32 centred on (60, 60).
  qgu_GLAtlasSpritebyRatio(GLwhite, atlas, 2, 16, GL_ONE_MINUS_SRC_ALPHA, 60, 60, 0, 200, 200, 0);
  EXPECT_EQ(cellOf(pixel(44, 44)), 2);
  EXPECT_EQ(cellOf(pixel(75, 75)), 2);
  EXPECT_EQ(pixel(43, 60), kBlack);
  EXPECT_EQ(pixel(76, 60), kBlack);
  // Cell 5 turned by 90 degrees clockwise (y down): the marker moves to the top-right.
  qgu_GLAtlasSpritebyRatio(GLwhite, atlas, 5, 16, GL_ONE_MINUS_SRC_ALPHA, 150, 60, 0, 100, 100, 90);
  EXPECT_EQ(pixel(142 + 14, 53), (RGBA{255, 255, 255, 255}));
  EXPECT_EQ(cellOf(pixel(143, 53)), 5);
}

TEST_F(Drawing, TextureAreaIsDrawnOneToOne) {
  qgu_GLDrawTexWithArea(atlas, 16, 16, 48, 32, 10, 100, 0);  // cells 5 and 6
  EXPECT_EQ(pixel(10, 100), (RGBA{255, 255, 255, 255}));
  EXPECT_EQ(cellOf(pixel(25, 115)), 5);
  EXPECT_EQ(cellOf(pixel(26, 100)), 6);
  EXPECT_EQ(cellOf(pixel(41, 115)), 6);
  EXPECT_EQ(pixel(42, 100), kBlack);
  EXPECT_EQ(pixel(10, 116), kBlack);

  // Tinted: colour multiplies the texel.
  const double half[4] = {0.5, 0.5, 0.5, 1.0};
  qgu_GLDrawTexWithAreaAndColor(atlas, 16, 16, 20, 20, half, 200, 100, 0);
  RGBA c = pixel(201, 101);
  EXPECT_NEAR(c.r, 128, 2);
  EXPECT_NEAR(c.g, 128, 2);
}

TEST_F(Drawing, RepeatedTextureTilesAtItsOwnSize) {
  // 64 x 32 texture over 128 x 32: the picture appears twice side by side.
  qgu_GLDrawTextureRep(atlas, 128, 32, GLwhite, 0, 150, 0);
  EXPECT_EQ(cellOf(pixel(3, 153)), 0);
  EXPECT_EQ(cellOf(pixel(67, 153)), 0);
  EXPECT_EQ(cellOf(pixel(64 + 50, 170)), 7);
  // By ratio 0.5: the texture counts as 32 x 16, so 128 / 32 = 4 repeats squeezed in.
  clearFrame();
  qgu_GLDrawTexRepWithCnRatio(atlas, 128, 32, GLwhite, 0, 150, 0, 0.5);
  EXPECT_EQ(cellOf(pixel(1, 151)), 0);
  EXPECT_EQ(cellOf(pixel(33, 151)), 0);
  EXPECT_EQ(cellOf(pixel(31, 151)), 3);
}

TEST_F(Drawing, RepeatsByRatioAreWholeNumbersWhenSizesDoNotDivide) {
  // Ratio 0.7: the 64 x 32 texture counts as 44 x 22. 128 / 44 = 2 and 32 / 22 = 1
  // whole repeats (integer division), so each copy is stretched to 64 x 32; a
  // fractional count (2.9 x 1.45) would start the second copy at x = 44.
  qgu_GLDrawTexRepWithCnRatio(atlas, 128, 32, GLwhite, 0, 150, 0, 0.7);
  EXPECT_EQ(cellOf(pixel(62, 151)), 3);  // end of the first copy's top row
  EXPECT_EQ(cellOf(pixel(66, 151)), 0);  // start of the second copy
  EXPECT_EQ(cellOf(pixel(45, 151)), 2);
  EXPECT_EQ(cellOf(pixel(1, 150 + 17)), 4);  // the bottom row fills the lower half
  EXPECT_EQ(cellOf(pixel(127, 150 + 31)), 7);
  EXPECT_EQ(pixel(1, 150 + 33), kBlack);
}

TEST_F(Drawing, MatrixPushesBeyondTheStackKeepPopsBalanced) {
  // 70 nested pushes, each followed by a step of one dot to the right; the stack holds
  // 64 levels. After ten pops the square must be drawn 60 dots right of the start, as
  // if every push had been kept for the levels that were.
  qgu_glMatrixMode(GL_MODELVIEW);
  qgu_glPushMatrix();
  for (int i = 0; i < 70; i++) {
    qgu_glPushMatrix();
    qgu_glTranslated(1, 0, 0);
  }
  for (int i = 0; i < 10; i++) qgu_glPopMatrix();
  qgu_GLDrawSimpleSuqre(GLred, 10, 200, 12, 202);
  for (int i = 0; i < 60; i++) qgu_glPopMatrix();
  qgu_glPopMatrix();
  EXPECT_EQ(pixel(70, 200).r, 255);
  EXPECT_EQ(pixel(69, 200), kBlack);
  EXPECT_EQ(pixel(72, 200), kBlack);
  // Balanced again: drawing lands where it is asked.
  qgu_GLDrawSimpleSuqre(GLred, 10, 210, 12, 212);
  EXPECT_EQ(pixel(10, 210).r, 255);
  EXPECT_EQ(pixel(9, 210), kBlack);
}

TEST_F(Drawing, PutTextureWithColourDrawsTwiceCentredOrOnceFromTheCorner) {
  // White at alpha 0.5 over black: one pass gives 0.5, the double pass 0.75.
  Picture p(8, 8, RGBA{255, 255, 255, 255});
  loadContainer("white.mrsrc", {{402, encodePNG(p)}});
  GLuint white = 0;
  ASSERT_EQ(qgu_NewTextureFromPicRes(402, &white, false, false), 0);
  const double halfWhite[4] = {1, 1, 1, 0.5};
  qgu_GLPutTextureWithColor(halfWhite, white, 50, 50, 0, 20, 20, 0);
  EXPECT_NEAR(pixel(50, 50).r, 191, 3);
  EXPECT_NEAR(pixel(41, 41).r, 191, 3);
  EXPECT_EQ(pixel(39, 50), kBlack);
  EXPECT_EQ(pixel(61, 50), kBlack);
  // Opposite signs: once, top-left at (100, 50), not mirrored.
  qgu_GLPutTextureWithColor(halfWhite, white, 100, 50, 0, -20, 20, 0);
  EXPECT_NEAR(pixel(101, 51).r, 128, 3);
  EXPECT_NEAR(pixel(119, 69).r, 128, 3);
  EXPECT_EQ(pixel(99, 55), kBlack);
}

TEST_F(Drawing, RectanglesAndRings) {
  qgu_GLDrawSimpleSuqre(GLred, 10, 10, 30, 20);
  RGBA red = pixel(20, 15);
  EXPECT_EQ(red.r, 255);
  EXPECT_EQ(pixel(9, 15), kBlack);
  EXPECT_EQ(pixel(30, 15), kBlack);

  qgu_GLDrawWiredSuqre(GLwhite, 50.5, 10.5, 80.5, 30.5);
  EXPECT_EQ(pixel(65, 20), kBlack);  // hollow
  EXPECT_EQ(pixel(50, 20).r, 255);   // left edge
  EXPECT_EQ(pixel(65, 10).r, 255);   // top edge

  // Ring of radius 40, 4 thick, round (160, 120): on the ring drawn, inside empty.
  qgu_GLDrawDoughnut(GLwhite, 160, 120, 40, 40, 4, 64);
  EXPECT_EQ(pixel(160 + 38, 120).r, 255);
  EXPECT_EQ(pixel(160, 120 - 38).r, 255);
  EXPECT_EQ(pixel(160, 120), kBlack);
  EXPECT_EQ(pixel(160 + 30, 120), kBlack);
  EXPECT_EQ(pixel(160 + 43, 120), kBlack);

  // Glow ring: transparent inside edge, full colour outside edge.
  clearFrame();
  qgu_GLDrawDoughnutSP(64, GLwhite, GL_ONE, 160, 120, 40, 40, 20);
  int inner = pixel(160 + 22, 120).r, outer = pixel(160 + 38, 120).r;
  EXPECT_LT(inner, 60);
  EXPECT_GT(outer, 200);
  EXPECT_EQ(pixel(160, 120), kBlack);
}

TEST(WindowScale, LogicalScreenFillsTheWindowViewport) {
  ensureWorld();
  GLint vp[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, vp);
  EXPECT_EQ(vp[0], 0);
  EXPECT_EQ(vp[1], 0);
  EXPECT_EQ(vp[2], 320);
  EXPECT_EQ(vp[3], 240);
  // The far corner of the logical screen is the far corner of the window.
  clearFrame();
  qgu_GLDrawSimpleSuqre(GLwhite, 319, 239, 320, 240);
  EXPECT_EQ(pixel(319, 239).r, 255);
  EXPECT_EQ(pixel(318, 238).r, 0);
}

// Fully transparent texels are dropped before blending where they could change nothing;
// under a blend that erases the destination they must still be drawn.
TEST_F(Drawing, ClearTexelsLeaveTheFrameAloneExceptUnderAnErasingBlend) {
  static GLuint halves = 0;
  if (!halves) {
    Picture p(32, 16, RGBA{255, 0, 0, 0});          // cell 0: red, fully transparent
    p.fillRect(16, 0, 32, 16, RGBA{0, 255, 0, 255});  // cell 1: opaque green
    loadContainer("halves.mrsrc", {{402, encodePNG(p)}});
    ASSERT_EQ(qgu_NewTextureFromPicRes(402, &halves, false, false), 0);
  }
  const RGBA grey{128, 128, 128, 255}, green{0, 255, 0, 255};
  const double greyColour[4] = {128 / 255.0, 128 / 255.0, 128 / 255.0, 1};
  qgu_GLDrawSimpleSuqre(greyColour, 0, 0, 320, 240);
  ASSERT_EQ(pixel(10, 10), grey);

  // Over: the clear cell leaves grey, the opaque one is green.
  qgu_GLAtlasSpritebyRatio(GLwhite, halves, 0, 16, GL_ONE_MINUS_SRC_ALPHA, 40, 40, 0, 100, 100, 0);
  qgu_GLAtlasSpritebyRatio(GLwhite, halves, 1, 16, GL_ONE_MINUS_SRC_ALPHA, 80, 40, 0, 100, 100, 0);
  EXPECT_EQ(pixel(40, 40), grey);
  EXPECT_EQ(pixel(80, 40), green);
  // Adding: the clear cell adds nothing.
  qgu_GLAtlasSpritebyRatio(GLwhite, halves, 0, 16, GL_ONE, 40, 80, 0, 100, 100, 0);
  EXPECT_EQ(pixel(40, 80), grey);
  // Erasing (destination times zero): the clear cell blackens what lies under it.
  qgu_GLAtlasSpritebyRatio(GLwhite, halves, 0, 16, GL_ZERO, 40, 120, 0, 100, 100, 0);
  EXPECT_EQ(pixel(40, 120), kBlack);
  EXPECT_EQ(pixel(60, 120), grey) << "outside the square";
}

// Bitmap text: glyph choice and advances read back from the screen. The test font has
// 16-pixel cells, each filled with its own colour, so the pixel at a pen position tells
// which glyph starts there.
#include <gtest/gtest.h>

#include "gfx_support.h"

using namespace gfxtest;

namespace {
class Text : public GfxTest {
 protected:
  static GLuint font;   // proportional (square picture)
  static GLuint fixed;  // 256 x 128: fixed advance
  void SetUp() override {
    GfxTest::SetUp();
    if (!font) {
      Picture sq = cellPicture(256, 256, 16);
      Picture tall(256, 128);
      for (int y = 0; y < 128; y++)
        for (int x = 0; x < 256; x++) tall.at(x, y) = sq.at(x, y);
      loadContainer("fonts.mrsrc", {{100, encodePNG(sq)}, {101, encodePNG(tall)}});
      ASSERT_EQ(QSDLpp_GLTextFuncs::newGFontFromX(0, 100), 0);
      ASSERT_EQ(QSDLpp_GLTextFuncs::newGFontFromX(2, 101), 0);
      font = GLO::FontType[0];
      fixed = GLO::FontType[2];
    }
  }
  // Cell shown at pen offset dx from the text origin (20, 40), sampled mid-glyph height.
  int at(int dx, int dy = 0) { return cellOf(pixel(20 + dx, 48 + dy)); }
  void print(const char* s, int size = 16) {
    qgu_GLPrintText(font, GLwhite, s, 20, 40, 0, size, size);
  }
};
GLuint Text::font = 0;
GLuint Text::fixed = 0;
const int A = 'A' - 32, B = 'B' - 32, SPACE = 0;
}  // namespace

TEST_F(Text, ProportionalAdvanceFollowsTheWidthTable) {
  print("AB");
  EXPECT_EQ(at(0), A);
  EXPECT_EQ(at(13), A);  // 'A' is 14 sixteenths wide
  EXPECT_EQ(at(14), B);
  EXPECT_EQ(at(14 + 15), B);
  EXPECT_EQ(at(14 + 16), -1);
}

TEST_F(Text, InnerSpacesAreHalfWidthLeadingSpacesFull) {
  print("A B");
  EXPECT_EQ(at(14), SPACE);
  EXPECT_EQ(at(14 + 8), B);  // the space advanced 8 instead of 16
  clearFrame();
  print("  A");
  EXPECT_EQ(at(0), SPACE);
  EXPECT_EQ(at(16), SPACE);
  EXPECT_EQ(at(31), SPACE);
  EXPECT_EQ(at(32), A);
}

TEST_F(Text, BellEndsTheTextAndNewLineReturnsToTheStart) {
  print("A\x07" "B");
  EXPECT_EQ(at(0), A);
  EXPECT_EQ(at(16), -1);
  clearFrame();
  print("AB\nB");
  EXPECT_EQ(at(0, 16), B);  // second line starts under the first
  EXPECT_EQ(at(14, 16), B);
  EXPECT_EQ(at(16, 16), -1);
}

TEST_F(Text, ShiftKanaModeAndVoicingMarks) {
  print("\x11" "A");  // code 0x81: cell 97
  EXPECT_EQ(at(0), 97);
  clearFrame();
  print("\x12\xB1\x13\xB1");  // kana mode adds 64 to codes above 0x9F
  EXPECT_EQ(at(0), 0xB1 - 32 + 64);
  EXPECT_EQ(at(16), 0xB1 - 32);
  clearFrame();
  print("\xB6\xDE" "A");  // a glyph followed by a voicing mark gives up a quarter
  EXPECT_EQ(at(0), 0xB6 - 32);
  EXPECT_EQ(at(12), 0xDE - 32);
  EXPECT_EQ(at(16), A);  // the mark itself is 4 sixteenths wide
}

TEST_F(Text, SmallGlyphsIgnoreTheWidthTable) {
  // w <= 7: 3 * w / 4 pixels per glyph below 0x80.
  qgu_GLPrintText(font, GLwhite, "AB", 20, 40, 0, 4, 4);
  EXPECT_EQ(cellOf(pixel(22, 41)), A);
  EXPECT_EQ(cellOf(pixel(23, 41)), B);
  EXPECT_EQ(cellOf(pixel(26, 41)), B);
}

TEST_F(Text, TallFontHasFixedAdvanceAndSPUsesThePitch) {
  qgu_GLPrintText(fixed, GLwhite, "AB", 20, 40, 0, 16, 16);
  EXPECT_EQ(at(11), A);
  EXPECT_EQ(at(12), B);
  clearFrame();
  qgu_GLPrintTextSP(font, GLwhite, "A\x07" "B", 20, 40, 0, 16, 16, 2);  // 8 per glyph, no stop
  EXPECT_EQ(at(0), A);
  EXPECT_EQ(at(16), B);
  clearFrame();
  qgu_GLPrintTextSP(font, GLwhite, "\x12\xB1", 20, 40, 0, 16, 16, 4);
  EXPECT_EQ(at(0), 0xB1 - 32 + 64);
}

TEST_F(Text, DelimitedStringPrintsTheTailAndReturnsItsStart) {
  EXPECT_EQ(QSDLpp_GLTextFuncs::drawGLString(20, 40, 0, 16, 16, 0, GLwhite, "AA/B", '/'), 2 + 1);
  EXPECT_EQ(at(0), B);
  EXPECT_EQ(QSDLpp_GLTextFuncs::drawGLString(20, 80, 0, 16, 16, 0, GLwhite, "/AB", '/'), 257);
  EXPECT_EQ(cellOf(pixel(20, 88)), -1);  // position 0 is never a delimiter
  EXPECT_EQ(QSDLpp_GLTextFuncs::drawGLString(20, 80, 0, 16, 16, 0, GLwhite, "AB"), 0);
  EXPECT_EQ(cellOf(pixel(20, 88)), A);
}

TEST_F(Text, PrintObjectUsesItsFontSizeAndColour) {
  QSDLpp_GPrint p;
  EXPECT_STREQ(p.str, "untiteled.");
  p.setFont(0);
  p.setFontSize(8);
  p.setFontRot(45);
  p.print(20, 40, 0, "AB");
  EXPECT_EQ(p.rot, 0);
  EXPECT_EQ(cellOf(pixel(20, 42)), A);
  EXPECT_EQ(cellOf(pixel(27, 42)), B);  // 'A' advances 14 * 8 / 16 = 7
  p.setFontColor(0.0, 1.0);
  p.printSP(20, 80, 0, "A");
  EXPECT_EQ(pixel(21, 81), (RGBA{0, 0, 0, 255}));
}

// Sprite records, the pool and the pattern layer without a window (null GL).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"

namespace {
typedef QSDLpp_GLSpriteFuncs SF;

struct RangeCase {
  int patt;
  uint32_t sizeIdx;
  int cellSize;
  int cell;
};

class SpritePool : public ::testing::Test {
 protected:
  void SetUp() override { SF::emptyList(); }
  void TearDown() override { SF::emptyList(); }
};
}  // namespace

TEST(SpriteLogic, PatternRangesPickAtlasCellSizeAndLowNineBits) {
  const RangeCase cases[] = {
      {-1, GLO::Size8, 8, -1 & 0x1FF}, {0, GLO::Size16, 16, 0},       {511, GLO::Size16, 16, 511},
      {512, GLO::Size32, 32, 0},       {600, GLO::Size32, 32, 88},    {1023, GLO::Size32, 32, 511},
      {1024, GLO::Size64A, 64, 0},     {1279, GLO::Size64A, 64, 255}, {1280, GLO::Size64B, 64, 256},
      {1300, GLO::Size64B, 64, 276},   {1535, GLO::Size64B, 64, 511}, {1536, GLO::Size128A, 128, 0},
      {1791, GLO::Size128A, 128, 255}, {1792, GLO::Size128B, 128, 256}, {2048, GLO::Size256, 256, 0},
      {2303, GLO::Size256, 256, 255},
  };
  for (const RangeCase& c : cases) {
    QSDLpp_GLSprite s;
    s.setPatt(c.patt);
    EXPECT_EQ(s.sizeIdx, c.sizeIdx) << c.patt;
    EXPECT_EQ(s.cellSize, c.cellSize) << c.patt;
    EXPECT_EQ(s.patt, c.cell) << c.patt;
  }
  // 2304 and above keep the previous atlas.
  QSDLpp_GLSprite s;
  s.setPatt(600);
  s.setPatt(2400);
  EXPECT_EQ(s.sizeIdx, (uint32_t)GLO::Size32);
  EXPECT_EQ(s.cellSize, 32);
  EXPECT_EQ(s.patt, 2400 & 0x1FF);
  // Other draw types keep the number whole (texture names, values to print).
  QSDLpp_GLSprite n;
  n.setDrwType(GLO::SprNumber);
  n.setPatt(12345);
  EXPECT_EQ(n.patt, 12345);
  EXPECT_EQ(n.sizeIdx, (uint32_t)GLO::Size16);
}

TEST(SpriteLogic, PlacingWithoutAPatternKeepsTheSpritesAtlas) {
  // A large pattern, then placed again without one (in dots and in hundredths): the
  // sprite stays on its atlas and cell, not on the 16-dot atlas of its low nine bits.
  for (int patt : {600, 1300, 2100}) {
    QSDLpp_GLSprite s;
    s.put0(1, 2, 3, patt);
    const uint32_t size = s.sizeIdx;
    const int cell = s.patt;
    s.put0(10, 20, 4);
    EXPECT_EQ(s.sizeIdx, size) << patt;
    EXPECT_EQ(s.patt, cell) << patt;
    EXPECT_EQ(s.layer, 4);
    s.putx(1000, 2000, 5);
    EXPECT_EQ(s.sizeIdx, size) << patt;
    EXPECT_EQ(s.patt, cell) << patt;
    EXPECT_DOUBLE_EQ(s.x, 10);
    EXPECT_DOUBLE_EQ(s.y, 20);
  }
}

TEST(SpriteLogic, ATextFillingAllItsBytesIsReadNoFurther) {
  // 256 glyph bytes without a terminator, at the very end of their allocation: the
  // check for a voicing mark after the last glyph must not read the byte beyond
  // (the sanitizer build reports such a read).
  GLuint font = 0;
  ASSERT_EQ(qgu_NewFreeTexture(256, 256, &font, 0x1908 /* GL_RGBA */, false), 0);
  char* text = static_cast<char*>(malloc(QGU_TEXT_MAX));
  ASSERT_NE(text, nullptr);
  memset(text, 'A', QGU_TEXT_MAX);
  qgu_GLPrintText(font, GLwhite, text, 0, 0, 0, 16, 16);
  memset(text, 0xB6, QGU_TEXT_MAX);  // kana that take voicing marks
  qgu_GLPrintText(font, GLwhite, text, 0, 0, 0, 16, 16);
  free(text);
  qgu_DisposeTex(font);
}

TEST(SpriteLogic, SettersKeepTheirRules) {
  QSDLpp_GLSprite s;
  s.setRot(-30);
  EXPECT_EQ(s.rot, 330);
  s.setRot(-400);
  EXPECT_EQ(s.rot, -40);
  s.setRot(725);
  EXPECT_EQ(s.rot, 5);
  s.setSize(30);
  EXPECT_EQ(s.w, 30);
  EXPECT_EQ(s.h, 30);
  EXPECT_EQ(s.width, 15);
  s.setSize(-21, 8);
  EXPECT_EQ(s.width, -10);
  s.putx(1234, -250, 3, 7);
  EXPECT_DOUBLE_EQ(s.x, 12.34);
  EXPECT_DOUBLE_EQ(s.y, -2.5);
  s.put0offset(1, 2);
  EXPECT_DOUBLE_EQ(s.x, 13.34);
  s.setMsg("0123456789012345678901234567890123456789");
  EXPECT_EQ(std::string(s.msg), "0123456789012345678901234567890123456789") << "a long message kept whole";
  const std::string tooLong(100, 'x');
  s.setMsg(tooLong.c_str());
  EXPECT_EQ(std::string(s.msg), std::string(sizeof s.msg - 1, 'x')) << "cut at the field, terminated";
}

TEST(SpriteLogic, InitPrmRestoresTheDrawingFieldsOnly) {
  QSDLpp_GLSprite s;
  uint32_t serial = s.serial;
  const char* text = "kept";
  s.setStrPtr(text);
  s.mark = 1000;
  s.print.setFontSize(40);
  s.print.setFont(3);
  s.print.setFontPitch(9);
  s.put0(5, 6, 7, 700);
  s.ratioBase(false);
  s.putCenterMode(true);
  s.setUseOffsetF(false);
  s.setDrwType(GLO::SprBox);
  s.setSize(3, 4);
  s.setRot(90);
  s.setBlendF(GL_ONE);
  s.setColor(0.1, 0.2, 0.3, 0.4);
  s.setMsg("hello");
  s.initPrm();
  EXPECT_EQ(s.serial, serial);
  EXPECT_EQ(s.strPtr, text);
  EXPECT_EQ(s.mark, 1000u);
  EXPECT_EQ(s.print.fontW, 40);  // the rest of the print object stays
  EXPECT_EQ(s.print.font, 0u);
  EXPECT_EQ(s.print.pitch, 2);
  EXPECT_EQ(s.cellSize, 16);
  EXPECT_EQ(s.sizeIdx, (uint32_t)GLO::Size16);
  EXPECT_TRUE(s.ratioBaseF);
  EXPECT_FALSE(s.centerMode);
  EXPECT_TRUE(s.useOffset);
  EXPECT_EQ(s.drawType, GLO::SprAtlas);
  EXPECT_EQ(s.patt, 0);
  EXPECT_EQ(s.layer, 0);
  EXPECT_EQ(s.w, 100);
  EXPECT_EQ(s.h, 100);
  EXPECT_EQ(s.rot, 0);
  EXPECT_EQ(s.width, 0);
  EXPECT_EQ(s.x, 0);
  EXPECT_EQ(s.blendDst, (uint32_t)GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_EQ(s.colour[0], 1.0);
  EXPECT_EQ(s.msg[0], 0);
  QSDLpp_GLSprite other;
  EXPECT_EQ(other.serial, serial + 1);
}

TEST(SpriteLogic, DrawingResetsAndNumberSizes) {
  QSDLpp_GLSprite s;
  s.setDrwType(GLO::SprAtlasRot4);
  s.put0(0, 0, 0, 10);
  s.setRot(200);
  s.setBlendF(GL_ONE);
  s.mark = 1000;
  s.draw();
  EXPECT_EQ(s.patt, 12);  // advanced by the rotation quadrant and kept
  EXPECT_EQ(s.blendDst, (uint32_t)GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_EQ(s.mark, 0u);

  QSDLpp_GLSprite n;
  n.setDrwType(GLO::SprNumber);
  n.setPatt(5);
  n.setColor(0.0, 1.0, 0.0);
  n.draw();
  EXPECT_EQ(n.print.colour[1], 1.0);
  n.setDrwType(GLO::SprNumber);
  n.print.pitch = 5;
  n.setPatt(12345);
  n.draw();
  EXPECT_EQ(n.print.pitch, 2);
  n.setDrwType(GLO::SprNumber);
  n.setPatt(99);
  n.draw();
  EXPECT_EQ(n.print.fontW, 16);
  n.setDrwType(GLO::SprNumber);
  n.setPatt(-20);  // no digits to show; must not crash or size glyphs below 1
  n.draw();
  EXPECT_GE(n.print.fontW, 1);
}

TEST_F(SpritePool, HandsOutFreshRecordsFromOneAndNeverRecordZero) {
  QSDLpp_GLSprite* a = SF::getNextObjAndInc();
  EXPECT_EQ(a, &SF::spriteObj[1]);
  a->put0(10, 20, 3, 40);
  a->setColor(0.5, 0.5);
  QSDLpp_GLSprite* b = SF::getNextObjAndInc();
  EXPECT_EQ(b, &SF::spriteObj[2]);
  EXPECT_EQ(SF::getNextObj(), b);
  EXPECT_EQ(SF::nextlayer, 2);
  SF::emptyList();
  EXPECT_EQ(SF::getNextObj(), &SF::spriteObj[0]);
  QSDLpp_GLSprite* again = SF::getNextObjAndInc();
  EXPECT_EQ(again, a);
  EXPECT_EQ(again->patt, 0);  // reset when handed out again
  EXPECT_EQ(again->colour[3], 1.0);
}

TEST_F(SpritePool, OverflowWarnsFromThe257thAndTheFullPoolHandsBackASink) {
  testing::internal::CaptureStdout();
  for (int i = 0; i < 256; i++) SF::getNextObjAndInc()->put0(i, 2 * i, 0, 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  testing::internal::CaptureStdout();
  SF::getNextObjAndInc();
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "#- Sprite Overfllow!- Lyr:256, Bfr-PAT:1, Bfr-X:255.000000, Bfr-Y::510.000000\n");
  for (int i = 257; i < 511; i++) SF::getNextObjAndInc();
  ASSERT_EQ(SF::nextlayer, 511);
  QSDLpp_GLSprite* last = SF::getNextObj();
  last->put0(1, 2, 0, 3);
  testing::internal::CaptureStdout();
  QSDLpp_GLSprite* sink = SF::getNextObjAndInc();
  out = testing::internal::GetCapturedStdout();
  EXPECT_NE(out.find("### *- More than 512 Sprite Overfllow!"), std::string::npos);
  ASSERT_NE(sink, nullptr);
  EXPECT_EQ(SF::nextlayer, 511);
  EXPECT_EQ(SF::getNextObj(), last);
  bool inPool = sink >= &SF::spriteObj[0] && sink < &SF::spriteObj[SF::POOL];
  EXPECT_FALSE(inPool);
  sink->put0(99, 99, 0, 9);
  EXPECT_EQ(last->patt, 3);
}

TEST_F(SpritePool, ResetAllSpritesParksThemOffScreen) {
  SF::spriteObj[7].setDrwType(GLO::SprBox);
  SF::resetAllSprire();
  for (const QSDLpp_GLSprite& s : SF::spriteObj) {
    EXPECT_EQ(s.x, -12);
    EXPECT_EQ(s.y, -12);
    EXPECT_EQ(s.layer, 0);
  }
  EXPECT_EQ(SF::spriteObj[3].patt, 1);
  EXPECT_EQ(SF::spriteObj[7].patt, 1);  // not an atlas type: the number is kept as it is
}

TEST(PatternLayer, CopiesATileOnlyWhenItsCellChanges) {
  static unsigned char sheet[4 * 16 * 16 * 4];
  Raw2DImgInfo raw{};
  raw.pixels = raw.pixels2 = sheet;
  raw.cellWidth = raw.cellHeight = 16;
  raw.format = GL_RGBA;
  raw.bytesPerPixel = 4;
  raw.cellCount = 4;
  static QSDLpp_GLPattSys layer;
  layer.initi();
  layer.put(0, 0, 2, 0, false);  // no sheet yet: nothing happens
  EXPECT_EQ(layer.uploads(), 0u);
  layer.source = &raw;
  layer.put(0, 0, 2, 0, false);
  layer.put(0, 0, 2, 0, false);
  EXPECT_EQ(layer.uploads(), 1u);
  layer.put(0, 0, 2, 0, true);
  EXPECT_EQ(layer.uploads(), 2u);
  layer.put(32 + 5, -1, 1024 + 3, 1, false);  // wraps to (5, 31); 10 bits kept
  EXPECT_EQ(layer.cells[1][31][5], 3u);
  EXPECT_EQ(layer.uploads(), 3u);
  layer.put(1, 1, 9, 0, false);  // beyond the sheet: refused, cell unchanged
  EXPECT_EQ(layer.uploads(), 3u);
  layer.put(1, 1, 1, 2, false);  // no such plane
  EXPECT_EQ(layer.uploads(), 3u);
}

TEST(TextFuncs, DelimitedStringReturnsWhereTheTailStarts) {
  // The common cases are read back on screen in the gl tier; here the limits.
  EXPECT_EQ(QSDLpp_GLTextFuncs::drawGLString(0, 0, 0, 16, 16, 0, GLwhite, "", '/'), 257);
  char jp[300];
  memset(jp, 'x', sizeof(jp));
  jp[299] = 0;
  jp[255] = '\x07';
  EXPECT_EQ(QSDLpp_GLTextFuncs::drawGLString(0, 0, 0, 16, 16, 0, GLwhite, jp, '\x07'), 256);
  jp[255] = 'x';
  jp[256] = '\x07';  // beyond the 255 positions searched
  EXPECT_EQ(QSDLpp_GLTextFuncs::drawGLString(0, 0, 0, 16, 16, 0, GLwhite, jp, '\x07'), 257);
}

TEST(GLDoor, NullDoorCountsTextureNamesAndDrawsNothing) {
  EXPECT_FALSE(qgu_glIsReal());
  GLuint a = 0, b = 0;
  ASSERT_EQ(qgu_NewFreeTexture(32, 16, &a, GL_RGBA, false), 0);
  ASSERT_EQ(qgu_NewFreeTexture(8, 8, &b, GL_RGBA, false), 0);
  EXPECT_GT(b, a);
  qgu_glBindTexture(a);
  GLint w = 0, h = 0;
  qgu_glGetBoundTexSize(&w, &h);
  EXPECT_EQ(w, 32);
  EXPECT_EQ(h, 16);
  EXPECT_EQ(qgu_NewFreeTexture(0, 8, &b, GL_RGBA, false), -1);
}

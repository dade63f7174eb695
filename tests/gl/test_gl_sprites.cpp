// The sprite list and the pattern layer, checked on the screen.
#include <gtest/gtest.h>

#include <cstring>

#include "gfx_support.h"

using namespace gfxtest;

namespace {
typedef QSDLpp_GLSpriteFuncs SF;

class Sprites : public GfxTest {
 protected:
  static bool loaded;
  void SetUp() override {
    GfxTest::SetUp();
    if (loaded) return;
    loaded = true;
    // 16-pixel atlas: 8 x 4 cells; cell 5 has a white marker at its top-left.
    Picture a16 = cellPicture(128, 64, 16);
    a16.fillRect(5 * 16, 0, 5 * 16 + 4, 4, kWhite);
    // 32-pixel atlas: 16 x 6 cells.
    loadContainer("atlas.mrsrc", {{128, encodePNG(a16)},
                                  {129, encodePNG(cellPicture(512, 192, 32))},
                                  {100, encodePNG(cellPicture(256, 256, 16))}});
    ASSERT_EQ(SF::newSpriteAtlasFromX(GLO::Size16, 128, false), 0);
    ASSERT_EQ(SF::newSpriteAtlasFromX(GLO::Size32, 129, false), 0);
    ASSERT_EQ(QSDLpp_GLTextFuncs::newGFontFromX(0, 100), 0);
    QSDLpp_GLTextFuncs::setGFontFromTxNum(1, GLO::FontType[0]);
  }
  static QSDLpp_GLSprite* queue(double x, double y, int layer, int patt) {
    QSDLpp_GLSprite* s = SF::getNextObjAndInc();
    s->put0(x, y, layer, patt);
    return s;
  }
};
bool Sprites::loaded = false;
}  // namespace

TEST_F(Sprites, FirstQueuedIsOnTopAndLowerLayersCoverHigher) {
  queue(10, 10, 2, 1);
  queue(18, 10, 2, 2);
  queue(10, 40, 4, 1);
  queue(18, 40, 0, 2);
  SF::update(0, 0);
  EXPECT_EQ(cellOf(pixel(20, 15)), 1);  // same layer: the first queued covers
  EXPECT_EQ(cellOf(pixel(30, 15)), 2);
  EXPECT_EQ(cellOf(pixel(20, 45)), 2);  // layer 0 covers layer 4
  EXPECT_EQ(cellOf(pixel(12, 45)), 1);
  EXPECT_EQ(SF::nextlayer, 0);  // emptied
}

TEST_F(Sprites, EachBandIsDrawnOnlyByItsPass) {
  queue(100, 10, 5, 3);
  queue(130, 10, -1, 4);
  queue(160, 10, 2, 6);
  auto shown = [] { return std::vector<int>{cellOf(pixel(105, 15)), cellOf(pixel(135, 15)), cellOf(pixel(165, 15))}; };
  SF::updateLowest(0, 0);
  EXPECT_EQ(shown(), (std::vector<int>{3, -1, -1}));
  clearFrame();
  SF::nextlayer = 3;  // clearFrame empties the list; the records are still there
  SF::updateNoReset(0, 0);
  EXPECT_EQ(shown(), (std::vector<int>{-1, -1, 6}));
  clearFrame();
  SF::nextlayer = 3;
  SF::updateNoResetHighest(0, 0);
  EXPECT_EQ(shown(), (std::vector<int>{-1, 4, -1}));
  EXPECT_EQ(SF::nextlayer, 3);
  SF::updateHighest(0, 0);
  EXPECT_EQ(SF::nextlayer, 0);
}

TEST_F(Sprites, OffsetMovesOnlySpritesThatUseIt) {
  queue(10, 100, 1, 1);
  QSDLpp_GLSprite* fixedSp = queue(10, 130, 1, 2);
  fixedSp->setUseOffsetF(false);
  SF::update(50, 0);
  EXPECT_EQ(cellOf(pixel(62, 105)), 1);
  EXPECT_EQ(cellOf(pixel(12, 105)), -1);
  EXPECT_EQ(cellOf(pixel(12, 135)), 2);
}

TEST_F(Sprites, The257thSpriteWarnsAndIsStillDrawnTheExhaustedPoolDrawsNothing) {
  for (int i = 0; i < 256; i++) queue(300, 220, 3, 1);
  beginCapture();
  queue(40, 100, 0, 3);
  std::string out = endCapture();
  EXPECT_EQ(out, "#- Sprite Overfllow!- Lyr:256, Bfr-PAT:1, Bfr-X:300.000000, Bfr-Y::220.000000\n");
  beginCapture();
  for (int i = 257; i < 510; i++) queue(300, 220, 3, 1);
  QSDLpp_GLSprite* last = queue(80, 100, 0, 6);
  EXPECT_EQ(SF::nextlayer, 511);
  QSDLpp_GLSprite* extra = SF::getNextObjAndInc();
  out = endCapture();
  EXPECT_NE(out.find("### *- More than 512 Sprite Overfllow!"), std::string::npos);
  ASSERT_NE(extra, last);
  EXPECT_EQ(SF::nextlayer, 511);
  extra->put0(80, 100, 0, 7);  // written freely, never drawn, never over a live sprite
  extra->draw();
  SF::update(0, 0);
  EXPECT_EQ(cellOf(pixel(45, 105)), 3);
  EXPECT_EQ(cellOf(pixel(85, 105)), 6);
  EXPECT_EQ(last->patt, 6);
}

TEST_F(Sprites, PatternRangesAndSizes) {
  queue(100, 100, 0, 600);  // 32-pixel atlas, cell 88
  queue(200, 100, 0, 0);    // pattern 0 of the small atlas: nothing
  QSDLpp_GLSprite* px = queue(150, 150, 0, 2);  // pixel sizes
  px->ratioBase(false);
  px->setSize(24, 8);
  SF::update(0, 0);
  EXPECT_EQ(cellOf(pixel(100, 100)), 88);
  EXPECT_EQ(cellOf(pixel(131, 131)), 88);
  EXPECT_EQ(pixel(132, 131), kBlack);
  EXPECT_EQ(pixel(205, 105), kBlack);
  EXPECT_EQ(cellOf(pixel(150, 150)), 2);
  EXPECT_EQ(cellOf(pixel(173, 157)), 2);
  EXPECT_EQ(pixel(174, 150), kBlack);
  EXPECT_EQ(pixel(150, 158), kBlack);
}

TEST_F(Sprites, MirroredSpriteKeepsItsTopLeftCorner) {
  QSDLpp_GLSprite* s = queue(50, 150, 0, 5);
  s->setSize(-100, 100);
  QSDLpp_GLSprite* c = queue(100, 150, 0, 5);  // centre mode, double size
  c->putCenterMode(true);
  c->setSize(200);
  SF::update(0, 0);
  EXPECT_EQ(pixel(50 + 15, 150), kWhite);  // marker moved to the right
  EXPECT_EQ(cellOf(pixel(50, 150)), 5);
  EXPECT_EQ(pixel(49, 155), kBlack);
  EXPECT_EQ(pixel(66, 155), kBlack);
  EXPECT_EQ(pixel(84, 134), kWhite);
  EXPECT_EQ(cellOf(pixel(115, 165)), 5);
}

TEST_F(Sprites, ShapesAndNumbers) {
  QSDLpp_GLSprite* box = queue(250, 150, 0, 0);
  box->setDrwType(GLO::SprBox);
  box->ratioBase(false);
  box->setSize(10, 10);
  box->setColor(1.0, 0.0, 0.0);
  QSDLpp_GLSprite* num = queue(20, 200, 0, 0);
  num->setDrwType(GLO::SprNumber);
  num->setPatt(5);
  QSDLpp_GLSprite* big = queue(120, 200, 0, 0);
  big->setDrwType(GLO::SprNumber);
  big->setPatt(12345);
  SF::update(0, 0);
  EXPECT_EQ(pixel(255, 155), (RGBA{255, 0, 0, 255}));
  EXPECT_EQ(pixel(261, 155), kBlack);
  EXPECT_EQ(box->drawType, GLO::SprAtlas);  // negative types return to the atlas after drawing
  // "*5" in 21-pixel glyphs at pitch 2 (10 pixels per glyph).
  EXPECT_EQ(cellOf(pixel(20, 205)), '*' - 32);
  EXPECT_EQ(cellOf(pixel(30, 205)), '5' - 32);
  EXPECT_EQ(cellOf(pixel(50, 205)), '5' - 32);
  EXPECT_EQ(pixel(51, 205), kBlack);
  // Five digits in 20-pixel glyphs.
  EXPECT_EQ(cellOf(pixel(120, 205)), '1' - 32);
  EXPECT_EQ(cellOf(pixel(160, 205)), '5' - 32);
  EXPECT_EQ(cellOf(pixel(179, 205)), '5' - 32);
  EXPECT_EQ(pixel(180, 205), kBlack);
}

TEST_F(Sprites, TextSpritesPrintTheTextOrItsTail) {
  static const char text[] = "AB\x07" "BA";
  QSDLpp_GLSprite* t = queue(20, 20, 0, 0);
  t->setDrwType(GLO::SprText);
  t->setStrPtr(text);
  t->setSize(16, 16);
  QSDLpp_GLSprite* tail = queue(20, 60, 0, 0);
  tail->setDrwType(GLO::SprTextTail);
  tail->setStrPtr(text);
  tail->setSize(16, 16);
  QSDLpp_GLSprite* none = queue(20, 100, 0, 0);
  none->setDrwType(GLO::SprTextTail);
  none->setStrPtr("AB");
  none->setSize(16, 16);
  QSDLpp_GLSprite* m = queue(20, 140, 0, 0);
  m->setDrwType(GLO::SprMessage);
  m->setMsg("BA");
  m->setSize(16, 16);
  SF::update(0, 0);
  EXPECT_EQ(cellOf(pixel(20, 25)), 'A' - 32);
  EXPECT_EQ(cellOf(pixel(34, 25)), 'B' - 32);
  EXPECT_EQ(cellOf(pixel(50, 25)), -1);
  EXPECT_EQ(cellOf(pixel(20, 65)), 'B' - 32);
  EXPECT_EQ(cellOf(pixel(32, 65)), 'A' - 32);
  EXPECT_EQ(cellOf(pixel(20, 105)), -1);
  EXPECT_EQ(cellOf(pixel(20, 145)), 'B' - 32);
  EXPECT_EQ(cellOf(pixel(32, 145)), 'A' - 32);  // message pitch 3: 12 per glyph
}

TEST_F(Sprites, PatternLayerUploadsOnlyOnChange) {
  static QSDLpp_GLPattSys patt;
  patt.initi();
  patt.setsocImg(128);  // the 16-pixel atlas as tile sheet (no keying)
  ASSERT_NE(patt.source, nullptr);
  uint32_t before = patt.uploads();
  patt.put(0, 0, 3, 0, false);
  patt.put(33, 0, 4, 0, false);  // column 33 wraps to 1
  EXPECT_EQ(patt.uploads(), before + 2);
  patt.update(10, 100, 0, 0, 0, 0);
  EXPECT_EQ(cellOf(pixel(10, 100)), 3);
  EXPECT_EQ(cellOf(pixel(26, 100)), 4);
  EXPECT_EQ(pixel(42, 100), kBlack);  // untouched cells are transparent

  // Change tile 3 in the source: a put without force keeps the old tile on screen.
  unsigned char* t3 = (unsigned char*)patt.source->pixels + 3 * 16 * 16 * 4;
  unsigned char saved[16 * 16 * 4];
  memcpy(saved, t3, sizeof(saved));
  for (int i = 0; i < 16 * 16; i++) {
    t3[i * 4] = 255;
    t3[i * 4 + 1] = t3[i * 4 + 2] = 0;
  }
  patt.put(0, 0, 3, 0, false);
  EXPECT_EQ(patt.uploads(), before + 2);
  clearFrame();
  patt.update(10, 100, 0, 0, 0, 0);
  EXPECT_EQ(cellOf(pixel(10, 100)), 3);
  patt.put(0, 0, 3 + 1024, 0, true);  // forced; only 10 bits count
  EXPECT_EQ(patt.uploads(), before + 3);
  EXPECT_EQ(patt.cells[0][0][0], 3u);
  clearFrame();
  patt.update(10, 100, 0, 0, 0, 0);
  EXPECT_EQ(pixel(10, 100), (RGBA{255, 0, 0, 255}));
  memcpy(t3, saved, sizeof(saved));

  // Scrolled by one tile, and hidden.
  clearFrame();
  patt.update(10, 100, 16, 0, 0, 0);
  EXPECT_EQ(cellOf(pixel(10, 100)), 4);
  clearFrame();
  patt.hidden = true;
  patt.update(10, 100, 0, 0, 0, 0);
  EXPECT_EQ(pixel(10, 100), kBlack);
  patt.hidden = false;
}

TEST_F(Sprites, AdditiveSpriteAddsToWhatLiesBelowThenBlendingIsNormalAgain) {
  const double green[4] = {0, 0.4, 0, 1};  // 102 in green
  qgu_GLDrawSimpleSuqre(green, 0, 0, 100, 40);
  QSDLpp_GLSprite* s = queue(10, 10, 2, 2);  // cell 2: (66, 40, 200)
  s->setBlendF(GL_ONE);
  queue(40, 10, 2, 2);  // normal blending covers
  SF::update(0, 0);
  const RGBA add = pixel(15, 15), normal = pixel(45, 15);
  EXPECT_EQ(add.r, 66);
  EXPECT_NEAR(add.g, 40 + 102, 2);
  EXPECT_EQ(add.b, 200);
  EXPECT_EQ(cellOf(normal), 2);
  // The record handed out next starts with normal blending.
  clearFrame();
  qgu_GLDrawSimpleSuqre(green, 0, 0, 100, 40);
  queue(10, 10, 2, 2);
  SF::update(0, 0);
  EXPECT_EQ(cellOf(pixel(15, 15)), 2);
}

TEST_F(Sprites, QuarterTurnSpriteAdvancesItsPatternAndTurns) {
  // Pattern 3 turned 180 degrees shows pattern 3 + 2 = 5, upside down: its top-left
  // marker is at the bottom-right. 90 degrees gives pattern 4.
  QSDLpp_GLSprite* s = SF::getNextObjAndInc();
  s->setDrwType(GLO::SprAtlasRot4);
  s->put0(100, 50, 2, 3);
  s->setRot(180);
  QSDLpp_GLSprite* q = SF::getNextObjAndInc();
  q->setDrwType(GLO::SprAtlasRot4);
  q->put0(140, 50, 2, 3);
  q->setRot(90);
  SF::update(0, 0);
  EXPECT_EQ(cellOf(pixel(102, 52)), 5);
  EXPECT_EQ(pixel(114, 64), kWhite);
  EXPECT_FALSE(pixel(101, 51) == kWhite);
  EXPECT_EQ(cellOf(pixel(147, 57)), 4);
}

TEST_F(Sprites, PatternLayerScrollRulesAndTintedPlane) {
  static QSDLpp_GLPattSys patt;
  patt.initi();
  patt.setsocImg(128);
  ASSERT_NE(patt.source, nullptr);
  patt.put(0, 0, 3, 0, true);    // row 0
  patt.put(0, 6, 6, 0, true);    // rows 96..111
  patt.put(23, 1, 2, 0, true);   // columns 368..383
  patt.put(24, 1, 4, 0, true);   // columns 384..399: beyond the drawn area

  // A small negative vertical scroll is kept as it is: row 0 shows 16 dots lower.
  patt.update(10, 20, 0, -16, 0, 0);
  EXPECT_EQ(cellOf(pixel(12, 20 + 17)), 3);
  EXPECT_NE(cellOf(pixel(12, 20 + 1)), 3);
  // Beyond 511 the scroll wraps to its low nine bits: 600 -> 88, row 96 at 8 dots.
  clearFrame();
  patt.update(10, 20, 0, 600, 0, 0);
  EXPECT_EQ(cellOf(pixel(12, 20 + 9)), 6);
  EXPECT_NE(cellOf(pixel(12, 20 + 6)), 6);
  // The area ends at column 384: scrolled 300, column 368 lands at 68, nothing after 84.
  clearFrame();
  patt.update(10, 20, 300, 0, 0, 0);
  EXPECT_EQ(cellOf(pixel(10 + 70, 20 + 20)), 2);
  EXPECT_EQ(pixel(10 + 86, 20 + 20), kBlack);

  // The tinted plane: the same place, in translucent gray.
  clearFrame();
  patt.updateWithColor(10, 20, 0, 0, 0, 0);
  const RGBA c = pixel(12, 22);
  const RGBA plain = cellColour(3);
  EXPECT_NEAR(c.r, plain.r * 0.6 * 0.4, 3);
  EXPECT_NEAR(c.b, plain.b * 0.6 * 0.4, 3);
  EXPECT_EQ(pixel(8, 22), kBlack);
}

TEST_F(Sprites, TexturedAndOutlineShapeTypes) {
  GLuint a16 = SF::getTextureNum(GLO::Size16);
  QSDLpp_GLSprite* tiled = queue(10, 10, 0, 0);  // the atlas repeated over 256 x 64
  tiled->setDrwType(GLO::SprTiled);
  tiled->setPatt((int)a16);
  tiled->ratioBase(false);
  tiled->setSize(256, 64);
  QSDLpp_GLSprite* line = queue(20, 120, 0, 0);  // to the point (120, 120)
  line->setDrwType(GLO::SprLine);
  line->setSize(120, 120);
  QSDLpp_GLSprite* ring = queue(200, 160, 0, 0);
  ring->setDrwType(GLO::SprRing);
  ring->setSize(30, 30);
  QSDLpp_GLSprite* frame = queue(250, 100, 0, 0);
  frame->setDrwType(GLO::SprFrame);
  frame->setSize(20, 20);
  SF::update(0, 0);
  EXPECT_EQ(cellOf(pixel(10, 10)), 0);
  EXPECT_EQ(cellOf(pixel(10 + 128 + 17, 10 + 1)), 1);  // second copy of the atlas
  EXPECT_EQ(pixel(10 + 256, 20), kBlack);
  EXPECT_EQ(pixel(70, 120), kWhite);       // the one-pixel line
  EXPECT_EQ(pixel(70, 122), kBlack);
  EXPECT_EQ(pixel(200 + 29, 160).r, 255);  // ring of radius 30, 1 thick
  EXPECT_EQ(pixel(200, 160), kBlack);
  EXPECT_EQ(pixel(260, 110), kBlack);      // the frame is hollow
  EXPECT_EQ(pixel(260, 100).r, 255);

  // A whole texture scaled to 32 x 16 and centred (the double pass of the picture).
  clearFrame();
  QSDLpp_GLSprite* pic = queue(100, 100, 0, 0);
  pic->setDrwType(GLO::SprPicture);
  pic->setPatt((int)a16);
  pic->ratioBase(false);
  pic->setSize(32, 16);
  SF::update(0, 0);
  EXPECT_EQ(cellOf(pixel(84, 92)), 0);
  EXPECT_EQ(cellOf(pixel(115, 107)), 31);
  EXPECT_EQ(pixel(83, 100), kBlack);
  EXPECT_EQ(pixel(116, 100), kBlack);
}

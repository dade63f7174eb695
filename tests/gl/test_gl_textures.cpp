// Pictures into textures and raw images, checked by drawing them and reading pixels back.
#include <gtest/gtest.h>

#include <cstring>

#include "gfx_support.h"

using namespace gfxtest;

namespace {
const RGBA kRed{200, 30, 30, 255}, kGreen{30, 200, 30, 255}, kBlue{30, 30, 200, 255},
    kPale{250, 250, 250, 255};

// 16 x 16 picture with four 8 x 8 quadrants.
Picture quadrants() {
  Picture p(16, 16);
  p.fillRect(0, 0, 8, 8, kRed);
  p.fillRect(8, 0, 16, 8, kGreen);
  p.fillRect(0, 8, 8, 16, kBlue);
  p.fillRect(8, 8, 16, 16, kPale);
  return p;
}

class Textures : public GfxTest {};
}  // namespace

TEST_F(Textures, PictureFileDrawnOneToOneLandsOnItsPixels) {
  // Files are always brightened, so compare against the table.
  GLuint tex = 0;
  ASSERT_EQ(qgu_NewTextureFromPicFile(savePNG(quadrants(), "quad.png").c_str(), &tex, false, false), 0);
  qgu_GLDrawTexture(tex, 16, 16, 40, 30, 0);
  auto bright = [](RGBA c) { return RGBA{GmCnvTbl[c.r], GmCnvTbl[c.g], GmCnvTbl[c.b], 255}; };
  EXPECT_EQ(pixel(40, 30), bright(kRed));
  EXPECT_EQ(pixel(47, 37), bright(kRed));
  EXPECT_EQ(pixel(48, 30), bright(kGreen));
  EXPECT_EQ(pixel(40, 38), bright(kBlue));
  EXPECT_EQ(pixel(55, 45), bright(kPale));
  EXPECT_EQ(pixel(39, 30), kBlack);
  EXPECT_EQ(pixel(56, 30), kBlack);
  EXPECT_EQ(pixel(40, 46), kBlack);

  rRect r{};
  ASSERT_EQ(qgu_getTexRect(tex, &r), 0);
  EXPECT_EQ(r.bottom, 16);
  EXPECT_EQ(r.right, 16);
  EXPECT_EQ(qgu_getTexRect(0, &r), -1);
}

TEST_F(Textures, ResourceBrighteningFollowsTheTableOnlyWhenSwitchedOn) {
  Picture p(8, 8, RGBA{100, 50, 200, 255});
  std::vector<uint8_t> png = encodePNG(p);
  loadContainer("bright.mrsrc", {{301, png}, {302, png}});
  GLuint plain = 0, bright = 0;
  ASSERT_EQ(qgu_NewTextureFromPicRes(301, &plain, false, false), 0);
  qgu_setGammmaCorrect(true);
  ASSERT_EQ(qgu_NewTextureFromPicRes(302, &bright, false, false), 0);
  qgu_setGammmaCorrect(false);
  qgu_GLDrawTexture(plain, 8, 8, 0, 0, 0);
  qgu_GLDrawTexture(bright, 8, 8, 20, 0, 0);
  EXPECT_EQ(pixel(3, 3), (RGBA{100, 50, 200, 255}));
  EXPECT_EQ(pixel(23, 3), (RGBA{GmCnvTbl[100], GmCnvTbl[50], GmCnvTbl[200], 255}));
  EXPECT_EQ(GmCnvTbl[100], 146);  // row 0x60, fifth value
}

TEST_F(Textures, KeyedPixelsAreTransparentComparedBeforeBrightening) {
  // Top-left (254, 254, 254); (255, 255, 255) brightens to the same value as the key but
  // differs before brightening, so it stays opaque.
  Picture p(16, 16, RGBA{254, 254, 254, 255});
  p.fillRect(8, 0, 16, 8, RGBA{255, 255, 255, 255});
  p.fillRect(0, 8, 8, 16, kRed);
  std::string path = savePNG(p, "keyed.png");
  GLuint keyed = 0, unkeyed = 0;
  ASSERT_EQ(qgu_NewTextureFromPicFile(path.c_str(), &keyed, false, true), 0);
  ASSERT_EQ(qgu_NewTextureFromPicFile(path.c_str(), &unkeyed, false, false), 0);
  qgu_GLDrawSimpleSuqre(GLblue, 0, 0, 80, 40);
  qgu_GLDrawTexture(keyed, 16, 16, 10, 10, 0);
  qgu_GLDrawTexture(unkeyed, 16, 16, 40, 10, 0);
  RGBA blue = pixel(5, 5);
  EXPECT_EQ(pixel(10, 10), blue);    // the top-left pixel itself
  EXPECT_EQ(pixel(25, 25), blue);    // same colour elsewhere
  EXPECT_EQ(pixel(20, 12), (RGBA{255, 255, 255, 255}));
  EXPECT_EQ(pixel(12, 20), (RGBA{GmCnvTbl[200], GmCnvTbl[30], GmCnvTbl[30], 255}));
  EXPECT_EQ(pixel(40, 10), (RGBA{255, 255, 255, 255}));  // not keyed: opaque
}

TEST_F(Textures, SamePictureIsReusedPerContainerAndMissingOnesFail) {
  Picture p(8, 8, kGreen);
  std::vector<uint8_t> png = encodePNG(p);
  loadContainer("reuseA.mrsrc", {{311, png}});
  GLuint a = 0, b = 0;
  ASSERT_EQ(qgu_NewTextureFromPicRes(311, &a, false, false), 0);
  beginCapture();
  ASSERT_EQ(qgu_NewTextureFromPicRes(311, &b, false, false), 0);
  std::string out = endCapture();
  EXPECT_EQ(a, b);
  EXPECT_NE(out.find("Texture image ref again. ( resID:311 FileID:"), std::string::npos) << out;
  EXPECT_EQ(qgu_getTexIDfromResnum(311, 0), (int)a);

  // The same number from another container replaces the record and makes a new texture.
  loadContainer("reuseBB.mrsrc", {{311, png}});
  GLuint c = 0;
  ASSERT_EQ(qgu_NewTextureFromPicRes(311, &c, false, false), 0);
  EXPECT_NE(c, a);

  GLuint untouched = 77;
  beginCapture();
  EXPECT_EQ(qgu_NewTextureFromPicRes(9999, &untouched, false, false), -1);
  out = endCapture();
  EXPECT_EQ(untouched, 77u);
  EXPECT_EQ(out, "Resource was not found. ( resID:9999 )\n");

  // A record that is not a picture at all.
  loadContainer("broken.mrsrc", {{312, std::vector<uint8_t>(200, 0x5A)}});
  beginCapture();
  EXPECT_EQ(qgu_NewTextureFromPicRes(312, &untouched, false, false), -1);
  out = endCapture();
  EXPECT_EQ(out, "Can't make texture. rsrc#( 0x138 )\n");
  beginCapture();
  EXPECT_EQ(qgu_NewRawImageFromPicRes(312, 16, 16), nullptr);
  EXPECT_EQ(qgu_GetRawImageInfo(312), nullptr);
  out = endCapture();
  EXPECT_EQ(out, "Read rsrc image by raw error. ( 138 )\nRead rsrc image by raw error. ( 138 )\n");

  // A picture cut short in the middle of its data.
  std::vector<uint8_t> cut = encodePNG(Picture(64, 64, kRed));
  cut.resize(cut.size() / 2);
  loadContainer("cut.mrsrc", {{313, cut}});
  beginCapture();
  EXPECT_EQ(qgu_NewTextureFromPicRes(313, &untouched, false, false), -1);
  out = endCapture();
  EXPECT_EQ(out, "Can't make texture. rsrc#( 0x139 )\n");
  EXPECT_EQ(untouched, 77u);
  beginCapture();
  EXPECT_EQ(qgu_NewTextureFromPicFile((tempDir() + "/nothing.png").c_str(), &untouched, false, false), -1);
  out = endCapture();
  EXPECT_EQ(out, "Image load Error. ( " + tempDir() + "/nothing.png )\n");
  rRect r{1, 1, 1, 1};
  EXPECT_EQ(qgu_getTexRectfromResnum(9999, &r), -1);
  EXPECT_EQ(r.bottom, 0);
}

TEST_F(Textures, DisposedTextureIsForgotten) {
  Picture p(8, 8, kGreen);
  loadContainer("dispose.mrsrc", {{321, encodePNG(p)}});
  GLuint a = 0;
  ASSERT_EQ(qgu_NewTextureFromPicRes(321, &a, false, false), 0);
  EXPECT_EQ(qgu_DisposeTex(a), 0);
  EXPECT_EQ(qgu_getTexIDfromResnum(321, 0), -1);
  EXPECT_EQ(qgu_getTexRect(a, nullptr), -1);
}

TEST_F(Textures, RawImageKeepsWholeCellsInCellOrder) {
  Picture p(100, 40);
  for (int y = 0; y < 40; y++)
    for (int x = 0; x < 100; x++) p.at(x, y) = RGBA{(uint8_t)x, (uint8_t)y, 7, 255};
  loadContainer("raw.mrsrc", {{331, encodePNG(p)}});
  Raw2DImgInfo* raw = qgu_NewRawImageFromPicRes(331, 16, 16);
  ASSERT_NE(raw, nullptr);
  EXPECT_EQ(raw->cellCount, 12u);  // 6 x 2 cells
  EXPECT_EQ(raw->format, (uint32_t)GL_RGBA);
  EXPECT_EQ(raw->bytesPerPixel, 4u);
  // Cell 7 is row 1, column 1: its pixel (3, 5) is picture pixel (19, 21).
  const unsigned char* c7 = (const unsigned char*)raw->pixels + 7 * 16 * 16 * 4;
  EXPECT_EQ(c7[(5 * 16 + 3) * 4 + 0], 19);
  EXPECT_EQ(c7[(5 * 16 + 3) * 4 + 1], 21);

  beginCapture();
  Raw2DImgInfo* again = qgu_GetRawImageInfoReorg(331, 32, 32);
  std::string out = endCapture();
  EXPECT_EQ(again, raw);
  EXPECT_NE(out.find("Raw image ref again. ( resID:331"), std::string::npos);

  // Copy cell 7 into a free texture and show it.
  GLuint tex = 0;
  ASSERT_EQ(qgu_NewFreeTexture(64, 64, &tex, GL_RGBA, false), 0);
  EXPECT_EQ(qgu_PutRowImageToTex(raw, tex, 16, 0, 7), 0);
  EXPECT_EQ(qgu_PutRowImageToTex(raw, tex, 16, 0, 12), -1);  // beyond the cells
  qgu_GLDrawTexWithArea(tex, 0, 0, 64, 64, 100, 100, 0);
  EXPECT_EQ(pixel(100 + 16 + 3, 100 + 5), (RGBA{19, 21, 7, 255}));
  RGBA empty = pixel(100 + 2, 100 + 2);  // initial contents are transparent
  EXPECT_EQ(empty, kBlack);
  EXPECT_EQ(qgu_PurgeRawImage(raw->pixels), 1);
  EXPECT_EQ(qgu_PurgeRawImage(raw->pixels), 0);
}

TEST_F(Textures, FullRawImageListGivesNull) {
  Picture p(4, 4, kRed);
  std::string path = savePNG(p, "small.png");
  std::vector<Raw2DImgInfo*> made;
  for (int i = 0; i < QGU_RAWIMG_MAX; i++) {
    Raw2DImgInfo* r = qgu_NewRawImageFromPicName(path.c_str(), 0, 0);
    if (!r) break;
    made.push_back(r);
  }
  EXPECT_GE(made.size(), 90u);
  beginCapture();
  EXPECT_EQ(qgu_NewRawImageFromPicName(path.c_str(), 0, 0), nullptr);
  endCapture();
  void* freed = made.back()->pixels;
  EXPECT_EQ(qgu_PurgeRawImage(freed), 1);
  Raw2DImgInfo* again = qgu_NewRawImageFromPicName(path.c_str(), 0, 0);
  ASSERT_NE(again, nullptr);
  made.back() = again;
  for (Raw2DImgInfo* r : made) qgu_PurgeRawImage(r->pixels);
}

TEST_F(Textures, RawImageFromFileIsKeyed) {
  Picture p(8, 8, kGreen);
  p.fillRect(4, 0, 8, 8, kRed);
  Raw2DImgInfo* raw = qgu_NewRawImageFromPicName(savePNG(p, "rawkey.png").c_str(), 4, 8);
  ASSERT_NE(raw, nullptr);
  ASSERT_EQ(raw->cellCount, 2u);
  const unsigned char* px = (const unsigned char*)raw->pixels;
  EXPECT_EQ(px[3], 0);                 // cell 0 (green, the key) transparent
  EXPECT_EQ(px[4 * 8 * 4 + 3], 255);   // cell 1 (red) opaque
  qgu_PurgeRawImage(raw->pixels);
}

TEST_F(Textures, TextureNamesBeyondTheTableStayUsable) {
  // Push the GL's names past the table, then make a picture texture.
  for (int i = 0; i < QGU_TEXINFO_MAX + 5; i++) qgu_glGenTexture();
  Picture p(8, 8, kRed);
  GLuint tex = 0;
  beginCapture();
  ASSERT_EQ(qgu_NewTextureFromPicFile(savePNG(p, "far.png").c_str(), &tex, false, false), 0);
  endCapture();
  ASSERT_GE(tex, (GLuint)QGU_TEXINFO_MAX);
  EXPECT_EQ(qgu_getTexInfo(tex), nullptr);
  EXPECT_EQ(qgu_getTexRect(tex, nullptr), -1);
  qgu_GLDrawTexture(tex, 8, 8, 60, 60, 0);
  EXPECT_EQ(pixel(63, 63), (RGBA{GmCnvTbl[200], GmCnvTbl[30], GmCnvTbl[30], 255}));
}

TEST(Viewport, FullScreenBoxesKeepFourByThree) {
  int vp[4];
  qgu_fullScreenViewport(1920, 1080, vp);
  EXPECT_EQ(vp[0], 240);
  EXPECT_EQ(vp[1], 0);
  EXPECT_EQ(vp[2], 1440);
  EXPECT_EQ(vp[3], 1080);
  qgu_fullScreenViewport(1024, 1280, vp);
  EXPECT_EQ(vp[0], 0);
  EXPECT_EQ(vp[1], 256);
  EXPECT_EQ(vp[2], 1024);
  EXPECT_EQ(vp[3], 768);
}

// The art compiler: bad sources are refused with file, line and reason; the pictures it
// writes decode with SDL2_image at their stated sizes; atlas and font cells land where
// the game's pattern and character rules look for them; and the pictures the build made
// come back through the container loader intact.
#include "test_fhpack_util.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>

#include "qgu_fileutil.h"

using namespace fhpacktest;

namespace {
struct Pixels {
    int w = 0, h = 0;
    std::vector<uint32_t> rgba;  // 0xRRGGBBAA
    uint32_t at(int x, int y) const { return rgba[size_t(y) * size_t(w) + size_t(x)]; }
    uint8_t alpha(int x, int y) const { return uint8_t(at(x, y) & 0xFF); }
    // True when any pixel of the w x h block at (x, y) is not fully transparent.
    bool anyOpaque(int x, int y, int bw, int bh) const {
        for (int j = y; j < y + bh; ++j)
            for (int i = x; i < x + bw; ++i)
                if (alpha(i, j)) return true;
        return false;
    }
};

Pixels fromSurface(SDL_Surface* s) {
    Pixels p;
    if (!s) return p;
    SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(s);
    if (!c) return p;
    p.w = c->w, p.h = c->h;
    p.rgba.resize(size_t(p.w) * size_t(p.h));
    for (int y = 0; y < p.h; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(c->pixels) + y * c->pitch;
        for (int x = 0; x < p.w; ++x) {
            const uint8_t* q = row + x * 4;
            p.rgba[size_t(y) * size_t(p.w) + size_t(x)] = uint32_t(q[0]) << 24 | uint32_t(q[1]) << 16 | uint32_t(q[2]) << 8 | q[3];
        }
    }
    SDL_FreeSurface(c);
    return p;
}

Pixels decodeFile(const std::string& path) { return fromSurface(IMG_Load(path.c_str())); }
Pixels decodeMemory(const void* data, int64_t size) { return fromSurface(IMG_Load_RW(SDL_RWFromConstMem(data, int(size)), 1)); }

bool exists(const std::string& path) { return std::ifstream(path).good(); }

class FhpackArt : public ::testing::Test {
protected:
    static void SetUpTestSuite() { IMG_Init(IMG_INIT_PNG); }
    Scratch dir;
    std::string hex() const { return std::string(FH_SOURCE_DIR) + "/content/fonts/unifont-subset.hex"; }
};
}  // namespace

// Every refusal names the source file and line and leaves no picture behind.
TEST_F(FhpackArt, BadSourcesAreRefusedWithFileLineAndReason) {
    struct Case {
        const char* command;
        const char* file;
        std::string text;
        const char* extra;  // arguments after the source (before the output)
        std::string expect;
    };
    const std::string pal = "palette\n. none\nK #000000\nW #ffffff\n";
    const std::vector<Case> cases = {
        {"art-pixel", "a.px", pal + "sprite s 3 2\nKWK\nKZK\n", "s", "a.px:7: unknown palette character 'Z'"},
        {"art-pixel", "b.px", pal + "sprite s 3 2\nKWK\nKWKK\n", "s", "b.px:7: row has 4 pixels, sprite 's' is 3 wide"},
        {"art-pixel", "c.px", pal + "sprite s 3 3\nKWK\nKWK\n", "s", "c.px:5: sprite 's' has 2 rows, expected 3"},
        {"art-pixel", "d.px", pal + "sprite s 1 1\nK\nsprite s 1 1\nW\n", "s", "d.px:7: sprite 's' defined twice"},
        {"art-pixel", "e.px", "palette\nK #00000\n", "s", "e.px:2: bad colour '#00000'"},
        {"art-atlas", "f.atlas", "picture 128 cell 16 size 64 64 patterns 0 15\n3: fill #ff0000\n3: fill #00ff00\n", "",
         "f.atlas:3: pattern 3 given twice (first at "},
        {"art-atlas", "g.atlas", "picture 128 cell 16 size 64 64 patterns 0 15\n1-2: fill #ff0000\n2: fill #00ff00\n", "",
         "g.atlas:3: pattern 2 given twice"},
        {"art-atlas", "h.atlas", "picture 128 cell 16 size 64 64 patterns 0 15\n16: fill #ff0000\n", "",
         "h.atlas:2: pattern 16 is outside this atlas (0..15)"},
        {"art-atlas", "i.atlas", "picture 128 cell 16 size 64 64 patterns 0 31\n20: fill #ff0000\n", "",
         "i.atlas:2: cell 20 does not fit the picture"},
        {"art-atlas", "j.atlas", "picture 128 cell 16 size 64 64 patterns 0 15\n2: fill #ff0000; wobble 3\n", "",
         "j.atlas:2: unknown command 'wobble'"},
        {"art-atlas", "k.atlas", "2: fill #ff0000\n", "", "k.atlas:1: entry before the 'picture' line"},
        {"art-atlas", "l.atlas", "picture 128 cell 16 size 60 64 patterns 0 15\n", "", "l.atlas:1: picture needs 'cell' and a 'size'"},
        {"art-recipe", "m.rcp", "fill #ffffff\n", "", "m.rcp:1: a recipe starts with 'size WIDTH HEIGHT'"},
        {"art-recipe", "n.rcp", "size 8 8\nrect 0 0 4 4 leafgreen\n", "", "n.rcp:2: unknown colour 'leafgreen'"},
        {"art-recipe", "o.rcp", "size 8 8\nrect 0 0 4\n", "", "o.rcp:2: too few values: rect X Y W H COLOUR"},
        {"art-recipe", "p.rcp", "size 8 8\nlayer\nrect 0 0 4 4 #ffffff\n", "", "p.rcp:3: layer opened but never merged"},
        {"art-recipe", "q.rcp", "size 8 8\nsprite missing.px s 0 0\n", "", "missing.px: cannot open source"},
        {"art-font", "r.font", "font 100 cell 16 size 256 256 glyphs " + hex() + "\nglyph 132: fill #ff0000\nglyph 0x84: fill #00ff00\n", "",
         "r.font:3: cell 100 given twice"},
        {"art-font", "s.font", "font 100 cell 16 size 200 256 glyphs " + hex() + "\n", "", "s.font:1: a font has 16 cells per row"},
        {"art-font", "t.font", "font 100 cell 16 size 256 256 glyphs " + hex() + " style wavy\n", "", "t.font:1: unknown font style 'wavy'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        std::string src = dir.write(c.file, c.text);
        std::string out = dir.file(std::string(c.file) + ".png");
        RunResult r = runFhpack(std::string(c.command) + " " + src + " " + c.extra + " " + out);
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.output.find(c.expect), std::string::npos) << r.output;
        EXPECT_FALSE(exists(out));
    }
}

TEST_F(FhpackArt, PixelArtBecomesAPictureOfItsStatedSize) {
    std::string src = dir.write("s.px",
                                "# two sprites sharing a palette\npalette\n. none\nR #ff0000\nB #0000ff80\n"
                                "sprite dot 2 1\nR.\nsprite bar 3 2\nRRB\n.B.\n");
    std::string out = dir.file("bar.png");
    RunResult r = runFhpack("art-pixel " + src + " bar " + out + " --scale 2");
    ASSERT_EQ(r.status, 0) << r.output;
    Pixels p = decodeFile(out);
    ASSERT_EQ(p.w, 6);
    ASSERT_EQ(p.h, 4);
    EXPECT_EQ(p.at(0, 0), 0xFF0000FFu);
    EXPECT_EQ(p.at(3, 1), 0xFF0000FFu);
    EXPECT_EQ(p.at(5, 0), 0x0000FF80u);  // alpha kept
    EXPECT_EQ(p.alpha(0, 2), 0);           // '.' is transparent
    EXPECT_EQ(p.at(2, 3), 0x0000FF80u);
}

TEST_F(FhpackArt, RecipeDrawsShapesTextAndLayers) {
    std::string src = dir.write("r.rcp", "size 40 20\nfont " + hex() +
                                             "\ncolor sky #2040a0\nfill sky\nrect 0 10 40 10 #00ff00\n"
                                             "layer\ntext 20 2 1 1 #ffffff \"Hi\" center\nmerge outline #000000 1\n");
    std::string out = dir.file("r.png");
    RunResult r = runFhpack("art-recipe " + src + " " + out);
    ASSERT_EQ(r.status, 0) << r.output;
    Pixels p = decodeFile(out);
    ASSERT_EQ(p.w, 40);
    ASSERT_EQ(p.h, 20);
    EXPECT_EQ(p.at(0, 0), 0x2040A0FFu);
    EXPECT_EQ(p.at(0, 19), 0x00FF00FFu);
    int white = 0, black = 0;
    for (uint32_t v : p.rgba) white += v == 0xFFFFFFFFu, black += v == 0x000000FFu;
    EXPECT_GT(white, 10);  // the letters
    EXPECT_GT(black, 10);  // their outline
}

// Each pattern fills the cell the game draws it from: the low 9 bits, 16 cells a row.
// For the second 64-pixel atlas both the 9-bit and the 8-bit reading find the picture,
// so pattern 1300 is in cell 276 and in cell 20.
TEST_F(FhpackArt, AtlasCellsFollowThePatternRule) {
    std::string a = dir.write("a.atlas",
                              "picture 129 cell 8 size 128 256 patterns 512 1023 index low9\n"
                              "512: fill #ff0000\n600: fill #00ff00\n1000-1001: fill #0000ff\n");
    std::string outA = dir.file("a.png");
    ASSERT_EQ(runFhpack("art-atlas " + a + " " + outA).status, 0);
    Pixels p = decodeFile(outA);
    ASSERT_EQ(p.w, 128);
    ASSERT_EQ(p.h, 256);
    auto cell = [&](int c) { return p.at((c % 16) * 8 + 4, (c / 16) * 8 + 4); };
    EXPECT_EQ(cell(0), 0xFF0000FFu);
    EXPECT_EQ(cell(88), 0x00FF00FFu);  // 600 & 511
    EXPECT_EQ(cell(488), 0x0000FFFFu);
    EXPECT_EQ(cell(489), 0x0000FFFFu);
    EXPECT_EQ(cell(1), 0u);

    std::string b = dir.write("b.atlas",
                              "picture 131 cell 4 size 64 128 patterns 1280 1535 index low9+low8\n1300: fill #ffff00\n1535: fill #00ffff\n");
    std::string outB = dir.file("b.png");
    RunResult r = runFhpack("art-atlas " + b + " " + outB);
    ASSERT_EQ(r.status, 0) << r.output;
    Pixels q = decodeFile(outB);
    auto cellB = [&](int c) { return q.at((c % 16) * 4 + 1, (c / 16) * 4 + 1); };
    EXPECT_EQ(cellB(276), 0xFFFF00FFu);
    EXPECT_EQ(cellB(20), 0xFFFF00FFu);
    EXPECT_EQ(cellB(511), 0x00FFFFFFu);
    EXPECT_EQ(cellB(255), 0x00FFFFFFu);
    EXPECT_EQ(cellB(21), 0u);

    // {i} counts within a range and {n} is the pattern number; expressions are evaluated.
    std::string c = dir.write("c.atlas", "picture 1 cell 4 size 16 16 patterns 0 15 index direct\n2-3: rect 0 0 {i+1} 1 #ffffff\n");
    ASSERT_EQ(runFhpack("art-atlas " + c + " " + dir.file("c.png")).status, 0);
    Pixels s = decodeFile(dir.file("c.png"));
    EXPECT_TRUE(s.anyOpaque(8, 0, 1, 1));
    EXPECT_FALSE(s.anyOpaque(9, 0, 1, 1));
    EXPECT_TRUE(s.anyOpaque(12, 0, 2, 1));
    EXPECT_FALSE(s.anyOpaque(14, 0, 1, 1));
}

// Cell = code - 32: ASCII, the 0x11-shifted symbols, katakana 0xA1..0xDF and their
// kana-mode copies 64 cells further on; letters stay inside their proportional advance.
TEST_F(FhpackArt, FontCellsFollowTheCharacterCodes) {
    std::string f = dir.write("f.font", "font 101 cell 32 size 512 512 glyphs " + hex() +
                                            " style regular kana-mode bold\nglyph 0x84: fill #ff0000\ncell 255: fill #00ff00\n");
    std::string out = dir.file("f.png");
    RunResult r = runFhpack("art-font " + f + " " + out);
    ASSERT_EQ(r.status, 0) << r.output;
    Pixels p = decodeFile(out);
    ASSERT_EQ(p.w, 512);
    ASSERT_EQ(p.h, 512);
    auto origin = [](int cell, int& x, int& y) { x = (cell % 16) * 32, y = (cell / 16) * 32; };
    int x, y;
    origin(0, x, y);
    EXPECT_FALSE(p.anyOpaque(x, y, 32, 32)) << "space";
    origin('A' - 32, x, y);
    EXPECT_TRUE(p.anyOpaque(x, y, 32, 32)) << "A";
    origin(0x84 - 32, x, y);
    EXPECT_EQ(p.at(x + 16, y + 16), 0xFF0000FFu) << "0x11 'D' symbol";
    origin(0xB1 - 32, x, y);
    EXPECT_TRUE(p.anyOpaque(x, y, 32, 32)) << "katakana A";
    int kx, ky;
    origin(0xB1 - 32 + 64, kx, ky);
    int normal = 0, kana = 0;
    for (int j = 0; j < 32; ++j)
        for (int i = 0; i < 32; ++i) normal += p.alpha(x + i, y + j) > 0, kana += p.alpha(kx + i, ky + j) > 0;
    EXPECT_GT(kana, normal) << "kana-mode copy is bold";
    origin(255, x, y);
    EXPECT_EQ(p.at(x + 1, y + 1), 0x00FF00FFu);
    // Narrow letters stay inside their advance (sixteenths of the cell).
    for (char ch : std::string("iljI!.,MW")) {
        origin(ch - 32, x, y);
        int adv = 0;
        switch (ch) {
        case 'i': adv = 6; break;
        case 'l': adv = 6; break;
        case 'j': adv = 8; break;
        case 'I': adv = 8; break;
        case '!': adv = 10; break;
        case '.': adv = 8; break;
        case ',': adv = 8; break;
        default: adv = 16; break;
        }
        int px = adv * 32 / 16;
        EXPECT_FALSE(p.anyOpaque(x + px, y, 32 - px, 32)) << ch;
        EXPECT_TRUE(p.anyOpaque(x, y, px, 32)) << ch;
    }
}

// The pictures the build compiled, read back through the game's container loader and
// decoded like the game decodes them.
TEST_F(FhpackArt, BuiltPicturesLoadAtTheirStatedSizes) {
    qgu_resetResourceRegistry();
    const std::string res = std::string(FH_RUNTIME_DIR) + "/resourcesQSDL/";
    ASSERT_NE(qgu_loadResource((res + "fontpic.mrsrc").c_str()), nullptr);
    ASSERT_NE(qgu_loadResource((res + "mediachunk.mrsrc").c_str()), nullptr);
    struct Want {
        int id, w, h;
    };
    const Want wants[] = {{100, 512, 512},  {101, 512, 512},  {102, 512, 512},  {103, 512, 512}, {128, 256, 512},
                          {129, 512, 1024}, {130, 1024, 1024}, {131, 1024, 2048}, {132, 1024, 512}, {139, 256, 256},
                          {140, 16, 256},   {149, 320, 256},  {150, 320, 240},  {153, 512, 512}, {154, 512, 512},
                          {155, 512, 512},  {156, 512, 512},  {160, 320, 240},  {161, 320, 240}, {162, 320, 240},
                          {163, 320, 240},  {164, 320, 240},  {200, 320, 256},  {201, 320, 256}, {301, 320, 240},
                          {302, 320, 240},  {303, 320, 240},  {304, 320, 240},  {990, 256, 128}, {9000, 320, 240},
                          {20000, 320, 240}};
    std::map<int, Pixels> pics;
    for (const Want& w : wants) {
        SCOPED_TRACE(w.id);
        QGU_ResourceSlot* s = qgu_getResourceInfo(QGU_RES::PNGf, w.id);
        ASSERT_NE(s, nullptr);
        Pixels p = decodeMemory(s->data, s->size);
        EXPECT_EQ(p.w, w.w);
        EXPECT_EQ(p.h, w.h);
        pics[w.id] = std::move(p);
    }
    // Pattern 0 of the small atlas is empty; the hero's standing picture (656) is in cell
    // 144 of the 32-pixel atlas; section sprite 1300 is in both readings of atlas 131.
    EXPECT_FALSE(pics[128].anyOpaque(0, 0, 16, 16));
    EXPECT_TRUE(pics[128].anyOpaque(8 * 16, 0, 16, 16));  // gold coin, pattern 8
    EXPECT_TRUE(pics[129].anyOpaque(0, 9 * 32, 32, 32));
    EXPECT_TRUE(pics[131].anyOpaque(4 * 64, 17 * 64, 64, 64));
    EXPECT_TRUE(pics[131].anyOpaque(4 * 64, 1 * 64, 64, 64));
    EXPECT_TRUE(pics[132].anyOpaque(0, 128, 128, 128));  // rating 0, pattern 1544 = cell 8
    // Every katakana cell of font 1 and its kana-mode copy has a glyph.
    for (int code = 0xA1; code <= 0xDF; ++code) {
        for (int cell : {code - 32, code - 32 + 64})
            EXPECT_TRUE(pics[101].anyOpaque((cell % 16) * 32, (cell / 16) * 32, 32, 32)) << "cell " << cell;
    }
    // The panel's key marks (148..151) and portraits (137..140) are in font 1.
    for (int code : {137, 138, 139, 140, 148, 149, 150, 151, 156, 157, 158, 159})
        EXPECT_TRUE(pics[101].anyOpaque(((code - 32) % 16) * 32, ((code - 32) / 16) * 32, 32, 32)) << code;
    qgu_resetResourceRegistry();

    // The block sheet of map group 0: 1024 tiles of 16 x 16, tiles 0 and 1 empty.
    ASSERT_NE(qgu_loadResource((res + "wc2fh_lv1.mrsrc").c_str()), nullptr);
    QGU_ResourceSlot* s = qgu_getResourceInfo(QGU_RES::PNGf, 1000);
    ASSERT_NE(s, nullptr);
    Pixels blocks = decodeMemory(s->data, s->size);
    EXPECT_EQ(blocks.w, 512);
    EXPECT_EQ(blocks.h, 512);
    if (blocks.w == 512) {
        EXPECT_FALSE(blocks.anyOpaque(0, 0, 32, 16));
        for (int k : {384, 400, 412, 424, 444, 448, 508, 540, 640, 944, 960})
            EXPECT_TRUE(blocks.anyOpaque((k % 32) * 16, (k / 32) * 16, 16, 16)) << "block " << k;
    }
    qgu_resetResourceRegistry();

    // The settings program's pictures are plain files.
    const Want files[] = {{0, 256, 2048}, {1, 256, 2048}, {2, 512, 32}, {3, 256, 256}};
    const char* names[] = {"menuback.png", "menuText.png", "configicon.png", "testpattern.png"};
    for (const Want& w : files) {
        Pixels p = decodeFile(res + names[w.id]);
        EXPECT_EQ(p.w, w.w) << names[w.id];
        EXPECT_EQ(p.h, w.h) << names[w.id];
    }
}

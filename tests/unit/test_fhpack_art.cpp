// The art compiler: bad sources are refused with file, line and reason; the pictures it
// writes decode with SDL2_image at their stated sizes; atlas and font cells land where
// the game's pattern and character rules look for them; and the pictures the build made
// come back through the container loader intact.
#include "test_fhpack_art_util.h"

#include <memory>

#include "qgu_fileutil.h"

using namespace fhpacktest;
using namespace fhpackarttest;

namespace {
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
        EXPECT_FALSE(fileExists(out));
    }
}

TEST_F(FhpackArt, PixelArtBecomesAPictureOfItsStatedSize) {
    std::string src = dir.write("s.px",
                                "# two sprites sharing a palette\npalette\n. none\nR #ff0000\nB #0000ff80\n"
                                "sprite dot 2 1\nR.\nsprite bar 3 2\nRRB\n.B.\n");
    std::string out = dir.file("new/folder/bar.png");  // folders are made as needed
    RunResult r = runFhpack("art-pixel " + src + " bar " + out + " --scale 2 --dep " + dir.file("deps/bar.d"));
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
    const struct {
        char ch;
        int adv;
    } advances[] = {{'i', 6}, {'l', 6}, {'j', 8}, {'I', 8}, {'!', 10}, {'.', 8}, {',', 8}, {'M', 16}, {'W', 16}};
    for (auto [ch, adv] : advances) {
        origin(ch - 32, x, y);
        int px = adv * 32 / 16;
        EXPECT_FALSE(p.anyOpaque(x + px, y, 32 - px, 32)) << ch;
        EXPECT_TRUE(p.anyOpaque(x, y, px, 32)) << ch;
    }
}

// The pictures the build compiled, read back through the game's container loader and
// decoded like the game decodes them (their contents are checked in the built-art tests).
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
    for (const Want& w : wants) {
        SCOPED_TRACE(w.id);
        QGU_ResourceSlot* s = qgu_getResourceInfo(QGU_RES::PNGf, w.id);
        ASSERT_NE(s, nullptr);
        Pixels p = decodeMemory(s->data, s->size);
        EXPECT_EQ(p.w, w.w);
        EXPECT_EQ(p.h, w.h);
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

// Source-over compositing, layers that keep their effects to themselves, and the
// whole-canvas transforms, checked pixel by pixel.
TEST_F(FhpackArt, RecipeCompositingLayersAndTransforms) {
    auto build = [&](const std::string& name, const std::string& body) {
        std::string out = dir.file(name + ".png");
        RunResult r = runFhpack("art-recipe " + dir.write(name + ".rcp", body) + " " + out);
        EXPECT_EQ(r.status, 0) << r.output;
        return decodeFile(out);
    };
    Pixels a = build("blend", "size 4 2\nfill #000000\nrect 0 0 2 2 #ffffff80\nrect 2 0 2 1 #ff000080\nrect 2 1 2 1 #ff0000\n");
    uint32_t grey = a.at(0, 0);
    EXPECT_NEAR(int(grey >> 24), 128, 1);
    EXPECT_EQ(grey & 0xFF, 0xFFu);
    EXPECT_EQ(a.at(3, 1), 0xFF0000FFu);
    Pixels b = build("clear", "size 2 1\nrect 0 0 1 1 #ff000080\n");
    EXPECT_EQ(b.at(0, 0), 0xFF000080u) << "half-transparent paint on an empty canvas stays half transparent";
    EXPECT_EQ(b.at(1, 0), 0u);

    // The outline of a merged layer wraps the layer only, not what lies under it.
    Pixels c = build("layers", "size 12 5\nrect 1 1 3 3 #00ff00\nlayer\nrect 8 1 3 3 #0000ff\nmerge outline #ff0000 1\n");
    EXPECT_EQ(c.at(7, 2), 0xFF0000FFu);
    EXPECT_EQ(c.at(9, 0), 0xFF0000FFu);
    EXPECT_EQ(c.at(0, 2), 0u);
    EXPECT_EQ(c.at(4, 2), 0u);
    EXPECT_EQ(c.at(2, 2), 0x00FF00FFu);

    // A pixel in the top-left corner: mirrored to the top-right, turned clockwise to the
    // top-right, shifted, and grown from the top-left corner.
    const std::string dot = "size 8 8\nrect 0 0 1 1 #ffffff\n";
    EXPECT_EQ(build("flip", dot + "flipx\n").at(7, 0), 0xFFFFFFFFu);
    EXPECT_EQ(build("flipy", dot + "flipy\n").at(0, 7), 0xFFFFFFFFu);
    Pixels r = build("rot", dot + "rotate 90\n");
    EXPECT_EQ(r.at(7, 0), 0xFFFFFFFFu);
    EXPECT_EQ(r.countOpaque(0, 0, 8, 8), 1);
    Pixels s = build("shift", dot + "shift 3 2\n");
    EXPECT_EQ(s.at(3, 2), 0xFFFFFFFFu);
    EXPECT_EQ(s.at(0, 0), 0u);
    Pixels z = build("zoom", dot + "zoom 3\n");
    EXPECT_EQ(z.countOpaque(0, 0, 8, 8), 9);
    EXPECT_EQ(z.at(2, 2), 0xFFFFFFFFu);
    // fade scales alpha; tint multiplies the colour.
    Pixels f = build("fade", "size 1 1\nfill #ffffff\nfade 64\n");
    EXPECT_EQ(f.at(0, 0) & 0xFF, 64u);
    Pixels t = build("tint", "size 1 1\nfill #ffffff\ntint #ff8000\n");
    EXPECT_EQ(t.at(0, 0), 0xFF8000FFu);
    // Text alignment: centred text straddles its x, right-aligned text ends there.
    Pixels al = build("align", "size 64 16\nfont " + hex() + "\ntext 32 0 1 1 #ffffff \"MM\" center\n");
    EXPECT_TRUE(al.anyOpaque(20, 0, 12, 16));
    EXPECT_TRUE(al.anyOpaque(32, 0, 12, 16));
    Pixels ar = build("right", "size 64 16\nfont " + hex() + "\ntext 32 0 1 1 #ffffff \"MM\" right\n");
    EXPECT_TRUE(ar.anyOpaque(16, 0, 16, 16));
    EXPECT_FALSE(ar.anyOpaque(32, 0, 32, 16));
}

// Manifest expressions, includes and the dependency file the build relies on.
TEST_F(FhpackArt, ExpressionsIncludesAndDependencies) {
    dir.write("shared.colors", "color spot #ff00ff\n");
    dir.write("px/one.px", "palette\nX #00ff00\nsprite s 1 1\nX\n");
    std::string m = dir.write("e.atlas",
                              "picture 1 cell 4 size 16 16 patterns 0 15 index direct\ninclude shared.colors\nfont " + hex() + "\n"
                              "0-3: rect {(i+1)%4} {n*0} 1 1 spot\n4: sprite px/one.px s 0 0\n"
                              "5: text 0 0 1 1 #ffffff \"a;b\"; rect 3 3 1 1 #ffffff\n");
    std::string out = dir.file("e.png"), dep = dir.file("e.d");
    RunResult r = runFhpack("art-atlas " + m + " " + out + " --font x --dep " + dep);
    EXPECT_NE(r.status, 0) << "unknown option refused";
    r = runFhpack("art-atlas " + m + " " + out + " --dep " + dep);
    ASSERT_EQ(r.status, 0) << r.output;
    Pixels p = decodeFile(out);
    EXPECT_EQ(p.at(1, 0), 0xFF00FFFFu);   // i = 0 -> x 1
    EXPECT_EQ(p.at(4 + 2, 0), 0xFF00FFFFu);
    EXPECT_EQ(p.at(12 + 0, 0), 0xFF00FFFFu);  // (3 + 1) % 4 = 0
    EXPECT_EQ(p.at(0, 4), 0x00FF00FFu);       // cell 4 starts the second row
    EXPECT_EQ(p.at(4 + 3, 4 + 3), 0xFFFFFFFFu) << "a ';' inside quotes does not split the cell's commands";
    std::vector<uint8_t> bytes = readAll(dep);
    std::string d(bytes.begin(), bytes.end());
    EXPECT_EQ(d.rfind(out + ":", 0), 0u) << d;
    for (const char* f : {"e.atlas", "shared.colors", "px/one.px", "unifont-subset.hex"}) EXPECT_NE(d.find(f), std::string::npos) << f;

    // Expressions that cannot be worked out stay as written, so the command then fails.
    std::string bad = dir.write("bad.atlas", "picture 1 cell 4 size 16 16 patterns 0 15 index direct\n0: rect {7/0} 0 1 1 #ffffff\n");
    r = runFhpack("art-atlas " + bad + " " + dir.file("bad.png"));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("bad.atlas:2: expected a number, found '{7/0}'"), std::string::npos) << r.output;
    // A manifest that includes itself is refused.
    std::string loop = dir.write("loop.atlas", "picture 1 cell 4 size 16 16 patterns 0 15\ninclude loop.atlas\n");
    r = runFhpack("art-atlas " + loop + " " + dir.file("loop.png"));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("includes itself"), std::string::npos) << r.output;
    // The same sources give the same bytes (a rebuild changes nothing downstream).
    ASSERT_EQ(runFhpack("art-atlas " + m + " " + dir.file("again.png")).status, 0);
    EXPECT_EQ(readAll(out), readAll(dir.file("again.png")));
}

// Glyph sources: a missing glyph, a bad bitmap and palettes shared between files.
TEST_F(FhpackArt, GlyphFilesAndPaletteImports) {
    std::string hexFile = dir.write("tiny.hex", "0041:0000000018242442427E424242420000\n");
    std::string f = dir.write("tiny.font", "font 100 cell 16 size 256 256 glyphs tiny.hex style bold\n");
    RunResult r = runFhpack("art-font " + f + " " + dir.file("tiny.png"));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("glyph U+0021 needed by cell 1 is missing"), std::string::npos) << r.output;
    dir.write("short.hex", "0041:00000000182424\n");
    r = runFhpack("art-font " + dir.write("short.font", "font 100 cell 16 size 256 256 glyphs short.hex\n") + " " + dir.file("s.png"));
    EXPECT_NE(r.output.find("short.hex:1: bitmap must have 32 or 64 hex digits, has 14"), std::string::npos) << r.output;
    (void)hexFile;

    // hexglyph replaces one bitmap of the glyph file; a malformed one names its line.
    std::string own = dir.write("own.font", "font 100 cell 16 size 256 256 glyphs " + hex() +
                                                "\nhexglyph 0041:FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\n");
    ASSERT_EQ(runFhpack("art-font " + own + " " + dir.file("own.png")).status, 0);
    Pixels o = decodeFile(dir.file("own.png"));
    EXPECT_GT(o.countOpaque(1 * 16, 2 * 16, 16, 16), 100) << "'A' is the solid block now";
    r = runFhpack("art-font " + dir.write("own2.font", "font 100 cell 16 size 256 256 glyphs " + hex() + "\nhexglyph 0041:FFFF\n") +
                  " " + dir.file("own2.png"));
    EXPECT_NE(r.output.find("own2.font:2: bitmap must have 32 or 64 hex digits, has 4"), std::string::npos) << r.output;

    dir.write("base.px", "palette\nA #123456\n");
    std::string px = dir.write("use.px", "import base.px\npalette\nB #654321\nsprite s 2 1\nAB\n");
    ASSERT_EQ(runFhpack("art-pixel " + px + " s " + dir.file("use.png")).status, 0);
    Pixels p = decodeFile(dir.file("use.png"));
    EXPECT_EQ(p.at(0, 0), 0x123456FFu);
    EXPECT_EQ(p.at(1, 0), 0x654321FFu);
    r = runFhpack("art-pixel " + px + " nosuch " + dir.file("n.png"));
    EXPECT_NE(r.output.find("no sprite 'nosuch'"), std::string::npos) << r.output;
}

// Every pose of both characters and of the dog draws something inside its cell, and the
// characters differ from each other; a pose that does not exist is named in the error.
TEST_F(FhpackArt, EveryCharacterPoseDraws) {
    const char* foot[] = {"idle", "walk", "rise", "fall", "punch", "kick", "spin", "special", "down", "up", "hang",
                          "hurt", "cheer", "wave", "push", "swim", "float", "dash", "climb", "charge", "drift", "drown"};
    std::string m = "picture 1 cell 32 size 512 512 patterns 0 255 index direct\n";
    int n = 0;
    for (const char* pose : foot) {
        m += std::to_string(n++) + ": figure hero " + pose + " 1\n";
        m += std::to_string(n++) + ": figure heroine " + pose + " 1\n";
    }
    const char* dogPoses[] = {"walk", "follow", "ready", "dash", "special", "swim", "sit"};
    int firstDog = n;
    for (const char* pose : dogPoses) m += std::to_string(n++) + ": dog " + pose + " 1 10\n";
    std::string out = dir.file("poses.png");
    RunResult r = runFhpack("art-atlas " + dir.write("poses.atlas", m) + " " + out);
    ASSERT_EQ(r.status, 0) << r.output;
    Pixels p = decodeFile(out);
    for (int k = 0; k < n; ++k) {
        int x = (k % 16) * 32, y = (k / 16) * 32;
        int count = p.countOpaque(x, y, 32, 32);
        EXPECT_GT(count, 60) << "cell " << k;
        // Nothing is cut at the cell's top edge.
        if (k < firstDog) {
            EXPECT_FALSE(p.anyOpaque(x, y, 32, 1)) << "cell " << k;
        }
    }
    EXPECT_FALSE(p.sameBlock(0, 0, 32, 0, 32, 32)) << "hero and heroine look different";
    r = runFhpack("art-atlas " + dir.write("badpose.atlas", "picture 1 cell 32 size 64 64 patterns 0 3 index direct\n0: figure hero moonwalk\n") +
                  " " + dir.file("bp.png"));
    EXPECT_NE(r.output.find("badpose.atlas:2: unknown pose 'moonwalk'"), std::string::npos) << r.output;
}

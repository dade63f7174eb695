// Desktop icons: a recipe drawn once and written at another size keeps its colours
// (clear pixels never darken an edge), sizes are refused where they make no sense, and
// the icons the build made are real pictures at every size the install names.
#include "test_fhpack_art_util.h"

#include <set>

using namespace fhpacktest;
using namespace fhpackarttest;

namespace {
class FhpackIcons : public ::testing::Test {
protected:
    static void SetUpTestSuite() { IMG_Init(IMG_INIT_PNG); }
    Scratch dir;
    Pixels draw(const std::string& name, const std::string& recipe, int size) {
        const std::string src = dir.write(name + ".rcp", recipe);
        const std::string out = dir.file(name + ".png");
        RunResult r = runFhpack("art-recipe " + src + " " + out + " --size " + std::to_string(size));
        EXPECT_EQ(r.status, 0) << r.output;
        return decodeFile(out);
    }
};
}  // namespace

TEST_F(FhpackIcons, ResizingAveragesTheCoveredAreaWeightedByAlpha) {
    // Left half opaque red, right half clear: halving keeps both exactly.
    Pixels half = draw("half", "size 4 4\nrect 0 0 2 4 #ff0000\n", 2);
    ASSERT_EQ(half.w, 2);
    ASSERT_EQ(half.h, 2);
    EXPECT_EQ(half.at(0, 0), 0xFF0000FFu);
    EXPECT_EQ(half.at(0, 1), 0xFF0000FFu);
    EXPECT_EQ(half.alpha(1, 0), 0);

    // One white pixel among three clear ones: a quarter-covered white pixel, not grey.
    Pixels dot = draw("dot", "size 2 2\nrect 0 0 1 1 #ffffff\n", 1);
    ASSERT_EQ(dot.w, 1);
    EXPECT_EQ(dot.at(0, 0), 0xFFFFFF40u);

    // Black and white columns three wide to two: each new pixel covers one and a half
    // columns, so the middle column counts half on either side.
    Pixels cols = draw("cols", "size 3 3\nfill #000000\nrect 1 0 1 3 #ffffff\n", 2);
    ASSERT_EQ(cols.w, 2);
    EXPECT_EQ(cols.at(0, 0), 0x555555FFu);
    EXPECT_EQ(cols.at(1, 1), 0x555555FFu);

    // Growing repeats pixels.
    Pixels big = draw("big", "size 2 2\nrect 0 0 1 2 #00ff00\nrect 1 0 1 2 #0000ff\n", 4);
    ASSERT_EQ(big.w, 4);
    EXPECT_EQ(big.at(1, 3), 0x00FF00FFu);
    EXPECT_EQ(big.at(2, 0), 0x0000FFFFu);
}

TEST_F(FhpackIcons, SizesThatMakeNoSenseAreRefused) {
    const std::string wide = dir.write("wide.rcp", "size 8 4\nfill #ffffff\n");
    RunResult r = runFhpack("art-recipe " + wide + " " + dir.file("wide.png") + " --size 4");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("wide.rcp:1: --size needs a square picture, this one is 8 x 4"), std::string::npos)
        << r.output;
    EXPECT_FALSE(coretest::fileExists(dir.file("wide.png")));

    const std::string sq = dir.write("sq.rcp", "size 4 4\nfill #ffffff\n");
    for (const char* bad : {"-3", "0", "5000", "many", "12px"}) {
        RunResult b = runFhpack("art-recipe " + sq + " " + dir.file("sq.png") + " --size " + bad);
        EXPECT_EQ(b.status >> 8, 2) << bad << ": " << b.output;  // usage
        EXPECT_FALSE(coretest::fileExists(dir.file("sq.png"))) << bad;
    }
}

// The icons the build made: square at each size, clear in the corners (the rounded
// tile), opaque and varied in the middle, the small ones a reduction of the large one.
TEST_F(FhpackIcons, BuiltIconsAreRoundedTilesAtEverySize) {
    for (const char* name : {"org.fernhollow.Fernhollow", "org.fernhollow.Configurator"}) {
        Pixels large;
        for (int size : {256, 128, 48}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(size));
            const std::string path =
                std::string(FH_TOOLS_DIR) + "/../content/art/icons/" + name + "-" + std::to_string(size) + ".png";
            Pixels p = decodeFile(path);
            ASSERT_EQ(p.w, size) << path;
            ASSERT_EQ(p.h, size);
            EXPECT_EQ(p.alpha(0, 0), 0);
            EXPECT_EQ(p.alpha(size - 1, size - 1), 0);
            EXPECT_EQ(p.countOpaque(size / 4, size / 4, size / 2, size / 2), size / 2 * size / 2);
            std::set<uint32_t> colours(p.rgba.begin(), p.rgba.end());
            EXPECT_GT(colours.size(), 16u) << "a drawing, not a flat tile";
            if (size == 256) {
                large = p;
            } else {
                // The centre pixel is close to the mean of the area it came from.
                const int k = 256 / size, c = size / 2;
                for (int shift : {24, 16, 8}) {
                    long sum = 0;
                    for (int y = 0; y < k; ++y)
                        for (int x = 0; x < k; ++x) sum += (large.at(c * 256 / size + x, c * 256 / size + y) >> shift) & 0xFF;
                    if (256 % size == 0) {
                        EXPECT_NEAR(double(sum) / (k * k), (p.at(c, c) >> shift) & 0xFF, 2.0);
                    }
                }
            }
        }
    }
}

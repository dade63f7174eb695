// The shipped texts: the settings program's menu offers only choices its tables hold,
// and the story lists come in Japanese/English pairs that fit the screen.
#include "test_fhpack_util.h"

#include <cstring>

#include "qgu_fileutil.h"

using namespace fhpacktest;

TEST(FhpackTexts, MenuTextOffersOnlyChoicesInsideTheConfigurationTables) {
    std::ifstream f(std::string(FH_RUNTIME_DIR) + "/resourcesQSDL/menutext.dttx", std::ios::binary);
    ASSERT_TRUE(f.good());
    std::vector<int> counts;
    int current = 0;
    std::string line;
    while (std::getline(f, line)) {
        EXPECT_LE(line.size() + 1, 255u) << line;
        if (!line.empty() && line[0] == '#') {
            counts.push_back(current);
            current = 0;
        } else {
            ++current;
        }
    }
    ASSERT_EQ(counts.size(), 32u) << "one closing line per item";
    // Largest number of choices each item may offer: items 2..30 edit fields 0..28.
    const int limit[32] = {0, 1, 2,  8,  8,  2,  2,  8,  10, 13, 13, 13, 16, 16, 16, 16,
                           2, 7, 10, 13, 13, 13, 16, 16, 16, 16, 2,  7,  16, 16, 13, 6};
    for (int i = 0; i < 32; ++i) {
        EXPECT_LE(counts[size_t(i)], limit[i]) << "item " << i;
        EXPECT_LE(counts[size_t(i)], 16) << "item " << i;
        if (i >= 1) {
            EXPECT_GE(counts[size_t(i)], 1) << "item " << i << " has no choices";
        }
    }
    EXPECT_EQ(counts[31], 6) << "the exit item's choices 0..5";
}

TEST(FhpackTexts, StoryListsPairUpAndFitTheScreen) {
    qgu_resetResourceRegistry();
    ASSERT_NE(qgu_loadResource((std::string(FH_RUNTIME_DIR) + "/resourcesQSDL/FHOtherRes2005.drsrc").c_str()),
              nullptr);
    const uint8_t* ja = static_cast<const uint8_t*>(qgu_getResourceRef(QGU_RES::STRn, 1002));
    const uint8_t* en = static_cast<const uint8_t*>(qgu_getResourceRef(QGU_RES::STRn, 1003));
    ASSERT_TRUE(ja && en);
    const int count = (ja[0] << 8) | ja[1];
    EXPECT_EQ(count, (en[0] << 8) | en[1]);
    EXPECT_EQ(count, 16) << "a paged list shows at most 16 lines";
    char line[256];
    for (int i = 1; i <= count; ++i) {
        // 16 x 16 glyphs: 20 to a 320-dot line, starting 16 dots in; 8 x 8: 38.
        const struct { int id, width; } lists[] = {{1002, 18}, {1003, 38}};
        for (auto l : lists) {
            int len = qgu_copyIdxStrPtr(line, l.id, i);
            int run = 0;
            for (int k = 0; k < len; ++k) {
                run = line[k] == '\r' ? 0 : run + 1;
                EXPECT_LE(run, l.width) << "list " << l.id << " line " << i << ": " << line;
            }
        }
        EXPECT_EQ(qgu_copyIdxStrPtr(line, 1002, i) == 0, qgu_copyIdxStrPtr(line, 1003, i) == 0)
            << "line " << i << " is empty in only one language";
    }
    qgu_resetResourceRegistry();
}

TEST(FhpackTexts, TextFilesNameTheLineOfAnUnwritableCharacter) {
    Scratch dir;
    dir.write("m.dttx.txt", "fine\nnot \xE2\x98\x83 fine\n");
    RunResult r = runFhpack("text " + dir.file("m.dttx.txt") + " " + dir.file("out"));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("m.dttx.txt:2: character U+2603 has no glyph"), std::string::npos) << r.output;
    const struct {
        const char* text;
        const char* expected;
    } bad[] = {
        {"ok\n\xC3(\n", "b.dttx.txt:2: malformed UTF-8 at byte 1"},
        {"tail \\q\n", "b.dttx.txt:1: unknown escape \\q"},
        {"\\x4\n", "b.dttx.txt:1: \\x needs two hexadecimal digits"},
        {"end \\\n", "b.dttx.txt:1: a backslash ends the text"},
    };
    for (const auto& c : bad) {
        dir.write("b.dttx.txt", c.text);
        RunResult b = runFhpack("text " + dir.file("b.dttx.txt") + " " + dir.file("out"));
        EXPECT_NE(b.status, 0) << c.text;
        EXPECT_NE(b.output.find(c.expected), std::string::npos) << c.text << " -> " << b.output;
    }
    dir.write("k.dttx.txt", "ｶﾀｶﾅ and かたかな\\x11^\n#\n");
    ASSERT_EQ(runFhpack("text " + dir.file("k.dttx.txt") + " " + dir.file("out")).status, 0);
    std::vector<uint8_t> out = readAll(dir.file("out"));
    EXPECT_EQ(std::string(out.begin(), out.end()), "\xB6\xC0\xB6\xC5 and \xB6\xC0\xB6\xC5\x11^\n#\n");
}

// The game's pictures as the build made them: every pattern number the game draws has a
// picture in the cell its atlas rule selects, every block number has a tile, the
// animated blocks animate, and every character the texts use has a glyph in every font.
#include "test_fhpack_art_util.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "FHobjectCtrl_family.h"
#include "FHobjectCtrl_family_boss.h"
#include "envresGlobal.h"
#include "qgu_fileutil.h"

using namespace fhpacktest;
using namespace fhpackarttest;

namespace {
class BuiltArt : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        IMG_Init(IMG_INIT_PNG);
        qgu_resetResourceRegistry();
        const std::string res = std::string(FH_RUNTIME_DIR) + "/resourcesQSDL/";
        for (const char* c : {"fontpic.mrsrc", "mediachunk.mrsrc"}) qgu_loadResource((res + c).c_str());
        for (int id : {100, 101, 102, 103, 128, 129, 130, 131, 132}) {
            QGU_ResourceSlot* s = qgu_getResourceInfo(QGU_RES::PNGf, id);
            if (s) pictures()[id] = decodeMemory(s->data, s->size);
        }
        qgu_resetResourceRegistry();
        if (qgu_loadResource((res + "wc2fh_lv1.mrsrc").c_str())) {
            QGU_ResourceSlot* s = qgu_getResourceInfo(QGU_RES::PNGf, 1000);
            if (s) pictures()[1000] = decodeMemory(s->data, s->size);
        }
        qgu_resetResourceRegistry();
    }
    static std::map<int, Pixels>& pictures() {
        static std::map<int, Pixels> p;
        return p;
    }
    static const Pixels& pic(int id) { return pictures()[id]; }

    // The atlas and cell the game draws a sprite pattern from (low 9 bits; 16 cells a row).
    static bool patternDrawn(int patt) {
        int id = patt < 512 ? 128 : patt < 1024 ? 129 : patt < 1280 ? 130 : patt < 1536 ? 131 : 132;
        int cell = patt < 512 ? 16 : patt < 1024 ? 32 : patt < 1536 ? 64 : 128;
        const Pixels& p = pic(id);
        if (p.w == 0) return false;
        return p.cellOpaque(patt & 0x1FF, cell, cell);
    }
};

void addRange(std::vector<int>& v, int a, int b) {
    for (int k = a; k <= b; ++k) v.push_back(k);
}
}  // namespace

TEST_F(BuiltArt, EveryPatternTheGameDrawsHasAPicture) {
    ASSERT_EQ(pic(128).w, 256);
    ASSERT_EQ(pic(129).w, 512);
    std::vector<int> need = {3, 4, 62, 66, 67, 72, 73, 92, 93, 96, 112, 113, 160, 161, 166, 167, 175, 179, 194, 268, 393, 509, 511};
    addRange(need, 8, 25);       // coins, score digits
    addRange(need, 32, 43);      // wave, roller, debris shots
    addRange(need, 52, 55);      // weapon items
    addRange(need, 64, 65);      // punch
    addRange(need, 352, 388);    // small foods, difficulty marks
    addRange(need, 496, 505);    // chapter items
    addRange(need, 568, 571);    // the dog, ready
    need.push_back(573);
    need.push_back(587);
    addRange(need, 622, 655);    // the dog following, blasts, special attack, swimming
    addRange(need, 656, 719);    // both characters on foot
    addRange(need, 720, 723);
    addRange(need, 749, 751);
    for (int k : {763, 772, 773, 776, 777, 802, 816, 825}) need.push_back(k);
    addRange(need, 848, 859);    // capsules
    addRange(need, 864, 875);    // chain signs
    addRange(need, 896, 991);    // both characters swimming
    for (int k : {1053, 1083, 1084, 1085, 1120, 1121, 1122, 1123, 1150}) need.push_back(k);
    addRange(need, 1280, 1309);  // section sprites
    for (int k : {1311, 1312, 1336, 1337, 1338, 1544, 1545, 1546, 1547, 1551, 1552}) need.push_back(k);
    for (int patt : need) EXPECT_TRUE(patternDrawn(patt)) << "pattern " << patt;
    EXPECT_FALSE(patternDrawn(0)) << "pattern 0 of the small atlas stays empty";

    // Atlas 131 answers both readings of its patterns: cell (p & 511) and cell (p & 255).
    for (int patt = 1280; patt <= 1338; ++patt) {
        int a = patt & 0x1FF, b = patt & 0xFF;
        EXPECT_TRUE(pic(131).sameBlock((a % 16) * 64, (a / 16) * 64, (b % 16) * 64, (b / 16) * 64, 64, 64)) << patt;
    }
    // Animation frames differ: walking, rising, swimming strokes, the dog's two steps.
    auto differ = [&](int p, int q) {
        int a = p & 0x1FF, b = q & 0x1FF;
        return !pic(129).sameBlock((a % 16) * 32, (a / 16) * 32, (b % 16) * 32, (b / 16) * 32, 32, 32);
    };
    for (int base : {656, 672}) {
        for (int k = 3; k < 6; ++k) EXPECT_TRUE(differ(base + k, base + k + 1)) << base + k;
        EXPECT_TRUE(differ(base + 7, base + 8));
        EXPECT_TRUE(differ(base + 10, base + 11));
    }
    for (int base : {896, 944})
        for (int k = 0; k < 7; ++k) EXPECT_TRUE(differ(base + k, base + k + 1)) << base + k;
    for (int p = 640; p < 648; p += 2) EXPECT_TRUE(differ(p, p + 1)) << p;
    EXPECT_TRUE(differ(656, 672)) << "hero and heroine";
}

TEST_F(BuiltArt, EveryBlockNumberHasATileAndAnimatedBlocksMove) {
    const Pixels& b = pic(1000);
    ASSERT_EQ(b.w, 512);
    ASSERT_EQ(b.h, 512);
    EXPECT_FALSE(b.cellOpaque(0, 16, 16));
    EXPECT_FALSE(b.cellOpaque(1, 16, 16));
    for (int k = 2; k < 1024; ++k) EXPECT_TRUE(b.cellOpaque(k, 16, 16)) << "block " << k;
    // The vanishing puff grows from 2 to 7 (a broken block becomes 7 and counts down).
    for (int k = 2; k < 7; ++k) EXPECT_LT(b.countOpaque((k % 32) * 16, 0, 16, 16), b.countOpaque(((k + 1) % 32) * 16, 0, 16, 16));
    auto same = [&](int p, int q) { return b.sameBlock((p % 32) * 16, (p / 32) * 16, (q % 32) * 16, (q / 32) * 16, 16, 16); };
    for (int group : {220, 348, 380, 412, 444, 508, 540, 572, 604})
        for (int f = 0; f < 3; ++f) EXPECT_FALSE(same(group + f, group + f + 1)) << "block " << group + f;
    // Distinct looks for blocks that act differently.
    const int distinct[] = {384, 392, 396, 400, 412, 424, 428, 444, 448, 449, 450, 451, 453, 454, 455, 508, 540, 608, 609, 632, 641, 944, 960};
    for (int i : distinct)
        for (int j : distinct)
            if (i < j) {
                EXPECT_FALSE(same(i, j)) << i << " vs " << j;
            }
}

TEST_F(BuiltArt, EveryFontHasTheCharactersTheTextsUse) {
    for (int id : {100, 101, 102, 103}) {
        const Pixels& f = pic(id);
        ASSERT_EQ(f.w, 512) << id;
        ASSERT_EQ(f.h, 512) << id;
        EXPECT_FALSE(f.cellOpaque(0, 32, 32)) << "space, font " << id;
        for (int c = 0x21; c <= 0x7E; ++c) EXPECT_TRUE(f.cellOpaque(c - 32, 32, 32)) << "font " << id << " code " << c;
        for (int c = 0xA1; c <= 0xDF; ++c) {
            EXPECT_TRUE(f.cellOpaque(c - 32, 32, 32)) << "font " << id << " kana " << c;
            EXPECT_TRUE(f.cellOpaque(c - 32 + 64, 32, 32)) << "font " << id << " kana mode " << c;
        }
        for (int c = 128; c <= 159; ++c) EXPECT_TRUE(f.cellOpaque(c - 32, 32, 32)) << "font " << id << " symbol " << c;
    }
    // Font 1 carries the key marks, the panel portraits and the speaker portraits.
    for (int c : {132, 137, 138, 139, 140, 148, 149, 150, 151, 158, 159}) EXPECT_TRUE(pic(101).cellOpaque(c - 32, 32, 32)) << c;
    // The turning coin of font 0: four different frames.
    for (int c = 156; c < 159; ++c)
        EXPECT_FALSE(pic(100).sameBlock(((c - 32) % 16) * 32, ((c - 32) / 16) * 32, ((c - 31) % 16) * 32, ((c - 31) / 16) * 32, 32, 32)) << c;
}

// Narrow letters are squeezed below one pixel per font column; their stems must stay one
// solid stroke in every row (not split in two, not dropped) in the plain font.
TEST_F(BuiltArt, NarrowLettersKeepSolidStems) {
    const Pixels& font = pic(101);
    ASSERT_EQ(font.w, 512);
    for (char c : {'i', 'j', 'l', 'I', '!', '|'}) {
        const int cell = c - 32, x0 = (cell % 16) * 32, y0 = (cell / 16) * 32;
        int inkedRows = 0;
        for (int y = y0; y < y0 + 32; ++y) {
            int runs = 0;
            for (int x = x0; x < x0 + 32; ++x)
                if (font.alpha(x, y) && (x == x0 || !font.alpha(x - 1, y))) ++runs;
            inkedRows += runs > 0;
            EXPECT_LE(runs, 1) << "'" << c << "' row " << y - y0 << " has a split stroke";
        }
        EXPECT_GE(inkedRows, 14) << "'" << c << "' lost its stem";
    }
}

// Every chapter's cast: every kind a map places, and every kind the game makes there
// (the time-out ambush, spit, blasts, what blocks release, spawners' children, thrown
// seeds, pollen, bees, lightning, the roc's divers and each enemy's capsule), has a
// behaviour, a designed attribute row and every picture its family draws.
namespace {

std::set<int> castKinds() {
    std::set<int> kinds = {6, 7, 29, 177, 178, 188, 36, 191, 19, 15, 176, 49, 50, 197, 8, 10, 180, 181};
    for (int group = 1; group <= 9; ++group) {
        const std::filesystem::path dir = std::string(FH_SOURCE_DIR) + "/content/maps/lv" + std::to_string(group);
        if (!std::filesystem::is_directory(dir)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (entry.path().extension() != ".fhmap") continue;
            std::ifstream f(entry.path());
            for (std::string l; std::getline(f, l);) {
                const auto at = l.find("kind=");
                if (l.rfind("object", 0) == 0 && at != std::string::npos) kinds.insert(std::stoi(l.substr(at + 5)));
            }
        }
    }
    std::set<int> all = kinds;
    for (int k : kinds)  // enemies beaten turn into capsules of kind + 128
        if ((k >= 8 && k <= 11) || (k >= 13 && k <= 19) || (k >= 22 && k <= 26) || (k >= 32 && k <= 40) || k == 44)
            all.insert(k + 128);
    return all;
}

// The pictures a family row draws, from the row and the kind's base pattern.
std::vector<int> familyPictures(const FHObj::BehaviourFn fn, const FHObj::KindRow& r, int base) {
    std::vector<int> p;
    const int frames = std::max(r.frames, 1);
    auto run = [&](int from, int n) {
        for (int i = 0; i < n; ++i) p.push_back(from + i);
    };
    if (fn == FHObj::familyWalker) run(base, frames + ((r.p1 & 2) ? 2 : 0));
    else if (fn == FHObj::familyHopper) run(base, 3);
    else if (fn == FHObj::familyDropper || fn == FHObj::familyEmitter) run(base, frames + 2);
    else if (fn == FHObj::familySpawner) run(base, 2);
    else if (fn == FHObj::familyBoss) {
        const FHFam::BossPhaseSet set = FHFam::bossPhaseSet(r.p1);
        for (int i = 0; i < set.count; ++i)
            for (int q : {set.phases[i].idlePatt, set.phases[i].stepPatt, set.phases[i].attackPatt}) p.push_back(q);
        p.push_back(base + 7);
    } else run(base, frames);
    return p;
}

}  // namespace

TEST_F(BuiltArt, EveryChaptersCastHasBehavioursRowsAndPictures) {
    for (int kind : castKinds()) {
        const FHObj::KindRow* row = nullptr;
        const FHObj::BehaviourFn fn = FHObj::behaviourFor(kind, &row);
        EXPECT_NE(fn, nullptr) << "kind " << kind << " has no behaviour";
        EXPECT_FALSE(vrndx_objAttributeIsPlaceholder(kind)) << "kind " << kind << " has a placeholder row";
        const int patt = vrndx_objAttributeRefPtr(kind)[OBJATTR_PATT];
        if (fn == nullptr || row == nullptr) continue;
        const int base = row->basePatt > 0 ? row->basePatt : patt;
        if (base <= 0) continue;  // drawn from the map's own pattern (signs, doors)
        for (int q : familyPictures(fn, *row, base)) EXPECT_TRUE(patternDrawn(q)) << "kind " << kind << " pattern " << q;
    }
}

// Signs in every map: the panel shows a sign's headline (up to its \x07) in large letters
// across the top of the play area and the rest in the small box at the bottom, three
// lines of 36 letters. A sign without the \x07 would print all of it in large letters,
// off the right edge, and leave the box empty.
TEST(MapTexts, EverySignHasAHeadlineAndFitsThePanelBox) {
    int signs = 0;
    for (int group = 1; group <= 9; ++group) {
        const std::filesystem::path dir = std::string(FH_SOURCE_DIR) + "/content/maps/lv" + std::to_string(group);
        if (!std::filesystem::is_directory(dir)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (entry.path().extension() != ".fhmap") continue;
            const std::string name = entry.path().filename().string();
            std::ifstream f(entry.path());
            for (std::string l; std::getline(f, l);) {
                if (l.rfind("message", 0) != 0) continue;
                const auto at = l.find("text=\"");
                ASSERT_NE(at, std::string::npos) << name << ": " << l;
                std::string t = l.substr(at + 6, l.find('"', at + 6) - at - 6);
                ++signs;
                const auto bell = t.find("\\x07");
                ASSERT_NE(bell, std::string::npos) << name << ": no headline in \"" << t << "\"";
                auto lines = [](const std::string& s) {
                    std::vector<std::string> out(1);
                    for (size_t i = 0; i < s.size(); ++i) {
                        if (s.compare(i, 2, "\\r") == 0) out.emplace_back(), ++i;
                        else out.back() += s[i];
                    }
                    return out;
                };
                for (const std::string& h : lines(t.substr(0, bell)))
                    EXPECT_LE(h.size(), 17u) << name << ": headline \"" << h << "\" runs under the panel";
                const auto box = lines(t.substr(bell + 4));
                EXPECT_LE(box.size(), 3u) << name << ": \"" << t << "\" overflows the box";
                for (const std::string& b : box)
                    EXPECT_LE(b.size(), 36u) << name << ": line \"" << b << "\" runs out of the box";
            }
        }
    }
    EXPECT_GE(signs, 15) << "the chapter maps' signs were not found";
}

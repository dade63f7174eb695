// Map sources compiled by fhpack and read back the way the game reads them: header,
// packed cells through the framework's decoder, and the entry/object list.
#include "test_fhpack_util.h"

#include <array>
#include <cstring>
#include <set>

#include "qgu_fileutil.h"

using namespace fhpacktest;

namespace {
struct Header {
    int16_t width, height, packed, spare;
};

std::vector<uint16_t> unpackMap(int k, Header& h) {
    const Header* hp = static_cast<const Header*>(qgu_getResourceRef(QGU_RES::Xmap, 2000 + k));
    const uint16_t* body = static_cast<const uint16_t*>(qgu_getResourceRef(QGU_RES::Xmap, 1000 + k));
    if (!hp || !body) return {};
    h = *hp;
    std::vector<uint16_t> cells(size_t(h.width) * size_t(h.height));
    if (h.packed)
        qgu_decompressMem16(body, cells.data(), unsigned(cells.size()));
    else
        std::copy(body, body + cells.size(), cells.begin());
    return cells;
}

// One 288-byte record of the list, words as the game reads them after loading.
struct ListRecord {
    const int16_t* w;
    std::string text;
};
std::vector<ListRecord> objectList() {
    QGU_ResourceSlot* s = qgu_getResourceInfo(QGU_RES::Xmap, 500);
    std::vector<ListRecord> out;
    if (!s) return out;
    const uint8_t* p = static_cast<const uint8_t*>(s->data);
    for (int64_t at = 0; at + 288 <= s->size; at += 288)
        out.push_back({reinterpret_cast<const int16_t*>(p + at),
                       std::string(reinterpret_cast<const char*>(p + at + 33), p[at + 32])});
    return out;
}

bool solidOnFoot(uint16_t b) {
    return b >= 640 && b <= 1007;
}
bool isExit(uint16_t b) {
    return (b >= 412 && b <= 415) || (b >= 420 && b <= 422);
}

class FhpackMaps : public ::testing::Test {
  protected:
    void SetUp() override { qgu_resetResourceRegistry(); }
    void TearDown() override { qgu_resetResourceRegistry(); }
    Scratch dir;
    RunResult pack(const std::string& mapText, const std::string& extraLines = "") {
        dir.write("content/maps/m.fhmap", mapText);
        dir.write("content/containers/g.pack",
                  "Xmap 1000 maps/m.fhmap\n" + extraLines + "Xmap 500 @objects:1\n");
        return runFhpack("pack " + dir.file("content/containers/g.pack") + " " + dir.file("g.mrsrc"));
    }
};
} // namespace

// Chapter 0's group as shipped: identification text, six maps equal to their sources,
// a start for every section map, doors that lead to real entries.
TEST_F(FhpackMaps, ShippedGroupZeroMatchesItsSourcesAndIsPlayable) {
    const std::string res = std::string(FH_RUNTIME_DIR) + "/resourcesQSDL/wc2fh_lv1";
    ASSERT_NE(qgu_loadResource((res + ".art.drsrc").c_str()), nullptr);
    const char* id = static_cast<const char*>(qgu_getResourceRef(QGU_RES::STR_, 501));
    ASSERT_NE(id, nullptr);
    EXPECT_EQ(std::strlen(id), 6u) << "group 0's identification text has length g + 6";
    ASSERT_NE(qgu_loadResource((res + ".mrsrc").c_str()), nullptr);

    const char* sources[] = {"m0_meadow", "m1_orchard", "m2_hill", "m3_coinrush", "m4_hollow", "m5_cellar"};
    std::vector<std::vector<uint16_t>> maps;
    for (int k = 0; k < 6; ++k) {
        MapGrid src = readMapGrid(std::string(FH_SOURCE_DIR) + "/content/maps/lv1/" + sources[k] + ".fhmap");
        Header h{};
        std::vector<uint16_t> cells = unpackMap(k, h);
        EXPECT_EQ(h.width, src.width) << sources[k];
        EXPECT_EQ(h.height, src.height) << sources[k];
        EXPECT_EQ(h.packed, 1) << sources[k];
        EXPECT_EQ(cells, src.cells) << sources[k];
        maps.push_back(cells);
    }
    for (int k = 6; k < 16; ++k) {
        Header h{};
        EXPECT_FALSE(unpackMap(k, h).empty()) << "the game fetches all sixteen maps; " << k << " is missing";
    }

    std::vector<ListRecord> list = objectList();
    ASSERT_FALSE(list.empty());
    for (int k = 0; k < 5; ++k) {
        // The first type-1/4 record of map k is where section k starts.
        const ListRecord* start = nullptr;
        for (const ListRecord& r : list)
            if ((r.w[1] == 1 || r.w[1] == 4) && r.w[2] == k) {
                start = &r;
                break;
            }
        ASSERT_NE(start, nullptr) << "map " << k << " has no start";
        const Header* h = static_cast<const Header*>(qgu_getResourceRef(QGU_RES::Xmap, 2000 + k));
        // A character's position is the top-left of its 12 x 14-dot box, so a start in
        // block row y fills that row and stands on row y + 1.
        int x = start->w[3], y = start->w[4];
        const std::vector<uint16_t>& c = maps[size_t(k)];
        auto at = [&](int cx, int cy) { return c[size_t((cy % h->height) * h->width + cx % h->width)]; };
        EXPECT_FALSE(solidOnFoot(at(x, y))) << "map " << k << " starts inside a wall";
        EXPECT_TRUE(solidOnFoot(at(x, y + 1))) << "map " << k << " starts in the air";
        EXPECT_GE(start->w[8], 10000) << "map " << k << " names its tune";
        int exits = 0;
        for (uint16_t b : c)
            exits += isExit(b);
        EXPECT_GE(exits, 2) << "map " << k << ": both characters need an exit block";
    }
    // Every tune and background an entry names is shipped.
    ASSERT_NE(qgu_loadResource((std::string(FH_RUNTIME_DIR) + "/resourcesQSDL/playlistogg.drsrc").c_str()),
              nullptr);
    ASSERT_NE(qgu_loadResource((std::string(FH_RUNTIME_DIR) + "/resourcesQSDL/mediachunk.mrsrc").c_str()),
              nullptr);
    for (const ListRecord& r : list) {
        if (r.w[1] > 1 && r.w[1] != 4) continue;
        if (r.w[8] >= 10000) {
            EXPECT_NE(qgu_getResourceRef(QGU_RES::STR_, r.w[8] + 1000), nullptr) << "tune " << r.w[8];
        }
        if (r.w[9] > 0) {
            EXPECT_NE(qgu_getPicturePtr(r.w[9]), nullptr) << "background " << r.w[9];
        }
    }
    for (const ListRecord& r : list) {
        if (r.w[1] != 7) continue; // doors
        int map = r.w[7], index = r.w[8];
        if (map / 16 != 0) continue;  // into another group: see the lake test
        ASSERT_LT(index, int(list.size()));
        EXPECT_EQ(list[size_t(index)].w[2], map % 16) << "a door leads to an entry of another map";
        EXPECT_EQ(list[size_t(index)].w[1], 0) << "door destinations are plain entries";
    }
}

// The drowned hall of the lake (map 33, group 2) as shipped: identification text, the
// map equal to its source, air, currents and carriers in it, and the pair of doors that
// joins it to the orchard cellar (map 5) both ways.
TEST_F(FhpackMaps, ShippedLakeRoomIsLinkedBothWays) {
    const std::string lv1 = std::string(FH_RUNTIME_DIR) + "/resourcesQSDL/wc2fh_lv1";
    const std::string lv3 = std::string(FH_RUNTIME_DIR) + "/resourcesQSDL/wc2fh_lv3";
    struct Door {
        int x, y, map, index;
    };
    auto doorsAndEntries = [](std::vector<Door>& doors, std::vector<std::array<int, 2>>& entries) {
        for (const ListRecord& r : objectList()) {
            if (r.w[1] == 7) doors.push_back({r.w[3], r.w[4], r.w[7], r.w[8]});
            entries.push_back({r.w[1], r.w[2]});  // record type, map
        }
    };
    std::vector<Door> doors0, doors2;
    std::vector<std::array<int, 2>> recs0, recs2;
    ASSERT_NE(qgu_loadResource((lv1 + ".mrsrc").c_str()), nullptr);
    doorsAndEntries(doors0, recs0);
    qgu_resetResourceRegistry();

    ASSERT_NE(qgu_loadResource((lv3 + ".art.drsrc").c_str()), nullptr);
    const char* id = static_cast<const char*>(qgu_getResourceRef(QGU_RES::STR_, 501));
    ASSERT_NE(id, nullptr);
    EXPECT_EQ(std::strlen(id), 8u) << "group 2's identification text has length g + 6";
    ASSERT_NE(qgu_loadResource((lv3 + ".mrsrc").c_str()), nullptr);
    MapGrid src = readMapGrid(std::string(FH_SOURCE_DIR) + "/content/maps/lv3/m1_lake.fhmap");
    Header h{};
    std::vector<uint16_t> cells = unpackMap(1, h);
    EXPECT_EQ(cells, src.cells);
    std::set<int> seen(cells.begin(), cells.end());
    for (int b : {419, 397, 390, 391, 348, 380, 609, 608})
        EXPECT_TRUE(seen.count(b)) << "block " << b << " belongs in the lake room";
    doorsAndEntries(doors2, recs2);
    int jellies = 0;
    for (const ListRecord& r : objectList()) jellies += (r.w[1] == 97);
    EXPECT_GE(jellies, 1) << "a carrier lives in the lake room";

    // Cellar -> lake: a door of group 0 leads to record 0 of group 2, an entry of map 1.
    int toLake = 0;
    for (const Door& d : doors0) {
        if (d.map / 16 != 2) continue;
        ++toLake;
        EXPECT_EQ(d.map, 33);
        ASSERT_LT(d.index, int(recs2.size()));
        EXPECT_EQ(recs2[size_t(d.index)][0], 0) << "a plain entry";
        EXPECT_EQ(recs2[size_t(d.index)][1], 1) << "of map 1 of group 2";
    }
    EXPECT_EQ(toLake, 1);
    // Lake -> cellar: the lake's door leads to an entry of map 5 in group 0.
    int back = 0;
    for (const Door& d : doors2) {
        ++back;
        EXPECT_EQ(d.map, 5);
        ASSERT_LT(d.index, int(recs0.size()));
        EXPECT_EQ(recs0[size_t(d.index)][0], 0);
        EXPECT_EQ(recs0[size_t(d.index)][1], 5);
    }
    EXPECT_EQ(back, 1);
}

TEST_F(FhpackMaps, RecordsCarryEveryFieldAndResolveDoors) {
    RunResult r =
        pack("size 16 8\nlegend . 0 # 700\nlegend = 1023\nrows\n" + std::string(16, '.') + "\n" +
             std::string(16, '.') + "\n" + std::string(16, '#') + "\n" + std::string(16, '=') + "\n" +
             std::string(16, '.') + "\n" + std::string(16, '.') + "\n" + std::string(16, '.') + "\n" +
             "................\nend\n"
             "start name=a x=1 y=1 music=11007 bkx=3 bky=-2 bgmode=1 bg=201\n"
             "entry name=b x=15 y=7\n"
             "object kind=14 x=2 y=3 sx=-4 sy=5 work1=6 work5=-7 patt=8 behave=5\n"
             "object kind=128 x=0 y=0 params=45,1,-5,771\n"
             "door x=4 y=1 to=b training=yes\n"
             "door x=5 y=1 to=33,12\n"
             "message x=6 y=1 text=\"ﾊﾛｰ\\x07Hi\"\n");
    ASSERT_EQ(r.status, 0) << r.output;
    ASSERT_NE(qgu_loadResource(dir.file("g.mrsrc").c_str()), nullptr);
    Header h{};
    std::vector<uint16_t> cells = unpackMap(0, h);
    ASSERT_EQ(cells.size(), 128u);
    EXPECT_EQ(cells[32], 700);
    EXPECT_EQ(cells[48], 1023);
    EXPECT_EQ(cells[127], 0);

    std::vector<ListRecord> list = objectList();
    ASSERT_EQ(list.size(), 7u);
    const int16_t start[] = {1, 1, 0, 1, 1, 3, -2, 1, 11007, 201, 0};
    EXPECT_TRUE(std::equal(start, start + 11, list[0].w));
    const int16_t obj[] = {1, 14, 0, 2, 3, -4, 5, 6, -7, 8, 5};
    EXPECT_TRUE(std::equal(obj, obj + 11, list[2].w));
    EXPECT_EQ(list[3].text, "045,001,-05,771");
    EXPECT_EQ(list[4].w[1], 7);
    EXPECT_EQ(list[4].w[7], 16 + 0) << "group 1, map 0";
    EXPECT_EQ(list[4].w[8], 1) << "entry b is record 1";
    EXPECT_EQ(list[4].text.substr(0, 4), "101,") << "training flag in P1";
    EXPECT_EQ(list[5].w[7], 33);
    EXPECT_EQ(list[5].w[8], 12);
    EXPECT_EQ(list[6].w[1], 6);
    EXPECT_EQ(list[6].text, "\xCA\xDB\xB0\x07Hi");
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(list[6].w)[33 + 6], 0) << "byte after the text";
}

TEST_F(FhpackMaps, LargestMapPacksAndUnpacksExactly) {
    std::string rows;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x)
            rows += (x * 7 + y * 3) % 11 < 4 ? '.' : "abcdefg"[(x / 5 + y) % 7];
        rows += '\n';
    }
    ASSERT_EQ(pack("size 256 256\nlegend . 0 a 1 b 640 c 1023 d 960 e 448 f 7 g 412\nrows\n" + rows +
                   "end\nstart x=255 y=255\n")
                  .status,
              0);
    ASSERT_NE(qgu_loadResource(dir.file("g.mrsrc").c_str()), nullptr);
    Header h{};
    std::vector<uint16_t> cells = unpackMap(0, h);
    ASSERT_EQ(cells.size(), 65536u);
    const int values[] = {1, 640, 1023, 960, 448, 7, 412};
    size_t i = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x, ++i) {
            int expect = (x * 7 + y * 3) % 11 < 4 ? 0 : values[(x / 5 + y) % 7];
            ASSERT_EQ(cells[i], expect) << x << "," << y;
        }
}

TEST_F(FhpackMaps, BadMapSourcesNameFileLineAndReason) {
    const std::string ok = "size 4 2\nlegend . 0 = 700\nrows\n....\n====\nend\n";
    struct Case {
        std::string map, extra, expected;
    } cases[] = {
        {"size 4 2\nlegend . 0\nrows\n..x.\n....\nend\n", "",
         "m.fhmap:4: unknown legend character 'x' in column 3"},
        {"size 4 2\nlegend . 0\nrows\n....\n.....\nend\n", "",
         "m.fhmap:5: map row of the wrong width (5 characters"},
        {"size 6 2\n", "", "m.fhmap:1: map size not a power of two or above 256"},
        {"size 512 2\n", "", "m.fhmap:1: map size not a power of two or above 256"},
        {"size 4 2\nlegend . 1024\n", "", "m.fhmap:2: block number above 1023"},
        {ok + "object kind=14 x=4 y=0\n", "", "m.fhmap:7: object record outside the map"},
        {ok + "start x=1 y=2\n", "", "m.fhmap:7: object record outside the map"},
        {"size 4 2\nlegend . 0\nrows\n....\nend\n", "", "m.fhmap:5: the map has 1 rows but is 2 high"},
        {"size 4 2\nlegend . 0\nrows\n....\n....\n", "", "m.fhmap:3: rows without a closing end line"},
        {ok + "door x=1 y=0 to=nowhere\n", "", "m.fhmap:7: door to unknown entry nowhere"},
        {ok + "object kind=14 x=1 y=0 speed=3\n", "", "m.fhmap:7: unknown argument speed="},
        {ok + "message x=1 y=0 text=\"\xE2\x82\xAC\"\n", "", "m.fhmap:7: character U+20AC has no glyph"},
        {ok + "object kind=14 x=1 y=0 params=1000\n", "", "m.fhmap:7: param 1 must lie in 0..999"},
        {ok + "entry name=a x=1 y=0\nentry name=a x=2 y=0\n", "", "m.fhmap:8: entry name a used twice"},
        {ok + "start x=1 y=0 music=5\n", "", "m.fhmap:7: music numbers start at 10000"},
        {ok, "Xmap 1016 maps/m.fhmap\n", "g.pack:2: a map source goes into 'Xmap' 1000..1015"},
    };
    for (const Case& c : cases) {
        RunResult r = pack(c.map, c.extra);
        EXPECT_NE(r.status, 0) << c.map;
        EXPECT_NE(r.output.find(c.expected), std::string::npos) << "source:\n"
                                                                << c.map << "output:\n"
                                                                << r.output;
    }
}

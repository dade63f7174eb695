// Damaged inputs that the loaders once mishandled (found by the fuzz targets in fuzz/),
// each reduced to its smallest form: the normal test run keeps them fixed.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "core_testutil.h"
#include "qgu_fileutil.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_globals.h"

using namespace coretest;

namespace {

class LoaderRegressions : public ::testing::Test {
protected:
    void SetUp() override { qgu_resetResourceRegistry(); }
    void TearDown() override { qgu_resetResourceRegistry(); }
    std::string save(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string p = dir.file(name);
        writeAll(p, bytes);
        return p;
    }
    void* load(const std::string& path) {
        StdoutCapture quiet;
        return qgu_loadResource(path.c_str());
    }
    ScratchDir dir;
};

// Bytes from p to the end of the container holding it.
int64_t bytesToEnd(const void* p, const void* buffer) {
    return qgu_resourceHeapSize(const_cast<void*>(buffer)) -
           (static_cast<const uint8_t*>(p) - static_cast<const uint8_t*>(buffer));
}

// A 'STR ' record is read as a C string. An empty one has no room for its terminator and
// one overlapped by a picture record loses it to the picture's inversion; either way
// the string must end inside the container, not run on past the file's bytes.
TEST_F(LoaderRegressions, StringRecordWithoutTerminatorEndsInsideContainer) {
    const uint32_t kOther = qgu_fourcc("XXXX");
    // Laid out in reverse: 40 bytes of 'A', then the empty string at the very end.
    void* buf = load(save("empty.mrsrc", buildContainer({{QGU_RES::STR_, 7, {}},
                                                         {kOther, 8, std::vector<uint8_t>(40, 'A')}})));
    ASSERT_NE(buf, nullptr);
    const char* empty = static_cast<const char*>(qgu_getResourceRef(QGU_RES::STR_, 7));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(std::strlen(empty), 0u);

    // "\3abc" becomes "abc\0"; a one-byte picture record over its last byte inverts that
    // terminator afterwards (the index lists the string first).
    std::vector<uint8_t> img(16 + 32 + 4 + 8, 0);
    auto be32 = [&](size_t at, uint32_t v) { putBE32(img, at, v); };
    be32(12, 2);
    be32(16, QGU_RES::STR_), be32(20, 9), be32(24, 0), be32(28, 4);
    be32(32, QGU_RES::PNGf), be32(36, 10), be32(40, 3), be32(44, 1);
    const uint8_t data[12] = {3, 'a', 'b', 'c', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K'};
    std::memcpy(&img[48], data, sizeof data);
    void* buf2 = load(save("overlap.mrsrc", img));
    ASSERT_NE(buf2, nullptr);
    const char* s = static_cast<const char*>(qgu_getResourceRef(QGU_RES::STR_, 9));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::strncmp(s, "abc", 3), 0);
    EXPECT_LE(int64_t(std::strlen(s)), bytesToEnd(s, buf2));
}

// Map groups are opened and purged over and over in a long run. The containers loaded
// at start keep their loaded-file entries: a purge frees an entry for the next load, so
// the table does not wrap over containers still in use.
TEST_F(LoaderRegressions, CyclingMapGroupsKeepsTheStartContainersInTheTable) {
    const std::string start = save("start.mrsrc", buildContainer({{QGU_RES::STR_, 1, {1, 's'}}}));
    void* startBuf = load(start);
    ASSERT_NE(startBuf, nullptr);
    const std::string a = save("groupa.mrsrc", buildContainer({{QGU_RES::STR_, 2, {1, 'a'}}}));
    const std::string b = save("groupb.mrsrc", buildContainer({{QGU_RES::STR_, 2, {1, 'b'}}}));
    for (int i = 0; i < 2 * QGU_MAX_LOADED_FILES + 3; ++i) {
        void* g = load(i % 2 ? a : b);
        ASSERT_NE(g, nullptr);
        qgu_purgeResource(g);
    }
    bool listed = false;
    for (int i = 0; i < QGU_MAX_LOADED_FILES; ++i) listed = listed || qgu_loadedFiles()[i].buffer == startBuf;
    EXPECT_TRUE(listed);
    EXPECT_EQ(qgu_resourceHeapSize(startBuf), int64_t(buildContainer({{QGU_RES::STR_, 1, {1, 's'}}}).size()));
    // Asked for again, the start container is found, not read a second time.
    EXPECT_EQ(load(start), startBuf);
}

// With every entry holding a container in use, a new one is refused: pushing the oldest
// out would leave its buffer untracked while its records still point into it.
TEST_F(LoaderRegressions, FullTableRefusesANewContainerAndKeepsEveryOldOne) {
    std::vector<void*> bufs;
    for (int i = 0; i <= QGU_MAX_LOADED_FILES; ++i) {
        // Names of different lengths: container ids are byte sums, so they differ.
        const std::string p = save(std::string(size_t(i) + 1, 'c') + ".mrsrc",
                                   buildContainer({{QGU_RES::STR_, 100 + i, {1, 'x'}}}));
        bufs.push_back(load(p));
    }
    EXPECT_EQ(bufs.back(), nullptr);
    EXPECT_EQ(qgu_loadedFiles()[0].buffer, bufs.front());
    EXPECT_NE(qgu_getResourceRef(QGU_RES::STR_, 100), nullptr);
    EXPECT_EQ(qgu_getResourceRef(QGU_RES::STR_, 100 + QGU_MAX_LOADED_FILES), nullptr);
}

class PictureRegressions : public LoaderRegressions {
protected:
    void SetUp() override {
        LoaderRegressions::SetUp();
        qgu_initGLImageHdlfunc();
    }
    // A real 4 x 2 PNG made by the image library.
    std::vector<uint8_t> png() {
        SDL_Surface* s = SDL_CreateRGBSurface(0, 4, 2, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
        EXPECT_NE(s, nullptr);
        SDL_FillRect(s, nullptr, 0xFF336699u);
        const std::string p = dir.file("pic.png");
        EXPECT_EQ(IMG_SavePNG(s, p.c_str()), 0);
        SDL_FreeSurface(s);
        return readAll(p);
    }
    int makeTexture(const std::vector<uint8_t>& picture, int id) {
        const std::string p = dir.file("pic" + std::to_string(id) + ".mrsrc");
        writeAll(p, buildContainer({invertedRecord(QGU_RES::PNGf, id, picture)}));
        if (load(p) == nullptr) return -2;
        StdoutCapture quiet;
        GLuint tex = 0;
        return qgu_NewTextureFromPicRes(id, &tex, false, false);
    }
};

// A chunk length running past the record: the decoder would read on for up to 2 GB of
// nothing (it does not notice the end of its source). The record is refused at once.
TEST_F(PictureRegressions, ChunkLengthPastTheRecordIsRefusedQuickly) {
    auto good = png();
    ASSERT_GT(good.size(), 33u);
    EXPECT_EQ(makeTexture(good, 701), 0);

    auto bad = good;
    bad[33] = 0x7F, bad[34] = 0xFF, bad[35] = 0xFF, bad[36] = 0x00;  // first chunk after IHDR
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(makeTexture(bad, 702), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));

    // The same picture as a file: refused as well, and as quickly.
    const std::string file = dir.file("bad.png");
    writeAll(file, bad);
    {
        StdoutCapture quiet;
        GLuint tex = 0;
        const auto t1 = std::chrono::steady_clock::now();
        EXPECT_EQ(qgu_NewTextureFromPicFile(file.c_str(), &tex, false, false), -1);
        EXPECT_EQ(qgu_NewRawImageFromPicName(file.c_str(), 0, 0), nullptr);
        EXPECT_LT(std::chrono::steady_clock::now() - t1, std::chrono::seconds(5));
        const std::string goodFile = dir.file("good.png");
        writeAll(goodFile, good);
        EXPECT_EQ(qgu_NewTextureFromPicFile(goodFile.c_str(), &tex, false, false), 0);
    }

    // Cut before IEND: refused as well.
    std::vector<uint8_t> cut(good.begin(), good.end() - 12);
    EXPECT_EQ(makeTexture(cut, 703), -1);
    EXPECT_EQ(qgu_NewRawImageFromPicRes(703, 0, 0), nullptr);
}

// A damaged JPEG that carries an "<svg" mark went to the SVG decoder (found by content
// detection), which leaks on it; PNG and JPEG data now go to their own decoders only.
// (The leak shows in the sanitizer build's leak check.) A real JPEG still loads.
TEST_F(PictureRegressions, DamagedJpegWithOtherFormatsMarkStaysWithTheJpegDecoder) {
    const std::vector<uint8_t> jsvg = {
        0xff, 0xd8, 0xff, 0x3c, 0x73, 0x76, 0x67, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
        0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0xff, 0xff, 0x82, 0x00, 0x0a, 0x07, 0x07, 0x08,
        0x07, 0x06, 0x0a, 0x08, 0x08, 0x08, 0x0b, 0x0a, 0x0a, 0x0b, 0x0e, 0x18, 0x10, 0x0e, 0x0d, 0x0d,
        0x0e, 0x1d, 0x15, 0x16, 0x11, 0x18, 0x23, 0x1f, 0x25, 0x24, 0x22, 0x1f, 0x22, 0x21, 0x26, 0x33};
    EXPECT_EQ(makeTexture(jsvg, 704), -1);

    SDL_Surface* s = SDL_CreateRGBSurface(0, 8, 8, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    ASSERT_NE(s, nullptr);
    SDL_FillRect(s, nullptr, 0xFF808080u);
    const std::string jpg = dir.file("pic.jpg");
    ASSERT_EQ(IMG_SaveJPG(s, jpg.c_str(), 80), 0);
    SDL_FreeSurface(s);
    EXPECT_EQ(makeTexture(readAll(jpg), 705), 0);
}

// A frame header declaring 60000 x 60000 pixels had the decoder ask for ~14 GB. Sizes
// beyond any picture of the game are refused before decoding.
TEST_F(PictureRegressions, HugeDeclaredSizeIsRefusedBeforeDecoding) {
    SDL_Surface* s = SDL_CreateRGBSurface(0, 8, 8, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    ASSERT_NE(s, nullptr);
    const std::string jpg = dir.file("big.jpg");
    ASSERT_EQ(IMG_SaveJPG(s, jpg.c_str(), 80), 0);
    SDL_FreeSurface(s);
    auto bytes = readAll(jpg);
    size_t sof = 0;
    for (size_t i = 2; i + 9 < bytes.size() && sof == 0; ++i)
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) sof = i;
    ASSERT_NE(sof, 0u);
    ASSERT_EQ(bytes[sof + 5] << 8 | bytes[sof + 6], 8);  // height, then width
    bytes[sof + 5] = bytes[sof + 7] = 0xEA;  // 60000 = 0xEA60
    bytes[sof + 6] = bytes[sof + 8] = 0x60;
    EXPECT_EQ(makeTexture(bytes, 706), -1);
    const std::string file = dir.file("big2.jpg");
    writeAll(file, bytes);
    StdoutCapture quiet;
    EXPECT_EQ(qgu_NewRawImageFromPicName(file.c_str(), 0, 0), nullptr);
}

}  // namespace

namespace {

// The bounded decoder reads a stream that starts at an odd address (a map record at an
// odd offset of a damaged container) word by word, without misaligned loads.
TEST(DecoderRegressions, StreamAtOddAddressDecodes) {
    const uint16_t words[] = {5, 0x8007, 3, 9, 0x8000, 0};  // 5, 7 x 4, 9, end
    std::vector<uint8_t> raw(sizeof words + 1);
    std::memcpy(raw.data() + 1, words, sizeof words);
    const auto* odd = reinterpret_cast<const uint16_t*>(raw.data() + 1);
    uint16_t out[16] = {};
    bool truncated = true;
    EXPECT_EQ(qgu_decompressMem16Safe(odd, 6, out, 16, &truncated), 6u);
    EXPECT_FALSE(truncated);
    const uint16_t want[6] = {5, 7, 7, 7, 7, 9};
    EXPECT_EQ(std::memcmp(out, want, sizeof want), 0);
}

}  // namespace

namespace {

std::vector<uint8_t> be16(std::initializer_list<int> words) {
    std::vector<uint8_t> v;
    for (int w : words) {
        v.push_back(uint8_t(w >> 8));
        v.push_back(uint8_t(w));
    }
    return v;
}

// A map group whose records all sit at odd offsets (one stray byte ahead of them):
// header, cells and entry table are read without misaligned loads and give the map.
TEST(MapRegressions, RecordsAtOddOffsetsLoad) {
    ScratchDir dir;
    char oldCwd[1024];
    ASSERT_NE(getcwd(oldCwd, sizeof oldCwd), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    ASSERT_EQ(mkdir("resourcesQSDL", 0755), 0);
    qgu_resetResourceRegistry();
    // The group's id string has group + 6 characters.
    writeAll("resourcesQSDL/wc2fh_lv1.art.drsrc",
             buildContainer({{QGU_RES::STR_, 501, {6, 'g', 'r', 'o', 'u', 'p', '1'}}}));
    std::vector<uint8_t> entry(288, 0);
    const auto head = be16({0, 1, 0, 3, 4});  // kind 1 (start), map 0, block (3, 4)
    std::copy(head.begin(), head.end(), entry.begin());
    writeAll("resourcesQSDL/wc2fh_lv1.mrsrc",
             buildContainer({{QGU_RES::Xmap, 500, entry},
                             {QGU_RES::Xmap, 1000, be16({1, 2, 3, 100})},
                             {QGU_RES::Xmap, 2000, be16({2, 2, 0})},
                             {qgu_fourcc("XXXX"), 1, {0xEE}}}));  // laid out first
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    {
        StdoutCapture quiet;
        w.loadMapWorld(-1, -1);
        w.loadMapWorld(0, -1);
    }
    EXPECT_EQ(w.loadedMapNum, 0);
    EXPECT_EQ(FHWGBL::MapBlkWidth, 2);
    EXPECT_EQ(FHWGBL::MapBlkHeight, 2);
    EXPECT_EQ(FHWGBL::MenMap[0][0], 1);
    EXPECT_EQ(FHWGBL::MenMap[1][1], 100);
    EXPECT_EQ(w.chars[0].posX, 3 * 1600);
    EXPECT_EQ(w.chars[0].posY, 4 * 1600);
    w.loadMapWorld(-1, -1);
    qgu_resetResourceRegistry();
    ASSERT_EQ(chdir(oldCwd), 0);
}

}  // namespace

namespace {

// A section whose map group is missing does not start, and no world step runs without a
// map (the collision code would read the block map with a mask of -1).
TEST(MapRegressions, ASectionWithoutItsMapIsRefusedAndNoStepRunsWithoutAMap) {
    ScratchDir dir;
    char oldCwd[1024];
    ASSERT_NE(getcwd(oldCwd, sizeof oldCwd), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);  // no resourcesQSDL here at all
    qgu_resetResourceRegistry();
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    w.replayPlaybackF = false;
    std::string log;
    int started;
    {
        StdoutCapture cap;
        w.loadMapWorld(-1, -1);
        started = w.loadNewStage(1, 0, 0);
        log = cap.text();
    }
    EXPECT_EQ(started, -1);
    EXPECT_NE(log.find("Section could not start"), std::string::npos) << log;
    EXPECT_FALSE(QSDL_GLOBALS::Stick.isRecording());
    EXPECT_EQ(w.loadedMapNum, -1);
    {
        StdoutCapture cap;
        w.fhWorldMainLoop(-1);
        EXPECT_EQ(w.fhWorldMainLoop(0), -2);
        EXPECT_NE(cap.text().find("World step refused: no map is loaded."), std::string::npos);
    }
    ASSERT_EQ(chdir(oldCwd), 0);
}

}  // namespace

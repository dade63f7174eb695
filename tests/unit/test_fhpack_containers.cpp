// Containers written by fhpack must come back through the game's own loader exactly as
// their sources: every record type's stored form is undone by the loader's filter.
#include "test_fhpack_util.h"

#include <cstring>
#include <dirent.h>

#include "qgu_fileutil.h"

using namespace fhpacktest;

namespace {
std::vector<uint8_t> pseudoRandomBytes(size_t n, uint32_t seed) {
    std::vector<uint8_t> v(n);
    for (auto& b : v) {
        seed = seed * 1103515245u + 12345u;
        b = uint8_t(seed >> 16);
    }
    return v;
}

std::vector<uint8_t> loaded(QGU_ResType type, int id) {
    QGU_ResourceSlot* s = qgu_getResourceInfo(type, id);
    if (!s) return {};
    const uint8_t* p = static_cast<const uint8_t*>(s->data);
    return std::vector<uint8_t>(p, p + s->size);
}

class FhpackContainer : public ::testing::Test {
  protected:
    void SetUp() override { qgu_resetResourceRegistry(); }
    void TearDown() override { qgu_resetResourceRegistry(); }
    Scratch dir;
};
} // namespace

TEST_F(FhpackContainer, EveryRecordTypeRoundTripsThroughTheLoader) {
    const auto picture = pseudoRandomBytes(300, 1);
    const auto jpeg = pseudoRandomBytes(65, 2); // one byte past the inverted head
    const auto sound = pseudoRandomBytes(1000, 3);
    const auto other = pseudoRandomBytes(33, 4);
    dir.writeBytes("content/pic.png", picture);
    dir.writeBytes("gen/art/photo.jpg", jpeg);
    dir.writeBytes("content/snd.aiff", sound);
    dir.writeBytes("content/blob.bin", other);
    dir.write("content/list.txt", "# a comment line\nfirst\n\\\nｱｲｳ kana\nカード\\x07Card\n\tＡ１！\n");
    dir.write("content/table.txt", "1 2 0x7fff\n# skipped\n-1 65535\n");
    dir.write("content/containers/t.pack", "# every kind of record\n"
                                           "PNGf 1000 pic.png\n"
                                           "JPEG 7 @gen/art/photo.jpg   # trailing comment\n"
                                           "AIFF 1001 snd.aiff\n"
                                           "'STR ' 501 text:\"Hello # not a comment \\\"q\\\"\"\n"
                                           "'STR ' 502 text:\"\"\n"
                                           "'STR#' 1002 list.txt\n"
                                           "OBCH 5 table.txt\n"
                                           "DATA 9 blob.bin\n");
    RunResult r = runFhpack("pack " + dir.file("content/containers/t.pack") + " " + dir.file("out/t.mrsrc") +
                            " --gen " + dir.file("gen"));
    ASSERT_EQ(r.status, 0) << r.output;
    ASSERT_NE(qgu_loadResource(dir.file("out/t.mrsrc").c_str()), nullptr);

    EXPECT_EQ(loaded(QGU_RES::PNGf, 1000), picture);
    EXPECT_EQ(loaded(QGU_RES::JPEG, 7), jpeg);
    EXPECT_EQ(loaded(QGU_RES::AIFF, 1001), sound);
    EXPECT_EQ(loaded(qgu_fourcc("DATA"), 9), other);
    EXPECT_STREQ(static_cast<const char*>(qgu_getResourceRef(QGU_RES::STR_, 501)),
                 "Hello # not a comment \"q\"");
    EXPECT_STREQ(static_cast<const char*>(qgu_getResourceRef(QGU_RES::STR_, 502)), "");

    char line[256];
    EXPECT_EQ(qgu_copyIdxStrPtr(line, 1002, 1), 5);
    EXPECT_STREQ(line, "first");
    EXPECT_EQ(qgu_copyIdxStrPtr(line, 1002, 2), 0);
    EXPECT_EQ(qgu_copyIdxStrPtr(line, 1002, 3), 8);
    EXPECT_STREQ(line, "\xB1\xB2\xB3 kana");
    // Full-width katakana become half-width, a voiced one as kana plus mark.
    qgu_copyIdxStrPtr(line, 1002, 4);
    EXPECT_STREQ(line, "\xB6\xB0\xC4\xDE\x07"
                       "Card");
    const uint8_t* list = static_cast<const uint8_t*>(qgu_getResourceRef(QGU_RES::STRn, 1002));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ((list[0] << 8) | list[1], 5) << "count, big-endian";
    qgu_copyIdxStrPtr(line, 1002, 5);
    EXPECT_STREQ(line, " A1!") << "tab and full-width signs";

    auto words = loaded(QGU_RES::OBCH, 5);
    ASSERT_EQ(words.size(), 10u);
    const uint16_t* w = reinterpret_cast<const uint16_t*>(words.data());
    EXPECT_EQ(w[0], 1);
    EXPECT_EQ(w[2], 0x7FFF);
    EXPECT_EQ(w[3], 0xFFFF);
    EXPECT_EQ(w[4], 65535);
}

TEST_F(FhpackContainer, ListAndExtractShowTheRecordsAsTheGameSeesThem) {
    const auto picture = pseudoRandomBytes(200, 9);
    dir.writeBytes("content/pic.png", picture);
    dir.write("content/containers/t.pack", "PNGf 128 pic.png\n'STR ' 3 text:\"abc\"\n");
    ASSERT_EQ(runFhpack("pack " + dir.file("content/containers/t.pack") + " " + dir.file("t.mrsrc")).status,
              0);

    RunResult list = runFhpack("list " + dir.file("t.mrsrc"));
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.output.find("2 records"), std::string::npos) << list.output;
    EXPECT_NE(list.output.find("'PNGf'    128"), std::string::npos) << list.output;
    EXPECT_NE(list.output.find("\"abc\""), std::string::npos) << list.output;

    ASSERT_EQ(runFhpack("extract " + dir.file("t.mrsrc") + " PNGf 128 " + dir.file("x.png")).status, 0);
    EXPECT_EQ(readAll(dir.file("x.png")), picture);
    RunResult missing = runFhpack("extract " + dir.file("t.mrsrc") + " PNGf 129 " + dir.file("y.png"));
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.output.find("no record"), std::string::npos);
}

TEST_F(FhpackContainer, DamagedContainersAreRefusedByListAndExtract) {
    dir.writeBytes("content/pic.png", pseudoRandomBytes(200, 5));
    dir.write("content/containers/t.pack", "PNGf 1 pic.png\n");
    ASSERT_EQ(runFhpack("pack " + dir.file("content/containers/t.pack") + " " + dir.file("t.mrsrc")).status,
              0);
    std::vector<uint8_t> good = readAll(dir.file("t.mrsrc"));
    std::vector<uint8_t> cut(good.begin(), good.end() - 1);
    dir.writeBytes("cut.mrsrc", cut);
    RunResult r = runFhpack("list " + dir.file("cut.mrsrc"));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("record 0 runs past the end of the file"), std::string::npos) << r.output;
    std::vector<uint8_t> hugeCount = good;
    hugeCount[12] = 0x10; // count far beyond the index
    dir.writeBytes("count.mrsrc", hugeCount);
    r = runFhpack("extract " + dir.file("count.mrsrc") + " PNGf 1 " + dir.file("x"));
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find("index runs past the end"), std::string::npos) << r.output;
}

TEST_F(FhpackContainer, BadManifestsAndRecordsFailWithFileLineAndReason) {
    dir.writeBytes("content/short.png", pseudoRandomBytes(64, 1));
    dir.write("content/long.txt", std::string(256, 'a') + "\n");
    struct Case {
        const char* manifest;
        const char* expected;
    } cases[] = {
        {"# fine\nPNG 1 short.png\n", "t.pack:2: a record type has four characters"},
        {"PNGf x short.png\n", "t.pack:1: record number expected"},
        {"PNGf 1 short.png\n", "t.pack:1: a PNGf record must be longer than 64 bytes"},
        {"PNGf 1 missing.png\n", "t.pack:1: cannot read"},
        {"'STR ' 1 text:\"x\"\n'STR ' 1 text:\"y\"\n", "record STR  1 appears twice"},
        {"'STR ' 1 text:\"caf\xC3\xA9\"\n", "t.pack:1: character U+00E9 has no glyph"},
        {"'STR ' 1 long.txt\n", "t.pack:1: a text record holds at most 255 characters"},
        {"'STR ' 1 text:\"open\n", "t.pack:1: unterminated text"},
        {"PNGf 1 @gen/x.png\n", "t.pack:1: @gen/ source but no --gen directory given"},
        {"Xmap 500 @objects:0\n", "t.pack:1: @objects but no map sources"},
    };
    for (const Case& c : cases) {
        dir.write("content/containers/t.pack", c.manifest);
        RunResult r = runFhpack("pack " + dir.file("content/containers/t.pack") + " " + dir.file("t.mrsrc"));
        EXPECT_NE(r.status, 0) << c.manifest;
        EXPECT_NE(r.output.find(c.expected), std::string::npos) << "manifest:\n"
                                                                << c.manifest << "output:\n"
                                                                << r.output;
    }
}

// Every container the build placed in the runtime tree loads through the real loader,
// and its records agree with what `fhpack extract` decodes independently.
TEST_F(FhpackContainer, ShippedContainersLoadAndMatchTheirExtracts) {
    const std::string res = std::string(FH_RUNTIME_DIR) + "/resourcesQSDL";
    DIR* d = opendir(res.c_str());
    ASSERT_NE(d, nullptr) << res;
    std::vector<std::string> names;
    while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n.size() > 6 &&
            (n.compare(n.size() - 6, 6, ".mrsrc") == 0 || n.compare(n.size() - 6, 6, ".drsrc") == 0))
            names.push_back(n);
    }
    closedir(d);
    ASSERT_FALSE(names.empty());
    for (const std::string& n : names) {
        qgu_resetResourceRegistry();
        const std::string path = res + "/" + n;
        ASSERT_NE(qgu_loadResource(path.c_str()), nullptr) << n;
        RunResult list = runFhpack("list " + path);
        ASSERT_EQ(list.status, 0) << list.output;
        std::istringstream lines(list.output);
        std::string line;
        std::getline(lines, line);
        int checked = 0;
        while (std::getline(lines, line)) {
            char type[5] = {};
            int id = 0;
            if (std::sscanf(line.c_str(), "'%4c' %d", type, &id) != 2) continue;
            QGU_ResType t = (QGU_ResType(uint8_t(type[0])) << 24) | (QGU_ResType(uint8_t(type[1])) << 16) |
                            (QGU_ResType(uint8_t(type[2])) << 8) | QGU_ResType(uint8_t(type[3]));
            std::string out = dir.file("rec.bin");
            ASSERT_EQ(runFhpack(std::string("extract ") + path + " '" + type + "' " + std::to_string(id) +
                                " " + out)
                          .status,
                      0);
            std::vector<uint8_t> expect = readAll(out), got = loaded(t, id);
            if (t == QGU_RES::STR_) got.pop_back(); // the loader's C string terminator
            EXPECT_EQ(got, expect) << n << " " << type << " " << id;
            ++checked;
        }
        EXPECT_GT(checked, 0) << n;
    }
}

// Resource containers: loading, conversion of every record type, registry rules
// (replacement, picture pairing, wrap-around), refusal of damaged files and string lists.
#include <gtest/gtest.h>

#include <cstring>

#include "core_testutil.h"
#include "qgu_endianfillter.h"
#include "qgu_fileutil.h"
#include "qsdlpp2_base@General.h"

using namespace coretest;

namespace {

class Containers : public ::testing::Test {
protected:
    void SetUp() override {
        qgu_resetResourceRegistry();
        qgu_setRsrcLogVariant(QGU_RSRCLOG_GAME);
    }
    void TearDown() override {
        qgu_resetResourceRegistry();
        qgu_setRsrcLogVariant(QGU_RSRCLOG_GAME);
    }
    std::string save(const std::string& name, const std::vector<StoredRecord>& recs) {
        const std::string p = dir.file(name);
        writeAll(p, buildContainer(recs));
        return p;
    }
    ScratchDir dir;
};

std::vector<uint8_t> be16words(const std::vector<uint16_t>& w) {
    std::vector<uint8_t> v;
    for (uint16_t x : w) {
        v.push_back(uint8_t(x >> 8));
        v.push_back(uint8_t(x));
    }
    return v;
}

std::vector<uint8_t> strList(const std::vector<std::string>& lines, uint16_t count) {
    std::vector<uint8_t> v = {uint8_t(count >> 8), uint8_t(count)};
    for (const auto& s : lines) {
        v.push_back(uint8_t(s.size()));
        v.insert(v.end(), s.begin(), s.end());
    }
    return v;
}

TEST_F(Containers, EveryRecordTypeIsConvertedToHostForm) {
    const auto png = pattern(100, 1);
    const auto aiff = pattern(80, 2);
    // Map information entry: twelve words, two 32-bit words, then a 5-character text
    // followed by a byte that must be cleared.
    std::vector<uint8_t> info(288, 0xAA);
    for (int i = 0; i < 12; ++i) {
        info[2 * i] = uint8_t(i);
        info[2 * i + 1] = uint8_t(0x10 + i);
    }
    putBE32(info, 24, 0x01020304);
    putBE32(info, 28, 0xA0B0C0D0);
    info[32] = 5;
    std::memcpy(&info[33], "Hello", 5);
    const std::vector<uint8_t> header = be16words({64, 32, 1, 0x1234, 0x5678});
    const std::vector<uint8_t> odd = {0x12, 0x34, 0x56};  // a table with a spare byte

    const std::string p = save("all.mrsrc", {
        invertedRecord(QGU_RES::PNGf, 100, png),
        invertedRecord(QGU_RES::AIFF, 1000, aiff),
        {QGU_RES::MPEV, 1, odd},
        {QGU_RES::STR_, 501, {3, 'a', 'b', 'c'}},
        {QGU_RES::STR_, 502, {0}},
        {QGU_RES::Xmap, 500, info},
        {QGU_RES::Xmap, 1003, be16words({1, 0x7FFF, 0x0203})},
        {QGU_RES::Xmap, 2003, header},
        {qgu_fourcc("ABCD"), 9, {1, 2, 3, 4}},
    });
    void* buf = qgu_loadResource(p.c_str());
    ASSERT_NE(buf, nullptr);

    EXPECT_EQ(0, std::memcmp(qgu_getResourceRef(QGU_RES::PNGf, 100), png.data(), png.size()));
    EXPECT_EQ(0, std::memcmp(qgu_getResourceRef(QGU_RES::AIFF, 1000), aiff.data(), aiff.size()));
    EXPECT_EQ(qgu_getResourceSize(qgu_getResourceRef(QGU_RES::PNGf, 100)), 100);

    const uint8_t* mpev = static_cast<uint8_t*>(qgu_getResourceRef(QGU_RES::MPEV, 1));
    EXPECT_EQ(mpev[0], 0x34);
    EXPECT_EQ(mpev[1], 0x12);
    EXPECT_EQ(mpev[2], 0x56);  // the spare byte is not part of a word

    EXPECT_STREQ(static_cast<char*>(qgu_getResourceRef(QGU_RES::STR_, 501)), "abc");
    EXPECT_STREQ(static_cast<char*>(qgu_getResourceRef(QGU_RES::STR_, 502)), "");

    const uint8_t* e = static_cast<uint8_t*>(qgu_getResourceRef(QGU_RES::Xmap, 500));
    uint16_t w5;
    std::memcpy(&w5, e + 10, 2);
    EXPECT_EQ(w5, 0x0515);
    uint32_t d24, d28;
    std::memcpy(&d24, e + 24, 4);
    std::memcpy(&d28, e + 28, 4);
    EXPECT_EQ(d24, 0x01020304u);
    EXPECT_EQ(d28, 0xA0B0C0D0u);
    EXPECT_EQ(e[38], 0);  // byte after the text
    EXPECT_EQ(e[39], 0xAA);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(e + 33)), "Hello");

    const uint16_t* body = static_cast<uint16_t*>(qgu_getResourceRef(QGU_RES::Xmap, 1003));
    EXPECT_EQ(body[0], 1);
    EXPECT_EQ(body[1], 0x7FFF);
    EXPECT_EQ(body[2], 0x0203);

    const uint16_t* hd = static_cast<uint16_t*>(qgu_getResourceRef(QGU_RES::Xmap, 2003));
    EXPECT_EQ(hd[0], 64);
    EXPECT_EQ(hd[1], 32);
    EXPECT_EQ(hd[3], 0x1234);
    EXPECT_EQ(hd[4], 0x7856);  // only the first four words are converted

    const uint8_t* other = static_cast<uint8_t*>(qgu_getResourceRef(qgu_fourcc("ABCD"), 9));
    EXPECT_EQ(other[0], 1);
    EXPECT_EQ(other[3], 4);
    EXPECT_EQ(qgu_getResourceRef(QGU_RES::PNGf, 101), nullptr);
    EXPECT_EQ(qgu_getResourceRef(QGU_RES::JPEG, 100), nullptr);
    EXPECT_EQ(qgu_getResourceSize(nullptr), 0);
}

TEST_F(Containers, EndianFilterStaysInsideShortAndEdgeRecords) {
    // A short picture record is inverted only within itself.
    uint8_t pic[20];
    std::memset(pic, 0x0F, sizeof pic);
    qgu_endianfillter(pic, QGU_RES::JPEG, 1, 10);
    EXPECT_EQ(pic[9], 0xF0);
    EXPECT_EQ(pic[10], 0x0F);
    // A map text of 255 characters in the last entry would clear the byte after the
    // record; it must stay untouched.
    std::vector<uint8_t> rec(289, 0x11);
    rec[32] = 255;
    qgu_endianfillter(rec.data(), QGU_RES::Xmap, 7, 288);
    EXPECT_EQ(rec[288], 0x11);
    // A shorter run of entries than one record converts nothing.
    std::vector<uint8_t> small(200, 0x22);
    qgu_endianfillter(small.data(), QGU_RES::Xmap, 7, 200);
    EXPECT_EQ(small, std::vector<uint8_t>(200, 0x22));
}

TEST_F(Containers, SecondLoadOfSamePathReusesBufferWithoutConvertingAgain) {
    const auto png = pattern(70, 9);
    const std::string p = save("same.mrsrc", {invertedRecord(QGU_RES::PNGf, 5, png)});
    void* first = qgu_loadResource(p.c_str());
    ASSERT_NE(first, nullptr);
    const int count = qgu_loadedFileCount();
    const int end = qgu_resourceSlotEnd();
    std::string log;
    void* second;
    {
        StdoutCapture cap;
        second = qgu_loadResource(p.c_str());
        log = cap.text();
    }
    EXPECT_EQ(second, first);
    EXPECT_EQ(log, "The resource file was still read. ( " + p + " )\n");
    EXPECT_EQ(qgu_loadedFileCount(), count);
    EXPECT_EQ(qgu_resourceSlotEnd(), end);
    EXPECT_EQ(0, std::memcmp(qgu_getPicturePtr(5), png.data(), png.size()));
}

TEST_F(Containers, LoadLogLinesOfBothPrograms) {
    const std::string p = save("log.mrsrc", {{QGU_RES::STR_, 1, {1, 'x'}}});
    const long size = long(readAll(p).size());
    {
        StdoutCapture cap;
        ASSERT_NE(qgu_loadResource(p.c_str()), nullptr);
        EXPECT_EQ(cap.text(), "Rsrc file Open Succeed. ( " + p + " )\nResource data load succeed. ( " +
                                  std::to_string(size) + " ) byte\n");
    }
    qgu_resetResourceRegistry();
    qgu_setRsrcLogVariant(QGU_RSRCLOG_SETTINGS);
    {
        StdoutCapture cap;
        ASSERT_NE(qgu_loadResource(p.c_str()), nullptr);
        EXPECT_EQ(cap.text(), "Rsrc file load Succeed. ( " + p + " )\nResource data read succeed. ( " +
                                  std::to_string(size) + " ) byte\n");
    }
    const std::string missing = dir.file("none.mrsrc");
    StdoutCapture cap;
    EXPECT_EQ(qgu_loadResource(missing.c_str()), nullptr);
    EXPECT_EQ(cap.text(), "Rsrc open Error. ( " + missing + " )\n");
}

TEST_F(Containers, PicturesOfEitherKindReplaceEachOtherInTheSameSlot) {
    const auto png = pattern(90, 3);
    const auto jpg = pattern(120, 4);
    const std::string a = save("a.mrsrc", {invertedRecord(QGU_RES::PNGf, 7, png),
                                           {QGU_RES::STR_, 7, {1, 'q'}}});
    const std::string b = save("b.drsrc", {invertedRecord(QGU_RES::JPEG, 7, jpg)});
    ASSERT_NE(qgu_loadResource(a.c_str()), nullptr);
    const QGU_ResourceSlot* pngSlot = qgu_getResourceInfo(QGU_RES::PNGf, 7);
    ASSERT_NE(pngSlot, nullptr);
    const int slotIndex = int(pngSlot - qgu_resourceSlots());
    const int end = qgu_resourceSlotEnd();

    ASSERT_NE(qgu_loadResource(b.c_str()), nullptr);
    EXPECT_EQ(qgu_resourceSlotEnd(), end);
    EXPECT_EQ(qgu_getResourceRef(QGU_RES::PNGf, 7), nullptr);
    const QGU_ResourceSlot* jpgSlot = qgu_getResourceInfo(QGU_RES::JPEG, 7);
    ASSERT_NE(jpgSlot, nullptr);
    EXPECT_EQ(int(jpgSlot - qgu_resourceSlots()), slotIndex);
    EXPECT_EQ(jpgSlot->containerID, qgu_containerID(b.c_str()));
    EXPECT_EQ(jpgSlot->size, 120);
    EXPECT_EQ(0, std::memcmp(qgu_getPicturePtr(7), jpg.data(), jpg.size()));
    // The string record with the same id is a different type and stays.
    EXPECT_STREQ(static_cast<char*>(qgu_getResourceRef(QGU_RES::STR_, 7)), "q");
}

TEST_F(Containers, ContainerIdIsSignedByteSumFromSecondCharacter) {
    EXPECT_EQ(qgu_containerID(""), 0);
    EXPECT_EQ(qgu_containerID("x"), 0);
    EXPECT_EQ(qgu_containerID("xAB"), 'A' + 'B');
    EXPECT_EQ(qgu_containerID("x\xE9"), -23);
    EXPECT_EQ(qgu_containerID("resourcesQSDL/fontpic.mrsrc"), 2580);
    EXPECT_EQ(qgu_containerID("resourcesQSDL/playlistogg.drsrc"), 3015);
    // Two paths with the same sum count as one container: the second is never read.
    const std::string p1 = save("ab.mrsrc", {{QGU_RES::STR_, 1, {1, '1'}}});
    const std::string p2 = save("ba.mrsrc", {{QGU_RES::STR_, 1, {1, '2'}}});
    void* b1 = qgu_loadResource(p1.c_str());
    EXPECT_EQ(qgu_loadResource(p2.c_str()), b1);
    EXPECT_STREQ(static_cast<char*>(qgu_getResourceRef(QGU_RES::STR_, 1)), "1");
}

TEST_F(Containers, IdListAndHeapSizesAndPurge) {
    const std::string a = save("ids.mrsrc", {{QGU_RES::STR_, 30, {0}},
                                             {QGU_RES::AIFF, 1000, pattern(65, 1)},
                                             {QGU_RES::STR_, 10, {0}},
                                             {QGU_RES::STR_, 20, {0}}});
    const std::string b = save("ids2.mrsrc", {{QGU_RES::STR_, 40, {0}}});
    void* ba = qgu_loadResource(a.c_str());
    void* bb = qgu_loadResource(b.c_str());
    ASSERT_TRUE(ba && bb);
    int ids[QGU_STRID_IDS_MAX];
    ASSERT_EQ(qgu_getResourceIDinfo(QGU_RES::STR_, ids), 4);
    EXPECT_EQ(ids[0], 30);
    EXPECT_EQ(ids[1], 10);
    EXPECT_EQ(ids[2], 20);
    EXPECT_EQ(ids[3], 40);
    EXPECT_EQ(ids[4], -1);
    EXPECT_EQ(qgu_getResourceIDinfo(QGU_RES::JPEG, ids), 0);
    EXPECT_EQ(ids[0], -1);

    const int64_t sa = int64_t(readAll(a).size()), sb = int64_t(readAll(b).size());
    EXPECT_EQ(qgu_resourceHeapSize(ba), sa);
    EXPECT_EQ(qgu_resourceHeapSize(nullptr), sa + sb);
    EXPECT_EQ(qgu_purgeResource(bb), 1);
    EXPECT_EQ(qgu_resourceHeapSize(nullptr), sa);
    EXPECT_EQ(qgu_resourceHeapSize(bb), 0);
    // Its records are gone; the other container's stay.
    EXPECT_EQ(qgu_getResourceRef(QGU_RES::STR_, 40), nullptr);
    EXPECT_NE(qgu_getResourceRef(QGU_RES::STR_, 30), nullptr);
    EXPECT_EQ(qgu_getResourceIDinfo(QGU_RES::STR_, ids), 3);
    // After a purge the file is read again rather than reusing freed memory.
    StdoutCapture cap;
    void* again = qgu_loadResource(b.c_str());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(cap.text().find("still read"), std::string::npos);
    EXPECT_EQ(qgu_getResourceRef(QGU_RES::STR_, 40), static_cast<uint8_t*>(again) + 32);
}

TEST_F(Containers, FullTablesRefuseNewEntriesInsteadOfOverwritingLiveOnes) {
    // 257 records: the table holds 256; the 257th is refused and record 0 stays.
    std::vector<StoredRecord> recs;
    for (int i = 0; i < 257; ++i) recs.push_back({QGU_RES::SREF, i, {uint8_t(i), 0}});
    const std::string p = save("many.mrsrc", recs);
    {
        StdoutCapture cap;
        ASSERT_NE(qgu_loadResource(p.c_str()), nullptr);
        EXPECT_NE(cap.text().find("Resource table is full. ( resID:256 )"), std::string::npos);
    }
    EXPECT_EQ(qgu_resourceSlotEnd(), 256);
    EXPECT_EQ(qgu_getResourceRef(QGU_RES::SREF, 256), nullptr);
    for (int i : {0, 1, 255}) {
        const uint8_t* r = static_cast<uint8_t*>(qgu_getResourceRef(QGU_RES::SREF, i));
        ASSERT_NE(r, nullptr) << i;
        EXPECT_EQ(r[1], uint8_t(i)) << i;  // swapped to host order
    }

    // 65 containers: the 65th is refused; the first stays tracked, so a purge of it
    // empties its records instead of leaving them on freed memory.
    qgu_resetResourceRegistry();
    void* firstBuf = nullptr;
    std::string name;
    for (int i = 0; i < 65; ++i) {
        name += 'c';  // every path has a different byte sum
        const std::string pth = save(name, {{QGU_RES::STR_, i, {0}}});
        StdoutCapture quiet;
        void* b = qgu_loadResource(pth.c_str());
        if (i < 64) {
            ASSERT_NE(b, nullptr) << i;
        } else {
            EXPECT_EQ(b, nullptr);
            EXPECT_NE(quiet.text().find("Resource file table is full."), std::string::npos);
        }
        if (i == 0) firstBuf = b;
    }
    EXPECT_EQ(qgu_getResourceRef(QGU_RES::STR_, 64), nullptr);
    EXPECT_EQ(qgu_resourceHeapSize(firstBuf), int64_t(readAll(dir.file("c")).size()));
    EXPECT_EQ(qgu_purgeResource(firstBuf), 1);
    EXPECT_EQ(qgu_getResourceRef(QGU_RES::STR_, 0), nullptr);
    // Purged twice: the pointer is no longer the table's, so it is not freed again.
    StdoutCapture quiet;
    EXPECT_EQ(qgu_purgeResource(firstBuf), 0);
    // The freed entry takes the next container.
    EXPECT_NE(qgu_loadResource(dir.file(name).c_str()), nullptr);
    EXPECT_NE(qgu_getResourceRef(QGU_RES::STR_, 64), nullptr);
}

TEST_F(Containers, SwitchingMapGroupsHundredsOfTimesKeepsEveryStartUpRecord) {
    // Start-up containers: texts, a picture, a playlist string list.
    const std::string start = save("start.drsrc", {{QGU_RES::STR_, 1, {2, 'o', 'k'}},
                                                   {QGU_RES::STR_, 11001, {3, 'a', '.', 'b'}},
                                                   invertedRecord(QGU_RES::PNGf, 140, pattern(70, 3)),
                                                   {QGU_RES::STRn, 128, {0, 1, 1, 'x'}}});
    ASSERT_NE(qgu_loadResource(start.c_str()), nullptr);
    const int startEnd = qgu_resourceSlotEnd();
    // Two map groups whose record sets differ (other numbers, other counts).
    std::vector<StoredRecord> a, b;
    a.push_back({QGU_RES::STR_, 501, {6, 'g', 'r', 'o', 'u', 'p', 'A'}});
    b.push_back({QGU_RES::STR_, 501, {7, 'g', 'r', 'o', 'u', 'p', 'B', 'B'}});
    for (int k = 0; k < 16; ++k) a.push_back({QGU_RES::Xmap, 1000 + k, {0, 1}});
    for (int k = 0; k < 9; ++k) b.push_back({QGU_RES::Xmap, 2000 + k, {0, 2, 0, 2, 0, 0}});
    b.push_back(invertedRecord(QGU_RES::JPEG, 153, pattern(66, 9)));
    const std::string pa = save("groupA.mrsrc", a), pb = save("groupB.mrsrc", b);

    void* open = nullptr;
    for (int i = 0; i < 400; ++i) {
        StdoutCapture quiet;
        void* next = qgu_loadResource((i % 2 ? pb : pa).c_str());
        ASSERT_NE(next, nullptr) << "switch " << i;
        if (open) qgu_purgeResource(open);
        open = next;
    }
    // The table never grew past the start-up records and the two groups (both are open
    // for a moment at each switch).
    EXPECT_LE(qgu_resourceSlotEnd(), startEnd + int(a.size() + b.size()));
    EXPECT_STREQ(static_cast<char*>(qgu_getResourceRef(QGU_RES::STR_, 1)), "ok");
    EXPECT_STREQ(static_cast<char*>(qgu_getResourceRef(QGU_RES::STR_, 11001)), "a.b");
    const uint8_t* pic = static_cast<uint8_t*>(qgu_getPicturePtr(140));
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(std::vector<uint8_t>(pic, pic + 70), pattern(70, 3));
    char text[256];
    EXPECT_EQ(qgu_copyIdxStrPtr(text, 128, 1), 1);
    EXPECT_STREQ(text, "x");
    // The open group (B, the last one loaded) is found too; A's records are gone.
    EXPECT_STREQ(static_cast<char*>(qgu_getResourceRef(QGU_RES::STR_, 501)), "groupBB");
    EXPECT_EQ(qgu_getResourceRef(QGU_RES::Xmap, 1000), nullptr);
    EXPECT_NE(qgu_getPicturePtr(153), nullptr);
}

TEST_F(Containers, DamagedContainersAreRefusedWhole) {
    const auto good = buildContainer({{QGU_RES::STR_, 1, {2, 'o', 'k'}}, {QGU_RES::STR_, 2, {1, 'z'}}});
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases;
    auto mutate = [&](const char* what, size_t at, uint32_t value) {
        auto b = good;
        putBE32(b, at, value);
        cases.push_back({what, b});
    };
    mutate("count beyond the file", 12, 1000);
    mutate("count at the edge", 12, 3);
    mutate("offset past the data", 16 + 16 + 8, 1000);
    mutate("negative offset", 16 + 8, 0xFFFFFFF0u);
    mutate("size past the data", 16 + 12, 100);
    mutate("negative size", 16 + 12, 0x80000000u);
    mutate("offset plus size overflow", 16 + 8, 0x7FFFFFFF);
    cases.push_back({"truncated file", std::vector<uint8_t>(good.begin(), good.end() - 1)});
    cases.push_back({"shorter than a header", std::vector<uint8_t>(good.begin(), good.begin() + 10)});
    cases.push_back({"empty file", {}});

    const std::string okPath = save("okfirst.mrsrc", {{QGU_RES::STR_, 77, {1, 'k'}}});
    ASSERT_NE(qgu_loadResource(okPath.c_str()), nullptr);
    const int end = qgu_resourceSlotEnd();
    const int count = qgu_loadedFileCount();
    const int64_t heap = qgu_resourceHeapSize(nullptr);
    int n = 0;
    for (const auto& c : cases) {
        const std::string p = dir.file("bad" + std::string(size_t(++n), 'x'));
        writeAll(p, c.bytes);
        StdoutCapture cap;
        EXPECT_EQ(qgu_loadResource(p.c_str()), nullptr) << c.what;
        EXPECT_NE(cap.text().find("Resource Load Error. ( " + p + " )\n"), std::string::npos) << c.what;
        EXPECT_EQ(cap.text().find("succeed"), std::string::npos) << c.what;
        EXPECT_EQ(qgu_resourceSlotEnd(), end) << c.what;
        EXPECT_EQ(qgu_loadedFileCount(), count) << c.what;
        EXPECT_EQ(qgu_resourceHeapSize(nullptr), heap) << c.what;
    }
    EXPECT_EQ(qgu_getResourceRef(QGU_RES::STR_, 1), nullptr);
    EXPECT_FALSE(qgu_containerIsValid(good.data(), int64_t(good.size()) - 1));
    EXPECT_TRUE(qgu_containerIsValid(good.data(), int64_t(good.size())));

    // An empty container (count 0 or negative) loads and registers nothing.
    auto empty = good;
    putBE32(empty, 12, 0xFFFFFFFFu);
    const std::string ep = dir.file("empty.mrsrc");
    writeAll(ep, empty);
    EXPECT_NE(qgu_loadResource(ep.c_str()), nullptr);
    EXPECT_EQ(qgu_resourceSlotEnd(), end);
}

TEST_F(Containers, StringListsAndBadLookups) {
    const std::string p = save("str.drsrc", {
        {QGU_RES::STRn, 1002, strList({"first", "", std::string(255, 'w'), "last"}, 4)},
        // The count claims five strings but the record holds two.
        {QGU_RES::STRn, 1003, strList({"one", "two"}, 5)},
        // The second string's length runs past the record.
        {QGU_RES::STRn, 1004, {0, 2, 1, 'a', 200, 'b'}},
        {QGU_RES::STRn, 1005, {0}},
        // The count is smaller than the strings present: the extra ones are not lines.
        {QGU_RES::STRn, 1006, strList({"a", "b", "c"}, 2)},
    });
    ASSERT_NE(qgu_loadResource(p.c_str()), nullptr);
    char out[300];
    EXPECT_EQ(qgu_copyIdxStrPtr(out, 1002, 1), 5);
    EXPECT_STREQ(out, "first");
    EXPECT_EQ(qgu_copyIdxStrPtr(out, 1002, 2), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(qgu_copyIdxStrPtr(out, 1002, 3), 255);
    EXPECT_EQ(std::string(out), std::string(255, 'w'));
    EXPECT_EQ(qgu_copyIdxStrPtr(out, 1002, 4), 4);
    EXPECT_STREQ(out, "last");
    EXPECT_EQ(qgu_copyIdxStrPtr(out, 1003, 2), 3);
    EXPECT_STREQ(out, "two");

    struct Bad {
        int id, index;
    } bad[] = {{1002, 0}, {1002, 5}, {1002, -3}, {9999, 1}, {1003, 3}, {1003, 5}, {1004, 2}, {1005, 1}, {1006, 3}};
    for (const Bad& b : bad) {
        std::strcpy(out, "junk");
        EXPECT_EQ(qgu_copyIdxStrPtr(out, b.id, b.index), 0) << b.id << "/" << b.index;
        EXPECT_STREQ(out, "") << b.id << "/" << b.index;
    }
    const unsigned char* ps = qgu_getIdxPascalStrPtr(1002);
    ASSERT_NE(ps, nullptr);
    EXPECT_EQ(ps[0], 5);
    EXPECT_EQ(ps[1], 'f');
    EXPECT_EQ(qgu_getIdxPascalStrPtr(1), nullptr);
}

TEST_F(Containers, ResourceManagerPurgesItsContainerWhenDestroyed) {
    const std::string p = save("font.mrsrc", {invertedRecord(QGU_RES::PNGf, 100, pattern(80, 5))});
    const int64_t size = int64_t(readAll(p).size());
    {
        QSDLpp_ResourceMgrCls mgr;
        EXPECT_FALSE(mgr.exist());
        ASSERT_TRUE(mgr.load(p.c_str()));
        EXPECT_TRUE(mgr.exist());
        EXPECT_EQ(mgr.getPicRef(100), qgu_getPicturePtr(100));
        EXPECT_EQ(mgr.getRef(QGU_RES::PNGf, 100), qgu_getPicturePtr(100));
        EXPECT_EQ(mgr.resSize(QGU_RES::PNGf, 100), 80);
        EXPECT_EQ(qgu_resourceHeapSize(nullptr), size);
        EXPECT_EQ(mgr.current(p.c_str()), qgu_loadedFiles()[0].buffer);
    }
    EXPECT_EQ(qgu_resourceHeapSize(nullptr), 0);
    EXPECT_EQ(qgu_getPicturePtr(100), nullptr);  // never a pointer into freed memory
    QSDLpp_ResourceMgrCls missing;
    EXPECT_FALSE(missing.load(dir.file("nothing").c_str()));
    EXPECT_FALSE(missing.exist());
}

}  // namespace

// Data-file blocks: contents, recorded name and size, exact log lines, failure results
// and saves that never leave a half-written file behind.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "core_testutil.h"
#include "qgu_fileutil.h"
#include "qsdlpp2_base@General.h"

using namespace coretest;

namespace {

std::string dirListing(const std::string& dir) {
    std::string cmd = "ls -A '" + dir + "'";
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    char buf[512];
    while (p && std::fgets(buf, sizeof buf, p)) out += buf;
    if (p) pclose(p);
    return out;
}

TEST(DataFiles, NewFileIsZeroFilledWithNameAndSize) {
    ScratchDir d;
    const std::string p = d.file("vrnpr.pref");
    std::string log;
    void* data;
    {
        StdoutCapture cap;
        data = NewDataFilePtrByName(1312, p.c_str());
        log = cap.text();
    }
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(log, "size: ( 1312 )\nCreate New File 1312 byte Succeed. ( " + p + " )\n");
    EXPECT_EQ(GetPtrSize(data), 1312);
    EXPECT_STREQ(GetPtrFileName(data), p.c_str());
    EXPECT_EQ(readAll(p), std::vector<uint8_t>(1312, 0));
    const std::vector<uint8_t> zero(1312, 0);
    EXPECT_EQ(0, std::memcmp(data, zero.data(), zero.size()));
    EXPECT_EQ(PurgeDataFilePtr(data), 1);
    EXPECT_EQ(PurgeDataFilePtr(nullptr), 0);
    EXPECT_EQ(GetPtrSize(nullptr), 0);
}

TEST(DataFiles, NewFileThatCannotBeCreatedLeavesAnUnnamedBlock) {
    ScratchDir d;
    const std::string p = d.file("no/such/dir/x.pref");
    StdoutCapture cap;
    void* data = NewDataFilePtrByName(16, p.c_str());
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(GetPtrSize(data), 0);
    EXPECT_STREQ(GetPtrFileName(data), "");
    EXPECT_EQ(SaveDataFilePtr(data), 0);  // nowhere to write
    EXPECT_EQ(cap.text(), "size: ( 16 )\nOpen Error. ( " + p + " )\nOpen Error. (  )\n");
    PurgeDataFilePtr(data);
}

TEST(DataFiles, OpenReadsWholeFileOrAtMostTheGivenSize) {
    ScratchDir d;
    const std::string p = d.file("film.vrnrpmov");
    const auto bytes = pattern(300, 3);
    writeAll(p, bytes);
    {
        StdoutCapture cap;
        void* data = OpenDataFilePtrByName(p.c_str());
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(cap.text(), "Read 300 byte Succeed. ( " + p + " )\n");
        EXPECT_EQ(GetPtrSize(data), 300);
        EXPECT_EQ(0, std::memcmp(data, bytes.data(), 300));
        PurgeDataFilePtr(data);
    }
    // Larger block than file: the rest is zero and the recorded size is the block's.
    void* big = OpenDataFilePtrByNameWithSize(p.c_str(), 6400);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(GetPtrSize(big), 6400);
    EXPECT_EQ(0, std::memcmp(big, bytes.data(), 300));
    EXPECT_EQ(static_cast<uint8_t*>(big)[6399], 0);
    PurgeDataFilePtr(big);
    void* small = OpenDataFilePtrByNameWithSize(p.c_str(), 10);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(GetPtrSize(small), 10);
    EXPECT_EQ(0, std::memcmp(small, bytes.data(), 10));
    PurgeDataFilePtr(small);

    const std::string missing = d.file("missing");
    StdoutCapture cap;
    EXPECT_EQ(OpenDataFilePtrByName(missing.c_str()), nullptr);
    EXPECT_EQ(OpenDataFilePtrByNameWithSize(missing.c_str(), 8), nullptr);
    EXPECT_EQ(cap.text(), "Open Error. ( " + missing + " )\r\nOpen Error. ( " + missing + " )\r\n");
}

TEST(DataFiles, OpeningAFolderIsAReadErrorAndReturnsNull) {
    ScratchDir d;
    StdoutCapture cap;
    EXPECT_EQ(OpenDataFilePtrByName(d.path().c_str()), nullptr);
    EXPECT_NE(cap.text().find("Error. ( " + d.path() + " )"), std::string::npos);
}

TEST(DataFiles, SaveReplacesFileAtomically) {
    ScratchDir d;
    const std::string p = d.file("mysdlcfg.pref");
    writeAll(p, pattern(1024, 1));
    void* data = OpenDataFilePtrByName(p.c_str());
    ASSERT_NE(data, nullptr);
    static_cast<uint8_t*>(data)[5] = 0x42;
    {
        StdoutCapture cap;
        EXPECT_EQ(SaveDataFilePtr(data), 1);
        EXPECT_EQ(cap.text(), "Write 1024 byte Succeed. ( " + p + " )\n");
    }
    auto expect = pattern(1024, 1);
    expect[5] = 0x42;
    EXPECT_EQ(readAll(p), expect);
    EXPECT_EQ(dirListing(d.path()), "mysdlcfg.pref\n");  // no temporary file left

    // When the new file cannot take the old one's place, the old one stays intact and
    // the failure is reported.
    const std::string blocked = d.file("blocked");
    ASSERT_EQ(mkdir(blocked.c_str(), 0755), 0);
    ASSERT_EQ(mkdir((blocked + "/keep").c_str(), 0755), 0);
    void* other = NewDataFilePtrByName(8, d.file("tmp8").c_str());
    std::strcpy(static_cast<char*>(other) - QGU_DATAFILE_HEAD, blocked.c_str());
    {
        StdoutCapture cap;
        EXPECT_EQ(SaveDataFilePtr(other), 0);
        EXPECT_EQ(cap.text(), "Write Error. ( " + blocked + " )\n");
    }
    EXPECT_TRUE(fileExists(blocked + "/keep") || dirListing(blocked) == "keep\n");
    EXPECT_EQ(dirListing(d.path()), "blocked\nmysdlcfg.pref\ntmp8\n");
    PurgeDataFilePtr(other);
    PurgeDataFilePtr(data);
}

// The platform steps of a save, recorded: which file was synced (by what it held at
// that moment) and which rename followed. Either step can be made to fail.
struct SaveSteps {
    static std::vector<std::string> log;
    static bool failSync, failReplace;
    static QGU_FileOps real;
    static bool sync(FILE* f) {
        std::fflush(f);
        log.push_back("sync " + std::to_string(std::ftell(f)));
        return !failSync && real.sync(f);
    }
    static bool replace(const char* from, const char* to) {
        log.push_back("replace " + std::string(to).substr(std::string(to).rfind('/') + 1));
        return !failReplace && std::rename(from, to) == 0;
    }
};
std::vector<std::string> SaveSteps::log;
bool SaveSteps::failSync = false, SaveSteps::failReplace = false;
QGU_FileOps SaveSteps::real = qgu_fileOps();

TEST(DataFiles, EverySaveReachesTheDiskBeforeItsNameAndFailuresKeepTheOldFile) {
    ScratchDir d;
    const std::string p = d.file("vrnpr.pref");
    writeAll(p, pattern(64, 1));
    const QGU_FileOps recording{SaveSteps::sync, SaveSteps::replace};
    struct Restore {
        ~Restore() { qgu_setFileOps(nullptr); }
    } restore;
    // Each writer of the data-file layer: the bytes are synced whole, then renamed.
    const auto data = pattern(40, 7);
    using Writer = std::function<int()>;
    const std::vector<std::pair<std::string, Writer>> writers = {
        {"overwrite", [&] { return OverWriteDataFilePtrByName(p.c_str(), data.data(), 40); }},
        {"new file", [&] { return SavePtrForNewFile(data.data(), 40, p.c_str()); }},
        {"atomic", [&] { return qgu_writeFileAtomic(p.c_str(), data.data(), 40) == 1 ? 1 : 0; }},
    };
    for (const auto& wr : writers) {
        writeAll(p, pattern(64, 1));
        SaveSteps::log.clear();
        SaveSteps::failSync = SaveSteps::failReplace = false;
        qgu_setFileOps(&recording);
        {
            StdoutCapture quiet;
            EXPECT_EQ(wr.second(), 1) << wr.first;
        }
        EXPECT_EQ(SaveSteps::log, (std::vector<std::string>{"sync 40", "replace vrnpr.pref"})) << wr.first;
        EXPECT_EQ(readAll(p), data) << wr.first;

        // A failed sync or rename: reported, the old file intact, no temporary file.
        for (int fail = 0; fail < 2; ++fail) {
            writeAll(p, pattern(64, 1));
            SaveSteps::failSync = fail == 0;
            SaveSteps::failReplace = fail == 1;
            StdoutCapture quiet;
            EXPECT_NE(wr.second(), 1) << wr.first << " fail " << fail;
            EXPECT_EQ(readAll(p), pattern(64, 1)) << wr.first << " fail " << fail;
            EXPECT_EQ(dirListing(d.path()), "vrnpr.pref\n") << wr.first << " fail " << fail;
        }
    }
}

TEST(DataFiles, BoundedOpenTellsMissingUnreadableAndTooLongApartWithoutReadingThem) {
    ScratchDir d;
    writeAll(d.file("ok"), pattern(100, 2));
    ASSERT_EQ(mkdir(d.file("folder").c_str(), 0755), 0);
    ASSERT_EQ(symlink("/dev/zero", d.file("device").c_str()), 0);
    writeAll(d.file("long"), pattern(101, 2));
    struct Case {
        const char* name;
        int state;
        int64_t length;
    };
    const Case cases[] = {
        {"ok", QGU_FILE_READ, 100},
        {"missing", QGU_FILE_MISSING, -1},
        {"nofolder/x", QGU_FILE_MISSING, -1},
        {"folder", QGU_FILE_UNREADABLE, -1},
        {"device", QGU_FILE_UNREADABLE, -1},
        {"long", QGU_FILE_TOO_LONG, 101},
    };
    for (const Case& c : cases) {
        int state = -1;
        int64_t length = -7;
        std::string log;
        void* data;
        {
            StdoutCapture cap;
            data = qgu_openDataFileBounded(d.file(c.name).c_str(), 100, &state, &length);
            log = cap.text();
        }
        EXPECT_EQ(state, c.state) << c.name;
        EXPECT_EQ(length, c.length) << c.name;
        EXPECT_EQ(data != nullptr, c.state == QGU_FILE_READ) << c.name;
        if (data) {
            EXPECT_EQ(GetPtrSize(data), 100);
            EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + 100),
                      pattern(100, 2));
            PurgeDataFilePtr(data);
        } else {
            EXPECT_EQ(log.find("Succeed"), std::string::npos) << c.name << log;  // nothing was read
        }
    }
}

TEST(DataFiles, SavePtrForNewFileAndOverwrite) {
    ScratchDir d;
    const std::string p = d.file("new.bin");
    const auto bytes = pattern(40, 7);
    {
        StdoutCapture cap;
        EXPECT_EQ(SavePtrForNewFile(bytes.data(), 40, p.c_str()), 1);
        EXPECT_EQ(cap.text(), "size: ( 40 )\nCreate New File 40 byte Succeed. ( " + p + " )\n");
    }
    EXPECT_EQ(readAll(p), bytes);
    const auto shorter = pattern(12, 9);
    {
        StdoutCapture cap;
        EXPECT_EQ(OverWriteDataFilePtrByName(p.c_str(), shorter.data(), 12), 1);
        EXPECT_EQ(cap.text(), "Overwrite 12 byte succeed. ( " + p + " )\n");
    }
    EXPECT_EQ(readAll(p), shorter);  // truncated, not merged

    const std::string bad = d.file("nodir/f");
    StdoutCapture cap;
    EXPECT_EQ(SavePtrForNewFile(bytes.data(), 40, bad.c_str()), 0);
    EXPECT_EQ(OverWriteDataFilePtrByName(bad.c_str(), bytes.data(), 40), 0);
    EXPECT_EQ(cap.text(), "size: ( 40 )\nOpen Error. ( " + bad + " )\nOpen Error. ( " + bad + " )\n");
}

TEST(DataFiles, OverloadReadsIntoCallersBuffer) {
    ScratchDir d;
    const std::string p = d.file("over.bin");
    const auto bytes = pattern(64, 2);
    writeAll(p, bytes);
    std::vector<uint8_t> buf(100, 0xEE);
    {
        StdoutCapture cap;
        EXPECT_EQ(OverLoadDataFilePtrByName(p.c_str(), buf.data(), 16), 16);
        EXPECT_EQ(cap.text(), "Overload 16 byte succeed. ( " + p + " )\n");
    }
    EXPECT_EQ(0, std::memcmp(buf.data(), bytes.data(), 16));
    EXPECT_EQ(buf[16], 0xEE);
    EXPECT_EQ(OverLoadDataFilePtrByName(p.c_str(), buf.data(), 0), 64);  // whole file
    EXPECT_EQ(0, std::memcmp(buf.data(), bytes.data(), 64));
    {
        // A short read is reported and returns what really arrived.
        StdoutCapture cap;
        EXPECT_EQ(OverLoadDataFilePtrByName(p.c_str(), buf.data(), 90), 64);
        EXPECT_EQ(cap.text(), "Read Error. ( " + p + " )\n");
    }
    StdoutCapture cap;
    EXPECT_EQ(OverLoadDataFilePtrByName(d.file("none").c_str(), buf.data(), 4), 0);
    EXPECT_EQ(cap.text(), "Open Error. ( " + d.file("none") + " )\n");
}

TEST(DataFiles, TextSaveTurnsDoublePercentIntoOne) {
    ScratchDir d;
    const std::string p = d.file("SecretDiary.text");
    void* t = NewDataFilePtrByName(64, p.c_str());
    ASSERT_NE(t, nullptr);
    std::strcpy(static_cast<char*>(t), "Rate 50%% %d 100%\r\nend");
    {
        StdoutCapture cap;
        EXPECT_EQ(SaveTextFilePtr(t), 1);
        EXPECT_EQ(cap.text(), "Write 21 byte Succeed. ( " + p + " )\n");
    }
    const auto got = readAll(p);
    EXPECT_EQ(std::string(got.begin(), got.end()), "Rate 50% %d 100%\r\nend");
    // A text filling the whole block without a terminator stops at the block's end.
    std::memset(t, 'x', 64);
    EXPECT_EQ(SaveTextFilePtr(t), 1);
    EXPECT_EQ(readAll(p).size(), 64u);
    PurgeDataFilePtr(t);
}

TEST(DataFiles, FileManagerClass) {
    ScratchDir d;
    const std::string p = d.file("mgr.pref");
    void* block = nullptr;
    {
        QSDLpp_FileMgrCls m;
        EXPECT_FALSE(m.exist());
        EXPECT_EQ(m.getRef(), nullptr);
        ASSERT_TRUE(m.create(p.c_str(), 32));
        EXPECT_TRUE(m.exist());
        static_cast<uint8_t*>(m.getRef())[0] = 9;
        EXPECT_EQ(m.save(), 1);
        block = m.getRef();
    }
    // The manager forgot the block without freeing it.
    EXPECT_EQ(static_cast<uint8_t*>(block)[0], 9);
    PurgeDataFilePtr(block);
    QSDLpp_FileMgrCls m;
    ASSERT_TRUE(m.load(p.c_str()));
    EXPECT_EQ(GetPtrSize(m.getRef()), 32);
    EXPECT_EQ(static_cast<uint8_t*>(m.getRef())[0], 9);
    uint8_t buf[4] = {1, 2, 3, 4};
    EXPECT_TRUE(m.saveFileFromPtr(d.file("raw").c_str(), buf, 4));
    uint8_t back[4] = {};
    EXPECT_TRUE(m.loadFileToPtr(d.file("raw").c_str(), back, 4));
    EXPECT_EQ(0, std::memcmp(buf, back, 4));
    EXPECT_FALSE(m.loadFileToPtr(d.file("absent").c_str(), back, 4));
    PurgeDataFilePtr(m.getRef());
    QSDLpp_FileMgrCls none;
    EXPECT_FALSE(none.load(d.file("absent").c_str()));
    EXPECT_EQ(none.save(), 0);
}

}  // namespace

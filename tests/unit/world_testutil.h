// Shared helpers of the world tests (diary, films, report): a fixture that runs each test
// in a fresh working folder with a freshly loaded diary, and an independent decoder of
// the diary file written from the file format alone.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FHmyworld.h"
#include "FHWorldGlobal.h"
#include "core_testutil.h"
#include "qsdlpp2_globals.h"

namespace worldtest {

constexpr int kDiary = 1312;
constexpr int kRec = 528;  // play record offset in the diary file

inline uint32_t le32(const std::vector<uint8_t>& v, size_t at) {
    return uint32_t(v[at]) | uint32_t(v[at + 1]) << 8 | uint32_t(v[at + 2]) << 16 |
           uint32_t(v[at + 3]) << 24;
}
inline int64_t le64(const std::vector<uint8_t>& v, size_t at) {
    return int64_t(uint64_t(le32(v, at)) | uint64_t(le32(v, at + 4)) << 32);
}

// Reference unscrambler: seed = (u16 at offset 8) + 37460528; each byte from 16 on is
// XORed with the low byte of the next state of x * 1703515245 + 12345.
inline std::vector<uint8_t> refUnscramble(std::vector<uint8_t> v) {
    uint32_t state = uint32_t(v[8] | v[9] << 8) + 37460528u;
    for (size_t i = 16; i < v.size(); ++i) {
        state = state * 1703515245u + 12345u;
        v[i] ^= uint8_t(state);
    }
    return v;
}

// Reference checksum: sum of (i mod 7) * word i over the words from byte `from`.
inline uint32_t refSum(const std::vector<uint8_t>& v, size_t from, size_t words) {
    uint32_t s = 0;
    for (size_t i = 0; i < words; ++i) s += uint32_t(i % 7) * le32(v, from + 4 * i);
    return s;
}

// Runs each test in its own working folder with a new diary loaded into the world.
class WorldTest : public ::testing::Test {
protected:
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    coretest::ScratchDir dir;
    char oldCwd[1024] = {};

    void SetUp() override {
        ASSERT_NE(getcwd(oldCwd, sizeof oldCwd), nullptr);
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
        std::strcpy(QSDL_GLOBALS::MyDirectory, "/opt/fernhollow/fernhollow");
        for (bool& f : FHSYS_GLOBALS::unLock_enableF) f = false;
        FHSYS_GLOBALS::use_freePlayF = FHSYS_GLOBALS::use_invincibleF = false;
        w.replayPlaybackF = false;
        w.startTime = w.systemTime = time_t(1700000000);
        testing::internal::CaptureStdout();
        w.loadDiary();
        w.loadReplayFiles();
        testing::internal::GetCapturedStdout();
    }
    void TearDown() override { ASSERT_EQ(chdir(oldCwd), 0); }

    std::string file(const char* name) const { return dir.file(name); }
    unsigned char* diary() { return reinterpret_cast<unsigned char*>(w.diaryPtr); }
    unsigned char* rec() { return diary() + kRec; }
    std::vector<uint8_t> decodedFile() {
        return refUnscramble(coretest::readAll(file("vrnpr.pref")));
    }
    // Loads the diary again as a new start would, returning what it printed.
    std::string reload() {
        testing::internal::CaptureStdout();
        w.loadDiary();
        return testing::internal::GetCapturedStdout();
    }
    std::string save() {
        testing::internal::CaptureStdout();
        w.saveLastDiaryRef();
        return testing::internal::GetCapturedStdout();
    }
};

}  // namespace worldtest

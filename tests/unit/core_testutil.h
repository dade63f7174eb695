// Shared helpers of the framework-core tests: scratch folders, file access and a
// builder for resource containers in their stored (big-endian) form.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "qgu_fileutil.h"

namespace coretest {

// A fresh folder under /tmp, removed with its files at the end of the test.
class ScratchDir {
public:
    ScratchDir() {
        char tmpl[] = "/tmp/fhcoreXXXXXX";
        const char* d = mkdtemp(tmpl);
        path_ = d ? d : "/tmp";
    }
    ~ScratchDir() { std::system(("rm -rf '" + path_ + "'").c_str()); }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline std::vector<uint8_t> readAll(const std::string& path) {
    std::vector<uint8_t> v;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return v;
    int c;
    while ((c = std::fgetc(f)) != EOF) v.push_back(uint8_t(c));
    std::fclose(f);
    return v;
}

inline bool fileExists(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

inline void writeAll(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// A file of `size` bytes that takes no room on disk (a hole, then one last byte): a
// stray huge file in a loader's way.
inline void writeSparseFile(const std::string& path, long size, uint8_t last = 0) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fseek(f, size - 1, SEEK_SET);
    std::fputc(last, f);
    std::fclose(f);
}

inline void putBE32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = uint8_t(x >> 24);
    v[at + 1] = uint8_t(x >> 16);
    v[at + 2] = uint8_t(x >> 8);
    v[at + 3] = uint8_t(x);
}

struct StoredRecord {
    uint32_t type;
    int32_t id;
    std::vector<uint8_t> bytes;  // exactly as stored in the file
};

// Lays the records out in the data area in reverse order, so the index is not in the
// order of the data (the loader must follow the offsets).
inline std::vector<uint8_t> buildContainer(const std::vector<StoredRecord>& recs) {
    const size_t n = recs.size();
    size_t dataSize = 0;
    for (const auto& r : recs) dataSize += r.bytes.size();
    std::vector<uint8_t> out(16 + 16 * n + dataSize, 0);
    putBE32(out, 0, 0x46484331);  // header words the loader ignores
    putBE32(out, 12, uint32_t(n));
    size_t off = 0;
    for (size_t i = n; i-- > 0;) {
        const auto& r = recs[i];
        putBE32(out, 16 + 16 * i, r.type);
        putBE32(out, 16 + 16 * i + 4, uint32_t(r.id));
        putBE32(out, 16 + 16 * i + 8, uint32_t(off));
        putBE32(out, 16 + 16 * i + 12, uint32_t(r.bytes.size()));
        std::copy(r.bytes.begin(), r.bytes.end(), out.begin() + long(16 + 16 * n + off));
        off += r.bytes.size();
    }
    return out;
}

// A picture/sound record: `plain` is what the program must see after loading.
inline StoredRecord invertedRecord(uint32_t type, int32_t id, const std::vector<uint8_t>& plain) {
    StoredRecord r{type, id, plain};
    for (size_t i = 0; i < r.bytes.size() && i < 64; ++i) r.bytes[i] = uint8_t(~r.bytes[i]);
    return r;
}

inline std::vector<uint8_t> pattern(size_t n, uint8_t seed) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t(seed + i * 7);
    return v;
}

// The preference record's defaults as each program writes them (fields 0..29).
inline const int32_t kGamePref[30] = {0, 5, 0, 1, 0, 0, 0, 0, 1, 2, 0, 1, 2, 8,  0,
                                      3, 3, 8, 7, 6, 0, 1, 2, 8, 0, 3, 0, 1, 12, 12};
inline const int32_t kToolPref[30] = {0, 4, 0, 0, 0, 1, 0, 0, 1, 2, 0, 1, 2, 8,  0,
                                      3, 3, 8, 7, 6, 0, 1, 2, 8, 0, 3, 0, 1, 12, 12};

// A preference file: the first `count` fields big-endian, then `tail` up to `length`.
inline std::vector<uint8_t> prefFile(const int32_t* fields, size_t count, size_t length, uint8_t tail = 0) {
    std::vector<uint8_t> v(length, tail);
    for (size_t i = 0; i < count && i * 4 + 4 <= length; ++i) putBE32(v, i * 4, uint32_t(fields[i]));
    return v;
}

// Captures standard output for the lifetime of the object.
class StdoutCapture {
public:
    StdoutCapture() {
        std::fflush(stdout);
        testing::internal::CaptureStdout();
    }
    std::string text() {
        std::fflush(stdout);
        if (!done_) {
            text_ = testing::internal::GetCapturedStdout();
            done_ = true;
        }
        return text_;
    }
    ~StdoutCapture() { text(); }

private:
    std::string text_;
    bool done_ = false;
};

}  // namespace coretest

// Shared helpers of the fuzz targets: a private working folder (the loaders read and
// write fixed file names relative to the working folder), whole-file writes and a
// builder for resource containers in their stored big-endian form.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fuzzutil {

// The runtime tree holding the built content (containers, menu text).
inline std::string runtimeDir() {
    const char* env = std::getenv("FH_FUZZ_RUNTIME");
    return env && *env ? env : FH_FUZZ_DEFAULT_RUNTIME;
}

// Moves into a fresh folder under the temporary folder, removed at exit. The loaders'
// chatter on stdout is dropped unless FH_FUZZ_VERBOSE is set (libFuzzer reports on
// stderr).
inline bool enterScratch() {
    std::string base = std::filesystem::temp_directory_path().string() + "/fhfuzzXXXXXX";
    std::vector<char> tmpl(base.begin(), base.end());
    tmpl.push_back('\0');
    const char* dir = mkdtemp(tmpl.data());
    if (dir == nullptr || chdir(dir) != 0) std::abort();
    static std::string keep;
    keep = dir;
    std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(keep, ec);
    });
    if (std::getenv("FH_FUZZ_VERBOSE") == nullptr) {
        if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
    }
    return true;
}

// Links a file or folder of the runtime tree into the working folder under `name`.
inline void linkRuntime(const std::string& rel, const std::string& name) {
    const std::string src = runtimeDir() + "/" + rel;
    if (symlink(src.c_str(), name.c_str()) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "fuzz: cannot link %s\n", src.c_str());
    }
}

inline void writeFile(const char* path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path, "wb");
    if (f == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
}

inline std::vector<uint8_t> readFile(const std::string& path) {
    std::vector<uint8_t> v;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return v;
    uint8_t buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) v.insert(v.end(), buf, buf + n);
    std::fclose(f);
    return v;
}

inline void putBE32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}
inline uint32_t getBE32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

struct Record {
    uint32_t type;
    int32_t id;
    std::vector<uint8_t> stored;  // bytes exactly as in the file
};

// A container image: 16-byte header (count at 12), 16-byte index entries, data area.
inline std::vector<uint8_t> buildContainer(const std::vector<Record>& recs) {
    size_t data = 0;
    for (const Record& r : recs) data += r.stored.size();
    std::vector<uint8_t> out(16 + 16 * recs.size() + data, 0);
    putBE32(&out[12], uint32_t(recs.size()));
    size_t off = 0;
    for (size_t i = 0; i < recs.size(); ++i) {
        uint8_t* e = &out[16 + 16 * i];
        putBE32(e, recs[i].type);
        putBE32(e + 4, uint32_t(recs[i].id));
        putBE32(e + 8, uint32_t(off));
        putBE32(e + 12, uint32_t(recs[i].stored.size()));
        if (!recs[i].stored.empty())
            std::memcpy(&out[16 + 16 * recs.size() + off], recs[i].stored.data(), recs[i].stored.size());
        off += recs[i].stored.size();
    }
    return out;
}

// The records of a stored container image (nothing for a damaged one).
inline std::vector<Record> parseContainer(const std::vector<uint8_t>& img) {
    std::vector<Record> recs;
    if (img.size() < 16) return recs;
    const uint32_t n = getBE32(&img[12]);
    if (n > (img.size() - 16) / 16) return recs;
    const size_t area = 16 + size_t(n) * 16;
    for (uint32_t i = 0; i < n; ++i) {
        const uint8_t* e = &img[16 + 16 * i];
        const uint64_t off = getBE32(e + 8), len = getBE32(e + 12);
        if (area + off + len > img.size()) return {};
        recs.push_back({getBE32(e), int32_t(getBE32(e + 4)),
                        std::vector<uint8_t>(img.begin() + long(area + off),
                                             img.begin() + long(area + off + len))});
    }
    return recs;
}

}  // namespace fuzzutil

// A broken invariant of a loader: named on stderr, then the fuzzer's crash report.
#define FUZZ_CHECK(cond)                                                                   \
    do {                                                                                   \
        if (!(cond)) {                                                                     \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)

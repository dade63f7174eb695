// 16-bit run-length code used for map bodies. Pure functions on caller buffers.
#include <algorithm>
#include <cstring>

#include "qgu_fileutil.h"

namespace {

// The encoder, shared by the real run and the dry run (Out decides whether words are
// stored). Reads no word at or past src[n].
template <typename Out>
unsigned encode16(const uint16_t* src, unsigned n, Out out) {
    unsigned written = 0;
    unsigned i = 0;
    while (i < n) {
        unsigned k = 1;
        while (i + k < n && src[i + k] == src[i] && k < 65536u) ++k;
        if (k >= 2) {
            out(written++, uint16_t(src[i] | 0x8000u));
            out(written++, uint16_t(k - 1));
            i += k;
        }
        while (i < n && (i + 1 == n || src[i] != src[i + 1])) {
            out(written++, src[i]);
            ++i;
        }
    }
    out(written++, uint16_t(0x8000u));
    out(written++, uint16_t(0));
    return written;
}

}  // namespace

unsigned qgu_compressMem16(const uint16_t* src, uint16_t* dst, unsigned words) {
    return encode16(src, words, [dst](unsigned at, uint16_t w) { dst[at] = w; });
}

unsigned qgu_testCompressRate16(const uint16_t* src, unsigned words) {
    if (words == 0) return 0;
    return encode16(src, words, [](unsigned, uint16_t) {}) - 2;
}

unsigned qgu_decompressMem16(const uint16_t* src, uint16_t* dst, unsigned limit) {
    if (limit == 0) return 111;
    unsigned out = 0;
    for (;;) {
        const uint16_t w = *src++;
        if (w < 0x8000u) {
            dst[out++] = w;
        } else {
            const uint16_t c = *src++;
            if (c == 0) return out;
            const unsigned room = limit - out;
            const unsigned count = unsigned(c) + 1 < room ? unsigned(c) + 1 : room;
            std::fill_n(dst + out, count, uint16_t(w ^ 0x8000u));
            out += count;
        }
        if (out >= limit) return 111;
    }
}

unsigned qgu_decompressMem16Safe(const uint16_t* src, unsigned srcWords, uint16_t* dst,
                                 unsigned limit, bool* truncated) {
    if (truncated) *truncated = false;
    if (limit == 0) return 111;
    unsigned out = 0;
    unsigned in = 0;
    // Untrusted streams may start at an odd address inside their container: words are
    // read byte-wise.
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(src);
    auto word = [bytes](unsigned i) {
        uint16_t v;
        std::memcpy(&v, bytes + size_t(i) * 2, 2);
        return v;
    };
    while (in < srcWords) {
        const uint16_t w = word(in++);
        if (w < 0x8000u) {
            dst[out++] = w;
        } else {
            if (in >= srcWords) break;
            const uint16_t c = word(in++);
            if (c == 0) return out;
            const unsigned room = limit - out;
            const unsigned count = unsigned(c) + 1 < room ? unsigned(c) + 1 : room;
            std::fill_n(dst + out, count, uint16_t(w ^ 0x8000u));
            out += count;
        }
        if (out >= limit) return 111;
    }
    if (truncated) *truncated = true;
    return out;
}

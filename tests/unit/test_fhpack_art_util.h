// Helpers of the art compiler tests: pictures decoded with SDL2_image into plain RGBA.
#pragma once

#include "test_fhpack_util.h"

#include <SDL.h>
#include <SDL_image.h>

#include <string>
#include <vector>

namespace fhpackarttest {
struct Pixels {
    int w = 0, h = 0;
    std::vector<uint32_t> rgba;  // 0xRRGGBBAA
    uint32_t at(int x, int y) const { return rgba[size_t(y) * size_t(w) + size_t(x)]; }
    uint8_t alpha(int x, int y) const { return uint8_t(at(x, y) & 0xFF); }
    // True when any pixel of the w x h block at (x, y) is not fully transparent.
    bool anyOpaque(int x, int y, int bw, int bh) const {
        for (int j = y; j < y + bh; ++j)
            for (int i = x; i < x + bw; ++i)
                if (alpha(i, j)) return true;
        return false;
    }
    int countOpaque(int x, int y, int bw, int bh) const {
        int n = 0;
        for (int j = y; j < y + bh; ++j)
            for (int i = x; i < x + bw; ++i) n += alpha(i, j) > 0;
        return n;
    }
    // Cell k of a picture cut into cw x ch cells, row by row.
    bool cellOpaque(int k, int cw, int ch) const { return anyOpaque((k % (w / cw)) * cw, (k / (w / cw)) * ch, cw, ch); }
    bool sameBlock(int x0, int y0, int x1, int y1, int bw, int bh) const {
        for (int j = 0; j < bh; ++j)
            for (int i = 0; i < bw; ++i)
                if (at(x0 + i, y0 + j) != at(x1 + i, y1 + j)) return false;
        return true;
    }
};

inline Pixels fromSurface(SDL_Surface* s) {
    Pixels p;
    if (!s) return p;
    SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(s);
    if (!c) return p;
    p.w = c->w, p.h = c->h;
    p.rgba.resize(size_t(p.w) * size_t(p.h));
    for (int y = 0; y < p.h; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(c->pixels) + y * c->pitch;
        for (int x = 0; x < p.w; ++x) {
            const uint8_t* q = row + x * 4;
            p.rgba[size_t(y) * size_t(p.w) + size_t(x)] = uint32_t(q[0]) << 24 | uint32_t(q[1]) << 16 | uint32_t(q[2]) << 8 | q[3];
        }
    }
    SDL_FreeSurface(c);
    return p;
}

inline Pixels decodeFile(const std::string& path) { return fromSurface(IMG_Load(path.c_str())); }
inline Pixels decodeMemory(const void* data, int64_t size) { return fromSurface(IMG_Load_RW(SDL_RWFromConstMem(data, int(size)), 1)); }

using coretest::fileExists;

}  // namespace fhpackarttest

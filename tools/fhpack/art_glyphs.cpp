#include "art_glyphs.h"

#include <memory>

void HexGlyph::inkSpan(int& left, int& right) const {
    left = right = -1;
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < 16; ++y)
            if (on(x, y)) {
                if (left < 0) left = x;
                right = x;
            }
}

void artParseHexLine(const std::string& l, const std::string& path, int ln, uint32_t& cp, HexGlyph& g) {
    size_t colon = l.find(':');
    if (colon == std::string::npos) throw ArtError(path, ln, "expected CODEPOINT:BITMAP");
    try {
        size_t used = 0;
        cp = uint32_t(std::stoul(l.substr(0, colon), &used, 16));
        if (used != colon) throw 0;
    } catch (...) {
        throw ArtError(path, ln, "bad code point '" + l.substr(0, colon) + "'");
    }
    std::string bits = l.substr(colon + 1);
    g = HexGlyph{};
    if (bits.size() == 32)
        g.width = 8;
    else if (bits.size() == 64)
        g.width = 16;
    else
        throw ArtError(path, ln, "bitmap must have 32 or 64 hex digits, has " + std::to_string(bits.size()));
    size_t per = size_t(g.width / 4);
    for (int y = 0; y < 16; ++y) {
        try {
            size_t used = 0;
            g.rows[y] = uint16_t(std::stoul(bits.substr(size_t(y) * per, per), &used, 16));
            if (used != per) throw 0;
        } catch (...) {
            throw ArtError(path, ln, "bitmap is not hexadecimal");
        }
    }
}

HexFont artLoadHexFont(const std::string& path) {
    HexFont font;
    auto lines = artReadLines(path);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        int ln = int(i) + 1;
        if (l.empty() || l[0] == '#') continue;
        uint32_t cp;
        HexGlyph g;
        artParseHexLine(l, path, ln, cp, g);
        if (font.count(cp)) throw ArtError(path, ln, "code point defined twice");
        font[cp] = g;
    }
    return font;
}

const HexFont& artHexFont(const std::string& path) {
    static std::map<std::string, std::unique_ptr<HexFont>> cache;
    auto it = cache.find(path);
    if (it != cache.end()) return *it->second;
    return *(cache[path] = std::make_unique<HexFont>(artLoadHexFont(path)));
}

std::vector<uint32_t> artDecodeUtf8(const std::string& s) {
    std::vector<uint32_t> out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + size_t(n) > s.size()) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        uint32_t cp = n == 1 ? c : c & (0x7F >> n);
        for (int k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + size_t(k)]) & 0x3F);
        out.push_back(cp);
        i += size_t(n);
    }
    return out;
}

namespace {
int advanceOf(const HexFont& font, uint32_t cp, int& left) {
    auto it = font.find(cp);
    left = 0;
    if (cp == ' ' || it == font.end()) return 4;
    int l, r;
    it->second.inkSpan(l, r);
    if (l < 0) return 4;
    left = l;
    return r - l + 2;
}
} // namespace

int artDrawHexText(Image& img, const HexFont& font, const std::string& utf8, int x, int y, int sx, int sy, Rgba c) {
    int pen = 0;
    for (uint32_t cp : artDecodeUtf8(utf8)) {
        int left;
        int adv = advanceOf(font, cp, left);
        auto it = font.find(cp);
        if (it != font.end())
            for (int gy = 0; gy < 16; ++gy)
                for (int gx = 0; gx < it->second.width; ++gx)
                    if (it->second.on(gx, gy))
                        for (int j = 0; j < sy; ++j)
                            for (int i = 0; i < sx; ++i) img.blend(x + (pen + gx - left) * sx + i, y + gy * sy + j, c);
        pen += adv;
    }
    return pen * sx;
}

int artMeasureHexText(const HexFont& font, const std::string& utf8, int sx) {
    int pen = 0, left;
    for (uint32_t cp : artDecodeUtf8(utf8)) pen += advanceOf(font, cp, left);
    return pen * sx;
}

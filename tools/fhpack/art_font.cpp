// Font pictures: 16 square cells per row, cell = character code - 32. Letters and
// katakana come from a hex bitmap font, widened to the cell and placed at its left edge so
// that the game's proportional advance table spaces them evenly; icons come from the
// manifest's own glyph lines.
#include "art_atlas.h"
#include "art_draw.h"
#include "art_glyphs.h"
#include "art_manifest.h"
#include "art_recipe.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <cstdio>
#include <sstream>

const unsigned char kArtFontWidths[256] = {
    16, 10, 8,  12, 12, 12, 12, 8,  10, 10, 10, 12, 8,  12, 8,  12,  // 0x00
    12, 10, 12, 12, 12, 12, 12, 12, 12, 12, 12, 8,  8,  12, 12, 12,  // 0x10
    12, 14, 12, 12, 14, 12, 12, 14, 12, 8,  12, 12, 12, 16, 12, 12,  // 0x20
    12, 14, 12, 12, 10, 12, 12, 16, 12, 12, 12, 10, 10, 10, 10, 10,  // 0x30
    8,  12, 12, 12, 12, 12, 10, 12, 12, 6,  8,  10, 6,  14, 12, 11,  // 0x40
    12, 12, 10, 10, 10, 12, 12, 12, 10, 12, 12, 12, 10, 10, 10, 12,  // 0x50
    16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16,  // 0x60
    16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16,  // 0x70
    16, 16, 16, 16, 16, 16, 16, 12, 12, 12, 12, 12, 12, 12, 12, 12,  // 0x80
    16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16,  // 0x90
    16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16,  // 0xA0
    16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 4,  4,   // 0xB0
    16, 16, 16, 16, 16, 16, 16, 12, 12, 12, 12, 12, 12, 12, 12, 12,  // 0xC0
    12, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16,  // 0xD0
    16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16,  // 0xE0
    16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 4,  4,   // 0xF0
};

namespace {
struct FontHeader {
    int picture = -1, cell = 0, width = 0, height = 0;
    std::string glyphs;
    std::vector<std::string> style{"regular"}, kanaStyle{"bold"};
};

std::vector<std::string> splitComma(const std::string& s) {
    std::vector<std::string> out;
    std::stringstream in(s);
    std::string part;
    while (std::getline(in, part, ',')) out.push_back(part);
    return out;
}

// Code point shown in a text cell, or 0 for none. Kana-mode cells repeat 0xA0..0xDF.
uint32_t codePointOfCell(int cell) {
    if (cell >= 1 && cell <= 94) return uint32_t(cell + 32);
    if (cell >= 129 && cell <= 191) return 0xFF60u + uint32_t(cell - 128);
    if (cell >= 193 && cell <= 255) return 0xFF60u + uint32_t(cell - 192);
    return 0;
}

// How a glyph of the hex font is placed in its cell.
enum class GlyphFit {
    Latin,  // three font pixels per font column, narrowed to fit its advance
    Kana,   // four per column (kana are drawn wider), narrowed to fit
    Mark,   // the voicing marks: three per column at the very left, so that they sit
            // on the shoulder of the kana before them (the game narrows that kana)
};

// extraW: how much the style will widen the ink (bold strokes, outlines), kept free
// inside the advance; lift: rows the glyph moves up to leave room for thickened strokes.
Image glyphMask(const HexGlyph& g, int cell, int cellPx, GlyphFit fit, int extraW, int lift) {
    Image img(cellPx, cellPx);
    int sx = std::max(1, cellPx * 3 / 32), sy = std::max(1, cellPx / 16);
    int left, right;
    g.inkSpan(left, right);
    if (left < 0) return img;
    int inkW = right - left + 1;
    int bearing = fit == GlyphFit::Mark ? 0 : fit == GlyphFit::Kana ? std::max(1, sx / 2) : sx;
    double scale = fit == GlyphFit::Kana ? cellPx * 4 / 32.0 : sx;
    if (fit != GlyphFit::Mark) {
        int adv = kArtFontWidths[cell] * cellPx / 16;
        int room = adv - bearing - std::max(1, sx / 2 + 1) - extraW;
        if (inkW * scale > room && room > 0) scale = double(room) / inkW;
    }
    int drawnW = int(std::lround(inkW * scale));
    for (int y = 0; y < 16 * sy && y < cellPx; ++y)
        for (int x = 0; x < drawnW; ++x) {
            // Narrowed below one pixel per font column, a pixel covers several columns
            // and is inked when any of them is: picking one column would drop the thin
            // stems of i, j and l and leave their serifs floating.
            int g0 = std::min(inkW - 1, int(x / scale));
            int g1 = scale < 1.0 ? std::min(inkW - 1, std::max(g0, int(std::ceil((x + 1) / scale)) - 1)) : g0;
            bool ink = false;
            for (int gx = g0; gx <= g1 && !ink; ++gx) ink = g.on(left + gx, y / sy);
            if (ink) img.set(bearing + x, y - lift, Rgba{255, 255, 255, 255});
        }
    return img;
}

// Outlines a glyph on its outside only: the holes of 0, 8, A or e stay clear, so the
// letter stays readable when it is drawn small.
void outerOutline(Image& img, int thickness) {
    const int w = img.width(), h = img.height();
    for (int pass = 0; pass < thickness; ++pass) {
        // Transparent pixels reachable from the border are outside.
        std::vector<char> outside(size_t(w) * size_t(h), 0);
        std::vector<std::pair<int, int>> todo;
        auto seed = [&](int x, int y) {
            size_t k = size_t(y) * size_t(w) + size_t(x);
            if (!outside[k] && img.get(x, y).a == 0) outside[k] = 1, todo.push_back({x, y});
        };
        for (int x = 0; x < w; ++x) seed(x, 0), seed(x, h - 1);
        for (int y = 0; y < h; ++y) seed(0, y), seed(w - 1, y);
        while (!todo.empty()) {
            auto [x, y] = todo.back();
            todo.pop_back();
            if (x > 0) seed(x - 1, y);
            if (x + 1 < w) seed(x + 1, y);
            if (y > 0) seed(x, y - 1);
            if (y + 1 < h) seed(x, y + 1);
        }
        Image copy = img;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (!outside[size_t(y) * size_t(w) + size_t(x)]) continue;
                bool near = false;
                for (int dy = -1; dy <= 1 && !near; ++dy)
                    for (int dx = -1; dx <= 1 && !near; ++dx) near = copy.get(x + dx, y + dy).a > 96;
                if (near) img.set(x, y, Rgba{28, 20, 36, 255});
            }
    }
}

// Widens every stroke by dx and dy pixels. Each step in between is drawn too, so a
// stroke narrower than the widening (the stems of narrowed letters) grows solid
// instead of doubling into two thin lines.
void smear(Image& img, int dx, int dy) {
    const Image copy = img;
    for (int d = 1; d <= std::max(dx, dy); ++d) img.draw(copy, dx ? d : 0, dy ? d : 0);
}

void applyStyle(Image& img, const std::vector<std::string>& style, int cellPx, const std::string& file, int line) {
    int t = std::max(1, cellPx / 16);
    for (const auto& s : style) {
        if (s == "regular") {
        } else if (s == "bold") {
            smear(img, t, 0);
        } else if (s == "thick") {
            // Bold both ways: every stroke becomes two font pixels wide and high, so that
            // it survives when the game draws the font at a quarter of its cell size.
            smear(img, std::max(1, cellPx * 3 / 32), 0);
            smear(img, 0, t);
        } else if (s == "sheen") {
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    Rgba p = img.get(x, y);
                    if (p.a == 0) continue;
                    Rgba c = artMix(Rgba{255, 255, 255, 255}, Rgba{196, 208, 240, 255}, double(y) / img.height());
                    img.set(x, y, Rgba{c.r, c.g, c.b, p.a});
                }
        } else if (s == "outline") {
            outerOutline(img, t);
        } else if (s == "outline2") {
            // thin inside the holes, twice as thick outside
            img.outline(Rgba{28, 20, 36, 255}, t, true);
            outerOutline(img, t);
        } else if (s == "shadow") {
            img.shadow(Rgba{0, 0, 0, 150}, t, t);
        } else if (s == "underline") {
            for (int y = img.height() - 2 * t; y < img.height() - t; ++y)
                for (int x = 0; x < img.width() - t; ++x) img.set(x, y, Rgba{255, 255, 255, 255});
        } else
            throw ArtError(file, line, "unknown font style '" + s + "' (regular, bold, thick, sheen, outline, outline2, shadow, underline)");
    }
}
} // namespace

Image artBuildFont(const std::string& manifestPath) {
    auto lines = artReadManifest(manifestPath);
    FontHeader h;
    RecipeContext ctx;
    ctx.file = manifestPath;
    std::map<int, Image> own;
    HexFont ownHex;
    std::map<int, std::pair<std::string, int>> seen;
    int headerLine = 0;
    for (const auto& l : lines) {
        {
            auto w = artSplitWords(l.text);
            if (!w.empty() && w[0] == "hexglyph") {
                // our own bitmap for one character, in the glyph file's format
                if (w.size() != 2) throw ArtError(l.file, l.line, "hexglyph needs CODEPOINT:BITMAP");
                uint32_t cp;
                HexGlyph g;
                artParseHexLine(w[1], l.file, l.line, cp, g);
                if (ownHex.count(cp)) throw ArtError(l.file, l.line, "hexglyph for this code point given twice");
                ownHex[cp] = g;
                continue;
            }
        }
        ManifestEntry e;
        if (artParseEntry(l, e)) {
            if (h.picture < 0) throw ArtError(l.file, l.line, "entry before the 'font' line");
            for (int n = e.first; n <= e.last; ++n) {
                int cell;
                if (e.keyword == "glyph")
                    cell = n - 32;
                else if (e.keyword == "cell")
                    cell = n;
                else
                    throw ArtError(l.file, l.line, "font entries start with 'glyph CODE:' or 'cell N:'");
                if (cell < 0 || cell >= (h.width / h.cell) * (h.height / h.cell))
                    throw ArtError(l.file, l.line, "cell " + std::to_string(cell) + " is outside the font picture");
                auto dup = seen.find(cell);
                if (dup != seen.end())
                    throw ArtError(l.file, l.line, "cell " + std::to_string(cell) + " given twice (first at " + dup->second.first + ":" + std::to_string(dup->second.second) + ")");
                seen[cell] = {l.file, l.line};
                ctx.file = l.file;
                ctx.line = l.line;
                own[cell] = artRunCellRecipe(artExpand(e.commands, n - e.first, n), h.cell, h.cell, ctx);
            }
            continue;
        }
        auto w = artSplitWords(l.text);
        if (w.empty()) continue;
        if (w[0] == "color" || w[0] == "colour" || w[0] == "font" || w[0] == "seed") {
            if (w[0] == "font" && w.size() > 2) {
                // the header line: font PICTURE cell N size W H glyphs FILE style S [kana-mode S]
                if (h.picture >= 0) throw ArtError(l.file, l.line, "font header given twice");
                h.picture = artParseInt(w[1], l.file, l.line);
                headerLine = l.line;
                for (size_t i = 2; i < w.size(); ++i) {
                    auto val = [&](size_t k) -> const std::string& {
                        if (k >= w.size()) throw ArtError(l.file, l.line, "'" + w[i] + "' needs a value");
                        return w[k];
                    };
                    if (w[i] == "cell")
                        h.cell = artParseInt(val(i + 1), l.file, l.line), ++i;
                    else if (w[i] == "size")
                        h.width = artParseInt(val(i + 1), l.file, l.line), h.height = artParseInt(val(i + 2), l.file, l.line), i += 2;
                    else if (w[i] == "glyphs")
                        h.glyphs = artResolve(l.file, val(i + 1)), ++i;
                    else if (w[i] == "style")
                        h.style = splitComma(val(i + 1)), ++i;
                    else if (w[i] == "kana-mode")
                        h.kanaStyle = splitComma(val(i + 1)), ++i;
                    else
                        throw ArtError(l.file, l.line, "unknown font option '" + w[i] + "'");
                }
                if (h.cell <= 0 || h.width != 16 * h.cell || h.height % h.cell || h.height < h.cell)
                    throw ArtError(l.file, l.line, "a font has 16 cells per row: size must be 16 x cell wide and whole cells high");
                if (h.glyphs.empty()) throw ArtError(l.file, l.line, "font needs 'glyphs FILE.hex'");
                ctx.fontPath = h.glyphs;
                continue;
            }
            ctx.file = l.file;
            ctx.line = l.line;
            Image dummy(1, 1);
            artRecipeCommand(dummy, ctx, w);
            continue;
        }
        throw ArtError(l.file, l.line, "unknown line '" + w[0] + "'");
    }
    if (h.picture < 0) throw ArtError(manifestPath, 0, "no font header ('font PICTURE cell N size W H glyphs FILE')");
    const HexFont& hex = artHexFont(h.glyphs);
    Image pic(h.width, h.height);
    int cells = 16 * (h.height / h.cell);
    for (int cell = 0; cell < cells; ++cell) {
        auto it = own.find(cell);
        Image glyph;
        if (it != own.end())
            glyph = it->second;
        else {
            uint32_t cp = codePointOfCell(cell);
            if (cp == 0) continue;
            const HexGlyph* g = nullptr;
            if (ownHex.count(cp))
                g = &ownHex.at(cp);
            else if (hex.count(cp))
                g = &hex.at(cp);
            if (!g)
                throw ArtError(h.glyphs, 0, "glyph U+" + [&] {
                    char b[16];
                    std::snprintf(b, sizeof b, "%04X", cp);
                    return std::string(b);
                }() + " needed by cell " + std::to_string(cell) + " is missing");
            int code = cell >= 192 ? cell - 64 + 32 : cell + 32;  // kana-mode cells repeat 0xA0..0xDF
            GlyphFit fit = cell < 96 ? GlyphFit::Latin : (code == 0xDE || code == 0xDF) ? GlyphFit::Mark : GlyphFit::Kana;
            const auto& style = cell >= 192 ? h.kanaStyle : h.style;
            int t = std::max(1, h.cell / 16), extraW = 0, lift = 0;
            for (const auto& st : style) {
                if (st == "bold" || st == "thick") extraW += std::max(1, h.cell * 3 / 32);
                if (st == "thick") lift = t;
                if (st == "outline") extraW += t;
                if (st == "outline2") extraW += 2 * t;
            }
            glyph = glyphMask(*g, cell, h.cell, fit, extraW, lift);
            applyStyle(glyph, style, h.cell, manifestPath, headerLine);
        }
        pic.paste(glyph, (cell % 16) * h.cell, (cell / 16) * h.cell);
    }
    return pic;
}

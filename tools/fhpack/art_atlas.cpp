#include "art_atlas.h"

#include "art_manifest.h"
#include "art_recipe.h"

#include <cctype>
#include <map>

void artAtlasCells(const std::string& rule, int pattern, int& cellA, int& cellB) {
    cellB = -1;
    if (rule == "direct")
        cellA = pattern;
    else if (rule == "low9")
        cellA = pattern & 0x1FF;
    else if (rule == "low9+low8") {
        cellA = pattern & 0x1FF;
        cellB = pattern & 0xFF;
        if (cellB == cellA) cellB = -1;
    } else
        cellA = -1;
}

namespace {
struct AtlasHeader {
    int picture = -1, cell = 0, cellH = 0, width = 0, height = 0, first = 0, last = -1;
    std::string rule = "low9";
};

// Header and shared recipe lines (color, font, seed) go to the context; returns true when
// the line was one of them.
bool sharedLine(const ManifestLine& l, RecipeContext& ctx) {
    auto w = artSplitWords(l.text);
    if (w.empty()) return true;
    if (w[0] == "color" || w[0] == "colour" || w[0] == "font" || w[0] == "seed") {
        ctx.file = l.file;
        ctx.line = l.line;
        Image dummy(1, 1);
        artRecipeCommand(dummy, ctx, w);
        return true;
    }
    return false;
}
} // namespace

Image artBuildAtlas(const std::string& manifestPath) {
    auto lines = artReadManifest(manifestPath);
    AtlasHeader h;
    RecipeContext ctx;
    ctx.file = manifestPath;
    std::map<int, std::pair<std::string, int>> seen;  // cell -> where it was filled
    std::map<int, std::pair<std::string, int>> seenPattern;
    Image atlas;
    for (const auto& l : lines) {
        ManifestEntry e;
        if (artParseEntry(l, e)) {
            if (h.picture < 0) throw ArtError(l.file, l.line, "entry before the 'picture' line");
            if (!e.keyword.empty()) throw ArtError(l.file, l.line, "unexpected '" + e.keyword + "' in an atlas");
            for (int n = e.first; n <= e.last; ++n) {
                if (n < h.first || n > h.last)
                    throw ArtError(l.file, l.line,
                                   "pattern " + std::to_string(n) + " is outside this atlas (" + std::to_string(h.first) + ".." + std::to_string(h.last) + ")");
                auto dup = seenPattern.find(n);
                if (dup != seenPattern.end())
                    throw ArtError(l.file, l.line,
                                   "pattern " + std::to_string(n) + " given twice (first at " + dup->second.first + ":" + std::to_string(dup->second.second) + ")");
                seenPattern[n] = {l.file, l.line};
                int a, b;
                artAtlasCells(h.rule, n, a, b);
                ctx.file = l.file;
                ctx.line = l.line;
                Image cell = artRunCellRecipe(artExpand(e.commands, n - e.first, n), h.cell, h.cellH, ctx);
                int perRow = h.width / h.cell, cells = perRow * (h.height / h.cellH);
                for (int c : {a, b}) {
                    if (c < 0) continue;
                    if (c >= cells) throw ArtError(l.file, l.line, "cell " + std::to_string(c) + " does not fit the picture");
                    auto other = seen.find(c);
                    if (other != seen.end())
                        throw ArtError(l.file, l.line, "pattern " + std::to_string(n) + " lands in cell " + std::to_string(c) +
                                                           ", already filled at " + other->second.first + ":" + std::to_string(other->second.second));
                    seen[c] = {l.file, l.line};
                    atlas.paste(cell, (c % perRow) * h.cell, (c / perRow) * h.cellH);
                }
            }
            continue;
        }
        if (sharedLine(l, ctx)) continue;
        auto w = artSplitWords(l.text);
        if (w[0] == "picture") {
            if (h.picture >= 0) throw ArtError(l.file, l.line, "picture given twice");
            for (size_t i = 2; i < w.size(); ++i) {
                auto val = [&](size_t k) {
                    if (k >= w.size()) throw ArtError(l.file, l.line, "'" + w[i] + "' needs a value");
                    return artParseInt(w[k], l.file, l.line);
                };
                if (w[i] == "cell") {
                    h.cell = h.cellH = val(++i);
                    // "cell W H" for cells that are not square
                    if (i + 1 < w.size() && std::isdigit(static_cast<unsigned char>(w[i + 1][0]))) h.cellH = val(++i);
                }
                else if (w[i] == "size")
                    h.width = val(i + 1), h.height = val(i + 2), i += 2;
                else if (w[i] == "patterns")
                    h.first = val(i + 1), h.last = val(i + 2), i += 2;
                else if (w[i] == "index") {
                    if (i + 1 >= w.size()) throw ArtError(l.file, l.line, "index needs a rule");
                    h.rule = w[++i];
                    int a, b;
                    artAtlasCells(h.rule, 0, a, b);
                    if (a < 0) throw ArtError(l.file, l.line, "index rule must be low9, direct or low9+low8");
                } else
                    throw ArtError(l.file, l.line, "unknown picture option '" + w[i] + "'");
            }
            if (w.size() < 2) throw ArtError(l.file, l.line, "picture needs its number");
            h.picture = artParseInt(w[1], l.file, l.line);
            if (h.cell <= 0 || h.cellH <= 0 || h.width <= 0 || h.height <= 0 || h.width % h.cell || h.height % h.cellH || h.width > 4096 || h.height > 4096)
                throw ArtError(l.file, l.line, "picture needs 'cell' and a 'size' that is a whole number of cells (at most 4096)");
            if (h.last < h.first) throw ArtError(l.file, l.line, "picture needs 'patterns FIRST LAST'");
            atlas = Image(h.width, h.height);
            continue;
        }
        throw ArtError(l.file, l.line, "unknown line '" + w[0] + "'");
    }
    if (h.picture < 0) throw ArtError(manifestPath, 0, "no 'picture' line");
    return atlas;
}

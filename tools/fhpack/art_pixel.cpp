#include "art_pixel.h"

#include <memory>

namespace {
bool isComment(const std::string& l) { return l.empty() || l == "#" || l.rfind("# ", 0) == 0 || l.rfind("#\t", 0) == 0; }

std::string trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}
} // namespace

PixelSheet artLoadPixelSheet(const std::string& path) {
    PixelSheet sheet;
    sheet.path = path;
    std::vector<std::string> lines = artReadLines(path);
    enum { None, Palette } mode = None;
    for (size_t i = 0; i < lines.size(); ++i) {
        int ln = int(i) + 1;
        std::string l = trim(lines[i]);
        if (isComment(l)) continue;
        auto w = artSplitWords(l);
        if (w.empty()) continue;
        if (w[0] == "palette") {
            mode = Palette;
            continue;
        }
        if (w[0] == "end") {
            mode = None;
            continue;
        }
        if (w[0] == "import") {
            if (w.size() != 2) throw ArtError(path, ln, "import needs one file name");
            PixelSheet other = artLoadPixelSheet(artResolve(path, w[1]));
            for (auto& [k, v] : other.palette) sheet.palette[k] = v;
            continue;
        }
        if (w[0] == "sprite") {
            mode = None;
            if (w.size() != 4) throw ArtError(path, ln, "sprite needs NAME WIDTH HEIGHT");
            std::string name = w[1];
            int sw = artParseInt(w[2], path, ln), sh = artParseInt(w[3], path, ln);
            if (sw <= 0 || sh <= 0 || sw > 512 || sh > 512) throw ArtError(path, ln, "sprite size out of range (1..512)");
            if (sheet.sprites.count(name)) throw ArtError(path, ln, "sprite '" + name + "' defined twice");
            Image img(sw, sh);
            int row = 0;
            size_t j = i + 1;
            for (; j < lines.size() && row < sh; ++j) {
                std::string r = trim(lines[j]);
                if (r.empty()) continue;
                int rl = int(j) + 1;
                if (int(r.size()) != sw)
                    throw ArtError(path, rl,
                                   "row has " + std::to_string(r.size()) + " pixels, sprite '" + name + "' is " + std::to_string(sw) + " wide");
                for (int x = 0; x < sw; ++x) {
                    auto it = sheet.palette.find(r[size_t(x)]);
                    if (it == sheet.palette.end())
                        throw ArtError(path, rl, std::string("unknown palette character '") + r[size_t(x)] + "'");
                    img.set(x, row, it->second);
                }
                ++row;
            }
            if (row < sh)
                throw ArtError(path, ln, "sprite '" + name + "' has " + std::to_string(row) + " rows, expected " + std::to_string(sh));
            sheet.sprites[name] = std::move(img);
            i = j - 1;
            continue;
        }
        if (mode == Palette) {
            if (w[0].size() != 1 || w.size() != 2) throw ArtError(path, ln, "palette entry needs CHARACTER COLOUR");
            char ch = w[0][0];
            if (sheet.palette.count(ch)) throw ArtError(path, ln, std::string("palette character '") + ch + "' defined twice");
            sheet.palette[ch] = artParseColour(w[1], path, ln);
            continue;
        }
        throw ArtError(path, ln, "unknown line '" + w[0] + "' (expected palette, import or sprite)");
    }
    return sheet;
}

const PixelSheet& artPixelSheet(const std::string& path) {
    static std::map<std::string, std::unique_ptr<PixelSheet>> cache;
    auto it = cache.find(path);
    if (it != cache.end()) return *it->second;
    auto sheet = std::make_unique<PixelSheet>(artLoadPixelSheet(path));
    return *(cache[path] = std::move(sheet));
}

const Image& artPixelSprite(const std::string& path, const std::string& name, const std::string& file, int line) {
    const PixelSheet& s = artPixelSheet(path);
    auto it = s.sprites.find(name);
    if (it == s.sprites.end()) throw ArtError(file, line, "no sprite '" + name + "' in " + path);
    return it->second;
}

#include "art_recipe.h"

#include "art_draw.h"
#include "art_glyphs.h"
#include "art_pixel.h"

#include <cctype>
#include <cmath>

namespace {
struct ShapeEntry {
    const char* usage;
    ArtShapeFn fn;
};
std::map<std::string, ShapeEntry>& shapes() {
    static std::map<std::string, ShapeEntry> table;
    return table;
}

std::string unquote(const std::string& w) { return (!w.empty() && w[0] == '"') ? w.substr(1) : w; }

std::vector<Rgba> colourList(const RecipeContext& ctx, const std::vector<std::string>& w, size_t from) {
    std::vector<Rgba> out;
    for (size_t i = from; i < w.size(); ++i) out.push_back(ctx.colour(w[i]));
    return out;
}

// Nearest-neighbour rotation of the whole canvas about its centre.
Image rotated(const Image& src, double deg) {
    Image out(src.width(), src.height());
    double a = deg * M_PI / 180, c = std::cos(a), s = std::sin(a);
    double cx = src.width() / 2.0, cy = src.height() / 2.0;
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            double sx = c * dx + s * dy + cx, sy = -s * dx + c * dy + cy;
            out.set(x, y, src.get(int(std::floor(sx)), int(std::floor(sy))));
        }
    return out;
}

Image flippedX(const Image& src) {
    Image out(src.width(), src.height());
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) out.set(src.width() - 1 - x, y, src.get(x, y));
    return out;
}

Image flippedY(const Image& src) {
    Image out(src.width(), src.height());
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) out.set(x, src.height() - 1 - y, src.get(x, y));
    return out;
}
} // namespace

ArtShape::ArtShape(const char* name, const char* usage, ArtShapeFn fn) { shapes()[name] = {usage, fn}; }

Rgba RecipeContext::colour(const std::string& word) const {
    std::string name = word;
    int alpha = -1;
    size_t at = word.find('@');
    if (at != std::string::npos) {
        name = word.substr(0, at);
        alpha = integer(word.substr(at + 1));
        if (alpha < 0 || alpha > 255) fail("alpha after '@' must be 0..255");
    }
    Rgba c;
    static const Rgba hues[8] = {{230, 70, 70, 255},  {90, 190, 80, 255},  {80, 130, 230, 255}, {240, 200, 60, 255},
                                 {190, 90, 210, 255}, {80, 200, 200, 255}, {240, 140, 60, 255}, {240, 130, 170, 255}};
    if (!name.empty() && name[0] == '#')
        c = artParseColour(name, file, line);
    else if (!name.empty() && std::isdigit(static_cast<unsigned char>(name[0])))
        c = hues[integer(name) & 7];  // a palette index: red, green, blue, gold, purple, cyan, orange, pink
    else if (name == "none" || name == "transparent")
        c = Rgba{};
    else {
        auto it = colours.find(name);
        if (it == colours.end()) fail("unknown colour '" + name + "'");
        c = it->second;
    }
    if (alpha >= 0) c.a = uint8_t(alpha);
    return c;
}

double RecipeContext::num(const std::string& word) const { return artParseNum(word, file, line); }
int RecipeContext::integer(const std::string& word) const { return artParseInt(word, file, line); }

void RecipeContext::need(const std::vector<std::string>& w, size_t count, const char* usage) const {
    if (w.size() < count) fail(std::string("too few values: ") + usage);
}

void artRecipeCommand(Image& base, RecipeContext& ctx, const std::vector<std::string>& w) {
    if (w.empty()) return;
    Image& img = ctx.layers.empty() ? base : ctx.layers.back();
    const std::string& cmd = w[0];
    auto N = [&](size_t i) { return ctx.num(w[i]); };
    auto C = [&](size_t i) { return ctx.colour(w[i]); };
    if (cmd == "color" || cmd == "colour") {
        ctx.need(w, 3, "color NAME COLOUR");
        ctx.colours[w[1]] = C(2);
    } else if (cmd == "seed") {
        ctx.need(w, 2, "seed N");
        ctx.seed = uint32_t(ctx.integer(w[1]));
    } else if (cmd == "font") {
        ctx.need(w, 2, "font FILE.hex");
        ctx.fontPath = artResolve(ctx.file, w[1]);
    } else if (cmd == "fill") {
        ctx.need(w, 2, "fill COLOUR");
        artdraw::fillRect(img, 0, 0, img.width(), img.height(), C(1));
    } else if (cmd == "clear") {
        img = Image(img.width(), img.height());
    } else if (cmd == "rect") {
        ctx.need(w, 6, "rect X Y W H COLOUR");
        artdraw::fillRect(img, N(1), N(2), N(3), N(4), C(5));
    } else if (cmd == "frame") {
        ctx.need(w, 6, "frame X Y W H COLOUR [THICKNESS]");
        artdraw::frameRect(img, N(1), N(2), N(3), N(4), C(5), w.size() > 6 ? ctx.integer(w[6]) : 1);
    } else if (cmd == "roundrect") {
        ctx.need(w, 7, "roundrect X Y W H RADIUS COLOUR");
        artdraw::roundRect(img, N(1), N(2), N(3), N(4), N(5), C(6));
    } else if (cmd == "ellipse") {
        ctx.need(w, 6, "ellipse CX CY RX RY COLOUR");
        artdraw::ellipse(img, N(1), N(2), N(3), N(4), C(5));
    } else if (cmd == "circle") {
        ctx.need(w, 5, "circle CX CY R COLOUR");
        artdraw::ellipse(img, N(1), N(2), N(3), N(3), C(4));
    } else if (cmd == "ring") {
        ctx.need(w, 6, "ring CX CY R THICKNESS COLOUR");
        artdraw::ring(img, N(1), N(2), N(3), N(4), C(5));
    } else if (cmd == "poly") {
        if (w.size() < 8 || (w.size() - 2) % 2) ctx.fail("poly COLOUR X Y X Y X Y ... (at least three points)");
        std::vector<std::pair<double, double>> pts;
        for (size_t i = 2; i + 1 < w.size(); i += 2) pts.push_back({N(i), N(i + 1)});
        artdraw::polygon(img, pts, C(1));
    } else if (cmd == "line") {
        ctx.need(w, 6, "line X0 Y0 X1 Y1 COLOUR [WIDTH]");
        artdraw::line(img, N(1), N(2), N(3), N(4), C(5), w.size() > 6 ? N(6) : 1);
    } else if (cmd == "vgrad" || cmd == "hgrad") {
        ctx.need(w, 7, "vgrad X Y W H COLOUR COLOUR ...");
        auto stops = colourList(ctx, w, 5);
        if (cmd == "vgrad")
            artdraw::vgrad(img, N(1), N(2), N(3), N(4), stops);
        else
            artdraw::hgrad(img, N(1), N(2), N(3), N(4), stops);
    } else if (cmd == "radial") {
        ctx.need(w, 6, "radial CX CY R INNER OUTER");
        artdraw::radial(img, N(1), N(2), N(3), C(4), C(5));
    } else if (cmd == "glow") {
        ctx.need(w, 5, "glow CX CY R COLOUR");
        artdraw::glow(img, N(1), N(2), N(3), C(4));
    } else if (cmd == "noise") {
        ctx.need(w, 6, "noise X Y W H AMOUNT");
        artdraw::noise(img, N(1), N(2), N(3), N(4), N(5), ctx.seed++);
    } else if (cmd == "vignette") {
        ctx.need(w, 2, "vignette STRENGTH");
        artdraw::vignette(img, N(1));
    } else if (cmd == "sparkle") {
        ctx.need(w, 5, "sparkle CX CY R COLOUR");
        artdraw::sparkle(img, N(1), N(2), N(3), C(4));
    } else if (cmd == "star") {
        ctx.need(w, 7, "star CX CY R INNER POINTS COLOUR [ROTATION]");
        artdraw::star(img, N(1), N(2), N(3), N(4), ctx.integer(w[5]), C(6), w.size() > 7 ? N(7) : -90);
    } else if (cmd == "text") {
        ctx.need(w, 7, "text X Y SCALEX SCALEY COLOUR \"TEXT\" [left|center|right]");
        if (ctx.fontPath.empty()) ctx.fail("text needs a 'font FILE.hex' line first");
        const HexFont& f = artHexFont(ctx.fontPath);
        int sx = ctx.integer(w[3]), sy = ctx.integer(w[4]);
        std::string s = unquote(w[6]);
        int x = int(N(1));
        std::string align = w.size() > 7 ? w[7] : "left";
        int width = artMeasureHexText(f, s, sx);
        if (align == "center")
            x -= width / 2;
        else if (align == "right")
            x -= width;
        else if (align != "left")
            ctx.fail("text alignment must be left, center or right");
        artDrawHexText(img, f, s, x, int(N(2)), sx, sy, C(5));
    } else if (cmd == "sprite") {
        ctx.need(w, 5, "sprite FILE.px NAME X Y [SCALE] [flipx]");
        const Image& s = artPixelSprite(artResolve(ctx.file, w[1]), w[2], ctx.file, ctx.line);
        int scale = w.size() > 5 && w[5] != "flipx" ? ctx.integer(w[5]) : 1;
        bool flip = w.back() == "flipx";
        img.draw(s, int(N(3)), int(N(4)), scale, flip);
    } else if (cmd == "picture") {
        ctx.need(w, 4, "picture FILE.rcp X Y");
        Image sub = artRunRecipeFile(artResolve(ctx.file, w[1]));
        img.draw(sub, int(N(2)), int(N(3)));
    } else if (cmd == "layer") {
        ctx.layers.emplace_back(base.width(), base.height());
    } else if (cmd == "merge") {
        if (ctx.layers.empty()) ctx.fail("merge without layer");
        Image top = std::move(ctx.layers.back());
        ctx.layers.pop_back();
        for (size_t i = 1; i < w.size();) {
            if (w[i] == "outline") {
                ctx.need(w, i + 3, "merge outline COLOUR THICKNESS");
                top.outline(C(i + 1), ctx.integer(w[i + 2]));
                i += 3;
            } else if (w[i] == "outline8") {
                ctx.need(w, i + 3, "merge outline8 COLOUR THICKNESS");
                top.outline(C(i + 1), ctx.integer(w[i + 2]), true);
                i += 3;
            } else if (w[i] == "shadow") {
                ctx.need(w, i + 4, "merge shadow COLOUR DX DY");
                top.shadow(C(i + 1), ctx.integer(w[i + 2]), ctx.integer(w[i + 3]));
                i += 4;
            } else if (w[i] == "tint") {
                ctx.need(w, i + 2, "merge tint COLOUR");
                top.tint(C(i + 1));
                i += 2;
            } else
                ctx.fail("merge takes outline, outline8, shadow or tint, not '" + w[i] + "'");
        }
        Image& below = ctx.layers.empty() ? base : ctx.layers.back();
        below.draw(top, 0, 0);
    } else if (cmd == "outline") {
        ctx.need(w, 2, "outline COLOUR [THICKNESS]");
        img.outline(C(1), w.size() > 2 ? ctx.integer(w[2]) : 1);
    } else if (cmd == "tint") {
        ctx.need(w, 2, "tint COLOUR");
        img.tint(C(1));
    } else if (cmd == "flipx") {
        img = flippedX(img);
    } else if (cmd == "flipy") {
        img = flippedY(img);
    } else if (cmd == "rotate") {
        ctx.need(w, 2, "rotate DEGREES");
        img = rotated(img, N(1));
    } else if (cmd == "shift") {
        ctx.need(w, 3, "shift DX DY");
        Image out(img.width(), img.height());
        out.paste(img, ctx.integer(w[1]), ctx.integer(w[2]));
        img = out;
    } else if (cmd == "zoom") {
        ctx.need(w, 2, "zoom FACTOR (whole number: what is drawn so far grows from the top-left corner)");
        int f = ctx.integer(w[1]);
        if (f < 1 || f > 16) ctx.fail("zoom factor must be 1..16");
        Image out(img.width(), img.height());
        out.draw(img, 0, 0, f);
        img = out;
    } else if (cmd == "fade") {
        ctx.need(w, 2, "fade ALPHA (0..255)");
        int a = ctx.integer(w[1]);
        for (auto& p : img.pixels()) p.a = uint8_t(p.a * a / 255);
    } else {
        auto it = shapes().find(cmd);
        if (it == shapes().end()) ctx.fail("unknown command '" + cmd + "'");
        std::vector<std::string> args(w.begin() + 1, w.end());
        it->second.fn(img, ctx, args);
    }
}

Image artRunRecipeFile(const std::string& path) {
    auto lines = artReadLines(path);
    RecipeContext ctx;
    ctx.file = path;
    Image img;
    bool sized = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        ctx.line = int(i) + 1;
        auto w = artSplitWords(lines[i]);
        if (w.empty()) continue;
        if (w[0] == "size") {
            if (sized) ctx.fail("size given twice");
            ctx.need(w, 3, "size WIDTH HEIGHT");
            int sw = ctx.integer(w[1]), sh = ctx.integer(w[2]);
            if (sw <= 0 || sh <= 0 || sw > 4096 || sh > 4096) ctx.fail("picture size out of range (1..4096)");
            img = Image(sw, sh);
            sized = true;
            continue;
        }
        if (!sized) ctx.fail("a recipe starts with 'size WIDTH HEIGHT'");
        artRecipeCommand(img, ctx, w);
    }
    if (!sized) throw ArtError(path, 0, "empty recipe (no 'size' line)");
    if (!ctx.layers.empty()) throw ArtError(path, int(lines.size()), "layer opened but never merged");
    return img;
}

Image artRunCellRecipe(const std::string& commands, int w, int h, RecipeContext& ctx) {
    Image img(w, h);
    size_t start = 0;
    while (start <= commands.size()) {
        size_t semi = commands.find(';', start);
        // A ';' inside quotes belongs to the text.
        size_t q = commands.find('"', start);
        if (q != std::string::npos && q < semi) {
            size_t q2 = commands.find('"', q + 1);
            if (q2 != std::string::npos) semi = commands.find(';', q2);
        }
        if (semi == std::string::npos) semi = commands.size();
        artRecipeCommand(img, ctx, artSplitWords(commands.substr(start, semi - start)));
        start = semi + 1;
    }
    if (!ctx.layers.empty()) {
        ctx.layers.clear();
        ctx.fail("layer opened but never merged");
    }
    return img;
}

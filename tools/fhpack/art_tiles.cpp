// Block tiles for the block sheets, each filling one cell:
//
//   tile KIND [ARGS]
//
// Terrain: turf GRASS DIRT V, dirt C V, stone C V, brick C V, planks C V, bark C V,
// leaves C V, moss C V, backwall C V. Working blocks: spikes C up|down|left|right,
// thorns C FRAME, spring STATE, pad C up|down|left|right, switch C up|down|used,
// door FRAME, goal FRAME, flag, bars C, ghost C, gate C open|closed, crate C, cracked C V,
// lock C, current FRAME left|right|up|down, updraft FRAME, vanish FRAME, barrier C,
// glowspot C FRAME, crystal C FRAME, lantern FRAME, waterfall FRAME, bubble FRAME.
// V picks a variation (edges, texture seed); FRAME an animation phase 0..3.
#include "art_draw.h"
#include "art_recipe.h"

#include <cmath>

namespace {
const Rgba kInk{42, 28, 36, 255};
const Rgba kW{255, 255, 255, 255};

struct T {
    Image& img;
    double s;
    void r(double x, double y, double w, double h, Rgba c) const { artdraw::fillRect(img, x * s, y * s, w * s, h * s, c); }
    void e(double cx, double cy, double rx, double ry, Rgba c) const { artdraw::ellipse(img, cx * s, cy * s, rx * s, ry * s, c); }
    void l(double x0, double y0, double x1, double y1, double w, Rgba c) const { artdraw::line(img, x0 * s, y0 * s, x1 * s, y1 * s, c, w * s); }
    void p(std::vector<std::pair<double, double>> pts, Rgba c) const {
        for (auto& q : pts) q.first *= s, q.second *= s;
        artdraw::polygon(img, pts, c);
    }
    void px(int x, int y, Rgba c) const { r(x, y, 1, 1, c); }
};

// Speckles a filled tile with lighter and darker pixels.
void speckle(const T& t, Rgba base, uint32_t seed, int count) {
    ArtRng rng(seed);
    for (int k = 0; k < count; ++k) t.px(rng.range(0, 15), rng.range(0, 15), artShade(base, rng.unit() < 0.5 ? 0.8 : 1.15));
}

void bevel(const T& t, Rgba c) {
    t.r(0, 0, 16, 16, c);
    t.r(0, 0, 16, 1, artShade(c, 1.3));
    t.r(0, 0, 1, 16, artShade(c, 1.2));
    t.r(0, 15, 16, 1, artShade(c, 0.6));
    t.r(15, 0, 1, 16, artShade(c, 0.7));
}

void shapeTile(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 1, "tile KIND [ARGS]");
    T t{img, img.width() / 16.0};
    const std::string& k = a[0];
    auto arg = [&](size_t i) -> const std::string& {
        if (i >= a.size()) ctx.fail("tile " + k + " needs more values");
        return a[i];
    };
    auto C = [&](size_t i) { return ctx.colour(arg(i)); };
    auto I = [&](size_t i) { return i < a.size() ? ctx.integer(a[i]) : 0; };
    if (k == "turf") {
        Rgba g = C(1), d = C(2);
        int v = I(3);
        t.r(0, 0, 16, 16, d);
        speckle(t, d, uint32_t(v * 7 + 1), 14);
        ArtRng rng(uint32_t(v + 3));
        for (int k2 = 0; k2 < 3; ++k2) t.e(rng.range(2, 13), rng.range(8, 14), 1.2, 0.8, artShade(d, 1.25));
        t.r(0, 0, 16, 4, g);
        for (int x = 0; x < 16; ++x) t.r(x, 4, 1, (x * 5 + v) % 3 == 0 ? 2 : 1, g);
        t.r(0, 0, 16, 1, artShade(g, 1.3));
        for (int x = 1; x < 16; x += 3) t.px(x, 1, artShade(g, 1.15));
        if (v & 1) t.r(0, 0, 1, 16, artShade(d, 0.7)), t.r(0, 0, 1, 5, artShade(g, 0.8));
        if (v & 2) t.r(15, 0, 1, 16, artShade(d, 0.7)), t.r(15, 0, 1, 5, artShade(g, 0.8));
    } else if (k == "dirt") {
        Rgba d = C(1);
        t.r(0, 0, 16, 16, d);
        speckle(t, d, uint32_t(I(2) * 13 + 5), 18);
        ArtRng rng(uint32_t(I(2) + 9));
        for (int k2 = 0; k2 < 2; ++k2) t.e(rng.range(2, 13), rng.range(2, 13), 1.3, 0.9, artShade(d, 1.3));
    } else if (k == "stone") {
        Rgba c = C(1);
        int v = I(2);
        t.r(0, 0, 16, 16, artShade(c, 0.55));
        ArtRng rng(uint32_t(v * 31 + 2));
        for (int j = 0; j < 2; ++j)
            for (int i = -1; i < 2; ++i) {
                double ox = i * 8 + (j ? 4 : 0) + rng.range(0, 1);
                artdraw::roundRect(img, (ox + 0.5) * t.s, (j * 8 + 0.5) * t.s, 7 * t.s, 7 * t.s, 2 * t.s, artShade(c, 0.9 + 0.2 * rng.unit()));
                t.r(ox + 1.5, j * 8 + 1, 4, 1, artShade(c, 1.25));
            }
    } else if (k == "brick") {
        Rgba c = C(1);
        t.r(0, 0, 16, 16, artShade(c, 0.5));
        for (int j = 0; j < 4; ++j)
            for (int i = -1; i < 2; ++i) {
                double ox = i * 8 + ((j + I(2)) % 2 ? 4 : 0);
                t.r(ox + 0.5, j * 4 + 0.5, 7, 3, artShade(c, 0.92 + 0.08 * ((i + j) % 3)));
                t.r(ox + 0.5, j * 4 + 0.5, 7, 0.8, artShade(c, 1.2));
            }
    } else if (k == "planks") {
        Rgba c = C(1);
        for (int j = 0; j < 4; ++j) {
            Rgba pc = artShade(c, 0.9 + 0.07 * ((j + I(2)) % 3));
            t.r(0, j * 4, 16, 4, pc);
            t.r(0, j * 4, 16, 0.8, artShade(pc, 1.2));
            t.r(0, j * 4 + 3.2, 16, 0.8, artShade(pc, 0.6));
            t.px(((j * 5 + I(2)) % 12) + 2, j * 4 + 1, artShade(pc, 0.6));
        }
        t.px(2, 1, artShade(c, 0.4)), t.px(13, 9, artShade(c, 0.4));
    } else if (k == "bark") {
        Rgba c = C(1);
        t.r(0, 0, 16, 16, c);
        for (int i = 0; i < 16; i += 3) t.l(i + 0.5 + (I(2) % 2), 0, i + 0.5 + std::sin(i) * 1.2, 16, 1, artShade(c, 0.7));
        speckle(t, c, uint32_t(I(2) + 77), 8);
    } else if (k == "leaves") {
        Rgba c = C(1);
        ArtRng rng(uint32_t(I(2) * 5 + 11));
        t.r(0, 3, 16, 13, artShade(c, 0.65));
        for (int k2 = 0; k2 < 9; ++k2) t.e(rng.range(1, 15), rng.range(3, 14), 3, 2.2, artShade(c, 0.85 + 0.3 * rng.unit()));
        for (int x = 0; x < 16; x += 4) t.e(x + 2, 3, 2.6, 2.2, c);
        for (int k2 = 0; k2 < 5; ++k2) t.px(rng.range(1, 14), rng.range(1, 6), artShade(c, 1.35));
    } else if (k == "moss") {
        Rgba c = C(1);
        bevel(t, Rgba{120, 120, 130, 255});
        speckle(t, Rgba{120, 120, 130, 255}, uint32_t(I(2) + 3), 12);
        for (int x = 0; x < 16; ++x) t.r(x, 0, 1, 2 + ((x * 7 + I(2)) % 4), c);
    } else if (k == "backwall") {
        Rgba c = C(1);
        t.r(0, 0, 16, 16, c);
        speckle(t, c, uint32_t(I(2) * 3 + 1), 10);
        t.r(0, 15, 16, 1, artShade(c, 0.85));
        t.r(((I(2) * 5) % 16), 0, 1, 16, artShade(c, 0.88));
    } else if (k == "spikes") {
        Rgba c = C(1);
        std::string d = arg(2);
        for (int i = 0; i < 4; ++i) {
            double b0 = i * 4, b1 = b0 + 4, m = b0 + 2;
            std::vector<std::pair<double, double>> tri;
            if (d == "up") tri = {{b0, 16}, {b1, 16}, {m, 3}};
            else if (d == "down") tri = {{b0, 0}, {b1, 0}, {m, 13}};
            else if (d == "left") tri = {{16, b0}, {16, b1}, {3, m}};
            else if (d == "right") tri = {{0, b0}, {0, b1}, {13, m}};
            else ctx.fail("spikes point up, down, left or right");
            t.p(tri, c);
            auto hl = tri;
            hl[1] = {(tri[0].first + tri[1].first) / 2, (tri[0].second + tri[1].second) / 2};
            t.p(hl, artShade(c, 1.35));
        }
    } else if (k == "thorns") {
        Rgba c = C(1);
        int f = I(2);
        t.r(0, 10, 16, 6, Rgba{70, 50, 60, 255});
        for (int i = 0; i < 3; ++i) {
            double x = 2 + i * 5.5;
            t.l(x, 16, x + 1, 5, 1.5, Rgba{90, 60, 70, 255});
            t.p({{x, 9}, {x - 2.5, 7.5}, {x, 8}}, Rgba{200, 190, 200, 255});
            t.p({{x + 1, 6.5}, {x + 3.5, 5}, {x + 1, 5.5}}, Rgba{200, 190, 200, 255});
        }
        artdraw::glow(img, 8 * t.s, (6 + f * 0.5) * t.s, (4 + (f % 2)) * t.s, Rgba{c.r, c.g, c.b, 200});
        t.e(8, 6 + f * 0.5, 2.2, 2.2, c);
        t.px(7, int(5 + f * 0.5), kW);
    } else if (k == "spring") {
        int st = I(1);
        double top = st ? 8 : 3;
        t.r(2, 14, 12, 2, Rgba{90, 90, 110, 255});
        for (int i = 0; i < 4; ++i) {
            double y = 14 - (14 - top - 2) * (i + 0.5) / 4;
            t.l(3, y, 13, y - 1, 1.4, Rgba{200, 200, 215, 255});
        }
        t.r(1, top, 14, 2.5, Rgba{230, 70, 70, 255});
        t.r(1, top, 14, 0.8, Rgba{255, 150, 140, 255});
    } else if (k == "pad") {
        Rgba c = C(1);
        bevel(t, Rgba{80, 80, 100, 255});
        std::string d = arg(2);
        std::vector<std::pair<double, double>> up{{8, 3}, {13, 9}, {10, 9}, {10, 13}, {6, 13}, {6, 9}, {3, 9}};
        for (auto& q : up) {
            double x = q.first - 8, y = q.second - 8;
            if (d == "down") y = -y;
            else if (d == "left") std::swap(x, y);
            else if (d == "right") std::swap(x, y), x = -x;
            q = {8 + x, 8 + y};
        }
        t.p(up, c);
    } else if (k == "switch") {
        Rgba c = C(1);
        std::string st = arg(2);
        t.r(1, 13, 14, 3, Rgba{90, 90, 110, 255});
        double h = st == "up" ? 5 : 2;
        Rgba top = st == "used" ? Rgba{120, 120, 130, 255} : c;
        t.r(3, 13 - h, 10, h, top);
        t.r(3, 13 - h, 10, 1, artShade(top, 1.35));
        if (st != "used") t.e(8, 13 - h / 2, 1.2, std::max(0.6, h / 4), kW);
    } else if (k == "door") {  // exit: a round wooden door in a tree hollow with a glowing ring
        int f = I(1);
        t.e(8, 9, 7.5, 8, Rgba{110, 72, 40, 255});
        t.e(8, 10, 5.5, 6.5, Rgba{50, 30, 26, 255});
        artdraw::glow(img, 8 * t.s, 10 * t.s, (5 + f % 2) * t.s, Rgba{120, 255, 160, uint8_t(150 + f * 25)});
        t.r(2, 14, 12, 2, Rgba{110, 72, 40, 255});
        t.px(10, 10, Rgba{250, 220, 90, 255});
    } else if (k == "goal") {  // goal: a spinning star on a post
        int f = I(1);
        t.r(7, 8, 2, 8, Rgba{150, 110, 70, 255});
        double wd = std::fabs(std::cos(f * M_PI / 4)) * 6 + 1.5;
        artdraw::glow(img, 8 * t.s, 5 * t.s, 7 * t.s, Rgba{255, 230, 120, 160});
        t.e(8, 5, wd, 4.5, Rgba{255, 210, 60, 255});
        t.e(8, 5, wd * 0.5, 2, Rgba{255, 250, 200, 255});
    } else if (k == "flag") {
        t.r(3, 1, 1.5, 15, Rgba{200, 200, 210, 255});
        t.p({{4.5, 1.5}, {14, 4}, {4.5, 7}}, Rgba{90, 200, 110, 255});
        t.r(2, 14, 4, 2, Rgba{90, 90, 110, 255});
    } else if (k == "bars") {
        Rgba c = C(1);
        for (int x = 1; x < 16; x += 4) t.r(x, 0, 1.5, 16, c);
        t.r(0, 2, 16, 1.5, c), t.r(0, 12, 16, 1.5, c);
    } else if (k == "ghost") {
        Rgba c = C(1);
        for (int i = 0; i < 16; i += 3) t.r(i, 0, 2, 1, c), t.r(i, 15, 2, 1, c), t.r(0, i, 1, 2, c), t.r(15, i, 1, 2, c);
        t.r(1, 1, 14, 14, Rgba{c.r, c.g, c.b, 40});
    } else if (k == "gate") {
        Rgba c = C(1);
        if (arg(2) == "closed") {
            bevel(t, Rgba{100, 80, 70, 255});
            t.e(8, 8, 4.5, 4.5, c);
            t.e(8, 7, 1.5, 1.5, kInk);
            t.r(7.3, 7.5, 1.4, 3.5, kInk);
        } else {
            t.r(0, 0, 2, 16, Rgba{100, 80, 70, 255}), t.r(14, 0, 2, 16, Rgba{100, 80, 70, 255});
            t.e(8, 8, 3, 3, Rgba{c.r, c.g, c.b, 90});
        }
    } else if (k == "crate") {
        Rgba c = C(1);
        bevel(t, c);
        t.l(2, 2, 14, 14, 1.5, artShade(c, 0.7));
        t.l(14, 2, 2, 14, 1.5, artShade(c, 0.7));
        t.r(1, 1, 14, 1, artShade(c, 0.75)), t.r(1, 14, 14, 1, artShade(c, 0.75));
    } else if (k == "cracked") {
        Rgba c = C(1);
        bevel(t, c);
        speckle(t, c, uint32_t(I(2) + 41), 10);
        ArtRng rng(uint32_t(I(2) * 3 + 1));
        double x = rng.range(4, 11), y = 0;
        while (y < 16) {
            double nx = x + rng.range(-3, 3), ny = y + rng.range(2, 5);
            t.l(x, y, nx, ny, 0.9, artShade(c, 0.45));
            x = nx, y = ny;
        }
    } else if (k == "lock") {
        Rgba c = C(1);
        bevel(t, artShade(c, 0.8));
        t.r(4, 7, 8, 6, Rgba{240, 200, 70, 255});
        artdraw::ring(img, 8 * t.s, 7 * t.s, 3.2 * t.s, 1.2 * t.s, Rgba{240, 200, 70, 255});
        t.e(8, 9.5, 1, 1, kInk);
        t.r(7.6, 9.5, 0.8, 2, kInk);
    } else if (k == "current") {
        int f = I(1);
        std::string d = a.size() > 2 ? a[2] : "right";
        t.r(0, 0, 16, 16, Rgba{80, 160, 220, 70});
        for (int i = 0; i < 3; ++i) {
            double o = std::fmod(i * 5.5 + f * 1.4, 16);
            if (d == "up" || d == "down") {
                double y = d == "up" ? 16 - o : o;
                t.l(3 + i * 4, y, 3 + i * 4, y + (d == "up" ? 3 : -3), 1, Rgba{220, 250, 255, 200});
            } else {
                double x = d == "left" ? 16 - o : o;
                t.l(x, 3 + i * 4.5, x + (d == "left" ? 3 : -3), 3 + i * 4.5, 1, Rgba{220, 250, 255, 200});
            }
        }
    } else if (k == "updraft") {
        int f = I(1);
        t.r(0, 0, 16, 16, Rgba{200, 240, 255, 40});
        for (int i = 0; i < 4; ++i) {
            double y = std::fmod(16 - i * 4 - f * 1.2 + 32, 16);
            t.l(2 + i * 4 + std::sin(y * 0.6), y, 2 + i * 4 + std::sin((y - 3) * 0.6), y - 3, 1, Rgba{255, 255, 255, 170});
        }
    } else if (k == "vanish") {  // tiles 2..7: a puff that shrinks away
        int f = I(1);
        double r = 1 + f;
        uint8_t al = uint8_t(60 + f * 30);
        for (int i = 0; i < 5; ++i) {
            double ang = i * 1.256;
            t.e(8 + std::cos(ang) * r, 8 + std::sin(ang) * r, 1 + f * 0.35, 1 + f * 0.35, Rgba{255, 255, 240, al});
        }
    } else if (k == "barrier") {
        Rgba c = C(1);
        t.r(0, 0, 16, 16, Rgba{c.r, c.g, c.b, 90});
        for (int i = -16; i < 16; i += 4) t.l(i, 16, i + 16, 0, 1, Rgba{c.r, c.g, c.b, 200});
        t.r(0, 0, 16, 1, c), t.r(0, 15, 16, 1, c);
    } else if (k == "glowspot") {
        Rgba c = C(1);
        int f = I(2);
        artdraw::glow(img, 8 * t.s, 10 * t.s, (5 + f) * t.s, Rgba{c.r, c.g, c.b, 220});
        t.e(8, 14, 6, 1.5, artShade(c, 0.7));
        t.px(4 + f * 2, 11 - f, kW);
    } else if (k == "crystal") {
        Rgba c = C(1);
        int f = I(2);
        bevel(t, Rgba{70, 60, 90, 255});
        t.p({{8, 2}, {12, 8}, {8, 14}, {4, 8}}, c);
        t.p({{8, 2}, {12, 8}, {8, 8}}, artShade(c, 1.3));
        artdraw::glow(img, 8 * t.s, 8 * t.s, (4 + f) * t.s, Rgba{c.r, c.g, c.b, 120});
    } else if (k == "lantern") {
        int f = I(1);
        t.l(8, 0, 8, 4, 1, Rgba{90, 70, 60, 255});
        artdraw::glow(img, 8 * t.s, 9 * t.s, (6 + (f % 2)) * t.s, Rgba{255, 200, 90, 150});
        t.r(5, 4, 6, 9, Rgba{120, 80, 50, 255});
        t.r(6, 5, 4, 7, Rgba{255, uint8_t(220 - f * 10), 120, 255});
        t.r(4.5, 3.5, 7, 1.2, Rgba{90, 60, 40, 255}), t.r(4.5, 12.5, 7, 1.2, Rgba{90, 60, 40, 255});
    } else if (k == "waterfall") {
        int f = I(1);
        t.r(0, 0, 16, 16, Rgba{90, 170, 230, 200});
        for (int i = 0; i < 5; ++i) {
            double y = std::fmod(i * 3.7 + f * 4, 16);
            t.r((i * 7) % 14, y, 2, 3, Rgba{230, 250, 255, 220});
        }
    } else if (k == "bubble") {
        int f = I(1);
        t.r(0, 0, 16, 16, Rgba{120, 200, 255, 40});
        artdraw::ring(img, 8 * t.s, (9 - f * 0.5) * t.s, (5 + (f % 2) * 0.5) * t.s, t.s, Rgba{220, 250, 255, 230});
        t.e(6, 7 - f * 0.5, 1.2, 1, kW);
    } else
        ctx.fail("unknown tile '" + k + "'");
}

ArtShape regTile("tile", "KIND [ARGS]", shapeTile);
} // namespace

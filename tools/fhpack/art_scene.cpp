// Scenery shapes for drawn pictures: trees, pines, ferns, mushrooms, hills, grass,
// clouds, light and water. Each registers itself as a recipe command.
#include "art_draw.h"
#include "art_recipe.h"

#include <cmath>

namespace {
using P = std::vector<std::pair<double, double>>;

// tree X Y HEIGHT TRUNK LEAF [LEAF_DARK]: a round-crowned broadleaf tree standing at (X, Y).
void shapeTree(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 5, "tree X Y HEIGHT TRUNK LEAF [LEAF_DARK]");
    double x = ctx.num(a[0]), y = ctx.num(a[1]), h = ctx.num(a[2]);
    Rgba trunk = ctx.colour(a[3]), leaf = ctx.colour(a[4]);
    Rgba dark = a.size() > 5 ? ctx.colour(a[5]) : artShade(leaf, 0.6);
    double tw = h * 0.09;
    artdraw::polygon(img, P{{x - tw * 1.4, y}, {x - tw * 0.6, y - h * 0.55}, {x + tw * 0.6, y - h * 0.55}, {x + tw * 1.4, y}}, trunk);
    artdraw::line(img, x, y - h * 0.45, x - h * 0.18, y - h * 0.7, trunk, tw * 0.8);
    artdraw::line(img, x, y - h * 0.5, x + h * 0.2, y - h * 0.72, trunk, tw * 0.8);
    artdraw::polygon(img, P{{x - tw * 0.2, y}, {x + tw * 0.2, y - h * 0.5}, {x + tw * 0.6, y - h * 0.5}, {x + tw * 1.4, y}}, artShade(trunk, 0.7));
    ArtRng rng(ctx.seed++);
    double cy = y - h * 0.7, r = h * 0.3;
    for (int k = 0; k < 9; ++k) {
        double ang = k * 0.7 + rng.unit();
        double d = r * 0.55 * rng.unit();
        artdraw::ellipse(img, x + std::cos(ang) * d * 1.3, cy + std::sin(ang) * d * 0.8 + r * 0.15, r * (0.55 + 0.2 * rng.unit()),
                         r * (0.5 + 0.15 * rng.unit()), dark);
    }
    for (int k = 0; k < 7; ++k) {
        double ang = k * 0.9 + rng.unit();
        double d = r * 0.45 * rng.unit();
        artdraw::ellipse(img, x + std::cos(ang) * d * 1.2 - r * 0.1, cy + std::sin(ang) * d * 0.7 - r * 0.1, r * (0.45 + 0.15 * rng.unit()),
                         r * (0.4 + 0.1 * rng.unit()), leaf);
    }
    Rgba hi = artShade(leaf, 1.25);
    for (int k = 0; k < 5; ++k)
        artdraw::ellipse(img, x - r * 0.35 + rng.unit() * r * 0.4, cy - r * 0.45 + rng.unit() * r * 0.3, r * 0.18, r * 0.12, hi);
}

// pine X Y HEIGHT COLOUR [TRUNK]: layered conifer.
void shapePine(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 4, "pine X Y HEIGHT COLOUR [TRUNK]");
    double x = ctx.num(a[0]), y = ctx.num(a[1]), h = ctx.num(a[2]);
    Rgba c = ctx.colour(a[3]);
    Rgba trunk = a.size() > 4 ? ctx.colour(a[4]) : artShade(c, 0.5);
    artdraw::fillRect(img, x - h * 0.04, y - h * 0.2, h * 0.08, h * 0.2, trunk);
    for (int k = 0; k < 4; ++k) {
        double top = y - h + k * h * 0.18, bot = y - h * 0.12 - (3 - k) * h * 0.12;
        double half = h * (0.14 + 0.08 * k);
        artdraw::polygon(img, P{{x, top}, {x + half, bot}, {x - half, bot}}, c);
        artdraw::polygon(img, P{{x, top}, {x + half, bot}, {x + half * 0.2, bot}}, artShade(c, 0.75));
    }
}

// fern X Y SIZE COLOUR [MIRROR]: a curling frond growing up from (X, Y).
void shapeFern(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 4, "fern X Y SIZE COLOUR [mirror]");
    double x = ctx.num(a[0]), y = ctx.num(a[1]), s = ctx.num(a[2]);
    Rgba c = ctx.colour(a[3]);
    double dir = (a.size() > 4 && a[4] == "mirror") ? -1 : 1;
    double px = x, py = y;
    const int steps = 14;
    for (int k = 0; k < steps; ++k) {
        double t = double(k) / steps;
        double ang = -M_PI / 2 + dir * t * t * 1.6;
        double nx = px + std::cos(ang) * s / steps, ny = py + std::sin(ang) * s / steps;
        artdraw::line(img, px, py, nx, ny, c, std::max(1.0, s * 0.035 * (1 - t)));
        double leaf = s * 0.28 * (1 - t) * (0.6 + 0.4 * std::sin(t * M_PI));
        for (int side : {-1, 1}) {
            double la = ang + side * 1.1;
            artdraw::line(img, nx, ny, nx + std::cos(la) * leaf, ny + std::sin(la) * leaf, k % 2 ? c : artShade(c, 1.15),
                          std::max(1.0, s * 0.05 * (1 - t)));
        }
        px = nx, py = ny;
    }
}

// mushroom X Y SIZE CAP STEM: a spotted toadstool standing at (X, Y).
void shapeMushroom(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 5, "mushroom X Y SIZE CAP STEM");
    double x = ctx.num(a[0]), y = ctx.num(a[1]), s = ctx.num(a[2]);
    Rgba cap = ctx.colour(a[3]), stem = ctx.colour(a[4]);
    artdraw::roundRect(img, x - s * 0.18, y - s * 0.6, s * 0.36, s * 0.6, s * 0.1, stem);
    artdraw::fillRect(img, x + s * 0.04, y - s * 0.55, s * 0.12, s * 0.5, artShade(stem, 0.82));
    Image capImg(img.width(), img.height());
    artdraw::ellipse(capImg, x, y - s * 0.6, s * 0.5, s * 0.38, cap);
    for (int j = 0; j < img.height(); ++j)
        for (int i = 0; i < img.width(); ++i)
            if (j > y - s * 0.55) capImg.set(i, j, Rgba{});
    artdraw::ellipse(capImg, x + s * 0.15, y - s * 0.72, s * 0.3, s * 0.18, Rgba{0, 0, 0, 0});
    img.draw(capImg, 0, 0);
    artdraw::ellipse(img, x - s * 0.22, y - s * 0.8, s * 0.09, s * 0.07, Rgba{255, 246, 230, 255});
    artdraw::ellipse(img, x + s * 0.12, y - s * 0.86, s * 0.07, s * 0.05, Rgba{255, 246, 230, 255});
    artdraw::ellipse(img, x + s * 0.3, y - s * 0.66, s * 0.06, s * 0.05, Rgba{255, 246, 230, 255});
    artdraw::ellipse(img, x - s * 0.05, y - s * 0.68, s * 0.05, s * 0.04, Rgba{255, 246, 230, 255});
}

// hills BASEY AMPLITUDE PERIOD COLOUR [PHASE]: a rolling silhouette filled to the bottom.
void shapeHills(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 4, "hills BASEY AMPLITUDE PERIOD COLOUR [PHASE]");
    double base = ctx.num(a[0]), amp = ctx.num(a[1]), per = ctx.num(a[2]);
    Rgba c = ctx.colour(a[3]);
    double ph = a.size() > 4 ? ctx.num(a[4]) : 0;
    for (int i = 0; i < img.width(); ++i) {
        double t = (i + ph) / per * 2 * M_PI;
        double top = base - amp * (0.6 * std::sin(t) + 0.3 * std::sin(t * 2 + 1.7) + 0.1 * std::sin(t * 5 + 0.3));
        for (int j = int(std::floor(top)); j < img.height(); ++j) img.blend(i, j, c);
    }
}

// grass Y HEIGHT COLOUR [DENSITY]: blades along the whole width, rooted at Y.
void shapeGrass(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 3, "grass Y HEIGHT COLOUR [DENSITY]");
    double y = ctx.num(a[0]), h = ctx.num(a[1]);
    Rgba c = ctx.colour(a[2]);
    double density = a.size() > 3 ? ctx.num(a[3]) : 0.5;
    ArtRng rng(ctx.seed++);
    for (int i = 0; i < img.width(); ++i) {
        if (rng.unit() > density) continue;
        double hh = h * (0.4 + 0.6 * rng.unit());
        double lean = (rng.unit() - 0.5) * h * 0.6;
        artdraw::line(img, i + 0.5, y, i + 0.5 + lean, y - hh, rng.unit() < 0.3 ? artShade(c, 1.2) : c);
    }
}

// stars X Y W H COUNT COLOUR: scattered twinkles.
void shapeStars(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 6, "stars X Y W H COUNT COLOUR");
    double x = ctx.num(a[0]), y = ctx.num(a[1]), w = ctx.num(a[2]), h = ctx.num(a[3]);
    int n = ctx.integer(a[4]);
    Rgba c = ctx.colour(a[5]);
    ArtRng rng(ctx.seed++);
    for (int k = 0; k < n; ++k) {
        double sx = x + rng.unit() * w, sy = y + rng.unit() * h;
        if (rng.unit() < 0.15)
            artdraw::sparkle(img, sx, sy, 2.5 + rng.unit() * 1.5, c);
        else
            img.blend(int(sx), int(sy), Rgba{c.r, c.g, c.b, uint8_t(c.a * (0.4 + 0.6 * rng.unit()))});
    }
}

// fireflies X Y W H COUNT COLOUR: soft glowing dots.
void shapeFireflies(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 6, "fireflies X Y W H COUNT COLOUR");
    double x = ctx.num(a[0]), y = ctx.num(a[1]), w = ctx.num(a[2]), h = ctx.num(a[3]);
    int n = ctx.integer(a[4]);
    Rgba c = ctx.colour(a[5]);
    ArtRng rng(ctx.seed++);
    for (int k = 0; k < n; ++k) {
        double sx = x + rng.unit() * w, sy = y + rng.unit() * h;
        artdraw::glow(img, sx, sy, 4 + rng.unit() * 3, Rgba{c.r, c.g, c.b, uint8_t(c.a * 0.7)});
        img.blend(int(sx), int(sy), Rgba{255, 255, 230, 255});
    }
}

// cloud CX CY WIDTH COLOUR
void shapeCloud(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 4, "cloud CX CY WIDTH COLOUR");
    double x = ctx.num(a[0]), y = ctx.num(a[1]), w = ctx.num(a[2]);
    Rgba c = ctx.colour(a[3]);
    Rgba under = artShade(c, 0.85);
    artdraw::ellipse(img, x, y + w * 0.05, w * 0.5, w * 0.12, under);
    artdraw::ellipse(img, x - w * 0.22, y, w * 0.2, w * 0.13, c);
    artdraw::ellipse(img, x + w * 0.02, y - w * 0.06, w * 0.22, w * 0.18, c);
    artdraw::ellipse(img, x + w * 0.25, y, w * 0.18, w * 0.12, c);
    artdraw::fillRect(img, x - w * 0.42, y, w * 0.84, w * 0.06, c);
}

// moon CX CY R COLOUR: a crescent-lit moon with a halo.
void shapeMoon(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 4, "moon CX CY R COLOUR");
    double x = ctx.num(a[0]), y = ctx.num(a[1]), r = ctx.num(a[2]);
    Rgba c = ctx.colour(a[3]);
    artdraw::glow(img, x, y, r * 3, Rgba{c.r, c.g, c.b, 70});
    artdraw::ellipse(img, x, y, r, r, c);
    artdraw::ellipse(img, x + r * 0.3, y - r * 0.2, r * 0.22, r * 0.18, artShade(c, 0.9));
    artdraw::ellipse(img, x - r * 0.35, y + r * 0.3, r * 0.15, r * 0.12, artShade(c, 0.9));
}

// shafts X Y W H COUNT COLOUR: slanted beams of light falling through the canopy.
void shapeShafts(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 6, "shafts X Y W H COUNT COLOUR");
    double x = ctx.num(a[0]), y = ctx.num(a[1]), w = ctx.num(a[2]), h = ctx.num(a[3]);
    int n = ctx.integer(a[4]);
    Rgba c = ctx.colour(a[5]);
    ArtRng rng(ctx.seed++);
    for (int k = 0; k < n; ++k) {
        double sx = x + rng.unit() * w, bw = 6 + rng.unit() * 14;
        for (int j = 0; j < int(h); ++j) {
            double fade = 1 - double(j) / h;
            Rgba cc{c.r, c.g, c.b, uint8_t(c.a * fade)};
            double off = j * 0.45;
            for (int i = 0; i < int(bw); ++i) img.add(int(sx + off + i), int(y + j), cc);
        }
    }
}

// water Y COLOUR COLOUR_DEEP: a water body from Y down with ripple lines.
void shapeWater(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 3, "water Y COLOUR COLOUR_DEEP");
    double y = ctx.num(a[0]);
    Rgba c = ctx.colour(a[1]), deep = ctx.colour(a[2]);
    artdraw::vgrad(img, 0, y, img.width(), img.height() - y, {c, deep});
    ArtRng rng(ctx.seed++);
    for (int k = 0; k < img.width() / 6; ++k) {
        double wx = rng.unit() * img.width(), wy = y + 2 + rng.unit() * (img.height() - y) * 0.6;
        double len = 4 + rng.unit() * 10;
        artdraw::line(img, wx, wy, wx + len, wy, Rgba{255, 255, 255, uint8_t(60 + 60 * rng.unit())});
    }
    artdraw::line(img, 0, y, img.width(), y, Rgba{220, 250, 255, 200});
}

// flower X Y SIZE PETAL CENTRE: a five-petal flower on a short stem.
void shapeFlower(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 5, "flower X Y SIZE PETAL CENTRE");
    double x = ctx.num(a[0]), y = ctx.num(a[1]), s = ctx.num(a[2]);
    Rgba p = ctx.colour(a[3]), c = ctx.colour(a[4]);
    artdraw::line(img, x, y, x, y - s, Rgba{70, 140, 60, 255}, std::max(1.0, s * 0.12));
    for (int k = 0; k < 5; ++k) {
        double ang = k * 2 * M_PI / 5 - M_PI / 2;
        artdraw::ellipse(img, x + std::cos(ang) * s * 0.32, y - s + std::sin(ang) * s * 0.32, s * 0.25, s * 0.25, p);
    }
    artdraw::ellipse(img, x, y - s, s * 0.18, s * 0.18, c);
}

// bush X Y SIZE COLOUR: a round shrub sitting on Y.
void shapeBush(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 4, "bush X Y SIZE COLOUR");
    double x = ctx.num(a[0]), y = ctx.num(a[1]), s = ctx.num(a[2]);
    Rgba c = ctx.colour(a[3]);
    artdraw::ellipse(img, x - s * 0.35, y - s * 0.3, s * 0.4, s * 0.32, artShade(c, 0.8));
    artdraw::ellipse(img, x + s * 0.35, y - s * 0.28, s * 0.38, s * 0.3, artShade(c, 0.8));
    artdraw::ellipse(img, x, y - s * 0.45, s * 0.45, s * 0.42, c);
    artdraw::ellipse(img, x - s * 0.15, y - s * 0.62, s * 0.18, s * 0.12, artShade(c, 1.25));
    artdraw::fillRect(img, x - s * 0.75, y - s * 0.1, s * 1.5, s * 0.1, artShade(c, 0.7));
}

// vines X Y LENGTH COLOUR: a hanging vine with leaves.
void shapeVine(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 4, "vine X Y LENGTH COLOUR");
    double x = ctx.num(a[0]), y = ctx.num(a[1]), len = ctx.num(a[2]);
    Rgba c = ctx.colour(a[3]);
    double px = x, py = y;
    for (int k = 1; k <= int(len / 3); ++k) {
        double ny = y + k * 3, nx = x + std::sin(k * 0.5) * 3;
        artdraw::line(img, px, py, nx, ny, artShade(c, 0.8));
        if (k % 3 == 0) artdraw::ellipse(img, nx + ((k / 3) % 2 ? 2.5 : -2.5), ny, 2.2, 1.4, c);
        px = nx, py = ny;
    }
}

ArtShape regTree("tree", "X Y HEIGHT TRUNK LEAF [LEAF_DARK]", shapeTree);
ArtShape regPine("pine", "X Y HEIGHT COLOUR [TRUNK]", shapePine);
ArtShape regFern("fern", "X Y SIZE COLOUR [mirror]", shapeFern);
ArtShape regMushroom("mushroom", "X Y SIZE CAP STEM", shapeMushroom);
ArtShape regHills("hills", "BASEY AMPLITUDE PERIOD COLOUR [PHASE]", shapeHills);
ArtShape regGrass("grass", "Y HEIGHT COLOUR [DENSITY]", shapeGrass);
ArtShape regStars("stars", "X Y W H COUNT COLOUR", shapeStars);
ArtShape regFireflies("fireflies", "X Y W H COUNT COLOUR", shapeFireflies);
ArtShape regCloud("cloud", "CX CY WIDTH COLOUR", shapeCloud);
ArtShape regMoon("moon", "CX CY R COLOUR", shapeMoon);
ArtShape regShafts("shafts", "X Y W H COUNT COLOUR", shapeShafts);
ArtShape regWater("water", "Y COLOUR COLOUR_DEEP", shapeWater);
ArtShape regFlower("flower", "X Y SIZE PETAL CENTRE", shapeFlower);
ArtShape regBush("bush", "X Y SIZE COLOUR", shapeBush);
ArtShape regVine("vine", "X Y LENGTH COLOUR", shapeVine);
} // namespace

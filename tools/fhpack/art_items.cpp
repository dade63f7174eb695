// Item and interface icons, drawn in a 16-unit box scaled to the cell and outlined:
//
//   icon NAME [ARGS] [X Y SIZE]
//
// NAME: coin FRAME gold|silver, key COLOUR, masterkey, chip, clock, hourglass, skull,
// pen, gem COLOUR, cup COLOUR, pouch, gift COLOUR, crown, fruit KIND, star COLOUR, heart,
// bomb, leaf, acorn, seedpod, berry, bolt, cat, arrow up|down|left|right, relic K,
// burst FRAME COLOUR, bubble, ring COLOUR, blank.
#include "art_draw.h"
#include "art_recipe.h"

#include <cctype>
#include <cmath>

namespace {
const Rgba kOutline{42, 28, 36, 255};
const Rgba kW{255, 255, 255, 255};

struct Box {
    Image& img;
    double x, y, s;  // origin and scale of the 16-unit box
    void e(double cx, double cy, double rx, double ry, Rgba c) const { artdraw::ellipse(img, x + cx * s, y + cy * s, rx * s, ry * s, c); }
    void r(double rx, double ry, double w, double h, Rgba c) const { artdraw::fillRect(img, x + rx * s, y + ry * s, w * s, h * s, c); }
    void rr(double rx, double ry, double w, double h, double rad, Rgba c) const {
        artdraw::roundRect(img, x + rx * s, y + ry * s, w * s, h * s, rad * s, c);
    }
    void l(double x0, double y0, double x1, double y1, double w, Rgba c) const {
        artdraw::line(img, x + x0 * s, y + y0 * s, x + x1 * s, y + y1 * s, c, w * s);
    }
    void p(std::vector<std::pair<double, double>> pts, Rgba c) const {
        for (auto& q : pts) q.first = x + q.first * s, q.second = y + q.second * s;
        artdraw::polygon(img, pts, c);
    }
    void star(double cx, double cy, double rad, double inner, Rgba c) const { artdraw::star(img, x + cx * s, y + cy * s, rad * s, inner * s, 5, c); }
};

Rgba hue(int k) {
    static const Rgba t[] = {{230, 70, 70, 255},  {90, 190, 80, 255},  {80, 130, 230, 255}, {240, 200, 60, 255},
                             {190, 90, 210, 255}, {80, 200, 200, 255}, {240, 140, 60, 255}, {240, 130, 170, 255}};
    return t[((k % 8) + 8) % 8];
}

Rgba namedOr(const RecipeContext& ctx, const std::string& w) {
    if (w == "red") return hue(0);
    if (w == "green") return hue(1);
    if (w == "blue") return hue(2);
    if (w == "gold" || w == "yellow") return hue(3);
    if (w == "purple") return hue(4);
    if (w == "cyan") return hue(5);
    if (w == "orange") return hue(6);
    if (w == "pink") return hue(7);
    if (w == "silver") return Rgba{200, 210, 222, 255};
    if (!w.empty() && std::isdigit(static_cast<unsigned char>(w[0]))) return hue(ctx.integer(w));  // a palette index
    return ctx.colour(w);
}

void coin(const Box& b, int frame, bool gold) {
    Rgba c = gold ? Rgba{248, 200, 56, 255} : Rgba{196, 206, 220, 255};
    Rgba d = artShade(c, 0.7);
    double wfac[] = {1, 0.7, 0.25, 0.7};
    double rx = 6 * wfac[frame & 3];
    b.e(8, 8, std::max(rx, 1.2), 6.5, d);
    b.e(8 - (frame == 1 ? 0.5 : frame == 3 ? -0.5 : 0), 8, std::max(rx - 1, 0.8), 5.5, c);
    if ((frame & 3) != 2) {
        b.r(8 - 0.5, 5, 1.1, 6, artShade(c, 1.3));
        b.e(8 - rx * 0.45, 5.5, std::max(rx * 0.2, 0.5), 1.2, kW);
    }
}

void key(const Box& b, Rgba c) {
    b.e(5, 6, 3.5, 3.5, c);
    b.e(5, 6, 1.4, 1.4, Rgba{});
    b.r(7.5, 5, 7, 2.2, c);
    b.r(11.5, 7, 1.6, 3, c);
    b.r(13.5, 7, 1.4, 2.2, c);
    b.e(4, 4.6, 1, 0.8, artShade(c, 1.4));
}

void drawIcon(Box b, RecipeContext& ctx, const std::string& name, const std::vector<std::string>& a, size_t& used) {
    auto arg = [&](size_t k) -> const std::string& {
        if (k >= a.size()) ctx.fail("icon " + name + " needs more values");
        used = std::max(used, k + 1);
        return a[k];
    };
    if (name == "coin") {
        coin(b, ctx.integer(arg(1)), arg(2) == "gold");
    } else if (name == "key") {
        key(b, namedOr(ctx, arg(1)));
    } else if (name == "masterkey") {
        key(b, Rgba{250, 214, 80, 255});
        b.star(5, 6, 2.4, 1.0, kW);
    } else if (name == "chip") {
        b.rr(3, 3, 10, 10, 1.5, Rgba{60, 70, 90, 255});
        for (int k = 0; k < 4; ++k) b.r(1.5, 4 + k * 2.4, 1.5, 1, Rgba{220, 200, 120, 255}), b.r(13, 4 + k * 2.4, 1.5, 1, Rgba{220, 200, 120, 255});
        b.r(5.5, 5.5, 5, 5, Rgba{120, 220, 140, 255});
        b.r(6.5, 6.5, 1.5, 1.5, kW);
    } else if (name == "clock") {
        b.e(8, 8.5, 6.5, 6.5, Rgba{120, 190, 240, 255});
        b.e(8, 8.5, 5, 5, kW);
        b.l(8, 8.5, 8, 5, 1.2, kOutline);
        b.l(8, 8.5, 10.5, 9.5, 1.2, kOutline);
        b.r(6.5, 0.8, 3, 1.6, Rgba{120, 190, 240, 255});
    } else if (name == "hourglass") {
        b.r(3, 1.5, 10, 2, Rgba{150, 100, 60, 255});
        b.r(3, 12.5, 10, 2, Rgba{150, 100, 60, 255});
        b.p({{4.5, 3.5}, {11.5, 3.5}, {8.8, 8}, {11.5, 12.5}, {4.5, 12.5}, {7.2, 8}}, Rgba{200, 230, 250, 255});
        b.p({{6, 10.5}, {10, 10.5}, {11, 12.5}, {5, 12.5}}, Rgba{240, 200, 90, 255});
    } else if (name == "skull") {
        b.e(8, 7, 5.5, 5, Rgba{236, 232, 220, 255});
        b.r(5, 10, 6, 3.5, Rgba{236, 232, 220, 255});
        b.e(6, 7, 1.4, 1.6, kOutline);
        b.e(10, 7, 1.4, 1.6, kOutline);
        b.r(6.5, 11.5, 0.8, 2, kOutline), b.r(8.8, 11.5, 0.8, 2, kOutline);
    } else if (name == "pen") {
        b.l(3, 13, 12, 4, 3, Rgba{90, 120, 220, 255});
        b.l(12, 4, 13.5, 2.5, 3, Rgba{240, 200, 70, 255});
        b.p({{1.5, 14.5}, {2.2, 11.8}, {4.2, 13.8}}, Rgba{60, 50, 50, 255});
    } else if (name == "gem") {
        Rgba c = namedOr(ctx, arg(1));
        b.p({{4, 2.5}, {12, 2.5}, {15, 6.5}, {8, 14.5}, {1, 6.5}}, artShade(c, 0.75));
        b.p({{5, 3.5}, {11, 3.5}, {13, 6.5}, {8, 12.5}, {3, 6.5}}, c);
        b.p({{5, 3.5}, {8, 3.5}, {6.5, 6.5}, {3, 6.5}}, artShade(c, 1.5));
    } else if (name == "cup") {
        Rgba c = namedOr(ctx, arg(1));
        b.rr(3, 5, 8, 9, 2, c);
        b.e(12, 8.5, 2.4, 2.4, c);
        b.e(12, 8.5, 1.1, 1.1, Rgba{});
        b.e(7, 5.5, 3.6, 1.2, Rgba{110, 60, 30, 255});
        b.l(5.5, 3.5, 6.5, 1, 0.8, Rgba{255, 255, 255, 160}), b.l(8.5, 3.5, 9.5, 1, 0.8, Rgba{255, 255, 255, 160});
    } else if (name == "pouch") {
        Rgba c{170, 110, 60, 255};
        b.e(8, 10, 5.5, 4.8, c);
        b.p({{5, 6}, {11, 6}, {9.5, 3}, {6.5, 3}}, c);
        b.r(5, 5.5, 6, 1.2, Rgba{230, 190, 70, 255});
        b.e(8, 10.5, 2, 2, Rgba{248, 200, 56, 255});
    } else if (name == "gift") {
        Rgba c = namedOr(ctx, arg(1));
        b.r(2.5, 6, 11, 8.5, c);
        b.r(2, 4.5, 12, 2.5, artShade(c, 1.15));
        b.r(7, 4.5, 2, 10, Rgba{250, 230, 120, 255});
        b.e(6, 3.5, 2.2, 1.4, Rgba{250, 230, 120, 255}), b.e(10, 3.5, 2.2, 1.4, Rgba{250, 230, 120, 255});
    } else if (name == "crown") {
        b.p({{2, 12}, {2, 5}, {5, 8.5}, {8, 3}, {11, 8.5}, {14, 5}, {14, 12}}, Rgba{248, 200, 56, 255});
        b.r(2, 11, 12, 2.5, Rgba{220, 160, 40, 255});
        b.e(8, 9.5, 1.2, 1.2, hue(0));
    } else if (name == "fruit") {
        int k = ctx.integer(arg(1));
        Rgba c = hue(k + (k / 8) * 3);
        switch (k % 8) {
        case 0:  // apple
            b.e(8, 9.5, 5.5, 5, c), b.l(8, 5, 9, 2, 1.2, Rgba{110, 70, 40, 255}), b.e(10.5, 3.5, 2, 1, hue(1));
            break;
        case 1:  // pear
            b.e(8, 11, 4.8, 4, c), b.e(8, 6.5, 3, 3.2, c), b.l(8, 3.5, 8.5, 1.5, 1, Rgba{110, 70, 40, 255});
            break;
        case 2:  // blueberries
            b.e(5.5, 10, 3, 3, c), b.e(10.5, 10, 3, 3, c), b.e(8, 6, 3, 3, c);
            break;
        case 3:  // lemon / honey bun
            b.e(8, 9, 6, 4.5, c), b.e(8, 8, 3.5, 2, artShade(c, 1.2));
            break;
        case 4:  // grapes
            for (int i = 0; i < 6; ++i) b.e(5.5 + (i % 3) * 2.5 + (i >= 3) * 1.2, 6 + (i / 3) * 3, 1.8, 1.8, c);
            b.e(8, 12.5, 1.8, 1.8, c);
            break;
        case 5:  // mint drop
            b.e(8, 8.5, 5, 5, c), b.l(5, 8.5, 11, 8.5, 1, kW);
            break;
        case 6:  // carrot
            b.p({{5, 4}, {11, 4}, {8, 15}}, c), b.l(8, 4, 6, 1, 1.5, hue(1)), b.l(8, 4, 10, 1, 1.5, hue(1));
            break;
        default:  // strawberry
            b.p({{3, 6}, {13, 6}, {8, 15}}, hue(0)), b.e(8, 6.5, 5, 2.5, hue(0)), b.r(5.5, 3.5, 5, 2, hue(1));
            b.r(6, 9, 0.8, 0.8, kW), b.r(9.5, 10, 0.8, 0.8, kW), b.r(7.8, 12, 0.8, 0.8, kW);
            break;
        }
        if (k >= 8) b.e(5.5, 7, 1.2, 1, Rgba{255, 255, 255, 180});
    } else if (name == "star") {
        Rgba c = namedOr(ctx, arg(1));
        b.star(8, 8.5, 7.5, 3.2, c);
        b.star(7.3, 7.8, 3.2, 1.4, artShade(c, 1.35));
    } else if (name == "heart") {
        b.e(5.5, 6.5, 3.5, 3.5, hue(0)), b.e(10.5, 6.5, 3.5, 3.5, hue(0)), b.p({{2.2, 7.5}, {13.8, 7.5}, {8, 14}}, hue(0));
        b.e(4.5, 5.5, 1, 1, kW);
    } else if (name == "bomb") {
        b.e(8, 9.5, 5.5, 5.5, Rgba{150, 50, 130, 255});
        b.l(10, 4.5, 12, 2, 1.2, Rgba{120, 90, 60, 255});
        b.star(12.5, 1.8, 2, 0.8, Rgba{255, 220, 80, 255});
        b.e(6, 7.5, 1.3, 1.3, Rgba{255, 255, 255, 200});
    } else if (name == "leaf") {
        b.p({{2, 13}, {5, 5}, {13, 2}, {11, 10}}, Rgba{96, 190, 80, 255});
        b.l(2, 13, 11.5, 4, 0.9, Rgba{50, 120, 50, 255});
    } else if (name == "acorn") {
        b.e(8, 10, 4.5, 5, Rgba{190, 124, 58, 255});
        b.e(8, 6, 5.5, 2.8, Rgba{120, 78, 40, 255});
        b.l(8, 3.5, 9, 1.5, 1.2, Rgba{90, 60, 30, 255});
        b.e(6.5, 9.5, 1, 1.6, Rgba{240, 190, 120, 255});
    } else if (name == "seedpod") {
        b.e(8, 8, 5.5, 5.5, Rgba{120, 170, 220, 255});
        b.l(3.5, 8, 12.5, 8, 1, Rgba{70, 110, 170, 255});
        b.e(6, 5.5, 1.3, 1.3, kW);
    } else if (name == "berry") {
        b.e(8, 9, 5.5, 5.5, Rgba{150, 50, 130, 255});
        b.e(8, 3.5, 2.5, 1.2, hue(1));
        b.e(6, 7, 1.2, 1.2, kW);
    } else if (name == "bolt") {
        b.p({{9, 1}, {3, 9}, {7.5, 9}, {6, 15}, {13, 6}, {8.5, 6}, {10.5, 1}}, Rgba{255, 220, 70, 255});
    } else if (name == "cat") {  // a beckoning lucky cat
        b.e(8, 11, 5, 4, kW);
        b.e(8, 6, 4.5, 4, kW);
        b.p({{4, 4}, {4.5, 0.8}, {6.5, 3}}, kW), b.p({{12, 4}, {11.5, 0.8}, {9.5, 3}}, kW);
        b.e(12.5, 7, 1.5, 2.5, kW);
        b.r(6, 6, 0.9, 0.9, kOutline), b.r(9.5, 6, 0.9, 0.9, kOutline);
        b.e(8, 9.5, 2, 1, hue(0));
        b.e(8, 12, 1.5, 1.5, Rgba{248, 200, 56, 255});
    } else if (name == "arrow") {
        const std::string& d = arg(1);
        std::vector<std::pair<double, double>> up{{8, 2}, {14, 9}, {10.5, 9}, {10.5, 14}, {5.5, 14}, {5.5, 9}, {2, 9}};
        for (auto& q : up) {
            double px = q.first - 8, py = q.second - 8;
            if (d == "down") py = -py;
            else if (d == "left") std::swap(px, py);
            else if (d == "right") std::swap(px, py), px = -px;
            else if (d != "up") ctx.fail("arrow direction is up, down, left or right");
            q = {8 + px, 8 + py};
        }
        b.p(up, Rgba{255, 240, 120, 255});
    } else if (name == "relic") {  // ten chapter relics
        int k = ctx.integer(arg(1));
        Rgba c = hue(k);
        switch (k % 5) {
        case 0:  // lantern
            b.r(5, 4, 6, 9, c), b.r(6, 5, 4, 7, Rgba{255, 240, 160, 255}), b.r(4, 3, 8, 1.5, kOutline), b.r(4, 12.5, 8, 1.5, kOutline), b.l(8, 3, 8, 1, 1, kOutline);
            break;
        case 1:  // feather
            b.p({{3, 14}, {6, 6}, {12, 1.5}, {10, 8}}, c), b.l(3, 14, 11, 3, 0.8, kW);
            break;
        case 2:  // compass
            b.e(8, 8, 6, 6, c), b.e(8, 8, 4.6, 4.6, kW), b.p({{8, 4}, {9.2, 8}, {8, 12}, {6.8, 8}}, hue(0));
            break;
        case 3:  // seed of light
            b.e(8, 9, 4.5, 5.5, c), b.e(7, 7.5, 1.5, 2.5, artShade(c, 1.5)), b.l(8, 3.5, 10, 1, 1, hue(1));
            break;
        default:  // shell
            b.p({{8, 2}, {14, 12}, {2, 12}}, c), b.l(8, 2, 5, 12, 0.8, artShade(c, 0.7)), b.l(8, 2, 11, 12, 0.8, artShade(c, 0.7)), b.r(3, 12, 10, 2, artShade(c, 0.8));
            break;
        }
        if (k >= 5) b.star(12.5, 3.5, 2.2, 0.9, kW);
    } else if (name == "burst") {
        int f = ctx.integer(arg(1));
        Rgba c = namedOr(ctx, arg(2));
        double r = 3 + f * 1.6;
        for (int k = 0; k < 8; ++k) {
            double ang = k * M_PI / 4 + f * 0.2;
            b.l(8 + std::cos(ang) * r * 0.5, 8 + std::sin(ang) * r * 0.5, 8 + std::cos(ang) * r, 8 + std::sin(ang) * r, 1.4 - f * 0.2,
                Rgba{c.r, c.g, c.b, uint8_t(255 - f * 50)});
        }
        if (f < 2) b.e(8, 8, 2.5 - f, 2.5 - f, kW);
    } else if (name == "bubble") {
        artdraw::ring(b.img, b.x + 8 * b.s, b.y + 8 * b.s, 5.5 * b.s, std::max(1.0, b.s), Rgba{200, 240, 255, 230});
        b.e(6, 6, 1.5, 1.2, kW);
    } else if (name == "ring") {
        artdraw::ring(b.img, b.x + 8 * b.s, b.y + 8 * b.s, 7 * b.s, 2 * b.s, namedOr(ctx, arg(1)));
    } else if (name == "blank") {
    } else
        ctx.fail("unknown icon '" + name + "'");
}

void shapeIcon(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 1, "icon NAME [ARGS] [X Y SIZE] [plain]");
    bool plain = a.back() == "plain";
    std::vector<std::string> w(a.begin(), a.end() - (plain ? 1 : 0));
    // Count the icon's own arguments by drawing once into a scratch image.
    size_t used = 1;
    {
        Image scratch(16, 16);
        Box probe{scratch, 0, 0, 1};
        drawIcon(probe, ctx, w[0], w, used);
    }
    double x = 0, y = 0, size = std::min(img.width(), img.height());
    if (w.size() >= used + 3) x = ctx.num(w[used]), y = ctx.num(w[used + 1]), size = ctx.num(w[used + 2]);
    Image layer(img.width(), img.height());
    double s = size / 16.0;
    // Leave room for the outline.
    Box b{layer, x + s * 0.5, y + s * 0.5, s * 15.0 / 16.0};
    size_t dummy = 0;
    drawIcon(b, ctx, w[0], w, dummy);
    if (!plain) layer.outline(kOutline, std::max(1, int(s * 0.75 + 0.25)));
    img.draw(layer, 0, 0);
}

ArtShape regIcon("icon", "NAME [ARGS] [X Y SIZE] [plain]", shapeIcon);
} // namespace

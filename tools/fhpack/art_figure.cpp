// The two player characters and the dog, drawn from a small skeleton so that every pose
// of the on-foot and swimming sets comes from one description of the figure.
//
//   figure hero|heroine POSE [FRAME] [X Y SCALE] [flip]
//   dog POSE [FRAME] [WEAPON] [X Y SCALE] [flip]
//
// Without a position the figure stands with its feet on the bottom edge of a 32-pixel
// cell, facing right.
#include "art_draw.h"
#include "art_recipe.h"

#include <cmath>
#include <map>

namespace {
constexpr double kDeg = M_PI / 180;
const Rgba kInk{42, 28, 36, 255};
const Rgba kSkin{246, 204, 160, 255};
const Rgba kWhite{255, 255, 255, 255};

struct Look {
    Rgba hair, hairDark, top, topDark, pants, boots, accent;
    bool longHair;
};

const Look kHero{{120, 72, 36, 255}, {82, 46, 22, 255}, {72, 152, 64, 255}, {46, 108, 44, 255},
                 {122, 92, 58, 255}, {88, 56, 32, 255}, {236, 196, 72, 255}, false};
const Look kHeroine{{226, 128, 52, 255}, {172, 84, 30, 255}, {214, 92, 120, 255}, {158, 58, 86, 255},
                    {92, 76, 128, 255}, {110, 64, 42, 255}, {255, 236, 120, 255}, true};

// Angles in degrees, 0 = straight down, positive swings forward (towards the facing side).
struct Pose {
    double lean = 0;        // torso lean forward
    double bob = 0;         // hip moves down by this many pixels
    double legB = -6, kneeB = 0, legF = 6, kneeF = 0;
    double armB = 12, elbowB = 10, armF = -8, elbowF = 14;
    double headTilt = 0;    // positive looks up
    enum Eyes { Open, Closed, Wide, Cross, Happy } eyes = Open;
    bool mouth = false;
    bool glow = false;      // charged hands
    double turn = 0;        // whole figure rotation (degrees, clockwise)
    double tuck = 0;        // 0..1 curls the figure into a ball
};

double sn(double d) { return std::sin(d * kDeg); }
double cs(double d) { return std::cos(d * kDeg); }

// The on-foot poses by name and frame.
Pose footPose(const std::string& name, int f, const RecipeContext& ctx) {
    Pose p;
    if (name == "idle" || name == "stand") {
        p.bob = (f & 1) ? 0.5 : 0;
        if (f & 1) p.eyes = Pose::Closed;
    } else if (name == "walk") {
        double ph = f * 90;
        p.legB = 28 * sn(ph), p.legF = -28 * sn(ph);
        p.kneeB = p.legB < 0 ? -30 : -8, p.kneeF = p.legF < 0 ? -30 : -8;
        p.armB = -26 * sn(ph) + 6, p.armF = 26 * sn(ph) - 4;
        p.elbowB = p.elbowF = 40;
        p.bob = (f & 1) ? 1 : 0;
        p.lean = 8;
    } else if (name == "rise") {
        p.legF = 70, p.kneeF = -100, p.legB = -18, p.kneeB = -20;
        p.armF = f ? 150 : 165, p.elbowF = 10, p.armB = f ? 120 : 140, p.elbowB = 20;
        p.mouth = true;
    } else if (name == "fall") {
        p.legF = 20, p.kneeF = -40, p.legB = -10, p.kneeB = -35;
        p.armF = 110, p.elbowF = 30, p.armB = 130, p.elbowB = 30;
        p.eyes = Pose::Wide;
    } else if (name == "punch") {  // frames 0..2: wind-up, strike, recover
        p.lean = f == 1 ? 18 : 4;
        p.legB = -24, p.kneeB = -5, p.legF = 22, p.kneeF = -15;
        p.armF = f == 0 ? -40 : f == 1 ? 90 : 60, p.elbowF = f == 0 ? 100 : f == 1 ? 0 : 50;
        p.armB = f == 1 ? -40 : 20, p.elbowB = 60;
        p.mouth = f == 1;
    } else if (name == "kick") {  // frames 0..2: crouch, kick, recover
        p.lean = f == 1 ? -12 : 10;
        p.bob = f == 0 ? 3 : 0;
        p.legF = f == 1 ? 95 : 40, p.kneeF = f == 1 ? 0 : -70;
        p.legB = -10, p.kneeB = f == 0 ? 40 : 0;
        p.armF = f == 1 ? -50 : 60, p.armB = f == 1 ? 50 : 20, p.elbowF = p.elbowB = 50;
        p.mouth = f == 1;
    } else if (name == "spin") {
        p.tuck = 1;
        p.eyes = Pose::Closed;
    } else if (name == "special") {  // 0 gather, 1 release, 2 hold
        p.legB = -20, p.legF = 18, p.kneeF = -10;
        p.bob = f == 0 ? 2 : 0;
        p.armF = f == 0 ? 30 : 85, p.armB = f == 0 ? 20 : 80, p.elbowF = f == 0 ? 90 : 0, p.elbowB = f == 0 ? 90 : 10;
        p.glow = true;
        p.eyes = f == 1 ? Pose::Wide : Pose::Open;
        p.mouth = f == 1;
        p.lean = f == 1 ? 10 : 0;
    } else if (name == "down") {
        p.bob = 5 + (f & 1) * 0.6;
        p.legB = -40, p.kneeB = 90, p.legF = 50, p.kneeF = -100;
        p.headTilt = -20, p.lean = 20;
        p.armF = 30, p.elbowF = 40;
    } else if (name == "up") {
        p.headTilt = 25 + (f & 1) * 4;
        p.armF = 150, p.elbowF = 40;
        p.eyes = (f & 1) ? Pose::Happy : Pose::Open;
    } else if (name == "hang") {  // also the miss picture
        p.armF = 175, p.armB = 170, p.elbowF = p.elbowB = 0;
        p.legF = 10 + f * 10, p.kneeF = -20, p.legB = -10, p.kneeB = -30 + f * 20;
        p.eyes = f ? Pose::Cross : Pose::Wide;
        p.mouth = true;
    } else if (name == "hurt") {
        p.lean = -25, p.armF = 120, p.armB = 140, p.legF = 30, p.kneeF = -30, p.eyes = Pose::Cross, p.mouth = true;
    } else if (name == "cheer") {
        p.armF = 170 - f * 20, p.elbowF = 0, p.armB = 30, p.eyes = Pose::Happy, p.mouth = true, p.bob = f ? 0 : -1;
    } else if (name == "wave") {
        p.armF = 140 + f * 20, p.elbowF = 30, p.eyes = Pose::Happy;
    } else if (name == "push") {
        p.lean = 25, p.armF = 90, p.armB = 80, p.elbowF = p.elbowB = 20, p.legB = -35, p.legF = 15, p.kneeF = -20;
    } else if (name == "swim") {  // horizontal stroke, 8 frames
        double ph = f * 45;
        p.turn = 75;
        p.legB = 12 * sn(ph * 2), p.legF = -12 * sn(ph * 2), p.kneeB = p.kneeF = -10;
        p.armF = 90 + 80 * cs(ph), p.elbowF = 20 + 20 * sn(ph), p.armB = 90 - 80 * cs(ph), p.elbowB = 20;
    } else if (name == "float") {  // upright treading water, 8 frames
        double ph = f * 45;
        p.legB = -15 + 15 * sn(ph), p.kneeB = -40, p.legF = 15 - 15 * sn(ph), p.kneeF = -40;
        p.armF = 70 + 25 * sn(ph), p.armB = 60 - 25 * sn(ph), p.elbowF = p.elbowB = 40;
        p.bob = sn(ph);
    } else if (name == "dash") {  // streamlined, 8 frames
        double ph = f * 45;
        p.turn = 85;
        p.armF = p.armB = 178, p.elbowF = p.elbowB = 0;
        p.legB = 6 * sn(ph * 2), p.legF = -6 * sn(ph * 2);
        p.eyes = Pose::Closed;
    } else if (name == "climb") {  // swimming straight up, 8 frames
        double ph = f * 45;
        p.armF = 130 + 40 * cs(ph), p.armB = 130 - 40 * cs(ph), p.elbowF = p.elbowB = 30;
        p.legB = -20 * sn(ph), p.legF = 20 * sn(ph), p.kneeB = p.kneeF = -20;
        p.headTilt = 20;
    } else if (name == "charge") {  // curled and glowing, 8 frames
        p.tuck = 0.6 + 0.1 * (f & 1);
        p.glow = true;
        p.eyes = Pose::Closed;
        p.turn = f * 8;
    } else if (name == "drift") {  // limp in a current, 7 frames
        p.turn = 40 + f * 10, p.armF = 120, p.armB = 100, p.legF = 30, p.legB = -20, p.kneeF = -30, p.eyes = Pose::Wide;
    } else if (name == "drown") {
        p.turn = 160, p.armF = 150, p.armB = 170, p.legF = 20, p.kneeF = -40, p.eyes = Pose::Cross, p.mouth = true;
    } else
        ctx.fail("unknown pose '" + name + "'");
    return p;
}

struct Canvas {
    Image& img;
    double ox, oy, s;  // feet position and scale
    bool flip;
    double rotC, rotS;
    double pivotX, pivotY;
    // Figure space (right-facing, feet at 0,0, y down) to picture space.
    std::pair<double, double> map(double x, double y) const {
        double rx = x - pivotX, ry = y - pivotY;
        double tx = rx * rotC - ry * rotS + pivotX, ty = rx * rotS + ry * rotC + pivotY;
        return {ox + (flip ? -tx : tx) * s, oy + ty * s};
    }
    void limb(double x0, double y0, double x1, double y1, double w, Rgba c) const {
        auto a = map(x0, y0), b = map(x1, y1);
        artdraw::line(img, a.first, a.second, b.first, b.second, c, w * s);
    }
    void blob(double x, double y, double rx, double ry, Rgba c) const {
        auto a = map(x, y);
        artdraw::ellipse(img, a.first, a.second, rx * s, ry * s, c);
    }
    void dot(double x, double y, Rgba c) const {
        auto a = map(x, y);
        artdraw::fillRect(img, std::floor(a.first), std::floor(a.second), std::max(1.0, s), std::max(1.0, s), c);
    }
};

void drawFigure(Canvas& cv, const Look& lk, const Pose& p) {
    double hipY = -9 + p.bob - p.tuck * 3;
    double hipX = 0;
    // Legs: thigh and shin 4.6 px each.
    auto leg = [&](double a, double knee, Rgba pants, Rgba boot) {
        a += p.tuck * 80;
        knee += -p.tuck * 150;
        double kx = hipX + sn(a) * 4.6, ky = hipY + cs(a) * 4.6;
        double fx = kx + sn(a + knee) * 4.6, fy = ky + cs(a + knee) * 4.6;
        cv.limb(hipX, hipY, kx, ky, 3.2, pants);
        cv.limb(kx, ky, fx, fy, 3.0, pants);
        cv.blob(fx + 0.8, fy - 0.6, 2.2, 1.5, boot);
    };
    double lean = p.lean - p.tuck * 30;
    double neckX = hipX + sn(lean) * 6.6, neckY = hipY - cs(lean) * 6.6;
    double shX = hipX + sn(lean) * 5.5, shY = hipY - cs(lean) * 5.5;
    auto arm = [&](double a, double el, Rgba sleeve, bool front) {
        a += p.tuck * 60;
        el += p.tuck * 60;
        double ex = shX + sn(a) * 3.6, ey = shY + cs(a) * 3.6;
        double hx = ex + sn(a + el) * 3.4, hy = ey + cs(a + el) * 3.4;
        cv.limb(shX, shY, ex, ey, 2.6, sleeve);
        cv.limb(ex, ey, hx, hy, 2.2, sleeve);
        cv.blob(hx, hy, 1.5, 1.5, kSkin);
        if (p.glow && front) {
            auto c = cv.map(hx + 1, hy);
            artdraw::glow(cv.img, c.first, c.second, 6 * cv.s, Rgba{255, 240, 150, 200});
        }
    };
    arm(p.armB, p.elbowB, lk.topDark, false);
    leg(p.legB, p.kneeB, artShade(lk.pants, 0.8), artShade(lk.boots, 0.8));
    // Torso: a rounded tunic, wider at the hem.
    cv.limb(hipX, hipY, neckX, neckY, 6.2, lk.top);
    cv.limb(hipX, hipY + 0.5, hipX + sn(lean) * 2, hipY - cs(lean) * 2 + 0.5, 7.2, lk.top);
    cv.limb(hipX - 3 + sn(lean) * 1.8, hipY - cs(lean) * 1.8, hipX + 3 + sn(lean) * 1.8, hipY - cs(lean) * 1.8, 1.2, lk.boots);
    cv.dot(hipX + sn(lean) * 1.8, hipY - cs(lean) * 1.8 - 0.5, lk.accent);
    leg(p.legF, p.kneeF, lk.pants, lk.boots);
    // Head.
    double tilt = p.headTilt;
    double hx = neckX + sn(lean) * 4.3 + 0.5, hy = neckY - cs(lean) * 4.3 - 0.3;
    if (lk.longHair) {
        // Ponytail behind the head, swinging back.
        cv.blob(hx - 5.5, hy + 1.5, 2.4, 4.2, lk.hairDark);
        cv.blob(hx - 4.5, hy - 0.5, 2.2, 2.6, lk.hair);
    }
    cv.blob(hx, hy, 5.6, 5.3, kSkin);
    // Hair cap on the back and top of the head.
    cv.blob(hx - 1.2, hy - 2.4 - tilt * 0.03, 5.4, 3.6, lk.hair);
    cv.blob(hx - 3.4, hy - 0.4, 2.6, 3.8, lk.hair);
    if (!lk.longHair) {
        // A leaf-green cap with a little sprout.
        cv.blob(hx - 0.5, hy - 4.2, 5.2, 2.4, lk.top);
        cv.limb(hx - 1, hy - 5.5, hx + 1.2, hy - 7.2, 1.0, lk.topDark);
        cv.blob(hx + 2.2, hy - 7.4, 1.5, 0.8, Rgba{120, 200, 90, 255});
        cv.limb(hx + 2, hy - 3.6, hx + 6.2, hy - 2.6 - tilt * 0.05, 1.6, lk.topDark);  // cap brim
    } else {
        cv.blob(hx + 2.2, hy - 3.6, 3.0, 1.6, lk.hair);  // fringe
        cv.blob(hx - 2.5, hy - 5.2, 1.8, 1.8, Rgba{255, 150, 190, 255});  // flower
        cv.dot(hx - 2.5, hy - 5.2, lk.accent);
    }
    // Face, looking right.
    double ex = hx + 2.4, ey = hy + 0.2 - tilt * 0.06;
    switch (p.eyes) {
    case Pose::Open:
        cv.dot(ex, ey, kInk), cv.dot(ex, ey + 1, kInk), cv.dot(ex - 0.01, ey - 0.9, kWhite);
        break;
    case Pose::Wide:
        cv.blob(ex, ey + 0.3, 1.2, 1.5, kWhite), cv.dot(ex + 0.3, ey + 0.3, kInk);
        break;
    case Pose::Closed:
        cv.limb(ex - 0.8, ey + 0.8, ex + 0.9, ey + 0.8, 0.9, kInk);
        break;
    case Pose::Happy:
        cv.limb(ex - 0.9, ey + 1.0, ex, ey, 0.9, kInk), cv.limb(ex, ey, ex + 0.9, ey + 1.0, 0.9, kInk);
        break;
    case Pose::Cross:
        cv.limb(ex - 0.9, ey - 0.5, ex + 0.9, ey + 1.3, 0.8, kInk), cv.limb(ex - 0.9, ey + 1.3, ex + 0.9, ey - 0.5, 0.8, kInk);
        break;
    }
    cv.dot(hx + 1.2, hy + 2.2, Rgba{240, 140, 140, 255});  // cheek
    if (p.mouth) cv.dot(hx + 3.6, hy + 2.8, Rgba{150, 50, 60, 255});
    arm(p.armF, p.elbowF, lk.top, true);
}

struct Placement {
    double x, y, s;
    bool flip;
};

// Reads the optional "X Y SCALE" and "flip" words after index i.
Placement placement(const Image& img, RecipeContext& ctx, const std::vector<std::string>& a, size_t i) {
    Placement pl{img.width() / 2.0, double(img.height()), img.width() / 32.0, false};
    if (!a.empty() && a.back() == "flip") pl.flip = true;
    size_t n = a.size() - (pl.flip ? 1 : 0);
    if (n >= i + 3) pl.x = ctx.num(a[i]), pl.y = ctx.num(a[i + 1]), pl.s = ctx.num(a[i + 2]);
    return pl;
}

void shapeFigure(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 2, "figure hero|heroine POSE [FRAME] [X Y SCALE] [flip]");
    const Look* lk = a[0] == "hero" ? &kHero : a[0] == "heroine" ? &kHeroine : nullptr;
    if (!lk) ctx.fail("figure is 'hero' or 'heroine', not '" + a[0] + "'");
    int frame = a.size() > 2 && a[2] != "flip" ? ctx.integer(a[2]) : 0;
    Pose p = footPose(a[1], frame, ctx);
    Placement pl = placement(img, ctx, a, 3);
    // Draw on a layer of its own so the outline wraps the whole figure.
    Image layer(img.width(), img.height());
    bool turned = p.turn != 0 || p.tuck > 0;
    // A curled figure sits higher above its feet, so its middle is higher too.
    double pivotY = turned ? -13 - 6 * p.tuck : 0;
    Canvas cv{layer, pl.x, pl.y - 1.2 * pl.s, pl.s, pl.flip, cs(p.turn), sn(p.turn), 0, pivotY};
    // A turned figure (swimming, spinning) is centred in the cell instead of standing on its edge.
    if (turned) cv.oy = pl.y - img.height() / 2.0 - pivotY * pl.s;
    drawFigure(cv, *lk, p);
    layer.outline(kInk, std::max(1, int(pl.s + 0.5)));
    img.draw(layer, 0, 0);
}

// --- the dog -------------------------------------------------------------------------
const Rgba kFur{238, 214, 170, 255}, kFurDark{196, 150, 98, 255}, kEar{150, 96, 58, 255}, kScarf{214, 64, 58, 255};

void drawDog(Canvas& cv, const std::string& pose, int f, int weapon) {
    double bodyY = -6, legPhase = f * 90;
    double stretch = 1, earLift = 0, tailUp = 1, jump = 0;
    bool swim = pose == "swim", paddle = false;
    if (pose == "walk" || pose == "follow") {
        bodyY -= (f & 1) ? 0.7 : 0;
    } else if (pose == "ready") {
        bodyY += 1.5;
        legPhase = 0;
        tailUp = (f & 1) ? 1.4 : 0.6;
        earLift = 1;
    } else if (pose == "dash") {
        stretch = 1.3, earLift = -1.5, legPhase = 45, tailUp = 0.2;
    } else if (pose == "special") {
        jump = 3 + f, earLift = 2, tailUp = 1.5, legPhase = f * 45;
    } else if (swim) {
        bodyY = -9, paddle = true, tailUp = 0.4;
    }
    bodyY -= jump;
    // Legs (back pair darker).
    auto legAt = [&](double x, double ph, Rgba c) {
        double sw = paddle ? 50 * sn(ph + f * 90) : 28 * sn(ph);
        double kx = x + sn(sw) * 3.2, ky = bodyY + 2 + cs(sw) * 3.2;
        cv.limb(x, bodyY + 1.5, kx, ky, 2.4, c);
        cv.blob(kx + 0.4, ky, 1.5, 1.0, c);
    };
    legAt(-5 * stretch, legPhase + 180, kFurDark);
    legAt(4 * stretch, legPhase, kFurDark);
    // Tail.
    cv.limb(-8 * stretch, bodyY - 1, -11 * stretch, bodyY - 3 - 3 * tailUp, 2.2, kFur);
    cv.blob(-11 * stretch, bodyY - 3 - 3 * tailUp, 1.4, 1.4, kWhite);
    // Body.
    cv.blob(0, bodyY, 8.2 * stretch, 4.4, kFur);
    cv.blob(-2, bodyY - 2, 4.5 * stretch, 1.8, artShade(kFur, 1.08));
    cv.blob(-3 * stretch, bodyY + 0.5, 3.2, 2.4, kFurDark);  // a patch
    legAt(-3 * stretch, legPhase, kFur);
    legAt(6 * stretch, legPhase + 180, kFur);
    // Head.
    double hx = 8.5 * stretch, hy = bodyY - 5;
    cv.limb(hx - 3.5, hy + 3, hx - 0.5, hy + 4.2, 2.0, kScarf);  // scarf
    cv.blob(hx, hy, 4.6, 4.2, kFur);
    cv.blob(hx + 3.8, hy + 1.5, 2.6, 1.9, artShade(kFur, 1.1));  // snout
    cv.dot(hx + 6.1, hy + 0.8, kInk);                           // nose
    cv.dot(hx + 1.8, hy - 1.2, kInk);                           // eye
    cv.blob(hx - 2.2, hy - 1.2 - earLift, 1.8, 3.2 + earLift * 0.3, kEar);  // floppy ear
    if (swim) return;
    // What the dog carries for the current weapon (9..12).
    double mx = hx + 6.5, my = hy + 3;
    switch (weapon) {
    case 9:  // leaf
        cv.blob(mx, my, 2.4, 1.2, Rgba{96, 190, 80, 255});
        break;
    case 10:  // acorn
        cv.blob(mx, my + 0.5, 1.6, 1.9, Rgba{170, 110, 50, 255});
        cv.blob(mx, my - 1, 1.9, 0.9, Rgba{110, 70, 36, 255});
        break;
    case 11:  // seed pod
        cv.blob(mx, my, 1.8, 1.8, Rgba{120, 170, 220, 255});
        break;
    case 12:  // berry bomb
        cv.blob(mx, my, 2.0, 2.0, Rgba{150, 50, 130, 255});
        cv.dot(mx - 0.5, my - 1, kWhite);
        break;
    default:
        break;
    }
}

void shapeDog(Image& img, RecipeContext& ctx, const std::vector<std::string>& a) {
    ctx.need(a, 1, "dog POSE [FRAME] [WEAPON] [X Y SCALE] [flip]");
    static const char* poses[] = {"walk", "follow", "ready", "dash", "special", "swim", "sit"};
    bool known = false;
    for (auto* p : poses) known |= a[0] == p;
    if (!known) ctx.fail("unknown dog pose '" + a[0] + "' (walk, follow, ready, dash, special, swim, sit)");
    int frame = a.size() > 1 && a[1] != "flip" ? ctx.integer(a[1]) : 0;
    int weapon = a.size() > 2 && a[2] != "flip" ? ctx.integer(a[2]) : 0;
    Placement pl = placement(img, ctx, a, 3);
    Image layer(img.width(), img.height());
    Canvas cv{layer, pl.x, pl.y - 1.2 * pl.s, pl.s, pl.flip, 1, 0, 0, 0};
    drawDog(cv, a[0], frame, weapon);
    layer.outline(kInk, std::max(1, int(pl.s + 0.5)));
    img.draw(layer, 0, 0);
}

ArtShape regFigure("figure", "hero|heroine POSE [FRAME] [X Y SCALE] [flip]", shapeFigure);
ArtShape regDog("dog", "POSE [FRAME] [WEAPON] [X Y SCALE] [flip]", shapeDog);
} // namespace

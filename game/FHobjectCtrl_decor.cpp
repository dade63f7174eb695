// Decorations: short-lived effects on the field (sparks, debris, score numbers, floating
// messages, rings, screen shakes and delayed prize drops). They never collide. One ring
// pool of 128 records: a new decoration always takes record `next`, overwriting the
// oldest one when all are running.
#include <cstdio>
#include <cstring>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_play.h"
#include "qgu_carbonlike2.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_trigon.h"

using namespace FHWGBL;

namespace {

constexpr int kBlendOneMinusSrcAlpha = 771;  // GL_ONE_MINUS_SRC_ALPHA
constexpr int kBlendOne = 1;                 // GL_ONE
const rRect kNearWindow = {-3200, -3200, 3200, 3200};  // 32-dot margin

inline double clipd(double v, double upper, double lower) { return v > upper ? upper : (v < lower ? lower : v); }

// Screen position (hundredths of a dot) of a field position, wrap-corrected.
constexpr int kScreenW = 320;  // logical screen width in dots

inline void toScreen(int x, int y, int* sx, int* sy) {
    int s = FHPlay::wrapMod(x - GFieldLftX, MapFieldWidth);
    if (s > MapFieldWidth - 32000) s -= MapFieldWidth;
    int t = FHPlay::wrapMod(y - GFieldTopY, MapFieldHeight);
    if (t > MapFieldHeight - 25600) t -= MapFieldHeight;
    *sx = s;
    *sy = t;
}

}  // namespace

int DecorateCtrlCls::NewDecorate(int x, int y, int layer, int vx, int vy, int w, int h, int rot, int grow,
                                 int life, int kind, int patt, double r, double g, double b, double a,
                                 int blend) {
    const int idx = next;
    next = (next + 1) % kDecorations;
    decoObj& d = decos[idx];
    d.activeF = 1;
    d.posX = x;
    d.posY = y;
    d.work0 = layer;
    d.speedX = vx;
    d.speedY = vy;
    d.sizeW = d.baseW = w;
    d.sizeH = d.baseH = h;
    d.rot = rot;
    d.grow = grow;
    d.life = life;
    d.kind = kind;
    d.patt = patt;
    d.colour[0] = r;
    d.colour[1] = g;
    d.colour[2] = b;
    d.colour[3] = a;
    d.blend = blend;
    d.centreF = 1;
    d.work1 = 0;
    d.work5 = 0;
    d.text[0] = '\0';
    return idx;
}

int DecorateCtrlCls::NewDecorateDetailing(int x, int y, int layer, int vx, int vy, int w, int h, int rot,
                                          int grow, int life, int kind, int patt, double r, double g,
                                          double b, double a, int blend) {
    if (kind < 14 && !inTheWindow(x, y, &kNearWindow)) return -1;
    return NewDecorate(x, y, layer, vx, vy, w, h, rot, grow, life, kind, patt, r, g, b, a, blend);
}

int DecorateCtrlCls::NewDecoratePatt(int x, int y, int layer, int vx, int vy, int /*unused*/, int kind,
                                     int patt, int life) {
    if (kind < 14 && !inTheWindow(x, y, &kNearWindow)) return -1;
    const int s = (kind == 15 && life > 60) ? 200 : 100;
    return NewDecorate(x, y, layer, vx, vy, s, s, 0, 0, life, kind, patt, 1, 1, 1, 1, kBlendOneMinusSrcAlpha);
}

int DecorateCtrlCls::NewDecorateMsg(int x, int y, int vx, int vy, int /*unused*/, const char* text, int life,
                                    const double* colour) {
    const double* c = colour ? colour : GLwhite;
    const int idx = NewDecorate(x, y, 0, vx, vy, 6, 8, 0, 2, life, 14, 0, c[0], c[1], c[2], c[3], kBlendOne);
    decoObj& d = decos[idx];
    if (text) {
        std::strncpy(d.text, text, sizeof d.text - 1);
        d.text[sizeof d.text - 1] = '\0';
    }
    return 0;
}

int DecorateCtrlCls::moveDecorates() {
    for (decoObj& d : decos)
        if (d.activeF) d.move();
    return 0;
}

namespace FHPlay {
void floatMessage(int x, int y, const char* text, int life, const double* colour) {
    if (MyCharactor::superRef == nullptr) return;
    MyCharactor::superRef->decoCtrl.NewDecorateMsg(x, y, 0, -40, 0, text, life, colour);
}
}  // namespace FHPlay

namespace {

// The prize burst of a kind-18 decoration (block prizes 498..505).
void prizeBurst(int x, int y, int which) {
    if (MyCharactor::superRef == nullptr) return;
    MainObjectCtrlCls& objs = MyCharactor::superRef->objectCtrl;
    auto appear = [&](int dx, int vx, int vy, int kind, int param, int w5) {
        const int idx = objs.AppearObject(x + dx, y, vx, vy, kind, param);
        if (idx >= 0 && idx < MainObjectCtrlCls::kObjects) objs.objects[idx].work5 = w5;
    };
    switch (which) {
        case 498:  // food and five gold coins
            appear(0, 0, -300, 51, 0, 300);
            for (int i = 0; i < 5; ++i) appear(0, (i - 2) * 60, -400, 49, 0, 300);
            break;
        case 499:
        case 500:  // food and a spread of small food
            appear(0, 0, -300, 51, which - 498, 300);
            for (int i = 0; i < 6; ++i) appear(0, (i - 3) * 50, -350, 52, 8 + i, 300);
            break;
        case 501:
        case 502:
        case 503:
        case 504:  // ten gold coins in a fountain
            for (int i = 0; i < 10; ++i) appear(0, (i - 5) * 40, -450 - (i & 1) * 100, 49, 0, 420);
            break;
        case 505:  // ten walkers of kinds 32..35 at random
            for (int i = 0; i < 10; ++i) {
                const int k = 32 + (Random() & 3);
                appear((i - 5) * 400, 0, -200, k, 0, 300);
            }
            break;
        default:
            break;
    }
}

}  // namespace

void DecorateCtrlCls::decoObj::move() {
    sprite = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    const int f = work5;
    const int L = life;
    const int third = L / 3;
    const int A = third > 0 ? f / third : 0;
    int layer = work0;
    int pattern = 0;  // 0: no sprite this frame
    bool centred = centreF != 0;

    auto straight = [&]() {
        posX += speedX;
        posY += speedY;
    };
    auto grownSize = [&]() {
        sizeW = baseW * (f * grow + 100) / 100;
        sizeH = baseH * (f * grow + 100) / 100;
    };

    switch (kind) {
        case 0:
            posX += speedX;
            posY += speedY - 4 + f;
            pattern = (f & 1) ? 3 : 0;
            break;
        case 1: straight(); pattern = patt; break;
        case 2: straight(); pattern = patt + A; break;
        case 3:
            posX += speedX + QSDLpp_Trigon::sin100x(4 * f) * speedY / 100;
            posY += speedY + QSDLpp_Trigon::cos100x(4 * f) * speedX / 200;
            pattern = patt + A;
            break;
        case 4:
        case 5:
            straight();
            sizeW = sizeW * (100 + grow) / 100;
            sizeH = sizeH * (100 + grow) / 100;
            speedY += 20;
            pattern = (kind == 4) ? patt : patt + A;
            break;
        case 6: {
            const int d = ((work1 % 24) + 24) % 24;
            posX += x24costbl[d] * speedX;
            posY += y24sintbl[d] * speedY;
            pattern = patt;
            break;
        }
        case 7:
            posX += QSDLpp_Trigon::cos100x(11 * work1) * speedX;
            posY += QSDLpp_Trigon::sin100x(11 * work1) * speedY;
            pattern = patt + A;
            break;
        case 8:
        case 9:
            straight();
            grownSize();
            centred = true;
            pattern = (kind == 8) ? patt : patt + A;
            break;
        case 10: straight(); rot = work1 * f; pattern = patt; break;
        case 11: straight(); pattern = patt + ((f / 2) % 2); break;
        case 12:
        case 13:
            straight();
            grownSize();
            centred = true;
            colour[3] = L > 0 ? clipd(2.0 - 2.0 * f / L, 1.0, 0.0) : 0.0;
            pattern = (kind == 12) ? patt : patt + A;
            break;
        case 14: {
            straight();
            grownSize();
            if (L > 0) colour[3] -= 1.0 / L;
            int sx, sy;
            toScreen(posX, posY, &sx, &sy);
            // A message never runs off the right edge while it fits the screen: it is
            // printed with pitch 3, so each letter takes 3/4 of its width.
            const int textW = static_cast<int>(std::strlen(text)) * static_cast<int>(3 * sizeW * 0.25);
            if (sx / 100 + textW > kScreenW) sx = (textW < kScreenW ? kScreenW - textW : 0) * 100;
            sprite->setDrwType(GLO::SprMessage);
            sprite->ratioBase(false);
            sprite->putx(sx, sy, -1);
            sprite->setSize(sizeW, sizeH);
            sprite->setMsg(text);
            sprite->setColor(colour);
            sprite->setBlendF(static_cast<uint32_t>(blend));
            break;
        }
        case 15: {
            straight();
            if (!GmapXBorderF) {
                if (posX < GFieldLftX) posX = GFieldLftX;
                if (posX > GFieldLftX + 30400) posX = GFieldLftX + 30400;
            }
            if (!GmapYBorderF) {
                if (posY < GFieldTopY) posY = GFieldTopY;
                if (posY > GFieldTopY + 23000) posY = GFieldTopY + 23000;
            }
            const double alpha = L > 0 ? double(L - f) / L : 0.0;
            int sx, sy;
            toScreen(posX, posY, &sx, &sy);
            const bool negative = patt < 0;
            unsigned n = negative ? 0u - static_cast<unsigned>(patt) : static_cast<unsigned>(patt);
            const int step = 10 * sizeW;
            int i = 0;
            QSDLpp_GLSprite* sp = sprite;
            auto digit = [&](int pat) {
                if (sp == nullptr) sp = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
                sp->setDrwType(GLO::SprAtlas);
                sp->ratioBase(true);
                sp->putx(sx - i * step, sy, -1, pat);
                sp->setSize(sizeW, sizeH);
                sp->setColor(0.2, 0.9, 0.7, alpha);
                sp->putCenterMode(true);
                sp = nullptr;
                ++i;
            };
            do {
                digit(16 + static_cast<int>(n % 10));
                n /= 10;
            } while (n != 0);
            if (negative) digit(62);
            break;
        }
        case 16:
            if (f & 1) GmapDotTopY += 7 - f;
            break;
        case 17:
            straight();
            pattern = 1083 + A;
            if (f == L - 1) {
                if (MyCharactor::superRef)
                    MyCharactor::superRef->objectCtrl.AppearObject(posX - 3200, posY - 1600, 0, GravityY, 51, patt);
                activeF = 0;
            }
            break;
        case 18:
            straight();
            if (f == L - 2) {
                prizeBurst(posX, posY, patt);
                activeF = 0;
            }
            break;
        case 19:
        case 20: {
            if (kind == 20) straight();
            int sx, sy;
            toScreen(posX, posY, &sx, &sy);
            sprite->setDrwType(GLO::SprGlowRing);
            sprite->ratioBase(false);
            sprite->putx(sx, sy, layer);
            sprite->setSize(sizeW, sizeH);
            sprite->setWidth(kind == 20 ? 2 + 2 * f : sizeW / 2);
            sprite->setColor(colour);
            sprite->setBlendF(static_cast<uint32_t>(blend));
            break;
        }
        default:
            break;
    }

    if (kind <= 11 && L > 0 && f >= 3 * L / 4) colour[3] -= 0.1;

    if (pattern > 0) {
        putSpriteLP0(posX, posY, layer, sizeW, sizeH, rot, pattern);
        sprite->setColor(colour);
        sprite->putCenterMode(centred);
        sprite->setBlendF(static_cast<uint32_t>(blend));
    }

    work5 = f + 1;
    if (activeF) activeF = (work5 < L) ? 1 : 0;
}

// The frame of the settings menu: the ring of 32 item tiles in perspective (GLU), then
// the 640 x 480 overlay with the front item's title and the input display. Item pages
// are drawn afterwards by mainloop over the same overlay.
#include <GL/glu.h>

#include <cmath>
#include <cstdio>

#include "configmain.h"
#include "globals.h"
#include "qsdlpp2_GLobject@image.h"

namespace {
const double kRingRadius = 80.0;
const double kItemRadians = 0.19625;      // spacing of the tiles on the circle
const double kItemDegrees = 11.25;        // turn of each tile, and of the ring per item
const double kTileW = 16.0, kTileH = 4.0; // world size of a 256 x 64 tile

// Positions of the ring from the farthest to the nearest, for the ring angle `rotDeg`.
void farthestFirst(double rotDeg, int order[CFG_ITEMS]) {
    const double r = rotDeg * M_PI / 180.0;
    double depth[CFG_ITEMS];
    for (int i = 0; i < CFG_ITEMS; i++) {
        const double a = i * kItemRadians;
        const double x = kRingRadius * std::sin(a), z = kRingRadius * std::cos(a);
        depth[i] = -x * std::sin(r) + z * std::cos(r); // z after the turn about y
        int k = i;
        while (k > 0 && depth[order[k - 1]] < depth[i]) {
            order[k] = order[k - 1];
            k--;
        }
        order[k] = i;
    }
}

void setOverlay() {
    qgu_glMatrixMode(GL_PROJECTION);
    qgu_glLoadIdentity();
    qgu_glOrtho(0, 640, 480, 0, -200, 200);
    qgu_glMatrixMode(GL_MODELVIEW);
    qgu_glLoadIdentity();
}

void drawIcon(int tile, int x, int y) {
    if (!SYS_GLOBALS::iconSpriteTxNum) return;
    qgu_GLAtlasSpriteWithClipSize(32, 32, nullptr, GLwhite, SYS_GLOBALS::iconSpriteTxNum, tile, x + 16,
                                  y + 16, 0, 32, 32, 0);
}

// One player's direction and A..D icons from x = left.
void drawPlayerInput(int player, int left) {
    const QSDLpp_StickCls& stick = SYS_GLOBALS::Stick;
    const int y = 440;
    drawIcon(8 + stick.stickDir(player), left, y); // -1 (none) lands on tile 7
    const unsigned bits = stick.currentBits() >> (8 * player);
    const unsigned btn[4] = {QSDL_BTN::A1, QSDL_BTN::B1, QSDL_BTN::C1, QSDL_BTN::D1};
    for (int b = 0; b < 4; b++)
        drawIcon((bits & btn[b]) ? 3 : 2, left + 32 * (b + 1), y);
}
} // namespace

void configmainCls::disp(int) {
    qgu_glClearColor(0.06, 0.07, 0.10, 1.0);
    qgu_glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    qgu_glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    // The ring, seen from slightly above its front; x is mirrored by the negative
    // aspect and y points down, so the front tile (turned half round) reads normally.
    qgu_glMatrixMode(GL_PROJECTION);
    qgu_glLoadIdentity();
    gluPerspective(90.0, -1.0, 0.1, 5000.0);
    gluLookAt(0, -5, -95, 0, 0, 50, 0, -1, 0);
    qgu_glMatrixMode(GL_MODELVIEW);
    qgu_glLoadIdentity();
    qgu_glPushMatrix();
    qgu_glTranslated(0, 5, 0);
    const double ringDeg = (ringAng + CFG_TENTHS) * (kItemDegrees / CFG_TENTHS) + 180.0;
    qgu_glRotated(ringDeg, 0, 1, 0);
    if (SYS_GLOBALS::menuSpriteTxNum) {
        int order[CFG_ITEMS];
        farthestFirst(ringDeg, order);
        for (int k = 0; k < CFG_ITEMS; k++) {
            const int i = order[k];
            const double a = i * kItemRadians;
            qgu_GLAtlasSpriteWithClipSize(256, 64, GLaxe0Y0, GLwhite, SYS_GLOBALS::menuSpriteTxNum,
                                          CFG_ITEMS - 1 - i, kRingRadius * std::sin(a), 0,
                                          kRingRadius * std::cos(a), kTileW, kTileH, i * kItemDegrees);
        }
    }
    qgu_glPopMatrix();

    setOverlay();
    qgu_GLDrawSimpleSuqre(GLgreen, 16, 288, 48, 320);
    qgu_GLDrawSimpleSuqre(GLtgray, 360, 272, 624, 336);
    if (SYS_GLOBALS::titleSpriteTxNum)
        qgu_GLAtlasSpriteWithClipSize(256, 64, nullptr, GLwhite, SYS_GLOBALS::titleSpriteTxNum,
                                      (ringAng / CFG_TENTHS) % CFG_ITEMS, 488, 304, 0, 256, 64, 0);

    drawPlayerInput(0, 32);
    drawPlayerInput(1, 32 + 180);
    char line[64];
    std::snprintf(line, sizeof(line), "%d A1 B1 C1 D1   %d A2 B2 C2 D2", SYS_GLOBALS::Stick.stickDir(0) + 1,
                  SYS_GLOBALS::Stick.stickDir(1) + 1);
    QSDLpp_GLTextFuncs::drawGLString(392, 450, 0, 12, 12, GLO::Font3, GLwhite, line);
}

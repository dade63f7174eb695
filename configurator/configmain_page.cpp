// The page of the current item, drawn over the 640 x 480 overlay that disp leaves set:
// the controller information (item 0), live button tests (items 12..15 and 22..25), the
// gamma test picture (item 5), the choice texts and the hint line.
#include <cstdio>

#include "configmain.h"
#include "globals.h"
#include "qsdlpp2_GLobject@image.h"

namespace {
const int kFont = GLO::Font3; // the settings program's font
const int kTextX = 64;
const int kTextTop = 48;
const int kLinePitch = 24;
const int kTextSize = 20;

void printAt(double x, double y, int size, const double* colour, const char* text) {
    QSDLpp_GLTextFuncs::drawGLString(x, y, 0, size, size, kFont, colour, text);
}
} // namespace

void configmainCls::drawControllerPage() {
    const QSDLpp_StickCls& stick = SYS_GLOBALS::Stick;
    const int n = stick.joystickCount();
    if (n <= 0) {
        printAt(kTextX, kTextTop, kTextSize, GLwhite, "Joy devices are not detected.");
        return;
    }
    char line[QSDL_JOY_TEXT + 32];
    for (int i = 0; i < n && i < QSDL_MAX_JOYSTICKS; i++) {
        const int y = kTextTop + 64 * i;
        std::snprintf(line, sizeof(line), "%02d: %s", i, stick.joyName[i]);
        printAt(kTextX, y, 20, GLwhite, line);
        std::snprintf(line, sizeof(line), "  ID:%s", stick.joyGUID[i]);
        printAt(kTextX, y + 20, 16, GLgray, line);
        std::snprintf(line, sizeof(line), "  Btns:%d  Axis:%d (0~%d)  Hats:%d", stick.joyButtons[i],
                      stick.joyAxes[i], stick.joyAxes[i] - 1, stick.joyHats[i]);
        printAt(kTextX, y + 40, 16, GLgray, line);
    }
}

// A mark on the line of every pressed button 0..15 of controller `pad`.
void configmainCls::drawButtonTest(int pad, const double* colour, int x) {
    const uint32_t bits = SYS_GLOBALS::Stick.getButtonsBits(pad);
    for (int b = 0; b < 16; b++) {
        if (!(bits & (1u << b))) continue;
        const int y = kTextTop + kLinePitch * b;
        qgu_GLDrawSimpleSuqre(colour, x, y + 4, x + 12, y + 16);
    }
}

void configmainCls::drawPage(int item) {
    if (item == CFG_INFO_ITEM) drawControllerPage();
    if (item >= 12 && item <= 15) drawButtonTest(0, GLred, 40);
    if (item >= 22 && item <= 25) drawButtonTest(1, GLcyan, 32);
    if (item == CFG_GAMMA_ITEM && SYS_GLOBALS::stateSpriteTxNum)
        qgu_GLDrawTexture(SYS_GLOBALS::stateSpriteTxNum, 256, 256, 640 - 256, 0, 0);

    // While the ring turns there is no current item and only the hint shows.
    if (item >= 0 && item < CFG_ITEMS) {
        for (int i = 0; i < counts[item]; i++) {
            const int y = kTextTop + kLinePitch * i;
            const double* colour = GLgray;
            if (i == cursorPos) {
                // A faint bar keeps the cursor visible on the stored (yellow) line too.
                qgu_GLDrawSimpleSuqre(GLtgray, kTextX - 8, y - 2, kTextX + 320, y + kTextSize + 2);
                colour = GLwhite;
            }
            if (i == storedSel) colour = GLyellow;
            printAt(kTextX, y, kTextSize, colour, texts[item][i]);
        }
    }
    printAt(300, 8, 12, GLwhite, "Select item with Cursor and Space key.");
    // The result of the last save stays in view (above the input display), so a file
    // that could not be written is named on screen, not only in the log.
    if (saveNote[0]) printAt(kTextX - 48, 412, 16, GLyellow, saveNote);
}

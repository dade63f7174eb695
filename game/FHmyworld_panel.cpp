// The play panel and the per-step bookkeeping (updateScore): pending gold and gauges
// paid out to the character in play, the score and high score, coins, gauges, the
// difficulty mark, the time, the keys, the character portrait and the message box.
#include <cstdio>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_field.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_play.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"

using namespace FHWGBL;
using FHPlay::clip;

namespace {

const double kWaterVeil[4] = {1, 1, 1, 0.3};
constexpr int kAirLabelFont = 0;

void text(double x, double y, int w, int h, int font, const double* colour, const char* s) {
    QSDLpp_GLTextFuncs::drawGLString(x, y, 0, w, h, font, colour, s);
}

// A vertical gauge from y = 224 - value / 200 down to 224.
void gauge(double x1, double x2, int value, const double* colour) {
    qgu_GLDrawSimpleSuqre(colour, x1, 224 - value / 200, x2, 224);
}

}  // namespace

void FHWorldCLS::updateScore(int part) {
    MyCharactor* me = &chars[MyCharactor::currentCHR & 1];
    switch (part) {
        case -1: {
            // 1. The water veil while under the surface.
            if (UWMode && !me->surfaceF)
                qgu_GLDrawTextureRep(FHSYSGBL::TileTxt[24 + (CtrlCounter / 4) % 8], 320, 240, kWaterVeil, 0, 0, 0);
            // 2. Pending gold, one coin a step.
            if (preGcounter > 0) {
                if (GoldCoins < 1199) GoldCoins += 1;
                preGcounter -= 1;
            }
            // 3. Pending energy, 200 a step either way.
            if (preEcounter > 0) {
                me->energy = clip(me->energy + 200, 25000, 0);
                preEcounter -= 200;
            }
            if (preEcounter <= -200) {
                if (me->energy >= 0) me->energy -= 200;
                preEcounter += 200;
            }
            // 4. Pending air.
            if (preAcounter >= 1) {
                if (me->airGauge < 25000) me->airGauge += 200;
                preAcounter -= 200;
            } else if (preAcounter <= -200) {
                if (me->airGauge < 25000) me->airGauge -= 200;
                preAcounter += 200;
            }
            for (int p = 2; p <= 6; ++p) updateScore(p);
            break;
        }
        case 2: {
            qgu_GLDrawTexture(panelTex, 16, 256, 304, -16, 0);
            char buf[32];
            std::snprintf(buf, sizeof buf, "%08d", Highscore);
            text(16, 0, 16, 16, 0, GLgray, buf);
            // The score lies over the high score's digits. A blank is narrower than a
            // digit in the panel's font, so the score starts where the high score's digit
            // of the same place does instead of after its own leading blanks.
            std::snprintf(buf, sizeof buf, "%8d", Score);
            int lead = 0;
            while (buf[lead] == ' ') ++lead;
            char zeros[9] = "00000000";
            zeros[lead] = '\0';
            const int shift = lead > 0 ? qgu_GLTextWidth(GLO::FontType[0], zeros, 16) : 0;
            text(16 + shift, 0, 16, 16, 0, Score > Highscore ? GLred : GLyellow, buf + lead);
            buf[0] = static_cast<char>(156 + (CtrlCounter / 4) % 4);
            buf[1] = ':';
            buf[2] = '\0';
            text(16, 16, 12, 12, 0, GLyellow, buf);
            if (FHSYS_GLOBALS::use_freePlayF)
                std::snprintf(buf, sizeof buf, "Free");
            else if (GoldCoins > 990)
                std::snprintf(buf, sizeof buf, "%04d", GoldCoins);
            else
                std::snprintf(buf, sizeof buf, "%03d", GoldCoins);
            const double* coinCol = ((CtrlCounter / 30) & 1) ? GLyellow : (GoldCoins < 50 ? GLred : GLwhite);
            text(36, 18, 10, 10, 0, coinCol, buf);
            if (!UWMode) {
                const int e = me->energy;
                const double* c;
                if (e > 19200) c = GLblue;
                else if (e > 6400) c = GLgreen;
                else if (e >= 1600) c = GLred;
                else c = (CtrlCounter & 8) ? GLred : GLblack;
                gauge(308, 316, e, c);
                buf[0] = static_cast<char>(135 + me->weapon);
                buf[1] = '\0';
                text(308, 228, 8, 8, 1, GLwhite, buf);
            } else {
                const int air = me->energy;
                gauge(310, 316, air, (air <= 999 && (CtrlCounter & 8)) ? GLblack : GLpink);
                const int st = me->airGauge;
                const double* c;
                if (st > 19200) c = GLtransBlue;
                else if (st > 6400) c = GLtransYellow;
                else if (st >= 1600) c = GLtransRed;
                else c = (CtrlCounter & 4) ? GLtransRed : GLblack;
                gauge(308, 314, st, c);
                // The air label (a bubble over its shadow) lives in font 0; font 1 holds
                // the key marks on the same codes.
                text(310, 230, 8, 8, kAirLabelFont, GLwhite, "\x95");
                text(308, 228, 8, 8, kAirLabelFont, GLwhite, "\x94");
            }
            int mark = 384 + GameLevel;
            if (FHSYS_GLOBALS::use_invincibleF && ((CtrlCounter / 64) & 1)) mark = 40 + (CtrlCounter / 4) % 4;
            if (QSDLpp_GLSprite* sp = putSprite(0, 0, -1, 100, 100, 0, mark)) sp->setUseOffsetF(false);
            break;
        }
        case 3: {
            // A section without a time limit shows neither the limit nor the elapsed time.
            if (TIMER > 59939) break;
            char buf[32];
            if (TIMER > 0) {
                text(240, 4, 12, 12, 1, GLwhite, "LMT:");
                std::snprintf(buf, sizeof buf, "%d", TIMER / 60);
                text(276, 4, 12, 12, 1, TIMER < 600 ? GLred : GLwhite, buf);
            } else {
                text(240, 4, 12, 12, 1, GLred, "DANGER!");
            }
            if (TIMER <= 300 && CtrlCounter % 60 == 0) FHPlay::playSound(TIMER <= 0 ? 26 : 37);
            text(264, 16, 6, 8, 1, GLyellow, "SEC:");
            const int secs = sectionSteps / 60;
            if (FHSYS_GLOBALS::usedF5F && !QSDL_GLOBALS::rplyMode) {
                text(284, 16, 8, 8, 1, GLred, "N/A");
            } else {
                std::snprintf(buf, sizeof buf, "%d", secs);
                const bool blink = haveRCF && secs < BestTimer / 60 && (CtrlCounter & 4);
                text(284, 16, 8, 8, 1, blink ? GLred : GLyellow, buf);
            }
            // The key marks follow as part 4, which the step draws next (once).
            break;
        }
        case 4:
            for (int k = 0; k < 4; ++k) {
                char g[2] = {(RBGKeyBit >> k) & 1 ? static_cast<char>(148 + k) : ' ', '\0'};
                text(310, 57 + 8 * k, 8, 8, 1, GLblack, g);
                text(308, 56 + 8 * k, 8, 8, 1, GLwhite, g);
            }
            break;
        case 5: {
            sectionSteps += 1;
            if (MyCharactor::currentCHR == 0) firstChrSteps += 1;
            const bool hero = MyCharactor::currentCHR == 0;
            char top[2] = {static_cast<char>(hero ? 137 : 139), '\0'};
            char bottom[2] = {static_cast<char>(hero ? 140 : 138), '\0'};
            text(304, 16, 16, 16, 1, GLwhite, top);
            text(304, 32, 16, 16, 1, GLwhite, bottom);
            break;
        }
        case 6:
            if (FHSYSGBL::ActiveMsgStrPtr != nullptr) {
                if (FHSYSGBL::ActiveMsgDispTimer-- > 0) {
                    text(17, 33, 16, 16, 1, GLblack, FHSYSGBL::ActiveMsgStrPtr);
                    text(16, 32, 16, 16, 1, GLwhite, FHSYSGBL::ActiveMsgStrPtr);
                    qgu_GLDrawSimpleSuqre(UWMode ? GLtransHardRed : GLtransHardBlue, 4, 208, 300, 234);
                    QSDLpp_GLTextFuncs::drawGLString(9, 209, 0, 8, 8, 1, GLwhite, FHSYSGBL::ActiveMsgStrPtr, '\x07');
                } else {
                    FHSYSGBL::ActiveMsgStrPtr = nullptr;
                }
            }
            break;
        default:
            break;
    }
    if (FHSYS_GLOBALS::unLock_usingF[7]) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "x:%d", me->posX);
        text(0, 0, 16, 24, 1, GLred, buf);
        std::snprintf(buf, sizeof buf, "y:%d", me->posY);
        text(0, 24, 16, 24, 1, GLred, buf);
    }
}

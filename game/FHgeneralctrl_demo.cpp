// The script player of the attract demo, the opening and closing sequences and the two
// endings: records of G_LoopDemo start at their step, run in 32 slots and draw
// pictures, boxes, wipes, sprites, figures, decorations and texts, play music and
// effects, or end the script.
//
// Command types: 1, 2 picture a; 3, 4, 5 box in black, translucent blue, light blue;
// 6, 7 wipe in / out with tiles (a != 0) or an opening / closing iris (a == 0); 8 none;
// 9 animated sprite a + (counter / w11) mod w10 moving by (dx, dy); 10 the scripted
// figure (sub-types 0..6); 11 one decoration; 12 a text line of list a, w10 large;
// 13 a story line as a text sprite with its English form in the caption box (list
// 1002); 14 a line with a small copy in the caption box; 15 a list paged line by line;
// 16 music; 17 effect a; 18, 19, 20 end while A+B, D, or A/B/D are held; 21 end.
#include <climits>
#include <cstring>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_field.h"
#include "FHgeneralctrl.h"
#include "FHgeneralctrl_internal.h"
#include "FHmyworld.h"
#include "qgu_fileutil.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"
#include "qsdlpp2_trigon.h"

using namespace FHWGBL;
using namespace FHCtrl;
using namespace FHScript;

namespace {

int demoCounter = 0;   // steps since the script started
int nextQIdx = 0;      // next record to start
int nextQCount = 0;    // its start step
char printStr[kSlots][256];
char printEngStr[kSlots][256];

// Start step of record idx of the script, or "never" past its last record.
int startOf(int script, int idx) {
    if (idx >= kRecords || G_LoopDemo[script][idx][W_TYPE] == 0) return INT_MAX;
    return G_LoopDemo[script][idx][W_START];
}

void splash(int x, int y, int patt) {
    DecorateCtrlCls& deco = Game_GLOBALS::MyWorld.decoCtrl;
    deco.NewDecorate(x * 100, y * 100, 1, -150, -300, 100, 100, 0, 2, 24, 4, patt, 1, 1, 1, 1, 771);
    deco.NewDecorate(x * 100, y * 100, 1, 150, -300, 100, 100, 0, 2, 24, 4, patt, 1, 1, 1, 1, 771);
}

QSDLpp_GLSprite* figure(double x, double y, int patt, bool mirror, int rot) {
    QSDLpp_GLSprite* sp = putSprite(x, y, 2, mirror ? -100 : 100, 100, rot, patt);
    if (sp) sp->putCenterMode(true);
    return sp;
}

// Command 10: a figure whose sub-type advances by itself.
void scriptFigure(int32_t* s) {
    const int c = s[W_COUNTER];
    switch (s[W_SUB]) {
        case 0:
            figure(s[W_X], s[W_Y], 777, false, 180);
            s[W_Y] += 4;
            if (c >= 60) s[W_SUB] = 1;
            break;
        case 1:
            figure(s[W_X], s[W_Y], 587, false, 0);
            if (c == 61) {
                splash(s[W_X], s[W_Y], 93);
                splash(s[W_X], s[W_Y], 92);
            }
            if (c >= 120) s[W_SUB] = 2;
            break;
        case 2:
            figure(s[W_X], s[W_Y], 777, false, 0);
            if (c >= 180) s[W_SUB] = 3;
            break;
        case 3:
            figure(s[W_X], s[W_Y] + ((c / 8) & 1) * 4, 776, false, 0);
            if (c >= 240) s[W_SUB] = 4;
            break;
        case 4:
            figure(s[W_X], s[W_Y], 776, false, 0);
            if (c >= 320) s[W_SUB] = 5;
            break;
        case 5:
            figure(s[W_X], s[W_Y], 777, true, 0);
            s[W_X] -= 4;
            if (c % 16 == 0) splash(s[W_X], s[W_Y] + 8, 93);
            if (c >= 380) {
                s[W_SUB] = 0;
                s[W_COUNTER] = 0;
            }
            break;
        case 6: {
            const int bob = QSDLpp_Trigon::sin100x(c * 8) * 4 / 100;
            figure(s[W_X], s[W_Y] + bob, 777, s[W_DX] < 0, 0);
            s[W_X] += s[W_DX];
            if (c % 32 == 0) splash(s[W_X], s[W_Y] + 8, 93);
            if (c >= 128) {
                s[W_SUB] = 0;
                s[W_COUNTER] = 0;
            }
            break;
        }
        default: break;
    }
}

// Everything a sequence shows goes through the sprite list, so that the bands decide what
// covers what (a lower band covers a higher one; in a band the first queued is on top):
// figures 2, decorations and boxes 1, texts 0. Wipes and irises are queued before anything
// else of the step, so they cover all of it.
constexpr int kBandBox = 1;
constexpr int kBandText = 0;
constexpr int kBandCover = 0;
constexpr int kScreenW = 320;
constexpr int kTextMargin = 4;  // dots kept free at the right edge

QSDLpp_GLSprite* queueShape(int type, int band, double x, double y, int w, int h, const double* colour) {
    QSDLpp_GLSprite* sp = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    sp->setDrwType(type);
    sp->ratioBase(false);
    sp->put0(x, y, band);
    sp->setSize(w, h);
    sp->setColor(colour);
    return sp;
}

void queueBox(const double* colour, double x1, double y1, double x2, double y2, int band = kBandBox) {
    queueShape(GLO::SprBox, band, x1, y1, static_cast<int>(x2 - x1), static_cast<int>(y2 - y1), colour);
}

// The largest size up to `size` at which the text, printed from x, ends inside the screen.
int fittedSize(int font, const char* t, double x, int size) {
    const int room = kScreenW - kTextMargin - static_cast<int>(x);
    while (size > 4 && qgu_GLTextWidth(GLO::FontType[font], t, size) > room) --size;
    return size;
}

void queueText(double x, double y, int size, int font, const double* colour, const char* t) {
    QSDLpp_GLSprite* sp = queueShape(GLO::SprText, kBandText, x, y, size, size, colour);
    sp->setTextFont(static_cast<uint32_t>(font));
    sp->setStrPtr(t);
}

// Text with a shadow (queued after it, so beneath it), fitted to the screen's width.
void shadowText(double x, double y, int size, int font, const double* shadow, double off, const char* t) {
    const int fit = fittedSize(font, t, x + off, size);
    queueText(x, y, fit, font, GLwhite, t);
    queueText(x + off, y + off, fit, font, shadow, t);
}

void captionBox(const double* colour) { queueBox(colour, 8, 204, 312, 236); }

void smallCaption(const char* t) {
    const int fit = fittedSize(1, t, 16, 8);
    queueText(15, 209, fit, 1, GLwhite, t);
    queueText(16, 210, fit, 1, GLblack, t);
}

// Moves a text record by (dx, dy) during its last 60 steps.
void lateMove(int32_t* s) {
    if (s[W_DURATION] - s[W_COUNTER] < 60) {
        s[W_X] += s[W_DX];
        s[W_Y] += s[W_DY];
    }
}

// Runs one step of the record in slot i. Returns 9 when the script is to end.
int runCommand(GameMainCtrlCLS& ctl, int i) {
    int32_t* s = ctl.seqSlot[i];
    const int c = s[W_COUNTER];
    const int a = s[W_A];
    const int dur = s[W_DURATION] > 0 ? s[W_DURATION] : 1;
    QSDLpp_StickCls& stick = QSDL_GLOBALS::Stick;
    switch (s[W_TYPE]) {
        case 1:
        case 2:
            if (c == 1) ctl.loadPicture(a);
            break;
        case 3:
        case 4:
        case 5: {
            const double* col = s[W_TYPE] == 3 ? GLblack : s[W_TYPE] == 4 ? GLtransBlue : GLtransLgtBlue;
            queueBox(col, s[W_X], s[W_Y], s[W_X] + s[W_DX], s[W_Y] + s[W_DY]);
            break;
        }
        case 6:
        case 7: {
            const int per = dur / 8 > 0 ? dur / 8 : 1;
            const bool in = s[W_TYPE] == 6;
            if (a != 0) {
                const int tile = in ? 23 - (c / per) % 8 : 16 + (c / per) % 8;
                QSDLpp_GLSprite* sp =
                    queueShape(GLO::SprTiled, kBandCover, s[W_X], s[W_Y], s[W_DX], s[W_DY], GLblack);
                sp->patt = static_cast<int32_t>(FHSYSGBL::TileTxt[tile]);
            } else {
                int thick = in ? 6 * (32 - c) : 6 * c;
                if (thick > 0) queueShape(GLO::SprIris, kBandCover, 160, 120, 216, 216, GLblack)->setWidth(thick);
            }
            break;
        }
        case 9: {
            const int n = s[W_ANIM_N] > 0 ? s[W_ANIM_N] : 1;
            const int t = s[W_ANIM_T] > 0 ? s[W_ANIM_T] : 1;
            figure(s[W_X], s[W_Y], a + (c / t) % n, s[W_DX] < 0, 0);
            s[W_X] += s[W_DX];
            s[W_Y] += s[W_DY];
            break;
        }
        case 10: scriptFigure(s); break;
        case 11:
            Game_GLOBALS::MyWorld.decoCtrl.NewDecoratePatt(s[W_X] * 100, s[W_Y] * 100, 1, s[W_DX] * 100,
                                                         s[W_DY] * 100, 0, s[W_ANIM_N], a, s[W_DURATION]);
            s[W_START] = 0;
            break;
        case 12:
            if (c == 1) qgu_copyIdxStrPtr(printStr[i], a, s[W_SUB] + 1);
            queueText(s[W_X], s[W_Y], fittedSize(0, printStr[i], s[W_X], s[W_ANIM_N]), 0, GLwhite, printStr[i]);
            lateMove(s);
            break;
        case 13:
            if (c == 1) {
                qgu_copyIdxStrPtr(printStr[i], a, s[W_SUB]);
                printEngStr[i][0] = '\0';
                if (a == 1002) qgu_copyIdxStrPtr(printEngStr[i], 1003, s[W_SUB]);
            }
            if (a == 1002) {
                captionBox(UWMode ? GLtransCyan : GLtransHardBlue);
                queueText(16, 208, fittedSize(1, printEngStr[i], 16, 8), 1, GLwhite, printEngStr[i]);
            }
            shadowText(s[W_X], s[W_Y], 16, 1, GLtblack, 3, printStr[i]);
            lateMove(s);
            break;
        case 14:
            if (c == 1) qgu_copyIdxStrPtr(printStr[i], a, s[W_SUB]);
            shadowText(s[W_X], s[W_Y], 16, 1, GLtblack, 3, printStr[i]);
            if (s[W_DURATION] - c >= 60) {
                captionBox(GLtransHardBlue);
                smallCaption(printStr[i]);
            }
            lateMove(s);
            break;
        case 15: {
            if (s[W_ANIM_T] == 0 && qgu_copyIdxStrPtr(printStr[i], a, s[W_SUB] + 1) == 0) {
                s[W_START] = 0;  // the list has no more lines
                break;
            }
            shadowText(s[W_X], s[W_Y], 16, 1, GLblack, 1, printStr[i]);
            captionBox(GLtransHardBlue);
            smallCaption(printStr[i]);
            s[W_ANIM_T] += 1;
            const int per = s[W_PARAM] > 0 ? s[W_PARAM] : 1;
            if (s[W_ANIM_T] >= (static_cast<int>(std::strlen(printStr[i])) + 2) * per) {
                s[W_ANIM_T] = 0;
                s[W_SUB] += 1;
                if (s[W_SUB] >= 16) s[W_START] = 0;
            }
            break;
        }
        case 16:
            if (c == 1) {
                char path[256];
                if (a != 0 && musicPath(a, path)) {
                    QSDL_GLOBALS::music.load(path);
                    QSDL_GLOBALS::music.start(s[W_PARAM]);
                }
                if (s[W_SUB] != 0) QSDL_GLOBALS::music.event(s[W_SUB], s[W_ANIM_N]);
                if (s[W_ANIM_T] != 0) QSDL_GLOBALS::music.musVol(s[W_ANIM_T]);
            }
            break;
        case 17:
            if (c == 1) QSDL_GLOBALS::sound.playNum(a);
            break;
        case 18:
            if (stick.trigA(0) && stick.trigB(0)) return 9;
            break;
        case 19:
            if (stick.trigD(0)) return 9;
            break;
        case 20:
            if (stick.trigA(0) || stick.trigB(0) || stick.trigD(0)) return 9;
            break;
        case 21:
            s[W_START] = 0;
            return 9;
        default: break;
    }
    return 0;
}

}  // namespace

int GameMainCtrlCLS::demoCtrlLoop(int script, int mode) {
    if (script < 0 || script >= kScripts) return 9;
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    if (mode == -1) {
        std::memset(seqSlot, 0, sizeof seqSlot);
        resetFHWGBL();
        for (auto& d : w.decoCtrl.decos) d.activeF = 0;
        fadeMusic(1000);
        demoCounter = 0;
        nextQIdx = 0;
        nextQCount = startOf(script, 0);
        runningScript = script;
        return 0;
    }
    int result = 0;
    // Wipes and irises first: queued first, they cover the rest of the step's pictures.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < kSlots; ++i) {
            int32_t* s = seqSlot[i];
            if (s[W_START] < 1) continue;
            const bool cover = s[W_TYPE] == 6 || s[W_TYPE] == 7;
            if (cover != (pass == 0)) continue;
            s[W_COUNTER] += 1;
            if (runCommand(*this, i) == 9) result = 9;
            if (s[W_START] >= 1 && s[W_COUNTER] >= s[W_DURATION]) s[W_START] = 0;
        }
    }
    // Start every record that is due (one start step may hold several records).
    while (demoCounter >= nextQCount) {
        int freeSlot = -1;
        for (int i = 0; i < kSlots; ++i)
            if (seqSlot[i][W_START] < 1) {
                freeSlot = i;
                break;
            }
        if (freeSlot < 0) break;  // all 32 slots busy: the record waits
        std::memcpy(seqSlot[freeSlot], G_LoopDemo[script][nextQIdx], sizeof seqSlot[freeSlot]);
        seqSlot[freeSlot][W_START] = 1;  // marks the slot busy
        seqSlot[freeSlot][W_COUNTER] = 0;
        nextQIdx += 1;
        nextQCount = startOf(script, nextQIdx);
    }
    w.decoCtrl.moveDecorates();
    demoCounter += 1;
    if (result == 9) runningScript = -1;
    return result;
}

// The chapter browser: the chapter list gated by the diary, the section map with its
// walking figure, the replay page, the zoom into a section, and the option page.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <ctime>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_field.h"
#include "FHgeneralctrl.h"
#include "FHgeneralctrl_internal.h"
#include "FHgeneralctrl_texts.h"
#include "FHmyworld.h"
#include "FHmyworld_loop.h"
#include "envresGlobal.h"
#include "qgu_basicfunc.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"

using namespace FHWGBL;
using namespace FHCtrl;

namespace {

enum Page { P_OPEN = 1, P_CLOSE = 2, P_LIST = 3, P_MAP = 4, P_START = 5, P_OPTION = 6 };

int brwmode = P_LIST;
int browseCC = 0;        // steps on the page (or since the list cursor last moved)
double x = 0, y = 0;     // the walking figure on the section map
double dx = 0, dy = 0;
int rpselectSC = 0;      // section on the replay page
int rpselectTyp = 0;     // film kind 0..2
bool rpSelModeF = false; // the replay page is open
int rpCC = 0;            // steps since the replay page opened
int rpMoveCC = 0;        // steps since the last move on the replay page
int mapMoveCC = 0;       // steps since the cursor last moved on the section map

double pointX(int p) { return MovingPosit[p][1]; }
double pointY(int p) { return MovingPosit[p][0]; }

int validChapter() { return (CHAPTER >= 0 && CHAPTER < kStageChapters) ? CHAPTER : 0; }

bool choosePressed() {
    QSDLpp_StickCls& s = QSDL_GLOBALS::Stick;
    return s.trigA(0) || s.trigD(0) || s.userKey(SC_RETURN);
}

// Entries listed in the chapter list: up to the first locked one.
int listedEntries() {
    int n = 0;
    while (n < 7 && chapterEntryListed(record(), n)) ++n;
    return n;
}

// The film of the replay page's selection, when the world holds one.
const char* selectedFilm(int kind) {
    const int ch = CHAPTER;
    if (ch < 0 || ch >= FHLayout::kFilmChapters || rpselectSC < 0 || rpselectSC >= FHLayout::kFilmSections)
        return nullptr;
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    if (!w.filmPresent[ch][rpselectSC][kind]) return nullptr;
    return w.replayFilms[ch][rpselectSC][kind];
}

void drawFigure(double fx, double fy, int patt, bool mirror) {
    if (QSDLpp_GLSprite* sp = putSprite(fx, fy, 1, mirror ? -100 : 100, 100, 0, patt)) sp->putCenterMode(true);
}

// The two friends and the dog: walking (hero 659..662, heroine 675..678) or standing
// (656, 672) with the dog bobbing (640/641). (x, y) is the friends' feet line centre.
void drawParty(double x, double y, bool walking, bool mirror, int cc) {
    const double side = mirror ? -1 : 1;
    const int frame = (cc / 4) & 3;
    drawFigure(x - 10 * side, y - 16, walking ? 675 + frame : 672, mirror);
    drawFigure(x + 6 * side, y - 16, walking ? 659 + frame : 656, mirror);
    drawFigure(x + 22 * side, y - 8 - (walking ? 0 : ((cc / 8) & 1) * 2), 640 + ((cc / 8) & 1), mirror);
}

void drawSectionMap(int chapter, int cursor, bool arrived) {
    const unsigned char* rec = record();
    for (int s = 0; s < 5; ++s) {
        const int p = s + 1;
        const bool big = arrived && cursor == p;
        if (QSDLpp_GLSprite* sp = putSprite(pointX(p), pointY(p), 2, big ? 120 : 80, big ? 120 : 80, 0,
                                            1280 + chapter * 5 + s)) {
            sp->putCenterMode(true);
            sp->setColor(sectionHasRecord(rec, chapter, s) ? GLwhite : GLgray);
        }
    }
}

void drawReplayPage(int chapter) {
    qgu_GLDrawSimpleSuqre(GLtransHardBlue, 16, 16, 304, 200);
    drawText(32, 22, 16, 16, 0, GLwhite, "Replay films.");
    drawText(184, 190, 8, 8, 1, GLwhite, "Press C to Exit ");
    if (QSDLpp_GLSprite* sp = putSprite(68, 80, 0, 80, 80, 0, 1280 + chapter * 5 + rpselectSC))
        sp->putCenterMode(true);
    char line[64];
    for (int k = 0; k < 3; ++k) {
        const bool have = selectedFilm(k) != nullptr;
        const double* col = k == rpselectTyp ? (have ? GLyellow : GLred) : (have ? GLwhite : GLgray);
        std::snprintf(line, sizeof line, "%s %d-%d", FHCtrlText::Repstr[k], chapter + 1, rpselectSC + 1);
        drawText(128, 50 + 16 * k, 12, 12, 0, col, line);
    }
    const char* film = selectedFilm(rpselectTyp);
    if (film && FHWorldCLS::filmIsSound(film)) {
        using namespace FHLayout;
        drawText(32, 120, 8, 8, 1, GLyellow, "Play info");
        std::snprintf(line, sizeof line, "CHAPTER   %d", get32(film, kFilmChapterOfs) + 1);
        drawText(32, 132, 8, 8, 1, GLwhite, line);
        std::snprintf(line, sizeof line, "Section   %d", get32(film, kFilmSectionOfs) + 1);
        drawText(32, 142, 8, 8, 1, GLwhite, line);
        std::snprintf(line, sizeof line, "Start Lv. %d", get32(film, kFilmLevelOfs));
        drawText(32, 152, 8, 8, 1, GLwhite, line);
        std::snprintf(line, sizeof line, "Stg Score %d", get32(film, kFilmFinalScoreOfs));
        drawText(32, 162, 8, 8, 1, GLwhite, line);
        const int32_t secs = get32(film, kFilmTimeOfs);
        std::snprintf(line, sizeof line, "PlayTimer %2d:%2d", secs / 60, secs % 60);
        drawText(32, 172, 8, 8, 1, GLwhite, line);
        const time_t when = static_cast<time_t>(get64(film, kFilmStartTimeOfs));
        struct tm tmv;
        if (localtime_r(&when, &tmv)) {
            std::strftime(line, sizeof line, "%Y/%m/%d %H:%M", &tmv);
            drawText(32, 182, 8, 8, 1, GLwhite, line);
        }
        if (rpselectTyp < 2) drawText(128, 104, 8, 8, 1, GLorange, "Save as [FAVOLITE] with [F5]");
    } else {
        drawText(32, 120, 8, 8, 1, GLwhite, "None");
    }
}

}  // namespace

namespace FHCtrl {
int browsePage() { return brwmode; }
bool replayPageOpen() { return rpSelModeF; }
bool chapterEntryListed(const unsigned char* rec, int k) {
    if (k < 0 || k > 6) return false;
    if (FHSYS_GLOBALS::unLock_enableF[4]) return true;
    return rec != nullptr && rec[FHLayout::kRecMilestoneFlagOfs + k] != 0;
}
}  // namespace FHCtrl

int GameMainCtrlCLS::browseLoop(int mode) {
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    QSDLpp_StickCls& stick = QSDL_GLOBALS::Stick;
    QSDLpp_MixSoundCls& snd = QSDL_GLOBALS::sound;

    // ---- Entries ----
    switch (mode) {
        case 10:
            CHAPTER = chosenChapter;
            w.changeStatePlyOrRep(false);
            snd.playNum(30);
            loadPicture(160);
            brwmode = P_LIST;
            browseCC = 0;
            rpSelModeF = false;
            browseCursor = chosenChapter + 1;
            return GS_BROWSE;
        case 11:
            loadPicture(160);
            brwmode = P_LIST;
            browseCC = 0;
            rpSelModeF = false;
            browseCursor = 1;
            return GS_BROWSE;
        case 2:
        case 4: {
            rpSelModeF = false;
            const int ch = validChapter();
            const int sec = (SECTION >= 0 && SECTION < 5) ? SECTION : 0;
            const int32_t* stage = vrndx_getStageRefPtr(ch, sec);
            const int next = mode == 4 ? stage[2] : stage[1];
            browseCursor = next + 1;
            w.saveLastDiaryRef();
            browseCC = 0;
            if (next < 5) {
                // The figure walks on the section map, so the open book (the last page
                // of the opening turn) lies under it; the closed cover would show its
                // title card through the section points and the replay panel.
                loadPicture(164);
                x = pointX(sec + 1);
                y = pointY(sec + 1);
                dx = (pointX(next + 1) - x) / 64;
                dy = (pointY(next + 1) - y) / 64;
                rpselectSC = next;
                brwmode = P_MAP;
            } else {
                loadPicture(160);
                brwmode = P_CLOSE;
                browseCursor = ch == 5 ? 6 : ch + 2;
                if (ch == 4) {
                    GoldCoins = 1;
                    FHLoop::sealCounters();
                }
            }
            return GS_BROWSE;
        }
        case 3:
        case 5:
            demoLoop(-1);
            return GS_DEMO;
        case -1:
            brwmode = P_LIST;
            browseCC = 0;
            return GS_BROWSE;
        default: break;
    }

    // ---- One step ----
    int result = GS_BROWSE;
    qgu_GLDrawTexture(pictureTex, 320, 240, 0, 0, 0);
    const int ch = validChapter();
    int sy = 0, sx = 0;
    stick.stickYX(0, sy, sx);

    switch (brwmode) {
        case P_OPEN:
            loadPicture(160 + (browseCC / 6) % 5);
            if (browseCC >= 30) {
                browseCC = 0;
                if (browseCursor == 0) {
                    brwmode = P_LIST;
                    loadPicture(160);
                } else {
                    brwmode = P_MAP;
                    loadPicture(164);
                    browseCursor = 1;
                    rpselectSC = 0;
                    x = pointX(0);
                    y = pointY(0);
                    dx = (pointX(1) - x) / 64;
                    dy = (pointY(1) - y) / 64;
                }
                return result;
            }
            break;
        case P_CLOSE:
            loadPicture(164 - (browseCC / 6) % 5);
            if (browseCC >= 30) {
                browseCC = 0;
                brwmode = browseCursor == 0 ? P_OPTION : P_LIST;
                loadPicture(160);
                return result;
            }
            break;
        case P_LIST: {
            const int n = listedEntries();
            if (browseCursor >= n) browseCursor = n > 0 ? n - 1 : 0;
            if (browseCursor < 0) browseCursor = 0;
            const unsigned char* rec = record();
            for (int k = 0; k < n; ++k) {
                const FH_TexName tex = FHSYSGBL::ChapSelTxt[(k == 6 && rec[470]) ? 7 : k];
                // (160, 64 + 20 k) is the top-left of the 128 x 16 title; the larger
                // title under the cursor keeps the same centre.
                const double cx = 160 + 64, cy = 64 + 20 * k + 8;
                if (k == browseCursor)
                    qgu_GLPutTextureWithColor(GLorange, tex, cx, cy, 0, 160, 20, 0);
                else
                    qgu_GLPutTextureWithColor(GLwhite, tex, cx, cy, 0, 128, 16, 0);
            }
            drawText(80, 216, 8, 8, 1, GLred, ChapterComment[browseCursor]);
            // The figure beside the cursor entry.
            drawParty(122, 80 + 20 * browseCursor, browseCC < 11, false, browseCC);
            const int shown = browseCursor - 1;
            if (shown >= 0 && shown < 8) {
                for (int k = 0; k < 10; ++k)
                    if (rec[FHLayout::kRecEvalItemOfs + shown * 10 + k]) putSprite(80 + 16 * k, 196, 0, 100, 100, 0, 496 + k);
                if (rec[FHLayout::kRecPenBoxOfs + shown]) putSprite(244, 196, 0, 100, 100, 0, 511);
                if (rec[FHLayout::kRecMasterKeyOfs + shown]) putSprite(268, 196, 0, 100, 100, 0, 509);
            }
            if (QSDLpp_GLSprite* sp = putSprite(260, 2, 0, 100, 100, 0, 393)) sp->setColor(1, 1, 1, 0.6);
            if (QSDLpp_GLSprite* sp = putSprite(280, 2, 0, 100, 100, 0, 384 + w.defaultLevel)) sp->setColor(1, 1, 1, 0.6);
            const char coin[2] = {static_cast<char>(156 + ((browseCC / 4) & 3)), '\0'};
            drawText(0, 26, 16, 16, 0, GLwhite, coin);
            char num[16];
            if (FHSYS_GLOBALS::unLock_usingF[5]) {
                std::strcpy(num, "Free");
            } else {
                NumtoStr(num, GoldCoins, GoldCoins > 999 ? 4 : 3);
            }
            drawText(20, 28, 12, 12, 0, GLyellow, num);

            if (browseCC < 11) break;
            if (choosePressed() || stick.userKey(SC_RIGHT)) {
                const int entry = browseCursor;
                snd.playNum(10);
                if (entry == 0) {
                    fadeMusic(1000);
                    CHAPTER = 0;
                    GameLevel = w.defaultLevel;
                    return demoLoop(-2);
                }
                if (entry == 6) {
                    if (FHSYS_GLOBALS::unLock_enableF[4] && rec[470] == 0) {
                        browseCursor = 5;
                        browseCC = 0;
                        break;
                    }
                    fadeMusic(1000);
                    return demoLoop(-3);
                }
                chosenChapter = entry - 1;
                CHAPTER = entry - 1;
                brwmode = P_OPEN;
                browseCC = 0;
                return result;
            }
            if (sx < 0 && browseCursor == 0) {
                snd.playNum(13);
                brwmode = P_CLOSE;
                browseCC = 0;
                return result;
            }
            if ((sy < 0 || sx < 0) && browseCursor > 0) {
                browseCursor -= 1;
                snd.playNum(13);
                browseCC = 0;
                return result;
            }
            if (sy > 0 && browseCursor + 1 < n) {
                browseCursor += 1;
                snd.playNum(13);
                browseCC = 0;
                return result;
            }
            break;
        }
        case P_MAP: {
            const bool arrived = browseCC >= 64;
            if (!arrived) {
                x += dx;
                y += dy;
            } else {
                x = pointX(browseCursor);
                y = pointY(browseCursor);
            }
            if (!rpSelModeF) {
                drawSectionMap(ch, browseCursor, arrived);
                drawParty(x, y - 20, !arrived, dx < 0, browseCC);
            }
            if (rpSelModeF) {
                rpCC += 1;
                rpMoveCC += 1;
                drawReplayPage(ch);
                if (rpMoveCC >= 7 && (sx != 0 || sy != 0)) {
                    if (sy != 0) rpselectTyp = (rpselectTyp + sy + 3) % 3;
                    if (sx != 0) rpselectSC = (rpselectSC + sx + 5) % 5;
                    snd.playNum(2);
                    SDL_Delay(100);
                    rpMoveCC = 0;
                }
                const char* film = selectedFilm(rpselectTyp);
                if (film && rpselectTyp < 2 && stick.userKey(SC_F5)) {
                    w.CopyReplayAsFavorite(CHAPTER, rpselectSC, rpselectTyp);
                    snd.playNum(24);
                    w.loadReplayFiles();
                    waitKeyRelease(SC_F5);
                }
                // Only an existing film can be chosen; on an empty slot the page stays.
                if (rpCC > 2 && film && choosePressed()) {
                    fadeMusic(1000);
                    w.replayPlaybackF = true;
                    SECTION = rpselectSC;
                    brwmode = P_START;
                    browseCC = 0;
                    return result;
                }
                if (rpCC > 2 && (stick.trigC(0) || stick.trigB(0))) {
                    rpSelModeF = false;
                    w.replayPlaybackF = false;
                    stick.waitReleaseAnyButtons();
                }
                break;
            }
            if (!arrived) break;
            // Section texts.
            const int sec = browseCursor - 1;
            if (sec >= 0 && sec < 5) {
                const int slot = ch * 5 + sec;
                char line[64];
                std::snprintf(line, sizeof line, "Hiscore :%d", FHLayout::get32(record(), FHLayout::kRecHighScoreOfs + slot * 4));
                drawText(8, 4, 8, 8, 1, GLwhite, line);
                const int32_t best = FHLayout::get32(record(), FHLayout::kRecBestTimeOfs + slot * 4) & 0xFFFFFF;
                if (best != 0 && best < FHLayout::kNoBestTime) {
                    std::snprintf(line, sizeof line, "Besttime:%d sec", best / 60);
                    drawText(8, 14, 8, 8, 1, GLwhite, line);
                }
            }
            drawText(144, 204, 8, 8, 1, GLwhite, "Press C to select Replay.");
            mapMoveCC += 1;
            if (stick.trigC(0)) {
                rpSelModeF = true;
                rpCC = 0;
                rpMoveCC = 0;
                if (sec >= 0) rpselectSC = sec;
                snd.playNum(13);
                stick.waitReleaseAnyButtons();
                break;
            }
            if (choosePressed()) {
                if (browseCursor == 0) {
                    brwmode = P_CLOSE;
                    browseCursor = ch + 1;
                    snd.playNum(10);
                    browseCC = 0;
                    return result;
                }
                fadeMusic(1000);
                SECTION = browseCursor - 1;
                w.replayPlaybackF = false;
                brwmode = P_START;
                browseCC = 0;
                return result;
            }
            if (mapMoveCC >= 11 && (sx != 0 || sy != 0)) {
                // The stick walks points 0..3; going on needs a record of the section
                // under the cursor. Points 4 and 5 are reached only after a clear.
                int to = browseCursor;
                if (sx < 0 || sy < 0) {
                    if (browseCursor > 0) to = browseCursor - 1 > 3 ? 3 : browseCursor - 1;
                } else if (browseCursor < 3 &&
                           (browseCursor == 0 || sectionHasRecord(record(), ch, browseCursor - 1))) {
                    to = browseCursor + 1;
                }
                if (to != browseCursor) {
                    browseCursor = to;
                    rpselectSC = browseCursor > 0 ? browseCursor - 1 : 0;
                    snd.playNum(32);
                    mapMoveCC = 0;
                }
            }
            break;
        }
        case P_START: {
            const int sec = (SECTION >= 0 && SECTION < 5) ? SECTION : 0;
            const double t = browseCC / 40.0;
            const double px = pointX(sec + 1) + (160 - pointX(sec + 1)) * t;
            const double py = pointY(sec + 1) + (120 - pointY(sec + 1)) * t;
            const int size = 40 + 20 * browseCC;
            if (QSDLpp_GLSprite* sp = putSprite(px, py, 0, size, size, sec <= 2 ? 5 * browseCC : 0, 1280 + ch * 5 + sec)) {
                sp->putCenterMode(true);
                const double c = 1.0 - t;
                sp->setColor(c, c, c);
            }
            if (browseCC == 39) loadPicture(9000);
            if (browseCC >= 40) {
                w.initNewgame(0);
                if (w.loadNewStage(CHAPTER, SECTION, rpselectTyp) < 0) {
                    snd.playNum(41);
                    rpSelModeF = false;
                    w.replayPlaybackF = false;
                    neutraLoop(-1);
                    brwmode = P_CLOSE;
                    browseCursor = CHAPTER + 1;
                    browseCC = 0;
                    return GS_BROWSE;
                }
                rpSelModeF = false;
                w.fhWorldMainLoop(-1);
                browseCC = 0;
                return GS_PLAY;
            }
            break;
        }
        case P_OPTION:
            if (optionLoop(sx, sy) != 6) {
                brwmode = P_OPEN;
                browseCursor = 0;
                snd.playNum(13);
                browseCC = 0;
            }
            break;
        default:
            brwmode = P_LIST;
            break;
    }
    browseCC += 1;
    return result;
}

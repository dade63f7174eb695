// The game controller: the top-level state machine that the frame loop steps once per
// 1/60 s. Each state has a step handler that draws its own screen and answers the next
// state: the title, the attract demo, the chapter browser (with the replay page and the
// option menu), play, the clear screens, the game-over picture and the scripted
// sequences. All play state lives in the world (Game_GLOBALS::MyWorld); the controller
// keeps only its cursor, counters, the current picture and the running script records.
#pragma once

#include <cstdint>

#include "FHWorldGlobal.h"

// Controller states (GameMainCtrlCLS::GctrlState).
enum GctrlState : int32_t {
    GS_TITLE = 0,
    GS_PLAY = 1,
    GS_BROWSE = 3,
    GS_CLEAR = 4,
    GS_GAMEOVER = 6,
    GS_DEMO = 7,
    GS_OPENING = 8,
    GS_CLOSING = 9,
};

namespace GameState {
// Events sent to the controller from outside its step; only G_QUIT is acted on.
enum G_EVENT : int32_t { G_NONE = 0, G_QUIT = 6 };
}  // namespace GameState

// The scripted sequences: 5 scripts of 100 records of 13 words (see FHgeneralctrl_demo.cpp
// for the command types).
namespace FHScript {
constexpr int kScripts = 5;
constexpr int kRecords = 100;
constexpr int kWords = 13;
constexpr int kSlots = 32;
enum Word {
    W_START = 0, W_TYPE, W_A, W_DURATION, W_X, W_Y, W_DX, W_DY, W_COUNTER, W_SUB, W_ANIM_N,
    W_ANIM_T, W_PARAM
};
}  // namespace FHScript

extern const int32_t G_LoopDemo[FHScript::kScripts][FHScript::kRecords][FHScript::kWords];

class GameMainCtrlCLS {
public:
    int32_t browseCursor = 0;   // chapter entry in the list, map point on the section map
    int32_t stepCounter = 0;    // steps in the current title, demo or game-over screen
    int32_t chosenChapter = -1; // -1 until the opening sequence has been seen
    int32_t GctrlState = GS_TITLE;
    FH_TexName workTex = 0;     // 512 x 512 texture for the handlers' use
    FH_TexName pictureTex = 0;  // the full-screen picture on show
    int32_t seqSlot[FHScript::kSlots][FHScript::kWords] = {};

    GameMainCtrlCLS();
    ~GameMainCtrlCLS() {}
    void purge() {}

    int init(int);
    int Mainloop(int, bool);
    int event(GameState::G_EVENT e);
    int showDebugMode(int key);

    int neutraLoop(int mode);
    int demoLoop(int mode);
    int clearLoop(int c);
    int browseLoop(int mode);
    int demoCtrlLoop(int script, int mode);
    int optionLoop(int dx, int dy);

    int g_initToNew(int) { return 0; }
    int loadStageDataFromRes(int) { return 0; }

    // Puts picture resID into the picture texture (a texture made once per picture).
    // A missing picture keeps the previous one.
    void loadPicture(int resID);

    // The script last started (-1 once it has ended).
    int32_t runningScript = -1;

private:
    int stepPlay();
};

// The one controller (made by main0).
extern GameMainCtrlCLS* mainGloop;

namespace FHCtrl {
// The chapter rating 0..3 of `chapter` from the working record (clear screen).
int chapterRating(const unsigned char* record, int chapter);
// The start coins for choice 3 of the option menu from the working record.
int32_t computedStartCoins(const unsigned char* record);
// True when entry k (0..6) of the chapter list is listed.
bool chapterEntryListed(const unsigned char* record, int k);
// Steps of the chapter-result rating for `chapter`.
int ratingLimit(int chapter);
}  // namespace FHCtrl

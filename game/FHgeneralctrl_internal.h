// Small helpers shared by the controller's modules (FHgeneralctrl*.cpp).
#pragma once

#include <cstdint>

namespace FHCtrl {

// SDL scancodes the controller tests directly.
enum : int {
    SC_RETURN = 40,
    SC_ESCAPE = 41,
    SC_F5 = 62,
    SC_RIGHT = 79,
};

// Text through the bitmap font table at z 0.
void drawText(double x, double y, int w, int h, int font, const double* colour, const char* text);
// Loads music record "STR " id (a path) into the music player with volume 100 and
// starts it with `loops`. A missing record is logged and leaves the music as it is.
void playMusicRes(int id, int loops);
// Copies the path held by music record "STR " id into dst (256 bytes, terminated even
// when the record is not). False when there is no such record.
bool musicPath(int id, char* dst);
// Fades the music out over `ms` milliseconds.
void fadeMusic(int ms);
// Busy-waits (pumping SDL events) until the key with this scancode is released.
void waitKeyRelease(int scancode);
// The working play record (never null: a zeroed record stands in before the diary loads).
const unsigned char* record();

}  // namespace FHCtrl

namespace FHCtrl {
// True when the section has a record (its best-time word is set once it was played to
// its end) in the play record.
bool sectionHasRecord(const unsigned char* rec, int chapter, int section);
// The option menu's statics: reset, selected row, start-coin choice.
void resetOptionMenu();
int optionSelectedRow();
int optionCoinChoice();
// The browser's page (brwmode) and replay page state, for tests and the shell.
int browsePage();
bool replayPageOpen();
// The clear screen's phase (0 coin exchange, 1 wait, 2 rating fading in, 3 rating
// standing, 4 left) and the chapter rating it shows from phase 2 on.
int clearPhase();
int clearRating();
}  // namespace FHCtrl

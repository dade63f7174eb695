// Swimming: what the swimming step's files share. The character's frame step under
// water (SwimUs) is split in three files: FHobjectCtrl_swim.cpp (the frame: miss, gauges,
// movement, carriers and drawing), FHobjectCtrl_swim_posture.cpp (the posture machine
// and the mode changes) and FHobjectCtrl_swim_tables.cpp (the swim animation tables).
// The dog's swimming step lives in FHobjectCtrl_swim_dog.cpp.
#pragma once

#include <cstdint>

#include "FHobjectCtrl.h"

namespace FHSwim {

// Postures (uwState) by number.
constexpr int P_UP = 1;  // swimming upwards
constexpr int P_DOWN = 2;  // diving
constexpr int P_LEFT = 3;  // swimming left
constexpr int P_RIGHT = 4;  // swimming right
constexpr int P_EXHAUSTED = 5;  // out of air
constexpr int P_CHARGE = 6;  // charging the dog's attack (also the hold of movement mode 6)
constexpr int P_HELD = 7;  // held by a carrier
constexpr int P_REST = 8;  // treading water
constexpr int P_SINK = 9;  // resting head down
constexpr int P_TURNUP = 10;  // turning to swim up
constexpr int P_TURNDOWN = 11;  // turning to dive
constexpr int P_SLEEP = 12;  // dozing after a long rest
constexpr int P_TURNL = 13;  // turning from right to left
constexpr int P_TURNR = 14;  // turning from left to right
constexpr int P_DASHTURNL = 15;  // rolling round from a dash to the right
constexpr int P_DASHTURNR = 16;  // rolling round from a dash to the left
constexpr int P_BACKFLIP = 17;  // settling after turns
constexpr int P_RELEASE = 18;  // the dog's attack let go
constexpr int P_HURT = 19;  // hurt
constexpr int P_DRIFT = 20;  // carried by a current

// Statics of the swimming step (reset at every resume and at a section start).
struct Statics {
    bool HoldTriF = false;     // trigger A held since its last press
    int prevFaceX = 1;         // last non-zero x direction
    int lastStickDir = -1;     // stick direction of the last frame
    int stateStickDir = -1;    // stick direction the posture rules use
    int touchStat = 0;         // result bits of this frame's map move
    int prevTouchStat = 0;     // and of the previous one
    int twistStateCounter = 0; // frames of free drifting left after leaving a wall
    int BackModeFCounter = 0;  // turns since the last rest, 0..5
};
Statics& statics();
void resetStatics();

// The swim animation: rows of 8 entries (pattern offset from the character's first swim
// picture, rotation in degrees, mirror +-1); -1 marks an empty pattern slot.
constexpr int kMtnRows = 16;
extern const int mtnPattern[kMtnRows * 8];
extern const int mtnAngle[kMtnRows * 8];
extern const int mtnMirror[kMtnRows * 8];
// The row each posture (0..20) draws, and steps per animation frame of that posture.
extern const int mtnRowOfPosture[21];
extern const int mtnFrameTime[21];
// First swim picture of each character; the miss picture is first + 47.
constexpr int kSwimPatt[2] = {896, 944};

// The picture a posture shows after `frames` frames in it: offset, rotation, mirror.
struct SwimFrame {
    int offset;
    int angle;
    int mirror;
};
SwimFrame swimFrame(int posture, int frames);

// Posture change written "-> u (t)": mode 0, posture u, run 0, timer t, charge 0, and
// the dog's attack reset unless keepDog.
void toPosture(MyCharactor* me, int u, int t, bool keepDog = false);

// One frame of the posture rules (the stick direction d of this frame). Returns true
// when the posture changed.
bool postureStep(MyCharactor* me, int d);

// The event of a long rest under water (two minutes without touching the stick).
void surfacingEvent(MyCharactor* me);

// Rising bubbles at a field position (decorations only; no Random()).
void bubbles(int x, int y, int n);

}  // namespace FHSwim

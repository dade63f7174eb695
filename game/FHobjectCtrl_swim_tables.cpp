// The swim animation: per posture a row of up to eight pictures with their rotation and
// mirror. Picture offsets count from the character's first swim picture (896 for the
// hero, 944 for the heroine):
//   0..7 strokes, 8..15 treading water, 16..23 dash, 24..31 climbing strokes,
//   32..39 charging, 40..46 drifting, 47 the miss.
#include "FHobjectCtrl_swim.h"

namespace FHSwim {

// clang-format off
const int mtnPattern[kMtnRows * 8] = {
     6,  7,  8,  9, -1, -1, -1, -1,   // 0  treading water, slow (rest)
    12, 13,  5,  5,  7,  7,  8,  8,   // 1  swimming upwards
     0,  1,  2,  3,  4,  5,  6,  7,   // 2  strokes (left, right)
    24, 25, 26, 27, 28, 29, 30, 31,   // 3  diving (climbing strokes turned down)
     8,  9, 10, 11, 12, 13, 14, 15,   // 4  treading water, the sinking rest
    32, 33, 34, 35, 36, 37, 38, 39,   // 5  charging
    40, 41, 42, 43, 42, 41, -1, -1,   // 6  struggling in a carrier's grip
     8, 10, 12, 14, -1, -1, -1, -1,   // 7  turning up or down
    11, 11, 12, 12, -1, -1, -1, -1,   // 8  dozing
     2,  3,  8,  9,  4,  5, -1, -1,   // 9  turning round
    16, 17, 18, 19, 20, 21, 22, 23,   // 10 rolling out of a dash
     9, 10, 11, 12, 13, 14, 15,  8,   // 11 settling after turns
    32, 34, 36, 38, -1, -1, -1, -1,   // 12 letting the dog's attack go
    44, 45, 46, 45, -1, -1, -1, -1,   // 13 hurt
    40, 41, 42, 43, 44, 45, 46, -1,   // 14 drifting in a current
    47, 46, 47, 46, -1, -1, -1, -1,   // 15 out of air
};
const int mtnAngle[kMtnRows * 8] = {
      0,   0,   0,   0,   0,   0,   0,   0,
    -90, -90, -90, -90, -90, -90, -90, -90,
      0,   0,   0,   0,   0,   0,   0,   0,
     90,  90,  90,  90,  90,  90,  90,  90,
      0,   0,   0,   0,   0,   0,   0,   0,
      0,   0,   0,   0,   0,   0,   0,   0,
    -10,  10, -20,  20, -10,  10,   0,   0,
    -30, -60, -30, -60,   0,   0,   0,   0,
     10,  10,  15,  15,   0,   0,   0,   0,
      0,   0,   0,   0,   0,   0,   0,   0,
      0,  45,  90, 135, 180, 225, 270, 315,
      0,  45,  90, 135, 180, 225, 270, 315,
      0,   0,   0,   0,   0,   0,   0,   0,
     20, -20,  20, -20,   0,   0,   0,   0,
      0,  30,  60,  90, 120, 150, 180,   0,
    180, 170, 180, 190,   0,   0,   0,   0,
};
const int mtnMirror[kMtnRows * 8] = {
     1,  1,  1,  1,  1,  1,  1,  1,
     1,  1,  1,  1,  1,  1,  1,  1,
     1,  1,  1,  1,  1,  1,  1,  1,
     1,  1,  1,  1,  1,  1,  1,  1,
     1,  1,  1,  1,  1,  1,  1,  1,
     1,  1,  1,  1,  1,  1,  1,  1,
     1, -1,  1, -1,  1, -1,  1,  1,
     1,  1,  1,  1,  1,  1,  1,  1,
     1,  1,  1,  1,  1,  1,  1,  1,
     1,  1, -1, -1, -1, -1,  1,  1,
     1,  1,  1,  1,  1,  1,  1,  1,
     1,  1,  1,  1,  1,  1,  1,  1,
     1,  1,  1,  1,  1,  1,  1,  1,
     1,  1,  1,  1,  1,  1,  1,  1,
     1,  1,  1,  1,  1,  1,  1,  1,
     1,  1,  1,  1,  1,  1,  1,  1,
};
// Posture:                    0  1  2  3  4   5  6  7  8  9 10 11 12 13 14  15  16  17  18  19  20
const int mtnRowOfPosture[21] = {0, 1, 3, 2, 2, 15, 5, 6, 0, 4, 7, 7, 8, 9, 9, 10, 10, 11, 12, 13, 14};
const int mtnFrameTime[21]    = {8, 6, 6, 6, 6, 12, 4, 3, 8, 9, 8, 8, 20, 8, 8,  10, 10,  3,  8,  6,  9};
// clang-format on

SwimFrame swimFrame(int posture, int frames) {
    if (posture < 0 || posture > 20) posture = 0;
    if (frames < 0) frames = 0;
    const int row = mtnRowOfPosture[posture] * 8;
    int count = 0;
    while (count < 8 && mtnPattern[row + count] >= 0) ++count;
    const int i = row + (count > 0 ? (frames / mtnFrameTime[posture]) % count : 0);
    return SwimFrame{mtnPattern[i] < 0 ? 0 : mtnPattern[i], mtnAngle[i], mtnMirror[i]};
}

}  // namespace FHSwim

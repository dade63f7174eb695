// Map collision and movement helpers of the FHWGBL namespace.
//
// Positions, proposals and boxes are in hundredths of a dot; px, py point to the
// actor's position (the top-left corner of its box) and receive the resolved one.
// Result bits of every resolver: 1 stopped by a block below, 2 by a block above
// (3 = squeezed), 4 stopped by a wall to the left or right.
//
// `who` is the character (BOYorGIRL: 0 or 1) for the resolvers that know the
// character barriers: block 609 stops only character 0, block 608 only character 1.
#pragma once

#include <cstdint>

#include "qgu_carbonlike2.h"

namespace FHWGBL {

// Obstacle band of the last wrapper call (both exclusive) and the floating-landing mode
// of the plain resolver; each wrapper stores its own values before calling its core.
extern int32_t OBSTRACTSTRT;
extern int32_t OBSTRACTENDD;
extern bool FloatingObjModeF;

// Cores.
int Moovable(int* px, int* py, int nx, int ny, int gravity, const rRect* box, int who);
int MoovableUD_ORG(int* px, int* py, int nx, int ny, const rRect* box);
int MoovableUD_ORGx(int* px, int* py, int nx, int ny, const rRect* box, int who);

// Wrappers (band in brackets: obstacle numbers).
int MoovableUS(int* px, int* py, int nx, int ny, int gravity, const rRect* box, int who);  // 640-1007, player on foot, shots
int MoovableEnm(int* px, int* py, int nx, int ny, int gravity, const rRect* box);          // 632-1007, walking objects
int MoovableUDUS(int* px, int* py, int nx, int ny, const rRect* box, int who);             // 633-1009, swimming player
int MoovableUDPippo(int* px, int* py, int nx, int ny, const rRect* box);                   // 640-942, dog (floating landing)
int MoovableUD0(int* px, int* py, int nx, int ny, const rRect* box);                       // 640-1008
int MoovableUD(int* px, int* py, int nx, int ny, const rRect* box);                        // 632-1007
int MoovableUDBoss(int* px, int* py, int nx, int ny, const rRect* box);                    // 624-894
int MoovableUD1(int* px, int* py, int nx, int ny, const rRect* box);                       // 640-894
int MoovableUD2(int* px, int* py, int nx, int ny, const rRect* box);                       // 632-1022
int MoovableFree(int* px, int* py, int nx, int ny, const rRect* box);                      // no blocks

// Box against box. 0: no overlap (touching edges do not overlap) or identical positions;
// 1: the first box is higher; otherwise 2 lower, 4 to the right, 8 to the left, combined.
int HitObjAndObj(int x1, int y1, rRect box1, int x2, int y2, rRect box2);

// True when the box at (x, y) overlaps the visible window (320 x 272 dots).
bool inTheWindow(int x, int y, const rRect* box);

// Replaces every block `from` by `to` in the loaded map (8 <= from <= 1023, 0 <= to <= 1023).
void ChangeMapObj(int from, int to);

}  // namespace FHWGBL

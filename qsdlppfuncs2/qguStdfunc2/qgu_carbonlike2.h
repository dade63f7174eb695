// Toolbox-style helpers: the shared 32-bit random state, points and rectangles.
#pragma once

#include <cstdint>

// Rectangle: top, left, bottom, right (32-bit signed each).
struct rRect {
    int32_t top;
    int32_t left;
    int32_t bottom;
    int32_t right;
};

// Point: v, then h.
struct rPoint {
    int32_t v;
    int32_t h;
};

// One generator state shared by Random() (play) and miRanda() (diary scrambling).
void SetRandomSeed(uint32_t seed);
void SetMrandaSeed(uint32_t seed);
int32_t Random();    // state = state * 1103515245 + 12345; returns (int32)state / 65536
int32_t miRanda();   // state = state * 1703515245 + 12345; returns state
uint32_t qgu_randomState();  // current shared state (tests, films)

void SetPt(rPoint* pt, int h, int v);
void SetRect(rRect* r, int left, int top, int right, int bottom);
void OffsetRectMacOffsetRect(rRect* r, int dh, int dv);
// True when a and b overlap with positive area; `out` is not written.
bool SectRect(const rRect* a, const rRect* b, rRect* out);

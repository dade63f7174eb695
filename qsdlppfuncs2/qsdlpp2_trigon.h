// Integer-angle trigonometry (256 steps per turn, 0 = +x, 64 = +y), clamps, the fixed
// random table and small integer helpers. Results are percentages (-100..100).
#pragma once

#include <cstdint>

class QSDLpp_Trigon {
public:
    QSDLpp_Trigon();  // fills the tables (again, if called more than once)
    static void initTables();

    static int cos100x(int a) { return COS100Xth[a & 255]; }
    static int sin100x(int a) { return SIN100Xth[a & 255]; }
    static int cos100x1024p(int a) { return COS100x1024th[a & 1023]; }
    static int sin100x1024p(int a) { return SIN100x1024th[a & 1023]; }
    static double cos256div(int a) { return COS256dTbl[a & 255]; }
    static double sin256div(int a) { return SIN256dTbl[a & 255]; }
    static double float0_01x(int n) { return FloatNum0_01Tbl[n & 255]; }

    static int XYtan256(int dx, int dy);
    static int XYtan256(int x1, int y1, int x2, int y2);

    // Turn `dir` towards (x2, y2) by `step` outside a dead zone (S: 3..253, A: 17..239,
    // B: 33..223, C: 49..207 of the angle difference). extraResult: -1 on target, 0 else.
    static int forwardS(int x1, int y1, int x2, int y2, int dir, int step);
    static int forwardA(int x1, int y1, int x2, int y2, int dir, int step);
    static int forwardB(int x1, int y1, int x2, int y2, int dir, int step);
    static int forwardC(int x1, int y1, int x2, int y2, int dir, int step);
    static int lastMathEx() { return extraResult; }

    static int distance(int x1, int y1, int x2, int y2);  // squared pixel distance
    static int distance(int dx, int dy);                  // truncated sqrt(dx^2 + dy^2)
    static int iroot(int n);
    static int isign(int n) { return n < 0 ? -1 : 1; }
    static int isignZ(int n) { return n < 0 ? -1 : (n > 0 ? 1 : 0); }
    static int iabs(int n) { return n < 0 ? -n : n; }

    static double FloatNum0_01Tbl[256];
    static double COS256dTbl[256];
    static double SIN256dTbl[256];
    static int COS100Xth[256];
    static int SIN100Xth[256];
    static int COS100x1024th[1024];
    static int SIN100x1024th[1024];
    static int extraResult;
};

class QSDLpp_MYMATH {
public:
    static int clipMaxMin(int value, int upper, int lower);
    static double clipMaxMin(double value, double upper, double lower);
    static double clipMaxMinf(double value, double upper, double lower);

    static void miRandcd(int seed);  // read position := seed; also srand(0)
    static int32_t miRand();         // next entry of the fixed table
    static int miImpulse(unsigned n);
    static int unique();             // 1, 2, 3, ...

    // Sorts keys[lo..hi] ascending, moving values along; returns the running count of
    // key comparisons (accumulated over all calls).
    static int upQuickSortObject(int* keys, int* values, int lo, int hi);

    static const int impulsearray[100];
    static const int32_t randomarray[1024];
    static int nextp;
};

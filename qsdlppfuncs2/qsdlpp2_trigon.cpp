// Integer-angle trigonometry, clamps, the table-driven random numbers and small
// integer helpers.
#include "qsdlpp2_trigon.h"

#include <cmath>
#include <cstdlib>
#include <utility>

double QSDLpp_Trigon::FloatNum0_01Tbl[256];
double QSDLpp_Trigon::COS256dTbl[256];
double QSDLpp_Trigon::SIN256dTbl[256];
int QSDLpp_Trigon::COS100Xth[256];
int QSDLpp_Trigon::SIN100Xth[256];
int QSDLpp_Trigon::COS100x1024th[1024];
int QSDLpp_Trigon::SIN100x1024th[1024];
int QSDLpp_Trigon::extraResult = 0;

int QSDLpp_MYMATH::nextp = 0;

namespace {
// The tables were always built from this ten-decimal value; keeping it keeps every
// truncated entry identical.
constexpr double kP = 3.1415926535;

// Filled before main so that code using the tables never sees zeros.
const QSDLpp_Trigon kTablesAtStart;

// Truncating division with a zero divisor replaced by 1, in 64 bits so large world
// coordinates cannot overflow.
int64_t divT(int64_t a, int64_t b) { return a / (b == 0 ? 1 : b); }

int turnTowards(int x1, int y1, int x2, int y2, int dir, int step, int lo, int hi) {
    const int diff = (QSDLpp_Trigon::XYtan256(x2 - x1, y2 - y1) - dir) & 255;
    if (diff < lo || diff > hi) {
        QSDLpp_Trigon::extraResult = -1;  // on target: keep the direction
        return dir;
    }
    QSDLpp_Trigon::extraResult = 0;
    return diff < 128 ? dir + step : dir - step;
}

int quickSort(int* keys, int* values, int lo, int hi, int& counter) {
    // Recurse into the smaller part and loop over the larger, so the depth stays
    // logarithmic even for sorted input.
    while (lo < hi) {
        const int pivot = keys[lo];
        int m = lo;
        for (int i = lo + 1; i <= hi; ++i) {
            ++counter;
            if (keys[i] < pivot) {
                ++m;
                std::swap(keys[i], keys[m]);
                if (values) std::swap(values[i], values[m]);
            }
        }
        std::swap(keys[lo], keys[m]);
        if (values) std::swap(values[lo], values[m]);
        if (m - lo < hi - m) {
            quickSort(keys, values, lo, m - 1, counter);
            lo = m + 1;
        } else {
            quickSort(keys, values, m + 1, hi, counter);
            hi = m - 1;
        }
    }
    return counter;
}

int sortComparisons = 0;
int uniqueCounter = 0;
}  // namespace

QSDLpp_Trigon::QSDLpp_Trigon() { initTables(); }

void QSDLpp_Trigon::initTables() {
    for (int i = 0; i < 256; ++i) {
        const double a = i * 2.0 * kP / 256.0;
        FloatNum0_01Tbl[i] = i / 100.0;
        COS256dTbl[i] = std::cos(a);
        SIN256dTbl[i] = std::sin(a);
        COS100Xth[i] = int(std::cos(a) * 100.0);
        SIN100Xth[i] = int(std::sin(a) * 100.0);
    }
    for (int i = 0; i < 1024; ++i) {
        const double a = i * 2.0 * kP / 1024.0;
        COS100x1024th[i] = int(std::cos(a) * 100.0);
        SIN100x1024th[i] = int(std::sin(a) * 100.0);
    }
}

int QSDLpp_Trigon::XYtan256(int dx, int dy) {
    const int64_t x = dx, y = dy;
    int64_t angle;
    if (y < x && y > -x) {
        angle = divT(y * 32, x);  // right quarter
    } else if (y < x) {
        angle = -64 - divT(x * 32, y);  // upper quarter
    } else if (y > -x) {
        angle = 64 - divT(x * 32, y);  // lower quarter
    } else {
        angle = divT(y * 32, x) + 128;  // left quarter
    }
    return int(angle & 255);
}

int QSDLpp_Trigon::XYtan256(int x1, int y1, int x2, int y2) { return XYtan256(x2 - x1, y2 - y1); }

int QSDLpp_Trigon::forwardS(int x1, int y1, int x2, int y2, int dir, int step) {
    return turnTowards(x1, y1, x2, y2, dir, step, 3, 253) & 255;
}
int QSDLpp_Trigon::forwardA(int x1, int y1, int x2, int y2, int dir, int step) {
    return turnTowards(x1, y1, x2, y2, dir, step, 17, 239);
}
int QSDLpp_Trigon::forwardB(int x1, int y1, int x2, int y2, int dir, int step) {
    return turnTowards(x1, y1, x2, y2, dir, step, 33, 223);
}
int QSDLpp_Trigon::forwardC(int x1, int y1, int x2, int y2, int dir, int step) {
    return turnTowards(x1, y1, x2, y2, dir, step, 49, 207);
}

int QSDLpp_Trigon::distance(int x1, int y1, int x2, int y2) {
    const int64_t dx = x2 / 100 - x1 / 100;
    const int64_t dy = y2 / 100 - y1 / 100;
    return int(dx * dx + dy * dy);
}

int QSDLpp_Trigon::distance(int dx, int dy) {
    // Squares in 64 bits: a 32-bit square would wrap for distances above 46,340.
    const double sq = double(int64_t(dx) * dx) + double(int64_t(dy) * dy);
    return int(std::sqrt(sq));
}

int QSDLpp_Trigon::iroot(int n) {
    if (n <= 0) return 0;
    int r = int(std::sqrt(double(n)));
    while (int64_t(r) * r > n) --r;
    while (int64_t(r + 1) * (r + 1) <= n) ++r;
    return r;
}

int QSDLpp_MYMATH::clipMaxMin(int value, int upper, int lower) {
    const int v = value < upper ? value : upper;
    return v > lower ? v : lower;
}

double QSDLpp_MYMATH::clipMaxMin(double value, double upper, double lower) {
    const double v = value < upper ? value : upper;
    return v > lower ? v : lower;
}

double QSDLpp_MYMATH::clipMaxMinf(double value, double upper, double lower) {
    return clipMaxMin(value, upper, lower);
}

void QSDLpp_MYMATH::miRandcd(int seed) {
    nextp = seed;
    std::srand(0);
}

int32_t QSDLpp_MYMATH::miRand() {
    // The position wraps instead of overflowing; negative positions map into the table
    // the same way as positive ones (the low ten bits).
    nextp = int(unsigned(nextp) + 1u);
    return randomarray[unsigned(nextp) & 1023u];
}

int QSDLpp_MYMATH::miImpulse(unsigned n) { return impulsearray[n % 100]; }

int QSDLpp_MYMATH::unique() { return ++uniqueCounter; }

int QSDLpp_MYMATH::upQuickSortObject(int* keys, int* values, int lo, int hi) {
    if (keys == nullptr) return sortComparisons;
    return quickSort(keys, values, lo, hi, sortComparisons);
}

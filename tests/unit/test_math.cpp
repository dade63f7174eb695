// Integer trigonometry, turning, distances, clamps, the random generators and sorting.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "qgu_carbonlike2.h"
#include "qsdlpp2_trigon.h"

namespace {

TEST(Trigon, TablesMatchTheirPinnedStarts) {
    QSDLpp_Trigon t;
    const int cosStart[8] = {100, 99, 99, 99, 99, 99, 98, 98};
    const int sinStart[8] = {0, 2, 4, 7, 9, 12, 14, 17};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(QSDLpp_Trigon::cos100x(i), cosStart[i]) << i;
        EXPECT_EQ(QSDLpp_Trigon::sin100x(i), sinStart[i]) << i;
    }
    EXPECT_EQ(QSDLpp_Trigon::cos100x(64), 0);
    EXPECT_EQ(QSDLpp_Trigon::sin100x(64), 100);
    EXPECT_EQ(QSDLpp_Trigon::cos100x(128), -100);
    EXPECT_EQ(QSDLpp_Trigon::sin100x(128), 0);
    EXPECT_EQ(QSDLpp_Trigon::sin100x(192), -100);
    EXPECT_EQ(QSDLpp_Trigon::cos100x(256 + 64), 0);  // angles wrap
    EXPECT_EQ(QSDLpp_Trigon::sin100x(-64), -100);
    EXPECT_EQ(QSDLpp_Trigon::sin100x1024p(256), 100);
    EXPECT_EQ(QSDLpp_Trigon::cos100x1024p(512), -100);
    EXPECT_EQ(QSDLpp_Trigon::cos100x1024p(1024 + 4), QSDLpp_Trigon::cos100x(1));
    EXPECT_EQ(QSDLpp_Trigon::cos100x(32), 70);    // truncated, not rounded
    EXPECT_EQ(QSDLpp_Trigon::cos100x(96), -70);   // truncated toward zero
    EXPECT_DOUBLE_EQ(QSDLpp_Trigon::float0_01x(42), 0.42);
    EXPECT_NEAR(QSDLpp_Trigon::sin256div(32), std::sqrt(0.5), 1e-9);
    // Built from the ten-decimal pi: a quarter turn leaves a tiny positive cosine.
    EXPECT_EQ(QSDLpp_Trigon::cos256div(64), std::cos(64 * 2.0 * 3.1415926535 / 256.0));
    EXPECT_GT(QSDLpp_Trigon::cos256div(64), 1e-12);
    // Constructing again refills the same tables.
    QSDLpp_Trigon::COS100Xth[3] = 5;
    QSDLpp_Trigon again;
    EXPECT_EQ(QSDLpp_Trigon::cos100x(3), 99);
}

TEST(Trigon, XYtan256) {
    EXPECT_EQ(QSDLpp_Trigon::XYtan256(10, 0), 0);
    EXPECT_EQ(QSDLpp_Trigon::XYtan256(0, 10), 64);
    EXPECT_EQ(QSDLpp_Trigon::XYtan256(-10, 0), 128);
    EXPECT_EQ(QSDLpp_Trigon::XYtan256(0, -10), 192);
    EXPECT_EQ(QSDLpp_Trigon::XYtan256(10, 10), 32);
    EXPECT_EQ(QSDLpp_Trigon::XYtan256(0, 0), 128);
    EXPECT_EQ(QSDLpp_Trigon::XYtan256(-10, 10), 96);
    EXPECT_EQ(QSDLpp_Trigon::XYtan256(-10, -10), 160);
    EXPECT_EQ(QSDLpp_Trigon::XYtan256(10, -10), 224);
    EXPECT_EQ(QSDLpp_Trigon::XYtan256(10, -1), 256 - 3);  // small negative angle wraps
    EXPECT_EQ(QSDLpp_Trigon::XYtan256(5, 5, 15, 5), 0);
    EXPECT_EQ(QSDLpp_Trigon::XYtan256(5, 5, 5, -5), 192);
    // Around the whole circle the approximation stays within a few steps of the angle.
    for (int a = 0; a < 256; ++a) {
        const double r = a * 2 * M_PI / 256;
        const int dx = int(std::lround(100000 * std::cos(r)));
        const int dy = int(std::lround(100000 * std::sin(r)));
        int diff = (QSDLpp_Trigon::XYtan256(dx, dy) - a) & 255;
        if (diff > 128) diff -= 256;
        EXPECT_LE(std::abs(diff), 4) << a;
    }
    // World coordinates far apart do not overflow.
    EXPECT_EQ(QSDLpp_Trigon::XYtan256(200000000, 0), 0);
    EXPECT_EQ(QSDLpp_Trigon::XYtan256(0, 200000000), 64);
}

TEST(Trigon, ForwardTurnsOutsideTheDeadZone) {
    // Target straight ahead (angle 0) or two steps off: no turn, on target.
    QSDLpp_Trigon::extraResult = 7;
    EXPECT_EQ(QSDLpp_Trigon::forwardS(0, 0, 100, 0, 0, 4), 0);
    EXPECT_EQ(QSDLpp_Trigon::lastMathEx(), -1);
    EXPECT_EQ(QSDLpp_Trigon::forwardS(0, 0, 100, 0, 2, 4), 2);
    EXPECT_EQ(QSDLpp_Trigon::lastMathEx(), -1);
    EXPECT_EQ(QSDLpp_Trigon::forwardS(0, 0, 100, 0, 254, 4), 254);
    EXPECT_EQ(QSDLpp_Trigon::lastMathEx(), -1);
    // Three steps off: turn towards the target.
    EXPECT_EQ(QSDLpp_Trigon::forwardS(0, 0, 100, 0, 253, 4), 1);
    EXPECT_EQ(QSDLpp_Trigon::lastMathEx(), 0);
    EXPECT_EQ(QSDLpp_Trigon::forwardS(0, 0, 100, 0, 3, 4), 255);  // masked
    // A target exactly behind (difference 128) turns the negative way.
    EXPECT_EQ(QSDLpp_Trigon::forwardS(0, 0, -100, 0, 0, 4), 252);
    EXPECT_EQ(QSDLpp_Trigon::forwardS(0, 0, -100, 0, 1, 4), 5);  // difference 127
    // Target below (64): a walker heading 0 turns clockwise, heading 128 counter.
    EXPECT_EQ(QSDLpp_Trigon::forwardA(0, 0, 0, 100, 0, 8), 8);
    EXPECT_EQ(QSDLpp_Trigon::forwardA(0, 0, 0, 100, 128, 8), 120);
    EXPECT_EQ(QSDLpp_Trigon::forwardA(0, 0, 100, 0, 2, 8), -6 + 8);  // diff 254: dead zone
    EXPECT_EQ(QSDLpp_Trigon::forwardA(0, 0, 100, 0, 20, 30), -10);  // unmasked result
    EXPECT_EQ(QSDLpp_Trigon::lastMathEx(), 0);
    // Dead zones: A 17..239, B 33..223, C 49..207.
    EXPECT_EQ(QSDLpp_Trigon::forwardA(0, 0, 100, 0, 256 - 16, 1), 240);
    EXPECT_EQ(QSDLpp_Trigon::forwardA(0, 0, 100, 0, 256 - 17, 1), 240);
    EXPECT_EQ(QSDLpp_Trigon::forwardB(0, 0, 100, 0, 256 - 32, 1), 224);
    EXPECT_EQ(QSDLpp_Trigon::lastMathEx(), -1);
    EXPECT_EQ(QSDLpp_Trigon::forwardB(0, 0, 100, 0, 256 - 33, 1), 224);
    EXPECT_EQ(QSDLpp_Trigon::lastMathEx(), 0);
    EXPECT_EQ(QSDLpp_Trigon::forwardC(0, 0, 100, 0, 48, 5), 48);
    EXPECT_EQ(QSDLpp_Trigon::forwardC(0, 0, 100, 0, 49, 5), 44);
}

TEST(Trigon, DistancesAndIntegerHelpers) {
    EXPECT_EQ(QSDLpp_Trigon::distance(0, 0, 300, 400), 25);
    EXPECT_EQ(QSDLpp_Trigon::distance(199, 0, 0, 0), 1);         // 199/100 truncated
    EXPECT_EQ(QSDLpp_Trigon::distance(-150, 0, 150, 0), 4);      // -1 to 1
    EXPECT_EQ(QSDLpp_Trigon::distance(3, 4), 5);
    EXPECT_EQ(QSDLpp_Trigon::distance(1, 1), 1);
    EXPECT_EQ(QSDLpp_Trigon::distance(60000, 80000), 100000);   // beyond 32-bit squares
    EXPECT_EQ(QSDLpp_Trigon::iroot(0), 0);
    EXPECT_EQ(QSDLpp_Trigon::iroot(15), 3);
    EXPECT_EQ(QSDLpp_Trigon::iroot(16), 4);
    EXPECT_EQ(QSDLpp_Trigon::iroot(2147395600), 46340);
    EXPECT_EQ(QSDLpp_Trigon::iroot(2147483647), 46340);
    EXPECT_EQ(QSDLpp_Trigon::isign(-3), -1);
    EXPECT_EQ(QSDLpp_Trigon::isign(0), 1);
    EXPECT_EQ(QSDLpp_Trigon::isignZ(0), 0);
    EXPECT_EQ(QSDLpp_Trigon::isignZ(9), 1);
    EXPECT_EQ(QSDLpp_Trigon::iabs(-9), 9);
    EXPECT_EQ(QSDLpp_MYMATH::clipMaxMin(150, 100, 0), 100);
    EXPECT_EQ(QSDLpp_MYMATH::clipMaxMin(-5, 100, 0), 0);
    EXPECT_EQ(QSDLpp_MYMATH::clipMaxMin(50, 100, 0), 50);
    EXPECT_EQ(QSDLpp_MYMATH::clipMaxMin(50, 0, 100), 100);  // lower bound wins
    EXPECT_DOUBLE_EQ(QSDLpp_MYMATH::clipMaxMinf(1.5, 1.0, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(QSDLpp_MYMATH::clipMaxMin(-0.5, 1.0, 0.0), 0.0);
}

TEST(Random, SharedStateSequences) {
    SetRandomSeed(0);
    EXPECT_EQ(Random(), 0);
    EXPECT_EQ(qgu_randomState(), 12345u);
    EXPECT_EQ(Random(), -11299);
    EXPECT_EQ(qgu_randomState(), 3554416254u);
    // Every value lies in -32768..32767 and the same seed repeats the sequence.
    SetRandomSeed(0xDEADBEEF);
    std::vector<int> a;
    for (int i = 0; i < 2000; ++i) {
        a.push_back(Random());
        EXPECT_GE(a.back(), -32768);
        EXPECT_LE(a.back(), 32767);
    }
    SetRandomSeed(0xDEADBEEF);
    for (int i = 0; i < 2000; ++i) ASSERT_EQ(Random(), a[size_t(i)]) << i;
    // miRanda advances the same state with its own multiplier.
    SetMrandaSeed(0);
    EXPECT_EQ(miRanda(), 12345);
    EXPECT_EQ(uint32_t(miRanda()), 12345u * 1703515245u + 12345u);
    SetRandomSeed(0);
    Random();
    const int32_t mixed = miRanda();
    EXPECT_EQ(uint32_t(mixed), 12345u * 1703515245u + 12345u);
}

TEST(Random, FixedTableGenerator) {
    EXPECT_EQ(QSDLpp_MYMATH::randomarray[0], 1365376433);
    EXPECT_EQ(QSDLpp_MYMATH::randomarray[1], -621768965);
    EXPECT_EQ(QSDLpp_MYMATH::randomarray[2], -1111217364);
    EXPECT_EQ(QSDLpp_MYMATH::randomarray[3], -1723756485);
    std::set<int32_t> distinct(QSDLpp_MYMATH::randomarray, QSDLpp_MYMATH::randomarray + 1024);
    EXPECT_EQ(distinct.size(), 1024u);
    int negatives = 0, high = 0;
    for (int32_t v : distinct) {
        negatives += v < 0;
        high += (v > 1 << 30) || (v < -(1 << 30));
    }
    EXPECT_GT(negatives, 400);  // spread over the whole range
    EXPECT_GT(high, 400);

    QSDLpp_MYMATH::miRandcd(0);
    EXPECT_EQ(QSDLpp_MYMATH::miRand(), QSDLpp_MYMATH::randomarray[1]);
    QSDLpp_MYMATH::miRandcd(-1);
    EXPECT_EQ(QSDLpp_MYMATH::miRand(), 1365376433);
    QSDLpp_MYMATH::miRandcd(1023);
    EXPECT_EQ(QSDLpp_MYMATH::miRand(), QSDLpp_MYMATH::randomarray[0]);  // wraps
    QSDLpp_MYMATH::miRandcd(-5);
    EXPECT_EQ(QSDLpp_MYMATH::miRand(), QSDLpp_MYMATH::randomarray[1020]);
    QSDLpp_MYMATH::miRandcd(2147483647);  // the position wraps without overflow
    EXPECT_EQ(QSDLpp_MYMATH::miRand(), QSDLpp_MYMATH::randomarray[0]);
}

TEST(MyMath, ImpulseUniqueAndSort) {
    EXPECT_EQ(QSDLpp_MYMATH::miImpulse(12), 100);
    EXPECT_EQ(QSDLpp_MYMATH::miImpulse(9), 87);
    EXPECT_EQ(QSDLpp_MYMATH::miImpulse(65), 1);
    EXPECT_EQ(QSDLpp_MYMATH::miImpulse(66), 0);
    EXPECT_EQ(QSDLpp_MYMATH::miImpulse(112), 100);  // n % 100
    const int u = QSDLpp_MYMATH::unique();
    EXPECT_EQ(QSDLpp_MYMATH::unique(), u + 1);

    int keys[] = {5, 3, 9, 1, 5, 7, 2};
    int vals[] = {50, 30, 90, 10, 51, 70, 20};
    const int before = QSDLpp_MYMATH::upQuickSortObject(nullptr, nullptr, 0, -1);
    const int after = QSDLpp_MYMATH::upQuickSortObject(keys, vals, 0, 6);
    const int sorted[] = {1, 2, 3, 5, 5, 7, 9};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(keys[i], sorted[i]);
        EXPECT_EQ(vals[i] / 10, keys[i]);  // values moved with their keys
    }
    EXPECT_GT(after - before, 6);
    EXPECT_LE(after - before, 21);
    // The count keeps running over calls; a one-element range compares nothing.
    EXPECT_EQ(QSDLpp_MYMATH::upQuickSortObject(keys, vals, 3, 3), after);
    // A long sorted range (worst case for a first-key pivot) still sorts.
    std::vector<int> big(4000), bv(4000);
    for (int i = 0; i < 4000; ++i) big[size_t(i)] = bv[size_t(i)] = i;
    QSDLpp_MYMATH::upQuickSortObject(big.data(), bv.data(), 0, 3999);
    for (int i = 0; i < 4000; ++i) ASSERT_EQ(big[size_t(i)], i);
}

TEST(Rect, SetOffsetAndSect) {
    rRect a;
    SetRect(&a, 10, 20, 30, 40);  // left, top, right, bottom
    EXPECT_EQ(a.top, 20);
    EXPECT_EQ(a.left, 10);
    EXPECT_EQ(a.bottom, 40);
    EXPECT_EQ(a.right, 30);
    OffsetRectMacOffsetRect(&a, 5, -7);  // dh, dv
    EXPECT_EQ(a.left, 15);
    EXPECT_EQ(a.right, 35);
    EXPECT_EQ(a.top, 13);
    EXPECT_EQ(a.bottom, 33);
    rRect b, out = {1, 2, 3, 4};
    SetRect(&b, 35, 13, 50, 33);  // touches a's right edge only
    EXPECT_FALSE(SectRect(&a, &b, &out));
    SetRect(&b, 34, 32, 50, 60);  // one-dot overlap
    EXPECT_TRUE(SectRect(&a, &b, &out));
    EXPECT_TRUE(SectRect(&b, &a, &out));
    EXPECT_EQ(out.top, 1);  // never written
    EXPECT_EQ(out.right, 4);
    rPoint p;
    SetPt(&p, 3, 4);
    EXPECT_EQ(p.h, 3);
    EXPECT_EQ(p.v, 4);
}

}  // namespace

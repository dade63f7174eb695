// Map collision: walker step-ups and ledge lifts, character barriers, the obstacle
// bands of the wrappers, wrap-around at the map seam, the plain resolver's small-move
// rules, the box-against-box side bits and block replacement.

#include <gtest/gtest.h>

#include <cstring>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"

using namespace FHWGBL;

namespace {

constexpr int kSolid = 700;           // obstacle for every band
const rRect kFoot{1800, 1000, 3200, 2200};   // player on foot: 12 x 14 dots
const rRect kBlock{0, 0, 1600, 1600};        // 16 x 16 dots
constexpr int kGrav = 140;            // 7 x 20, the usual land gravity

class Collision : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(MenMap, 0, sizeof(MenMap));
        MapBlkWidth = MapBlkHeight = 64;
        MapDotWidth = MapDotHeight = 1024;
        MapFieldWidth = MapFieldHeight = 102400;
        GFieldLftX = GFieldTopY = 0;
        GmapXBorderF = GmapYBorderF = false;
    }
    static void put(int row, int col, int code) { MenMap[row][col] = code; }
    static void floorRow(int row, int code = kSolid) {
        for (int c = 0; c < 64; ++c) put(row, c, code);
    }
};

TEST_F(Collision, WalkerLandsWithBoxBottomOnTheBlockBoundary) {
    floorRow(10);  // top at y = 160 dots
    int x = 5000, y = 14400;  // bottom at 158 dots
    int bits = MoovableUS(&x, &y, x, y + 400, kGrav, &kFoot, 0);
    EXPECT_EQ(bits & 3, 1);
    EXPECT_EQ(y, (160 - 14) * 100);
    EXPECT_EQ(x, 5000);

    // Walking on it leaves the height alone and reports standing.
    int x2 = x, y2 = y;
    bits = MoovableUS(&x2, &y2, x2 + 120, y2 + kGrav, kGrav, &kFoot, 0);
    EXPECT_EQ(bits, 1);
    EXPECT_EQ(x2, x + 120);
    EXPECT_EQ(y2, y);
}

TEST_F(Collision, WalkerStepsUpOneBlockInsteadOfStopping) {
    floorRow(10);
    put(9, 5, kSolid);  // a one-block step at x 80..95
    int x = 6600, y = 14600;  // standing, right edge at 78
    int bits = MoovableUS(&x, &y, x + 300, y, kGrav, &kFoot, 0);
    EXPECT_EQ(bits & 4, 0) << "a step is climbed, not a wall";
    EXPECT_EQ(x, (80 - 12) * 100) << "right edge snapped to the step's side";
    // Raised by 400 + 140 + 140 hundredths; no floor under the raised box yet.
    EXPECT_EQ(y, 14600 - 680);
    EXPECT_EQ(bits, 0);
}

TEST_F(Collision, FloorProbesLookJustBelowTheBoxAtItsFirstAndLastColumn) {
    // A one-block wall met by the side probes is climbed only by a walker standing on a
    // floor, so the wall bit tells what the floor probes saw: the row of the dot just
    // below the box, at the box's first and last dot columns (box 12 dots wide).
    struct Case {
        int dir;     // +1 walking right, -1 left
        int cx;      // box left
        int bottom;  // the dot just below the box
        int col;     // the one floor block, in row 10 (y 160..175)
        bool standing;
    };
    const int w = (kFoot.right - kFoot.left) / 100, h = (kFoot.bottom - kFoot.top) / 100;
    ASSERT_EQ(w, 12);
    const Case cases[] = {
        {+1, 68, 160, 4, true},   // box 68..79: under its first column
        {+1, 68, 160, 5, false},  // one column past its last dot
        {+1, 72, 160, 5, true},   // box 72..83: only under its last column
        {+1, 72, 160, 4, true},
        {+1, 72, 160, 6, false},
        {-1, 64, 160, 4, true},   // box 64..75
        {-1, 64, 160, 3, false},  // one column before its first dot
        {+1, 68, 159, 4, false},  // a dot of air between box and floor
    };
    for (const Case& c : cases) {
        SetUp();
        put(10, c.col, kSolid);
        const int cy = c.bottom - h;
        const int wallCol = c.dir > 0 ? (c.cx + w + 2) / 16 : (c.cx - 2) / 16;
        put(cy / 16, wallCol, kSolid);  // the wall the side probes meet
        int x = c.cx * 100, y = cy * 100;
        const int bits = MoovableUS(&x, &y, x + c.dir * 300, y, kGrav, &kFoot, 0);
        EXPECT_EQ((bits & 4) == 0, c.standing)
            << "box at " << c.cx << ", bottom " << c.bottom << ", floor column " << c.col << ", dir " << c.dir;
    }
}

TEST_F(Collision, StepUpNeedsHeadroomAndAFloor) {
    floorRow(10);
    put(9, 5, kSolid);
    put(8, 5, kSolid);  // the step is two blocks high: the above-right probe is occupied
    int x = 6600, y = 14600;
    int bits = MoovableUS(&x, &y, x + 300, y, kGrav, &kFoot, 0);
    EXPECT_EQ(bits & 4, 4);
    EXPECT_EQ(x, 6800);
    EXPECT_EQ(y, 14600);

    // A ceiling over the character also prevents the step-up.
    std::memset(MenMap, 0, sizeof(MenMap));
    floorRow(10);
    put(9, 5, kSolid);
    put(8, 4, kSolid);
    x = 6600;
    y = 14600;
    bits = MoovableUS(&x, &y, x + 300, y, kGrav, &kFoot, 0);
    EXPECT_EQ(bits & 4, 4);

    // Moving left against the same step on the right is no step-up either.
    std::memset(MenMap, 0, sizeof(MenMap));
    floorRow(10);
    put(9, 3, kSolid);  // x 48..63, left of the character
    x = 6500;
    y = 14600;
    bits = MoovableUS(&x, &y, 6100, y, kGrav, &kFoot, 0);
    EXPECT_EQ(bits, 0);
    EXPECT_EQ(x, 6400) << "left edge moved to the block boundary after the step";
    EXPECT_EQ(y, 14600 - 680);
    // The left probe looks 2 dots out: from 3 dots away the same step is a wall.
    x = 6700;
    y = 14600;
    bits = MoovableUS(&x, &y, 6100, y, kGrav, &kFoot, 0);
    EXPECT_EQ(bits & 4, 4);
}

TEST_F(Collision, LedgeLiftInTheAir) {
    // In the air (no floor), the right-bottom corner touches a ledge and the right-top is
    // free: the target rises by 400 + gravity and no wall is reported.
    put(9, 5, kSolid);
    int x = 6600, y = 13600;  // rows 8..9 (136..149)
    int bits = MoovableUS(&x, &y, x + 300, y + 200, kGrav, &kFoot, 0);
    EXPECT_EQ(bits & 4, 0);
    EXPECT_EQ(x, 6800);
    EXPECT_EQ(y, 13800 - 400 - kGrav) << "lifted by 400 + gravity";

    // With the right-top corner blocked it is a wall.
    put(8, 5, kSolid);
    x = 6600;
    y = 13600;
    bits = MoovableUS(&x, &y, x + 300, y + 200, kGrav, &kFoot, 0);
    EXPECT_EQ(bits & 4, 4);
}

TEST_F(Collision, CharacterBarriersStopOnlyTheirCharacter) {
    for (int who = 0; who < 2; ++who) {
        for (int code : {608, 609}) {
            std::memset(MenMap, 0, sizeof(MenMap));
            floorRow(10);
            put(9, 5, code);
            put(8, 5, code);
            int x = 6600, y = 14600;
            int bits = MoovableUS(&x, &y, x + 300, y, kGrav, &kFoot, who);
            const bool blocks = (who == 0 && code == 609) || (who == 1 && code == 608);
            EXPECT_EQ((bits & 4) != 0, blocks) << "who " << who << " code " << code;
            EXPECT_EQ(x, blocks ? 6800 : 6900);

            // The swimmer's resolver knows the barriers too.
            x = 6600;
            y = 13000;
            bits = MoovableUDUS(&x, &y, x + 300, y, &kFoot, who);
            EXPECT_EQ((bits & 4) != 0, blocks) << "swimming, who " << who << " code " << code;
        }
    }
}

TEST_F(Collision, WrappersUseTheirOwnBands) {
    struct Case {
        int code;
        bool us, ud0, udPippo, udBoss, ud2;
    };
    const Case cases[] = {
        {632, false, false, false, true, true},
        {640, true, true, true, true, true},
        {900, true, true, true, false, true},
        {943, true, true, false, false, true},
        {1008, false, true, false, false, true},
        {1022, false, false, false, false, true},
        {1023, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        std::memset(MenMap, 0, sizeof(MenMap));
        for (int r = 0; r < 64; ++r) put(r, 5, c.code);  // a wall at x 80..95
        auto hits = [&](int (*fn)(int*, int*, int, int, const rRect*)) {
            int x = 6000, y = 5000;
            return (fn(&x, &y, 6600, 5000, &kBlock) & 4) != 0;
        };
        int x = 6600, y = 5000;
        const bool us = (MoovableUS(&x, &y, x + 300, y, kGrav, &kFoot, 0) & 4) != 0;
        EXPECT_EQ(us, c.us) << c.code;
        EXPECT_EQ(OBSTRACTSTRT, 639);
        EXPECT_EQ(OBSTRACTENDD, 1008);
        EXPECT_EQ(hits(MoovableUD0), c.ud0) << c.code;
        EXPECT_EQ(hits(MoovableUDPippo), c.udPippo) << c.code;
        EXPECT_EQ(FloatingObjModeF, true);
        EXPECT_EQ(hits(MoovableUDBoss), c.udBoss) << c.code;
        EXPECT_EQ(FloatingObjModeF, false);
        EXPECT_EQ(hits(MoovableUD2), c.ud2) << c.code;
    }
}

TEST_F(Collision, WrapAroundAtTheSeam) {
    // A box straddling the right edge probes column 0.
    for (int r = 0; r < 64; ++r) put(r, 0, kSolid);
    int x = 101000, y = 5000;  // dots 1010..1022
    int bits = MoovableUS(&x, &y, x + 300, y, kGrav, &kFoot, 0);
    EXPECT_EQ(bits & 4, 4);
    EXPECT_EQ(x, (1024 - 12) * 100);

    // Free movement across the seam is reduced modulo the field size, both ways.
    std::memset(MenMap, 0, sizeof(MenMap));
    x = 102300;
    y = 102350;
    MoovableUS(&x, &y, x + 300, y + 100, kGrav, &kFoot, 0);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 50);
    x = 50;
    y = 50;
    MoovableUD0(&x, &y, -250, -150, &kBlock);
    EXPECT_EQ(x, 102400 - 250);
    EXPECT_EQ(y, 102400 - 150);
}

TEST_F(Collision, PlainResolverSmallMovesAndBothWalls) {
    // Walls on both sides: x stays and no wall bit is reported.
    for (int r = 0; r < 64; ++r) {
        put(r, 3, kSolid);
        put(r, 6, kSolid);
    }
    const rRect wide{0, 0, 1600, 3400};  // 34 dots: spans columns 4..6 when moved
    int x = 6500, y = 5000;
    int bits = MoovableUD0(&x, &y, 6300, 5000, &wide);
    EXPECT_EQ(x, 6500);
    EXPECT_EQ(bits & 4, 0);

    // Less than half a dot into a wall keeps the old x; more snaps against it.
    std::memset(MenMap, 0, sizeof(MenMap));
    for (int r = 0; r < 64; ++r) put(r, 5, kSolid);
    x = 6480;
    y = 5000;
    bits = MoovableUD0(&x, &y, 6520, 5000, &kBlock);
    EXPECT_EQ(x, 6480);
    EXPECT_EQ(bits & 4, 4);
    x = 6300;
    bits = MoovableUD0(&x, &y, 6500, 5000, &kBlock);
    EXPECT_EQ(x, 6400);
    EXPECT_EQ(bits & 4, 4);

    // Settling half a dot or less onto a floor keeps the old y.
    std::memset(MenMap, 0, sizeof(MenMap));
    floorRow(10);
    x = 5000;
    y = 14480;
    bits = MoovableUD0(&x, &y, 5000, 14520, &kBlock);
    EXPECT_EQ(y, 14480);
    EXPECT_EQ(bits & 1, 1);
    y = 14300;
    bits = MoovableUD0(&x, &y, 5000, 14520, &kBlock);
    EXPECT_EQ(y, 14400);
    EXPECT_EQ(bits & 1, 1);
}

TEST_F(Collision, FloatingLandingRoundsToABlock) {
    floorRow(10);
    const rRect dog{1000, 1000, 2200, 2200};  // 12 x 12
    int x = 5000, y = 14000;
    int bits = MoovableUDPippo(&x, &y, 5000, 15000, &dog);
    EXPECT_EQ(bits & 1, 1);
    EXPECT_EQ(y, 14400) << "148 dots rounded down to 144";
    // Without the floating mode the box bottom rests on the boundary.
    x = 5000;
    y = 14000;
    MoovableUD0(&x, &y, 5000, 15000, &dog);
    EXPECT_EQ(y, 14800);
}

TEST_F(Collision, HeadBumpInPlainResolverMovesBelowTheBlock) {
    floorRow(5);  // y 80..95
    int x = 5000, y = 10000;
    int bits = MoovableUD0(&x, &y, 5000, 9400, &kBlock);
    EXPECT_EQ(bits & 3, 2);
    EXPECT_EQ(y, 9600);
}

TEST_F(Collision, HitObjAndObjSideBits) {
    const rRect b{0, 0, 1600, 1600};
    EXPECT_EQ(HitObjAndObj(0, 0, b, 0, 0, b), 0) << "identical positions";
    EXPECT_EQ(HitObjAndObj(0, 0, b, 1600, 0, b), 0) << "touching edges";
    EXPECT_EQ(HitObjAndObj(0, 0, b, 0, 1600, b), 0);
    EXPECT_EQ(HitObjAndObj(0, 0, b, 100, 100, b), 1) << "first box higher";
    EXPECT_EQ(HitObjAndObj(100, 100, b, 0, 0, b), 2 | 4);
    EXPECT_EQ(HitObjAndObj(0, 100, b, 100, 0, b), 2 | 8);
    EXPECT_EQ(HitObjAndObj(200, 0, b, 0, 0, b), 4);
    EXPECT_EQ(HitObjAndObj(0, 0, b, 200, 0, b), 8);
    EXPECT_EQ(HitObjAndObj(0, 200, b, 0, 0, b), 2);
    // Only the size of a box counts, not its offsets.
    const rRect off{5000, 5000, 6600, 6600};
    EXPECT_EQ(HitObjAndObj(0, 0, off, 200, 0, b), 8);
}

TEST_F(Collision, HitObjAndObjSeamCorrection) {
    const rRect b{0, 0, 1600, 1600};
    // Without the seam flag two boxes on either side of the seam do not meet.
    EXPECT_EQ(HitObjAndObj(102000, 0, b, 500, 0, b), 0);
    GmapXBorderF = true;
    GFieldLftX = 90000;
    // The box at x 500 lies across the seam: it is treated as 102900.
    EXPECT_EQ(HitObjAndObj(102000, 0, b, 500, 0, b), 8);
    GmapYBorderF = true;
    GFieldTopY = 90000;
    EXPECT_EQ(HitObjAndObj(0, 102000, b, 0, 300, b), 1);
}

TEST_F(Collision, InTheWindow) {
    const rRect b{0, 0, 1600, 1600};
    GFieldLftX = 10000;
    GFieldTopY = 10000;
    EXPECT_TRUE(inTheWindow(20000, 20000, &b));
    EXPECT_FALSE(inTheWindow(8400, 20000, &b)) << "right edge touches the left of the window";
    EXPECT_TRUE(inTheWindow(8500, 20000, &b));
    EXPECT_FALSE(inTheWindow(42000, 20000, &b));
    EXPECT_TRUE(inTheWindow(41900, 20000, &b));
    EXPECT_FALSE(inTheWindow(20000, 37200, &b));
    // A window across the seam sees boxes on both sides of it.
    GFieldLftX = 100000;
    GmapXBorderF = true;
    EXPECT_TRUE(inTheWindow(101000, 20000, &b));
    EXPECT_TRUE(inTheWindow(20000, 20000, &b));
    EXPECT_FALSE(inTheWindow(60000, 20000, &b));
}

TEST_F(Collision, ChangeMapObjBoundsAndScope) {
    put(3, 3, 5);
    put(4, 4, 700);
    put(5, 5, 700);
    MenMap[70][70] = 700;  // outside a 64 x 64 map
    ChangeMapObj(5, 9);
    EXPECT_EQ(MenMap[3][3], 5) << "from below 8 changes nothing";
    ChangeMapObj(700, 1024);
    EXPECT_EQ(MenMap[4][4], 700) << "to above 1023 changes nothing";
    ChangeMapObj(700, 7);
    EXPECT_EQ(MenMap[4][4], 7);
    EXPECT_EQ(MenMap[5][5], 7);
    EXPECT_EQ(MenMap[70][70], 700);
}

}  // namespace

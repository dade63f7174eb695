// Map collision and movement helpers.
//
// Every actor proposes a new position and one of the resolvers below settles it against
// the block map FHWGBL::MenMap. Positions, speeds and boxes are in hundredths of a dot;
// a block is 16 x 16 dots. Map sizes are powers of two, so every index is masked and the
// field wraps around at its edges in both directions.
//
// What a block does to movement follows only from its number: the wrappers store the
// obstacle band (OBSTRACTSTRT, OBSTRACTENDD, both exclusive) of the kind of mover before
// they call the shared core, so the band always reflects the last call.

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"

#include <cstdlib>

namespace FHWGBL {

int32_t OBSTRACTSTRT = 639;
int32_t OBSTRACTENDD = 1023;
bool FloatingObjModeF = false;

}  // namespace FHWGBL

namespace {

using namespace FHWGBL;

// Multiples of 16 below or at v (v & ~15 floors negatives too).
inline int floor16(int v) { return v & ~15; }

// Row or column of a dot coordinate. Coordinates left of or above the origin (only the
// corner probes produce them) belong to the last column or row once masked, which is
// what an arithmetic shift gives.
inline int blk(int d) { return d >> 4; }

inline int32_t B(int row, int col) {
    return MenMap[row & (MapBlkHeight - 1)][col & (MapBlkWidth - 1)];
}

inline bool inBand(int32_t n) { return OBSTRACTSTRT < n && n < OBSTRACTENDD; }

// Obstacle test with the barrier that stops only one of the two characters:
// 609 blocks character 0, 608 blocks character 1.
inline bool obstacleFor(int32_t n, int who) {
    if (inBand(n)) return true;
    return (who == 0 && n == 609) || (who == 1 && n == 608);
}

inline bool occupied(int32_t n) { return n >= OBSTRACTSTRT; }

inline int clampi(int v, int upper, int lower) {
    return v > upper ? upper : (v < lower ? lower : v);
}

inline int wrapMod(int v, int m) {
    if (m <= 0) return v;
    int r = v % m;
    return r < 0 ? r + m : r;
}

inline void wrapPosition(int* px, int* py) {
    *px = wrapMod(*px, MapFieldWidth);
    *py = wrapMod(*py, MapFieldHeight);
}

}  // namespace

namespace FHWGBL {

int Moovable(int* px, int* py, int nx, int ny, int gravity, const rRect* box, int who) {
    const int w = (box->right - box->left) / 100;
    const int h = (box->bottom - box->top) / 100;
    const int cx = *px / 100;
    const int cy = *py / 100;
    int tx = (nx / 100) & (MapDotWidth - 1);
    int ty = (ny / 100) & (MapDotHeight - 1);
    const int dx = nx - *px;
    const int whoI = who;

    // 1. Corner probes at the current position (occupied test, no upper limit).
    const int rowAbove = blk(cy - 16);
    const bool ceiling = occupied(B(rowAbove, blk(cx))) || occupied(B(rowAbove, blk(cx + w - 1)));
    const bool leftTop = occupied(B(blk(cy), blk(cx - 2)));
    const bool leftBottom = occupied(B(blk(cy + h - 1), blk(cx - 2)));
    const bool rightTop = occupied(B(blk(cy), blk(cx + w + 2)));
    const bool rightBottom = occupied(B(blk(cy + h - 1), blk(cx + w + 2)));
    const bool standing = occupied(B(blk(cy + h), blk(cx))) || occupied(B(blk(cy + h), blk(cx + w - 1)));
    const bool aboveLeft = occupied(B(rowAbove, blk(cx - 2)));
    const bool aboveRight = occupied(B(rowAbove, blk(cx + w + 2)));

    // 2. Horizontal pass over the rows the box covers now.
    bool hitR = false, hitL = false;
    for (int y = floor16(cy); y < cy + h; y += 16) {
        if (obstacleFor(B(blk(y), blk(tx + w - 1)), whoI)) hitR = true;
        if (obstacleFor(B(blk(y), blk(tx)), whoI)) hitL = true;
    }

    int result = 0;
    int snappedX = 0;
    // 3. Right wall: step up onto a one-block step, lift over a ledge, or stop.
    if (hitR) {
        snappedX = floor16(tx + w) - w;
        if (!aboveRight && dx > 0 && standing && !ceiling && (rightTop || rightBottom)) {
            ny = ny - 400 - gravity - clampi(gravity, 800, 100);
            ty = (ny / 100) & (MapDotHeight - 1);
        } else if (!rightTop && dx > 0 && !standing && rightBottom) {
            ny = ny - 400 - gravity;
            ty = (ny / 100) & (MapDotHeight - 1);
        } else {
            result = 4;
        }
    }
    // 4. Left wall, evaluated independently.
    if (hitL) {
        if (!aboveLeft && dx < 0 && standing && !ceiling && (leftTop || leftBottom)) {
            ny = ny - 400 - gravity - clampi(gravity, 800, 100);
            ty = (ny / 100) & (MapDotHeight - 1);
        } else if (!leftTop && dx < 0 && !standing && leftBottom) {
            ny = ny - 400 - gravity;
            ty = (ny / 100) & (MapDotHeight - 1);
        } else {
            result = 4;
        }
    }

    // 5. Horizontal result.
    int X;
    if (hitR && !hitL) {
        *px = snappedX * 100;
        X = snappedX;
    } else if (hitL && !hitR) {
        X = floor16(tx + 16);
        *px = X * 100;
    } else if (hitR && hitL) {
        X = tx;
    } else {
        *px = nx;
        X = tx;
    }

    // 6. Vertical pass over the columns at the resolved x.
    bool hitB = false, hitT = false;
    for (int x = floor16(X); x < X + w; x += 16) {
        if (obstacleFor(B(blk(ty + h - 1), blk(x)), whoI)) hitB = true;
        if (obstacleFor(B(blk(ty), blk(x)), whoI)) hitT = true;
    }

    // 7. Vertical result.
    if (hitB && hitT) {
        result |= 3;
        if (ceiling) {
            *py += 300;
            if (!leftTop && !leftBottom) *px -= 100;
            if (!rightTop && !rightBottom) *px += 100;
        } else {
            *py = ny;
        }
    } else if (hitB) {
        result |= 1;
        *py = (floor16(ty + h) - h) * 100;
    } else if (hitT) {
        result |= 2;
        *py = ny;
    } else {
        *py = ny;
    }

    // 8. Wrap into the field.
    wrapPosition(px, py);
    return result;
}

namespace {

// Shared tail of the two plain resolvers: horizontal outcome of a pass (step 3).
int horizontalOutcome(bool hitR, bool hitL, int* px, int nx, int tx, int w, int adx, int* X) {
    if (hitL && !hitR) {
        *X = floor16(tx + 16);
        *px = *X * 100;
        return 4;
    }
    if (hitR && !hitL) {
        if (adx >= 50) *px = (floor16(tx + w) - w) * 100;
        *X = *px / 100;
        return 4;
    }
    if (hitR && hitL) {
        *X = tx;
        return 0;
    }
    *px = nx;
    *X = tx;
    return 0;
}

// Result masking (step 7): a helper that ends exactly where it was asked to go has
// not been stopped in that direction.
int maskResult(int result, int px, int py, int nx, int ny) {
    if (px == nx) result &= ~4;
    if (py == ny) result &= ~3;
    return result;
}

}  // namespace

int MoovableUD_ORG(int* px, int* py, int nx, int ny, const rRect* box) {
    const int w = (box->right - box->left) / 100;
    const int h = (box->bottom - box->top) / 100;
    const int cy = *py / 100;
    const int tx = (nx / 100) & (MapDotWidth - 1);
    const int ty = (ny / 100) & (MapDotHeight - 1);
    const int adx = std::abs(nx - *px);
    const int ady = std::abs(ny - *py);

    bool hitR = false, hitL = false;
    for (int y = floor16(cy); y <= floor16(cy + h - 1); y += 16) {
        if (inBand(B(blk(y), blk(tx + w - 1)))) hitR = true;
        if (inBand(B(blk(y), blk(tx)))) hitL = true;
    }
    int X = 0;
    int result = horizontalOutcome(hitR, hitL, px, nx, tx, w, adx, &X);

    bool hitB = false, hitT = false;
    const int n = clampi(w, 1024, 16) / 16;
    const int rowB = blk(ty + h - 1);
    const int rowT = blk(ty);
    for (int i = 0; i < n; ++i) {
        const int col = blk((X + 16 * i) & (MapDotWidth - 16));
        if (inBand(B(rowB, col))) hitB = true;
        if (inBand(B(rowT, col))) hitT = true;
    }
    if (inBand(B(rowB, blk(X + w - 1)))) hitB = true;
    if (inBand(B(rowT, blk(X + w - 1)))) hitT = true;

    if (hitB && hitT) {
        *py += 400;
        result |= 3;
    } else if (hitB) {
        int snapped = floor16(ty + h) - h;
        if (FloatingObjModeF) {
            snapped = floor16(snapped);
            *py = snapped * 100;
        } else if (ady > 50) {
            *py = snapped * 100;
        }
        result |= 1;
    } else if (hitT) {
        *py = ((ty + 16) & 0xFFF0) * 100;
        result |= 2;
    } else {
        *py = ny;
    }

    wrapPosition(px, py);
    return maskResult(result, *px, *py, nx, ny);
}

int MoovableUD_ORGx(int* px, int* py, int nx, int ny, const rRect* box, int who) {
    const int w = (box->right - box->left) / 100;
    const int h = (box->bottom - box->top) / 100;
    const int cy = *py / 100;
    const int tx = (nx / 100) & (MapDotWidth - 1);
    const int ty = (ny / 100) & (MapDotHeight - 1);
    const int adx = std::abs(nx - *px);
    const int ady = std::abs(ny - *py);
    const int whoI = who;

    bool hitR = false, hitL = false;
    const int colR = blk(tx + w - 1);
    const int colL = blk(tx);
    for (int y = floor16(cy); y < floor16(cy) + h - 1; y += 16) {
        if (obstacleFor(B(blk(y), colR), whoI)) hitR = true;
        if (obstacleFor(B(blk(y), colL), whoI)) hitL = true;
    }
    const int rowRoundUp = blk(cy + 15);
    if (obstacleFor(B(rowRoundUp, colR), whoI)) hitR = true;
    if (obstacleFor(B(rowRoundUp, colL), whoI)) hitL = true;

    int X = 0;
    int result = horizontalOutcome(hitR, hitL, px, nx, tx, w, adx, &X);

    bool hitB = false, hitT = false;
    const int rowB = blk(ty + h - 1);
    const int rowT = blk(ty);
    for (int x = floor16(X); x < floor16(X) + w - 1; x += 16) {
        if (obstacleFor(B(rowB, blk(x)), whoI)) hitB = true;
        if (obstacleFor(B(rowT, blk(x)), whoI)) hitT = true;
    }
    const int col14 = blk(X + 14);
    if (obstacleFor(B(rowB, col14), whoI)) hitB = true;
    if (obstacleFor(B(rowT, col14), whoI)) hitT = true;

    if (hitB && hitT) {
        *py += 400;
        result |= 3;
    } else if (hitB) {
        if (ady >= 50) *py = (floor16(ty + h) - h) * 100;
        result |= 1;
    } else if (hitT) {
        *py = ((ty + 16) & 0xFFF0) * 100;
        result |= 2;
    } else {
        *py = ny;
    }

    wrapPosition(px, py);
    return maskResult(result, *px, *py, nx, ny);
}

// ---- Wrappers: each sets its band (and the floating mode of the plain family). ----

int MoovableUS(int* px, int* py, int nx, int ny, int gravity, const rRect* box, int who) {
    OBSTRACTSTRT = 639;
    OBSTRACTENDD = 1008;
    return Moovable(px, py, nx, ny, gravity, box, who);
}

int MoovableEnm(int* px, int* py, int nx, int ny, int gravity, const rRect* box) {
    OBSTRACTSTRT = 631;
    OBSTRACTENDD = 1008;
    return Moovable(px, py, nx, ny, gravity, box, 0);
}

int MoovableUDUS(int* px, int* py, int nx, int ny, const rRect* box, int who) {
    OBSTRACTSTRT = 632;
    OBSTRACTENDD = 1010;
    FloatingObjModeF = false;
    return MoovableUD_ORGx(px, py, nx, ny, box, who);
}

namespace {
inline int plainBand(int* px, int* py, int nx, int ny, const rRect* box, int strt, int endd, bool floating) {
    OBSTRACTSTRT = strt;
    OBSTRACTENDD = endd;
    FloatingObjModeF = floating;
    return MoovableUD_ORG(px, py, nx, ny, box);
}
}  // namespace

int MoovableUDPippo(int* px, int* py, int nx, int ny, const rRect* box) {
    return plainBand(px, py, nx, ny, box, 639, 943, true);
}
int MoovableUD0(int* px, int* py, int nx, int ny, const rRect* box) {
    return plainBand(px, py, nx, ny, box, 639, 1009, false);
}
int MoovableUD(int* px, int* py, int nx, int ny, const rRect* box) {
    return plainBand(px, py, nx, ny, box, 631, 1008, false);
}
int MoovableUDBoss(int* px, int* py, int nx, int ny, const rRect* box) {
    return plainBand(px, py, nx, ny, box, 623, 895, false);
}
int MoovableUD1(int* px, int* py, int nx, int ny, const rRect* box) {
    return plainBand(px, py, nx, ny, box, 639, 895, false);
}
int MoovableUD2(int* px, int* py, int nx, int ny, const rRect* box) {
    return plainBand(px, py, nx, ny, box, 631, 1023, false);
}

int MoovableFree(int* px, int* py, int nx, int ny, const rRect* /*box*/) {
    *px = nx;
    *py = ny;
    return 0;
}

int HitObjAndObj(int x1, int y1, rRect box1, int x2, int y2, rRect box2) {
    // Boxes near the wrap seam: when the view straddles it, a position left of (above)
    // the view origin lies on the far side of the seam and is moved one field further.
    if (GmapXBorderF) {
        if (GFieldLftX > x1) x1 += MapFieldWidth;
        if (GFieldLftX > x2) x2 += MapFieldWidth;
    }
    if (GmapYBorderF) {
        if (GFieldTopY > y1) y1 += MapFieldHeight;
        if (GFieldTopY > y2) y2 += MapFieldHeight;
    }
    const int w1 = box1.right - box1.left, h1 = box1.bottom - box1.top;
    const int w2 = box2.right - box2.left, h2 = box2.bottom - box2.top;
    if (!(x1 < x2 + w2 && x2 < x1 + w1 && y1 < y2 + h2 && y2 < y1 + h1)) return 0;

    if (y1 < y2) return 1;
    const int a = (y1 > y2) ? 2 : 0;
    const int c = a | ((x1 > x2) ? 4 : a);
    return c | ((x1 < x2) ? 8 : c);
}

bool inTheWindow(int x, int y, const rRect* box) {
    const int hx = GmapXBorderF ? MapFieldWidth / 2 : 0;
    const int hy = GmapYBorderF ? MapFieldHeight / 2 : 0;
    const int wx = wrapMod(GFieldLftX + hx, MapFieldWidth);
    const int wy = wrapMod(GFieldTopY + hy, MapFieldHeight);
    const int bx = wrapMod(x + hx, MapFieldWidth);
    const int by = wrapMod(y + hy, MapFieldHeight);
    const int l = bx + box->left, r = bx + box->right;
    const int t = by + box->top, b = by + box->bottom;
    return l < wx + 32000 && wx < r && t < wy + 27200 && wy < b;
}

void ChangeMapObj(int from, int to) {
    if (from < 8 || from > 1023 || to < 0 || to > 1023) return;
    for (int y = 0; y < MapBlkHeight; ++y) {
        int32_t* row = MenMap[y];
        for (int x = 0; x < MapBlkWidth; ++x) {
            if (row[x] == from) row[x] = to;
        }
    }
}

}  // namespace FHWGBL

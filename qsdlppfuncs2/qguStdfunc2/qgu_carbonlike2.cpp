// Toolbox-style random state, points and rectangles.
#include "qgu_carbonlike2.h"

namespace {
// Shared by Random() and miRanda(): both generators advance the same state.
uint32_t next = 1;
}  // namespace

void SetRandomSeed(uint32_t seed) { next = seed; }
void SetMrandaSeed(uint32_t seed) { next = seed; }

int32_t Random() {
    next = next * 1103515245u + 12345u;
    return int32_t(next) / 65536;
}

int32_t miRanda() {
    next = next * 1703515245u + 12345u;
    return int32_t(next);
}

uint32_t qgu_randomState() { return next; }

void SetPt(rPoint* pt, int h, int v) {
    pt->h = h;
    pt->v = v;
}

void SetRect(rRect* r, int left, int top, int right, int bottom) {
    r->left = left;
    r->top = top;
    r->right = right;
    r->bottom = bottom;
}

void OffsetRectMacOffsetRect(rRect* r, int dh, int dv) {
    r->top += dv;
    r->bottom += dv;
    r->left += dh;
    r->right += dh;
}

bool SectRect(const rRect* a, const rRect* b, rRect* /*out*/) {
    return a->left < b->right && a->right > b->left && a->top < b->bottom && a->bottom > b->top;
}

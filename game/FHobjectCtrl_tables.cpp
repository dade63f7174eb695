// Static data of the character base: the 24-direction tables.
//
// The direction tables are not exactly symmetric (-50 at direction 8 but -51 at 16, 49
// at 20); shots and decorations that fly along them depend on these exact values.
#include "FHobjectCtrl.h"

// cos(d x 15 deg) x 100, d = 0..23.
const int32_t CHARACTER_BASE::x24costbl[24] = {
    100, 96,  86,  70,  50,  25,  0,  -26, -50, -71, -87, -97,
    -100, -97, -87, -71, -51, -26, 0, 25,  49,  70,  86,  96,
};

// sin(d x 15 deg) x 100 (y grows downwards: direction 6 points down).
const int32_t CHARACTER_BASE::y24sintbl[24] = {
    0, 25,  49,  70,  86,  96,  100, 96,  86,  70,  50,  25,
    0, -26, -50, -71, -87, -97, -100, -97, -87, -71, -51, -26,
};

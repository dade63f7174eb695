// Map object kinds: attribute records, collision boxes, behaviour words, and the boxes of
// the player characters (data only).
#include "FHobjectCtrl.h"
#include "envresGlobal.h"

// ---- NOT DESIGNED YET -------------------------------------------------------------
// The object kinds listed in objAttributeNotDesignedYet are made together with their
// behaviours and pictures. Until then their records are the placeholder below: box 0,
// practically indestructible (32000), worth nothing, no flags (harmless, never hit)
// and no picture. Replace each row with the kind's real attributes and remove it from
// the list.
#define OBJATTR_NOT_DESIGNED_YET {0, 32000, 0, 0x0, 0}
const int16_t objAttributeNotDesignedYet[] = {
    9, 10, 11, 12, 13, 16, 18, 20, 21, 22, 24, 25, 26, 30, 31,
    43, 45, 47, 57, 58, 59, 60, 61, 62, 63, 64, 65,
    66, 67, 69, 70, 71, 72, 73, 75, 76, 77, 78, 79, 80, 81, 82,
    83, 84, 85, 86, 87, 88, 89, 91, 92, 93, 94, 95, 96, 98, 99, 100,
    101, 102, 103, 104, 105, 106, 107, 108, 109, 111, 112, 116, 117, 118,
    119, 121, 122, 123, 127, 174, 175, 179, 181, 182, 183, 184, 185, 186, 187,
    189, 190, 192, 193, 195, 198, 200, 201, 202, 203, 204, 205, 206, 207, 208, 209,
    210, 211, 212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222, 223, 224, 225,
    226, 227, 228, 229, 230, 231,
};
const int objAttributeNotDesignedCount =
    int(sizeof objAttributeNotDesignedYet / sizeof objAttributeNotDesignedYet[0]);
// ---- end of NOT DESIGNED YET ------------------------------------------------------

// Unused kinds have all five fields -1.
#define OBJATTR_UNUSED {-1, -1, -1, -1, -1}

// {rect, life, value, flags, patt} by object kind 0..272.
const int32_t objAttributeResGlb[kObjKinds][kObjAttrWords] = {
    {0, -1, -1, 0, 0},  // 0
    {0, 32000, 10, 0, 0},  // 1
    {0, 32000, 10, 0, 0},  // 2
    {0, 32000, 10, 0, 0},  // 3
    {0, 32000, 10, 0, 0},  // 4
    {0, 32000, 10, 0, 0},  // 5
    {9, 1, 0, 0x1000, 32},  // 6
    {62, 1, 0, 0x1000, 33},  // 7
    {11, 40, 10, 0x10100, 816},  // 8
    OBJATTR_NOT_DESIGNED_YET,  // 9
    OBJATTR_NOT_DESIGNED_YET,  // 10
    OBJATTR_NOT_DESIGNED_YET,  // 11
    OBJATTR_NOT_DESIGNED_YET,  // 12
    OBJATTR_NOT_DESIGNED_YET,  // 13
    {9, 30, 300, 0x10100, 749},  // 14
    {9, 40, 200, 0x10100, 724},  // 15 acorn critter
    OBJATTR_NOT_DESIGNED_YET,  // 16
    {9, 100, 1000, 0x100, 825},  // 17
    OBJATTR_NOT_DESIGNED_YET,  // 18
    {9, 20, 200, 0x100, 772},  // 19
    OBJATTR_NOT_DESIGNED_YET,  // 20
    OBJATTR_NOT_DESIGNED_YET,  // 21
    OBJATTR_NOT_DESIGNED_YET,  // 22
    {8, 40, 300, 0x100, 736},  // 23 tree spider
    OBJATTR_NOT_DESIGNED_YET,  // 24
    OBJATTR_NOT_DESIGNED_YET,  // 25
    OBJATTR_NOT_DESIGNED_YET,  // 26
    {1, 32000, 10, 0x0, 740},  // 27 hollow stump nest (never beaten)
    {1, 160, 800, 0x8100, 763},  // 28
    {1, 10, -660, 0x600, 802},  // 29
    OBJATTR_NOT_DESIGNED_YET,  // 30
    OBJATTR_NOT_DESIGNED_YET,  // 31
    {0, 10, 100, 0x10100, 160},  // 32
    {9, 40, 300, 0x10100, 745},  // 33 ground beetle
    {9, 40, 300, 0x100, 728},  // 34 grasshopper
    {8, 20, 300, 0x100, 731},  // 35 wisp
    {9, 20, 100, 0x100, 733},  // 36 beetle grub
    {7, 10, 100, 0x100, 166},  // 37
    {11, 30, 300, 0x10100, 804},  // 38 kite (its tail hurts)
    {8, 20, 400, 0x10100, 806},  // 39 swallow
    {13, 60, 600, 0x8100, 1040},  // 40 storm cloud
    {0, 200, 1000, 0x8400, 175},  // 41
    {0, 1, 0, 0x0, 0},  // 42 spent capsule shell (patt: the capsule's picture)
    OBJATTR_NOT_DESIGNED_YET,  // 43
    {12, 1, 100, 0x8c00, 811},  // 44 balloon: a platform a punch pops
    OBJATTR_NOT_DESIGNED_YET,  // 45
    {11, 32000, 0, 0x28000, 828},  // 46 wind gust: a carrier that lifts, never hit
    OBJATTR_NOT_DESIGNED_YET,  // 47
    {0, 1, 0, 0x1000, 52},  // 48
    {0, 1, 0, 0x1000, 8},  // 49
    {0, 1, 0, 0x1000, 12},  // 50
    {0, 1, 0, 0x1000, 352},  // 51
    {0, 1, 0, 0x1000, 352},  // 52
    {0, 1, 0, 0x1000, 64},  // 53
    {0, 1, 0, 0x1000, 268},  // 54
    {0, 1, 0, 0x1000, 63},  // 55
    {13, 80, 10000, 0xc00, 1053},  // 56
    OBJATTR_NOT_DESIGNED_YET,  // 57
    OBJATTR_NOT_DESIGNED_YET,  // 58
    OBJATTR_NOT_DESIGNED_YET,  // 59
    OBJATTR_NOT_DESIGNED_YET,  // 60
    OBJATTR_NOT_DESIGNED_YET,  // 61
    OBJATTR_NOT_DESIGNED_YET,  // 62
    OBJATTR_NOT_DESIGNED_YET,  // 63
    OBJATTR_NOT_DESIGNED_YET,  // 64
    OBJATTR_NOT_DESIGNED_YET,  // 65
    OBJATTR_NOT_DESIGNED_YET,  // 66
    OBJATTR_NOT_DESIGNED_YET,  // 67
    {57, 1000, 40000, 0x8100, 1563},  // 68 storm roc
    OBJATTR_NOT_DESIGNED_YET,  // 69
    OBJATTR_NOT_DESIGNED_YET,  // 70
    OBJATTR_NOT_DESIGNED_YET,  // 71
    OBJATTR_NOT_DESIGNED_YET,  // 72
    OBJATTR_NOT_DESIGNED_YET,  // 73
    {19, 1600, 50000, 0x900, 1551},  // 74
    OBJATTR_NOT_DESIGNED_YET,  // 75
    OBJATTR_NOT_DESIGNED_YET,  // 76
    OBJATTR_NOT_DESIGNED_YET,  // 77
    OBJATTR_NOT_DESIGNED_YET,  // 78
    OBJATTR_NOT_DESIGNED_YET,  // 79
    OBJATTR_NOT_DESIGNED_YET,  // 80
    OBJATTR_NOT_DESIGNED_YET,  // 81
    OBJATTR_NOT_DESIGNED_YET,  // 82
    OBJATTR_NOT_DESIGNED_YET,  // 83
    OBJATTR_NOT_DESIGNED_YET,  // 84
    OBJATTR_NOT_DESIGNED_YET,  // 85
    OBJATTR_NOT_DESIGNED_YET,  // 86
    OBJATTR_NOT_DESIGNED_YET,  // 87
    OBJATTR_NOT_DESIGNED_YET,  // 88
    OBJATTR_NOT_DESIGNED_YET,  // 89
    {11, 80, 800, 0x10100, 720},  // 90
    OBJATTR_NOT_DESIGNED_YET,  // 91
    OBJATTR_NOT_DESIGNED_YET,  // 92
    OBJATTR_NOT_DESIGNED_YET,  // 93
    OBJATTR_NOT_DESIGNED_YET,  // 94
    OBJATTR_NOT_DESIGNED_YET,  // 95
    OBJATTR_NOT_DESIGNED_YET,  // 96
    {8, 60, 500, 0x20100, 876},  // 97 lake jelly: a carrier, hit by every shot
    OBJATTR_NOT_DESIGNED_YET,  // 98
    OBJATTR_NOT_DESIGNED_YET,  // 99
    OBJATTR_NOT_DESIGNED_YET,  // 100
    OBJATTR_NOT_DESIGNED_YET,  // 101
    OBJATTR_NOT_DESIGNED_YET,  // 102
    OBJATTR_NOT_DESIGNED_YET,  // 103
    OBJATTR_NOT_DESIGNED_YET,  // 104
    OBJATTR_NOT_DESIGNED_YET,  // 105
    OBJATTR_NOT_DESIGNED_YET,  // 106
    OBJATTR_NOT_DESIGNED_YET,  // 107
    OBJATTR_NOT_DESIGNED_YET,  // 108
    OBJATTR_NOT_DESIGNED_YET,  // 109
    {0, 32000, 0, 0x0, 0},  // 110: a mystery item's place once taken (harmless, never hit)
    OBJATTR_NOT_DESIGNED_YET,  // 111
    OBJATTR_NOT_DESIGNED_YET,  // 112
    {12, 32000, 10, 0x8800, 744},  // 113 floating log (platform)
    {12, 32000, 10, 0x8800, 813},  // 114 cloud platform
    {12, 32000, 10, 0x8800, 815},  // 115 falling cloud
    OBJATTR_NOT_DESIGNED_YET,  // 116
    OBJATTR_NOT_DESIGNED_YET,  // 117
    OBJATTR_NOT_DESIGNED_YET,  // 118
    OBJATTR_NOT_DESIGNED_YET,  // 119
    {62, 1, 0, 0, 33},  // 120
    OBJATTR_NOT_DESIGNED_YET,  // 121
    OBJATTR_NOT_DESIGNED_YET,  // 122
    OBJATTR_NOT_DESIGNED_YET,  // 123
    {19, 99900, 99900, 0x18900, 1552},  // 124
    {19, 900, 30000, 0x8100, 1551},  // 125 oak guardian
    {9, 1, 0, 0, 32},  // 126
    OBJATTR_NOT_DESIGNED_YET,  // 127
    {1, 999, 60, 0x0, 1336},  // 128 explosion (value: its period in frames)
    {1, 999, 60, 0x0, 1336},  // 129 explosion
    {2, 999, 90, 0x0, 1337},  // 130 explosion
    {1, 999, 60, 0x0, 1336},  // 131 explosion
    {2, 999, 120, 0x0, 1337},  // 132 explosion
    {2, 999, 150, 0x0, 1338},  // 133 large explosion
    {1, 999, 60, 0x0, 1336},  // 134 explosion
    {2, 999, 240, 0x0, 1338},  // 135 boss explosion
    {9, 20, 500, 0x400, 848},  // 136
    {9, 20, 500, 0x400, 849},  // 137
    {9, 20, 500, 0x400, 850},  // 138
    {9, 20, 500, 0x400, 851},  // 139
    {9, 20, 500, 0x400, 852},  // 140
    {9, 20, 500, 0x400, 853},  // 141
    {9, 40, 500, 0x400, 854},  // 142
    {9, 40, 500, 0x400, 855},  // 143
    {9, 40, 500, 0x400, 856},  // 144
    {9, 40, 500, 0x400, 857},  // 145
    {9, 40, 500, 0x400, 858},  // 146
    {9, 40, 500, 0x400, 859},  // 147
    OBJATTR_UNUSED,  // 148
    {9, 20, 500, 0x400, 849},  // 149
    {9, 20, 500, 0x400, 850},  // 150
    {9, 40, 500, 0x400, 851},  // 151 capsule of the tree spider
    {9, 20, 500, 0x400, 852},  // 152
    {9, 20, 500, 0x400, 853},  // 153
    {9, 20, 500, 0x400, 854},  // 154
    OBJATTR_UNUSED,  // 155
    OBJATTR_UNUSED,  // 156
    OBJATTR_UNUSED,  // 157
    OBJATTR_UNUSED,  // 158
    OBJATTR_UNUSED,  // 159
    {9, 40, 500, 0x400, 848},  // 160
    {9, 40, 500, 0x400, 849},  // 161 capsule of the ground beetle
    {9, 40, 500, 0x400, 850},  // 162 capsule of the grasshopper
    {9, 20, 500, 0x400, 853},  // 163 capsule of the wisp
    {9, 20, 500, 0x400, 854},  // 164 capsule of the beetle grub
    {9, 40, 500, 0x400, 853},  // 165
    {9, 40, 500, 0x400, 854},  // 166
    {9, 40, 500, 0x400, 855},  // 167
    {9, 40, 500, 0x400, 856},  // 168
    OBJATTR_UNUSED,  // 169
    OBJATTR_UNUSED,  // 170
    OBJATTR_UNUSED,  // 171
    {9, 40, 500, 0x400, 848},  // 172
    OBJATTR_UNUSED,  // 173
    OBJATTR_NOT_DESIGNED_YET,  // 174
    OBJATTR_NOT_DESIGNED_YET,  // 175
    {7, 1, 10, 0x8200, 114},  // 176 acorn seed
    {7, 1, 10, 0x8200, 96},  // 177 spat bubble
    {7, 1, 10, 0x8200, 113},  // 178 spit and clods
    OBJATTR_NOT_DESIGNED_YET,  // 179
    {11, 1, 10, 0x8200, 809},  // 180 lightning bolt
    OBJATTR_NOT_DESIGNED_YET,  // 181
    OBJATTR_NOT_DESIGNED_YET,  // 182
    OBJATTR_NOT_DESIGNED_YET,  // 183
    OBJATTR_NOT_DESIGNED_YET,  // 184
    OBJATTR_NOT_DESIGNED_YET,  // 185
    OBJATTR_NOT_DESIGNED_YET,  // 186
    OBJATTR_NOT_DESIGNED_YET,  // 187
    {1, 9999, 10, 0x8200, 44},  // 188 mine blast
    OBJATTR_NOT_DESIGNED_YET,  // 189
    OBJATTR_NOT_DESIGNED_YET,  // 190
    {1, 60, 1000, 0x100, 742},  // 191 hornet nest
    OBJATTR_NOT_DESIGNED_YET,  // 192
    OBJATTR_NOT_DESIGNED_YET,  // 193
    {0, 1, 0, 0x1000, 84},  // 194
    OBJATTR_NOT_DESIGNED_YET,  // 195
    {0, 1, 0, 0x1000, 63},  // 196
    {0, 1, 0, 0x1000, 31},  // 197
    OBJATTR_NOT_DESIGNED_YET,  // 198
    OBJATTR_UNUSED,  // 199
    OBJATTR_NOT_DESIGNED_YET,  // 200
    OBJATTR_NOT_DESIGNED_YET,  // 201
    OBJATTR_NOT_DESIGNED_YET,  // 202
    OBJATTR_NOT_DESIGNED_YET,  // 203
    OBJATTR_NOT_DESIGNED_YET,  // 204
    OBJATTR_NOT_DESIGNED_YET,  // 205
    OBJATTR_NOT_DESIGNED_YET,  // 206
    OBJATTR_NOT_DESIGNED_YET,  // 207
    OBJATTR_NOT_DESIGNED_YET,  // 208
    OBJATTR_NOT_DESIGNED_YET,  // 209
    OBJATTR_NOT_DESIGNED_YET,  // 210
    OBJATTR_NOT_DESIGNED_YET,  // 211
    OBJATTR_NOT_DESIGNED_YET,  // 212
    OBJATTR_NOT_DESIGNED_YET,  // 213
    OBJATTR_NOT_DESIGNED_YET,  // 214
    OBJATTR_NOT_DESIGNED_YET,  // 215
    OBJATTR_NOT_DESIGNED_YET,  // 216
    OBJATTR_NOT_DESIGNED_YET,  // 217
    OBJATTR_NOT_DESIGNED_YET,  // 218
    OBJATTR_NOT_DESIGNED_YET,  // 219
    OBJATTR_NOT_DESIGNED_YET,  // 220
    OBJATTR_NOT_DESIGNED_YET,  // 221
    OBJATTR_NOT_DESIGNED_YET,  // 222
    OBJATTR_NOT_DESIGNED_YET,  // 223
    OBJATTR_NOT_DESIGNED_YET,  // 224
    OBJATTR_NOT_DESIGNED_YET,  // 225
    OBJATTR_NOT_DESIGNED_YET,  // 226
    OBJATTR_NOT_DESIGNED_YET,  // 227
    OBJATTR_NOT_DESIGNED_YET,  // 228
    OBJATTR_NOT_DESIGNED_YET,  // 229
    OBJATTR_NOT_DESIGNED_YET,  // 230
    OBJATTR_NOT_DESIGNED_YET,  // 231
    {0, 1, 0, 0x1000, 388},  // 232
    {0, 1, 0, 0x1000, 65},  // 233
    OBJATTR_UNUSED,  // 234
    OBJATTR_UNUSED,  // 235
    OBJATTR_UNUSED,  // 236
    OBJATTR_UNUSED,  // 237
    OBJATTR_UNUSED,  // 238
    OBJATTR_UNUSED,  // 239
    OBJATTR_UNUSED,  // 240
    OBJATTR_UNUSED,  // 241
    OBJATTR_UNUSED,  // 242
    OBJATTR_UNUSED,  // 243
    OBJATTR_UNUSED,  // 244
    OBJATTR_UNUSED,  // 245
    OBJATTR_UNUSED,  // 246
    OBJATTR_UNUSED,  // 247
    OBJATTR_UNUSED,  // 248
    OBJATTR_UNUSED,  // 249
    OBJATTR_UNUSED,  // 250
    OBJATTR_UNUSED,  // 251
    OBJATTR_UNUSED,  // 252
    OBJATTR_UNUSED,  // 253
    OBJATTR_UNUSED,  // 254
    OBJATTR_UNUSED,  // 255
    OBJATTR_UNUSED,  // 256
    {0, 3000, 1, 0, 0},  // 257
    {0, 3000, 1, 0, 0},  // 258
    {0, 3000, 1, 0, 0},  // 259
    {0, 3000, 1, 0, 0},  // 260
    {0, 3000, 1, 0, 0},  // 261
    {0, 3000, 1, 0, 0},  // 262
    {0, 3000, 1, 0, 0},  // 263
    {0, 3000, 1, 0, 0},  // 264
    {0, 3000, 1, 0, 0},  // 265
    OBJATTR_UNUSED,  // 266
    OBJATTR_UNUSED,  // 267
    {0, 3000, 1, 0, 0},  // 268
    {0, 3000, 1, 0x1000, 0},  // 269
    OBJATTR_UNUSED,  // 270
    OBJATTR_UNUSED,  // 271
    OBJATTR_UNUSED,  // 272
};

// Collision boxes of the map objects (top, left, bottom, right; field units), relative
// to the object's position; indexed by the attribute record's rect field.
const rRect MainObjectCtrlCls::Object::objectRects[64] = {
    {0, 0, 1600, 1600},         {0, 0, 3200, 3200},         // 0, 1
    {0, 0, 6400, 6400},         {-6400, -6400, 6400, 6400}, // 2, 3
    {1600, 0, 3200, 3200},      {0, 0, 3200, 1600},         // 4, 5
    {-12800, -12800, 12800, 12800}, {200, 200, 1400, 1400}, // 6, 7
    {800, 800, 2400, 2400},     {1600, 800, 3200, 2400},    // 8, 9
    {2000, 0, 3200, 3200},      {0, 800, 3200, 2400},       // 10, 11
    {800, 0, 2400, 3200},       {1600, 800, 4800, 5600},    // 12, 13
    {0, 800, 6400, 5600},       {800, 800, 5600, 5600},     // 14, 15
    {-1600, -1600, 4800, 4800}, {1600, 800, 6400, 5600},    // 16, 17
    {0, 1600, 6400, 4800},      {3200, 3200, 12800, 9600},  // 18, 19
    {1600, 1600, 4800, 4800},   {0, 0, 12800, 12800},       // 20, 21
    {4800, 4800, 8000, 8000},   {0, 200, 1600, 1400},       // 22, 23
    {0, 0, 3200, 1600},         {200, 200, 1600, 1400},     // 24, 25
    {200, 200, 3000, 3000},     {1600, 1600, 11200, 11200}, // 26, 27
    {0, 0, 1600, 1600},         {0, 100, 1600, 1500},       // 28, 29
    {0, 200, 1600, 1400},       {0, 0, 1600, 1600},         // 30, 31
    {0, 0, 1600, 1600},         {0, 0, 100, 1500},          // 32, 33
    {0, 0, 1600, 1600},         {0, 0, 1600, 1600},         // 34, 35
    {0, 0, 1600, 1600},         {0, 0, 1600, 1600},         // 36, 37
    {0, 0, 1600, 1600},         {0, 0, 1600, 1600},         // 38, 39
    {0, 0, 1600, 1600},         {0, 0, 1600, 1600},         // 40, 41
    {0, 0, 1600, 1600},         {0, 0, 1600, 1600},         // 42, 43
    {0, 0, 1600, 1600},         {1600, 800, 3200, 2400},    // 44, 45
    {0, 0, 1600, 1600},         {0, 400, 3200, 2800},       // 46, 47
    {0, 400, 3200, 2800},       {0, 1200, 1600, 2800},      // 48, 49
    {3200, 800, 6400, 5600},    {1600, 1600, 4800, 4800},   // 50, 51
    {1600, 1600, 4800, 4800},   {11600, 1600, 4800, 4800},  // 52, 53
    {3000, 3200, 12600, 9600},  {1200, 800, 6000, 5600},    // 54, 55
    {1600, 1600, 4800, 4800},   {3200, 3200, 9600, 9600},   // 56, 57
    {5600, 3200, 12000, 9600},  {1600, 0, 4800, 6400},      // 58, 59
    {1600, 800, 6400, 5600},    {800, 900, 2400, 2300},     // 60, 61
    {1800, 1000, 3200, 2200},   {0, 0, 0, 0},               // 62 (doors), 63
};

// Behaviour word by the behaviour number a map gives a placed object: bits 8..10 the
// class, bit 11 a per-kind flag.
const int32_t MainObjectCtrlCls::Object::behaveTBL[16] = {
    0, 0, 256, 512, 1024, 2048, 2304, 2560, 3072, 0, 0, 0, 0, 0, 0, 0,
};

// The wide catch box of the behaviours.
const rRect MainObjectCtrlCls::Object::hugeRect = {-32, -32, 96, 96};

// Player character boxes: [0] on foot 12 x 14 dots, [1] swimming 16 x 16, [2] the dog
// 12 x 12, [3] the reach box 24 x 22.
const rRect MyCharactor::charBoxTbl[4] = {
    {1800, 1000, 3200, 2200},
    {1200, 800, 2800, 2400},
    {1000, 1000, 2200, 2200},
    {-800, 0, 1400, 2400},
};

// Chapter and section tables, map file names and fixed texts (data only).
//
// ConstMsg rows 1 to 7 hold the Japanese text (half-width katakana bytes 0xA1-0xDF),
// a 0x07 byte, then the English text; 0x0D breaks a line and 0x11 shifts the next glyph
// by 64 (the speaker portraits). Row 0 is English only; rows 8 and 9 are empty.
#include "envresGlobal.h"

const char MapFilename[kMapFileGroups][256] = {
    "resourcesQSDL/wc2fh_lv1", "resourcesQSDL/wc2fh_lv2", "resourcesQSDL/wc2fh_lv3",
    "resourcesQSDL/wc2fh_lv4", "resourcesQSDL/wc2fh_lv5", "resourcesQSDL/wc2fh_lv6",
    "resourcesQSDL/wc2fh_lv7", "resourcesQSDL/wc2fh_lv8", "resourcesQSDL/wc2fh_lv9",
};

const char ConstMsg[10][256] = {
    // 0
    "\x0D\x0D Achievements will be\x0D           deleted.",
    // 1
    " \xB4\xAF..?\x0D  \xCC\xBC\xB7\xDE\xC5 \xD3\xC9\xB6\xDE \xB6\xD7\xC0\xDE\xC6 \xCA\xB2\xAF\xC0!?\x07 He..?\x0D  What a mysterious object entered my body!?",
    // 2
    "\x11" "D \xB8\xC1\xB6\xDE \xB1\xB2\xC0\xD7 \xCE\xDE\xB8\xA6 \xC5\xB9\xDE\xBA\xDD\xC3\xDE!\x0D  \xBF\xB3\xBD\xDA\xCA\xDE \xB7\xAF\xC4...\x07\x11" "D When his mouth opens,throw me in there!\x0D  then surely...",
    // 3
    "\x0D\x11" "D \xD3\xAF\xC4 \xB4\xC8\xD9\xB7\xDE\xB0\xB6\xDE \xB1\xDA\xCA\xDE...\x07\x0D\x11" "D If only I had more energy...",
    // 4
    "\x0D\x11^ \xC5,\xC5\xBE\xDE\xC0\xDE....!\x07\x0D\x11^ W, Why....!",
    // 5
    "\x0D\x11_ \xB5\xCF\xB4\xCA \xB6\xD0\xB6 \xB1\xB8\xCF\xB6!?\x07\x0D\x11_ Are you god or devil !?",
    // 6
    "\x0D\x11_ \xD0\xC4\xD2\xD9\xBC\xB6 \xC5\xB2\xD6\xB3\xC0\xDE.\x07\x0D\x11_ I have to admit.",
    // 7
    "\x0D\x11_ \xCF\xC0\xDE\xCF\xC0\xDE \xBC\xAD\xB7\xDE\xAE\xB3\xB6\xDE \xC0\xD8\xC5\xB2.\x07\x0D\x11_ You need training more.",
    // 8
    "",
    // 9
    "",
};

// Per chapter, eight section slots of {map, nextNormal, nextAlt, reserved, timeLimit};
// slots 5 to 7 are unused.
const int32_t stageInfoResGlb[kStageChapters][kStageSlots][5] = {
    {   // chapter 0
        {0, 1, 0, 128, 32400},
        {1, 2, 3, 128, 28804},
        {2, 5, 4, 128, 18004},
        {3, 2, 2, 128, 3544},
        {4, 5, 5, 128, 10804},
        {}, {}, {},
    },
    {   // chapter 1
        {16, 1, 3, 128, 28804},
        {17, 2, 5, 128, 21604},
        {18, 5, 4, 128, 356400},
        {19, 1, 1, 128, 10804},
        {20, 5, 5, 128, 18004},
        {}, {}, {},
    },
    {   // chapter 2
        {48, 1, 3, 128, 21604},
        {49, 2, 3, 128, 43204},
        {50, 5, 4, 128, 22924},
        {34, 5, 5, 128, 54304},
        {36, 5, 3, 128, 7204},
        {}, {}, {},
    },
    {   // chapter 3
        {64, 1, 3, 128, 43204},
        {65, 2, 2, 128, 54004},
        {66, 5, 4, 128, 28804},
        {67, 1, 1, 128, 10804},
        {68, 5, 5, 128, 54004},
        {}, {}, {},
    },
    {   // chapter 4
        {80, 1, 1, 128, 54004},
        {81, 2, 3, 128, 54004},
        {7, 4, 4, 128, 54004},
        {83, 2, 3, 128, 10804},
        {8, 5, 4, 128, 356400},
        {}, {}, {},
    },
    {   // chapter 5, the appendix world
        {25, 1, 3, 128, 324000},
        {41, 2, 3, 128, 324000},
        {29, 5, 4, 128, 356400},
        {26, 0, 0, 128, 3604},
        {71, 5, 0, 128, 3596400},
        {}, {}, {},
    },
};

// Chapter markers on the chapter map (x, y screen pixels), chapters 0 to 5.
const int32_t MovingPosit[6][2] = {
    {32, 16}, {96, 112}, {96, 240}, {160, 176}, {176, 104}, {176, 248},
};

const char ChapterComment[8][256] = {
    "Prologue",
    "Episode of flowers.",
    "Episode of sky.",
    "Episode of sea.",
    "Episode of city.",
    "Episode of dreams.",
    "Around of the crossing world.",
    "Epilogue",
};

// Texts of the shell's screens: the option menu's values and help lines, the replay
// page's film kinds. Data only.
#include "FHgeneralctrl_texts.h"

namespace FHCtrlText {

const char difficultStr[5][16] = {"EASIEST(PM)", "EASY(BN)", "NORMAL(RB)", "HARD(GM)", "HARDEST(DM)"};

const char DisEnable[2][10] = {"DISABLE", "ENABLE"};

const int32_t restoreGC[4] = {250, 400, 1, -1};

const char optionRow[8][16] = {"1.Return (EXIT)", "2.ALT. play", "3.Difficulty", "4.Start coins",
                               "5.Iron safe",     "6.Vital gauge", "7.Invincible", "8.View path"};
const char optionLocked[8][16] = {"", "", "", "", "5.LOCKED", "6.LOCKED", "7.LOCKED", "8.LOCKED"};

// Help lines: a half-width katakana title (0x12 ... 0x13 marks its highlighted span),
// then the English text.
const char informsg[8][256] = {
    "\x12\xD3\xC4\xDE\xD9\x13 The settings will be enabled when New game.",
    "\x12\xBA\xB3\xBA\xDE\x13 (Use 2 controllers & operate them alternately.)",
    "\x12\xD1\xBD\xDE\xB6\xBC\xBB\x13 (Change play difficulty.)",
    "Set number of coins when [new game] begin.",
    "\x12\xB7\xDD\xBA\x13 (Never lose gold coins.)",
    "\x12\xC0\xB2\xD8\xAE\xB8\x13 (View the life remain.)",
    "\x12\xD1\xC3\xB7\x13 (except the traps and OBAKE)",
    "\x12\xD0\xC1\x13 (View movable space.)",
};

const char informsgUL[8][256] = {
    "Return",
    "Unlocked",
    "Unlocked",
    "Unlocked",
    "\x12\xDB\xAF\xB8\x13 (Play 10 hours.)",
    "\x12\xDB\xAF\xB8\x13 (Clear 20 sections.)",
    "\x12\xDB\xAF\xB8\x13 (Play 20 hours or 100% achieved.)",
    "\x12\xDB\xAF\xB8\x13 (Perfect clear...?.)",
};

const char Repstr[4][10] = {"Last", "Best", "Favo", "XXXX"};

}  // namespace FHCtrlText

// Texts of the shell's screens (FHgeneralctrl_texts.cpp).
#pragma once

#include <cstdint>

namespace FHCtrlText {
extern const char difficultStr[5][16];
extern const char DisEnable[2][10];
extern const int32_t restoreGC[4];   // start coins of choices 0..3 (3 is computed)
extern const char optionRow[8][16];
extern const char optionLocked[8][16];
extern const char informsg[8][256];
extern const char informsgUL[8][256];
extern const char Repstr[4][10];     // film kinds
}  // namespace FHCtrlText

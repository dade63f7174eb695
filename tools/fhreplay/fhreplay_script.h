// Input scripts: readable text that drives a live section one input word per step, so
// that films can be made again from a committed script at any time.
//
//   # a comment (to the end of the line)
//   section 0 3        chapter and section (0-based); required
//   level 2            game level (default 2)
//   gold 250           gold coins at the start (default 250)
//   clock 1767225600   calendar time of the start (default below); seeds Random()
//   120*R              hold right for 120 steps
//   30*R+B             right and B together for 30 steps
//   0x14               one step of the word 0x14 (decimal works too)
//   60*-               60 steps with nothing pressed
//
// Letters name player 1's buttons: U up, D down, L left, R right, A, B, C; words in
// numbers may hold any of the 16 bits (the D buttons never reach a film).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace FHReplay {

constexpr int64_t kDefaultClock = 1767225600; // 2026-01-01 00:00:00 UTC

struct Script {
    int chapter = -1;
    int section = -1;
    int level = 2;
    int gold = 250;
    int64_t clock = kDefaultClock;
    std::vector<uint16_t> words; // one per step
};

// Parses a script text. On failure returns false and names the line in `error`.
bool parseScript(const std::string& text, Script& out, std::string& error);
// Reads and parses a script file.
bool loadScript(const char* path, Script& out, std::string& error);

// One input word from a token such as "R+B", "0x14", "20" or "-"; false when the token
// is not a word.
bool parseWord(const std::string& token, uint16_t& word);

} // namespace FHReplay

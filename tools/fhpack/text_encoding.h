// Texts: UTF-8 sources turned into the game's single-byte text encoding.
//
// Printable ASCII stays as it is; half-width katakana (U+FF61..U+FF9F) become the bytes
// 0xA1..0xDF; full-width katakana, hiragana and Japanese punctuation are written as their
// half-width forms (a voiced kana becomes two bytes: the kana and its mark); full-width
// letters, digits and signs become ASCII. Escapes:
// \r (0x0D, line break), \n (0x0A), \\, \" and \xHH for any byte (0x07 ends a message's
// first half, 0x11 selects a symbol glyph, 0x12 / 0x13 turn kana mode on and off).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct TextKanaMapping {
    uint32_t codePoint;
    uint8_t first, second; // second is 0 when the kana is one byte
};
extern const TextKanaMapping kTextKanaTable[];
extern const unsigned kTextKanaTableSize;

// Converts one line of source text. Returns false with a reason naming the character
// when something cannot be written.
bool textEncodeGame(const std::string& utf8, std::string& out, std::string& reason);

// Reads a UTF-8 text file as lines (without line ends; a trailing empty line dropped).
bool textReadLines(const std::string& path, std::vector<std::string>& lines);

// A string list ('STR#'): a big-endian 16-bit count, then one Pascal string per source
// line. Lines starting with '#' are comments; a line "\" alone stands for an empty string.
// On failure sets errLine (1-based) and reason.
bool textCompileStringList(const std::vector<std::string>& lines, std::vector<uint8_t>& out, int& errLine,
                           std::string& reason);

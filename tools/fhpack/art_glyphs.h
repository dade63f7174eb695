// Bitmap glyphs in the ".hex" format of GNU Unifont: one glyph per line,
// "CODEPOINT:BITMAP", the bitmap 16 rows of 8 bits (32 hex digits) or of 16 bits
// (64 hex digits), most significant bit leftmost.
#pragma once
#include "art_image.h"

#include <map>
#include <string>

struct HexGlyph {
    int width = 8;          // 8 or 16
    uint16_t rows[16] = {};  // bit (width - 1 - x) of row y is pixel (x, y)
    bool on(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < 16 && (rows[y] >> (width - 1 - x)) & 1; }
    // Leftmost and rightmost inked columns; -1, -1 for an empty glyph.
    void inkSpan(int& left, int& right) const;
};

using HexFont = std::map<uint32_t, HexGlyph>;

HexFont artLoadHexFont(const std::string& path);
// One "CODEPOINT:BITMAP" line; throws with the given place when it is malformed.
void artParseHexLine(const std::string& line, const std::string& path, int lineNo, uint32_t& cp, HexGlyph& g);
const HexFont& artHexFont(const std::string& path);  // cached

// Draws text in a hex font at (x, y), each font pixel sx by sy picture pixels; advance is
// the glyph's inked width plus one column (a space is 4 columns). Returns the width drawn.
int artDrawHexText(Image& img, const HexFont& font, const std::string& utf8, int x, int y, int sx, int sy, Rgba c);
int artMeasureHexText(const HexFont& font, const std::string& utf8, int sx);
// Decodes UTF-8 into code points (bad bytes become U+FFFD).
std::vector<uint32_t> artDecodeUtf8(const std::string& s);

// Sprite atlases, block sheets and font pictures assembled from manifests.
//
// Atlas manifest (".atlas"):
//   picture 129 cell 32 size 512 1024 patterns 512 1023 [index low9|direct|low9+low8]
//   color NAME #rrggbb | font FILE.hex | seed N | include FILE   (shared by all cells)
//   656: COMMANDS                 one cell, drawn by recipe commands separated by ';'
//   659-662: figure hero walk {i} a range; {i} counts from 0, {n} is the pattern number
//
// A pattern lands in the cell its number selects when the game draws it: the low 9 bits
// ("low9", the sprite atlases), the number itself ("direct", block sheets), or both the
// low 9 and the low 8 bits ("low9+low8", for an atlas whose patterns some readers reduce
// to 8 bits; both cells get the same picture).
//
// Font manifest (".font"):
//   font 101 cell 32 size 512 512 glyphs FILE.hex style regular [kana-mode bold]
//   glyph CODE: COMMANDS          an own glyph for the character code (cell = code - 32)
//   cell N: COMMANDS              an own picture for cell N (kana-mode cells 192..255)
#pragma once
#include "art_image.h"

#include <string>

Image artBuildAtlas(const std::string& manifestPath);
Image artBuildFont(const std::string& manifestPath);

// The cells a pattern fills under an index rule ("low9", "direct", "low9+low8").
// Exposed for tests.
void artAtlasCells(const std::string& rule, int pattern, int& cellA, int& cellB);

// Advance of each font cell in sixteenths of the cell (the game's proportional table).
extern const unsigned char kArtFontWidths[256];

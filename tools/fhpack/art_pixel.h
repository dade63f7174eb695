// Palette-indexed pixel art as text (".px" files):
//
//   # a comment ("# " or "#" alone at the start of a line, outside sprite rows)
//   palette                 one entry per line: CHARACTER COLOUR
//   . none
//   K #241a2a
//   import common.px        takes over the palette of another .px file
//   sprite NAME WIDTH HEIGHT
//   ....KKKK....            exactly HEIGHT rows of exactly WIDTH characters
//
// Sprites of one file share its palette. Errors name the file, the line and the reason
// (unknown palette character, wrong row width, missing rows, a sprite defined twice).
#pragma once
#include "art_image.h"

#include <map>
#include <string>

struct PixelSheet {
    std::string path;
    std::map<char, Rgba> palette;
    std::map<std::string, Image> sprites;
};

PixelSheet artLoadPixelSheet(const std::string& path);
// Cached loading, so an atlas naming one file many times reads it once.
const PixelSheet& artPixelSheet(const std::string& path);
// "file.px NAME" lookup; throws with the caller's place when the sprite is missing.
const Image& artPixelSprite(const std::string& path, const std::string& name, const std::string& file, int line);

// Reading of the line-based manifests shared by atlases and fonts: "include" expansion,
// header words, and "NUMBER[-LAST]: commands" entries with {i}/{n} substitution.
#pragma once
#include "art_recipe.h"

#include <string>
#include <vector>

struct ManifestLine {
    std::string file;
    int line = 0;
    std::string text;
};

struct ManifestEntry {
    std::string file;
    int line = 0;
    std::string keyword;  // "" for a plain number, else "glyph" / "cell"
    int first = 0, last = 0;
    std::string commands;  // with {i}/{n} still in it
};

// Reads a manifest and the files it includes, in order.
std::vector<ManifestLine> artReadManifest(const std::string& path);
// True when the line is an entry ("[keyword] A[-B]: ..."); fills e.
bool artParseEntry(const ManifestLine& l, ManifestEntry& e);
// Replaces {i} and {n}.
std::string artExpand(const std::string& commands, int index, int number);

// Drawing recipes: short line-based programs that paint a picture. One command per line,
// words separated by blanks, "# text" a comment. A recipe file starts with
// "size WIDTH HEIGHT"; atlas and block-sheet manifests run the same commands on one cell.
// The command set is listed in content/art/FORMAT.md; the scenery, figure and tile shapes
// register themselves from their own files (art_scene.cpp, art_figure.cpp, art_tiles.cpp).
#pragma once
#include "art_image.h"

#include <map>
#include <string>
#include <vector>

struct RecipeContext {
    std::string file;  // the source being read, for messages and relative paths
    int line = 0;
    std::map<std::string, Rgba> colours;
    uint32_t seed = 1;
    std::string fontPath;            // hex font used by "text"
    std::vector<Image> layers;       // layer stack ("layer" ... "merge")

    Rgba colour(const std::string& word) const;  // "#rrggbb[aa]", NAME or NAME@ALPHA
    double num(const std::string& word) const;
    int integer(const std::string& word) const;
    [[noreturn]] void fail(const std::string& why) const { throw ArtError(file, line, why); }
    void need(const std::vector<std::string>& w, size_t count, const char* usage) const;
};

// A named drawing shape: called with the words after the shape name.
using ArtShapeFn = void (*)(Image& img, RecipeContext& ctx, const std::vector<std::string>& args);
struct ArtShape {
    ArtShape(const char* name, const char* usage, ArtShapeFn fn);
};

// Runs one command line (already split) on img; the top of ctx.layers is drawn on
// instead while a layer is open.
void artRecipeCommand(Image& img, RecipeContext& ctx, const std::vector<std::string>& words);
// Runs a whole recipe file ("size W H" first) and returns the picture.
Image artRunRecipeFile(const std::string& path);
// Runs the commands of one cell (separated by ';') on a canvas of the given size.
Image artRunCellRecipe(const std::string& commands, int w, int h, RecipeContext& ctx);

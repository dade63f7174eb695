// The art subcommands of fhpack. Each reads one source, writes one PNG and, with
// "--dep FILE", a dependency file naming every source it read.
#include "art_atlas.h"
#include "art_image.h"
#include "art_pixel.h"
#include "art_recipe.h"
#include "fhpack_commands.h"

#include <cstdio>
#include <filesystem>
#include <functional>

namespace {
// Splits off "--dep FILE", "--scale N" and "--size N"; the rest stay positional.
struct ArtArgs {
    std::vector<std::string> pos;
    std::string dep;
    int scale = 1;
    int size = 0;  // art-recipe: the square picture resized to size x size (0: as drawn)
};

bool parseArgs(const std::vector<std::string>& args, ArtArgs& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--dep" && i + 1 < args.size())
            out.dep = args[++i];
        else if (args[i] == "--scale" && i + 1 < args.size())
            out.scale = std::atoi(args[++i].c_str());
        else if (args[i] == "--size" && i + 1 < args.size()) {
            // A whole number of pixels, 1..1024 (0 would mean "as drawn").
            const std::string& v = args[++i];
            if (v.empty() || v.size() > 4 || v.find_first_not_of("0123456789") != std::string::npos) return false;
            out.size = std::atoi(v.c_str());
            if (out.size < 1) return false;
        }
        else if (args[i].rfind("--", 0) == 0)
            return false;
        else
            out.pos.push_back(args[i]);
    }
    return out.scale >= 1 && out.scale <= 16 && out.size <= 1024;
}

// Makes the folder a file goes into (a fresh build tree may not have it yet).
void makeParent(const std::string& path) {
    std::error_code ec;
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
}

int run(const ArtArgs& a, const std::string& outPath, const std::function<Image()>& build) {
    try {
        Image img = build();
        makeParent(outPath);
        if (!a.dep.empty()) makeParent(a.dep);
        artWritePng(img, outPath);
        if (!a.dep.empty()) artWriteDepFile(a.dep, outPath);
        return 0;
    } catch (const ArtError& e) {
        fhpackError(e.file, e.line, e.what());
        std::remove(outPath.c_str());
        return 1;
    }
}

int cmdPixel(const std::vector<std::string>& args) {
    ArtArgs a;
    if (!parseArgs(args, a) || a.pos.size() != 3) {
        std::fprintf(stderr, "usage: fhpack art-pixel SOURCE.px SPRITE OUT.png [--scale N] [--dep FILE]\n");
        return 2;
    }
    return run(a, a.pos[2], [&] {
        const Image& s = artPixelSprite(a.pos[0], a.pos[1], a.pos[0], 0);
        Image out(s.width() * a.scale, s.height() * a.scale);
        out.draw(s, 0, 0, a.scale);
        return out;
    });
}

int cmdRecipe(const std::vector<std::string>& args) {
    ArtArgs a;
    if (!parseArgs(args, a) || a.pos.size() != 2) {
        std::fprintf(stderr, "usage: fhpack art-recipe SOURCE.rcp OUT.png [--size N] [--dep FILE]\n");
        return 2;
    }
    return run(a, a.pos[1], [&] {
        Image img = artRunRecipeFile(a.pos[0]);
        if (a.size == 0) return img;
        // Icons: one square drawing, written at each size the desktop wants.
        if (img.width() != img.height())
            throw ArtError(a.pos[0], 1, "--size needs a square picture, this one is " + std::to_string(img.width()) +
                                            " x " + std::to_string(img.height()));
        return artResample(img, a.size, a.size);
    });
}

int cmdAtlas(const std::vector<std::string>& args) {
    ArtArgs a;
    if (!parseArgs(args, a) || a.pos.size() != 2) {
        std::fprintf(stderr, "usage: fhpack art-atlas MANIFEST.atlas OUT.png [--dep FILE]\n");
        return 2;
    }
    return run(a, a.pos[1], [&] { return artBuildAtlas(a.pos[0]); });
}

int cmdFont(const std::vector<std::string>& args) {
    ArtArgs a;
    if (!parseArgs(args, a) || a.pos.size() != 2) {
        std::fprintf(stderr, "usage: fhpack art-font MANIFEST.font OUT.png [--dep FILE]\n");
        return 2;
    }
    return run(a, a.pos[1], [&] { return artBuildFont(a.pos[0]); });
}

FhpackCommand regPixel("art-pixel", "SOURCE.px SPRITE OUT.png [--scale N] [--dep FILE]: one pixel-art sprite to PNG", cmdPixel);
FhpackCommand regRecipe("art-recipe", "SOURCE.rcp OUT.png [--size N] [--dep FILE]: a drawn picture to PNG (resized to N x N)", cmdRecipe);
FhpackCommand regAtlas("art-atlas", "MANIFEST.atlas OUT.png [--dep FILE]: a sprite atlas or block sheet", cmdAtlas);
FhpackCommand regFont("art-font", "MANIFEST.font OUT.png [--dep FILE]: a font picture", cmdFont);
} // namespace

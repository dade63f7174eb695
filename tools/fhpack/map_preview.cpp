// `fhpack map-preview <map.fhmap> <block sheet.png> <out.png>`: draws a map source with
// its group's block sheet (16 x 16 tiles, 32 per row, tile k = block k), the start and
// entry points marked, so a level can be looked at without running the game.
#include "fhpack_commands.h"
#include "map_source.h"

#include <SDL.h>
#include <SDL_image.h>

namespace {
int previewMain(const std::vector<std::string>& args) {
    if (args.size() != 3) {
        fhpackError("fhpack map-preview", 0, "usage: map-preview <map.fhmap> <blocks.png> <out.png>");
        return 2;
    }
    MapSource map;
    PackDiag diag;
    if (!mapParseFile(args[0], 0, map, diag)) {
        fhpackError(diag.file, diag.line, diag.reason);
        return 1;
    }
    SDL_Surface* sheet = IMG_Load(args[1].c_str());
    if (!sheet) {
        fhpackError(args[1], 0, std::string("cannot read the block sheet: ") + IMG_GetError());
        return 1;
    }
    SDL_Surface* out =
        SDL_CreateRGBSurfaceWithFormat(0, map.width * 16, map.height * 16, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_FillRect(out, nullptr, SDL_MapRGBA(out->format, 120, 170, 230, 255));
    const int perRow = sheet->w / 16;
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            int b = map.cells[size_t(y * map.width + x)];
            if (b == 0) b = 1; // the game draws empty cells as tile 1
            SDL_Rect src{(b % perRow) * 16, (b / perRow) * 16, 16, 16}, dst{x * 16, y * 16, 16, 16};
            SDL_BlitSurface(sheet, &src, out, &dst);
        }
    // Start points red, door destinations yellow, other objects magenta (outlines).
    for (const MapListRecord& r : map.records) {
        Uint32 c = r.words[1] == kMapEntryStart || r.words[1] == kMapEntryStartScenery
                       ? SDL_MapRGBA(out->format, 255, 0, 0, 255)
                   : r.words[1] == kMapEntryPlain ? SDL_MapRGBA(out->format, 255, 230, 0, 255)
                                                  : SDL_MapRGBA(out->format, 255, 0, 255, 255);
        SDL_Rect box{r.words[3] * 16, r.words[4] * 16, 16, 16};
        SDL_Rect edges[4] = {{box.x, box.y, 16, 1},
                             {box.x, box.y + 15, 16, 1},
                             {box.x, box.y, 1, 16},
                             {box.x + 15, box.y, 1, 16}};
        for (const SDL_Rect& e : edges)
            SDL_FillRect(out, &e, c);
    }
    int rc = IMG_SavePNG(out, args[2].c_str()) == 0 ? 0 : 1;
    if (rc) fhpackError(args[2], 0, std::string("cannot write: ") + IMG_GetError());
    SDL_FreeSurface(out);
    SDL_FreeSurface(sheet);
    return rc;
}
FhpackCommand regPreview("map-preview", "<map.fhmap> <blocks.png> <out.png>", previewMain);
} // namespace

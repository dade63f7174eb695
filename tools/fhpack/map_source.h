// Map sources (.fhmap): a readable text form of one map of a map group, and its
// compilation into the group's map records.
//
//   size 64 32                      width and height in blocks (powers of two, <= 256)
//   legend . 0  = 700  o 540        characters of the rows and their block numbers
//   rows                            then exactly `height` lines of `width` characters
//   ...
//   end
//   start  name=begin x=2 y=28 music=11000 bkx=2 bky=2 bgmode=0 bg=0 [type=4]
//   entry  name=cellar x=5 y=3      a door destination (not a section start)
//   object kind=14 x=20 y=27 [sx= sy= work1= work5= patt= behave= text="..." params=1,2,3,4]
//   door   x=30 y=27 to=cellar      a shortcut to a named entry of this group,
//          or to=MAP,INDEX          to entry INDEX of map number MAP (any group)
//   message x=4 y=27 text="..."     a message object
// Lines starting with '#' are comments (outside the rows).
#pragma once
#include "pack_diag.h"

#include <cstdint>
#include <string>
#include <vector>

// One 288-byte record of the group's object list (entry points and objects share it).
struct MapListRecord {
    int line = 0;           // source line, for messages
    std::string name;       // entry name (entries only)
    int16_t words[11] = {}; // words 0..10 as the game reads them
    std::string text;       // encoded text (at most 254 bytes)
    std::string doorTarget; // unresolved entry name of a door, or empty
};

struct MapSource {
    std::string file;
    int index = 0; // map k within its group
    int width = 0, height = 0;
    std::vector<uint16_t> cells; // width * height block numbers, row by row
    std::vector<MapListRecord> records;
};

// Entry-record types the game reads: 1 and 4 mark section starts, 0 a plain entry.
enum { kMapEntryPlain = 0, kMapEntryStart = 1, kMapEntryStartScenery = 4 };
// Object kinds written by the shortcuts of the map language.
enum { kMapKindMessage = 6, kMapKindDoor = 7 };

bool mapParseLines(const std::string& file, const std::vector<std::string>& lines, int mapIndex,
                   MapSource& out, PackDiag& diag);
bool mapParseFile(const std::string& path, int mapIndex, MapSource& out, PackDiag& diag);

// The records, in the form the game sees after loading (host byte order).
std::vector<uint8_t> mapBodyRecord(const MapSource& map);   // packed cells
std::vector<uint8_t> mapHeaderRecord(const MapSource& map); // width, height, packed flag, 0
std::vector<uint8_t> mapEmptyBody(int width, int height);
std::vector<uint8_t> mapEmptyHeader(int width, int height);
// The group's object list: the records of every map in order, door names resolved
// against the entries of this group (map numbers group * 16 + k).
bool mapBuildObjectList(const std::vector<const MapSource*>& maps, int group, std::vector<uint8_t>& out,
                        PackDiag& diag);

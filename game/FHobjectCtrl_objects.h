// The map's object list as the pool reads it: one 288-byte record per placed object
// (host byte order once loaded), with up to four decimal parameters in its text.
#pragma once

#include <cstdint>

namespace FHObjects {

constexpr int kRecordBytes = 288;
constexpr int kMaxRecords = 512;

struct MapRecord {
    bool present;
    int kind, section, col, row;
    int hParam, vParam;   // horizontal and vertical parameters (speeds)
    int work1, work5, patt;
    int behaviour;        // index into behaveTBL
    bool has[4];          // P1..P4 present (a comma after their digits)
    int p[4];             // P1..P4
};

// Reads one record; parameters are read only where the text marks them present.
MapRecord readRecord(const unsigned char* rec);
// Three decimal digits at text[at] (a leading minus when allowed); stops at a non-digit.
int parseParam(const unsigned char* text, int at, bool allowMinus);
// The loaded map group's object list and its record count (0 and nullptr without one).
const unsigned char* objectList(int* count);

}  // namespace FHObjects

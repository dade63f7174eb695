// Writing and reading resource containers (.mrsrc / .drsrc).
//
// A container is a big-endian header and index followed by a data area. Every record is
// kept in its stored form: the form the game's loader turns back into host data with its
// per-type endian filter. `packStoreRecord` turns a record's source bytes into that stored
// form; `packUnstoreRecord` is its inverse, used for inspection (list / extract).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct PackRecord {
    uint32_t type = 0; // four characters, first character in the top byte
    int32_t id = 0;
    std::vector<uint8_t> data; // stored form
};

uint32_t packFourCC(const std::string& fourChars);
std::string packFourCCName(uint32_t type);

// Per-type conversion between the form a tool or source file supplies (the data as the
// game sees it after loading) and the stored form. Returns false with a reason when the
// data cannot be stored (for example a picture shorter than its inverted head).
bool packStoreRecord(uint32_t type, int32_t id, std::vector<uint8_t>& data, std::string& reason);
void packUnstoreRecord(uint32_t type, int32_t id, std::vector<uint8_t>& data);

// Writes the container atomically (temporary file, then rename). Refuses two records of
// the same type and id, since the loader would silently keep only the later one.
bool packWriteContainer(const std::string& path, const std::vector<PackRecord>& records, std::string& reason);
// Reads a container written by any tool; checks every index entry against the file size.
bool packReadContainer(const std::string& path, std::vector<PackRecord>& records, std::string& reason);

// Big-endian helpers shared by the compilers.
inline void packPutBE16(std::vector<uint8_t>& v, size_t at, int value) {
    v[at] = uint8_t((value >> 8) & 0xFF);
    v[at + 1] = uint8_t(value & 0xFF);
}
inline void packPutBE32(std::vector<uint8_t>& v, size_t at, uint32_t value) {
    v[at] = uint8_t(value >> 24);
    v[at + 1] = uint8_t(value >> 16);
    v[at + 2] = uint8_t(value >> 8);
    v[at + 3] = uint8_t(value);
}
inline uint32_t packGetBE32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}
inline int packGetBE16(const uint8_t* p) {
    return int16_t(uint16_t((p[0] << 8) | p[1]));
}

bool packReadFile(const std::string& path, std::vector<uint8_t>& out);
bool packWriteFileAtomic(const std::string& path, const std::vector<uint8_t>& data);

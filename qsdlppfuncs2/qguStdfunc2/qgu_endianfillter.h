// Converts one container record from its stored (big-endian, partly bit-inverted) form
// to host form, in place, according to its type and id.
#pragma once

#include <cstdint>

// data: the record's bytes; size: their count. Never touches bytes outside [data,
// data + size).
void qgu_endianfillter(void* data, uint32_t type, int32_t id, int64_t size);

// Big-endian helpers shared by the loaders.
inline uint16_t qgu_swap16(uint16_t v) { return uint16_t((v >> 8) | (v << 8)); }
inline uint32_t qgu_swap32(uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}
inline uint32_t qgu_readBE32(const void* p) {
    const uint8_t* b = static_cast<const uint8_t*>(p);
    return (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | b[3];
}
inline uint16_t qgu_readBE16(const void* p) {
    const uint8_t* b = static_cast<const uint8_t*>(p);
    return uint16_t((b[0] << 8) | b[1]);
}
inline void qgu_writeBE32(void* p, uint32_t v) {
    uint8_t* b = static_cast<uint8_t*>(p);
    b[0] = uint8_t(v >> 24); b[1] = uint8_t(v >> 16); b[2] = uint8_t(v >> 8); b[3] = uint8_t(v);
}
inline void qgu_writeBE16(void* p, uint16_t v) {
    uint8_t* b = static_cast<uint8_t*>(p);
    b[0] = uint8_t(v >> 8); b[1] = uint8_t(v);
}

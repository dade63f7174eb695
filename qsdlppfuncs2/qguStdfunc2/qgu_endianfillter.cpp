// Record conversion from the stored container form to host form.
#include "qgu_endianfillter.h"

#include <cstring>

#include "qgu_fileutil.h"

namespace {

// Pictures, sounds and music keep their first 64 bytes bit-inverted on disk so that the
// container does not expose plain file signatures.
void invertHead(uint8_t* p, int64_t size) {
    const int64_t n = size < 64 ? size : 64;
    for (int64_t i = 0; i < n; ++i) p[i] = uint8_t(~p[i]);
}

void swapWords(uint8_t* p, int64_t words) {
    for (int64_t i = 0; i < words; ++i) {
        const uint8_t t = p[2 * i];
        p[2 * i] = p[2 * i + 1];
        p[2 * i + 1] = t;
    }
}

void swap32At(uint8_t* p) {
    uint8_t t = p[0];
    p[0] = p[3];
    p[3] = t;
    t = p[1];
    p[1] = p[2];
    p[2] = t;
}

// Pascal string -> C string: the characters move one byte to the front and the last
// byte of the record becomes the terminator.
void pascalToC(uint8_t* p, int64_t size) {
    if (size <= 0) return;
    std::memmove(p, p + 1, size_t(size - 1));
    p[size - 1] = 0;
}

// Map information: a run of 288-byte entries, each with twelve 16-bit words, two
// 32-bit words at 24 and 28 and a Pascal string at 32 whose following byte is cleared.
void mapInfoEntries(uint8_t* p, int64_t size) {
    const int64_t entries = size / 288;
    for (int64_t e = 0; e < entries; ++e) {
        uint8_t* ent = p + e * 288;
        swapWords(ent, 12);
        swap32At(ent + 24);
        swap32At(ent + 28);
        // A 255-character text would put the 0 on the next entry's first byte; that
        // stays inside the record except after the last entry, where it is skipped.
        const int64_t after = e * 288 + 33 + ent[32];
        if (after < size) p[after] = 0;
    }
}

}  // namespace

void qgu_endianfillter(void* data, uint32_t type, int32_t id, int64_t size) {
    if (data == nullptr || size <= 0) return;
    uint8_t* p = static_cast<uint8_t*>(data);
    switch (type) {
    case QGU_RES::PNGf:
    case QGU_RES::JPEG:
    case QGU_RES::AIFF:
    case QGU_RES::Midi:
        invertHead(p, size);
        break;
    case QGU_RES::MPEV:
    case QGU_RES::OBCH:
    case QGU_RES::SREF:
        swapWords(p, size / 2);
        break;
    case QGU_RES::STR_:
        pascalToC(p, size);
        break;
    case QGU_RES::Xmap:
        if (id >= 0 && id <= 999) {
            mapInfoEntries(p, size);
        } else if (id >= 1000 && id <= 1999) {
            swapWords(p, size / 2);
        } else if (id >= 2000) {
            swapWords(p, size / 2 < 4 ? size / 2 : 4);
        }
        break;
    default:  // 'STR#' and unknown types stay as stored
        break;
    }
}

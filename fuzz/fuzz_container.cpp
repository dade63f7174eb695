// Resource containers: a file of arbitrary bytes goes through the loader (validation,
// conversion of every record by type, registration), then every registered record is
// read whole and every string list is looked up, as the game's modules would.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz_util.h"
#include "qgu_fileutil.h"

namespace {

volatile uint32_t sink;

void readRecords(const void* buffer, int64_t size) {
    const uint8_t* lo = static_cast<const uint8_t*>(buffer);
    const QGU_ResourceSlot* slots = qgu_resourceSlots();
    for (int s = 0; s < QGU_MAX_RESOURCE_SLOTS; ++s) {
        const uint8_t* d = static_cast<const uint8_t*>(slots[s].data);
        if (d == nullptr) continue;
        // Every record lies inside its container.
        FUZZ_CHECK(d >= lo && slots[s].size >= 0 && d + slots[s].size <= lo + size);
        uint32_t sum = 0;
        for (int64_t i = 0; i < slots[s].size; ++i) sum += d[i];
        sink = sum;
        // Single strings are used as C strings by their readers.
        if (slots[s].type == QGU_RES::STR_) sink = uint32_t(std::strlen(reinterpret_cast<const char*>(d)));
    }
    int ids[QGU_STRID_IDS_MAX];
    const int lists = qgu_getResourceIDinfo(QGU_RES::STRn, ids);
    char text[257];
    for (int i = 0; i < lists; ++i) {
        for (int k = 0; k <= 300; ++k) {
            const int len = qgu_copyIdxStrPtr(text, ids[i], k);
            // The copy is terminated and never longer than a Pascal string.
            FUZZ_CHECK(len >= 0 && len <= 255 && int(std::strlen(text)) <= len);
        }
        sink = qgu_getIdxPascalStrPtr(ids[i]) != nullptr;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = fuzzutil::enterScratch();
    (void)ready;
    const bool valid = qgu_containerIsValid(data, int64_t(size));
    fuzzutil::writeFile("fuzz.mrsrc", data, size);
    void* buf = qgu_loadResource("fuzz.mrsrc");
    // The loader refuses exactly the images the validation refuses.
    FUZZ_CHECK(!((buf != nullptr) != valid));
    if (buf != nullptr) {
        readRecords(buf, int64_t(size));
        qgu_purgeResource(buf);
    }
    qgu_resetResourceRegistry();
    return 0;
}

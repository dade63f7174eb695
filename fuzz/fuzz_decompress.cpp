// The 16-bit run-length decoder on arbitrary streams and output sizes: the bounded
// decoder never writes past its output nor reads past its input, the plain decoder
// agrees with it on every stream that is complete, and encoding then decoding gives
// the words back.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz_util.h"
#include "qgu_fileutil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const unsigned limit = unsigned(data[0]) | unsigned(data[1]) << 8;  // up to 65535 words
    const unsigned words = unsigned((size - 2) / 2);
    std::vector<uint16_t> src(words);
    if (words) std::memcpy(src.data(), data + 2, words * 2);

    std::vector<uint16_t> out(limit);
    bool truncated = false;
    const unsigned got = qgu_decompressMem16Safe(src.data(), words, out.data(), limit, &truncated);
    FUZZ_CHECK(got == 111 || got <= limit);
    if (!truncated && limit > 0) {
        std::vector<uint16_t> again(limit);
        const unsigned got2 = qgu_decompressMem16(src.data(), again.data(), limit);
        FUZZ_CHECK(got2 == got);
        const unsigned n = got == 111 ? limit : got;
        FUZZ_CHECK(!(n > 0 && std::memcmp(out.data(), again.data(), n * 2) != 0));
    }

    // Round trip of the input words taken as literals (below 0x8000).
    for (uint16_t& w : src) w &= 0x7FFF;
    std::vector<uint16_t> packed(words + 2);
    const unsigned packedWords = qgu_compressMem16(src.data(), packed.data(), words);
    FUZZ_CHECK(!(packedWords > words + 2));
    FUZZ_CHECK(!(words > 0 && qgu_testCompressRate16(src.data(), words) != packedWords - 2));
    std::vector<uint16_t> back(words + 1);
    const unsigned n = qgu_decompressMem16Safe(packed.data(), packedWords, back.data(), words + 1, &truncated);
    FUZZ_CHECK(!(truncated || n != words));
    FUZZ_CHECK(!(words > 0 && std::memcmp(back.data(), src.data(), words * 2) != 0));
    return 0;
}

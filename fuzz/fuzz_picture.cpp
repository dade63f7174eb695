// Picture records: arbitrary bytes stored as a 'PNGf' or 'JPEG' record (the first byte
// 0xFF, a JPEG start, picks 'JPEG') are made into a texture and into raw images cut
// into cells, and every cell is copied into a texture, with the null GL module.
#include <cstddef>
#include <cstdint>

#include "fuzz_util.h"
#include "qgu_fileutil.h"
#include "qgu_glImageHdlfunc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        fuzzutil::enterScratch();
        qgu_initGLImageHdlfunc();
        return true;
    }();
    (void)ready;
    const int kPic = 700;
    fuzzutil::Record rec{size > 0 && data[0] == 0xFF ? QGU_RES::JPEG : QGU_RES::PNGf, kPic,
                         std::vector<uint8_t>(data, data + size)};
    // Stored form: the first 64 bytes are kept inverted.
    for (size_t i = 0; i < rec.stored.size() && i < 64; ++i) rec.stored[i] = uint8_t(~rec.stored[i]);
    const auto img = fuzzutil::buildContainer({rec});
    fuzzutil::writeFile("pictures.mrsrc", img.data(), img.size());
    void* buf = qgu_loadResource("pictures.mrsrc");
    FUZZ_CHECK(!(buf == nullptr));

    qgu_setGammmaCorrect(size % 2 == 0);
    GLuint tex = 0;
    if (qgu_NewTextureFromPicRes(kPic, &tex, false, size % 3 == 0) == 0) {
        rRect r{};
        qgu_getTexRect(tex, &r);
        qgu_getTexRectfromResnum(kPic, &r);
        for (int cells : {0, 16}) {
            Raw2DImgInfo* raw = qgu_NewRawImageFromPicRes(kPic, cells, cells);
            if (raw == nullptr) continue;
            for (uint32_t c = 0; c <= raw->cellCount && c < 4096; ++c) qgu_PutRowImageToTex(raw, tex, 0, 0, int(c));
            qgu_PurgeRawImage(raw->pixels);
        }
        qgu_DisposeTex(tex);
    }
    qgu_purgeResource(buf);
    qgu_resetResourceRegistry();
    return 0;
}

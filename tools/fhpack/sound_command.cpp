// `fhpack sfx <params file> <out.aiff>`: synthesises one sound effect.
#include "fhpack_commands.h"
#include "sound_effect.h"
#include "sound_io.h"

namespace {

int runSfx(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        fhpackError("sfx", 0, "usage: fhpack sfx <params file> <out.aiff>");
        return 2;
    }
    std::string text;
    if (!fhaudio::readTextFile(args[0], text)) {
        fhpackError(args[0], 0, "cannot read the file");
        return 1;
    }
    fhaudio::SfxParams params;
    if (!fhaudio::parseSfx(text, args[0], params)) return 1;
    const std::vector<uint8_t> aiff = fhaudio::makeAiff(fhaudio::synthSfx(params));
    if (!fhaudio::writeFileAtomic(args[1], aiff)) {
        fhpackError(args[1], 0, "cannot write the output file");
        return 1;
    }
    return 0;
}

FhpackCommand reg("sfx", "<params.sfx> <out.aiff>   synthesise a sound effect", runSfx);

} // namespace

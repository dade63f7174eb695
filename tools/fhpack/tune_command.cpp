// `fhpack tune <note text> <out.ogg>`: synthesises one tune and encodes it as Ogg Vorbis.
#include "fhpack_commands.h"
#include "sound_io.h"
#include "tune_song.h"

namespace {

// FNV-1a of the source text: the Ogg stream serial, so equal sources give equal files.
uint32_t textHash(const std::string& s) {
    uint32_t h = 2166136261u;
    for (unsigned char c : s) h = (h ^ c) * 16777619u;
    return h;
}

int runTune(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        fhpackError("tune", 0, "usage: fhpack tune <note text> <out.ogg>");
        return 2;
    }
    std::string text;
    if (!fhaudio::readTextFile(args[0], text)) {
        fhpackError(args[0], 0, "cannot read the file");
        return 1;
    }
    fhaudio::Song song;
    if (!fhaudio::parseTune(text, args[0], song)) return 1;
    std::vector<uint8_t> ogg;
    if (!fhaudio::encodeOggVorbis(fhaudio::renderTune(song), song.title, textHash(text), ogg)) {
        fhpackError(args[0], 0, "the Vorbis encoder refused the tune");
        return 1;
    }
    if (!fhaudio::writeFileAtomic(args[1], ogg)) {
        fhpackError(args[1], 0, "cannot write the output file");
        return 1;
    }
    return 0;
}

FhpackCommand reg("tune", "<tune.mml> <out.ogg>   synthesise a tune to Ogg Vorbis", runTune);

} // namespace

// `fhpack text <source.txt> <out>`: a UTF-8 text file converted line by line to the
// game's single-byte encoding (used for the settings program's menu text).
#include "fhpack_commands.h"
#include "pack_container.h"
#include "text_encoding.h"

namespace {
int textMain(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        fhpackError("fhpack text", 0, "usage: text <source.txt> <out>");
        return 2;
    }
    std::vector<std::string> lines;
    if (!textReadLines(args[0], lines)) {
        fhpackError(args[0], 0, "cannot read the text");
        return 1;
    }
    std::vector<uint8_t> out;
    for (size_t n = 0; n < lines.size(); ++n) {
        std::string enc, reason;
        if (!textEncodeGame(lines[n], enc, reason)) {
            fhpackError(args[0], int(n) + 1, reason);
            return 1;
        }
        // The reader keeps each line with its newline in a 256-byte slot.
        if (enc.size() > 254) {
            fhpackError(args[0], int(n) + 1, "a line holds at most 254 characters");
            return 1;
        }
        out.insert(out.end(), enc.begin(), enc.end());
        out.push_back('\n');
    }
    if (!packWriteFileAtomic(args[1], out)) {
        fhpackError(args[1], 0, "cannot write");
        return 1;
    }
    return 0;
}
FhpackCommand regText("text", "<source.txt> <out>", textMain);
} // namespace

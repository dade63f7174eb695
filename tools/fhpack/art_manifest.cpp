#include "art_manifest.h"

#include <cctype>
#include <set>

namespace {
void readInto(const std::string& path, std::vector<ManifestLine>& out, std::set<std::string>& open) {
    if (open.count(path)) throw ArtError(path, 0, "includes itself");
    open.insert(path);
    auto lines = artReadLines(path);
    for (size_t i = 0; i < lines.size(); ++i) {
        auto w = artSplitWords(lines[i]);
        if (w.empty()) continue;
        if (w[0] == "include") {
            if (w.size() != 2) throw ArtError(path, int(i) + 1, "include needs one file name");
            readInto(artResolve(path, w[1]), out, open);
            continue;
        }
        out.push_back({path, int(i) + 1, lines[i]});
    }
    open.erase(path);
}
} // namespace

std::vector<ManifestLine> artReadManifest(const std::string& path) {
    std::vector<ManifestLine> out;
    std::set<std::string> open;
    readInto(path, out, open);
    return out;
}

bool artParseEntry(const ManifestLine& l, ManifestEntry& e) {
    size_t colon = l.text.find(':');
    if (colon == std::string::npos) return false;
    auto head = artSplitWords(l.text.substr(0, colon));
    if (head.empty() || head.size() > 2) return false;
    std::string range = head.back();
    e.keyword = head.size() == 2 ? head[0] : "";
    if (range.empty() || !(std::isdigit(static_cast<unsigned char>(range[0])))) return false;
    size_t dash = range.find('-', 1);
    e.file = l.file;
    e.line = l.line;
    e.first = artParseInt(range.substr(0, dash), l.file, l.line);
    e.last = dash == std::string::npos ? e.first : artParseInt(range.substr(dash + 1), l.file, l.line);
    if (e.last < e.first) throw ArtError(l.file, l.line, "range runs backwards");
    e.commands = l.text.substr(colon + 1);
    return true;
}

std::string artExpand(const std::string& commands, int index, int number) {
    std::string out;
    for (size_t i = 0; i < commands.size(); ++i) {
        if (commands.compare(i, 3, "{i}") == 0) {
            out += std::to_string(index);
            i += 2;
        } else if (commands.compare(i, 3, "{n}") == 0) {
            out += std::to_string(number);
            i += 2;
        } else
            out += commands[i];
    }
    return out;
}

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

namespace {
// A tiny integer expression over i and n: + - * / % and parentheses, usual precedence.
struct Expr {
    const std::string& s;
    size_t p;
    int i, n;
    bool ok = true;
    void skip() {
        while (p < s.size() && s[p] == ' ') ++p;
    }
    long atom() {
        skip();
        if (p < s.size() && s[p] == '(') {
            ++p;
            long v = sum();
            skip();
            if (p < s.size() && s[p] == ')') ++p; else ok = false;
            return v;
        }
        if (p < s.size() && s[p] == '-') {
            ++p;
            return -atom();
        }
        if (p < s.size() && s[p] == 'i') return ++p, i;
        if (p < s.size() && s[p] == 'n') return ++p, n;
        size_t start = p;
        while (p < s.size() && std::isdigit(static_cast<unsigned char>(s[p]))) ++p;
        if (start == p) ok = false;
        return start == p ? 0 : std::stol(s.substr(start, p - start));
    }
    long product() {
        long v = atom();
        for (;;) {
            skip();
            if (p >= s.size() || (s[p] != '*' && s[p] != '/' && s[p] != '%')) return v;
            char op = s[p++];
            long r = atom();
            if (op == '*') v *= r;
            else if (r == 0) ok = false;
            else v = op == '/' ? v / r : v % r;
        }
    }
    long sum() {
        long v = product();
        for (;;) {
            skip();
            if (p >= s.size() || (s[p] != '+' && s[p] != '-')) return v;
            char op = s[p++];
            long r = product();
            v = op == '+' ? v + r : v - r;
        }
    }
};
} // namespace

std::string artExpand(const std::string& commands, int index, int number) {
    std::string out;
    for (size_t k = 0; k < commands.size(); ++k) {
        if (commands[k] == '{') {
            size_t close = commands.find('}', k);
            if (close != std::string::npos) {
                std::string body = commands.substr(k + 1, close - k - 1);
                Expr e{body, 0, index, number};
                long v = e.sum();
                e.skip();
                if (e.ok && e.p == body.size()) {
                    out += std::to_string(v);
                    k = close;
                    continue;
                }
            }
        }
        out += commands[k];
    }
    return out;
}

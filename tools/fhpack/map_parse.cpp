// Parsing of .fhmap sources; see map_source.h for the language.
#include "map_source.h"
#include "text_encoding.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <set>

namespace {
struct Arg {
    std::string key, value;
};

// Splits a statement into its word and key=value arguments; values may be quoted with
// the text escapes kept for the encoder.
bool splitArgs(const std::string& line, std::string& word, std::vector<Arg>& args, std::string& reason) {
    size_t i = 0, n = line.size();
    auto skip = [&] {
        while (i < n && std::isspace(uint8_t(line[i])))
            ++i;
    };
    skip();
    while (i < n && !std::isspace(uint8_t(line[i])))
        word += line[i++];
    for (;;) {
        skip();
        if (i >= n || line[i] == '#') return true;
        Arg a;
        while (i < n && line[i] != '=' && !std::isspace(uint8_t(line[i])))
            a.key += line[i++];
        if (i >= n || line[i] != '=') {
            reason = "expected key=value, found '" + a.key + "'";
            return false;
        }
        ++i;
        if (i < n && line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                if (line[i] == '\\' && i + 1 < n) {
                    a.value += line[i];
                    a.value += line[i + 1];
                    i += 2;
                } else if (line[i] == '"') {
                    closed = true;
                    ++i;
                    break;
                } else {
                    a.value += line[i++];
                }
            }
            if (!closed) {
                reason = "unterminated quoted value of " + a.key;
                return false;
            }
        } else {
            while (i < n && !std::isspace(uint8_t(line[i])))
                a.value += line[i++];
        }
        args.push_back(a);
    }
}

bool parseInt(const std::string& s, long& v) {
    if (s.empty()) return false;
    char* end = nullptr;
    v = std::strtol(s.c_str(), &end, 10);
    return *end == 0;
}

bool isPowerOfTwo(long v) {
    return v > 0 && (v & (v - 1)) == 0;
}

// Fills a record's words from the statement's arguments.
struct RecordBuilder {
    MapSource& map;
    PackDiag& diag;
    int line;
    std::set<std::string> used;

    bool word(const std::vector<Arg>& args, const char* key, int16_t& dst, bool required, long lo = -32768,
              long hi = 32767) {
        for (const Arg& a : args)
            if (a.key == key) {
                used.insert(key);
                long v;
                if (!parseInt(a.value, v))
                    return diag.fail(map.file, line, std::string(key) + " is not a number");
                if (v < lo || v > hi)
                    return diag.fail(map.file, line,
                                     std::string(key) + " must lie in " + std::to_string(lo) + ".." +
                                         std::to_string(hi));
                dst = int16_t(v);
                return true;
            }
        if (required) return diag.fail(map.file, line, std::string("missing ") + key + "=");
        return true;
    }
    const std::string* str(const std::vector<Arg>& args, const char* key) {
        for (const Arg& a : args)
            if (a.key == key) {
                used.insert(key);
                return &a.value;
            }
        return nullptr;
    }
    bool noExtras(const std::vector<Arg>& args) {
        for (const Arg& a : args)
            if (!used.count(a.key)) return diag.fail(map.file, line, "unknown argument " + a.key + "=");
        return true;
    }
    bool position(const std::vector<Arg>& args, MapListRecord& r) {
        if (!word(args, "x", r.words[3], true) || !word(args, "y", r.words[4], true)) return false;
        if (r.words[3] < 0 || r.words[3] >= map.width || r.words[4] < 0 || r.words[4] >= map.height)
            return diag.fail(map.file, line,
                             "object record outside the map (" + std::to_string(r.words[3]) + ", " +
                                 std::to_string(r.words[4]) + " on a " + std::to_string(map.width) + " x " +
                                 std::to_string(map.height) + " map)");
        return true;
    }
    bool text(const std::vector<Arg>& args, MapListRecord& r) {
        const std::string* t = str(args, "text");
        const std::string* p = str(args, "params");
        if (t && p) return diag.fail(map.file, line, "text= and params= share the same bytes; give one");
        if (t) {
            std::string reason;
            if (!textEncodeGame(*t, r.text, reason)) return diag.fail(map.file, line, reason);
        }
        if (p) return params(*p, r);
        if (r.text.size() > 254)
            return diag.fail(map.file, line, "an object text holds at most 254 characters");
        return true;
    }
    // Parameters P1..P4 are three characters each at fixed places: "ppp,ppp,ppp,ppp";
    // only P3 may be negative (its first character is then the minus sign).
    bool params(const std::string& p, MapListRecord& r) {
        std::vector<std::string> parts;
        std::string cur;
        for (char c : p) {
            if (c == ',') {
                parts.push_back(cur);
                cur.clear();
            } else {
                cur += c;
            }
        }
        parts.push_back(cur);
        if (parts.size() > 4) return diag.fail(map.file, line, "at most four params");
        std::string out;
        for (size_t k = 0; k < parts.size(); ++k) {
            long v;
            if (!parseInt(parts[k], v))
                return diag.fail(map.file, line, "param " + std::to_string(k + 1) + " is not a number");
            long lo = k == 2 ? -99 : 0;
            if (v < lo || v > 999)
                return diag.fail(map.file, line,
                                 "param " + std::to_string(k + 1) + " must lie in " + std::to_string(lo) +
                                     "..999");
            char buf[24];
            if (v < 0)
                std::snprintf(buf, sizeof buf, "-%02ld", -v);
            else
                std::snprintf(buf, sizeof buf, "%03ld", v);
            if (k) out += ',';
            out += buf;
        }
        // P2 is only read when the comma after P1 is present; the same holds for the
        // others, so a single parameter still gets its comma.
        if (parts.size() == 1) out += ',';
        r.text = out;
        return true;
    }
};
} // namespace

bool mapParseLines(const std::string& file, const std::vector<std::string>& lines, int mapIndex,
                   MapSource& out, PackDiag& diag) {
    out = MapSource();
    out.file = file;
    out.index = mapIndex;
    std::map<char, int> legend;
    std::set<std::string> names;
    bool haveRows = false;
    for (size_t n = 0; n < lines.size(); ++n) {
        const int ln = int(n) + 1;
        const std::string& line = lines[n];
        std::string word, reason;
        std::vector<Arg> args;
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        if (line.compare(first, 4, "size") == 0 && first + 4 < line.size() &&
            std::isspace(uint8_t(line[first + 4]))) {
            long w, h;
            char extra;
            int got = std::sscanf(line.c_str() + first + 4, "%ld %ld %c", &w, &h, &extra);
            if (got < 2 || (got == 3 && extra != '#'))
                return diag.fail(file, ln, "size needs a width and a height");
            if (!isPowerOfTwo(w) || !isPowerOfTwo(h) || w > 256 || h > 256)
                return diag.fail(file, ln,
                                 "map size not a power of two or above 256 (" + std::to_string(w) + " x " +
                                     std::to_string(h) + ")");
            if (out.width) return diag.fail(file, ln, "size given twice");
            out.width = int(w);
            out.height = int(h);
            continue;
        }
        if (line.compare(first, 6, "legend") == 0 &&
            (line.size() == first + 6 || std::isspace(uint8_t(line[first + 6])))) {
            size_t i = first + 6;
            for (;;) {
                while (i < line.size() && std::isspace(uint8_t(line[i])))
                    ++i;
                if (i >= line.size()) break;
                char c = line[i++];
                if (c == '#') {
                    // '#' is a legend key when a block number follows, else a comment.
                    size_t j = i;
                    while (j < line.size() && std::isspace(uint8_t(line[j])))
                        ++j;
                    if (j >= line.size() || !std::isdigit(uint8_t(line[j])) || j == i) break;
                }
                if (i < line.size() && !std::isspace(uint8_t(line[i])))
                    return diag.fail(file, ln, "a legend key is one character followed by a block number");
                while (i < line.size() && std::isspace(uint8_t(line[i])))
                    ++i;
                std::string num;
                while (i < line.size() && !std::isspace(uint8_t(line[i])))
                    num += line[i++];
                long v;
                if (!parseInt(num, v))
                    return diag.fail(file, ln, std::string("legend '") + c + "' needs a block number");
                if (v < 0 || v > 1023)
                    return diag.fail(file, ln,
                                     "block number above 1023 (" + std::to_string(v) + ") for legend '" + c +
                                         "'");
                if (uint8_t(c) < 0x21 || uint8_t(c) > 0x7E)
                    return diag.fail(file, ln, "legend keys are printable ASCII characters");
                if (legend.count(c))
                    return diag.fail(file, ln, std::string("legend '") + c + "' given twice");
                legend[c] = int(v);
            }
            continue;
        }
        if (line.compare(first, 4, "rows") == 0 &&
            line.find_first_not_of(" \t", first + 4) == std::string::npos) {
            if (!out.width) return diag.fail(file, ln, "rows before size");
            if (haveRows) return diag.fail(file, ln, "rows given twice");
            haveRows = true;
            int y = 0;
            size_t m = n + 1;
            for (; m < lines.size(); ++m) {
                const std::string& row = lines[m];
                const int rl = int(m) + 1;
                if (row.find_first_not_of(" \t") != std::string::npos &&
                    row.substr(row.find_first_not_of(" \t")) == "end")
                    break;
                if (int(row.size()) != out.width)
                    return diag.fail(file, rl,
                                     "map row of the wrong width (" + std::to_string(row.size()) +
                                         " characters, the map is " + std::to_string(out.width) + " wide)");
                if (y >= out.height)
                    return diag.fail(file, rl, "more rows than the map height " + std::to_string(out.height));
                for (int x = 0; x < out.width; ++x) {
                    auto it = legend.find(row[size_t(x)]);
                    if (it == legend.end())
                        return diag.fail(file, rl,
                                         std::string("unknown legend character '") + row[size_t(x)] +
                                             "' in column " + std::to_string(x + 1));
                    out.cells.push_back(uint16_t(it->second));
                }
                ++y;
            }
            if (m >= lines.size()) return diag.fail(file, ln, "rows without a closing end line");
            if (y != out.height)
                return diag.fail(file, int(m) + 1,
                                 "the map has " + std::to_string(y) + " rows but is " +
                                     std::to_string(out.height) + " high");
            n = m;
            continue;
        }
        if (!splitArgs(line, word, args, reason)) return diag.fail(file, ln, reason);
        if (!out.width) return diag.fail(file, ln, "size must come first");
        RecordBuilder b{out, diag, ln, {}};
        MapListRecord r;
        r.line = ln;
        r.words[0] = 1;
        r.words[2] = int16_t(mapIndex);
        if (word == "start" || word == "entry") {
            r.words[1] = int16_t(word == "start" ? kMapEntryStart : kMapEntryPlain);
            const std::string* nm = b.str(args, "name");
            if (nm) {
                if (names.count(*nm)) return diag.fail(file, ln, "entry name " + *nm + " used twice");
                names.insert(*nm);
                r.name = *nm;
            } else if (word == "entry") {
                return diag.fail(file, ln, "an entry needs name=");
            }
            if (word == "start") {
                if (!b.word(args, "type", r.words[1], false)) return false;
                if (r.words[1] != kMapEntryStart && r.words[1] != kMapEntryStartScenery)
                    return diag.fail(file, ln, "a start has type 1 or 4");
            }
            if (!b.position(args, r) || !b.word(args, "bkx", r.words[5], false) ||
                !b.word(args, "bky", r.words[6], false) || !b.word(args, "bgmode", r.words[7], false) ||
                !b.word(args, "music", r.words[8], false) || !b.word(args, "bg", r.words[9], false) ||
                !b.noExtras(args))
                return false;
            if (r.words[8] > 0 && r.words[8] < 10000)
                return diag.fail(file, ln, "music numbers start at 10000 (0 keeps the music playing)");
        } else if (word == "object" || word == "door" || word == "message") {
            if (word == "object") {
                if (!b.word(args, "kind", r.words[1], true, 2, 272)) return false;
            } else {
                r.words[1] = int16_t(word == "door" ? kMapKindDoor : kMapKindMessage);
            }
            if (!b.position(args, r) || !b.word(args, "sx", r.words[5], false) ||
                !b.word(args, "sy", r.words[6], false) || !b.word(args, "work1", r.words[7], false) ||
                !b.word(args, "work5", r.words[8], false) || !b.word(args, "patt", r.words[9], false) ||
                !b.word(args, "behave", r.words[10], false, 0, 15))
                return false;
            if (word == "door") {
                const std::string* to = b.str(args, "to");
                if (!to) return diag.fail(file, ln, "a door needs to=ENTRY or to=MAP,INDEX");
                size_t comma = to->find(',');
                long m, idx;
                if (comma != std::string::npos) {
                    if (!parseInt(to->substr(0, comma), m) || !parseInt(to->substr(comma + 1), idx) ||
                        m < 0 || m > 143 || idx < 0 || idx > 511)
                        return diag.fail(file, ln,
                                         "to=MAP,INDEX needs a map number 0..143 and an entry index 0..511");
                    r.words[7] = int16_t(m);
                    r.words[8] = int16_t(idx);
                } else {
                    r.doorTarget = *to;
                }
                // The training flag rides in the first parameter.
                const std::string* tr = b.str(args, "training");
                if (tr) {
                    if (*tr != "yes" && *tr != "no") return diag.fail(file, ln, "training= is yes or no");
                    if (*tr == "yes") r.text = "101,";
                }
            }
            if (word == "message" && !b.str(args, "text"))
                return diag.fail(file, ln, "a message needs text=");
            if (!b.text(args, r) || !b.noExtras(args)) return false;
        } else {
            return diag.fail(file, ln, "unknown statement '" + word + "'");
        }
        out.records.push_back(r);
    }
    if (!out.width) return diag.fail(file, 0, "no size line");
    if (!haveRows) return diag.fail(file, 0, "no rows");
    return true;
}

bool mapParseFile(const std::string& path, int mapIndex, MapSource& out, PackDiag& diag) {
    std::vector<std::string> lines;
    if (!textReadLines(path, lines)) return diag.fail(path, 0, "cannot read the map source");
    return mapParseLines(path, lines, mapIndex, out, diag);
}

// Manifest parsing and the records each manifest line produces.
#include "pack_manifest.h"
#include "map_source.h"
#include "text_encoding.h"

#include <cctype>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>

namespace {
const uint32_t kSTR = 0x53545220, kSTRList = 0x53545223, kXmap = 0x586D6170;

bool endsWith(const std::string& s, const char* suffix) {
    size_t n = std::strlen(suffix);
    return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

std::string trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

bool isWordTable(uint32_t t) {
    return t == packFourCC("MPEV") || t == packFourCC("OBCH") || t == packFourCC("SREF");
}
} // namespace

bool packParseManifest(const std::string& file, const std::vector<std::string>& lines,
                       std::vector<PackManifestLine>& out, PackDiag& diag) {
    out.clear();
    for (size_t n = 0; n < lines.size(); ++n) {
        const int ln = int(n) + 1;
        std::string s = trim(lines[n]);
        if (s.empty() || s[0] == '#') continue;
        PackManifestLine m;
        m.line = ln;
        size_t i = 0;
        std::string type;
        if (s[0] == '\'') {
            size_t close = s.find('\'', 1);
            if (close == std::string::npos) return diag.fail(file, ln, "unterminated quoted record type");
            type = s.substr(1, close - 1);
            i = close + 1;
        } else {
            while (i < s.size() && !std::isspace(uint8_t(s[i])))
                type += s[i++];
        }
        if (type.size() != 4)
            return diag.fail(file, ln, "a record type has four characters ('" + type + "')");
        m.type = packFourCC(type);
        while (i < s.size() && std::isspace(uint8_t(s[i])))
            ++i;
        std::string num;
        while (i < s.size() && !std::isspace(uint8_t(s[i])))
            num += s[i++];
        char* end = nullptr;
        long id = std::strtol(num.c_str(), &end, 10);
        if (num.empty() || *end || id < -2147483647L || id > 2147483647L)
            return diag.fail(file, ln, "record number expected after the type");
        m.id = int32_t(id);
        std::string rest = trim(s.substr(i));
        if (rest.compare(0, 6, "text:\"") == 0) {
            // The quoted text may hold '#' and spaces; it ends at the last unescaped quote.
            size_t j = 6;
            std::string body;
            bool closed = false;
            while (j < rest.size()) {
                if (rest[j] == '\\' && j + 1 < rest.size()) {
                    body += rest.substr(j, 2);
                    j += 2;
                } else if (rest[j] == '"') {
                    closed = true;
                    ++j;
                    break;
                } else {
                    body += rest[j++];
                }
            }
            std::string after = trim(rest.substr(j));
            if (!closed) return diag.fail(file, ln, "unterminated text:\"...\"");
            if (!after.empty() && after[0] != '#')
                return diag.fail(file, ln, "unexpected text after the source");
            m.source = "text:" + body;
        } else {
            size_t hash = rest.find('#');
            m.source = trim(hash == std::string::npos ? rest : rest.substr(0, hash));
            if (m.source.empty()) return diag.fail(file, ln, "missing source");
            if (m.source.find_first_of(" \t") != std::string::npos)
                return diag.fail(file, ln, "a source path has no spaces");
        }
        out.push_back(m);
    }
    return true;
}

bool packBuildRecords(const std::string& manifest, const std::vector<PackManifestLine>& lines,
                      const PackDirs& dirs, std::vector<PackRecord>& records, PackDiag& diag) {
    records.clear();
    // Maps first: the object list line needs all of them, wherever it stands.
    std::vector<std::unique_ptr<MapSource>> maps;
    std::set<int> mapIndexes;
    auto resolve = [&](const PackManifestLine& m, std::string& path) {
        if (m.source.compare(0, 5, "@gen/") == 0) {
            if (dirs.gen.empty())
                return diag.fail(manifest, m.line, "@gen/ source but no --gen directory given");
            path = dirs.gen + "/" + m.source.substr(5);
        } else {
            path = dirs.content + "/" + m.source;
        }
        return true;
    };
    for (const PackManifestLine& m : lines) {
        if (m.type != kXmap || !endsWith(m.source, ".fhmap")) continue;
        if (m.id < 1000 || m.id > 1015)
            return diag.fail(manifest, m.line,
                             "a map source goes into 'Xmap' 1000..1015 (map k is record 1000 + k)");
        if (!mapIndexes.insert(m.id - 1000).second)
            return diag.fail(manifest, m.line, "map record given twice");
        std::string path;
        if (!resolve(m, path)) return false;
        auto src = std::make_unique<MapSource>();
        if (!mapParseFile(path, m.id - 1000, *src, diag)) return false;
        maps.push_back(std::move(src));
    }
    bool haveObjectList = false;
    for (const PackManifestLine& m : lines) {
        PackRecord r;
        r.type = m.type;
        r.id = m.id;
        std::vector<uint8_t>& d = r.data;
        std::string reason;
        if (m.source.compare(0, 5, "text:") == 0) {
            if (m.type != kSTR) return diag.fail(manifest, m.line, "text:\"...\" is for 'STR ' records");
            std::string enc;
            if (!textEncodeGame(m.source.substr(5), enc, reason)) return diag.fail(manifest, m.line, reason);
            d.assign(enc.begin(), enc.end());
        } else if (m.source.compare(0, 9, "@objects:") == 0) {
            char* end = nullptr;
            long group = std::strtol(m.source.c_str() + 9, &end, 10);
            if (m.type != kXmap || m.id < 0 || m.id > 999)
                return diag.fail(manifest, m.line, "@objects is the object list of 'Xmap' 0..999");
            if (*end || group < 0 || group > 8)
                return diag.fail(manifest, m.line, "@objects:G needs a map group 0..8");
            std::vector<const MapSource*> ordered;
            for (auto& p : maps)
                ordered.push_back(p.get());
            if (ordered.empty())
                return diag.fail(manifest, m.line, "@objects but no map sources in this container");
            if (!mapBuildObjectList(ordered, int(group), d, diag)) return false;
            haveObjectList = true;
        } else {
            std::string path;
            if (!resolve(m, path)) return false;
            if (m.type == kXmap && endsWith(m.source, ".fhmap")) {
                const MapSource* src = nullptr;
                for (auto& p : maps)
                    if (p->index == m.id - 1000) src = p.get();
                d = mapBodyRecord(*src);
                PackRecord h;
                h.type = kXmap;
                h.id = 2000 + src->index;
                h.data = mapHeaderRecord(*src);
                if (!packStoreRecord(h.type, h.id, h.data, reason))
                    return diag.fail(manifest, m.line, reason);
                records.push_back(std::move(h));
            } else if ((m.type == kSTR || m.type == kSTRList || isWordTable(m.type)) &&
                       endsWith(m.source, ".txt")) {
                std::vector<std::string> text;
                if (!textReadLines(path, text)) return diag.fail(manifest, m.line, "cannot read " + path);
                int errLine = 0;
                if (m.type == kSTRList) {
                    if (!textCompileStringList(text, d, errLine, reason))
                        return diag.fail(path, errLine, reason);
                } else if (m.type == kSTR) {
                    std::string joined, enc;
                    int count = 0;
                    for (size_t k = 0; k < text.size(); ++k) {
                        if (text[k].empty() || text[k][0] == '#') continue;
                        if (count++)
                            return diag.fail(path, int(k) + 1, "a 'STR ' source holds one line of text");
                        if (!textEncodeGame(text[k], enc, reason)) return diag.fail(path, int(k) + 1, reason);
                    }
                    d.assign(enc.begin(), enc.end());
                } else {
                    for (size_t k = 0; k < text.size(); ++k) {
                        if (!text[k].empty() && text[k][0] == '#') continue;
                        const char* p = text[k].c_str();
                        for (;;) {
                            char* e = nullptr;
                            long v = std::strtol(p, &e, 0);
                            if (e == p) break;
                            if (v < -32768 || v > 65535)
                                return diag.fail(path, int(k) + 1, "a 16-bit value is out of range");
                            uint16_t w = uint16_t(v);
                            d.push_back(uint8_t(w & 0xFF)); // host (little-endian) order
                            d.push_back(uint8_t(w >> 8));
                            p = e;
                        }
                        while (*p == ' ' || *p == '\t')
                            ++p;
                        if (*p) return diag.fail(path, int(k) + 1, "only numbers belong in a 16-bit table");
                    }
                }
            } else {
                if (!packReadFile(path, d)) {
                    if (dirs.optionalGen && m.source.compare(0, 5, "@gen/") == 0) {
                        std::fprintf(stderr, "%s:%d: warning: %s not made yet; record left out\n",
                                     manifest.c_str(), m.line, m.source.c_str());
                        continue;
                    }
                    return diag.fail(manifest, m.line, "cannot read " + path);
                }
            }
        }
        if (!packStoreRecord(r.type, r.id, d, reason)) return diag.fail(manifest, m.line, reason);
        records.push_back(std::move(r));
    }
    // The game fetches all sixteen maps of a group; the unused ones get a small empty map.
    if (haveObjectList) {
        for (int k = 0; k < 16; ++k) {
            if (mapIndexes.count(k)) continue;
            PackRecord b, h;
            std::string reason;
            b.type = h.type = kXmap;
            b.id = 1000 + k;
            h.id = 2000 + k;
            b.data = mapEmptyBody(16, 16);
            h.data = mapEmptyHeader(16, 16);
            packStoreRecord(b.type, b.id, b.data, reason);
            packStoreRecord(h.type, h.id, h.data, reason);
            records.push_back(std::move(b));
            records.push_back(std::move(h));
        }
    }
    return true;
}

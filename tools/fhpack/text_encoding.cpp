// UTF-8 to the game's single-byte encoding; see text_encoding.h.
#include "text_encoding.h"

#include <cstdio>

namespace {
// Decodes one UTF-8 sequence at s[i]; returns the code point and advances i, or returns
// -1 for a malformed sequence.
long decodeUtf8(const std::string& s, size_t& i) {
    uint8_t c = uint8_t(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    int extra = (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0) return -1;
    long cp = extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k <= extra; ++k) {
        if (i + size_t(k) >= s.size()) return -1;
        uint8_t t = uint8_t(s[i + size_t(k)]);
        if ((t & 0xC0) != 0x80) return -1;
        cp = (cp << 6) | (t & 0x3F);
    }
    i += size_t(extra) + 1;
    return cp;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string codePointName(long cp) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "U+%04lX", cp);
    return buf;
}
} // namespace

bool textEncodeGame(const std::string& s, std::string& out, std::string& reason) {
    out.clear();
    size_t i = 0;
    while (i < s.size()) {
        if (s[i] == '\\') {
            if (i + 1 >= s.size()) {
                reason = "a backslash ends the text (write \\\\ for a backslash)";
                return false;
            }
            char e = s[i + 1];
            if (e == 'r')
                out += '\r';
            else if (e == 'n')
                out += '\n';
            else if (e == '\\')
                out += '\\';
            else if (e == '"')
                out += '"';
            else if (e == 'x') {
                int hi = i + 2 < s.size() ? hexDigit(s[i + 2]) : -1;
                int lo = i + 3 < s.size() ? hexDigit(s[i + 3]) : -1;
                if (hi < 0 || lo < 0) {
                    reason = "\\x needs two hexadecimal digits";
                    return false;
                }
                out += char(hi * 16 + lo);
                i += 4;
                continue;
            } else {
                reason = std::string("unknown escape \\") + e;
                return false;
            }
            i += 2;
            continue;
        }
        size_t at = i;
        long cp = decodeUtf8(s, i);
        if (cp < 0) {
            reason = "malformed UTF-8 at byte " + std::to_string(at + 1);
            return false;
        }
        if (cp == '\t') cp = ' ';
        if (cp >= 0x20 && cp < 0x7F) {
            out += char(cp);
        } else if (cp >= 0xFF61 && cp <= 0xFF9F) {
            out += char(cp - 0xFF61 + 0xA1);
        } else if (cp == 0x3000) {
            out += ' '; // ideographic space
        } else if (cp >= 0xFF01 && cp <= 0xFF5E) {
            out += char(cp - 0xFEE0); // full-width letters, digits and signs
        } else {
            const TextKanaMapping* hit = nullptr;
            for (unsigned k = 0; k < kTextKanaTableSize && !hit; ++k)
                if (kTextKanaTable[k].codePoint == uint32_t(cp)) hit = &kTextKanaTable[k];
            if (!hit) {
                reason = "character " + codePointName(cp) + " has no glyph in the game's encoding";
                return false;
            }
            out += char(hit->first);
            if (hit->second) out += char(hit->second);
        }
    }
    return true;
}

bool textReadLines(const std::string& path, std::vector<std::string>& lines) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    lines.clear();
    std::string cur;
    int c;
    while ((c = std::fgetc(f)) != EOF) {
        if (c == '\n') {
            if (!cur.empty() && cur.back() == '\r') cur.pop_back();
            lines.push_back(cur);
            cur.clear();
        } else {
            cur += char(c);
        }
    }
    if (!cur.empty()) {
        if (cur.back() == '\r') cur.pop_back();
        lines.push_back(cur);
    }
    std::fclose(f);
    // A UTF-8 byte order mark is not part of the text.
    if (!lines.empty() && lines[0].compare(0, 3, "\xEF\xBB\xBF") == 0) lines[0].erase(0, 3);
    return true;
}

bool textCompileStringList(const std::vector<std::string>& lines, std::vector<uint8_t>& out, int& errLine,
                           std::string& reason) {
    out.assign(2, 0);
    unsigned count = 0;
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        if (!line.empty() && line[0] == '#') continue;
        std::string text;
        if (line != "\\" && !textEncodeGame(line, text, reason)) {
            errLine = int(n) + 1;
            return false;
        }
        if (text.size() > 255) {
            errLine = int(n) + 1;
            reason =
                "a list line holds at most 255 characters (this one has " + std::to_string(text.size()) + ")";
            return false;
        }
        if (++count > 0x7FFF) {
            errLine = int(n) + 1;
            reason = "too many lines in one string list";
            return false;
        }
        out.push_back(uint8_t(text.size()));
        out.insert(out.end(), text.begin(), text.end());
    }
    out[0] = uint8_t(count >> 8);
    out[1] = uint8_t(count & 0xFF);
    return true;
}

// Parser of the input scripts that golden films are recorded from.
#include "fhreplay_script.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace FHReplay {

namespace {

// A script never needs more steps than an hour of play; a larger count is a typo.
constexpr long kMaxSteps = 60L * 60 * 60;

bool parseLong(const std::string& s, long long& v) {
    if (s.empty()) return false;
    errno = 0;
    char* end = nullptr;
    v = std::strtoll(s.c_str(), &end, 0);
    return errno == 0 && end && *end == '\0';
}

std::string lineError(int line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

} // namespace

bool parseWord(const std::string& token, uint16_t& word) {
    if (token.empty()) return false;
    if (token == "-") {
        word = 0;
        return true;
    }
    long long v;
    if (token[0] >= '0' && token[0] <= '9') {
        if (!parseLong(token, v) || v < 0 || v > 0xFFFF) return false;
        word = static_cast<uint16_t>(v);
        return true;
    }
    uint16_t w = 0;
    bool wantName = true;
    for (char ch : token) {
        if (ch == '+') {
            if (wantName) return false;
            wantName = true;
            continue;
        }
        if (!wantName) return false;
        switch (ch) {
        case 'U':
            w |= 0x80;
            break;
        case 'D':
            w |= 0x40;
            break;
        case 'L':
            w |= 0x20;
            break;
        case 'R':
            w |= 0x10;
            break;
        case 'A':
            w |= 0x08;
            break;
        case 'B':
            w |= 0x04;
            break;
        case 'C':
            w |= 0x02;
            break;
        default:
            return false;
        }
        wantName = false;
    }
    if (wantName) return false;
    word = w;
    return true;
}

bool parseScript(const std::string& text, Script& out, std::string& error) {
    out = Script{};
    std::istringstream in(text);
    std::string raw;
    int line = 0;
    while (std::getline(in, raw)) {
        ++line;
        const size_t hash = raw.find('#');
        if (hash != std::string::npos) raw.erase(hash);
        std::istringstream ls(raw);
        std::string tok;
        if (!(ls >> tok)) continue;
        if (tok == "section" || tok == "level" || tok == "gold" || tok == "clock") {
            std::vector<long long> args;
            std::string a;
            while (ls >> a) {
                long long v;
                if (!parseLong(a, v)) {
                    error = lineError(line, "not a number: " + a);
                    return false;
                }
                args.push_back(v);
            }
            const size_t want = tok == "section" ? 2 : 1;
            if (args.size() != want) {
                error = lineError(line, tok + " takes " + std::to_string(want) + " number(s)");
                return false;
            }
            if (tok == "section") {
                if (args[0] < 0 || args[0] > 4 || args[1] < 0 || args[1] > 4) {
                    error = lineError(line, "chapter and section must be 0 to 4");
                    return false;
                }
                out.chapter = int(args[0]);
                out.section = int(args[1]);
            } else if (tok == "level") {
                if (args[0] < 0 || args[0] > 4) {
                    error = lineError(line, "level must be 0 to 4");
                    return false;
                }
                out.level = int(args[0]);
            } else if (tok == "gold") {
                if (args[0] < 0 || args[0] > 1199) {
                    error = lineError(line, "gold must be 0 to 1199");
                    return false;
                }
                out.gold = int(args[0]);
            } else {
                if (args[0] < 0) {
                    error = lineError(line, "clock must not be negative");
                    return false;
                }
                out.clock = args[0];
            }
            continue;
        }
        // Input lines: one or more "count*word" or "word" tokens.
        do {
            long long count = 1;
            std::string wordTok = tok;
            const size_t star = tok.find('*');
            if (star != std::string::npos) {
                if (!parseLong(tok.substr(0, star), count) || count < 1) {
                    error = lineError(line, "bad step count in " + tok);
                    return false;
                }
                wordTok = tok.substr(star + 1);
            }
            uint16_t w;
            if (!parseWord(wordTok, w)) {
                error = lineError(line, "bad input word " + tok);
                return false;
            }
            if (long(out.words.size()) + count > kMaxSteps) {
                error = lineError(line, "script longer than an hour of play");
                return false;
            }
            out.words.insert(out.words.end(), size_t(count), w);
        } while (ls >> tok);
    }
    if (out.chapter < 0) {
        error = "no section line";
        return false;
    }
    return true;
}

bool loadScript(const char* path, Script& out, std::string& error) {
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        error = std::string("cannot open ") + path;
        return false;
    }
    std::ostringstream ss;
    ss << f.rdbuf();
    return parseScript(ss.str(), out, error);
}

} // namespace FHReplay

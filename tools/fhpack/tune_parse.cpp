// Reader of tune files: header settings, instruments, macros and channel lines of note text.
#include "fhpack_commands.h"
#include "tune_song.h"

#include <cctype>
#include <map>
#include <sstream>

namespace fhaudio {

namespace {

constexpr int kMaxChannels = 8;
constexpr size_t kMaxNotes = 200000;
constexpr int kMaxMacroDepth = 8;

// Note text of one channel with the source line of every character, macros expanded.
struct Text {
    std::string chars;
    std::vector<int> lines;
};

struct ChannelState {
    Text text;
    int64_t tick = 0;
    int octave = 4;
    int length = 48; // ticks (a quarter note)
    int volume = 12; // 0..15
    int quant = 7;   // 1..8 eighths of the length are held
    int transpose = 0;
    int pan = 0;     // -100..100
    int instrument = -1;
    int lastNote = -1; // index into Song::notes of the note a tie extends, -1 after a rest
};

class Parser {
  public:
    Parser(const std::string& file, Song& song) : file_(file), song_(song) {}
    bool run(const std::string& text);

  private:
    const std::string& file_;
    Song& song_;
    std::map<std::string, std::pair<std::string, int>> macros_; // name -> text, line
    std::vector<char> channelNames_;
    std::vector<ChannelState> channels_;

    bool fail(int line, const std::string& reason) {
        fhpackError(file_, line, reason);
        return false;
    }
    bool header(const std::string& key, std::istringstream& rest, int line);
    bool instrument(std::istringstream& rest, int line);
    bool appendText(Text& t, const std::string& src, int line, int depth);
    bool playChannel(ChannelState& c);
    bool playRange(ChannelState& c, size_t a, size_t b, bool lastPass, int depth);
    bool readInt(const Text& t, size_t& i, long& v, bool allowSign);
    bool readLength(ChannelState& c, size_t& i, int& ticks);
    bool addNote(ChannelState& c, int semitone, int ticks, int line);
};

bool Parser::readInt(const Text& t, size_t& i, long& v, bool allowSign) {
    size_t j = i;
    bool neg = false;
    if (allowSign && j < t.chars.size() && (t.chars[j] == '-' || t.chars[j] == '+')) {
        neg = t.chars[j] == '-';
        ++j;
    }
    if (j >= t.chars.size() || !std::isdigit(static_cast<unsigned char>(t.chars[j]))) return false;
    v = 0;
    while (j < t.chars.size() && std::isdigit(static_cast<unsigned char>(t.chars[j])) && v < 100000)
        v = v * 10 + (t.chars[j++] - '0');
    if (neg) v = -v;
    i = j;
    return true;
}

// An optional note length ("4", "8.", "16") after a note, rest or tie; none keeps `l`.
bool Parser::readLength(ChannelState& c, size_t& i, int& ticks) {
    const Text& t = c.text;
    int line = t.lines[i > 0 ? i - 1 : 0];
    long n = 0;
    ticks = c.length;
    if (readInt(t, i, n, false)) {
        if (n < 1 || n > kTicksPerWhole || kTicksPerWhole % n != 0)
            return fail(line, "length " + std::to_string(n) + " does not divide a whole note into " +
                                  std::to_string(kTicksPerWhole) + " ticks");
        ticks = kTicksPerWhole / static_cast<int>(n);
    }
    int add = ticks;
    while (i < t.chars.size() && t.chars[i] == '.') {
        if (add % 2) return fail(line, "too many dots for this length");
        add /= 2;
        ticks += add;
        ++i;
    }
    return true;
}

bool Parser::addNote(ChannelState& c, int semitone, int ticks, int line) {
    if (c.instrument < 0) return fail(line, "a note before any instrument was chosen (use @name)");
    if (song_.notes.size() >= kMaxNotes) return fail(line, "too many notes");
    TuneNote n;
    n.start = c.tick;
    n.length = ticks;
    n.gate = ticks * c.quant / 8;
    if (n.gate < 1) n.gate = 1;
    n.semitone = semitone + c.transpose;
    n.instrument = c.instrument;
    n.volume = c.volume / 15.0;
    n.pan = c.pan / 100.0;
    c.lastNote = static_cast<int>(song_.notes.size());
    song_.notes.push_back(n);
    c.tick += ticks;
    return true;
}

bool Parser::playRange(ChannelState& c, size_t a, size_t b, bool lastPass, int depth) {
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    const Text& t = c.text;
    size_t i = a;
    while (i < b) {
        const char ch = t.chars[i];
        const int line = t.lines[i];
        if (c.tick * song_.secondsPerTick() > kMaxTuneSeconds)
            return fail(line, "the channel is longer than " + std::to_string(static_cast<int>(kMaxTuneSeconds)) + " s");
        if (std::isspace(static_cast<unsigned char>(ch))) {
            ++i;
            continue;
        }
        if (ch == '|') {
            // A bar line: it must fall on the start of a bar, which catches a wrong length early.
            const int64_t bar = static_cast<int64_t>(song_.meter) * (kTicksPerWhole / 4);
            if (c.tick % bar != 0) {
                std::ostringstream m;
                m << "bar line " << static_cast<double>(c.tick % bar) / (kTicksPerWhole / 4)
                  << " beats into a bar (bar " << c.tick / bar + 1 << ")";
                return fail(line, m.str());
            }
            ++i;
            continue;
        }
        long v = 0;
        if (ch >= 'a' && ch <= 'g') {
            ++i;
            int semi = base[ch - 'a'];
            while (i < b && (t.chars[i] == '+' || t.chars[i] == '#' || t.chars[i] == '-'))
                semi += t.chars[i++] == '-' ? -1 : 1;
            int ticks = 0;
            if (!readLength(c, i, ticks)) return false;
            if (!addNote(c, (c.octave + 1) * 12 + semi, ticks, line)) return false;
        } else if (ch == 'r') {
            ++i;
            int ticks = 0;
            if (!readLength(c, i, ticks)) return false;
            c.tick += ticks;
            c.lastNote = -1;
        } else if (ch == '^') {
            ++i;
            int ticks = 0;
            if (!readLength(c, i, ticks)) return false;
            if (c.lastNote >= 0) {
                TuneNote& n = song_.notes[static_cast<size_t>(c.lastNote)];
                n.length += ticks;
                n.gate = n.length * c.quant / 8;
            }
            c.tick += ticks;
        } else if (ch == 'o') {
            ++i;
            if (!readInt(t, i, v, false) || v > 8) return fail(line, "'o' needs an octave from 0 to 8");
            c.octave = static_cast<int>(v);
        } else if (ch == '>' || ch == '<') {
            ++i;
            c.octave += ch == '>' ? 1 : -1;
            if (c.octave < 0 || c.octave > 8) return fail(line, "octave out of range 0 to 8");
        } else if (ch == 'l') {
            ++i;
            int ticks = 0;
            if (i >= b || !std::isdigit(static_cast<unsigned char>(t.chars[i]))) return fail(line, "'l' needs a length");
            if (!readLength(c, i, ticks)) return false;
            c.length = ticks;
        } else if (ch == 'v') {
            ++i;
            if (!readInt(t, i, v, false) || v > 15) return fail(line, "'v' needs a volume from 0 to 15");
            c.volume = static_cast<int>(v);
        } else if (ch == 'q') {
            ++i;
            if (!readInt(t, i, v, false) || v < 1 || v > 8) return fail(line, "'q' needs a gate from 1 to 8");
            c.quant = static_cast<int>(v);
        } else if (ch == 'k') {
            ++i;
            if (!readInt(t, i, v, true) || v < -24 || v > 24) return fail(line, "'k' needs a transpose from -24 to 24");
            c.transpose = static_cast<int>(v);
        } else if (ch == 'p') {
            ++i;
            if (!readInt(t, i, v, true) || v < -100 || v > 100) return fail(line, "'p' needs a pan from -100 to 100");
            c.pan = static_cast<int>(v);
        } else if (ch == '@') {
            ++i;
            std::string name;
            while (i < b && (std::isalnum(static_cast<unsigned char>(t.chars[i])) || t.chars[i] == '_'))
                name += t.chars[i++];
            int found = -1;
            for (size_t k = 0; k < song_.instruments.size(); ++k)
                if (song_.instruments[k].name == name) found = static_cast<int>(k);
            if (found < 0) return fail(line, "unknown instrument '" + name + "'");
            c.instrument = found;
        } else if (ch == '[') {
            if (depth >= 8) return fail(line, "loops nested too deeply");
            size_t m = i + 1;
            int level = 1;
            for (; m < b; ++m) {
                if (t.chars[m] == '[') ++level;
                if (t.chars[m] == ']' && --level == 0) break;
            }
            if (m >= b) return fail(line, "'[' without its ']'");
            size_t after = m + 1;
            long count = 2;
            if (readInt(t, after, v, false)) count = v;
            if (count < 1 || count > 99) return fail(t.lines[m], "loop count must be from 1 to 99");
            for (long k = 0; k < count; ++k)
                if (!playRange(c, i + 1, m, k == count - 1, depth + 1)) return false;
            i = after;
        } else if (ch == ':') {
            if (depth == 0) return fail(line, "':' (loop exit) outside a loop");
            if (lastPass) return true;
            ++i;
        } else if (ch == ']') {
            return fail(line, "']' without its '['");
        } else {
            return fail(line, std::string("unexpected '") + ch + "' in note text");
        }
    }
    return true;
}

bool Parser::playChannel(ChannelState& c) {
    return c.text.chars.empty() || playRange(c, 0, c.text.chars.size(), true, 0);
}

bool Parser::appendText(Text& t, const std::string& src, int line, int depth) {
    for (size_t i = 0; i < src.size(); ++i) {
        if (src[i] == '$') {
            std::string name;
            size_t j = i + 1;
            while (j < src.size() && (std::isalnum(static_cast<unsigned char>(src[j])) || src[j] == '_')) name += src[j++];
            auto it = macros_.find(name);
            if (it == macros_.end()) return fail(line, "unknown macro '$" + name + "'");
            if (depth >= kMaxMacroDepth) return fail(line, "macros nested too deeply (a macro using itself?)");
            if (!appendText(t, it->second.first, it->second.second, depth + 1)) return false;
            t.chars += ' ';
            t.lines.push_back(line);
            i = j - 1;
            continue;
        }
        t.chars += src[i];
        t.lines.push_back(line);
    }
    t.chars += ' ';
    t.lines.push_back(line);
    return true;
}

bool Parser::instrument(std::istringstream& rest, int line) {
    Instrument ins;
    ins.line = line;
    if (!(rest >> ins.name)) return fail(line, "'instrument' needs a name");
    for (char ch : ins.name)
        if (!std::isalnum(static_cast<unsigned char>(ch)) && ch != '_')
            return fail(line, "instrument names use letters, digits and '_' only");
    for (const Instrument& o : song_.instruments)
        if (o.name == ins.name) return fail(line, "instrument '" + ins.name + "' defined twice");
    struct Num {
        const char* name;
        double lo, hi;
        double* dst;
    };
    const Num nums[] = {
        {"duty", 0.0, 1.0, &ins.duty},           {"attack", 0.0, 4.0, &ins.env.attack},
        {"decay", 0.0, 8.0, &ins.env.decay},     {"sustain", 0.0, 1.0, &ins.env.sustain},
        {"release", 0.0, 4.0, &ins.env.release}, {"volume", 0.0, 1.0, &ins.volume},
        {"vibrato", 0.0, 12.0, &ins.vibratoDepth}, {"vibrato_rate", 0.0, 30.0, &ins.vibratoRate},
        {"vibrato_delay", 0.0, 4.0, &ins.vibratoDelay}, {"slide", -400.0, 400.0, &ins.slide},
        {"detune", 0.0, 100.0, &ins.detune},     {"lowpass", 0.0, 11025.0, &ins.lowpass},
        {"echo", 0.0, 1.0, &ins.echo},
    };
    for (std::string kv; rest >> kv;) {
        size_t eq = kv.find('=');
        if (eq == std::string::npos) return fail(line, "instrument settings are written key=value, got '" + kv + "'");
        std::string k = kv.substr(0, eq), val = kv.substr(eq + 1);
        if (k == "wave") {
            if (!waveFromName(val, ins.wave)) return fail(line, "unknown wave '" + val + "'");
            continue;
        }
        bool known = false;
        for (const Num& n : nums) {
            if (k != n.name) continue;
            known = true;
            double x = 0.0;
            if (!parseNumber(val, x)) return fail(line, "'" + val + "' is not a number");
            if (x < n.lo || x > n.hi) {
                std::ostringstream s;
                s << "'" << k << "' must be between " << n.lo << " and " << n.hi;
                return fail(line, s.str());
            }
            *n.dst = x;
        }
        if (!known) return fail(line, "unknown instrument setting '" + k + "'");
    }
    song_.instruments.push_back(ins);
    return true;
}

bool Parser::header(const std::string& key, std::istringstream& rest, int line) {
    std::vector<std::string> vals;
    for (std::string w; rest >> w;) vals.push_back(w);
    auto num = [&](size_t i, double lo, double hi, double& out) {
        if (i >= vals.size()) return fail(line, "'" + key + "' needs more values");
        if (!parseNumber(vals[i], out)) return fail(line, "'" + vals[i] + "' is not a number");
        if (out < lo || out > hi) {
            std::ostringstream s;
            s << "'" << key << "' must be between " << lo << " and " << hi;
            return fail(line, s.str());
        }
        return true;
    };
    if (key == "tempo") return num(0, 30.0, 300.0, song_.tempo);
    if (key == "meter") {
        double m = 0.0;
        if (!num(0, 1.0, 16.0, m)) return false;
        if (m != static_cast<int>(m)) return fail(line, "'meter' is a whole number of beats");
        song_.meter = static_cast<int>(m);
        return true;
    }
    if (key == "tail") return num(0, 0.0, 10.0, song_.tail);
    if (key == "volume") return num(0, 0.0, 1.0, song_.volume);
    if (key == "echo")
        return num(0, 0.01, 1.0, song_.echoDelay) && num(1, 0.0, 0.9, song_.echoFeedback) &&
               num(2, 0.0, 1.0, song_.echoMix);
    if (key == "loop") {
        if (vals.size() != 1 || (vals[0] != "on" && vals[0] != "off")) return fail(line, "'loop' is on or off");
        song_.loop = vals[0] == "on";
        return true;
    }
    return fail(line, "unknown setting '" + key + "'");
}

bool Parser::run(const std::string& text) {
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        stripComment(raw);
        std::istringstream words(raw);
        std::string key;
        if (!(words >> key)) continue;
        if (key.size() == 1 && key[0] >= 'A' && key[0] <= 'Z') {
            size_t k = 0;
            while (k < channelNames_.size() && channelNames_[k] != key[0]) ++k;
            if (k == channelNames_.size()) {
                if (channelNames_.size() >= kMaxChannels)
                    return fail(lineNo, "at most " + std::to_string(kMaxChannels) + " channels");
                channelNames_.push_back(key[0]);
                channels_.emplace_back();
            }
            std::string rest;
            std::getline(words, rest);
            if (!appendText(channels_[k].text, rest, lineNo, 0)) return false;
            continue;
        }
        if (key == "title") {
            std::string rest;
            std::getline(words, rest);
            size_t s = rest.find_first_not_of(" \t");
            song_.title = s == std::string::npos ? "" : rest.substr(s);
            continue;
        }
        if (key == "instrument") {
            if (!instrument(words, lineNo)) return false;
            continue;
        }
        if (key == "define") {
            std::string name, rest;
            if (!(words >> name)) return fail(lineNo, "'define' needs a name");
            std::getline(words, rest);
            if (macros_.count(name)) return fail(lineNo, "macro '" + name + "' defined twice");
            macros_[name] = {rest, lineNo};
            continue;
        }
        if (!header(key, words, lineNo)) return false;
    }
    if (channels_.empty()) return fail(0, "the tune has no channel lines");
    for (ChannelState& c : channels_) {
        if (!playChannel(c)) return false;
        if (c.tick > song_.lengthTicks) song_.lengthTicks = c.tick;
    }
    if (song_.lengthTicks <= 0) return fail(0, "the tune has no length");
    if (song_.loop) {
        // A looping tune repeats as a whole, so every channel must end together.
        for (size_t k = 0; k < channels_.size(); ++k) {
            const ChannelState& c = channels_[k];
            if (c.tick == song_.lengthTicks) continue;
            std::ostringstream m;
            m << "channel " << channelNames_[k] << " is " << static_cast<double>(c.tick) / (kTicksPerWhole / 4)
              << " beats long, the tune " << static_cast<double>(song_.lengthTicks) / (kTicksPerWhole / 4)
              << ": channels of a looping tune must end together";
            return fail(c.text.lines.empty() ? 0 : c.text.lines.front(), m.str());
        }
    }
    return true;
}

} // namespace

bool parseTune(const std::string& text, const std::string& fileName, Song& out) {
    out = Song{};
    Parser p(fileName, out);
    return p.run(text);
}

} // namespace fhaudio

// Reader of effect parameter files. One setting per line ("key value..."), '#' starts a
// comment, "voice" starts another voice mixed over the first. See content/audio-FORMAT.md.
#include "fhpack_commands.h"
#include "sound_effect.h"

#include <sstream>

namespace fhaudio {

namespace {

struct LineCtx {
    const std::string& file;
    int line;
    const std::string& key;
    const std::vector<std::string>& vals;
    bool fail(const std::string& reason) const {
        fhpackError(file, line, reason);
        return false;
    }
    bool count(size_t n) const {
        if (vals.size() == n) return true;
        return fail("'" + key + "' takes " + std::to_string(n) + (n == 1 ? " value" : " values") + ", got " +
                    std::to_string(vals.size()));
    }
    bool number(size_t i, double lo, double hi, double& out) const {
        if (!parseNumber(vals[i], out)) return fail("'" + vals[i] + "' is not a number");
        if (out < lo || out > hi) {
            std::ostringstream s;
            s << "'" << key << "' must be between " << lo << " and " << hi << ", got " << vals[i];
            return fail(s.str());
        }
        return true;
    }
    bool one(double lo, double hi, double& out) const { return count(1) && number(0, lo, hi, out); }
};

bool applyKey(const LineCtx& c, SfxVoice& v, SfxParams& p) {
    const std::string& k = c.key;
    double x = 0.0;
    if (k == "wave") {
        if (!c.count(1)) return false;
        if (!waveFromName(c.vals[0], v.wave))
            return c.fail("unknown wave '" + c.vals[0] + "' (square, saw, triangle, sine, noise)");
        return true;
    }
    if (k == "freq") {
        if (!c.count(1)) return false;
        int midi = 0;
        if (parseNoteName(c.vals[0], midi)) {
            v.freq = noteFrequency(midi);
            return true;
        }
        return c.number(0, 1.0, 22050.0, v.freq);
    }
    if (k == "vibrato") {
        return c.count(2) && c.number(0, 0.0, 24.0, v.vibratoDepth) && c.number(1, 0.0, 100.0, v.vibratoRate);
    }
    if (k == "arp") {
        SfxArpStep s{};
        if (!c.count(2) || !c.number(0, 0.0, kMaxEffectSeconds, s.time) || !c.number(1, -48.0, 48.0, s.semitones))
            return false;
        if (!v.arp.empty() && s.time <= v.arp.back().time)
            return c.fail("arpeggio steps must come in order of time");
        v.arp.push_back(s);
        return true;
    }
    if (k == "seed") {
        long n = 0;
        if (!c.count(1)) return false;
        if (!parseInteger(c.vals[0], n) || n < 1 || n > 0x7FFFFFFF)
            return c.fail("'seed' must be a whole number from 1 to 2147483647");
        v.seed = static_cast<uint32_t>(n);
        return true;
    }
    struct Num {
        const char* name;
        double lo, hi;
        double* dst;
    };
    const Num nums[] = {
        {"slide", -400.0, 400.0, &v.slide},
        {"slide_accel", -4000.0, 4000.0, &v.slideAccel},
        {"min_freq", 1.0, 22050.0, &v.minFreq},
        {"max_freq", 1.0, 22050.0, &v.maxFreq},
        {"duty", 0.0, 1.0, &v.duty},
        {"duty_sweep", -10.0, 10.0, &v.dutySweep},
        {"repeat", 0.0, kMaxEffectSeconds, &v.repeat},
        {"attack", 0.0, kMaxEffectSeconds, &v.env.attack},
        {"decay", 0.0, kMaxEffectSeconds, &v.env.decay},
        {"sustain", 0.0, 1.0, &v.env.sustain},
        {"hold", 0.0, kMaxEffectSeconds, &v.hold},
        {"release", 0.0, kMaxEffectSeconds, &v.env.release},
        {"volume", 0.0, 1.0, &v.volume},
        {"delay", 0.0, kMaxEffectSeconds, &v.delay},
        {"lowpass", 0.0, 11025.0, &v.lowpass},
        {"highpass", 0.0, 11025.0, &v.highpass},
        {"gain", 0.0, 4.0, &p.gain},
    };
    for (const Num& n : nums) {
        if (k == n.name) {
            if (!c.one(n.lo, n.hi, x)) return false;
            *n.dst = x;
            return true;
        }
    }
    return c.fail("unknown setting '" + k + "'");
}

} // namespace

bool parseSfx(const std::string& text, const std::string& fileName, SfxParams& out) {
    out = SfxParams{};
    out.voices.emplace_back();
    out.voices.back().line = 1;
    bool voiceUsed = false; // a "voice" line before any setting opens the first voice itself
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        stripComment(raw);
        std::istringstream words(raw);
        std::string key;
        if (!(words >> key)) continue;
        std::vector<std::string> vals;
        for (std::string w; words >> w;) vals.push_back(w);
        if (key == "voice") {
            if (!vals.empty()) {
                fhpackError(fileName, lineNo, "'voice' takes no values");
                return false;
            }
            if (voiceUsed) {
                if (out.voices.size() >= 8) {
                    fhpackError(fileName, lineNo, "at most 8 voices in one effect");
                    return false;
                }
                out.voices.emplace_back();
            }
            out.voices.back().line = lineNo;
            voiceUsed = true;
            continue;
        }
        if (key != "gain") voiceUsed = true;
        LineCtx ctx{fileName, lineNo, key, vals};
        if (!applyKey(ctx, out.voices.back(), out)) return false;
    }
    if (!voiceUsed) {
        fhpackError(fileName, 0, "the file sets nothing (an effect needs at least one setting)");
        return false;
    }
    double total = 0.0;
    for (const SfxVoice& v : out.voices) {
        if (v.minFreq > v.maxFreq) {
            fhpackError(fileName, v.line, "min_freq is above max_freq");
            return false;
        }
        double end = v.delay + v.duration();
        if (end > kMaxEffectSeconds) {
            std::ostringstream s;
            s << "voice lasts until " << end << " s, effects are limited to " << kMaxEffectSeconds << " s";
            fhpackError(fileName, v.line, s.str());
            return false;
        }
        if (end > total) total = end;
    }
    if (total * kSampleRate < 64) {
        fhpackError(fileName, 0, "the effect is silent or too short (under 64 samples)");
        return false;
    }
    return true;
}

} // namespace fhaudio

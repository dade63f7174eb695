// Effect synthesis and the AIFF writer.
#include "sound_effect.h"

#include <algorithm>
#include <cmath>

namespace fhaudio {

namespace {
constexpr double kTwoPi = 6.28318530717958647692;

void renderVoice(const SfxVoice& v, std::vector<float>& mix) {
    Oscillator osc(v.wave, v.seed);
    OnePole filt;
    filt.setLowpass(v.lowpass);
    filt.setHighpass(v.highpass);
    const size_t start = static_cast<size_t>(std::lround(v.delay * kSampleRate));
    const size_t count = static_cast<size_t>(std::lround(v.duration() * kSampleRate));
    const double gate = v.env.attack + v.env.decay + v.hold;
    for (size_t i = 0; i < count && start + i < mix.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double tp = t; // pitch time restarts with each repeat
        if (v.repeat > 0.0) tp = std::fmod(t, v.repeat);
        double semis = v.slide * tp + 0.5 * v.slideAccel * tp * tp;
        double arpOffset = 0.0;
        for (const SfxArpStep& s : v.arp)
            if (tp >= s.time) arpOffset = s.semitones;
        semis += arpOffset;
        if (v.vibratoDepth > 0.0) semis += v.vibratoDepth * std::sin(kTwoPi * v.vibratoRate * t);
        double f = v.freq * std::pow(2.0, semis / 12.0);
        f = std::clamp(f, v.minFreq, v.maxFreq);
        double duty = std::clamp(v.duty + v.dutySweep * t, 0.02, 0.98);
        float s = osc.next(f, duty);
        s = filt.highpass(filt.lowpass(s));
        mix[start + i] += static_cast<float>(s * v.env.level(t, gate) * v.volume);
    }
}

// Voices add up; rather than clipping hard, peaks above 0.8 are bent smoothly towards 1.
double softLimit(double x) {
    const double a = std::fabs(x);
    if (a <= 0.8) return x;
    const double y = 0.8 + 0.2 * std::tanh((a - 0.8) / 0.2);
    return x < 0.0 ? -y : y;
}

void put16(std::vector<uint8_t>& b, unsigned v) {
    b.push_back(static_cast<uint8_t>(v >> 8));
    b.push_back(static_cast<uint8_t>(v));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
    put16(b, v >> 16);
    put16(b, v & 0xFFFF);
}
void putTag(std::vector<uint8_t>& b, const char* t) { b.insert(b.end(), t, t + 4); }

// The sample rate as an 80-bit IEEE extended number, as AIFF's COMM chunk wants it.
void putExtended(std::vector<uint8_t>& b, uint32_t rate) {
    int exponent = 16383 + 63;
    uint64_t mant = rate;
    while (mant && !(mant & 0x8000000000000000ull)) {
        mant <<= 1;
        --exponent;
    }
    if (!rate) exponent = 0;
    put16(b, static_cast<unsigned>(exponent));
    put32(b, static_cast<uint32_t>(mant >> 32));
    put32(b, static_cast<uint32_t>(mant));
}
} // namespace

std::vector<int16_t> synthSfx(const SfxParams& params) {
    double total = 0.0;
    for (const SfxVoice& v : params.voices) total = std::max(total, v.delay + v.duration());
    std::vector<float> mix(static_cast<size_t>(std::lround(total * kSampleRate)), 0.0f);
    for (const SfxVoice& v : params.voices) renderVoice(v, mix);
    std::vector<int16_t> out(mix.size());
    for (size_t i = 0; i < mix.size(); ++i) {
        double x = softLimit(static_cast<double>(mix[i]) * params.gain);
        out[i] = static_cast<int16_t>(std::lround(x * 32767.0));
    }
    return out;
}

std::vector<uint8_t> makeAiff(const std::vector<int16_t>& samples, int channels) {
    const uint32_t frames = static_cast<uint32_t>(samples.size() / static_cast<size_t>(channels));
    const uint32_t dataBytes = frames * static_cast<uint32_t>(channels) * 2;
    std::vector<uint8_t> b;
    b.reserve(54 + dataBytes);
    putTag(b, "FORM");
    put32(b, 4 + (8 + 18) + (8 + 8 + dataBytes));
    putTag(b, "AIFF");
    putTag(b, "COMM");
    put32(b, 18);
    put16(b, static_cast<unsigned>(channels));
    put32(b, frames);
    put16(b, 16);
    putExtended(b, kSampleRate);
    putTag(b, "SSND");
    put32(b, 8 + dataBytes);
    put32(b, 0); // offset
    put32(b, 0); // block size
    for (size_t i = 0; i < static_cast<size_t>(frames) * channels; ++i) put16(b, static_cast<uint16_t>(samples[i]));
    return b;
}

} // namespace fhaudio

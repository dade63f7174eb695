// Tune synthesis: every note is rendered on its own (so releases ring over the next note),
// panned into a stereo mix, sent to a simple echo, then the loop seam is closed.
#include "tune_song.h"

#include <algorithm>
#include <cmath>

namespace fhaudio {

namespace {
constexpr double kTwoPi = 6.28318530717958647692;
constexpr double kQuarterPi = 0.78539816339744830962;
constexpr double kNoisePitchScale = 8.0; // noise notes: hold rate = 8 x the note's frequency
constexpr double kMaxRingSeconds = 6.0;  // longest release or echo tail we keep

void renderNote(const Song& song, const TuneNote& n, size_t index, std::vector<float>& mix,
                std::vector<float>& send) {
    const Instrument& ins = song.instruments[static_cast<size_t>(n.instrument)];
    const double spt = song.secondsPerTick();
    const size_t start = static_cast<size_t>(std::llround(static_cast<double>(n.start) * spt * kSampleRate));
    const double gate = static_cast<double>(n.gate) * spt;
    const double release = std::min(ins.env.release, kMaxRingSeconds);
    const size_t count = static_cast<size_t>((gate + release) * kSampleRate) + 1;
    const size_t frames = mix.size() / 2;
    const uint32_t seed = static_cast<uint32_t>(index * 2654435761u + 12345u);
    Oscillator a(ins.wave, seed), b(ins.wave, seed ^ 0x5bd1e995u);
    OnePole filt;
    filt.setLowpass(ins.lowpass);
    const double angle = (n.pan + 1.0) * kQuarterPi;
    const double gl = std::cos(angle) * 1.41421356, gr = std::sin(angle) * 1.41421356;
    const bool steady = ins.slide == 0.0 && ins.vibratoDepth == 0.0;
    const double pitchScale = ins.wave == Wave::Noise ? kNoisePitchScale : 1.0;
    const double detuneRatio = std::pow(2.0, ins.detune / 1200.0);
    double freq = noteFrequency(n.semitone) * pitchScale;
    const double amp = ins.volume * n.volume;
    for (size_t i = 0; i < count && start + i < frames; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        if (!steady) {
            double semis = n.semitone + ins.slide * t;
            if (ins.vibratoDepth > 0.0 && t > ins.vibratoDelay) {
                double dt = t - ins.vibratoDelay;
                double fadeIn = std::min(1.0, dt / 0.2);
                semis += fadeIn * ins.vibratoDepth * std::sin(kTwoPi * ins.vibratoRate * dt);
            }
            freq = std::min(noteFrequency(semis) * pitchScale, 22050.0);
        }
        float s = a.next(freq, ins.duty);
        if (ins.detune > 0.0) s = 0.5f * (s + b.next(freq * detuneRatio, ins.duty));
        s = filt.lowpass(s);
        const float v = static_cast<float>(s * amp * ins.env.level(t, gate));
        const size_t f = start + i;
        mix[2 * f] += static_cast<float>(v * gl);
        mix[2 * f + 1] += static_cast<float>(v * gr);
        if (ins.echo > 0.0) send[f] += static_cast<float>(v * ins.echo);
    }
}

} // namespace

std::vector<float> renderTune(const Song& song) {
    const size_t bars = static_cast<size_t>(std::llround(song.lengthSeconds() * kSampleRate));
    double ring = 0.0;
    for (const Instrument& ins : song.instruments) ring = std::max(ring, ins.env.release);
    if (song.echoMix > 0.0 && song.echoFeedback > 0.0)
        ring += song.echoDelay * std::log(0.001) / std::log(song.echoFeedback);
    else if (song.echoMix > 0.0)
        ring += song.echoDelay;
    ring = std::min(ring, kMaxRingSeconds);
    if (!song.loop) ring = std::max(ring, song.tail);
    const size_t frames = bars + static_cast<size_t>(ring * kSampleRate) + 1;
    std::vector<float> mix(frames * 2, 0.0f), send(frames, 0.0f);
    for (size_t k = 0; k < song.notes.size(); ++k) renderNote(song, song.notes[k], k, mix, send);

    if (song.echoMix > 0.0) {
        const size_t d = std::max<size_t>(1, static_cast<size_t>(song.echoDelay * kSampleRate));
        std::vector<float> line(frames, 0.0f);
        for (size_t f = d; f < frames; ++f) {
            line[f] = static_cast<float>(send[f - d] + song.echoFeedback * line[f - d]);
            // The right side hears the echo a little later, which widens it.
            const size_t r = f >= d / 4 ? f - d / 4 : 0;
            mix[2 * f] += static_cast<float>(song.echoMix * line[f]);
            mix[2 * r + 1] += static_cast<float>(song.echoMix * line[f]);
        }
    }

    std::vector<float> out;
    if (song.loop) {
        // Fold whatever rings past the last bar onto the start: the loop then plays it
        // again exactly where it would be heard.
        out.assign(mix.begin(), mix.begin() + static_cast<std::ptrdiff_t>(bars * 2));
        for (size_t f = bars; f < frames && bars > 0; ++f) {
            const size_t g = (f - bars) % bars;
            out[2 * g] += mix[2 * f];
            out[2 * g + 1] += mix[2 * f + 1];
        }
    } else {
        const size_t keep = std::min(frames, bars + static_cast<size_t>(song.tail * kSampleRate));
        out.assign(mix.begin(), mix.begin() + static_cast<std::ptrdiff_t>(keep * 2));
        const size_t fade = std::min<size_t>(keep, kSampleRate / 20);
        for (size_t i = 0; i < fade; ++i) {
            const float g = static_cast<float>(i) / static_cast<float>(fade);
            out[2 * (keep - 1 - i)] *= g;
            out[2 * (keep - 1 - i) + 1] *= g;
        }
    }

    float peak = 0.0f;
    for (float x : out) peak = std::max(peak, std::fabs(x));
    if (peak > 0.0f) {
        const float g = static_cast<float>(0.89 * song.volume) / peak;
        for (float& x : out) x *= g;
    }
    return out;
}

} // namespace fhaudio

#include "sound_osc.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace fhaudio {

namespace {
constexpr double kPi = 3.14159265358979323846;

// PolyBLEP correction around a discontinuity at phase 0 (t and dt as fractions of a period).
double polyBlep(double t, double dt) {
    if (dt <= 0.0) return 0.0;
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}
} // namespace

bool waveFromName(const std::string& name, Wave& out) {
    if (name == "square" || name == "pulse") out = Wave::Square;
    else if (name == "saw") out = Wave::Saw;
    else if (name == "triangle") out = Wave::Triangle;
    else if (name == "sine") out = Wave::Sine;
    else if (name == "noise") out = Wave::Noise;
    else return false;
    return true;
}

Oscillator::Oscillator(Wave w, uint32_t seed) : wave_(w), rng_(seed ? seed : 0x9E3779B9u) {}

float Oscillator::nextRandom() {
    // xorshift32: small, fast and the same on every machine.
    rng_ ^= rng_ << 13;
    rng_ ^= rng_ >> 17;
    rng_ ^= rng_ << 5;
    return static_cast<float>(static_cast<double>(rng_) / 2147483648.0 - 1.0);
}

float Oscillator::next(double freq, double duty) {
    if (freq < 0.0) freq = 0.0;
    double dt = freq / kSampleRate;
    if (dt > 0.5) dt = 0.5;
    double out = 0.0;
    switch (wave_) {
    case Wave::Square: {
        if (duty < 0.02) duty = 0.02;
        if (duty > 0.98) duty = 0.98;
        out = phase_ < duty ? 1.0 : -1.0;
        out += polyBlep(phase_, dt);
        double t2 = phase_ - duty;
        if (t2 < 0.0) t2 += 1.0;
        out -= polyBlep(t2, dt);
        break;
    }
    case Wave::Saw:
        out = 2.0 * phase_ - 1.0 - polyBlep(phase_, dt);
        break;
    case Wave::Triangle:
        out = phase_ < 0.5 ? 4.0 * phase_ - 1.0 : 3.0 - 4.0 * phase_;
        break;
    case Wave::Sine:
        out = std::sin(2.0 * kPi * phase_);
        break;
    case Wave::Noise:
        out = held_;
        break;
    }
    double fullDt = freq / kSampleRate; // noise may hold for less than one sample
    phase_ += wave_ == Wave::Noise ? fullDt : dt;
    if (phase_ >= 1.0) {
        phase_ -= std::floor(phase_);
        if (wave_ == Wave::Noise) held_ = nextRandom();
    }
    return static_cast<float>(out);
}

double Envelope::levelHeld(double t) const {
    if (t < 0.0) return 0.0;
    if (t < attack) return t / attack;
    t -= attack;
    if (t < decay) return 1.0 - (1.0 - sustain) * (t / decay);
    return sustain;
}

double Envelope::level(double t, double gate) const {
    if (t < gate) return levelHeld(t);
    double from = levelHeld(gate);
    double r = t - gate;
    if (release <= 0.0 || r >= release) return 0.0;
    double k = 1.0 - r / release;
    return from * k * k; // a curved release sounds less abrupt than a straight one
}

void OnePole::setLowpass(double hz) {
    lpOn_ = hz > 0.0;
    if (lpOn_) lpA_ = 1.0 - std::exp(-2.0 * kPi * hz / kSampleRate);
}

void OnePole::setHighpass(double hz) {
    hpOn_ = hz > 0.0;
    if (hpOn_) hpA_ = std::exp(-2.0 * kPi * hz / kSampleRate);
}

float OnePole::lowpass(float x) {
    if (!lpOn_) return x;
    lpY_ += lpA_ * (x - lpY_);
    return static_cast<float>(lpY_);
}

float OnePole::highpass(float x) {
    if (!hpOn_) return x;
    hpY_ = hpA_ * (hpY_ + x - hpX_);
    hpX_ = x;
    return static_cast<float>(hpY_);
}

double noteFrequency(double semitone) { return 440.0 * std::pow(2.0, (semitone - 69.0) / 12.0); }

bool parseNoteName(const std::string& text, int& midi) {
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7}; // a b c d e f g
    if (text.size() < 2) return false;
    char l = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    if (l < 'a' || l > 'g') return false;
    int n = base[l - 'a'];
    size_t i = 1;
    if (text[i] == '#' || text[i] == '+') {
        ++n;
        ++i;
    } else if (text[i] == 'b' || text[i] == '-') {
        --n;
        ++i;
    }
    if (i + 1 != text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    int octave = text[i] - '0';
    midi = (octave + 1) * 12 + n;
    return true;
}

void stripComment(std::string& line) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
            line.resize(i);
            return;
        }
    }
}

bool parseNumber(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && std::isfinite(out);
}

bool parseInteger(const std::string& text, long& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    out = std::strtol(text.c_str(), &end, 10);
    return end && *end == '\0';
}

} // namespace fhaudio

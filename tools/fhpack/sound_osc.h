// Building blocks shared by the effect synthesiser and the tune synthesiser: band-limited
// oscillators, a deterministic noise source, an ADSR envelope, one-pole filters and the
// parsing of note names and numbers in the readable source formats.
#pragma once
#include <cstdint>
#include <string>

namespace fhaudio {

constexpr int kSampleRate = 22050; // the rate the game opens its mixer at

enum class Wave { Square, Saw, Triangle, Sine, Noise };

// "square", "pulse" (same as square), "saw", "triangle", "sine", "noise".
bool waveFromName(const std::string& name, Wave& out);

// One oscillator. Square and saw use PolyBLEP edges so high notes do not alias badly at
// 22,050 Hz. Noise holds a pseudo-random value for one period of `freq`, so its pitch
// sets the colour (low = rumble, high = hiss); the generator is seeded, so the same source
// always gives the same samples.
class Oscillator {
  public:
    explicit Oscillator(Wave w = Wave::Square, uint32_t seed = 1);
    // One sample in -1..1; `freq` in Hz, `duty` 0..1 (square only).
    float next(double freq, double duty);

  private:
    Wave wave_;
    double phase_ = 0.0;
    uint32_t rng_;
    float held_ = 0.0f;
    float nextRandom();
};

// Attack, decay to a sustain level, hold until the gate closes, then release from the
// level reached. Times in seconds.
struct Envelope {
    double attack = 0.005;
    double decay = 0.0;
    double sustain = 1.0;
    double release = 0.05;
    // Level at time t after the note started, the gate closing at `gate`.
    double level(double t, double gate) const;
    double levelHeld(double t) const; // the level while the gate is still open
};

// One-pole low-pass and high-pass filters (cutoff in Hz; 0 = off).
class OnePole {
  public:
    void setLowpass(double hz);
    void setHighpass(double hz);
    float lowpass(float x);
    float highpass(float x);

  private:
    double lpA_ = 1.0, lpY_ = 0.0;
    double hpA_ = 0.0, hpY_ = 0.0, hpX_ = 0.0;
    bool lpOn_ = false, hpOn_ = false;
};

// Frequency of a note, `semitone` counted from C-1 the way MIDI counts (69 = A4 = 440 Hz).
double noteFrequency(double semitone);

// Reads a note name such as "a4", "c#5", "eb3" (octave 0..9) into a MIDI number.
bool parseNoteName(const std::string& text, int& midi);

// Cuts a comment off a source line: '#' at the start of the line or after a space or tab
// (so note names such as "c#5" keep their sharp).
void stripComment(std::string& line);

// Strict number parsing: the whole text must be a number.
bool parseNumber(const std::string& text, double& out);
bool parseInteger(const std::string& text, long& out);

} // namespace fhaudio

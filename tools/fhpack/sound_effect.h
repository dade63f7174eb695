// Sound effects: a short parameter file (content/sound/*.sfx) describes one or more voices;
// they are synthesised to 16-bit mono samples and written as an AIFF file, the format the
// game's mixer decodes from the sound container.
#pragma once
#include "sound_osc.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fhaudio {

struct SfxArpStep {
    double time;      // seconds after the voice starts (or after each repeat)
    double semitones; // pitch offset from the base frequency from then on
};

struct SfxVoice {
    Wave wave = Wave::Square;
    uint32_t seed = 1;
    double freq = 440.0;       // Hz
    double slide = 0.0;        // semitones per second
    double slideAccel = 0.0;   // semitones per second squared
    double minFreq = 20.0;     // slides stop here
    double maxFreq = 11000.0;  // and here
    double duty = 0.5;         // square only
    double dutySweep = 0.0;    // change of duty per second
    double vibratoDepth = 0.0; // semitones
    double vibratoRate = 0.0;  // Hz
    double repeat = 0.0;       // restart pitch, slide and arpeggio every so many seconds (0 = never)
    std::vector<SfxArpStep> arp;
    Envelope env;
    double hold = 0.05;        // time at the sustain level before the release
    double volume = 0.7;
    double delay = 0.0;        // start time of the voice within the effect
    double lowpass = 0.0;      // Hz, 0 = off
    double highpass = 0.0;     // Hz, 0 = off
    int line = 0;              // where the voice starts in the source, for messages

    double duration() const { return env.attack + env.decay + hold + env.release; }
};

struct SfxParams {
    std::vector<SfxVoice> voices;
    double gain = 1.0;
};

constexpr double kMaxEffectSeconds = 4.0;

// Parses the text of an effect file; reports the first fault through fhpackError with the
// file name and line and returns false.
bool parseSfx(const std::string& text, const std::string& fileName, SfxParams& out);

// Mono samples at kSampleRate. The length is the longest voice (delay + duration).
std::vector<int16_t> synthSfx(const SfxParams& params);

// A complete AIFF file: FORM/AIFF with COMM (mono, 16 bits, kSampleRate) and SSND chunks.
std::vector<uint8_t> makeAiff(const std::vector<int16_t>& samples, int channels = 1);

} // namespace fhaudio

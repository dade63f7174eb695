// Tunes: note text in an MML-like language (content/music/*.mml) is read into a list of
// timed notes, synthesised to stereo samples and encoded as Ogg Vorbis for the game's
// music player. See content/audio-FORMAT.md for the language.
#pragma once
#include "sound_osc.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fhaudio {

constexpr int kTicksPerWhole = 192; // so that 1, 2, 3, 4, 6, 8, 12, 16, 24, 32, 48, 64 all fit
constexpr double kMaxTuneSeconds = 300.0;

struct Instrument {
    std::string name;
    Wave wave = Wave::Square;
    double duty = 0.5;
    Envelope env;
    double volume = 0.5;
    double vibratoDepth = 0.0; // semitones
    double vibratoRate = 5.5;  // Hz
    double vibratoDelay = 0.15; // seconds into the note before the vibrato starts
    double slide = 0.0;        // semitones per second from the note's start (drums)
    double detune = 0.0;       // cents; a second oscillator this far up thickens the sound
    double lowpass = 0.0;      // Hz, 0 = off
    double echo = 0.0;         // how much of the note is sent to the song's echo
    int line = 0;
};

struct TuneNote {
    int64_t start = 0;  // ticks
    int64_t length = 0; // ticks until the next note of the channel
    int64_t gate = 0;   // ticks the note is held before its release
    double semitone = 60.0; // MIDI-style number
    int instrument = 0;
    double volume = 1.0; // channel volume 0..1
    double pan = 0.0;    // -1 left .. 1 right
};

struct Song {
    std::string title;
    double tempo = 120.0; // quarter notes per minute
    int meter = 4;        // beats (quarter notes) per bar, checked at every '|' bar line
    bool loop = true;
    double tail = 1.5;    // seconds kept after the last bar when the tune does not loop
    double echoDelay = 0.0, echoFeedback = 0.0, echoMix = 0.0;
    double volume = 1.0;
    std::vector<Instrument> instruments;
    std::vector<TuneNote> notes;
    int64_t lengthTicks = 0; // the longest channel

    double secondsPerTick() const { return 60.0 / (tempo * (kTicksPerWhole / 4)); }
    double lengthSeconds() const { return static_cast<double>(lengthTicks) * secondsPerTick(); }
};

// Reads a tune; reports the first fault through fhpackError (file, line, reason).
bool parseTune(const std::string& text, const std::string& fileName, Song& out);

// Interleaved stereo samples at kSampleRate, peak-normalised. A looping tune is exactly
// its bars long, with the sound that rings past the end folded onto the start so that the
// loop joins without a gap; a tune that does not loop keeps `tail` seconds after its bars.
std::vector<float> renderTune(const Song& song);

// Ogg Vorbis of interleaved stereo samples; `serial` names the Ogg stream (kept fixed so
// the same source always gives the same bytes).
bool encodeOggVorbis(const std::vector<float>& stereo, const std::string& title, uint32_t serial,
                     std::vector<uint8_t>& out);

} // namespace fhaudio

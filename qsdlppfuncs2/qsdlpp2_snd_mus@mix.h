// Sound effects and music over SDL2_mixer.
//
// QSDLpp_MixHandlCls opens the audio device (22,050 Hz, 16-bit, stereo, 9 channels).
// QSDLpp_MixSoundCls holds up to 128 numbered effects and plays them on channels 0..7;
// channel 8 is kept for jingles, and when a jingle ends the loaded music starts again.
// QSDLpp_MixMusicCls streams the one loaded piece of music (process-wide) with a
// master volume.
//
// The settings tool uses the same classes: with QSDL_GLOBALS::settingsToolF set,
// musVol sets the playing volume directly (percent x 128 / 100, always true) and the
// jingle notice is printed in UTF-8 instead of the game's Shift-JIS.
#pragma once

#include <cstdint>

#include <SDL_mixer.h>

enum {
    QSDL_SND_MAX = 128,    // effects held at most
    QSDL_SND_CHANNELS = 9, // mixer channels
    QSDL_SND_FX_CHANNELS = 8,
    QSDL_SND_JINGLE_CH = 8,
};

// Music event codes for QSDLpp_MixMusicCls::event / movieEvent.
typedef int MovieFx;
namespace MovieFxCode {
enum : int {
    PAUSE = 1, // pause
    PLAY = 2,  // play the loaded music `value` times (-1 forever) unless playing
    RESUME = 3,
    REWIND = 4,
    HALT = 5, // pause and free the loaded music
    NOP6 = 6,
    NOP7 = 7,
    FADEOUT = 8, // fade out over `value` ms
    FREE = 9,    // with value 0: pause and free
};
} // namespace MovieFxCode

class QSDLpp_MixHandlCls {
  public:
    QSDLpp_MixHandlCls(); // opens SDL audio and the mixer; failures are logged only
    bool isOpen() const { return openF; }

  private:
    bool openF;
};

class QSDLpp_MixSoundCls {
  public:
    QSDLpp_MixSoundCls();
    ~QSDLpp_MixSoundCls();
    QSDLpp_MixSoundCls(const QSDLpp_MixSoundCls&) = delete;
    QSDLpp_MixSoundCls& operator=(const QSDLpp_MixSoundCls&) = delete;

    void init(int volume);     // every channel's volume, 0..128
    void soundVol(int volume); // same
    void soundON(bool on);     // the process-wide sound switch

    bool loadResouceFile(const char* path);  // loads a container into the registry
    int loadSoundFromRes(int firstID);       // 'AIFF' firstID, firstID+1, ... ; new count
    int loadSoundFromFile(const char* path); // its number, or -1 when the table is full

    int playNum(int n, int angle, int distance); // channel + 1, or 0
    int playNum(int n);
    bool plySndAndBGM(int n);             // effect n once on the jingle channel
    bool plySndAndBGM(const char* path);  // a sound file once on the jingle channel
    bool playSoundFile(const char* path); // a sound file once on any free channel

    int count() const { return sndCount; }
    Mix_Chunk* chunk(int n) const;

    static void sndCallback(int channel); // mixer's channel-finished callback

  private:
    int append(Mix_Chunk* c);
    Mix_Chunk* reloadFileChunk(Mix_Chunk** slot, const char* path);

    Mix_Chunk* sndChunk[QSDL_SND_MAX];
    int sndCount;
    Mix_Chunk* jingleFile; // last file played by plySndAndBGM(path)
    Mix_Chunk* anyFile;    // last file played by playSoundFile
};

class QSDLpp_MixMusicCls {
  public:
    QSDLpp_MixMusicCls();

    bool load(const char* path); // frees the loaded music; 1 without loading when off
    void on(bool flag);          // the process-wide music switch
    void start(int loops);       // event 2
    void stop();                 // pause (when music is on)
    void fadeout();              // fade out over 1,000 ms (when music is on)
    int event(MovieFx code, int value);
    int movieEvent(MovieFx code, int value);
    int movieIdleProcess(); // once per step: ends a deferred fade (never waits)

    bool musVol(int percent);
    void masterMusicVol(int percent);
    int getMusVol() const { return musicVol; }
    int getMasterVol() const { return masterVol; }

    static Mix_Music* loadedMusic(); // the process-wide stream (null when none)
    static unsigned loadSerial();    // changes with every load
    // The longest a load, event, fade-out or idle call took since the last reset (ms).
    static uint32_t longestCallMs(bool reset);
    // The loaded stream plays, not paused and not fading out (nothing waits to replace it).
    static bool playingSteadily();

  private:
    int masterVol;
    int musicVol;
    int appliedMaster; // master volume the mixer was last set with (-1: never)
};

// Sound effects on eight channels plus a jingle channel, and one streamed piece of
// music, over SDL2_mixer.
#include "qsdlpp2_snd_mus@mix.h"

#include <atomic>
#include <cstdio>

#include <SDL.h>

#include "qgu_fileutil.h"
#include "qsdlpp2_globals.h"

using QSDL_GLOBALS::PlayBGMF;
using QSDL_GLOBALS::SoundActiveF;

namespace {
// The one loaded music stream, shared by every music object of the process. The
// jingle callback reads it on the audio thread; the main thread swaps it out before
// freeing, and Mix_FreeMusic waits for the audio lock the callback runs under, so the
// callback never sees a freed stream.
std::atomic<Mix_Music*> gMusic{nullptr};

void freeLoadedMusic() {
    Mix_Music* old = gMusic.exchange(nullptr);
    if (old) Mix_FreeMusic(old);
}

// "チャネル%d 再生を終了イベント発生\n": the game keeps it in Shift-JIS, the settings
// tool prints it in UTF-8.
const char kJingleEndSJIS[] = "\x83`\x83\x83\x83l\x83\x8B%d \x8D\xC4\x90\xB6\x82\xF0\x8FI\x97\xB9\x83"
                              "C\x83x\x83\x93"
                              "\x83g\x94\xAD\x90\xB6\n";
const char kJingleEndUTF8[] =
    "\xE3\x83\x81\xE3\x83\xA3\xE3\x83\x8D\xE3\x83\xAB%d \xE5\x86\x8D\xE7\x94\x9F\xE3\x82\x92"
    "\xE7\xB5\x82\xE4\xBA\x86\xE3\x82\xA4\xE3\x83\x99\xE3\x83\xB3\xE3\x83\x88\xE7\x99\xBA"
    "\xE7\x94\x9F\n";
} // namespace

// ---- Audio device -------------------------------------------------------------------

QSDLpp_MixHandlCls::QSDLpp_MixHandlCls() : openF(false) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) std::printf("SDL_AudioInitError");
    if (Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) < 0) {
        std::printf("Mix_OpenAudioError");
    } else {
        openF = true;
    }
    Mix_AllocateChannels(QSDL_SND_CHANNELS);
    Mix_Volume(-1, 128);
}

// ---- Effects --------------------------------------------------------------------------

QSDLpp_MixSoundCls::QSDLpp_MixSoundCls() : sndCount(0), jingleFile(nullptr), anyFile(nullptr) {
    for (int i = 0; i < QSDL_SND_MAX; i++)
        sndChunk[i] = nullptr;
    Mix_ChannelFinished(&QSDLpp_MixSoundCls::sndCallback);
}

QSDLpp_MixSoundCls::~QSDLpp_MixSoundCls() {
    // Mix_FreeChunk stops any channel still playing the chunk, and is safe after the
    // mixer was closed.
    for (int i = 0; i < sndCount; i++)
        if (sndChunk[i]) Mix_FreeChunk(sndChunk[i]);
    if (jingleFile) Mix_FreeChunk(jingleFile);
    if (anyFile) Mix_FreeChunk(anyFile);
}

void QSDLpp_MixSoundCls::init(int volume) {
    Mix_Volume(-1, volume);
}
void QSDLpp_MixSoundCls::soundVol(int volume) {
    Mix_Volume(-1, volume);
}
void QSDLpp_MixSoundCls::soundON(bool on) {
    SoundActiveF = on;
}

bool QSDLpp_MixSoundCls::loadResouceFile(const char* path) {
    return qgu_loadResource(path) != nullptr;
}

// Appends a chunk (null for one that failed to decode: it still takes its number).
int QSDLpp_MixSoundCls::append(Mix_Chunk* c) {
    if (sndCount >= QSDL_SND_MAX) {
        if (c) Mix_FreeChunk(c);
        return -1;
    }
    sndChunk[sndCount] = c;
    return sndCount++;
}

int QSDLpp_MixSoundCls::loadSoundFromRes(int firstID) {
    for (int id = firstID; sndCount < QSDL_SND_MAX; id++) {
        void* data = qgu_getResourceRef(QGU_RES::AIFF, id);
        if (!data) break;
        int64_t size = qgu_getResourceSize(data);
        Mix_Chunk* c = nullptr;
        if (size > 0 && size <= 0x7FFFFFFF) c = Mix_LoadWAV_RW(SDL_RWFromConstMem(data, int(size)), 1);
        if (!c) std::printf("Mix_LoadWAVError:%d %s\n", sndCount, SDL_GetError());
        append(c);
    }
    return sndCount;
}

int QSDLpp_MixSoundCls::loadSoundFromFile(const char* path) {
    if (sndCount >= QSDL_SND_MAX) return -1;
    Mix_Chunk* c = Mix_LoadWAV(path);
    if (!c) std::printf("Mix_LoadWAVError:%d %s\n", sndCount, SDL_GetError());
    return append(c);
}

Mix_Chunk* QSDLpp_MixSoundCls::chunk(int n) const {
    return (n >= 0 && n < sndCount) ? sndChunk[n] : nullptr;
}

// The position last given to each effect channel. A channel starts centred; the mixer
// allocates its position effect on the first call for a channel, so a play at the
// position the channel already has leaves it alone (nothing is allocated during play).
static int channelPosition[QSDL_SND_FX_CHANNELS][2] = {};

int QSDLpp_MixSoundCls::playNum(int n, int angle, int distance) {
    if (!SoundActiveF) return 0;
    int ch = 0;
    while (ch < QSDL_SND_FX_CHANNELS && Mix_Playing(ch))
        ch++;
    if (ch >= QSDL_SND_FX_CHANNELS) return 0;
    if (n < 0 || n >= sndCount) return 0;
    if (channelPosition[ch][0] != angle || channelPosition[ch][1] != distance) {
        Mix_SetPosition(ch, Sint16(angle), Uint8(distance));
        channelPosition[ch][0] = angle;
        channelPosition[ch][1] = distance;
    }
    if (sndChunk[n]) Mix_PlayChannel(ch, sndChunk[n], 0);
    return ch + 1;
}

int QSDLpp_MixSoundCls::playNum(int n) {
    return playNum(n, 0, 0);
}

bool QSDLpp_MixSoundCls::plySndAndBGM(int n) {
    if (!SoundActiveF) return false;
    if (n < 0 || n >= sndCount || !sndChunk[n]) return false;
    Mix_PlayChannel(QSDL_SND_JINGLE_CH, sndChunk[n], 0);
    return true;
}

// Loads a sound file into one of the two file slots, replacing (and stopping) the
// previous file sound of that slot.
Mix_Chunk* QSDLpp_MixSoundCls::reloadFileChunk(Mix_Chunk** slot, const char* path) {
    Mix_Chunk* c = Mix_LoadWAV(path);
    if (!c) {
        std::printf("Sound File not found\n");
        return nullptr;
    }
    if (*slot) Mix_FreeChunk(*slot);
    *slot = c;
    return c;
}

bool QSDLpp_MixSoundCls::plySndAndBGM(const char* path) {
    if (!SoundActiveF) return false;
    Mix_Chunk* c = reloadFileChunk(&jingleFile, path);
    if (!c) return false;
    Mix_PlayChannel(QSDL_SND_JINGLE_CH, c, 0);
    return true;
}

bool QSDLpp_MixSoundCls::playSoundFile(const char* path) {
    if (!SoundActiveF) return false;
    Mix_Chunk* c = reloadFileChunk(&anyFile, path);
    if (!c) return false;
    Mix_PlayChannel(-1, c, 0);
    return true;
}

// Runs on the mixer's audio thread: when a jingle ends, the loaded music resumes.
void QSDLpp_MixSoundCls::sndCallback(int channel) {
    if (channel != QSDL_SND_JINGLE_CH) return;
    if (Mix_Music* m = gMusic.load()) Mix_FadeInMusic(m, -1, 50);
    std::printf(QSDL_GLOBALS::settingsToolF ? kJingleEndUTF8 : kJingleEndSJIS, channel);
}

// ---- Music ----------------------------------------------------------------------------

QSDLpp_MixMusicCls::QSDLpp_MixMusicCls() : masterVol(100), musicVol(100), appliedMaster(-1) {}

Mix_Music* QSDLpp_MixMusicCls::loadedMusic() {
    return gMusic.load();
}

bool QSDLpp_MixMusicCls::load(const char* path) {
    freeLoadedMusic();
    if (!PlayBGMF) return true;
    Mix_Music* m = Mix_LoadMUS(path);
    if (m) {
        std::printf("Mix_LoadMusic (%s)\n", path);
    } else {
        std::printf("Mix_LoadMUSError (%s)\n", path);
    }
    gMusic = m;
    return m != nullptr;
}

void QSDLpp_MixMusicCls::on(bool flag) {
    PlayBGMF = flag;
}
void QSDLpp_MixMusicCls::start(int loops) {
    movieEvent(MovieFxCode::PLAY, loops);
}

void QSDLpp_MixMusicCls::stop() {
    if (PlayBGMF) Mix_PauseMusic();
}

void QSDLpp_MixMusicCls::fadeout() {
    if (PlayBGMF) Mix_FadeOutMusic(1000);
}

int QSDLpp_MixMusicCls::event(MovieFx code, int value) {
    return movieEvent(code, value);
}

int QSDLpp_MixMusicCls::movieEvent(MovieFx code, int value) {
    if (!PlayBGMF || code < 1 || code > 9) return 0;
    switch (code) {
    case MovieFxCode::PAUSE:
        Mix_PauseMusic();
        break;
    case MovieFxCode::PLAY:
        if (!Mix_PlayingMusic() && Mix_PlayMusic(gMusic.load(), value) < 0)
            std::printf("Mix_PlayMusicError(0x%p,1)", static_cast<void*>(gMusic.load()));
        break;
    case MovieFxCode::RESUME:
        Mix_ResumeMusic();
        break;
    case MovieFxCode::REWIND:
        Mix_RewindMusic();
        break;
    case MovieFxCode::HALT:
        if (gMusic.load()) {
            Mix_PauseMusic();
            freeLoadedMusic();
        }
        break;
    case MovieFxCode::FADEOUT:
        Mix_FadeOutMusic(value);
        break;
    case MovieFxCode::FREE:
        if (value == 0) {
            Mix_PauseMusic();
            freeLoadedMusic();
        }
        break;
    default:
        break;
    }
    return 0;
}

int QSDLpp_MixMusicCls::movieIdleProcess() {
    return 0;
}

bool QSDLpp_MixMusicCls::musVol(int percent) {
    if (QSDL_GLOBALS::settingsToolF) {
        // The settings tool keeps no volumes: the choice is applied as it stands.
        Mix_VolumeMusic(percent * 128 / 100);
        return true;
    }
    // An unchanged request is ignored, unless the master volume changed since the
    // mixer was last set: otherwise a master taken from the configuration would stay
    // unapplied for as long as the stages ask for the starting 100%.
    if (percent == musicVol && appliedMaster == masterVol) return false;
    musicVol = percent;
    appliedMaster = masterVol;
    Mix_VolumeMusic(percent * masterVol * 128 / 10000);
    return true;
}

void QSDLpp_MixMusicCls::masterMusicVol(int percent) {
    masterVol = percent;
}

// Effects, channels, volumes and music on the real SDL_mixer (dummy audio driver).
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core_testutil.h"
#include "qsdlpp2_ctrl@io.h"

using coretest::ScratchDir;
using coretest::StdoutCapture;

namespace {

// A mono 16-bit PCM WAV file image of `ms` milliseconds of a square wave.
std::vector<uint8_t> wavImage(int ms) {
    const int rate = 22050;
    const int samples = rate * ms / 1000;
    std::vector<uint8_t> v;
    auto u32 = [&](uint32_t x) {
        for (int i = 0; i < 4; i++)
            v.push_back(uint8_t(x >> (8 * i)));
    };
    auto u16 = [&](uint16_t x) {
        v.push_back(uint8_t(x));
        v.push_back(uint8_t(x >> 8));
    };
    auto tag = [&](const char* t) { v.insert(v.end(), t, t + 4); };
    tag("RIFF");
    u32(uint32_t(36 + samples * 2));
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    tag("data");
    u32(uint32_t(samples * 2));
    for (int i = 0; i < samples; i++)
        u16(uint16_t((i / 50) % 2 ? 6000 : -6000));
    return v;
}

class Sound : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        static QSDLpp_MixHandlCls device; // opened once for the whole program
        ASSERT_TRUE(device.isOpen()) << SDL_GetError();
    }
    void SetUp() override {
        QSDL_GLOBALS::useSettingsToolVariant(false);
        QSDL_GLOBALS::SoundActiveF = true;
        QSDL_GLOBALS::PlayBGMF = true;
    }
    void TearDown() override {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        QSDL_GLOBALS::useSettingsToolVariant(false);
        QSDL_GLOBALS::SoundActiveF = true;
        QSDL_GLOBALS::PlayBGMF = true;
    }
    std::string wavFile(const char* name, int ms) {
        std::string p = dir.file(name);
        coretest::writeAll(p, wavImage(ms));
        return p;
    }
    static bool waitFor(bool (*cond)(), int ms) {
        for (int t = 0; t < ms; t += 10) {
            if (cond()) return true;
            SDL_Delay(10);
        }
        return cond();
    }
    ScratchDir dir;
};

} // namespace

TEST_F(Sound, DeviceHasNineChannelsAtFullVolumeInTheAgreedFormat) {
    int freq = 0, channels = 0;
    Uint16 format = 0;
    ASSERT_EQ(Mix_QuerySpec(&freq, &format, &channels), 1);
    EXPECT_EQ(freq, 22050);
    EXPECT_EQ(format, AUDIO_S16SYS);
    EXPECT_EQ(channels, 2);
    EXPECT_EQ(Mix_AllocateChannels(-1), 9);
    QSDLpp_MixSoundCls snd;
    snd.init(50);
    for (int ch = 0; ch < 9; ch++)
        EXPECT_EQ(Mix_Volume(ch, -1), 50) << ch;
    snd.soundVol(128);
    EXPECT_EQ(Mix_Volume(8, -1), 128);
}

TEST_F(Sound, EffectsTakeTheLowestFreeOfEightChannelsAndTheJingleChannelStaysFree) {
    QSDLpp_MixSoundCls snd;
    ASSERT_EQ(snd.loadSoundFromFile(wavFile("long.wav", 3000).c_str()), 0);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(snd.playNum(0, 90, 10), i + 1);
    EXPECT_EQ(snd.playNum(0), 0); // all eight busy
    EXPECT_FALSE(Mix_Playing(8));
    EXPECT_TRUE(snd.plySndAndBGM(0));
    EXPECT_TRUE(Mix_Playing(8));
    Mix_HaltChannel(3);
    EXPECT_EQ(snd.playNum(5), 0); // not loaded
    EXPECT_EQ(snd.playNum(-1), 0);
    EXPECT_EQ(snd.playNum(0), 4);
}

TEST_F(Sound, SwitchedOffSoundPlaysNothing) {
    QSDLpp_MixSoundCls snd;
    snd.loadSoundFromFile(wavFile("a.wav", 500).c_str());
    snd.soundON(false);
    EXPECT_EQ(snd.playNum(0), 0);
    EXPECT_FALSE(snd.plySndAndBGM(0));
    EXPECT_FALSE(snd.playSoundFile(wavFile("b.wav", 500).c_str()));
    EXPECT_EQ(Mix_Playing(-1), 0);
    snd.soundON(true);
    EXPECT_EQ(snd.playNum(0), 1);
}

TEST_F(Sound, EffectsLoadFromContiguousResourceRecords) {
    qgu_resetResourceRegistry();
    std::vector<uint8_t> good = wavImage(300);
    std::vector<uint8_t> junk(200, 0x42);
    std::vector<coretest::StoredRecord> recs = {
        coretest::invertedRecord(QGU_RES::AIFF, 1000, good),
        coretest::invertedRecord(QGU_RES::AIFF, 1001, junk),
        coretest::invertedRecord(QGU_RES::AIFF, 1002, good),
        coretest::invertedRecord(QGU_RES::AIFF, 1004, good), // after a gap: not loaded
    };
    std::string path = dir.file("soundchunk.mrsrc");
    coretest::writeAll(path, coretest::buildContainer(recs));

    QSDLpp_MixSoundCls snd;
    ASSERT_TRUE(snd.loadResouceFile(path.c_str()));
    StdoutCapture out;
    EXPECT_EQ(snd.loadSoundFromRes(1000), 3);
    EXPECT_NE(out.text().find("Mix_LoadWAVError:1 "), std::string::npos);
    EXPECT_NE(snd.chunk(0), nullptr);
    EXPECT_EQ(snd.chunk(1), nullptr); // failed, but keeps its number
    EXPECT_NE(snd.chunk(2), nullptr);
    // Playing the empty slot takes a channel number but plays nothing.
    EXPECT_EQ(snd.playNum(1), 1);
    EXPECT_FALSE(Mix_Playing(0));
    EXPECT_EQ(snd.playNum(2), 1);
    EXPECT_TRUE(Mix_Playing(0));
    qgu_resetResourceRegistry();
}

TEST_F(Sound, TheEffectTableHoldsAtMost128) {
    QSDLpp_MixSoundCls snd;
    std::string p = wavFile("tiny.wav", 20);
    for (int i = 0; i < 128; i++)
        ASSERT_EQ(snd.loadSoundFromFile(p.c_str()), i);
    EXPECT_EQ(snd.loadSoundFromFile(p.c_str()), -1);
    EXPECT_EQ(snd.count(), 128);
}

TEST_F(Sound, MissingSoundFilesAreReported) {
    QSDLpp_MixSoundCls snd;
    StdoutCapture out;
    EXPECT_FALSE(snd.playSoundFile(dir.file("none.wav").c_str()));
    EXPECT_FALSE(snd.plySndAndBGM(dir.file("none.wav").c_str()));
    EXPECT_EQ(out.text(), "Sound File not found\nSound File not found\n");
    EXPECT_TRUE(snd.playSoundFile(wavFile("ok.wav", 500).c_str()));
    EXPECT_TRUE(snd.plySndAndBGM(wavFile("ok2.wav", 500).c_str()));
    EXPECT_TRUE(Mix_Playing(8));
}

// ---- Music volume --------------------------------------------------------------------

TEST_F(Sound, GameMusicVolumeCombinesPercentAndMaster) {
    QSDLpp_MixMusicCls music;
    EXPECT_EQ(music.getMusVol(), 100);
    music.masterMusicVol(50);
    EXPECT_TRUE(music.musVol(100));
    EXPECT_EQ(Mix_VolumeMusic(-1), 64);
    Mix_VolumeMusic(10);
    EXPECT_FALSE(music.musVol(100)); // unchanged: the mixer is not touched
    EXPECT_EQ(Mix_VolumeMusic(-1), 10);
    EXPECT_TRUE(music.musVol(80));
    EXPECT_EQ(Mix_VolumeMusic(-1), 80 * 50 * 128 / 10000);
    EXPECT_EQ(music.getMusVol(), 80);
    // A new master is applied by the next request, even for the same percentage.
    music.masterMusicVol(100);
    EXPECT_TRUE(music.musVol(80));
    EXPECT_EQ(Mix_VolumeMusic(-1), 80 * 128 / 100);
}

TEST_F(Sound, SettingsToolMusicVolumeIsAppliedAsItStands) {
    QSDL_GLOBALS::useSettingsToolVariant(true);
    QSDLpp_MixMusicCls music;
    music.masterMusicVol(50); // kept, but not used by the settings tool's rule
    EXPECT_TRUE(music.musVol(80));
    EXPECT_EQ(Mix_VolumeMusic(-1), 102);
    Mix_VolumeMusic(5);
    EXPECT_TRUE(music.musVol(80));
    EXPECT_EQ(Mix_VolumeMusic(-1), 102);
    EXPECT_TRUE(music.musVol(10));
    EXPECT_EQ(Mix_VolumeMusic(-1), 12);
}

// ---- Music events ----------------------------------------------------------------------

namespace {
bool musicPlaying() {
    return Mix_PlayingMusic() != 0;
}
} // namespace

TEST_F(Sound, MusicEventsPauseResumeAndFree) {
    QSDLpp_MixMusicCls music;
    std::string path = wavFile("tune.wav", 3000);
    {
        StdoutCapture out;
        EXPECT_TRUE(music.load(path.c_str()));
        EXPECT_EQ(out.text(), "Mix_LoadMusic (" + path + ")\n");
    }
    ASSERT_NE(QSDLpp_MixMusicCls::loadedMusic(), nullptr);
    music.start(-1);
    EXPECT_TRUE(Mix_PlayingMusic());
    music.event(MovieFxCode::PAUSE, 0);
    EXPECT_TRUE(Mix_PausedMusic());
    music.event(MovieFxCode::RESUME, 0);
    EXPECT_FALSE(Mix_PausedMusic());
    music.event(MovieFxCode::NOP6, 0);
    music.event(10, 0); // outside 1..9: nothing
    EXPECT_NE(QSDLpp_MixMusicCls::loadedMusic(), nullptr);
    music.event(MovieFxCode::FREE, 1); // only a value of 0 frees
    EXPECT_NE(QSDLpp_MixMusicCls::loadedMusic(), nullptr);
    music.event(MovieFxCode::HALT, 0);
    EXPECT_EQ(QSDLpp_MixMusicCls::loadedMusic(), nullptr);
    EXPECT_FALSE(Mix_PlayingMusic());
    // Starting with nothing loaded is reported, not fatal.
    StdoutCapture out;
    music.start(1);
    EXPECT_EQ(out.text().rfind("Mix_PlayMusicError(0x", 0), 0u);
}

TEST_F(Sound, LoadReplacesTheOneProcessWideStream) {
    QSDLpp_MixMusicCls a, b;
    ASSERT_TRUE(a.load(wavFile("one.wav", 500).c_str()));
    ASSERT_NE(QSDLpp_MixMusicCls::loadedMusic(), nullptr);
    StdoutCapture out;
    std::string missing = dir.file("missing.ogg");
    EXPECT_FALSE(b.load(missing.c_str()));
    EXPECT_EQ(out.text(), "Mix_LoadMUSError (" + missing + ")\n");
    EXPECT_EQ(QSDLpp_MixMusicCls::loadedMusic(), nullptr); // a's stream went too
}

TEST_F(Sound, MusicSwitchedOffBeforeLoadLoadsNothingAndStartsNothing) {
    QSDLpp_MixMusicCls music;
    music.on(false);
    EXPECT_TRUE(music.load(wavFile("t.wav", 500).c_str()));
    EXPECT_EQ(QSDLpp_MixMusicCls::loadedMusic(), nullptr);
    music.start(-1);
    EXPECT_FALSE(Mix_PlayingMusic());
    music.on(true);
    music.start(-1); // still nothing loaded
    EXPECT_FALSE(Mix_PlayingMusic());
}

TEST_F(Sound, MusicResumesWhenAJingleEnds) {
    QSDLpp_MixMusicCls music;
    QSDLpp_MixSoundCls snd;
    ASSERT_TRUE(music.load(wavFile("bgm.wav", 3000).c_str()));
    ASSERT_EQ(snd.loadSoundFromFile(wavFile("jingle.wav", 80).c_str()), 0);
    EXPECT_FALSE(Mix_PlayingMusic());
    // An effect ending on an ordinary channel does not start the music ...
    ASSERT_EQ(snd.playNum(0), 1);
    EXPECT_TRUE(waitFor([] { return Mix_Playing(0) == 0; }, 3000));
    SDL_Delay(100);
    EXPECT_FALSE(Mix_PlayingMusic());
    // ... a jingle ending on channel 8 does.
    ASSERT_TRUE(snd.plySndAndBGM(0));
    EXPECT_TRUE(waitFor(musicPlaying, 3000));
    EXPECT_FALSE(Mix_Playing(8));
}

// The audio side of the content compiler: `fhpack sfx` and `fhpack tune` are run as the
// build runs them, and what they write is loaded with the real SDL2_mixer. Also checks the
// shipped effects and tunes: numbering, distinctness and that every named tune opens.
#include "test_fhpack_util.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <tuple>

using namespace fhpacktest;

namespace {

// Whole file as a string, for comparing outputs byte by byte.
std::string readText(const std::string& path) {
    std::vector<uint8_t> v = readAll(path);
    return std::string(v.begin(), v.end());
}

class AudioTool : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        Mix_Init(MIX_INIT_OGG);
        // The game's own mixer settings.
        ASSERT_EQ(Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    }
    static void TearDownTestSuite() {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_Quit();
    }
    std::string write(const std::string& name, const std::string& text) { return scratch.write(name, text); }
    Scratch scratch;
    const std::string dir_ = scratch.path();
};

// Bytes per second of the opened mixer, for turning decoded lengths into seconds.
double mixerBytesPerSecond() {
    int freq = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&freq, &format, &channels);
    return static_cast<double>(freq) * channels * (SDL_AUDIO_BITSIZE(format) / 8);
}

// Decodes a whole file (AIFF or Ogg) through SDL_mixer and returns its length in seconds,
// or -1 when the mixer refuses it.
double decodedSeconds(const std::string& path) {
    Mix_Chunk* c = Mix_LoadWAV_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
    if (!c) return -1.0;
    double s = c->alen / mixerBytesPerSecond();
    Mix_FreeChunk(c);
    return s;
}

const char* kJump = "# a jump\nwave square\nduty 0.25\nfreq c5\nslide 60\nattack 0.01\nhold 0.2\nrelease 0.04\n";

TEST_F(AudioTool, EffectSourceErrorsNameFileLineAndReason) {
    struct Case {
        const char* text;
        int line;
        const char* reason;
    } cases[] = {
        {"wave square\nfrequency 440\n", 2, "unknown setting 'frequency'"},
        {"wave organ\n", 1, "unknown wave 'organ'"},
        {"freq loud\n", 1, "'loud' is not a number"},
        {"\n\nduty 1.5\n", 3, "'duty' must be between 0 and 1"},
        {"vibrato 0.5\n", 1, "'vibrato' takes 2 values, got 1"},
        {"arp 0.1 5\narp 0.05 7\n", 2, "arpeggio steps must come in order of time"},
        {"hold 3\nrelease 2\n", 1, "limited to 4 s"},
        {"wave saw\nvoice\ndelay 3.6\nhold 0.4\n", 2, "limited to 4 s"},
        {"voice 2\n", 1, "'voice' takes no values"},
        {"min_freq 900\nmax_freq 400\n", 1, "min_freq is above max_freq"},
        {"seed 0\n", 1, "'seed' must be a whole number"},
    };
    for (const Case& c : cases) {
        std::string src = write("bad.sfx", c.text), out = dir_ + "/bad.aiff";
        RunResult r = runFhpack("sfx " + src + " " + out);
        EXPECT_NE(r.status, 0) << c.text;
        EXPECT_NE(r.output.find(src + ":" + std::to_string(c.line) + ": "), std::string::npos) << r.output;
        EXPECT_NE(r.output.find(c.reason), std::string::npos) << "wanted: " << c.reason << "\ngot: " << r.output;
        EXPECT_FALSE(coretest::fileExists(out)) << "a failed effect must not leave an output";
    }
    std::string empty = write("empty.sfx", "# nothing here\n\n");
    RunResult e = runFhpack("sfx " + empty + " " + dir_ + "/empty.aiff");
    EXPECT_NE(e.status, 0);
    EXPECT_NE(e.output.find(empty + ": the file sets nothing"), std::string::npos) << e.output;
    RunResult missing = runFhpack("sfx " + dir_ + "/none.sfx " + dir_ + "/x.aiff");
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.output.find("cannot read"), std::string::npos);
}

TEST_F(AudioTool, TuneSourceErrorsNameFileLineAndReason) {
    const std::string ins = "instrument p wave=square\n";
    struct Case {
        std::string text;
        int line;
        const char* reason;
    } cases[] = {
        {ins + "A @q c4\n", 2, "unknown instrument 'q'"},
        {ins + "A @p c4 d4 e4 | f4\n", 2, "bar line 3 beats into a bar"},
        {ins + "A @p [c4 d4\n", 2, "'[' without its ']'"},
        {ins + "A @p c4 ]\n", 2, "']' without its '['"},
        {ins + "A @p l5 c\n", 2, "length 5 does not divide"},
        {ins + "A c4\n", 2, "a note before any instrument"},
        {ins + "A @p c1\nB @p c2\n", 3, "channel B is 2 beats long, the tune 4"},
        {ins + "A @p $nothing\n", 2, "unknown macro '$nothing'"},
        {ins + "define x c $x\nA @p $x\n", 2, "macros nested too deeply"},
        {ins + "tempo 999\nA @p c\n", 2, "'tempo' must be between 30 and 300"},
        {"instrument p wave=square colour=red\nA @p c\n", 1, "unknown instrument setting 'colour'"},
        {ins + "instrument p wave=saw\n", 2, "instrument 'p' defined twice"},
        {ins + "A @p o9 c\n", 2, "'o' needs an octave from 0 to 8"},
        {ins + "A @p c4 : d4\n", 2, "outside a loop"},
        {ins + "A @p c4 * d4\n", 2, "unexpected '*'"},
        {ins, 0, "no channel lines"},
    };
    for (const Case& c : cases) {
        std::string src = write("bad.mml", c.text), out = dir_ + "/bad.ogg";
        RunResult r = runFhpack("tune " + src + " " + out);
        EXPECT_NE(r.status, 0) << c.text;
        std::string where = c.line > 0 ? src + ":" + std::to_string(c.line) + ": " : src + ": ";
        EXPECT_NE(r.output.find(where), std::string::npos) << c.text << "\ngot: " << r.output;
        EXPECT_NE(r.output.find(c.reason), std::string::npos) << "wanted: " << c.reason << "\ngot: " << r.output;
        EXPECT_FALSE(coretest::fileExists(out));
    }
}

TEST_F(AudioTool, EffectIsAiffThatTheMixerLoadsAtItsLength) {
    std::string src = write("jump.sfx", kJump), out = dir_ + "/jump.aiff";
    RunResult r = runFhpack("sfx " + src + " " + out);
    ASSERT_EQ(r.status, 0) << r.output;
    std::string b = readText(out);
    ASSERT_GT(b.size(), 64u); // containers invert the first 64 bytes, so effects must be longer
    EXPECT_EQ(b.substr(0, 4), "FORM");
    EXPECT_EQ(b.substr(8, 8), "AIFFCOMM");
    const uint32_t formSize = (uint8_t(b[4]) << 24) | (uint8_t(b[5]) << 16) | (uint8_t(b[6]) << 8) | uint8_t(b[7]);
    EXPECT_EQ(formSize + 8, b.size());
    const uint32_t frames = (uint8_t(b[22]) << 24) | (uint8_t(b[23]) << 16) | (uint8_t(b[24]) << 8) | uint8_t(b[25]);
    EXPECT_EQ(frames, 5513u); // attack 0.01 + hold 0.2 + release 0.04 = 0.25 s at 22,050 Hz
    EXPECT_NEAR(decodedSeconds(out), 0.25, 0.002);

    // Loaded from memory, the way the sound container hands records to the mixer.
    Mix_Chunk* c = Mix_LoadWAV_RW(SDL_RWFromConstMem(b.data(), static_cast<int>(b.size())), 1);
    ASSERT_NE(c, nullptr) << Mix_GetError();
    Sint16 peak = 0;
    for (Uint32 i = 0; i + 1 < c->alen; i += 2) {
        Sint16 v = static_cast<Sint16>(c->abuf[i] | (c->abuf[i + 1] << 8));
        if (SDL_BYTEORDER == SDL_BIG_ENDIAN) v = static_cast<Sint16>((c->abuf[i] << 8) | c->abuf[i + 1]);
        peak = std::max<Sint16>(peak, static_cast<Sint16>(std::abs(v)));
    }
    EXPECT_GT(peak, 3000) << "the effect is (nearly) silent";
    Mix_FreeChunk(c);
}

TEST_F(AudioTool, TuneIsOggThatOpensAsMusicAndDecodesToItsLength) {
    const std::string head = "tempo 120\ninstrument p wave=triangle release=0.2 echo=0.5\necho 0.25 0.5 0.3\n";
    // Looping: four bars at 120 beats a minute = 8 s exactly; the echo is folded in.
    std::string loop = write("loop.mml", head + "A @p o4 l4 [c e g e]4\nB @p o3 l1 [c]4\n");
    // Not looping: two bars and a 1.5 s tail.
    std::string once = write("once.mml", head + "loop off\ntail 1.5\nA @p o4 l2 c e g >c\n");
    std::string outLoop = dir_ + "/loop.ogg", outOnce = dir_ + "/once.ogg";
    ASSERT_EQ(runFhpack("tune " + loop + " " + outLoop).status, 0);
    ASSERT_EQ(runFhpack("tune " + once + " " + outOnce).status, 0);

    Mix_Music* m = Mix_LoadMUS(outLoop.c_str());
    ASSERT_NE(m, nullptr) << Mix_GetError();
    EXPECT_EQ(Mix_GetMusicType(m), MUS_OGG);
    EXPECT_NEAR(Mix_MusicDuration(m), 8.0, 0.01);
    Mix_FreeMusic(m);
    EXPECT_NEAR(decodedSeconds(outLoop), 8.0, 0.01);
    EXPECT_NEAR(decodedSeconds(outOnce), 5.5, 0.01);
}

// Peak level of the decoded samples between two times (seconds), 0..1.
double peakBetween(const std::string& path, double from, double to) {
    Mix_Chunk* c = Mix_LoadWAV_RW(SDL_RWFromFile(path.c_str(), "rb"), 1);
    if (!c) return -1.0;
    const double bps = mixerBytesPerSecond();
    size_t a = static_cast<size_t>(from * bps) & ~size_t(3), b = static_cast<size_t>(to * bps) & ~size_t(3);
    b = std::min<size_t>(b, c->alen);
    int peak = 0;
    for (size_t i = a; i + 1 < b; i += 2) peak = std::max(peak, std::abs(int(*reinterpret_cast<const Sint16*>(c->abuf + i))));
    Mix_FreeChunk(c);
    return peak / 32768.0;
}

TEST_F(AudioTool, LoopingTuneCarriesItsRingingEndOverToTheStart) {
    // One bar (2 s): silence, then a note in the last beat whose release runs 1 s past the end.
    const std::string body = "tempo 120\ninstrument p wave=triangle release=1.0\nA @p o4 r2 r4 c4\n";
    std::string loop = write("ring.mml", body), once = write("cut.mml", "loop off\ntail 0\n" + body);
    ASSERT_EQ(runFhpack("tune " + loop + " " + dir_ + "/ring.ogg").status, 0);
    ASSERT_EQ(runFhpack("tune " + once + " " + dir_ + "/cut.ogg").status, 0);
    // Played in a loop, the release is heard at the start of the next pass...
    EXPECT_GT(peakBetween(dir_ + "/ring.ogg", 0.0, 0.3), 0.05);
    // ...while the tune that plays once starts in silence.
    EXPECT_LT(peakBetween(dir_ + "/cut.ogg", 0.0, 0.3), 0.01);
    EXPECT_NEAR(decodedSeconds(dir_ + "/ring.ogg"), 2.0, 0.01);
    EXPECT_NEAR(decodedSeconds(dir_ + "/cut.ogg"), 2.0, 0.01);
}

TEST_F(AudioTool, SameSourceGivesSameBytes) {
    std::string sfx = write("a.sfx", std::string(kJump) + "voice\nwave noise\nhold 0.1\n");
    std::string mml = write("a.mml", "instrument h wave=noise decay=0.05 sustain=0\n"
                                     "instrument p wave=square detune=7 vibrato=0.3\nA @p o5 l8 [c d e f]4\n"
                                     "B @h o8 l16 [c]32\n");
    for (const auto& [src, cmd, ext] : {std::tuple{sfx, "sfx", ".aiff"}, std::tuple{mml, "tune", ".ogg"}}) {
        std::string one = dir_ + "/one" + ext, two = dir_ + "/two" + ext;
        ASSERT_EQ(runFhpack(std::string(cmd) + " " + src + " " + one).status, 0);
        ASSERT_EQ(runFhpack(std::string(cmd) + " " + src + " " + two).status, 0);
        EXPECT_EQ(readText(one), readText(two)) << cmd;
    }
    // And a change of one value changes the sound.
    std::string other = write("b.sfx", std::string(kJump) + "voice\nwave noise\nhold 0.1\nseed 2\n");
    ASSERT_EQ(runFhpack("sfx " + other + " " + dir_ + "/b.aiff").status, 0);
    EXPECT_NE(readText(dir_ + "/b.aiff"), readText(dir_ + "/one.aiff"));
}

// --- The shipped content ------------------------------------------------------------

TEST_F(AudioTool, ShippedEffectsAreNumberedWithoutGapsAndAllDiffer) {
    const std::regex rec(R"(^AIFF\s+(\d+)\s+@gen/(sound/\S+\.aiff)\s*$)");
    std::vector<std::string> lines = manifestLines("resourcesQSDL__soundchunk.mrsrc.pack");
    std::set<std::string> seen;
    int expected = 1000;
    for (const std::string& l : lines) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(l, m, rec)) << l;
        EXPECT_EQ(std::stoi(m[1]), expected++) << "effects load until the first missing number";
        const std::string aiff = std::string(FH_RUNTIME_DIR) + "/../content/" + m[2].str();
        const double s = decodedSeconds(aiff);
        EXPECT_GT(s, 0.01) << aiff;
        EXPECT_LT(s, 1.5) << aiff << ": effects are short";
        EXPECT_TRUE(seen.insert(readText(aiff)).second) << aiff << " is the same sound as another effect";
    }
    // Effects 0..44 are played by the game and the settings program.
    EXPECT_GE(expected, 1045);
    EXPECT_LE(expected, 1128); // the sound object holds at most 128
}

TEST_F(AudioTool, EveryNamedTuneExistsAndOpens) {
    const std::regex rec(R"re(^'STR '\s+(\d+)\s+text:"([^"]+)"\s*$)re");
    std::map<int, std::string> paths;
    for (const std::string& l : manifestLines("resourcesQSDL__playlistogg.drsrc.pack")) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(l, m, rec)) << l;
        paths[std::stoi(m[1])] = m[2];
    }
    for (int id : {21001, 21002, 21003, 21004, 21005, 12000, 12001, 12002, 12003, 12004, 12005})
        EXPECT_TRUE(paths.count(id)) << "'STR ' " << id;
    EXPECT_EQ(paths[21005], "VRNresources/mus/21005 footsure.ogg"); // opened by name at start
    std::vector<std::string> files;
    for (auto& [id, p] : paths) files.push_back(p);
    files.push_back("resourcesQSDL/test1.ogg");
    files.push_back("resourcesQSDL/test2.ogg");
    for (const std::string& rel : files) {
        const std::string path = std::string(FH_RUNTIME_DIR) + "/" + rel;
        Mix_Music* m = Mix_LoadMUS(path.c_str());
        ASSERT_NE(m, nullptr) << path << ": " << Mix_GetError();
        const double d = Mix_MusicDuration(m);
        EXPECT_GT(d, 4.0) << path;
        EXPECT_LT(d, 120.0) << path;
        Mix_FreeMusic(m);
    }
}

} // namespace

// Replay films: the header written at a live start, saving and reloading with every field
// and event, playback through the input object, and the refusal of damaged films.
#include <SDL.h>
#include <sys/stat.h>

#include "qgu_carbonlike2.h"
#include "world_testutil.h"

using namespace worldtest;
using FHLayout::get32;
using FHLayout::put32;

namespace {

class ReplayTest : public WorldTest {
protected:
    Uint8 keys[SDL_NUM_SCANCODES] = {};
    JoySTICK::KeyAssign ka{};

    void SetUp() override {
        WorldTest::SetUp();
        QSDL_GLOBALS::Stick.setKeyStateSource(keys);
        QSDL_GLOBALS::Stick.getKeySetToPtr(&ka);
        FHWGBL::GameLevel = 3;
        FHWGBL::GoldCoins = 321;
        FHSYS_GLOBALS::altPlayerSysF = true;
        for (int k = 0; k < 3; ++k) w.chars[k].weapon = MYShot_Type(9 + k);
    }
    void TearDown() override {
        FHSYS_GLOBALS::unLock_usingF[5] = FHSYS_GLOBALS::unLock_usingF[6] = false;
        FHSYS_GLOBALS::usedF5F = false;
        QSDL_GLOBALS::Stick.endsync();
        QSDL_GLOBALS::Stick.setKeyStateSource(nullptr);
        QSDL_GLOBALS::rplyMode = 0;
        w.replayPlaybackF = false;
        WorldTest::TearDown();
    }

    // Records `frames` steps of a live section, pressing right during 10..29 and A during
    // 25..59; returns the word of every step.
    std::vector<uint16_t> recordSection(int chapter, int section, int frames) {
        EXPECT_EQ(w.startStageFilm(chapter, section, 0), 0);
        std::vector<uint16_t> words;
        for (int f = 0; f < frames; ++f) {
            keys[ka[JoySTICK::RIGHT]] = (f >= 10 && f < 30) ? 1 : 0;
            keys[ka[JoySTICK::BTN_A]] = (f >= 25 && f < 60) ? 1 : 0;
            words.push_back(QSDL_GLOBALS::Stick.updStick(false));
        }
        keys[ka[JoySTICK::RIGHT]] = keys[ka[JoySTICK::BTN_A]] = 0;
        w.filmLength = QSDL_GLOBALS::Stick.endsync();
        w.stampFilmEnd(4567, 89);
        return words;
    }
    bool save(int kind) {
        testing::internal::CaptureStdout();
        const bool ok = w.SaveLastReplay(kind);
        testing::internal::GetCapturedStdout();
        return ok;
    }
    std::string startPlayback(int chapter, int section, int kind, int* result) {
        w.replayPlaybackF = true;
        testing::internal::CaptureStdout();
        *result = w.startStageFilm(chapter, section, kind);
        return testing::internal::GetCapturedStdout();
    }
    std::string reloadFilms() {
        testing::internal::CaptureStdout();
        w.loadReplayFiles();
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(ReplayTest, LiveStartFillsTheHeaderAndStartsRecording) {
    w.workingRecord[10] = 0x5A;  // the play record travels with the film
    const time_t before = time(nullptr);
    ASSERT_EQ(w.startStageFilm(1, 3, 0), 0);
    const char* film = w.recordingBuffer;
    EXPECT_EQ(w.currentFilm, film);
    EXPECT_EQ(QSDL_GLOBALS::rplyMode, 0);
    EXPECT_TRUE(QSDL_GLOBALS::Stick.isRecording());
    EXPECT_EQ(get32(film, 16), 1);
    EXPECT_EQ(get32(film, 20), 3);
    EXPECT_EQ(get32(film, 24), 0);
    EXPECT_EQ(get32(film, 28), 3);
    EXPECT_EQ(get32(film, 52), 321);
    EXPECT_NE(get32(film, 76), 0);
    EXPECT_TRUE(FHWGBL::ALTplayF);
    EXPECT_FALSE(FHSYS_GLOBALS::usedF5F);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(get32(film, 40 + 4 * k), 9 + k);
    const int64_t start = FHLayout::get64(film, 8);
    EXPECT_GE(start, int64_t(before));
    EXPECT_EQ(get32(film, 60), int32_t(start));
    EXPECT_EQ(static_cast<unsigned char>(film[104 + 10]), 0x5A);
    EXPECT_EQ(FHWGBL::CHAPTER, 1);
    EXPECT_EQ(FHWGBL::SECTION, 3);
    // The game generator is seeded from the film's start time.
    const int32_t first = Random();
    SetRandomSeed(uint32_t(start));
    EXPECT_EQ(Random(), first);
}

TEST_F(ReplayTest, SavedFilmKeepsEveryFieldAndEventAndPlaysBackTheSameInput) {
    const std::vector<uint16_t> words = recordSection(2, 1, 100);
    ASSERT_EQ(w.filmLength, 5);  // frames 0 (nothing), 10 (right), 25 (+A), 30 (A), 60
    ASSERT_TRUE(save(0));
    const std::vector<uint8_t> bytes = coretest::readAll(file("replayfilms/Last3-2.vrnrpmov"));
    ASSERT_EQ(bytes.size(), size_t(688 + 4 * w.filmLength));
    EXPECT_EQ(le32(bytes, 0), 20240710u);
    EXPECT_EQ(le32(bytes, 680), uint32_t(4 * w.filmLength));
    EXPECT_EQ(le32(bytes, 56), 4567u);
    EXPECT_EQ(le32(bytes, 60), 89u);
    EXPECT_EQ(le32(bytes, 64), refSum(bytes, 104, 144));
    EXPECT_EQ(0, std::memcmp(bytes.data(), w.recordingBuffer, bytes.size()));
    // Events are big-endian (frame, word) pairs.
    EXPECT_EQ(bytes[688], 0);
    EXPECT_EQ(bytes[689], 0);
    EXPECT_EQ((bytes[692] << 8 | bytes[693]), 10);
    EXPECT_EQ((bytes[694] << 8 | bytes[695]), words[10]);
    EXPECT_NE(words[10], 0);

    // The table holds the same film; after a fresh load too.
    ASSERT_TRUE(w.filmPresent[2][1][0]);
    EXPECT_EQ(0, std::memcmp(w.replayFilms[2][1][0], bytes.data(), bytes.size()));
    reloadFilms();
    ASSERT_TRUE(w.filmPresent[2][1][0]);
    EXPECT_EQ(0, std::memcmp(w.replayFilms[2][1][0], bytes.data(), bytes.size()));

    // Playback: conditions from the film, the same words frame by frame.
    FHWGBL::GameLevel = 0;
    FHWGBL::GoldCoins = 0;
    FHSYS_GLOBALS::altPlayerSysF = false;
    FHWGBL::ALTplayF = false;
    for (int k = 0; k < 3; ++k) w.chars[k].weapon = MYSHOT_RING;
    int r = 0;
    startPlayback(2, 1, 0, &r);
    ASSERT_EQ(r, 0);
    EXPECT_EQ(QSDL_GLOBALS::rplyMode, 1);
    EXPECT_FALSE(QSDL_GLOBALS::Stick.isRecording());
    EXPECT_EQ(FHWGBL::GameLevel, 3);
    EXPECT_EQ(FHWGBL::GoldCoins, 321);
    EXPECT_TRUE(FHWGBL::ALTplayF);
    EXPECT_EQ(FHWGBL::CHAPTER, 2);
    EXPECT_EQ(FHWGBL::SECTION, 1);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(w.chars[k].weapon, 9 + k);
    EXPECT_EQ(0, std::memcmp(w.workingRecord, bytes.data() + 104, 576));
    const int32_t firstRandom = Random();
    SetRandomSeed(uint32_t(FHLayout::get64(bytes.data(), 8)));
    EXPECT_EQ(Random(), firstRandom);
    for (int f = 0; f < 100; ++f) ASSERT_EQ(QSDL_GLOBALS::Stick.updStick(true), words[size_t(f)]) << f;
    // Play during playback never alters the loaded film.
    w.workingRecord[0] ^= 1;
    EXPECT_EQ(0, std::memcmp(w.replayFilms[2][1][0], bytes.data(), bytes.size()));
}

// The section's end updates the live working record before the film is kept; the film
// must still carry the record the section started from, or playback would start from the
// results of the play it is replaying.
TEST_F(ReplayTest, FilmKeepsTheRecordAsItStoodAtTheStart) {
    w.workingRecord[40] = 0x11;
    recordSection(0, 2, 30);
    std::vector<uint8_t> start(w.workingRecord, w.workingRecord + 576);
    w.workingRecord[40] = 0x22;   // results folded in at the end of the section
    w.workingRecord[300] = 0x33;
    ASSERT_TRUE(save(0));
    ASSERT_TRUE(save(1));
    EXPECT_EQ(w.workingRecord[40], 0x22) << "the live record is kept after the write";
    EXPECT_EQ(w.workingRecord[300], 0x33);
    for (const char* name : {"replayfilms/Last1-3.vrnrpmov", "replayfilms/Best1-3.vrnrpmov"}) {
        const std::vector<uint8_t> bytes = coretest::readAll(file(name));
        ASSERT_GE(bytes.size(), size_t(688)) << name;
        EXPECT_EQ(0, std::memcmp(bytes.data() + 104, start.data(), 576)) << name;
        EXPECT_EQ(le32(bytes, 64), refSum(bytes, 104, 144)) << name;
    }
    int r = -1;
    startPlayback(0, 2, 0, &r);
    ASSERT_EQ(r, 0);
    EXPECT_EQ(w.workingRecord[40], 0x11);
    EXPECT_EQ(w.workingRecord[300], start[300]);
}

TEST_F(ReplayTest, FilmWithoutInputChangeIsJustItsHeader) {
    ASSERT_EQ(w.startStageFilm(0, 0, 0), 0);
    w.filmLength = QSDL_GLOBALS::Stick.endsync();  // no step at all
    ASSERT_EQ(w.filmLength, 0);
    ASSERT_TRUE(save(1));
    EXPECT_EQ(coretest::readAll(file("replayfilms/Best1-1.vrnrpmov")).size(), 688u);
    reloadFilms();
    EXPECT_TRUE(w.filmPresent[0][0][1]);
    int r = -5;
    startPlayback(0, 0, 1, &r);
    EXPECT_EQ(r, 0);
}

TEST_F(ReplayTest, FavouriteIsAByteCopyOfTheChosenFilm) {
    recordSection(4, 4, 70);
    ASSERT_TRUE(save(1));
    testing::internal::CaptureStdout();
    EXPECT_TRUE(w.CopyReplayAsFavorite(4, 4, 1));
    EXPECT_FALSE(w.CopyReplayAsFavorite(4, 3, 0));  // nothing loaded there
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(coretest::readAll(file("replayfilms/Favo5-5.vrnrpmov")),
              coretest::readAll(file("replayfilms/Best5-5.vrnrpmov")));
    EXPECT_TRUE(w.filmPresent[4][4][2]);
    EXPECT_FALSE(coretest::fileExists(file("replayfilms/Favo5-4.vrnrpmov")));
}

TEST_F(ReplayTest, DamagedFilmsAreRefused) {
    recordSection(0, 2, 80);
    ASSERT_TRUE(save(0));
    const std::string path = file("replayfilms/Last1-3.vrnrpmov");
    const std::vector<uint8_t> good = coretest::readAll(path);

    struct Case {
        const char* what;
        void (*spoil)(std::vector<uint8_t>&);
        bool refusedAtLoad;
    };
    const Case cases[] = {
        {"play record byte", [](std::vector<uint8_t>& v) { v[104 + 300] ^= 1; }, false},
        {"truncated by one event", [](std::vector<uint8_t>& v) { v.resize(v.size() - 4); }, true},
        {"truncated mid-event", [](std::vector<uint8_t>& v) { v.resize(v.size() - 1); }, true},
        {"shorter than header", [](std::vector<uint8_t>& v) { v.resize(300); }, true},
        {"empty", [](std::vector<uint8_t>& v) { v.clear(); }, true},
        {"length field too big", [](std::vector<uint8_t>& v) { v[680] += 4; }, true},
        {"negative length", [](std::vector<uint8_t>& v) { v[683] = 0x80; }, true},
        {"extra bytes", [](std::vector<uint8_t>& v) { v.push_back(0); v.push_back(0); v.push_back(0); v.push_back(0); }, true},
        {"wrong stamp", [](std::vector<uint8_t>& v) { v[0] ^= 0xFF; }, true},
        {"level out of range", [](std::vector<uint8_t>& v) { v[28] = 9; }, false},
        {"chapter of another slot", [](std::vector<uint8_t>& v) { v[16] = 3; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bad = good;
        c.spoil(bad);
        coretest::writeAll(path, bad);
        const std::string loadLog = reloadFilms();
        EXPECT_EQ(w.filmPresent[0][2][0], !c.refusedAtLoad);
        if (c.refusedAtLoad) {
            EXPECT_NE(loadLog.find("Replay file was corrupted.replayfilms/Last1-3.vrnrpmov\n"),
                      std::string::npos);
        }
        int r = 0;
        const std::string log = startPlayback(0, 2, 0, &r);
        EXPECT_EQ(r, -1);
        if (!c.refusedAtLoad) {
            EXPECT_NE(log.find("Replay file was corrupted.replayfilms/Last1-3.vrnrpmov\n"),
                      std::string::npos);
        }
        w.replayPlaybackF = false;
    }
    // The good film plays again once restored.
    coretest::writeAll(path, good);
    reloadFilms();
    int r = -1;
    startPlayback(0, 2, 0, &r);
    EXPECT_EQ(r, 0);
}

TEST_F(ReplayTest, AHugeStrayFilmIsRefusedUnread) {
    ASSERT_EQ(mkdir("replayfilms", 0755), 0);
    coretest::writeSparseFile("replayfilms/Best2-2.vrnrpmov", 32L << 20);  // 32 MiB
    const std::string log = reloadFilms();
    EXPECT_FALSE(w.filmPresent[1][1][1]);
    EXPECT_NE(log.find("Replay file was corrupted.replayfilms/Best2-2.vrnrpmov\n"), std::string::npos);
    EXPECT_EQ(log.find("Read 33554432 byte"), std::string::npos) << "read whole";
}

TEST_F(ReplayTest, FilmsPlayWithTheModesTheyWereRecordedWith) {
    using FHSYS_GLOBALS::unLock_usingF;
    // Records a film of chapter 2 section 1 with the given modes switched on.
    auto recordWith = [&](bool freePlay, bool invincible) {
        unLock_usingF[5] = freePlay;
        unLock_usingF[6] = invincible;
        recordSection(1, 0, 40);
        EXPECT_EQ(FHSYS_GLOBALS::use_freePlayF, freePlay);
        ASSERT_TRUE(save(0));
        reloadFilms();
    };
    // Watches it with the given modes switched on; returns the modes play runs with
    // (free play in bit 0, invincibility in bit 1).
    auto watchWith = [&](bool freePlay, bool invincible) {
        unLock_usingF[5] = freePlay;
        unLock_usingF[6] = invincible;
        int r = -1;
        startPlayback(1, 0, 0, &r);
        EXPECT_EQ(r, 0);
        const int modes = (FHSYS_GLOBALS::use_freePlayF ? 1 : 0) | (FHSYS_GLOBALS::use_invincibleF ? 2 : 0);
        QSDL_GLOBALS::Stick.endsync();
        w.replayPlaybackF = false;
        return modes;
    };
    recordWith(true, false);
    EXPECT_EQ(watchWith(false, true), 1) << "recorded in free play, watched invincible";
    recordWith(false, false);
    EXPECT_EQ(watchWith(true, true), 0) << "recorded with neither, watched with both";

    // A film from before the modes were stored (the spare word still zero) plays with
    // the viewer's modes, as it always did; its checksum still holds.
    const std::string path = file("replayfilms/Last2-1.vrnrpmov");
    std::vector<uint8_t> old = coretest::readAll(path);
    ASSERT_GT(old.size(), 84u);
    std::fill(old.begin() + 80, old.begin() + 84, 0);
    coretest::writeAll(path, old);
    reloadFilms();
    EXPECT_EQ(watchWith(false, true), 2);
}

// Ends a live section of chapter 0 section 1 through the world's own bookkeeping, as a
// clear (phase 2) that took the required item, ten seconds after its start.
class SectionEndTest : public ReplayTest {
protected:
    void clearSection(int32_t score, int32_t silver, bool fastModeUsed) {
        ASSERT_EQ(w.startStageFilm(0, 1, 0), 0);
        FHSYS_GLOBALS::usedF5F = fastModeUsed;
        FHWGBL::Score = score;
        FHWGBL::SilvCoins = silver;
        FHWGBL::Highscore = 0;
        FHWGBL::BestTimer = 0;
        FHWGBL::haveRCF = true;
        w.playerResult = 4;
        w.phase = 2;
        w.sectionStart = time(nullptr) - 10;
        testing::internal::CaptureStdout();
        w.recordSection();
        testing::internal::GetCapturedStdout();
    }
    uint32_t bestWord() { return uint32_t(get32(w.workingRecord, 144 + 1 * 4)); }
};

TEST_F(SectionEndTest, FilmScoreCountsOneThousandPerPairOfSilverCoins) {
    const int32_t silver[] = {0, 1, 2, 3, 7};
    for (int32_t s : silver) {
        clearSection(500, s, false);
        const int32_t want = 500 + 1000 * (s / 2);
        EXPECT_EQ(get32(w.recordingBuffer, 56), want) << s << " silver coins";
        const std::vector<uint8_t> film = coretest::readAll(file("replayfilms/Last1-2.vrnrpmov"));
        ASSERT_GE(film.size(), 688u);
        EXPECT_EQ(int32_t(le32(film, 56)), want) << s << " silver coins";
    }
}

TEST_F(SectionEndTest, ABestTimeIsRecordedOnlyWithoutFastMode) {
    clearSection(100, 0, true);
    EXPECT_EQ(bestWord(), 0xFF000000u) << "cleared, but no time after fast mode";

    clearSection(100, 0, false);
    const uint32_t frames = bestWord() & 0xFFFFFFu;
    EXPECT_EQ(bestWord() >> 24, 0xFFu);
    EXPECT_TRUE(frames == 600 || frames == 660) << frames;
    EXPECT_TRUE(w.filmPresent[0][1][1]) << "the new best time keeps its film";
}

TEST_F(ReplayTest, MissingFilmOrAppendixSectionHasNoFilm) {
    int r = 0;
    startPlayback(3, 3, 2, &r);
    EXPECT_EQ(r, -1);
    w.replayPlaybackF = false;
    // The appendix world (chapter 5) keeps no films.
    ASSERT_EQ(w.startStageFilm(5, 0, 0), 0);
    w.filmLength = QSDL_GLOBALS::Stick.endsync();
    EXPECT_FALSE(save(0));
    EXPECT_FALSE(coretest::fileExists(file("replayfilms/Last6-1.vrnrpmov")));
}

}  // namespace

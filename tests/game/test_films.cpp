// Golden films of chapter 0. Every tests/films/*.script is recorded into a film by the
// harness (fhreplay --record: a live section driven by the script's input words on a
// fixed clock), the film is played back, and the end-state hash of the recording, of
// the playback and of the script's .expect file must all agree, as must the step count.
// The films are made afresh from the scripts on every run, so they follow the game; the
// .expect files pin down what the game did with them.
//
// A script changed by one step must give another end state, a damaged film must be
// refused, and bad scripts must be rejected with the line named.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kTool = std::string(FH_TOOLS_DIR) + "/fhreplay";
const std::string kRuntime = FH_RUNTIME_DIR;
const std::string kFilms = std::string(FH_SOURCE_DIR) + "/tests/films";

struct HarnessRun {
    int status = -1;                       // exit status of the harness
    std::map<std::string, std::string> kv; // first word of each report line -> the rest
    std::string err;
};

std::string readFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << text;
}

std::map<std::string, std::string> parseLines(const std::string& text) {
    std::map<std::string, std::string> kv;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const size_t sp = line.find(' ');
        if (sp == std::string::npos || line[0] == '#') continue;
        kv[line.substr(0, sp)] = line.substr(sp + 1);
    }
    return kv;
}

class Films : public ::testing::Test {
  protected:
    std::string tmp;

    void SetUp() override {
        char tmpl[] = "/tmp/fhfilmsXXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        tmp = tmpl;
        struct stat st;
        ASSERT_EQ(stat(kTool.c_str(), &st), 0) << "the film harness is missing: " << kTool;
    }
    void TearDown() override {
        if (!tmp.empty()) std::system(("rm -rf '" + tmp + "'").c_str());
    }

    HarnessRun harness(const std::string& args) {
        const std::string out = tmp + "/out.txt", err = tmp + "/err.txt";
        const std::string cmd = "'" + kTool + "' " + args + " >'" + out + "' 2>'" + err + "'";
        HarnessRun r;
        const int st = std::system(cmd.c_str());
        r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
        r.kv = parseLines(readFile(out));
        r.err = readFile(err);
        return r;
    }
    HarnessRun record(const std::string& script, const std::string& film) {
        return harness("--record '" + kRuntime + "' '" + script + "' '" + film + "'");
    }
    HarnessRun play(const std::string& film, const std::string& steps) {
        return harness("--steps " + steps + " '" + kRuntime + "' '" + film + "'");
    }
};

std::vector<std::string> scripts() {
    std::vector<std::string> names;
    if (DIR* d = opendir(kFilms.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string n = e->d_name;
            if (n.size() > 7 && n.compare(n.size() - 7, 7, ".script") == 0)
                names.push_back(n.substr(0, n.size() - 7));
        }
        closedir(d);
    }
    return names;
}

// Chapters 0, 1 and 2 are made: each of their sections has a golden film.
TEST_F(Films, EveryMadeChapterSectionHasAGoldenFilm) {
    bool section[3][5] = {};
    for (const std::string& n : scripts()) {
        const std::string text = readFile(kFilms + "/" + n + ".script");
        const size_t at = text.find("\nsection ");
        ASSERT_NE(at, std::string::npos) << n;
        const int c = text[at + 9] - '0', s = text[at + 11] - '0';
        if (c >= 0 && c < 3 && s >= 0 && s < 5) section[c][s] = true;
        struct stat st;
        EXPECT_EQ(stat((kFilms + "/" + n + ".expect").c_str(), &st), 0) << n << " has no .expect file";
    }
    for (int c = 0; c < 3; ++c)
        for (int s = 0; s < 5; ++s)
            EXPECT_TRUE(section[c][s]) << "no film of chapter " << c << ", section " << s;
}

// Record, play back, compare with each other and with the expected end state.
TEST_F(Films, RecordedFilmsReplayToTheExpectedEndState) {
    const std::vector<std::string> names = scripts();
    ASSERT_FALSE(names.empty());
    for (const std::string& n : names) {
        SCOPED_TRACE(n);
        const auto want = parseLines(readFile(kFilms + "/" + n + ".expect"));
        ASSERT_TRUE(want.count("hash") && want.count("steps") && want.count("end")) << "incomplete .expect";
        const std::string film = tmp + "/" + n + ".vrnrpmov";
        const HarnessRun rec = record(kFilms + "/" + n + ".script", film);
        ASSERT_EQ(rec.status, 0) << rec.err;
        const HarnessRun pb = play(film, rec.kv.at("steps"));
        ASSERT_EQ(pb.status, 0) << pb.err;

        EXPECT_EQ(rec.kv.at("hash"), pb.kv.at("hash"))
            << "playback left another end state than the recording";
        EXPECT_EQ(rec.kv.at("steps"), pb.kv.at("steps"));
        EXPECT_EQ(rec.kv.at("hash"), want.at("hash")) << "the game plays this script differently now";
        EXPECT_EQ(rec.kv.at("steps"), want.at("steps"));
        // A live section that ends answers 2 or 4 (cleared) or 8 (game over); its
        // playback answers 3 for a clear and 8 for a game over; 1 when the script
        // stops first.
        const std::string liveEnd = rec.kv.at("end"), playEnd = pb.kv.at("end");
        EXPECT_EQ(playEnd, want.at("end"));
        if (liveEnd == "2" || liveEnd == "4")
            EXPECT_EQ(playEnd, "3");
        else
            EXPECT_EQ(playEnd, liveEnd);
        EXPECT_EQ(rec.kv.at("score"), pb.kv.at("score"));
    }
}

// The hash reflects the play: one step pressed differently changes the end state.
TEST_F(Films, AChangedStepChangesTheEndState) {
    const std::string n = "c0s4_hollow_miss";
    std::string text = readFile(kFilms + "/" + n + ".script");
    const size_t at = text.find("20*- ");
    ASSERT_NE(at, std::string::npos) << "the script no longer starts with its 20-step wait";
    text.replace(at, 5, "19*- 1*B "); // a jump on step 19
    writeFile(tmp + "/changed.script", text);
    const HarnessRun orig = record(kFilms + "/" + n + ".script", tmp + "/a.vrnrpmov");
    const HarnessRun changed = record(tmp + "/changed.script", tmp + "/b.vrnrpmov");
    ASSERT_EQ(orig.status, 0) << orig.err;
    ASSERT_EQ(changed.status, 0) << changed.err;
    EXPECT_NE(orig.kv.at("hash"), changed.kv.at("hash"));
    EXPECT_NE(readFile(tmp + "/a.vrnrpmov"), readFile(tmp + "/b.vrnrpmov"));
}

// The same script on the same clock makes the same film, byte for byte.
TEST_F(Films, RecordingIsRepeatable) {
    const std::string s = kFilms + "/c0s2_hill_golden_goal.script";
    ASSERT_EQ(record(s, tmp + "/a.vrnrpmov").status, 0);
    ASSERT_EQ(record(s, tmp + "/b.vrnrpmov").status, 0);
    const std::string a = readFile(tmp + "/a.vrnrpmov");
    EXPECT_GE(a.size(), 688u);
    EXPECT_EQ((a.size() - 688) % 4, 0u);
    EXPECT_EQ(a, readFile(tmp + "/b.vrnrpmov"));
}

// The film of a recorded clear carries its start conditions, its result and its input
// changes as the film format lays them out.
TEST_F(Films, FilmHoldsTheSectionItsResultAndItsInput) {
    const std::string film = tmp + "/goal.vrnrpmov";
    const HarnessRun rec = record(kFilms + "/c0s3_coinrush_goal.script", film);
    ASSERT_EQ(rec.status, 0) << rec.err;
    ASSERT_EQ(rec.kv.at("end"), "2") << "the script reaches the exit: a normal clear";
    const std::string b = readFile(film);
    ASSERT_GE(b.size(), 688u);
    auto le32 = [&](size_t at) {
        return int32_t(uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
                       uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24);
    };
    auto be16 = [&](size_t at) { return int(uint8_t(b[at])) << 8 | int(uint8_t(b[at + 1])); };
    EXPECT_EQ(le32(0), 20240710);
    EXPECT_EQ(le32(8), 1767225600) << "start time from the harness clock seeds the film";
    EXPECT_EQ(le32(16), 0);
    EXPECT_EQ(le32(20), 3);
    EXPECT_EQ(le32(28), 2) << "game level";
    EXPECT_EQ(le32(52), 250) << "gold at the start";
    const int steps = std::stoi(rec.kv.at("steps"));
    EXPECT_NEAR(le32(60), steps / 60, 1) << "elapsed seconds follow the steps on the harness clock";
    // Final score: the score plus 1000 for each pair of silver coins still held.
    int score = 0, silver = 0;
    ASSERT_EQ(std::sscanf(rec.kv.at("score").c_str(), "%d silver %d", &score, &silver), 2);
    EXPECT_EQ(le32(56), score + silver / 2 * 1000);
    const int len = le32(680);
    ASSERT_EQ(size_t(688 + len), b.size());
    ASSERT_EQ(len % 4, 0);
    int last = -1;
    for (int e = 0; e < len / 4; ++e) {
        const int frame = be16(688 + e * 4), word = be16(690 + e * 4);
        EXPECT_GT(frame, last) << "event " << e;
        EXPECT_LT(frame, steps);
        EXPECT_EQ(word & 0x0101, 0) << "the D buttons never reach a film";
        last = frame;
    }
    EXPECT_EQ(be16(688), 0) << "the first step's word is always recorded";
    EXPECT_EQ(be16(690 + 4), 0x0010) << "then right (after the 20-step wait)";
    EXPECT_EQ(be16(688 + 4), 20);
}

// A film whose play record was altered is refused; so is a file that is no film. The
// harness goes on with the next film and reports the failure in its exit status.
TEST_F(Films, DamagedFilmsAreRefused) {
    const std::string good = tmp + "/good.vrnrpmov";
    ASSERT_EQ(record(kFilms + "/c0s2_hill_golden_goal.script", good).status, 0);
    std::string bytes = readFile(good);
    bytes[104 + 100] ^= 0x01; // one byte of the play record
    writeFile(tmp + "/record.vrnrpmov", bytes);
    writeFile(tmp + "/short.vrnrpmov", bytes.substr(0, 300));
    std::string badLen = readFile(good);
    badLen[680] = 0x7F; // event length beyond the file
    writeFile(tmp + "/length.vrnrpmov", badLen);

    for (const char* f : {"record", "short", "length"}) {
        const HarnessRun r = play(tmp + "/" + f + ".vrnrpmov", "100");
        EXPECT_EQ(r.status, 1) << f;
        EXPECT_EQ(r.kv.count("hash"), 0u) << f;
    }
    const HarnessRun mixed =
        harness("--steps 100 '" + kRuntime + "' '" + tmp + "/short.vrnrpmov' '" + good + "'");
    EXPECT_EQ(mixed.status, 1);
    EXPECT_EQ(mixed.kv.count("hash"), 1u) << "the good film after the bad one is still played";
}

TEST_F(Films, BadScriptsAreRejectedWithTheirLine) {
    const struct {
        const char* text;
        const char* says;
    } cases[] = {
        {"10*R\n", "no section line"},          {"section 0 9\n10*R\n", "line 1"},
        {"section 0 1\n10*R\n5*Q\n", "line 3"}, {"section 0 1\n0*R\n", "line 2"},
        {"section 0 1\nlevel x\n", "line 2"},   {"section 0 1\n999999999*R\n", "line 2"},
    };
    for (const auto& c : cases) {
        writeFile(tmp + "/bad.script", c.text);
        const HarnessRun r = record(tmp + "/bad.script", tmp + "/bad.vrnrpmov");
        EXPECT_EQ(r.status, 1) << c.text;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.text << " -> " << r.err;
        struct stat st;
        EXPECT_NE(stat((tmp + "/bad.vrnrpmov").c_str(), &st), 0) << "no film for a bad script";
    }
}

} // namespace

// Chapter 0 played through the world step under a real GL context: sections started with
// loadNewStage, stepped with fhWorldMainLoop(0) and keys pressed through the input
// object, as the controller does it. Covers coin pick-up, the goal, a miss on thorns,
// game over, the counter seal, blocks decaying and animating on screen, and a recorded
// film that replays to the same end state.

#include "envresGlobal.h"
#include "game_keys.h"
#include "scratch_folder.h"
#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <algorithm>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHmyworld_loop.h"
#include "FHobjectCtrl.h"
#include "envresGlobal.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_ctrl@io.h"
#include "qsdlpp2_globals.h"
#include "FHWorldGlobal_field.h"
#include "qgu_glcalls.h"
#include "qsdlpp2_snd_mus@mix.h"

using namespace FHWGBL;

namespace {

FHWorldCLS& W = Game_GLOBALS::MyWorld;
Uint8 keys[SDL_NUM_SCANCODES];
JoySTICK::KeyAssign ka;

class Section : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_FALSE(gametest::enterScratchFolder("fhplay").empty());
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        qgu_initGLImageHdlfunc();
        qgu_initNewGLworld("play test", rRect{0, 0, 240, 320}, 0);
        W.initFHSystem();
        W.changeStatePlyOrRep(false);
        QSDL_GLOBALS::Stick.getKeySetToPtr(&ka);
        QSDL_GLOBALS::Stick.setKeyStateSource(keys);
    }

    void SetUp() override {
        std::memset(keys, 0, sizeof keys);
        for (bool& f : FHSYS_GLOBALS::unLock_usingF) f = false;
        FHSYS_GLOBALS::use_invincibleF = false;
    }

    // Holds exactly the given buttons of player 1 (QSDL_BTN bits).
    static void hold(uint16_t bits) { holdPlayerOneKeys(keys, ka, bits); }

    static int start(int chapter, int section, bool playback, int kind = 0) {
        W.replayPlaybackF = playback;
        W.initNewgame(playback ? 1 : 0);
        if (!playback) GoldCoins = 250;
        const int r = W.loadNewStage(chapter, section, kind);
        if (r == 0) W.fhWorldMainLoop(-1);
        return r;
    }

public:
    // For the run player below.
    static void holdBits(uint16_t bits) { hold(bits); }
    static int playStep() { return step(); }

protected:

    // One controller step of play.
    static int step() {
        QSDL_GLOBALS::Stick.updStick(QSDL_GLOBALS::rplyMode != 0);
        const int r = W.fhWorldMainLoop(0);
        SDL_GL_SwapWindow(qgu_getTargetWindow());  // presented as the frame loop does
        return r;
    }

    static MyCharactor& hero() { return W.chars[MyCharactor::currentCHR]; }

    // Puts the character in play at a block (its contact point inside that block).
    static void putAt(int col, int row) {
        MyCharactor& c = hero();
        c.posX = col * 1600 - 400;
        c.posY = row * 1600 - 400;
        c.restartX = c.posX;
        c.restartY = c.posY;
    }

    static void dumpState(const char* tag) {
        std::printf("%s score %d silv %d gold %d timer %d ctrl %d chr %d phase %d", tag, Score, SilvCoins,
                    GoldCoins, TIMER, CtrlCounter, MyCharactor::currentCHR, W.phase);
        for (int k = 0; k < 3; ++k)
            std::printf(" [%d %d %d]", W.chars[k].posX, W.chars[k].posY, W.chars[k].energy);
        std::printf("\n");
    }
    static uint64_t stateHash() {
        uint64_t h = 1469598103934665603ull;
        auto mix = [&](int64_t v) {
            h ^= static_cast<uint64_t>(v);
            h *= 1099511628211ull;
        };
        mix(Score);
        mix(SilvCoins);
        mix(GoldCoins);
        mix(TIMER);
        mix(CtrlCounter);
        mix(MyCharactor::currentCHR);
        mix(W.phase);
        for (int k = 0; k < 3; ++k) {
            mix(W.chars[k].posX);
            mix(W.chars[k].posY);
            mix(W.chars[k].energy);
        }
        for (int y = 0; y < MapBlkHeight; ++y)
            for (int x = 0; x < MapBlkWidth; ++x) mix(MenMap[y][x]);
        return h;
    }
};

TEST_F(Section, CoinRushStartsAndCollectsCoins) {
    ASSERT_EQ(start(0, 3, false), 0);
    EXPECT_EQ(MapBlkWidth, 64);
    EXPECT_EQ(MapBlkHeight, 16);
    EXPECT_EQ(TIMER, 3544);
    EXPECT_EQ(hero().posX, 2 * 1600);

    hold(QSDL_BTN::RIGHT1);
    int r = 1;
    for (int i = 0; i < 200 && r == 1; ++i) r = step();
    EXPECT_EQ(r, 1);
    EXPECT_GT(hero().posX, 8 * 1600) << "walked right";
    EXPECT_GT(Score, 0) << "coins give points";
    EXPECT_GT(SilvCoins, 0) << "silver coins counted";

    // A collected block decays while on screen: 7 down to 1, one step every 4 steps.
    bool sawDecay = false;
    for (int y = 0; y < MapBlkHeight && !sawDecay; ++y)
        for (int x = 0; x < 20 && !sawDecay; ++x)
            if (MenMap[y][x] >= 1 && MenMap[y][x] <= 6) sawDecay = true;
    EXPECT_TRUE(sawDecay);
}

TEST_F(Section, AnimatedBlocksCycleOnTheBlockLayer) {
    ASSERT_EQ(start(0, 3, false), 0);
    hold(0);
    for (int i = 0; i < 3; ++i) step();
    // Find an animated code on screen and compare the layer's pattern with the cycle.
    const int bx = hero().posX / 1600 - 10;
    const int by = hero().posY / 1600 - 11;
    const int counter = CtrlCounter;  // the next step draws with this counter
    step();
    int checked = 0;
    for (int r = 0; r < 18; ++r)
        for (int c = 0; c < 21; ++c) {
            const int mx = ((bx + c) % MapBlkWidth + MapBlkWidth) % MapBlkWidth;
            const int my = ((by + r) % MapBlkHeight + MapBlkHeight) % MapBlkHeight;
            const int code = MenMap[my][mx];
            if ((code & 28) != 28) continue;
            const uint32_t want = static_cast<uint32_t>((code & 0xFFFC) | ((code + counter / 8) & 3));
            EXPECT_EQ(FHSYS_GLOBALS::BGPattCtrl.cells[0][r][c], want & 0x3FF) << "block " << code;
            ++checked;
        }
    EXPECT_GT(checked, 0);
}

TEST_F(Section, GoldenGoalEndsTheSectionAfterTheRing) {
    ASSERT_EQ(start(0, 1, false), 0);
    hold(0);
    step();
    putAt(113, 16);  // on the golden goal of the orchard
    int r = step();
    EXPECT_EQ(W.phase, 4) << "extra goal";
    int steps = 1;
    while (r == 1 && steps < 200) {
        r = step();
        ++steps;
    }
    EXPECT_EQ(r, 4) << "the section is over after the closing ring";
    EXPECT_EQ(steps, 67);
}

TEST_F(Section, ThornsCostAMissAndFiftyCoins) {
    ASSERT_EQ(start(0, 0, false), 0);
    hold(0);
    step();
    const int startX = hero().restartX;
    putAt(32, 27);  // above the thorn pit of the meadow
    hero().invincTimer = 0;
    int r = 1;
    int steps = 0;
    while (W.phase != 7 && steps < 400) {
        r = step();
        ++steps;
    }
    ASSERT_EQ(W.phase, 7);
    EXPECT_EQ(GoldCoins, 200);
    EXPECT_EQ(MissCount, 1);
    for (int i = 0; i < 40 && W.phase == 7; ++i) r = step();
    EXPECT_EQ(r, 1);
    EXPECT_EQ(W.phase, 1) << "play goes on";
    EXPECT_NE(hero().posX, startX);  // resumed at the restart point set above
    EXPECT_EQ(hero().posX, 32 * 1600 - 400);
}

TEST_F(Section, GameOverWhenGoldRunsOut) {
    ASSERT_EQ(start(0, 0, false), 0);
    hold(0);
    step();
    GoldCoins = 30;
    FHLoop::sealCounters();  // a deliberate change, as a menu would make it
    putAt(32, 27);
    hero().invincTimer = 0;
    int r = 1;
    for (int i = 0; i < 400 && r != 8; ++i) r = step();
    EXPECT_EQ(r, 8);
    EXPECT_LT(GoldCoins, 0);
}

TEST_F(Section, CountersChangedOutsidePlayStopTheGame) {
    ASSERT_EQ(start(0, 3, false), 0);
    hold(0);
    EXPECT_EQ(step(), 1);
    Score += 5000;  // behind the world's back
    EXPECT_EQ(step(), FHLoop::kWorldTampered);
}

TEST_F(Section, MapGroupReopensAndAMissingGroupKeepsTheMap) {
    ASSERT_EQ(start(0, 3, false), 0);
    EXPECT_EQ(MapBlkWidth, 64);
    // Forget the group and load another map of it: the group's files are opened again.
    W.loadMapWorld(-1, -1);
    W.loadMapWorld(1, -1);
    EXPECT_EQ(W.loadedGroup, 0);
    EXPECT_EQ(MapBlkWidth, 128);
    EXPECT_EQ(MapBlkHeight, 32);
    EXPECT_EQ(hero().posX, 3 * 1600) << "placed at the orchard's start";
    // A group without files: logged, and the loaded map stays in play.
    W.loadMapWorld(8 * 16, -1);
    EXPECT_EQ(MapBlkWidth, 128);
    EXPECT_EQ(W.loadedMapNum, 1);
    hold(0);
    EXPECT_EQ(step(), 1);
}

// The block layer and the actors share one view: a block shows exactly where an actor
// placed at the block's field position is drawn, at any scroll within a block.
TEST_F(Section, BlocksAppearWhereActorsAtTheirPositionAre) {
    ASSERT_EQ(start(0, 0, false), 0);
    hold(0);
    step();
    MyCharactor& c = hero();
    for (int nudge : {0, 700, 1300}) {  // the view scrolled by 0, 7 and 13 dots
        c.posX += nudge;
        c.framePositUpdate(0);
        const int col = c.posX / 1600 + 3, row = c.posY / 1600 - 2;
        const int32_t saved = MenMap[row][col];
        // What the field shows with and without one solid block: the difference is the block.
        auto render = [&](int32_t code, std::vector<uint8_t>& px) {
            MenMap[row][col] = code;
            QSDLpp_GLSpriteFuncs::emptyList();
            qgu_glClearColor(0, 0, 0, 1);
            qgu_glClear(0x00004000 | 0x00000100);
            W.updateField(c.posX, c.posY, 0, true);
            px.assign(320 * 240 * 4, 0);
            qgu_glReadPixels(0, 0, 320, 240, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
        };
        std::vector<uint8_t> with, without;
        render(700, with);
        render(0, without);
        MenMap[row][col] = saved;
        int x0 = 320, y0 = 240, x1 = -1, y1 = -1;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) {
                const size_t i = ((239 - y) * 320 + x) * 4;
                if (std::memcmp(&with[i], &without[i], 3) == 0) continue;
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
        double sx, sy;
        fieldToScreen(col * 1600, row * 1600, &sx, &sy);
        ASSERT_GE(x1, 0) << "the block is not drawn, nudge " << nudge;
        // Actors at an odd hundredth of a dot may round one dot apart from the blocks.
        EXPECT_NEAR(x0, sx, 1) << "nudge " << nudge;
        EXPECT_NEAR(y0, sy, 1) << "nudge " << nudge;
        EXPECT_LE(x1 - x0, 16);
        EXPECT_LE(y1 - y0, 16);
        EXPECT_GE(x1 - x0, 11) << "most of the block shows";
        EXPECT_GE(y1 - y0, 11);
    }
}

// On maps only sixteen rows tall (the coin rush, the petal chase) the view covers
// nearly the whole wrapped height: the character standing at its start is still drawn
// inside the screen, not a field's height above it.
TEST_F(Section, TheCharacterIsOnScreenOnMapsOneScreenTall) {
    for (const auto& cs : {std::pair<int, int>{0, 3}, std::pair<int, int>{1, 3}}) {
        SCOPED_TRACE(cs.first * 10 + cs.second);
        ASSERT_EQ(start(cs.first, cs.second, false), 0);
        hold(0);
        for (int i = 0; i < 30; ++i) step();
        const MyCharactor& c = hero();
        ASSERT_NE(c.sprite, nullptr);
        EXPECT_GE(c.sprite->y, 0.0);
        EXPECT_LT(c.sprite->y, 240.0);
        EXPECT_GE(c.sprite->x, 0.0);
        EXPECT_LT(c.sprite->x, 320.0);
    }
}

// The panel's time part shows only in a section with a time limit, and it leaves the
// key marks to their own part (drawn once a step).
TEST_F(Section, PanelTimePartNeedsALimitAndLeavesTheKeysToTheirPart) {
    ASSERT_EQ(start(0, 0, false), 0);
    RBGKeyBit = 15;
    // Lit pixels of the panel area a part draws in, on a black frame.
    auto lit = [&](int part, int x0, int y0, int x1, int y1) {
        qgu_glClearColor(0, 0, 0, 1);
        qgu_glClear(0x00004000 | 0x00000100);
        W.updateScore(part);
        std::vector<uint8_t> px(320 * 240 * 4);
        qgu_glReadPixels(0, 0, 320, 240, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const uint8_t* p = &px[((239 - y) * 320 + x) * 4];
                if (p[0] + p[1] + p[2] > 60) ++n;
            }
        return n;
    };
    const int32_t timer = TIMER;
    TIMER = 3000;
    EXPECT_GT(lit(3, 240, 0, 304, 28), 20) << "limit and elapsed time shown";
    EXPECT_EQ(lit(3, 300, 54, 320, 90), 0) << "the time part drew the key marks";
    EXPECT_GT(lit(4, 300, 54, 320, 90), 20) << "the key part draws them";
    TIMER = 60000;  // no limit in this section
    EXPECT_EQ(lit(3, 240, 0, 320, 240), 0) << "the time part drew without a limit";
    TIMER = timer;
    RBGKeyBit = 0;
}

// The stage's tune plays on every play of a section: again after other music was loaded
// (game over, clear screen, a replay) and after it was faded (back to the title), goes
// on across a reload of the same tune's map, and comes back at full volume there.
TEST_F(Section, StageMusicPlaysOnEverySecondPlayToo) {
    QSDLpp_MixMusicCls& music = QSDL_GLOBALS::music;
    QSDL_GLOBALS::PlayBGMF = true;
    auto settle = [&](uint32_t limitMs) {
        const uint32_t t0 = SDL_GetTicks();
        while (!QSDLpp_MixMusicCls::playingSteadily() && SDL_GetTicks() - t0 < limitMs) {
            music.movieIdleProcess();
            SDL_Delay(10);
        }
        return QSDLpp_MixMusicCls::playingSteadily();
    };
    ASSERT_EQ(start(0, 0, false), 0);
    ASSERT_TRUE(settle(500)) << "first play";
    ASSERT_NE(QSDLpp_MixMusicCls::loadedMusic(), nullptr);

    // The same map again (same tune): it goes on, and the muffled rate is reset.
    FHSYSGBL::StageBGMRate = 50;
    music.musVol(50);
    const unsigned serial = QSDLpp_MixMusicCls::loadSerial();
    W.loadMapWorld(-1, -1);
    W.loadMapWorld(0, -1);
    EXPECT_EQ(QSDLpp_MixMusicCls::loadSerial(), serial) << "the tune was started over";
    EXPECT_EQ(FHSYSGBL::StageBGMRate, 100);
    EXPECT_EQ(music.getMusVol(), 100);

    // Game over music, then the section again.
    ASSERT_TRUE(music.load("VRNresources/mus/21003 lantern out.ogg"));
    music.start(0);
    const unsigned gameOverLoad = QSDLpp_MixMusicCls::loadSerial();
    ASSERT_EQ(start(0, 0, false), 0);
    EXPECT_EQ(QSDLpp_MixMusicCls::loadSerial(), gameOverLoad + 1) << "the game over tune was kept on a retry";
    EXPECT_TRUE(settle(500));

    // Faded out on the way to the title, then straight back into the section.
    music.event(MovieFxCode::FADEOUT, 300);
    ASSERT_EQ(start(0, 0, false), 0);
    EXPECT_TRUE(settle(2000)) << "the stage tune stayed faded";
}

// The run-length routes below check the maps' paths and both characters' moves with
// fixed timings; the creatures of the section (covered by their own tests) would meet
// them at other moments on every change of their behaviour, so they are sent away:
// every object that hurts, is hit or carries leaves the pool, signs and doors stay.
void sendCreaturesAway() {
    for (auto& o : W.objectCtrl.objects) {
        if (!o.activeF || o.kind < 0 || o.kind >= 272) continue;
        const int32_t* a = MainObjectCtrlCls::Object::ObjAttribute[o.kind];
        if (a != nullptr && (a[OBJATTR_FLAGS] & 0xF00)) {
            o.activeF = 0;
            o.respawnSlot = -1;  // and never comes back
        }
    }
}

// Plays run-length input from the start of a section, one controller step per input
// word: tokens "N*KEYS" hold the keys for N steps, KEYS being "-" (nothing) or letters
// joined by '+' (R right, L left, B jump, C switch). Returns the last world result and
// whether the heroine was ever put in play.
int playRuns(const char* runs, bool& handedOver) {
    handedOver = false;
    int r = 1;
    const char* p = runs;
    while (*p != 0 && r == 1) {
        while (*p == ' ' || *p == '\n') ++p;
        if (*p == 0) break;
        char* after = nullptr;
        const long n = std::strtol(p, &after, 10);
        if (after == p || *after != '*') {
            ADD_FAILURE() << "bad run at: " << p;
            return -1;
        }
        p = after + 1;
        uint16_t bits = 0;
        for (; *p != 0 && *p != ' ' && *p != '\n'; ++p) {
            if (*p == 'R') bits |= QSDL_BTN::RIGHT1;
            if (*p == 'L') bits |= QSDL_BTN::LEFT1;
            if (*p == 'B') bits |= QSDL_BTN::B1;
            if (*p == 'C') bits |= QSDL_BTN::C1;
        }
        for (long i = 0; i < n && r == 1; ++i) {
            Section::holdBits(bits);
            r = Section::playStep();
            if (MyCharactor::currentCHR == 1) handedOver = true;
        }
    }
    return r;
}

// The whole meadow as a newcomer plays it: the hero crosses the walls, the spring over
// the first thorn pit, opens the gate and raises the bridge, stops on the door and
// hands over on it to the heroine waiting on the meeting pad; she takes the same way
// (her leap is shorter and her run slower) and the section ends once both stand at the
// door. Catches a map or a movement rule that leaves one of the two unable to get through.
TEST_F(Section, BothFriendsBringTheMeadowToItsDoor) {
    ASSERT_EQ(start(0, 0, false), 0);
    sendCreaturesAway();
    bool handedOver = false;
    const int r = playRuns(
        // The hero: walls, pillar, spring, switch A on its ledge, the gate, switch D, the bridge.
        "20*- 40*R 30*R+B 30*R 40*R+B 60*R 40*R+B 30*R 40*R+B 60*R "
        "40*R 30*R+B 20*R 30*- 10*R 30*- 400*R 60*- "
        // On to the door, then the hand-over.
        "68*R 20*- 1*C 30*- "
        // The heroine: the same walls, the spring and the wooden step, the cracked block.
        "40*R 30*R+B 30*R 40*R+B 60*R 40*R+B 30*R 40*R+B 60*R "
        "40*R 40*R+B 200*R 40*R+B 800*R 100*-",
        handedOver);
    EXPECT_TRUE(handedOver) << "the switch on the door and the meeting pad";
    ASSERT_EQ(r, 2) << "both characters at the door clear the section";
    EXPECT_EQ(MissCount, 0);
    EXPECT_EQ(MenMap[25][120], 412) << "the door";
}

// The orchard by its door, not the secret goal: the hero walks east onto the spring,
// which throws him on the key ledge; the ledge runs on over the top of the red lock, so
// he drops behind it without breaking it, takes the small spring over the thorn pit,
// climbs the raised field and the cracked blocks and stops on the door to hand over.
// The heroine hops over the fruit trees to the same spring, takes the red key on the
// ledge, and needs a running leap for the pit and a long jump for the field.
TEST_F(Section, BothFriendsCrossTheOrchardToItsDoor) {
    ASSERT_EQ(start(0, 1, false), 0);
    sendCreaturesAway();
    bool handedOver = false;
    const int r = playRuns(
        // The hero: the spring, over the lock, the pit, the field, the cracked blocks.
        "20*- 480*R 40*R+B 100*R 20*- 30*R+B "
        // Past the spring under the golden ledge to the door; the hand-over.
        "285*R 20*- 1*C 30*- "
        // The heroine: over the trees to the spring and the key ledge, over the lock.
        "40*R 10*R+B 30*R 10*R+B 30*R 10*R+B 30*R 10*R+B 30*R 10*R+B 30*R 10*R+B 30*R "
        "10*R+B 30*R 10*R+B 30*R 100*- 240*R "
        // A running leap over the pit, the field, the cracked blocks, the door.
        "40*R 15*R+B 60*R 20*- 60*R+B 60*R 20*- 30*R+B 400*R 100*-",
        handedOver);
    EXPECT_TRUE(handedOver) << "the switch on the door and the meeting pad";
    ASSERT_EQ(r, 2) << "both characters at the door clear the orchard";
    EXPECT_EQ(MissCount, 0);
    EXPECT_EQ(RBGKeyBit & 1, 1) << "the heroine took the red key on the ledge";
    EXPECT_EQ(MenMap[20][48], 944) << "the red lock stays closed: the way leads over it";
    EXPECT_EQ(MenMap[25][120], 412) << "the door";
}

// The hill by its door at the top, not the secret goal: the hero climbs the zig-zag
// ledges (running starts over the wider gaps of the upper half), hands over on the door
// and the heroine, whose run and leap are shorter, climbs the same ledges to him.
TEST_F(Section, BothFriendsClimbTheHillToItsDoor) {
    ASSERT_EQ(start(0, 2, false), 0);
    sendCreaturesAway();
    bool handedOver = false;
    const int r = playRuns(
        // The hero: east over five ledges, west over five, then the upper half.
        "20*- 28*R+B 40*- 56*R 28*R+B 40*- 56*R 28*R+B 40*- 56*R 28*R+B 40*- "
        "56*R 28*R+B 40*- 60*R 28*R+B 40*- 20*L+B 16*L 40*- 60*L 20*L+B 16*L 40*- "
        "60*L 20*L+B 16*L 40*- 60*L 20*L+B 16*L 40*- 32*L 28*L+B 16*L 40*- "
        "16*R+B 40*- 5*- 65*R 28*R+B 30*R 40*- 24*R 28*R+B 16*R 40*- "
        "5*- 61*R 28*R+B 30*R 40*- 28*R+B 24*R 40*- "
        // Along the top to the door; the hand-over.
        "70*R 20*- 1*C 30*- "
        // The heroine: the lower half east, then west, then the upper half.
        "8*R 28*R+B 40*- 5*- 61*R 28*R+B 30*R 40*- 32*R 28*R+B 40*- "
        "5*- 61*R 28*R+B 30*R 40*- 56*R 20*R+B 40*- 5*- 75*R 28*R+B 30*R 40*- "
        "20*L+B 40*- 5*- 78*L 28*L+B 40*L 40*- 5*- 61*L 28*L+B 40*L 40*- "
        "56*L 28*L+B 16*L 40*- 56*L 20*L+B 16*L 40*- 20*R+B 16*R 40*- "
        "5*- 66*R 28*R+B 40*R 40*- 5*- 61*R 28*R+B 40*R 40*- 56*R 28*R+B 16*R 40*- "
        "56*R 28*R+B 16*R 40*- 100*R 100*-",
        handedOver);
    EXPECT_TRUE(handedOver);
    ASSERT_EQ(r, 2) << "both characters at the top door clear the hill";
    EXPECT_EQ(MissCount, 0);
}

TEST_F(Section, RecordedFilmReplaysToTheSameEnd) {
    ASSERT_EQ(start(0, 3, false), 0);
    // A short scripted play: run right, a few jumps, then wait for the time limit.
    int r = 1;
    int n = 0;
    while (r == 1 && n < 6000) {
        uint16_t bits = 0;
        if (n < 150) bits = QSDL_BTN::RIGHT1;
        if (n > 40 && n < 150 && (n % 30) < 10) bits |= QSDL_BTN::B1;
        if (n >= 150 && n < 170) bits = QSDL_BTN::LEFT1;
        hold(bits);
        r = step();
        ++n;
    }
    ASSERT_EQ(r, 2) << "the time limit of section 3 ends it as a clear";
    const uint64_t liveHash = stateHash();
    dumpState("live");

    const int liveScore = Score;
    const int liveX = W.chars[0].posX;
    const int liveSteps = n;
    ASSERT_GT(liveScore, 0);

    hold(QSDL_BTN::LEFT1 | QSDL_BTN::B1);  // the devices must not matter during playback
    ASSERT_EQ(start(0, 3, true, 0), 0);
    r = 1;
    n = 0;
    while (r == 1 && n < 6000) {
        r = step();
        ++n;
    }
    EXPECT_EQ(r, 3) << "a replayed section ends with 3";
    EXPECT_EQ(n, liveSteps);
    EXPECT_EQ(Score, liveScore);
    EXPECT_EQ(W.chars[0].posX, liveX);
    if (stateHash() != liveHash) dumpState("replay");
    EXPECT_EQ(stateHash(), liveHash);
    W.replayPlaybackF = false;
    QSDL_GLOBALS::rplyMode = 0;
}

// Map objects in play: a food item laid where the hero stands is taken by his own step
// with its points and coins, and leaves the field.
TEST_F(Section, AnItemObjectIsTakenWithItsPoints) {
    ASSERT_EQ(start(0, 0, false), 0);
    for (int i = 0; i < 30; ++i) step();
    MyCharactor& h = hero();
    MainObjectCtrlCls& objs = W.objectCtrl;
    const int slot = objs.AppearObjectWithCount(h.posX + h.box.left - 200, h.posY - 400, 0, 0, 51, 15, 5);
    ASSERT_GE(slot, 0);
    const int score = Score, silver = SilvCoins, gold = preGcounter + GoldCoins;
    step();
    EXPECT_FALSE(objs.objects[slot].activeF) << "taken";
    EXPECT_EQ(Score - score, ItmFoodPts[32 + 15] * 10);
    EXPECT_EQ(SilvCoins - silver, 10);
    EXPECT_EQ(preGcounter + GoldCoins - gold, 40);
}

// The orchard's cellar door: standing at it changes the map to the cellar, where the
// hero appears at its entry; the cellar's own door brings him back beside the orchard's
// start. The section goes on throughout.
TEST_F(Section, TheCellarDoorLeadsDownAndItsDoorBackUp) {
    ASSERT_EQ(start(0, 1, false), 0);
    step();
    ASSERT_EQ(W.loadedMapNum, 1);
    auto stepUntilMap = [&](int map) {
        int r = 1;
        for (int i = 0; i < 200 && W.loadedMapNum != map; ++i) r = step();
        for (int i = 0; i < 10; ++i) r = step();
        return r;
    };
    // On the ledge over the start, at the door.
    MyCharactor& h = hero();
    h.posX = 9 * 1600 + 100;
    h.posY = 22 * 1600 - (h.box.bottom - h.box.top);
    EXPECT_EQ(stepUntilMap(5), 1);
    ASSERT_EQ(W.loadedMapNum, 5) << "the door leads to the cellar";
    EXPECT_EQ(hero().posX / 1600, 2) << "at the cellar's entry";
    EXPECT_EQ(W.phase, 1);

    MyCharactor& c = hero();
    c.posX = 28 * 1600 + 100;
    c.posY = 13 * 1600 - (c.box.bottom - c.box.top);
    EXPECT_EQ(stepUntilMap(1), 1);
    ASSERT_EQ(W.loadedMapNum, 1) << "and back up to the orchard";
    EXPECT_EQ(hero().posX / 1600, 12) << "beside the start, not on the door";
    EXPECT_EQ(MissCount, 0);
    // Arriving off the door, the hero is not sent down again.
    for (int i = 0; i < 120; ++i) step();
    EXPECT_EQ(W.loadedMapNum, 1);
}

}  // namespace

namespace {
MainObjectCtrlCls::Object* firstOfKind(int kind) {
    for (auto& o : W.objectCtrl.objects)
        if (o.activeF && o.kind == kind) return &o;
    return nullptr;
}
int blocksOf(int code) {
    int n = 0;
    for (int y = 0; y < MapBlkHeight; ++y)
        for (int x = 0; x < MapBlkWidth; ++x) n += MenMap[y][x] == code ? 1 : 0;
    return n;
}
}  // namespace

TEST_F(Section, ForestCreaturesMoveThrowAndHurt) {
    ASSERT_EQ(start(0, 4, false), 0);
    hold(0);
    step();
    MainObjectCtrlCls::Object* beetle = firstOfKind(33);
    MainObjectCtrlCls::Object* mole = firstOfKind(28);
    ASSERT_NE(beetle, nullptr);
    ASSERT_NE(mole, nullptr);
    const int x0 = beetle->posX;
    for (int i = 0; i < 60; ++i) step();
    EXPECT_NE(beetle->posX, x0) << "the beetle walks";

    // Near the mole: it throws clods.
    putAt(mole->blockX() - 6, 26);
    bool clod = false;
    for (int i = 0; i < 240 && !clod; ++i) {
        step();
        clod = firstOfKind(178) != nullptr;
    }
    EXPECT_TRUE(clod) << "the mole threw a clod";

    // Walking into the beetle costs a miss.
    putAt(beetle->blockX(), 26);
    hero().invincTimer = 0;
    bool hurt = false;
    for (int i = 0; i < 30 && !hurt; ++i) {
        hero().posX = beetle->posX + 200;
        hero().posY = beetle->posY - 800;
        step();
        hurt = MyCharactor::MissingF;
    }
    EXPECT_TRUE(hurt);
}

TEST_F(Section, OakGuardianChangesPhaseAndItsFallOpensTheGate) {
    ASSERT_EQ(start(0, 4, false), 0);
    hold(0);
    step();
    MainObjectCtrlCls::Object* boss = firstOfKind(125);
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(boss->target, 938) << "its gate, from the map";
    EXPECT_EQ(boss->power, 900) << "its life, from the map";
    const int gate = blocksOf(938);
    EXPECT_EQ(gate, 7);
    putAt(96, 26);
    bool seeds = false;
    for (int i = 0; i < 170; ++i) {
        step();
        seeds |= firstOfKind(176) != nullptr;
    }
    EXPECT_TRUE(seeds) << "it throws acorn seeds";
    EXPECT_EQ(boss->regC, 0);
    boss->power = 500;
    step();
    step();
    EXPECT_EQ(boss->regC, 1) << "below two thirds of its life";
    boss->explode(0);
    int i = 0;
    for (; i < 600 && blocksOf(938) > 0; ++i) step();
    EXPECT_EQ(blocksOf(938), 0) << "the gate opened after the guardian fell";
}

TEST_F(Section, HiveQueenWakesChangesPhaseAndHerFallOpensTheGates) {
    ASSERT_EQ(start(1, 4, false), 0);
    hold(0);
    step();
    MainObjectCtrlCls::Object* queen = firstOfKind(63);
    ASSERT_NE(queen, nullptr);
    const int gates = blocksOf(936);
    EXPECT_GT(gates, 6) << "the treasure room and the wall before the exit ledge";
    for (int i = 0; i < 60; ++i) step();
    EXPECT_NE(queen->w4, 1) << "asleep while the players are in the tunnel";
    putAt(34, 25);  // under her in the arena
    bool bees = false;
    for (int i = 0; i < 400; ++i) {
        step();
        bees |= firstOfKind(10) != nullptr;
    }
    EXPECT_EQ(queen->w4, 1) << "she woke";
    EXPECT_TRUE(bees) << "she drops bees";
    EXPECT_EQ(queen->regC, 0);
    queen->power = queen->power / 2;
    step();
    step();
    EXPECT_EQ(queen->regC, 1) << "below two thirds of her life";
    for (int i = 0; i < 200; ++i) step();
    EXPECT_TRUE(firstOfKind(181) != nullptr || firstOfKind(10) != nullptr);
    queen->explode(0);
    EXPECT_EQ(firstOfKind(181), nullptr) << "her fall takes every pollen puff with it";
    int i = 0;
    for (; i < 600 && blocksOf(936) > 0; ++i) step();
    EXPECT_EQ(blocksOf(936), 0) << "the gates opened after the queen fell";
}

// Chapter 1 played straight through, as the stage table orders it (1.0, 1.1, 1.2, the
// last of which finishes the chapter): each section from its start with the input of its
// golden film script, the hero first and then the heroine after the hand-over on the
// door; each ends with both friends at the door, without a miss.
TEST_F(Section, TheFlowerChapterIsClearedSectionBySection) {
    const char* films[] = {"c1s0_blossom_meadow", "c1s1_sunflower_climb", "c1s2_twilight_garden"};
    for (int s = 0; s < 3; ++s) {
        SCOPED_TRACE(films[s]);
        std::FILE* f = std::fopen((std::string(FH_SOURCE_DIR) + "/tests/films/" + films[s] + ".script").c_str(), "r");
        ASSERT_NE(f, nullptr);
        std::string runs;
        char line[512];
        while (std::fgets(line, sizeof line, f))
            if (line[0] != '#' && std::strncmp(line, "section", 7) != 0) runs += line;
        std::fclose(f);
        ASSERT_EQ(start(1, s, false), 0);
        bool handedOver = false;
        const int r = playRuns(runs.c_str(), handedOver);
        EXPECT_TRUE(handedOver);
        EXPECT_EQ(r, 2) << "both characters at the door clear the section";
        EXPECT_EQ(MissCount, 0);
        EXPECT_EQ(vrndx_getStageRefPtr(1, s)[1], s < 2 ? s + 1 : 5) << "the next section in order";
    }
}

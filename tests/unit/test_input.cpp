// The input object: keys and controllers to the button word, the stick queries, and
// recording and playback of the word for films.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>
#include <vector>

#include "qsdlpp2_ctrl@io.h"

namespace {

// An input object reading a key array the test controls.
struct Keys {
    QSDLpp_StickCls stick;
    Uint8 state[SDL_NUM_SCANCODES] = {};
    Keys() { stick.setKeyStateSource(state); }
    void set(std::initializer_list<int> scancodes) {
        std::memset(state, 0, sizeof state);
        for (int sc : scancodes)
            state[sc] = 1;
    }
    uint16_t frame(std::initializer_list<int> scancodes, bool replay = false) {
        set(scancodes);
        return stick.updStick(replay);
    }
};

uint16_t be16(const std::vector<char>& b, size_t at) {
    return uint16_t((uint8_t(b[at]) << 8) | uint8_t(b[at + 1]));
}

} // namespace

// ---- Keyboard to word ------------------------------------------------------------------

TEST(StickKeys, DefaultKeysOfBothPlayers) {
    Keys k;
    EXPECT_EQ(k.frame({SDL_SCANCODE_UP, SDL_SCANCODE_Z}), QSDL_BTN::UP1 | QSDL_BTN::A1);
    EXPECT_EQ(k.frame({SDL_SCANCODE_DOWN, SDL_SCANCODE_LEFT, SDL_SCANCODE_X, SDL_SCANCODE_LSHIFT}),
              QSDL_BTN::DOWN1 | QSDL_BTN::LEFT1 | QSDL_BTN::B1 | QSDL_BTN::C1);
    EXPECT_EQ(
        k.frame({SDL_SCANCODE_I, SDL_SCANCODE_L, SDL_SCANCODE_RSHIFT, SDL_SCANCODE_RALT, SDL_SCANCODE_RCTRL}),
        QSDL_BTN::UP2 | QSDL_BTN::RIGHT2 | QSDL_BTN::A2 | QSDL_BTN::B2 | QSDL_BTN::C2);
    // Space is both players' D.
    EXPECT_EQ(k.frame({SDL_SCANCODE_SPACE}), QSDL_BTN::D1 | QSDL_BTN::D2);
    EXPECT_EQ(k.frame({}), 0);
}

TEST(StickKeys, AssignmentInRecordOrderMapsToTheRightBits) {
    Keys k;
    JoySTICK::KeyAssign ka;
    // Record order: up, left, right, down, A, B, C, D per player.
    const int codes[16] = {SDL_SCANCODE_A, SDL_SCANCODE_B, SDL_SCANCODE_C, SDL_SCANCODE_D,
                           SDL_SCANCODE_E, SDL_SCANCODE_F, SDL_SCANCODE_G, SDL_SCANCODE_H,
                           SDL_SCANCODE_1, SDL_SCANCODE_2, SDL_SCANCODE_3, SDL_SCANCODE_4,
                           SDL_SCANCODE_5, SDL_SCANCODE_6, SDL_SCANCODE_7, SDL_SCANCODE_8};
    const uint16_t bits[16] = {QSDL_BTN::UP1, QSDL_BTN::LEFT1, QSDL_BTN::RIGHT1, QSDL_BTN::DOWN1,
                               QSDL_BTN::A1,  QSDL_BTN::B1,    QSDL_BTN::C1,     QSDL_BTN::D1,
                               QSDL_BTN::UP2, QSDL_BTN::LEFT2, QSDL_BTN::RIGHT2, QSDL_BTN::DOWN2,
                               QSDL_BTN::A2,  QSDL_BTN::B2,    QSDL_BTN::C2,     QSDL_BTN::D2};
    for (int i = 0; i < 16; i++)
        ka[i] = codes[i];
    k.stick.restoreKeyFromPtr(&ka);
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(k.frame({codes[i]}), bits[i]) << "entry " << i;

    JoySTICK::KeyAssign back;
    k.stick.getKeySetToPtr(&back);
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(back[i], codes[i]);
}

TEST(StickKeys, OnlyAStateOfOneCountsAsDown) {
    Keys k;
    k.state[SDL_SCANCODE_Z] = 2;
    EXPECT_EQ(k.stick.updStick(false), 0);
    EXPECT_EQ(k.stick.userKey(SDL_SCANCODE_Z), 0);
    k.state[SDL_SCANCODE_Z] = 1;
    EXPECT_EQ(k.stick.userKey(SDL_SCANCODE_Z), 1);
    EXPECT_EQ(k.stick.userKey(-5), 0);
    EXPECT_EQ(k.stick.userKey(SDL_NUM_SCANCODES + 3), 0);
}

TEST(StickKeys, TriggersFollowTheWordFrameByFrame) {
    Keys k;
    k.frame({SDL_SCANCODE_Z, SDL_SCANCODE_RCTRL});
    EXPECT_TRUE(k.stick.trigA(0));
    EXPECT_FALSE(k.stick.trigB(0));
    EXPECT_TRUE(k.stick.trigC(1));
    EXPECT_FALSE(k.stick.trigA(1));
    k.frame({SDL_SCANCODE_X});
    EXPECT_FALSE(k.stick.trigA(0));
    EXPECT_TRUE(k.stick.trigB(0));
    EXPECT_FALSE(k.stick.trigC(1));
    k.frame({SDL_SCANCODE_SPACE});
    EXPECT_TRUE(k.stick.trigD(0));
    EXPECT_TRUE(k.stick.trigD(1));
}

TEST(StickKeys, TrigAnyReadsTheKeysDirectly) {
    Keys k;
    k.set({SDL_SCANCODE_LSHIFT}); // player 1's C, not yet in any word
    EXPECT_TRUE(k.stick.trigANY());
    k.set({SDL_SCANCODE_X}); // B does not count
    EXPECT_FALSE(k.stick.trigANY());
    k.set({SDL_SCANCODE_RSHIFT}); // player 2 does not count
    EXPECT_FALSE(k.stick.trigANY());
}

// ---- Directions --------------------------------------------------------------------------

TEST(StickDirections, NibbleToDirectionAndPercentages) {
    Keys k;
    struct Case {
        std::initializer_list<int> keys;
        int dir, dy, dx, py, px;
    };
    const Case cases[] = {
        {{}, -1, 0, 0, 0, 0},
        {{SDL_SCANCODE_UP}, 0, -1, 0, -100, 0},
        {{SDL_SCANCODE_UP, SDL_SCANCODE_RIGHT}, 1, -1, 1, -75, 75},
        {{SDL_SCANCODE_RIGHT}, 2, 0, 1, 0, 100},
        {{SDL_SCANCODE_DOWN, SDL_SCANCODE_RIGHT}, 3, 1, 1, 75, 75},
        {{SDL_SCANCODE_DOWN}, 4, 1, 0, 100, 0},
        {{SDL_SCANCODE_DOWN, SDL_SCANCODE_LEFT}, 5, 1, -1, 75, -75},
        {{SDL_SCANCODE_LEFT}, 6, 0, -1, 0, -100},
        {{SDL_SCANCODE_UP, SDL_SCANCODE_LEFT}, 7, -1, -1, -75, -75},
        // Contradictory keys: no direction.
        {{SDL_SCANCODE_UP, SDL_SCANCODE_DOWN}, -1, 0, 0, 0, 0},
        {{SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT}, -1, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        k.frame(c.keys);
        int dy = 9, dx = 9, py = 9, px = 9;
        k.stick.stickYX(0, dy, dx);
        k.stick.stickYX100x(0, py, px);
        EXPECT_EQ(k.stick.stickDir(0), c.dir) << c.dir;
        EXPECT_EQ(dy, c.dy) << c.dir;
        EXPECT_EQ(dx, c.dx) << c.dir;
        EXPECT_EQ(py, c.py) << c.dir;
        EXPECT_EQ(px, c.px) << c.dir;
    }
}

TEST(StickDirections, ReverseNegatesOffsetsButNotTheDirection) {
    Keys k;
    k.stick.enableReverse(0, true);
    k.frame({SDL_SCANCODE_RIGHT, SDL_SCANCODE_J}); // player 1 right, player 2 left
    int dy, dx;
    k.stick.stickYX(0, dy, dx);
    EXPECT_EQ(dx, -1);
    EXPECT_EQ(dy, 0);
    k.stick.stickYX100x(0, dy, dx);
    EXPECT_EQ(dx, -100);
    EXPECT_EQ(k.stick.stickDir(0), 2);
    // Player 2 is not reversed.
    k.stick.stickYX(1, dy, dx);
    EXPECT_EQ(dx, -1);
    EXPECT_EQ(k.stick.stickDir(1), 6);
}

// ---- Films -------------------------------------------------------------------------------

TEST(StickFilm, RecordingDropsDAndWritesOnlyChanges) {
    Keys k;
    std::vector<char> film(QSDL_FILM_MAX_EVENTS * 4, char(0x5A));
    k.stick.startSync(film.data(), true);
    EXPECT_EQ(k.frame({}), 0);                                              // frame 0: 0 written
    EXPECT_EQ(k.frame({SDL_SCANCODE_SPACE}), 0);                            // D only: no change
    EXPECT_EQ(k.frame({SDL_SCANCODE_Z, SDL_SCANCODE_SPACE}), QSDL_BTN::A1); // frame 2
    for (int i = 0; i < 50; i++)
        k.frame({SDL_SCANCODE_Z});
    EXPECT_EQ(k.frame({SDL_SCANCODE_I}), QSDL_BTN::UP2); // frame 53
    EXPECT_EQ(k.stick.endsync(), 3);
    EXPECT_FALSE(k.stick.isRecording());
    EXPECT_EQ(be16(film, 0), 0);
    EXPECT_EQ(be16(film, 2), 0);
    EXPECT_EQ(be16(film, 4), 2);
    EXPECT_EQ(be16(film, 6), QSDL_BTN::A1);
    EXPECT_EQ(be16(film, 8), 53);
    EXPECT_EQ(be16(film, 10), QSDL_BTN::UP2);
    EXPECT_EQ(film[12], char(0x5A)); // nothing written past the last event
}

TEST(StickFilm, PlaybackReproducesTheRecordedWordsFrameByFrame) {
    Keys k;
    std::vector<char> film(QSDL_FILM_MAX_EVENTS * 4);
    const std::initializer_list<int> script[] = {{SDL_SCANCODE_RIGHT},
                                                 {SDL_SCANCODE_RIGHT, SDL_SCANCODE_Z},
                                                 {SDL_SCANCODE_RIGHT},
                                                 {},
                                                 {SDL_SCANCODE_SPACE, SDL_SCANCODE_X},
                                                 {SDL_SCANCODE_K, SDL_SCANCODE_UP},
                                                 {}};
    std::vector<uint16_t> recorded;
    k.stick.startSync(film.data(), true);
    for (int f = 0; f < 300; f++)
        recorded.push_back(k.frame(script[(f / 7) % 7]));
    int events = k.stick.endsync();
    ASSERT_GT(events, 10);

    k.stick.startSync(film.data(), false, events);
    for (int f = 0; f < 300; f++) {
        // Devices are ignored while playing: hold keys that would change the word.
        uint16_t w = k.frame({SDL_SCANCODE_LEFT, SDL_SCANCODE_C}, true);
        ASSERT_EQ(w, recorded[size_t(f)]) << "frame " << f;
        ASSERT_EQ(w & QSDL_BTN::D_BOTH, 0);
    }
    EXPECT_EQ(k.stick.frameCount(), 300u);
}

TEST(StickFilm, PlaybackAppliesFrameZeroAtOnceAndNeverReadsPastItsEvents) {
    Keys k;
    // Frame 0: A2, frame 3: nothing; then bytes that would read as "frame 4: all pressed".
    char film[12] = {0, 0, char(0x08), 0, 0, 3, 0, 0, 0, 4, char(0xFF), char(0xFE)};
    k.stick.startSync(film, false, 2);
    const uint16_t want[8] = {QSDL_BTN::A2, QSDL_BTN::A2, QSDL_BTN::A2, 0, 0, 0, 0, 0};
    for (int f = 0; f < 8; f++)
        EXPECT_EQ(k.stick.updStick(true), want[f]) << "frame " << f;
}

TEST(StickFilm, RecordingStopsGrowingAtThirtyThousandEventsWhilePlayGoesOn) {
    Keys k;
    const size_t cap = QSDL_FILM_MAX_EVENTS * 4;
    std::vector<char> film(cap + 64, char(0x33));
    k.stick.startSync(film.data(), true);
    uint16_t last = 0;
    for (int f = 0; f < QSDL_FILM_MAX_EVENTS + 500; f++)
        last = k.frame({(f & 1) ? SDL_SCANCODE_Z : SDL_SCANCODE_X});
    EXPECT_EQ(last, (QSDL_FILM_MAX_EVENTS + 499) & 1 ? QSDL_BTN::A1 : QSDL_BTN::B1);
    EXPECT_EQ(k.stick.eventCount(), QSDL_FILM_MAX_EVENTS);
    for (size_t i = cap; i < film.size(); i++)
        ASSERT_EQ(film[i], char(0x33)) << i;
    // The last stored event is that of frame 29,999.
    EXPECT_EQ(be16(film, cap - 4), uint16_t(QSDL_FILM_MAX_EVENTS - 1));
    EXPECT_EQ(k.stick.endsync(), QSDL_FILM_MAX_EVENTS);
}

TEST(StickFilm, LongStillStretchesStayInStepAcrossTheSixteenBitFrameWrap) {
    // Frame numbers are stored in 16 bits. A stretch of 65,536 frames without a change
    // would make the next event match a lap early; recording therefore repeats the word
    // before the gap gets that long, and playback stays frame-exact.
    Keys k;
    std::vector<char> film(QSDL_FILM_MAX_EVENTS * 4);
    const int frames = 65536 * 2 + 40;
    std::vector<uint16_t> recorded;
    k.stick.startSync(film.data(), true);
    for (int f = 0; f < frames; f++) {
        bool z = (f >= 65539 && f < 65541) || f == 2 * 65536 + 10;
        recorded.push_back(k.frame({z ? SDL_SCANCODE_Z : 0}));
    }
    int events = k.stick.endsync();
    EXPECT_LE(events, 8);
    k.stick.startSync(film.data(), false, events);
    for (int f = 0; f < frames; f++)
        ASSERT_EQ(k.stick.updStick(true), recorded[size_t(f)]) << f;
}

// ---- Controllers (SDL virtual joysticks) ---------------------------------------------------

namespace {
class StickPads : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError(); }
    void TearDown() override {
        for (int i = 0; i < QSDL_MAX_JOYSTICKS; i++)
            if (k.stick.joyHandle[i]) SDL_JoystickClose(k.stick.joyHandle[i]);
        for (int i = SDL_NumJoysticks() - 1; i >= 0; i--)
            if (SDL_JoystickIsVirtual(i)) SDL_JoystickDetachVirtual(i);
        QSDLpp_StickCls::UjoyF = QSDLpp_StickCls::Ujoy2F = false;
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    void attach(int axes, int buttons) {
        ASSERT_GE(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, axes, buttons, 0), 0)
            << SDL_GetError();
    }
    void axis(int pad, int a, int v) { SDL_JoystickSetVirtualAxis(k.stick.joyHandle[pad], a, Sint16(v)); }
    void button(int pad, int b, bool down) {
        SDL_JoystickSetVirtualButton(k.stick.joyHandle[pad], b, down ? 1 : 0);
    }
    Keys k;
};
} // namespace

TEST_F(StickPads, NoControllerMarksTheFirstGuidWithAHyphen) {
    EXPECT_FALSE(k.stick.init());
    EXPECT_FALSE(QSDLpp_StickCls::UjoyF);
    EXPECT_FALSE(QSDLpp_StickCls::Ujoy2F);
    EXPECT_STREQ(k.stick.joystickGUID(0), "-");
    EXPECT_EQ(k.stick.getButtonsBits(0), 0u);
}

TEST_F(StickPads, OnePadGivesPlayerOneDirectionsAndButtons) {
    attach(2, 16);
    ASSERT_TRUE(k.stick.init());
    EXPECT_TRUE(QSDLpp_StickCls::UjoyF);
    EXPECT_FALSE(QSDLpp_StickCls::Ujoy2F);
    EXPECT_EQ(k.stick.joyButtons[0], 16);
    EXPECT_EQ(k.stick.joyAxes[0], 2);
    EXPECT_GT(std::strlen(k.stick.joystickGUID(0)), 1u);

    axis(0, 0, 20000);
    axis(0, 1, -20000);
    EXPECT_EQ(k.frame({}), QSDL_BTN::RIGHT1 | QSDL_BTN::UP1);
    axis(0, 0, -1001);
    axis(0, 1, 1000); // not beyond the default threshold of 1000
    EXPECT_EQ(k.frame({}), QSDL_BTN::LEFT1);
    axis(0, 0, 0);
    axis(0, 1, 0);
    // Default buttons of player 1: A 0, B 1, C 2, D 4. Button 3 is player 2's D only.
    button(0, 0, true);
    button(0, 3, true);
    button(0, 4, true);
    EXPECT_EQ(k.frame({}), QSDL_BTN::A1 | QSDL_BTN::D1);
    EXPECT_EQ(k.stick.getButtonsBits(0), (1u << 0) | (1u << 3) | (1u << 4));
    EXPECT_TRUE(k.stick.start_Button());
    // Keyboard and pad are ORed.
    EXPECT_EQ(k.frame({SDL_SCANCODE_DOWN}), QSDL_BTN::A1 | QSDL_BTN::D1 | QSDL_BTN::DOWN1);
    button(0, 0, false);
    button(0, 4, false);
    EXPECT_FALSE(k.stick.start_Button());
    EXPECT_FALSE(k.stick.trigANY());
    button(0, 2, true);
    EXPECT_TRUE(k.stick.trigANY());
}

TEST_F(StickPads, ThresholdOf99999LeavesPlayerOnesPadDirectionsUnread) {
    attach(2, 8);
    ASSERT_TRUE(k.stick.init());
    k.stick.calAxis(0, 99999);
    axis(0, 0, 32767);
    button(0, 1, true);
    EXPECT_EQ(k.frame({}), QSDL_BTN::B1);
    k.stick.calAxis(0, 0);
    axis(0, 0, 1);
    EXPECT_EQ(k.frame({}), QSDL_BTN::B1 | QSDL_BTN::RIGHT1);
}

TEST_F(StickPads, ConfiguredAxesApplyOnlyToPadsWithThreeOrMoreAxes) {
    attach(2, 8);
    ASSERT_TRUE(k.stick.init());
    k.stick.useXaxis(0, 2);
    k.stick.useYaxis(0, 3);
    axis(0, 0, 30000);
    axis(0, 1, 30000);
    EXPECT_EQ(k.frame({}), QSDL_BTN::RIGHT1 | QSDL_BTN::DOWN1);
}

TEST_F(StickPads, ConfiguredAxesOnAFourAxisPad) {
    attach(4, 8);
    ASSERT_TRUE(k.stick.init());
    k.stick.useXaxis(0, 2);
    k.stick.useYaxis(0, 3);
    axis(0, 0, 30000); // ignored now
    axis(0, 2, -30000);
    axis(0, 3, -30000);
    EXPECT_EQ(k.frame({}), QSDL_BTN::LEFT1 | QSDL_BTN::UP1);
}

TEST_F(StickPads, SecondPadDrivesPlayerTwoWithPlayerOnesAxisChoice) {
    attach(4, 8);
    attach(4, 8);
    ASSERT_TRUE(k.stick.init());
    EXPECT_TRUE(QSDLpp_StickCls::Ujoy2F);
    k.stick.useXaxis(0, 3);
    axis(1, 0, 30000); // not the chosen axis
    axis(1, 3, 30000);
    button(1, 3, true); // player 2's default D
    button(1, 0, true);
    EXPECT_EQ(k.frame({}), QSDL_BTN::RIGHT2 | QSDL_BTN::D2 | QSDL_BTN::A2);
    EXPECT_TRUE(k.stick.start_Button());
    EXPECT_EQ(k.stick.getButtonsBits(1), (1u << 0) | (1u << 3));

    // Player 2 has no "unread" threshold: 99999 simply never trips.
    k.stick.calAxis(1, 99999);
    EXPECT_EQ(k.frame({}), QSDL_BTN::D2 | QSDL_BTN::A2);

    // Reassigned buttons from the record positions 12..15.
    JoySTICK::KeyAssign pads;
    std::memset(&pads, 0, sizeof pads);
    pads[4] = 7;
    pads[12] = 6;
    pads[15] = 5;
    k.stick.restorePadFromPtr(&pads);
    button(1, 0, false);
    button(1, 3, false);
    button(1, 6, true);
    button(1, 5, true);
    button(0, 7, true);
    EXPECT_EQ(k.frame({}), QSDL_BTN::A2 | QSDL_BTN::D2 | QSDL_BTN::A1);
}

TEST_F(StickPads, PadFieldsOfTheRecordReachTheInputObject) {
    attach(2, 12);
    ASSERT_TRUE(k.stick.init());
    PrefHandler pref("/nonexistent-folder/for-tests/mysdlcfg.pref", 1024);
    pref.createDefault(); // in memory only
    pref.setElement(SDLSetIdx::Pad1B, 9);
    pref.setElement(SDLSetIdx::Threshold1, 6); // 99999: pad directions unread
    pref.sdlRestoreConfigu(&k.stick, nullptr);
    button(0, 9, true);
    button(0, 1, true);
    axis(0, 0, 32767);
    EXPECT_EQ(k.frame({}), QSDL_BTN::B1);
}

TEST(StickPadDefaults, CopyDefaultPadWritesNineForBothDButtons) {
    QSDLpp_StickCls stick;
    JoySTICK::KeyAssign ka;
    for (int i = 0; i < 16; i++)
        ka[i] = -7;
    stick.copyDefaultPadToPtr(&ka);
    const int expected[16] = {-7, -7, -7, -7, 0, 1, 2, 9, -7, -7, -7, -7, 0, 1, 2, 9};
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(ka[i], expected[i]) << i;
}

// Input: the keyboard and up to 16 game controllers folded into one 16-bit button word
// per frame, plus recording and playback of that word for replay films.
//
// Button word: player 1 in the low byte, player 2 in the high byte; per player
// up 0x80, down 0x40, left 0x20, right 0x10, A 0x08, B 0x04, C 0x02, D 0x01.
// A player's direction nibble (word >> 4 for player 1, word >> 12 for player 2) reads
// 1 right, 2 left, 4 down, 8 up.
//
// Film events are 4 bytes: frame number (low 16 bits, big-endian) and the new word
// (big-endian). A film keeps at most 30,000 events; the D buttons never reach a film.
#pragma once

#include <cstdint>

#include <SDL.h>

// Sixteen key or button codes in record order: player 1 up, left, right, down, A, B,
// C, D, then player 2 in the same order. Controller button numbers use only the A..D
// entries (4..7 and 12..15).
namespace JoySTICK {
struct KeyAssign {
    int32_t code[16];
    int32_t& operator[](int i) { return code[i]; }
    const int32_t& operator[](int i) const { return code[i]; }
};
enum { UP = 0, LEFT = 1, RIGHT = 2, DOWN = 3, BTN_A = 4, BTN_B = 5, BTN_C = 6, BTN_D = 7, P2 = 8 };
} // namespace JoySTICK

// Bits of the button word.
namespace QSDL_BTN {
enum : uint16_t {
    UP1 = 0x0080,
    DOWN1 = 0x0040,
    LEFT1 = 0x0020,
    RIGHT1 = 0x0010,
    A1 = 0x0008,
    B1 = 0x0004,
    C1 = 0x0002,
    D1 = 0x0001,
    UP2 = 0x8000,
    DOWN2 = 0x4000,
    LEFT2 = 0x2000,
    RIGHT2 = 0x1000,
    A2 = 0x0800,
    B2 = 0x0400,
    C2 = 0x0200,
    D2 = 0x0100,
    D_BOTH = 0x0101,
};
} // namespace QSDL_BTN

enum {
    QSDL_MAX_JOYSTICKS = 16,
    QSDL_JOY_TEXT = 256,        // bytes of a controller's name or GUID slot
    QSDL_KEY_CHOICES = 13,      // entries of the key-choice table
    QSDL_THRESHOLD_CHOICES = 7, // entries of the stick-threshold table
    QSDL_FILM_MAX_EVENTS = 30000,
    QSDL_FILM_EVENT_BYTES = 4,
    QSDL_THRESHOLD_OFF = 99999, // player 1: controller directions are not read
};

// Direction tables indexed by a direction nibble: percentages and the clockwise
// direction number (0 up .. 7 up-left, -1 none or contradictory).
extern const int exchgtblX[16];
extern const int exchgtblY[16];
extern const int exchgtbl[16];

class QSDLpp_StickCls {
  public:
    QSDLpp_StickCls(); // tables and defaults only; no device access
    QSDLpp_StickCls(const QSDLpp_StickCls&) = delete;
    QSDLpp_StickCls& operator=(const QSDLpp_StickCls&) = delete;

    // Opens the joystick subsystem and every attached controller (at most 16).
    // True when at least one controller is open.
    bool init();

    // Reads (or, in playback, replays) this frame's word; call once per frame.
    uint16_t updStick(bool replay);

    bool trigA(int player) const;
    bool trigB(int player) const;
    bool trigC(int player) const;
    bool trigD(int player) const;
    void stickYX(int player, int& dy, int& dx) const;     // each -1, 0 or 1
    void stickYX100x(int player, int& dy, int& dx) const; // percentages
    int stickDir(int player) const;                       // -1..7, ignores reverse
    bool trigANY();      // player 1's A, C or D, read straight from the devices
    bool start_Button(); // D button of player 1 (first pad) or player 2 (second pad)
    int userKey(int scancode);
    // Player 1's D (pause) key, and player 1's D button on the first pad, as named by a
    // single key or button event (not by the last step's input word).
    bool isPauseKey(int scancode) const { return scancode > 0 && scancode == keyAssign[14]; }
    bool isPauseButton(int pad, int button) const { return pad == 0 && button >= 0 && button == padAssign[6]; }
    int padIndexOf(int instanceID) const; // the open pad with that SDL instance id, or -1
    void waitReleaseAnyButtons();
    uint32_t getButtonsBits(int pad);

    void calAxis(int player, int threshold);
    void enableReverse(int player, bool flag);
    void useXaxis(int player, int axis);
    void useYaxis(int player, int axis);

    void restoreKeyFromPtr(const JoySTICK::KeyAssign* ka);
    void getKeySetToPtr(JoySTICK::KeyAssign* ka) const;
    void restorePadFromPtr(const JoySTICK::KeyAssign* ka);
    void copyDefaultPadToPtr(JoySTICK::KeyAssign* ka) const;

    // Starts a film in `buffer` (4 bytes per event). While recording the buffer must
    // hold 30,000 events. For playback, `eventsAvailable` bounds how many events are
    // read (a loaded film holds fewer than the cap); playback never reads past it and
    // keeps the last word once the film is used up.
    void startSync(char* buffer, bool record, int eventsAvailable = QSDL_FILM_MAX_EVENTS);
    void stopSync();
    int endsync();

    uint16_t currentBits() const { return nowBits; }
    uint32_t frameCount() const { return frameCounter; }
    int eventCount() const { return filmEvents; }
    bool isRecording() const { return recordingF; }
    int joystickCount() const { return joyNum; }
    const char* joystickName(int n) const;
    const char* joystickGUID(int n) const;

    // Where the keyboard state comes from: null = SDL's key state array. A harness
    // (tests, film tools) can point this at its own array of SDL_NUM_SCANCODES bytes.
    void setKeyStateSource(const Uint8* keys) { keySource = keys; }

    static bool UjoyF;  // at least one controller open
    static bool Ujoy2F; // two or more

    // Tables selected by configuration indexes (public: the configuration and the
    // settings tool read them).
    int keyChoiceTbl[QSDL_KEY_CHOICES];
    int thresholdTbl[QSDL_THRESHOLD_CHOICES];

    // Controllers.
    SDL_Joystick* joyHandle[QSDL_MAX_JOYSTICKS];
    char joyName[QSDL_MAX_JOYSTICKS][QSDL_JOY_TEXT];
    char joyGUID[QSDL_MAX_JOYSTICKS][QSDL_JOY_TEXT];
    int joyButtons[QSDL_MAX_JOYSTICKS];
    int joyAxes[QSDL_MAX_JOYSTICKS];
    int joyHats[QSDL_MAX_JOYSTICKS];

  private:
    const Uint8* keyState(int* count) const;
    uint16_t readDevices();
    uint16_t readPad(int pad, int player, bool directions) const;
    bool padButton(int pad, int button) const;
    bool keyDown(int scancode) const;

    bool recordingF;
    int axisThreshold[2];
    bool reverseF[2];
    int xAxis[2];
    int yAxis[2];
    int keyAssign[16]; // interleaved: P1 up, P2 up, P1 down, P2 down, left, right, A..D
    int padAssign[8];  // interleaved: P1 A, P2 A, P1 B, P2 B, C, D pairs
    int filmEvents;
    uint16_t nowBits;
    uint16_t lastWritten;
    uint32_t frameCounter;
    char* filmPtr;

    uint32_t lastEventFrame; // frame of the last event written
    int filmLimit;           // events playback may read
    int playPos;             // next unread event in playback
    int joyNum;
    const Uint8* keySource;
};

// Chief header: including this one brings the whole input, sound and configuration
// layer and the framework singletons.
#include "qsdlpp2_globals.h"

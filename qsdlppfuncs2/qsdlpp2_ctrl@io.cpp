// Keyboard and controller input, folded into the per-frame button word, and the
// recording and playback of that word for replay films.
#include "qsdlpp2_ctrl@io.h"

#include <cstdio>
#include <cstring>

bool QSDLpp_StickCls::UjoyF = false;
bool QSDLpp_StickCls::Ujoy2F = false;

namespace {
// Bit of interleaved assignment entry i: entries run P1/P2 pairs of up, down, left,
// right, A, B, C, D, so the item is i / 2 and the player i & 1.
inline uint16_t assignBit(int i) {
    return uint16_t((0x80u >> (i >> 1)) << ((i & 1) * 8));
}
// Record order (up, left, right, down, A, B, C, D) to the item order of the word
// (up, down, left, right, A, B, C, D).
const int kRecordToItem[8] = {0, 2, 3, 1, 4, 5, 6, 7};

inline void putBE16(char* p, uint16_t v) {
    p[0] = char(v >> 8);
    p[1] = char(v & 0xFF);
}
inline uint16_t getBE16(const char* p) {
    return uint16_t((uint8_t(p[0]) << 8) | uint8_t(p[1]));
}
} // namespace

QSDLpp_StickCls::QSDLpp_StickCls() {
    static const int keys[QSDL_KEY_CHOICES] = {
        SDL_SCANCODE_Z,    SDL_SCANCODE_X,    SDL_SCANCODE_C,      SDL_SCANCODE_LSHIFT, SDL_SCANCODE_LCTRL,
        SDL_SCANCODE_LALT, SDL_SCANCODE_LGUI, SDL_SCANCODE_RSHIFT, SDL_SCANCODE_RCTRL,  SDL_SCANCODE_RALT,
        SDL_SCANCODE_KP_0, SDL_SCANCODE_5,    SDL_SCANCODE_SPACE};
    static const int thresholds[QSDL_THRESHOLD_CHOICES] = {0, 5, 50, 500, 5000, 10000, 99999};
    std::memcpy(keyChoiceTbl, keys, sizeof keyChoiceTbl);
    std::memcpy(thresholdTbl, thresholds, sizeof thresholdTbl);

    for (int i = 0; i < QSDL_MAX_JOYSTICKS; i++) {
        joyHandle[i] = nullptr;
        joyName[i][0] = 0;
        joyGUID[i][0] = 0;
        joyButtons[i] = joyAxes[i] = joyHats[i] = 0;
    }
    recordingF = false;
    for (int p = 0; p < 2; p++) {
        axisThreshold[p] = 1000;
        reverseF[p] = false;
        xAxis[p] = 0;
        yAxis[p] = 1;
    }
    static const int defKeys[16] = {
        SDL_SCANCODE_UP,     SDL_SCANCODE_I,      SDL_SCANCODE_DOWN,  SDL_SCANCODE_K,
        SDL_SCANCODE_LEFT,   SDL_SCANCODE_J,      SDL_SCANCODE_RIGHT, SDL_SCANCODE_L,
        SDL_SCANCODE_Z,      SDL_SCANCODE_RSHIFT, SDL_SCANCODE_X,     SDL_SCANCODE_RALT,
        SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RCTRL,  SDL_SCANCODE_SPACE, SDL_SCANCODE_SPACE};
    std::memcpy(keyAssign, defKeys, sizeof keyAssign);
    static const int defPad[8] = {0, 0, 1, 1, 2, 2, 4, 3};
    std::memcpy(padAssign, defPad, sizeof padAssign);

    filmEvents = 0;
    nowBits = 0;
    lastWritten = 0xFFFF;
    frameCounter = 0;
    lastEventFrame = 0;
    filmPtr = nullptr;
    filmLimit = 0;
    playPos = 0;
    joyNum = 0;
    keySource = nullptr;
}

bool QSDLpp_StickCls::init() {
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) < 0) {
        UjoyF = Ujoy2F = false;
        return false;
    }
    // Forget controllers opened by an earlier call.
    for (int i = 0; i < QSDL_MAX_JOYSTICKS; i++) {
        if (joyHandle[i]) SDL_JoystickClose(joyHandle[i]);
        joyHandle[i] = nullptr;
        joyName[i][0] = joyGUID[i][0] = 0;
        joyButtons[i] = joyAxes[i] = joyHats[i] = 0;
    }
    int n = SDL_NumJoysticks();
    if (n > QSDL_MAX_JOYSTICKS) n = QSDL_MAX_JOYSTICKS;
    joyNum = 0;
    for (int i = 0; i < n; i++) {
        SDL_Joystick* j = SDL_JoystickOpen(i);
        if (!j) continue;
        int k = joyNum++;
        joyHandle[k] = j;
        const char* name = SDL_JoystickName(j);
        std::snprintf(joyName[k], QSDL_JOY_TEXT, "%s", name ? name : "");
        SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(j), joyGUID[k], QSDL_JOY_TEXT);
        joyButtons[k] = SDL_JoystickNumButtons(j);
        joyAxes[k] = SDL_JoystickNumAxes(j);
        joyHats[k] = SDL_JoystickNumHats(j);
    }
    if (joyNum == 0) {
        UjoyF = Ujoy2F = false;
        std::strcpy(joyGUID[0], "-"); // the settings tool reads this as "no controller"
        return false;
    }
    UjoyF = true;
    Ujoy2F = joyNum > 1;
    SDL_JoystickUpdate();
    return true;
}

const Uint8* QSDLpp_StickCls::keyState(int* count) const {
    if (keySource) {
        *count = SDL_NUM_SCANCODES;
        return keySource;
    }
    return SDL_GetKeyboardState(count);
}

bool QSDLpp_StickCls::keyDown(int scancode) const {
    int count = 0;
    const Uint8* keys = keyState(&count);
    return keys && scancode >= 0 && scancode < count && keys[scancode] == 1;
}

bool QSDLpp_StickCls::padButton(int pad, int button) const {
    if (pad < 0 || pad >= joyNum || !joyHandle[pad]) return false;
    if (button < 0 || button >= joyButtons[pad]) return false;
    return SDL_JoystickGetButton(joyHandle[pad], button) != 0;
}

// One controller's contribution for one player (bits in player 1's byte).
uint16_t QSDLpp_StickCls::readPad(int pad, int player, bool directions) const {
    uint16_t bits = 0;
    SDL_Joystick* j = joyHandle[pad];
    if (!j) return 0;
    if (directions) {
        // Both pads take player 1's axis choice, and only when the pad has 3+ axes.
        int ax = joyAxes[pad] >= 3 ? xAxis[0] : 0;
        int ay = joyAxes[pad] >= 3 ? yAxis[0] : 1;
        int th = axisThreshold[player];
        int x = (ax >= 0 && ax < joyAxes[pad]) ? int16_t(SDL_JoystickGetAxis(j, ax)) : 0;
        int y = (ay >= 0 && ay < joyAxes[pad]) ? int16_t(SDL_JoystickGetAxis(j, ay)) : 0;
        if (x > th) bits |= QSDL_BTN::RIGHT1;
        if (x < -th) bits |= QSDL_BTN::LEFT1;
        if (y > th) bits |= QSDL_BTN::DOWN1;
        if (y < -th) bits |= QSDL_BTN::UP1;
    }
    static const uint16_t btn[4] = {QSDL_BTN::A1, QSDL_BTN::B1, QSDL_BTN::C1, QSDL_BTN::D1};
    for (int b = 0; b < 4; b++)
        if (padButton(pad, padAssign[b * 2 + player])) bits |= btn[b];
    return bits;
}

uint16_t QSDLpp_StickCls::readDevices() {
    uint16_t bits = 0;
    int count = 0;
    const Uint8* keys = keyState(&count);
    for (int i = 0; i < 16; i++) {
        int sc = keyAssign[i];
        if (keys && sc >= 0 && sc < count && keys[sc] == 1) bits |= assignBit(i);
    }
    SDL_PumpEvents();
    if (UjoyF) {
        SDL_JoystickUpdate();
        bits |= readPad(0, 0, axisThreshold[0] != QSDL_THRESHOLD_OFF);
        if (Ujoy2F) bits |= uint16_t(readPad(1, 1, true) << 8);
    }
    return bits;
}

uint16_t QSDLpp_StickCls::updStick(bool replay) {
    if (!replay || recordingF) {
        nowBits = readDevices();
        if (recordingF) {
            // The D buttons (pause/menu) never reach a film.
            nowBits &= uint16_t(~QSDL_BTN::D_BOTH);
            // Frame numbers are kept in 16 bits: an unchanged word is written again
            // before 65,536 frames pass, or playback would take the next change a lap
            // early.
            bool stale = frameCounter - lastEventFrame >= 0xFFFFu;
            if (filmPtr && (nowBits != lastWritten || stale) && filmEvents < QSDL_FILM_MAX_EVENTS) {
                char* ev = filmPtr + filmEvents * QSDL_FILM_EVENT_BYTES;
                putBE16(ev, uint16_t(frameCounter & 0xFFFF));
                putBE16(ev + 2, nowBits);
                filmEvents++;
                lastWritten = nowBits;
                lastEventFrame = frameCounter;
            }
        }
    } else if (filmPtr && playPos < filmLimit) {
        const char* ev = filmPtr + playPos * QSDL_FILM_EVENT_BYTES;
        if (getBE16(ev) == uint16_t(frameCounter & 0xFFFF)) {
            nowBits = getBE16(ev + 2);
            playPos++;
        }
    }
    frameCounter++;
    return nowBits;
}

bool QSDLpp_StickCls::trigA(int player) const {
    return nowBits & (QSDL_BTN::A1 << (8 * (player & 1)));
}
bool QSDLpp_StickCls::trigB(int player) const {
    return nowBits & (QSDL_BTN::B1 << (8 * (player & 1)));
}
bool QSDLpp_StickCls::trigC(int player) const {
    return nowBits & (QSDL_BTN::C1 << (8 * (player & 1)));
}
bool QSDLpp_StickCls::trigD(int player) const {
    return nowBits & (QSDL_BTN::D1 << (8 * (player & 1)));
}

namespace {
inline int nibbleOf(uint16_t bits, int player) {
    return (bits >> (4 + 8 * (player & 1))) & 15;
}
} // namespace

void QSDLpp_StickCls::stickYX(int player, int& dy, int& dx) const {
    int nb = nibbleOf(nowBits, player);
    dy = ((nb >> 2) & 1) - ((nb >> 3) & 1);
    dx = (nb & 1) - ((nb >> 1) & 1);
    if (reverseF[player & 1]) {
        dy = -dy;
        dx = -dx;
    }
}

void QSDLpp_StickCls::stickYX100x(int player, int& dy, int& dx) const {
    int nb = nibbleOf(nowBits, player);
    dx = exchgtblX[nb];
    dy = exchgtblY[nb];
    if (reverseF[player & 1]) {
        dy = -dy;
        dx = -dx;
    }
}

int QSDLpp_StickCls::stickDir(int player) const {
    return exchgtbl[nibbleOf(nowBits, player)];
}

bool QSDLpp_StickCls::trigANY() {
    // Player 1's A, C and D keys sit at interleaved entries 8, 12 and 14.
    if (keyDown(keyAssign[8]) || keyDown(keyAssign[12]) || keyDown(keyAssign[14])) return true;
    if (UjoyF) {
        SDL_JoystickUpdate();
        if (padButton(0, padAssign[0]) || padButton(0, padAssign[4]) || padButton(0, padAssign[6]))
            return true;
    }
    return false;
}

bool QSDLpp_StickCls::start_Button() {
    if (!UjoyF) return false;
    SDL_JoystickUpdate();
    if (padButton(0, padAssign[6])) return true;
    return Ujoy2F && padButton(1, padAssign[7]);
}

int QSDLpp_StickCls::padIndexOf(int instanceID) const {
    for (int k = 0; k < joyNum && k < QSDL_MAX_JOYSTICKS; k++)
        if (joyHandle[k] && SDL_JoystickInstanceID(joyHandle[k]) == instanceID) return k;
    return -1;
}

int QSDLpp_StickCls::userKey(int scancode) {
    return keyDown(scancode) ? 1 : 0;
}

void QSDLpp_StickCls::waitReleaseAnyButtons() {
    const uint16_t p1Buttons = QSDL_BTN::A1 | QSDL_BTN::B1 | QSDL_BTN::C1 | QSDL_BTN::D1;
    for (;;) {
        uint16_t bits = updStick(false);
        if (!(bits & p1Buttons) && !keyDown(SDL_SCANCODE_RETURN)) break;
        SDL_Delay(1);
    }
}

uint32_t QSDLpp_StickCls::getButtonsBits(int pad) {
    if (pad < 0 || pad > 1 || pad >= joyNum) return 0;
    SDL_JoystickUpdate();
    uint32_t mask = 0;
    for (int b = 0; b < 16; b++)
        if (padButton(pad, b)) mask |= 1u << b;
    return mask;
}

void QSDLpp_StickCls::calAxis(int player, int threshold) {
    axisThreshold[player & 1] = threshold;
}
void QSDLpp_StickCls::enableReverse(int player, bool flag) {
    reverseF[player & 1] = flag;
}
void QSDLpp_StickCls::useXaxis(int player, int axis) {
    xAxis[player & 1] = axis;
}
void QSDLpp_StickCls::useYaxis(int player, int axis) {
    yAxis[player & 1] = axis;
}

void QSDLpp_StickCls::restoreKeyFromPtr(const JoySTICK::KeyAssign* ka) {
    for (int p = 0; p < 2; p++)
        for (int r = 0; r < 8; r++)
            keyAssign[kRecordToItem[r] * 2 + p] = ka->code[p * 8 + r];
}

void QSDLpp_StickCls::getKeySetToPtr(JoySTICK::KeyAssign* ka) const {
    for (int p = 0; p < 2; p++)
        for (int r = 0; r < 8; r++)
            ka->code[p * 8 + r] = keyAssign[kRecordToItem[r] * 2 + p];
}

void QSDLpp_StickCls::restorePadFromPtr(const JoySTICK::KeyAssign* ka) {
    for (int p = 0; p < 2; p++)
        for (int b = 0; b < 4; b++)
            padAssign[b * 2 + p] = ka->code[p * 8 + 4 + b];
}

void QSDLpp_StickCls::copyDefaultPadToPtr(JoySTICK::KeyAssign* ka) const {
    static const int defaults[4] = {0, 1, 2, 9};
    for (int p = 0; p < 2; p++)
        for (int b = 0; b < 4; b++)
            ka->code[p * 8 + 4 + b] = defaults[b];
}

void QSDLpp_StickCls::startSync(char* buffer, bool record, int eventsAvailable) {
    filmPtr = buffer;
    filmEvents = 0;
    frameCounter = 0;
    lastWritten = 0xFFFF;
    lastEventFrame = 0;
    recordingF = record;
    playPos = 0;
    if (eventsAvailable < 0) eventsAvailable = 0;
    filmLimit = eventsAvailable < QSDL_FILM_MAX_EVENTS ? eventsAvailable : QSDL_FILM_MAX_EVENTS;
}

void QSDLpp_StickCls::stopSync() {
    recordingF = false;
}

int QSDLpp_StickCls::endsync() {
    recordingF = false;
    return filmEvents;
}

const char* QSDLpp_StickCls::joystickName(int n) const {
    return (n >= 0 && n < QSDL_MAX_JOYSTICKS) ? joyName[n] : "";
}

const char* QSDLpp_StickCls::joystickGUID(int n) const {
    return (n >= 0 && n < QSDL_MAX_JOYSTICKS) ? joyGUID[n] : "";
}

// The settings menu: a ring of 32 items that turns left and right; each item lists its
// choices, and Space confirms the choice under the cursor. Items 2..30 edit the fields
// 0..28 of the configuration record (item = field + 2); every confirmed choice goes into
// the record and the whole record is applied again at once, so the effect is heard or
// seen. The file changes only through the exit item's save choices.
#pragma once

#include <SDL.h>

#include "qsdlpp2_configuration.h"

enum {
    CFG_ITEMS = 32,       // items on the ring
    CFG_LINES = 16,       // choice lines held per item
    CFG_LINE_BYTES = 256, // bytes per choice line
    CFG_TURNING = 34,     // current item while the ring turns
    CFG_TENTHS = 10,      // ring angle steps per item
    CFG_RING_STEPS = CFG_ITEMS * CFG_TENTHS,
    CFG_INFO_ITEM = 0,   // controller information page
    CFG_DETECT_ITEM = 1, // looks for controllers again
    CFG_FIRST_FIELD_ITEM = 2,
    CFG_LAST_FIELD_ITEM = 30,
    CFG_GAMMA_ITEM = 5, // shows the gamma test picture
    CFG_BGM_ITEM = 6,
    CFG_MUSVOL_ITEM = 7,
    CFG_EXIT_ITEM = 31,
};

// Choices of the exit item.
namespace CfgExit {
enum : int { QUIT = 0, SAVE_AND_QUIT = 2, SAVE_AND_STAY = 3, RESET = 5 };
}

// The menu text of the settings program.
#define CFG_MENU_TEXT_PATH "resourcesQSDL/menutext.dttx"
// The text export written beside the preference file at every save.
#define CFG_EXPORT_PATH "exportSetting.pref"

class configmainCls {
  public:
    // Reads the menu text and takes the record from SYS_GLOBALS::SdlConfiguCtrl.
    configmainCls();
    explicit configmainCls(const char* menuTextPath);

    // One key (SDL key code); 1 when the program is to quit, else 0.
    int press(int key);
    // One frame: advances a turn, then draws the current item's page over the overlay.
    void mainloop(int);
    // Draws the ring in perspective and the overlay (title, input display).
    void disp(int);

    // State, for the drawing code and the tests.
    int currentItem() const { return nowItem; }
    int targetItem() const { return nextItem; }
    int ringAngle() const { return ringAng; }
    int cursor() const { return cursorPos; }
    int storedChoice() const { return storedSel; }
    int choiceCount(int item) const;
    const char* choiceText(int item, int line) const;
    bool turning() const { return nowItem == CFG_TURNING; }
    // What the last save choice did, as shown on screen ("" before any save).
    const char* saveMessage() const { return saveNote; }

  private:
    void readMenuText(const char* path);
    void turnTo(int target, int direction);
    void arrive();
    int confirm();
    int exitChoice(int choice);
    bool saveRecord();
    void drawPage(int item);
    void drawControllerPage();
    void drawButtonTest(int pad, const double* colour, int x);

    int nowItem;   // 0..31, or CFG_TURNING
    int nextItem;  // target of a turn
    int ringAng;   // tenths of an item, 0..319
    int turnDir;   // -1 or +1
    int cursorPos; // choice under selection
    int storedSel; // choice held in the record for the current item (-1: none)
    SDLSet* ref;
    char texts[CFG_ITEMS][CFG_LINES][CFG_LINE_BYTES];
    int counts[CFG_ITEMS];
    char saveNote[384]; // result of the last save, shown under the choices
};

// Frame-loop event handling of the settings program (effects, digits, quitting);
// 1 when the program is to quit.
int cfgHandleEvent(configmainCls* menu, const SDL_Event& ev);

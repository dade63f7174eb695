// The settings program's menu without a window: the menu text, turning the ring, the
// cursor, confirming choices into the record (applied at once, saved only by the exit
// item), the exit item's choices and the frame loop's key handling.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "configmain.h"
#include "core_testutil.h"
#include "globals.h"

using coretest::readAll;
using coretest::ScratchDir;
using coretest::writeAll;
using SYS_GLOBALS::SdlConfiguCtrl;

namespace {

const int32_t* const kTool = coretest::kToolPref;
const int32_t* const kGame = coretest::kGamePref;

// A menu text with a known number of choices per item: item k has (k % 5) + 6 lines,
// the exit item six.
std::string sampleMenuText() {
    std::string t;
    for (int item = 0; item < CFG_EXIT_ITEM; item++) {
        for (int i = 0; i < item % 5 + 6; i++)
            t += "item " + std::to_string(item) + " choice " + std::to_string(i) + "\n";
        t += "# item " + std::to_string(item) + "\n";
    }
    for (int i = 0; i < 6; i++)
        t += "exit " + std::to_string(i) + "\n";
    t += "# exit\n";
    return t;
}

void writeText(const std::string& path, const std::string& text) {
    writeAll(path, std::vector<uint8_t>(text.begin(), text.end()));
}

// Runs each test in a scratch folder as the settings program, with a preference file of
// the game's defaults (1,030 bytes, trailing bytes 0xAB) and the sample menu text.
class ConfiguratorMenu : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(getcwd(oldDir, sizeof(oldDir)), nullptr);
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
        QSDL_GLOBALS::useSettingsToolVariant(true);
        writeAll("mysdlcfg.pref", coretest::prefFile(kGame, 30, 1030, 0xAB));
        writeText("menu.txt", sampleMenuText());
        ASSERT_FALSE(SdlConfiguCtrl.autoPref()); // read, not created
        SdlConfiguCtrl.sdlRestoreConfigu(&SYS_GLOBALS::Stick, &SYS_GLOBALS::music);
        menu.reset(new configmainCls("menu.txt"));
    }
    void TearDown() override {
        SYS_GLOBALS::Stick.setKeyStateSource(nullptr);
        QSDL_GLOBALS::useSettingsToolVariant(false);
        QSDL_GLOBALS::PlayBGMF = true;
        ASSERT_EQ(chdir(oldDir), 0);
    }

    // Turns the ring to `item` with Left presses, ten frames each.
    void goTo(int item) {
        for (int i = 0; i < CFG_ITEMS && menu->currentItem() != item; i++) {
            menu->press(SDLK_LEFT);
            for (int f = 0; f < CFG_TENTHS; f++)
                menu->mainloop(0);
        }
    }
    void choose(int choice) {
        for (int i = 0; i < CFG_LINES && menu->cursor() > choice; i++)
            menu->press(SDLK_UP);
        for (int i = 0; i < CFG_LINES && menu->cursor() < choice; i++)
            menu->press(SDLK_DOWN);
        ASSERT_EQ(menu->cursor(), choice);
    }
    int field(int f) const { return SdlConfiguCtrl.getElement(f); }

    char oldDir[4096];
    ScratchDir dir;
    std::unique_ptr<configmainCls> menu;
};

SDL_Event keyDown(SDL_Keycode key) {
    SDL_Event ev;
    std::memset(&ev, 0, sizeof(ev));
    ev.type = SDL_KEYDOWN;
    ev.key.keysym.sym = key;
    return ev;
}

} // namespace

// ---- Menu text -------------------------------------------------------------------------

TEST_F(ConfiguratorMenu, MenuTextLinesGoToItemsInOrderAndNumberSignsCloseThem) {
    for (int item = 0; item < CFG_EXIT_ITEM; item++) {
        ASSERT_EQ(menu->choiceCount(item), item % 5 + 6) << "item " << item;
        EXPECT_EQ(std::string(menu->choiceText(item, 1)),
                  "item " + std::to_string(item) + " choice 1"); // no line break kept
    }
    EXPECT_EQ(menu->choiceCount(CFG_EXIT_ITEM), 6);
    EXPECT_STREQ(menu->choiceText(3, 99), "");
    EXPECT_STREQ(menu->choiceText(40, 0), "");
}

TEST_F(ConfiguratorMenu, MenuTextHoldsAtMostSixteenLinesAndThirtyTwoItems) {
    std::string t;
    for (int i = 0; i < 20; i++)
        t += "many\n";
    t += "#\n";
    for (int item = 1; item < 40; item++)
        t += "x\n#\n";
    writeText("big.txt", t);
    configmainCls big("big.txt");
    EXPECT_EQ(big.choiceCount(0), CFG_LINES);
    EXPECT_EQ(big.choiceCount(31), 1);
    EXPECT_EQ(big.choiceCount(32), 0);
}

TEST_F(ConfiguratorMenu, WithoutMenuTextTheKeysStillWorkOnTheRecord) {
    configmainCls bare("no-such-file.txt");
    for (int item = 0; item < CFG_ITEMS; item++)
        EXPECT_EQ(bare.choiceCount(item), 0);
    bare.press(SDLK_DOWN);
    EXPECT_EQ(bare.cursor(), 0);
    for (int step = 0; step < 3; step++) { // to item 3, Window Size
        bare.press(SDLK_LEFT);
        for (int f = 0; f < CFG_TENTHS; f++)
            bare.mainloop(0);
    }
    ASSERT_EQ(bare.currentItem(), 3);
    bare.press(SDLK_SPACE);
    EXPECT_EQ(field(SDLSetIdx::WindowSize), 0);
}

// ---- Turning and the cursor -----------------------------------------------------------

TEST_F(ConfiguratorMenu, LeftTurnsToTheNextItemInTenFramesAndKeysWaitMeanwhile) {
    menu->press(SDLK_DOWN);
    ASSERT_EQ(menu->cursor(), 1);
    menu->press(SDLK_LEFT);
    EXPECT_EQ(menu->currentItem(), CFG_TURNING);
    EXPECT_EQ(menu->targetItem(), 1);
    for (int f = 1; f < CFG_TENTHS; f++) {
        menu->mainloop(0);
        ASSERT_TRUE(menu->turning()) << "frame " << f;
        EXPECT_EQ(menu->ringAngle(), f);
        // Keys are ignored while turning.
        EXPECT_EQ(menu->press(SDLK_SPACE), 0);
        menu->press(SDLK_LEFT);
        menu->press(SDLK_DOWN);
    }
    menu->mainloop(0);
    EXPECT_EQ(menu->currentItem(), 1);
    EXPECT_EQ(menu->ringAngle(), 10);
    EXPECT_EQ(menu->cursor(), 0);
}

TEST_F(ConfiguratorMenu, RightFromTheFirstItemWrapsToTheExitItem) {
    menu->press(SDLK_RIGHT);
    EXPECT_EQ(menu->targetItem(), CFG_EXIT_ITEM);
    for (int f = 0; f < CFG_TENTHS; f++)
        menu->mainloop(0);
    EXPECT_EQ(menu->currentItem(), CFG_EXIT_ITEM);
    EXPECT_EQ(menu->ringAngle(), 310);
    // And Left from there comes back to item 0 with the angle wrapping to 0.
    menu->press(SDLK_LEFT);
    for (int f = 0; f < CFG_TENTHS; f++)
        menu->mainloop(0);
    EXPECT_EQ(menu->currentItem(), 0);
    EXPECT_EQ(menu->ringAngle(), 0);
}

TEST_F(ConfiguratorMenu, ArrivingOnAFieldItemShowsTheRecordsChoice) {
    goTo(3); // Window Size: the file holds 5
    EXPECT_EQ(menu->storedChoice(), 5);
    goTo(7); // Music Vol 0
    EXPECT_EQ(menu->storedChoice(), 0);
    goTo(30); // KB 1P D Button, field 28
    EXPECT_EQ(menu->storedChoice(), 12);
    goTo(CFG_EXIT_ITEM);
    EXPECT_EQ(menu->storedChoice(), -1);
}

TEST_F(ConfiguratorMenu, CursorStaysInsideTheItemsChoices) {
    goTo(2); // eight choices
    for (int i = 0; i < 12; i++)
        menu->press(SDLK_DOWN);
    EXPECT_EQ(menu->cursor(), 7);
    for (int i = 0; i < 12; i++)
        menu->press(SDLK_UP);
    EXPECT_EQ(menu->cursor(), 0);
    goTo(CFG_EXIT_ITEM);
    for (int i = 0; i < 9; i++)
        menu->press(SDLK_DOWN);
    EXPECT_EQ(menu->cursor(), 5);
}

// ---- Confirming choices ----------------------------------------------------------------

TEST_F(ConfiguratorMenu, ConfirmedChoiceIsAppliedAtOnceButNotWritten) {
    const std::vector<uint8_t> before = readAll("mysdlcfg.pref");
    goTo(3);
    choose(5);
    menu->press(SDLK_SPACE);
    EXPECT_EQ(field(SDLSetIdx::WindowSize), 5);
    EXPECT_EQ(menu->storedChoice(), 5);
    EXPECT_EQ(SdlConfiguCtrl.getWindowScale(), 300);
    EXPECT_EQ(readAll("mysdlcfg.pref"), before);
    EXPECT_FALSE(coretest::fileExists("exportSetting.pref"));

    // Player 1's direction set 5 (arrows reversed) acts on the input at once.
    goTo(8);
    choose(5);
    menu->press(SDLK_SPACE);
    std::vector<Uint8> keys(SDL_NUM_SCANCODES, 0);
    keys[SDL_SCANCODE_UP] = 1;
    SYS_GLOBALS::Stick.setKeyStateSource(keys.data());
    uint16_t bits = SYS_GLOBALS::Stick.updStick(false);
    EXPECT_EQ(bits & 0xF0, QSDL_BTN::DOWN1);
    EXPECT_EQ(readAll("mysdlcfg.pref"), before);
}

TEST_F(ConfiguratorMenu, InformationPageIgnoresSpaceAndItemOneLooksForControllersAgain) {
    int32_t snapshot[30];
    for (int i = 0; i < 30; i++)
        snapshot[i] = field(i);
    menu->press(SDLK_DOWN);
    menu->press(SDLK_SPACE); // item 0
    goTo(CFG_DETECT_ITEM);
    std::strcpy(SYS_GLOBALS::Stick.joyGUID[0], "stale");
    menu->press(SDLK_SPACE);
    // init ran: the controller table was refreshed from the devices.
    const int pads = SDL_NumJoysticks();
    EXPECT_EQ(SYS_GLOBALS::Stick.joystickCount(), pads > 16 ? 16 : pads);
    if (pads == 0) {
        EXPECT_STREQ(SYS_GLOBALS::Stick.joyGUID[0], "-");
    }
    for (int i = 0; i < 30; i++)
        EXPECT_EQ(field(i), snapshot[i]) << "field " << i;
}

TEST_F(ConfiguratorMenu, MusicItemSwitchesMusicAndVolumeItemSetsThePlayingVolume) {
    goTo(CFG_BGM_ITEM);
    choose(1);
    menu->press(SDLK_SPACE);
    EXPECT_EQ(field(SDLSetIdx::BGMOff), 1);
    EXPECT_FALSE(QSDL_GLOBALS::PlayBGMF);
    choose(0);
    menu->press(SDLK_SPACE);
    EXPECT_EQ(field(SDLSetIdx::BGMOff), 0);
    EXPECT_TRUE(QSDL_GLOBALS::PlayBGMF);

    goTo(CFG_MUSVOL_ITEM);
    choose(4); // 30 %
    menu->press(SDLK_SPACE);
    EXPECT_EQ(field(SDLSetIdx::MusicVol), 4);
    EXPECT_EQ(Mix_VolumeMusic(-1), 30 * 128 / 100);
    choose(1); // 80 %
    menu->press(SDLK_SPACE);
    EXPECT_EQ(Mix_VolumeMusic(-1), 80 * 128 / 100);
}

// ---- The exit item ----------------------------------------------------------------------

TEST_F(ConfiguratorMenu, QuitWithoutSavingLeavesTheFileAlone) {
    const std::vector<uint8_t> before = readAll("mysdlcfg.pref");
    goTo(3);
    choose(2);
    menu->press(SDLK_SPACE);
    goTo(CFG_EXIT_ITEM);
    for (int c : {1, 4}) { // the "stay here" choices do nothing
        choose(c);
        EXPECT_EQ(menu->press(SDLK_SPACE), 0);
    }
    choose(CfgExit::QUIT);
    EXPECT_EQ(menu->press(SDLK_SPACE), 1);
    EXPECT_EQ(readAll("mysdlcfg.pref"), before);
    EXPECT_FALSE(coretest::fileExists("exportSetting.pref"));
}

TEST_F(ConfiguratorMenu, SaveAndStayTwiceWritesIdenticalFilesKeepingLengthAndTail) {
    goTo(3);
    choose(2);
    menu->press(SDLK_SPACE);
    goTo(CFG_EXIT_ITEM);
    choose(CfgExit::SAVE_AND_STAY);
    EXPECT_EQ(menu->press(SDLK_SPACE), 0);
    std::vector<uint8_t> first = readAll("mysdlcfg.pref");
    std::vector<uint8_t> expected = coretest::prefFile(kGame, 30, 1030, 0xAB);
    coretest::putBE32(expected, 4, 2);
    EXPECT_EQ(first, expected);
    std::vector<uint8_t> text = readAll("exportSetting.pref");
    const std::string head = "#Display Settings\rFullSC: 0\rWindow Size: 2\r";
    ASSERT_GE(text.size(), head.size());
    EXPECT_EQ(std::string(text.begin(), text.begin() + long(head.size())), head);

    EXPECT_EQ(menu->press(SDLK_SPACE), 0);
    EXPECT_EQ(readAll("mysdlcfg.pref"), first);
    EXPECT_EQ(readAll("exportSetting.pref"), text);
    EXPECT_EQ(field(SDLSetIdx::WindowSize), 2); // host order in memory after saving
}

TEST_F(ConfiguratorMenu, SaveAndQuitWritesAndQuits) {
    goTo(CFG_EXIT_ITEM);
    choose(CfgExit::SAVE_AND_QUIT);
    EXPECT_EQ(menu->press(SDLK_SPACE), 1);
    EXPECT_EQ(readAll("mysdlcfg.pref"), coretest::prefFile(kGame, 30, 1030, 0xAB));
    EXPECT_TRUE(coretest::fileExists("exportSetting.pref"));
}

TEST_F(ConfiguratorMenu, FailedSavesNameTheFileThatCouldNotBeWritten) {
    // A non-empty folder in a file's place: that file cannot be written.
    auto block = [](const char* name) {
        std::remove(name);
        ASSERT_EQ(mkdir(name, 0755), 0);
        ASSERT_EQ(mkdir((std::string(name) + "/x").c_str(), 0755), 0);
    };
    auto unblock = [](const char* name) {
        rmdir((std::string(name) + "/x").c_str());
        rmdir(name);
    };
    goTo(CFG_EXIT_ITEM);
    EXPECT_STREQ(menu->saveMessage(), "");

    // Only the export fails: the settings themselves were saved, and the message says so.
    block("exportSetting.pref");
    choose(CfgExit::SAVE_AND_QUIT);
    EXPECT_EQ(menu->press(SDLK_SPACE), 0); // stays open to show it
    EXPECT_STREQ(menu->saveMessage(), "Settings saved, but exportSetting.pref could not be written.");
    EXPECT_EQ(readAll("mysdlcfg.pref"), coretest::prefFile(kGame, 30, 1030, 0xAB));

    // "Save and stay" reports its failure the same way instead of failing silently.
    choose(CfgExit::SAVE_AND_STAY);
    EXPECT_EQ(menu->press(SDLK_SPACE), 0);
    EXPECT_STREQ(menu->saveMessage(), "Settings saved, but exportSetting.pref could not be written.");
    unblock("exportSetting.pref");

    // Only the settings file fails.
    block("mysdlcfg.pref");
    EXPECT_EQ(menu->press(SDLK_SPACE), 0);
    EXPECT_STREQ(menu->saveMessage(), "Not saved: mysdlcfg.pref could not be written.");
    EXPECT_TRUE(coretest::fileExists("exportSetting.pref"));

    // Both.
    std::remove("exportSetting.pref");
    block("exportSetting.pref");
    choose(CfgExit::SAVE_AND_QUIT);
    EXPECT_EQ(menu->press(SDLK_SPACE), 0);
    EXPECT_STREQ(menu->saveMessage(),
                 "Not saved: mysdlcfg.pref and exportSetting.pref could not be written.");
    unblock("exportSetting.pref");
    unblock("mysdlcfg.pref");

    // Both written: confirmed on screen, and "save and quit" quits.
    choose(CfgExit::SAVE_AND_STAY);
    EXPECT_EQ(menu->press(SDLK_SPACE), 0);
    EXPECT_STREQ(menu->saveMessage(), "Settings saved.");
    choose(CfgExit::SAVE_AND_QUIT);
    EXPECT_EQ(menu->press(SDLK_SPACE), 1);
}

TEST_F(ConfiguratorMenu, ResetRestoresTheToolDefaultsOnlyInMemoryUntilASave) {
    const std::vector<uint8_t> before = readAll("mysdlcfg.pref");
    goTo(CFG_EXIT_ITEM);
    choose(CfgExit::RESET);
    EXPECT_EQ(menu->press(SDLK_SPACE), 0);
    for (int i = 0; i < 30; i++)
        EXPECT_EQ(field(i), kTool[i]) << "field " << i;
    EXPECT_EQ(readAll("mysdlcfg.pref"), before);
    // Not applied either: the derived window scale still follows the file's 300 %.
    EXPECT_EQ(SdlConfiguCtrl.getWindowScale(), 300);
    choose(CfgExit::SAVE_AND_STAY);
    menu->press(SDLK_SPACE);
    EXPECT_EQ(readAll("mysdlcfg.pref"), coretest::prefFile(kTool, 30, 1030, 0xAB));
}

// ---- Frame-loop events -------------------------------------------------------------------

TEST_F(ConfiguratorMenu, DigitKeysNeverChangeTheRecordOrTheMenu) {
    int32_t snapshot[30];
    for (int item : {3, 6, int(CFG_EXIT_ITEM)}) {
        goTo(item);
        menu->press(SDLK_DOWN);
        for (int i = 0; i < 30; i++)
            snapshot[i] = field(i);
        for (int d = 0; d <= 9; d++) {
            EXPECT_EQ(cfgHandleEvent(menu.get(), keyDown(SDLK_0 + d)), 0);
        }
        EXPECT_EQ(cfgHandleEvent(menu.get(), keyDown(SDLK_F1)), 0);
        EXPECT_EQ(cfgHandleEvent(menu.get(), keyDown(SDLK_F2)), 0);
        EXPECT_EQ(menu->currentItem(), item);
        EXPECT_EQ(menu->cursor(), 1);
        for (int i = 0; i < 30; i++)
            ASSERT_EQ(field(i), snapshot[i]) << "field " << i;
    }
    EXPECT_FALSE(coretest::fileExists("exportSetting.pref"));
}

TEST_F(ConfiguratorMenu, EventsQuitOnEscapeWindowCloseAndAllFourButtons) {
    EXPECT_EQ(cfgHandleEvent(menu.get(), keyDown(SDLK_ESCAPE)), 1);
    SDL_Event ev;
    std::memset(&ev, 0, sizeof(ev));
    ev.type = SDL_QUIT;
    EXPECT_EQ(cfgHandleEvent(menu.get(), ev), 1);
    ev.type = SDL_WINDOWEVENT;
    ev.window.event = SDL_WINDOWEVENT_CLOSE;
    EXPECT_EQ(cfgHandleEvent(menu.get(), ev), 1);
    ev.window.event = SDL_WINDOWEVENT_EXPOSED;
    EXPECT_EQ(cfgHandleEvent(menu.get(), ev), 0);

    // Keys go to the menu: Left starts a turn.
    EXPECT_EQ(cfgHandleEvent(menu.get(), keyDown(SDLK_LEFT)), 0);
    EXPECT_TRUE(menu->turning());

    // Player 1's A, B, C and D (Z, X, C, Space with the defaults) held: any other event
    // quits; three of them do not.
    std::vector<Uint8> keys(SDL_NUM_SCANCODES, 0);
    keys[SDL_SCANCODE_Z] = keys[SDL_SCANCODE_X] = keys[SDL_SCANCODE_C] = 1;
    SYS_GLOBALS::Stick.setKeyStateSource(keys.data());
    SYS_GLOBALS::Stick.updStick(false);
    ev.type = SDL_KEYUP;
    EXPECT_EQ(cfgHandleEvent(menu.get(), ev), 0);
    keys[SDL_SCANCODE_SPACE] = 1;
    SYS_GLOBALS::Stick.updStick(false);
    EXPECT_EQ(cfgHandleEvent(menu.get(), ev), 1);
    ev.type = SDL_MOUSEMOTION; // ignored even then
    EXPECT_EQ(cfgHandleEvent(menu.get(), ev), 0);
}

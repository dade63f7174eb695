// The preference file "mysdlcfg.pref": defaults of both programs in their on-disk form,
// reading, saving, the text export, damaged and unwritable files, and applying the
// record to the input and music objects.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "core_testutil.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_ctrl@io.h"

using coretest::readAll;
using coretest::ScratchDir;
using coretest::writeAll;

namespace {

// Runs a test as one program or the other and restores the game afterwards.
struct ProgramVariant {
    explicit ProgramVariant(bool tool) { QSDL_GLOBALS::useSettingsToolVariant(tool); }
    ~ProgramVariant() {
        QSDL_GLOBALS::useSettingsToolVariant(false);
        QSDL_GLOBALS::PlayBGMF = true;
    }
};

uint32_t be32(const std::vector<uint8_t>& v, size_t at) {
    return (uint32_t(v[at]) << 24) | (uint32_t(v[at + 1]) << 16) | (uint32_t(v[at + 2]) << 8) |
           uint32_t(v[at + 3]);
}

const int32_t* const kGame = coretest::kGamePref;
const int32_t* const kTool = coretest::kToolPref;

void expectNewFileWith(const std::string& path, const int32_t* defaults) {
    std::vector<uint8_t> bytes = readAll(path);
    ASSERT_EQ(bytes.size(), 1024u);
    for (int i = 0; i < 30; i++)
        EXPECT_EQ(be32(bytes, size_t(i) * 4), uint32_t(defaults[i])) << "field " << i;
    for (size_t i = 120; i < bytes.size(); i++)
        ASSERT_EQ(bytes[i], 0) << "byte " << i;
}

} // namespace

// ---- Creating the file ---------------------------------------------------------------

TEST(PrefFile, MissingFileIsCreatedWithTheGameDefaultsInBigEndian) {
    ProgramVariant game(false);
    ScratchDir dir;
    std::string path = dir.file("mysdlcfg.pref");
    PrefHandler pref(path.c_str(), 1024);
    EXPECT_EQ(pref.getRef(), nullptr);
    EXPECT_TRUE(pref.autoPref());
    expectNewFileWith(path, kGame);
    // The record in memory is in host order.
    for (int i = 0; i < 30; i++)
        EXPECT_EQ(pref.getElement(i), kGame[i]);
}

TEST(PrefFile, SettingsToolCreatesItsOwnDefaults) {
    ProgramVariant tool(true);
    ScratchDir dir;
    std::string path = dir.file("mysdlcfg.pref");
    PrefHandler pref(path.c_str(), 1024);
    EXPECT_TRUE(pref.autoPref());
    expectNewFileWith(path, kTool);
}

TEST(PrefFile, BothSpellingsOfCreateDefaultFillTheRunningProgramsDefaults) {
    ScratchDir dir;
    std::string path = dir.file("mysdlcfg.pref");
    PrefHandler pref(path.c_str(), 1024);
    {
        ProgramVariant game(false);
        pref.autoPref();
    }
    for (int i = 0; i < 30; i++)
        pref.setElement(i, 77);
    {
        ProgramVariant tool(true);
        pref.createDefault();
        for (int i = 0; i < 30; i++)
            EXPECT_EQ(pref.getElement(i), kTool[i]);
    }
    pref.createDeffault();
    for (int i = 0; i < 30; i++)
        EXPECT_EQ(pref.getElement(i), kGame[i]);
}

// ---- Reading and saving --------------------------------------------------------------

TEST(PrefFile, EveryFieldSurvivesASaveAndAReadByTheOtherProgram) {
    ScratchDir dir;
    std::string path = dir.file("mysdlcfg.pref");
    int32_t values[30];
    for (int i = 0; i < 30; i++)
        values[i] = (i % 3 == 0) ? -(i * 70001 + 3) : i * 1000003 + 1;
    {
        ProgramVariant tool(true); // the settings tool writes ...
        PrefHandler writer(path.c_str(), 1024);
        writer.autoPref();
        for (int i = 0; i < 30; i++)
            writer.setElement(i, values[i]);
        EXPECT_EQ(writer.savePref(), 1);
        for (int i = 0; i < 30; i++)
            EXPECT_EQ(writer.getElement(i), values[i]) << "after save";
    }
    ProgramVariant game(false); // ... and the game reads
    PrefHandler reader(path.c_str(), 1024);
    EXPECT_FALSE(reader.autoPref());
    for (int i = 0; i < 30; i++)
        EXPECT_EQ(reader.getElement(i), values[i]) << "field " << i;
    std::vector<uint8_t> b = readAll(path);
    ASSERT_EQ(b.size(), 1024u);
    for (int i = 0; i < 30; i++)
        EXPECT_EQ(be32(b, size_t(i) * 4), uint32_t(values[i]));
}

TEST(PrefFile, SavingTwiceGivesIdenticalFiles) {
    ProgramVariant game(false);
    ScratchDir dir;
    std::string path = dir.file("mysdlcfg.pref");
    PrefHandler pref(path.c_str(), 1024);
    pref.autoPref();
    pref.setElement(SDLSetIdx::KB2Stick, 9);
    ASSERT_EQ(pref.savePref(), 1);
    std::vector<uint8_t> first = readAll(path);
    ASSERT_EQ(pref.savePref(), 1);
    EXPECT_EQ(readAll(path), first);
    EXPECT_EQ(pref.getElement(SDLSetIdx::KB2Stick), 9);
}

TEST(PrefFile, ALongerFileKeepsItsLengthAndExtraBytes) {
    ProgramVariant game(false);
    ScratchDir dir;
    std::string path = dir.file("mysdlcfg.pref");
    std::vector<uint8_t> bytes = coretest::prefFile(kGame, 30, 1500);
    for (size_t i = 120; i < bytes.size(); i++)
        bytes[i] = uint8_t(i * 13 + 1);
    writeAll(path, bytes);

    PrefHandler pref(path.c_str(), 1024);
    EXPECT_FALSE(pref.autoPref());
    pref.setElement(SDLSetIdx::FullSC, 1);
    ASSERT_EQ(pref.savePref(), 1);
    std::vector<uint8_t> after = readAll(path);
    ASSERT_EQ(after.size(), 1500u);
    EXPECT_EQ(be32(after, 0), 1u);
    for (size_t i = 120; i < after.size(); i++)
        ASSERT_EQ(after[i], bytes[i]) << "byte " << i;
}

TEST(PrefFile, AFileShorterThanTheRecordIsReplacedByDefaults) {
    ProgramVariant game(false);
    ScratchDir dir;
    for (size_t len : {0u, 4u, 119u}) {
        std::string path = dir.file("short" + std::to_string(len) + ".pref");
        std::vector<uint8_t> bytes(len, 0x7F);
        writeAll(path, bytes);
        PrefHandler pref(path.c_str(), 1024);
        EXPECT_TRUE(pref.autoPref()) << len;
        ASSERT_NE(pref.getRef(), nullptr);
        for (int i = 0; i < 30; i++)
            EXPECT_EQ(pref.getElement(i), kGame[i]) << len;
        expectNewFileWith(path, kGame);
    }
    // Exactly 120 bytes is a whole record and is read as it stands.
    std::string path = dir.file("exact.pref");
    const std::vector<int32_t> twos(30, 2);
    writeAll(path, coretest::prefFile(twos.data(), 30, 120));
    PrefHandler pref(path.c_str(), 1024);
    EXPECT_FALSE(pref.autoPref());
    EXPECT_EQ(pref.getElement(29), 2);
    EXPECT_EQ(pref.savePref(), 1);
    EXPECT_EQ(readAll(path).size(), 120u);
}

TEST(PrefFile, AFileThatCanBeNeitherReadNorCreatedLeavesDefaultsInMemory) {
    ProgramVariant game(false);
    ScratchDir dir;
    std::string path = dir.file("no/such/folder/mysdlcfg.pref");
    PrefHandler pref(path.c_str(), 1024);
    std::string log;
    {
        coretest::StdoutCapture out;
        pref.autoPref();
        log = out.text();
    }
    ASSERT_NE(pref.getRef(), nullptr);
    EXPECT_TRUE(pref.inMemoryOnly());
    for (int i = 0; i < 30; i++)
        EXPECT_EQ(pref.getElement(i), kGame[i]);
    pref.setElement(SDLSetIdx::MusicVol, 3);
    EXPECT_EQ(pref.savePref(), 0);
    EXPECT_EQ(pref.getElement(SDLSetIdx::MusicVol), 3); // still host order, unchanged
    EXPECT_NE(log.find("Open Error."), std::string::npos) << log;
}

TEST(PrefFile, AFileThatExistsButCannotBeReadIsNeverWrittenOver) {
    ProgramVariant game(false);
    ScratchDir dir;
    // Cases of a file that is there but cannot be read: a link to a device (no regular
    // length), a folder, and a file too long to be a preference file (not read at all).
    const std::string dev = dir.file("dev.pref"), folder = dir.file("folder.pref"),
                      huge = dir.file("huge.pref");
    ASSERT_EQ(symlink("/dev/zero", dev.c_str()), 0);
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    coretest::writeSparseFile(huge, 2L << 20, 0x42);  // 2 MiB
    for (const std::string& path : {dev, folder, huge}) {
        PrefHandler pref(path.c_str(), 1024);
        std::string log;
        {
            coretest::StdoutCapture out;
            EXPECT_FALSE(pref.autoPref()) << path;  // nothing was created
            pref.setElement(SDLSetIdx::MusicVol, 4);
            EXPECT_EQ(pref.savePref(), 0) << path;
            log = out.text();
        }
        EXPECT_TRUE(pref.writeLocked()) << path;
        for (int i = 0; i < 30; i++) {
            if (i == SDLSetIdx::MusicVol) continue;
            EXPECT_EQ(pref.getElement(i), kGame[i]) << path;
        }
        EXPECT_NE(log.find("Preference file could not be read"), std::string::npos) << log;
        EXPECT_EQ(log.find("Create New File"), std::string::npos) << log;
        EXPECT_EQ(log.find("Read 2097152 byte"), std::string::npos) << log;  // never read whole
    }
    struct stat st;
    ASSERT_EQ(lstat(dev.c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));  // the link was not replaced by a new file
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    const std::vector<uint8_t> bytes = readAll(huge);
    ASSERT_EQ(bytes.size(), size_t(2 << 20));
    EXPECT_EQ(bytes.back(), 0x42);
}

// ---- Text export ---------------------------------------------------------------------

TEST(PrefExport, WritesEveryLineWithCarriageReturns) {
    ProgramVariant tool(true);
    ScratchDir dir;
    PrefHandler pref(dir.file("mysdlcfg.pref").c_str(), 1024);
    pref.autoPref();
    pref.setElement(SDLSetIdx::KB1D, 11);
    pref.setElement(SDLSetIdx::Threshold2, -1);
    std::string path = dir.file("exportSetting.pref");
    EXPECT_EQ(pref.savePrefText(path.c_str()), 1);
    std::vector<uint8_t> b = readAll(path);
    std::string text(b.begin(), b.end());
    const char* expected = "#Display Settings\r"
                           "FullSC: 0\rWindow Size: 4\rSkip display update: 0\rGamma adjust 2.2: 0\r"
                           "#Sound Settings\r"
                           "BGM ON: 0\rMusic Vol: 1\r"
                           "#Player1 Settings\r"
                           "KB 1P Stick Set: 0\rKB 1P A Button: 0\rKB 1P B Button: 1\rKB 1P C Button: 2\r"
                           "KB 1P D Button: 11\rPad 1P A Button: 0\rPad 1P B Button: 1\rPad 1P C Button: 2\r"
                           "Pad 1P D Button: 8\rReverse Stick P1: 0\rSitck Threshold P1: 3\r"
                           "#Player2 Settings\r"
                           "KB 2P Stick Set: 3\rKB 2P A Button: 8\rKB 2P B Button: 7\rKB 2P C Button: 6\r"
                           "KB 2P D Button: 12\rPad 2P A Button: 0\rPad 2P B Button: 1\rPad 2P C Button: 2\r"
                           "Pad 2P D Button: 8\rReverse Stick P2: 0\rSitck Threshold P2: -1\r"
                           "#MISC Settings\r"
                           "Use Another Axis [X]: 0\rUse Another Axis [Y]: 1\r";
    EXPECT_EQ(text, expected);
    EXPECT_EQ(text.find('\n'), std::string::npos);
}

// ---- Applying the record ---------------------------------------------------------------

namespace {
struct Applied {
    ScratchDir dir;
    PrefHandler pref{dir.file("mysdlcfg.pref").c_str(), 1024};
    QSDLpp_StickCls stick;
    QSDLpp_MixMusicCls music;
    Uint8 keys[SDL_NUM_SCANCODES] = {};
    Applied() {
        pref.autoPref();
        stick.setKeyStateSource(keys);
    }
    uint16_t press(std::initializer_list<int> scancodes) {
        std::memset(keys, 0, sizeof keys);
        for (int sc : scancodes)
            keys[sc] = 1;
        return stick.updStick(false);
    }
};
} // namespace

TEST(PrefApply, DefaultRecordGivesArrowsZXAndSpace) {
    ProgramVariant game(false);
    Applied a;
    a.pref.sdlRestoreConfigu(&a.stick, &a.music);
    EXPECT_EQ(a.press({SDL_SCANCODE_UP, SDL_SCANCODE_Z}), QSDL_BTN::UP1 | QSDL_BTN::A1);
    EXPECT_EQ(a.press({SDL_SCANCODE_X, SDL_SCANCODE_C, SDL_SCANCODE_SPACE}),
              QSDL_BTN::B1 | QSDL_BTN::C1 | QSDL_BTN::D1 | QSDL_BTN::D2);
    // Player 2: I J L K, and RCTRL, RSHIFT, LGUI for A, B, C.
    EXPECT_EQ(a.press({SDL_SCANCODE_K, SDL_SCANCODE_RCTRL, SDL_SCANCODE_RSHIFT}),
              QSDL_BTN::DOWN2 | QSDL_BTN::A2 | QSDL_BTN::B2);
    EXPECT_EQ(a.press({SDL_SCANCODE_LGUI}), QSDL_BTN::C2);
    EXPECT_FALSE(a.pref.isFullScreen());
    EXPECT_EQ(a.pref.getWindowScale(), 300);
    EXPECT_EQ(a.pref.getFrameSkip(), 1);
}

TEST(PrefApply, TurnedStickSetSwapsUpDownAndLeftRight) {
    ProgramVariant game(false);
    Applied a;
    a.pref.setElement(SDLSetIdx::KB1Stick, 5);
    a.pref.sdlRestoreConfigu(&a.stick, &a.music);
    EXPECT_EQ(a.press({SDL_SCANCODE_UP}), QSDL_BTN::DOWN1);
    EXPECT_EQ(a.press({SDL_SCANCODE_LEFT}), QSDL_BTN::RIGHT1);
    a.pref.setElement(SDLSetIdx::KB1Stick, 9);
    a.pref.sdlRestoreConfigu(&a.stick, &a.music);
    EXPECT_EQ(a.press({SDL_SCANCODE_W}), QSDL_BTN::DOWN1);
    EXPECT_EQ(a.press({SDL_SCANCODE_D}), QSDL_BTN::LEFT1);
}

TEST(PrefApply, StickSetOutsideOneToNineIsTheArrowSet) {
    ProgramVariant game(false);
    Applied a;
    for (int set : {10, -1, 0}) {
        a.pref.setElement(SDLSetIdx::KB2Stick, set);
        a.pref.sdlRestoreConfigu(&a.stick, &a.music);
        EXPECT_EQ(a.press({SDL_SCANCODE_UP, SDL_SCANCODE_RIGHT}),
                  QSDL_BTN::UP1 | QSDL_BTN::UP2 | QSDL_BTN::RIGHT1 | QSDL_BTN::RIGHT2)
            << set;
    }
}

TEST(PrefApply, KeypadSetsOfPlayerTwoDifferOnlyInTheirDownKey) {
    ProgramVariant game(false);
    Applied a;
    struct Case {
        int set;
        SDL_Scancode up, left, right, down;
    };
    const Case cases[] = {
        {1, SDL_SCANCODE_KP_8, SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_5},
        {2, SDL_SCANCODE_KP_8, SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_2},
        {7, SDL_SCANCODE_KP_2, SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_8},
    };
    for (const Case& c : cases) {
        a.pref.setElement(SDLSetIdx::KB2Stick, c.set);
        a.pref.sdlRestoreConfigu(&a.stick, &a.music);
        EXPECT_EQ(a.press({c.up}), QSDL_BTN::UP2) << c.set;
        EXPECT_EQ(a.press({c.left}), QSDL_BTN::LEFT2) << c.set;
        EXPECT_EQ(a.press({c.right}), QSDL_BTN::RIGHT2) << c.set;
        EXPECT_EQ(a.press({c.down}), QSDL_BTN::DOWN2) << c.set;
    }
    // Set 2's own down key is not keypad 5, which is set 1's.
    a.pref.setElement(SDLSetIdx::KB2Stick, 2);
    a.pref.sdlRestoreConfigu(&a.stick, &a.music);
    EXPECT_EQ(a.press({SDL_SCANCODE_KP_5}), 0);
}

TEST(PrefApply, KeyChoicesIncludingTheDButtonsAtTheEndOfTheRecord) {
    ProgramVariant game(false);
    Applied a;
    a.pref.setElement(SDLSetIdx::KB1A, 3);  // LSHIFT
    a.pref.setElement(SDLSetIdx::KB1D, 11); // 5
    a.pref.setElement(SDLSetIdx::KB2B, 10); // KP_0
    a.pref.setElement(SDLSetIdx::KB2D, 4);  // LCTRL
    a.pref.sdlRestoreConfigu(&a.stick, &a.music);
    EXPECT_EQ(a.press({SDL_SCANCODE_LSHIFT}), QSDL_BTN::A1);
    EXPECT_EQ(a.press({SDL_SCANCODE_5}), QSDL_BTN::D1);
    EXPECT_EQ(a.press({SDL_SCANCODE_KP_0}), QSDL_BTN::B2);
    EXPECT_EQ(a.press({SDL_SCANCODE_LCTRL}), QSDL_BTN::D2);
    EXPECT_EQ(a.press({SDL_SCANCODE_SPACE}), 0);
}

TEST(PrefApply, ReverseFlagsAndDerivedDisplayValues) {
    ProgramVariant game(false);
    Applied a;
    a.pref.setElement(SDLSetIdx::Reverse2, 1);
    a.pref.setElement(SDLSetIdx::FullSC, 2);
    a.pref.setElement(SDLSetIdx::WindowSize, 0);
    a.pref.setElement(SDLSetIdx::SkipDisplay, 4);
    a.pref.sdlRestoreConfigu(&a.stick, &a.music);
    a.press({SDL_SCANCODE_L, SDL_SCANCODE_RIGHT});
    int dy, dx;
    a.stick.stickYX(0, dy, dx);
    EXPECT_EQ(dx, 1);
    a.stick.stickYX(1, dy, dx);
    EXPECT_EQ(dx, -1);
    EXPECT_FALSE(a.pref.isFullScreen()); // only exactly 1 is full screen
    EXPECT_EQ(a.pref.getWindowScale(), 25);
    EXPECT_EQ(a.pref.getFrameSkip(), 5);
    a.pref.setElement(SDLSetIdx::FullSC, 1);
    a.pref.sdlRestoreConfigu(&a.stick, &a.music);
    EXPECT_TRUE(a.pref.isFullScreen());
}

TEST(PrefApply, IndexesOutsideTheTablesUseTheFieldsDefaultEntry) {
    ProgramVariant game(false);
    Applied a;
    a.pref.setElement(SDLSetIdx::WindowSize, 8);
    a.pref.setElement(SDLSetIdx::SkipDisplay, -3);
    a.pref.setElement(SDLSetIdx::KB1A, 13);
    a.pref.setElement(SDLSetIdx::MusicVol, 1000);
    a.pref.sdlRestoreConfigu(&a.stick, &a.music);
    EXPECT_EQ(a.pref.getWindowScale(), 300);
    EXPECT_EQ(a.pref.getFrameSkip(), 1);
    EXPECT_EQ(a.press({SDL_SCANCODE_Z}), QSDL_BTN::A1);
    EXPECT_EQ(a.music.getMasterVol(), 50);
}

TEST(PrefApply, GameSetsTheHalvedMasterVolumeAndTheMusicSwitch) {
    ProgramVariant game(false);
    Applied a;
    a.pref.setElement(SDLSetIdx::MusicVol, 4); // 30 -> master 15
    a.pref.setElement(SDLSetIdx::BGMOff, 1);
    a.pref.sdlRestoreConfigu(&a.stick, &a.music);
    EXPECT_EQ(a.music.getMasterVol(), 15);
    EXPECT_FALSE(QSDL_GLOBALS::PlayBGMF);
    a.pref.setElement(SDLSetIdx::MusicVol, 0);
    a.pref.setElement(SDLSetIdx::BGMOff, 0);
    a.pref.sdlRestoreConfigu(&a.stick, &a.music);
    EXPECT_TRUE(QSDL_GLOBALS::PlayBGMF);
    EXPECT_EQ(a.music.getMasterVol(), 50);
    EXPECT_TRUE(a.music.musVol(100));
    EXPECT_EQ(Mix_VolumeMusic(-1), 64);
}

TEST(PrefApply, SettingsToolSetsThePlayingVolumeUnhalved) {
    ProgramVariant tool(true);
    Applied a;
    a.pref.setElement(SDLSetIdx::MusicVol, 1); // 80
    a.pref.sdlRestoreConfigu(&a.stick, &a.music);
    EXPECT_EQ(Mix_VolumeMusic(-1), 80 * 128 / 100);
    EXPECT_EQ(a.music.getMasterVol(), 100);
    a.pref.setElement(SDLSetIdx::MusicVol, 5); // 120 -> clamped by the mixer to 128
    a.pref.sdlRestoreConfigu(&a.stick, &a.music);
    EXPECT_EQ(Mix_VolumeMusic(-1), 128);
}

TEST(PrefApply, GammaFieldSwitchesPictureBrightening) {
    ProgramVariant game(false);
    Applied a;
    a.pref.setElement(SDLSetIdx::Gamma, 0);
    a.pref.sdlRestoreConfigu(&a.stick, &a.music);
    EXPECT_FALSE(qgu_getGammmaCorrect());
    a.pref.setElement(SDLSetIdx::Gamma, -4);
    a.pref.sdlRestoreConfigu(&a.stick, &a.music);
    EXPECT_TRUE(qgu_getGammmaCorrect());
}

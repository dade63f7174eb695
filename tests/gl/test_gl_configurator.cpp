// The settings program's gamma test picture, checked on the screen: it must show the
// brightness choice the user has just confirmed.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "configmain.h"
#include "../unit/core_testutil.h"
#include "gfx_support.h"
#include "globals.h"

using namespace gfxtest;

namespace {

class GammaPicture : public GfxTest {
 protected:
  void SetUp() override {
    GfxTest::SetUp();
    ASSERT_NE(getcwd(oldDir, sizeof oldDir), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    ASSERT_EQ(mkdir("resourcesQSDL", 0755), 0);
    // A mid-gray picture: brightening lifts 128 well above itself.
    const std::string png = savePNG(Picture(16, 16, RGBA{128, 128, 128, 255}), "gamma.png");
    coretest::writeAll(CFG_GAMMA_PICTURE_PATH, coretest::readAll(png));
    std::string text;
    for (int item = 0; item < 5; item++) text += "choice\n#\n";
    text += "Normal\nBrighter\n#\n";
    coretest::writeAll("menu.txt", std::vector<uint8_t>(text.begin(), text.end()));
    QSDL_GLOBALS::useSettingsToolVariant(true);
    SYS_GLOBALS::SdlConfiguCtrl.autoPref();  // new file: the tool's default, gamma off
    SYS_GLOBALS::SdlConfiguCtrl.sdlRestoreConfigu(&SYS_GLOBALS::Stick, &SYS_GLOBALS::music);
    SYS_GLOBALS::loadGammaPicture();
    menu.reset(new configmainCls("menu.txt"));
  }
  void TearDown() override {
    QSDL_GLOBALS::useSettingsToolVariant(false);
    qgu_setGammmaCorrect(false);
    ASSERT_EQ(chdir(oldDir), 0);
  }
  void choose(int choice) {
    while (menu->cursor() > choice) menu->press(SDLK_UP);
    while (menu->cursor() < choice) menu->press(SDLK_DOWN);
    menu->press(SDLK_SPACE);
  }
  // The red of the gamma picture as the page draws it.
  int shown() {
    clearFrame();
    qgu_GLDrawTexture(SYS_GLOBALS::stateSpriteTxNum, 32, 32, 100, 100, 0);
    return pixel(110, 110).r;
  }
  char oldDir[4096];
  coretest::ScratchDir dir;
  std::unique_ptr<configmainCls> menu;
};

}  // namespace

TEST_F(GammaPicture, ThePictureShowsTheConfirmedBrightness) {
  ASSERT_NE(SYS_GLOBALS::stateSpriteTxNum, 0u);
  EXPECT_NEAR(shown(), 128, 2);
  for (int i = 0; i < 5; i++) {
    menu->press(SDLK_LEFT);
    for (int f = 0; f < CFG_TENTHS; f++) menu->mainloop(0);
  }
  ASSERT_EQ(menu->currentItem(), CFG_GAMMA_ITEM);
  choose(1);  // Brighter
  EXPECT_EQ(SYS_GLOBALS::SdlConfiguCtrl.getElement(SDLSetIdx::Gamma), 1);
  EXPECT_GT(shown(), 150);
  choose(0);  // Normal again
  EXPECT_NEAR(shown(), 128, 2);
}

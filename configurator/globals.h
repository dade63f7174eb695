// The settings program's own objects. The program keeps them here instead of using the
// game's singletons, so that it constructs only what it needs: the audio device and the
// effects are made by main0 once SDL is up, everything else exists from the start.
#pragma once

#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_ctrl@io.h"

#define CFG_GAMMA_PICTURE_PATH "resourcesQSDL/testpattern.png"

namespace SYS_GLOBALS {
extern QSDLpp_MixHandlCls* mixHdl;   // the audio device (made by main0)
extern QSDLpp_MixSoundCls* sound;    // the effects (made by main0; null before)
extern QSDLpp_MixMusicCls music;     // the test tune
extern QSDLpp_GPrint GLPrintCtrl;    // text object for free-form printing
extern QSDLpp_GLPattSys* BGPattCtrl; // pattern layer (made by main0)
extern QSDLpp_StickCls Stick;        // keyboard and controllers
extern PrefHandler SdlConfiguCtrl;   // "mysdlcfg.pref", 1,024 bytes for a new file

// Textures of the menu pictures (0 while not loaded).
extern GLuint menuSpriteTxNum;  // "menuback.png": the ring's item tiles
extern GLuint titleSpriteTxNum; // "menuText.png": the item titles
extern GLuint stateSpriteTxNum; // "testpattern.png": the gamma test picture
extern GLuint iconSpriteTxNum;  // "configicon.png": the input icons
extern GLuint font32TxNum;      // the font the menu prints with

// Plays effect n when the effects exist (the unit tests run without them).
void playEffect(int n);

// (Re)makes the gamma test picture's texture under the current gamma choice, so the
// picture shows that choice (0 when the picture is missing).
void loadGammaPicture();
} // namespace SYS_GLOBALS

// The program's body, after the entry has set the working directory (main0.cpp).
int main0(int argc, char* argv[]);

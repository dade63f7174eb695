// Framework singletons and process-wide switches.
//
// The game's singletons (mixHdl, sound, music, Stick, SdlConfiguCtrl, constructed
// before main in that order) are defined in qsdlpp2_globals.cpp, which only a program
// that uses them links in; the settings tool keeps its own objects in SYS_GLOBALS.
// The switches below live apart (qsdlpp2_globals_switches.cpp) so that using them does
// not construct the game's singletons.
//
// One library serves both programs. The settings tool calls
// QSDL_GLOBALS::useSettingsToolVariant(true) first thing in main; that selects
//   - its defaults in PrefHandler::createDefault/autoPref (Window Size 4, Gamma 0,
//     Music Vol 1),
//   - sdlRestoreConfigu setting the playing music volume with musVol (table value
//     unhalved) instead of the master volume (table value halved),
//   - QSDLpp_MixMusicCls::musVol's direct rule (percent x 128 / 100, always true),
//   - the jingle notice in UTF-8 and the container loader's log wording.
#pragma once

#include <cstdint>

#include "qsdlpp2_ctrl@io.h"
#include "qsdlpp2_snd_mus@mix.h"
#include "qsdlpp2_configuration.h"

namespace QSDL_GLOBALS {
// Switches (qsdlpp2_globals_switches.cpp).
extern bool settingsToolF; // false in the game, true in the settings tool
extern bool SoundActiveF;  // effects on (starts true)
extern bool PlayBGMF;      // music on (starts true)
void useSettingsToolVariant(bool on);

// The game's singletons (qsdlpp2_globals.cpp).
extern QSDLpp_MixHandlCls mixHdl;
extern QSDLpp_MixSoundCls sound;
extern QSDLpp_MixMusicCls music;
extern QSDLpp_StickCls Stick;
extern PrefHandler SdlConfiguCtrl; // "mysdlcfg.pref", 1,024 bytes
extern char MyDirectory[256];      // the program's path as launched (see the entry)
extern int32_t rplyMode;           // non-zero while a film is played back
} // namespace QSDL_GLOBALS

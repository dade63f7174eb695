// The game's framework singletons, constructed before main in this order: the audio
// device, the effects, the music, the input, then the configuration.
#include "qsdlpp2_globals.h"

namespace QSDL_GLOBALS {
QSDLpp_MixHandlCls mixHdl;
QSDLpp_MixSoundCls sound;
QSDLpp_MixMusicCls music;
QSDLpp_StickCls Stick;
PrefHandler SdlConfiguCtrl("mysdlcfg.pref", PREF_FILE_SIZE);
char MyDirectory[256];
int32_t rplyMode = 0;
} // namespace QSDL_GLOBALS

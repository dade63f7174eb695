// Process-wide switches of the framework (kept apart from the game's singletons so
// that the settings tool can use them without constructing those).
#include "qsdlpp2_globals.h"

#include "qgu_fileutil.h"

namespace QSDL_GLOBALS {
bool settingsToolF = false;
bool SoundActiveF = true;
bool PlayBGMF = true;

void useSettingsToolVariant(bool on) {
    settingsToolF = on;
    qgu_setRsrcLogVariant(on ? QGU_RSRCLOG_SETTINGS : QGU_RSRCLOG_GAME);
}
} // namespace QSDL_GLOBALS

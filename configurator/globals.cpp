// The settings program's objects (see globals.h).
#include "globals.h"

#include "qgu_glImageHdlfunc.h"

namespace SYS_GLOBALS {
QSDLpp_MixHandlCls* mixHdl = nullptr;
QSDLpp_MixSoundCls* sound = nullptr;
QSDLpp_MixMusicCls music;
QSDLpp_GPrint GLPrintCtrl;
QSDLpp_GLPattSys* BGPattCtrl = nullptr;
QSDLpp_StickCls Stick;
PrefHandler SdlConfiguCtrl("mysdlcfg.pref", PREF_FILE_SIZE);

GLuint menuSpriteTxNum = 0;
GLuint titleSpriteTxNum = 0;
GLuint stateSpriteTxNum = 0;
GLuint iconSpriteTxNum = 0;
GLuint font32TxNum = 0;

void playEffect(int n) {
    if (sound) sound->playNum(n);
}

void loadGammaPicture() {
    // Brightening happens when a picture becomes a texture, so the picture is made
    // again under the gamma choice now in force (picture files are otherwise always
    // brightened, which would show "Brighter" whatever was chosen).
    if (stateSpriteTxNum) qgu_DisposeTex(stateSpriteTxNum);
    stateSpriteTxNum = 0;
    GLuint tex = 0;
    if (qgu_NewTextureFromPicFileAsSet(CFG_GAMMA_PICTURE_PATH, &tex, false) == 0) stateSpriteTxNum = tex;
}
} // namespace SYS_GLOBALS

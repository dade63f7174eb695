// The world globals with their initial values. The system objects of FHSYS_GLOBALS and
// the world itself are defined with the controller's static objects
// (FHgeneralctrl_world.cpp), which fixes their construction order.
#include "FHWorldGlobal.h"

namespace FHWGBL {
int32_t GameLevel = 2;
int32_t BestTimer = 9999;
int32_t* CurrentMapInfoRef = nullptr;
// Never 0: every block look-up masks with size - 1, which must stay inside MenMap even
// before the first map is loaded.
int32_t MapBlkWidth = 64, MapBlkHeight = 64;
int32_t MapDotWidth = 0, MapDotHeight = 0;
int32_t MapFieldWidth = 0, MapFieldHeight = 0;
int32_t GmapDotLftX = 0, GmapDotTopY = 0;
int32_t GFieldLftX = 0, GFieldTopY = 0;
int32_t GCurrentX = 0, GCurrentY = 0;
bool GmapXBorderF = false, GmapYBorderF = false;
int32_t MenMap[FHLayout::kMapMaxBlocks][FHLayout::kMapMaxBlocks];
int32_t GravityX = 0, GravityY = 0;
int32_t Condition = 0;
bool UWMode = false;
int32_t CHAPTER = 0, SECTION = 0;
int32_t Score = 0, Highscore = 0;
int32_t RBGKeyBit = 0;
bool GetMasterKF = false;
bool TempGetPenBoxF = false, TempGetMysteryF = false;
bool TempEvalItmF[10] = {};
int32_t GoldCoins = 0, SilvCoins = 0;
int32_t MissCount = 0;
int32_t preEcounter = 0, preGcounter = 0, preAcounter = 0;
int32_t TIMER = 0;
int32_t PlusTIME = 60;
bool StageCompleteF = false, extraCompleteF = false;
bool shortCutF = false;
bool prevUWModeF = false;
bool TrainingF = false;
bool ALTplayF = false;
bool haveRCF = false;
bool nearChrgSpotF = false;
bool makeHiscoreF = false;
int32_t CtrlCounter = 0;

void resetFHWGBL() {
    GmapDotLftX = 0;
    GmapDotTopY = 0;
    MapDotWidth = 0;
    MapDotHeight = 0;
}
}  // namespace FHWGBL

namespace FHSYS_GLOBALS {
char DebugLogger[256] = "";
bool unLock_enableF[8] = {};
bool unLock_usingF[8] = {};
bool use_freePlayF = false;
bool use_invincibleF = false;
bool usedF5F = false;
bool altPlayerSysF = false;
}  // namespace FHSYS_GLOBALS

namespace FHSYSGBL {
FH_TexName FGTxt = 0, BGTxt = 0;
FH_TexName TileTxt[32] = {};
FH_TexName ChapSelTxt[8] = {};
FH_TexName UWTxt = 0, testTX = 0;
int32_t BGWidth = 0, BGheight = 0, FGWidth = 0, FGheight = 0;
int32_t CrntBGResNum = 0, CrntFGResNum = 0;
int32_t BKratioX = 0, BKratioY = 0, FGratioX = 0, FGratioY = 0;
bool BackSpriteModeF = false, FrontFGModeF = false;
int32_t AdjustY = 0;
int32_t ObstacleNum = 639;
int32_t StageBGMRate = 100;
const char* ActiveMsgStrPtr = nullptr;
int32_t ActiveMsgDispTimer = 0;
int32_t SpriteCnt = 0, ESpCntStrart = 0, DBG_ParentEvtNo = 0;
bool UseMADdvf = false, SndActivef = false;
}  // namespace FHSYSGBL

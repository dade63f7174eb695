// The controller unit's static objects and the construction of the world and its actor
// pools. The objects below are defined in one translation unit so that they are built in
// this order before main() runs and destroyed in the reverse order at exit: the map art
// resource manager, the texture utility, the block pattern layers, the sprite list, the
// default printer, the debug text and finally the world.
#include <cstdlib>

#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHWorldGlobal.h"
#include "envresGlobal.h"
#include "qgu_fileutil.h"

#include "qsdlpp2_base@General.h"
#include "qsdlpp2_GLobject@image.h"

namespace FHSYS_GLOBALS {
QSDLpp_ResourceMgrCls artdata;
QSDLpp_ImageUtil_Cls FHTexUtil;
QSDLpp_GLPattSys BGPattCtrl;
QSDLpp_GLSpriteFuncs FHSpriteCtrl;
QSDLpp_GPrint printObject;  // its default text is "untiteled."
// DebugLogger is set to empty here, after the printer and before the world.
static const bool debugLoggerCleared = (DebugLogger[0] = '\0', true);
}  // namespace FHSYS_GLOBALS

namespace Game_GLOBALS {
FHWorldCLS MyWorld;
}

// ---- Class statics --------------------------------------------------------------------
FHWorldCLS* MyCharactor::superRef = nullptr;
MyCharactor* MyCharactor::relativeRef[4] = {};
int32_t MyCharactor::relativeCount = 0;
int32_t MyCharactor::currentCHR = 0;
int32_t MyCharactor::BigShotTimer = 0;
int32_t MyCharactor::CoinGatherTimer = 0;
int32_t MyCharactor::CoinChain = 0;
int32_t MyCharactor::CoinChainTimer = 0;
int32_t MyCharactor::MaxCoinTimer = 0;
bool MyCharactor::MissingF = false;
int32_t MyCharactor::MissingTmer = 0;
int32_t MyCharactor::pippoLostMode = 0;
bool MyCharactor::NearPippoF = false;
bool MyCharactor::ChangeableF = false;
bool MyCharactor::OtherOnGhgPlaceF = false;

FHWorldCLS* MyShotsCtrlCls::superRef = nullptr;
MyShotsCtrlCls* MyShotsCtrlCls::MyShot::parentCLSref = nullptr;
MyShotsCtrlCls::MyShot* MyShotsCtrlCls::MyShot::relativeRef[32] = {};
int32_t MyShotsCtrlCls::MyShot::relativeCount = 0;

FHWorldCLS* MainObjectCtrlCls::superRef = nullptr;
MainObjectCtrlCls* MainObjectCtrlCls::Object::parentCLSref = nullptr;
MainObjectCtrlCls::Object* MainObjectCtrlCls::Object::relativeRef[320] = {};
int32_t MainObjectCtrlCls::Object::relativeCount = 0;
int32_t MainObjectCtrlCls::Object::lastApIdxImmd = 0;
int32_t MainObjectCtrlCls::Object::LVSpeed = 5;
const int32_t* MainObjectCtrlCls::Object::ObjAttribute[272] = {};

FHWorldCLS* DecorateCtrlCls::superRef = nullptr;
DecorateCtrlCls::decoObj* DecorateCtrlCls::decoObj::relativeRef[128] = {};
int32_t DecorateCtrlCls::decoObj::relativeCount = 0;

// ---- Records ---------------------------------------------------------------------
// Each record registers itself in its class table under its running number. The tables
// have room for one world's records; numbering wraps so that a second set of records
// (a test harness building its own pools) never writes outside them.
MyCharactor::MyCharactor() {
    for (int i = 0; i < 4; ++i) boxTable[i] = charBoxTbl[i];
    slotIdx = relativeCount % 4;
    relativeRef[slotIdx] = this;
    relativeCount += 1;
}

int MyCharactor::init(FHWorldCLS* world) {
    superRef = world;
    return 0;
}

MyShotsCtrlCls::MyShot::MyShot() {
    slotNo = relativeCount % 32;
    relativeRef[slotNo] = this;
    relativeCount += 1;
}

MyShotsCtrlCls::MyShotsCtrlCls() { MyShot::parentCLSref = this; }

int MyShotsCtrlCls::init(FHWorldCLS* world) {
    superRef = world;
    return 0;
}

MainObjectCtrlCls::Object::Object() {
    relativeRef[relativeCount % 320] = this;
    relativeCount += 1;
}

MainObjectCtrlCls::MainObjectCtrlCls() { Object::parentCLSref = this; }

int MainObjectCtrlCls::init(FHWorldCLS* world) {
    superRef = world;
    return 0;
}

DecorateCtrlCls::decoObj::decoObj() {
    relativeRef[relativeCount % 128] = this;
    relativeCount += 1;
}

DecorateCtrlCls::DecorateCtrlCls() : next(0) {}

int DecorateCtrlCls::init(FHWorldCLS* world) {
    superRef = world;
    return 0;
}

// ---- The world ---------------------------------------------------------------------
// Members are built in declaration order: the four characters, the shots, the objects,
// the decorations.
FHWorldCLS::FHWorldCLS() {
    clearedWord = 0;
    FHWGBL::CurrentMapInfoRef = mapInfo;  // valid (all zero) before the first map load
    currentChr = &chars[0];
    chars[0].init(this);
    shotCtrl.init(this);
    objectCtrl.init(this);
    decoCtrl.init(this);
}

FHWorldCLS::~FHWorldCLS() {
    for (auto& ch : replayFilms)
        for (auto& sec : ch)
            for (auto& film : sec) {
                PurgeDataFilePtr(film);
                film = nullptr;
            }
    if (diaryPtr != diaryFallback) PurgeDataFilePtr(diaryPtr);
    diaryPtr = nullptr;
    std::free(recordingBuffer);
    recordingBuffer = nullptr;
    workingRecord = nullptr;
    currentFilm = nullptr;
}

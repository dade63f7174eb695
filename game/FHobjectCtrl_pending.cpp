// Actors that are not built yet, as empty pools.
//
// The player, the contact step and the world step call into the shots, the map objects,
// the dog and the swimming step. Until those actors exist, the functions below behave
// exactly as their pools behave when nothing is in them: nothing is created (a request
// is dropped as by a full pool, result -1), nothing moves, nothing is hit, and no map
// object is placed. They never invent a result. Each function moves to its own module
// (FHobjectCtrl_shots*, FHobjectCtrl_objects*, FHobjectCtrl_dog*, FHobjectCtrl_swim*)
// when that actor is built, and is removed from here.
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_pending.h"
#include "FHobjectCtrl_play.h"

namespace FHPending {
void resetSwimStatics() {}                  // no swimming statics exist yet
void resetDogOffset() {}                    // no dog offset exists yet
void surfacingEvent(MyCharactor* /*me*/) {} // no surfacing event yet
}  // namespace FHPending

// ---- Shots: the pool takes no shot yet. ----
int MyShotsCtrlCls::addShot(int, int, int, int, int) { return -1; }
int MyShotsCtrlCls::addShot(int, int, int, int, int, int) { return -1; }
void MyShotsCtrlCls::moveShots() {
    // Every shot record is inactive: nothing to move or draw.
}

// ---- Map objects: nothing is destroyed by a chain yet. ----
void MainObjectCtrlCls::ChainExplode(int /*kind*/) {}

// ---- The dog and swimming. ----
int MyCharactor::movePippoPrePro(int /*f*/) {
    // The dog record stays where it was placed and draws nothing.
    return 0;
}
int MyCharactor::SwimUs(int /*f*/) {
    // No swimming step yet: the character stays where it is and the view follows it.
    sprite = nullptr;
    framePositUpdate(0);
    return 1;
}
MOV_STATE MyCharactor::xChgUWMode(MOV_STATE m, UW_STATE u) {
    movState = m;
    uwState = u;
    return m;
}

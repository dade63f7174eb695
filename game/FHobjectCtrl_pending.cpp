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
void resetDogOffset() {}                    // no dog offset exists yet
}  // namespace FHPending

// ---- Shots: the pool takes no shot yet. ----
int MyShotsCtrlCls::addShot(int, int, int, int, int) { return -1; }
int MyShotsCtrlCls::addShot(int, int, int, int, int, int) { return -1; }
void MyShotsCtrlCls::moveShots() {
    // Every shot record is inactive: nothing to move or draw.
}

// ---- Map objects: none are placed, none appear, none move. ----
void MainObjectCtrlCls::loadObjects(int /*section*/) {
    for (Object& o : objects) o.activeF = 0;
    for (Object& o : backups) o.activeF = 0;
}
void MainObjectCtrlCls::preSetMapEffect() {}
int MainObjectCtrlCls::AppearObject(int, int, int, int, int, int) { return -1; }
void MainObjectCtrlCls::moveObjects() {}
void MainObjectCtrlCls::ChainExplode(int /*kind*/) {}
int MainObjectCtrlCls::Object::get() { return 0; }

// ---- The dog and swimming. ----
int MyCharactor::movePippoPrePro(int /*f*/) {
    // On land the dog record stays where it was placed and draws nothing; under water
    // it swims (FHobjectCtrl_swim_dog.cpp).
    if (FHWGBL::UWMode) return SwimPippoInu(0);
    return 0;
}

// Actors that are not built yet, as empty pools.
//
// The player, the contact step and the world step call into the map objects. Until
// that actor exists, the functions below behave exactly as its pool behaves when
// nothing is in it: nothing is created (a request is dropped as by a full pool, result
// -1), nothing moves, nothing is hit, and no map object is placed. They never invent a
// result. Each function moves to its own module (FHobjectCtrl_objects*) when that actor
// is built, and is removed from here.
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_play.h"

// ---- Map objects: none are placed, none appear, none move. ----
void MainObjectCtrlCls::loadObjects(int /*section*/) {
    for (Object& o : objects) o.activeF = 0;
    for (Object& o : backups) o.activeF = 0;
}
void MainObjectCtrlCls::preSetMapEffect() {}
int MainObjectCtrlCls::AppearObject(int, int, int, int, int, int) { return -1; }
void MainObjectCtrlCls::moveObjects() {}
int MainObjectCtrlCls::Object::get() { return 0; }

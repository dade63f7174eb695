// Actors that are not built yet, as empty pools.
//
// The player, the contact step and the world step call into the map objects and the
// swimming step (with the dog under water). Until those actors exist, the functions below behave
// exactly as their pools behave when nothing is in them: nothing is created (a request
// is dropped as by a full pool, result -1), nothing moves, nothing is hit, and no map
// object is placed. They never invent a result. Each function moves to its own module
// (FHobjectCtrl_objects*, FHobjectCtrl_swim*)
// when that actor is built, and is removed from here.
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_pending.h"
#include "FHobjectCtrl_play.h"

namespace FHPending {
void resetSwimStatics() {}                  // no swimming statics exist yet
void surfacingEvent(MyCharactor* /*me*/) {} // no surfacing event yet
}  // namespace FHPending


// ---- Swimming, and the dog under water. ----
int MyCharactor::SwimPippoInu(int /*f*/) {
    // No under-water dog yet: it stays where it is and draws nothing.
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

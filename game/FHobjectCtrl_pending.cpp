// Actors that are not built yet, as empty pools.
//
// The player, the contact step and the world step call into the swimming step (with the
// dog under water). Until it exists, the functions below behave as an actor that does
// nothing: nothing moves and nothing is drawn. They never invent a result. Each moves to
// FHobjectCtrl_swim* when swimming is built, and is removed from here.
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

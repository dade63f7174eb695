// Hooks into actors that are not built yet (swimming, the dog under water). Each has a
// real body in FHobjectCtrl_pending.cpp that behaves as an empty actor would; the
// modules that build those actors take these over.
#pragma once

class MyCharactor;

namespace FHPending {
// Swimming statics (facing memory and the like) back to their start values.
void resetSwimStatics();
// The under-water surfacing event of a long stay.
void surfacingEvent(MyCharactor* me);
}  // namespace FHPending

// Hooks into actors that are not built yet (swimming, the dog's own steps). Each has a
// real body in FHobjectCtrl_pending.cpp that behaves as an empty actor would; the
// modules that build those actors take these over.
#pragma once

class MyCharactor;

namespace FHPending {
// The dog's offset from the character back to 0.
void resetDogOffset();
}  // namespace FHPending

// The companion dog on land (MyCharactor::movePippoPrePro, MovePippoInu): what other
// modules need beyond the class.
#pragma once

namespace FHDog {
// The dog's offset from the character (kept from the last frame) back to 0.
void resetDogOffset();
// The offset itself, in dots (the dog's drawn position minus the character's).
int relativeX();
int relativeY();
// The dog's light under map condition bit 3.
constexpr int kLightPattern = 1312;
constexpr int kLightCondition = 0x08;
}  // namespace FHDog

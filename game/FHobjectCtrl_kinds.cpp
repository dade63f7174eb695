// Every behaviour file's list of kinds, one line each. The frame step builds its table
// from kind to behaviour from these lists the first time it runs.
#include "FHobjectCtrl_behave.h"
#include "FHobjectCtrl_family.h"

extern const FHObj::BehaviourList kFamilyStatic;    // drawn only, events, scenery
extern const FHObj::BehaviourList kFamilyMovers;    // kinds 8, 14, 19, 32, 37, 90
extern const FHObj::BehaviourList kFamilyCapsules;  // item capsules 136..172
extern const FHObj::BehaviourList kFamilyItems;     // pick-ups
extern const FHObj::BehaviourList kFamilyExplosion; // explosions 128..135, capsule shell 42
// The designed families' rows (FHobjectCtrl_family_rows.cpp) are declared in
// FHobjectCtrl_family.h.
extern const FHObj::BehaviourList kFamilyCarrier;   // carriers (kind 97, the lake jelly)

namespace FHObj {

const BehaviourList kAllBehaviourLists[] = {
    kFamilyStatic,
    kFamilyMovers,
    kFamilyCapsules,
    kFamilyItems,
    kFamilyExplosion,
    kWalkerBehaviours,
    kHopperBehaviours,
    kFlyerBehaviours,
    kHomerBehaviours,
    kDropperBehaviours,
    kSpawnerBehaviours,
    kEmitterBehaviours,
    kProjectileBehaviours,
    kPlatformBehaviours,
    kBossBehaviours,
    kFamilyCarrier,
    kSkyBehaviours,
};
const int kAllBehaviourListCount = int(sizeof kAllBehaviourLists / sizeof kAllBehaviourLists[0]);

}  // namespace FHObj

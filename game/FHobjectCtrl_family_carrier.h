// The carrier family (FHobjectCtrl_family_carrier.cpp): enemies with attribute flag
// 0x20000 that grab the character and carry it until it struggles free.
#pragma once

#include "FHobjectCtrl_behave.h"

namespace FHCarrier {
// One frame of a carrier (the family's behaviour; regC holds its state).
void carrierStep(MainObjectCtrlCls::Object& o, FHObj::Step& s, const FHObj::KindRow& row);
}  // namespace FHCarrier

// The carrier kinds with their rows (listed in kAllBehaviourLists).
extern const FHObj::BehaviourList kFamilyCarrier;

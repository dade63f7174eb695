// The storm roc's phase tables (data only; see FHobjectCtrl_family_roc.h).
#include "FHobjectCtrl_family_roc.h"

namespace FHFam {
namespace {

// 0: the storm roc over the thunderhead. She circles and calls swallow divers; from two
// thirds of her life she beats up gusts that blow the players towards the edges; from
// one third she calls down lightning and swoops more often.
const RocPhase kStormRoc[] = {
    // at%  circle swoop spd  summon every max  rain every n  gust every frames push
    {100, 3, 330, 420, 8, 240, 2, 0, 0, 0, 0, 0, 0},
    {66, 4, 300, 480, 0, 0, 0, 0, 0, 0, 420, 150, 130},
    {33, 5, 240, 540, 8, 300, 1, 180, 110, 3, 600, 120, 150},
};

const RocPhaseSet kSets[] = {
    {kStormRoc, int(sizeof kStormRoc / sizeof kStormRoc[0])},
};

}  // namespace

RocPhaseSet rocPhaseSet(int n) {
    if (n < 0 || n >= int(sizeof kSets / sizeof kSets[0])) return {nullptr, 0};
    return kSets[n];
}

}  // namespace FHFam

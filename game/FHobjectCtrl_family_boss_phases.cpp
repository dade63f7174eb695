// Boss phase tables (data only; see FHobjectCtrl_family_boss.h).
#include "FHobjectCtrl_family_boss.h"

namespace FHFam {
namespace {

// 0: the oak guardian of the forest's hollow. It paces and throws acorn fans; from two
// thirds of its life it also shakes critters out of its crown; from one third it leaps
// and stamps, throws wider fans and glowers.
const BossPhase kOakGuardian[] = {
    // at%  move spd  range  shot n  every spd   summon every max  idle  step  attack sound
    {100, 1, 40, 4800, 176, 3, 150, 260, 0, 0, 0, 1551, 1553, 1554, 0},
    {66, 1, 60, 6400, 176, 3, 110, 300, 15, 260, 2, 1551, 1553, 1554, 15},
    {33, 2, 80, 6400, 176, 5, 90, 320, 15, 320, 2, 1555, 1556, 1557, 15},
};

// 1: the hive queen. She hovers over her arena and drops bees from her abdomen; from
// two thirds of her life she swoops down at the player; from one third she storms
// pollen in wide fans, still swooping and calling fewer bees.
const BossPhase kHiveQueen[] = {
    // at%  move spd  range  shot n  every spd   summon every max  idle  step  attack sound
    {100, 3, 50, 6400, 0, 0, 0, 0, 10, 150, 3, 1559, 1560, 1561, 0},
    {66, 4, 70, 8000, 181, 3, 140, 260, 10, 240, 2, 1559, 1560, 1561, 52},
    {33, 4, 90, 8000, 181, 5, 80, 280, 10, 320, 2, 1561, 1560, 1561, 52},
};

const BossPhaseSet kSets[] = {
    {kOakGuardian, int(sizeof kOakGuardian / sizeof kOakGuardian[0]), 0},
    {kHiveQueen, int(sizeof kHiveQueen / sizeof kHiveQueen[0]), 1562},
};

}  // namespace

BossPhaseSet bossPhaseSet(int n) {
    if (n < 0 || n >= int(sizeof kSets / sizeof kSets[0])) return {nullptr, 0, 0};
    return kSets[n];
}

}  // namespace FHFam

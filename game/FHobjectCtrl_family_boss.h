// Boss phases: each boss is a short table of phases, entered one after the other as its
// life runs down (data in FHobjectCtrl_family_boss_phases.cpp, logic in
// FHobjectCtrl_family_boss.cpp).
#pragma once

namespace FHFam {

struct BossPhase {
    int enterAtPct;    // entered once the life left (percent) is at or below this
    int move;          // 0 stands, 1 paces, 2 paces and leaps, 3 hovers and paces,
                       // 4 hovers, paces and dives at the player
    int moveSpeed;     // pacing speed (field units per frame)
    int range;         // half the pacing beat (field units)
    int shotKind;      // kind of its shots (0: none)
    int shotCount;     // shots per volley (a fan 16 steps of 256 apart)
    int shotEvery;     // frames between volleys
    int shotSpeed;     // field units per frame
    int summonKind;    // kind of the children it calls (0: none)
    int summonEvery;   // frames between calls
    int summonMax;     // children alive at most
    int idlePatt, stepPatt, attackPatt;  // pictures
    int sound;         // effect when the phase begins
};

struct BossPhaseSet {
    const BossPhase* phases;
    int count;
    int staggerPatt;   // picture while staggered (0: the base pattern + 7)
};

// Phase set n (the row's p1), or an empty set for an unknown number.
BossPhaseSet bossPhaseSet(int n);

}  // namespace FHFam

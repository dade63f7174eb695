// The storm roc's phases: a short table entered one after the other as her life runs
// down (data in FHobjectCtrl_family_roc_phases.cpp, logic in FHobjectCtrl_family_roc.cpp).
#pragma once

namespace FHFam {

struct RocPhase {
    int enterAtPct;    // entered once the life left (percent) is at or below this
    int circleSpeed;   // steps of her circle per 16 frames (256 steps a round)
    int swoopEvery;    // frames between swoops at the player (0: none)
    int swoopSpeed;    // field units per frame
    int summonKind;    // kind of the birds she calls (0: none)
    int summonEvery;   // frames between calls
    int summonMax;     // birds alive at most
    int rainKind;      // kind of the bolts she calls down (0: none)
    int rainEvery;     // frames between showers
    int rainCount;     // bolts per shower
    int gustEvery;     // frames between gusts (0: none)
    int gustFrames;    // how long a gust blows
    int gustPush;      // sideways push on the players while it blows (field units per frame)
};

struct RocPhaseSet {
    const RocPhase* phases;
    int count;
};

// Phase set n (the row's p1), or an empty set for an unknown number.
RocPhaseSet rocPhaseSet(int n);

}  // namespace FHFam

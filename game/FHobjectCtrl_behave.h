// How a map object's frame step (MainObjectCtrlCls::Object::move) hands one frame to
// the behaviour of its kind, and how behaviours are registered.
//
// The step computes the per-frame values below in its prologue, calls the behaviour
// chosen for the object's kind, and then draws the object in its epilogue with the
// drawing values the behaviour left in the same record. Behaviours never draw their own
// body sprite; extra sprites (markers, previews) they may queue themselves.
//
// Behaviours are grouped in families (one file each: walker, hopper, flyer, ...). A
// family is a function of (object, step, row); a row is one kind's parameters for its
// family, so most kinds are data. The table from kind to behaviour is built once from
// the spans each behaviour file exports (kObjBehaviourSpans below).
#pragma once

#include <cstdint>

#include "FHobjectCtrl.h"

namespace FHObj {

// Values of one frame step, prologue and drawing choices.
struct Step {
    // Prologue (read-only for behaviours).
    int dist = 0;      // distance from the object's centre to the player's reference point
    int dir = 0;       // 0..255 direction from the object's centre to the player's centre
    int dir24 = 0;     // ((dir + 8) / 11) % 24, index into x24costbl / y24sintbl
    int side = 1;      // +1 when the player is on the right, else -1
    int lifePct = 100; // power x 100 / the kind's starting life
    int startX = 0, startY = 0;  // posX, posY at the start of the step

    // Drawing values for the epilogue (the behaviour may change any of them).
    int facing = 1;    // mirrors the sprite (scaleX = facing x 100 unless scaleX is set)
    int layer = 2;
    int scaleX = 0;    // 0: facing x 100
    int scaleY = 100;
    int rot = 0;
    int pattern = 0;   // 0 or less: nothing is drawn
    int offX = 0, offY = 0;  // extra offset in field units
    const double* colour = nullptr;  // nullptr: white
    double alpha = 1.0;

    // Set by a behaviour that ends the step early (event objects after clearing activeF):
    // no post-effect and no drawing, only the counters of the epilogue.
    bool endStep = false;
};

// One kind's parameters for its family. Families read only the fields they document.
struct KindRow {
    int kind;
    int basePatt;    // first animation pattern (0: the attribute record's pattern)
    int frames;      // animation frames
    int frameTime;   // steps per animation frame
    int speed;       // family-specific speed (field units per step)
    int p1, p2, p3, p4;  // family-specific parameters
};

using BehaviourFn = void (*)(MainObjectCtrlCls::Object& o, Step& s, const KindRow& row);

// A span of kinds that one behaviour serves with its row.
struct BehaviourSpan {
    BehaviourFn fn;
    KindRow row;
};

// The kinds of every behaviour file are listed in one table per file; the step's
// dispatch builds its kind-to-behaviour table from these lists at start. A kind listed
// twice is a fault the unit tests report.
struct BehaviourList {
    const BehaviourSpan* spans;
    int count;
};

// Every behaviour file's list, one line each (FHobjectCtrl_kinds.cpp). A new family
// file adds its line there.
extern const BehaviourList kAllBehaviourLists[];
extern const int kAllBehaviourListCount;

// Behaviour for a kind, or nullptr for a kind without a behaviour (those beep and stay
// inert). `row` receives the kind's row.
BehaviourFn behaviourFor(int kind, const KindRow** row);

// How many times a kind is listed over all behaviour lists (1 for every kind with a
// behaviour; 2 or more is a fault).
int listingsOf(int kind);

// Distance from an object's centre (cx, cy) to a point, taking the horizontal wrap of
// the map into account while the view straddles its seam.
int objectDistance(int cx, int cy, int px, int py);

// The world and the current player character, for behaviours.
FHWorldCLS& world();
MyCharactor& player();

}  // namespace FHObj

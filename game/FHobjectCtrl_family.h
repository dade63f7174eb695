// Shared pieces of the behaviour families (FHobjectCtrl_family_*.cpp): the character in
// play, the object pool, pattern choice, map probes and spawning that checks the pool.
//
// Every family is a BehaviourFn over (object, step, row). Families never draw the body
// sprite themselves: they set step.pattern, facing and the other drawing values, and
// the frame step's epilogue draws. Registers a family keeps between frames are named in
// its file; the map's set-up values (speedX, work1, work5, patt, regA/regB = the start
// position) are read as the object's loading left them.
#pragma once

#include <cstdint>

#include "FHobjectCtrl_behave.h"

namespace FHFam {

using Obj = MainObjectCtrlCls::Object;

// The character the player controls now, and the object controller.
MyCharactor& inPlay();
MainObjectCtrlCls& pool();

// The attribute record of a kind (rect, life, value, flags, patt), or nullptr outside
// the table.
const int32_t* attr(int kind);

// The first pattern of the object's pictures: its own patt when the map gave one, else
// the row's first pattern, else the attribute record's pattern.
int basePattern(const Obj& o, const FHObj::KindRow& r);

// Animation: first + (counter / frameTime) mod frames (frames, frameTime at least 1).
inline int animate(int first, int counter, int frames, int frameTime) {
    if (frames < 1) frames = 1;
    if (frameTime < 1) frameTime = 1;
    if (counter < 0) counter = 0;
    return first + (counter / frameTime) % frames;
}

// A new object through AppearObject; -1 when the pool refused it. A slot outside the
// pool is treated as a refusal, so callers may index objects[] with any result >= 0.
int spawn(int x, int y, int vx, int vy, int kind, int param);

// Children made by the object in `slot` carry target = kChildMark + slot (a value no
// block number reaches, so a beaten child never opens a gate). countChildren counts
// the active ones of a kind, their capsules (kind + 128) included.
constexpr int kChildMark = 2000;
int countChildren(int kind, int slot);

// Block number under a field position (wrapping), and whether it stops a walking object
// (the band of MoovableEnm).
int blockAt(int fieldX, int fieldY);
bool solidForWalker(int block);

// The object's centre (field units).
inline int centreX(const Obj& o) { return o.posX + o.halfW; }
inline int centreY(const Obj& o) { return o.posY + o.halfH; }

// Sign of v, 0 counted as +1.
inline int signOf(int v) { return v < 0 ? -1 : 1; }

// Clamp v into lo..hi.
inline int clampTo(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// A small puff of dust or sparks at a field position (decoration, no collision).
void puff(int x, int y, int patt, int count);

// Plays effect n (nothing for n <= 0).
void sound(int n);

// One step along a patrol line: moves to (posX + speedX, ny) with MoovableUD1 and turns
// at a wall or past halfBeat from the beat's centre regA (0: no beat). Returns the
// collision bits of the move.
int patrolStep(Obj& o, int ny, int halfBeat);

// Whether the character in play stands on the object's top: its box, moved two dots
// down, touches the object's box from above.
bool standsOn(const Obj& o);

}  // namespace FHFam

// The kind rows each family file serves (one list per file). FHobjectCtrl_kinds.cpp
// lists them in kAllBehaviourLists.
namespace FHObj {
extern const BehaviourList kWalkerBehaviours;
extern const BehaviourList kHopperBehaviours;
extern const BehaviourList kFlyerBehaviours;
extern const BehaviourList kHomerBehaviours;
extern const BehaviourList kDropperBehaviours;
extern const BehaviourList kSpawnerBehaviours;
extern const BehaviourList kEmitterBehaviours;
extern const BehaviourList kProjectileBehaviours;
extern const BehaviourList kPlatformBehaviours;
extern const BehaviourList kBossBehaviours;
extern const BehaviourList kSkyBehaviours;

// The families themselves, for tests and for rows of other files.
void familyWalker(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familyHopper(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familyFlyer(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familyHomer(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familyDropper(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familySpawner(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familyEmitter(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familyProjectile(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familyPlatform(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familyBoss(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familySwooper(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familyStormCloud(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familyBalloon(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familySinker(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familyRoc(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
void familyGust(MainObjectCtrlCls::Object& o, Step& s, const KindRow& r);
}  // namespace FHObj

// The kinds each behaviour family serves and their parameters (data only). The meaning
// of speed and p1..p4 is documented at the top of each family's file.
#include "FHobjectCtrl_family.h"

namespace FHObj {
namespace {

#define FH_LIST(name, spans) \
    const BehaviourList name = {spans, int(sizeof spans / sizeof spans[0])}

// {kind, basePatt, frames, frameTime, speed, p1, p2, p3, p4}
const BehaviourSpan kWalkers[] = {
    // acorn critter: turns at ledges
    {familyWalker, {15, 0, 2, 8, 50, 1, 0, 0, 0}},
    // snail: slow, turns at ledges
    {familyWalker, {17, 0, 2, 16, 16, 1, 0, 0, 0}},
    // ground beetle: walks off ledges; lowers its horn and charges a player ahead
    {familyWalker, {33, 0, 2, 5, 60, 2, 12800, 240, 32}},
    // stag beetle: slow and steady, turns at ledges; its back carries the player
    {familyWalker, {56, 0, 2, 12, 30, 1, 0, 0, 0}},
};
const BehaviourSpan kHoppers[] = {
    // grasshopper: leaps at the player
    {familyHopper, {34, 0, 1, 1, 720, 80, 1, 140, 39}},
    // beetle grub let out of a block: small hops onwards
    {familyHopper, {36, 0, 1, 1, 480, 50, 0, 80, 0}},
};
const BehaviourSpan kFlyers[] = {
    // wisp: bobs along a beat of four blocks each way, leaving blue sparkles
    {familyFlyer, {35, 0, 2, 6, 40, 1200, 128, 6400, 5}},
    // kite: rides the wind along a tall, slow wave, its tail whipping below it
    {familyFlyer, {38, 0, 2, 10, 24, 2400, 192, 8000, 0}},
};
const BehaviourSpan kHomers[] = {
    // the time-out ambush: creeps through everything towards the player
    {familyHomer, {29, 0, 2, 12, 100, 12, 16, 3, 0}},
};
const BehaviourSpan kDroppers[] = {
    // tree spider: drops on a player passing within a block and a half
    {familyDropper, {23, 0, 2, 20, 700, 2400, 60, 80, 34}},
};
const BehaviourSpan kSpawners[] = {
    // hollow stump: lets out acorn critters, two at a time
    {familySpawner, {27, 0, 1, 1, 120, 15, 240, 2, 0}},
    // hornet nest knocked out of a block: four bumblebees, then it crumbles
    {familySpawner, {191, 0, 1, 1, 80, 19, 150, 2, 4}},
};
const BehaviourSpan kEmitters[] = {
    // mole: pops up, lobs a clod, digs in for two seconds
    {familyEmitter, {28, 0, 1, 8, 120, 178, 1, 100, -520}},
};
const BehaviourSpan kProjectiles[] = {
    // acorn seed of the oak guardian: straight, spinning
    {familyProjectile, {176, 114, 2, 4, 0, 0, 150, 1, 3}},
    // bubble spat under water: drifts and rises
    {familyProjectile, {177, 96, 1, 1, 0, 2, 120, 0, 61}},
    // spit and clods: lobbed (the mole's clods take the brown picture)
    {familyProjectile, {178, 113, 1, 1, 0, 1, 180, 1, 3}},
    // mine blast: grows and fades on the mine
    {familyProjectile, {188, 44, 4, 6, 0, 3, 24, 0, 3}},
    // lightning bolt of the storm cloud and the roc: falls straight, gone on the first block
    {familyProjectile, {180, 0, 2, 2, 0, 0, 120, 0, 832}},
};
const BehaviourSpan kPlatforms[] = {
    // floating log
    {familyPlatform, {113, 0, 1, 1, 0, 256, 4800, 0, 0}},
    // cloud platform: glides on its track, the rider rests exactly on its top
    {familyPlatform, {114, 0, 2, 24, 0, 320, 6400, 0, 0}},
};
const BehaviourSpan kBosses[] = {
    // oak guardian: phase table 0, 40 frames of stagger, leaps at 700
    {familyBoss, {125, 0, 1, 1, 0, 0, 40, 700, 0}},
};
// The sky's own families (swooper, storm cloud, balloon, sinker, gust, roc).
const BehaviourSpan kSky[] = {
    // swallow: patrols six blocks each way, dives at a player below, climbs back
    {familySwooper, {39, 0, 2, 6, 60, 4000, 360, 9600, 55}},
    // storm cloud: drifts over the player, darkens for a second, drops a bolt
    {familyStormCloud, {40, 0, 1, 1, 36, 200, 60, 180, 760}},
    // balloon: climbs three blocks and bobs; sinks under a rider
    {familyBalloon, {44, 0, 1, 1, 24, 4800, 16, 160, 0}},
    // falling cloud: shakes 40 frames under a rider, falls for a second, back in 5 s
    {familySinker, {115, 0, 1, 1, 500, 40, 300, 827, 58}},
    // wind gust: lifts a rider six blocks at 1.2 dots a frame, rests a second between lifts
    {familyGust, {46, 0, 4, 6, 120, 9600, 60, 240, 58}},
    // storm roc: phase table 0, 50 frames of stagger, circle 2 blocks high, feathers 833
    {familyRoc, {68, 0, 1, 1, 0, 0, 50, 3200, 833}},
};

}  // namespace

FH_LIST(kWalkerBehaviours, kWalkers);
FH_LIST(kHopperBehaviours, kHoppers);
FH_LIST(kFlyerBehaviours, kFlyers);
FH_LIST(kHomerBehaviours, kHomers);
FH_LIST(kDropperBehaviours, kDroppers);
FH_LIST(kSpawnerBehaviours, kSpawners);
FH_LIST(kEmitterBehaviours, kEmitters);
FH_LIST(kProjectileBehaviours, kProjectiles);
FH_LIST(kPlatformBehaviours, kPlatforms);
FH_LIST(kBossBehaviours, kBosses);
FH_LIST(kSkyBehaviours, kSky);

}  // namespace FHObj

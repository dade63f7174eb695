// Small helpers the behaviour families share: attribute lookups that never fail, the
// shape of a kind (box, half sizes, life), common movements (falling with a speed clip,
// walking under gravity, turning towards the player), spawning beside an object, and
// extra sprites on the field. Everything here works on the fixed pools; nothing
// allocates.
#pragma once

#include <cstdint>

#include "FHobjectCtrl.h"
#include "FHobjectCtrl_behave.h"

class DecorateCtrlCls;

namespace FHObj {

using Object = MainObjectCtrlCls::Object;

// The attribute record of a kind: {rect, life, value, flags, patt}. Kinds outside the
// table get a record of zeros, so a damaged map never reads outside the tables.
const int32_t* attributes(int kind);
inline int attrLife(int kind) { return attributes(kind)[1]; }
inline int attrValue(int kind) { return attributes(kind)[2]; }
inline int attrFlags(int kind) { return attributes(kind)[3]; }
inline int attrPatt(int kind) { return attributes(kind)[4]; }
// The collision box of a kind (box 0 for a rect index outside the table).
const rRect& attrBox(int kind);

// Box, half sizes and life from the kind's attribute record.
void takeKindShape(Object& o);

// The object controller and the decorations of the world.
MainObjectCtrlCls& objects();
DecorateCtrlCls& decorations();

// Falls one step under `gravity` with speedY clipped to +-maxFall through MoovableUD0;
// a blocked move stops speedX. Returns the resolver's bits.
int fallWithClip(Object& o, int gravity, int maxFall);

// One walking step with MoovableEnm under FHWGBL::GravityY (speedY clipped to +-200);
// a wall reverses speedX. Returns the resolver's bits.
int walkStep(Object& o);

// Turns the heading `dir` (0..255) towards the player's centre by at most `step`.
int turnTowardsPlayer(const Object& o, int dir, int step);

// Player's reference point (x + 600, y) and centre (x + 600, y + 800).
int playerRefX();
int playerRefY();
int playerCentreY();

// Makes an object of `kind` appear at the object's centre shifted by (side x dx, dy),
// minus half a block horizontally, with speed (vx, vy) and work5 = count. Returns the
// slot or -1 (full pool: nothing appears).
int spawnBeside(const Object& o, int side, int dx, int dy, int vx, int vy, int kind, int param,
                int count);

// An extra sprite on the field at field position (x, y): top-left placement, pattern
// from the atlases. Nothing is queued for pattern <= 0.
void extraSprite(int x, int y, int layer, int patt, int scaleX = 100, int scaleY = 100);

// A ring sprite (drawType SprRing or SprGlowRing) of `size` dots centred on field
// position (x, y), for the inspection views.
void ringAt(int x, int y, int drawType, int size, const double* colour);

// Sets the picture of a field layer (kind 4, kind 268): loads picture `resID` as the
// foreground (front) or background texture. False when the picture is missing.
bool setFieldPicture(int resID, bool foreground);

// Clip in the game's argument order: max(min(v, upper), lower).
inline int clip(int v, int upper, int lower) { return v > upper ? upper : (v < lower ? lower : v); }

// Boss kinds: the period of their smoke when hurt (0 for other kinds).
int bossSmokePeriod(int kind);

}  // namespace FHObj

// What each kind of map object becomes when its life runs out (Object::explode).
#pragma once

namespace FHExplode {

enum Rule {
    CAPSULE,            // ordinary enemy: capsule kind + 128
    CAPSULE_PATT,       // capsule kind + 128 keeping its picture (patt + 516)
    CAPSULE_140,        // capsule 140 showing the enemy's own picture
    THROW5,             // capsule thrown as player shot 5
    THROW4,             // capsule thrown as player shot 4
    EXPLODE128,
    EXPLODE130,
    EXPLODE132,
    EXPLODE133,         // picture + 1024
    EXPLODE133_PIECES,  // with flying pieces
    EXPLODE135,
    BECOME83,
    LAST_BOSS,          // explosion 133 with the closing message
    PIECES,             // kind-specific debris, no coin
    CAPSULE_BREAK,      // a capsule that is not thrown breaks open: debris and a coin
    COIN,               // debris of its picture and a coin
};

Rule ruleFor(int kind);

// Music record started when the final boss falls.
constexpr int kEndingMusic = 21002;

}  // namespace FHExplode

// The chapters' maps must be playable: a walker with a modest jump, starting at each
// section's start, can touch every coin, item, key, switch, spring, exit and goal.
// The walker is one block (the character's box is 12 x 14 dots) that walks, jumps four
// blocks high, drifts six blocks sideways in the air, is thrown higher by springs,
// is carried up through rising air (and a jump's height above its top),
// breaks shootable blocks, opens lock blocks once it holds their key, and works the
// map's one-shot switches with the map record's block pairs. Inside a gust (wind
// arrows) it keeps its whole sideways budget: the wind carries it. A pressure switch
// it reaches stays held (one friend waits on it while the other explores), and boss
// gates count as open (every boss is beaten). Thorns are never entered. On a map
// under water it swims: every open block next to it can be reached.
#include "test_fhpack_util.h"

#include <array>
#include <deque>
#include <set>

#include "envresGlobal.h"
#include "qgu_fileutil.h"

using namespace fhpacktest;

namespace {
const int kJump = 4, kSpring = 6, kDrift = 6;

struct Field {
    int w = 0, h = 0;
    std::vector<uint16_t> cells;
    std::array<bool, 3> keys{};
    bool water = false; // an under-water map: the walker swims every way
    uint16_t& at(int x, int y) { return cells[size_t(((y % h + h) % h) * w + ((x % w + w) % w))]; }
    bool solid(int x, int y) {
        uint16_t b = at(x, y);
        if (b >= 944 && b <= 946) return !keys[size_t(b - 944)];
        if (b >= 929 && b <= 940) return false; // boss gates: open once the boss falls
        if (b >= 960 && b <= 1023) return false; // the characters shoot these away
        return b >= 640 && b <= 1007;
    }
    // Thorns, and the scoring hazards that turn into thorns when touched.
    bool hazard(int x, int y) {
        uint16_t b = at(x, y);
        return (b >= 400 && b <= 411) || (b >= 220 && b <= 319 && b % 32 >= 28);
    }
    bool open(int x, int y) { return !solid(x, y) && !hazard(x, y); }
};

bool isTarget(uint16_t b) {
    return (b >= 8 && b <= 13) || (b >= 448 && b <= 603) || (b >= 412 && b <= 415) ||
           (b >= 420 && b <= 422) || (b >= 444 && b <= 447) || (b >= 428 && b <= 431) || b == 388 ||
           b == 392 || b == 396;
}

// All cells the walker can occupy from (sx, sy), jumping `jump` blocks high and moving
// at most `drift` blocks sideways between leaving the ground and landing.
std::vector<bool> explore(Field& f, int sx, int sy, int jump = kJump, int drift = kDrift, bool risingAir = true) {
    struct S {
        int x, y, rise, drift;
    };
    const int maxRise = std::max(jump, kSpring);
    const size_t n = size_t(f.w * f.h);
    std::vector<bool> cell(n, false);
    std::vector<int8_t> best(n * size_t(maxRise + 1), -1); // most drift left seen per (cell, rise)
    std::deque<S> q;
    auto idx = [&](int x, int y) { return size_t(((y % f.h + f.h) % f.h) * f.w + ((x % f.w + f.w) % f.w)); };
    auto push = [&](int x, int y, int rise, int left) {
        if (!f.open(x, y)) return;
        uint16_t b = f.at(x, y);
        if (f.solid(x, y + 1) || f.water) rise = jump, left = drift; // on the ground: a fresh jump
        if (b == 392) rise = kSpring, left = drift;
        if (b == 388) rise = std::max(rise, jump), left = drift;
        if (risingAir && b >= 380 && b <= 383) rise = std::max(rise, jump), left = drift; // rising air
        if (b == 386 || b == 387) left = drift; // a gust carries the walker on
        size_t k = idx(x, y) * size_t(maxRise + 1) + size_t(rise);
        if (best[k] >= left) return;
        best[k] = int8_t(left);
        cell[idx(x, y)] = true;
        q.push_back({x, y, rise, left});
    };
    push(sx, sy, 0, 0);
    while (!q.empty()) {
        S s = q.front();
        q.pop_front();
        const bool standing = f.solid(s.x, s.y + 1) || f.water;
        if (s.rise > 0) push(s.x, s.y - 1, s.rise - 1, s.drift);
        if (!standing || f.water) push(s.x, s.y + 1, 0, s.drift);
        if (standing || s.drift > 0) {
            // Walking keeps the whole budget for a fall off the edge; in the air each
            // block sideways uses one.
            int left = standing ? s.drift : s.drift - 1;
            push(s.x - 1, s.y, standing ? 0 : s.rise, left);
            push(s.x + 1, s.y, standing ? 0 : s.rise, left);
        }
    }
    return cell;
}

struct Checked {
    int targets = 0;
    std::vector<std::string> missed;
};

// Map k of the loaded group as the game unpacks it; an empty field when it is missing.
Field loadField(int k) {
    Field f;
    const int16_t* hdr = static_cast<const int16_t*>(qgu_getResourceRef(QGU_RES::Xmap, 2000 + k));
    const uint16_t* body = static_cast<const uint16_t*>(qgu_getResourceRef(QGU_RES::Xmap, 1000 + k));
    if (!hdr || !body) return f;
    f.w = hdr[0];
    f.h = hdr[1];
    f.cells.resize(size_t(f.w * f.h));
    qgu_decompressMem16(body, f.cells.data(), unsigned(f.cells.size()));
    return f;
}

// A boss placed on a map: its block, and the gate blocks (its target) that open when
// it falls. The walker beats a boss it gets next to.
struct Boss {
    int x, y, gate;
};

Checked playMap(int group, int k, int startX, int startY, const std::vector<std::pair<int, int>>& touchObjects,
                const std::vector<Boss>& bosses = {}) {
    Checked out;
    Field f = loadField(k);
    if (f.cells.empty()) return out;
    const std::vector<uint16_t> original = f.cells;
    const int32_t* info = vrndx_getMapInfoPtr(group, k);
    f.water = info[2] != 0;
    // Work the switches and pick up the keys the walker reaches, until nothing changes.
    std::vector<bool> reach;
    for (int round = 0; round < 16; ++round) {
        reach = explore(f, startX, startY);
        bool changed = false;
        for (size_t i = 0; i < reach.size(); ++i) {
            if (!reach[i]) continue;
            uint16_t b = f.cells[i];
            if (b >= 448 && b <= 450 && !f.keys[b - 448]) f.keys[b - 448] = changed = true;
            // One-shot switches use the record's pairs 4..7, pressure switches (held
            // for good here) its pairs 0..3; either way the switch shows pressed.
            const int pair = (b >= 428 && b <= 431) ? b - 428 + 4 : (b >= 424 && b <= 427) ? b - 424 : -1;
            if (pair >= 0) {
                int from = info[4 + 2 * pair], to = info[5 + 2 * pair];
                if (from || to)
                    for (uint16_t& c : f.cells)
                        if (c == from) c = uint16_t(to);
                f.cells[i] = uint16_t(b - 64);
                changed = true;
            }
        }
        for (const Boss& bo : bosses) {
            bool near = false;
            for (int y = bo.y - 1; y <= bo.y + 6 && !near; ++y)
                for (int x = bo.x - 2; x <= bo.x + 5 && !near; ++x)
                    near = reach[size_t(((y % f.h + f.h) % f.h) * f.w + ((x % f.w + f.w) % f.w))];
            if (!near) continue;
            for (uint16_t& c : f.cells)
                if (c == bo.gate) c = 0, changed = true;
        }
        if (!changed) break;
    }
    for (size_t i = 0; i < original.size(); ++i) {
        uint16_t b = original[i];
        if (!isTarget(b)) continue;
        ++out.targets;
        if (!reach[i])
            out.missed.push_back("block " + std::to_string(b) + " at (" + std::to_string(int(i) % f.w) +
                                 ", " + std::to_string(int(i) / f.w) + ")");
    }
    // Doors and messages are objects: the walker must get into their block.
    for (const auto& xy : touchObjects) {
        ++out.targets;
        if (!reach[size_t(xy.second * f.w + xy.first)])
            out.missed.push_back("object at (" + std::to_string(xy.first) + ", " + std::to_string(xy.second) +
                                 ")");
    }
    // Cells that became collectibles by a switch (coin boxes) count too.
    for (size_t i = 0; i < f.cells.size(); ++i)
        if (f.cells[i] != original[i] && isTarget(f.cells[i]) && !isTarget(original[i])) {
            ++out.targets;
            if (!reach[i]) out.missed.push_back("switched block " + std::to_string(f.cells[i]));
        }
    return out;
}
} // namespace

// The meadow's bridge switch is really needed: without it the exit cannot be reached.
// (The orchard's red lock is a shortcut only: its key ledge leads over the lock on foot.)
TEST(FhpackPlayable, TheMeadowBridgeCannotBeSkipped) {
    qgu_resetResourceRegistry();
    ASSERT_NE(qgu_loadResource((std::string(FH_RUNTIME_DIR) + "/resourcesQSDL/wc2fh_lv1.mrsrc").c_str()),
              nullptr);
    for (int k = 0; k < 1; ++k) {
        Field f = loadField(k);
        ASSERT_FALSE(f.cells.empty()) << "map " << k;
        // The meadow starts at (3, 24); the switches are never worked and no key is held.
        // The walker here jumps higher and farther than the reachability walker, so
        // that a skilled player cannot skip them either.
        std::vector<bool> reach = explore(f, 3, 25, kJump + 1, kDrift + 3);
        for (size_t i = 0; i < reach.size(); ++i)
            EXPECT_FALSE(reach[i] && f.cells[i] >= 412 && f.cells[i] <= 415)
                << "map " << k << " exit reached early";
    }
    qgu_resetResourceRegistry();
}

// The windy ascent is climbed on its rising air: a walker that jumps higher and farther
// than the reachability walker but is not carried by the air never reaches the door,
// and the same walker riding the air does.
TEST(FhpackPlayable, TheWindyAscentNeedsItsRisingAir) {
    qgu_resetResourceRegistry();
    ASSERT_NE(qgu_loadResource((std::string(FH_RUNTIME_DIR) + "/resourcesQSDL/wc2fh_lv4.mrsrc").c_str()),
              nullptr);
    Field f = loadField(1);
    ASSERT_FALSE(f.cells.empty());
    auto exitReached = [&](bool air) {
        std::vector<bool> reach = explore(f, 3, 125, kJump + 1, kDrift + 3, air);
        for (size_t i = 0; i < reach.size(); ++i)
            if (reach[i] && f.cells[i] >= 412 && f.cells[i] <= 415) return true;
        return false;
    };
    EXPECT_FALSE(exitReached(false)) << "the door is reached without the rising air";
    EXPECT_TRUE(exitReached(true)) << "the door is not reached even on the rising air";
    qgu_resetResourceRegistry();
}

// Every section start and door destination of a map group: everything on the map can
// be reached. `rooms` are the maps that hold little by design (placeholders).
static void checkGroup(int group, const std::set<int>& expectMaps, const std::set<int>& rooms) {
    qgu_resetResourceRegistry();
    const std::string res =
        std::string(FH_RUNTIME_DIR) + "/resourcesQSDL/wc2fh_lv" + std::to_string(group + 1) + ".mrsrc";
    ASSERT_NE(qgu_loadResource(res.c_str()), nullptr);
    QGU_ResourceSlot* list = qgu_getResourceInfo(QGU_RES::Xmap, 500);
    ASSERT_NE(list, nullptr);
    const uint8_t* p = static_cast<const uint8_t*>(list->data);
    std::set<int> played;
    for (int64_t at = 0; at + 288 <= list->size; at += 288) {
        const int16_t* w = reinterpret_cast<const int16_t*>(p + at);
        // Section starts and door destinations alike.
        if (w[1] != 0 && w[1] != 1 && w[1] != 4) continue;
        if (!played.insert(w[2]).second) continue;
        std::vector<std::pair<int, int>> touch;
        std::vector<Boss> bosses;
        for (int64_t o = 0; o + 288 <= list->size; o += 288) {
            const int16_t* ow = reinterpret_cast<const int16_t*>(p + o);
            if ((ow[1] == 6 || ow[1] == 7) && ow[2] == w[2]) touch.push_back({ow[3], ow[4]});
            const bool bossKind = ow[1] == 93 || ow[1] == 96 || ow[1] == 98 || (ow[1] >= 104 && ow[1] <= 112) ||
                                  ow[1] == 125 || ow[1] == 205 || ow[1] == 229 || ow[1] == 230;
            if (bossKind && ow[2] == w[2] && ow[7] >= 1) bosses.push_back({ow[3], ow[4], ow[7] & 0x3FF});
        }
        Checked c = playMap(group, w[2], w[3], w[4], touch, bosses);
        if (!rooms.count(w[2])) {
            EXPECT_GT(c.targets, 10) << "map " << w[2] << " has little to do";
        }
        std::string missed;
        for (const std::string& m : c.missed)
            missed += "\n  " + m;
        EXPECT_TRUE(c.missed.empty())
            << "map " << w[2] << " (start " << w[3] << ", " << w[4] << "): unreachable" << missed;
    }
    EXPECT_EQ(played, expectMaps);
    qgu_resetResourceRegistry();
}

TEST(FhpackPlayable, EveryThingOnChapterZerosMapsCanBeReached) {
    checkGroup(0, {0, 1, 2, 3, 4, 5}, {});
}

// Chapter 1: the five sections, the honey cellar behind the garden's door, and the small
// placeholder rooms the stage table names for chapter 5.
TEST(FhpackPlayable, EveryThingOnChapterOnesMapsCanBeReached) {
    checkGroup(1, {0, 1, 2, 3, 4, 5, 9, 10, 13}, {9, 10, 13});
}

// Chapter 2's lake and storm group: the drowned hall behind the cellar door, the storm
// crossing, the roc's eyrie and the placeholder room for chapter 5.
TEST(FhpackPlayable, EveryThingOnChapterTwosStormMapsCanBeReached) {
    checkGroup(2, {1, 2, 4, 9}, {9});
}

// Chapter 2's sky sections of map group 3: the cloud hop, the windy ascent (its rising
// air carries the walker up) and the switch isles.
TEST(FhpackPlayable, EveryThingOnChapterTwosSkyMapsCanBeReached) {
    checkGroup(3, {0, 1, 2}, {});
}

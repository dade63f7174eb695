// Map records, 20 words each, indexed by map number (group, entry):
//   0 gravity x, 1 gravity y (both x 20 when loaded), 2 under water, 3 condition bits,
//   4..19 eight (from, to) block pairs: pairs 0..3 for the pressure switches, pairs 4..7
//   for the one-shot switches 428..431. A pair of zeros is unused. Group 8 is all zero.
//
// Group 0 holds chapter 0's maps (content/maps/lv1): 0.0 the meadow with its three
// one-shot switches, 0.1 to 0.5 the orchard, hill, coin rush, hollow and cellar, all on
// land with the ordinary pull and no switches.
//
// Group 1 holds chapter 1's maps (content/maps/lv2), all on land with the ordinary pull:
// 1.0 the blossom meadow (pressure switch 0 opens the honey gate 977 while held; switch
// A opens the gate 975), 1.1 the sunflower climb, 1.2 the twilight garden (switch A the
// gate 975, switch B the coin boxes 923, switch D the bridge 336), 1.3 the petal chase,
// 1.4 the queen's hive and 1.5 the honey cellar. Entries 9, 10 and 13 are placeholder
// rooms for chapter 5 and keep the not-designed row.
//
// Group 2 holds the lake and storm maps of chapter 2 (content/maps/lv3): 2.1 the drowned
// hall under water, 2.2 the storm crossing (the storm's wind pulls everyone west, gravity
// x -1; condition 16: rain), 2.4 the storm roc's eyrie (ordinary pull, rain). Entry 9 is
// a placeholder room for chapter 5 and keeps the not-designed row.
//
// Group 3 holds chapter 2's sky sections (content/maps/lv4): 3.0 the cloud hop on the
// ordinary pull; 3.1 the windy ascent, where a steady wind pulls everyone gently to the
// left; 3.2 the switch isles (pressure switch 0 opens the vault gate 977 while held;
// switch A the tower gate 975, switch B the coin boxes 923, switch D the cloud bridge
// 336).
#include "envresGlobal.h"

// ---- NOT DESIGNED YET -------------------------------------------------------------
// The maps listed in mapInfoNotDesignedYet do not exist yet. Their rows are the
// placeholder below (plain land: gravity 0/7, no water, no condition bits, no switch
// pairs), so that a door to one behaves as an ordinary land map. Replace each row with
// its level data when the map is made, and remove it from the list.
#define MAPINFO_NOT_DESIGNED_YET {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}
const int16_t mapInfoNotDesignedYet[] = {
    6, 7, 8, 9, 10, 11, 12, 13, 14, 15,
    23, 24, 25, 26, 27, 28, 29, 32, 35, 37, 38, 39, 40, 41,
    42, 43, 44, 45, 46, 47, 51, 52, 53, 54, 55, 56, 57,
    58, 59, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 80, 81,
    82, 83, 84, 85, 86, 87, 88, 89, 90, 91, 96, 97, 98, 99, 100, 101,
    102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117,
    118, 119, 120, 121, 122, 123, 124, 125, 126, 127,
};
const int mapInfoNotDesignedCount = int(sizeof mapInfoNotDesignedYet / sizeof mapInfoNotDesignedYet[0]);
// ---- end of NOT DESIGNED YET ------------------------------------------------------

const int32_t mapinfoResGlb[kMapFileGroups][16][20] = {
    {   // group 0 ("wc2fh_lv1")
        {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 975, 613, 923, 540, 923, 337, 336, 722},  // 0.0
        {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 0.1
        {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 0.2
        {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 0.3
        {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 0.4
        {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 0.5
        MAPINFO_NOT_DESIGNED_YET,  // 0.6
        MAPINFO_NOT_DESIGNED_YET,  // 0.7
        MAPINFO_NOT_DESIGNED_YET,  // 0.8
        MAPINFO_NOT_DESIGNED_YET,  // 0.9
        MAPINFO_NOT_DESIGNED_YET,  // 0.10
        MAPINFO_NOT_DESIGNED_YET,  // 0.11
        MAPINFO_NOT_DESIGNED_YET,  // 0.12
        MAPINFO_NOT_DESIGNED_YET,  // 0.13
        MAPINFO_NOT_DESIGNED_YET,  // 0.14
        MAPINFO_NOT_DESIGNED_YET,  // 0.15
    },
    {   // group 1 ("wc2fh_lv2")
        {0, 7, 0, 0, 977, 617, 0, 0, 0, 0, 0, 0, 975, 613, 0, 0, 0, 0, 0, 0},  // 1.0
        {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 1.1
        {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 975, 613, 923, 540, 0, 0, 336, 722},  // 1.2
        {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 1.3
        {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 1.4
        {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 1.5
        {-2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 1.6
        MAPINFO_NOT_DESIGNED_YET,  // 1.7
        MAPINFO_NOT_DESIGNED_YET,  // 1.8
        MAPINFO_NOT_DESIGNED_YET,  // 1.9
        MAPINFO_NOT_DESIGNED_YET,  // 1.10
        MAPINFO_NOT_DESIGNED_YET,  // 1.11
        MAPINFO_NOT_DESIGNED_YET,  // 1.12
        MAPINFO_NOT_DESIGNED_YET,  // 1.13
        {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 1.14
        {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 1.15
    },
    {   // group 2 ("wc2fh_lv3")
        MAPINFO_NOT_DESIGNED_YET,  // 2.0
        {0, -1, 1, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 2.1
        {-1, 7, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 2.2
        MAPINFO_NOT_DESIGNED_YET,  // 2.3
        {0, 7, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 2.4
        MAPINFO_NOT_DESIGNED_YET,  // 2.5
        MAPINFO_NOT_DESIGNED_YET,  // 2.6
        MAPINFO_NOT_DESIGNED_YET,  // 2.7
        MAPINFO_NOT_DESIGNED_YET,  // 2.8
        MAPINFO_NOT_DESIGNED_YET,  // 2.9
        MAPINFO_NOT_DESIGNED_YET,  // 2.10
        MAPINFO_NOT_DESIGNED_YET,  // 2.11
        MAPINFO_NOT_DESIGNED_YET,  // 2.12
        MAPINFO_NOT_DESIGNED_YET,  // 2.13
        MAPINFO_NOT_DESIGNED_YET,  // 2.14
        MAPINFO_NOT_DESIGNED_YET,  // 2.15
    },
    {   // group 3 ("wc2fh_lv4")
        {0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 3.0
        {-1, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 3.1
        {0, 7, 0, 0, 977, 617, 0, 0, 0, 0, 0, 0, 975, 613, 923, 540, 0, 0, 336, 722},  // 3.2
        MAPINFO_NOT_DESIGNED_YET,  // 3.3
        MAPINFO_NOT_DESIGNED_YET,  // 3.4
        MAPINFO_NOT_DESIGNED_YET,  // 3.5
        MAPINFO_NOT_DESIGNED_YET,  // 3.6
        MAPINFO_NOT_DESIGNED_YET,  // 3.7
        MAPINFO_NOT_DESIGNED_YET,  // 3.8
        MAPINFO_NOT_DESIGNED_YET,  // 3.9
        MAPINFO_NOT_DESIGNED_YET,  // 3.10
        MAPINFO_NOT_DESIGNED_YET,  // 3.11
        {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 3.12
        {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 3.13
        {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 3.14
        {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 3.15
    },
    {   // group 4 ("wc2fh_lv5")
        MAPINFO_NOT_DESIGNED_YET,  // 4.0
        MAPINFO_NOT_DESIGNED_YET,  // 4.1
        MAPINFO_NOT_DESIGNED_YET,  // 4.2
        MAPINFO_NOT_DESIGNED_YET,  // 4.3
        MAPINFO_NOT_DESIGNED_YET,  // 4.4
        MAPINFO_NOT_DESIGNED_YET,  // 4.5
        MAPINFO_NOT_DESIGNED_YET,  // 4.6
        MAPINFO_NOT_DESIGNED_YET,  // 4.7
        MAPINFO_NOT_DESIGNED_YET,  // 4.8
        MAPINFO_NOT_DESIGNED_YET,  // 4.9
        MAPINFO_NOT_DESIGNED_YET,  // 4.10
        MAPINFO_NOT_DESIGNED_YET,  // 4.11
        {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 4.12
        {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 4.13
        {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 4.14
        {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 4.15
    },
    {   // group 5 ("wc2fh_lv6")
        MAPINFO_NOT_DESIGNED_YET,  // 5.0
        MAPINFO_NOT_DESIGNED_YET,  // 5.1
        MAPINFO_NOT_DESIGNED_YET,  // 5.2
        MAPINFO_NOT_DESIGNED_YET,  // 5.3
        MAPINFO_NOT_DESIGNED_YET,  // 5.4
        MAPINFO_NOT_DESIGNED_YET,  // 5.5
        MAPINFO_NOT_DESIGNED_YET,  // 5.6
        MAPINFO_NOT_DESIGNED_YET,  // 5.7
        MAPINFO_NOT_DESIGNED_YET,  // 5.8
        MAPINFO_NOT_DESIGNED_YET,  // 5.9
        MAPINFO_NOT_DESIGNED_YET,  // 5.10
        MAPINFO_NOT_DESIGNED_YET,  // 5.11
        {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 5.12
        {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 5.13
        {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 5.14
        {2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 5.15
    },
    {   // group 6 ("wc2fh_lv7")
        MAPINFO_NOT_DESIGNED_YET,  // 6.0
        MAPINFO_NOT_DESIGNED_YET,  // 6.1
        MAPINFO_NOT_DESIGNED_YET,  // 6.2
        MAPINFO_NOT_DESIGNED_YET,  // 6.3
        MAPINFO_NOT_DESIGNED_YET,  // 6.4
        MAPINFO_NOT_DESIGNED_YET,  // 6.5
        MAPINFO_NOT_DESIGNED_YET,  // 6.6
        MAPINFO_NOT_DESIGNED_YET,  // 6.7
        MAPINFO_NOT_DESIGNED_YET,  // 6.8
        MAPINFO_NOT_DESIGNED_YET,  // 6.9
        MAPINFO_NOT_DESIGNED_YET,  // 6.10
        MAPINFO_NOT_DESIGNED_YET,  // 6.11
        MAPINFO_NOT_DESIGNED_YET,  // 6.12
        MAPINFO_NOT_DESIGNED_YET,  // 6.13
        MAPINFO_NOT_DESIGNED_YET,  // 6.14
        MAPINFO_NOT_DESIGNED_YET,  // 6.15
    },
    {   // group 7 ("wc2fh_lv8")
        MAPINFO_NOT_DESIGNED_YET,  // 7.0
        MAPINFO_NOT_DESIGNED_YET,  // 7.1
        MAPINFO_NOT_DESIGNED_YET,  // 7.2
        MAPINFO_NOT_DESIGNED_YET,  // 7.3
        MAPINFO_NOT_DESIGNED_YET,  // 7.4
        MAPINFO_NOT_DESIGNED_YET,  // 7.5
        MAPINFO_NOT_DESIGNED_YET,  // 7.6
        MAPINFO_NOT_DESIGNED_YET,  // 7.7
        MAPINFO_NOT_DESIGNED_YET,  // 7.8
        MAPINFO_NOT_DESIGNED_YET,  // 7.9
        MAPINFO_NOT_DESIGNED_YET,  // 7.10
        MAPINFO_NOT_DESIGNED_YET,  // 7.11
        MAPINFO_NOT_DESIGNED_YET,  // 7.12
        MAPINFO_NOT_DESIGNED_YET,  // 7.13
        MAPINFO_NOT_DESIGNED_YET,  // 7.14
        MAPINFO_NOT_DESIGNED_YET,  // 7.15
    },
    {   // group 8 ("wc2fh_lv9")
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.0
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.1
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.2
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.3
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.4
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.5
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.6
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.7
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.8
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.9
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.10
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.11
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.12
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.13
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.14
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // 8.15
    },
};

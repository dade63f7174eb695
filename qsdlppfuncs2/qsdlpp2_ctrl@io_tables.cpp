// Direction tables of the input word, indexed by a player's direction nibble
// (1 right, 2 left, 4 down, 8 up). Contradictory combinations give no direction.
#include "qsdlpp2_ctrl@io.h"

//                          0    R     L  RL    D  DR   DL DRL    U   UR   UL  ...
const int exchgtblX[16] = {0, 100, -100, 0,   0, 75, -75, 0,   0,  75, -75, 0, 0, 0, 0, 0};
const int exchgtblY[16] = {0,   0,    0, 0, 100, 75,  75, 0, -100, -75, -75, 0, 0, 0, 0, 0};
const int exchgtbl[16] = {-1,   2,    6, -1,  4,  3,   5, -1,  0,   1,   7, -1, -1, -1, -1, -1};

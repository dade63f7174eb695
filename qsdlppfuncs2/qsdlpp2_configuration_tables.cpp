// Tables of the configuration record: the two programs' defaults, the tables the
// choice indexes select, and the layout of the text export.
#include <SDL.h>

#include "qsdlpp2_configuration.h"

// Field order: FullSC, Window Size, Skip, Gamma, BGM, Music Vol, KB1 stick, KB1 A B C,
// Pad1 A B C D, Reverse1, Threshold1, KB2 stick, KB2 A B C, Pad2 A B C D, Reverse2,
// Threshold2, Axis X, Axis Y, KB1 D, KB2 D.
const int32_t prefGameDefaults[SDLSET_FIELDS] = {
    0, 5, 0, 1, 0, 0, 0, 0, 1, 2, 0, 1, 2, 8, 0, 3,
    3, 8, 7, 6, 0, 1, 2, 8, 0, 3, 0, 1, 12, 12};
const int32_t prefToolDefaults[SDLSET_FIELDS] = {
    0, 4, 0, 0, 0, 1, 0, 0, 1, 2, 0, 1, 2, 8, 0, 3,
    3, 8, 7, 6, 0, 1, 2, 8, 0, 3, 0, 1, 12, 12};

// Keyboard direction sets: up, left, right, down. Sets 5..9 are 0..4 turned around.
const int prefStickSets[10][4] = {
    {SDL_SCANCODE_UP, SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT, SDL_SCANCODE_DOWN},
    {SDL_SCANCODE_KP_8, SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_5},
    {SDL_SCANCODE_KP_8, SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_2},
    {SDL_SCANCODE_I, SDL_SCANCODE_J, SDL_SCANCODE_L, SDL_SCANCODE_K},
    {SDL_SCANCODE_W, SDL_SCANCODE_A, SDL_SCANCODE_D, SDL_SCANCODE_S},
    {SDL_SCANCODE_DOWN, SDL_SCANCODE_RIGHT, SDL_SCANCODE_LEFT, SDL_SCANCODE_UP},
    {SDL_SCANCODE_KP_5, SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_8},
    {SDL_SCANCODE_KP_2, SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_4, SDL_SCANCODE_KP_8},
    {SDL_SCANCODE_K, SDL_SCANCODE_L, SDL_SCANCODE_J, SDL_SCANCODE_I},
    {SDL_SCANCODE_S, SDL_SCANCODE_D, SDL_SCANCODE_A, SDL_SCANCODE_W},
};

const int prefMusicVolTbl[8] = {100, 80, 60, 50, 30, 120, 10, 10};
const int prefWindowScaleTbl[8] = {25, 50, 100, 150, 200, 300, 400, 500};
const int prefFrameSkipTbl[8] = {1, 2, 3, 4, 5, 1, 1, 1};

const char* const prefExportLabels[SDLSET_FIELDS] = {
    "FullSC",           "Window Size",        "Skip display update", "Gamma adjust 2.2",
    "BGM ON",           "Music Vol",          "KB 1P Stick Set",     "KB 1P A Button",
    "KB 1P B Button",   "KB 1P C Button",     "Pad 1P A Button",     "Pad 1P B Button",
    "Pad 1P C Button",  "Pad 1P D Button",    "Reverse Stick P1",    "Sitck Threshold P1",
    "KB 2P Stick Set",  "KB 2P A Button",     "KB 2P B Button",      "KB 2P C Button",
    "Pad 2P A Button",  "Pad 2P B Button",    "Pad 2P C Button",     "Pad 2P D Button",
    "Reverse Stick P2", "Sitck Threshold P2", "Use Another Axis [X]", "Use Another Axis [Y]",
    "KB 1P D Button",   "KB 2P D Button"};

// The export lists the keyboard D buttons with the other keyboard buttons.
const PrefExportLine prefExportOrder[SDLSET_FIELDS] = {
    {"#Display Settings", 0}, {nullptr, 1}, {nullptr, 2}, {nullptr, 3},
    {"#Sound Settings", 4}, {nullptr, 5},
    {"#Player1 Settings", 6}, {nullptr, 7}, {nullptr, 8}, {nullptr, 9}, {nullptr, 28},
    {nullptr, 10}, {nullptr, 11}, {nullptr, 12}, {nullptr, 13}, {nullptr, 14}, {nullptr, 15},
    {"#Player2 Settings", 16}, {nullptr, 17}, {nullptr, 18}, {nullptr, 19}, {nullptr, 29},
    {nullptr, 20}, {nullptr, 21}, {nullptr, 22}, {nullptr, 23}, {nullptr, 24}, {nullptr, 25},
    {"#MISC Settings", 26}, {nullptr, 27}};

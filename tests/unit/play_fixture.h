// A small play field for the player and contact tests: a 64 x 64 block map, the world's
// characters reset and placed, a map record with land gravity, and scripted input fed
// through the input object's film playback (one word per frame, as a film replays).
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_play.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"

class PlayField : public ::testing::Test {
protected:
    static constexpr int kSolid = 700;
    int32_t info[20] = {};
    unsigned char record[FHLayout::kRecordSize] = {};
    std::vector<char> film;
    int frame = 0;
    int events = 0;
    FHWorldCLS& W = Game_GLOBALS::MyWorld;

    void SetUp() override {
        using namespace FHWGBL;
        std::memset(MenMap, 0, sizeof(MenMap));
        MapBlkWidth = MapBlkHeight = 64;
        MapDotWidth = MapDotHeight = 1024;
        MapFieldWidth = MapFieldHeight = 102400;
        info[1] = 140;  // land gravity 7 x 20
        CurrentMapInfoRef = info;
        GravityX = 0;
        GravityY = 140;
        UWMode = false;
        GameLevel = 2;
        Score = SilvCoins = MissCount = 0;
        GoldCoins = 250;
        preEcounter = preGcounter = preAcounter = 0;
        TIMER = 30000;
        PlusTIME = 60;
        CtrlCounter = 1000;
        RBGKeyBit = 0;
        haveRCF = false;
        FHSYS_GLOBALS::use_freePlayF = FHSYS_GLOBALS::use_invincibleF = false;
        for (bool& f : FHSYS_GLOBALS::unLock_usingF) f = false;
        MyCharactor::superRef = &W;
        W.workingRecord = record;
        FHPlay::resetPlayerStatics();
        FHPlay::resetContactStatics();
        for (auto& o : W.objectCtrl.objects) o.activeF = 0;
        for (auto& d : W.decoCtrl.decos) d.activeF = 0;
        for (int k = 0; k < 3; ++k) {
            MyCharactor& c = W.chars[k];
            c.newGame(k);
            c.box = c.boxTable[k == 2 ? 2 : 0];
            c.halfW = (c.box.right - c.box.left) / 2;
            c.halfH = (c.box.bottom - c.box.top) / 2;
            c.MoveUs(-1);
            c.invincTimer = 0;
        }
        place(0, 10, 10);
        place(1, 20, 10);
        place(2, 30, 10);
        film.assign(FHLayout::kFilmBufferSize, 0);
        frame = 0;
        events = 0;
    }

    // Character k standing with its box bottom on the top of block row (row + 1), the
    // box's left edge at the left of block column col.
    void place(int k, int col, int row) {
        MyCharactor& c = W.chars[k];
        c.posX = c.restartX = col * 1600;
        c.posY = c.restartY = (row + 1) * 1600 - (c.box.bottom - c.box.top);
        c.groundF = 1;
    }

    static void put(int row, int col, int code) { FHWGBL::MenMap[row][col] = code; }
    static void floorRow(int row) {
        for (int c = 0; c < 64; ++c) put(row, c, kSolid);
    }

    // Scripted input: the word to hold from frame `at` on (frames in call order).
    void input(int at, uint16_t word) {
        unsigned char* e = reinterpret_cast<unsigned char*>(film.data()) + events * 4;
        e[0] = static_cast<unsigned char>((at >> 8) & 0xFF);
        e[1] = static_cast<unsigned char>(at & 0xFF);
        e[2] = static_cast<unsigned char>(word >> 8);
        e[3] = static_cast<unsigned char>(word & 0xFF);
        ++events;
    }
    void startInput() { QSDL_GLOBALS::Stick.startSync(film.data(), false); }

    // One frame of the character in play (as the world step runs it).
    int step() {
        QSDL_GLOBALS::Stick.updStick(true);
        int r = W.chars[0].movePreProcess(0);
        if (r == 0) r = W.chars[1].movePreProcess(0);
        FHWGBL::CtrlCounter += 1;
        QSDLpp_GLSpriteFuncs::emptyList();
        ++frame;
        return r;
    }
};

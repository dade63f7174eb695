// Contact with map blocks: after the frame step of the character in play the blocks
// under both characters are examined and their effects applied (items, keys, coins,
// springs, wind, switches, mines, hazards, checkpoints, exits, goals and air pockets),
// the four pressure switches follow the characters' feet, and nearby coins are swept in.
#include <cstdio>
#include <cstring>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_play.h"
#include "FHobjectCtrl_swim.h"
#include "envresGlobal.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_globals.h"

using namespace FHWGBL;
using FHPlay::clip;

namespace {

bool PrevSwitchF[4] = {};  // last state of pressure switches 0..3
bool OntheMineF = false;   // the character in play stood on a mine last frame

const double kMsgGreen[4] = {0.3, 1.0, 0.3, 1.0};
const double kMsgWhite[4] = {1.0, 1.0, 1.0, 1.0};
const double kMsgCyan[4] = {0.3, 1.0, 1.0, 1.0};
const double kMsgOrange[4] = {1.0, 0.6, 0.1, 1.0};
const double kMsgYellow[4] = {1.0, 1.0, 0.2, 1.0};

inline int32_t& blockAt(int dotX, int dotY) {
    return MenMap[(dotY >> 4) & (MapBlkHeight - 1)][(dotX >> 4) & (MapBlkWidth - 1)];
}

inline bool isChangeSpot(int b) { return (b >= 360 && b <= 363) || (b >= 412 && b <= 427); }

// Per-frame state of one contact step.
struct Frame {
    MyCharactor* me;       // the record checkMapObject was called on
    MyCharactor* inPlay;   // the character in play
    DecorateCtrlCls* deco;
    int sound = 0;         // the last sound chosen (played at the end)
    int exits = 0;         // exit touches counted
    bool goal = false;
    bool held[4] = {};     // pressure switches held this frame
};

void scoreDeco(Frame& fr, MyCharactor* ch, int points, bool large) {
    fr.deco->NewDecoratePatt(ch->posX + ch->halfW, ch->posY, -1, 0, -60, 0, 15, points, large ? 90 : 60);
}

void bursts(Frame& fr, MyCharactor* ch, int n) {
    for (int i = 0; i < n; ++i) {
        const int d = (i * 24 / n + 2) % 24;
        fr.deco->NewDecorateDetailing(ch->posX + ch->halfW, ch->posY + ch->halfH, 1,
                                      CHARACTER_BASE::x24costbl[d] * 3, CHARACTER_BASE::y24sintbl[d] * 3,
                                      100, 100, 0, 0, 24, 0, 3, 1.0, 0.8, 0.3, 1.0, 771);
    }
}

void sparkle(Frame& fr, MyCharactor* ch) {
    fr.deco->NewDecorateDetailing(ch->posX + ch->halfW, ch->posY + ch->halfH, 1, 0, 0, 100, 100, 0, 0,
                                  40, 19, 0, 1.0, 1.0, 0.6, 0.8, 1);
}

void message(MyCharactor* ch, const char* text, int life, const double* colour) {
    FHPlay::floatMessage(ch->posX, ch->posY - 1600, text, life, colour);
}

// The coin chain: each coin within 30 frames of the last raises it.
void chainUp() {
    MyCharactor::CoinChainTimer = 30;
    MyCharactor::CoinChain += 1;
}

void mine(Frame& fr, MyCharactor* ch, int32_t& cell, int dotX, int dotY, int b, bool leveled) {
    if (ch != fr.inPlay) return;
    if (OntheMineF) return;  // once per stay
    OntheMineF = true;
    MainObjectCtrlCls& objs = MyCharactor::superRef->objectCtrl;
    const int bx = (dotX & ~15) * 100, by = (dotY & ~15) * 100;
    const int idx = objs.AppearObject(bx - 800, by - 1200, 0, -30, 188, 0);
    if (leveled && idx >= 0 && idx < MainObjectCtrlCls::kObjects)
        objs.objects[idx].work5 = 8 * GameLevel - 50;
    chainUp();
    if (MyCharactor::CoinChain >= 5) sparkle(fr, ch);
    if (b == 440) cell = 441;
    else if (b == 441) cell = 440;
    else if (b == 442) cell = 443;
    else if (b == 443) cell = 442;
}

// Air pocket: surfacing, and air for the character in play.
void airPocket(Frame& fr, MyCharactor* ch) {
    ch->surfaceF = 1;
    if (ch == fr.inPlay && ch->chargeCount < 1 && ch->work3 < 1) {
        const int add = (ch->movState == MOV_DASH) ? 0 : 120;
        ch->airGauge += add;
        if (ch->airGauge > 25500) ch->airGauge = 25500;
    }
}

// Effect of the block value v under character ch (its cell at the given dot).
// Returns true when the block was an air pocket (surfaceF is then left set).
bool applyEffect(Frame& fr, MyCharactor* ch, int v, int32_t& cell, int dotX, int dotY) {
    const bool cur = (ch == fr.inPlay);
    const int32_t* info = CurrentMapInfoRef;
    auto pair = [&](int i, int* from, int* to) {
        *from = info ? info[4 + 2 * i] : 0;
        *to = info ? info[5 + 2 * i] : 0;
    };

    if ((v >= 220 && v <= 223) || (v >= 252 && v <= 255) || (v >= 284 && v <= 287) ||
        (v >= 316 && v <= 319)) {
        if (!cur) return false;
        Score += 70;
        bursts(fr, ch, 4);
        v = 400;  // then as a hazard
    }
    if (v >= 400 && v <= 411) {
        if (cur && ch->invincTimer <= 0 && !MyCharactor::MissingF) {
            MyCharactor::MissingF = true;
            MyCharactor::MissingTmer = 119;
            fr.sound = 3;
        }
        return false;
    }
    if (v >= 348 && v <= 351) {
        GravityY = 200;
        ch->airCount = 1;
        if (UWMode && ch->movState != MOV_HELD) {
            ch->xChgUWMode(MOV_HELD, static_cast<UW_STATE>(20));
            ch->modeTimer = 59;
        } else if (ch->movState == MOV_HELD) {
            ch->runCount &= 63;
        }
        return false;
    }
    if (v >= 360 && v <= 363) { fr.held[v - 360] = true; return false; }
    if (v >= 424 && v <= 427) { fr.held[v - 424] = true; return false; }
    if (v >= 380 && v <= 383) {
        GravityY = clip(GravityY - 100, 200, -200);
        ch->airCount = 1;
        if (!UWMode || ch->movState == MOV_HELD) {
            ch->speedY = -100;
            ch->jumpTimer = 0;
        } else {
            ch->runCount %= 100;
        }
        return false;
    }
    if (v >= 412 && v <= 415) { fr.exits += 1; return false; }
    if (v >= 420 && v <= 422) { fr.exits += 1; return false; }
    if (v >= 416 && v <= 418) { ch->surfaceF = 0; return false; }
    if (v >= 444 && v <= 447) {
        if (cur) fr.goal = true;
        return false;
    }

    switch (v) {
        case 384:
            ch->speedX = 0;
            fr.sound = 39;
            if (ch->jumpTimer < 55)
                fr.deco->NewDecorateDetailing(ch->posX + ch->halfW, ch->posY + 3200, 1, 0, 0, 100, 100, 0, 4, 20,
                                              8, 3, 1, 1, 1, 1, 771);
            [[fallthrough]];
        case 392:
            ch->jumpTimer = 63;
            ch->speedY = -1000;
            GravityY = 0;
            ch->posX = (dotX & ~15) * 100;
            ch->groundF = 0;
            ch->airCount = 1;
            ch->jumpCount = 1;
            break;
        case 385: GravityY = 600; ch->jumpTimer = 0; break;
        case 386: GravityX = 600; break;
        case 387: GravityX = -600; break;
        case 388:
            ch->jumpTimer = 63;
            ch->airCount = 1;
            GravityY = 0;
            ch->speedY = -500;
            break;
        case 389: GravityY = 400; break;
        case 390: GravityX = 300; break;
        case 391: GravityX = -300; break;
        case 396: ch->restartX = ch->posX; ch->restartY = ch->posY; break;
        case 397:
        case 419: airPocket(fr, ch); return true;
        case 398:
            if (cur && (ch->energy += 40) > 25500) ch->energy = 25500;
            ch->surfaceF = 0;
            break;
        case 399: ch->invincTimer = 0; break;
        case 428:
        case 429:
        case 430:
        case 431: {
            int from, to;
            pair(4 + (v - 428), &from, &to);
            ChangeMapObj(from, to);
            ChangeMapObj(v, v - 64);
            fr.sound = (v <= 429) ? 14 : 15;
            break;
        }
        case 439: mine(fr, ch, cell, dotX, dotY, v, false); break;
        case 440:
        case 441: mine(fr, ch, cell, dotX, dotY, v, false); break;
        case 442:
        case 443: mine(fr, ch, cell, dotX, dotY, v, true); break;
        case 448:
        case 449:
        case 450:
            message(ch, "GET COLOR KEY!", 180, kMsgYellow);
            RBGKeyBit |= 1 << (v - 448);
            MyCharactor::superRef->updateScore(4);
            ChangeMapObj(v, 452);
            fr.sound = 30;
            break;
        case 451:
            message(ch, "GET MASTER!", 180, kMsgYellow);
            if (!(RBGKeyBit & 8)) {
                RBGKeyBit |= 8;
                GetMasterKF = true;
                MyCharactor::superRef->updateScore(4);
                fr.sound = 31;
            }
            break;
        case 453:
            message(ch, "GET RC CHIP. To record the best play.", 300, kMsgCyan);
            haveRCF = true;
            fr.sound = 29;
            break;
        case 454: {
            char buf[32];
            std::snprintf(buf, sizeof buf, "+%dsec", 60);
            message(ch, buf, 120, kMsgGreen);
            if (!(TIMER < -1)) TIMER += 7200;
            fr.sound = 28;
            break;
        }
        case 455:
            message(ch, "TIMER STOP", 180, kMsgCyan);
            ChangeMapObj(455, 0);
            TIMER = 2160000;
            fr.sound = 26;
            break;
        case 456: {
            message(ch, "PUERGE ALL ITEMS!!!", 300, kMsgOrange);
            unsigned char* rec = MyCharactor::superRef->workingRecord;
            if (rec) {
                std::memset(rec + FHLayout::kRecEvalItemOfs, 0, 6 * 10);
                rec[FHLayout::kRecAppendixCondOfs] = 0;
            }
            FHSYSGBL::ActiveMsgStrPtr = vrndx_getConstMsgPtr(0);
            FHSYSGBL::ActiveMsgDispTimer = 300;
            fr.sound = 25;
            break;
        }
        case 457: {
            message(ch, "GET ALL STAGE PENS", 180, kMsgYellow);
            unsigned char* rec = MyCharactor::superRef->workingRecord;
            if (rec) {
                rec[FHLayout::kRecAppendixCondOfs] = 1;
                std::memset(rec + FHLayout::kRecEvalItemOfs, 1, 5 * 10);
            }
            fr.sound = 12;
            break;
        }
        case 458:
            message(ch, "LOOSE COLOR KEYS and CHIP!", 180, kMsgOrange);
            RBGKeyBit = 0;
            haveRCF = false;
            MyCharactor::superRef->updateScore(4);
            fr.sound = 30;
            break;
        case 460: case 461: case 462: case 463:
        case 480: case 481: case 482: case 483:
            preEcounter = 3200;  // (462 and 463 show their chapter-5 number in the pick-up)
            if (v >= 480) ch->weapon = static_cast<MYShot_Type>(v - 471);
            break;
        case 476: case 477: case 478: case 479:
            preEcounter = preAcounter = 3200;
            break;
        case 484: case 581: case 582:
            message(ch, UWMode ? "  GET AIR" : "GET ENERGY", 120, kMsgGreen);
            preAcounter = 12000;
            preEcounter = UWMode ? 1600 : 12000;
            break;
        case 485:
            message(ch, UWMode ? "GET MAX AIR" : "GET MAXCOFFE", 120, kMsgGreen);
            preAcounter = 25200;
            preEcounter = UWMode ? 6400 : 25200;
            sparkle(fr, ch);
            fr.sound = 28;
            break;
        case 486: {
            char buf[32];
            std::snprintf(buf, sizeof buf, "+%dsec", PlusTIME);
            message(ch, buf, 120, kMsgGreen);
            if (!(TIMER < -1)) TIMER += PlusTIME * 60;
            if (PlusTIME > 5) PlusTIME -= 5;
            fr.sound = 28;
            break;
        }
        case 487:
            MyCharactor::BigShotTimer = MyCharactor::MaxCoinTimer = MyCharactor::CoinGatherTimer = 0;
            preAcounter = -ch->airGauge / 2;
            preEcounter = -ch->energy / (ch->energy <= 6400 ? 4 : 2);
            if (!UWMode) {
                bursts(fr, ch, 4);
                fr.sound = 3;
            } else {
                ch->xChgUWMode(MOV_HELD, static_cast<UW_STATE>(19));
                ch->modeTimer = 59;
                FHSwim::bubbles(ch->posX + ch->halfW, ch->posY + ch->halfH, 8);
                fr.sound = 44;
            }
            break;
        case 488:
            ch->posX = ch->restartX;
            ch->posY = ch->restartY;
            fr.sound = 4;
            break;
        case 489:
            for (int d = 13; d <= 23; ++d)
                MyCharactor::superRef->shotCtrl.addShot(ch->posX, ch->posY, 3 * CHARACTER_BASE::x24costbl[d],
                                                        3 * CHARACTER_BASE::y24sintbl[d], MYSHOT_DEBRIS);
            fr.sound = 34;
            break;
        case 490:
            message(ch, "GET SUPER AIR", 180, kMsgCyan);
            ch->invincTimer = (12 - GameLevel) * 60;
            sparkle(fr, ch);
            preAcounter = preEcounter = 25000;
            fr.sound = 28;
            break;
        case 491:
            for (int d = 0; d <= 22; d += 2)
                MyCharactor::superRef->shotCtrl.addShot(ch->posX, ch->posY, 2 * CHARACTER_BASE::x24costbl[d],
                                                        2 * CHARACTER_BASE::y24sintbl[d], MYSHOT_DEBRIS);
            fr.sound = 34;
            break;
        case 492:
            message(ch, "BIG SHOT", 180, kMsgOrange);
            MyCharactor::BigShotTimer = 3600;
            sparkle(fr, ch);
            fr.sound = 29;
            break;
        case 493:
            message(ch, "USE MANEKI NEKO", 180, kMsgOrange);
            MyCharactor::CoinGatherTimer = 10800;
            sparkle(fr, ch);
            fr.sound = 29;
            break;
        case 494:
            message(ch, "KEEP MAXIMUM", 180, kMsgOrange);
            MyCharactor::MaxCoinTimer = 3600;
            sparkle(fr, ch);
            fr.sound = 29;
            break;
        case 495:
            message(ch, "COUNT START", 180, kMsgWhite);
            ChangeMapObj(495, 0);
            TIMER = 3600;
            fr.sound = 26;
            break;
        case 496: case 565: preGcounter += 5; break;
        case 497: preGcounter += 15; break;
        case 498: case 499: case 500: case 501: case 502: case 503: case 504: case 505:
            fr.deco->NewDecorate((dotX & ~15) * 100 + 800, (dotY & ~15) * 100, 1, 0, -40, 100, 100, 0, 0, 60,
                                 18, v, 1, 1, 1, 1, 771);
            fr.sound = 31;
            break;
        case 508: case 509: case 510: case 511:
            preGcounter += 1;
            chainUp();
            Score += MyCharactor::CoinChain * 500;
            scoreDeco(fr, ch, MyCharactor::CoinChain * 500, MyCharactor::CoinChain >= 10);
            fr.sound = v - 488;
            break;
        case 540: case 541: case 542: case 543:
            SilvCoins += 1;
            chainUp();
            Score += MyCharactor::CoinChain * 100;
            scoreDeco(fr, ch, MyCharactor::CoinChain * 100, MyCharactor::CoinChain >= 10);
            fr.sound = v - 524;
            break;
        case 566: preGcounter += 20; fr.sound = 31; break;
        case 567: case 568: case 569: case 570: case 571: preGcounter += 30; fr.sound = 31; break;
        case 572: case 573: case 574: case 575:
            message(ch, "MUTEKI", 180, kMsgYellow);
            ch->invincTimer = 720 - 30 * GameLevel;
            sparkle(fr, ch);
            break;
        case 584: case 585: case 586: case 587: case 588: case 589: case 590: {
            const int k = v - 584;
            const unsigned char* rec = MyCharactor::superRef->workingRecord;
            const bool held = rec && CHAPTER >= 0 && CHAPTER < 8 &&
                              rec[FHLayout::kRecEvalItemOfs + CHAPTER * 10 + k] != 0;
            if (!held) {
                cell = v + 32;
            } else {
                ChangeMapObj(v + 32, v + 392);
                ChangeMapObj(v + 296, v + 32);
                cell = v + 392;
                fr.sound = 14;
            }
            break;
        }
        case 591: {
            const unsigned char* rec = MyCharactor::superRef->workingRecord;
            if (rec && rec[FHLayout::kRecAppendixCondOfs]) {
                ChangeMapObj(623, 983);
                ChangeMapObj(887, 623);
                cell = 983;
                fr.sound = 14;
            } else {
                cell = 623;
            }
            break;
        }
        case 592: case 593: case 594: case 595: case 596: case 597: case 598: case 599: case 600: case 601: {
            // Held already when taken in this section or in an earlier play of the chapter.
            const int k = v - 592;
            const unsigned char* rec = MyCharactor::superRef->workingRecord;
            const bool heldInChapter =
                rec && CHAPTER >= 0 && CHAPTER < 6 && rec[FHLayout::kRecEvalItemOfs + CHAPTER * 10 + k] != 0;
            if (!TempEvalItmF[k] && !heldInChapter) {
                Score += 10000;
                TempEvalItmF[k] = true;
                message(ch, "GET CHAPTER ITEM!", 180, kMsgYellow);
                fr.sound = 31;
            }
            break;
        }
        case 602: {
            unsigned char* rec = MyCharactor::superRef->workingRecord;
            if (rec && !rec[FHLayout::kRecAppendixCondOfs]) {
                message(ch, "ShareKEY: Extra place will be passable!", 300, kMsgCyan);
                rec[FHLayout::kRecAppendixCondOfs] = 1;
                fr.sound = 31;
            } else {
                message(ch, "Extra place are passable!", 180, kMsgCyan);
            }
            break;
        }
        case 603:
            Score += 100000;
            TempGetPenBoxF = true;
            message(ch, "GET ACHIEVEMENT ITEM!", 300, kMsgYellow);
            fr.sound = 31;
            break;
        case 604: case 605: case 606: case 607:
            if (!UWMode) {
                Score += 10;
                if ((ch->energy += 50) > 25500) ch->energy = 25500;
            }
            airPocket(fr, ch);
            return true;
        default:
            break;
    }
    return false;
}

// Coins near the character in play fly to it: 2 rows up from its row (3 in the air or
// under water), 1 column from its front (3 in the air or under water).
void coinSweep(Frame& fr, MyCharactor* ch) {
    const bool wide = UWMode || !ch->groundF;
    const int rows = wide ? 3 : 2;
    const int cols = wide ? 3 : 1;
    const int row0 = ch->posY / 1600;
    const int col0 = (ch->posX / 100 + 5) / 16;
    const int dir = ch->facing < 0 ? -1 : 1;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const int row = (row0 - r) & (MapBlkHeight - 1);
            const int col = (col0 + dir * c) & (MapBlkWidth - 1);
            int32_t& cell = MenMap[row][col];
            const int b = cell;
            const int base = b & ~3;
            if (base != 476 && base != 508 && base != 540) continue;
            // The coin flies to the character.
            fr.deco->NewDecorateDetailing(col * 1600 + 800, row * 1600 + 800, 1,
                                          (ch->posX - col * 1600) / 8, (ch->posY - row * 1600) / 8, 100, 100, 0,
                                          0, 8, 1, base == 508 ? 8 : 12, 1, 1, 1, 1, 771);
            int points = (base == 508) ? 500 : 100;
            if (base == 540) SilvCoins += 1;
            if (base == 508) preGcounter += 1;
            if (base == 476) {
                preEcounter += 3200;
                preAcounter += 3200;
            }
            chainUp();
            const int gained = (base == 476) ? 100 : points * MyCharactor::CoinChain;
            Score += gained;
            scoreDeco(fr, ch, gained, MyCharactor::CoinChain >= 10);
            fr.sound = (base == 476) ? 2 : (base == 508 ? b - 488 : b - 524);
            cell = 0;
        }
    }
}

}  // namespace

namespace FHPlay {
void resetContactStatics() {
    for (bool& f : PrevSwitchF) f = false;
    OntheMineF = false;
}
}  // namespace FHPlay

int MyCharactor::checkMapObject(bool atStart) {
    if (atStart) {
        OntheMineF = false;
        for (bool& f : PrevSwitchF) f = false;
        surfaceF = 1;
    }
    if (MissingF) return 6;

    Frame fr;
    fr.me = this;
    fr.inPlay = relativeRef[currentCHR];
    fr.deco = &superRef->decoCtrl;

    ChangeableF = true;
    if (!UWMode && fr.inPlay->airCount >= 20 && CurrentMapInfoRef) GravityY = CurrentMapInfoRef[1];

    bool onSpot[2] = {false, false};
    bool wasOnMine = false;
    for (int slot = 1; slot >= 0; --slot) {
        MyCharactor* ch = relativeRef[slot];
        const bool cur = (slot == currentCHR);
        const int dotX = ch->posX / 100 + 4;
        const int dotY = ch->posY / 100 + 4;
        int32_t& cell = blockAt(dotX, dotY);
        const int b = cell;
        const int v = cur ? b : (OtherOnGhgPlaceF ? b : 0);
        if (cur) ch->underBlock = b;

        // Any collectible is consumed at once, whoever touches it.
        if (b >= 448 && b <= 603) {
            cell = 7;
            const int pts = ItemPoints[b - kItemBlockFirst];
            Score += pts;
            if (pts > 0) {
                SilvCoins += 1;
                if (b >= 512 && b <= 559) SilvCoins += 1;
            }
            preEcounter += HealPoints[b - kItemBlockFirst];
            // From chapter 5 on, blocks 462 and 463 show a bigger number than they give.
            int shown = pts;
            if ((b == 462 || b == 463) && CHAPTER >= 5) shown = b == 462 ? 5730 : 7650;
            if (pts > 0) scoreDeco(fr, ch, shown, shown > 9999);
            fr.sound = 2;
        }

        if (isChangeSpot(b)) {
            onSpot[slot] = true;
            if (!cur) OtherOnGhgPlaceF = true;
        }
        if (v >= 496 && v <= 571) ch->stayCount = 1;
        if (cur && v >= 439 && v <= 443) wasOnMine = true;

        // Surfacing: an air pocket leaves surfaceF set, every other block clears it. On maps
        // with condition bit 5 the music is muffled while under the surface.
        const bool before = ch->surfaceF != 0;
        if (!applyEffect(fr, ch, v, cell, dotX, dotY)) ch->surfaceF = 0;
        const bool after = ch->surfaceF != 0;
        if ((Condition & 0x20) && before != after)
            QSDL_GLOBALS::music.musVol(after ? FHSYSGBL::StageBGMRate : FHSYSGBL::StageBGMRate / 2);
    }
    if (!wasOnMine) OntheMineF = false;

    // The switch hint when both characters stand on change spots.
    ChangeableF = onSpot[0] && onSpot[1];
    if (ChangeableF && FHSYSGBL::ActiveMsgDispTimer < 5) {
        QSDLpp_GLSprite* sp = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
        sp->setDrwType(GLO::SprAtlas);
        sp->ratioBase(true);
        sp->put0(120, 32, -1, 1150);
        sp->setColor(1.0, 1.0, 0.6, 0.8);
    }

    // Pressure switches follow the characters' feet.
    for (int i = 0; i < 4; ++i) {
        if (fr.held[i] == PrevSwitchF[i] && !atStart) continue;
        int from = CurrentMapInfoRef ? CurrentMapInfoRef[4 + 2 * i] : 0;
        int to = CurrentMapInfoRef ? CurrentMapInfoRef[5 + 2 * i] : 0;
        if (fr.held[i]) {
            PrevSwitchF[i] = true;
            ChangeMapObj(424 + i, 360 + i);
            ChangeMapObj(from, to);
        } else {
            PrevSwitchF[i] = false;
            ChangeMapObj(360 + i, 424 + i);
            ChangeMapObj(to, from);
        }
        fr.sound = 13;
    }

    coinSweep(fr, fr.inPlay);

    int result = fr.goal ? 3 : 1;
    if (fr.exits >= 2) result = 4;
    FHPlay::playSound(fr.sound);
    return result;
}

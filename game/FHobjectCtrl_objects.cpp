// The map-object pool: placing a section's objects from the map's object list, the
// effect objects of special blocks, objects that appear during play, the frame loop over
// the pool, and bringing destroyed map objects back from their backups.
//
// Slots 0..31 take objects that appear during play; slots 32..159 hold the map's
// objects. Each slot has a backup holding its object as loaded.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_behave.h"
#include "FHobjectCtrl_behave_util.h"
#include "FHobjectCtrl_objects.h"
#include "envresGlobal.h"
#include "qgu_basicfunc.h"
#include "qgu_fileutil.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_trigon.h"

using namespace FHWGBL;
using FHObj::attributes;
using Object = MainObjectCtrlCls::Object;

namespace {

constexpr int kBlendDefault = 771;  // GL_ONE_MINUS_SRC_ALPHA

// Clears a record as a section start does: nothing of an earlier section survives.
void clearRecord(Object& o) {
    o.activeF = 0;
    o.stateB1 = 0;
    o.groundF = 0;
    o.frame = 0;
    o.posX = o.posY = 0;
    o.speedX = o.speedY = 0;
    o.work0 = o.work1 = o.work2 = o.work3 = o.work4 = o.work5 = 0;
    o.power = 0;
    o.facing = 0;
    o.age = 0;
    o.scaleW = o.scaleH = 100;
    o.blend = kBlendDefault;
    o.regA = o.regB = o.regC = 0;
    o.patt = 0;
    o.behave = 0;
    o.respawnSlot = 0;
    o.partner = 0;
    o.deathTime = 0;
    o.w0 = o.w1 = o.w2 = o.w3 = o.w4 = o.w5 = o.w6 = 0;
    o.target = 0;
    o.sprite = nullptr;
}

// "Tenths": a parameter of at least `threshold` in magnitude is a speed in tenths of a
// unit per step (divided by 10); a smaller one is multiplied by 50.
inline int tenths(int param, int threshold) {
    return std::abs(param) >= threshold ? param / 10 : 50 * param;
}

// The reversed start: a negative work1 links the object to the next slot and mirrors it.
void reversedStart(Object& o, int slot, int hParam, int vParam) {
    if (o.work1 >= 0) return;
    o.partner = slot + 1;
    o.work1 = -o.work1;
    o.regA = 100 * hParam;
    o.regB = 100 * vParam;
}

// The boss rule: the map may give the life; target is the gate block to open.
void bossRule(Object& o, int hParam, int vParam) {
    if (o.work5 != 0) o.power = o.work5;
    o.w2 = o.power;
    o.w0 = o.work5 % 200;
    o.target = o.work1 >= 1 ? (o.work1 & 0x3FF) : -1;
    o.speedX = tenths(hParam, 20);
    o.speedY = tenths(vParam, 20);
    o.regA = (o.power / 50) * 1000;
}

inline int divideIfLarge(int speed, int param, int divisor) {
    return std::abs(param) >= 20 ? speed / divisor : speed;
}

// The per-kind set-up of a freshly placed map object.
void kindSetUp(Object& o, const FHObjects::MapRecord& r, int slot, int recordNo) {
    const int h = r.hParam, v = r.vParam;
    switch (o.kind) {
        case 3: case 117: case 269:
            o.speedX = h;
            o.speedY = v;
            break;
        case 4:
            o.regC = o.work5;
            o.work5 = 0;
            o.speedX = h;
            o.speedY = v;
            break;
        case 6: case 126:
            o.partner = recordNo;
            o.w0 = o.work5;
            break;
        case 7:
            if (o.work5 == 422) SysBeep(0);
            o.posX += 200;
            o.posY += 200;
            o.w0 = o.work5;
            o.w2 = r.p[0];
            break;
        case 8: case 68: case 90:
            o.regC = o.work1;
            o.w0 = o.work5;
            break;
        case 9: case 60: case 91:
            o.w0 = std::abs(o.work5);
            o.w1 = o.work5 < 0 ? 1 : 0;
            o.work5 = 0;
            reversedStart(o, slot, h, v);
            break;
        case 12:
            if (o.patt == 194) {
                o.w0 = o.work5 != 0 ? o.work5 : 448;
            } else {
                o.w0 = o.work5 != 0 ? o.work5 : 131;
                if (o.patt == 0) o.patt = 179;
            }
            o.work5 = 0;
            if (o.work1 < 0) {
                o.partner = slot + 1;
                o.work1 = -o.work1;
            }
            if (o.work1 == 0) o.work1 = UWMode ? 36 : 243;
            o.regA = o.speedX != 0 ? o.speedX : 50;
            break;
        case 16: case 17:
            o.work1 *= 2;
            o.w0 = o.work5 != 0 ? o.work5 : 128;
            o.work5 = 0;
            break;
        case 18: case 21: case 27: case 41: case 63: case 69: case 70: case 71:
            o.w0 = o.work5 != 0 ? o.work5 : 128;
            o.work5 = 0;
            break;
        case 20:
            o.w0 = o.speedX;
            o.speedX = 0;
            o.posX -= 800;
            if (o.work1 == 0) o.work1 = 180;
            break;
        case 28:
            o.posX -= 800;
            if (o.work1 == 0) o.work1 = 180;
            break;
        case 30:
            o.w0 = o.work5 != 0 ? o.work5 : 131;
            o.work5 = 0;
            if (o.patt == 0) o.patt = 179;
            o.regA = 100;
            break;
        case 47:
            o.kind = (o.kind & 0x80) | 47;
            o.regA = h;
            o.regB = v;
            o.work1 = 0;
            break;
        case 55:
            o.partner = slot + 1;
            break;
        case 58: case 59:
            // The record's extra value is its fourth parameter (as for scenery blends).
            o.posX += r.has[3] ? r.p[3] : 0;
            break;
        case 64:
            reversedStart(o, slot, h, v);
            break;
        case 73:
            o.w0 = o.speedX;
            break;
        case 80: case 84: case 85: case 86:
            o.w0 = divideIfLarge(o.speedX, h, 100);
            o.w1 = divideIfLarge(2 * o.speedY, v, 100);
            o.w2 = o.work5;
            o.speedX = o.speedY = o.work5 = 0;
            break;
        case 81:
            o.w0 = o.work5;
            o.work5 = 0;
            o.work1 = r.work1 % 24;
            o.speedX = divideIfLarge(o.speedX, h, 100);
            o.speedY = divideIfLarge(o.speedY, v, 100);
            o.w2 = r.p[0];
            break;
        case 87: case 88:
            o.speedX = divideIfLarge(o.speedX, h, 500);
            o.speedY = divideIfLarge(o.speedY, v, 500);
            o.w0 = std::abs(o.work5);
            o.w2 = o.work5 < 0 ? 1 : 0;
            o.work5 = 1;
            o.w1 = r.p[0];
            break;
        case 99: case 101: case 102: {
            if (o.work1 < 0 || o.kind == 102) {
                o.partner = slot + 1;
                o.work1 = std::abs(o.work1);
            }
            if (o.work1 == 0) o.work1 = 1;
            o.w0 = h;
            o.w1 = v;
            o.w3 = o.posX;
            // A vertical parameter of 0 would divide by zero: taken as 1.
            const int ratio = h / (v != 0 ? v : 1);
            o.w4 = o.posY - r.work1 * (ratio * 31400 - 31400);
            break;
        }
        case 105: case 108:
            o.posX += 800;
            bossRule(o, h, v);
            break;
        case 113: case 114: case 115: case 116:
            o.w0 = 4 * o.speedX / 50;
            if (o.kind >= 115) o.w0 /= 2;
            o.w1 = o.speedY / 50;
            o.w2 = o.work5;
            o.speedX = o.speedY = o.work5 = 0;
            break;
        case 118:
            o.speedX = h;
            o.speedY = v;
            o.regC = -1;
            break;
        case 119:
            o.w0 = o.work5;
            o.work5 = 0;
            break;
        case 121:
            o.regC = 1;
            o.speedX = h;
            o.speedY = v;
            o.w0 = o.work5;
            o.work5 = 0;
            break;
        case 122: case 123:
            o.speedX = h;
            o.speedY = v;
            o.w0 = o.work5;
            o.work5 = 0;
            break;
        case 127:
            if (o.patt < 8) {
                o.speedX = h;
                o.speedY = v;
            }
            break;
        case 205:
            o.posX += 800;
            bossRule(o, h, v);
            break;
        case 93: case 96: case 98: case 104: case 106: case 107: case 109: case 110: case 111:
        case 112: case 125: case 229: case 230:
            bossRule(o, h, v);
            break;
        case 210:
            MissCount = 0;
            break;
        case 232: {
            const unsigned char* rec = FHObj::world().workingRecord;
            if (rec != nullptr && rec[FHLayout::kRecMysteryOfs] != 0) o.kind = 110;
            break;
        }
        case 257: case 258: case 259: case 260: case 261: case 262: case 263: case 264: case 265:
            o.w0 = o.work5;
            o.w1 = o.work1;
            o.work5 = 1;
            o.speedX = tenths(h, 50);
            o.speedY = tenths(v, 50);
            o.w2 = r.has[1] && r.p[1] != 0 ? r.p[1] : 60;
            if (r.has[2]) {
                o.scaleW = r.p[2];
                o.scaleH = r.p[2];
            } else {
                o.scaleW = o.scaleH = 100;
            }
            o.blend = r.has[3] && r.p[3] != 0 ? r.p[3] : kBlendDefault;
            break;
        default:
            break;
    }
}

}  // namespace

namespace FHObjects {

int parseParam(const unsigned char* text, int at, bool allowMinus) {
    int sign = 1, v = 0, i = 0;
    if (allowMinus && text[at] == '-') {
        sign = -1;
        i = 1;
    }
    for (; i < 3; ++i) {
        const unsigned char c = text[at + i];
        if (c < '0' || c > '9') break;
        v = v * 10 + (c - '0');
    }
    return sign * v;
}

MapRecord readRecord(const unsigned char* rec) {
    auto i16 = [&](int ofs) {
        int16_t v;
        std::memcpy(&v, rec + ofs, 2);
        return static_cast<int>(v);
    };
    MapRecord r{};
    uint16_t present;
    std::memcpy(&present, rec, 2);
    r.present = present != 0;
    r.kind = i16(2);
    r.section = i16(4);
    r.col = i16(6);
    r.row = i16(8);
    r.hParam = i16(10);
    r.vParam = i16(12);
    r.work1 = i16(14);
    r.work5 = i16(16);
    r.patt = i16(18);
    r.behaviour = i16(20);
    // Decimal parameters of three digits in the text area (bytes 33 on).
    r.has[0] = r.has[1] = rec[36] == ',';
    r.has[2] = rec[40] == ',';
    r.has[3] = rec[44] == ',';
    r.p[0] = r.has[0] ? parseParam(rec, 33, false) : 0;
    r.p[1] = r.has[1] ? parseParam(rec, 37, false) : 0;
    // P3 is the only parameter that may be negative (byte 41 a minus sign).
    r.p[2] = r.has[2] ? parseParam(rec, 41, true) : 0;
    r.p[3] = r.has[3] ? parseParam(rec, 45, false) : 0;
    return r;
}

const unsigned char* objectList(int* count) {
    *count = 0;
    const FHWorldCLS& w = FHObj::world();
    const unsigned char* list = reinterpret_cast<const unsigned char*>(w.entryTablePtr);
    if (list == nullptr) return nullptr;
    const int64_t bytes = qgu_getResourceSize(list);
    int64_t n = bytes > 0 ? bytes / kRecordBytes : 0;
    if (n > kMaxRecords) n = kMaxRecords;
    *count = static_cast<int>(n);
    return list;
}

}  // namespace FHObjects

void MainObjectCtrlCls::loadObjects(int section) {
    int count = 0;
    const unsigned char* list = FHObjects::objectList(&count);
    loadObjectsFrom(list, count, section);
}

void MainObjectCtrlCls::loadObjectsFrom(const unsigned char* list, int count, int section) {
    for (Object& o : objects) clearRecord(o);
    for (Object& o : backups) clearRecord(o);
    Object::LVSpeed = GameLevel + 3;

    int slot = kFirstMapSlot;
    for (int n = 0; list != nullptr && n < count && n < FHObjects::kMaxRecords && slot < kObjects; ++n) {
        const FHObjects::MapRecord r = FHObjects::readRecord(list + n * FHObjects::kRecordBytes);
        if (!r.present || r.section != section || r.kind < 2) continue;

        Object& o = objects[slot];
        o.linkIdx = slot;
        o.activeF = 1;
        o.kind = r.kind == 128 ? (r.has[0] ? r.p[0] : 0) : r.kind;
        o.posX = o.regA = r.col * 1600;
        o.posY = o.regB = r.row * 1600;
        o.speedX = 50 * r.hParam;
        o.speedY = 50 * r.vParam;
        o.work1 = r.work1;
        o.work5 = r.work5;
        o.patt = r.patt;
        o.regC = 0;
        o.frame = 0;
        const int b = (r.behaviour >= 0 && r.behaviour < 16) ? r.behaviour : 0;
        o.behave = Object::behaveTBL[b];
        o.respawnSlot = (b == 3 || (b >= 5 && b <= 8)) ? slot : -1;
        o.partner = 0;
        o.target = -1;
        o.w0 = o.w1 = o.w2 = o.w3 = o.w4 = o.w5 = o.w6 = 0;
        FHObj::takeKindShape(o);

        if (r.col < 0 || r.row < 0 || r.col >= MapBlkWidth || r.row >= MapBlkHeight)
            std::printf("Stage object at Out of bounds. N:#%d tp:#%d (%d, %d)\n", n, o.kind, r.col, r.row);

        const int kindBefore = o.kind;
        kindSetUp(o, r, slot, n);
        if (kindBefore == 232 && o.kind == 110) FHObj::takeKindShape(o);  // item already taken
        o.work4 = o.power;  // no hit flash on the first frame

        backups[slot] = o;
        o.age = 1;
        o.deathTime = -1;
        ++slot;
    }
    for (; slot < kObjects; ++slot) objects[slot].respawnSlot = -1;
}

void MainObjectCtrlCls::preSetMapEffect() {
    for (int row = 0; row < MapBlkHeight && row < FHLayout::kMapMaxBlocks; ++row) {
        for (int col = 0; col < MapBlkWidth && col < FHLayout::kMapMaxBlocks; ++col) {
            const int b = MenMap[row][col];
            const bool effect = (b >= 592 && b <= 603) || b == 428 || b == 429 || (b >= 448 && b <= 451) ||
                                b == 453;
            if (!effect) continue;
            const int idx = AppearObject(col * 1600, row * 1600, 0, 0, 54, 268);
            if (idx < 0) continue;
            objects[idx].work1 = 13;
            objects[idx].behave = 2304;
        }
    }
}

int MainObjectCtrlCls::AppearObject(int x, int y, int vx, int vy, int kind, int param) {
    if (kind == 0) return -1;
    int slot = -1;
    for (int i = 0; i < kObjects; ++i) {
        if (!objects[i].activeF && objects[i].respawnSlot < 1) {
            slot = i;
            break;
        }
    }
    if (slot < 0) return -1;  // full pool: nothing appears
    Object& o = objects[slot];
    MyCharactor& pl = FHObj::player();
    o.linkIdx = slot;
    Object::lastApIdxImmd = slot;
    o.activeF = 1;
    o.stateB1 = 0;
    o.groundF = 0;
    o.kind = kind;
    o.posX = x;
    o.posY = y;
    o.regA = 100 * x;
    o.regB = 100 * y;
    o.speedX = vx;
    o.speedY = vy;
    o.w5 = vx;
    o.w6 = vy;
    o.work1 = QSDLpp_Trigon::XYtan256(x, y, pl.posX + 600, pl.posY + 800);
    o.regC = 0;
    o.work5 = 0;
    o.frame = 0;
    FHObj::takeKindShape(o);
    o.work4 = o.power;
    o.patt = param;
    o.behave = (FHObj::attrFlags(kind) & OBJFLG_NOWINDOWLIMIT) ? 0 : 0x400;
    o.respawnSlot = -1;
    o.partner = 0;
    o.target = -1;
    o.age = 0;
    o.deathTime = -1;
    o.scaleW = o.scaleH = 100;
    o.blend = kBlendDefault;
    o.w0 = o.w1 = o.w2 = o.w3 = o.w4 = 0;
    o.work0 = o.work2 = o.work3 = 0;
    o.facing = 0;
    switch (kind) {
        case 12: case 30:
            o.work1 = 0;
            o.regA = vx != 0 ? vx : 50;
            o.w0 = 131;
            o.patt = param != 0 ? param : 179;
            break;
        case 182: case 183:
            o.work1 = QSDLpp_Trigon::XYtan256(vx, vy);
            break;
        case 193:
            o.posY += 400;
            break;
        default:
            break;
    }
    return slot;
}

int MainObjectCtrlCls::AppearObjectWithDir(int x, int y, int vx, int vy, int dir, int kind, int param) {
    const int slot = AppearObject(x, y, vx, vy, kind, param);
    if (slot < 0) return slot;
    if (kind != 30 && kind != 176 && kind != 177 && kind != 182 && kind != 183) objects[slot].work1 = dir;
    return slot;
}

int MainObjectCtrlCls::AppearObjectWithDir(int x, int y, int vx, int vy, int dir, int kind, int param,
                                           int count) {
    const int slot = AppearObjectWithDir(x, y, vx, vy, dir, kind, param);
    if (slot < 0) return slot;
    objects[slot].work5 = count;
    objects[slot].w0 = count;
    return slot;
}

int MainObjectCtrlCls::AppearObjectWithDir(int x, int y, int vx, int vy, int dir, int kind, int param,
                                           int count, int extra) {
    const int slot = AppearObjectWithDir(x, y, vx, vy, dir, kind, param, count);
    if (slot < 0) return slot;
    objects[slot].blend = extra;
    return slot;
}

int MainObjectCtrlCls::AppearObjectWithCount(int x, int y, int vx, int vy, int kind, int param, int count) {
    const int slot = AppearObject(x, y, vx, vy, kind, param);
    if (slot < 0) return slot;
    objects[slot].work5 = count;
    return slot;
}

int MainObjectCtrlCls::AppearObjectWithCount(int x, int y, int vx, int vy, int kind, int param, int count,
                                             int extra) {
    const int slot = AppearObjectWithCount(x, y, vx, vy, kind, param, count);
    if (slot < 0) return slot;
    objects[slot].blend = extra;
    return slot;
}

void MainObjectCtrlCls::moveObjects() {
    for (int i = 0; i < kObjects; ++i)
        if (objects[i].activeF) objects[i].move();
    recycleObject(1200);
}

void MainObjectCtrlCls::restoreFromBackup(int slot) {
    if (slot < 0 || slot >= kObjects) return;
    // Every field but the last (target) comes back as loaded.
    const int32_t keep = objects[slot].target;
    objects[slot] = backups[slot];
    objects[slot].target = keep;
}

int MainObjectCtrlCls::recycleObject(int delay) {
    for (int i = kFirstMapSlot; i < kObjects; ++i) {
        Object& o = objects[i];
        if (o.activeF || o.respawnSlot < 1) continue;
        if (inTheWindow(o.posX, o.posY, &o.box)) continue;
        if (CtrlCounter <= o.deathTime + delay) continue;
        restoreFromBackup(i);
    }
    return kObjects;
}

int MainObjectCtrlCls::getItem(int slot) {
    if (slot < 0 || slot >= kObjects || !objects[slot].activeF) return 0;
    return objects[slot].get();
}

bool MainObjectCtrlCls::Object::radarMe(int r) {
    MyCharactor& pl = FHObj::player();
    const int64_t dx = int64_t(posX) - (pl.posX + 600);
    const int64_t dy = int64_t(posY) - pl.posY;
    if (FHSYS_GLOBALS::unLock_enableF[3] && FHSYS_GLOBALS::unLock_usingF[3])
        FHObj::ringAt(posX + halfW, posY + halfH, GLO::SprGlowRing, r / 100, GLgreen);
    return dx * dx + dy * dy < int64_t(r) * r;
}

// Objects that stand still: drawn-only kinds (signs, doors, markers), the one-shot event
// objects (music, scenery change, section end), swaying scenery sprites and the picture
// changer, the taken door and the message display.
#include <cstring>

#include "FHWorldGlobal.h"
#include "FHmyworld.h"
#include "FHobjectCtrl_behave.h"
#include "FHobjectCtrl_behave_util.h"
#include "FHobjectCtrl_objects.h"
#include "FHobjectCtrl_play.h"
#include "qgu_carbonlike2.h"
#include "qgu_fileutil.h"
#include "qsdlpp2_base@General.h"
#include "qsdlpp2_globals.h"
#include "qsdlpp2_snd_mus@mix.h"
#include "qsdlpp2_trigon.h"

using namespace FHWGBL;

namespace {

using FHObj::KindRow;
using FHObj::Object;
using FHObj::Step;

inline int pattOrBase(const Object& o) { return o.patt != 0 ? o.patt : FHObj::attrPatt(o.kind); }

// Drawn only. p1: 0 nothing, 1 the pattern, 2 the pattern + 512 (the 32-dot cell of a
// sign or door whose small picture has the same number).
void drawnOnly(Object& o, Step& s, const KindRow& row) {
    s.facing = 1;
    if (row.p1 == 1) s.pattern = pattOrBase(o);
    else if (row.p1 == 2) s.pattern = pattOrBase(o) + 512;
}

// A door already taken stays open: the open door is the cell after the closed one.
void doorTaken(Object& o, Step& s, const KindRow&) {
    s.facing = 1;
    s.pattern = o.patt + 1;
}

// The map record's message text (bytes 33 on, its length in byte 32), or nullptr.
const char* recordText(int recordNo) {
    int count = 0;
    const unsigned char* list = FHObjects::objectList(&count);
    if (list == nullptr || recordNo < 0 || recordNo >= count) return nullptr;
    const unsigned char* rec = list + recordNo * FHObjects::kRecordBytes;
    if (rec[32] == 0) return nullptr;
    return reinterpret_cast<const char*>(rec + 33);
}

// A read sign: drawn as the sign, and its message comes back whenever the player stands
// at it again.
void messageShown(Object& o, Step& s, const KindRow&) {
    s.facing = 1;
    s.pattern = (o.patt != 0 ? o.patt : FHObj::attrPatt(6)) + 512;
    if (s.dist < 2400 && FHSYSGBL::ActiveMsgStrPtr == nullptr && (o.work5 & 15) == 0) {
        if (const char* text = recordText(o.partner)) {
            FHSYSGBL::ActiveMsgStrPtr = text;
            FHSYSGBL::ActiveMsgDispTimer = 180;
        }
    }
}

void endEvent(Object& o, Step& s) {
    o.activeF = 0;
    s.endStep = true;
}

// Kind 3: music.
void musicEvent(Object& o, Step& s, const KindRow&) {
    QSDLpp_MixMusicCls& mus = QSDL_GLOBALS::music;
    if (o.work1 == 0 && o.patt != 0) {
        const char* path = static_cast<const char*>(qgu_getResourceRef(QGU_RES::STR_, o.patt + 1000));
        if (path != nullptr) {
            mus.load(path);
            mus.event(MovieFxCode::PLAY, -1);
        }
    }
    if (o.speedX > 0) {
        mus.musVol(o.speedX);
        FHSYSGBL::StageBGMRate = o.speedX;
        Condition &= ~0x20;
    } else if (o.speedX < 0) {
        // A negative volume would only query the mixer: the magnitude is the volume.
        FHSYSGBL::StageBGMRate = -o.speedX;
        mus.musVol(-o.speedX);
        Condition |= 0x20;
        FHObj::player().stateB1 ^= 1;
    } else if (o.patt == 0) {
        mus.event(MovieFxCode::FADEOUT, 500);
    }
    endEvent(o, s);
}

// Kind 4: scenery change (foreground for work1 < 0, else background; regC the weather).
void sceneryEvent(Object& o, Step& s, const KindRow&) {
    if (o.work1 < 0) {
        if (o.patt != 0 && o.patt != FHSYSGBL::CrntFGResNum) FHObj::setFieldPicture(o.patt, true);
        FHSYSGBL::FrontFGModeF = o.work1 < -1;
        FHSYSGBL::FGratioX = o.speedX;
        FHSYSGBL::FGratioY = o.speedY;
    } else {
        if (o.patt != 0 && o.patt != FHSYSGBL::CrntBGResNum) FHObj::setFieldPicture(o.patt, false);
        FHSYSGBL::BackSpriteModeF = o.work1 > 0;
        FHSYSGBL::BKratioX = o.speedX;
        FHSYSGBL::BKratioY = o.speedY;
    }
    if (o.regC != 0) {
        Condition = o.regC;
        int pic = 153;
        if (o.regC & 0x08) pic = UWMode ? 156 : 155;
        else if (o.regC & 0x10) pic = 154;
        FHObj::setFieldPicture(pic, true);
        FHSYSGBL::FGratioX = FHSYSGBL::FGratioY = 0;
    }
    endEvent(o, s);
}

// Kind 5: the section's end.
void sectionEndEvent(Object& o, Step& s, const KindRow&) {
    StageCompleteF = true;
    QSDL_GLOBALS::music.event(MovieFxCode::FADEOUT, 1000);
    endEvent(o, s);
}

// Kinds 258..265: scenery sprites that drift by their speed and sway. w1 is the sway in
// degrees (4 when 0), w2 the sway period in frames; regC keeps a random phase.
void scenery(Object& o, Step& s, const KindRow& row) {
    if (o.age <= 1) o.regC = Random() & 255;
    o.posX += o.speedX;
    o.posY += o.speedY;
    if (MapFieldWidth > 0) o.posX = FHPlay::wrapMod(o.posX, MapFieldWidth);
    if (MapFieldHeight > 0) o.posY = FHPlay::wrapMod(o.posY, MapFieldHeight);
    const int period = o.w2 > 0 ? o.w2 : 60;
    const int sway = o.w1 != 0 ? o.w1 : 4;
    s.rot = QSDLpp_Trigon::sin100x(o.regC + o.work5 * 256 / period) * sway / 100;
    s.facing = 1;
    s.scaleX = o.scaleW;
    s.scaleY = o.scaleH;
    s.layer = row.p1;
    s.pattern = pattOrBase(o) + o.w0;
}

// Kind 268: sets the field picture numbered patt (foreground when work1 < 0), once.
void pictureChanger(Object& o, Step& s, const KindRow&) {
    if (o.patt > 0) FHObj::setFieldPicture(o.patt, o.work1 < 0);
    endEvent(o, s);
}

const FHObj::BehaviourSpan kSpans[] = {
    {drawnOnly, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {drawnOnly, {1, 0, 0, 0, 0, 1, 0, 0, 0}},
    {drawnOnly, {2, 0, 0, 0, 0, 0, 0, 0, 0}},
    {musicEvent, {3, 0, 0, 0, 0, 0, 0, 0, 0}},
    {sceneryEvent, {4, 0, 0, 0, 0, 0, 0, 0, 0}},
    {sectionEndEvent, {5, 0, 0, 0, 0, 0, 0, 0, 0}},
    {drawnOnly, {6, 0, 0, 0, 0, 2, 0, 0, 0}},
    {drawnOnly, {7, 0, 0, 0, 0, 2, 0, 0, 0}},
    // The place of a mystery item the diary says is already taken: nothing to draw.
    {drawnOnly, {110, 0, 0, 0, 0, 0, 0, 0, 0}},
    {doorTaken, {120, 0, 0, 0, 0, 0, 0, 0, 0}},
    {messageShown, {126, 0, 0, 0, 0, 0, 0, 0, 0}},
    {drawnOnly, {257, 0, 0, 0, 0, 0, 0, 0, 0}},
    {scenery, {258, 0, 0, 0, 0, 3, 0, 0, 0}},
    {scenery, {259, 0, 0, 0, 0, 3, 0, 0, 0}},
    {scenery, {260, 0, 0, 0, 0, 3, 0, 0, 0}},
    {scenery, {261, 0, 0, 0, 0, 3, 0, 0, 0}},
    {scenery, {262, 0, 0, 0, 0, 0, 0, 0, 0}},
    {scenery, {263, 0, 0, 0, 0, 0, 0, 0, 0}},
    {scenery, {264, 0, 0, 0, 0, 0, 0, 0, 0}},
    {scenery, {265, 0, 0, 0, 0, 0, 0, 0, 0}},
    {pictureChanger, {268, 0, 0, 0, 0, 0, 0, 0, 0}},
    {drawnOnly, {269, 0, 0, 0, 0, 1, 0, 0, 0}},
};

}  // namespace

extern const FHObj::BehaviourList kFamilyStatic;
const FHObj::BehaviourList kFamilyStatic = {kSpans, int(sizeof kSpans / sizeof kSpans[0])};

// Decorations (the ring pool, the window test, score numbers, fading) and the field's
// block layer (decay on screen only, animation, charge spots, wrap across the seam), with
// the field-to-screen placing of actor sprites. GL calls go to the null door here.

#include "play_fixture.h"

#include <cstring>
#include <vector>

#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"

using namespace FHWGBL;

namespace {

class Deco : public PlayField {
protected:
    DecorateCtrlCls& dc() { return W.decoCtrl; }
    void SetUp() override {
        PlayField::SetUp();
        dc().next = 0;
        GFieldLftX = GFieldTopY = 0;
        GmapXBorderF = GmapYBorderF = false;
        QSDLpp_GLSpriteFuncs::emptyList();
    }
    void TearDown() override { QSDLpp_GLSpriteFuncs::emptyList(); }
};

TEST_F(Deco, RingPoolOverwritesTheOldest) {
    for (int i = 0; i < 130; ++i)
        dc().NewDecorate(1000, 1000, 1, 0, 0, 100, 100, 0, 0, 60, 1, 100 + i, 1, 1, 1, 1, 771);
    EXPECT_EQ(dc().next, 2);
    EXPECT_EQ(dc().decos[0].patt, 100 + 128);
    EXPECT_EQ(dc().decos[1].patt, 100 + 129);
    EXPECT_EQ(dc().decos[2].patt, 100 + 2);
}

TEST_F(Deco, SparklesOnlyNearTheWindowMessagesAnywhere) {
    // The window is 320 x 272 dots from the view origin; a 32-dot margin is allowed.
    EXPECT_GE(dc().NewDecorateDetailing(32000 + 3100, 1000, 1, 0, 0, 100, 100, 0, 0, 10, 0, 3, 1, 1, 1, 1, 771), 0);
    EXPECT_EQ(dc().NewDecorateDetailing(32000 + 3300, 1000, 1, 0, 0, 100, 100, 0, 0, 10, 0, 3, 1, 1, 1, 1, 771), -1);
    EXPECT_EQ(dc().NewDecoratePatt(60000, 60000, 1, 0, 0, 0, 2, 3, 10), -1);
    const int before = dc().next;
    EXPECT_EQ(dc().NewDecorateMsg(60000, 60000, 0, 0, 0, "FAR AWAY", 60, GLwhite), 0);
    EXPECT_EQ(dc().next, before + 1);
    EXPECT_STREQ(dc().decos[before].text, "FAR AWAY");
    EXPECT_EQ(dc().decos[before].kind, 14);
}

TEST_F(Deco, LongFixedMessagesShowWholeAndOnScreen) {
    // The longest messages the game floats, at the view centre and near the right edge.
    const char* texts[] = {"GET RC CHIP. To record the best play.", "ShareKEY: Extra place will be passable!",
                           "LOOSE COLOR KEYS and CHIP!"};
    for (const char* t : texts) {
        for (int x : {14400, 30000}) {
            QSDLpp_GLSpriteFuncs::emptyList();
            const int idx = dc().next;
            dc().NewDecorateMsg(x, 8000, 0, -40, 0, t, 300, GLwhite);
            dc().decos[idx].move();
            const QSDLpp_GLSprite* sp = QSDLpp_GLSpriteFuncs::getNextObj();
            ASSERT_EQ(sp->drawType, GLO::SprMessage);
            EXPECT_STREQ(sp->msg, t) << "cut on screen";
            const int width = static_cast<int>(std::strlen(t)) * static_cast<int>(3 * sp->w * 0.25);
            EXPECT_GE(sp->x, 0);
            EXPECT_LE(sp->x + width, 320) << t << " from x " << x;
        }
    }
}

TEST_F(Deco, ScoreNumberDrawsOneSpritePerDigitAndFades) {
    const int idx = dc().NewDecoratePatt(5000, 5000, -1, 0, 0, 0, 15, 1200, 60);
    ASSERT_GE(idx, 0);
    const int before = QSDLpp_GLSpriteFuncs::nextlayer;
    dc().decos[idx].move();
    EXPECT_EQ(QSDLpp_GLSpriteFuncs::nextlayer - before, 4) << "1, 2, 0, 0";
    const QSDLpp_GLSprite* first = &QSDLpp_GLSpriteFuncs::spriteObj[before + 1];
    EXPECT_EQ(first->patt & 0x1FF, 16 + 0) << "rightmost digit first";
    EXPECT_DOUBLE_EQ(first->colour[3], 1.0);
    for (int i = 1; i < 59; ++i) dc().decos[idx].move();
    const QSDLpp_GLSprite* last = QSDLpp_GLSpriteFuncs::getNextObj();
    EXPECT_NEAR(last->colour[3], 2.0 / 60, 1e-9) << "alpha (L - f) / L at frame 58";
    dc().decos[idx].move();
    EXPECT_EQ(dc().decos[idx].activeF, 0) << "ends at its life";
}

TEST_F(Deco, FadingKindIsOpaqueForHalfItsLife) {
    const int idx = dc().NewDecorate(5000, 5000, 1, 0, 0, 100, 100, 0, 0, 40, 12, 3, 1, 1, 1, 1, 771);
    for (int f = 0; f < 40; ++f) {
        dc().decos[idx].move();
        const double a = dc().decos[idx].colour[3];
        if (f <= 20) {
            EXPECT_DOUBLE_EQ(a, 1.0) << "frame " << f;
        }
        if (f == 39) {
            EXPECT_NEAR(a, 2.0 - 2.0 * 39 / 40, 1e-9);
        }
    }
    EXPECT_EQ(dc().decos[idx].activeF, 0);
}

TEST_F(Deco, ActorJustLeftOfTheOriginDrawsAtANegativeX) {
    CHARACTER_BASE b;
    b.sprite = QSDLpp_GLSpriteFuncs::getNextObjAndInc();
    ASSERT_EQ(b.putSpriteLP0(MapFieldWidth - 100, 5000, 1, 100, 100, 0, 10), 0);
    EXPECT_DOUBLE_EQ(b.sprite->x, -1.0);
    EXPECT_DOUBLE_EQ(b.sprite->y, 50.0);
    double sx, sy;
    fieldToScreen(MapFieldWidth - 100, MapFieldHeight - 200, &sx, &sy);
    EXPECT_DOUBLE_EQ(sx, -1.0);
    EXPECT_DOUBLE_EQ(sy, -2.0);
}

class Field : public PlayField {
protected:
    // A blank block sheet of 1024 tiles so that the layer keeps what is put into it.
    std::vector<unsigned char> sheet = std::vector<unsigned char>(1024 * 16 * 16 * 4);
    Raw2DImgInfo raw{};
    Raw2DImgInfo* savedSource = nullptr;

    void SetUp() override {
        PlayField::SetUp();
        W.sectionSteps = 0;
        QSDLpp_GLSpriteFuncs::emptyList();
        raw.pixels = raw.pixels2 = sheet.data();
        raw.cellWidth = raw.cellHeight = 16;
        raw.format = 0x1908;
        raw.bytesPerPixel = 4;
        raw.cellCount = 1024;
        savedSource = FHSYS_GLOBALS::BGPattCtrl.source;
        FHSYS_GLOBALS::BGPattCtrl.source = &raw;
    }
    void TearDown() override {
        FHSYS_GLOBALS::BGPattCtrl.source = savedSource;
        QSDLpp_GLSpriteFuncs::emptyList();
    }
    // Draws the field around the block (col, row) as the world step does.
    void draw(int col, int row) {
        W.updateField(col * 1600, row * 1600, 0, true);
        W.sectionSteps += 1;
    }
};

TEST_F(Field, DecayHappensOnlyOnScreen) {
    put(20, 20, 7);   // on screen around (20, 20)
    put(20, 50, 7);   // 30 blocks away: off screen
    for (int i = 0; i < 8; ++i) draw(20, 20);
    EXPECT_EQ(MenMap[20][20], 5) << "one step of decay every 4 steps";
    EXPECT_EQ(MenMap[20][50], 7);
    for (int i = 0; i < 40; ++i) draw(20, 20);
    EXPECT_EQ(MenMap[20][20], 1) << "stops at 1";
}

TEST_F(Field, AnimationChargeSpotsAndSeam) {
    put(20, 20, 540);  // animated coin group 540..543
    CtrlCounter = 16;  // (540 + 2) & 3 = 2
    draw(20, 20);
    // Block (20, 20) is at column 10, row 11 of the layer.
    EXPECT_EQ(FHSYS_GLOBALS::BGPattCtrl.cells[0][11][10], 542u);
    EXPECT_EQ(FHSYS_GLOBALS::BGPattCtrl.cells[0][0][0], 1u) << "empty blocks draw pattern 1";

    EXPECT_FALSE(nearChrgSpotF);
    put(20, 21, 397);  // a charge spot in layer row 11
    draw(20, 20);
    EXPECT_TRUE(nearChrgSpotF);

    // Around column 2 the layer's first columns come from the map's right end.
    put(20, 63, 704);
    draw(2, 20);
    EXPECT_EQ(FHSYS_GLOBALS::BGPattCtrl.cells[0][11][7], 704u) << "column 63 = 2 - 10 + 7 wrapped";
}

}  // namespace

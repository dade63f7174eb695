// The player on foot, driven by scripted input words: walking and running speeds per
// character, jump height held against tapped, harmful contact frames before a miss, the
// miss and its cost, and the invulnerability given by character switches.

#include "play_fixture.h"

#include "qsdlpp2_ctrl@io.h"

using namespace FHWGBL;

namespace {

class Player : public PlayField {
protected:
    void SetUp() override {
        PlayField::SetUp();
        floorRow(11);
    }
    MyCharactor& hero() { return W.chars[0]; }
};

TEST_F(Player, WalkThenRunPerCharacter) {
    for (int who = 0; who < 2; ++who) {
        SetUp();
        MyCharactor::currentCHR = who;
        MyCharactor& c = W.chars[who];
        input(0, QSDL_BTN::RIGHT1);
        startInput();
        int x = c.posX;
        step();
        EXPECT_EQ(c.speedX, 120) << "walk, character " << who;
        EXPECT_EQ(c.posX, x + 120);
        for (int i = 0; i < 61; ++i) step();
        EXPECT_EQ(c.speedX, who == 0 ? 260 : 160) << "run, character " << who;
        EXPECT_EQ(c.facing, 1);
        EXPECT_EQ(c.groundF, 1);
    }
}

TEST_F(Player, HoldingJumpRisesHigherThanATap) {
    auto apex = [&](int holdFrames) {
        SetUp();
        input(0, QSDL_BTN::B1);
        input(holdFrames, 0);
        startInput();
        const int y0 = hero().posY;
        int top = y0;
        for (int i = 0; i < 120; ++i) {
            step();
            if (hero().posY < top) top = hero().posY;
        }
        EXPECT_EQ(hero().posY, y0) << "lands on the floor again";
        return y0 - top;
    };
    const int tap = apex(1);
    const int held = apex(40);
    EXPECT_GT(tap, 0);
    EXPECT_GT(held, tap + 1600) << "holding keeps the rise going";
}

TEST_F(Player, LateJumpWindowAfterWalkingOffALedge) {
    // Floor ends at column 12; walk right off it and press jump 3 frames later.
    for (int c = 13; c < 64; ++c) put(11, c, 0);
    hero().posX = 12 * 1600 + 300;  // right edge at 12*16+15: still over the floor
    input(0, QSDL_BTN::RIGHT1);
    startInput();
    int airFrames = 0;
    for (int i = 0; i < 40 && airFrames < 3; ++i) {
        step();
        if (!hero().groundF) ++airFrames;
    }
    ASSERT_EQ(airFrames, 3);
    input(frame, QSDL_BTN::RIGHT1 | QSDL_BTN::B1);
    // Restart playback at the current frame count with the new event appended.
    const int y = hero().posY;
    QSDL_GLOBALS::Stick.startSync(film.data(), false);
    for (int i = 0; i < frame; ++i) QSDL_GLOBALS::Stick.updStick(true);
    step();  // take-off
    step();  // rising
    EXPECT_LT(hero().posY, y) << "a jump is still possible in the first frames of a fall";
    EXPECT_EQ(hero().jumpCount, 1);
}

TEST_F(Player, WallKickWhileRisingAgainstAWallWithTheTakeOffSpeedPerCharacter) {
    // A wall at column 12 from the ceiling to the floor; each character jumps right into
    // it, lets go of the jump button in the air and presses it again with the stick away
    // from the wall while still touching it.
    for (int who = 0; who < 2; ++who) {
        SetUp();
        for (int r = 0; r < 11; ++r) put(r, 12, kSolid);
        MyCharactor::currentCHR = who;
        MyCharactor& c = W.chars[who];
        place(who, 11, 10);  // box 176..187, the wall from 192
        input(0, QSDL_BTN::RIGHT1 | QSDL_BTN::B1);
        input(10, QSDL_BTN::RIGHT1);
        input(12, QSDL_BTN::LEFT1 | QSDL_BTN::B1);
        startInput();
        for (int i = 0; i < 12; ++i) step();
        ASSERT_EQ(c.groundF, 0) << "in the air, character " << who;
        ASSERT_GT(c.airCount, 5) << "past the late-jump window";
        ASSERT_EQ(c.jumpCount, 1);
        const int xAtWall = c.posX;
        step();
        EXPECT_EQ(c.jumpCount, 2) << "wall kick, character " << who;
        // Character 0 kicks off a wall at running speed, character 1 at the standing rate.
        EXPECT_EQ(c.speedX, who == 0 ? -260 : -140) << "take-off speed, character " << who;
        for (int i = 0; i < 4; ++i) step();
        EXPECT_LT(c.posX, xAtWall) << "moves away from the wall";
    }
}

TEST_F(Player, NoJumpLateInAFallEvenAgainstAWall) {
    // Falling beside a wall long after leaving the floor: no second jump.
    for (int r = 0; r < 11; ++r) put(r, 12, kSolid);
    floorRow(40);
    for (int c = 0; c < 64; ++c) put(11, c, 0);
    place(0, 10, 10);
    hero().groundF = 0;
    input(0, QSDL_BTN::RIGHT1);
    input(20, QSDL_BTN::RIGHT1 | QSDL_BTN::B1);
    startInput();
    for (int i = 0; i < 22; ++i) step();
    EXPECT_EQ(hero().jumpCount, 0);
    EXPECT_EQ(hero().jumpTimer, 0);
}

TEST_F(Player, SpriteFacesTheWalkingDirectionFromTheSameCorner) {
    // The pictures look right; walking left mirrors them about the box, not the corner.
    for (int who = 0; who < 2; ++who) {
        SetUp();
        MyCharactor::currentCHR = who;
        MyCharactor& c = W.chars[who];
        input(0, QSDL_BTN::RIGHT1);
        input(3, QSDL_BTN::LEFT1);
        startInput();
        step();
        ASSERT_NE(c.sprite, nullptr);
        EXPECT_EQ(c.sprite->w, 100) << "facing right, character " << who;
        EXPECT_EQ(c.sprite->h, 100);
        const double xRight = c.sprite->x;
        for (int i = 0; i < 3; ++i) step();
        EXPECT_EQ(c.facing, -1);
        EXPECT_EQ(c.sprite->w, -100) << "facing left, character " << who;
        // The view follows the character, and the sprite keeps its corner at the box.
        EXPECT_DOUBLE_EQ(c.sprite->x, xRight);
    }
}

TEST_F(Player, HarmfulBlockMissCostsGoldAndResumes) {
    startInput();
    put((hero().posY / 100 + 4) / 16, (hero().posX / 100 + 4) / 16, 400);
    hero().restartX = 5 * 1600;
    hero().restartY = hero().posY;
    const int gold = GoldCoins;
    int r = step();
    EXPECT_EQ(r, 1) << "the hazard is found after the move";
    EXPECT_TRUE(MyCharactor::MissingF);
    r = step();
    EXPECT_EQ(r, 6) << "the miss is being shown";
    int frames = 2;
    while (r != 7 && frames < 300) {
        r = step();
        ++frames;
    }
    EXPECT_EQ(r, 7);
    EXPECT_EQ(frames, 1 + 119) << "119 frames of the miss after the touch";
    EXPECT_EQ(MissCount, 1);
    EXPECT_EQ(GoldCoins, gold - 50);
    EXPECT_FALSE(MyCharactor::MissingF);
    EXPECT_EQ(hero().posX, 5 * 1600) << "resumed at the restart point";
    EXPECT_EQ(hero().invincTimer, (7 - GameLevel) * 60);

    // Free play keeps the gold.
    SetUp();
    floorRow(11);
    startInput();
    FHSYS_GLOBALS::use_freePlayF = true;
    put((hero().posY / 100 + 4) / 16, (hero().posX / 100 + 4) / 16, 400);
    r = 0;
    for (int i = 0; i < 200 && r != 7; ++i) r = step();
    EXPECT_EQ(r, 7);
    EXPECT_EQ(GoldCoins, 250);
}

TEST_F(Player, SwitchingCharactersAndItsInvulnerability) {
    // Both characters on change spots.
    put((hero().posY / 100 + 4) / 16, (hero().posX / 100 + 4) / 16, 416);
    MyCharactor& other = W.chars[1];
    put((other.posY / 100 + 4) / 16, (other.posX / 100 + 4) / 16, 416);
    input(0, 0);
    input(3, QSDL_BTN::C1);
    input(4, 0);
    input(6, QSDL_BTN::C1);
    input(7, 0);
    input(9, QSDL_BTN::C1);
    input(10, 0);
    startInput();
    for (int i = 0; i < 3; ++i) step();
    EXPECT_TRUE(MyCharactor::ChangeableF);
    step();  // first switch: character 0 hands over
    EXPECT_EQ(MyCharactor::currentCHR, 1);
    EXPECT_EQ(hero().invincTimer, 90);
    for (int i = 0; i < 3; ++i) step();  // second switch: character 1 hands back
    EXPECT_EQ(MyCharactor::currentCHR, 0);
    for (int i = 0; i < 3; ++i) step();  // third: character 0 again, 6 frames after its last
    EXPECT_EQ(MyCharactor::currentCHR, 1);
    EXPECT_EQ(hero().invincTimer, 10) << "a second switch within 100 frames";
}

TEST_F(Player, DirectionWrapAndUnitConversions) {
    CHARACTER_BASE b;
    EXPECT_EQ(b.x24dirtbl(30), b.x24dirtbl(6));
    EXPECT_EQ(b.x24dirtbl(6), 0);
    b.posX = 1599;
    EXPECT_EQ(b.blockX(), 0);
    b.posX = 1600;
    EXPECT_EQ(b.blockX(), 1);
    EXPECT_EQ(b.putSpriteLP0(0, 0, 1, 100, 100, 0, 0), -1);
}

}  // namespace

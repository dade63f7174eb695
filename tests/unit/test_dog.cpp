// The companion dog on land: it comes back above the character when lost from view,
// follows the short way across the map's wrap seam, readies the special attack after
// the character charges beside it and performs it (with its own shot only when the
// character is strong enough), and the second player steers it with the high byte of
// the input word, which a film records.

#include "fight_fixture.h"

#include "qsdlpp2_ctrl@io.h"

using namespace FHWGBL;

namespace {

class Dog : public FightField {
protected:
    void SetUp() override {
        FightField::SetUp();
        floorRow(11);
        dog().resumeMe(US_DOGSTART);
        dog().posX = hero().posX;
        dog().posY = hero().posY - 3200;
        hero().energy = 20000;
    }
    MyCharactor& hero() { return W.chars[0]; }
    MyCharactor& dog() { return W.chars[2]; }
    int shorterDx() {
        int d = (dog().posX - hero().posX) % MapFieldWidth;
        if (d > MapFieldWidth / 2) d -= MapFieldWidth;
        if (d < -MapFieldWidth / 2) d += MapFieldWidth;
        return d;
    }
};

TEST_F(Dog, ComesBackAboveTheCharacterWhenOffScreen) {
    startInput();
    stepWorld();
    dog().posX = hero().posX + 40 * 1600;  // far outside the view
    stepWorld();
    EXPECT_EQ(dog().posX, hero().posX);
    EXPECT_EQ(dog().posY, hero().posY - 12800);
    // Then it floats towards its place beside the character and stays near.
    for (int i = 0; i < 120; ++i) stepWorld();
    EXPECT_TRUE(MyCharactor::NearPippoF);
    EXPECT_LT(std::abs(shorterDx()), 4000);
}

TEST_F(Dog, FollowsTheShortWayAcrossTheWrapSeam) {
    // The hero stands just left of the seam, the dog just right of it (field x near 0).
    place(0, 62, 10);
    dog().posX = 1 * 1600;
    dog().posY = hero().posY - 3200;
    input(0, QSDL_BTN::LEFT1);
    input(40, QSDL_BTN::RIGHT1);
    startInput();
    int worst = 0;
    for (int i = 0; i < 100; ++i) {
        stepWorld();
        worst = std::max(worst, std::abs(shorterDx()));
        EXPECT_GE(dog().posX, 0);
        EXPECT_LT(dog().posX, MapFieldWidth);
    }
    EXPECT_LT(worst, 12800) << "never strays to the far side of the map";
    EXPECT_TRUE(MyCharactor::NearPippoF);
}

TEST_F(Dog, SpecialAttackAfterChargingBesideTheDog) {
    for (int strong = 0; strong < 2; ++strong) {
        SetUp();
        hero().energy = strong ? 20000 : 5000;
        input(0, QSDL_BTN::A1);
        input(70, 0);
        startInput();
        for (int i = 0; i < 61; ++i) stepWorld();
        EXPECT_EQ(dog().spAtkState, 0);
        stepWorld();
        EXPECT_EQ(dog().spAtkState, 1) << "ready after 61 frames of charging";
        while (frame < 70) stepWorld();
        EXPECT_EQ(dog().spAtkState, 1);
        stepWorld();  // trigger A released
        EXPECT_EQ(dog().spAtkState, 2);
        EXPECT_EQ(activeShots(MYSHOT_SPECIAL), 1);
        bool dogShot = false;
        for (int i = 0; i < 45; ++i) {
            stepWorld();
            dogShot = dogShot || activeShots(MYSHOT_DOG) > 0;
        }
        EXPECT_EQ(dogShot, strong == 1) << "the dog's own shot only with 6400 energy or more";
        if (strong) {
            EXPECT_EQ(dog().spAtkState, 3);
        } else {
            EXPECT_EQ(dog().spAtkState, 0);
        }
    }
    // Charging away from the dog readies nothing.
    SetUp();
    dog().posX = hero().posX + 180 * 100;
    input(0, QSDL_BTN::A1);
    startInput();
    for (int i = 0; i < 80; ++i) {
        dog().posX = hero().posX + 180 * 100;
        stepWorld();
    }
    EXPECT_EQ(dog().spAtkState, 0);
}

TEST_F(Dog, SecondPlayerSteersItAndTheFilmKeepsIt) {
    // Record: player 2 holds C and right on the keyboard (the high byte of the word).
    JoySTICK::KeyAssign ka;
    QSDL_GLOBALS::Stick.getKeySetToPtr(&ka);
    static Uint8 keys[SDL_NUM_SCANCODES] = {};
    QSDL_GLOBALS::Stick.setKeyStateSource(keys);
    std::vector<char> rec(FHLayout::kFilmBufferSize, 0);
    QSDL_GLOBALS::Stick.startSync(rec.data(), true);
    keys[ka[JoySTICK::P2 + JoySTICK::BTN_C]] = 1;
    keys[ka[JoySTICK::P2 + JoySTICK::RIGHT]] = 1;
    const int x0 = dog().posX;
    for (int i = 0; i < 10; ++i) {
        QSDL_GLOBALS::Stick.updStick(false);
        W.chars[0].movePreProcess(0);
        W.chars[2].movePippoPrePro(0);
        QSDLpp_GLSpriteFuncs::emptyList();
    }
    const int events = QSDL_GLOBALS::Stick.endsync();
    QSDL_GLOBALS::Stick.setKeyStateSource(nullptr);
    EXPECT_EQ(dog().posX, x0 + 10 * 200) << "200 a frame to the right";
    ASSERT_GE(events, 1);
    const unsigned char* e = reinterpret_cast<const unsigned char*>(rec.data());
    const uint16_t word = static_cast<uint16_t>(e[2] << 8 | e[3]);
    EXPECT_EQ(word & (QSDL_BTN::C2 | QSDL_BTN::RIGHT2), QSDL_BTN::C2 | QSDL_BTN::RIGHT2);

    // Played back from the film, the dog takes the same path.
    SetUp();
    const int x1 = dog().posX;
    QSDL_GLOBALS::Stick.startSync(rec.data(), false, events);
    for (int i = 0; i < 10; ++i) {
        QSDL_GLOBALS::Stick.updStick(true);
        W.chars[0].movePreProcess(0);
        W.chars[2].movePippoPrePro(0);
        QSDLpp_GLSpriteFuncs::emptyList();
    }
    EXPECT_EQ(dog().posX, x1 + 10 * 200);

    // Too tired (12800 energy or less): the dog does not obey.
    SetUp();
    hero().energy = 12800;
    input(0, QSDL_BTN::C2 | QSDL_BTN::DOWN2);
    startInput();
    const int y2 = dog().posY;
    stepWorld();
    EXPECT_NE(dog().posY, y2 + 200);
}

TEST_F(Dog, LostDogTiresTheCharacter) {
    MyCharactor::pippoLostMode = 256;
    startInput();
    const int x = dog().posX;
    hero().energy = 10000;
    W.chars[2].movePippoPrePro(0);
    EXPECT_EQ(hero().energy, 10000 - 40);
    EXPECT_EQ(dog().posX, x);
}

}  // namespace

// Actors: every record that moves on the field and the controllers that own their pools.
// The world (FHWorldCLS) owns four MyCharactor records, one MyShotsCtrlCls (32 shots),
// one MainObjectCtrlCls (160 objects + 160 backups) and one DecorateCtrlCls (128
// decorations). All are plain records in fixed arrays; nothing is allocated per step.
//
// The constructors and init() of the records and controllers live in
// FHgeneralctrl_world.cpp (they run in the world's static construction); the behaviour of
// each actor lives in the FHobjectCtrl_*.cpp modules.
#pragma once

#include <cstdint>

#include "FHWorldGlobal.h"

class FHWorldCLS;
class QSDLpp_GLSprite;

// ---- Common head of every actor record ------------------------------------------------
class CHARACTER_BASE {
public:
    QSDLpp_GLSprite* sprite = nullptr;  // sprite taken from the sprite list this frame
    uint8_t activeF = 0;                // record in use
    uint8_t stateB1 = 0;                // per class
    uint8_t groundF = 0;                // per class; the player: standing on ground
    int32_t linkIdx = -1;               // per class; -1 none
    int32_t kind = 0;                   // shot kind or map object kind
    int32_t dispPriority = 0;           // copied into the sprite's mark
    int32_t posX = 0, posY = 0;         // top-left of the collision box (field units)
    int32_t work0 = 0;
    int32_t work1 = 0;
    int32_t speedX = 0, speedY = 0;     // field units per frame
    int32_t work2 = 0;
    int32_t facing = 0, work3 = 0;
    int32_t power = 0;
    int32_t work4 = 0, work5 = 0;

    // cos and sin of d x 15 degrees, scaled by 100 (direction 6 points down).
    static const int32_t x24costbl[24];
    static const int32_t y24sintbl[24];

    CHARACTER_BASE() = default;
    ~CHARACTER_BASE() = default;

    int x24dirtbl(int d);
    int y24dirtbl(int d);
    int dotX() { return posX / 100; }
    int dotY() { return posY / 100; }
    int blockX() { return posX / 1600; }
    int blockY() { return posY / 1600; }
    // Draws the actor's own sprite at field position (x, y); -1 when patt <= 0.
    int putSpriteLP0(int x, int y, int layer, int scaleX, int scaleY, int rot, int patt,
                     int unused = 0);
    // As putSpriteLP0 with a draw type and colour; -1 when drawType is 0.
    int putObjectLP0(int x, int y, int patt, int scaleX, int scaleY, int drawType,
                     const double* colour, int unused = 0);
};

// ---- Player characters and the companion dog ------------------------------------------
enum BOYorGIRL { BOY = 0, GIRL = 1 };

// Reason given to resumeMe.
enum US_STATE {
    US_DOGSTART = 0,
    US_EXITOBJ = 2,
    US_MAPSTART = 4,
    US_AFTERMISS = 7,
};

// Shot kinds of the player's side.
enum MYShot_Type {
    MYSHOT_RING = 0,
    MYSHOT_PUNCH = 1,
    MYSHOT_SPECIAL = 2,
    MYSHOT_DOG = 3,
    MYSHOT_CAPSULE4 = 4,
    MYSHOT_CAPSULE5 = 5,
    MYSHOT_CAPSULE6 = 6,
    MYSHOT_CAPSULE7 = 7,
    MYSHOT_DEBRIS = 8,
    MYSHOT_WAVE = 9,
    MYSHOT_ROLLER = 10,
    MYSHOT_BOUNCER = 11,
    MYSHOT_GRENADE = 12,
    MYSHOT_BLAST = 13,
    MYSHOT_BIGBLAST = 14,
};

// Swimming movement mode and posture (their numbers are used directly).
enum MOV_STATE : int32_t { MOV_SWIM = 0, MOV_DASH = 5, MOV_HELD = 6, MOV_CHARGE = 7, MOV_EXHAUST = 8 };
enum UW_STATE : int32_t { UW_NONE = 0 };

class MyCharactor : public CHARACTER_BASE {
public:
    int32_t runCount = 0;
    int32_t spriteRot = 0;
    int32_t halfW = 0, halfH = 0;
    rRect box{};
    int32_t slotIdx = 0;
    rRect boxTable[4]{};        // [0] on foot, [1] swimming, [2] dog, [3] reach box
    MYShot_Type weapon = MYSHOT_WAVE;
    int32_t restartX = 0, restartY = 0;
    int32_t spAtkState = 0;
    int32_t jumpCount = 0;
    int32_t jumpTimer = 0;
    int32_t invincTimer = 0;
    int32_t damageCount = 0;
    int32_t chargeCount = 0;
    int32_t punchTimer = 0;
    int32_t airCount = 0;
    int32_t modeTimer = 0;
    int32_t stayCount = 0;
    int32_t lastSwitchTime = 0;
    int32_t energy = 0;
    int32_t airGauge = 0;
    int32_t underBlock = 0;
    MOV_STATE movState = MOV_SWIM;
    UW_STATE uwState = UW_NONE;
    uint8_t reachF = 0;
    uint8_t surfaceF = 0;

    // The four boxes copied into boxTable at construction (static data).
    static const rRect charBoxTbl[4];

    static FHWorldCLS* superRef;
    static MyCharactor* relativeRef[4];
    static int32_t relativeCount;
    static int32_t currentCHR;
    static int32_t BigShotTimer, CoinGatherTimer, CoinChain, CoinChainTimer, MaxCoinTimer;
    static bool MissingF;
    static int32_t MissingTmer;
    static int32_t pippoLostMode;
    static bool NearPippoF, ChangeableF, OtherOnGhgPlaceF;

    MyCharactor();
    ~MyCharactor() = default;
    int init(FHWorldCLS* world);

    void newGame(int k);
    void resumeMe(US_STATE s);
    int movePreProcess(int f);
    int MoveUs(int f);
    int SwimUs(int f);
    int checkMapObject(bool atStart);
    void framePositUpdate(int f);
    int moveEndProcess(int f);
    void chgWeapon(MYShot_Type k) { weapon = k; }
    int movePippoPrePro(int f);
    int MovePippoInu(int f);
    int SwimPippoInu(int f);
    MOV_STATE ChgUWMode(MOV_STATE m, UW_STATE u, int run, int timer);
    MOV_STATE ChgUWModeLimited(MOV_STATE m, UW_STATE u, int run, int timer);
    MOV_STATE xChgUWMode(bool onlyIfNew, MOV_STATE m, UW_STATE u, int run, int timer);
    MOV_STATE xChgUWMode(MOV_STATE m, UW_STATE u);
};

// ---- Player shots ------------------------------------------------------------------
class MyShotsCtrlCls {
public:
    class MyShot : public CHARACTER_BASE {
    public:
        int32_t spriteRot = 0;
        int32_t halfW = 0, halfH = 0;
        rRect box{};
        int32_t picture = 0;
        int32_t slotNo = 0;
        uint8_t bigF = 0;

        static MyShotsCtrlCls* parentCLSref;
        static MyShot* relativeRef[32];
        static int32_t relativeCount;
        static const rRect shotRects[16];
        static const int32_t myShotPower[5][16];

        MyShot();
        int newShot(int x, int y, int vx, int vy, int extra, int kind);
        void move();
    };

    static constexpr int kShots = 32;
    MyShot shots[kShots];
    int32_t chainCount = 0;

    static FHWorldCLS* superRef;

    MyShotsCtrlCls();
    ~MyShotsCtrlCls() = default;
    int init(FHWorldCLS* world);
    int addShot(int x, int y, int vx, int vy, int kind);
    int addShot(int x, int y, int vx, int vy, int kind, int extra);
    void moveShots();
};

// ---- Map objects -------------------------------------------------------------------
class MainObjectCtrlCls {
public:
    class Object : public CHARACTER_BASE {
    public:
        int32_t age = 0;
        int32_t scaleW = 100, scaleH = 100;
        int32_t frame = 0;
        int32_t halfW = 0, halfH = 0;
        rRect box{};
        int32_t blend = 771;  // GL_ONE_MINUS_SRC_ALPHA
        int32_t regA = 0, regB = 0;
        int32_t regC = 0;
        int32_t patt = 0;
        int32_t behave = 0;
        int32_t respawnSlot = -1;
        int32_t partner = 0;
        int32_t deathTime = -1;
        int32_t w0 = 0, w1 = 0, w2 = 0, w3 = 0, w4 = 0, w5 = 0, w6 = 0;
        int32_t target = -1;

        static MainObjectCtrlCls* parentCLSref;
        static Object* relativeRef[320];
        static int32_t relativeCount;
        static int32_t lastApIdxImmd;
        static int32_t LVSpeed;
        static const int32_t* ObjAttribute[272];  // attribute records by kind
        static const rRect objectRects[64];
        static const int32_t behaveTBL[16];
        static const rRect hugeRect;  // the wide catch box of the behaviours (move())

        Object();
        void move();
        void explode(int shotSpeedX);
        int get();
        bool radarMe(int r);
    };

    static constexpr int kObjects = 160;
    static constexpr int kFirstMapSlot = 32;
    Object objects[kObjects];
    Object backups[kObjects];

    static FHWorldCLS* superRef;

    MainObjectCtrlCls();
    ~MainObjectCtrlCls() = default;
    int init(FHWorldCLS* world);
    void loadObjects(int section);
    // loadObjects over a given object list of `count` 288-byte records.
    void loadObjectsFrom(const unsigned char* list, int count, int section);
    // Copies the slot's backup back into it, all fields but the last (target).
    void restoreFromBackup(int slot);
    void preSetMapEffect();
    int AppearObject(int x, int y, int vx, int vy, int kind, int param);
    int AppearObjectWithDir(int x, int y, int vx, int vy, int dir, int kind, int param);
    int AppearObjectWithDir(int x, int y, int vx, int vy, int dir, int kind, int param,
                            int count);
    int AppearObjectWithDir(int x, int y, int vx, int vy, int dir, int kind, int param,
                            int count, int extra);
    int AppearObjectWithCount(int x, int y, int vx, int vy, int kind, int param, int count);
    int AppearObjectWithCount(int x, int y, int vx, int vy, int kind, int param, int count,
                              int extra);
    void moveObjects();
    int recycleObject(int delay);
    int getItem(int slot);
    int HitShotEnemies(MyShotsCtrlCls::MyShot* shot);
    void ChainExplode(int kind);
};

// ---- Decorations -------------------------------------------------------------------
class DecorateCtrlCls {
public:
    class decoObj : public CHARACTER_BASE {
    public:
        double colour[4] = {1, 1, 1, 1};
        int32_t sizeW = 100, sizeH = 100;
        int32_t grow = 0;
        int32_t rot = 0;
        int32_t life = 0;
        int32_t blend = 771;
        int32_t baseW = 100, baseH = 100;
        int32_t patt = 0;
        char text[64] = {};
        uint8_t centreF = 0;

        static decoObj* relativeRef[128];
        static int32_t relativeCount;

        decoObj();
        void move();
    };

    static constexpr int kDecorations = 128;
    int32_t next = 0;
    decoObj decos[kDecorations];

    static FHWorldCLS* superRef;

    DecorateCtrlCls();
    ~DecorateCtrlCls() = default;
    int init(FHWorldCLS* world);
    int NewDecorate(int x, int y, int layer, int vx, int vy, int w, int h, int rot, int grow,
                    int life, int kind, int patt, double r, double g, double b, double a,
                    int blend);
    int NewDecorateDetailing(int x, int y, int layer, int vx, int vy, int w, int h, int rot,
                             int grow, int life, int kind, int patt, double r, double g,
                             double b, double a, int blend);
    int NewDecoratePatt(int x, int y, int layer, int vx, int vy, int unused, int kind,
                        int patt, int life);
    int NewDecorateMsg(int x, int y, int vx, int vy, int unused, const char* text, int life,
                       const double* colour);
    int moveDecorates();
};

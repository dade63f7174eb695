// Loading: the common resources once at start (initFHSystem), a new play or replay
// (initNewgame, changeStatePlyOrRep), a section (loadNewStage) and a map (loadMapWorld,
// GetMapArtFile, swapMapObject).
//
// Map group files come from outside the program and are treated as untrusted: headers,
// sizes and entry records are checked before use; a bad map keeps the previous one.
#include <cstdio>
#include <cstring>
#include <ctime>

#include "FHWorldGlobal.h"
#include "FHWorldGlobal_collision.h"
#include "FHmyworld.h"
#include "FHmyworld_loop.h"
#include "FHobjectCtrl.h"
#include "FHobjectCtrl_play.h"
#include "envresGlobal.h"
#include "qgu_carbonlike2.h"
#include "qgu_fileutil.h"
#include "qgu_glImageHdlfunc.h"
#include "qsdlpp2_GLobject@image.h"
#include "qsdlpp2_base@General.h"
#include "qsdlpp2_globals.h"

using namespace FHWGBL;
using namespace FHLayout;
using QGU_RES::STR_;
using QGU_RES::Xmap;

namespace {

constexpr int kEntryWords = 144;     // 16-bit words per entry record
constexpr int kEntryMaxRecords = 512;
constexpr GLenum kRGBA = 0x1908;     // GL_RGBA

int entryRecordCount = 0;            // records in the loaded entry table

// Field pictures (backgrounds, foregrounds) get one texture each, made on first use,
// so that changing maps does not make new texture names. A picture number whose data
// changed (another map group holds a picture of that number) gets its texture remade.
struct PicTex {
    int resID;
    const void* data;
    GLuint tex;
    int width, height;
};
PicTex picCache[24];
int picCacheCount = 0;

const PicTex* fieldPicture(int resID) {
    const void* data = qgu_getPicturePtr(resID);
    if (data == nullptr) return nullptr;
    PicTex* slot = nullptr;
    for (int i = 0; i < picCacheCount; ++i) {
        if (picCache[i].resID != resID) continue;
        if (picCache[i].data == data) return &picCache[i];
        qgu_DisposeTex(picCache[i].tex);
        slot = &picCache[i];
        break;
    }
    if (slot == nullptr) {
        if (picCacheCount >= static_cast<int>(sizeof picCache / sizeof picCache[0])) return nullptr;
        slot = &picCache[picCacheCount++];
    }
    GLuint tex = 0;
    if (qgu_NewTextureFromPicRes(resID, &tex, false, false) < 0 || tex == 0) {
        *slot = {resID, nullptr, 0, 0, 0};
        return nullptr;
    }
    rRect r{};
    qgu_getTexRect(tex, &r);
    *slot = {resID, data, tex, r.right - r.left, r.bottom - r.top};
    return slot;
}

}  // namespace

// A field picture's texture and size for the map objects that change the scenery.
bool FHStagePictureTexture(int resID, FH_TexName* tex, int* width, int* height) {
    const PicTex* p = fieldPicture(resID);
    if (p == nullptr) return false;
    *tex = p->tex;
    *width = p->width;
    *height = p->height;
    return true;
}

namespace {

// Containers of the open map group. Only one group is open at a time: its containers
// are released when another group is opened, so that its records (which share their
// numbers with every other group's) are never found in place of the new ones.
void* groupArt = nullptr;
void* groupMedia = nullptr;

void releaseContainer(void*& buffer) {
    if (buffer != nullptr) qgu_purgeResource(buffer);
    buffer = nullptr;
}

inline bool powerOfTwoUpTo256(int v) { return v >= 1 && v <= 256 && (v & (v - 1)) == 0; }

// Map records may sit at any offset of a damaged container, so their 16-bit words are
// read byte-wise rather than through a (possibly misaligned) typed pointer.
inline uint16_t mapWord(const void* record, int wordIdx) {
    uint16_t v;
    std::memcpy(&v, static_cast<const unsigned char*>(record) + wordIdx * 2, 2);
    return v;
}

inline int32_t recordWord(const unsigned char* rec, int wordIdx) {
    int32_t v;
    std::memcpy(&v, rec + wordIdx * 4, 4);
    return v;
}

}  // namespace

// ---- Start of the program --------------------------------------------------------

int FHWorldCLS::initFHSystem() {
    using namespace FHSYSGBL;
    // 1. Fonts from a temporary container.
    int fontResult = 0;
    {
        QSDLpp_ResourceMgrCls fonts;
        fontResult = fonts.load("resourcesQSDL/fontpic.mrsrc") ? 1 : 0;
        for (int f = 0; f < 4; ++f) QSDLpp_GLTextFuncs::newGFontFromX(f, 100 + f);
    }
    // 2. Sprite atlases.
    qgu_loadResource("resourcesQSDL/mediachunk.mrsrc");
    const int atlasSize[5] = {1, 2, 4, 5, 6};
    for (int i = 0; i < 5; ++i) QSDLpp_GLSpriteFuncs::newSpriteAtlasFromX(atlasSize[i], 128 + i, false);
    // 3. Wipe and water tiles, chapter titles.
    if (Raw2DImgInfo* tiles = qgu_NewRawImageFromPicRes(990, 32, 32)) {
        for (int k = 0; k < 32; ++k) {
            qgu_NewFreeTexture(32, 32, &TileTxt[k], kRGBA, false);
            qgu_PutRowImageToTex(tiles, TileTxt[k], 0, 0, k);
        }
    }
    if (Raw2DImgInfo* titles = qgu_NewRawImageFromPicRes(139, 256, 32)) {
        for (int k = 0; k < 8; ++k) {
            qgu_NewFreeTexture(256, 32, &ChapSelTxt[k], kRGBA, false);
            qgu_PutRowImageToTex(titles, ChapSelTxt[k], 0, 0, k);
        }
    }
    // 4. Sounds and the other containers.
    QSDL_GLOBALS::sound.loadResouceFile("resourcesQSDL/soundchunk.mrsrc");
    QSDL_GLOBALS::sound.loadSoundFromRes(1000);
    qgu_loadResource("resourcesQSDL/playlistogg.drsrc");
    qgu_loadResource("resourcesQSDL/FHOtherRes2005.drsrc");
    // 5. Object attributes.
    for (int k = 0; k < 272; ++k) MainObjectCtrlCls::Object::ObjAttribute[k] = vrndx_objAttributeRefPtr(k);
    // 6. Recording buffer and the run's clocks.
    allocRecordingBuffer();
    startTime = systemTime = std::time(nullptr);
    // 7, 8. Diary and unlock flags.
    loadDiary();
    // 9. Block layers, field textures, the panel.
    FHSYS_GLOBALS::BGPattCtrl.initi();
    qgu_NewFreeTexture(512, 512, &FGTxt, kRGBA, false);
    qgu_NewFreeTexture(640, 512, &BGTxt, kRGBA, false);
    qgu_NewTextureFromPicRes(140, &panelTex, false, false);
    // 10. Default geometry.
    MapBlkWidth = MapBlkHeight = 64;
    MapDotWidth = MapDotHeight = 1024;
    MapFieldWidth = MapFieldHeight = 102400;
    GmapDotLftX = GmapDotTopY = 0;
    GFieldLftX = GFieldTopY = 0;
    startingGold = 250;
    defaultLevel = 2;
    return fontResult;
}

void FHWorldCLS::initNewgame(int keepFilm) {
    if (!keepFilm) restoreDiaryToWorking();
    sectionSteps = 0;
    firstChrSteps = 0;
    sectionStart = std::time(nullptr);
    GameLevel = defaultLevel;
    SilvCoins = 0;
    Score = 0;
    FHLoop::sealCounters();
}

void FHWorldCLS::changeStatePlyOrRep(bool keep) {
    if (!keep) {
        restoreDiaryToWorking();
        GoldCoins = startingGold;
    }
    loadReplayFiles();
    TrainingF = false;
    FHLoop::sealCounters();
}

void FHWorldCLS::initCoordinate(int) {
    GFieldLftX = 0;
    GFieldTopY = 0;
}

// ---- A section -----------------------------------------------------------------

int FHWorldCLS::loadNewStage(int chapter, int section, int kind) {
    // Film side: recording header and input recording, or the film to play back; the
    // random generator is seeded from the film's start time either way.
    if (startStageFilm(chapter, section, kind) < 0) return -1;
    for (int k = 0; k < 3; ++k) chars[k].newGame(k);

    const int32_t* stage = vrndx_getStageRefPtr(CHAPTER, SECTION);
    // Collections are the section's own: nothing taken in an earlier section (lost,
    // watched as a film or abandoned) carries over.
    for (bool& f : TempEvalItmF) f = false;
    TempGetPenBoxF = false;
    TempGetMysteryF = false;
    // Free play and invincibility were set from the film (or the viewer's choice for a
    // live play or a film that does not carry them) by startStageFilm.
    const bool cheat = FHSYS_GLOBALS::use_freePlayF || FHSYS_GLOBALS::use_invincibleF;

    TIMER = startingTimer(stage[4], cheat);
    sectionSteps = firstChrSteps = 0;
    Score = SilvCoins = MissCount = 0;
    PlusTIME = 60;
    // Pending gauges and gold left over from the previous play are not part of a film;
    // they start empty so that a section replays exactly as it was recorded.
    preEcounter = preGcounter = preAcounter = 0;

    const int slot = CHAPTER * 5 + SECTION;
    const unsigned char* rec = workingRecord;
    Highscore = (rec && slot >= 0 && slot < kSlots) ? recordWord(rec + kRecHighScoreOfs, slot) : 0;
    GetMasterKF = rec && CHAPTER >= 0 && CHAPTER < 8 && rec[kRecMasterKeyOfs + CHAPTER] != 0;
    RBGKeyBit = GetMasterKF ? 8 : 0;
    StageCompleteF = extraCompleteF = haveRCF = prevUWModeF = false;
    int32_t best = (rec && slot >= 0 && slot < kSlots) ? (recordWord(rec + kRecBestTimeOfs, slot) & 0xFFFFFF) : 0;
    best = FHPlay::clip(best, kNoBestTime, 0);
    BestTimer = best == 0 ? kNoBestTime : best;

    FHPlay::resetPlayerStatics();
    FHPlay::resetContactStatics();
    currentChr = &chars[0];

    // A section whose map cannot be loaded does not start: no step may run over a
    // leftover or empty map with the characters at (0, 0).
    loadedMapNum = -1;
    if (!loadMapWorld(stage[0], -1)) {
        std::printf("Section could not start: its map did not load. ( chapter %d section %d )\n",
                    CHAPTER, SECTION);
        QSDL_GLOBALS::Stick.stopSync();
        QSDL_GLOBALS::rplyMode = 0;
        loadedMapNum = -1;
        return -1;
    }
    if (UWMode) chars[0].energy = chars[1].energy = 25500;
    chars[2].spAtkState = 0;
    FHLoop::sealCounters();
    return 0;
}

// ---- A map ------------------------------------------------------------------------

bool FHWorldCLS::GetMapArtFile(int group) {
    if (group < 0 || group >= kMapFileGroups) {
        std::printf("Map OpenErr (DATA) %s .\r\n", "(group out of range)");
        return false;
    }
    char base[256 + 16];
    vrndx_cpyArtFileName(base, group);
    char path[300];

    std::snprintf(path, sizeof path, "%s.art.drsrc", base);
    void* art = qgu_loadResource(path);
    if (art == nullptr) {
        std::printf("Map OpenErr (DATA) %s .\r\n", path);
        return false;
    }
    if (groupArt != art) releaseContainer(groupArt);  // a file still open comes back as is
    groupArt = art;
    loadedGroup = -1;
    const char* id = static_cast<const char*>(qgu_getResourceRef(STR_, 501));
    if (id == nullptr || static_cast<int>(std::strlen(id)) != group + 6) {
        std::printf("Map OpenErr (ID) .\r\n");
        releaseContainer(groupArt);
        return false;
    }
    std::snprintf(path, sizeof path, "%s.mrsrc", base);
    void* media = qgu_loadResource(path);
    if (media == nullptr) {
        std::printf("Map OpenErr (MEDIA) %s .\r\n", path);
        return false;
    }
    // The previous group's cells go with its container; the block map itself stays.
    if (groupMedia != media) releaseContainer(groupMedia);
    groupMedia = media;
    entryTablePtr = nullptr;
    entryRecordCount = 0;
    for (int k = 0; k < 16; ++k) {
        mapDataPtr[k] = static_cast<uint16_t*>(qgu_getResourceRef(Xmap, 1000 + k));
        mapHeaders[k] = static_cast<int16_t*>(qgu_getResourceRef(Xmap, 2000 + k));
    }
    uint16_t* entries = static_cast<uint16_t*>(qgu_getResourceRef(Xmap, 500));
    if (entries == nullptr) {
        std::printf("Event OpenErr Xmap %d .\r\n", 500);
        return false;
    }
    entryTablePtr = entries;
    const int64_t entryBytes = qgu_getResourceSize(entries);
    entryRecordCount = static_cast<int>(entryBytes / (kEntryWords * 2));
    if (entryRecordCount > kEntryMaxRecords) entryRecordCount = kEntryMaxRecords;
    FHSYS_GLOBALS::BGPattCtrl.setsocImg(1000);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) FHSYS_GLOBALS::BGPattCtrl.put(x, y, static_cast<uint32_t>(x), 0, true);
    loadedGroup = group;
    return true;
}

int32_t FHWorldCLS::startingTimer(int32_t timeLimit, bool cheat) {
    return (timeLimit >= 59401 && cheat) ? 40020 : timeLimit;
}

int FHWorldCLS::swapMapObject(int code) {
    const bool easy = GameLevel < 2;
    const bool cheat = FHSYS_GLOBALS::use_freePlayF || FHSYS_GLOBALS::use_invincibleF;
    const unsigned char* rec = workingRecord;
    auto recByte = [&](int ofs) -> int { return rec ? rec[ofs] : 0; };
    const int chap = (CHAPTER >= 0 && CHAPTER < 8) ? CHAPTER : 0;

    switch (code) {
        case 8: return 512 + (Random() & 7);
        case 9: return 520 + (Random() & 7);
        case 10: {
            const int a = Random();
            const int b = Random() & 3;
            return (a & 3) ? 528 + b : 532 + b;
        }
        case 11:
        case 12: {
            const int lo = code == 11 ? 544 : 552;
            const int hi = code == 11 ? 548 : 556;
            const int a = Random();
            const int b = Random() & 3;
            if (a & 3) return lo + b;
            return hi + (Random() & 1) + (b == 0 ? 2 : 0);
        }
        case 13: {
            const int base = easy ? 552 : 560;
            const int a = Random();
            const int b = Random() & 3;
            if (a & 7) return base + b;
            return base + 4 + (Random() & 1) + (b == 0 ? 2 : 0);
        }
        default: break;
    }
    if (code >= 16 && code <= 19) return recByte(kRecAppendixCondOfs) == 0 ? code + 936 : code + 596;
    if (code >= 20 && code <= 23) return recByte(kRecAppendixCondOfs) == 0 ? code + 592 : code + 932;
    if (code == 447) return recByte(kRecAppendixCondOfs) ? 444 : 377;
    if (code >= 448 && code <= 450) return ((RBGKeyBit >> (code - 448)) & 1) || TrainingF ? 452 : code;
    if (code == 451) return (easy || cheat || GetMasterKF || TrainingF) ? 452 : 451;
    if (code == 453) {
        if (easy || cheat || TrainingF) return 452;
        return haveRCF ? 452 : 453;
    }
    if (code == 454) return cheat ? 486 : 454;
    if (code >= 584 && code <= 590) return (GameLevel < 1 || cheat) ? code + 296 : code;
    if (code >= 592 && code <= 601) {
        const bool keep = GameLevel >= 2 && !cheat && !TrainingF &&
                          recByte(kRecEvalItemOfs + chap * 10 + code - 592) == 0;
        return keep ? code : code - 128;
    }
    if (code == 602) return recByte(kRecAppendixCondOfs) ? 474 : 602;
    if (code == 603) {
        if (GameLevel >= 2 && !cheat) {
            bool all = true;
            for (int i = 0; i < 10; ++i) all = all && recByte(kRecEvalItemOfs + chap * 10 + i) != 0;
            const bool special = recByte(kRecPenBoxOfs + chap) != 0;
            if (all && !special) return 603;
            if (special) return 576;
            return 475;
        }
        return 460 + (Random() & 3);
    }
    if (code == 948) return (GameLevel < 1 || cheat) ? code : 0;
    if (code == 949) return (GameLevel < 2 || cheat) ? code : 0;
    if (code == 950) return (GameLevel < 4 || cheat) ? code : 0;
    if (code == 951) return recByte(kRecMysteryOfs) ? 984 : 951;
    return code;
}

bool FHWorldCLS::loadMapWorld(int n, int entry) {
    using namespace FHSYSGBL;
    if (n < 0) {
        loadedMapNum = -1;
        loadedGroup = -1;
        return false;
    }
    const int group = n / 16;
    const int k = n % 16;
    const int previousMap = loadedMapNum;
    if (group != loadedGroup && !GetMapArtFile(group)) return false;

    // Header and cells, checked before use.
    const int16_t* hdr = mapHeaders[k];
    const uint16_t* data = mapDataPtr[k];
    if (hdr == nullptr || data == nullptr || qgu_getResourceSize(hdr) < 6) {
        std::printf("Map OpenErr (DATA) map %d has no cells or header .\r\n", n);
        return false;
    }
    const int w = int16_t(mapWord(hdr, 0)), h = int16_t(mapWord(hdr, 1));
    const bool packed = mapWord(hdr, 2) != 0;
    if (!powerOfTwoUpTo256(w) || !powerOfTwoUpTo256(h)) {
        std::printf("Map OpenErr (DATA) map %d has a bad size %d x %d .\r\n", n, w, h);
        return false;
    }
    const unsigned cells = static_cast<unsigned>(w * h);
    const int64_t dataBytes = qgu_getResourceSize(data);
    unsigned got;
    if (packed) {
        // The decoder answers 111 once it has filled `cells` words; cells are cleared
        // first so that a stream that ends early leaves empty blocks, not old ones.
        std::memset(mapCells, 0, cells * 2);
        bool truncated = false;
        got = qgu_decompressMem16Safe(data, static_cast<unsigned>(dataBytes / 2), mapCells, cells, &truncated);
        if (got == 111 && !truncated) got = cells;
    } else {
        got = static_cast<unsigned>(dataBytes / 2) < cells ? static_cast<unsigned>(dataBytes / 2) : cells;
        std::memcpy(mapCells, data, got * 2);
    }
    if (got < cells) {
        std::printf("Map OpenErr (DATA) map %d is short ( %u of %u cells ) .\r\n", n, got, cells);
        std::memset(mapCells + got, 0, (cells - got) * 2);
    }
    loadedMapNum = n;
    MapBlkWidth = w;
    MapBlkHeight = h;
    MapDotWidth = w * 16;
    MapDotHeight = h * 16;
    MapFieldWidth = w * 1600;
    MapFieldHeight = h * 1600;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) MenMap[y][x] = swapMapObject(mapCells[y * w + x]);

    // Entry record.
    const uint16_t* rec = nullptr;
    if (entryTablePtr != nullptr) {
        if (entry >= 0) {
            if (entry < entryRecordCount) rec = entryTablePtr + entry * kEntryWords;
        } else {
            for (int i = 0; i < entryRecordCount; ++i) {
                const uint16_t* r = entryTablePtr + i * kEntryWords;
                if ((mapWord(r, 1) == 1 || mapWord(r, 1) == 4) && mapWord(r, 2) == k) {
                    rec = r;
                    break;
                }
            }
        }
    }
    if (rec == nullptr) std::printf("Map entry not found ( map %d entry %d ) .\r\n", n, entry);
    auto word = [&](int i) -> int { return rec ? static_cast<int16_t>(mapWord(rec, i)) : 0; };
    const int sxB = word(3), syB = word(4);

    BKratioX = word(5);
    BKratioY = word(6);
    BackSpriteModeF = word(7) > 0;

    // Physics of the map.
    const int32_t* info = vrndx_getMapInfoPtr(group, k);
    for (int i = 0; i < kMapInfoWords; ++i) mapInfo[i] = info[i];
    mapInfo[0] *= 20;
    mapInfo[1] *= 20;
    CurrentMapInfoRef = mapInfo;
    GravityX = mapInfo[0];
    GravityY = mapInfo[1];
    prevUWModeF = UWMode;
    UWMode = mapInfo[2] != 0;
    Condition = mapInfo[3];

    // Nothing of the old map stays alive.
    ActiveMsgDispTimer = 0;
    for (auto& s : shotCtrl.shots) s.activeF = 0;
    shotCtrl.chainCount = 0;
    for (auto& o : objectCtrl.objects) o.activeF = 0;
    for (auto& o : objectCtrl.backups) o.activeF = 0;
    for (auto& d : decoCtrl.decos) d.activeF = 0;

    // Characters.
    const int px = sxB * 1600, py = syB * 1600;
    if (entry == -1) {
        for (int i = 0; i < 3; ++i) {
            chars[i].posX = chars[i].restartX = px;
            chars[i].posY = chars[i].restartY = py;
        }
        for (int i = 0; i < 3; ++i) chars[i].resumeMe(US_MAPSTART);
    } else {
        MyCharactor& cur = chars[MyCharactor::currentCHR];
        MyCharactor& other = chars[MyCharactor::currentCHR ^ 1];
        cur.posX = cur.restartX = px;
        cur.posY = cur.restartY = py;
        // Through a door into another map the friend comes along: its old place belongs
        // to the map left behind (in the new one it could be inside a wall).
        if (n != previousMap) {
            other.restartX = px;
            other.restartY = py;
        }
        cur.resumeMe(US_MAPSTART);
        other.resumeMe(US_MAPSTART);
        chars[2].resumeMe(US_DOGSTART);
    }

    // View origin.
    const int lb = (w - 1) & (sxB - 9);
    const int tb = (h - 1) & (syB - 10);
    GmapDotLftX = lb * 16;
    GmapDotTopY = tb * 16;
    GFieldLftX = lb * 1600;
    GFieldTopY = tb * 1600;

    // Foreground and background pictures.
    const int fg = (Condition & 8) ? 155 + (UWMode ? 1 : 0) : 153;
    if (const PicTex* p = fieldPicture(fg)) {
        FGTxt = p->tex;
        CrntFGResNum = fg;
        FGWidth = p->width;
        FGheight = p->height;
    }
    FGratioX = FGratioY = 0;
    FrontFGModeF = true;
    if (word(9) > 0) {
        if (const PicTex* p = fieldPicture(word(9))) {
            BGTxt = p->tex;
            CrntBGResNum = word(9);
            BGWidth = p->width;
            BGheight = p->height;
        }
        BackSpriteModeF = word(7) != 0;
    }

    objectCtrl.loadObjects(k);
    objectCtrl.preSetMapEffect();

    // Music of the map.
    const int mus = rec ? static_cast<int>(mapWord(rec, 8)) : 0;
    // The tune goes on across the maps of a section while it is the one still loaded and
    // playing; after anything else was loaded, or once it was faded, it starts over.
    static int lastMusic = -1;       // the stage music resource loaded last
    static unsigned lastSerial = 0;  // the music player's load count just after it
    if (mus >= 10000) {
        const char* path = static_cast<const char*>(qgu_getResourceRef(STR_, mus + 1000));
        if (path != nullptr) {
            const bool goesOn = mus == lastMusic && QSDLpp_MixMusicCls::loadSerial() == lastSerial &&
                                QSDLpp_MixMusicCls::playingSteadily();
            if (!goesOn) {
                QSDL_GLOBALS::music.load(path);
                lastMusic = mus;
                lastSerial = QSDLpp_MixMusicCls::loadSerial();
            }
            QSDL_GLOBALS::music.musVol(100);
            StageBGMRate = 100;
            if (!goesOn) QSDL_GLOBALS::music.event(MovieFxCode::PLAY, -1);
        }
    }

    shortCutF = false;
    CtrlCounter = 0;
    ObstacleNum = 639;
    return true;
}

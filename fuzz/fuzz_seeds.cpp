// Writes the seed corpus of every fuzz target from real files: the built containers and
// menu text of the runtime tree, and a default preference file, a fresh diary and a
// recorded film made here by the game's own code.
//   fuzz_seeds <corpus folder>     (runtime tree: FH_FUZZ_RUNTIME or the default build)
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <string>

#include <sys/stat.h>

#include "FHmyworld.h"
#include "FHWorldGlobal.h"
#include "fuzz_util.h"
#include "qgu_fileutil.h"
#include "qsdlpp2_configuration.h"
#include "qsdlpp2_ctrl@io.h"
#include "qsdlpp2_globals.h"

namespace {

std::string outDir;
int written = 0;

void seed(const std::string& target, const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string dir = outDir + "/" + target;
    mkdir(dir.c_str(), 0755);
    const std::string path = dir + "/" + name;
    fuzzutil::writeFile(path.c_str(), bytes.data(), bytes.size());
    ++written;
}

std::vector<uint8_t> runtimeFile(const std::string& rel) { return fuzzutil::readFile(fuzzutil::runtimeDir() + "/" + rel); }

void containerSeeds() {
    std::vector<fuzzutil::Record> mixed;
    std::map<uint32_t, int> perType;
    for (const char* f : {"FHOtherRes2005.drsrc", "playlistogg.drsrc", "wc2fh_lv1.art.drsrc",
                          "fontpic.mrsrc", "mediachunk.mrsrc", "soundchunk.mrsrc", "wc2fh_lv1.mrsrc"}) {
        const auto img = runtimeFile(std::string("resourcesQSDL/") + f);
        if (img.empty()) continue;
        if (img.size() <= 4096) seed("container", f, img);
        // Small records of every type, a few of each, make one mixed container.
        for (const auto& r : fuzzutil::parseContainer(img))
            if (r.stored.size() <= 1024 && perType[r.type]++ < 3) mixed.push_back(r);
        // Picture records in host form for the picture decoder.
        int pics = 0;
        for (const auto& r : fuzzutil::parseContainer(img)) {
            if ((r.type != QGU_RES::PNGf && r.type != QGU_RES::JPEG) || r.stored.size() > 12000 || pics >= 4) continue;
            auto host = r.stored;
            for (size_t i = 0; i < host.size() && i < 64; ++i) host[i] = uint8_t(~host[i]);
            seed("picture", std::string(f) + "." + std::to_string(r.id), host);
            ++pics;
        }
        // The maps of the first group: entry table, and cells and header of two maps.
        if (std::strcmp(f, "wc2fh_lv1.mrsrc") == 0) {
            std::vector<fuzzutil::Record> maps;
            for (const auto& r : fuzzutil::parseContainer(img))
                if (r.type == QGU_RES::Xmap && (r.id == 500 || r.id == 1000 || r.id == 1001 ||
                                                r.id == 2000 || r.id == 2001))
                    maps.push_back(r);
            seed("map", "group1", fuzzutil::buildContainer(maps));
        }
    }
    if (!mixed.empty()) seed("container", "mixed", fuzzutil::buildContainer(mixed));
    // The content holds no JPEG picture: one is made here so that the JPEG path is seeded.
    if (SDL_Surface* s = SDL_CreateRGBSurface(0, 24, 16, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000)) {
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 24; ++x)
                static_cast<uint32_t*>(s->pixels)[y * 24 + x] = 0xFF000000u | uint32_t(x * 10) | uint32_t(y * 15) << 8;
        const std::string tmp = outDir + "/.seed.jpg";
        if (IMG_SaveJPG(s, tmp.c_str(), 70) == 0) seed("picture", "made.jpg", fuzzutil::readFile(tmp));
        std::remove(tmp.c_str());
        SDL_FreeSurface(s);
    }
    for (const char* f : {"testpattern.png", "configicon.png"}) {
        const auto png = runtimeFile(std::string("resourcesQSDL/") + f);
        if (!png.empty() && png.size() <= 16384) seed("picture", f, png);
    }
}

void decompressSeeds() {
    std::vector<uint16_t> words(300);
    for (size_t i = 0; i < words.size(); ++i) words[i] = uint16_t(i < 100 ? 7 : (i < 200 ? i : 42));
    std::vector<uint16_t> packed(words.size() + 2);
    const unsigned n = qgu_compressMem16(words.data(), packed.data(), unsigned(words.size()));
    for (unsigned limit : {300u, 120u}) {
        std::vector<uint8_t> bytes{uint8_t(limit), uint8_t(limit >> 8)};
        const auto* p = reinterpret_cast<const uint8_t*>(packed.data());
        bytes.insert(bytes.end(), p, p + n * 2);
        seed("decompress", "limit" + std::to_string(limit), bytes);
    }
}

// Preference file, diary and film are made in a scratch folder by the game's code.
void gameFileSeeds() {
    fuzzutil::enterScratch();
    for (int tool = 0; tool < 2; ++tool) {
        QSDL_GLOBALS::settingsToolF = tool != 0;
        std::remove("mysdlcfg.pref");
        PrefHandler pref("mysdlcfg.pref", PREF_FILE_SIZE);
        pref.autoPref();
        seed("pref", tool ? "settings-default" : "game-default", fuzzutil::readFile("mysdlcfg.pref"));
    }
    QSDL_GLOBALS::settingsToolF = false;

    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    w.startTime = w.systemTime = time_t(1700000000);
    w.loadDiary();
    seed("diary", "fresh", fuzzutil::readFile("vrnpr.pref"));
    w.saveLastDiaryRef();
    seed("diary", "saved", fuzzutil::readFile("vrnpr.pref"));

    // A film of chapter 1, section 1: right, then right with A, then nothing.
    static Uint8 keys[SDL_NUM_SCANCODES];
    JoySTICK::KeyAssign ka{};
    QSDL_GLOBALS::Stick.setKeyStateSource(keys);
    QSDL_GLOBALS::Stick.getKeySetToPtr(&ka);
    mkdir("replayfilms", 0755);
    w.replayPlaybackF = false;
    if (w.startStageFilm(0, 0, 0) == 0) {
        for (int f = 0; f < 40; ++f) {
            keys[ka[JoySTICK::RIGHT]] = (f >= 5 && f < 25) ? 1 : 0;
            keys[ka[JoySTICK::BTN_A]] = (f >= 15 && f < 30) ? 1 : 0;
            QSDL_GLOBALS::Stick.updStick(false);
        }
        w.filmLength = QSDL_GLOBALS::Stick.endsync();
        w.stampFilmEnd(1234, 5);
        w.SaveLastReplay(0);
        seed("replay", "last1-1", fuzzutil::readFile("replayfilms/Last1-1.vrnrpmov"));
    }
    QSDL_GLOBALS::Stick.setKeyStateSource(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <corpus folder>\n");
        return 2;
    }
    outDir = argv[1];
    if (outDir[0] != '/') {
        char cwd[1024];
        if (getcwd(cwd, sizeof cwd)) outDir = std::string(cwd) + "/" + outDir;
    }
    mkdir(outDir.c_str(), 0755);
    containerSeeds();
    decompressSeeds();
    const auto menu = runtimeFile("resourcesQSDL/menutext.dttx");
    if (!menu.empty()) seed("menutext", "menutext.dttx", menu);
    gameFileSeeds();
    std::fprintf(stderr, "fuzz_seeds: %d seed files in %s\n", written, outDir.c_str());
    return written > 0 ? 0 : 1;
}

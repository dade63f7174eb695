// The preference file "mysdlcfg.pref" of arbitrary bytes and length: loading (or the
// repair by defaults), applying every field to the input object, saving and the text
// export, in both programs' flavours.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "fuzz_util.h"
#include "qsdlpp2_configuration.h"
#include "qsdlpp2_ctrl@io.h"
#include "qsdlpp2_globals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = fuzzutil::enterScratch();
    (void)ready;
    for (int tool = 0; tool < 2; ++tool) {
        QSDL_GLOBALS::settingsToolF = tool != 0;
        fuzzutil::writeFile("mysdlcfg.pref", data, size);
        PrefHandler pref("mysdlcfg.pref", PREF_FILE_SIZE);
        pref.autoPref();
        FUZZ_CHECK(!(pref.getRef() == nullptr));
        pref.sdlRestoreConfigu(&QSDL_GLOBALS::Stick, nullptr);
        // The assignments just made are used at once by the input read.
        static Uint8 keys[SDL_NUM_SCANCODES];
        std::memset(keys, 1, sizeof keys);
        QSDL_GLOBALS::Stick.setKeyStateSource(keys);
        (void)QSDL_GLOBALS::Stick.updStick(false);
        (void)QSDL_GLOBALS::Stick.trigANY();
        (void)QSDL_GLOBALS::Stick.start_Button();
        QSDL_GLOBALS::Stick.setKeyStateSource(nullptr);
        FUZZ_CHECK(!(pref.getWindowScale() <= 0 || pref.getFrameSkip() <= 0));
        pref.savePref();
        pref.savePrefText("mysdlcfg.txt");
        // Read back what was saved.
        PrefHandler again("mysdlcfg.pref", PREF_FILE_SIZE);
        again.autoPref();
        for (int i = 0; i < SDLSET_FIELDS; ++i)
            FUZZ_CHECK(!(again.getElement(i) != pref.getElement(i)));
    }
    QSDL_GLOBALS::settingsToolF = false;
    return 0;
}

// The diary "vrnpr.pref" of arbitrary bytes and length: unscrambling, the checksum and
// the repair of a damaged file, then the play-record bookkeeping and a save.
#include <cstddef>
#include <cstdint>
#include <ctime>

#include "FHmyworld.h"
#include "FHWorldGlobal.h"
#include "fuzz_util.h"
#include "qsdlpp2_globals.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = fuzzutil::enterScratch();
    (void)ready;
    FHWorldCLS& w = Game_GLOBALS::MyWorld;
    w.startTime = w.systemTime = time_t(1700000000);
    fuzzutil::writeFile("vrnpr.pref", data, size);
    w.loadDiary();
    FUZZ_CHECK(!(w.diaryPtr == nullptr || w.workingRecord == nullptr));
    for (int c = 0; c < 5; ++c) (void)FHWorldCLS::chapterAchievement(w.workingRecord, c);
    (void)FHWorldCLS::appendixAchievement(w.workingRecord);
    FHWGBL::CHAPTER = int(size % 9);
    w.determPlayRecords(0);
    w.saveLastDiaryRef();
    // What was saved loads again without repair.
    w.loadDiary();
    return 0;
}

// The settings program's menu text of arbitrary bytes: lines to items and choices, and
// every choice read back as the pages draw it.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "configmain.h"
#include "fuzz_util.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = fuzzutil::enterScratch();
    (void)ready;
    fuzzutil::writeFile("menutext.dttx", data, size);
    static configmainCls* menu = nullptr;
    delete menu;
    menu = new configmainCls("menutext.dttx");
    for (int item = -1; item <= CFG_ITEMS; ++item) {
        const int n = menu->choiceCount(item);
        FUZZ_CHECK(!(n < 0 || n > CFG_LINES));
        for (int line = -1; line <= n; ++line)
            FUZZ_CHECK(!(std::strlen(menu->choiceText(item, line)) >= CFG_LINE_BYTES));
    }
    return 0;
}

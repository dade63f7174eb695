// The settings menu: menu text, turning the ring, the cursor and confirming choices.
// Drawing lives in configmain_page.cpp (item pages) and configmain_disp.cpp (the ring).
#include "configmain.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "globals.h"
#include "qgu_basicfunc.h"
#include "qgu_fileutil_savepath.h"

using SYS_GLOBALS::SdlConfiguCtrl;

configmainCls::configmainCls() : configmainCls(CFG_MENU_TEXT_PATH) {}

configmainCls::configmainCls(const char* menuTextPath)
    : nowItem(0), nextItem(0), ringAng(0), turnDir(1), cursorPos(0), storedSel(0),
      ref(SdlConfiguCtrl.getRef()) {
    saveNote[0] = 0;
    readMenuText(menuTextPath);
}

// Lines go to the items in order: a line starting with '#' closes the current item and
// moves on to the next one; any other line is the current item's next choice. Lines past
// the 16th of an item and items past the 32nd are not held.
void configmainCls::readMenuText(const char* path) {
    std::memset(texts, 0, sizeof(texts));
    std::memset(counts, 0, sizeof(counts));
    std::vector<char> lines(size_t(QGU_TEXTLINE_SLOTS) * QGU_TEXTLINE_SLOT, 0);
    int n = getTextByLine(path, lines.data());
    int item = 0;
    for (int i = 0; i < n && item < CFG_ITEMS; i++) {
        char* line = &lines[size_t(i) * QGU_TEXTLINE_SLOT];
        line[QGU_TEXTLINE_SLOT - 1] = 0;
        if (line[0] == '#') {
            item++;
            continue;
        }
        if (counts[item] >= CFG_LINES) continue;
        char* dst = texts[item][counts[item]++];
        std::snprintf(dst, CFG_LINE_BYTES, "%s", line);
        // The line break read with the line is not part of the choice.
        size_t len = std::strlen(dst);
        while (len > 0 && (dst[len - 1] == '\n' || dst[len - 1] == '\r'))
            dst[--len] = 0;
    }
}

int configmainCls::choiceCount(int item) const {
    return (item >= 0 && item < CFG_ITEMS) ? counts[item] : 0;
}

const char* configmainCls::choiceText(int item, int line) const {
    if (item < 0 || item >= CFG_ITEMS || line < 0 || line >= counts[item]) return "";
    return texts[item][line];
}

int configmainCls::press(int key) {
    if (nowItem == CFG_TURNING) return 0;
    switch (key) {
    case SDLK_RIGHT:
        turnTo((nowItem + CFG_ITEMS - 1) % CFG_ITEMS, -1);
        return 0;
    case SDLK_LEFT:
        turnTo((nowItem + 1) % CFG_ITEMS, +1);
        return 0;
    case SDLK_DOWN:
        if (cursorPos + 1 < counts[nowItem]) cursorPos++;
        return 0;
    case SDLK_UP:
        if (cursorPos > 0) cursorPos--;
        return 0;
    case SDLK_SPACE:
        return confirm();
    default:
        return 0;
    }
}

void configmainCls::turnTo(int target, int direction) {
    nextItem = target;
    turnDir = direction;
    nowItem = CFG_TURNING;
}

// The ring has come to rest on the target item.
void configmainCls::arrive() {
    nowItem = nextItem;
    cursorPos = 0;
    if (nowItem >= CFG_FIRST_FIELD_ITEM && nowItem <= CFG_LAST_FIELD_ITEM)
        storedSel = ref ? ref->val[nowItem - CFG_FIRST_FIELD_ITEM] : -1;
    else
        storedSel = -1; // the other items hold nothing in the record
}

int configmainCls::confirm() {
    const int item = nowItem;
    const int choice = cursorPos;
    if (item == CFG_INFO_ITEM) return 0;
    if (item == CFG_DETECT_ITEM) {
        SYS_GLOBALS::Stick.init();
        return 0;
    }
    if (item == CFG_EXIT_ITEM) return exitChoice(choice);

    QSDLpp_MixMusicCls& music = SYS_GLOBALS::music;
    if (item == CFG_BGM_ITEM) {
        if (choice == 0) {
            music.on(true);
            music.start(1);
        } else {
            music.fadeout();
        }
    } else if (item == CFG_MUSVOL_ITEM) {
        music.start(2);
    }
    if (!ref) return 0; // no record to store into
    ref->val[item - CFG_FIRST_FIELD_ITEM] = choice;
    storedSel = choice;
    SdlConfiguCtrl.sdlRestoreConfigu(&SYS_GLOBALS::Stick, &music);
    if (item == CFG_GAMMA_ITEM) SYS_GLOBALS::loadGammaPicture();
    return 0;
}

// Writes both files and says on screen (and in the log) exactly which could not be
// written. True when both were.
bool configmainCls::saveRecord() {
    const std::string exportPath = qgu_savePath(CFG_EXPORT_PATH);
    const bool pref = SdlConfiguCtrl.savePref() == 1;
    const bool text = SdlConfiguCtrl.savePrefText(exportPath.c_str()) == 1;
    if (pref && text)
        std::snprintf(saveNote, sizeof saveNote, "Settings saved.");
    else if (!pref && !text)
        std::snprintf(saveNote, sizeof saveNote, "Not saved: %s and %s could not be written.",
                      SdlConfiguCtrl.prefFileName(), exportPath.c_str());
    else if (!pref)
        std::snprintf(saveNote, sizeof saveNote, "Not saved: %s could not be written.", SdlConfiguCtrl.prefFileName());
    else
        std::snprintf(saveNote, sizeof saveNote, "Settings saved, but %s could not be written.", exportPath.c_str());
    std::printf("%s\n", saveNote);
    return pref && text;
}

int configmainCls::exitChoice(int choice) {
    switch (choice) {
    case CfgExit::QUIT:
        return 1;
    case CfgExit::SAVE_AND_QUIT:
        // A failed write keeps the program open, so that the user reads on screen which
        // file could not be written before leaving.
        if (saveRecord()) return 1;
        storedSel = choice;
        return 0;
    case CfgExit::SAVE_AND_STAY:
        saveRecord();
        storedSel = choice;
        return 0;
    case CfgExit::RESET:
        // Neither saved nor applied here: a later choice applies, a save writes.
        SdlConfiguCtrl.createDefault();
        storedSel = choice;
        return 0;
    default:
        return 0; // choices 1 and 4 only keep the user on the item
    }
}

void configmainCls::mainloop(int) {
    if (nowItem == CFG_TURNING) {
        ringAng = (ringAng + turnDir + CFG_RING_STEPS) % CFG_RING_STEPS;
        if (ringAng % CFG_TENTHS == 0) arrive();
    }
    drawPage(nowItem);
}

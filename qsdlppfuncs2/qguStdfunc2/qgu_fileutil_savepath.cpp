// The save folder: one prefix for every file the programs write (see the header).
#include "qgu_fileutil_savepath.h"

#include <cstring>

namespace {
char saveFolder[QGU_SAVE_FOLDER_MAX + 1] = "";
}  // namespace

bool qgu_setSaveFolder(const char* folder) {
    if (folder == nullptr) folder = "";
    size_t len = std::strlen(folder);
    while (len > 1 && folder[len - 1] == '/') --len;  // "/" itself stays the root
    if (len > QGU_SAVE_FOLDER_MAX) return false;
    std::memcpy(saveFolder, folder, len);
    saveFolder[len] = '\0';
    return true;
}

const char* qgu_saveFolder() { return saveFolder; }

std::string qgu_savePath(const char* name) {
    std::string path;
    if (name == nullptr) name = "";
    if (saveFolder[0] != '\0' && name[0] != '/') {  // a full path stays as it is
        path = saveFolder;
        if (path.back() != '/') path += '/';
    }
    path += name;
    return path;
}

// Linux: the data folder and the save folder of both programs (see the header).
#include "linux_folders.h"

#include <SDL.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "qgu_fileutil_savepath.h"

#ifndef FH_DATA_FROM_BIN
#define FH_DATA_FROM_BIN "../share/fernhollow"
#endif

namespace fhfolders {

const char kUserFolderName[] = "fernhollow";

namespace {
bool isFolder(const std::string& path) {
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string joined(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

bool holdsData(const std::string& folder) { return isFolder(joined(folder, "resourcesQSDL")); }

// "a/b/../c/./" -> "a/c": the log gets a readable path. ".." after a real name is
// folded; the program's folder comes from the kernel with every link resolved, so that
// names the same folder.
std::string tidy(const std::string& path) {
    const bool absolute = !path.empty() && path[0] == '/';
    std::vector<std::string> parts;
    for (size_t i = 0; i <= path.size();) {
        size_t j = path.find('/', i);
        if (j == std::string::npos) j = path.size();
        const std::string part = path.substr(i, j - i);
        i = j + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..") {
                parts.pop_back();
                continue;
            }
            if (absolute) continue;  // "/.." is "/"
        }
        parts.push_back(part);
    }
    std::string out = absolute ? "/" : "";
    for (size_t k = 0; k < parts.size(); ++k) out += (k ? "/" : "") + parts[k];
    return out.empty() ? "." : out;
}
}  // namespace

std::string findDataFolder(const std::string& programFolder, const std::string& dataFromProgram) {
    if (holdsData(programFolder)) return tidy(programFolder);
    const std::string installed = joined(programFolder, dataFromProgram);
    if (holdsData(installed)) return tidy(installed);
    return "";
}

std::string userSaveFolder(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && xdgDataHome[0] == '/') return joined(xdgDataHome, kUserFolderName);
    if (home != nullptr && home[0] == '/') return joined(joined(home, ".local/share"), kUserFolderName);
    return "";
}

bool makeFolders(const std::string& path) {
    if (path.empty()) return false;
    // Each missing folder on the way, parents first. New folders are the user's alone,
    // as the XDG rules ask for the data home.
    for (size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '/') continue;
        const std::string step = path.substr(0, i);
        if (isFolder(step)) continue;
        if (mkdir(step.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return isFolder(path) && access(path.c_str(), W_OK | X_OK) == 0;
}

std::string chooseSaveFolder(bool dataWritable, const char* xdgDataHome, const char* home) {
    if (dataWritable) return "";
    const std::string user = userSaveFolder(xdgDataHome, home);
    if (user.empty()) {
        std::printf("No home folder for saves (XDG_DATA_HOME and HOME unset).\n");
        return "";
    }
    if (user.size() > QGU_SAVE_FOLDER_MAX) {
        std::printf("Save folder path too long ( %s )\n", user.c_str());
        return "";
    }
    if (!makeFolders(user)) {
        std::printf("Can't create the save folder. ( %s )\n", user.c_str());
        return "";
    }
    return user;
}

}  // namespace fhfolders

void fhEnterProgramFolders() {
    std::string program;
    if (char* base = SDL_GetBasePath()) {
        program = base;
        SDL_free(base);
    }
    std::string data = fhfolders::findDataFolder(program, FH_DATA_FROM_BIN);
    if (data.empty()) {
        std::printf("Game data not found beside the program. ( %s )\n", program.c_str());
        data = program;  // the loaders name each missing file
    }
    if (!data.empty() && chdir(data.c_str()) != 0)
        std::printf("Can't change to the program folder. ( %s )\n", data.c_str());
    std::printf("Data folder: %s\n", data.c_str());

    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        const passwd* pw = getpwuid(getuid());
        home = pw != nullptr ? pw->pw_dir : nullptr;
    }
    // (The working directory is the data folder now.)
    const bool dataWritable = access(".", W_OK | X_OK) == 0;
    const std::string saves = fhfolders::chooseSaveFolder(dataWritable, std::getenv("XDG_DATA_HOME"), home);
    qgu_setSaveFolder(saves.c_str());
    if (saves.empty() && !dataWritable) std::printf("Saves are kept in memory only.\n");
    std::printf("Save folder: %s\n", saves.empty() ? data.c_str() : saves.c_str());
}

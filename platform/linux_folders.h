// Linux: which folder the programs read their data from and which folder they write
// their settings, diary, report and films to. Both programs decide the same way, so
// they always share one "mysdlcfg.pref".
//
//  - Data: the folder of the program when "resourcesQSDL" lies beside it (the build
//    tree); otherwise the installed data folder, found relative to the program
//    (bin/../share/fernhollow), so a moved install still works.
//  - Saves: the data folder itself while it is writable (build tree, unpacked tarball),
//    exactly as before; otherwise $XDG_DATA_HOME/fernhollow (by default
//    ~/.local/share/fernhollow), created on first use.
#pragma once

#include <string>

namespace fhfolders {

// Name of the per-user folder under $XDG_DATA_HOME.
extern const char kUserFolderName[];

// The data folder for a program living in `programFolder` ("" when neither candidate
// holds "resourcesQSDL"). `dataFromProgram` is the installed data folder relative to
// the program's folder.
std::string findDataFolder(const std::string& programFolder, const std::string& dataFromProgram);

// The per-user save folder from the values of XDG_DATA_HOME and HOME (either may be
// null). A relative XDG_DATA_HOME is ignored, as the XDG rules ask; "" when there is
// no usable home either.
std::string userSaveFolder(const char* xdgDataHome, const char* home);

// Creates the folder and any missing parents; true when it then is a folder this
// process can write into.
bool makeFolders(const std::string& path);

// What the programs write into: "" (the working directory, i.e. the data folder) when
// the data folder is writable, else the per-user folder, created here. A per-user
// folder that cannot be made (or is too long) is logged, and "" is returned: saving
// then fails with the usual log lines and the programs go on with what they hold in
// memory.
std::string chooseSaveFolder(bool dataWritable, const char* xdgDataHome, const char* home);

}  // namespace fhfolders

// The entry's whole job before the program starts: change into the data folder, set
// the save folder (qgu_setSaveFolder) and log both. Uses the program's own location,
// XDG_DATA_HOME and HOME.
void fhEnterProgramFolders();

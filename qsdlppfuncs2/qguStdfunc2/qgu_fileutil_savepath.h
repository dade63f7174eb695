// Where the programs keep the files they write: the configuration "mysdlcfg.pref", its
// text export, the diary, the diary report and the films folder. By default that is the
// working directory and the names are used as given. An installed copy whose data
// folder is read-only names a per-user folder once at start, before anything is read;
// every save file name then goes through qgu_savePath.
#pragma once

#include <string>

// Longest save folder accepted: with the longest save name after it, a path still fits
// the 256-byte name field of a data-file block.
enum { QGU_SAVE_FOLDER_MAX = 200 };

// Sets the save folder ("" or null: the working directory); trailing slashes are
// dropped. A folder longer than QGU_SAVE_FOLDER_MAX is refused: false, nothing changed.
bool qgu_setSaveFolder(const char* folder);
// The save folder as set ("" for the working directory).
const char* qgu_saveFolder();
// The path of a save file: the name itself, or "<folder>/<name>" (a name that is already
// a full path is kept).
std::string qgu_savePath(const char* name);

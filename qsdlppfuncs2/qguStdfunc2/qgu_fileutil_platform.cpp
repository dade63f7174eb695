// The two steps of a safe save that differ between operating systems: pushing a file's
// bytes to the disk, and moving a finished temporary file over the old one.
//
// POSIX rename() replaces the target in one step. On Windows rename() refuses an
// existing target, so MoveFileEx with MOVEFILE_REPLACE_EXISTING does the same job there.
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <string>
#endif

#include "qgu_fileutil.h"

namespace {

bool syncOpenFile(FILE* f) {
    if (f == nullptr || std::fflush(f) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

bool replaceFile(const char* from, const char* to) {
    if (from == nullptr || to == nullptr) return false;
#ifdef _WIN32
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    if (std::rename(from, to) != 0) return false;
    // The new name is only durable once the folder itself reaches the disk. A folder
    // that cannot be opened or synced (some file systems) does not undo the save.
    std::string dir(to);
    const size_t slash = dir.find_last_of('/');
    dir = slash == std::string::npos ? std::string(".") : (slash == 0 ? std::string("/") : dir.substr(0, slash));
    const int fd = open(dir.c_str(), O_RDONLY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
    return true;
#endif
}

QGU_FileOps currentOps = {syncOpenFile, replaceFile};

}  // namespace

const QGU_FileOps& qgu_fileOps() { return currentOps; }

QGU_FileOps qgu_setFileOps(const QGU_FileOps* ops) {
    const QGU_FileOps old = currentOps;
    currentOps = ops ? *ops : QGU_FileOps{syncOpenFile, replaceFile};
    return old;
}

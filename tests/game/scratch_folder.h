// The game tests' working folder: a fresh folder under /tmp that reaches the runtime
// tree's content through links, so that the diary and films written by play land
// outside the build tree. It is removed, with everything written into it, when the test
// program ends.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace gametest {

inline std::string& scratchFolder() {
    static std::string path;
    return path;
}

// Makes the folder (name prefix under /tmp), links the content into it and changes to
// it. Returns the folder; empty on failure (with a test failure recorded).
inline std::string enterScratchFolder(const char* prefix) {
    std::string tmpl = std::string("/tmp/") + prefix + "XXXXXX";
    const char* dir = mkdtemp(&tmpl[0]);
    EXPECT_NE(dir, nullptr);
    if (dir == nullptr) return std::string();
    scratchFolder() = dir;
    std::atexit([] {
        if (!scratchFolder().empty()) std::system(("rm -rf '" + scratchFolder() + "'").c_str());
    });
    const std::string rt = FH_RUNTIME_DIR;
    EXPECT_EQ(symlink((rt + "/resourcesQSDL").c_str(), (scratchFolder() + "/resourcesQSDL").c_str()), 0);
    EXPECT_EQ(symlink((rt + "/VRNresources").c_str(), (scratchFolder() + "/VRNresources").c_str()), 0);
    mkdir((scratchFolder() + "/replayfilms").c_str(), 0755);
    EXPECT_EQ(chdir(dir), 0);
    return scratchFolder();
}

}  // namespace gametest

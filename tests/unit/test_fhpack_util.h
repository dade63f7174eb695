// Helpers of the content-compiler tests: scratch folders, running the built fhpack and
// reading map sources independently of the compiler.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core_testutil.h"

namespace fhpacktest {

using coretest::readAll;

// A scratch folder that can also write text files, making sub-folders as needed.
class Scratch : public coretest::ScratchDir {
  public:
    std::string write(const std::string& name, const std::string& text) const {
        std::string p = file(name);
        std::system(("mkdir -p \"$(dirname '" + p + "')\"").c_str());
        std::ofstream(p, std::ios::binary) << text;
        return p;
    }
    std::string writeBytes(const std::string& name, const std::vector<uint8_t>& bytes) const {
        return write(name, std::string(bytes.begin(), bytes.end()));
    }
};

struct RunResult {
    int status = -1;
    std::string output; // stdout and stderr together
};

// Runs the fhpack the build made, with the given arguments (already quoted).
inline RunResult runFhpack(const std::string& args) {
    RunResult r;
    std::string cmd = std::string(FH_TOOLS_DIR) + "/fhpack " + args + " 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.output.append(buf, n);
    r.status = pclose(p);
    return r;
}

// The record lines of a container manifest in content/containers (comments and blank
// lines left out).
inline std::vector<std::string> manifestLines(const std::string& name) {
    std::ifstream f(std::string(FH_SOURCE_DIR) + "/content/containers/" + name);
    std::vector<std::string> lines;
    for (std::string l; std::getline(f, l);)
        if (!l.empty() && l[0] != '#') lines.push_back(l);
    return lines;
}

// A deliberately simple reading of a .fhmap file's size, legend and rows, written
// apart from the compiler so that the two can check each other.
struct MapGrid {
    int width = 0, height = 0;
    std::vector<uint16_t> cells;
};
inline MapGrid readMapGrid(const std::string& path) {
    MapGrid g;
    std::ifstream f(path);
    std::string line;
    std::map<char, int> legend;
    bool inRows = false;
    while (std::getline(f, line)) {
        if (inRows) {
            if (line == "end") {
                inRows = false;
                continue;
            }
            for (char c : line)
                g.cells.push_back(uint16_t(legend.at(c)));
            continue;
        }
        std::istringstream s(line);
        std::string word;
        s >> word;
        if (word == "size") s >> g.width >> g.height;
        if (word == "rows") inRows = true;
        if (word == "legend") {
            std::string key;
            int value;
            // '#' followed by a number is the earth key; followed by words, a comment.
            while (s >> key && s >> value)
                legend[key[0]] = value;
        }
    }
    return g;
}

} // namespace fhpacktest

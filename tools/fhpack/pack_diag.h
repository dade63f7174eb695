// Where a source went wrong: reported as "file:line: reason" by fhpackError.
#pragma once
#include <string>

struct PackDiag {
    std::string file;
    int line = 0;
    std::string reason;
    bool fail(const std::string& f, int l, const std::string& r) {
        file = f;
        line = l;
        reason = r;
        return false;
    }
};

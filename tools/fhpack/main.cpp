// The content compiler's entry: dispatches to the registered subcommands.
#include "fhpack_commands.h"

#include <cstdio>
#include <cstring>
#include <map>

namespace {
struct Entry {
    const char* usage;
    FhpackFn fn;
};
std::map<std::string, Entry>& commands() {
    static std::map<std::string, Entry> table;
    return table;
}
} // namespace

FhpackCommand::FhpackCommand(const char* name, const char* usage, FhpackFn fn) { commands()[name] = {usage, fn}; }

void fhpackError(const std::string& file, int line, const std::string& reason) {
    if (line > 0)
        std::fprintf(stderr, "%s:%d: %s\n", file.c_str(), line, reason.c_str());
    else
        std::fprintf(stderr, "%s: %s\n", file.c_str(), reason.c_str());
}

int main(int argc, char** argv) {
    if (argc < 2 || !commands().count(argv[1])) {
        std::fprintf(stderr, "usage: fhpack <command> ...\ncommands:\n");
        for (auto& [name, e] : commands()) std::fprintf(stderr, "  %s %s\n", name.c_str(), e.usage);
        return 2;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    return commands()[argv[1]].fn(args);
}

// fhpack is one program with several subcommands (`fhpack <command> args...`). Each
// command lives in its own source file and registers itself here at start-up, so adding
// a command never touches main.cpp.
#pragma once
#include <string>
#include <vector>

using FhpackFn = int (*)(const std::vector<std::string>& args);

struct FhpackCommand {
    FhpackCommand(const char* name, const char* usage, FhpackFn fn);
};

// Prints "file:line: reason" to stderr; every bad source is reported through this so
// the build shows where to look.
void fhpackError(const std::string& file, int line, const std::string& reason);

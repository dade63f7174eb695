// File helpers for the audio commands: read a whole source, write an output in one go
// (through a temporary file, so a failed run never leaves a half-written output behind).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace fhaudio {

bool readTextFile(const std::string& path, std::string& out);
bool writeFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace fhaudio

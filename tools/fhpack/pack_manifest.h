// Container manifests (content/containers/<runtime path with / as __>.pack): one record
// per line, `TYPE NUMBER SOURCE`, see content/README.md.
#pragma once
#include "pack_container.h"
#include "pack_diag.h"

#include <string>
#include <vector>

struct PackManifestLine {
    int line = 0;
    uint32_t type = 0;
    int32_t id = 0;
    std::string source; // as written (path, @gen/..., text:"...", @objects:G)
};

bool packParseManifest(const std::string& file, const std::vector<std::string>& lines,
                       std::vector<PackManifestLine>& out, PackDiag& diag);

struct PackDirs {
    std::string content;      // sources (relative paths)
    std::string gen;          // generated intermediates (@gen/...)
    bool optionalGen = false; // leave out (with a warning) @gen sources that do not exist
};

// Builds every record of a manifest in stored form.
bool packBuildRecords(const std::string& manifest, const std::vector<PackManifestLine>& lines,
                      const PackDirs& dirs, std::vector<PackRecord>& records, PackDiag& diag);

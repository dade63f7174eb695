// The container subcommands: pack, list and extract.
#include "fhpack_commands.h"
#include "map_source.h"
#include "pack_manifest.h"
#include "text_encoding.h"

#include <cstdio>
#include <filesystem>

namespace {
int packMain(const std::vector<std::string>& args) {
    if (args.size() < 2) {
        fhpackError("fhpack pack", 0,
                    "usage: pack <manifest.pack> <container> [--content DIR] [--gen DIR] [--optional-gen]");
        return 2;
    }
    const std::string manifest = args[0], out = args[1];
    PackDirs dirs;
    dirs.content = std::filesystem::path(manifest).parent_path().parent_path().string();
    if (dirs.content.empty()) dirs.content = ".";
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--optional-gen")
            dirs.optionalGen = true;
        else if (args[i] == "--content" && i + 1 < args.size())
            dirs.content = args[++i];
        else if (args[i] == "--gen" && i + 1 < args.size())
            dirs.gen = args[++i];
        else {
            fhpackError("fhpack pack", 0, "unknown option " + args[i]);
            return 2;
        }
    }
    std::vector<std::string> text;
    if (!textReadLines(manifest, text)) {
        fhpackError(manifest, 0, "cannot read the manifest");
        return 1;
    }
    PackDiag diag;
    std::vector<PackManifestLine> lines;
    std::vector<PackRecord> records;
    if (!packParseManifest(manifest, text, lines, diag) ||
        !packBuildRecords(manifest, lines, dirs, records, diag)) {
        fhpackError(diag.file, diag.line, diag.reason);
        return 1;
    }
    std::error_code ec;
    auto parent = std::filesystem::path(out).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    std::string reason;
    if (!packWriteContainer(out, records, reason)) {
        fhpackError(out, 0, reason);
        return 1;
    }
    return 0;
}

// Reads a container for inspection; a damaged or missing one is reported with its name.
bool readContainerOrReport(const std::string& path, std::vector<PackRecord>& records) {
    std::string reason;
    if (packReadContainer(path, records, reason)) return true;
    fhpackError(path, 0, reason);
    return false;
}

int listMain(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        fhpackError("fhpack list", 0, "usage: list <container>");
        return 2;
    }
    std::vector<PackRecord> records;
    if (!readContainerOrReport(args[0], records)) return 1;
    std::printf("%zu records\n", records.size());
    for (const PackRecord& r : records) {
        std::vector<uint8_t> d = r.data;
        packUnstoreRecord(r.type, r.id, d);
        std::string note;
        if (r.type == packFourCC("STR "))
            note = "\"" + std::string(d.begin(), d.end()) + "\"";
        else if (r.type == packFourCC("Xmap") && r.id >= 2000 && d.size() >= 6) {
            const uint16_t* w = reinterpret_cast<const uint16_t*>(d.data());
            note = std::to_string(w[0]) + " x " + std::to_string(w[1]) + (w[2] ? " packed" : " plain");
        } else if (r.type == packFourCC("STR#") && d.size() >= 2) {
            note = std::to_string((d[0] << 8) | d[1]) + " strings";
        } else if (r.type == packFourCC("Xmap") && r.id < 1000) {
            note = std::to_string(d.size() / 288) + " entry/object records";
        }
        std::printf("'%s' %6d %9zu bytes  %s\n", packFourCCName(r.type).c_str(), r.id, r.data.size(),
                    note.c_str());
    }
    return 0;
}

int extractMain(const std::vector<std::string>& args) {
    if (args.size() != 4) {
        fhpackError("fhpack extract", 0, "usage: extract <container> <type> <id> <outfile>");
        return 2;
    }
    std::vector<PackRecord> records;
    if (!readContainerOrReport(args[0], records)) return 1;
    const uint32_t type = packFourCC(args[1]);
    const long id = std::strtol(args[2].c_str(), nullptr, 10);
    for (const PackRecord& r : records) {
        if (r.type != type || r.id != id) continue;
        std::vector<uint8_t> d = r.data;
        packUnstoreRecord(r.type, r.id, d);
        if (!packWriteFileAtomic(args[3], d)) {
            fhpackError(args[3], 0, "cannot write");
            return 1;
        }
        return 0;
    }
    fhpackError(args[0], 0, "no record '" + args[1] + "' " + args[2]);
    return 1;
}

FhpackCommand regPack("pack", "<manifest.pack> <container> [--content DIR] [--gen DIR] [--optional-gen]",
                      packMain);
FhpackCommand regList("list", "<container>", listMain);
FhpackCommand regExtract("extract", "<container> <type> <id> <outfile>  (the record as the game sees it)",
                         extractMain);
} // namespace

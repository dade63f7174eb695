// Compiling parsed maps into their 'Xmap' records (host byte order; the container
// writer stores them big-endian).
#include "map_source.h"

#include <cstring>
#include <map>

#include "qgu_fileutil.h"

namespace {
const size_t kListRecordSize = 288;
const int kMaxListRecords = 512;
const int kMaxObjectsPerMap = 128;

std::vector<uint8_t> wordsToBytes(const std::vector<uint16_t>& w) {
    std::vector<uint8_t> out(w.size() * 2);
    if (!w.empty()) std::memcpy(out.data(), w.data(), out.size());
    return out;
}

// Map bodies are packed with the game's own 16-bit run-length encoder.
std::vector<uint16_t> packCells(const std::vector<uint16_t>& cells) {
    // Worst case of the encoder: every word a literal, plus the end marker.
    std::vector<uint16_t> packed(cells.size() + 2, 0);
    unsigned n = qgu_compressMem16(cells.data(), packed.data(), unsigned(cells.size()));
    packed.resize(n);
    return packed;
}
} // namespace

std::vector<uint8_t> mapBodyRecord(const MapSource& map) {
    return wordsToBytes(packCells(map.cells));
}

std::vector<uint8_t> mapHeaderRecord(const MapSource& map) {
    std::vector<uint16_t> w = {uint16_t(map.width), uint16_t(map.height), 1, 0};
    return wordsToBytes(w);
}

std::vector<uint8_t> mapEmptyBody(int width, int height) {
    MapSource m;
    m.width = width;
    m.height = height;
    m.cells.assign(size_t(width) * size_t(height), 0);
    return mapBodyRecord(m);
}

std::vector<uint8_t> mapEmptyHeader(int width, int height) {
    MapSource m;
    m.width = width;
    m.height = height;
    return mapHeaderRecord(m);
}

bool mapBuildObjectList(const std::vector<const MapSource*>& maps, int group, std::vector<uint8_t>& out,
                        PackDiag& diag) {
    struct Target {
        int mapNumber, index;
    };
    std::map<std::string, Target> entries;
    int index = 0;
    for (const MapSource* m : maps) {
        int objects = 0;
        for (const MapListRecord& r : m->records) {
            if (!r.name.empty()) {
                if (entries.count(r.name))
                    return diag.fail(m->file, r.line, "entry name " + r.name + " used twice in the group");
                entries[r.name] = {group * 16 + m->index, index};
            }
            if (r.words[1] >= 2 && ++objects > kMaxObjectsPerMap)
                return diag.fail(m->file, r.line, "more than 128 objects on one map");
            ++index;
        }
    }
    if (index > kMaxListRecords)
        return diag.fail(maps.back()->file, 0, "more than 512 entry and object records in one group");
    out.assign(size_t(index) * kListRecordSize, 0);
    size_t at = 0;
    for (const MapSource* m : maps) {
        for (const MapListRecord& r : m->records) {
            int16_t words[11];
            std::memcpy(words, r.words, sizeof words);
            if (!r.doorTarget.empty()) {
                auto it = entries.find(r.doorTarget);
                if (it == entries.end())
                    return diag.fail(m->file, r.line, "door to unknown entry " + r.doorTarget);
                words[7] = int16_t(it->second.mapNumber);
                words[8] = int16_t(it->second.index);
            }
            std::memcpy(&out[at], words, sizeof words);
            if (r.text.size() > 254)
                return diag.fail(m->file, r.line, "an object text holds at most 254 characters");
            out[at + 32] = uint8_t(r.text.size());
            std::memcpy(&out[at + 33], r.text.data(), r.text.size());
            at += kListRecordSize;
        }
    }
    return true;
}

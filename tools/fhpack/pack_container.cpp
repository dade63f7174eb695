// Container writer and reader; see pack_container.h.
#include "pack_container.h"

#include <cstdio>
#include <map>
#include <utility>

uint32_t packFourCC(const std::string& s) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v = (v << 8) | uint8_t(i < s.size() ? s[i] : ' ');
    return v;
}

std::string packFourCCName(uint32_t type) {
    std::string s;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = char((type >> shift) & 0xFF);
        s += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return s;
}

namespace {
const uint32_t kPNGf = 0x504E4766, kJPEG = 0x4A504547, kAIFF = 0x41494646, kMidi = 0x4D696469;
const uint32_t kMPEV = 0x4D504556, kOBCH = 0x4F424348, kSREF = 0x53524546;
const uint32_t kSTR = 0x53545220, kXmap = 0x586D6170;
const size_t kInvertedHead = 64;
const size_t kMapEntrySize = 288;

void swapWords(std::vector<uint8_t>& d, size_t from, size_t count) {
    for (size_t i = 0; i < count && from + 2 * i + 1 < d.size(); ++i)
        std::swap(d[from + 2 * i], d[from + 2 * i + 1]);
}
void swapLong(std::vector<uint8_t>& d, size_t at) {
    std::swap(d[at], d[at + 3]);
    std::swap(d[at + 1], d[at + 2]);
}

// The conversions of words are their own inverse, so storing and unstoring share them.
void swapMapInfoEntries(std::vector<uint8_t>& d) {
    for (size_t e = 0; e + kMapEntrySize <= d.size(); e += kMapEntrySize) {
        swapWords(d, e, 12);
        swapLong(d, e + 24);
        swapLong(d, e + 28);
    }
}
bool isInvertedHeadType(uint32_t t) {
    return t == kPNGf || t == kJPEG || t == kAIFF || t == kMidi;
}
bool isWordTableType(uint32_t t) {
    return t == kMPEV || t == kOBCH || t == kSREF;
}
} // namespace

bool packStoreRecord(uint32_t type, int32_t id, std::vector<uint8_t>& d, std::string& reason) {
    if (isInvertedHeadType(type)) {
        if (d.size() <= kInvertedHead) {
            reason = "a " + packFourCCName(type) + " record must be longer than 64 bytes";
            return false;
        }
        for (size_t i = 0; i < kInvertedHead; ++i)
            d[i] = uint8_t(~d[i]);
    } else if (isWordTableType(type)) {
        if (d.size() % 2) {
            reason = "a 16-bit table must have an even size";
            return false;
        }
        swapWords(d, 0, d.size() / 2);
    } else if (type == kSTR) {
        if (d.size() > 255) {
            reason =
                "a text record holds at most 255 characters (this one has " + std::to_string(d.size()) + ")";
            return false;
        }
        d.insert(d.begin(), uint8_t(d.size()));
    } else if (type == kXmap && id >= 0 && id < 1000) {
        if (d.size() % kMapEntrySize) {
            reason = "an object list must be a whole number of 288-byte records";
            return false;
        }
        for (size_t e = 0; e < d.size(); e += kMapEntrySize)
            if (d[e + 32] > 254) {
                reason = "an object record text holds at most 254 characters";
                return false;
            }
        swapMapInfoEntries(d);
    } else if (type == kXmap && id >= 1000 && id < 2000) {
        if (d.size() % 2) {
            reason = "a map body must have an even size";
            return false;
        }
        swapWords(d, 0, d.size() / 2);
    } else if (type == kXmap && id >= 2000) {
        if (d.size() < 8) {
            reason = "a map header needs four 16-bit words";
            return false;
        }
        swapWords(d, 0, 4);
    }
    return true;
}

void packUnstoreRecord(uint32_t type, int32_t id, std::vector<uint8_t>& d) {
    if (isInvertedHeadType(type)) {
        for (size_t i = 0; i < kInvertedHead && i < d.size(); ++i)
            d[i] = uint8_t(~d[i]);
    } else if (isWordTableType(type)) {
        swapWords(d, 0, d.size() / 2);
    } else if (type == kSTR) {
        if (d.empty()) return;
        size_t len = d[0];
        if (len > d.size() - 1) len = d.size() - 1;
        d.erase(d.begin());
        d.resize(len);
    } else if (type == kXmap && id >= 0 && id < 1000) {
        swapMapInfoEntries(d);
    } else if (type == kXmap && id >= 1000 && id < 2000) {
        swapWords(d, 0, d.size() / 2);
    } else if (type == kXmap && id >= 2000) {
        swapWords(d, 0, 4);
    }
}

bool packReadFile(const std::string& path, std::vector<uint8_t>& out) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    out.clear();
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        out.insert(out.end(), buf, buf + n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool packWriteFileAtomic(const std::string& path, const std::vector<uint8_t>& data) {
    std::string tmp = path + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) return false;
    bool ok = data.empty() || std::fwrite(data.data(), 1, data.size(), f) == data.size();
    ok = (std::fclose(f) == 0) && ok;
    if (ok) ok = std::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(tmp.c_str());
    return ok;
}

// Header words 0..2 are not read by the game; they carry a tag, a format number and the
// offset of the data area so that a person with a hex viewer can find their way.
bool packWriteContainer(const std::string& path, const std::vector<PackRecord>& records,
                        std::string& reason) {
    std::map<std::pair<uint32_t, int32_t>, bool> seen;
    for (const PackRecord& r : records) {
        if (seen[{r.type, r.id}]) {
            reason = "record " + packFourCCName(r.type) + " " + std::to_string(r.id) + " appears twice";
            return false;
        }
        seen[{r.type, r.id}] = true;
    }
    const size_t indexEnd = 16 + 16 * records.size();
    std::vector<uint8_t> out(indexEnd, 0);
    packPutBE32(out, 0, packFourCC("FHrc"));
    packPutBE32(out, 4, 1);
    packPutBE32(out, 8, uint32_t(indexEnd));
    packPutBE32(out, 12, uint32_t(records.size()));
    size_t offset = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        const PackRecord& r = records[i];
        size_t at = 16 + 16 * i;
        packPutBE32(out, at, r.type);
        packPutBE32(out, at + 4, uint32_t(r.id));
        packPutBE32(out, at + 8, uint32_t(offset));
        packPutBE32(out, at + 12, uint32_t(r.data.size()));
        out.insert(out.end(), r.data.begin(), r.data.end());
        offset += r.data.size();
        // Keep every record 4-byte aligned so that the loader's 16- and 32-bit views of
        // the data stay aligned.
        while (offset % 4) {
            out.push_back(0);
            ++offset;
        }
    }
    if (out.size() > 0x7FFFFFFF) {
        reason = "container larger than 2 GB";
        return false;
    }
    if (!packWriteFileAtomic(path, out)) {
        reason = "cannot write the container";
        return false;
    }
    return true;
}

bool packReadContainer(const std::string& path, std::vector<PackRecord>& records, std::string& reason) {
    std::vector<uint8_t> file;
    if (!packReadFile(path, file)) {
        reason = "cannot read the file";
        return false;
    }
    records.clear();
    if (file.size() < 16) {
        reason = "shorter than a container header";
        return false;
    }
    int32_t n = int32_t(packGetBE32(&file[12]));
    if (n <= 0) return true;
    if (uint64_t(n) * 16 + 16 > file.size()) {
        reason = "index runs past the end of the file";
        return false;
    }
    const uint64_t dataArea = 16 + uint64_t(n) * 16;
    for (int32_t i = 0; i < n; ++i) {
        const uint8_t* e = &file[16 + 16 * size_t(i)];
        PackRecord r;
        r.type = packGetBE32(e);
        r.id = int32_t(packGetBE32(e + 4));
        uint64_t off = packGetBE32(e + 8), size = packGetBE32(e + 12);
        if (dataArea + off + size > file.size()) {
            reason = "record " + std::to_string(i) + " runs past the end of the file";
            return false;
        }
        r.data.assign(file.begin() + long(dataArea + off), file.begin() + long(dataArea + off + size));
        records.push_back(std::move(r));
    }
    return true;
}

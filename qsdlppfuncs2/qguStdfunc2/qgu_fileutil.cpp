// Resource containers and the process-wide registry, and 'STR#' string lists.
#include "qgu_fileutil.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "qgu_endianfillter.h"

namespace {

QGU_LoadedFile loadedFiles[QGU_MAX_LOADED_FILES];
int loadedCount = 0;  // next loaded-file entry to use, wraps at 64
QGU_ResourceSlot slots[QGU_MAX_RESOURCE_SLOTS];
int slotEnd = 0;  // slots in use, wraps at 256
int logVariant = QGU_RSRCLOG_GAME;

struct RsrcLogLines {
    const char* openOk;
    const char* readErr;
    const char* readOk;
};
const RsrcLogLines kLogLines[2] = {
    {"Rsrc file Open Succeed. ( %s )\n", "Resource Load Error. ( %s )\n",
     "Resource data load succeed. ( %d ) byte\n"},
    {"Rsrc file load Succeed. ( %s )\n", "Resource Read Error. ( %s )\n",
     "Resource data read succeed. ( %d ) byte\n"},
};

const RsrcLogLines& logLines() { return kLogLines[logVariant == QGU_RSRCLOG_SETTINGS ? 1 : 0]; }

// Index entry i of a container whose header is already in host order.
struct IndexEntry {
    uint32_t type;
    int32_t id;
    int32_t offset;
    int32_t size;
};

IndexEntry* indexOf(void* buffer) {
    return reinterpret_cast<IndexEntry*>(static_cast<uint8_t*>(buffer) + QGU_CONTAINER_HEADER);
}

int32_t hostCount(void* buffer) {
    int32_t n;
    std::memcpy(&n, static_cast<uint8_t*>(buffer) + 12, 4);
    return n;
}

// Converts the count, the index and every record to host order, once per load.
void convertContainer(void* buffer) {
    uint8_t* b = static_cast<uint8_t*>(buffer);
    const int32_t n = int32_t(qgu_readBE32(b + 12));
    std::memcpy(b + 12, &n, 4);
    if (n <= 0) return;
    uint8_t* area = b + QGU_CONTAINER_HEADER + int64_t(n) * QGU_INDEX_ENTRY;
    IndexEntry* idx = indexOf(buffer);
    for (int32_t i = 0; i < n; ++i) {
        uint8_t* raw = reinterpret_cast<uint8_t*>(&idx[i]);
        IndexEntry e;
        e.type = qgu_readBE32(raw);
        e.id = int32_t(qgu_readBE32(raw + 4));
        e.offset = int32_t(qgu_readBE32(raw + 8));
        e.size = int32_t(qgu_readBE32(raw + 12));
        std::memcpy(raw, &e, sizeof e);
        qgu_endianfillter(area + e.offset, e.type, e.id, e.size);
    }
}

void registerRecords(void* buffer, int32_t containerID) {
    const int32_t n = hostCount(buffer);
    if (n <= 0) return;
    uint8_t* area = static_cast<uint8_t*>(buffer) + QGU_CONTAINER_HEADER + int64_t(n) * QGU_INDEX_ENTRY;
    const IndexEntry* idx = indexOf(buffer);
    for (int32_t i = 0; i < n; ++i) {
        IndexEntry e;
        std::memcpy(&e, &idx[i], sizeof e);
        int target = -1;
        int emptied = -1;
        for (int s = 0; s < slotEnd; ++s) {
            if (slots[s].data == nullptr) {
                if (emptied < 0) emptied = s;
                continue;
            }
            if (slots[s].id == e.id &&
                (slots[s].type == e.type || uint32_t(slots[s].type + e.type) == QGU_RES::PICTURE_PAIR_SUM)) {
                target = s;
                break;
            }
        }
        // A slot emptied by a purge is taken before the table grows, so switching
        // between map groups with different record sets never runs the table full.
        if (target < 0) target = emptied;
        if (target < 0 && slotEnd < QGU_MAX_RESOURCE_SLOTS) target = slotEnd++;
        if (target < 0) {
            // Every slot holds a live record: the new one is refused rather than
            // overwriting a record loaded earlier (start-up texts, pictures, playlists).
            std::printf("Resource table is full. ( resID:%d )\n", int(e.id));
            continue;
        }
        QGU_ResourceSlot& s = slots[target];
        s.type = e.type;
        s.id = e.id;
        s.size = e.size;
        s.containerID = containerID;
        s.data = area + e.offset;
    }
}

const QGU_ResourceSlot* findSlot(QGU_ResType type, int id) {
    for (int s = 0; s < slotEnd; ++s)
        if (slots[s].type == type && slots[s].id == id) return &slots[s];
    return nullptr;
}

}  // namespace

void qgu_setRsrcLogVariant(int variant) { logVariant = variant; }

int32_t qgu_containerID(const char* path) {
    if (path == nullptr || path[0] == '\0') return 0;
    uint32_t sum = 0;
    for (const char* p = path + 1; *p; ++p) sum += uint32_t(int32_t(int8_t(*p)));
    return int32_t(sum);
}

bool qgu_containerIsValid(const void* buffer, int64_t size) {
    if (buffer == nullptr || size < QGU_CONTAINER_HEADER) return false;
    const uint8_t* b = static_cast<const uint8_t*>(buffer);
    const int32_t n = int32_t(qgu_readBE32(b + 12));
    if (n <= 0) return true;  // an empty container
    const int64_t areaStart = QGU_CONTAINER_HEADER + int64_t(n) * QGU_INDEX_ENTRY;
    if (areaStart > size) return false;
    for (int32_t i = 0; i < n; ++i) {
        const uint8_t* e = b + QGU_CONTAINER_HEADER + int64_t(i) * QGU_INDEX_ENTRY;
        const int64_t off = int32_t(qgu_readBE32(e + 8));
        const int64_t len = int32_t(qgu_readBE32(e + 12));
        if (off < 0 || len < 0 || areaStart + off + len > size) return false;
    }
    return true;
}

void* qgu_loadResource(const char* path) {
    if (path == nullptr) path = "";
    const int32_t cid = qgu_containerID(path);
    for (int i = 0; i < QGU_MAX_LOADED_FILES; ++i) {
        if (loadedFiles[i].buffer != nullptr && loadedFiles[i].containerID == cid) {
            std::printf("The resource file was still read. ( %s )\n", path);
            registerRecords(loadedFiles[i].buffer, cid);
            return loadedFiles[i].buffer;
        }
    }
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr) {
        std::printf("Rsrc open Error. ( %s )\n", path);
        return nullptr;
    }
    std::printf(logLines().openOk, path);
    const int64_t len = qgu_fileLength(f);
    void* buf = len >= 0 ? std::malloc(size_t(len) + 1) : nullptr;
    if (buf == nullptr || std::fread(buf, 1, size_t(len), f) != size_t(len) ||
        !qgu_containerIsValid(buf, len)) {
        // Unreadable, or a count, offset or size pointing outside the file: the whole
        // container is refused and nothing of it is registered.
        std::printf(logLines().readErr, path);
        std::free(buf);
        std::fclose(f);
        return nullptr;
    }
    std::fclose(f);
    // A zero after the last byte: a string record that lost its own terminator (an empty
    // 'STR ', or one overlapped by another record) still ends inside the buffer.
    static_cast<uint8_t*>(buf)[len] = 0;
    std::printf(logLines().readOk, int(len));
    // The entry at the count, or the next entry freed by a purge: map groups are opened
    // and purged all through a run, and overwriting would lose track of the containers
    // loaded at start.
    int at = -1;
    for (int i = 0; i < QGU_MAX_LOADED_FILES && at < 0; ++i) {
        const int next = (loadedCount + i) % QGU_MAX_LOADED_FILES;
        if (loadedFiles[next].buffer == nullptr) at = next;
    }
    if (at < 0) {
        // Every entry holds a container in use. Pushing one out would leave its buffer
        // untracked while records still point into it, so the new file is refused.
        std::printf("Resource file table is full. ( %s )\n", path);
        std::free(buf);
        return nullptr;
    }
    QGU_LoadedFile& lf = loadedFiles[at];
    lf.containerID = cid;
    lf.buffer = buf;
    lf.size = len;
    loadedCount = (at + 1) % QGU_MAX_LOADED_FILES;
    convertContainer(buf);
    registerRecords(buf, cid);
    return buf;
}

int qgu_purgeResource(void* buffer) {
    if (buffer == nullptr) return 1;
    bool tracked = false;
    for (int i = 0; i < QGU_MAX_LOADED_FILES; ++i) {
        if (loadedFiles[i].buffer == buffer) {
            tracked = true;
            // Records inside the freed buffer are emptied in place (their slots keep
            // their positions), so a late look-up finds nothing instead of freed memory.
            const uint8_t* lo = static_cast<const uint8_t*>(buffer);
            const uint8_t* hi = lo + loadedFiles[i].size;
            for (QGU_ResourceSlot& s : slots) {
                const uint8_t* d = static_cast<const uint8_t*>(s.data);
                if (d != nullptr && d >= lo && d <= hi) s = QGU_ResourceSlot{0, 0, nullptr, 0, 0};
            }
            loadedFiles[i].containerID = 0;
            loadedFiles[i].size = 0;
            // Forget the pointer too, so a later load can never hand out freed memory.
            loadedFiles[i].buffer = nullptr;
        }
    }
    // Only buffers this table handed out are freed: an unknown pointer (one purged
    // before, or not a container) is left alone instead of being freed twice.
    if (!tracked) {
        std::printf("Purge of an unknown resource buffer ignored.\n");
        return 0;
    }
    std::free(buffer);
    return 1;
}

int64_t qgu_resourceHeapSize(void* buffer) {
    int64_t sum = 0;
    for (int i = 0; i < QGU_MAX_LOADED_FILES; ++i) {
        if (buffer == nullptr) {
            sum += loadedFiles[i].size;
        } else if (loadedFiles[i].buffer == buffer) {
            return loadedFiles[i].size;
        }
    }
    return sum;
}

void* qgu_getResourceRef(QGU_ResType type, int id) {
    const QGU_ResourceSlot* s = findSlot(type, id);
    return s ? s->data : nullptr;
}

QGU_ResourceSlot* qgu_getResourceInfo(QGU_ResType type, int id) {
    return const_cast<QGU_ResourceSlot*>(findSlot(type, id));
}

void* qgu_getPicturePtr(int id) {
    for (int s = 0; s < slotEnd; ++s)
        if (slots[s].id == id && (slots[s].type == QGU_RES::PNGf || slots[s].type == QGU_RES::JPEG))
            return slots[s].data;
    return nullptr;
}

int64_t qgu_getResourceSize(const void* data) {
    int64_t size = 0;
    if (data == nullptr) return 0;
    for (int s = 0; s < QGU_MAX_RESOURCE_SLOTS; ++s)
        if (slots[s].data == data) size = slots[s].size;
    return size;
}

int qgu_getResourceIDinfo(QGU_ResType type, int* ids) {
    int n = 0;
    for (int s = 0; s < QGU_MAX_RESOURCE_SLOTS; ++s)
        if (slots[s].data != nullptr && slots[s].type == type) ids[n++] = slots[s].id;
    ids[n] = -1;
    return n;
}

// 'STR#': a 16-bit big-endian count, then that many Pascal strings. Every step is
// checked against the record size, so a damaged list yields "" instead of a read past it.
int qgu_copyIdxStrPtr(char* dest, int id, int index) {
    if (dest == nullptr) return 0;
    dest[0] = '\0';
    const QGU_ResourceSlot* s = findSlot(QGU_RES::STRn, id);
    if (s == nullptr || s->data == nullptr || s->size < 2) return 0;
    const uint8_t* p = static_cast<const uint8_t*>(s->data);
    const int count = qgu_readBE16(p);
    if (index < 1 || index > count) return 0;
    int64_t pos = 2;
    for (int i = 1; i < index; ++i) {
        if (pos >= s->size) return 0;
        pos += 1 + p[pos];
    }
    if (pos >= s->size) return 0;
    const int len = p[pos];
    if (pos + 1 + len > s->size) return 0;
    std::memcpy(dest, p + pos + 1, size_t(len));
    dest[len] = '\0';
    return len;
}

unsigned char* qgu_getIdxPascalStrPtr(int id) {
    const QGU_ResourceSlot* s = findSlot(QGU_RES::STRn, id);
    if (s == nullptr || s->data == nullptr || s->size < 2) return nullptr;
    return static_cast<unsigned char*>(s->data) + 2;
}

const QGU_ResourceSlot* qgu_resourceSlots() { return slots; }
int qgu_resourceSlotEnd() { return slotEnd; }
const QGU_LoadedFile* qgu_loadedFiles() { return loadedFiles; }
int qgu_loadedFileCount() { return loadedCount; }

void qgu_resetResourceRegistry() {
    for (int i = 0; i < QGU_MAX_LOADED_FILES; ++i) {
        std::free(loadedFiles[i].buffer);
        loadedFiles[i] = QGU_LoadedFile{0, nullptr, 0};
    }
    for (int s = 0; s < QGU_MAX_RESOURCE_SLOTS; ++s) slots[s] = QGU_ResourceSlot{0, 0, nullptr, 0, 0};
    loadedCount = 0;
    slotEnd = 0;
}

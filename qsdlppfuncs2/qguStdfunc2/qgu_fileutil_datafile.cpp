// Data-file blocks: a whole file in one heap block that remembers its name and size.
// Every save goes to a temporary file in the same folder that is renamed over the old
// file only when all bytes were written.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/stat.h>

#include "qgu_fileutil.h"

namespace {

struct BlockHead {
    char name[QGU_DATAFILE_NAME];
    int64_t size;
};
static_assert(sizeof(BlockHead) == QGU_DATAFILE_HEAD, "data-file block head is 264 bytes");

BlockHead* headOf(const void* data) {
    return reinterpret_cast<BlockHead*>(static_cast<uint8_t*>(const_cast<void*>(data)) - QGU_DATAFILE_HEAD);
}

void* newBlock(int64_t size) {
    if (size < 0) return nullptr;
    void* mem = std::calloc(1, size_t(QGU_DATAFILE_HEAD + size));
    return mem ? static_cast<uint8_t*>(mem) + QGU_DATAFILE_HEAD : nullptr;
}

void setHead(void* data, const char* name, int64_t size) {
    BlockHead* h = headOf(data);
    std::memset(h->name, 0, sizeof h->name);
    if (name) std::strncpy(h->name, name, QGU_DATAFILE_NAME - 1);
    h->size = size;
}

const char* safeName(const char* name) { return name ? name : ""; }

// Streams bytes into a temporary file beside the target, then renames it over the
// target. Open failure leaves everything untouched; any later failure removes the
// temporary file, so the old file is never replaced by a partial one.
class AtomicWriter {
public:
    explicit AtomicWriter(const char* name) : target_(safeName(name)) {
        if (target_.empty()) return;
        tmp_ = target_ + ".tmp~";
        f_ = std::fopen(tmp_.c_str(), "wb");
    }
    ~AtomicWriter() {
        if (f_) {
            std::fclose(f_);
            std::remove(tmp_.c_str());
        }
    }
    bool opened() const { return f_ != nullptr; }
    bool write(const void* p, size_t n) {
        if (n == 0) return ok_;
        if (std::fwrite(p, 1, n, f_) != n) ok_ = false;
        return ok_;
    }
    bool putByte(int c) {
        if (std::fputc(c, f_) == EOF) ok_ = false;
        return ok_;
    }
    // Flushes to the disk, closes and moves the file over the target; true when the
    // target now holds exactly the written bytes. The bytes reach the disk before the
    // new name does, so a crash never leaves the target empty or half-written.
    bool commit() {
        const QGU_FileOps& ops = qgu_fileOps();
        const bool synced = ok_ && ops.sync(f_);
        const bool closed = std::fclose(f_) == 0;
        f_ = nullptr;
        if (!synced || !closed || !ops.replace(tmp_.c_str(), target_.c_str())) {
            std::remove(tmp_.c_str());
            return false;
        }
        return true;
    }

private:
    std::string target_;
    std::string tmp_;
    FILE* f_ = nullptr;
    bool ok_ = true;
};

// Writes `size` zero bytes (when buffer is null) or the buffer, with the create lines.
int createFile(const void* buffer, int64_t size, const char* name) {
    std::printf("size: ( %d )\n", int(size));
    AtomicWriter w(name);
    if (!w.opened()) {
        std::printf("Open Error. ( %s )\n", safeName(name));
        return 0;
    }
    bool ok = true;
    if (buffer) {
        ok = size <= 0 || w.write(buffer, size_t(size));
    } else {
        static const char zeros[4096] = {};
        for (int64_t left = size; ok && left > 0; left -= int64_t(sizeof zeros))
            ok = w.write(zeros, size_t(left < int64_t(sizeof zeros) ? left : int64_t(sizeof zeros)));
    }
    if (!ok || !w.commit()) {
        std::printf("Create Error. ( %s )\n", safeName(name));
        return 0;
    }
    std::printf("Create New File %d byte Succeed. ( %s )\n", int(size), safeName(name));
    return 1;
}

// Reads up to `limit` bytes (the whole file when limit < 0) into a new block whose
// recorded size is the file length (limit < 0) or `limit`. With `refuseLonger`, a file
// longer than `limit` is not read at all. *state and *length report what was found.
void* openBlock(const char* name, int64_t limit, bool refuseLonger = false, int* state = nullptr,
                int64_t* length = nullptr) {
    int dummyState;
    int64_t dummyLength;
    if (state == nullptr) state = &dummyState;
    if (length == nullptr) length = &dummyLength;
    *length = -1;
    errno = 0;
    FILE* f = name ? std::fopen(name, "rb") : nullptr;
    if (f == nullptr) {
        // Only a file that is not there counts as missing; any other failure (no
        // permission, an I/O error) means a file exists that must not be replaced.
        *state = (name == nullptr || errno == ENOENT || errno == ENOTDIR) ? QGU_FILE_MISSING
                                                                         : QGU_FILE_UNREADABLE;
        std::printf("Open Error. ( %s )\r\n", safeName(name));
        return nullptr;
    }
    const int64_t len = qgu_fileLength(f);
    *length = len;
    if (refuseLonger && len > limit) {
        std::fclose(f);
        *state = QGU_FILE_TOO_LONG;
        std::printf("Read Error. ( %s )\n", safeName(name));
        return nullptr;
    }
    if (refuseLonger) limit = len;  // the block is exactly the file
    const int64_t blockSize = limit < 0 ? int64_t(len) : limit;
    const int64_t want = limit < 0 ? int64_t(len) : (int64_t(len) < limit ? int64_t(len) : limit);
    void* data = len >= 0 ? newBlock(blockSize) : nullptr;
    size_t got = 0;
    if (data) got = want > 0 ? std::fread(data, 1, size_t(want), f) : 0;
    std::fclose(f);
    if (data == nullptr || int64_t(got) != want) {
        *state = QGU_FILE_UNREADABLE;
        std::printf("Read Error. ( %s )\n", safeName(name));
        if (data) PurgeDataFilePtr(data);
        return nullptr;
    }
    *state = QGU_FILE_READ;
    setHead(data, name, blockSize);
    std::printf("Read %d byte Succeed. ( %s )\n", int(got), safeName(name));
    return data;
}

}  // namespace

void* NewDataFilePtrByName(int64_t size, const char* name) {
    void* data = newBlock(size);
    if (data == nullptr) {
        std::printf("size: ( %d )\n", int(size));
        std::printf("Create Error. ( %s )\n", safeName(name));
        return nullptr;
    }
    // The name and size are recorded only when the file really exists at that size;
    // otherwise a later save fails with the open error instead of writing elsewhere.
    if (createFile(nullptr, size, name)) setHead(data, name, size);
    return data;
}

int SavePtrForNewFile(const void* buffer, int64_t size, const char* name) {
    if (buffer == nullptr && size > 0) {
        std::printf("size: ( %d )\n", int(size));
        std::printf("Create Error. ( %s )\n", safeName(name));
        return 0;
    }
    return createFile(buffer ? buffer : "", size, name);
}

void* OpenDataFilePtrByName(const char* name) { return openBlock(name, -1); }

void* OpenDataFilePtrByNameWithSize(const char* name, int64_t size) {
    return openBlock(name, size < 0 ? 0 : size);
}

void* qgu_openDataFileBounded(const char* name, int64_t maxSize, int* state, int64_t* length) {
    return openBlock(name, maxSize < 0 ? 0 : maxSize, true, state, length);
}

int SaveDataFilePtr(void* data) {
    if (data == nullptr) {
        std::printf("Open Error. ( %s )\n", "");
        return 0;
    }
    const BlockHead* h = headOf(data);
    AtomicWriter w(h->name);
    if (!w.opened()) {
        std::printf("Open Error. ( %s )\n", h->name);
        return 0;
    }
    if (!w.write(data, size_t(h->size)) || !w.commit()) {
        std::printf("Write Error. ( %s )\n", h->name);
        return 0;
    }
    std::printf("Write %d byte Succeed. ( %s )\n", int(h->size), h->name);
    return 1;
}

int SaveTextFilePtr(void* text) {
    if (text == nullptr) {
        std::printf("Open Error. ( %s )\n", "");
        return 0;
    }
    const BlockHead* h = headOf(text);
    AtomicWriter w(h->name);
    if (!w.opened()) {
        std::printf("Open Error. ( %s )\n", h->name);
        return 0;
    }
    // Texts are built with sprintf, so a shown percent sign is carried as "%%".
    const char* t = static_cast<const char*>(text);
    int written = 0;
    for (int64_t i = 0; i < h->size && t[i] != '\0'; ++i) {
        if (t[i] == '%' && i + 1 < h->size && t[i + 1] == '%') ++i;
        w.putByte(static_cast<unsigned char>(t[i]));
        ++written;
    }
    if (!w.commit()) {
        std::printf("Write Error. ( %s )\n", h->name);
        return 0;
    }
    std::printf("Write %d byte Succeed. ( %s )\n", written, h->name);
    return 1;
}

int OverWriteDataFilePtrByName(const char* name, const void* buffer, int64_t size) {
    AtomicWriter w(name);
    if (!w.opened()) {
        std::printf("Open Error. ( %s )\n", safeName(name));
        return 0;
    }
    if ((size > 0 && (buffer == nullptr || !w.write(buffer, size_t(size)))) || !w.commit()) {
        std::printf("Write Error. ( %s )\n", safeName(name));
        return 0;
    }
    std::printf("Overwrite %d byte succeed. ( %s )\n", int(size), safeName(name));
    return 1;
}

int64_t OverLoadDataFilePtrByName(const char* name, void* buffer, int64_t size) {
    FILE* f = name ? std::fopen(name, "rb") : nullptr;
    if (f == nullptr) {
        std::printf("Open Error. ( %s )\n", safeName(name));
        return 0;
    }
    if (size <= 0) size = qgu_fileLength(f);
    size_t got = 0;
    if (size > 0 && buffer) got = std::fread(buffer, 1, size_t(size), f);
    std::fclose(f);
    if (size < 0 || int64_t(got) != size) {
        // A short read returns what really arrived, never the requested count.
        std::printf("Read Error. ( %s )\n", safeName(name));
        return int64_t(got);
    }
    std::printf("Overload %d byte succeed. ( %s )\n", int(size), safeName(name));
    return size;
}

int PurgeDataFilePtr(void* data) {
    if (data == nullptr) return 0;
    std::free(headOf(data));
    return 1;
}

int64_t GetPtrSize(const void* data) { return data ? headOf(data)->size : 0; }

const char* GetPtrFileName(const void* data) { return data ? headOf(data)->name : ""; }

int qgu_writeFileAtomic(const char* name, const void* buffer, int64_t size) {
    AtomicWriter w(name);
    if (!w.opened()) return 0;
    if ((size > 0 && (buffer == nullptr || !w.write(buffer, size_t(size)))) || !w.commit()) return -1;
    return 1;
}

int64_t qgu_fileLength(FILE* f) {
    struct stat st;
    if (f == nullptr || fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    std::rewind(f);
    return int64_t(st.st_size);
}

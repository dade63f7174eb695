// Resource containers, the process-wide resource registry, string lists, data-file
// blocks and the 16-bit run-length compressor.
//
// A container is one big-endian file: 12 unused header bytes, a record count at byte
// 12, an index of 16-byte entries {type, id, offset, size} from byte 16, then the data
// area. Loading converts every record to host order (qgu_endianfillter) and registers
// it so that any module finds it by four-letter type and number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Four-letter record types, compared as 32-bit big-endian values ('PNGf' = 0x504E4766).
typedef uint32_t QGU_ResType;

constexpr QGU_ResType qgu_fourcc(const char (&s)[5]) {
    return (QGU_ResType(uint8_t(s[0])) << 24) | (QGU_ResType(uint8_t(s[1])) << 16) |
           (QGU_ResType(uint8_t(s[2])) << 8) | QGU_ResType(uint8_t(s[3]));
}

namespace QGU_RES {
constexpr QGU_ResType PNGf = qgu_fourcc("PNGf");
constexpr QGU_ResType JPEG = qgu_fourcc("JPEG");
constexpr QGU_ResType AIFF = qgu_fourcc("AIFF");
constexpr QGU_ResType Midi = qgu_fourcc("Midi");
constexpr QGU_ResType MPEV = qgu_fourcc("MPEV");
constexpr QGU_ResType OBCH = qgu_fourcc("OBCH");
constexpr QGU_ResType SREF = qgu_fourcc("SREF");
constexpr QGU_ResType STR_ = qgu_fourcc("STR ");
constexpr QGU_ResType STRn = qgu_fourcc("STR#");
constexpr QGU_ResType Xmap = qgu_fourcc("Xmap");
// 'PNGf' + 'JPEG' (32-bit sum): a picture of one kind replaces the other with the same id.
constexpr uint32_t PICTURE_PAIR_SUM = 0x9A9E8CADu;
}  // namespace QGU_RES

enum {
    QGU_MAX_LOADED_FILES = 64,     // loaded-container table; a load finding it full is refused
    QGU_MAX_RESOURCE_SLOTS = 256,  // record slots; emptied slots are reused, never live ones
    QGU_CONTAINER_HEADER = 16,     // bytes before the index
    QGU_INDEX_ENTRY = 16,          // bytes per index entry
    QGU_STRID_IDS_MAX = 257,       // entries a qgu_getResourceIDinfo caller must provide
};

// One registered record.
struct QGU_ResourceSlot {
    QGU_ResType type;
    int32_t id;
    void* data;           // the record's data inside its container buffer (host order)
    int64_t size;         // data size in bytes
    int32_t containerID;  // id of the container the record came from
};

// One loaded container file.
struct QGU_LoadedFile {
    int32_t containerID;
    void* buffer;
    int64_t size;
};

// Log lines of the container loader differ between the game and the settings tool;
// the settings tool selects its own wording once at start.
enum QGU_RsrcLogVariant { QGU_RSRCLOG_GAME = 0, QGU_RSRCLOG_SETTINGS = 1 };
void qgu_setRsrcLogVariant(int variant);

// ---- Registry -------------------------------------------------------------------
// Container id: sum of the path's bytes from the second character on, each taken as a
// signed 8-bit value (0 for an empty path).
int32_t qgu_containerID(const char* path);

// Loads (or finds already loaded) a container and registers its records. Returns the
// container buffer, or null (a damaged container is refused whole: nothing registered).
void* qgu_loadResource(const char* path);
// Frees a container buffer, clears its loaded-file entry and empties the record slots
// that pointed into it (later registrations reuse them). Returns 1; 0 for a buffer the
// table does not hold (nothing is freed).
int qgu_purgeResource(void* buffer);
// Size of the container with this buffer, or the sum of all sizes for null.
int64_t qgu_resourceHeapSize(void* buffer);

void* qgu_getResourceRef(QGU_ResType type, int id);
QGU_ResourceSlot* qgu_getResourceInfo(QGU_ResType type, int id);
void* qgu_getPicturePtr(int id);  // 'PNGf' or 'JPEG'
int64_t qgu_getResourceSize(const void* data);
// Writes the ids of every slot of this type, then -1; `ids` must hold 257 entries.
int qgu_getResourceIDinfo(QGU_ResType type, int* ids);

// String lists ('STR#'): copies string `index` (1-based) of list `id` to dest with a
// terminator and returns its length; unknown lists and indexes give "" and 0.
int qgu_copyIdxStrPtr(char* dest, int id, int index);
// Address of the list's first Pascal string (just after the 16-bit count), or null.
unsigned char* qgu_getIdxPascalStrPtr(int id);

// Pure validation of a container image (no registry involved): true when the count,
// every offset and every size lie inside `size` bytes. Used by the loader and by tools.
bool qgu_containerIsValid(const void* buffer, int64_t size);

// Read-only views of the registry tables (inspection, tests).
const QGU_ResourceSlot* qgu_resourceSlots();  // QGU_MAX_RESOURCE_SLOTS entries
int qgu_resourceSlotEnd();                      // end position of the used slots
const QGU_LoadedFile* qgu_loadedFiles();        // QGU_MAX_LOADED_FILES entries
int qgu_loadedFileCount();
// Forgets every loaded file and record (buffers are freed). Tests only.
void qgu_resetResourceRegistry();

// ---- Data-file blocks -------------------------------------------------------------
// A block is 264 + size bytes: file name (256 bytes), data size (64-bit), data. Callers
// hold the data pointer. Saves go to a temporary file in the same folder that is then
// renamed over the old one, so a failed save never leaves a half-written file.
enum { QGU_DATAFILE_NAME = 256, QGU_DATAFILE_HEAD = 264 };

void* NewDataFilePtrByName(int64_t size, const char* name);
int SavePtrForNewFile(const void* buffer, int64_t size, const char* name);
void* OpenDataFilePtrByName(const char* name);
void* OpenDataFilePtrByNameWithSize(const char* name, int64_t size);
int SaveDataFilePtr(void* data);
int SaveTextFilePtr(void* text);
int OverWriteDataFilePtrByName(const char* name, const void* buffer, int64_t size);
int64_t OverLoadDataFilePtrByName(const char* name, void* buffer, int64_t size);
int PurgeDataFilePtr(void* data);
int64_t GetPtrSize(const void* data);
// The file name recorded in a block ("" for null).
const char* GetPtrFileName(const void* data);

// Writes `size` bytes to `name` through a temporary file renamed over it. Returns 1 when
// every byte was written and the rename succeeded, 0 when the temporary file could not
// be opened, -1 when writing or renaming failed (the old file is then left untouched).
int qgu_writeFileAtomic(const char* name, const void* buffer, int64_t size);

// Length of an open regular file (position rewound to the start), or -1 for anything
// else (folders, devices, failures).
int64_t qgu_fileLength(FILE* f);

// What a bounded open found (qgu_openDataFileBounded).
enum QGU_FileState {
    QGU_FILE_READ = 0,        // read whole; the block holds the file
    QGU_FILE_MISSING = 1,     // no file of that name
    QGU_FILE_UNREADABLE = 2,  // the file exists but could not be opened or read whole
    QGU_FILE_TOO_LONG = 3,    // longer than the caller's limit; nothing was read
};
// Opens a data file of at most `maxSize` bytes into a new block (recorded size = the
// file's length). A longer file is not read at all, so a stray huge file never reaches
// memory. *state tells why nothing came back; *length (may be null) gets the file
// length when known, else -1. Prints the open-data-file log lines.
void* qgu_openDataFileBounded(const char* name, int64_t maxSize, int* state, int64_t* length);

// The platform steps of a safe save (qgu_fileutil_platform.cpp): `sync` flushes an open
// file and pushes its bytes to the disk, `replace` moves a finished temporary file over
// the target (replacing it where the system's plain rename would refuse). Both return
// true on success. Every save calls sync, then closes, then replace.
struct QGU_FileOps {
    bool (*sync)(FILE* f);
    bool (*replace)(const char* from, const char* to);
};
const QGU_FileOps& qgu_fileOps();
// Swaps the operations (tests record and fail them); null restores the system's own.
// Returns the previous ones.
QGU_FileOps qgu_setFileOps(const QGU_FileOps* ops);

// ---- 16-bit run-length compression (pure functions on buffers) --------------------
// Literal words are < 0x8000; (v | 0x8000, C) with C != 0 repeats v C + 1 times;
// (0x8000 | any, 0) ends the stream.
unsigned qgu_compressMem16(const uint16_t* src, uint16_t* dst, unsigned words);
unsigned qgu_testCompressRate16(const uint16_t* src, unsigned words);
// Words written when the end marker was reached, or 111 when `limit` words were written
// (or limit is 0).
unsigned qgu_decompressMem16(const uint16_t* src, uint16_t* dst, unsigned limit);
// Bounded decoder for untrusted input: also stops at the end of the source (srcWords).
// Returns as qgu_decompressMem16; a stream that runs out before its end marker returns
// the words written so far with *truncated set.
unsigned qgu_decompressMem16Safe(const uint16_t* src, unsigned srcWords, uint16_t* dst,
                                 unsigned limit, bool* truncated);

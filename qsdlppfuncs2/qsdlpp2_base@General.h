// Thin classes over the resource registry, the data-file blocks and the compressor.
#pragma once

#include <cstdint>

#include "qgu_fileutil.h"

// Holds one container buffer; purges it when destroyed.
class QSDLpp_ResourceMgrCls {
public:
    QSDLpp_ResourceMgrCls();
    ~QSDLpp_ResourceMgrCls();
    QSDLpp_ResourceMgrCls(const QSDLpp_ResourceMgrCls&) = delete;
    QSDLpp_ResourceMgrCls& operator=(const QSDLpp_ResourceMgrCls&) = delete;

    bool load(const char* path);     // loads and keeps the buffer; true when not null
    bool exist() const;              // holds a buffer
    void* current(const char* path); // loads without keeping
    void* getRef(QGU_ResType type, int id);
    void* getPicRef(int id);
    int64_t resSize(QGU_ResType type, int id);

protected:
    void* rsrcBuffer;
};

// A file name and one data-file block. The destructor forgets the block without
// freeing it (its holder decides; PrefHandler derives from this class).
class QSDLpp_FileMgrCls {
public:
    QSDLpp_FileMgrCls();
    ~QSDLpp_FileMgrCls();

    bool create(const char* name, int64_t size);  // new zero-filled data file
    bool load(const char* name);                  // opens a data file
    int save();                                   // writes the block back, 1/0
    void* getRef();                               // data pointer (null when none)
    bool exist() const;
    bool loadFileToPtr(const char* name, void* buffer, int64_t size);
    bool saveFileFromPtr(const char* name, const void* buffer, int64_t size);

protected:
    char fileName[256];
    void* dataPtr;
};

// No state: the three compression operations.
class QSDLpp_Compress {
public:
    unsigned compressMem16(const uint16_t* src, uint16_t* dst, unsigned words);
    unsigned testCompressRate16(const uint16_t* src, unsigned words);
    unsigned decompressMem16(const uint16_t* src, uint16_t* dst, unsigned limit);
};

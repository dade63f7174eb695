// Thin classes over the registry, data-file blocks and the compressor.
#include "qsdlpp2_base@General.h"

#include <cstring>

QSDLpp_ResourceMgrCls::QSDLpp_ResourceMgrCls() : rsrcBuffer(nullptr) {}

QSDLpp_ResourceMgrCls::~QSDLpp_ResourceMgrCls() {
    if (rsrcBuffer) qgu_purgeResource(rsrcBuffer);
}

bool QSDLpp_ResourceMgrCls::load(const char* path) {
    rsrcBuffer = qgu_loadResource(path);
    return rsrcBuffer != nullptr;
}

bool QSDLpp_ResourceMgrCls::exist() const { return rsrcBuffer != nullptr; }

void* QSDLpp_ResourceMgrCls::current(const char* path) { return qgu_loadResource(path); }

void* QSDLpp_ResourceMgrCls::getRef(QGU_ResType type, int id) { return qgu_getResourceRef(type, id); }

void* QSDLpp_ResourceMgrCls::getPicRef(int id) { return qgu_getPicturePtr(id); }

int64_t QSDLpp_ResourceMgrCls::resSize(QGU_ResType type, int id) {
    return qgu_getResourceSize(qgu_getResourceRef(type, id));
}

QSDLpp_FileMgrCls::QSDLpp_FileMgrCls() : dataPtr(nullptr) { std::memset(fileName, 0, sizeof fileName); }

// The block belongs to whoever holds the data pointer; it is not freed here.
QSDLpp_FileMgrCls::~QSDLpp_FileMgrCls() {}

bool QSDLpp_FileMgrCls::create(const char* name, int64_t size) {
    std::memset(fileName, 0, sizeof fileName);
    if (name) std::strncpy(fileName, name, sizeof fileName - 1);
    dataPtr = NewDataFilePtrByName(size, fileName);
    return dataPtr != nullptr;
}

bool QSDLpp_FileMgrCls::load(const char* name) {
    std::memset(fileName, 0, sizeof fileName);
    if (name) std::strncpy(fileName, name, sizeof fileName - 1);
    dataPtr = OpenDataFilePtrByName(fileName);
    return dataPtr != nullptr;
}

int QSDLpp_FileMgrCls::save() { return SaveDataFilePtr(dataPtr); }

void* QSDLpp_FileMgrCls::getRef() { return dataPtr; }

bool QSDLpp_FileMgrCls::exist() const { return dataPtr != nullptr; }

bool QSDLpp_FileMgrCls::loadFileToPtr(const char* name, void* buffer, int64_t size) {
    return OverLoadDataFilePtrByName(name, buffer, size) != 0;
}

bool QSDLpp_FileMgrCls::saveFileFromPtr(const char* name, const void* buffer, int64_t size) {
    return OverWriteDataFilePtrByName(name, buffer, size) != 0;
}

unsigned QSDLpp_Compress::compressMem16(const uint16_t* src, uint16_t* dst, unsigned words) {
    return qgu_compressMem16(src, dst, words);
}

unsigned QSDLpp_Compress::testCompressRate16(const uint16_t* src, unsigned words) {
    return qgu_testCompressRate16(src, words);
}

unsigned QSDLpp_Compress::decompressMem16(const uint16_t* src, uint16_t* dst, unsigned limit) {
    return qgu_decompressMem16(src, dst, limit);
}

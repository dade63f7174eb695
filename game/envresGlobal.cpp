// Accessors of the static game tables. No bounds checks: callers pass valid indexes.
#include "envresGlobal.h"

#include <cstring>

const char* vrndx_getArtFileNamePtr(int group) { return MapFilename[group]; }

void vrndx_cpyArtFileName(char* dst, int group) { std::strcpy(dst, MapFilename[group]); }

const char* vrndx_getConstMsgPtr(int n) { return ConstMsg[n]; }

const int32_t* vrndx_getStageRefPtr(int chapter, int section) {
    return stageInfoResGlb[chapter][section];
}

const int32_t* vrndx_getMapInfoPtr(int group, int entry) { return mapinfoResGlb[group][entry]; }

const int32_t* vrndx_objAttributeRefPtr(int kind) { return objAttributeResGlb[kind]; }

static bool listHas(const int16_t* list, int count, int value) {
    for (int i = 0; i < count; ++i)
        if (list[i] == value) return true;
    return false;
}

bool vrndx_mapInfoIsPlaceholder(int group, int entry) {
    return listHas(mapInfoNotDesignedYet, mapInfoNotDesignedCount, group * 16 + entry);
}

bool vrndx_objAttributeIsPlaceholder(int kind) {
    return listHas(objAttributeNotDesignedYet, objAttributeNotDesignedCount, kind);
}

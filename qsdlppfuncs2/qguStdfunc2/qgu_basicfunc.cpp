// Ticks, number/date/time strings and small text-file helpers.
#include "qgu_basicfunc.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "qgu_fileutil.h"

uint32_t TickCount() { return SDL_GetTicks() / 17; }

void WaitTickCount(uint32_t /*ticks*/) {}

void SysBeep(int /*n*/) { std::puts("#---- BEEP_BEEP! ----"); }

void NumtoStr(char* dest, int value, int digits) {
    if (digits > 10) digits = 10;  // a 32-bit value has at most ten digits
    unsigned v = value < 0 ? 0u - unsigned(value) : unsigned(value);
    int n = digits > 0 ? digits : 0;
    dest[n] = '\0';
    for (int i = n - 1; i >= 0; --i) {
        dest[i] = char('0' + v % 10);
        v /= 10;
    }
}

void NumToStrAppend(char* dest, int value, int digits) { NumtoStr(dest + std::strlen(dest), value, digits); }

void NumToString(int value, char* dest) { std::sprintf(dest, "%d", value); }

void TimeToStr(char* dest, int seconds) {
    std::sprintf(dest, "%2d:%2d:%2d", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

namespace {
bool dateOf(time_t t, int& yy, int& mm, int& dd) {
    struct tm tmv;
    if (localtime_r(&t, &tmv) == nullptr) return false;
    yy = tmv.tm_year % 100;
    mm = tmv.tm_mon + 1;
    dd = tmv.tm_mday;
    return true;
}
}  // namespace

void NowDateStr(char* dest) {
    int yy = 99, mm = 13, dd = 31;
    dateOf(time(nullptr), yy, mm, dd);
    std::sprintf(dest, "%2d/%2d/%2d", yy, mm, dd);
}

void GetDateStrJp(char* dest, time_t t) {
    int yy, mm, dd;
    if (!dateOf(t, yy, mm, dd)) {
        std::strcpy(dest, "Date error.");
        return;
    }
    std::sprintf(dest, "%2d/%2d/%2d", yy, mm, dd);
}

void TimeToDateStr(char* dest, time_t t) {
    int yy = 99, mm = 13, dd = 31;
    if (!dateOf(t, yy, mm, dd)) {
        yy = 99;
        mm = 13;
        dd = 31;
    }
    std::sprintf(dest, "%2d/%2d/%2d", yy, mm, dd);
}

int32_t Time32(int32_t* out) {
    const int32_t t = int32_t(uint32_t(uint64_t(time(nullptr))));
    if (out) *out = t;
    return t;
}

int textSavePtr(const char* path, const void* buffer, int64_t size) {
    const char* name = path ? path : "";
    const int r = qgu_writeFileAtomic(name, buffer, size);
    if (r == 0) {
        std::printf("Open Error. ( %s )\r\n", name);
        return 0;
    }
    if (r < 0) {
        std::printf("Create Error. ( %s )\r\n", name);
        return 0;
    }
    std::printf("Create New File %d byte Succeed. ( %s )\r\n", int(size), name);
    return 1;
}

int getTextByLine(const char* path, char* buffer) {
    FILE* f = path ? std::fopen(path, "r") : nullptr;
    if (f == nullptr) {
        std::fprintf(stderr, "%s Text read error.\r\n", path ? path : "");
        return -1;
    }
    int n = 0;
    // The read that finds line 1,001 still lands in slot 1,001 before the loop stops.
    while (std::fgets(buffer + n * QGU_TEXTLINE_SLOT, QGU_TEXTLINE_SLOT, f) != nullptr) {
        if (n >= QGU_TEXTLINE_MAX) break;
        std::printf("%s", buffer + n * QGU_TEXTLINE_SLOT);
        ++n;
    }
    std::fclose(f);
    return n;
}

int transUniKanaTo1Bkana(char* text) {
    if (text == nullptr) return 0;
    unsigned char* t = reinterpret_cast<unsigned char*>(text);
    int in = 0, out = 0;
    while (in < 256 && t[in] != 0) {
        if (t[in] == 0xEF && in + 2 < 256 && t[in + 1] >= 0xBC && t[in + 2] != 0) {
            const unsigned char third = t[in + 2];
            t[out++] = third > 0x9F ? third : static_cast<unsigned char>(third + 0x40);
            in += 3;
        } else {
            t[out++] = t[in++];
        }
    }
    // Anything past the converted part moves up behind it, terminator included.
    if (out != in) std::memmove(t + out, t + in, std::strlen(text + in) + 1);
    return int(std::strlen(text));
}

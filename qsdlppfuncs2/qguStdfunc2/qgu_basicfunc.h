// Ticks, number/date/time strings and small text-file helpers.
#pragma once

#include <cstdint>
#include <ctime>

enum {
    QGU_TEXTLINE_SLOT = 256,    // bytes per line slot of getTextByLine
    QGU_TEXTLINE_MAX = 1000,    // lines read at most
    QGU_TEXTLINE_SLOTS = 1001,  // slots the caller's buffer must hold
};

uint32_t TickCount();  // SDL milliseconds since start / 17
void WaitTickCount(uint32_t ticks);  // does nothing
void SysBeep(int n);   // prints "#---- BEEP_BEEP! ----"

void NumtoStr(char* dest, int value, int digits);        // zero-padded, lowest digits
void NumToStrAppend(char* dest, int value, int digits);  // same, appended
void NumToString(int value, char* dest);                 // "%d"
void TimeToStr(char* dest, int seconds);                 // "%2d:%2d:%2d"

void NowDateStr(char* dest);                  // "%2d/%2d/%2d" yy/mm/dd, local time
void GetDateStrJp(char* dest, time_t time);   // same, or "Date error."
void TimeToDateStr(char* dest, time_t time);  // same, or "99/13/31"
int32_t Time32(int32_t* out);                 // current time, low 32 bits (also returned)

// Creates or truncates `path` and writes `size` bytes (through a temporary file).
// Returns 1 on success, 0 on failure.
int textSavePtr(const char* path, const void* buffer, int64_t size);
// Reads lines into 256-byte slots (buffer must hold 1,001). Returns lines read, 0 for an
// empty file, -1 when the file cannot be opened.
int getTextByLine(const char* path, char* buffer);
// Half-width katakana in UTF-8 (EF BC..BF xx) to single bytes, in place, within the
// first 256 bytes. Returns the new length.
int transUniKanaTo1Bkana(char* text);

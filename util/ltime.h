// File times as one number: the 100-nanosecond intervals since 1601 (UTC)
// that a FILETIME holds in two halves, so that times compare and subtract.
#ifndef JOTWELL_UTIL_LTIME_H
#define JOTWELL_UTIL_LTIME_H

#include <windows.h>

typedef unsigned long long LTime;

const LTime LTIME_SECOND = 10000000;

inline LTime LTimeOf(const FILETIME& ft) {
    return ((LTime)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
}

inline LTime LTimeNow() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return LTimeOf(ft);
}

#endif

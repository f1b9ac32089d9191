// Loading a library that comes with the system from the system folder only.
#ifndef JOTWELL_UTIL_LSYSTEMLIBRARY_H
#define JOTWELL_UTIL_LSYSTEMLIBRARY_H

#include <windows.h>

// Loads name ("riched20.dll") from the system folder, never from the
// program's folder, the current folder or the path, where anyone who can
// drop a file would be loaded into the program. Null when it cannot.
HMODULE LoadSystemLibrary(const char* name);

#endif

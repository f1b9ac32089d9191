#include "util/lsystemlibrary.h"

#include "util/lfile.h"

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

HMODULE LoadSystemLibrary(const char* name) {
    // Where the system knows the flag, the library's own imports are looked
    // up in the system folder too; older systems refuse the flag.
    HMODULE module = LoadLibraryExA(name, NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module)
        return module;
    char path[LFILE_PATH];
    UINT length = GetSystemDirectoryA(path, LFILE_PATH);
    if (length == 0 || length >= (UINT)LFILE_PATH)
        return NULL;
    LFile::FilePathCat(path, name);
    return LoadLibraryA(path);
}

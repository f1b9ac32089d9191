#include "notebook/notepath.h"

#include <string.h>

#include "util/lfile.h"

bool NotePath(const char* folder, const char* name, char* path) {
    strncpy(path, folder, LFILE_PATH_MAX_CHARS);
    path[LFILE_PATH_MAX_CHARS] = '\0';
    if (LFile::FilePathCatExt(path, name, ".txt"))
        return true;
    path[0] = '\0';
    return false;
}

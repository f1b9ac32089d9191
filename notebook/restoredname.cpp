#include "notebook/restoredname.h"

#include <stdio.h>
#include <string.h>

#include "util/lfile.h"
#include "util/textencoding.h"

bool RestoredNoteName(const char* folder, const char* name, int attempt, char* out) {
    char suffix[32] = "";
    if (attempt == 1)
        strcpy(suffix, " (restored)");
    else if (attempt > 1)
        snprintf(suffix, sizeof suffix, " (restored %d)", attempt);
    // folder + "\" + name + suffix + ".txt" within the limit.
    long room = (long)LFILE_PATH_MAX_CHARS - (long)strlen(folder) - 1 - (long)strlen(suffix) - 4;
    if (room < 1)
        return false;
    size_t keep = Utf8Fit(name, (size_t)room);
    if (keep == 0)
        return false;
    memcpy(out, name, keep);
    strcpy(out + keep, suffix);
    return true;
}

#include "notebook/conflictname.h"

#include <stdio.h>
#include <string.h>

#include "util/lfile.h"

bool ConflictNoteName(const char* folder, const char* title, const NoteStamp& stamp, int attempt,
                      char* name) {
    char suffix[80];
    int n = snprintf(suffix, sizeof suffix, " (changed by another user %04d-%02d-%02d %02d-%02d",
                     stamp.year, stamp.month, stamp.day, stamp.hour, stamp.minute);
    if (attempt > 1)
        n += snprintf(suffix + n, sizeof suffix - n, " %d", attempt);
    snprintf(suffix + n, sizeof suffix - n, ")");

    // folder + "\" + title + suffix + ".txt" must stay within the limit.
    long room = (long)LFILE_PATH_MAX_CHARS - (long)strlen(folder) - 1 - (long)strlen(suffix) - 4;
    if (room < 1)
        return false;
    size_t keep = strlen(title);
    if ((long)keep > room)
        keep = (size_t)room;
    memcpy(name, title, keep);
    strcpy(name + keep, suffix);
    return true;
}

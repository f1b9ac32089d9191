#include "notebook/historynames.h"

#include <stdio.h>
#include <string.h>

#include "util/lfile.h"
#include "util/textencoding.h"

namespace {

// The readable part and the key, "name 0123abcd".
void NameWithKey(const char* name, unsigned key, char* out) {
    size_t keep = Utf8Fit(name, HISTORY_NAME_BYTES);
    memcpy(out, name, keep);
    snprintf(out + keep, LFILE_PATH - keep, " %08x", key);
}

}  // namespace

unsigned HistoryKey(const char* text) {
    size_t n = strlen(text);
    while (n > 0 && LFile::IsSeparator(text[n - 1]))
        --n;
    unsigned hash = 2166136261u;  // FNV-1a
    for (size_t i = 0; i < n; ++i) {
        unsigned char c = (unsigned char)text[i];
        if (c >= 'A' && c <= 'Z')
            c = (unsigned char)(c - 'A' + 'a');
        else if (c == '/')
            c = '\\';
        hash = (hash ^ c) * 16777619u;
    }
    return hash;
}

void HistoryBookFolderName(const char* bookFolder, char* out) {
    char trimmed[LFILE_PATH];
    size_t n = strlen(bookFolder);
    if (n > (size_t)LFILE_PATH_MAX_CHARS)
        n = LFILE_PATH_MAX_CHARS;
    memcpy(trimmed, bookFolder, n);
    while (n > 0 && LFile::IsSeparator(trimmed[n - 1]))
        --n;
    trimmed[n] = '\0';
    char last[LFILE_PATH];
    LFile::_GetFileFromPath(last, trimmed);
    // "D:" alone names a drive, not a folder.
    if (!last[0] || strchr(last, ':'))
        strcpy(last, "Book");
    NameWithKey(last, HistoryKey(bookFolder), out);
}

void HistoryNoteFolderName(const char* noteName, char* out) {
    NameWithKey(noteName, HistoryKey(noteName), out);
}

void HistoryEntryName(const HistoryStamp& stamp, int attempt, const char* noteName, char* out) {
    int n = snprintf(out, LFILE_PATH, "%04d-%02d-%02d %02d-%02d-%02d", stamp.year, stamp.month,
                     stamp.day, stamp.hour, stamp.minute, stamp.second);
    if (attempt > 1)
        n += snprintf(out + n, LFILE_PATH - n, " %d", attempt);
    if (noteName && noteName[0]) {
        out[n++] = ' ';
        size_t keep = Utf8Fit(noteName, HISTORY_NAME_BYTES);
        memcpy(out + n, noteName, keep);
        out[n + keep] = '\0';
    }
}

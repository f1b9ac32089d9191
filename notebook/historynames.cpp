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

bool HistoryStampParse(const char* name, HistoryStamp* stamp) {
    // "YYYY-MM-DD HH-MM-SS": digits everywhere but at the separators.
    const char kShape[] = "0000-00-00 00-00-00";
    for (size_t i = 0; i < sizeof kShape - 1; ++i) {
        bool digit = name[i] >= '0' && name[i] <= '9';
        if (kShape[i] == '0' ? !digit : name[i] != kShape[i])
            return false;
    }
    auto number = [&](int at, int digits) {
        int n = 0;
        for (int i = 0; i < digits; ++i)
            n = n * 10 + (name[at + i] - '0');
        return n;
    };
    HistoryStamp s = {number(0, 4), number(5, 2), number(8, 2),
                      number(11, 2), number(14, 2), number(17, 2)};
    if (s.month < 1 || s.month > 12 || s.day < 1 || s.day > 31 || s.hour > 23 || s.minute > 59 ||
        s.second > 59)
        return false;
    *stamp = s;
    return true;
}

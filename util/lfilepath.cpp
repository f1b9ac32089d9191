// Path and file-name rules of LFile. Window-free: also compiled natively.
#include "util/lfile.h"

#include <string.h>

namespace {

// Appends the texts to dst, up to the path limit, after the separator rule.
void AppendComponent(char* dst, const char* const* parts, int count) {
    size_t n = strlen(dst);
    if (n >= (size_t)LFILE_PATH_MAX_CHARS)
        return;
    if (n > 0 && !LFile::IsSeparator(dst[n - 1]))
        dst[n++] = '\\';
    for (int i = 0; i < count; ++i)
        for (const char* p = parts[i]; *p && n < (size_t)LFILE_PATH_MAX_CHARS; ++p)
            dst[n++] = *p;
    dst[n] = '\0';
}

// Position of the last separator within the first 'limit' characters, or -1.
int LastSeparator(const char* path, int limit) {
    int last = -1;
    for (int i = 0; i < limit && path[i]; ++i)
        if (LFile::IsSeparator(path[i]))
            last = i;
    return last;
}

}  // namespace

namespace LFile {

void FilePathCat(char* dst, const char* part) {
    const char* parts[] = {part};
    AppendComponent(dst, parts, 1);
}

bool FilePathCatExt(char* dst, const char* name, const char* ext) {
    // A file name cut short loses its extension and with it its kind: a note
    // saved without ".txt" is never listed again. It fits whole or not at all.
    size_t n = strlen(dst);
    bool separator = n > 0 && !IsSeparator(dst[n - 1]);
    if (n + (separator ? 1 : 0) + strlen(name) + strlen(ext) > (size_t)LFILE_PATH_MAX_CHARS)
        return false;
    const char* parts[] = {name, ext};
    AppendComponent(dst, parts, 2);
    return true;
}

void _GetFolderFromPath(char* dst, const char* path) {
    int cut = LastSeparator(path, LFILE_PATH);
    if (cut <= 0) {
        dst[0] = '\0';
        return;
    }
    memmove(dst, path, (size_t)cut);
    dst[cut] = '\0';
}

void _GetFileFromPath(char* dst, const char* path) {
    const char* start = path;
    for (const char* p = path; *p; ++p)
        if (IsSeparator(*p))
            start = p + 1;
    size_t n = strlen(start);
    if (n > (size_t)LFILE_PATH_MAX_CHARS)
        n = LFILE_PATH_MAX_CHARS;
    memmove(dst, start, n);
    dst[n] = '\0';
}

void _GetFileTitleFromPath(char* dst, const char* path) {
    _GetFileFromPath(dst, path);
    char* dot = strrchr(dst, '.');
    if (dot && dot != dst)
        *dot = '\0';
}

bool MakeValidFileName(const char* src, char* dst) {
    static const char kDropped[] = "\"*./:<>?\\|";
    size_t n = 0;
    for (const char* p = src; *p; ++p) {
        if ((unsigned char)*p < 32 || strchr(kDropped, *p))
            continue;
        if (n < (size_t)LFILE_PATH_MAX_CHARS) {
            dst[n++] = *p;
            continue;
        }
        // Full: a character whose UTF-8 goes on here is left out whole.
        if (((unsigned char)*p & 0xC0) == 0x80) {
            while (n > 0 && ((unsigned char)dst[n - 1] & 0xC0) == 0x80)
                --n;
            if (n > 0)
                --n;
        }
        break;
    }
    dst[n] = '\0';
    return n > 0;
}

}  // namespace LFile

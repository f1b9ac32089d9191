// Whole-file text reading and writing, the folder picker and folder deletion.
#include "util/lfile.h"

#include <windows.h>
#include <shlobj.h>
#include <string.h>

namespace {

// Writes all bytes to an open handle; false on any short write.
bool WriteAll(HANDLE h, const void* data, size_t size) {
    const char* p = (const char*)data;
    while (size > 0) {
        DWORD chunk = size > 0x100000 ? 0x100000 : (DWORD)size;
        DWORD written = 0;
        if (!WriteFile(h, p, chunk, &written, NULL) || written != chunk)
            return false;
        p += chunk;
        size -= chunk;
    }
    return true;
}

bool WriteInPlace(const char* path, const void* data, size_t size) {
    HANDLE h = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool ok = WriteAll(h, data, size);
    if (!CloseHandle(h))
        ok = false;
    return ok;
}

// Creates a uniquely named temporary file beside path. Its name ends in
// ".tmp", so it is never listed as a note.
bool HeldByAnother(const char* path) {
    HANDLE h = CreateFileA(path, GENERIC_WRITE | DELETE, 0, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(h);
    return false;
}

bool MakeTempBeside(const char* path, char* tmp) {
    char folder[LFILE_PATH];
    LFile::_GetFolderFromPath(folder, path);
    if (!folder[0])
        strcpy(folder, ".");
    return GetTempFileNameA(folder, "~jw", 0, tmp) != 0;
}

}  // namespace

namespace LFile {

char* ReadTextFile(const char* path, size_t* pSize) {
    if (pSize)
        *pSize = 0;
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return NULL;
    DWORD size = GetFileSize(h, NULL);
    if (size == INVALID_FILE_SIZE)
        size = 0;
    if (size > LFILE_READ_LIMIT)
        size = LFILE_READ_LIMIT;
    char* text = NULL;
    if (size > 0) {
        text = new char[size + 1];
        DWORD got = 0;
        if (!ReadFile(h, text, size, &got, NULL))
            got = 0;
        text[got] = '\0';
        if (pSize)
            *pSize = got;
    }
    CloseHandle(h);
    return text;
}

bool WriteTextFile(const char* path, const char* text) {
    return WriteFileBytes(path, text, strlen(text));
}

bool WriteFileBytes(const char* path, const void* data, size_t size) {
    char tmp[MAX_PATH];
    if (!MakeTempBeside(path, tmp))
        return WriteInPlace(path, data, size);

    HANDLE h = CreateFileA(tmp, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) {
        DeleteFileA(tmp);
        return WriteInPlace(path, data, size);
    }
    bool ok = WriteAll(h, data, size) && FlushFileBuffers(h);
    if (!CloseHandle(h))
        ok = false;

    if (ok) {
        DWORD attributes = GetFileAttributesA(path);
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            // A target that another program holds open cannot be replaced;
            // finding out first keeps a failed replacement from leaving
            // anything behind in the folder.
            ok = !HeldByAnother(path) &&
                 ReplaceFileA(path, tmp, NULL, REPLACEFILE_IGNORE_MERGE_ERRORS, NULL, NULL);
            if (!ok && GetLastError() == ERROR_FILE_NOT_FOUND && !Exists(path))
                ok = MoveFileExA(tmp, path, 0);
            // The replacement keeps the target's attributes, also where the
            // system's replacement does not carry them over.
            if (ok && GetFileAttributesA(path) != attributes)
                SetFileAttributesA(path, attributes);
        } else {
            ok = MoveFileExA(tmp, path, 0);
        }
    }
    if (!ok)
        DeleteFileA(tmp);
    return ok;
}

bool GetLastWriteTime(const char* path, unsigned long long* time) {
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    FILETIME ft;
    bool ok = GetFileTime(h, NULL, NULL, &ft) != FALSE;
    CloseHandle(h);
    if (ok)
        *time = ((unsigned long long)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
    return ok;
}

bool Exists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool BrowseForFolder(char* dst, const char* title) {
    HRESULT hrInit = CoInitialize(NULL);
    char display[MAX_PATH] = "";
    BROWSEINFOA bi;
    memset(&bi, 0, sizeof(bi));
    bi.hwndOwner = GetActiveWindow();
    bi.pszDisplayName = display;
    bi.lpszTitle = title;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    LPITEMIDLIST pidl = SHBrowseForFolderA(&bi);
    bool ok = false;
    if (pidl) {
        char path[MAX_PATH] = "";
        ok = SHGetPathFromIDListA(pidl, path) && path[0];
        if (ok) {
            strncpy(dst, path, LFILE_PATH_MAX_CHARS);
            dst[LFILE_PATH_MAX_CHARS] = '\0';
        }
        IMalloc* pMalloc = NULL;
        if (SUCCEEDED(SHGetMalloc(&pMalloc)) && pMalloc) {
            pMalloc->Free(pidl);
            pMalloc->Release();
        }
    }
    if (SUCCEEDED(hrInit))
        CoUninitialize();
    return ok;
}

// DeleteFolderAndFiles lives in lfolder.cpp, beside the reparse-point rules.

}  // namespace LFile

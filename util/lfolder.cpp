// Reparse points, held folders and folder deletion.
#include "util/lfolder.h"

#include <windows.h>
#include <string.h>

#include "util/lfile.h"

namespace LFile {

bool IsReparsePoint(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool RemoveLink(const char* path) {
    if (!RemoveDirectoryA(path))
        DeleteFileA(path);
    return !Exists(path);
}

bool DeleteFolderAndFiles(const char* folder) {
    if (IsReparsePoint(folder))
        return RemoveLink(folder);
    LFolderHold hold;
    if (!hold.Hold(folder))
        return !Exists(folder);
    char pattern[LFILE_PATH];
    strncpy(pattern, folder, LFILE_PATH_MAX_CHARS);
    pattern[LFILE_PATH_MAX_CHARS] = '\0';
    FilePathCat(pattern, "*.*");
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA(pattern, &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            if (fd.cFileName[0] == '.')
                continue;
            char file[LFILE_PATH];
            strncpy(file, folder, LFILE_PATH_MAX_CHARS);
            file[LFILE_PATH_MAX_CHARS] = '\0';
            FilePathCat(file, fd.cFileName);
            // A link inside goes as a link; a real sub-folder is not entered.
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
                RemoveLink(file);
            else
                DeleteFileA(file);
        } while (FindNextFileA(hFind, &fd));
        FindClose(hFind);
    }
    hold.Release();
    RemoveDirectoryA(folder);
    return GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace LFile

LFolderHold::LFolderHold() : hFolder(INVALID_HANDLE_VALUE) {}

LFolderHold::~LFolderHold() {
    Release();
}

bool LFolderHold::Hold(const char* path) {
    Release();
    // Without FILE_SHARE_DELETE nobody can rename or remove the folder while
    // it is open; checked after opening, the name cannot change meanwhile.
    HANDLE h = CreateFileA(path, FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                           NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    DWORD attributes = GetFileAttributesA(path);
    if (!GetFileInformationByHandle(h, &info) ||
        !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        CloseHandle(h);
        return false;
    }
    hFolder = h;
    return true;
}

void LFolderHold::Release() {
    if (hFolder != INVALID_HANDLE_VALUE)
        CloseHandle((HANDLE)hFolder);
    hFolder = INVALID_HANDLE_VALUE;
}

bool LFolderHold::IsHeld() const {
    return hFolder != INVALID_HANDLE_VALUE;
}

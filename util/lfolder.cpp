// Reparse points, held folders and folder deletion.
#include "util/lfolder.h"

#include <windows.h>
#include <winternl.h>
#include <string.h>

#include "util/lfile.h"
#include "util/lowned.h"
#include "util/lwide.h"

namespace LFile {

bool IsReparsePoint(const char* path) {
    DWORD attributes = GetFileAttributesU(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool RemoveLink(const char* path) {
    if (!RemoveDirectoryU(path))
        DeleteFileU(path);
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
    LFindData fd;
    LFindHandle hFind(FindFirstFileU(pattern, &fd));
    if (hFind.IsOpen()) {
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
                DeleteFileU(file);
        } while (FindNextFileU(hFind.Get(), &fd));
    }
    hold.Release();
    RemoveDirectoryU(folder);
    return GetFileAttributesU(folder) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace LFile

namespace {

// A name that cannot lead out of the folder it is opened in, nor into a
// stream of another file.
bool IsBareFileName(const char* name) {
    if (!name[0] || strstr(name, ".."))
        return false;
    for (const char* c = name; *c; ++c)
        if (LFile::IsSeparator(*c) || *c == ':')
            return false;
    return true;
}

}  // namespace

LFolderHold::LFolderHold() : hFolder(INVALID_HANDLE_VALUE) {}

LFolderHold::~LFolderHold() {
    Release();
}

bool LFolderHold::Hold(const char* path) {
    Release();
    // Without FILE_SHARE_DELETE nobody can rename or remove the folder while
    // it is open; checked after opening, the name cannot change meanwhile.
    // Traverse access lets files in it be opened relative to the handle.
    LHandle h(CreateFileU(path, FILE_LIST_DIRECTORY | FILE_TRAVERSE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                          FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, NULL));
    if (!h.IsOpen())
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    DWORD attributes = GetFileAttributesU(path);
    if (!GetFileInformationByHandle(h.Get(), &info) ||
        !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    hFolder = h.Release();
    return true;
}

void LFolderHold::Release() {
    if (hFolder != INVALID_HANDLE_VALUE)
        CloseHandle(hFolder);
    hFolder = INVALID_HANDLE_VALUE;
}

bool LFolderHold::IsHeld() const {
    return hFolder != INVALID_HANDLE_VALUE;
}

HANDLE LFolderHold::CreateFileIn(const char* name, DWORD access, SECURITY_ATTRIBUTES* sa) {
    return OpenIn(name, access, sa, 0, FILE_CREATE);
}

HANDLE LFolderHold::OpenFileIn(const char* name, DWORD access) {
    return OpenIn(name, access, NULL, FILE_SHARE_READ, FILE_OPEN);
}

// The system's own open call, which alone takes a folder handle as the
// starting point of the name.
HANDLE LFolderHold::OpenIn(const char* name, DWORD access, SECURITY_ATTRIBUTES* sa, DWORD share,
                           DWORD disposition) {
    WCHAR wide[LFILE_PATH];
    if (!IsHeld() || !IsBareFileName(name) ||
        !MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name, -1, wide, LFILE_PATH)) {
        SetLastError(ERROR_INVALID_NAME);
        return INVALID_HANDLE_VALUE;
    }
    UNICODE_STRING ntName;
    RtlInitUnicodeString(&ntName, wide);
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &ntName,
                               OBJ_CASE_INSENSITIVE | (sa && sa->bInheritHandle ? OBJ_INHERIT : 0),
                               hFolder, sa ? sa->lpSecurityDescriptor : NULL);
    IO_STATUS_BLOCK io;
    HANDLE file = INVALID_HANDLE_VALUE;
    // Synchronous, as CreateFileA makes it; a link at the name is the file.
    NTSTATUS status = NtCreateFile(
        &file, access | SYNCHRONIZE | FILE_READ_ATTRIBUTES, &attributes, &io, NULL,
        FILE_ATTRIBUTE_NORMAL, share, disposition,
        FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_REPARSE_POINT, NULL, 0);
    if (!NT_SUCCESS(status)) {
        SetLastError(RtlNtStatusToDosError(status));
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

bool LFolderHold::DeleteOpenFile(HANDLE file) {
    FILE_DISPOSITION_INFORMATION disposition = {TRUE};
    IO_STATUS_BLOCK io;
    NTSTATUS status = NtSetInformationFile(file, &io, &disposition, sizeof disposition,
                                           FileDispositionInformation);
    if (!NT_SUCCESS(status))
        SetLastError(RtlNtStatusToDosError(status));
    return NT_SUCCESS(status);
}

// Whole-file text reading and writing, the folder picker and folder deletion.
#include "util/lfile.h"

#include <windows.h>
#include <aclapi.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>
#include "util/lowned.h"
#include "util/ltime.h"
#include "util/lwide.h"

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

// Temporary files of saves are named "~js" + 4 hex digits + ".tmp" beside
// the file they replace. The ".tmp" keeps them out of the note listing; the
// prefix differs from the "~jw" temporary files of earlier versions, which
// replaced in several steps and may hold the only copy of a note.
const char kTempPrefix[] = "~js";
const char kTempPattern[] = "~js????.tmp";
const size_t kTempNameLength = 11;

// A temporary file older than this is taken for one left by a save that was
// cut off; a save in progress, here or on another computer, is much younger
// and holds its file open.
const unsigned long long kStaleTempAge = 60ull * 10000000ull;  // one minute

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsSaveTempName(const char* name) {
    if (strlen(name) != kTempNameLength || _strnicmp(name, kTempPrefix, 3) != 0 ||
        _stricmp(name + 7, ".tmp") != 0)
        return false;
    for (int i = 3; i < 7; ++i)
        if (!IsHexDigit(name[i]))
            return false;
    return true;
}

// Removes the temporary files of cut-off saves in folder. One that is still
// open (being written) cannot be deleted and stays. Deleting one whose save
// has finished writing only makes that save's rename fail, which leaves its
// target whole and is reported as a failed save.
void RemoveStaleTemps(const char* folder) {
    char pattern[LFILE_PATH];
    lstrcpynA(pattern, folder, LFILE_PATH);
    LFile::FilePathCat(pattern, kTempPattern);
    LFindData fd;
    LFindHandle find(FindFirstFileU(pattern, &fd));
    if (!find.IsOpen())
        return;
    LTime now = LTimeNow();
    do {
        unsigned long long written = LTimeOf(fd.ftLastWriteTime);
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !IsSaveTempName(fd.cFileName) ||
            written + kStaleTempAge > now)
            continue;
        char path[LFILE_PATH];
        lstrcpynA(path, folder, LFILE_PATH);
        LFile::FilePathCat(path, fd.cFileName);
        DeleteFileU(path);
    } while (FindNextFileU(find.Get(), &fd));
}

// What a replacement takes over from the file it replaces: its creation
// time and its access rights, which an owner may have narrowed to a few
// people. Either may be missing (no target, rights that cannot be read, a
// system that keeps none); the save goes on without it.
struct TargetTraits {
    bool hasCreation;
    FILETIME created;
    PACL dacl;
    PSECURITY_DESCRIPTOR descriptor;
    bool protectedDacl;
};

void ReadTargetTraits(const char* path, TargetTraits* traits) {
    ZeroMemory(traits, sizeof *traits);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExU(path, GetFileExInfoStandard, &data))
        return;
    traits->hasCreation = true;
    traits->created = data.ftCreationTime;
    if (GetNamedSecurityInfoW(LWide(path), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, NULL, NULL,
                              &traits->dacl, NULL, &traits->descriptor) != ERROR_SUCCESS) {
        traits->dacl = NULL;
        traits->descriptor = NULL;
        return;
    }
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    traits->protectedDacl = GetSecurityDescriptorControl(traits->descriptor, &control, &revision) &&
                            (control & SE_DACL_PROTECTED);
}

// Rights go on by name, once the file is closed: the temporary file was
// opened for writing only. Inherited entries are worked out afresh from the
// folder, as for any file made in it.
void ApplyTargetRights(const char* tmp, const TargetTraits& traits) {
    if (!traits.dacl)
        return;
    SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION |
                                (traits.protectedDacl ? PROTECTED_DACL_SECURITY_INFORMATION
                                                      : UNPROTECTED_DACL_SECURITY_INFORMATION);
    SetNamedSecurityInfoW(LWide(tmp), SE_FILE_OBJECT, what, NULL, NULL, traits.dacl, NULL);
}

}  // namespace

namespace LFile {

void* OpenForReading(const char* path) {
    return CreateFileU(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
}

LBuffer ReadTextFile(const char* path, size_t* pSize) {
    if (pSize)
        *pSize = 0;
    LHandle h(OpenForReading(path));
    if (!h.IsOpen())
        return NULL;
    DWORD size = GetFileSize(h.Get(), NULL);
    if (size == INVALID_FILE_SIZE)
        size = 0;
    if (size > LFILE_READ_LIMIT)
        size = LFILE_READ_LIMIT;
    if (size == 0)
        return NULL;
    LBuffer text(new char[size + 1]);
    DWORD got = 0;
    if (!ReadFile(h.Get(), text.get(), size, &got, NULL))
        got = 0;
    text[got] = '\0';
    if (pSize)
        *pSize = got;
    return text;
}

bool WriteTextFile(const char* path, const char* text) {
    return WriteFileBytes(path, text, strlen(text));
}

bool WriteFileBytes(const char* path, const void* data, size_t size) {
    char tmp[LFILE_PATH];
    return WriteTempBeside(path, data, size, tmp) && ReplaceByTemp(tmp, path);
}

void* CreateTempBeside(const char* path, char* tmp) {
    char folder[LFILE_PATH];
    LFile::_GetFolderFromPath(folder, path);
    // A temporary name cut short would be no temporary name at all.
    if (strlen(folder) + 1 + kTempNameLength > (size_t)LFILE_PATH_MAX_CHARS)
        return INVALID_HANDLE_VALUE;
    unsigned start = (GetTickCount() ^ (GetCurrentProcessId() << 8)) & 0xFFFF;
    for (unsigned i = 0; i < 0x10000; ++i) {
        char name[16];
        snprintf(name, sizeof name, "%s%04x.tmp", kTempPrefix, (start + i) & 0xFFFF);
        lstrcpynA(tmp, folder, LFILE_PATH);
        LFile::FilePathCat(tmp, name);
        HANDLE h = CreateFileU(tmp, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
        DWORD error = GetLastError();
        if (h != INVALID_HANDLE_VALUE ||
            (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS))
            return h;
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteTempBeside(const char* path, const void* data, size_t size, char* tmp,
                     unsigned long long* time) {
    char folder[LFILE_PATH];
    _GetFolderFromPath(folder, path);
    RemoveStaleTemps(folder[0] ? folder : ".");

    TargetTraits traits;
    ReadTargetTraits(path, &traits);
    HANDLE h = CreateTempBeside(path, tmp);
    bool ok = h != INVALID_HANDLE_VALUE;
    if (ok) {
        if (traits.hasCreation)
            SetFileTime(h, &traits.created, NULL, NULL);
        // On the disk before the rename, so that the rename never puts a
        // file whose content is still on its way in the note's place.
        ok = WriteAll(h, data, size) && FlushFileBuffers(h);
        if (!CloseHandle(h))
            ok = false;
        if (ok)
            ApplyTargetRights(tmp, traits);
        // Read from the temporary file, which nobody else knows: a rename
        // keeps it, so it is the time of exactly these bytes.
        if (ok && time)
            ok = GetLastWriteTime(tmp, time);
        if (!ok)
            DeleteFileU(tmp);  // the target was not touched
    }
    if (traits.descriptor)
        LocalFree(traits.descriptor);
    return ok;
}

bool ReplaceByTemp(const char* tmp, const char* path) {
    // One rename replaces the target: there is no moment without a note. A
    // target that another program holds open refuses it and stays as it was.
    DWORD attributes = GetFileAttributesU(path);
    if (MoveFileExU(tmp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (attributes != INVALID_FILE_ATTRIBUTES && GetFileAttributesU(path) != attributes)
            SetFileAttributesU(path, attributes);
        return true;
    }
    if (LFile::Exists(path)) {
        DeleteFileU(tmp);  // the target is whole
        return false;
    }
    // No target (it was never there, or someone removed it meanwhile): the
    // temporary file may be the only copy of the text, so it takes the
    // target's place, and stays where it is if even that fails.
    return MoveFileExU(tmp, path, MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool RenameFile(const char* from, const char* to) {
    if (!MoveFileU(from, to))
        return false;
    char wanted[LFILE_PATH];
    _GetFileFromPath(wanted, to);
    LFindData fd;
    if (!LFindHandle(FindFirstFileU(to, &fd)).IsOpen())
        return false;
    if (strcmp(fd.cFileName, wanted) == 0)
        return true;
    // Some file systems (Wine's mapping to Linux among them) keep the old
    // letter case when the name changes in case only; a detour by another
    // name gives it the new one. That name is not a save's, so no clean-up
    // ever takes it for a leftover.
    char detour[LFILE_PATH];
    _GetFolderFromPath(detour, to);
    const char kDetour[] = "~jrename.tmp";
    if (strlen(detour) + 1 + strlen(kDetour) > (size_t)LFILE_PATH_MAX_CHARS)
        return true;  // renamed all the same, in the old letter case
    FilePathCat(detour, kDetour);
    if (!MoveFileU(to, detour))
        return true;
    if (MoveFileU(detour, to))
        return true;
    MoveFileU(detour, from);
    return false;
}

bool GetLastWriteTime(const char* path, unsigned long long* time) {
    LHandle h(OpenForReading(path));
    FILETIME ft;
    if (!h.IsOpen() || !GetFileTime(h.Get(), NULL, NULL, &ft))
        return false;
    *time = LTimeOf(ft);
    return true;
}

bool Exists(const char* path) {
    return GetFileAttributesU(path) != INVALID_FILE_ATTRIBUTES;
}

bool BrowseForFolder(char* dst, const char* title) {
    HRESULT hrInit = CoInitialize(NULL);
    WCHAR display[MAX_PATH] = L"";
    LWide wideTitle(title);
    BROWSEINFOW bi;
    memset(&bi, 0, sizeof(bi));
    bi.hwndOwner = GetActiveWindow();
    bi.pszDisplayName = display;
    bi.lpszTitle = wideTitle;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    LPITEMIDLIST pidl = SHBrowseForFolderW(&bi);
    bool ok = false;
    if (pidl) {
        // A folder whose name does not fit is no choice: cut, it would be
        // another folder.
        WCHAR path[MAX_PATH] = L"";
        ok = SHGetPathFromIDListW(pidl, path) && path[0] && LNarrowTo(path, dst, LFILE_PATH);
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

// Texts inside the program are UTF-8, so that a note or a folder may be
// named in any language; the system's W functions take UTF-16. These are
// the conversions at that border, and the calls the program makes with such
// texts: each takes the same arguments as the A function of its name, with
// UTF-8 where that takes the system code page.
#ifndef JOTWELL_UTIL_LWIDE_H
#define JOTWELL_UTIL_LWIDE_H

#include <windows.h>

#include <string>

#include "util/lfile.h"

// The UTF-16 of a UTF-8 text, for the length of one call.
class LWide {
public:
    explicit LWide(const char* utf8);
    // Null for a null text, as the A functions take it for optional texts.
    operator WCHAR*() const { return pszText; }

private:
    std::wstring strText;
    WCHAR* pszText;
};

// UTF-8 of count UTF-16 units (-1: up to the terminating zero).
std::string LNarrow(const WCHAR* wide, int count = -1);
// The same into out of size bytes, cut before a character that does not fit.
// Returns false when it was cut.
bool LNarrowTo(const WCHAR* wide, char* out, size_t size);

// The text in the system's code page into out of size bytes; false when a
// character has no form there (a best fit does not count) or it does not fit.
bool LCodePageOf(const char* utf8, char* out, size_t size);

// Whether two names or paths are the same to the file system, whatever the
// letter case.
bool LSameName(const char* a, const char* b);

// A directory entry, its name in UTF-8.
struct LFindData {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    char cFileName[LFILE_PATH];
    bool bWhole;  // the name fitted in cFileName
};

HANDLE CreateFileU(const char* path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* sa,
                   DWORD disposition, DWORD flags, HANDLE templateFile);
BOOL DeleteFileU(const char* path);
BOOL MoveFileU(const char* from, const char* to);
BOOL MoveFileExU(const char* from, const char* to, DWORD flags);
BOOL CopyFileU(const char* from, const char* to, BOOL failIfExists);
BOOL CreateDirectoryU(const char* path, SECURITY_ATTRIBUTES* sa);
BOOL RemoveDirectoryU(const char* path);
DWORD GetFileAttributesU(const char* path);
BOOL GetFileAttributesExU(const char* path, GET_FILEEX_INFO_LEVELS level, void* data);
BOOL SetFileAttributesU(const char* path, DWORD attributes);
HANDLE FindFirstFileU(const char* pattern, LFindData* data);
BOOL FindNextFileU(HANDLE find, LFindData* data);

int MessageBoxU(HWND owner, const char* text, const char* caption, UINT type);
BOOL SetWindowTextU(HWND window, const char* text);
BOOL SetDlgItemTextU(HWND dialog, int id, const char* text);
// Into out of size bytes, cut before a character that does not fit.
int GetWindowTextU(HWND window, char* out, int size);
UINT GetDlgItemTextU(HWND dialog, int id, char* out, int size);
HINSTANCE ShellExecuteU(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* folder, int show);

DWORD GetModuleFileNameU(HMODULE module, char* out, DWORD size);
DWORD GetTempPathU(DWORD size, char* out);

#endif

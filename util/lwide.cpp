#include "util/lwide.h"

#include <shellapi.h>
#include <string.h>

LWide::LWide(const char* utf8) : pszText(NULL) {
    if (!utf8)
        return;
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, NULL, 0);
    strText.assign(units > 0 ? units : 1, L'\0');
    if (units > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &strText[0], units);
    pszText = &strText[0];
}

std::string LNarrow(const WCHAR* wide, int count) {
    int size = WideCharToMultiByte(CP_UTF8, 0, wide, count, NULL, 0, NULL, NULL);
    std::string text(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide, count, &text[0], size, NULL, NULL);
    if (count < 0 && !text.empty())
        text.resize(text.size() - 1);  // the terminating zero
    return text;
}

bool LNarrowTo(const WCHAR* wide, char* out, size_t size) {
    if (size == 0)
        return false;
    std::string text = LNarrow(wide);
    size_t length = text.size();
    if (length >= size) {
        length = size - 1;
        // Never half a character: back to the start of the one cut.
        while (length > 0 && ((unsigned char)text[length] & 0xC0) == 0x80)
            --length;
    }
    memcpy(out, text.data(), length);
    out[length] = '\0';
    return length == text.size();
}

bool LCodePageOf(const char* utf8, char* out, size_t size) {
    LWide wide(utf8);
    BOOL lost = FALSE;
    int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, out, (int)size, NULL,
                                     &lost);
    return length > 0 && !lost;
}

bool LSameName(const char* a, const char* b) {
    return strcmp(a, b) == 0 || lstrcmpiW(LWide(a), LWide(b)) == 0;
}

namespace {
void CopyFindData(const WIN32_FIND_DATAW& from, LFindData* to) {
    to->dwFileAttributes = from.dwFileAttributes;
    to->ftCreationTime = from.ftCreationTime;
    to->ftLastWriteTime = from.ftLastWriteTime;
    to->nFileSizeHigh = from.nFileSizeHigh;
    to->nFileSizeLow = from.nFileSizeLow;
    to->bWhole = LNarrowTo(from.cFileName, to->cFileName, sizeof to->cFileName);
}
}  // namespace

HANDLE CreateFileU(const char* path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* sa,
                   DWORD disposition, DWORD flags, HANDLE templateFile) {
    return CreateFileW(LWide(path), access, share, sa, disposition, flags, templateFile);
}

BOOL DeleteFileU(const char* path) {
    return DeleteFileW(LWide(path));
}

BOOL MoveFileU(const char* from, const char* to) {
    return MoveFileW(LWide(from), LWide(to));
}

BOOL MoveFileExU(const char* from, const char* to, DWORD flags) {
    return MoveFileExW(LWide(from), LWide(to), flags);
}

BOOL CopyFileU(const char* from, const char* to, BOOL failIfExists) {
    return CopyFileW(LWide(from), LWide(to), failIfExists);
}

BOOL CreateDirectoryU(const char* path, SECURITY_ATTRIBUTES* sa) {
    return CreateDirectoryW(LWide(path), sa);
}

BOOL RemoveDirectoryU(const char* path) {
    return RemoveDirectoryW(LWide(path));
}

DWORD GetFileAttributesU(const char* path) {
    return GetFileAttributesW(LWide(path));
}

BOOL GetFileAttributesExU(const char* path, GET_FILEEX_INFO_LEVELS level, void* data) {
    return GetFileAttributesExW(LWide(path), level, data);
}

BOOL SetFileAttributesU(const char* path, DWORD attributes) {
    return SetFileAttributesW(LWide(path), attributes);
}

HANDLE FindFirstFileU(const char* pattern, LFindData* data) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(LWide(pattern), &found);
    if (find != INVALID_HANDLE_VALUE)
        CopyFindData(found, data);
    return find;
}

BOOL FindNextFileU(HANDLE find, LFindData* data) {
    WIN32_FIND_DATAW found;
    if (!FindNextFileW(find, &found))
        return FALSE;
    CopyFindData(found, data);
    return TRUE;
}

int MessageBoxU(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxW(owner, LWide(text), LWide(caption), type);
}

BOOL SetWindowTextU(HWND window, const char* text) {
    return SetWindowTextW(window, LWide(text));
}

BOOL SetDlgItemTextU(HWND dialog, int id, const char* text) {
    return SetDlgItemTextW(dialog, id, LWide(text));
}

int GetWindowTextU(HWND window, char* out, int size) {
    if (size <= 0)
        return 0;
    int length = GetWindowTextLengthW(window);
    std::wstring text(length + 1, L'\0');
    GetWindowTextW(window, &text[0], length + 1);
    LNarrowTo(text.c_str(), out, (size_t)size);
    return (int)strlen(out);
}

UINT GetDlgItemTextU(HWND dialog, int id, char* out, int size) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) {
        if (size > 0)
            out[0] = '\0';
        return 0;
    }
    return (UINT)GetWindowTextU(control, out, size);
}

HINSTANCE ShellExecuteU(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* folder, int show) {
    return ShellExecuteW(owner, LWide(verb), LWide(file), LWide(parameters), LWide(folder), show);
}

DWORD GetModuleFileNameU(HMODULE module, char* out, DWORD size) {
    WCHAR wide[MAX_PATH];
    DWORD length = GetModuleFileNameW(module, wide, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || !LNarrowTo(wide, out, size)) {
        if (size)
            out[0] = '\0';
        return 0;
    }
    return (DWORD)strlen(out);
}

DWORD GetTempPathU(DWORD size, char* out) {
    WCHAR wide[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, wide);
    if (length == 0 || length > MAX_PATH || !LNarrowTo(wide, out, size)) {
        if (size)
            out[0] = '\0';
        return 0;
    }
    return (DWORD)strlen(out);
}

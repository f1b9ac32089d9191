#include "notebook/notefolder.h"

#include <commctrl.h>
#include <string.h>

#include "util/lfile.h"
#include "util/lowned.h"
#include "util/lwide.h"

namespace {
// Short-name aliases can match "*.txt" for longer extensions; those files
// are not notes.
bool EndsWithTxt(const char* name) {
    size_t n = strlen(name);
    if (n < 4)
        return false;
    const char* ext = name + n - 4;
    return ext[0] == '.' && (ext[1] | 0x20) == 't' && (ext[2] | 0x20) == 'x' &&
           (ext[3] | 0x20) == 't';
}
}  // namespace

NoteListing ListNoteNames(const char* folder) {
    NoteListing listing;
    listing.complete = false;
    char pattern[LFILE_PATH];
    lstrcpynA(pattern, folder, LFILE_PATH);
    LFile::FilePathCat(pattern, "*.txt");
    LFindData fd;
    LFindHandle find(FindFirstFileU(pattern, &fd));
    if (!find.IsOpen()) {
        listing.complete = GetLastError() == ERROR_FILE_NOT_FOUND;
        return listing;
    }
    do {
        // A name too long for the program's paths is no note it can open.
        if (!fd.bWhole || !EndsWithTxt(fd.cFileName))
            continue;
        char title[LFILE_PATH];
        LFile::_GetFileTitleFromPath(title, fd.cFileName);
        listing.names.push_back(title);
    } while (FindNextFileU(find.Get(), &fd));
    listing.complete = GetLastError() == ERROR_NO_MORE_FILES;
    return listing;
}

void NoteItemText(HWND list, int index, char* name) {
    WCHAR text[LFILE_PATH] = L"";
    LVITEMW item;
    ZeroMemory(&item, sizeof item);
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = LFILE_PATH;
    SendMessageW(list, LVM_GETITEMTEXTW, index, (LPARAM)&item);
    LNarrowTo(text, name, LFILE_PATH);
}

void SetNoteItemText(HWND list, int index, const char* name) {
    LWide text(name);
    LVITEMW item;
    ZeroMemory(&item, sizeof item);
    item.iSubItem = 0;
    item.pszText = text;
    SendMessageW(list, LVM_SETITEMTEXTW, index, (LPARAM)&item);
}

int FindNoteItemIn(HWND list, const char* name) {
    LWide text(name);
    LVFINDINFOW find;
    ZeroMemory(&find, sizeof find);
    find.flags = LVFI_STRING;
    find.psz = text;
    return (int)SendMessageW(list, LVM_FINDITEMW, (WPARAM)-1, (LPARAM)&find);
}

bool NoteItemPath(HWND list, int index, const char* folder, char* name, char* path) {
    NoteItemText(list, index, name);
    return NotePath(folder, name, path);
}

int InsertNoteItem(HWND list, const char* name, int index) {
    LWide text(name);
    LVITEMW item;
    ZeroMemory(&item, sizeof item);
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.pszText = text;
    return (int)SendMessageW(list, LVM_INSERTITEMW, 0, (LPARAM)&item);
}

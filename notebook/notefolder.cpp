#include "notebook/notefolder.h"

#include <commctrl.h>
#include <string.h>

#include "util/lfile.h"

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
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA(pattern, &fd);
    if (find == INVALID_HANDLE_VALUE) {
        listing.complete = GetLastError() == ERROR_FILE_NOT_FOUND;
        return listing;
    }
    do {
        if (!EndsWithTxt(fd.cFileName))
            continue;
        char title[LFILE_PATH];
        LFile::_GetFileTitleFromPath(title, fd.cFileName);
        listing.names.push_back(title);
    } while (FindNextFileA(find, &fd));
    listing.complete = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(find);
    return listing;
}

bool NoteItemPath(HWND list, int index, const char* folder, char* name, char* path) {
    name[0] = '\0';
    ListView_GetItemText(list, index, 0, name, LFILE_PATH);
    return NotePath(folder, name, path);
}

int InsertNoteItem(HWND list, const char* name, int index) {
    LVITEMA item;
    ZeroMemory(&item, sizeof item);
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.pszText = (LPSTR)name;
    return (int)SendMessageA(list, LVM_INSERTITEMA, 0, (LPARAM)&item);
}

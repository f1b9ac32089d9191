// Control helpers of the dialog base.
#include "dialogs/ldialog.h"

#include <commctrl.h>

#include <vector>

#include "dialogs/columns.h"
#include "util/lfile.h"
#include "util/lwide.h"

int LDialog::DialogUnitsToPixels(int verticalUnits) {
    RECT r = {0, 0, 0, verticalUnits};
    MapDialogRect(hwnd, &r);
    return r.bottom;
}

void LDialog::MoveControl(int id, int x, int y, int width, int height) {
    HWND control = GetDlgItem(hwnd, id);
    if (control)
        MoveWindow(control, x, y, width, height, TRUE);
}

void LDialog::EnableControl(int id, bool enable) {
    HWND control = GetDlgItem(hwnd, id);
    if (control)
        EnableWindow(control, enable);
}

void LDialog::GetControlText(int id, char* buffer) {
    buffer[0] = '\0';
    GetDlgItemTextU(hwnd, id, buffer, LFILE_PATH);
}

void LDialog::EnableMenuItem(int command, bool enable) {
    ::EnableMenuItem(GetMenu(hwnd), command, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void LDialog::CheckMenuItem(int command, bool check) {
    ::CheckMenuItem(GetMenu(hwnd), command, MF_BYCOMMAND | (check ? MF_CHECKED : MF_UNCHECKED));
}

void LDialog::LVInsertColumns(int id, const char* const* titles, const int* percents) {
    HWND list = GetDlgItem(hwnd, id);
    if (!list)
        return;
    int count = 0;
    while (titles[count])
        ++count;
    if (count == 0)
        return;
    RECT client;
    GetClientRect(list, &client);
    std::vector<int> widths(count);
    LVColumnWidths(client.right - client.left, percents, count, widths.data());
    for (int i = 0; i < count; ++i) {
        if (widths[i] < 0)
            continue;
        LVCOLUMNA column;
        ZeroMemory(&column, sizeof column);
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = widths[i];
        column.pszText = (LPSTR)titles[i];
        column.iSubItem = i;
        SendMessageA(list, LVM_INSERTCOLUMNA, i, (LPARAM)&column);
    }
}

void LDialog::LVSetColumnWidth(int id, int column, int width) {
    SendDlgItemMessageA(hwnd, id, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
}

void LDialog::LVSelectItem(int id, int index) {
    HWND list = GetDlgItem(hwnd, id);
    if (!list)
        return;
    const UINT mask = LVIS_SELECTED | LVIS_FOCUSED;
    LVITEMA item;
    ZeroMemory(&item, sizeof item);
    item.stateMask = mask;
    // Only items whose state changes are touched: the selected ones and the
    // focused one lose both states, then the given item gains them. Each
    // change raises the list's item-changed notification, which loads the
    // selected note; asking only for these items keeps a long list cheap.
    item.state = 0;
    for (int i = -1; (i = (int)SendMessageA(list, LVM_GETNEXTITEM, i, LVNI_SELECTED)) >= 0;)
        if (i != index)
            SendMessageA(list, LVM_SETITEMSTATE, i, (LPARAM)&item);
    int focused = (int)SendMessageA(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_FOCUSED);
    if (focused >= 0 && focused != index)
        SendMessageA(list, LVM_SETITEMSTATE, focused, (LPARAM)&item);
    int count = (int)SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    if (index < 0 || index >= count)
        return;
    if ((UINT)SendMessageA(list, LVM_GETITEMSTATE, index, mask) == mask)
        return;
    item.state = mask;
    SendMessageA(list, LVM_SETITEMSTATE, index, (LPARAM)&item);
}

void LDialog::DisplayHelpContents(UINT command, ULONG_PTR data) {
    char program[MAX_PATH] = "";
    GetModuleFileNameU(NULL, program, MAX_PATH);
    char helpFile[LFILE_PATH];
    LFile::_GetFolderFromPath(helpFile, program);
    LFile::FilePathCat(helpFile, "jotwell.hlp");
    // A viewer that is just starting can miss the first request.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (WinHelpW(hwnd, LWide(helpFile), command, data))
            return;
        Sleep(250);
    }
}

void LDialog::DisplayHelpContext(DWORD context) {
    DisplayHelpContents(HELP_CONTEXT, context);
}

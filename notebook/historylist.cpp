#include "notebook/historylist.h"

#include <stdio.h>

#include "util/lwide.h"

std::string HistoryTimeText(unsigned long long time) {
    FILETIME utc = {(DWORD)time, (DWORD)(time >> 32)}, local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st))
        return std::string();
    char text[32];
    snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", st.wYear, st.wMonth, st.wDay,
             st.wHour, st.wMinute);
    return text;
}

std::string HistorySizeText(unsigned long long size) {
    char text[32];
    if (size < 1024)
        snprintf(text, sizeof text, "%llu bytes", size);
    else
        snprintf(text, sizeof text, "%llu KB", (size + 1023) / 1024);
    return text;
}

void HistoryListFill(HWND list, size_t count) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    SendMessageW(list, LVM_SETITEMCOUNT, count, 0);
    if (count == 0)
        return;
    LVITEMW item;
    ZeroMemory(&item, sizeof item);
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, 0, (LPARAM)&item);
}

void HistoryListAnswer(NMLVDISPINFOW* info, const std::string& text) {
    if (!(info->item.mask & LVIF_TEXT) || !info->item.pszText || info->item.cchTextMax <= 0)
        return;
    LWide wide(text.c_str());
    lstrcpynW(info->item.pszText, wide, info->item.cchTextMax);
}

int HistoryListSelected(HWND list) {
    return (int)SendMessageW(list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
}

INT_PTR HistoryListDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_NOTIFY || ((NMHDR*)lParam)->idFrom != (UINT_PTR)iListId)
        return LDialog::DialogProc(msg, wParam, lParam);
    NMHDR* hdr = (NMHDR*)lParam;
    if (hdr->code == LVN_GETDISPINFOW) {
        NMLVDISPINFOW* info = (NMLVDISPINFOW*)lParam;
        int i = info->item.iItem;
        if (i >= 0 && i < (int)entries.size())
            HistoryListAnswer(info, CellText(entries[i], info->item.iSubItem));
    } else if (hdr->code == LVN_ITEMCHANGED || hdr->code == LVN_ODSTATECHANGED) {
        SelectionChanged();
        UpdateControls();
    }
    return TRUE;
}

#include "notebook/restoredeleteddialog.h"

#include <commctrl.h>

#include "notebook/historylist.h"
#include "resources/resource.h"

RestoreDeletedDialog::RestoreDeletedDialog(HistoryStore& history, const char* bookFolder)
    : HistoryListDialog(IDC_DELETED_LIST), store(history) {
    lstrcpynA(szBookFolder, bookFolder, LFILE_PATH);
}

void RestoreDeletedDialog::InitDialog() {
    const char* const titles[] = {"Note", "Deleted", "First line", NULL};
    const int percents[] = {30, 26, 40};
    LVInsertColumns(IDC_DELETED_LIST, titles, percents);
    entries = store.Deleted(szBookFolder);
    HistoryListFill(List(), entries.size());
    if (entries.empty())
        SetDlgItemTextA(hwnd, IDC_DELETED_INFO, "No deleted notes of this book have been kept.");
}

void RestoreDeletedDialog::UpdateControls() {
    EnableControl(IDOK, HistoryListSelected(List()) >= 0);
}

bool RestoreDeletedDialog::CmOk() {
    HWND list = List();
    chosen.clear();
    for (int i = HistoryListSelected(list); i >= 0 && i < (int)entries.size();
         i = (int)SendMessageW(list, LVM_GETNEXTITEM, i, LVNI_SELECTED))
        chosen.push_back(entries[i]);
    return !chosen.empty();
}

std::string RestoreDeletedDialog::CellText(HistoryEntry& entry, int column) {
    if (column == 1)
        return HistoryTimeText(entry.index.kept);
    store.LoadIndex(entry);
    if (column == 2)
        return entry.index.firstLine;
    char title[LFILE_PATH];
    LFile::_GetFileTitleFromPath(title, entry.index.path.c_str());
    return title;
}

// What the two windows of the history store share: a list of entries that
// the list control asks for as it draws them (so that a thousand entries
// open as fast as ten), their times and sizes as a person reads them.
#ifndef JOTWELL_NOTEBOOK_HISTORYLIST_H
#define JOTWELL_NOTEBOOK_HISTORYLIST_H

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "dialogs/ldialog.h"
#include "notebook/historystore.h"

// A window with a list of the store's entries, which the list asks for as
// it draws them.
class HistoryListDialog : public LDialog {
public:
    INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    explicit HistoryListDialog(int listId) : iListId(listId) {}
    // The text of an entry in a column; it may read the rest of its index.
    virtual std::string CellText(HistoryEntry& entry, int column) = 0;
    // The selection changed; UpdateControls follows.
    virtual void SelectionChanged() {}
    HWND List() const { return GetDlgItem(hwnd, iListId); }

    std::vector<HistoryEntry> entries;

private:
    int iListId;
};

// "2026-12-07 10:32" in local time.
std::string HistoryTimeText(unsigned long long time);
// "312 bytes", "12 KB".
std::string HistorySizeText(unsigned long long size);

// Gives a list of owner-drawn data count items, the first selected and
// focused, and full-row selection.
void HistoryListFill(HWND list, size_t count);

// Answers the list's request for the text of an item's column.
void HistoryListAnswer(NMLVDISPINFOW* info, const std::string& text);

// The first selected item, or -1.
int HistoryListSelected(HWND list);

#endif

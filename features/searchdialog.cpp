#include "features/searchdialog.h"

#include <commctrl.h>

#include "resources/resource.h"
#include "util/lwide.h"

namespace {

const UINT_PTR TIMER_LOOK = 1;
// As often as the main window scans its book for changes from outside.
const UINT LOOK_PERIOD = 20000;
const UINT_PTR TEXT_BOX_SUBCLASS = 1;

}  // namespace

SearchDialog::SearchDialog(const std::vector<SearchBook>& books)
    : iChosenBook(-1),
      bChosenMatchCase(false),
      uShownQuestion(0),
      vecBooks(books),
      uRowBooks(0),
      bAnswered(false) {}

void SearchDialog::InitDialog() {
    HWND list = GetDlgItem(hwnd, IDC_SEARCH_RESULTS);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const char* const titles[] = {"Note", "Book", "Line", NULL};
    const int percents[] = {30, 20, 50};
    LVInsertColumns(IDC_SEARCH_RESULTS, titles, percents);
    SetWindowSubclass(GetDlgItem(hwnd, IDC_SEARCH_TEXT), TextBoxProc, TEXT_BOX_SUBCLASS,
                      (DWORD_PTR)this);
    engine.Start(vecBooks, hwnd, WM_SEARCHNEWS);
    SetTimer(hwnd, TIMER_LOOK, LOOK_PERIOD, NULL);
    ShowStatus();
}

void SearchDialog::DestroyDialog() {
    // The worker reads nothing more once the window has gone.
    engine.Stop();
    if (hwnd) {
        KillTimer(hwnd, TIMER_LOOK);
        RemoveWindowSubclass(GetDlgItem(hwnd, IDC_SEARCH_TEXT), TextBoxProc, TEXT_BOX_SUBCLASS);
    }
}

bool SearchDialog::CmOk() {
    HWND list = GetDlgItem(hwnd, IDC_SEARCH_RESULTS);
    int item = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (item < 0)
        item = 0;
    if (item >= (int)vecRows.size())
        return false;
    const SearchRow& row = vecRows[item];
    iChosenBook = row.book;
    strChosenNote = row.note;
    strChosenWord = row.word;
    bChosenMatchCase = IsDlgButtonChecked(hwnd, IDC_SEARCH_MATCH_CASE) == BST_CHECKED;
    return true;
}

void SearchDialog::Command(WORD id, WORD notifyCode) {
    if ((id == IDC_SEARCH_TEXT && notifyCode == EN_CHANGE) ||
        (id == IDC_SEARCH_MATCH_CASE && notifyCode == BN_CLICKED))
        AskAgain();
}

// Each key asks at once; the engine answers in its own thread, so typing
// never waits for a search.
void SearchDialog::AskAgain() {
    char typed[LFILE_PATH];
    GetDlgItemTextU(hwnd, IDC_SEARCH_TEXT, typed, LFILE_PATH);
    engine.Ask(typed, IsDlgButtonChecked(hwnd, IDC_SEARCH_MATCH_CASE) == BST_CHECKED);
}

void SearchDialog::TakeAnswer() {
    SearchAnswer answer;
    if (engine.TakeAnswer(&answer)) {
        vecRows.swap(answer.rows);
        uRowBooks = answer.books;
        uShownQuestion = answer.question;
        bAnswered = true;
        HWND list = GetDlgItem(hwnd, IDC_SEARCH_RESULTS);
        // The list holds no texts of its own: it asks for the rows it shows.
        SendMessageW(list, LVM_SETITEMCOUNT, vecRows.size(), LVSICF_NOSCROLL);
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
        if (!vecRows.empty())
            ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
        InvalidateRect(list, NULL, TRUE);
    }
    ShowStatus();
}

void SearchDialog::ShowStatus() {
    size_t read = 0, total = 0;
    engine.Progress(&read, &total);
    std::string status;
    bool limited = engine.Limited();
    if (read < total && !limited) {
        status = "Reading " + CountText(read) + " of " + CountText(total) + " notes...";
    } else if (bAnswered) {
        status = CountText(vecRows.size()) + (vecRows.size() == 1 ? " note in " : " notes in ") +
                 CountText(uRowBooks) + (uRowBooks == 1 ? " book" : " books");
    }
    if (limited)
        status += (status.empty() ? "" : " ") + std::string("(") + CountText(read) + " of " +
                  CountText(total) + " notes searched: there is no memory for more)";
    SetDlgItemTextU(hwnd, IDC_SEARCH_STATUS, status.c_str());
}

void SearchDialog::FillDisplayInfo(NMLVDISPINFOW* info) {
    LVITEMW& item = info->item;
    if (!(item.mask & LVIF_TEXT) || item.iItem < 0 || item.iItem >= (int)vecRows.size())
        return;
    const SearchRow& row = vecRows[item.iItem];
    const std::string& text = item.iSubItem == 0   ? row.note
                              : item.iSubItem == 1 ? vecBooks[row.book].name
                                                   : row.line;
    strShown = (const WCHAR*)LWide(text.c_str());
    lstrcpynW(item.pszText, strShown.c_str(), item.cchTextMax);
}

void SearchDialog::MoveSelection(int by) {
    HWND list = GetDlgItem(hwnd, IDC_SEARCH_RESULTS);
    int count = (int)vecRows.size();
    if (count == 0)
        return;
    int item = ListView_GetNextItem(list, -1, LVNI_SELECTED) + by;
    item = item < 0 ? 0 : item >= count ? count - 1 : item;
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, item, FALSE);
}

// Up and Down move in the results while the caret stays in the text box.
LRESULT CALLBACK SearchDialog::TextBoxProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
    SearchDialog* dialog = (SearchDialog*)data;
    if (msg == WM_KEYDOWN && dialog->hwnd) {
        switch (wParam) {
        case VK_UP: dialog->MoveSelection(-1); return 0;
        case VK_DOWN: dialog->MoveSelection(1); return 0;
        case VK_PRIOR: dialog->MoveSelection(-10); return 0;
        case VK_NEXT: dialog->MoveSelection(10); return 0;
        }
    }
    return DefSubclassProc(window, msg, wParam, lParam);
}

INT_PTR SearchDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SEARCHNEWS:
        TakeAnswer();
        return TRUE;
    case WM_TIMER:
        if (wParam == TIMER_LOOK)
            engine.Refresh();
        return TRUE;
    case WM_NOTIFY: {
        NMHDR* hdr = (NMHDR*)lParam;
        if (hdr->idFrom != IDC_SEARCH_RESULTS)
            break;
        if (hdr->code == LVN_GETDISPINFOW) {
            FillDisplayInfo((NMLVDISPINFOW*)lParam);
            return TRUE;
        }
        if (hdr->code == (UINT)NM_DBLCLK && ((NMITEMACTIVATE*)lParam)->iItem >= 0) {
            if (CmOk())
                Close(IDOK);
            return TRUE;
        }
        break;
    }
    }
    return LDialog::DialogProc(msg, wParam, lParam);
}

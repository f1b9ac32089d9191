// Search All Books: the search window over the main window, and the note it
// picks opened in its book with the place selected, as Find leaves it.
#include <windows.h>
#include <commctrl.h>

#include "features/searchdialog.h"
#include "mainwindow/maindialog.h"
#include "notebook/bookentry.h"
#include "resources/resource.h"
#include "util/lwide.h"

void MainDialog::CmSearchAll() {
    // A modal window or a job is running: its loop brought the tray's
    // command here.
    if (!IsWindowEnabled(hwnd))
        return;
    if (!IsWindowVisible(hwnd))
        CmOpen();
    // The notes are read from disk: the loaded one must be there as it shows.
    SaveData();
    std::vector<SearchBook> books;
    for (int p = 1; p <= BookCount(); ++p) {
        char folder[LFILE_PATH], name[LFILE_PATH];
        GetBookFolder(p, folder);
        BookDisplayName(folder, name);
        books.push_back(SearchBook{folder, name});
    }
    SearchDialog search(books);
    if (!search.RunModal(hwnd, MAKEINTRESOURCEA(IDD_SEARCH)))
        return;
    OpenSearchResult(search.iChosenBook, search.strChosenNote.c_str(),
                     search.strChosenWord.c_str(), search.bChosenMatchCase);
}

bool MainDialog::OpenSearchResult(int book, const char* note, const char* word, bool matchCase) {
    HWND books = BookList();
    int count = (int)SendMessageW(books, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        if ((int)SendMessageW(books, CB_GETITEMDATA, i, 0) != book)
            continue;
        if ((int)SendMessageW(books, CB_GETCURSEL, 0, 0) != i) {
            SendMessageW(books, CB_SETCURSEL, i, 0);
            OnBookSelected();
        }
        break;
    }
    if (GetCurrentBookIndex() != book)
        return false;  // the note left could not be saved, and the user stayed
    int item = FindNoteItem(note);
    if (item < 0) {
        ScanFolders();  // added from outside since the last scan
        item = FindNoteItem(note);
    }
    if (item < 0)
        return false;
    LVSelectItem(IDC_NOTES, item);
    ItemSelectionChanged();
    char loaded[LFILE_PATH];
    LFile::_GetFileTitleFromPath(loaded, szNoteName);
    if (!LSameName(loaded, note))
        return false;
    // Find Next goes on from the place shown, in this note.
    lstrcpynA(szFindText, word, LFILE_PATH);
    bFindMatchCase = matchCase;
    iFindNoteIndex = -1;
    iFindCharPos = 0;
    if (word[0])
        SelectNextOccurrence();
    SetFocus(NoteText());
    return true;
}

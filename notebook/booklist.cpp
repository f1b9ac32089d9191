// The book list: the default books of the first start, the book combo box
// and the current book.
#include <string.h>

#include "app/settingkeys.h"
#include "features/diarypropertiesdialog.h"
#include "installer/defaultbooks.h"
#include "installer/foldersecurity.h"
#include "installer/installdialog.h"
#include "mainwindow/maindialog.h"
#include "notebook/bookentry.h"
#include "resources/resource.h"
#include "util/lwide.h"

namespace {

const char kDiaryQuestion[] =
    "Do you want to create a diary as one of the Jotwell Books?\r\n\r\n"
    "If in doubt click Yes now to create a diary. You can remove it later if you do not need it.";

// The folder of a default book; created when missing, so that notes typed
// into a book that was never installed are not lost.
void DefaultBookFolder(const char* name, char* folder) {
    InstallDialog::GetDataFolder(name, folder);
    CreateSharedBookFolder(folder);
}

}  // namespace

void MainDialog::CreateDefaultBooks() {
    char folder[LFILE_PATH];
    int count = 0;
    for (const DefaultBook& book : DEFAULT_BOOKS) {
        if (book.diary && !WantsDefaultDiary())
            continue;
        DefaultBookFolder(book.name, folder);
        ++count;
        SetBookFolder(count, folder);
        SetBookDiary(count, book.diary);
        if (book.diary)
            CmDiaryNewEntries(folder);
    }
    SetBookCount(count);
}

// Asked once, when the default books are first listed.
bool MainDialog::WantsDefaultDiary() {
    if (MessageBoxU(hwnd, kDiaryQuestion, "Create Diary", MB_ICONQUESTION | MB_YESNOCANCEL) !=
        IDYES)
        return false;
    DiaryPropertiesDialog diary;
    return diary.RunModal(hwnd, MAKEINTRESOURCEA(IDD_DIARY_PROPERTIES));
}

void MainDialog::InitFolderList() {
    HWND books = BookList();
    SendMessageA(books, CB_RESETCONTENT, 0, 0);
    if (BookCount() == 0)
        CreateDefaultBooks();

    int count = BookCount();
    for (int p = 1; p <= count; ++p) {
        char folder[LFILE_PATH], name[LFILE_PATH];
        GetBookFolder(p, folder);
        BookDisplayName(folder, name);
        LRESULT item = SendMessageW(books, CB_ADDSTRING, 0, (LPARAM)(const WCHAR*)LWide(name));
        if (item >= 0)
            SendMessageA(books, CB_SETITEMDATA, item, p - 1);
    }

    char current[SETTINGS_VALUE];
    GetCurrentBook(current);
    SendMessageA(books, CB_SETCURSEL, 0, 0);
    LRESULT match =
        SendMessageW(books, CB_FINDSTRING, (WPARAM)-1, (LPARAM)(const WCHAR*)LWide(current));
    if (match != CB_ERR)
        SendMessageA(books, CB_SETCURSEL, match, 0);

    UpdateReadOnlyFlag();
    InitItemsList();
}

void MainDialog::GetCurrentBookFolder(char* out) {
    out[0] = '\0';
    LRESULT item = SendMessageA(BookList(), CB_GETCURSEL, 0, 0);
    if (item == CB_ERR)
        return;
    int position = (int)SendMessageA(BookList(), CB_GETITEMDATA, item, 0) + 1;
    GetBookFolder(position, out);
}

int MainDialog::GetCurrentBookIndex() {
    int count = BookCount();
    char current[LFILE_PATH];
    GetCurrentBookFolder(current);
    for (int i = 0; i < count; ++i) {
        char folder[LFILE_PATH];
        GetBookFolder(i + 1, folder);
        if (strcmp(folder, current) == 0)
            return i;
    }
    return count;
}

bool MainDialog::UpdateReadOnlyFlag() {
    bReadOnlyBook = BookIsReadOnly(GetCurrentBookIndex() + 1);
    return bReadOnlyBook;
}

bool MainDialog::BookNameExists(const char* name) {
    int count = BookCount();
    for (int p = 1; p <= count; ++p) {
        char folder[LFILE_PATH], title[LFILE_PATH];
        GetBookFolder(p, folder);
        BookDisplayName(folder, title);
        if (LSameName(title, name))
            return true;
    }
    return false;
}

bool MainDialog::CurrentBookIsDiary() {
    return BookIsDiary(GetCurrentBookIndex() + 1);
}

void MainDialog::SelectBookOfLoadedNote() {
    char folder[LFILE_PATH], name[LFILE_PATH];
    LFile::_GetFolderFromPath(folder, szNoteName);
    int count = BookCount();
    for (int p = 1; p <= count; ++p) {
        char bookFolder[LFILE_PATH];
        GetBookFolder(p, bookFolder);
        if (!LSameName(bookFolder, folder))
            continue;
        BookDisplayName(bookFolder, name);
        LRESULT item = SendMessageW(BookList(), CB_FINDSTRINGEXACT, (WPARAM)-1,
                                    (LPARAM)(const WCHAR*)LWide(name));
        if (item != CB_ERR)
            SendMessageA(BookList(), CB_SETCURSEL, item, 0);
        return;
    }
}

// Adding, removing and configuring books.
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>

#include "app/settingkeys.h"
#include "dialogs/ltexteditdlg.h"
#include "features/diarypropertiesdialog.h"
#include "installer/foldersecurity.h"
#include "installer/installdialog.h"
#include "mainwindow/maindialog.h"
#include "notebook/bookentry.h"
#include "notebook/bookpropertiesdialog.h"
#include "resources/resource.h"
#include "util/lwide.h"

namespace {
void AppendBook(const char* folder, bool diary, const char* displayName) {
    int n = BookCount() + 1;
    SetBookFolder(n, folder);
    SetBookDiary(n, diary);
    SetBookCount(n);
    SetCurrentBook(displayName);
}
}  // namespace

void MainDialog::CmBookNewLocal(bool bDiary) {
    char text[LFILE_PATH] = "";
    for (;;) {
        LTextEditDlg prompt(text, bDiary ? "Enter Diary Name" : "Enter Book Name");
        if (!prompt.RunModal(hwnd, "LTextEditDlg"))
            return;
        char name[LFILE_PATH];
        if (!LFile::MakeValidFileName(text, name)) {
            MessageBoxU(hwnd, "The name must contain text.", "Name Invalid",
                        MB_ICONINFORMATION | MB_OK);
            continue;
        }
        if (bDiary) {
            DiaryPropertiesDialog diary;
            if (!diary.RunModal(hwnd, MAKEINTRESOURCEA(IDD_DIARY_PROPERTIES)))
                return;
        }
        if (BookNameExists(name)) {
            MessageBoxU(hwnd,
                        "The book cannot be created because another book with the same name "
                        "already exists. Please try another name.",
                        "Book Name Exists", MB_ICONINFORMATION | MB_OK);
            continue;
        }
        char folder[LFILE_PATH];
        InstallDialog::GetDataFolder(NULL, folder);
        LFile::FilePathCat(folder, name);
        // Every user of the computer may keep notes in it, as in the
        // installed books.
        CreateSharedBookFolder(folder);
        AppendBook(folder, bDiary, name);
        InitFolderList();
        if (bDiary)
            CmDiaryNewEntries(folder);
        return;
    }
}

void MainDialog::CmBookNew() {
    char folder[LFILE_PATH];
    if (!LFile::BrowseForFolder(folder, "Locate new book folder:"))
        return;
    char name[LFILE_PATH];
    BookDisplayName(folder, name);
    if (BookNameExists(name)) {
        MessageBoxU(hwnd,
                    "The book cannot be created because another book with the same name "
                    "already exists. To replace the other book, delete it first then rename "
                    "this book.",
                    "Book Name Exists", MB_ICONINFORMATION | MB_OK);
        return;
    }
    AppendBook(folder, false, name);
    InitFolderList();
}

void MainDialog::CmBookRemove() {
    HWND books = BookList();
    LRESULT item = SendMessageA(books, CB_GETCURSEL, 0, 0);
    if (item == CB_ERR)
        return;
    char name[LFILE_PATH] = "", message[LFILE_PATH + 80];
    GetDlgItemTextU(hwnd, IDC_BOOKS, name, LFILE_PATH);
    snprintf(message, sizeof message,
             "Are you sure you want to remove the book \"%s\" from your list?", name);
    if (MessageBoxU(hwnd, message, "Confirm Remove Book", MB_ICONQUESTION | MB_OKCANCEL) != IDOK)
        return;

    int p = (int)SendMessageA(books, CB_GETITEMDATA, item, 0) + 1;
    int end = BookCount();
    for (int q = p; q < end; ++q) {
        char folder[LFILE_PATH];
        GetBookFolder(q + 1, folder);
        SetBookFolder(q, folder);
        SetBookDiary(q, BookIsDiary(q + 1));
        SetBookReadOnly(q, BookIsReadOnly(q + 1));
    }
    DeleteBookEntry(end);
    SetBookCount(end - 1);
    InitFolderList();
}

void MainDialog::CmBookProperties() {
    char folder[LFILE_PATH];
    GetCurrentBookFolder(folder);
    BookPropertiesDialog properties(folder);
    if (properties.RunModal(hwnd, MAKEINTRESOURCEA(IDD_BOOK_PROPERTIES)))
        UpdateReadOnlyFlag();
}

void MainDialog::CmBookExplore() {
    char folder[LFILE_PATH];
    GetCurrentBookFolder(folder);
    ShellExecuteU(hwnd, "explore", folder, NULL, NULL, SW_SHOWNORMAL);
}

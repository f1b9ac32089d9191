#include "notebook/bookpropertiesdialog.h"

#include <string.h>

#include "notebook/bookentry.h"
#include "notebook/templatetext.h"
#include "resources/resource.h"

const char* const DIARY_TEMPLATE_TEXT = "Diary does not use templates";

namespace {
void TemplatePath(const char* folder, char* path) {
    lstrcpynA(path, folder, LFILE_PATH);
    LFile::FilePathCat(path, "template._txt");
}
}  // namespace

BookPropertiesDialog::BookPropertiesDialog(const char* folder) {
    lstrcpynA(szFolder, folder, LFILE_PATH);
}

int BookPropertiesDialog::BookPosition() {
    int count = BookCount();
    for (int p = 1; p <= count; ++p) {
        char folder[LFILE_PATH];
        GetBookFolder(p, folder);
        if (lstrcmpiA(folder, szFolder) == 0)
            return p - 1;
    }
    return -1;
}

void BookPropertiesDialog::InitDialog() {
    SetDlgItemTextA(hwnd, IDC_BOOK_FOLDER, szFolder);
    FillFromStore();
}

void BookPropertiesDialog::FillFromStore() {
    int position = BookPosition();
    bool known = position >= 0;
    CheckDlgButton(hwnd, IDC_BOOK_READ_ONLY,
                   known && BookIsReadOnly(position + 1) ? BST_CHECKED : BST_UNCHECKED);
    EnableControl(IDC_BOOK_READ_ONLY, known);
    if (known && BookIsDiary(position + 1)) {
        SetDlgItemTextA(hwnd, IDC_BOOK_TEMPLATE, DIARY_TEMPLATE_TEXT);
        EnableControl(IDC_BOOK_TEMPLATE, false);
        return;
    }
    EnableControl(IDC_BOOK_TEMPLATE, true);
    char path[LFILE_PATH];
    TemplatePath(szFolder, path);
    char* text = LFile::ReadTextFile(path);
    SetDlgItemTextA(hwnd, IDC_BOOK_TEMPLATE, text ? text : "");
    delete[] text;
}

void BookPropertiesDialog::Command(WORD id, WORD notifyCode) {
    if (id != IDC_BOOK_BROWSE || notifyCode != BN_CLICKED)
        return;
    char folder[LFILE_PATH];
    if (!LFile::BrowseForFolder(folder, "Locate book folder:"))
        return;
    lstrcpynA(szFolder, folder, LFILE_PATH);
    SetDlgItemTextA(hwnd, IDC_BOOK_FOLDER, szFolder);
    FillFromStore();
}

bool BookPropertiesDialog::CmOk() {
    int position = BookPosition();
    if (position >= 0)
        SetBookReadOnly(position + 1, IsDlgButtonChecked(hwnd, IDC_BOOK_READ_ONLY) == BST_CHECKED);

    HWND box = GetDlgItem(hwnd, IDC_BOOK_TEMPLATE);
    int length = GetWindowTextLengthA(box);
    char* text = new char[length + 1];
    GetWindowTextA(box, text, length + 1);
    size_t size = strlen(text) + TEMPLATE_EXTRA_CHARS + 1;
    char* withBlanks = new char[size];
    TemplateAddColonBlanks(text, withBlanks, size);
    char path[LFILE_PATH];
    TemplatePath(szFolder, path);
    LFile::WriteTextFile(path, withBlanks);
    delete[] withBlanks;
    delete[] text;
    return true;
}

void BookPropertiesDialog::CmHelp() {
    DisplayHelpContext(HELP_CONTEXT_BOOK_PROPERTIES);
}

#include "notebook/bookpropertiesdialog.h"

#include <string.h>

#include "notebook/bookentry.h"
#include "notebook/notefile.h"
#include "notebook/templatetext.h"
#include "util/ltextfile.h"
#include "resources/resource.h"
#include "util/lwide.h"

const char* const DIARY_TEMPLATE_TEXT = "Diary does not use templates";

namespace {
void TemplatePath(const char* folder, char* path) {
    lstrcpynA(path, folder, LFILE_PATH);
    LFile::FilePathCat(path, "template._txt");
}
}  // namespace

BookPropertiesDialog::BookPropertiesDialog(const char* folder)
    : bTemplateEditable(false),
      iTemplateEncoding(TEXT_CODE_PAGE),
      bTemplateExists(false),
      ullTemplateTime(0),
      bBookWasReadOnly(false) {
    lstrcpynA(szFolder, folder, LFILE_PATH);
}

int BookPropertiesDialog::BookPosition() {
    int count = BookCount();
    for (int p = 1; p <= count; ++p) {
        char folder[LFILE_PATH];
        GetBookFolder(p, folder);
        if (LSameName(folder, szFolder))
            return p - 1;
    }
    return -1;
}

void BookPropertiesDialog::InitDialog() {
    SetDlgItemTextU(hwnd, IDC_BOOK_FOLDER, szFolder);
    FillFromStore();
}

void BookPropertiesDialog::FillFromStore() {
    int position = BookPosition();
    bool known = position >= 0;
    bBookWasReadOnly = known && BookIsReadOnly(position + 1);
    CheckDlgButton(hwnd, IDC_BOOK_READ_ONLY, bBookWasReadOnly ? BST_CHECKED : BST_UNCHECKED);
    EnableControl(IDC_BOOK_READ_ONLY, known);
    bTemplateEditable = false;
    if (known && BookIsDiary(position + 1)) {
        SetDlgItemTextU(hwnd, IDC_BOOK_TEMPLATE, DIARY_TEMPLATE_TEXT);
        EnableControl(IDC_BOOK_TEMPLATE, false);
        return;
    }
    EnableControl(IDC_BOOK_TEMPLATE, true);
    char path[LFILE_PATH];
    TemplatePath(szFolder, path);
    NoteFileText file;
    bool whole = ReadNoteFile(path, &file);
    // A box cut at a zero character, or filled from part of the file, would
    // write less than the file holds.
    std::u16string text;
    bool decoded = TextFileToWide(file.data ? file.data : "", file.size, &text, &iTemplateEncoding);
    bTemplateEditable = whole && decoded;
    bTemplateExists = file.exists;
    ullTemplateTime = file.time;
    strTemplateRead = bTemplateEditable ? text : std::u16string();
    SetDlgItemTextW(hwnd, IDC_BOOK_TEMPLATE, (const WCHAR*)strTemplateRead.c_str());
    ShowTemplateReadOnly();
}

bool BookPropertiesDialog::TemplateWritable() {
    return bTemplateEditable &&
           !(bBookWasReadOnly && IsDlgButtonChecked(hwnd, IDC_BOOK_READ_ONLY) == BST_CHECKED);
}

void BookPropertiesDialog::ShowTemplateReadOnly() {
    SendDlgItemMessageA(hwnd, IDC_BOOK_TEMPLATE, EM_SETREADONLY, !TemplateWritable(), 0);
}

void BookPropertiesDialog::Command(WORD id, WORD notifyCode) {
    if (id == IDC_BOOK_READ_ONLY && notifyCode == BN_CLICKED)
        ShowTemplateReadOnly();
    if (id != IDC_BOOK_BROWSE || notifyCode != BN_CLICKED)
        return;
    char folder[LFILE_PATH];
    if (!LFile::BrowseForFolder(folder, "Locate book folder:"))
        return;
    lstrcpynA(szFolder, folder, LFILE_PATH);
    SetDlgItemTextU(hwnd, IDC_BOOK_FOLDER, szFolder);
    FillFromStore();
}

bool BookPropertiesDialog::CmOk() {
    HWND box = GetDlgItem(hwnd, IDC_BOOK_TEMPLATE);
    int length = GetWindowTextLengthW(box);
    std::u16string text(length + 1, u'\0');
    text.resize(GetWindowTextW(box, (WCHAR*)&text[0], length + 1));
    if (TemplateWritable() && text != strTemplateRead && !SaveTemplate(text)) {
        MessageBoxU(hwnd,
                    "Jotwell cannot save the template of this book. The folder may be read only "
                    "or out of reach, another program may be using the file, or someone changed "
                    "it since this window opened.\r\n\r\nThe template file is left as it is.",
                    "Jotwell", MB_ICONWARNING | MB_OK);
        return false;
    }
    int position = BookPosition();
    if (position >= 0)
        SetBookReadOnly(position + 1, IsDlgButtonChecked(hwnd, IDC_BOOK_READ_ONLY) == BST_CHECKED);
    return true;
}

// Written only over the version read, so that another computer's template
// saved meanwhile is not replaced unseen.
// In the encoding it was read in, as notes are saved.
bool BookPropertiesDialog::SaveTemplate(const std::u16string& text) {
    char path[LFILE_PATH];
    TemplatePath(szFolder, path);
    unsigned long long onDisk = 0;
    bool exists = LFile::GetLastWriteTime(path, &onDisk);
    if (exists != bTemplateExists || (exists && onDisk != ullTemplateTime))
        return false;
    std::string utf8 = LNarrow((const WCHAR*)text.c_str());
    std::string withBlanks(utf8.size() + TEMPLATE_EXTRA_CHARS + 1, '\0');
    withBlanks.resize(TemplateAddColonBlanks(utf8.c_str(), &withBlanks[0], withBlanks.size()));
    std::u16string wide(withBlanks.size(), u'\0');
    wide.resize(Utf8ToUtf16(withBlanks.data(), withBlanks.size(), &wide[0]));
    TextEncoding saved;
    std::string bytes = WideToTextFile(wide, iTemplateEncoding, &saved);
    return LFile::WriteFileBytes(path, bytes.data(), bytes.size());
}

void BookPropertiesDialog::CmHelp() {
    DisplayHelpContext(HELP_CONTEXT_BOOK_PROPERTIES);
}

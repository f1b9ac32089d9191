#include "features/printbookjob.h"

#include <commctrl.h>
#include <memory>
#include <new>
#include <string.h>

#include "app/settings.h"
#include "features/bookdocument.h"
#include "features/bookprintdialog.h"
#include "features/shellprint.h"
#include "mainwindow/maindialog.h"
#include "notebook/notefolder.h"
#include "util/lcodepage.h"
#include "util/textencoding.h"

namespace {

const char DOCUMENT_NAME[] = "print.rtf";

class FileSink : public BookDocumentSink {
public:
    explicit FileSink(HANDLE file) : hFile(file) {}

    bool Write(const void* data, size_t size) override {
        DWORD written = 0;
        return WriteFile(hFile, data, (DWORD)size, &written, NULL) && written == size;
    }

private:
    HANDLE hFile;
};

HANDLE CreateExclusive(const char* path) {
    return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, NULL);
}

}  // namespace

PrintBookJob::PrintBookJob(MainDialog& main)
    : LProgressDialog("Printing book"), main(main) {}

int PrintBookJob::MainFunction() {
    bool pageBreaks = SettingsGetBool(PRINT_SETTINGS_SECTION, PRINT_VALUE_NOTE_PER_PAGE,
                                      PRINT_DEFAULT_NOTE_PER_PAGE);
    char path[LFILE_PATH];
    HANDLE file = CreateDocumentFile(path);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    bool written = WriteDocument(file, pageBreaks);
    CloseHandle(file);
    // Never print a document that is not whole.
    if (written)
        g_pfnShellPrint(main.hwnd, path);
    return 0;
}

// "print.rtf" beside the notes; in the user's temporary folder when the
// book folder may not be written (a read-only share), so that what is
// printed is always this book as it is now, never an older document.
HANDLE PrintBookJob::CreateDocumentFile(char* path) {
    main.GetCurrentBookFolder(path);
    LFile::FilePathCat(path, DOCUMENT_NAME);
    HANDLE file = CreateExclusive(path);
    if (file != INVALID_HANDLE_VALUE)
        return file;
    DWORD length = GetTempPathA(LFILE_PATH, path);
    if (length == 0 || length >= (DWORD)LFILE_PATH)
        return INVALID_HANDLE_VALUE;
    LFile::FilePathCat(path, DOCUMENT_NAME);
    return CreateExclusive(path);
}

bool PrintBookJob::WriteDocument(HANDLE file, bool pageBreaks) {
    FileSink sink(file);
    // The document holds a 64 KB buffer: too much for the stack.
    std::unique_ptr<BookDocument> document(new (std::nothrow) BookDocument(sink, pageBreaks));
    if (!document)
        return false;
    char folder[LFILE_PATH];
    main.GetCurrentBookFolder(folder);
    return document->Begin() && AddNotes(*document, folder) && document->End();
}

bool PrintBookJob::AddNotes(BookDocument& document, const char* folder) {
    HWND list = main.NotesList();
    const int count = ListView_GetItemCount(list);
    for (int i = 0; i < count; ++i) {
        SetProgress((double)i / count);
        char name[LFILE_PATH], path[LFILE_PATH];
        NoteItemPath(list, i, folder, name, path);
        size_t size = 0;
        char* text = LFile::ReadTextFile(path, &size);
        TextEncoding encoding = TextEncodingOf(text, size, size == LFILE_READ_LIMIT);
        bool ok;
        if (text && encoding != TEXT_CODE_PAGE) {
            char heading[LCODEPAGE_UTF8_SIZE];
            CodePageToUtf8(name, heading);
            size_t bom = TextBomSize(encoding);
            ok = document.AddUtf8Note(heading, text + bom, size - bom);
        } else {
            ok = document.AddNote(name, text, size);
        }
        delete[] text;
        if (!ok)
            return false;
    }
    return true;
}


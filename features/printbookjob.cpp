#include "features/printbookjob.h"

#include <commctrl.h>
#include <shlobj.h>
#include <memory>
#include <new>
#include <string.h>

#include "app/settingkeys.h"
#include "features/bookdocument.h"
#include "features/bookprintdialog.h"
#include "features/shellprint.h"
#include "mainwindow/maindialog.h"
#include "notebook/notefolder.h"
#include "util/textencoding.h"
#include "util/lwide.h"

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

// A note given to the document in UTF-8, whatever its encoding.
bool AddUtf8Note(BookDocument& document, const char* heading, const char* text, size_t size,
                 TextEncoding encoding) {
    size_t bom = TextBomSize(encoding);
    if (encoding == TEXT_UTF8 || encoding == TEXT_UTF8_BOM)
        return document.AddUtf8Note(heading, text + bom, size - bom);
    std::unique_ptr<char16_t[]> wide(new (std::nothrow) char16_t[size + 1]);
    std::unique_ptr<char[]> utf8(new (std::nothrow) char[size * 3 + 1]);
    if (!wide || !utf8)
        return false;
    size_t units = 0;
    if (encoding == TEXT_CODE_PAGE) {
        int got = size ? MultiByteToWideChar(CP_ACP, 0, text, (int)size, (WCHAR*)wide.get(),
                                             (int)size)
                       : 0;
        units = got > 0 ? (size_t)got : 0;
    } else {
        bool whole = false;
        units = TextDecode(text + bom, size - bom, encoding, wide.get(), &whole);
    }
    return document.AddUtf8Note(heading, utf8.get(), Utf16ToUtf8(wide.get(), units, utf8.get()));
}

}  // namespace

PrintBookJob::PrintBookJob(MainDialog& main)
    : LProgressDialog("Printing book"), main(main) {}

int PrintBookJob::MainFunction() {
    bool pageBreaks = PrintNotePerPage();
    char path[LFILE_PATH];
    // Never print a document that is not whole.
    if (WriteDocumentFile(path, pageBreaks))
        g_pfnShellPrint(main.hwnd, path);
    else
        MessageBoxU(hwnd,
                    "Jotwell cannot write the document \"print.rtf\" for printing, neither in "
                    "the book's folder nor in your documents folder.",
                    "Jotwell", MB_ICONWARNING | MB_OK);
    return 0;
}

// "print.rtf" beside the notes, where the user finds it; in the user's
// documents folder when the book is read only or refuses it. It is written
// whole to a temporary file first, which then replaces an earlier document
// in one step: a failure leaves that one as it was, and what is printed is
// always this book as it is now.
bool PrintBookJob::WriteDocumentFile(char* path, bool pageBreaks) {
    char folders[2][LFILE_PATH];
    int count = 0;
    if (!main.bReadOnlyBook)
        main.GetCurrentBookFolder(folders[count++]);
    WCHAR documents[MAX_PATH];
    if (SUCCEEDED(SHGetFolderPathW(NULL, CSIDL_PERSONAL, NULL, 0, documents)) &&
        LNarrowTo(documents, folders[count], LFILE_PATH))
        ++count;
    for (int i = 0; i < count; ++i) {
        lstrcpynA(path, folders[i], LFILE_PATH);
        char tmp[LFILE_PATH];
        if (!LFile::FilePathCatExt(path, DOCUMENT_NAME, ""))
            continue;
        HANDLE file = LFile::CreateTempBeside(path, tmp);
        if (file == INVALID_HANDLE_VALUE)
            continue;
        bool written = WriteDocument(file, pageBreaks);
        written = CloseHandle(file) && written;
        if (written && LFile::ReplaceByTemp(tmp, path))
            return true;
        DeleteFileU(tmp);
    }
    return false;
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
        std::unique_ptr<char[]> owned = LFile::ReadTextFile(path, &size);
        const char* text = owned.get();
        TextEncoding encoding = TextEncodingOf(text, size, size == LFILE_READ_LIMIT);
        bool ok;
        // A code-page note keeps its bytes when its name has a code-page
        // form too; anything else goes in as Unicode.
        char codePageName[LFILE_PATH];
        if (text && encoding == TEXT_CODE_PAGE && LCodePageOf(name, codePageName, LFILE_PATH))
            ok = document.AddNote(codePageName, text, size);
        else
            ok = AddUtf8Note(document, name, text ? text : "", size, encoding);
        if (!ok)
            return false;
    }
    return true;
}


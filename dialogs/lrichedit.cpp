#include "dialogs/lrichedit.h"

#include <richedit.h>
#include <new>
#include <string.h>

namespace {

// A file being streamed in, and whether its end was reached: the control
// also stops early when a read fails or its text is full.
struct FileSource {
    HANDLE file;
    bool atEnd;
};

DWORD CALLBACK StreamInFromFile(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    FileSource* source = (FileSource*)cookie;
    DWORD got = 0;
    *read = 0;
    // A failed read is no end of file: it stops the load as a failure.
    if (!ReadFile(source->file, buffer, (DWORD)size, &got, NULL))
        return 1;
    if (got == 0)
        source->atEnd = true;
    *read = (LONG)got;
    return 0;
}

struct TextSource {
    const char* text;
    size_t left;
};

DWORD CALLBACK StreamInFromText(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    TextSource* source = (TextSource*)cookie;
    size_t n = source->left < (size_t)size ? source->left : (size_t)size;
    memcpy(buffer, source->text, n);
    source->text += n;
    source->left -= n;
    *read = (LONG)n;
    return 0;
}

// A growing buffer the editor streams its text into.
struct TextSink {
    char* data;
    size_t size;
    size_t capacity;
    bool failed;
};

DWORD CALLBACK StreamOutToText(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
    TextSink* sink = (TextSink*)cookie;
    size_t need = sink->size + (size_t)size + 1;
    if (need > sink->capacity) {
        size_t capacity = sink->capacity ? sink->capacity : 4096;
        while (capacity < need)
            capacity *= 2;
        char* grown = new (std::nothrow) char[capacity];
        if (!grown) {
            sink->failed = true;
            *written = 0;
            return 1;
        }
        if (sink->data)
            memcpy(grown, sink->data, sink->size);
        delete[] sink->data;
        sink->data = grown;
        sink->capacity = capacity;
    }
    memcpy(sink->data + sink->size, buffer, (size_t)size);
    sink->size += (size_t)size;
    *written = size;
    return 0;
}

}  // namespace

namespace LRichEdit {

void EnableNotifications(HWND edit) {
    LRESULT mask = SendMessageA(edit, EM_GETEVENTMASK, 0, 0);
    SendMessageA(edit, EM_SETEVENTMASK, 0,
                 mask | ENM_CHANGE | ENM_SELCHANGE | ENM_MOUSEEVENTS | ENM_LINK);
    SendMessageA(edit, EM_AUTOURLDETECT, TRUE, 0);
}

bool StreamInFile(HWND edit, const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        // Only a file that is not there is rightly empty.
        bool missing = GetLastError() == ERROR_FILE_NOT_FOUND;
        SetPlainText(edit, "");
        return missing;
    }
    FileSource source = {file, false};
    EDITSTREAM es = {(DWORD_PTR)&source, 0, StreamInFromFile};
    SendMessageA(edit, EM_STREAMIN, SF_TEXT, (LPARAM)&es);
    CloseHandle(file);
    return source.atEnd && es.dwError == 0;
}

void SetPlainText(HWND edit, const char* text) {
    TextSource source = {text, strlen(text)};
    EDITSTREAM es = {(DWORD_PTR)&source, 0, StreamInFromText};
    SendMessageA(edit, EM_STREAMIN, SF_TEXT, (LPARAM)&es);
}

char* StreamOutText(HWND edit, size_t* pSize) {
    TextSink sink = {NULL, 0, 0, false};
    EDITSTREAM es = {(DWORD_PTR)&sink, 0, StreamOutToText};
    SendMessageA(edit, EM_STREAMOUT, SF_TEXT, (LPARAM)&es);
    if (sink.failed || es.dwError) {
        delete[] sink.data;
        return NULL;
    }
    if (!sink.data) {
        sink.data = new (std::nothrow) char[1];
        if (!sink.data)
            return NULL;
    }
    sink.data[sink.size] = '\0';
    if (pSize)
        *pSize = sink.size;
    return sink.data;
}

void PastePlainText(HWND edit) {
    REPASTESPECIAL special = {DVASPECT_CONTENT, 0};
    SendMessageA(edit, EM_PASTESPECIAL, CF_TEXT, (LPARAM)&special);
}

LONG FindText(HWND edit, LONG from, const char* text, bool matchCase) {
    FINDTEXTA find;
    find.chrg.cpMin = from;
    find.chrg.cpMax = -1;
    find.lpstrText = text;
    WPARAM flags = FR_DOWN | (matchCase ? FR_MATCHCASE : 0);
    return (LONG)SendMessageA(edit, EM_FINDTEXT, flags, (LPARAM)&find);
}

void GetSelection(HWND edit, LONG* start, LONG* end) {
    CHARRANGE range = {0, 0};
    SendMessageA(edit, EM_EXGETSEL, 0, (LPARAM)&range);
    *start = range.cpMin;
    *end = range.cpMax;
}

void SetSelection(HWND edit, LONG start, LONG end) {
    CHARRANGE range = {start, end};
    SendMessageA(edit, EM_EXSETSEL, 0, (LPARAM)&range);
}

void HideSelection(HWND edit, bool hide) {
    SendMessageA(edit, EM_HIDESELECTION, hide, 0);
}

void SetReadOnly(HWND edit, bool readOnly) {
    SendMessageA(edit, EM_SETREADONLY, readOnly, 0);
}

void SetBackground(HWND edit, COLORREF colour) {
    SendMessageA(edit, EM_SETBKGNDCOLOR, 0, colour);
}

}  // namespace LRichEdit

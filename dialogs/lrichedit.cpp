#include "dialogs/lrichedit.h"

#include <richedit.h>
#include <new>
#include <string.h>

namespace {

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

// Makes room for size more bytes and a terminating zero.
bool Reserve(TextSink* sink, size_t size) {
    size_t need = sink->size + size + 1;
    if (need > sink->capacity) {
        size_t capacity = sink->capacity ? sink->capacity : 4096;
        while (capacity < need)
            capacity *= 2;
        char* grown = new (std::nothrow) char[capacity];
        if (!grown) {
            sink->failed = true;
            return false;
        }
        if (sink->data)
            memcpy(grown, sink->data, sink->size);
        delete[] sink->data;
        sink->data = grown;
        sink->capacity = capacity;
    }
    return true;
}

DWORD CALLBACK StreamOutToText(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
    TextSink* sink = (TextSink*)cookie;
    if (!Reserve(sink, (size_t)size)) {
        *written = 0;
        return 1;
    }
    memcpy(sink->data + sink->size, buffer, (size_t)size);
    sink->size += (size_t)size;
    *written = size;
    return 0;
}

void StreamIn(HWND edit, const void* data, size_t size, WPARAM format) {
    TextSource source = {(const char*)data, size};
    EDITSTREAM es = {(DWORD_PTR)&source, 0, StreamInFromText};
    SendMessageA(edit, EM_STREAMIN, format, (LPARAM)&es);
}

// The editor's content streamed out in the given format, in a new buffer
// with a terminating zero of two bytes (for UTF-16); null on failure.
char* StreamOut(HWND edit, WPARAM format, size_t* pSize) {
    TextSink sink = {NULL, 0, 0, false};
    EDITSTREAM es = {(DWORD_PTR)&sink, 0, StreamOutToText};
    SendMessageA(edit, EM_STREAMOUT, format, (LPARAM)&es);
    if (sink.failed || es.dwError || !Reserve(&sink, 1)) {
        delete[] sink.data;
        return NULL;
    }
    sink.data[sink.size] = sink.data[sink.size + 1] = '\0';
    if (pSize)
        *pSize = sink.size;
    return sink.data;
}

// The text in the system code page, one byte for each UTF-16 unit, so that
// positions in it are the editor's positions; a unit without a single-byte
// form becomes "?".
void ToCodePageByUnit(const WCHAR* wide, LONG count, char* out) {
    for (LONG i = 0; i < count; ++i) {
        char byte = '?';
        if (wide[i] < 0x80)
            byte = (char)wide[i];
        else if (WideCharToMultiByte(CP_ACP, 0, wide + i, 1, &byte, 1, NULL, NULL) != 1)
            byte = '?';
        out[i] = byte;
    }
    out[count > 0 ? count : 0] = '\0';
}

}  // namespace

namespace LRichEdit {

void EnableNotifications(HWND edit) {
    LRESULT mask = SendMessageA(edit, EM_GETEVENTMASK, 0, 0);
    SendMessageA(edit, EM_SETEVENTMASK, 0,
                 mask | ENM_CHANGE | ENM_SELCHANGE | ENM_MOUSEEVENTS | ENM_LINK);
    SendMessageA(edit, EM_AUTOURLDETECT, TRUE, 0);
}

bool StreamInFileBytes(HWND edit, const char* data, size_t size, TextEncoding* pEncoding) {
    TextEncoding encoding = TextEncodingOf(data, size);
    if (pEncoding)
        *pEncoding = encoding;
    if (encoding == TEXT_CODE_PAGE) {
        // Exactly as notes were always read.
        StreamIn(edit, data, size, SF_TEXT);
        return true;
    }
    size_t bom = TextBomSize(encoding);
    // Converted here rather than by the editor, so that what is shown does
    // not depend on the editor's version, and what it cannot decode is kept.
    char16_t* wide = new (std::nothrow) char16_t[size - bom + 1];
    if (!wide) {
        SetPlainText(edit, "");
        return false;
    }
    bool whole = false;
    size_t units = TextDecode(data + bom, size - bom, encoding, wide, &whole);
    StreamIn(edit, wide, units * sizeof(char16_t), SF_TEXT | SF_UNICODE);
    delete[] wide;
    return whole;
}

void SetPlainText(HWND edit, const char* text) {
    StreamIn(edit, text, strlen(text), SF_TEXT);
}

LBuffer StreamOutText(HWND edit, size_t* pSize) {
    return LBuffer(StreamOut(edit, SF_TEXT, pSize));
}

LBuffer StreamOutUnicode(HWND edit, size_t* pCount) {
    size_t size = 0;
    // new[] of char gives storage aligned for any type.
    LBuffer bytes(StreamOut(edit, SF_TEXT | SF_UNICODE, &size));
    if (pCount)
        *pCount = size / sizeof(WCHAR);
    return bytes;
}

void PastePlainText(HWND edit) {
    // The Unicode text keeps every character; the system provides it from
    // a code-page text on the clipboard as well.
    REPASTESPECIAL special = {DVASPECT_CONTENT, 0};
    SendMessageW(edit, EM_PASTESPECIAL, CF_UNICODETEXT, (LPARAM)&special);
}

LONG FindText(HWND edit, LONG from, const char* text, bool matchCase) {
    WCHAR wide[LFILE_PATH];
    if (!MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, LFILE_PATH))
        return -1;
    FINDTEXTW find;
    find.chrg.cpMin = from;
    find.chrg.cpMax = -1;
    find.lpstrText = wide;
    WPARAM flags = FR_DOWN | (matchCase ? FR_MATCHCASE : 0);
    return (LONG)SendMessageW(edit, EM_FINDTEXTW, flags, (LPARAM)&find);
}

std::unique_ptr<WCHAR[]> GetTextFrom(HWND edit, LONG from, LONG* pCount) {
    *pCount = 0;
    GETTEXTLENGTHEX length = {GTL_DEFAULT | GTL_NUMCHARS, 1200};
    LONG end = (LONG)SendMessageW(edit, EM_GETTEXTLENGTHEX, (WPARAM)&length, 0);
    if (end < from)
        end = from;
    std::unique_ptr<WCHAR[]> text(new (std::nothrow) WCHAR[end - from + 1]);
    if (!text)
        return NULL;
    TEXTRANGEW range = {{from, end}, text.get()};
    *pCount = (LONG)SendMessageW(edit, EM_GETTEXTRANGE, 0, (LPARAM)&range);
    return text;
}

LONG GetTextRange(HWND edit, LONG start, LONG end, char* out) {
    out[0] = '\0';
    if (end <= start)
        return 0;
    WCHAR* wide = new (std::nothrow) WCHAR[end - start + 1];
    if (!wide)
        return 0;
    TEXTRANGEW range = {{start, end}, wide};
    LONG got = (LONG)SendMessageW(edit, EM_GETTEXTRANGE, 0, (LPARAM)&range);
    ToCodePageByUnit(wide, got, out);
    delete[] wide;
    return got;
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

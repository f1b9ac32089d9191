// The editor's text as a note file is to hold it: in the code page while
// every character fits, else in UTF-8; a UTF-8 or UTF-16 note in its own
// encoding.
#include "dialogs/lrichedit.h"

#include <new>
#include <string.h>

namespace {

// Whether every character has its own byte (or bytes) in the system code
// page: no default character and no best-fit stand-in, such as "a" for "ā".
bool FitsCodePage(const WCHAR* text, size_t count) {
    if (count == 0 || GetACP() == CP_UTF8)
        return true;
    BOOL lost = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, (int)count, NULL, 0, NULL,
                                &lost);
    return n > 0 && !lost;
}

}  // namespace

namespace LRichEdit {

LBuffer StreamOutFileText(HWND edit, TextEncoding loaded, size_t* pSize, TextEncoding* pSaved) {
    size_t count = 0;
    LBuffer unicode = StreamOutUnicode(edit, &count);
    if (!unicode)
        return NULL;
    const WCHAR* wide = (const WCHAR*)unicode.get();
    bool fits = loaded != TEXT_CODE_PAGE || FitsCodePage(wide, count);
    TextEncoding saved = TextSaveEncoding(loaded, fits);
    LBuffer text;
    if (saved == TEXT_CODE_PAGE) {
        // Exactly the bytes a code-page note was always saved with.
        text = StreamOutText(edit, pSize);
    } else {
        text.reset(new (std::nothrow) char[TEXT_ENCODED_MAX(count) + 1]);
        if (text) {
            size_t size = TextEncode((const char16_t*)wide, count, saved, text.get());
            text[size] = '\0';
            if (pSize)
                *pSize = size;
        }
    }
    if (text && pSaved)
        *pSaved = saved;
    return text;
}

}  // namespace LRichEdit

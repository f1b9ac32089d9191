#include "util/lcodepage.h"

#include <windows.h>

#include "util/textencoding.h"

size_t CodePageToUtf8(const char* text, char* out) {
    WCHAR wide[LFILE_PATH];
    int length = 0;
    while (length < LFILE_PATH_MAX_CHARS && text[length])
        ++length;
    int units = length ? MultiByteToWideChar(CP_ACP, 0, text, length, wide, LFILE_PATH) : 0;
    size_t size = Utf16ToUtf8((const char16_t*)wide, units > 0 ? (size_t)units : 0, out);
    out[size] = '\0';
    return size;
}

#include "util/ltextfile.h"

#include <windows.h>

bool TextFileToWide(const char* bytes, size_t size, std::u16string* text, TextEncoding* encoding) {
    *encoding = TextEncodingOf(bytes, size);
    text->assign(size, u'\0');
    if (*encoding == TEXT_CODE_PAGE) {
        int units = size ? MultiByteToWideChar(CP_ACP, 0, bytes, (int)size, (WCHAR*)&(*text)[0],
                                               (int)size)
                         : 0;
        text->resize(units > 0 ? units : 0);
        return text->find(u'\0') == std::u16string::npos && (size == 0 || units > 0);
    }
    size_t bom = TextBomSize(*encoding);
    bool whole = false;
    text->resize(TextDecode(bytes + bom, size - bom, *encoding, &(*text)[0], &whole));
    return whole;
}

std::string WideToTextFile(const std::u16string& text, TextEncoding loaded, TextEncoding* saved) {
    const WCHAR* wide = (const WCHAR*)text.data();
    int count = (int)text.size();
    BOOL lost = FALSE;
    int size = count ? WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, count, NULL, 0,
                                           NULL, &lost)
                     : 0;
    bool fits = count == 0 || (size > 0 && !lost);
    *saved = TextSaveEncoding(loaded, fits);
    std::string bytes;
    if (*saved == TEXT_CODE_PAGE) {
        bytes.assign(size, '\0');
        if (size)
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, count, &bytes[0], size, NULL,
                                NULL);
        return bytes;
    }
    bytes.assign(TEXT_ENCODED_MAX(text.size()), '\0');
    bytes.resize(TextEncode(text.data(), text.size(), *saved, &bytes[0]));
    return bytes;
}

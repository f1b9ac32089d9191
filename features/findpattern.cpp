#include "features/findpattern.h"

#include <windows.h>

#include "util/lcasefold.h"
#include "util/textencoding.h"

namespace {

size_t DecodeCodePage(const char* bytes, size_t size, char16_t* out) {
    if (size == 0)
        return 0;
    int units = MultiByteToWideChar(CP_ACP, 0, bytes, (int)size, (WCHAR*)out, (int)size);
    return units > 0 ? (size_t)units : 0;
}

}  // namespace

FindPattern::FindPattern(const char* text, bool matchCase) : strUtf8(text) {
    strUnits.assign(strUtf8.size(), u'\0');
    strUnits.resize(Utf8ToUtf16(strUtf8.data(), strUtf8.size(), &strUnits[0]));
    BOOL lost = FALSE;
    int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, (const WCHAR*)strUnits.data(),
                                   (int)strUnits.size(), NULL, 0, NULL, &lost);
    bool fits = size > 0 && !lost;
    if (fits) {
        strCodePage.assign(size, '\0');
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, (const WCHAR*)strUnits.data(),
                            (int)strUnits.size(), &strCodePage[0], size, NULL, NULL);
    }
    if (!matchCase) {
        BuildCaseFold(vecFold);
        for (char16_t& unit : strUnits)
            unit = vecFold[unit];
    }
    NoteFindText forms = {fits ? strCodePage.data() : NULL,
                          strCodePage.size(),
                          strUtf8.data(),
                          strUtf8.size(),
                          strUnits.data(),
                          strUnits.size(),
                          matchCase,
                          matchCase ? NULL : vecFold.data(),
                          DecodeCodePage};
    find = forms;
}

ptrdiff_t FindPattern::FindIn(const char16_t* text, size_t count) const {
    return FindUnits(text, count, find.units, find.unitCount, find.fold);
}

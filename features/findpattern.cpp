#include "features/findpattern.h"

#include <windows.h>

#include "util/textencoding.h"

namespace {

size_t DecodeCodePage(const char* bytes, size_t size, char16_t* out) {
    if (size == 0)
        return 0;
    int units = MultiByteToWideChar(CP_ACP, 0, bytes, (int)size, (WCHAR*)out, (int)size);
    return units > 0 ? (size_t)units : 0;
}

// Every unit to the one the system's lower-case rules give it, in one call.
// Surrogates stand for no character of their own and stay as they are.
void BuildFold(std::vector<char16_t>& fold) {
    fold.resize(0x10000);
    for (size_t i = 0; i < fold.size(); ++i)
        fold[i] = (char16_t)i;
    std::vector<WCHAR> lower(0xD800 - 1);
    if (LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, (const WCHAR*)&fold[1],
                     (int)lower.size(), lower.data(), (int)lower.size()) == (int)lower.size())
        for (size_t i = 0; i < lower.size(); ++i)
            fold[i + 1] = lower[i];
    const size_t high = 0xE000;
    std::vector<WCHAR> rest(0x10000 - high);
    if (LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, (const WCHAR*)&fold[high],
                     (int)rest.size(), rest.data(), (int)rest.size()) == (int)rest.size())
        for (size_t i = 0; i < rest.size(); ++i)
            fold[high + i] = rest[i];
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
        BuildFold(vecFold);
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

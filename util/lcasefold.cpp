#include "util/lcasefold.h"

#include <windows.h>

namespace {
// Units first to first + count - 1 to lower case, in one call.
void FoldRange(std::vector<char16_t>& fold, size_t first, size_t count) {
    std::vector<WCHAR> lower(count);
    if (LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, (const WCHAR*)&fold[first], (int)count,
                     lower.data(), (int)count) == (int)count)
        for (size_t i = 0; i < count; ++i)
            fold[first + i] = lower[i];
}
}  // namespace

void BuildCaseFold(std::vector<char16_t>& fold) {
    fold.resize(0x10000);
    for (size_t i = 0; i < fold.size(); ++i)
        fold[i] = (char16_t)i;
    FoldRange(fold, 1, 0xD800 - 1);
    FoldRange(fold, 0xE000, 0x10000 - 0xE000);
}

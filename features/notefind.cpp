#include "features/notefind.h"

#include <string.h>

#include <algorithm>

#include "features/notesearch.h"
#include "util/textencoding.h"

namespace {

bool AllAscii(const char16_t* units, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (units[i] >= 0x80)
            return false;
    return true;
}

// The folded find text as ASCII bytes, for the byte search of ASCII notes.
bool AsciiForm(const NoteFindText& find, char* out, size_t size) {
    if (find.unitCount >= size || !AllAscii(find.units, find.unitCount))
        return false;
    for (size_t i = 0; i < find.unitCount; ++i)
        out[i] = (char)find.units[i];
    return true;
}

}  // namespace

ptrdiff_t FindUnits(const char16_t* text, size_t textCount, const char16_t* pattern,
                    size_t patternCount, const char16_t* fold) {
    if (patternCount == 0 || patternCount > textCount)
        return -1;
    const char16_t* end = text + textCount;
    const char16_t* at =
        fold ? std::search(text, end, pattern, pattern + patternCount,
                           [fold](char16_t a, char16_t b) { return fold[a] == b; })
             : std::search(text, end, pattern, pattern + patternCount);
    return at == end ? -1 : at - text;
}

bool NoteHoldsText(const char* text, size_t size, bool cut, const NoteFindText& find,
                   char16_t* scratch) {
    bool ascii = false;
    TextEncoding encoding = TextEncodingOf(text, size, cut, &ascii);
    size_t bom = TextBomSize(encoding);
    bool utf16 = encoding == TEXT_UTF16LE_BOM || encoding == TEXT_UTF16BE_BOM;
    if (find.matchCase && encoding == TEXT_CODE_PAGE)
        return find.codePage &&
               NoteSearch(text, size, find.codePage, find.codePageSize, true) >= 0;
    if (find.matchCase && !utf16)
        return NoteSearch(text + bom, size - bom, find.utf8, find.utf8Size, true) >= 0;
    if (ascii) {
        // Folding an ASCII note gives ASCII: a find text that does not fold
        // to ASCII is not in it. The byte search folds more than letters;
        // the editor, which finds the place, compares exactly.
        char folded[512];
        return AsciiForm(find, folded, sizeof folded) &&
               NoteSearch(text, size, folded, find.unitCount, false) >= 0;
    }
    size_t count;
    if (encoding == TEXT_CODE_PAGE) {
        count = find.decodeCodePage(text, size, scratch);
    } else {
        bool whole = false;
        count = TextDecode(text + bom, size - bom, encoding, scratch, &whole);
    }
    return FindUnits(scratch, count, find.units, find.unitCount,
                     find.matchCase ? NULL : find.fold) >= 0;
}

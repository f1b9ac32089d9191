#include "features/notefind.h"

#include <string.h>

#include "features/notesearch.h"
#include "util/textencoding.h"

namespace {

bool MatchesUtf8(const unsigned char* at, const unsigned char* pattern, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        unsigned char a = at[i], b = pattern[i];
        if (a != b && (a >= 0x80 || b >= 0x80 || (a | 0x20) != (b | 0x20)))
            return false;
    }
    return true;
}

}  // namespace

ptrdiff_t NoteSearchUtf8(const char* text, size_t textSize, const char* pattern,
                         size_t patternSize, bool matchCase) {
    if (matchCase)
        return NoteSearch(text, textSize, pattern, patternSize, true);
    // The fast search folds every byte, so it finds each place that matches
    // here and possibly more; the first of them that holds up is the answer.
    size_t from = 0;
    while (from < textSize) {
        ptrdiff_t at = NoteSearch(text + from, textSize - from, pattern, patternSize, false);
        if (at < 0)
            return -1;
        size_t found = from + (size_t)at;
        if (MatchesUtf8((const unsigned char*)text + found, (const unsigned char*)pattern,
                        patternSize))
            return (ptrdiff_t)found;
        from = found + 1;
    }
    return -1;
}

bool NoteHoldsText(const char* text, size_t size, bool cut, const NoteFindText& find) {
    // An ASCII find text is the same in both forms, and then both searches
    // agree: folding never makes a byte above 0x7F equal to one below. The
    // note's bytes need not even be looked at for their encoding.
    if (find.codePageSize == find.utf8Size &&
        memcmp(find.codePage, find.utf8, find.utf8Size) == 0)
        return NoteSearch(text, size, find.codePage, find.codePageSize, find.matchCase) >= 0;
    if (TextEncodingOf(text, size, cut) == TEXT_CODE_PAGE)
        return NoteSearch(text, size, find.codePage, find.codePageSize, find.matchCase) >= 0;
    return NoteSearchUtf8(text, size, find.utf8, find.utf8Size, find.matchCase) >= 0;
}

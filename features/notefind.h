// Search of a note's bytes for the find text whatever the note's encoding,
// as the find through all notes of a book does it on the files, and of the
// editor's text, with case folded for every language the system knows.
// Window-free: the system's case folding and code page come in as a table
// and a function.
#ifndef JOTWELL_FEATURES_NOTEFIND_H
#define JOTWELL_FEATURES_NOTEFIND_H

#include <stddef.h>

// Into out (room for size units), the UTF-16 of size bytes in the system's
// code page. Returns the number of units.
typedef size_t (*CodePageDecoder)(const char* bytes, size_t size, char16_t* out);

// The find text in every form a note can hold it in.
struct NoteFindText {
    const char* codePage;  // in the system's code page; null when it has no such form
    size_t codePageSize;
    const char* utf8;
    size_t utf8Size;
    const char16_t* units;  // UTF-16; folded by fold unless matchCase
    size_t unitCount;
    bool matchCase;
    const char16_t* fold;   // 65,536 entries: the unit each unit folds to
    CodePageDecoder decodeCodePage;
};

// Offset of the first place in text where pattern occurs, or -1. With fold,
// each unit of text is compared folded (the pattern is already folded);
// without it, units must be equal. An empty pattern occurs nowhere.
ptrdiff_t FindUnits(const char16_t* text, size_t textCount, const char16_t* pattern,
                    size_t patternCount, const char16_t* fold);

// Whether a note's bytes hold the find text. scratch has room for size
// units. With match case, the bytes are searched for the form of their own
// encoding (TextEncodingOf, with cut when the bytes are only the start of the
// file). Without it, a note all in ASCII is searched by bytes with ASCII
// letters folded, when the folded find text is ASCII too; any other is
// decoded and compared folded unit by unit.
bool NoteHoldsText(const char* text, size_t size, bool cut, const NoteFindText& find,
                   char16_t* scratch);

#endif

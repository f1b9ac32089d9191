// Search of a note's bytes for the find text whatever the note's encoding,
// as the find through all notes of a book does it on the files. Window-free.
#ifndef JOTWELL_FEATURES_NOTEFIND_H
#define JOTWELL_FEATURES_NOTEFIND_H

#include <stddef.h>

// The find text in both forms a note can hold it in.
struct NoteFindText {
    const char* codePage;  // as typed, in the system's code page
    size_t codePageSize;
    const char* utf8;  // the same characters in UTF-8
    size_t utf8Size;
    bool matchCase;
};

// As NoteSearch, for a note in UTF-8: without matchCase only bytes below
// 0x80 are folded (bit 5 set on both sides, as NoteSearch does), so ASCII
// letters match regardless of case while the bytes of multi-byte characters
// must be equal.
ptrdiff_t NoteSearchUtf8(const char* text, size_t textSize, const char* pattern,
                         size_t patternSize, bool matchCase);

// Whether a note's bytes hold the find text: a UTF-8 note (TextEncodingOf,
// with cut when the bytes are only the start of the file) is searched for
// the UTF-8 form with NoteSearchUtf8, any other for the code-page form with
// NoteSearch.
bool NoteHoldsText(const char* text, size_t size, bool cut, const NoteFindText& find);

#endif

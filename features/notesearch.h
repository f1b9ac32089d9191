// Search of a note's bytes for the find text, as the find through all notes
// of a book does it on the files. Window-free.
#ifndef JOTWELL_FEATURES_NOTESEARCH_H
#define JOTWELL_FEATURES_NOTESEARCH_H

#include <stddef.h>

// The find through all notes looks at no more than the first this many bytes
// of a note file (what ReadTextFile returns); callers pass at most that much.
const size_t NOTE_SEARCH_LIMIT = 0x10000;

// Offset of the first occurrence of pattern in text, or -1 if there is none.
// With matchCase the bytes must be equal. Without it, each byte is compared
// with bit 5 (0x20) set on both sides: ASCII letters then match regardless
// of case, and so do some other pairs, such as '[' and '{', '@' and '`',
// a carriage return and '-', a line feed and '*', or 0xC0 and 0xE0. Nothing
// else is folded. An empty pattern matches nothing. The whole of text is
// searched: the caller applies NOTE_SEARCH_LIMIT.
ptrdiff_t NoteSearch(const char* text, size_t textSize, const char* pattern, size_t patternSize,
                     bool matchCase);

#endif

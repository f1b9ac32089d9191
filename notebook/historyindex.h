// The small text file beside each version or deleted note in the history
// store: what the lists need without opening the note's bytes. Lines of
// "name=value" in UTF-8 after a first line that names the format; names it
// does not know are passed over, so a later program may add some.
// Window-free.
#ifndef JOTWELL_NOTEBOOK_HISTORYINDEX_H
#define JOTWELL_NOTEBOOK_HISTORYINDEX_H

#include <stddef.h>

#include <string>

enum HistoryKind {
    HISTORY_VERSION,  // an earlier version of a note
    HISTORY_DELETED,  // a note as it was when it was deleted
};

// The first line shown in the lists is cut to this many bytes.
const size_t HISTORY_FIRST_LINE_BYTES = 80;

struct HistoryIndex {
    HistoryKind kind;
    std::string path;        // the note's file when it was kept
    unsigned long long kept;  // file time, by the store's clock, when it was kept
    unsigned long long time;  // file time its bytes were written, 0 when unknown
    unsigned long long size;  // of the bytes
    std::string firstLine;
};

// The file's text; false for a path that a line cannot hold.
bool HistoryIndexText(const HistoryIndex& index, std::string* text);

// Reads a file written by HistoryIndexText. False when it is not one, or
// lacks the kind, the path, the time it was kept or the size.
bool HistoryIndexParse(const char* text, size_t size, HistoryIndex* index);

// The first line of a note's text (UTF-8) that is not blank, without
// control characters, cut to HISTORY_FIRST_LINE_BYTES between characters.
std::string HistoryFirstLine(const char* text, size_t size);

#endif

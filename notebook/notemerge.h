// Three-way merge of a note that this computer and another one both changed:
// the base is the note's bytes as loaded (or last saved) here, "mine" the
// editor's text as it would be saved, "theirs" the file as another computer
// left it. Lines that only one side changed merge; a line both changed, or
// changes that touch, are a conflict, and the caller keeps both texts as
// before. Works on the note's own bytes, line by line with each line's end,
// in the note's encoding (UTF-16 a unit pair at a time). Window-free.
#ifndef JOTWELL_NOTEBOOK_NOTEMERGE_H
#define JOTWELL_NOTEBOOK_NOTEMERGE_H

#include <stddef.h>

#include <string>

enum NoteMergeResult {
    NOTE_MERGED,          // *merged holds both sides' changes
    NOTE_MERGE_CONFLICT,  // both changed the same lines
    NOTE_MERGE_REFUSED,   // encodings differ, a side cannot be decoded whole,
                          // or the notes are past the bounds below
};

// Notes larger than this, whose changed middles (the lines between the
// first and the last that differ) hold more lines than this, or where a side
// changed more lines than this, are not merged: the line diff grows with the
// middles times the changes, and a save must not wait for it.
const size_t NOTE_MERGE_MAX_BYTES = 2 * 1024 * 1024;
const size_t NOTE_MERGE_MAX_LINES = 20000;
const size_t NOTE_MERGE_MAX_CHANGES = 500;

NoteMergeResult MergeNoteBytes(const std::string& base, const std::string& mine,
                               const std::string& theirs, std::string* merged);

#endif
